#include "settlement/solver.hpp"

#include <algorithm>
#include <cmath>
#include <span>

#include "settlement/load_settlement.hpp"

namespace zolan {
namespace {

double tip_load_at(const AnalysisModel& m, double movement) {
  std::array<TablePoint, kCurvePoints> points{};
  for (int i = 1; i <= kCurvePoints; ++i) points[i - 1] = {m.tip_movement[i], m.tip_load[i]};
  return interpolate(points, movement);
}

void write_tip_curve_table(const AnalysisModel& m, const WorkingUnits& u,
                           const SettlementLabels& labels, RunOutput& out) {
  out.report.blank(3);
  out.report.put(Line().x(8).t("TIP   LOAD").x(8).t("TIP MOVEMENT"));
  out.report.put(Line().x(12).t(labels.force).x(15).t(labels.movement_column));
  out.report.blank();
  for (int i = 1; i <= kCurvePoints; ++i) {
    const Line line = Line().e(m.tip_load[i] / u.force, 18, 4).e(m.tip_movement[i], 19, 4);
    out.report.put(line);
    out.plot.put(line);
  }
}

void write_notes(const AnalysisModel& m, LineSink& report) {
  report.blank(2);
  report.put(Line().x(12).t("NOTES:"));
  report.put(Line().x(12).t("- AN ASTERISK IS PLACED IN THE END-BEARING COLUMN"));
  report.put(Line().x(12).t("  IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION"));
  report.put(Line().x(12).t("  OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE."));
  report.blank();
  if (m.loading_type == 1) {
    report.blank();
    report.put(Line().x(12).t("- A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE"));
    report.put(Line().x(12).t("  BOUYANCY EFFECT."));
    report.blank();
  }
}


void write_settlement_table(const AnalysisModel& m, RunOutput& out) {
  const WorkingUnits u = working_units(m);
  const SettlementLabels labels = settlement_labels(m.unit_system);
  out.report.blank(3);
  out.report.put(Line().x(22).t("LOAD VERSUS SETTLEMENT CURVE"));
  out.report.put(Line().x(22).t("****************************"));
  out.report.blank(3);
  out.report.put(Line().x(8).t("TOP  LOAD     TOP MOVEMENT       TIP  LOAD ").x(5).t("TIP MOVEMENT"));
  out.report.put(Line()
                     .x(11)
                     .t(labels.force)
                     .x(13)
                     .t(labels.movement_column)
                     .x(14)
                     .t(labels.force)
                     .x(12)
                     .t(labels.movement_column));
  const int count = std::clamp(m.settlement_point_count, 0, kSettlementSteps);
  for (int k = 1; k <= count; ++k) {
    const Line line = Line()
                          .e(m.top_load[k] / u.force, 17, 4)
                          .e(m.top_movement[k], 16, 4)
                          .e(m.tip_load_result[k] / u.force, 16, 4)
                          .e(m.tip_movement_result[k], 16, 4);
    out.report.put(line);
    out.plot.put(line);
  }
}

}  // namespace

StiffnessTable build_stiffness_table(const AnalysisModel& m, const WorkingUnits& u) {
  StiffnessTable t;
  const double e = m.modulus_of_elasticity;
  const int rows = std::min(m.area_table_count, kMaxAreaRows);
  if (m.area_option >= 2 && rows >= 1) {
    // Areas along the pile; a single row gives a constant AE.
    t.count = rows;
    for (int i = 1; i <= rows; ++i) {
      t.rows[i - 1] = {m.area_table_distance[i] * u.length, m.area_table_area[i] * e};
    }
    return t;
  }
  // Uniform section (an area option of 2 or more without rows is refused
  // when the input is read; it would land here).
  const double d = u.diameter;
  const double id = u.inner_diameter;
  double area = f32(0.7854) * (d * d - id * id);
  if (m.tip_area_user > 1.0e-5) area = u.english ? m.tip_area_user * 144.0 : m.tip_area_user;
  if (m.cross_section_area_user > 1.0e-5) area = m.cross_section_area_user;
  const double length = (m.stickup + m.pile_length) * u.length;
  t.count = 2;
  t.rows[0] = {0.0, area * e};
  t.rows[1] = {length, area * e};
  return t;
}

double axial_stiffness_at(const StiffnessTable& t, double distance) {
  const int n = std::clamp(t.count, 0, kMaxAreaRows);
  // Distances increase from row to row (checked when the input is read), so
  // no interval of zero length is ever divided by.
  return interpolate(std::span<const TablePoint>(t.rows.data(), static_cast<std::size_t>(n)),
                     distance);
}

double unit_transfer_at(const AnalysisModel& m, int curve_count, double depth, double movement) {
  const int n = std::clamp(curve_count, 0, kMaxCurves);
  // The first curve not above the depth, by bisection: the computation
  // curves are built top down at nondecreasing depths, and the solver asks
  // here in every pass of every segment.
  int first = 1;
  int past = n + 1;
  while (first < past) {
    const int mid = first + (past - first) / 2;
    if (m.tz_curves[mid].curve_depth < depth) {
      first = mid + 1;
    } else {
      past = mid;
    }
  }
  if (first <= n) {
    const int k = first;
    const TzCurve& c = m.tz_curves[k];
    if (c.curve_depth == depth) return curve_transfer_at(c, movement);
    // Above the first curve: in the stickup, no transfer.
    if (k == 1) return 0.0;
    const TzCurve& above = m.tz_curves[k - 1];
    const double t_above = curve_transfer_at(above, movement);
    const double t_below = curve_transfer_at(c, movement);
    // above.curve_depth < depth < c.curve_depth: the interval is not empty.
    return t_above + (t_below - t_above) * (depth - above.curve_depth) /
                         (c.curve_depth - above.curve_depth);
  }
  // Below the deepest curve (or no curve at all).
  return n >= 1 ? curve_transfer_at(m.tz_curves[n], movement) : 0.0;
}

SegmentResult settle_segment(const AnalysisModel& m, int curve_count, const Segment& s,
                             double bottom_load, double bottom_movement, double first_guess) {
  // A section of no stiffness is refused with the input; floor it anyway.
  const double ae = std::max(s.axial_stiffness, 1.0e-10);
  SegmentResult r;
  double mid = first_guess;
  for (int pass = 1; pass <= kMaxSegmentPasses; ++pass) {
    const double t = s.transfers ? unit_transfer_at(m, curve_count, s.vertical_depth, mid) : 0.0;
    const double dp = t * kSegmentPi * s.diameter * s.length;
    r.top_load = bottom_load + dp;
    r.average_load = bottom_load + 0.5 * dp;
    r.top_movement = bottom_movement + s.length * r.average_load / ae;
    r.mid_movement =
        bottom_movement + ((bottom_load + r.top_load) * 0.5 + bottom_load) * (s.length / 4.0) / ae;
    r.passes = pass;
    if (!(std::fabs(r.mid_movement - mid) > kMovementTolerance)) break;
    mid = r.mid_movement;
  }
  // A segment still moving after the last pass is accepted as it stands.
  return r;
}

void solve_load_settlement(AnalysisModel& m, RunOutput& out, bool list_curves) {
  // Assumed tip movements of the load-settlement curve (in.), one per step.
  static constexpr std::array<double, kSettlementSteps> kAssumedTipMovement = {
      0.0001, 0.001, 0.005, 0.01, 0.05, 0.1, 0.5, 1.0, 2.0};
  const WorkingUnits u = working_units(m);
  const SettlementLabels labels = settlement_labels(m.unit_system);

  build_report_curves(m, u);
  if (list_curves) list_report_curves(m, u, out);
  const int curve_count = build_computation_curves(m, u);
  const StiffnessTable stiffness = build_stiffness_table(m, u);
  build_tip_curve(m, u);
  write_tip_curve_table(m, u, labels, out);

  const int n = std::clamp(m.settlement_segment_count, 0, kMaxPenetrations);
  const double length = (m.stickup + m.pile_length) * u.length;  // L, head to tip
  const double dz = n > 0 ? length / n : 0.0;
  const double cos_batter = std::cos(m.batter_angle);
  const double stickup = m.stickup * u.length;
  const double zero_friction = m.zero_friction_length * u.length;
  m.distribution_segment_count = n;

  for (int k = 1; k <= kSettlementSteps; ++k) {
    const double tip_movement = u.inches(kAssumedTipMovement[k - 1]);
    const double tip_load = tip_load_at(m, tip_movement);
    m.tip_load_result[k] = tip_load;
    m.tip_movement_result[k] = tip_movement;

    double load = tip_load;
    double movement = tip_movement;
    double guess = tip_movement;
    for (int j = 1; j <= n; ++j) {
      Segment s;
      s.length = dz;
      const double distance = length - (j - 0.5) * dz;  // midpoint, from the head
      s.vertical_depth = cos_batter * length - (j - 0.5) * cos_batter * dz;
      s.diameter = u.diameter;
      // The zero-friction length is measured below the ground surface.
      s.transfers = !(distance - stickup < zero_friction);
      s.axial_stiffness = axial_stiffness_at(stiffness, distance);
      const SegmentResult r = settle_segment(m, curve_count, s, load, movement, guess);
      m.segment_distance(j, k) = distance;
      m.segment_average_load(j, k) = r.average_load;
      m.segment_mid_movement(j, k) = r.mid_movement;
      out.plot.put(Line()
                       .x(3)
                       .e(m.segment_distance(j, k) / u.length, 10, 3)
                       .x(3)
                       .e(m.segment_average_load(j, k) / u.force, 10, 3)
                       .x(3)
                       .e(m.segment_mid_movement(j, k), 10, 3));
      load = r.top_load;
      movement = r.top_movement;
      guess = r.top_movement;
    }
    m.top_load[k] = load;
    m.top_movement[k] = movement;
  }
  m.settlement_point_count = kSettlementSteps;
}

void run_load_settlement(AnalysisModel& m, RunOutput& out) {
  write_notes(m, out.report);
  write_section_banner(out.report, "* COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *",
                       "* CURVES FOR AXIAL LOADING                      *");
  solve_load_settlement(m, out, true);
  write_settlement_table(m, out);
}

}  // namespace zolan
