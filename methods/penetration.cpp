#include "methods/penetration.hpp"

#include <algorithm>

#include "model/profile.hpp"
#include "model/layer_grid.hpp"
#include "model/numeric.hpp"
#include "model/units.hpp"
#include "model/preparation.hpp"

namespace zolan {
namespace {

// Linear in depth within layer j, d below its top. A layer thinner than
// 1e-10 has no slope to speak of: it gives its top value.
double in_layer(const AnalysisModel& m, const BoundaryList& boundary, int j, double d) {
  const double top = boundary[2 * j - 1];
  const double bottom = boundary[2 * j];
  const double t = m.layer_thickness[j];
  if (t < 1.0e-10) return top;
  return top + (bottom - top) / t * d;
}

}  // namespace

int penetration_point_count(const AnalysisModel& m) {
  return std::clamp(pile_penetration_count(m), 1, kMaxPenetrations);
}

double pile_perimeter(const AnalysisModel& m) { return kPi * m.pile_diameter / diameter_units(m); }

double lrfd_friction_factor(const AnalysisModel& m, int k) {
  return m.layer_lrfd_friction[layer_at(m, k)];
}

double boundary_value_at(const AnalysisModel& m, const LayerGrid& grid,
                         const BoundaryList& boundary, double z, DepthInLayer in_layer_depth) {
  if (z - m.zero_friction_length <= -kTolerance) return 0.0;
  if (grid.layers() < 1) return 0.0;  // no layers: nothing to carry
  if (z - grid.thickness(1) > kTolerance) {
    bool below = false;
    const int j = grid.find(z, below);
    // Below the deepest layer: its bottom value, held constant.
    if (below) return boundary[2 * grid.layers()];
    const double d = in_layer_depth == DepthInLayer::kDepthLessBottomPlusThickness
                         ? z - grid.bottom(j) + grid.thickness(j)
                         : grid.thickness(j) + z - grid.bottom(j);
    return in_layer(m, boundary, j, d);
  }
  return in_layer(m, boundary, 1, z);
}

double boundary_value_at(const AnalysisModel& m, const BoundaryList& boundary, double z) {
  return boundary_value_at(m, LayerGrid(m), boundary, z);
}

void distribute_to_penetrations(AnalysisModel& m, const BoundaryList& boundary, int points,
                                DepthRead read, DepthInLayer in_layer_depth) {
  const LayerGrid grid(m);
  if (read == DepthRead::kRebuiltAhead) m.penetration_depth[1] = 0.0;
  for (int k = 1; k <= points; ++k) {
    const double z = m.penetration_depth[k];
    m.penetration_unit_friction[k] = boundary_value_at(m, grid, boundary, z, in_layer_depth);
    if (read == DepthRead::kAsEntered) {
      m.penetration_depth[k] = (k - 1) * m.penetration_step;
    } else if (k < points) {
      m.penetration_depth[k + 1] = k * m.penetration_step;
    }
  }
}

void limits_from_layers(AnalysisModel& m, int points) {
  for (int k = 1; k <= points; ++k) {
    m.penetration_max_unit_friction[k] = m.layer_max_unit_friction[layer_at(m, k)];
  }
}

void accumulate_skin_friction(AnalysisModel& m, int points, const Accumulation& a) {
  PenetrationList& unit = m.penetration_unit_friction;
  const PenetrationList& limit = m.penetration_max_unit_friction;

  if (m.loading_type == 1 && a.tension != TensionPoints::kNone) {
    const int first = a.tension == TensionPoints::kAllPoints ? 1 : 2;
    for (int k = first; k <= points; ++k) unit[k] = unit[k] * m.tension_reduction_factor;
  }

  for (int k = 1; k <= points; ++k) {
    m.limited_unit_friction[k] = a.limit == LimitRule::kNone ? unit[k] : std::min(unit[k], limit[k]);
  }

  m.segment_friction[1] = 0.0;
  if (a.limit != LimitRule::kNone) m.segment_friction_cap[1] = 0.0;
  m.skin_friction[1] = 0.0;
  m.factored_skin_friction[1] = 0.0;
  if (points < 2) return;

  for (int k = 2; k <= points; ++k) {
    const double perimeter = a.segment_perimeter ? (*a.segment_perimeter)[k] : a.perimeter;
    const double h = 0.5 * m.length_step * perimeter;
    auto segment = [&](double sum) {
      if (a.product == SegmentProduct::kHalfStepPerimeter) return sum * h;
      return sum * 0.5 * m.length_step * perimeter;
    };
    const double raw = segment(unit[k - 1] + unit[k]);
    if (a.limit == LimitRule::kNone) {
      m.segment_friction[k] = raw;
    } else {
      const double cap = segment(limit[k - 1] + limit[k]);
      m.segment_friction_cap[k] = cap;
      if (a.limit == LimitRule::kLimitBeforeNextSegment) unit[k] = std::min(unit[k], limit[k]);
      m.segment_friction[k] = raw - cap > kTolerance ? cap : raw;
    }
  }

  for (int k = 2; k <= points; ++k) {
    m.skin_friction[k] = m.skin_friction[k - 1] + m.segment_friction[k];
    m.factored_skin_friction[k] =
        m.factored_skin_friction[k - 1] + m.segment_friction[k] * lrfd_friction_factor(m, k);
  }

  // Reporting copy: unfactored or factored, by the reduced-friction option.
  if (m.reduced_friction_option == 0 || m.reduced_friction_option == 1) {
    const PenetrationList& shown =
        m.reduced_friction_option == 0 ? m.skin_friction : m.factored_skin_friction;
    for (int k = 2; k <= points; ++k) m.method_skin_friction(k, a.method_code) = shown[k];
  }

  // The capacity computation always works with the factored skin friction.
  for (int k = 2; k <= points; ++k) m.skin_friction[k] = m.factored_skin_friction[k];
}

}  // namespace zolan
