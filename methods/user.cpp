// Load transfer given by the user: the unit skin friction and unit end
// bearing of each layer as entered, turned into end bearing and cumulative
// skin friction at every penetration. No zero-friction section, no friction
// limit and no tension reduction.
#include "methods/penetration.hpp"
#include "methods/rules.hpp"
#include "model/layer_grid.hpp"
#include "model/numeric.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// pi/4 of the section area.
constexpr double kQuarterPi = 0.785398;

// A user tip area at or below this is taken as not given.
constexpr double kSmallestTipArea = 1.0e-4;

// Area that carries the unit end bearing: the user tip area, else the
// annulus of an unplugged pipe, else the full section.
double bearing_area(const AnalysisModel& m) {
  if (m.tip_area_user > kSmallestTipArea) return m.tip_area_user;
  if (m.plug_condition == 2) {
    const double d = m.pile_diameter;
    const double di = m.pile_inner_diameter;
    return kQuarterPi * (d * d - di * di) / area_units(m);
  }
  const double d = diameter_length(m);
  return kQuarterPi * (d * d);
}

}  // namespace

void compute_user(AnalysisModel& m, RunOutput& /*out*/) {
  const int points = penetration_point_count(m);
  const LayerGrid grid(m);
  const double d = diameter_length(m);
  const double area = bearing_area(m);

  // Point 2 reads the length step; every later point reads the vertical
  // depth set one point ahead.
  m.penetration_depth[2] = m.length_step;
  m.end_bearing_user[1] = m.layer_unit_bearing_user[1] * area;
  m.skin_friction_user[1] = 0.0;
  m.penetration_depth[1] = 0.0;

  for (int k = 2; k <= points; ++k) {
    const double z = m.penetration_depth[k];
    if (z - grid.bottom(1) > kTolerance) {
      bool below = false;  // below the deepest layer: that layer's values
      const int j = grid.find(z, below);
      m.end_bearing_user[k] = m.layer_unit_bearing_user[j] * area;
      m.skin_friction_user[k] = m.skin_friction_user[k - 1] + lrfd_friction_factor(m, k) *
                                                                  m.length_step * kPi * d *
                                                                  m.layer_unit_friction_user[j];
    } else {
      // In the first layer the segment takes no LRFD factor.
      m.end_bearing_user[k] = m.layer_unit_bearing_user[1] * area;
      m.skin_friction_user[k] =
          m.skin_friction_user[k - 1] + m.layer_unit_friction_user[1] * m.length_step * kPi * d;
    }
    if (k < points) m.penetration_depth[k + 1] = k * m.penetration_step;
  }
}

}  // namespace zolan
