// The one interpolation helper of the design tables.
#pragma once

#include <span>

namespace zolan {

struct TablePoint {
  double x;
  double y;
};

// Linear interpolation in a table sorted by x: the first row whose x is not
// less than the argument and the row before it bound the interval; at or
// below the first row the first value applies, above the last row the last.
inline double interpolate(std::span<const TablePoint> table, double x) {
  if (table.empty()) return 0.0;
  if (x <= table.front().x) return table.front().y;
  for (std::size_t k = 1; k < table.size(); ++k) {
    if (table[k].x >= x) {
      const TablePoint& a = table[k - 1];
      const TablePoint& b = table[k];
      return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
    }
  }
  return table.back().y;
}

}  // namespace zolan
