// Unit end bearing at the layer boundaries: the design tables and every
// method's rule, with values worked out by hand from the tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "capacity/end_bearing.hpp"
#include "layer_fixture.hpp"
#include "methods/cpt_steps.hpp"
#include "methods/rules.hpp"
#include "model/numeric.hpp"

namespace zolan {
namespace {

// One soil description copied into every computational layer.
struct Soil {
  double soil_type = 1.0;
  double phi = 35.0;
  double nq = 40.0;
  double su = 0.0;
  double qmax = kNotLimited;
  double qc = 0.0;  // layer cone resistance (psf or kPa)
  double blow = 0.0;
};

// n layers of thickness h; effective stress growing by `gradient` per unit
// depth, penetration list (i - 1) x h over the whole profile.
std::unique_ptr<AnalysisModel> layered(int unit_system, int n, double h, const Soil& s,
                                       double gradient) {
  testing::LayeredPile p;
  p.unit_system = unit_system;
  p.thickness = h;
  p.npen = n;
  p.stress_gradient = gradient;
  p.layers.assign(static_cast<std::size_t>(n),
                  testing::LayerSoil{.soil_type = s.soil_type, .phi = s.phi, .nq = s.nq, .su = s.su,
                                     .max_bearing = s.qmax, .qc = s.qc, .blow = s.blow});
  return p.build();
}

// ---- Tables -------------------------------------------------------------

struct TableCase {
  const char* name;
  double (*table)(double);
  double argument;
  double expected;
};

double limit_english(double phi) { return bearing_limit(phi, 1); }
double limit_si(double phi) { return bearing_limit(phi, 2); }

const TableCase kTableCases[] = {
    // T1: 30 + (56 - 30) x 3/4 between the rows 32 and 36; end values outside.
    {"T1 35", nq_usace, 35.0, 49.5},
    {"T1 37", nq_usace, 37.0, 62.0},
    {"T1 below", nq_usace, -3.0, 1.0},
    {"T1 above", nq_usace, 60.0, 415.1},
    {"T1 row", nq_usace, 39.0, 79.0},
    // T2: 43 + (64 - 43) x 1.25 / 2.5.
    {"T2 33.75", nq_fhwa, 33.75, 53.5},
    {"T2 below", nq_fhwa, 10.0, 4.8},
    {"T2 above", nq_fhwa, 50.0, 475.0},
    // T3: 20 + (32.5 - 20) x 0.625 / 1.25.
    {"T3 33.125", fhwa_bearing_limit, 33.125, 26.25},
    {"T3 below", fhwa_bearing_limit, 29.0, 6.66},
    {"T3 above", fhwa_bearing_limit, 45.0, 368.8},
    // T4 by delta = phi - 5: phi 35 gives 40; 20 + 20 x 2.5 / 5 at 27.5.
    {"T4 30", nq_api, 30.0, 40.0},
    {"T4 27.5", nq_api, 27.5, 30.0},
    {"T4 below", nq_api, 10.0, 8.0},
    {"T4 above", nq_api, 40.0, 50.0},
    // Table L: 100 + 100 x 2.5 / 5 ksf and 4800 + 4800 x 0.5 kPa at 32.5.
    {"L 32.5 ksf", limit_english, 32.5, 150.0},
    {"L 32.5 kPa", limit_si, 32.5, 7200.0},
    {"L 22 ksf", limit_english, 22.0, 48.0},
    {"L 22 kPa", limit_si, 22.0, 2300.0},
    {"L 37.5 ksf", limit_english, 37.5, 225.0},
    {"L low", limit_english, 15.0, 40.0},
    {"L high kPa", limit_si, 45.0, 12000.0},
};

TEST(EndBearingTables, RowsBandsAndEndValues) {
  for (const TableCase& c : kTableCases) {
    EXPECT_NEAR(c.table(c.argument), c.expected, 1e-9) << c.name;
  }
}

struct TipCase {
  double phi;
  double ratio;
  double expected;
};

const TipCase kTipCases[] = {
    {42.5, 30.0, 0.78},    // column 2 at L/D 30, no L/D interpolation
    {30.0, 25.0, 0.55},    // 0.58 + (0.52 - 0.58) x 5/10
    {30.0, 37.5, 0.505},   // 0.52 + (0.49 - 0.52) x 7.5/15
    {31.25, 20.0, 0.6085},  // column 1 alone: 0.58 + 0.057 / 2
    {31.25, 10.0, 0.6085},
    {30.0, 60.0, 0.49},    // column 3
    {19.0, 10.0, 0.365},   // first row
    {50.0, 40.0, 0.8},     // last row
    {26.25, 25.0, 0.446},  // column 1 0.4975, column 2 0.3945: 0.4975 - 0.103 / 2
};

TEST(EndBearingTables, TipCoefficientByColumnAndRatio) {
  for (const TipCase& c : kTipCases) {
    EXPECT_NEAR(tip_coefficient(c.phi, c.ratio), c.expected, 1e-9)
        << "phi " << c.phi << " L/D " << c.ratio;
  }
}

// ---- Cone resistance of a layer ------------------------------------------

TEST(LayerConeResistance, LayerThenProfileThenBlowCount) {
  Soil s;
  s.qc = 20000.0;  // psf
  s.blow = 10.0;
  auto m = layered(1, 4, 1.0, s, 0.1);
  EXPECT_NEAR(layer_qc(*m, 2), 20.0, 1e-12);  // ksf
  m->layer_cone_resistance[2] = 0.0;
  // No CPT profile: 2.8 x 2.1168 x 10.
  EXPECT_NEAR(layer_qc(*m, 2), 59.2704, 1e-9);
  // Profile 10000 psf at 0 to 30000 psf at 4 ft, read at penetration_depth(2) = 1.
  m->cpt_point_count = 2;
  m->cpt_depth[1] = 0.0;
  m->cpt_qc[1] = 10000.0;
  m->cpt_depth[2] = 4.0;
  m->cpt_qc[2] = 30000.0;
  EXPECT_NEAR(layer_qc(*m, 2), 15.0, 1e-12);
  // The list as it stands (a battered pile's vertical depths).
  m->penetration_depth[2] = 2.0;
  EXPECT_NEAR(layer_qc(*m, 2), 20.0, 1e-12);
  // Layer 5 is below the deepest layer: the values of layer 4, the depth the
  // rebuilt list would hold (4 x 1.0 = 4 ft, 30 ksf).
  m->layer_cone_resistance[4] = 0.0;
  EXPECT_NEAR(layer_qc(*m, 5), 30.0, 1e-12);
  // SI: no division.
  m->unit_system = 2;
  EXPECT_NEAR(layer_qc(*m, 1), 20000.0, 1e-9);
}

// ---- Cohesive layers ------------------------------------------------------

struct ClayCase {
  int code;
  double di;  // inner diameter at the tip, in
  int plug;
  int drained;
  double expected;  // ksf, with su 1.5 and qc 20 ksf
};

const ClayCase kClayCases[] = {
    {kCodeApi, 0.0, 0, 0, 13.5},   // 9 su
    {kCodeNgi, 0.0, 0, 0, 13.5},   // NGI keeps 9 su
    {kCodeIcp, 0.0, 0, 1, 26.0},   // closed, drained 1.3 qc
    {kCodeIcp, 0.0, 0, 0, 16.0},   // closed, undrained 0.8 qc
    {kCodeFugro, 20.0, 1, 1, 13.0},  // plugged, drained 0.65 qc
    {kCodeUwa, 20.0, 1, 0, 8.0},   // plugged, undrained 0.4 qc
    {kCodeUwa, 20.0, 2, 1, 32.0},  // unplugged, drained 1.6 qc
    {kCodeIcp, 20.0, 2, 0, 20.0},  // unplugged, undrained qc
    {kCodeFugro, 20.0, 0, 1, 13.5},  // open, plug computed: 9 su
    {kCodeUser, 20.0, 2, 1, 13.5},   // 9 su for the user code too
};

TEST(UnitEndBearingClay, NineSuOrConeFractions) {
  Soil s;
  s.soil_type = 2.0;
  s.su = 1.5;
  s.qc = 20000.0;
  for (const ClayCase& c : kClayCases) {
    auto m = layered(1, 3, 1.0, s, 0.1);
    m->method_code = c.code;
    m->pile_diameter = 24.0;
    m->pile_inner_diameter = c.di;
    m->plug_condition = c.plug;
    m->clay_drained_option = c.drained;
    compute_unit_end_bearing(*m);
    for (int k = 1; k <= 6; ++k) {
      EXPECT_NEAR(m->boundary_unit_end_bearing[k], c.expected, 1e-12)
          << "code " << c.code << " plug " << c.plug << " k " << k;
    }
    // A given maximum unit bearing caps them.
    m->layer_max_unit_bearing[2] = 5.0;
    compute_unit_end_bearing(*m);
    EXPECT_EQ(m->boundary_unit_end_bearing[3], std::min(c.expected, 5.0));
    EXPECT_EQ(m->boundary_unit_end_bearing[4], std::min(c.expected, 5.0));
  }
}

// ---- Sand: API and Revised Lambda -----------------------------------------

TEST(UnitEndBearingApi, ZeroNqFilledFromTheDeltaTableForGood) {
  Soil s;
  s.nq = 0.0;
  auto m = layered(1, 3, 1.0, s, 0.1);
  m->layer_soil_type[3] = 2.0;  // clay keeps its zero Nq
  m->method_code = kCodeApi;
  compute_unit_end_bearing(*m);
  EXPECT_EQ(m->layer_Nq[1], 40.0);  // T4(35 - 5)
  EXPECT_EQ(m->layer_Nq[2], 40.0);
  EXPECT_EQ(m->layer_Nq[3], 0.0);
  // Layer 2: 40 x 0.1 and 40 x 0.2 ksf.
  EXPECT_NEAR(m->boundary_unit_end_bearing[3], 4.0, 1e-12);
  EXPECT_NEAR(m->boundary_unit_end_bearing[4], 8.0, 1e-12);
  // A later change of the angle no longer touches the filled Nq.
  m->layer_friction_angle[1] = 25.0;
  compute_unit_end_bearing(*m);
  EXPECT_EQ(m->layer_Nq[1], 40.0);
}

TEST(UnitEndBearingApi, LimitFromTableLOrGivenMaximum) {
  Soil s;
  s.phi = 32.5;
  for (int units : {1, 2}) {
    for (int code : {kCodeLambda, kCodeApi}) {
      auto m = layered(units, 2, 1.0, s, 1000.0);  // Nq sigma far above the limit
      m->method_code = code;
      m->layer_max_unit_bearing[2] = 90.0;
      compute_unit_end_bearing(*m);
      EXPECT_EQ(m->boundary_unit_end_bearing[1], 0.0);  // ground surface
      EXPECT_NEAR(m->boundary_unit_end_bearing[2], units == 1 ? 150.0 : 7200.0, 1e-9);
      EXPECT_EQ(m->boundary_unit_end_bearing[3], 90.0);
      EXPECT_EQ(m->boundary_unit_end_bearing[4], 90.0);
    }
  }
}

// ---- Sand: FHWA ------------------------------------------------------------

TEST(UnitEndBearingFhwa, TipCoefficientNqPrimeAndLimit) {
  Soil s;  // phi 35
  auto m = layered(1, 3, 1.0, s, 1.0);
  m->method_code = kCodeFhwa;
  m->pile_diameter = 12.0;
  m->pile_length = 30.0;  // L/D = 30: alpha_t 0.67, Nq' 64, limit 2 x 53.8
  m->boundary_vertical_stress[4] = 1.1;
  compute_unit_end_bearing(*m);
  EXPECT_NEAR(m->boundary_unit_end_bearing[3], 42.88, 1e-9);   // 0.67 x 64 x 1.0
  EXPECT_NEAR(m->boundary_unit_end_bearing[4], 47.168, 1e-9);  // 0.67 x 64 x 1.1
  EXPECT_NEAR(m->boundary_unit_end_bearing[6], 107.6, 1e-9);   // 128.64 above the limit
  // The smaller of the FHWA limit and the given maximum.
  m->layer_max_unit_bearing[3] = 60.0;
  compute_unit_end_bearing(*m);
  EXPECT_EQ(m->boundary_unit_end_bearing[6], 60.0);
  // SI: the limit in kPa, 2 x 53.8 x 47.88.
  m->unit_system = 2;
  m->pile_diameter = 1000.0;
  m->layer_max_unit_bearing[3] = kNotLimited;
  m->boundary_vertical_stress[6] = 1.0e6;
  compute_unit_end_bearing(*m);
  EXPECT_NEAR(m->boundary_unit_end_bearing[6], 5151.888, 1e-9);
}

// ---- Sand: USACE -------------------------------------------------------------

// 30 sand layers of 1 ft, OD 12 in: d10 = 11, d15 = 16, d20 = 21 ft. The
// stress at the critical depth of layer j is 1 + 0.01 j ksf; the stress at
// the boundaries is 0.1 ksf per ft.
std::unique_ptr<AnalysisModel> usace_profile() {
  Soil s;
  auto m = layered(1, 30, 1.0, s, 0.1);
  m->method_code = kCodeUsace;
  m->pile_diameter = 12.0;
  for (int j = 1; j <= 30; ++j) m->boundary_vertical_stress_usace[2 * j] = 1.0 + 0.01 * j;
  return m;
}

TEST(UnitEndBearingUsace, CapsCapturedAtTheCriticalDepths) {
  auto m = usace_profile();
  m->layer_friction_angle[25] = 38.0;  // phi > 36 at y = 24 > d20
  m->layer_friction_angle[28] = 30.0;  // phi <= 33: the cap already set stays
  compute_unit_end_bearing(*m);
  const double nq35 = 49.5;  // T1(35)
  // Layer 17 starts at y = 16, not beyond d15: no cap.
  EXPECT_NEAR(m->boundary_unit_end_bearing[33], nq35 * 1.6, 1e-9);
  EXPECT_NEAR(m->boundary_unit_end_bearing[34], nq35 * 1.7, 1e-9);
  // Layer 18 (y = 17) captures 1.18; the same cap holds down to layer 24.
  for (int j : {18, 20, 24}) {
    EXPECT_NEAR(m->boundary_unit_end_bearing[2 * j - 1], nq35 * 1.18, 1e-9) << j;
    EXPECT_NEAR(m->boundary_unit_end_bearing[2 * j], nq35 * 1.18, 1e-9) << j;
  }
  // Layer 25 (phi 38, Nq 68) captures cap40 = 1.25, which every later layer uses.
  EXPECT_NEAR(m->boundary_unit_end_bearing[49], 68.0 * 1.25, 1e-9);
  EXPECT_NEAR(m->boundary_unit_end_bearing[52], nq35 * 1.18, 1e-9);  // layer 26: cap36 again
  EXPECT_NEAR(m->boundary_unit_end_bearing[56], 23.0 * 1.18, 1e-9);  // layer 28: T1(30) = 23
}

TEST(UnitEndBearingUsace, CriticalDepthOptions) {
  // Option 1 without a critical depth found: no cap anywhere.
  auto m = usace_profile();
  m->critical_depth_option = 1;
  m->critical_depth = 0.0;
  compute_unit_end_bearing(*m);
  EXPECT_NEAR(m->boundary_unit_end_bearing[60], 49.5 * 3.0, 1e-9);
  // Given critical depth 5.5: layer 7 (y = 6) captures 1.07, which applies
  // once the stress at a layer bottom exceeds it (layer 11, 1.1 ksf).
  m->critical_depth_option = 2;
  m->critical_depth = 5.5;
  compute_unit_end_bearing(*m);
  EXPECT_NEAR(m->boundary_unit_end_bearing[13], 49.5 * 0.6, 1e-9);
  EXPECT_NEAR(m->boundary_unit_end_bearing[20], 49.5 * 1.0, 1e-9);
  EXPECT_NEAR(m->boundary_unit_end_bearing[21], 49.5 * 1.07, 1e-9);
  EXPECT_NEAR(m->boundary_unit_end_bearing[22], 49.5 * 1.07, 1e-9);
  EXPECT_NEAR(m->boundary_unit_end_bearing[60], 49.5 * 1.07, 1e-9);
  // A given maximum (above 0.001) limits the capped value too.
  m->layer_max_unit_bearing[30] = 20.0;
  compute_unit_end_bearing(*m);
  EXPECT_EQ(m->boundary_unit_end_bearing[60], 20.0);
}

// ---- Sand: CPT-based methods -----------------------------------------------

struct CptCase {
  const char* name;
  int units;
  int code;
  double od;
  double di;
  int plug;
  double qc;
  double stress;  // stress at the bottom of layer 1
  double expected;  // at the bottom of layer 1
};

const CptCase kCptCases[] = {
    // NGI, qc 10 ksf, sigma 1 ksf: Dr = 0.4 ln(10 / (22 sqrt(2.1168))) = -0.465364.
    {"NGI closed", 1, kCodeNgi, 12.0, 0.0, 0, 10000.0, 1.0, 6.575899005200347},  // 0.8 qc / (1 + Dr^2)
    {"NGI open", 1, kCodeNgi, 12.0, 10.0, 0, 10000.0, 1.0, 4.243218653241787},  // 0.7 qc / (1 + 3 Dr^2)
    {"NGI sigma 2", 1, kCodeNgi, 12.0, 0.0, 0, 10000.0, 2.0, 5.8616298055547995},
    {"NGI no qc", 1, kCodeNgi, 12.0, 0.0, 0, 0.0, 2.0, 0.0},
    // ICP/MTD, qc 5000 kPa: r = log10(1000 / 36) = 1.443697.
    {"ICP closed 1000", 2, kCodeIcp, 1000.0, 0.0, 0, 5000.0, 100.0, 1500.0},  // 0.278 qc < 0.3 qc
    {"ICP closed 500", 2, kCodeIcp, 500.0, 0.0, 0, 5000.0, 100.0, 2143.3312410781714},
    {"ICP open 1000", 2, kCodeIcp, 1000.0, 900.0, 0, 5000.0, 100.0, 750.0},  // 0.139 qc < 0.15 qc
    {"ICP open 500", 2, kCodeIcp, 500.0, 450.0, 0, 5000.0, 100.0, 1071.6656205390857},
    {"ICP unplugged", 2, kCodeIcp, 1000.0, 900.0, 2, 5000.0, 100.0, 5000.0},
    // ICP in English units: OD 1000 / 25.4 in, 1000 mm; qc 100 ksf.
    {"ICP closed in", 1, kCodeIcp, 1000.0 / 25.4, 0.0, 0, 100000.0, 1.0, 30.0},
    // Fugro: 8.5 x 100 x sqrt(50) x 0.19^0.25.
    {"Fugro", 2, kCodeFugro, 1000.0, 900.0, 0, 5000.0, 100.0, 3968.1888102181683},
    {"Fugro closed", 2, kCodeFugro, 1000.0, 0.0, 0, 5000.0, 100.0, 8.5 * 100.0 * std::sqrt(50.0)},
    // UWA: FFR = 0.6^0.2 = 0.902880, Arb = 1 - 0.81 FFR, qc (0.15 + 0.45 Arb).
    {"UWA open", 2, kCodeUwa, 1000.0, 900.0, 0, 5000.0, 100.0, 1354.500377237051},
    {"UWA plugged", 2, kCodeUwa, 1000.0, 900.0, 1, 5000.0, 100.0, 1500.0},  // not below 0.3 qc
    {"UWA small", 2, kCodeUwa, 1000.0, 300.0, 0, 5000.0, 100.0, 2853.2321181052666},
    {"UWA closed", 2, kCodeUwa, 1000.0, 0.0, 0, 5000.0, 100.0, 3000.0},  // Arb 1: 0.6 qc
};

TEST(UnitEndBearingCpt, MethodRules) {
  for (const CptCase& c : kCptCases) {
    Soil s;
    s.qc = c.qc;
    auto m = layered(c.units, 2, 1.0, s, c.stress);
    m->method_code = c.code;
    m->pile_diameter = c.od;
    m->pile_inner_diameter = c.di;
    m->plug_condition = c.plug;
    compute_unit_end_bearing(*m);
    const double b = m->boundary_unit_end_bearing[2];
    EXPECT_NEAR(b, c.expected, 1e-9 * std::max(1.0, c.expected)) << c.name;
    // One value per layer; NGI at the ground surface (sigma'v 0): 0, not NaN.
    EXPECT_EQ(m->boundary_unit_end_bearing[1], c.code == kCodeNgi ? 0.0 : b) << c.name;
  }
}

TEST(UnitEndBearingCpt, GivenMaximumAboveOneThousandth) {
  Soil s;
  s.qc = 5000.0;
  auto m = layered(2, 2, 1.0, s, 100.0);
  m->method_code = kCodeIcp;
  m->pile_diameter = 1000.0;
  m->layer_max_unit_bearing[1] = 1000.0;
  m->layer_max_unit_bearing[2] = 0.0005;  // too small to count as a limit
  compute_unit_end_bearing(*m);
  EXPECT_EQ(m->boundary_unit_end_bearing[2], 1000.0);
  EXPECT_EQ(m->boundary_unit_end_bearing[4], 1500.0);
}

TEST(UnitEndBearingUser, SandKeepsThePreviousValues) {
  Soil s;
  auto m = layered(1, 2, 1.0, s, 0.1);
  m->layer_soil_type[2] = 2.0;
  m->layer_su_undisturbed[2] = 1.0;
  m->method_code = kCodeLambda;
  compute_unit_end_bearing(*m);  // layer 1: 40 x 0.1 at the bottom
  m->method_code = kCodeUser;
  m->boundary_vertical_stress[2] = 5.0;
  compute_unit_end_bearing(*m);
  EXPECT_NEAR(m->boundary_unit_end_bearing[2], 4.0, 1e-12);
  EXPECT_EQ(m->boundary_unit_end_bearing[3], 9.0);  // clay: 9 su
}

}  // namespace
}  // namespace zolan
