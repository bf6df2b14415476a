// API RP-2A: unit side friction of sand from K tan(delta) sigma'v with the
// limit of the delta table, of clay from the alpha method, then the shared
// penetration-point steps with the API default maximum friction.
#include <algorithm>
#include <array>
#include <cmath>

#include <cstddef>

#include "methods/penetration.hpp"
#include "methods/rules.hpp"
#include "model/interpolate.hpp"
#include "model/numeric.hpp"
#include "model/profile.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// Limiting unit friction of sand (ksf) by the pile-soil friction angle
// delta (degrees); the end values hold outside the table.
constexpr std::array<TablePoint, 5> kSandFrictionLimitByDelta = {{
    {15.0, 1.0}, {20.0, 1.4}, {25.0, 1.7}, {30.0, 2.0}, {35.0, 2.4}}};

// Nq of sand by delta = phi - 5 (degrees).
constexpr TablePoint kNqByDelta[] = {
    {15.0, 8.0}, {20.0, 12.0}, {25.0, 20.0}, {30.0, 40.0}, {35.0, 50.0},
};

// Limit of unit end bearing by friction angle: rows of phi (degrees), limit
// in ksf and in kPa; linear inside each band, constant outside the first and
// last rows.
struct BearingLimitRow {
  double phi;
  double ksf;
  double kpa;
};
constexpr BearingLimitRow kBearingLimitByPhi[] = {
    {20.0, 40.0, 1900.0},  {25.0, 60.0, 2900.0},   {30.0, 100.0, 4800.0},
    {35.0, 200.0, 9600.0}, {40.0, 250.0, 12000.0},
};
constexpr std::size_t kBearingLimitRows = std::size(kBearingLimitByPhi);

constexpr std::array<TablePoint, kBearingLimitRows> bearing_limit_column(bool ksf) {
  std::array<TablePoint, kBearingLimitRows> column{};
  for (std::size_t r = 0; r < kBearingLimitRows; ++r) {
    column[r] = {kBearingLimitByPhi[r].phi,
                 ksf ? kBearingLimitByPhi[r].ksf : kBearingLimitByPhi[r].kpa};
  }
  return column;
}
constexpr auto kBearingLimitKsf = bearing_limit_column(true);
constexpr auto kBearingLimitKpa = bearing_limit_column(false);

// The clay stress and psi are floored where they divide or are raised to a
// negative power.
constexpr double kSmallestStress = 1.0e-10;
constexpr double kSmallestPsi = 1.0e-10;

double sand_friction_limit(const AnalysisModel& m, double delta) {
  const double f_lim = interpolate(kSandFrictionLimitByDelta, delta);
  return is_english(m) ? f_lim : f_lim * kKpaPerKsfApi;
}

// Unit side friction at the boundaries of every layer: the outside friction
// in boundary_side_friction and the inside (remolded) friction in the API
// column of boundary_unit_friction.
void api_boundary_friction(AnalysisModel& m) {
  for (int i = 1; i <= m.layer_count; ++i) {
    const int top = 2 * i - 1;
    const int bottom = 2 * i;
    const bool clay = is_cohesive(m.layer_soil_type[i]);
    m.layer_soil_class[i] = clay ? 2 : 1;
    if (!clay) {
      const double delta = m.layer_friction_angle[i] - 5.0;
      const double beta = api_beta(m.layer_K[i], m.layer_friction_angle[i]);
      const double f_top = beta * m.boundary_vertical_stress[top];
      const double f_bottom = beta * m.boundary_vertical_stress[bottom];
      const double f_lim = sand_friction_limit(m, delta);
      m.boundary_side_friction[top] = std::min(f_top, f_lim);
      m.boundary_side_friction[bottom] = std::min(f_bottom, f_lim);
      m.boundary_unit_friction(top, kCodeApi) = m.boundary_side_friction[top];
      m.boundary_unit_friction(bottom, kCodeApi) = m.boundary_side_friction[bottom];
      continue;
    }
    if (m.boundary_vertical_stress[bottom] < kSmallestStress) {
      m.boundary_vertical_stress[bottom] = kSmallestStress;
    }
    double psi = m.layer_su_undisturbed[i] / m.boundary_vertical_stress[bottom];
    if (psi < kSmallestPsi) psi = kSmallestPsi;
    const double alpha = api_side_alpha(psi);
    m.boundary_side_friction[top] = alpha * m.layer_su_undisturbed[i];
    m.boundary_side_friction[bottom] = m.boundary_side_friction[top];
    m.boundary_unit_friction(top, kCodeApi) = alpha * m.layer_su_remolded[i];
    m.boundary_unit_friction(bottom, kCodeApi) = m.boundary_unit_friction(top, kCodeApi);
  }
}

// Default maximum unit friction of sand by friction angle: within
// (from_phi, to_phi] the limit is base + rise x (phi - from_phi) / 5, in ksf
// and in kPa. At or below 20 degrees and above 40 the end values hold.
struct DefaultFrictionRow {
  double from_phi;
  double to_phi;
  double base_ksf;
  double rise_ksf;
  double base_kpa;
  double rise_kpa;
};
constexpr std::array<DefaultFrictionRow, 4> kDefaultMaxFrictionByPhi = {{
    {20.0, 25.0, 1.0, 0.4, 47.8, 19.2},
    {25.0, 30.0, 1.4, 0.3, 67.0, 16.1},
    {30.0, 35.0, 1.7, 0.3, 83.1, 12.4},
    {35.0, 40.0, 2.0, 0.4, 95.5, 19.3},
}};

double default_max_friction(const AnalysisModel& m, double phi) {
  const bool english = m.unit_system == 1;
  if (phi <= 20.0) return english ? 1.0 : 47.8;
  for (const DefaultFrictionRow& r : kDefaultMaxFrictionByPhi) {
    if (phi <= r.to_phi) {
      return english ? r.base_ksf + r.rise_ksf * (phi - r.from_phi) / 5.0
                     : r.base_kpa + r.rise_kpa * (phi - r.from_phi) / 5.0;
    }
  }
  return english ? 2.4 : 114.8;
}

// Value of layer_max_unit_friction that asks for the API default.
constexpr double kApiDefaultRequest = 9999.0;

// Limiting unit friction at the penetration points: the layer beginning at
// each point, with the API default for a sand layer that asks for it (the
// default is stored back into the layer).
void api_limits(AnalysisModel& m, int points) {
  for (int k = 1; k <= points; ++k) {
    const int j = layer_at(m, k);
    if (m.layer_max_unit_friction[j] == kApiDefaultRequest && is_sand_exactly(m.layer_soil_type[j])) {
      m.layer_max_unit_friction[j] = default_max_friction(m, m.layer_friction_angle[j]);
    }
    m.penetration_max_unit_friction[k] = m.layer_max_unit_friction[j];
  }
}

}  // namespace

double api_beta(double k, double phi) { return k * std::tan((phi - 5.0) / kDegreesPerRadian); }

// The two forms of alpha give the same value up to the last digits; the side
// friction and the plug friction each keep their own, since the reports are
// compared digit by digit.
double api_side_alpha(double psi) {
  const double alpha = psi <= 1.0 ? 0.5 * std::pow(psi, -0.5) : 0.5 * std::pow(psi, -0.25);
  return std::min(alpha, 1.0);
}

double plug_alpha(double psi) {
  const double alpha = psi <= 1.0 ? 0.5 / std::sqrt(psi) : 0.5 / std::pow(psi, 0.25);
  return std::min(alpha, 1.0);
}

double nq_api(double delta) { return interpolate(kNqByDelta, delta); }

double bearing_limit(double phi, int unit_system) {
  return unit_system == 1 ? interpolate(kBearingLimitKsf, phi) : interpolate(kBearingLimitKpa, phi);
}

// Sand (API and Revised Lambda): Nq sigma'v up to qmax or the table limit.
void api_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                      double& qb) {
  const double qmax = m.layer_max_unit_bearing[j];
  const double lim = qmax != kNotLimited ? qmax : bearing_limit(m.layer_friction_angle[j], m.unit_system);
  const double nq = m.layer_Nq[j];
  qt = std::min(lim, nq * m.boundary_vertical_stress[2 * j - 1]);
  qb = std::min(lim, nq * m.boundary_vertical_stress[2 * j]);
}

void compute_api(AnalysisModel& m, RunOutput& /*out*/) {
  api_boundary_friction(m);
  const int points = penetration_point_count(m);
  distribute_to_penetrations(m, m.boundary_side_friction, points);
  api_limits(m, points);
  Accumulation a;
  a.method_code = kCodeApi;
  a.perimeter = pile_perimeter(m);
  accumulate_skin_friction(m, points, a);
}

}  // namespace zolan
