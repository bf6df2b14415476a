// FHWA: end bearing of sand from alpha_t Nq' sigma'v with its limit, and the
// tables it reads.
#include <algorithm>
#include <array>
#include <cstddef>

#include "methods/rules.hpp"
#include "model/interpolate.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// Nq' by friction angle phi (degrees).
constexpr TablePoint kNqFhwaByPhi[] = {
    {15.0, 4.8},  {17.5, 6.2},  {20.0, 8.2},  {22.5, 12.0}, {25.0, 15.0},
    {27.5, 21.0}, {30.0, 30.0}, {32.5, 43.0}, {35.0, 64.0}, {37.5, 98.0},
    {40.0, 160.0}, {42.5, 265.0}, {45.0, 475.0},
};

// Limit of unit end bearing (ksf, before doubling) by friction angle phi
// (degrees).
constexpr TablePoint kBearingLimitByPhi[] = {
    {30.0, 6.66},   {31.25, 11.25}, {32.5, 20.0},   {33.75, 32.5},
    {35.0, 53.8},   {36.25, 81.3},  {37.5, 117.5},  {38.75, 159.5},
    {40.0, 208.8},  {41.25, 262.5}, {42.5, 318.8},  {43.75, 368.8},
};

// Tip coefficient alpha_t: rows of phi (degrees), columns for L/D = 20, 30
// and 45.
struct TipCoefficientRow {
  double phi;
  double by_ratio[3];
};
constexpr double kTipRatios[3] = {20.0, 30.0, 45.0};
constexpr TipCoefficientRow kTipCoefficient[] = {
    {20.0, {0.365, 0.256, 0.177}}, {20.5, {0.375, 0.267, 0.190}},
    {22.5, {0.416, 0.319, 0.242}}, {25.0, {0.470, 0.389, 0.318}},
    {27.5, {0.525, 0.400, 0.400}}, {30.0, {0.580, 0.520, 0.490}},
    {32.5, {0.637, 0.605, 0.578}}, {35.0, {0.680, 0.670, 0.660}},
    {36.5, {0.700, 0.700, 0.700}}, {37.5, {0.715, 0.715, 0.715}},
    {40.0, {0.750, 0.750, 0.750}}, {42.5, {0.780, 0.780, 0.780}},
    {45.0, {0.800, 0.800, 0.800}},
};
constexpr std::size_t kTipRows = std::size(kTipCoefficient);

constexpr std::array<TablePoint, kTipRows> tip_column(int c) {
  std::array<TablePoint, kTipRows> column{};
  for (std::size_t r = 0; r < kTipRows; ++r) {
    column[r] = {kTipCoefficient[r].phi, kTipCoefficient[r].by_ratio[c]};
  }
  return column;
}
constexpr std::array<std::array<TablePoint, kTipRows>, 3> kTipColumns = {
    tip_column(0), tip_column(1), tip_column(2)};

// A zero diameter would make L/D infinite: the diameter is floored.
constexpr double kSmallestDiameter = 1e-10;

}  // namespace

double nq_fhwa(double phi) { return interpolate(kNqFhwaByPhi, phi); }

double fhwa_bearing_limit(double phi) { return interpolate(kBearingLimitByPhi, phi); }

// Column by L/D (below 30, 30 to 45, 45 and more), interpolated in phi;
// below L/D 45 and above 20 the next column too, then linearly in L/D.
double tip_coefficient(double phi, double length_over_diameter) {
  const double ld = length_over_diameter;
  const int c = ld < 30.0 ? 0 : (ld < 45.0 ? 1 : 2);
  const double value = interpolate(kTipColumns[static_cast<std::size_t>(c)], phi);
  if (c == 2 || !(ld > 20.0)) return value;
  const double next = interpolate(kTipColumns[static_cast<std::size_t>(c + 1)], phi);
  return value + (next - value) * (ld - kTipRatios[c]) / (kTipRatios[c + 1] - kTipRatios[c]);
}

// Sand: alpha_t Nq' sigma'v, limited by twice the table limit and qmax.
void fhwa_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                       double& qb) {
  const double phi = m.layer_friction_angle[j];
  const double ratio = m.pile_length / std::max(diameter_length(m), kSmallestDiameter);
  const double alpha = tip_coefficient(phi, ratio);
  const double nq = nq_fhwa(phi);
  const double limit_value = is_english(m) ? 2.0 * fhwa_bearing_limit(phi)
                                           : 2.0 * fhwa_bearing_limit(phi) * kKpaPerKsf;
  const double lim = std::min(limit_value, m.layer_max_unit_bearing[j]);
  qt = std::min(lim, alpha * nq * m.boundary_vertical_stress[2 * j - 1]);
  qb = std::min(lim, alpha * nq * m.boundary_vertical_stress[2 * j]);
}

}  // namespace zolan
