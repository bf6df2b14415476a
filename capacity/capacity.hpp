// Capacity by penetration: end bearing or self weight, soil-plug behaviour,
// core length and the plug marker at every penetration, for m.method_code.
#pragma once

#include "model/model.hpp"

namespace zolan {

// Reads m.method_code and the model; fills end_bearing, core_length,
// tip_control(., method_code) and the per-method copies. Computes the unit
// end bearing first.
void compute_capacity(AnalysisModel& m);

}  // namespace zolan
