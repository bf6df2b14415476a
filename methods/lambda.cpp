// Revised Lambda: the total skin friction to each penetration straight from
// lambda (by the relative compressibility of the pile) times the mean
// effective stress plus twice the mean shear strength over the penetration,
// and the unit side friction of each segment from the increase of that
// total. Its end bearing is the API sand rule.
#include <algorithm>
#include <cmath>

#include "methods/penetration.hpp"
#include "methods/rules.hpp"
#include "model/layer_grid.hpp"
#include "model/numeric.hpp"
#include "model/profile.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// Relative compressibility c D H^2 s_m / (k E A), by unit system (D in in
// or mm, H in ft or m, s_m in ksf or kPa, E in psi or kPa, A in in2 or mm2).
struct CompressibilityConstants {
  double c;
  double k;
};
constexpr CompressibilityConstants kCompressibilityEnglish = {3141.59, 0.1};
constexpr CompressibilityConstants kCompressibilitySi = {3141590.12, 2.54};

// Section area from the diameters: 0.785398 (D^2 - Di^2).
constexpr double kQuarterPi = 0.785398;
// A user tip area (ft2 or m2) is taken when above this.
constexpr double kSmallestUserTipArea = 1.0e-4;
// A section of no area (an inside diameter as large as the outside one)
// would make the compressibility infinite: E A is floored, and lambda then
// takes its lower bound.
constexpr double kSmallestStiffness = 1.0e-10;

// lambda = a - b ln(Pi): the first line when s_m / sigma'm is at least 0.4,
// the second otherwise; never below 0.14.
struct LambdaLine {
  double a;
  double b;
};
constexpr double kOverconsolidatedRatio = 0.4;
constexpr LambdaLine kLambdaOverconsolidated = {0.232, 0.032};
constexpr LambdaLine kLambdaNormallyConsolidated = {0.178, 0.016};
constexpr double kSmallestLambda = 0.14;

// K given as 0 is taken (and kept) as 1.
constexpr double kDefaultK = 1.0;

// A segment increase below this gives the unit friction of the point above.
constexpr double kSmallestUnitFriction = 1.0e-7;
// The unit friction divides by perimeter x length step: floored for a pile
// of no perimeter.
constexpr double kSmallestSegmentArea = 1.0e-10;
// A layer thinner than this has no slope: its top stress holds.
constexpr double kSmallestThickness = 1.0e-10;

// Per layer: the shear strength s(i), and the sums over the layers above it
// of A = t (sigma'top + sigma'bottom) / 2 and of B = s t.
struct LambdaLayers {
  List<double, kMaxLayers> strength;
  List<double, kMaxLayers> area_above;
  List<double, kMaxLayers> strength_above;
};

// Effective stress d below the top of layer j, linear in the layer.
double stress_in_layer(const AnalysisModel& m, int j, double d) {
  const double top = m.boundary_vertical_stress[2 * j - 1];
  const double bottom = m.boundary_vertical_stress[2 * j];
  const double t = m.layer_thickness[j];
  if (t < kSmallestThickness) return top;
  return top + (bottom - top) / t * d;
}

// Shear strength of each layer (none down to the zero-friction length) and
// the running sums; layer_K of 0 becomes 1 in the model.
void lambda_layers(AnalysisModel& m, const LayerGrid& grid, LambdaLayers& v) {
  const int nl = grid.layers();
  for (int i = 1; i <= nl; ++i) {
    if (m.layer_K[i] == 0.0) m.layer_K[i] = kDefaultK;
  }
  for (int i = 1; i <= nl; ++i) {
    // Soil type not above 1: cohesionless, K sigma'mean tan(phi).
    const double sum = m.boundary_vertical_stress[2 * i - 1] + m.boundary_vertical_stress[2 * i];
    const double tan_phi = std::tan(m.layer_friction_angle[i] / kDegreesPerRadian);
    v.strength[i] = !is_cohesive_above_one(m.layer_soil_type[i]) ? m.layer_K[i] * 0.5 * sum * tan_phi
                                                : m.layer_su_undisturbed[i];
  }
  // Down to the zero-friction length the layers carry no strength; a layer
  // whose bottom lies within 1e-6 of it is the last of them.
  for (int i = 1; i <= nl; ++i) {
    const double bottom = grid.bottom(i);
    if (m.zero_friction_length - bottom > kTolerance) {
      v.strength[i] = 0.0;
      continue;
    }
    if (bottom - m.zero_friction_length > kTolerance) break;
    v.strength[i] = 0.0;
    break;
  }
  double area = 0.0;
  double strength = 0.0;
  for (int i = 1; i <= nl; ++i) {
    v.area_above[i] = area;
    v.strength_above[i] = strength;
    const double t = m.layer_thickness[i];
    area += t * (m.boundary_vertical_stress[2 * i - 1] + m.boundary_vertical_stress[2 * i]) / 2.0;
    strength += v.strength[i] * t;
  }
}

// Mean effective stress sigma'm and mean shear strength s_m over the
// penetration h.
struct MeanValues {
  double stress = 0.0;
  double strength = 0.0;
};

MeanValues means_to(const AnalysisModel& m, const LayerGrid& grid, const LambdaLayers& v,
                    double h) {
  MeanValues mean;
  if (grid.layers() < 1) return mean;  // no layers: no stress, no strength
  if (h - grid.thickness(1) > kTolerance) {
    // The layer holding h; below the deepest layer that layer continues.
    bool below = false;
    const int j = grid.find(h, below);
    const double l = h - grid.bottom(j - 1);
    const double top = m.boundary_vertical_stress[2 * j - 1];
    const double stress = stress_in_layer(m, j, l);
    mean.stress = ((stress + top) * 0.5 * l + v.area_above[j]) / h;
    mean.strength = (v.strength[j] * l + v.strength_above[j]) / h;
    return mean;
  }
  const double stress = stress_in_layer(m, 1, h);
  mean.stress = (stress + m.boundary_vertical_stress[1]) / 2.0;
  mean.strength = v.strength[1];
  return mean;
}

// Cumulative skin friction multiplied by the LRFD factors on unit friction
// increment by increment; the skin friction becomes the factored one, and
// so does the method's column with the reduced-friction option 1.
void factor_skin_friction(AnalysisModel& m, int points) {
  PenetrationList& c = m.skin_friction;
  PenetrationList& factored = m.factored_skin_friction;
  factored[1] = lrfd_friction_factor(m, 1) * c[1];
  for (int k = 2; k <= points; ++k) {
    factored[k] = factored[k - 1] + (c[k] - c[k - 1]) * lrfd_friction_factor(m, k);
  }
  for (int k = 1; k <= points; ++k) {
    c[k] = factored[k];
    if (m.reduced_friction_option == 1) m.method_skin_friction(k, kCodeLambda) = factored[k];
  }
}

}  // namespace

double relative_compressibility(const AnalysisModel& m, double h, double mean_strength) {
  const CompressibilityConstants& c = is_english(m) ? kCompressibilityEnglish : kCompressibilitySi;
  const double d = m.pile_diameter;
  const double di = m.pile_inner_diameter;
  // A user tip area is given in ft2 or m2; the computed one is in in2 or mm2.
  const double area = m.tip_area_user > kSmallestUserTipArea ? m.tip_area_user * area_units(m)
                                                             : kQuarterPi * (d * d - di * di);
  const double stiffness = std::max(c.k * m.modulus_of_elasticity * area, kSmallestStiffness);
  return c.c * d * (h * h) * mean_strength / stiffness;
}

double lambda_factor(double compressibility, double mean_strength, double mean_stress) {
  // No strength, no compressibility and no friction; the logarithm needs a
  // positive compressibility, so a negative one (a negative strength)
  // counts as none.
  if (compressibility <= 0.0) return 0.0;
  // Without effective stress the ratio is that of its limit: infinite for
  // a positive strength.
  const bool overconsolidated = mean_stress != 0.0
                                    ? mean_strength / mean_stress >= kOverconsolidatedRatio
                                    : mean_strength > 0.0;
  const LambdaLine& line = overconsolidated ? kLambdaOverconsolidated : kLambdaNormallyConsolidated;
  return std::max(line.a - line.b * std::log(compressibility), kSmallestLambda);
}

void compute_lambda(AnalysisModel& m, RunOutput& /*out*/) {
  const LayerGrid grid(m);
  LambdaLayers layers;
  lambda_layers(m, grid, layers);

  const int points = penetration_point_count(m);
  const double perimeter = pile_perimeter(m);
  const double step = m.length_step;
  const double segment_area = std::max(perimeter * step, kSmallestSegmentArea);
  const bool tension = m.loading_type == 1;
  PenetrationList& unit = m.penetration_unit_friction;
  PenetrationList& c = m.skin_friction;  // cumulative skin friction C

  for (int k = 1; k <= points; ++k) {
    const double h = m.penetration_depth[k];
    const MeanValues mean = means_to(m, grid, layers, h);
    const double pi = relative_compressibility(m, h, mean.strength);
    const double lambda = lambda_factor(pi, mean.strength, mean.stress);
    const double q = lambda * (mean.stress + 2.0 * mean.strength) * perimeter * h;

    // Unit friction of the segment ending at k from the increase of the
    // total over the cumulative skin friction stored for k - 1.
    double u = k == 1 ? q / segment_area : (q - c[k - 1]) / segment_area;
    if (k >= 2 && u < kSmallestUnitFriction) u = unit[k - 1];

    const double limit = m.layer_max_unit_friction[layer_at(m, k)];
    m.penetration_max_unit_friction[k] = limit;
    m.segment_friction_cap[k] = limit * step * perimeter;
    const double limited = std::min(limit, u);
    const double increase = limited * step * perimeter;
    c[k] = k == 1 ? increase : c[k - 1] + increase;
    unit[k] = limited;

    if (tension) {
      c[k] = c[k] * m.tension_reduction_factor;
      double reduced = k == 1 ? c[1] / segment_area : (c[k] - c[k - 1]) / segment_area;
      if (k >= 2 && reduced < kSmallestUnitFriction) reduced = unit[k - 1];
      unit[k] = reduced;
    }
    m.method_skin_friction(k, kCodeLambda) = c[k];
    m.penetration_depth[k] = (k - 1) * m.penetration_step;
  }

  factor_skin_friction(m, points);
}

}  // namespace zolan
