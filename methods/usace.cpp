// USACE: unit side friction of sand from K sigma'v tan(delta) with the
// stress limited at the critical depth, of clay from the adhesion factor,
// silt taking both; end bearing of sand from Nq sigma'v with the vertical
// stress capped at the critical depth, and the Nq table it reads.
#include <cmath>

#include "methods/penetration.hpp"
#include "methods/rules.hpp"
#include "model/interpolate.hpp"
#include "model/profile.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// Nq by friction angle phi (degrees).
constexpr TablePoint kNqUsaceByPhi[] = {
    {0.0, 1.0},   {5.0, 1.6},   {10.0, 2.7},  {15.0, 4.4},  {20.0, 7.4},
    {30.0, 23.0}, {32.0, 30.0}, {36.0, 56.0}, {38.0, 68.0}, {39.0, 79.0},
    {40.0, 88.0}, {45.0, 200.0}, {50.0, 415.1},
};

// A stress cap at or below this has not been set.
constexpr double kCapUnset = 1e-5;

// Wall friction angle over phi by pile type 1 .. 7 (index 0 unused). The
// H-pile (type 6) takes the mean of phi and 0.75 phi instead, any other
// code phi - 5.
constexpr double kWallFrictionRatioByPileType[] = {0.0, 0.75, 0.9, 0.95, 0.75, 0.75, 0.0, 0.75};
constexpr int kHPile = 6;

// Earth pressure coefficient taken when the layer gives none (or API RP-2A
// runs alongside), by loading.
constexpr double kDefaultKCompression = 1.25;
constexpr double kDefaultKTension = 0.6;

// Adhesion factor: 1 up to the first strength, 0.5 from the second, linear
// between (ksf and kPa).
struct AdhesionRange {
  double full;  // at or below: 1
  double half;  // above: 0.5
};
constexpr AdhesionRange kAdhesionKsf = {0.5, 1.5};
constexpr AdhesionRange kAdhesionKpa = {24.0, 72.0};

// Effective stress at which the critical depth is reached (by stress).
constexpr double kCriticalStressKsf = 3.5;
constexpr double kCriticalStressKpa = 168.0;
// A critical depth below this has not been found yet.
constexpr double kCriticalDepthUnset = 1e-5;

constexpr double kSilt = 3.0;

// Sand: K sigma tan(delta); on a battered pile sigma tan(delta)
// (K cos(beta) + sin(beta)).
double sand_friction(double k, double sigma, double tan_delta, double batter, double cos_b,
                     double sin_b) {
  if (batter > 0.0) return sigma * tan_delta * (k * cos_b + sin_b);
  return k * sigma * tan_delta;
}

// Unit side friction at the boundaries of every layer: the outside friction
// in boundary_side_friction, the inside friction in the USACE column of
// boundary_unit_friction; the critical depth by stress where it is asked
// for.
void usace_boundary_friction(AnalysisModel& m) {
  const double beta = m.batter_angle;
  const double sin_b = std::sin(beta);
  const double cos_b = std::cos(beta);
  const bool api_too = m.method_selected[kSelApi] == 1;
  const double default_k = m.loading_type == 1 ? kDefaultKTension : kDefaultKCompression;
  const double critical_stress = is_english(m) ? kCriticalStressKsf : kCriticalStressKpa;
  for (int i = 1; i <= m.layer_count; ++i) {
    const int top = 2 * i - 1;
    const int bottom = 2 * i;
    const double type = m.layer_soil_type[i];
    const bool silt = type == kSilt;
    const bool sand = is_cohesionless(type);
    double f_top = 0.0;
    double f_bottom = 0.0;
    if (sand || silt) {
      const double delta = usace_wall_friction_angle(m.pile_type, m.layer_friction_angle[i]);
      const double tan_delta = std::tan(delta / kDegreesPerRadian);
      const double k = api_too || m.layer_K[i] == 0.0 ? default_k : m.layer_K[i];
      const double sigma_top = m.boundary_vertical_stress_usace[top];
      const double sigma_bottom = m.boundary_vertical_stress_usace[bottom];
      f_top = sand_friction(k, sigma_top, tan_delta, beta, cos_b, sin_b);
      f_bottom = sand_friction(k, sigma_bottom, tan_delta, beta, cos_b, sin_b);
      m.boundary_side_friction[top] = f_top;
      m.boundary_side_friction[bottom] = f_bottom;
      m.boundary_unit_friction(top, kCodeUsace) = f_top;
      if (sand) m.boundary_unit_friction(bottom, kCodeUsace) = f_bottom;
      if (m.critical_depth_option == 1 && m.boundary_vertical_stress[bottom] > critical_stress &&
          m.critical_depth < kCriticalDepthUnset) {
        m.critical_depth = m.layer_bottom_depth[i];
      }
    }
    if (sand) continue;
    const double su = m.layer_su_undisturbed[i];
    const double a = usace_adhesion_factor(su, is_english(m));
    // Silt adds its cohesionless values (0 for clay).
    m.boundary_side_friction[top] = a * su + f_top;
    m.boundary_side_friction[bottom] = a * su + f_bottom;
    m.boundary_unit_friction(top, kCodeUsace) = a * m.layer_su_remolded[i];
    m.boundary_unit_friction(bottom, kCodeUsace) = a * m.layer_su_remolded[i];
  }
}

}  // namespace

double usace_wall_friction_angle(int pile_type, double phi) {
  if (pile_type == kHPile) return (phi + 0.75 * phi) / 2.0;
  if (pile_type >= 1 && pile_type <= 7) return kWallFrictionRatioByPileType[pile_type] * phi;
  return phi - 5.0;
}

double usace_adhesion_factor(double su, bool english) {
  const AdhesionRange& r = english ? kAdhesionKsf : kAdhesionKpa;
  if (su <= r.full) return 1.0;
  if (su <= r.half) return 1.0 - 0.5 * (su - r.full) / (r.half - r.full);
  return 0.5;
}

double nq_usace(double phi) { return interpolate(kNqUsaceByPhi, phi); }

// Sand: the caps are set at the first layer below the critical depth of its
// friction-angle band and kept for the rest of the walk.
void usace_sand_bearing(const AnalysisModel& m, int j, BearingWalk& caps, double& qt, double& qb) {
  const double phi = m.layer_friction_angle[j];
  const double nq = nq_usace(phi);
  const double od = diameter_length(m);
  double d10 = 10.0 * od + 1.0;
  double d15 = 15.0 * od + 1.0;
  double d20 = 20.0 * od + 1.0;
  if (m.critical_depth_option > 0) {
    d10 = m.critical_depth;
    d15 = m.critical_depth;
    d20 = m.critical_depth;
  }
  // Critical depth by stress that no layer reached: no critical depth, so
  // no stress cap.
  const bool no_critical_depth = m.critical_depth_option == 1 && m.critical_depth < 1e-5;
  if (!no_critical_depth) {
    const double y = penetration_depth_of_layer(m, j);
    const double sc = m.boundary_vertical_stress_usace[2 * j];
    if (phi <= 33.0 && y > d10 && caps.cap < kCapUnset) caps.cap = sc;
    if (phi > 33.0 && y > d15) {
      if (phi <= 36.0 && caps.cap36 < kCapUnset) caps.cap36 = sc;
      caps.cap = caps.cap36;
    }
    if (phi > 36.0 && y > d20) {
      if (caps.cap40 < kCapUnset) caps.cap40 = sc;
      caps.cap = caps.cap40;
    }
  }
  const double sb = m.boundary_vertical_stress[2 * j];
  qt = nq * m.boundary_vertical_stress[2 * j - 1];
  qb = nq * sb;
  if (caps.cap < sb && caps.cap > kCapUnset) {
    qt = nq * caps.cap;
    qb = qt;
  }
  cap_by_max_bearing(m, j, qt, qb);
}

void compute_usace(AnalysisModel& m, RunOutput& /*out*/) {
  if (m.critical_depth_option == 1) m.critical_depth = 0.0;
  usace_boundary_friction(m);
  const int points = penetration_point_count(m);
  distribute_to_penetrations(m, m.boundary_side_friction, points);
  limits_from_layers(m, points);
  Accumulation a;
  a.method_code = kCodeUsace;
  a.perimeter = pile_perimeter(m);
  a.limit = LimitRule::kLimitBeforeNextSegment;
  a.tension = TensionPoints::kFromSecondPoint;
  a.product = SegmentProduct::kLeftToRight;
  accumulate_skin_friction(m, points, a);
}

}  // namespace zolan
