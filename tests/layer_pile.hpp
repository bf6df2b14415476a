// A pile over computational layers of 1 ft for the tables of the method
// routines: a 12 in pile (perimeter 3.14159 ft, E 3e6 psi, pipe type 1),
// English units, length step 1 ft, the penetration list as the method run
// leaves it ((i - 1) x length_step). Each layer is one row: soil type, K,
// phi, su, remolded su, maximum friction, effective stress at the top and
// bottom (the USACE limited stress list equal to it), LRFD factor on
// friction, adhesion case.
#pragma once

#include <memory>
#include <vector>

#include "layer_fixture.hpp"

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
  double adhesion_case = 0.0;
};

inline std::unique_ptr<AnalysisModel> layered_pile(const std::vector<PileLayer>& layers,
                                                   double pile_length) {
  LayeredPile p;
  p.pile_length = pile_length;
  for (const PileLayer& l : layers) {
    p.layers.push_back(LayerSoil{.soil_type = l.soil_type,
                                 .K = l.K,
                                 .phi = l.phi,
                                 .su = l.su,
                                 .su_remolded = l.su_remolded,
                                 .max_friction = l.max_friction,
                                 .lrfd_friction = l.lrfd,
                                 .adhesion_case = l.adhesion_case,
                                 .stress_top = l.stress_top,
                                 .stress_bottom = l.stress_bottom});
  }
  auto m = p.build();
  m->pile_type = 1;
  m->modulus_of_elasticity = 3.0e6;
  for (int k = 1; k <= 2 * m->layer_count; ++k) {
    m->boundary_vertical_stress_usace[k] = m->boundary_vertical_stress[k];
  }
  return m;
}

// The same rows, under the name the FHWA tables use.
inline std::unique_ptr<AnalysisModel> pile_in_layers(const std::vector<PileLayer>& layers,
                                                     double pile_length) {
  return layered_pile(layers, pile_length);
}

}  // namespace zolan::testing
