// Penetration-point steps shared by the design methods: the unit friction
// of the layer boundaries distributed to the penetration points, and the
// segments accumulated into skin friction with the friction limit, the
// tension reduction and the LRFD factors on unit friction.
//
// A method routine fills its boundary values (top 2j-1, bottom 2j of layer
// j), then calls, in this order:
//   distribute_to_penetrations  -> penetration_unit_friction, penetration_depth
//   (its own limit list, when it has one, in penetration_max_unit_friction)
//   accumulate_skin_friction    -> limited_unit_friction, segment_friction_cap,
//                                  segment_friction, skin_friction,
//                                  factored_skin_friction, method_skin_friction
#pragma once

#include "model/layer_grid.hpp"
#include "model/model.hpp"

namespace zolan {

using BoundaryList = List<double, kMaxBoundaries>;
using PenetrationList = List<double, kMaxPenetrations>;

// Penetration points of the pile: int(pile_length / length_step + 1e-6) + 1,
// held within 1 .. kMaxPenetrations.
int penetration_point_count(const AnalysisModel& m);

// Perimeter of the pile section: pi x D / 12 (ft, English) or pi x D / 1000
// (m, SI), pi = 3.14159.
double pile_perimeter(const AnalysisModel& m);

// LRFD factor on unit friction at penetration point k: that of the layer
// beginning at point k (the deepest layer for a point below it).
double lrfd_friction_factor(const AnalysisModel& m, int k);

// Which depth each penetration point reads.
enum class DepthRead {
  // The depth the list holds on entry; point k is rewritten to
  // (k - 1) x penetration_step after it has been read.
  kAsEntered,
  // The list rebuilt one point ahead: point 1 is set to 0, and after point k
  // has been read point k + 1 is set to k x penetration_step, so every point
  // from 2 on reads its rebuilt (vertical) depth.
  kRebuiltAhead,
};

// How the depth within the layer holding z is formed from z, the bottom c
// of that layer and its thickness t (the same value but for the last digit).
enum class DepthInLayer {
  kDepthLessBottomPlusThickness,  // (z - c) + t
  kThicknessPlusDepthLessBottom,  // (t + z) - c
};

// Unit friction at the layer boundaries interpolated in depth to the
// penetration points 1 .. points, into penetration_unit_friction. A point
// more than 1e-6 shallower than zero_friction_length carries nothing; a
// point below the deepest layer takes that layer's bottom value. Leaves
// penetration_depth(k) = (k - 1) x penetration_step for k = 1 .. points.
void distribute_to_penetrations(
    AnalysisModel& m, const BoundaryList& boundary, int points,
    DepthRead read = DepthRead::kAsEntered,
    DepthInLayer in_layer = DepthInLayer::kDepthLessBottomPlusThickness);

// Unit friction at depth z from the boundary values (the zero-friction rule
// and the layer search of distribute_to_penetrations).
double boundary_value_at(const AnalysisModel& m, const BoundaryList& boundary, double z);
double boundary_value_at(
    const AnalysisModel& m, const LayerGrid& grid, const BoundaryList& boundary, double z,
    DepthInLayer in_layer = DepthInLayer::kDepthLessBottomPlusThickness);

// penetration_max_unit_friction(k) = layer_max_unit_friction of the layer
// beginning at point k, for k = 1 .. points.
void limits_from_layers(AnalysisModel& m, int points);

// How the limit in penetration_max_unit_friction acts.
enum class LimitRule {
  // No limit: limited_unit_friction = unit friction, every segment takes
  // its raw value; penetration_max_unit_friction and segment_friction_cap
  // are not touched.
  kNone,
  // limited_unit_friction = min(unit, limit) at every point; the raw
  // segment uses the unlimited values; the segment is held to its cap.
  kCapSegments,
  // As kCapSegments, but walking the segments in turn: the raw segment k
  // uses point k-1 as already limited (point 1 is never limited) and point
  // k not yet limited; then point k of penetration_unit_friction is
  // replaced by its limited value.
  kLimitBeforeNextSegment,
};

// Which points the tension reduction factor multiplies (loading_type 1).
enum class TensionPoints {
  kNone,             // the method has no tension factor
  kAllPoints,        // points 1 .. N+1
  kFromSecondPoint,  // points 2 .. N+1; point 1 keeps its value
};

// How a segment's friction is formed from the sum s of its two end values.
enum class SegmentProduct {
  kHalfStepPerimeter,  // s x h with h = 0.5 x length_step x perimeter
  kLeftToRight,        // s x 0.5 x length_step x perimeter
};

struct Accumulation {
  int method_code = 0;  // column of method_skin_friction (MethodCode)
  double perimeter = 0.0;
  // Perimeter of the segment ending at point k (a tapered pile); when null
  // every segment uses `perimeter`.
  const PenetrationList* segment_perimeter = nullptr;
  LimitRule limit = LimitRule::kCapSegments;
  TensionPoints tension = TensionPoints::kAllPoints;
  SegmentProduct product = SegmentProduct::kHalfStepPerimeter;
};

// From penetration_unit_friction (and penetration_max_unit_friction when a
// limit applies) at points 1 .. points: tension factor, limited unit
// friction, segment caps and segments, cumulative and factored skin
// friction, the method's column of method_skin_friction by
// reduced_friction_option (0 unfactored, 1 factored, otherwise untouched)
// and finally skin_friction replaced by factored_skin_friction. Point 1
// has no segment: its segment, cap, skin and factored skin friction are 0.
void accumulate_skin_friction(AnalysisModel& m, int points, const Accumulation& a);

}  // namespace zolan
