// Computational layer profile: the soil points turned into layers of equal
// thickness with boundary stresses, friction angles from blow counts,
// undrained strengths from cone resistance and the critical-depth stresses.
#pragma once

#include "model/model.hpp"

namespace zolan {

// Builds the layers (layer_count, every layer_* list, the boundary stress
// lists, npen) from the soil profile. Called at the start of each pass.
void prepare_layers(AnalysisModel& m);

// Friction angle (degrees) from the blow count N at the effective stress
// `stress_psi`. `last_value` is the angle the correlation produced on its
// previous call; it is used on the fallback paths and updated with the
// result.
double phi_from_blow_count(double blow_count, double stress_psi, double& last_value);

}  // namespace zolan
