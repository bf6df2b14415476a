// A pile in computational layers of 1 ft for the tables of the method
// routines: English units, a 12 in pile (perimeter 3.14159 ft), the
// penetration list as the run leaves it ((i - 1) x length_step). Each layer
// is one row: soil type, K, phi, su, remolded su, maximum friction, stresses
// at the top and bottom, LRFD factor on friction, adhesion case.
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

inline std::unique_ptr<AnalysisModel> pile_in_layers(const std::vector<PileLayer>& layers,
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
  return p.build();
}

}  // namespace zolan::testing
