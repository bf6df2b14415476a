#include "methods/cpt_steps.hpp"

#include "model/numeric.hpp"
#include "model/profile.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

constexpr double kPaEnglish = 2.1168;  // atmospheric pressure, ksf
constexpr double kPaSi = 100.0;        // atmospheric pressure, kPa

// Cone resistance per blow of the blow count, in atmospheric pressures.
constexpr double kQcPerBlow = 2.8;

}  // namespace

double atmospheric_pressure(const AnalysisModel& m) { return is_english(m) ? kPaEnglish : kPaSi; }

double layer_qc(const AnalysisModel& m, int j) {
  return layer_qc(m, j, kQcPerBlow * atmospheric_pressure(m));
}

double layer_qc(const AnalysisModel& m, int j, double qc_per_blow) {
  const int layer = layer_at(m, j);
  const double scale = is_english(m) ? kPoundsPerKip : 1.0;  // psf to ksf
  if (m.layer_cone_resistance[layer] >= 1e-5) return m.layer_cone_resistance[layer] / scale;
  if (m.cpt_point_count >= 1) return cpt_profile_qc(m, penetration_depth_of_layer(m, j)) / scale;
  return qc_per_blow * m.layer_blow_count[layer];
}

void cpt_cohesive_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                          double& qb) {
  const bool drained = m.clay_drained_option == 1;
  const bool closed_tip = m.pile_inner_diameter < kTolerance;
  if (closed_tip || m.plug_condition == 1) {
    double factor = drained ? 1.3 : 0.8;
    if (m.plug_condition == 1) factor = drained ? 0.65 : 0.4;
    qt = factor * layer_qc(m, j);
    qb = qt;
  } else if (m.plug_condition == 2) {
    qt = (drained ? 1.6 : 1.0) * layer_qc(m, j);
    qb = qt;
  }
}

}  // namespace zolan
