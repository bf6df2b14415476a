#include "capacity/layers.hpp"

#include <algorithm>

#include "model/interpolate.hpp"
#include "model/numeric.hpp"
#include "model/profile.hpp"
#include "model/units.hpp"
#include "model/preparation.hpp"

namespace zolan {
namespace {

// Friction angle (degrees) against blow count N at 0 psi effective stress.
constexpr TablePoint kPhiAtZeroStress[] = {
    {0, 0},   {2, 32},  {4, 34},  {6, 36},  {10, 38}, {15, 42}, {20, 45},
    {25, 45}, {30, 45}, {35, 45}, {40, 45}, {45, 45}, {50, 45}, {55, 45},
};

// Friction angle (degrees) against blow count N at 20 psi (30 below N = 6).
constexpr TablePoint kPhiAt20Psi[] = {
    {0, 30},  {2, 30},  {4, 30},  {6, 30},  {10, 32}, {15, 34}, {20, 36},
    {25, 37}, {30, 39}, {35, 40}, {40, 41}, {45, 42}, {50, 44}, {55, 45},
};

// Friction angle (degrees) against blow count N at 40 psi (from N = 10 on).
constexpr TablePoint kPhiAt40Psi[] = {
    {10, 31}, {15, 32}, {20, 34}, {25, 35}, {30, 36}, {35, 36},
    {40, 37}, {45, 38}, {50, 39}, {55, 39}, {60, 40}, {65, 41},
    {70, 42}, {75, 42}, {80, 43}, {85, 44}, {90, 44},
};

// Upper limit of the friction angle (degrees) against N at 0 psi; constant
// outside the listed blow counts.
constexpr TablePoint kPhiCapAtZeroStress[] = {
    {3, 30}, {4, 32}, {10, 35}, {30, 40}, {60, 43},
};

// Upper limit of the friction angle (degrees) against N at 40 psi; constant
// outside the listed blow counts.
constexpr TablePoint kPhiCapAt40Psi[] = {
    {3, 25}, {4, 27}, {10, 30}, {30, 35}, {60, 38},
};

// Effective stress at which the critical depth is reached (option 1).
constexpr double kCriticalStressKsf = 3.5;
constexpr double kCriticalStressKpa = 167.58;

// Where a layer takes its soil values: the interval (upper, upper + 1) at
// distance s below the upper point, or the upper point alone.
struct SoilSource {
  int upper = 1;
  bool interpolated = false;
  double s = 0.0;
  double span = 1.0;
};

double soil_value(const AnalysisModel& m, const SoilSource& src, int column) {
  const double v = m.soil_table(src.upper, column);
  if (!src.interpolated) return v;
  return v + (m.soil_table(src.upper + 1, column) - v) * src.s / src.span;
}

// Soil values of layer j at its mid-depth. `u` is the interval of the
// previous layer and is moved on to the interval holding this layer.
void fill_layer_soil(AnalysisModel& m, int j, int& u) {
  const bool english = m.unit_system == 1;
  const int deepest = std::max(m.soil_point_count, 1);
  const double top = m.layer_top_depth[j];
  while (u + 1 <= deepest && !(m.soil_point_depth[u + 1] - top > kTolerance)) ++u;

  SoilSource src;
  if (u + 1 > deepest) {
    // Below the deepest soil point (or a profile of one point): the deepest
    // point's values, held constant.
    src.upper = deepest;
  } else {
    src.upper = u;
    src.span = m.soil_point_depth[u + 1] - m.soil_point_depth[u];
    // A zero-thickness interval is selected only when the first soil points
    // share a depth below the layer top: take its upper point's values
    // rather than dividing by zero.
    if (src.span > 1.0e-10) {
      src.interpolated = true;
      src.s = top + m.penetration_step / 2.0 - m.soil_point_depth[u];
    }
  }

  m.layer_soil_type[j] = m.soil_table(src.upper, kColSoilType);  // never interpolated
  m.layer_K[j] = soil_value(m, src, kColK);
  m.layer_unit_weight[j] = soil_value(m, src, kColUnitWeight);
  m.layer_friction_angle[j] = soil_value(m, src, kColFrictionAngle);
  m.layer_Nq[j] = soil_value(m, src, kColNq);
  m.layer_max_unit_friction[j] = soil_value(m, src, kColMaxFriction);
  m.layer_max_unit_bearing[j] = soil_value(m, src, kColMaxBearing);
  m.layer_su_undisturbed[j] = soil_value(m, src, kColSuUndisturbed);
  m.layer_su_remolded[j] = soil_value(m, src, kColSuRemolded);
  m.layer_blow_count[j] = soil_value(m, src, kColBlowCount);
  m.layer_plasticity_index[j] = soil_value(m, src, kColPlasticityIndex);
  m.layer_cone_resistance[j] = soil_value(m, src, kColConeResistance);
  // User load transfer as entered (psf to ksf in English units); the user
  // method applies no tension reduction.
  const double user_f = soil_value(m, src, kColUserFriction);
  const double user_b = soil_value(m, src, kColUserBearing);
  m.layer_unit_friction_user[j] = english ? user_f / kPoundsPerKip : user_f;
  m.layer_unit_bearing_user[j] = english ? user_b / kPoundsPerKip : user_b;
  m.layer_lrfd_friction[j] = soil_value(m, src, kColLrfdFriction);
  m.layer_lrfd_bearing[j] = soil_value(m, src, kColLrfdBearing);
  m.layer_adhesion_case[j] = soil_value(m, src, kColAdhesionCaseOrTipMovement);
  m.layer_tip_movement[j] = m.layer_adhesion_case[j];
}

// Friction angle from the blow count and undrained strength from the cone
// resistance where the soil table gives none, at the layer's bottom stress.
void derive_strengths(AnalysisModel& m, int j, double& last_phi) {
  const bool english = m.unit_system == 1;
  if (m.layer_friction_angle[j] < 1.0e-10) {
    if (m.layer_blow_count[j] > 0.0) {
      const double stress = m.boundary_vertical_stress[2 * j];
      const double psi = english ? stress * kPoundsPerKip / kSquareInchesPerSquareFoot : stress / kKpaPerPsi;
      m.layer_friction_angle[j] = phi_from_blow_count(m.layer_blow_count[j], psi, last_phi);
    } else {
      m.layer_friction_angle[j] = last_phi;
    }
  }
  if (m.layer_su_undisturbed[j] < 1.0e-10) {
    const double qc = english ? m.layer_cone_resistance[j] / kPoundsPerKip : m.layer_cone_resistance[j];
    m.layer_su_undisturbed[j] = qc / 15.0;
  }
}

// Critical depth by 10, 15 or 20 pile diameters from the friction angle.
double critical_depth_by_diameters(const AnalysisModel& m, int j) {
  const double od = diameter_length(m);
  const double phi = m.layer_friction_angle[j];
  if (phi < 33.0) return 10.0 * od;
  if (phi < 36.0) return 15.0 * od;
  return 20.0 * od;
}

// Effective stress at depth z, continued from the top of the layer above
// the first layer k >= 2 whose bottom is not above z. False when z lies
// below every layer (nothing is limited then).
bool stress_at_depth(const AnalysisModel& m, double z, double& stress) {
  const int nl = m.layer_count;
  for (int k = 2; k <= nl; ++k) {
    if (z <= m.layer_bottom_depth[k]) {
      const double above = k == 2 ? 0.0 : m.boundary_vertical_stress[2 * k - 4];
      const double dz = z - m.layer_top_depth[k - 1];
      stress = m.unit_system == 1 ? above + dz * m.layer_unit_weight[k - 1] / 1000.0
                                  : above + dz * m.layer_unit_weight[k - 1];
      return true;
    }
  }
  return false;
}

// USACE stress table: at both boundaries of every layer, the effective
// stress limited to its value at the layer's critical depth.
void fill_usace_stresses(AnalysisModel& m) {
  const int nl = m.layer_count;
  for (int k = 1; k <= 2 * nl + 1; ++k) {
    m.boundary_vertical_stress_usace[k] = m.boundary_vertical_stress[k];
  }

  List<double, kMaxLayers> z{};
  if (m.critical_depth_option >= 1) {
    // Option 1 without a layer reaching the threshold: no critical depth.
    if (m.critical_depth_option == 1 && m.critical_depth < 1.0e-5) return;
    for (int j = 1; j <= nl; ++j) z[j] = m.critical_depth;
  } else {
    // Cohesive layers keep the depth of the nearest cohesionless layer
    // above; those above the first one take the deepest one's.
    int deepest_sand = 0;
    for (int j = 1; j <= nl; ++j) {
      if (is_sand_for_critical_depth(m.layer_soil_type[j])) deepest_sand = j;
    }
    if (deepest_sand == 0) return;  // no cohesionless layer: no critical depth
    double current = critical_depth_by_diameters(m, deepest_sand);
    for (int j = 1; j <= nl; ++j) {
      if (is_sand_for_critical_depth(m.layer_soil_type[j])) current = critical_depth_by_diameters(m, j);
      z[j] = current;
    }
  }

  for (int j = 1; j <= nl; ++j) {
    if (z[j] > m.layer_bottom_depth[j]) continue;  // critical depth not reached
    double limit = 0.0;
    if (!stress_at_depth(m, z[j], limit)) continue;
    for (int k = 2 * j - 1; k <= 2 * j; ++k) {
      m.boundary_vertical_stress_usace[k] = std::min(m.boundary_vertical_stress[k], limit);
    }
  }
  // The spare entry below the deepest layer follows its bottom, as in the
  // unlimited list.
  m.boundary_vertical_stress_usace[2 * nl + 1] = m.boundary_vertical_stress_usace[2 * nl];
}

}  // namespace

double phi_from_blow_count(double blow_count, double stress_psi, double& last_value) {
  const double n = blow_count;
  const double sigma = stress_psi;
  double phi = last_value;
  if (sigma <= 20.0) {
    if (n > 0.0 && n <= 20.0) {
      const double phi0 = interpolate(kPhiAtZeroStress, n);
      const double phi20 = n < 6.0 ? 30.0 : interpolate(kPhiAt20Psi, n);
      phi = phi0 - (phi0 - phi20) * sigma / 20.0;
    } else if (n > 20.0 && n <= 55.0) {
      const double phi20 = interpolate(kPhiAt20Psi, n);
      phi = phi20 + (20.0 - sigma) * (45.0 - phi20) / 20.0;
    } else if (n > 55.0 && n < 90.0) {
      const double phi40 = interpolate(kPhiAt40Psi, n);
      phi = phi40 + (40.0 - sigma) * (45.0 - phi40) / 20.0;
    } else if (n > 90.0) {
      phi = 50.0;
    }
    // N = 90 (and N <= 0): the last value.
  } else if (sigma >= 40.0) {
    if (n > 10.0 && n < 90.0) phi = interpolate(kPhiAt40Psi, n);
    // Otherwise the last value.
  } else {
    if (n <= 6.0) {
      phi = 30.0;
    } else if (n < 10.0) {
      phi = 30.0 + 0.5 * (n - 6.0);
    } else if (n <= 55.0) {
      const double phi20 = interpolate(kPhiAt20Psi, n);
      const double phi40 = interpolate(kPhiAt40Psi, n);
      phi = phi20 - (sigma - 20.0) * (phi20 - phi40) / 20.0;
    } else if (n < 90.0) {
      const double phi40 = interpolate(kPhiAt40Psi, n);
      phi = phi40 + (40.0 - sigma) * (45.0 - phi40) / 20.0;
    } else if (n > 90.0) {
      phi = 50.0;
    }
    // N = 90: the last value.
  }

  const double cap0 = interpolate(kPhiCapAtZeroStress, n);
  const double cap40 = interpolate(kPhiCapAt40Psi, n);
  double cap;
  if (sigma <= 0.0) {
    cap = cap0;
  } else if (sigma >= 40.0) {
    cap = cap40;
  } else {
    cap = cap0 + sigma * (cap40 - cap0) / 40.0;
  }
  last_value = std::min(phi, cap);
  return last_value;
}

void prepare_layers(AnalysisModel& m) {
  const bool english = m.unit_system == 1;
  // length_step > 0 by the input checks; the count is 1..500 here, the clamp
  // only keeps every list in range.
  const int nl = std::clamp(static_cast<int>(m.soil_profile_depth / m.length_step + kTolerance),
                            0, kMaxLayers);
  m.layer_count = nl;
  m.npen = pile_penetration_count(m);
  if (m.critical_depth_option == 1) m.critical_depth = 0.0;

  const double h = m.penetration_step;
  int u = 1;
  for (int j = 1; j <= nl; ++j) {
    m.layer_top_depth[j] = (j - 1) * h;
    m.layer_bottom_depth[j] = j * h;
    m.layer_thickness[j] = h;
    fill_layer_soil(m, j, u);
  }

  // Effective vertical stress at the boundaries; 2j + 1 repeats 2j.
  m.boundary_vertical_stress[1] = 0.0;
  for (int j = 1; j <= nl; ++j) {
    const double top = m.boundary_vertical_stress[2 * j - 1];
    m.boundary_vertical_stress[2 * j] = english ? top + h * m.layer_unit_weight[j] / 1000.0
                                                : top + h * m.layer_unit_weight[j];
    m.boundary_vertical_stress[2 * j + 1] = m.boundary_vertical_stress[2 * j];
  }

  // The correlation's last value starts afresh at every preparation, so both
  // passes build the same layers.
  double last_phi = 0.0;
  const double threshold = english ? kCriticalStressKsf : kCriticalStressKpa;
  for (int j = 1; j <= nl; ++j) {
    derive_strengths(m, j, last_phi);
    // Layer 1 is not tested for the critical depth by stress.
    if (j >= 2 && m.critical_depth_option == 1 && m.critical_depth < 1.0e-5 &&
        m.boundary_vertical_stress[2 * j] > threshold) {
      m.critical_depth = m.layer_bottom_depth[j];
    }
  }

  if (nl >= 1) fill_usace_stresses(m);
}

}  // namespace zolan
