// Computational layers: mid-depth values, boundary stresses, friction angle
// from blow count, strength from cone resistance, critical depth and the
// USACE stress table.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "capacity/layers.hpp"

namespace zolan {
namespace {

struct Point {
  double depth;
  double type;
  double unit_weight;
  double phi = 0.0;
  double blow_count = 0.0;
  double K = 0.0;
  double qc = 0.0;
  double user_f = 0.0;
};

// Vertical pile, OD 12 in (1 ft) or 1000 mm (1 m).
std::unique_ptr<AnalysisModel> profile(int units, double step, double spd,
                                       const std::vector<Point>& points) {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = units;
  m->length_step = step;
  m->penetration_step = step;
  m->soil_profile_depth = spd;
  m->pile_length = spd / 2.0;
  m->pile_diameter = units == 1 ? 12.0 : 1000.0;
  int i = 0;
  for (const Point& p : points) {
    m->soil_point_depth[++i] = p.depth;
    m->soil_table(i, kColSoilType) = p.type;
    m->soil_table(i, kColK) = p.K;
    m->soil_table(i, kColUnitWeight) = p.unit_weight;
    m->soil_table(i, kColFrictionAngle) = p.phi;
    m->soil_table(i, kColBlowCount) = p.blow_count;
    m->soil_table(i, kColConeResistance) = p.qc;
    m->soil_table(i, kColUserFriction) = p.user_f;
  }
  m->soil_point_count = i;
  return m;
}

struct PhiCase {
  double n, sigma, last, expected;
};

// cap(N, s) = cap0 + s (cap40 - cap0) / 40, the caps constant outside N 3..60.
const PhiCase kPhiCases[] = {
    {10, 10, 0, 33.75},   // 38 - (38 - 32) x 10 / 20 = 35; cap 35 - 10 x 5 / 40 = 33.75
    {10, 20, 0, 32.0},    // phi20 = 32; cap 35 - 2.5 = 32.5
    {6, 20, 0, 30.0},     // phi20 = 30; cap 33 - 2.5 = 30.5
    {2, 0, 0, 30.0},      // phi0 = 32; cap0 below N 3 is 30
    {8, 22, 0, 31.0},     // 30 + 0.5 x 2; cap 34 + 22 x (29 - 34) / 40 = 31.25
    {12, 22, 0, 32.66},   // 32.8 - 2 x (32.8 - 31.4) / 20; cap 35.5 - 2.75 = 32.75
    {0, 25, 0, 26.875},   // N <= 6 gives 30; cap 30 - 25 x 5 / 40
    {30, 10, 0, 38.75},   // 39 + 10 x 6 / 20 = 42; cap 40 - 1.25
    {95, 10, 20, 41.75},  // 50; cap 43 - 1.25
    {90, 10, 20, 20.0},   // N = 90: the last value
    {0, 10, 31, 28.75},   // no blow count: the last value, capped at 30 - 1.25
    {85, 45, 0, 38.0},    // phi40 = 44; cap40 above N 60 is 38
    {95, 50, 28, 28.0},   // 40 psi and more, N above 90: the last value
    {10, 40, 28, 28.0},   // 40 psi and more, N <= 10: the last value
};

TEST(Layers, FrictionAngleFromBlowCount) {
  for (const PhiCase& c : kPhiCases) {
    double last = c.last;
    EXPECT_NEAR(phi_from_blow_count(c.n, c.sigma, last), c.expected, 1e-12)
        << "N " << c.n << " sigma " << c.sigma;
    EXPECT_NEAR(last, c.expected, 1e-12) << "the result becomes the last value";
  }
}

TEST(Layers, TwoPointProfileTakesEachLayersMidDepthValue) {
  // K 0.4 -> 1.4, unit weight 100 -> 120 pcf, user friction 2000 -> 4000 psf
  // over 10 ft: layer j at mid-depth j - 0.5.
  auto m = profile(1, 1.0, 10.0, {{0, 1, 100, 0, 0, 0.4, 0, 2000}, {10, 1, 120, 0, 0, 1.4, 0, 4000}});
  m->tension_reduction_factor = 0.7;  // never applied to the user values
  prepare_layers(*m);
  EXPECT_EQ(m->layer_count, 10);
  EXPECT_EQ(m->npen, 6);  // int(5 / 1 + 1e-6) + 1
  EXPECT_NEAR(m->layer_K[1], 0.45, 1e-12);
  EXPECT_NEAR(m->layer_K[10], 1.35, 1e-12);
  EXPECT_NEAR(m->layer_unit_weight[3], 105.0, 1e-12);
  EXPECT_NEAR(m->layer_unit_friction_user[1], 2.1, 1e-12);   // 2100 psf
  EXPECT_NEAR(m->layer_unit_friction_user[10], 3.9, 1e-12);  // 3900 psf
  EXPECT_EQ(m->layer_top_depth[4], 3.0);
  EXPECT_EQ(m->layer_bottom_depth[4], 4.0);
  // Stresses: 101, 103, 105 ... 119 pcf over 1 ft each.
  EXPECT_EQ(m->boundary_vertical_stress[1], 0.0);
  EXPECT_NEAR(m->boundary_vertical_stress[2], 0.101, 1e-12);
  EXPECT_NEAR(m->boundary_vertical_stress[3], 0.101, 1e-12);
  EXPECT_NEAR(m->boundary_vertical_stress[6], 0.309, 1e-12);
  EXPECT_NEAR(m->boundary_vertical_stress[20], 1.1, 1e-12);  // (990 + 110) / 1000
  EXPECT_EQ(m->boundary_vertical_stress[21], m->boundary_vertical_stress[20]);
}

TEST(Layers, SharedFirstDepthAndLayersBelowTheDeepestPoint) {
  // Points at 2 (clay), 2 (sand) and 6 ft; the profile reaches 9 ft.
  auto m = profile(1, 1.0, 9.0, {{2, 2, 100, 0, 0, 0.5}, {2, 1, 110, 0, 0, 0.7}, {6, 1, 130, 0, 0, 1.1}});
  prepare_layers(*m);
  // Layers 1, 2: the zero-thickness interval gives its upper point.
  EXPECT_EQ(m->layer_soil_type[2], 2.0);
  EXPECT_EQ(m->layer_K[2], 0.5);
  // Layer 3 (mid 2.5): 0.7 + 0.4 x 0.5 / 4; unit weight 110 + 20 x 0.5 / 4.
  EXPECT_EQ(m->layer_soil_type[3], 1.0);
  EXPECT_NEAR(m->layer_K[3], 0.75, 1e-12);
  EXPECT_NEAR(m->layer_unit_weight[3], 112.5, 1e-12);
  EXPECT_NEAR(m->layer_K[6], 1.05, 1e-12);  // mid 5.5
  for (int j : {7, 9}) {  // below the deepest point: its values, constant
    EXPECT_EQ(m->layer_K[j], 1.1);
    EXPECT_EQ(m->layer_unit_weight[j], 130.0);
  }
  auto one = profile(2, 0.5, 2.0, {{0, 2, 18, 0, 0, 0.6}});
  prepare_layers(*one);
  EXPECT_EQ(one->layer_count, 4);
  EXPECT_EQ(one->layer_K[4], 0.6);
  EXPECT_NEAR(one->boundary_vertical_stress[8], 36.0, 1e-12);  // 4 x 0.5 x 18 kPa
}

TEST(Layers, FrictionAngleAndStrengthFillGaps) {
  // Clay 0-5 ft (qc 30000 psf), sand N 10 5-15 ft, clay 15-20 ft; 144 pcf
  // makes the bottom stress of layer j equal to j psi.
  const std::vector<Point> pts = {{0, 2, 144, 0, 0, 0, 30000}, {5, 2, 144, 0, 0, 0, 30000},
                                  {5, 1, 144, 0, 10},          {15, 1, 144, 0, 10},
                                  {15, 2, 144, 0, 0, 0, 30000}, {20, 2, 144, 0, 0, 0, 30000}};
  auto m = profile(1, 1.0, 20.0, pts);
  for (int pass = 1; pass <= 2; ++pass) {  // the same layers in both passes
    prepare_layers(*m);
    EXPECT_EQ(m->layer_friction_angle[1], 0.0) << "no correlation has run yet";
    EXPECT_NEAR(m->layer_su_undisturbed[1], 2.0, 1e-12);  // 30 ksf / 15
    EXPECT_NEAR(m->layer_friction_angle[10], 33.75, 1e-9);
    // 15 psi: 38 - 6 x 15 / 20 = 33.5; cap 35 - 15 x 5 / 40 = 33.125.
    EXPECT_NEAR(m->layer_friction_angle[15], 33.125, 1e-9);
    EXPECT_NEAR(m->layer_friction_angle[18], 33.125, 1e-9);  // the last value
    EXPECT_EQ(m->layer_su_undisturbed[10], 0.0);
  }
}

void expect_usace(const AnalysisModel& m, const std::vector<std::pair<double, double>>& rows) {
  // rows[j - 1]: expected top and bottom entries of layer j.
  for (int j = 1; j <= static_cast<int>(rows.size()); ++j) {
    EXPECT_NEAR(m.boundary_vertical_stress_usace[2 * j - 1], rows[j - 1].first, 1e-9) << j;
    EXPECT_NEAR(m.boundary_vertical_stress_usace[2 * j], rows[j - 1].second, 1e-9) << j;
  }
}

void expect_unlimited(const AnalysisModel& m) {
  for (int k = 1; k <= 2 * m.layer_count + 1; ++k) {
    EXPECT_EQ(m.boundary_vertical_stress_usace[k], m.boundary_vertical_stress[k]) << k;
  }
}

TEST(Layers, CriticalDepthByStress) {
  // 100 pcf over 40 ft layers: 4, 8, 12 ksf; layer 1 is not tested.
  auto m = profile(1, 40.0, 120.0, {{0, 1, 100, 34}});
  m->critical_depth_option = 1;
  m->critical_depth = 999.0;
  prepare_layers(*m);
  EXPECT_EQ(m->critical_depth, 80.0);
  // SI, 10 kPa per m: 160 at 16 m, 170 at 17 m > 167.58. Stress at 17 m:
  // k = 17, 150 + (17 - 15) x 10 = 170. User values and qc as entered.
  auto si = profile(2, 1.0, 20.0, {{0, 1, 10, 34, 0, 0, 300, 50}});
  si->critical_depth_option = 1;
  prepare_layers(*si);
  EXPECT_EQ(si->critical_depth, 17.0);
  EXPECT_NEAR(si->layer_su_undisturbed[1], 20.0, 1e-12);
  EXPECT_EQ(si->layer_unit_friction_user[1], 50.0);
  EXPECT_NEAR(si->boundary_vertical_stress_usace[32], 160.0, 1e-9);  // layer 16 not limited
  expect_usace(*si, {{0, 10}});
  EXPECT_NEAR(si->boundary_vertical_stress_usace[34], 170.0, 1e-9);
  EXPECT_NEAR(si->boundary_vertical_stress_usace[35], 170.0, 1e-9);
  EXPECT_NEAR(si->boundary_vertical_stress_usace[40], 170.0, 1e-9);
  EXPECT_NEAR(si->boundary_vertical_stress_usace[41], 170.0, 1e-9);  // below the deepest layer
  // Never reaching 3.5 ksf: no critical depth, nothing limited.
  auto low = profile(1, 1.0, 10.0, {{0, 1, 100, 34}});
  low->critical_depth_option = 1;
  low->critical_depth = 5.0;
  prepare_layers(*low);
  EXPECT_EQ(low->critical_depth, 0.0);
  expect_unlimited(*low);
}

TEST(Layers, UsaceStressByPileDiameters) {
  // OD 1 ft, 100 pcf (0.1 ksf per layer). Clay 0-12, sand phi 36 (Z 20 ft)
  // 12-15, clay 15-18, sand phi 30 (Z 10 ft) 18-30. Stress at 10 ft:
  // k = 10, 0.8 + (10 - 8) x 0.1 = 1.0.
  const std::vector<Point> pts = {{0, 2, 100},      {12, 2, 100},     {12, 1, 100, 36},
                                  {15, 1, 100, 36}, {15, 2, 100},     {18, 2, 100},
                                  {18, 1, 100, 30}, {30, 1, 100, 30}};
  auto m = profile(1, 1.0, 30.0, pts);
  prepare_layers(*m);
  // The top clay takes the deepest sand's 10 ft: layer 9 ends above it,
  // layers 10 to 12 are limited to 1.0.
  expect_usace(*m, {{0, 0.1}});
  EXPECT_NEAR(m->boundary_vertical_stress_usace[18], 0.9, 1e-9);
  EXPECT_NEAR(m->boundary_vertical_stress_usace[19], 0.9, 1e-9);
  EXPECT_NEAR(m->boundary_vertical_stress_usace[20], 1.0, 1e-9);
  EXPECT_NEAR(m->boundary_vertical_stress_usace[24], 1.0, 1e-9);
  // Sand 13-15 (20 ft) and the clay below it (20 ft, from the sand above)
  // are not limited; the deep sand is.
  EXPECT_NEAR(m->boundary_vertical_stress_usace[30], 1.5, 1e-9);
  EXPECT_NEAR(m->boundary_vertical_stress_usace[36], 1.8, 1e-9);
  for (int k : {37, 38, 60, 61}) EXPECT_NEAR(m->boundary_vertical_stress_usace[k], 1.0, 1e-9) << k;
  // The stress at Z runs on with the unit weight of layer k - 1: 100 pcf
  // to 9 ft, 50 below. Z = 10 (phi 30): 0.8 + 2 x 0.1 = 1.0 while the
  // stress at 10 ft is 0.95.
  auto two = profile(1, 1.0, 12.0, {{0, 1, 100, 30}, {9, 1, 100, 30}, {9, 1, 50, 30}, {12, 1, 50, 30}});
  prepare_layers(*two);
  EXPECT_NEAR(two->boundary_vertical_stress[18], 0.9, 1e-12);
  EXPECT_NEAR(two->boundary_vertical_stress[24], 1.05, 1e-12);  // 0.9 + 3 x 0.05
  EXPECT_NEAR(two->boundary_vertical_stress_usace[18], 0.9, 1e-12);
  EXPECT_NEAR(two->boundary_vertical_stress_usace[20], 0.95, 1e-12);
  EXPECT_NEAR(two->boundary_vertical_stress_usace[24], 1.0, 1e-12);
  // Only cohesive layers: no critical depth.
  auto clay = profile(1, 1.0, 30.0, {{0, 2, 100}});
  prepare_layers(*clay);
  expect_unlimited(*clay);
}

TEST(Layers, UsaceStressAtUserDepth) {
  // 100 pcf, 1 ft layers. Z 7.5: k = 8, 0.6 + (7.5 - 6) x 0.1 = 0.75.
  auto m = profile(1, 1.0, 10.0, {{0, 1, 100, 30}});
  m->critical_depth_option = 2;
  m->critical_depth = 7.5;
  prepare_layers(*m);
  EXPECT_NEAR(m->boundary_vertical_stress_usace[14], 0.7, 1e-12);  // layer 7 ends above Z
  expect_usace(*m, {{0, 0.1}});
  EXPECT_NEAR(m->boundary_vertical_stress_usace[15], 0.7, 1e-12);
  EXPECT_NEAR(m->boundary_vertical_stress_usace[16], 0.75, 1e-12);
  EXPECT_NEAR(m->boundary_vertical_stress_usace[20], 0.75, 1e-12);
  // Z inside layer 1: k = 2, 0 + 0.5 x 0.1.
  m->critical_depth = 0.5;
  prepare_layers(*m);
  expect_usace(*m, {{0, 0.05}, {0.05, 0.05}});
  // Z below every layer; one layer (no k >= 2): nothing limited.
  m->critical_depth = 50.0;
  prepare_layers(*m);
  expect_unlimited(*m);
  auto single = profile(1, 1.0, 1.0, {{0, 1, 100, 30}});
  single->critical_depth_option = 2;
  single->critical_depth = 0.5;
  prepare_layers(*single);
  expect_unlimited(*single);
  // SI, 0.5 m layers of 10 kN/m3, Z 1.2 m: k = 3, 5 + (1.2 - 0.5) x 10 = 12.
  auto si = profile(2, 0.5, 3.0, {{0, 1, 10, 30}});
  si->critical_depth_option = 2;
  si->critical_depth = 1.2;
  prepare_layers(*si);
  expect_usace(*si, {{0, 5}, {5, 10}, {10, 12}, {12, 12}});
}

TEST(Layers, BatteredLayersUseThePenetrationStep) {
  auto m = profile(1, 1.0, 10.0, {{0, 1, 100, 30}});
  m->penetration_step = 0.8;
  m->pile_length = 7.9999999;
  prepare_layers(*m);
  EXPECT_EQ(m->layer_count, 10);
  EXPECT_EQ(m->npen, 9);  // int(7.9999999 + 1e-6) + 1
  EXPECT_NEAR(m->layer_top_depth[3], 1.6, 1e-12);
  EXPECT_NEAR(m->layer_bottom_depth[3], 2.4, 1e-12);
  EXPECT_EQ(m->layer_thickness[3], 0.8);
  EXPECT_NEAR(m->boundary_vertical_stress[2], 0.08, 1e-12);
}

}  // namespace
}  // namespace zolan
