// Model preparation before the computation: soil points snapped to the
// length step and the penetration points counted.
#pragma once

#include "model/model.hpp"

namespace zolan {

inline constexpr int kMaxSegments = 500;

// Snaps the soil point depths and sets `profile_point_count`. Returns the
// count to show in the segment-limit message when the run needs more than
// 500 penetration points (the profile's count when that exceeds 500, else
// the pile's own count), or 0 when the run may go on.
int prepare_model(AnalysisModel& m);

// Penetration points of the embedded pile: int(length / step + 1e-6) + 1.
int pile_penetration_count(const AnalysisModel& m);

}  // namespace zolan
