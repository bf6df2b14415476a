#include "bench/pile_cases.hpp"

#include <cstdio>
#include <string>

namespace zolan::bench {
namespace {

// Layers touch with a 0.2 ft gap, which the run snaps to one depth.
constexpr double kLayerGap = 0.2;

// Appends printf-formatted text (the benchmark texts are built once).
template <typename... Args>
void add(std::string& s, const char* format, Args... args) {
  char buf[256];
  std::snprintf(buf, sizeof buf, format, args...);
  s += buf;
}

// Records A and B of one soil point: sand (the first layer and every second
// one) with a blow count and user values, clay (the others) with su rising
// with depth.
void add_soil_point(std::string& s, int layer, double depth) {
  if (layer % 2 == 0) {
    add(s, "%.2f 1.0 0.8 %.1f %.1f 0.0\n", depth, layer == 0 ? 115.0 : 62.0, 32.0 + layer % 5);
    add(s, "0.0 0.0 0.0 %.1f 0.0 0.0 0.0 1500.0 80000.0 1.0 1.0 0.0\n", 15.0 + 0.05 * depth);
  } else {
    const double su = 600.0 + 20.0 * depth;
    add(s, "%.2f 2.0 0.0 55.0 0.0 0.0\n", depth);
    add(s, "0.0 0.0 %.1f %.1f 1.5 25.0 0.0 1200.0 40000.0 1.0 1.0 0.0\n", su, 0.5 * su);
  }
}

}  // namespace

std::string input_text(const PileCase& c) {
  std::string s = "BENCHMARK PILE IN ALTERNATING SAND AND CLAY\nBENCH\nB-1\n";
  add(s, "1 1 %d 0\n", 2 * c.layer_count);
  add(s, "0.0 0.0 24.0 22.5 29000000.0 %.1f 0.0\n", c.pile_length);
  s += "0.0 0.0 0.0\n";
  add(s, "0.0 1.0 1 0.0 4 %d 0\n", c.soil_detail_option);
  add(s, "%s\n", c.methods);
  add(s, "%.1f 0.0\n", c.profile_depth);
  const double thickness = c.profile_depth / c.layer_count;
  for (int k = 0; k < c.layer_count; ++k) {
    add_soil_point(s, k, k == 0 ? 0.0 : k * thickness + kLayerGap);
    add_soil_point(s, k, (k + 1) * thickness);
  }
  if (c.check_depth_count > 0) {
    add(s, "1\n%d\n", c.check_depth_count);
    for (int k = 1; k <= c.check_depth_count; ++k) {
      add(s, "%.3f\n", k * c.pile_length / (c.check_depth_count + 1));
    }
  } else {
    s += "0\n";
  }
  s += "0 1.0\n0 0 0\n0 0\n0 0.0\n";
  return s;
}

std::string cpt_text(const PileCase& c) {
  std::string s;
  add(s, "1 %d\n", c.cpt_point_count);
  for (int k = 0; k < c.cpt_point_count; ++k) {
    const double depth = k * c.profile_depth / c.cpt_point_count;
    add(s, "%.3f %.1f\n", depth, 60000.0 + 400.0 * depth);
  }
  return s;
}

}  // namespace zolan::bench
