#include "capacity/capacity.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "capacity/end_bearing.hpp"
#include "capacity/profile.hpp"
#include "model/numeric.hpp"

namespace zolan {
namespace {

constexpr double kQuarterPi = f32(0.7853975);  // pi/4 of the tip and wall areas
constexpr double kHalfPi = f32(1.570795);      // pi/2 of the plug perimeter

// Boundary values of the computational layers, evaluated at any depth. The
// layer holding a depth is found by walking down the bottoms accumulated
// from the thicknesses; below the deepest layer the bottom values of that
// layer are held constant.
class LayerProfile {
 public:
  explicit LayerProfile(const AnalysisModel& m)
      : layers_(std::min(m.layer_count, kMaxLayers)),
        thickness_(static_cast<std::size_t>(layers_) + 1, 0.0),
        bottom_(static_cast<std::size_t>(layers_) + 1, 0.0) {
    for (int j = 1; j <= layers_; ++j) {
      thickness_[at(j)] = m.layer_thickness[j];
      bottom_[at(j)] = bottom_[at(j - 1)] + thickness_[at(j)];
    }
  }

  int layers() const { return layers_; }
  double thickness(int j) const { return thickness_[at(j)]; }
  double bottom(int j) const { return bottom_[at(j)]; }

  // The layer holding y (1 .. NL); `below` tells that y lies deeper than the
  // bottom of the deepest layer.
  int find(double y, bool& below) const {
    int j = 1;
    while (j < layers_ && y - bottom_[at(j)] > kTolerance) ++j;
    below = y - bottom_[at(j)] > kTolerance;
    return j;
  }

  // Linear interpolation of a boundary list v (entries 2j - 1, 2j) at y;
  // the bottom value of the deepest layer below it.
  double value(const std::vector<double>& v, double y) const {
    if (layers_ < 1) return 0.0;
    bool below = false;
    const int j = find(y, below);
    const double top = v[at(2 * j - 1)];
    const double bot = v[at(2 * j)];
    if (below) return bot;
    return along(j, top, bot, y - bottom_[at(j - 1)]);
  }

  // top + (bot - top) x s / h(j): s below the top of layer j; a layer of
  // zero thickness is taken at its top value.
  double along(int j, double top, double bot, double s) const {
    const double h = thickness_[at(j)];
    return h > 1e-10 ? top + (bot - top) * s / h : top;
  }

  static std::size_t at(int i) { return static_cast<std::size_t>(i); }

 private:
  int layers_;
  std::vector<double> thickness_;
  std::vector<double> bottom_;
};

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
  const bool english = m.unit_system == 1;
  const double area_scale = english ? 144.0 : 1000000.0;
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
    s.aw = english ? m.cross_section_area_user / 144.0 : m.cross_section_area_user;
  } else {
    s.aw = kQuarterPi * (od * od - id * id) / area_scale;
  }
  s.ag = kQuarterPi * (od * od) / area_scale;
  const bool given_area = m.cross_section_area_user > 1e-5;
  s.use_alt = (m.pile_type == 1 && given_area && m.pile_end_condition == 1) ||
              ((m.pile_type == 4 || m.pile_type == 5 || m.pile_type == 7) && given_area);
  s.ws = s.gamma_p * s.aw * m.stickup;
  return s;
}

}  // namespace

void compute_capacity(AnalysisModel& m) {
  compute_unit_end_bearing(m);

  const bool english = m.unit_system == 1;
  const double length_scale = english ? 12.0 : 1000.0;
  const double area_scale = english ? 144.0 : 1000000.0;
  const int code = m.method_code;
  const LayerProfile prof(m);
  const int nl = prof.layers();
  const int nb = 2 * nl;
  const int npen = std::min(m.npen, kMaxPenetrations);
  const auto at = LayerProfile::at;

  const double od = m.pile_diameter;
  const double di = m.pile_inner_diameter;
  const double di_length = di / length_scale;
  const double od_length = od / length_scale;

  // Wall force at the boundaries: unit end bearing, or for the CPT-based
  // methods and the user method on a pipe the cone resistance of the layer
  // whose top is at (or that holds) the boundary.
  std::vector<double> qw(at(nb) + 2, 0.0);
  const double wall_area =
      m.tip_area_user > 1e-4 ? m.tip_area_user : kQuarterPi * (od * od - di * di) / area_scale;
  const bool cone_wall = code >= kCodeNgi && code <= kCodeUser && di > 1e-4;
  for (int k = 1; k <= nb; ++k) {
    const double unit = cone_wall ? layer_qc(m, k / 2 + 1) : m.boundary_unit_end_bearing[k];
    qw[at(k)] = unit * wall_area;
  }

  // Plug unit friction and cumulative plug friction.
  std::vector<double> fp(at(nb) + 2, 0.0);
  std::vector<double> plug(at(nb) + 2, 0.0);
  const bool own_friction = code == kCodeFhwa || code == kCodeUsace ||
                            (code >= kCodeNgi && code <= kCodeUwa);
  for (int j = 1; j <= nl; ++j) {
    const int t = 2 * j - 1;
    const int b = 2 * j;
    const bool cohesionless = m.layer_soil_type[j] - 1.0 <= kTolerance;
    if (cohesionless) {
      const double beta =
          m.layer_K[j] * std::tan((m.layer_friction_angle[j] - 5.0) / kDegreesPerRadian);
      fp[at(t)] = std::min(beta * m.boundary_vertical_stress[t], m.layer_max_unit_friction[j]);
      fp[at(b)] = std::min(beta * m.boundary_vertical_stress[b], m.layer_max_unit_friction[j]);
    } else {
      // Effective stress and psi floored at 1e-10 (the stress floor stays in
      // the model).
      m.boundary_vertical_stress[b] = std::max(m.boundary_vertical_stress[b], 1e-10);
      const double psi = std::max(m.layer_su_undisturbed[j] / m.boundary_vertical_stress[b], 1e-10);
      double alpha = psi <= 1.0 ? 0.5 / std::sqrt(psi) : 0.5 / std::pow(psi, 0.25);
      alpha = std::min(alpha, 1.0);
      fp[at(t)] = alpha * m.layer_su_remolded[j];
      fp[at(b)] = fp[at(t)];
    }
    if (own_friction) {
      fp[at(t)] = m.boundary_unit_friction(t, code);
      fp[at(b)] = cohesionless ? m.boundary_unit_friction(b, code) : fp[at(t)];
    }
    plug[at(b)] = plug[at(t)] + kHalfPi * di_length * (fp[at(t)] + fp[at(b)]) * prof.thickness(j);
    plug[at(b + 1)] = plug[at(b)];
  }
  if (m.plug_condition == 2) std::fill(plug.begin(), plug.end(), 0.0);
  // Below the deepest layer the plug friction keeps growing by its bottom
  // rate per unit depth.
  const double plug_rate_below =
      (nl < 1 || m.plug_condition == 2) ? 0.0 : kHalfPi * di_length * (fp[at(nb)] + fp[at(nb)]);
  auto plug_at = [&](double y) {
    if (nl >= 1 && y - prof.bottom(nl) > kTolerance) {
      return plug[at(nb)] + plug_rate_below * (y - prof.bottom(nl));
    }
    return prof.value(plug, y);
  };

  // Wall force and enhanced-section plug friction at the penetrations.
  std::vector<double> z(at(npen) + 1, 0.0);
  std::vector<double> wz(at(npen) + 1, 0.0);
  std::vector<double> e(at(npen) + 1, 0.0);
  std::vector<double> de(at(npen) + 1, 0.0);
  std::vector<double> mob(at(npen) + 1, 0.0);
  std::vector<double> unplugged(at(npen) + 1, 0.0);
  std::vector<double> qtip(at(npen) + 1, 0.0);
  for (int i = 1; i <= npen; ++i) {
    z[at(i)] = (i - 1) * m.penetration_step;
    wz[at(i)] = i == 1 ? qw[1] : prof.value(qw, z[at(i)]);
    const double behind = z[at(i)] - m.enhanced_end_length;
    e[at(i)] = plug_at(z[at(i)]) - (behind <= kTolerance ? 0.0 : plug_at(behind));
    de[at(i)] = i == 1 ? e[1] : e[at(i)] - e[at(i - 1)];
    m.core_length[i] = 0.0;
  }

  // Tip area and tip forces.
  double dt = od_length;
  if (m.taper_angle > 0.0) dt = dt - 2.0 * (m.stickup + m.pile_length) * std::tan(m.taper_angle * 0.01745);
  const double at_area = m.tip_area_user > 1e-4 ? m.tip_area_user : kQuarterPi * (dt * dt);
  std::vector<double> qmax(at(nl) + 1, 0.0);
  std::vector<double> force(at(nb) + 2, 0.0);
  std::vector<double> sum_i(at(nl) + 1, 0.0);  // sum of Iseg over layers 1..j
  std::vector<double> sum_j(at(nl) + 1, 0.0);  // sum of Jseg over layers 1..j
  for (int k = 1; k <= nb; ++k) {
    force[at(k)] = at_area * m.boundary_unit_end_bearing[k];
    if (code == kCodeIcp) force[at(k)] = std::max(force[at(k)], qw[at(k)]);
  }
  for (int j = 1; j <= nl; ++j) {
    qmax[at(j)] = at_area * m.layer_max_unit_bearing[j];
    const double jseg = qmax[at(j)] * prof.thickness(j);
    const double iseg = (force[at(2 * j - 1)] + force[at(2 * j)]) / 2.0 * prof.thickness(j);
    sum_i[at(j)] = sum_i[at(j - 1)] + iseg;
    sum_j[at(j)] = sum_j[at(j - 1)] + jseg;
  }

  // Integrals of the tip force (I) and of the limit force (J) from the
  // ground to y; below the deepest layer its bottom forces keep adding.
  auto integrals = [&](double y, double& iy, double& jy) {
    iy = 0.0;
    jy = 0.0;
    if (nl < 1) return;
    bool below = false;
    const int j = prof.find(y, below);
    if (below) {
      const double extra = y - prof.bottom(nl);
      iy = sum_i[at(nl)] + force[at(nb)] * extra;
      jy = sum_j[at(nl)] + qmax[at(nl)] * extra;
      return;
    }
    const double s = y - m.layer_top_depth[j];
    const double f0 = force[at(2 * j - 1)];
    const double fy = prof.along(j, f0, force[at(2 * j)], s);
    iy = sum_i[at(j - 1)] + (f0 + fy) / 2.0 * s;
    jy = sum_j[at(j - 1)] + qmax[at(j)] * s;
  };

  // Tip force averaged over 1.5 diameters above and below the tip. A zero
  // diameter would leave an empty zone: the width is floored at 1e-10.
  const double zone = std::max(3.0 * od_length, 1e-10);
  for (int i = 1; i <= npen; ++i) {
    const double yl = z[at(i)] - 1.5 * od_length;
    const double yu = z[at(i)] + 1.5 * od_length;
    double il = 0.0;
    double jl = 0.0;
    double iu = 0.0;
    double ju = 0.0;
    if (!(yl < 1e-4)) integrals(yl, il, jl);
    integrals(yu, iu, ju);
    const double qavg = (iu - il) / zone;
    const double qlim = (ju - jl) / zone;
    qtip[at(i)] = qavg - qlim > kTolerance ? qlim : qavg;
  }

  const SelfWeight sw = self_weight(m);
  const bool tension = m.loading_type == 1;
  const bool closed = m.inner_diameter < 1e-10 || m.pile_end_condition == 1;

  for (int i = 1; i <= npen; ++i) {
    const double zi = z[at(i)];
    int control = 1;
    if (closed) {
      if (tension) {
        m.end_bearing[i] = ((sw.use_alt && zi > sw.zw) ? sw.walt(zi) : sw.w(zi)) + sw.ws;
      } else {
        m.end_bearing[i] = qtip[at(i)];
      }
    } else {
      unplugged[at(i)] = i == 1 ? wz[1] + mob[1] : wz[at(i)] + mob[at(i - 1)] + de[at(i)];
      if (unplugged[at(i)] - qtip[at(i)] <= kTolerance || m.plug_condition == 2) {
        // Coring: the wall and the plug friction carry the load.
        if (tension) {
          unplugged[at(i)] = sw.w(zi);
          qtip[at(i)] = sw.w(zi);
        }
        m.end_bearing[i] = unplugged[at(i)];
        if (i >= 2) {
          mob[at(i)] = mob[at(i - 1)] + de[at(i)];
          m.core_length[i] = m.core_length[i - 1] + (zi - z[at(i - 1)]);
        }
        if (m.plug_condition == 1) {
          m.end_bearing[i] = qtip[at(i)];
          control = 1;
        } else if (m.plug_condition == 2) {
          control = 2;
        } else {
          control = (di < 1e-4 && m.enhanced_end_length > 1e-4) ? 1 : 2;
        }
      } else {
        // The plug holds: the tip force governs.
        if (tension) qtip[at(i)] = sw.w(zi) + sw.ws;
        m.end_bearing[i] = qtip[at(i)];
        control = 1;
        if (i >= 2) {
          const double x = qtip[at(i)] - mob[at(i - 1)] - wz[at(i)];
          if (x > kTolerance) {
            mob[at(i)] = mob[at(i - 1)] + x;
            // No plug-friction increment in this step (or one too small to
            // divide by): the core length is unchanged.
            const double step = de[at(i)];
            m.core_length[i] = std::fabs(step) > 1e-10
                                   ? m.core_length[i - 1] + (zi - z[at(i - 1)]) * x / step
                                   : m.core_length[i - 1];
          } else {
            mob[at(i)] = mob[at(i - 1)];
            m.core_length[i] = m.core_length[i - 1];
          }
        }
      }
    }

    if (code == kCodeFhwa) {
      m.end_bearing_fhwa[i] = m.end_bearing[i];
      m.core_length_fhwa[i] = m.core_length[i];
    } else if (code == kCodeUsace) {
      m.end_bearing_usace[i] = m.end_bearing[i];
      m.core_length_usace[i] = m.core_length[i];
    } else if (code == kCodeUser) {
      m.end_bearing_user[i] = m.end_bearing[i];
    }
    if (code >= 1 && code <= kMethodCount) m.tip_control(i, code) = control;
  }
}

}  // namespace zolan
