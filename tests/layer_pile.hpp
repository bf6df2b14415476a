// A pile over computational layers of 1 ft for the tests of the method
// routines: a 12 in pile (perimeter 3.14159 ft, E 3e6 psi, pipe type 1),
// English units, length step 1 ft, the penetration list as the method run
// leaves it ((i - 1) x length_step), and per layer its soil values and the
// effective stress at its top and bottom (the USACE limited stress list
// equal to the plain one).
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "model/model.hpp"

namespace zolan::testing {

struct PileLayer {
  double soil_type;
  double K;
  double phi;
  double su;
  double su_remolded;
  double max_friction;
  double stress_top;
  double stress_bottom;
  double lrfd = 1.0;
};

inline std::unique_ptr<AnalysisModel> layered_pile(const std::vector<PileLayer>& layers,
                                                   double pile_length) {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = 1;
  m->pile_diameter = 12.0;
  m->pile_type = 1;
  m->modulus_of_elasticity = 3.0e6;
  m->pile_length = pile_length;
  m->length_step = 1.0;
  m->penetration_step = 1.0;
  m->layer_count = static_cast<int>(layers.size());
  for (int j = 1; j <= m->layer_count; ++j) {
    const PileLayer& l = layers[static_cast<std::size_t>(j - 1)];
    m->layer_top_depth[j] = j - 1.0;
    m->layer_bottom_depth[j] = j;
    m->layer_thickness[j] = 1.0;
    m->layer_soil_type[j] = l.soil_type;
    m->layer_K[j] = l.K;
    m->layer_friction_angle[j] = l.phi;
    m->layer_su_undisturbed[j] = l.su;
    m->layer_su_remolded[j] = l.su_remolded;
    m->layer_max_unit_friction[j] = l.max_friction;
    m->layer_lrfd_friction[j] = l.lrfd;
    m->boundary_vertical_stress[2 * j - 1] = l.stress_top;
    m->boundary_vertical_stress[2 * j] = l.stress_bottom;
    m->boundary_vertical_stress_usace[2 * j - 1] = l.stress_top;
    m->boundary_vertical_stress_usace[2 * j] = l.stress_bottom;
  }
  for (int i = 1; i <= kMaxPenetrations; ++i) m->penetration_depth[i] = (i - 1) * 1.0;
  return m;
}

}  // namespace zolan::testing
