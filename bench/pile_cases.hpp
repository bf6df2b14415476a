// Generated input and CPT data texts for the benchmarks: a pile in
// alternating sand and clay layers, one penetration point per foot.
#pragma once

#include <string>

namespace zolan::bench {

struct PileCase {
  double profile_depth;     // soil_profile_depth, ft; length_step is 1 ft
  double pile_length;       // ft, no stickup; 24 in open pipe
  int layer_count;          // two soil points per layer (top and bottom)
  int cpt_point_count;      // cone profile points over the whole profile
  int check_depth_count;    // verification t-z depths along the pile
  const char* methods;      // record 8: the nine method flags
  int soil_detail_option;
};

// Record by record, as an input data file (English units, load-transfer
// method API RP 2A).
std::string input_text(const PileCase& c);

// The CPT data file: qc rising with depth.
std::string cpt_text(const PileCase& c);

}  // namespace zolan::bench
