// Lookups shared by the capacity computation and the CPT-based methods.
#pragma once

#include "model/model.hpp"

namespace zolan {

// Cone resistance of the CPT profile at `depth`, interpolated linearly
// between the points (the first value above the first point, the last below
// the last); 0 without CPT points. In the units of the CPT data file.
double cpt_profile_qc(const AnalysisModel& m, double depth);

// The penetration list read per layer j: penetration_depth(j) for
// j <= npen, and (j - 1) x length_step for the layers below the tip.
double penetration_depth_of_layer(const AnalysisModel& m, int j);

// The layer whose values apply at penetration point k: layer k, or the
// deepest layer for a point below it.
inline int layer_at(const AnalysisModel& m, int k) {
  return k <= m.layer_count ? k : m.layer_count;
}

}  // namespace zolan
