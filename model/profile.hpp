// Look-ups of the model shared by the methods, the capacity computation and
// the load-settlement analysis.
#pragma once

#include "model/model.hpp"
#include "model/numeric.hpp"

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

// Soil types: 1 sand, 2 clay, 3 silt. The formulas draw the line between
// cohesionless and cohesive soil in three ways; each keeps its own.
// Cohesionless: the type does not exceed 1 by more than 1e-6.
inline bool is_cohesionless(double soil_type) { return soil_type - 1.0 <= kTolerance; }
inline bool is_cohesive(double soil_type) { return !is_cohesionless(soil_type); }
// Sand exactly (type 1.0): the API default maximum friction, the soil flag
// of the t-z curves.
inline bool is_sand_exactly(double soil_type) { return soil_type == 1.0; }
// Cohesive without a tolerance: any type above 1 (the side friction of FHWA,
// Revised Lambda and the cone-resistance methods).
inline bool is_cohesive_above_one(double soil_type) { return soil_type > 1.0; }
// Sand for the critical depth of the layer profile: below 1.5.
inline bool is_sand_for_critical_depth(double soil_type) { return soil_type < 1.5; }

}  // namespace zolan
