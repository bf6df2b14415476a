// USACE: end bearing of sand from Nq sigma'v with the vertical stress capped
// at the critical depth, and the Nq table it reads.
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

}  // namespace

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

}  // namespace zolan
