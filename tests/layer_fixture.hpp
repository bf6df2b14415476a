// A pile in hand-built computational layers, for the tests of the methods,
// the end bearing and the capacity: layers of one thickness, each from its
// own soil values, with the penetration list as the method run leaves it,
// (i - 1) x thickness.
#pragma once

#include <memory>
#include <vector>

#include "model/model.hpp"
#include "model/numeric.hpp"

namespace zolan::testing {

struct LayerSoil {
  double soil_type = 1.0;
  double K = 0.0;
  double phi = 0.0;
  double nq = 0.0;
  double su = 0.0;
  double su_remolded = 0.0;
  double max_friction = kNotLimited;
  double max_bearing = kNotLimited;
  double qc = 0.0;    // layer cone resistance (psf or kPa)
  double blow = 0.0;  // blow count (or yield stress ratio of a clay)
  double plasticity_index = 0.0;
  double lrfd_friction = 1.0;
  double lrfd_bearing = 1.0;
  double adhesion_case = 0.0;  // column 17
  // Effective vertical stress at the top and bottom of the layer; both
  // negative: the stress grows from 0 by the fixture's gradient.
  double stress_top = -1.0;
  double stress_bottom = -1.0;
};

struct LayeredPile {
  int unit_system = 1;
  double thickness = 1.0;  // layer thickness, length step and penetration step
  double pile_diameter = 12.0;
  double pile_length = 0.0;       // embedded; npen follows from it unless given
  int npen = -1;
  double stress_gradient = 0.0;   // per unit depth, for layers without stresses
  std::vector<LayerSoil> layers;

  std::unique_ptr<AnalysisModel> build() const {
    auto m = std::make_unique<AnalysisModel>();
    m->unit_system = unit_system;
    m->pile_diameter = pile_diameter;
    m->pile_length = pile_length;
    m->length_step = thickness;
    m->penetration_step = thickness;
    m->npen = npen >= 0 ? npen : static_cast<int>(pile_length / thickness + kTolerance) + 1;
    m->layer_count = static_cast<int>(layers.size());
    for (int j = 1; j <= m->layer_count; ++j) {
      const LayerSoil& s = layers[static_cast<std::size_t>(j - 1)];
      m->layer_top_depth[j] = (j - 1) * thickness;
      m->layer_bottom_depth[j] = j * thickness;
      m->layer_thickness[j] = thickness;
      m->layer_soil_type[j] = s.soil_type;
      m->layer_K[j] = s.K;
      m->layer_friction_angle[j] = s.phi;
      m->layer_Nq[j] = s.nq;
      m->layer_su_undisturbed[j] = s.su;
      m->layer_su_remolded[j] = s.su_remolded;
      m->layer_max_unit_friction[j] = s.max_friction;
      m->layer_max_unit_bearing[j] = s.max_bearing;
      m->layer_cone_resistance[j] = s.qc;
      m->layer_blow_count[j] = s.blow;
      m->layer_plasticity_index[j] = s.plasticity_index;
      m->layer_lrfd_friction[j] = s.lrfd_friction;
      m->layer_lrfd_bearing[j] = s.lrfd_bearing;
      m->layer_adhesion_case[j] = s.adhesion_case;
      m->layer_tip_movement[j] = s.adhesion_case;
      const bool given = s.stress_top >= 0.0 || s.stress_bottom >= 0.0;
      m->boundary_vertical_stress[2 * j - 1] =
          given ? s.stress_top : (j - 1) * thickness * stress_gradient;
      m->boundary_vertical_stress[2 * j] = given ? s.stress_bottom : j * thickness * stress_gradient;
    }
    for (int i = 1; i <= kMaxPenetrations; ++i) m->penetration_depth[i] = (i - 1) * thickness;
    return m;
  }
};

}  // namespace zolan::testing
