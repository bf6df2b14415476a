#include "capacity/tables.hpp"

#include <cmath>

#include "capacity/plot_file.hpp"

namespace zolan {
namespace {

// Column headings of the table shapes: line 1, line 2 (after 10 blanks).
constexpr const char* kBatteredLine1 = "PILE LENGTH      DEPTH      TOTAL SKIN       END       ULTIMATE";
constexpr const char* kBatteredLine2 = "BELOW GND.    BELOW GND.    FRICTION       BEARING     CAPACITY";
constexpr const char* kBatteredLine2User =
    "BELOW GND.    BELOW GND.    FRICTION        BEARING    CAPACITY";
constexpr const char* kVerticalLine1 = "   PILE       TOTAL SKIN       END       ULTIMATE";
constexpr const char* kVerticalLine2 = "PENETRATION   FRICTION       BEARING     CAPACITY";
constexpr const char* kBatteredTensionLine1 =
    "PILE LENGTH      DEPTH      TOTAL SKIN       SELF      ULTIMATE";
constexpr const char* kBatteredTensionLine2 =
    "BELOW GND.    BELOW GND.    FRICTION        WEIGHT     CAPACITY";
constexpr const char* kVerticalTensionLine1 = "   PILE       TOTAL SKIN       SELF      ULTIMATE";
constexpr const char* kVerticalTensionLine2 = "PENETRATION   FRICTION        WEIGHT     CAPACITY";

struct Shape {
  bool battered;
  bool core;
  bool tension;
};

Shape table_shape(const AnalysisModel& m, bool user_method) {
  Shape s{m.batter_angle != 0.0, false, m.loading_type == 1};
  if (!s.tension && !user_method) {
    s.core = m.inner_diameter >= 1.0e-10 && m.pile_end_condition != 1 && m.plug_condition == 0;
  }
  return s;
}

void write_headings(const AnalysisModel& m, const Shape& s, bool user_method, LineSink& r) {
  const char* line1;
  const char* line2;
  if (s.tension) {
    line1 = s.battered ? kBatteredTensionLine1 : kVerticalTensionLine1;
    line2 = s.battered ? kBatteredTensionLine2 : kVerticalTensionLine2;
  } else if (s.battered) {
    line1 = kBatteredLine1;
    line2 = user_method ? kBatteredLine2User : kBatteredLine2;
  } else {
    line1 = kVerticalLine1;
    line2 = kVerticalLine2;
  }
  Line l1 = Line().x(10).t(line1);
  Line l2 = Line().x(10).t(line2);
  Line units = Line().x(10).x(4).a(m.length_label, 3);
  if (s.battered) units.x(10).a(m.length_label, 3);
  units.x(10).a(m.force_label, 3).x(11).a(m.force_label, 3).x(10).a(m.force_label, 3);
  if (s.core) {
    l1.x(8).t("CORE");
    l2.x(7).t("LENGTH");
    units.x(10).a(m.length_label, 3);
  }
  r.put(l1);
  r.put(l2);
  r.put(units);
}

}  // namespace

bool row_printed(int i, int npen, int output_interval) {
  return (i - 1) % output_interval == 0 || i == npen;
}

int printed_row_count(int npen, int output_interval) {
  const int q = npen - 1;
  const int p = output_interval;
  int rows = q / p + 1;
  if (p * (q / p) + 1 < q + 1) ++rows;
  return rows;
}

void write_method_table(const AnalysisModel& m, const MethodResults& res, const TableTitle& title, bool user_method, RunOutput& out) {
  LineSink& r = out.report;
  const Shape shape = table_shape(m, user_method);
  r.blank(3);
  r.put(Line().x(title.indent).rep('*', title.stars));
  r.put(Line().x(title.indent).t(title.text));
  r.put(Line().x(title.indent).rep('*', title.stars));
  r.blank();
  write_headings(m, shape, user_method, r);

  const double cos_batter = std::cos(m.batter_angle);
  for (int i = 1; i <= m.npen; ++i) {
    if (!row_printed(i, m.npen, m.output_interval)) continue;
    const double length = m.penetration_depth[i];
    Line row = Line().x(11).f(length, 7, 2).x(6);
    if (shape.battered) row.f(length * cos_batter, 7, 2).x(6);
    row.f(res.skin[i], 8, 1).x(6).f(res.end[i], 8, 1);
    if (shape.core) {
      row.a(res.tip_control[i] == 2 ? "*" : " ", 1)
          .x(3)
          .f(res.ultimate[i], 9, 1)
          .x(3)
          .f(res.core[i], 9, 2);
    } else {
      row.x(4).f(res.ultimate[i], 9, 1);
    }
    r.put(row);
    write_capacity_record(out.plot, length, res.skin[i], res.end[i], res.ultimate[i],
                          res.unit_friction[i]);
  }
}

}  // namespace zolan
