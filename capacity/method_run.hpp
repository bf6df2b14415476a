// The computation and result phase of a run: both passes of the method
// run, the result tables, the plot records and the load-settlement hand-over.
#pragma once

#include "engine/run_output.hpp"
#include "model/model.hpp"

namespace zolan {

// Runs the computation phase on a prepared model (penetration_step and the
// pass number set).
void run_computation(AnalysisModel& m, RunOutput& out);

// Whether the method of `selection` (MethodSelection numbering) is built
// into this engine.
bool method_available(int selection);

}  // namespace zolan
