// What every design method routine does.
//
// A method routine works on the computational layers and the penetration
// list as the method run leaves them, and on return leaves:
//  - skin_friction(1 .. npen): the cumulative skin friction, already
//    multiplied by the LRFD factors on unit friction;
//  - penetration_unit_friction(1 .. npen): the unit side friction it hands
//    over at each penetration (plot records and the load-settlement curves);
//  - its column of method_skin_friction and boundary_unit_friction where it
//    has them;
//  - penetration_depth(k) = (k - 1) x penetration_step.
// Report lines of its own (warnings) go to out.report.
#pragma once

#include "engine/run_output.hpp"
#include "model/model.hpp"

namespace zolan {

using MethodRoutine = void (*)(AnalysisModel& m, RunOutput& out);

void compute_api(AnalysisModel& m, RunOutput& out);

}  // namespace zolan
