// NGI: unit side friction of clay from an adhesion factor by the strength
// ratio and the plasticity index, of sand from the relative density given by
// the cone resistance; end bearing of sand from the relative density.
#include <algorithm>
#include <cmath>

#include "methods/cpt_steps.hpp"
#include "methods/penetration.hpp"
#include "methods/rules.hpp"
#include "model/numeric.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// Atmospheric pressure of the side friction (not that of the end bearing):
// ksf, carried in single precision, and kPa.
constexpr double kSidePaEnglish = f32(2.0885546);  // 2.088554620742798
constexpr double kSidePaSi = 100.0;

// Cone resistance per blow of the blow count, in atmospheric pressures of
// the side friction (single precision).
constexpr double kSideQcPerBlow = f32(2.8);

// Clay: the stress at the layer bottom divides su and psi is raised to a
// negative power; both are floored.
constexpr double kSmallestClayStress = 1.0e-10;
constexpr double kSmallestPsi = 1.0e-10;

// Clay: the strength ratio psi at which the normally consolidated rule ends
// and the overconsolidated one begins; the transition lies between them.
constexpr double kNormallyConsolidatedPsi = 0.25;
constexpr double kOverconsolidatedPsi = 1.0;

// Clay: a plasticity index at or below 10 (normally consolidated rule) or
// 12 (the transition) is taken just above it, so that (PI - 10)^0.3 and
// (PI - 12)^0.33 stay defined (single precision).
constexpr double kLeastPlasticity = f32(10.000001);            // 10.000000953674316
constexpr double kLeastTransitionPlasticity = f32(12.000001);  // 12.000000953674316

// Sand: the top stress is raised to this in English units.
constexpr double kSmallestSandTopStressEnglish = 1.0e-8;

// Sand: least relative density, which keeps (Dr - 0.1)^1.7 defined.
constexpr double kLeastDensityEnglish = 0.200001;
constexpr double kLeastDensitySi = 0.20001;

// An inside diameter at the tip from which the pile is open-ended: clay
// from this value on, sand above it.
constexpr double kOpenEndDiameter = 1.0e-5;

// A pile with no embedded length has no depth ratio: it is taken as 0
// rather than divided by the zero length.
constexpr double kShortestPile = 1.0e-10;

double side_pa(const AnalysisModel& m) { return is_english(m) ? kSidePaEnglish : kSidePaSi; }

struct ClayFriction {
  double outside;  // undisturbed strength
  double inside;   // remolded strength: the inside of an open-ended pile
};

// Clay unit friction from su and the bottom stress sigma_b (already
// floored). Below the normally consolidated psi and within the transition
// the remolded value keeps the lower bound f_min of the transition, with
// alpha_NC below it; above the overconsolidated psi there is no lower bound.
ClayFriction clay_friction(double su, double su_remolded, double sigma_b, double plasticity,
                           bool open_end) {
  const double psi = std::max(su / sigma_b, kSmallestPsi);
  const double f_t = open_end ? 0.8 + 0.2 * std::sqrt(psi) : 1.0;
  if (psi > kOverconsolidatedPsi) {
    const double alpha = 0.5 / std::pow(psi, 0.3);
    return {f_t * alpha * su, f_t * alpha * su_remolded};
  }
  const double pi_t = plasticity <= 12.0 ? kLeastTransitionPlasticity : plasticity;
  const double f_min = 0.06 * std::pow(pi_t - 12.0, 0.33) * sigma_b;
  const double alpha_nc = 0.32 * std::pow(pi_t - 10.0, 0.3);
  if (psi < kNormallyConsolidatedPsi) {
    const double pi_nc = plasticity <= 10.0 ? kLeastPlasticity : plasticity;
    const double f = 0.08 * std::pow(pi_nc - 10.0, 0.3) * sigma_b;
    return {f, std::max(f_min, f_t * alpha_nc * su_remolded)};
  }
  const double alpha_oc = 0.5 / std::pow(psi, 0.3);
  const double alpha = alpha_nc + (psi - 0.25) * (alpha_oc - alpha_nc) / 0.75;
  return {std::max(f_min, f_t * alpha * su), std::max(f_min, f_t * alpha * su_remolded)};
}

// F_Dr at a point of stress sigma (above 0): relative density from qc and
// q_ref = 22 sqrt(pa sigma). In SI units a qc below q_ref is raised to
// 1.01 q_ref, and stays raised for the layer's next point.
double density_factor(double& qc, double sigma, double pa, bool english) {
  const double q_ref = 22.0 * std::sqrt(pa * sigma);
  if (!english && q_ref > qc) qc = 1.01 * q_ref;
  const double least = english ? kLeastDensityEnglish : kLeastDensitySi;
  // A cone resistance of 0 or less: the density's limit as qc falls to 0
  // is its floor (ln(qc / q_ref) would be -inf or undefined).
  const double dr = qc > 0.0 ? std::max(0.4 * std::log(qc / q_ref), least) : least;
  return 2.1 * std::pow(dr - 0.1, 1.7);
}

// The factors of the sand friction that do not depend on the point.
struct SandFactors {
  double pa;
  double depth_ratio;  // z / L
  double f_tip;
  double f_load;
  double f_mat;

  // Unit friction at a point of stress sigma with its F_Dr. At a stress of
  // 0 or less the friction is 0, its limit as the stress falls to 0 (F_Dr
  // alone would be infinite there and F_sig 0).
  double friction(double f_dr, double sigma) const {
    if (!(sigma > 0.0)) return 0.0;
    const double f_sig = std::pow(sigma / pa, 0.25);
    return pa * depth_ratio * f_dr * f_sig * f_tip * f_load * f_mat;
  }
};

SandFactors sand_factors(const AnalysisModel& m, int i) {
  SandFactors s;
  s.pa = side_pa(m);
  s.depth_ratio = m.pile_length > kShortestPile ? m.layer_top_depth[i] / m.pile_length : 0.0;
  s.f_tip = m.pile_inner_diameter > kOpenEndDiameter ? 1.0 : 1.6;
  s.f_load = m.loading_type == 1 ? 1.0 : 1.3;
  s.f_mat = m.pile_type == 2 || m.pile_type == 3 ? 1.2 : 1.0;
  return s;
}

void set_boundary(AnalysisModel& m, int i, double top, double bottom, double inside_top,
                  double inside_bottom) {
  m.boundary_side_friction[2 * i - 1] = top;
  m.boundary_side_friction[2 * i] = bottom;
  m.boundary_unit_friction(2 * i - 1, kCodeNgi) = inside_top;
  m.boundary_unit_friction(2 * i, kCodeNgi) = inside_bottom;
}

void clay_layer(AnalysisModel& m, int i) {
  double& sigma_b = m.boundary_vertical_stress[2 * i];
  sigma_b = std::max(sigma_b, kSmallestClayStress);
  const ClayFriction f =
      clay_friction(m.layer_su_undisturbed[i], m.layer_su_remolded[i], sigma_b,
                    m.layer_plasticity_index[i], m.pile_inner_diameter >= kOpenEndDiameter);
  set_boundary(m, i, f.outside, f.outside, f.inside, f.inside);
}

// Sand: the bottom point first; the top point recomputes F_Dr from its own
// stress, except in layer 1, which takes the bottom's.
void sand_layer(AnalysisModel& m, int i) {
  const bool english = is_english(m);
  const SandFactors s = sand_factors(m, i);
  double& sigma_t = m.boundary_vertical_stress[2 * i - 1];
  if (english) sigma_t = std::max(sigma_t, kSmallestSandTopStressEnglish);
  const double sigma_b = m.boundary_vertical_stress[2 * i];
  double qc = layer_qc(m, i, kSideQcPerBlow * s.pa);

  double f_dr_bottom = 0.0;  // unused at a stress of 0 or less: the friction is 0
  if (sigma_b > 0.0) f_dr_bottom = density_factor(qc, sigma_b, s.pa, english);
  const double f_bottom = s.friction(f_dr_bottom, sigma_b);

  double f_top = 0.0;
  if (i == 1) {
    if (sigma_b > 0.0) f_top = s.friction(f_dr_bottom, sigma_t);
  } else if (sigma_t > 0.0) {
    f_top = s.friction(density_factor(qc, sigma_t, s.pa, english), sigma_t);
  }
  set_boundary(m, i, f_top, f_bottom, f_top, f_bottom);
}

// Unit end bearing at one boundary. With qc or sigma'v at 0 the relative
// density is unbounded and the rule tends to 0: that limit is taken instead
// of ln(0) or a division by 0.
double ngi_bearing(const AnalysisModel& m, double qc, double sigma) {
  if (!(qc > 0.0) || !(sigma > 0.0)) return 0.0;
  const double pa = atmospheric_pressure(m);
  const double dr = 0.4 * std::log(qc / (22.0 * std::sqrt(pa * sigma)));
  if (m.pile_inner_diameter > 1e-4) return 0.7 * qc / (1.0 + 3.0 * (dr * dr));
  return 0.8 * qc / (1.0 + dr * dr);
}

}  // namespace

void ngi_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                      double& qb) {
  const double qc = layer_qc(m, j);
  qt = ngi_bearing(m, qc, m.boundary_vertical_stress[2 * j - 1]);
  qb = ngi_bearing(m, qc, m.boundary_vertical_stress[2 * j]);
  cap_by_max_bearing(m, j, qt, qb);
}

void compute_ngi(AnalysisModel& m, RunOutput& /*out*/) {
  for (int i = 1; i <= m.layer_count; ++i) {
    // Cohesive: a soil type above 1 + 1e-6 (clay and silt).
    if (m.layer_soil_type[i] > 1.0 + kTolerance) {
      clay_layer(m, i);
    } else {
      sand_layer(m, i);
    }
  }
  const int points = penetration_point_count(m);
  distribute_to_penetrations(m, m.boundary_side_friction, points);
  // No friction limit, and no tension factor: the loading acts through F_load.
  Accumulation a;
  a.method_code = kCodeNgi;
  a.perimeter = pile_perimeter(m);
  a.limit = LimitRule::kNone;
  a.tension = TensionPoints::kNone;
  accumulate_skin_friction(m, points, a);
}

}  // namespace zolan
