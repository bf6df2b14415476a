#include "capacity/capacity.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "capacity/end_bearing.hpp"
#include "methods/cpt_steps.hpp"
#include "methods/method.hpp"
#include "methods/rules.hpp"
#include "model/layer_grid.hpp"
#include "model/numeric.hpp"
#include "model/profile.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

constexpr double kQuarterPi = f32(0.7853975);  // pi/4 of the tip and wall areas
constexpr double kHalfPi = f32(1.570795);      // pi/2 of the plug perimeter

// Effective stress and psi of the plug alpha are floored where they divide.
constexpr double kSmallestStress = 1e-10;
constexpr double kSmallestPsi = 1e-10;
// Degrees to radians of the taper angle.
constexpr double kRadiansPerDegreeTaper = 0.01745;

using Values = std::vector<double>;
constexpr auto at = LayerGrid::at;

// Diameters and areas of the pile section the capacity computation reads.
struct Section {
  double od = 0.0;         // outside diameter (in or mm)
  double di = 0.0;         // inside diameter at the tip (in or mm)
  double od_length = 0.0;  // outside diameter (ft or m)
  double di_length = 0.0;  // inside diameter at the tip (ft or m)
  double wall_area = 0.0;  // ft2 or m2
  double tip_area = 0.0;   // ft2 or m2
};

Section pile_section(const AnalysisModel& m) {
  Section s;
  s.od = m.pile_diameter;
  s.di = m.pile_inner_diameter;
  s.od_length = s.od / diameter_units(m);
  s.di_length = s.di / diameter_units(m);
  s.wall_area = m.tip_area_user > 1e-4 ? m.tip_area_user
                                       : kQuarterPi * (s.od * s.od - s.di * s.di) / area_units(m);
  double dt = s.od_length;
  if (m.taper_angle > 0.0) {
    dt = dt - 2.0 * (m.stickup + m.pile_length) * std::tan(m.taper_angle * kRadiansPerDegreeTaper);
  }
  s.tip_area = m.tip_area_user > 1e-4 ? m.tip_area_user : kQuarterPi * (dt * dt);
  return s;
}

// Wall force at the boundaries: unit end bearing, or where the method's wall
// bears on the cone resistance (a pipe), that of the layer whose top is at
// (or that holds) the boundary.
Values wall_force(const AnalysisModel& m, const MethodDescriptor* method, const Section& s, int nb) {
  Values qw(at(nb) + 2, 0.0);
  const bool cone_wall = method != nullptr && method->cone_wall && s.di > 1e-4;
  for (int k = 1; k <= nb; ++k) {
    const double unit = cone_wall ? layer_qc(m, k / 2 + 1) : m.boundary_unit_end_bearing[k];
    qw[at(k)] = unit * s.wall_area;
  }
  return qw;
}

// Plug friction: the cumulative friction of the soil plug at the boundaries
// and the rate at which it grows below the deepest layer.
struct PlugFriction {
  Values p;
  double rate_below = 0.0;
};

PlugFriction plug_friction(AnalysisModel& m, const MethodDescriptor* method, const LayerGrid& grid,
                           const Section& s) {
  const int nl = grid.layers();
  const int nb = 2 * nl;
  const int code = m.method_code;
  Values fp(at(nb) + 2, 0.0);
  PlugFriction plug{Values(at(nb) + 2, 0.0), 0.0};
  for (int j = 1; j <= nl; ++j) {
    const int t = 2 * j - 1;
    const int b = 2 * j;
    const bool cohesionless = is_cohesionless(m.layer_soil_type[j]);
    if (cohesionless) {
      const double beta = api_beta(m.layer_K[j], m.layer_friction_angle[j]);
      fp[at(t)] = std::min(beta * m.boundary_vertical_stress[t], m.layer_max_unit_friction[j]);
      fp[at(b)] = std::min(beta * m.boundary_vertical_stress[b], m.layer_max_unit_friction[j]);
    } else {
      // The stress floor stays in the model.
      m.boundary_vertical_stress[b] = std::max(m.boundary_vertical_stress[b], kSmallestStress);
      const double psi =
          std::max(m.layer_su_undisturbed[j] / m.boundary_vertical_stress[b], kSmallestPsi);
      fp[at(t)] = plug_alpha(psi) * m.layer_su_remolded[j];
      fp[at(b)] = fp[at(t)];
    }
    if (method != nullptr && method->own_plug_friction) {
      fp[at(t)] = m.boundary_unit_friction(t, code);
      fp[at(b)] = cohesionless ? m.boundary_unit_friction(b, code) : fp[at(t)];
    }
    plug.p[at(b)] =
        plug.p[at(t)] + kHalfPi * s.di_length * (fp[at(t)] + fp[at(b)]) * grid.thickness(j);
    plug.p[at(b + 1)] = plug.p[at(b)];
  }
  if (m.plug_condition == 2) std::fill(plug.p.begin(), plug.p.end(), 0.0);
  if (nl >= 1 && m.plug_condition != 2) {
    plug.rate_below = kHalfPi * s.di_length * (fp[at(nb)] + fp[at(nb)]);
  }
  return plug;
}

// Cumulative plug friction at depth y.
double plug_at(const PlugFriction& plug, const LayerGrid& grid, double y) {
  const int nl = grid.layers();
  if (nl >= 1 && y - grid.bottom(nl) > kTolerance) {
    return plug.p[at(2 * nl)] + plug.rate_below * (y - grid.bottom(nl));
  }
  return grid.value(plug.p, y);
}

// Tip force at the boundaries and its integrals over depth, with those of
// the limit force of the maximum unit bearing.
struct TipForces {
  Values force;  // per boundary
  Values qmax;   // per layer
  Values sum_i;  // tip-force integral over layers 1 .. j
  Values sum_j;  // limit-force integral over layers 1 .. j
};

TipForces tip_forces(const AnalysisModel& m, const MethodDescriptor* method, const LayerGrid& grid,
                     const Section& s, const Values& qw) {
  const int nl = grid.layers();
  const int nb = 2 * nl;
  TipForces f{Values(at(nb) + 2, 0.0), Values(at(nl) + 1, 0.0), Values(at(nl) + 1, 0.0),
              Values(at(nl) + 1, 0.0)};
  const bool at_least_wall = method != nullptr && method->tip_force_at_least_wall;
  for (int k = 1; k <= nb; ++k) {
    f.force[at(k)] = s.tip_area * m.boundary_unit_end_bearing[k];
    if (at_least_wall) f.force[at(k)] = std::max(f.force[at(k)], qw[at(k)]);
  }
  for (int j = 1; j <= nl; ++j) {
    f.qmax[at(j)] = s.tip_area * m.layer_max_unit_bearing[j];
    const double jseg = f.qmax[at(j)] * grid.thickness(j);
    const double iseg = (f.force[at(2 * j - 1)] + f.force[at(2 * j)]) / 2.0 * grid.thickness(j);
    f.sum_i[at(j)] = f.sum_i[at(j - 1)] + iseg;
    f.sum_j[at(j)] = f.sum_j[at(j - 1)] + jseg;
  }
  return f;
}

// Integrals of the tip force (iy) and of the limit force (jy) from the
// ground to y; below the deepest layer its bottom forces keep adding.
void tip_integrals(const AnalysisModel& m, const LayerGrid& grid, const TipForces& f, double y,
                   double& iy, double& jy) {
  iy = 0.0;
  jy = 0.0;
  const int nl = grid.layers();
  if (nl < 1) return;
  bool below = false;
  const int j = grid.find(y, below);
  if (below) {
    const double extra = y - grid.bottom(nl);
    iy = f.sum_i[at(nl)] + f.force[at(2 * nl)] * extra;
    jy = f.sum_j[at(nl)] + f.qmax[at(nl)] * extra;
    return;
  }
  const double s = y - m.layer_top_depth[j];
  const double f0 = f.force[at(2 * j - 1)];
  const double fy = grid.along(j, f0, f.force[at(2 * j)], s);
  iy = f.sum_i[at(j - 1)] + (f0 + fy) / 2.0 * s;
  jy = f.sum_j[at(j - 1)] + f.qmax[at(j)] * s;
}

// Tip force averaged over 1.5 diameters above and below the tip at z, held
// to the averaged limit force. A zero diameter would leave an empty zone:
// the width is floored at 1e-10.
double averaged_tip_force(const AnalysisModel& m, const LayerGrid& grid, const TipForces& f,
                          const Section& s, double z) {
  const double zone = std::max(3.0 * s.od_length, 1e-10);
  const double yl = z - 1.5 * s.od_length;
  const double yu = z + 1.5 * s.od_length;
  double il = 0.0;
  double jl = 0.0;
  double iu = 0.0;
  double ju = 0.0;
  if (!(yl < 1e-4)) tip_integrals(m, grid, f, yl, il, jl);
  tip_integrals(m, grid, f, yu, iu, ju);
  const double qavg = (iu - il) / zone;
  const double qlim = (ju - jl) / zone;
  return qavg - qlim > kTolerance ? qlim : qavg;
}

// Pile weight for tension loading: unit weights, areas and the water table.
struct SelfWeight {
  double zw = 0.0;         // water table depth
  double gamma_p = 0.0;    // pile
  double gamma_w = 0.0;    // water
  double gamma_b = 0.0;    // buoyant pile
  double aw = 0.0;         // weight area
  double ag = 0.0;         // gross area
  bool use_alt = false;    // buoyancy on the gross area (Walt)
  double ws = 0.0;         // stick-up weight

  double w(double z) const {
    if (z <= zw) return gamma_p * aw * z;
    return gamma_p * aw * zw + gamma_b * aw * (z - zw);
  }
  double walt(double z) const { return gamma_p * aw * z - gamma_w * ag * (z - zw); }
};

SelfWeight self_weight(AnalysisModel& m) {
  const bool english = is_english(m);
  SelfWeight s;
  // A water table shallower than 1.0 is taken at 0.1 below ground, for good.
  if (m.water_table_depth < 1.0) m.water_table_depth = 0.1;
  s.zw = m.water_table_depth;
  if (m.pile_type == 2) {
    s.gamma_p = english ? 0.05 : 7.854351;
  } else if (m.pile_type == 3) {
    s.gamma_p = english ? 0.15 : 23.563051;
  } else {
    s.gamma_p = english ? 0.49 : 76.972633;
  }
  s.gamma_w = english ? 0.0624 : 9.8;
  s.gamma_b = s.gamma_p - s.gamma_w;
  const double od = m.pile_diameter;
  const double id = m.inner_diameter;
  if (m.cross_section_area_user > kTolerance) {
    s.aw = english ? m.cross_section_area_user / kSquareInchesPerSquareFoot
                   : m.cross_section_area_user;
  } else {
    s.aw = kQuarterPi * (od * od - id * id) / area_units(m);
  }
  s.ag = kQuarterPi * (od * od) / area_units(m);
  const bool given_area = m.cross_section_area_user > 1e-5;
  s.use_alt = (m.pile_type == 1 && given_area && m.pile_end_condition == 1) ||
              ((m.pile_type == 4 || m.pile_type == 5 || m.pile_type == 7) && given_area);
  s.ws = s.gamma_p * s.aw * m.stickup;
  return s;
}

// Per penetration: wall force, plug friction of the enhanced end section and
// its increment, averaged tip force, and the mobilised plug friction of the
// plug-state decision.
struct PenetrationState {
  Values z, wz, de, qtip, mob;
};

// The plug-state decision of an open-ended pipe at penetration i: coring
// (the wall and the plug friction carry the load) or plugged (the tip force
// governs), with the growth of the soil core. Returns the tip control: 1 tip
// force, 2 plug friction.
int open_pipe_step(AnalysisModel& m, PenetrationState& p, const SelfWeight& sw, int i) {
  const bool tension = m.loading_type == 1;
  const double zi = p.z[at(i)];
  double& qtip = p.qtip[at(i)];
  const double unplugged_raw =
      i == 1 ? p.wz[1] + p.mob[1] : p.wz[at(i)] + p.mob[at(i - 1)] + p.de[at(i)];
  if (unplugged_raw - qtip <= kTolerance || m.plug_condition == 2) {
    double unplugged = unplugged_raw;
    if (tension) {
      unplugged = sw.w(zi);
      qtip = sw.w(zi);
    }
    m.end_bearing[i] = unplugged;
    if (i >= 2) {
      p.mob[at(i)] = p.mob[at(i - 1)] + p.de[at(i)];
      m.core_length[i] = m.core_length[i - 1] + (zi - p.z[at(i - 1)]);
    }
    if (m.plug_condition == 1) {
      m.end_bearing[i] = qtip;
      return 1;
    }
    if (m.plug_condition == 2) return 2;
    return (m.pile_inner_diameter < 1e-4 && m.enhanced_end_length > 1e-4) ? 1 : 2;
  }
  if (tension) qtip = sw.w(zi) + sw.ws;
  m.end_bearing[i] = qtip;
  if (i >= 2) {
    const double x = qtip - p.mob[at(i - 1)] - p.wz[at(i)];
    if (x > kTolerance) {
      p.mob[at(i)] = p.mob[at(i - 1)] + x;
      // No plug-friction increment in this step (or one too small to divide
      // by): the core length is unchanged.
      const double step = p.de[at(i)];
      m.core_length[i] = std::fabs(step) > 1e-10
                             ? m.core_length[i - 1] + (zi - p.z[at(i - 1)]) * x / step
                             : m.core_length[i - 1];
    } else {
      p.mob[at(i)] = p.mob[at(i - 1)];
      m.core_length[i] = m.core_length[i - 1];
    }
  }
  return 1;
}

// A solid or closed pile: the averaged tip force, or its weight in tension.
void closed_pile_step(AnalysisModel& m, const PenetrationState& p, const SelfWeight& sw, int i) {
  const double zi = p.z[at(i)];
  if (m.loading_type == 1) {
    m.end_bearing[i] = ((sw.use_alt && zi > sw.zw) ? sw.walt(zi) : sw.w(zi)) + sw.ws;
  } else {
    m.end_bearing[i] = p.qtip[at(i)];
  }
}

// The method's own copies of the end bearing and core length, and its tip
// control.
void keep_copies(AnalysisModel& m, const MethodDescriptor* method, int i, int control) {
  if (method == nullptr) return;
  if (method->end_copy != nullptr) (m.*(method->end_copy))[i] = m.end_bearing[i];
  if (method->core_copy != nullptr) (m.*(method->core_copy))[i] = m.core_length[i];
  m.tip_control(i, method->code) = control;
}

}  // namespace

void compute_capacity(AnalysisModel& m) {
  compute_unit_end_bearing(m);

  const MethodDescriptor* method = method_by_code(m.method_code);
  const LayerGrid grid(m);
  const int nb = 2 * grid.layers();
  const int npen = std::min(m.npen, kMaxPenetrations);
  const Section s = pile_section(m);

  const Values qw = wall_force(m, method, s, nb);
  const PlugFriction plug = plug_friction(m, method, grid, s);
  const TipForces forces = tip_forces(m, method, grid, s, qw);

  PenetrationState p;
  for (Values* v : {&p.z, &p.wz, &p.de, &p.qtip, &p.mob}) v->assign(at(npen) + 1, 0.0);
  double e_previous = 0.0;
  for (int i = 1; i <= npen; ++i) {
    const double z = (i - 1) * m.penetration_step;
    p.z[at(i)] = z;
    p.wz[at(i)] = i == 1 ? qw[1] : grid.value(qw, z);
    // Plug friction along the enhanced end section behind the tip.
    const double behind = z - m.enhanced_end_length;
    const double e = plug_at(plug, grid, z) - (behind <= kTolerance ? 0.0 : plug_at(plug, grid, behind));
    p.de[at(i)] = i == 1 ? e : e - e_previous;
    e_previous = e;
    m.core_length[i] = 0.0;
  }
  for (int i = 1; i <= npen; ++i) p.qtip[at(i)] = averaged_tip_force(m, grid, forces, s, p.z[at(i)]);

  const SelfWeight sw = self_weight(m);
  const bool closed = m.inner_diameter < 1e-10 || m.pile_end_condition == 1;
  for (int i = 1; i <= npen; ++i) {
    int control = 1;
    if (closed) {
      closed_pile_step(m, p, sw, i);
    } else {
      control = open_pipe_step(m, p, sw, i);
    }
    keep_copies(m, method, i, control);
  }
}

}  // namespace zolan
