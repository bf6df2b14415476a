// ICP/MTD, Fugro and UWA unit side friction: the shared steps (cone
// resistance, radii, height above the tip, the cohesive rule and its report
// lines, skin friction by penetration), each method's rule of cohesionless
// layers, and whole runs choosing each method for load transfer.
//
// Values below were worked out by hand from the formulas with the
// single-precision constants widened to double: pa = 2.088554620742798 ksf,
// 57.2958 -> 57.295799255371094, 0.029 -> 0.028999999165534973, and so on;
// tan(30 deg) = 0.577350028635931, tan(27 deg) = 0.5095252449658287.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <memory>
#include <sstream>
#include <string>

#include "input_text.hpp"
#include "methods/cpt_steps.hpp"
#include "methods/rules.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

// A pile of outside diameter D and tip inside diameter Di (in or mm) and
// embedded length L (ft or m), layers of 1 ft or 1 m, the penetration list
// as the run leaves it: (k - 1) x length_step. Layer `top + 1` begins at
// depth `top`; only that layer is filled, by the caller.
std::unique_ptr<AnalysisModel> pile(int units, double d, double di, double length, int top) {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = units;
  m->pile_diameter = d;
  m->pile_inner_diameter = di;
  m->pile_length = length;
  m->length_step = 1.0;
  m->penetration_step = 1.0;
  m->layer_count = top + 1;
  m->npen = static_cast<int>(length) + 1;
  for (int k = 1; k <= kMaxPenetrations; ++k) m->penetration_depth[k] = k - 1.0;
  for (int j = 1; j <= m->layer_count; ++j) {
    m->layer_thickness[j] = 1.0;
    m->layer_soil_type[j] = 1.0;
    m->layer_lrfd_friction[j] = 1.0;
  }
  return m;
}

// A sand layer beginning at depth `top`.
struct Sand {
  int top;
  double phi;
  double qc;     // layer value (psf or kPa); 0 = not given
  double blows;  // blow count, read when no qc is given
  double stress_top;
  double stress_bottom;
};

std::unique_ptr<AnalysisModel> sand_pile(int units, double d, double di, double length,
                                         int loading, const Sand& s) {
  auto m = pile(units, d, di, length, s.top);
  const int i = s.top + 1;
  m->loading_type = loading;
  m->layer_friction_angle[i] = s.phi;
  m->layer_cone_resistance[i] = s.qc;
  m->layer_blow_count[i] = s.blows;
  m->boundary_vertical_stress[2 * i - 1] = s.stress_top;
  m->boundary_vertical_stress[2 * i] = s.stress_bottom;
  return m;
}

constexpr int kEnglish = 1;
constexpr int kSi = 2;
constexpr int kCompression = 2;
constexpr int kTension = 1;

// qc 200 ksf entered as 200000 psf; sigma'v 2.0 and 2.06 ksf.
constexpr double kQcPsf = 200000.0;

// ---------------------------------------------------------------- shared

TEST(CptSteps, ConeResistanceOfALayerBySource) {
  struct Case {
    const char* what;
    int units;
    double layer_qc;
    double blows;
    int top;  // depth of the layer's top
    bool profile;
    double side;     // side_friction_qc
    double bearing;  // layer_qc (end bearing and wall)
  };
  // Profile (ft or m : psf or kPa) 2: 50000, 12: 150000. At 6 (layer 7):
  // 50000 + 100000 x 4/10 = 90000 -> 90 ksf; at 0, above the first point:
  // 50 ksf; at 20, below the last: 150 ksf; SI keeps kPa.
  // Blow count 10 without a profile: side 10 x 2.8f x 2.0885546f
  // = 58.47952838489789 ksf, 10 x 2.8f x 100 = 2799.999952316284 kPa; the
  // end bearing keeps 2.8 x 2.1168 x 10 = 59.2704 ksf and 2800 kPa.
  const Case cases[] = {
      {"layer value", kEnglish, 150000.0, 10, 0, true, 150.0, 150.0},
      {"layer value SI", kSi, 7000.0, 10, 0, false, 7000.0, 7000.0},
      {"profile between points", kEnglish, 0.0, 10, 6, true, 90.0, 90.0},
      {"profile above its first point", kEnglish, 0.0, 10, 0, true, 50.0, 50.0},
      {"profile below its last point", kEnglish, 0.0, 10, 20, true, 150.0, 150.0},
      {"profile SI", kSi, 0.0, 10, 6, true, 90000.0, 90000.0},
      {"blow count", kEnglish, 0.0, 10, 3, false, 58.47952838489789, 59.2704},
      {"blow count SI", kSi, 0.0, 10, 3, false, 2799.999952316284, 2800.0},
      {"nothing given", kSi, 0.0, 0, 3, false, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = sand_pile(c.units, 24.0, 0.0, 40.0, kCompression,
                       {c.top, 35.0, c.layer_qc, c.blows, 0.0, 0.0});
    if (c.profile) {
      m->cpt_point_count = 2;
      m->cpt_depth[1] = 2.0;
      m->cpt_qc[1] = 50000.0;
      m->cpt_depth[2] = 12.0;
      m->cpt_qc[2] = 150000.0;
    }
    EXPECT_NEAR(side_friction_qc(*m, c.top + 1), c.side, 1e-9 * c.side + 1e-12);
    EXPECT_NEAR(layer_qc(*m, c.top + 1), c.bearing, 1e-9 * c.bearing + 1e-12);
  }
}

TEST(CptSteps, RadiiAndHeightAboveTheTip) {
  struct Case {
    const char* what;
    int units;
    double d, di, length;
    int top;
    double r_star, fugro_r_star, h, h_cohesionless;
  };
  // R* = sqrt((24^2 - 22^2) / 4) = sqrt(23) = 4.795831523312719; the Fugro
  // form 12 sqrt(1 - (22/24)^2) gives the same but for the last digits.
  // h = (L - depth) x 12 or x 1000; below the tip the cohesionless rules
  // take 1e-5 (single precision, 9.999999747378752e-06).
  const Case cases[] = {
      {"closed, 40 ft above the tip", kEnglish, 24, 0, 60, 20, 12.0, 12.0, 480.0, 480.0},
      {"open pipe", kEnglish, 24, 22, 60, 20, 4.795831523312719, 4.795831523312721, 480.0, 480.0},
      {"at the tip", kEnglish, 24, 0, 60, 60, 12.0, 12.0, 0.0, 9.999999747378752e-06},
      {"below the tip", kEnglish, 24, 0, 60, 61, 12.0, 12.0, -12.0, 9.999999747378752e-06},
      {"SI, 10 m above the tip", kSi, 600, 0, 20, 10, 300.0, 300.0, 10000.0, 10000.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = pile(c.units, c.d, c.di, c.length, c.top);
    const int i = c.top + 1;
    EXPECT_NEAR(equivalent_radius(*m), c.r_star, 1e-12);
    EXPECT_NEAR(fugro_equivalent_radius(*m), c.fugro_r_star, 1e-12);
    EXPECT_DOUBLE_EQ(pile_radius(*m), c.d / 2.0);
    EXPECT_DOUBLE_EQ(height_above_tip(*m, i), c.h);
    EXPECT_DOUBLE_EQ(cohesionless_height_above_tip(*m, i), c.h_cohesionless);
  }
}

TEST(CptSteps, CohesiveInterfaceAngleAndEarthPressure) {
  // PI table: negative -> 34; 2.5 -> 33; 17.5 -> (27 + 24.5) / 2 = 25.75;
  // 47.5 -> (15.2f + 14.7f) / 2 = 14.949999809265137; 80 and above 8.5.
  struct AngleCase {
    double pi, delta;
  };
  const AngleCase angles[] = {{-1.0, 34.0}, {0.0, 34.0},   {2.5, 33.0},
                              {17.5, 25.75}, {47.5, 14.949999809265137},
                              {80.0, 8.5},  {120.0, 8.5}};
  for (const AngleCase& c : angles) {
    EXPECT_DOUBLE_EQ(cohesive_interface_angle(c.pi), c.delta) << c.pi;
  }

  // K = (2 - 0.625 log10(su / su_r)) YSR^0.42 (h/R*)^-0.2: su 2, su_r 1,
  // YSR 4, h/R* 40: (2 - 0.1881437) x 1.7899 x 0.47818 = 1.5508754615938063.
  // A strength at 0 gives log10 = 0: 2 x 4^0.42 x 40^-0.2 = 1.7119188779729586.
  struct KCase {
    double su, su_r, k;
  };
  const KCase ks[] = {{2.0, 1.0, 1.5508754615938063},
                      {2.0, 0.0, 1.7119188779729586},
                      {0.0, 1.0, 1.7119188779729586}};
  for (const KCase& c : ks) {
    EXPECT_NEAR(cohesive_earth_pressure(c.su, c.su_r, 4.0, 40.0), c.k, 1e-13) << c.su_r;
  }
  // A negative YSR (extrapolated by the layer profile between soil points)
  // gives K = 0, the limit of YSR^0.42 at 0, not a power with no value.
  EXPECT_EQ(cohesive_earth_pressure(2.0, 1.0, -0.5, 40.0), 0.0);
}

// Five clay layers of 1 ft under a closed pile of 12 in (R* = 6 in), L = 3
// ft: su 1, su_r 0.5, YSR 2, PI 30 (delta 20), but PI -5 in layer 2
// (delta 34); sigma'v 0.1 per ft. h / R* = 6, 4, 2 for layers 1 to 3, all
// taken as 8: K = (2 - 0.625 log10 2) 2^0.42 8^-0.2 = 1.5993309186669562.
// f = 0.8 sigma'v tan(delta) K:
//   layer 1: 0, 0.04656869119719219; layer 2: 0.08630094929352161,
//   0.17260189858704322; layer 3: 0.09313738239438438, 0.13970607359157655.
// Layer 4 (h = 0) and 5 (h = -12) write no warning.
std::unique_ptr<AnalysisModel> clay_pile() {
  auto m = pile(kEnglish, 12.0, 0.0, 3.0, 4);
  for (int j = 1; j <= 5; ++j) {
    m->layer_soil_type[j] = j == 5 ? 3.0 : 2.0;  // silt is cohesive too
    m->layer_su_undisturbed[j] = 1.0;
    m->layer_su_remolded[j] = 0.5;
    m->layer_blow_count[j] = 2.0;
    m->layer_plasticity_index[j] = j == 2 ? -5.0 : 30.0;
    m->boundary_vertical_stress[2 * j - 1] = 0.1 * (j - 1);
    m->boundary_vertical_stress[2 * j] = 0.1 * j;
  }
  return m;
}

TEST(CptSteps, CohesiveLayersReportLinesInLayerOrder) {
  for (MethodRoutine routine : {compute_icp, compute_fugro, compute_uwa}) {
    auto m = clay_pile();
    std::ostringstream report;
    RunOutput out;
    out.report.attach(&report);
    routine(*m, out);
    EXPECT_EQ(report.str(),
              " WARNING - h/R SHOULD BE GREATER THAN 8.\n"
              " ERROR - NO DATA FOUND FOR PLASTIC INDEX.\n"
              " WARNING - h/R SHOULD BE GREATER THAN 8.\n"
              " WARNING - h/R SHOULD BE GREATER THAN 8.\n");
  }
}

TEST(CptSteps, SkinFrictionByPenetration) {
  // The clay pile above. Perimeter 3.14159f x 12 / 12 = 3.141590118408203;
  // segments (f(k-1) + f(k)) x 0.5 x 1 x perimeter, no cap, no tension
  // factor (a tension run gives the same).
  //  vertical: points at 0, 1, 2, 3 read layer 1 top, layer 1 bottom,
  //   layer 2 bottom, layer 3 bottom; skin 0.07314987004615103,
  //   0.41742194960207696, 0.9079937692503048.
  //  battered (penetration step 0.8): the points are rebuilt one ahead and
  //   read 0.8, 1.6, 2.4: 0.1 x 0.8 x tan20 K 0.8 = 0.03725495295775375,
  //   layer 2 at 0.6 below its top 0.1380815188696346, layer 3 at 0.4
  //   0.11176485887326124; skin 0.05851989603692082, 0.33393755968166156,
  //   0.7263950154002439. h / R* still reads the list as entered.
  struct Case {
    const char* what;
    double penetration_step;
    int loading;
    int code;
    MethodRoutine routine;
    double unit[4];
    double skin[3];
  };
  const Case cases[] = {
      {"ICP vertical", 1.0, kCompression, kCodeIcp, compute_icp,
       {0.0, 0.04656869119719219, 0.17260189858704322, 0.13970607359157655},
       {0.07314987004615103, 0.41742194960207696, 0.9079937692503048}},
      {"Fugro vertical in tension", 1.0, kTension, kCodeFugro, compute_fugro,
       {0.0, 0.04656869119719219, 0.17260189858704322, 0.13970607359157655},
       {0.07314987004615103, 0.41742194960207696, 0.9079937692503048}},
      {"UWA battered", 0.8, kCompression, kCodeUwa, compute_uwa,
       {0.0, 0.03725495295775375, 0.1380815188696346, 0.11176485887326124},
       {0.05851989603692082, 0.33393755968166156, 0.7263950154002439}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = clay_pile();
    m->penetration_step = c.penetration_step;
    m->loading_type = c.loading;
    m->tension_reduction_factor = 0.5;
    RunOutput out;
    c.routine(*m, out);
    EXPECT_NEAR(m->boundary_unit_friction(3, c.code), 0.08630094929352161, 1e-15);
    EXPECT_NEAR(m->boundary_side_friction[6], 0.13970607359157655, 1e-15);
    EXPECT_EQ(m->skin_friction[1], 0.0);
    for (int k = 1; k <= 4; ++k) {
      EXPECT_NEAR(m->penetration_unit_friction[k], c.unit[k - 1], 1e-14) << k;
      EXPECT_DOUBLE_EQ(m->penetration_depth[k], (k - 1) * c.penetration_step) << k;
    }
    for (int k = 2; k <= 4; ++k) {
      EXPECT_NEAR(m->skin_friction[k], c.skin[k - 2], 1e-14) << k;
      EXPECT_NEAR(m->method_skin_friction(k, c.code), c.skin[k - 2], 1e-14) << k;
    }
  }
}

// ---------------------------------------------------------------- sand rules

// A cohesionless layer under one pile and loading, with the unit side
// friction expected at its top and bottom.
struct SandCase {
  const char* what;
  int units;
  double d, di, length;
  int loading;
  Sand sand;
  double top, bottom;
};

using SandRule = FrictionPair (*)(const AnalysisModel& m, int i);

template <std::size_t N>
void expect_sand_rule(const SandCase (&cases)[N], SandRule rule) {
  for (const SandCase& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = sand_pile(c.units, c.d, c.di, c.length, c.loading, c.sand);
    const FrictionPair f = rule(*m, c.sand.top + 1);
    EXPECT_NEAR(f.top, c.top, 1e-12 * std::abs(c.top) + 1e-20);
    EXPECT_NEAR(f.bottom, c.bottom, 1e-12 * std::abs(c.bottom) + 1e-20);
  }
}

// ---------------------------------------------------------------- ICP/MTD

TEST(IcpSandFriction, ReferenceCases) {
  // English, D 24, L 60, layer top at 20 ft: h = 480 in, phi 35, qc 200.
  //  eta = 200 / sqrt(pa x 2.06) = 96.4214074833687
  //  G = 200 / (0.0203 + eta (0.00125 - 1.216e-6 eta)) = 1544.1451936756055
  //  dSr = 2 G 0.0007874015718698502 / 12 = 0.202643725449241
  //  closed, R* = 12, h/R* = 40: Src = 0.029 x 200 (sigma/pa)^0.13 40^-0.38
  //   = 1.4197083369203625, 1.4251742659408833
  //   compression (Src + dSr) tan30 = 0.9366650096666522, 0.9398207639431719
  //   tension (0.8 Src + dSr) tan30 = 0.7727312896427357, 0.775255893101571
  //  open (Di 22), h/R* = 480 / sqrt(23) = 100.09: Src = 1.0019326977192164,
  //   1.0057901752493914; compression 0.6954622324104762, 0.6976893471729853;
  //   tension x 0.9: 0.5217921446434187, 0.5233956672538407
  //  1 ft above the tip: h/R* = 1 taken as 8: Src = 2.6170241536711103,
  //   2.627099792375877 -> 1.6279353307539495, 1.633752501048672
  //  layer 1 with no stress: Src top 0 and f = dSr tan30 with G from the
  //   floored bottom stress 1e-10 (eta = 13839075, G = -8.59e-7):
  //   -6.507268860713014e-11; bottom Src 0.05573790034150762 ->
  //   0.032180278293203406
  // SI, D 600, L 20, top at 10 m: h/R* = 10000/300; blow count 10, qc
  //  2799.999952316284; sigma 100, 110; phi 32: eta = 26.696952044230194,
  //  G = 53025.768935561464, dSr = 2 G 0.02f / 300 = 7.070102366712422,
  //  Src = 21.42210252078784, 21.689180462810203; x tan27 ->
  //  14.517497674920154, 14.653580628754067
  const SandCase cases[] = {
      {"closed compression", kEnglish, 24, 0, 60, kCompression, {20, 35, kQcPsf, 0, 2.0, 2.06},
       0.9366650096666522, 0.9398207639431719},
      {"closed tension: 0.8 on Src", kEnglish, 24, 0, 60, kTension,
       {20, 35, kQcPsf, 0, 2.0, 2.06}, 0.7727312896427357, 0.775255893101571},
      {"open compression", kEnglish, 24, 22, 60, kCompression, {20, 35, kQcPsf, 0, 2.0, 2.06},
       0.6954622324104762, 0.6976893471729853},
      {"open tension: the sum x 0.9", kEnglish, 24, 22, 60, kTension,
       {20, 35, kQcPsf, 0, 2.0, 2.06}, 0.5217921446434187, 0.5233956672538407},
      {"h/R* below 8 near the tip", kEnglish, 24, 0, 60, kCompression,
       {59, 35, kQcPsf, 0, 2.0, 2.06}, 1.6279353307539495, 1.633752501048672},
      {"no stress: bottom floored", kEnglish, 24, 0, 60, kCompression,
       {0, 35, kQcPsf, 0, 0.0, 0.0}, -6.507268860713014e-11, 0.032180278293203406},
      {"SI from the blow count", kSi, 600, 0, 20, kCompression, {10, 32, 0, 10, 100.0, 110.0},
       14.517497674920154, 14.653580628754067},
  };
  expect_sand_rule(cases, icp_sand_friction);
}

// ---------------------------------------------------------------- Fugro

TEST(FugroSandFriction, ReferenceCases) {
  // English, D 24 closed (R* = 12), L 60, qc 200, sigma 2.0 and 2.06:
  //  r = 40: 0.08 x 200 (sigma/pa)^0.05 40^-0.9 = 0.577198543915487,
  //   0.5780522395089794; tension 0.045 x 200 (sigma/pa)^0.15 40^-0.85
  //   = 0.388748851938981, 0.39047632138763216
  //  r = 4 (h 48): the second form, x 0.25 x 48 / 12 = 1, equals the first:
  //   4.584850753039429, 4.5916318978048665
  //  r = 2 (h 24): 0.08 qc (..)^0.05 2^-0.9 x 0.5 = 4.277816943163316,
  //   4.284143974845295; tension takes r = 4: 2.7521312602299903,
  //   2.764360808039617
  //  below the tip: h = 1e-5, r = 8.33e-7: 0.25 r^0.1 x the rest =
  //   0.9844664468870483, 0.9859225050779569
  //  open (Di 22): R* = 12 sqrt(1 - (22/24)^2) = 4.795831523312721,
  //   r = 100.087: 0.25283642508238474, 0.253210378454656
  // SI, D 600, L 20, top at 10 m, r = 10000/300; qc 2799.999952316284,
  //  sigma 100 and 110: 9.542390098238766, 9.58797297124903
  const SandCase cases[] = {
      {"compression r 40", kEnglish, 24, 0, 60, kCompression, {20, 35, kQcPsf, 0, 2.0, 2.06},
       0.577198543915487, 0.5780522395089794},
      {"compression r exactly 4", kEnglish, 24, 0, 60, kCompression,
       {56, 35, kQcPsf, 0, 2.0, 2.06}, 4.584850753039429, 4.5916318978048665},
      {"compression r 2: x 0.25 h/R*", kEnglish, 24, 0, 60, kCompression,
       {58, 35, kQcPsf, 0, 2.0, 2.06}, 4.277816943163316, 4.284143974845295},
      {"tension r 40", kEnglish, 24, 0, 60, kTension, {20, 35, kQcPsf, 0, 2.0, 2.06},
       0.388748851938981, 0.39047632138763216},
      {"tension r 2 taken as 4", kEnglish, 24, 0, 60, kTension, {58, 35, kQcPsf, 0, 2.0, 2.06},
       2.7521312602299903, 2.764360808039617},
      {"below the tip", kEnglish, 24, 0, 60, kCompression, {61, 35, kQcPsf, 0, 2.0, 2.06},
       0.9844664468870483, 0.9859225050779569},
      {"open pipe", kEnglish, 24, 22, 60, kCompression, {20, 35, kQcPsf, 0, 2.0, 2.06},
       0.25283642508238474, 0.253210378454656},
      {"SI from the blow count", kSi, 600, 0, 20, kCompression, {10, 32, 0, 10, 100.0, 110.0},
       9.542390098238766, 9.58797297124903},
  };
  expect_sand_rule(cases, fugro_sand_friction);
}

// ---------------------------------------------------------------- UWA

TEST(UwaSandFriction, AreaRatio) {
  // Closed: IFR 0, Ar 1. Di 22 in = 0.5588 m: IFR = (0.5588/1.5)^0.2 =
  // 0.8207918, Ar = 1 - IFR (22/24)^2 = 0.310306864367634. SI Di 1500 of
  // 1600 mm: Di x 0.001f = 1.50000007 m, IFR 1, Ar = 1 - (15/16)^2 = 0.12109375.
  struct Case {
    int units;
    double d, di, ar;
  };
  const Case cases[] = {{kEnglish, 24, 0, 1.0},
                        {kEnglish, 24, 22, 0.310306864367634},
                        {kSi, 1600, 1500, 0.12109375}};
  for (const Case& c : cases) {
    auto m = pile(c.units, c.d, c.di, 20.0, 0);
    EXPECT_NEAR(uwa_area_ratio(*m), c.ar, 1e-14) << c.di;
  }
}

TEST(UwaSandFriction, ReferenceCases) {
  // English, D 24, L 60, top at 20 ft: h/D = 480/24 = 20; qc 200, phi 35.
  //  closed, Ar 1: Src = 0.03 x 200 / sqrt(20) = 1.3416407565118653
  //   qc1N = (200/pa) / sqrt(sigma/pa) = 97.85704091022804, 96.42140748336871
  //   G = 185 qc qc1N^-0.75 = 1189.2075692138399, 1202.4627290025876
  //   dSr = G x 0.0031496062874794006 / 24 = 0.15606398487975018,
  //   0.15780350715525784; f = (Src + dSr) tan30 = 0.8646998753306189,
  //   0.865704188566196; tension x 0.75: 0.6485249064979641, 0.649278141424647
  //  open, Ar 0.310306864367634: Src = 0.944438432292421 -> 0.6353751020682643,
  //   0.6363794153038415
  //  1 ft above the tip: h/D = 0.5 taken as 2: Src = 0.03 x 200 / sqrt 2 =
  //   4.242640592288876 -> 2.539592213589307, 2.5405965268248845
  //  no cone resistance: G = 0 and Src = 0 -> 0, 0
  //  layer 1 (top at 0, h/D 30), sigma 0 and 0.06: sigma/pa floored at 1e-7:
  //   qc1N = 302819.72, G = 2.866246962008061; Src = 1.0954450905252258 ->
  //   0.6326724233811294; bottom qc1N = 564.98 -> 0.6566467296690368
  // SI, D 1600, Di 1500 (Ar 0.12109375), L 20, top at 10 m: h/D = 6.25;
  //  qc 2799.999952316284, sigma 100, 110, phi 32: Src = 17.83510900091508,
  //  G = 42556.042543956035, 44104.559749902226, dSr = G x 0.08f / 1600 ->
  //  10.17160715854972, 10.21105758810261
  const SandCase cases[] = {
      {"closed compression", kEnglish, 24, 0, 60, kCompression, {20, 35, kQcPsf, 0, 2.0, 2.06},
       0.8646998753306189, 0.865704188566196},
      {"closed tension x 0.75", kEnglish, 24, 0, 60, kTension, {20, 35, kQcPsf, 0, 2.0, 2.06},
       0.6485249064979641, 0.649278141424647},
      {"open pipe", kEnglish, 24, 22, 60, kCompression, {20, 35, kQcPsf, 0, 2.0, 2.06},
       0.6353751020682643, 0.6363794153038415},
      {"h/D below 2 near the tip", kEnglish, 24, 0, 60, kCompression,
       {59, 35, kQcPsf, 0, 2.0, 2.06}, 2.539592213589307, 2.5405965268248845},
      {"no cone resistance", kEnglish, 24, 0, 60, kCompression, {20, 35, 0, 0, 2.0, 2.06}, 0.0,
       0.0},
      {"no stress at the top", kEnglish, 24, 0, 60, kCompression, {0, 35, kQcPsf, 0, 0.0, 0.06},
       0.6326724233811294, 0.6566467296690368},
      {"SI, IFR 1, from the blow count", kSi, 1600, 1500, 20, kCompression,
       {10, 32, 0, 10, 100.0, 110.0}, 10.17160715854972, 10.21105758810261},
  };
  expect_sand_rule(cases, [](const AnalysisModel& m, int i) {
    return uwa_sand_friction(m, i, uwa_area_ratio(m));
  });
}

// ---------------------------------------------------------------- whole runs

// English open pipe in compression and SI closed pile in tension, both in
// sand over clay over sand, the first with a CPT file. The clay layers near
// the tip write the h/R* warning, the SI clay the plasticity-index error.
struct WholeRun {
  const char* what;
  testing::InputText input;
  std::string cpt;
};

WholeRun english_open_pipe() {
  testing::InputText t;
  t.r4 = "1 5 6 0";
  t.r5 = "0.0 0.0 24.0 22.0 29000000.0 40.0 0.0";
  // Soil points in pairs, so that no layer mixes sand and clay values.
  t.soil = {"0.0 1.0 0.8 115.0 32.0 0.0",  "0 0 0 10 0 0 0 0 0 1 1 0",
            "19.5 1.0 0.8 115.0 32.0 0.0", "0 0 0 10 0 0 0 0 0 1 1 0",
            "20.0 2.0 0.0 50.0 0.0 0.0",   "0 0 1000 500 2 20 0 0 0 1 1 0",
            "38.5 2.0 0.0 50.0 0.0 0.0",   "0 0 1000 500 2 20 0 0 0 1 1 0",
            "39.0 1.0 0.8 60.0 34.0 0.0",  "0 0 0 20 0 0 0 0 0 1 1 0",
            "80.0 1.0 0.8 60.0 36.0 0.0",  "0 0 0 30 0 0 0 0 0 1 1 0"};
  return {"English open pipe with a CPT file", t,
          "1 3\n0.0 20000.0\n30.0 200000.0\n60.0 300000.0\n"};
}

WholeRun si_closed_concrete() {
  testing::InputText t;
  t.r4 = "2 4 6 1";
  t.r5 = "0.0 0.0 600.0 0.0 30000000.0 15.0 0.0";
  t.r9 = "30.0 0.0";
  t.r12 = "1 0.7";
  t.soil = {"0.0 1.0 0.8 18.0 32.0 0.0",  "0 0 0 12 0 0 0 0 0 1 1 0",
            "5.5 1.0 0.8 18.0 32.0 0.0",  "0 0 0 12 0 0 0 0 0 1 1 0",
            "6.0 2.0 0.0 8.0 0.0 0.0",    "0 0 60 30 1.5 -1 0 0 0 1 1 0",
            "13.5 2.0 0.0 8.0 0.0 0.0",   "0 0 60 30 1.5 -1 0 0 0 1 1 0",
            "14.0 1.0 0.8 9.0 35.0 0.0",  "0 0 0 25 0 0 0 0 0 1 1 0",
            "30.0 1.0 0.8 9.0 35.0 0.0",  "0 0 0 30 0 0 0 0 0 1 1 0"};
  return {"SI closed pile in tension without a CPT file", t, "0 0\n"};
}

// The first line holding a number field written as asterisks (a value that
// did not fit or was not finite): "**" on a line with digits. Title rows of
// asterisks hold no digits.
std::string overflowed_line(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find("**") != std::string::npos &&
        line.find_first_of("0123456789") != std::string::npos) {
      return line;
    }
  }
  return "";
}

TEST(CptWholeRun, EachMethodChosenForLoadTransfer) {
  const char* kTitles[] = {"*  IMPERIAL COLLEGE (MTD) METHOD  *",
                           "*    FUGRO 2004 (FUGRO) METHOD    *",
                           "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"};
  const char* kIndents[] = {"                    ", "                    ", "             "};
  for (const WholeRun& base : {english_open_pipe(), si_closed_concrete()}) {
    for (int ltm = kSelIcp; ltm <= kSelUwa; ++ltm) {
      SCOPED_TRACE(std::string(base.what) + ", load transfer " + std::to_string(ltm));
      testing::ScratchDir dir;
      testing::InputText t = base.input;
      // Record 7: load_transfer_method ltm, soil_detail_option 1; record 8:
      // API and the three methods selected.
      t.r7 = "0.0 1.0 1 0.0 " + std::to_string(ltm) + " 1 0";
      t.r8 = "0 0 0 1 0 0 1 1 1";
      const testing::RunOutcome o = testing::run_input(dir, t.str(), base.cpt);
      ASSERT_EQ(o.result.code(), 0) << o.result.message;
      for (int k = 0; k < 3; ++k) {
        EXPECT_NE(o.report.find("\n" + std::string(kIndents[k]) + kTitles[k] + "\n"),
                  std::string::npos)
            << kTitles[k];
      }
      EXPECT_NE(o.report.find("\n WARNING - h/R SHOULD BE GREATER THAN 8.\n"), std::string::npos);
      EXPECT_EQ(overflowed_line(o.report), "");
      EXPECT_EQ(overflowed_line(o.plot), "");
    }
  }
}

TEST(CptWholeRun, NotComputedWithoutSoilDetail) {
  // soil_detail_option 0: no table and no report line of the three methods,
  // even when selected.
  testing::ScratchDir dir;
  WholeRun w = si_closed_concrete();
  w.input.r7 = "0.0 1.0 1 0.0 4 0 0";
  w.input.r8 = "0 0 0 1 0 0 1 1 1";
  const testing::RunOutcome o = testing::run_input(dir, w.input.str(), w.cpt);
  ASSERT_EQ(o.result.code(), 0) << o.result.message;
  EXPECT_NE(o.report.find("*  API RP-2A (2010)  *"), std::string::npos);
  EXPECT_EQ(o.report.find("IMPERIAL COLLEGE"), std::string::npos);
  EXPECT_EQ(o.report.find("WARNING - h/R"), std::string::npos);
  EXPECT_EQ(o.report.find("PLASTIC INDEX"), std::string::npos);
}

}  // namespace
}  // namespace zolan
