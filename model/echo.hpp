// The input information section of the report and the computation result
// header, and the model replacements that go with it.
#pragma once

#include "engine/format.hpp"
#include "model/model.hpp"

namespace zolan {

// The replacements made once the input is read, before the section is
// written: the computed cross-section area (area option
// 0), the embedded pile length (the total kept in total_pile_length) and the
// batter angle in radians (the degrees kept in batter_angle_degrees).
void prepare_echo_values(AnalysisModel& m);

// The section itself, from a model prepared by prepare_echo_values.
void write_input_information(const AnalysisModel& m, LineSink& report);
void write_computation_result_header(LineSink& report);

}  // namespace zolan
