// Result tables of the capacity methods and their plot data records.
#pragma once

#include "engine/run_output.hpp"
#include "methods/method.hpp"
#include "model/model.hpp"

namespace zolan {

// Whether penetration i is a row of the tables: 1, 1 + p, 1 + 2p, ... and
// always the last (p = output_interval, at least 1).
bool row_printed(int i, int npen, int output_interval);

// Rows printed in each table (all penetrations with output_interval 1).
int printed_row_count(int npen, int output_interval);

// Writes the table of one method from its result lists (the marker of a
// row comes from its tip_control), with one plot
// record after each printed row. `user_method` selects the heading variant
// and the table without core column of the user-specified method.
void write_method_table(const AnalysisModel& m, const MethodResults& r, const TableTitle& title,
                        bool user_method, RunOutput& out);

}  // namespace zolan
