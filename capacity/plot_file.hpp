// Plot data file: the header record and the capacity records. The
// load-settlement analysis appends its own records after them.
#pragma once

#include "engine/format.hpp"
#include "model/model.hpp"

namespace zolan {

// Header: table count, printed_row_count, unit_system, load_transfer_method
// as one free-format line of four integers.
void write_plot_header(LineSink& plot, int table_count, int printed_rows, int unit_system,
                       int load_transfer_method);

// One capacity record: length along the pile, skin friction, end bearing
// (or self weight), ultimate capacity and unit side friction.
void write_capacity_record(LineSink& plot, double length, double skin, double end,
                           double ultimate, double unit_friction);

}  // namespace zolan
