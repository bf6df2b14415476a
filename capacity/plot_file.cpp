#include "capacity/plot_file.hpp"

namespace zolan {

void write_plot_header(LineSink& plot, int table_count, int printed_rows, int unit_system,
                       int load_transfer_method) {
  // Free format: each integer right-aligned in 12 columns.
  plot.put(Line()
               .i(table_count, 12)
               .i(printed_rows, 12)
               .i(unit_system, 12)
               .i(load_transfer_method, 12));
}

void write_capacity_record(LineSink& plot, double length, double skin, double end,
                           double ultimate, double unit_friction) {
  plot.put(Line()
               .x(2)
               .f(length, 7, 2)
               .x(2)
               .f(skin, 8, 1)
               .x(2)
               .f(end, 8, 1)
               .x(2)
               .f(ultimate, 9, 1)
               .x(2)
               .f(unit_friction, 9, 3));
}

}  // namespace zolan
