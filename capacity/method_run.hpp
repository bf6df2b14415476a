// The computation and result phase of a run: both passes of the method
// run, the result tables, the plot records and the load-settlement hand-over.
#pragma once

#include "engine/run_output.hpp"
#include "model/model.hpp"

namespace zolan {

// Runs the computation phase on a prepared model (penetration_step set).
void run_computation(AnalysisModel& m, RunOutput& out);

}  // namespace zolan
