// ICP/MTD: unit side friction of sand from the radial stress by qc and
// sigma'v with the dilation term of the shear modulus; end bearing of sand
// as a fraction of qc falling with the diameter.
#include <algorithm>
#include <cmath>

#include "methods/cpt_steps.hpp"
#include "methods/rules.hpp"
#include "model/numeric.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// Radial displacement of dilation, 0.02 mm: in inches (single precision)
// and in millimetres.
constexpr double kDilationInches = 0.0007874015718698502;
constexpr double kDilationMillimetres = f32(0.02);

// The bottom stress of eta and of the radial stress is floored: with no
// stress above it eta would divide by 0.
constexpr double kSmallestBottomStress = 1e-10;

// The shear-modulus divisor passes through 0 near eta = 1044: it is kept
// this far from 0 (with its sign).
constexpr double kSmallestModulusDivisor = 1e-10;

// Shear modulus G from qc and eta = qc / sqrt(pa sigma'v).
double shear_modulus(double qc, double eta) {
  double divisor = f32(0.0203) + eta * (f32(0.00125) - f32(1.216e-6) * eta);
  if (std::fabs(divisor) < kSmallestModulusDivisor) {
    divisor = std::copysign(kSmallestModulusDivisor, divisor);
  }
  return qc / divisor;
}

// Radial stress after equalisation at a point of stress sigma'v.
double radial_stress(double qc, double stress, double pa, double h_over_r) {
  return f32(0.029) * qc * std::pow(stress / pa, f32(0.13)) * std::pow(h_over_r, f32(-0.38));
}

// log10 of a zero diameter is unbounded: the diameter is floored.
constexpr double kSmallestDiameter = 1e-10;

double icp_bearing(const AnalysisModel& m, double qc) {
  const double od_mm = diameter_mm(m);
  const double r = std::log10(std::max(od_mm, kSmallestDiameter) / 36.0);
  double q;
  if (m.pile_inner_diameter < 1e-4) {
    q = (1.0 - 0.5 * r) * qc;
    if (od_mm > 900.0) q = std::max(q, 0.3 * qc);
  } else {
    q = (0.5 - 0.25 * r) * qc;
    if (od_mm > 900.0) q = std::max(q, 0.15 * qc);
    if (m.plug_condition == 2) q = qc;
  }
  return q;
}

}  // namespace

FrictionPair icp_sand_friction(const AnalysisModel& m, int i) {
  const double qc = side_friction_qc(m, i);
  const double pa = side_friction_pressure(m);
  const double stress_top = m.boundary_vertical_stress[2 * i - 1];
  const double stress_bottom = std::max(m.boundary_vertical_stress[2 * i], kSmallestBottomStress);
  const double h_over_r =
      std::max(cohesionless_height_above_tip(m, i) / equivalent_radius(m), kLeastHeightOverRadius);

  const double eta = qc / std::sqrt(pa * stress_bottom);
  const double g = shear_modulus(qc, eta);
  const double dr = is_english(m) ? kDilationInches : kDilationMillimetres;
  const double dilation = 2.0 * g * dr / pile_radius(m);  // the same at both points
  const double tan_delta = tan_of_sand_interface(m.layer_friction_angle[i]);
  const bool open_tip = m.pile_inner_diameter > f32(1e-5);

  auto friction = [&](double stress) {
    const double src = radial_stress(qc, stress, pa, h_over_r);
    if (m.loading_type != 1) return (src + dilation) * tan_delta;
    const double f = (f32(0.8) * src + dilation) * tan_delta;
    return open_tip ? f * f32(0.9) : f;
  };
  return {friction(stress_top), friction(stress_bottom)};
}

void compute_icp(AnalysisModel& m, RunOutput& out) {
  compute_cpt_side_friction(m, out, kCodeIcp, icp_sand_friction);
}

void icp_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                      double& qb) {
  bearing_from_layer_qc(m, j, icp_bearing, qt, qb);
}

}  // namespace zolan
