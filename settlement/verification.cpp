// Verification t-z curves: one curve per check depth of the input, built
// with the shapes of the load-settlement analysis and listed in the report
// and the plot data file.
#include <algorithm>

#include "model/numeric.hpp"
#include "settlement/load_settlement.hpp"
#include "settlement/tz_curves.hpp"

namespace zolan {
namespace {

// The profile pair deciding the soil of a check depth (ft or m): the first
// pair at least 0.11 thick whose lower point is not shallower than the
// depth (within the tolerance); 0 when no pair qualifies.
int verification_pair(const AnalysisModel& m, int points, double depth) {
  for (int j = 1; j < points; ++j) {
    const double top = m.soil_point_depth[j];
    const double bottom = m.soil_point_depth[j + 1];
    if (bottom - top >= 0.11 && bottom >= depth - kTolerance) return j;
  }
  return 0;
}


}  // namespace

void report_verification_tz_curves(AnalysisModel& m, RunOutput& out) {
  write_section_banner(out.report, "* COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *",
                       "* (t-z) CURVES FOR VERIFICATION                 *");
  const WorkingUnits u = working_units(m);
  const SettlementLabels labels = settlement_labels(m.unit_system);
  const int count = std::clamp(m.tz_check_depth_count, 0, kMaxCheckDepths);
  const int points = std::clamp(m.soil_point_count, 0, kMaxSoilPoints);
  const UnitFrictionLookup friction(m, u);

  // Curve k for check depth k; a curve is built only for a depth within the
  // profile that has a qualifying pair, the others stay empty.
  for (int k = 1; k <= count; ++k) {
    const double depth = m.tz_check_depth[k];
    const bool valid = points >= 1 && depth >= 0.0 && depth <= m.soil_point_depth[points];
    m.tz_check_valid[k] = valid ? 1 : 0;
    TzCurve& c = m.tz_curves[k];
    c = TzCurve{};
    c.curve_depth = valid ? depth * u.length : depth;
    if (!valid) continue;
    const int j = verification_pair(m, points, depth);
    if (j == 0) continue;
    const bool sand = m.soil_table(j, kColSoilType) == 1.0 && m.soil_table(j + 1, kColSoilType) == 1.0;
    c.curve_soil_flag = sand ? 1 : 2;
    c.curve_friction_angle = pair_friction_angle(m, j, depth);
    c.curve_ultimate_friction = friction.at_model_depth(depth);
    build_tz_curve(c, m.load_transfer_method, u);
  }

  write_curve_heading(out.report, labels);
  for (int k = 1; k <= count; ++k) {
    const TzCurve& c = m.tz_curves[k];
    const double shown = m.tz_check_valid[k] == 1 ? c.curve_depth / u.length : c.curve_depth;
    write_curve_number_line(out.report, k, kCurvePoints, shown);
    if (c.curve_point_count == kCurvePoints) {
      write_curve_number_line(out.plot, k, kCurvePoints, shown);
      for (LineSink* sink : {&out.report, &out.plot}) write_curve_points(*sink, c);
    } else {
      out.report.put(Line().x(15).t("CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE"));
    }
  }
}

}  // namespace zolan
