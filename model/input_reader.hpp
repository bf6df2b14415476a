// Readers of the input data file and the CPT data file. They fill the
// analysis model, apply the read-time conversions and defaults, and refuse
// bad input with an InputError naming the file, the line, the record and
// what was expected.
#pragma once

#include <istream>
#include <string>

#include "model/free_format.hpp"
#include "model/model.hpp"

namespace zolan {

// Reads the whole input data file into `m` (records 1 to 15); `file_label`
// names the file in messages. Checks each value whose arithmetic later
// would be undefined, and the combinations the computation cannot use.
void read_input_data(std::istream& in, const std::string& file_label, AnalysisModel& m);

// Sets the unit labels of the report for `m.unit_system` (English for 1,
// SI for any other value).
void set_unit_labels(AnalysisModel& m);

// Reads the CPT data file: a record with an unused number and the point
// count, then one depth/cone-resistance pair per point.
void read_cpt_data(std::istream& in, const std::string& file_label, AnalysisModel& m);

}  // namespace zolan
