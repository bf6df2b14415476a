// The computational layers as a depth grid: the bottom of each layer
// accumulated from the thicknesses, the search for the layer that holds a
// depth, and the interpolation of boundary lists (entry 2j - 1 at the top,
// 2j at the bottom of layer j).
#pragma once

#include <algorithm>
#include <vector>

#include "model/model.hpp"
#include "model/numeric.hpp"

namespace zolan {

class LayerGrid {
 public:
  explicit LayerGrid(const AnalysisModel& m)
      : layers_(std::clamp(m.layer_count, 0, kMaxLayers)),
        thickness_(static_cast<std::size_t>(layers_) + 1, 0.0),
        bottom_(static_cast<std::size_t>(layers_) + 1, 0.0) {
    for (int j = 1; j <= layers_; ++j) {
      thickness_[at(j)] = m.layer_thickness[j];
      bottom_[at(j)] = bottom_[at(j - 1)] + thickness_[at(j)];
    }
  }

  int layers() const { return layers_; }
  double thickness(int j) const { return thickness_[at(j)]; }
  double bottom(int j) const { return bottom_[at(j)]; }

  // The first layer whose bottom is within 1e-6 of y or deeper (the
  // deepest layer when none is); `below` tells that y lies deeper than the
  // bottom of the deepest layer. The bottoms never decrease, so the layer
  // is found by bisection.
  int find(double y, bool& below) const {
    if (layers_ < 1) {
      below = false;
      return 1;
    }
    const auto first = bottom_.begin() + 1;
    const auto last = bottom_.begin() + layers_;  // the deepest layer stops the search
    const auto it = std::partition_point(first, last, [y](double b) { return y - b > kTolerance; });
    const int j = static_cast<int>(it - bottom_.begin());
    below = y - bottom_[at(j)] > kTolerance;
    return j;
  }

  // Linear interpolation of a boundary list v at y, s = y less the top of
  // its layer; the bottom value of the deepest layer below it.
  template <typename Values>
  double value(const Values& v, double y) const {
    if (layers_ < 1) return 0.0;
    bool below = false;
    const int j = find(y, below);
    const double top = v[at(2 * j - 1)];
    const double bot = v[at(2 * j)];
    if (below) return bot;
    return along(j, top, bot, y - bottom_[at(j - 1)]);
  }

  // top + (bot - top) x s / h(j): s below the top of layer j; a layer of
  // zero thickness is taken at its top value.
  double along(int j, double top, double bot, double s) const {
    const double h = thickness_[at(j)];
    return h > 1e-10 ? top + (bot - top) * s / h : top;
  }

  static std::size_t at(int i) { return static_cast<std::size_t>(i); }

 private:
  int layers_;
  std::vector<double> thickness_;
  std::vector<double> bottom_;
};

}  // namespace zolan
