// Unit end bearing at the layer boundaries for the method of m.method_code.
#pragma once

#include "model/model.hpp"

namespace zolan {

// Fills boundary_unit_end_bearing(1 .. 2 NL) for m.method_code by walking
// the layers: the method's own rule in each layer, with what all methods
// share (9 su in clay, the maximum unit bearing in clay, the API Nq filled
// in where a sand layer gives none).
void compute_unit_end_bearing(AnalysisModel& m);

}  // namespace zolan
