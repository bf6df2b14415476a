// The input information section of the report and the computation result
// header. While printing, the echo makes the model replacements that belong
// to it: the computed cross-section area, the embedded pile length and the
// batter angle in radians.
#pragma once

#include "engine/format.hpp"
#include "model/model.hpp"

namespace zolan {

void write_input_information(AnalysisModel& m, LineSink& report);
void write_computation_result_header(LineSink& report);

}  // namespace zolan
