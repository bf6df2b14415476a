// Load-settlement analysis: t-z and tip curves of the load-transfer method,
// the load distribution and load-settlement solver, and the verification
// t-z curves.
//
// Before run_load_settlement the method run hands over, for the method
// chosen as load_transfer_method: settlement_unit_friction(1 .. npen) (ksf
// or kPa), settlement_skin_friction, settlement_end_bearing (unfactored,
// kips or kN), settlement_segment_count = npen, and penetration_depth(i) =
// (i - 1) x length_step.
#pragma once

#include "engine/run_output.hpp"
#include "model/model.hpp"

namespace zolan {

// Notes, section banner, t-z curve listing, tip curve table, segment
// records and the load versus settlement table.
void run_load_settlement(AnalysisModel& m, RunOutput& out);

// The verification t-z curves at the check depths of the input.
void report_verification_tz_curves(AnalysisModel& m, RunOutput& out);

}  // namespace zolan
