// Fixed-capacity lists numbered from 1, as the engine's formulas number
// layers, boundaries and penetrations. Entry 0 exists but is never used by
// the computation. Every access is checked: an index outside 0..N stops the
// process with a message instead of reading or writing past the list.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>

namespace zolan {

[[noreturn]] inline void index_fault(const char* what, int index, int capacity) {
  std::fprintf(stderr, "zolan: internal error: %s index %d outside 0..%d\n", what, index,
               capacity);
  std::abort();
}

template <class T, int N>
struct List {
  static constexpr int capacity = N;
  std::array<T, N + 1> v{};

  T& operator[](int i) {
    if (i < 0 || i > N) index_fault("list", i, N);
    return v[static_cast<std::size_t>(i)];
  }
  const T& operator[](int i) const {
    if (i < 0 || i > N) index_fault("list", i, N);
    return v[static_cast<std::size_t>(i)];
  }
  void fill(const T& value) { v.fill(value); }
};

// Rows 1..R by columns 1..C.
template <class T, int R, int C>
struct Table {
  static constexpr int rows = R;
  static constexpr int columns = C;
  std::array<std::array<T, C + 1>, R + 1> v{};

  T& operator()(int r, int c) {
    if (r < 0 || r > R) index_fault("table row", r, R);
    if (c < 0 || c > C) index_fault("table column", c, C);
    return v[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
  }
  const T& operator()(int r, int c) const {
    if (r < 0 || r > R) index_fault("table row", r, R);
    if (c < 0 || c > C) index_fault("table column", c, C);
    return v[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
  }
  void fill(const T& value) {
    for (auto& row : v) row.fill(value);
  }
};

// Whether entries from..to never decrease (an entry without a value, NaN,
// breaks the order).
template <class T, int N>
bool ascends(const List<T, N>& list, int from, int to) {
  for (int k = from; k < to; ++k) {
    if (!(list[k] <= list[k + 1])) return false;
  }
  return true;
}

// The first index k in from..to with x <= list[k], or to + 1 when there is
// none. In a list that ascends over from..to the test, once true, stays true,
// so bisection finds the index; otherwise the entries are scanned in order.
template <class T, int N>
int first_at_or_above(const List<T, N>& list, int from, int to, double x, bool ascending) {
  if (!ascending) {
    for (int k = from; k <= to; ++k) {
      if (x <= list[k]) return k;
    }
    return to + 1;
  }
  int first = from;
  int past = to + 1;
  while (first < past) {
    const int mid = first + (past - first) / 2;
    if (x <= list[mid]) {
      past = mid;
    } else {
      first = mid + 1;
    }
  }
  return first;
}

}  // namespace zolan
