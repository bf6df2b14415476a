// Load distribution and load-settlement solver: the axial stiffness along
// the pile, the unit load transfer between the computation curves and the
// segment-by-segment iteration from the tip up to the pile head.
#pragma once

#include <array>

#include "engine/run_output.hpp"
#include "model/interpolate.hpp"
#include "model/model.hpp"
#include "model/numeric.hpp"
#include "settlement/tz_curves.hpp"

namespace zolan {

// Passes of the mid-segment movement iteration before a segment is
// accepted as it stands.
inline constexpr int kMaxSegmentPasses = 1000;
// Convergence of the mid-segment movement (in. or m).
inline constexpr double kMovementTolerance = f32(1.0e-4);
// pi of the segment surface pi x D x dz.
inline constexpr double kSegmentPi = f32(3.1416);

// Axial stiffness AE (lb or kN) by distance from the pile head along the
// pile (in. or m).
struct StiffnessTable {
  int count = 0;
  std::array<TablePoint, kMaxAreaRows> rows{};
};

StiffnessTable build_stiffness_table(const AnalysisModel& m, const WorkingUnits& u);
// AE at a distance: linear between the rows, the first row's AE above it
// and the last row's beyond it (a single row gives a constant AE).
double axial_stiffness_at(const StiffnessTable& t, double distance);

// Unit load transfer at `depth` (vertical, below the pile head, working
// unit) and `movement`, between computation curves 1 .. curve_count (which
// lie at nondecreasing depths, as built).
double unit_transfer_at(const AnalysisModel& m, int curve_count, double depth, double movement);

// One pile segment of the solver.
struct Segment {
  double length = 0.0;           // dz along the pile
  double vertical_depth = 0.0;   // of the midpoint, below the pile head
  double diameter = 0.0;         // D
  bool transfers = true;         // false within the zero-friction length
  double axial_stiffness = 0.0;  // AE at the midpoint
};

struct SegmentResult {
  double top_load = 0.0;      // P_t
  double top_movement = 0.0;  // w_t
  double average_load = 0.0;  // P_avg
  double mid_movement = 0.0;  // w_m' of the accepted pass
  int passes = 0;
};

// Iterates the mid-segment movement from `first_guess` until two passes
// agree within kMovementTolerance (at most kMaxSegmentPasses passes).
SegmentResult settle_segment(const AnalysisModel& m, int curve_count, const Segment& s,
                             double bottom_load, double bottom_movement, double first_guess);

// Curves, stiffness, tip curve and the nine load-settlement points; lists
// the report curves when `list_curves` is set.
void solve_load_settlement(AnalysisModel& m, RunOutput& out, bool list_curves);

}  // namespace zolan
