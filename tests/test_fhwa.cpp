// FHWA unit load transfer: Nordlund and Tomlinson tables, displaced volume,
// adhesion cases, a small pile added up by hand, and whole runs.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "layer_pile.hpp"
#include "methods/rules.hpp"
#include "run_dir.hpp"
#include "soil_profile.hpp"

namespace zolan {
namespace {

constexpr double kNone = 9999999.0;
using Layer = testing::PileLayer;
Layer sand(double phi, double top = 0, double bottom = 0) {
  return {1, 0, phi, 0, 0, kNone, top, bottom};
}
Layer clay(double su, double remolded, double given_case = 0, double max_friction = kNone) {
  return {2, 0, 0, su, remolded, max_friction, 0, 0, 1, given_case};
}

// 1-ft layers, 12 in pile (D' = 1 ft, h = 1.570795), stickup 2, soil points
// at 0 and 20 ft, plug status not computed (0).
std::unique_ptr<AnalysisModel> pile(const std::vector<Layer>& layers, double length) {
  auto m = testing::pile_in_layers(layers, length);
  m->pile_type = 1;
  m->stickup = 2.0;
  m->npen = static_cast<int>(length) + 1;
  testing::set_soil_profile(*m, {{0.0, 1.0}, {20.0, 1.0}});
  return m;
}

TEST(FhwaTables, NordlundAndTomlinson) {
  // delta/phi: pipe V 0.5: 0.41 + 0.066 x 0.1 / 0.12; Raymond uniform taper
  // V 1.5: 1.159 + 0.048 / 2 = 1.183 (the table's value, not 1.3).
  // C_F phi 32: columns 0.4 -> 0.66, 0.6 -> 0.795; r 0.465: 0.66 + 0.135 x
  // 0.325; r 1.183 between the 1.0 and 1.2 columns: 1 + 0.03 x 0.915; from
  // 1.2 on the 1.4 column alone.
  // K_delta phi 32, V 0.5: 30 deg 0.85 + 0.3 x 0.4 / 0.9, 35 deg 1.15 +
  // 0.6 x 0.4 / 0.9, 0.9833333 + 0.4333333 x 2/5; phi 39.99998: 1.15 + 0.55 x
  // 0.999996, at 39.99999 the 40 deg table; phi 27.5, omega 0.15, V 1:
  // 0.947 + 0.5715 / 2; phi 30, V 5.5: 1.15 + 0.3 x 4.5 / 9.
  // alpha: case 1 b 15: 0.95 + 5 x 0.05 / 10, b 30: 0.9 + 10 x 0.1 / 20;
  // case 2 su 1, b 15: 0.398 + 0.348 / 2; case 3 su 2.25 (3A 0.5655, 3B
  // 0.8005), b 25: 0.5655 + 15 x 0.235 / 30; su above 4.5: the last row.
  const double cases[][2] = {
      {fhwa_delta_ratio(1, 0.5), 0.465},           {fhwa_delta_ratio(5, 1.5), 1.183},
      {fhwa_delta_ratio(6, 0.05), 0.727},          {fhwa_delta_ratio(7, 2.5), 1.062},
      {fhwa_delta_ratio(9, 0.5), 0.465},           {fhwa_correction_factor(0.465, 32), 0.703875},
      {fhwa_correction_factor(1.183, 30), 1.02745}, {fhwa_correction_factor(1.3, 30), 1.06},
      {fhwa_correction_factor(1.2, 30), 1.06},     {fhwa_correction_factor(0.1, 10), 0.83},
      {fhwa_k_delta(32, 0, 0.5), 1.1566667},       {fhwa_k_delta(24, 0, 0.05), 0.7},
      {fhwa_k_delta(40, 0.1, 20), 7.04},           {fhwa_k_delta(39.99998, 0, 0.1), 1.6999978},
      {fhwa_k_delta(39.99999, 0, 0.1), 1.7},       {fhwa_k_delta(27.5, 0.15, 1), 1.23275},
      {fhwa_k_delta(35, 3, 1), 10.34},             {fhwa_k_delta(30, 0, 5.5), 1.3},
      {tomlinson_alpha(1, 3, 5), 1.0},             {tomlinson_alpha(1, 2, 15), 0.975},
      {tomlinson_alpha(1, 1, 30), 0.95},           {tomlinson_alpha(2, 1, 15), 0.572},
      {tomlinson_alpha(3, 2.25, 25), 0.683},       {tomlinson_alpha(3, 6, 50), 0.299},
      {tomlinson_alpha(4, 1, 5), 0.0},
  };
  int row = 0;
  for (const auto& c : cases) EXPECT_NEAR(c[0], c[1], 5e-8) << "row " << row++;
}

TEST(FhwaVolume, ByPlugStatusSectionAndUnits) {
  // 24/22 in: annulus 0.785398 x 92 / 144, full 0.785398 x 576 / 144; a
  // layer below the last penetration (3) reads status 1 there. SI 600/560
  // mm: 0.785398 x 0.0464 / 0.0929, full 0.7854 x 0.36 / 0.0929, tip area
  // 0.05 / 0.0929. Solid 12 in: 0.7854. Tapered 0.5 deg, stickup 2, bottom
  // 3: d = 1 - 2 tan(0.008725) x 5 = 0.9127478, 0.785398 d^2.
  const struct {
    int units, pile_type, layer, status;
    double d, dw, tip_area, enhanced, taper, volume;
  } cases[] = {
      {1, 1, 3, 0, 24, 22, 0, 50, 0, 0.5017821},     {1, 1, 3, 0, 24, 22, 0.3, 50, 0, 0.3},
      {1, 1, 3, 1, 24, 22, 0.3, 50, 0, 3.141592},    {1, 1, 3, 2, 24, 22, 0.3, 50, 0, 0.5017821},
      {1, 1, 5, 1, 24, 22, 0, 50, 0, 3.141592},      {2, 1, 3, 0, 600, 560, 0, 50, 0, 0.3922763},
      {2, 1, 3, 2, 600, 560, 0.05, 50, 0, 0.5382131}, {2, 1, 3, 1, 600, 560, 0, 50, 0, 3.0435307},
      {1, 3, 3, 2, 12, 0, 0, 50, 0, 0.7854},         {1, 3, 3, 0, 12, 0, 0, 0.001, 0, 0.785398},
      {1, 5, 3, 1, 12, 0, 0, 50, 0.5, 0.6543218},    {1, 6, 3, 1, 12, 0, 0.1, 50, 0, 0.1},
  };
  int row = 0;
  for (const auto& c : cases) {
    auto m = pile(std::vector<Layer>(5, sand(30)), 2.0);
    m->unit_system = c.units;
    m->pile_type = c.pile_type;
    m->pile_diameter = c.d;
    m->inner_diameter = m->pile_inner_diameter = c.dw;
    m->tip_area_user = c.tip_area;
    m->enhanced_end_length = c.enhanced;
    m->taper_angle = c.taper;
    m->tip_control(3, kCodeFhwa) = c.status;
    m->tip_control(5, kCodeFhwa) = 2;  // beyond npen 3: not read
    EXPECT_NEAR(fhwa_displaced_volume(*m, c.layer), c.volume, 5e-8) << "row " << row++;
  }
}

TEST(FhwaBoundary, NordlundAndTheAdhesionCases) {
  // Tip area 0.5 ft2. Pipe, phi 32: delta 14.88, K C_F sin(delta) sigma =
  // 1.1566667 x 0.703875 x 0.2567954 at sigma 1. Soil points 0, 20: b =
  // min(L, 20) / 1. Clay under sand: case 1, b 5: 1A. A first clay chooses
  // no case (alpha as it was); case 2 (su 0.5 above) is kept under a stiff
  // clay: 0.572; a given 3.7 is case 3: 0.923 + 5 x 0.077 / 30. Stiff clay
  // above with z_low 30, b 25: 0.683. Points 0, 3.5, 20: bottoms 2, 3 give b
  // 3.5 and 3.5 + 3.5 (S) = 7 (2A 0.398); bottom 4: 3.5 - 3.5 + 15 (11.5
  // without S). Taper 0.5: d_avg 1 - tan(0.008725) x 24 = 0.7905947, b
  // 18.9730595: 0.398 + 8.9730595 x 0.0348. Two layers: alpha stays 0.6. A
  // sand resets case 3 to case 1 (su 2, b 15: 0.975).
  const struct {
    std::vector<Layer> layers;
    std::initializer_list<testing::SoilPoint> points;
    double length, taper, start_alpha;
    std::vector<double> friction;  // at the top of each layer
  } cases[] = {
      {{sand(32, 1, 2), clay(3, 1.5), clay(3, 1.5)}, {{0, 1}, {20, 1}}, 5, 0, 0, {0.2090696, 3, 3}},
      {{clay(0.5, 0.2), clay(1, 0.5), clay(1, 0.5), clay(1, 0.5, 3.7)}, {{0, 2}, {20, 2}}, 15, 0, 0,
       {0, 0.572, 0.572, 0.9358333}},
      {{clay(1, 0.2), clay(2.25, 0.5), clay(2.25, 0.5)}, {{0, 2}, {30, 2}}, 25, 0, 0,
       {0, 0.683 * 2.25, 0.683 * 2.25}},
      {{clay(0.5, 0.2), clay(1, 0.5), clay(1, 0.5), clay(1, 0.5)}, {{0, 2}, {3.5, 2}, {20, 2}}, 15, 0,
       0, {0, 0.398, 0.398, 0.572}},
      {{clay(0.5, 0.2), clay(1, 0.5), clay(1, 0.5)}, {{0, 2}, {20, 2}}, 15, 0.5, 0,
       {0, 0.7102625, 0.7102625}},
      {{sand(30), clay(2, 1)}, {{0, 1}, {20, 1}}, 5, 0, 0.6, {0, 1.2}},
      {{clay(1, 0.5), clay(1, 0.5), sand(30), clay(2, 1)}, {{0, 2}, {20, 2}}, 15, 0, 0,
       {0, 0.9358333, 0, 1.95}},
  };
  int row = 0;
  for (const auto& c : cases) {
    auto m = pile(c.layers, c.length);
    testing::set_soil_profile(*m, c.points);
    m->tip_area_user = 0.5;
    m->taper_angle = c.taper;
    m->adhesion_factor = c.start_alpha;
    BoundaryList outside;
    fhwa_boundary_friction(*m, outside);
    for (int j = 1; j <= m->layer_count; ++j) {
      const double f = c.friction[static_cast<std::size_t>(j - 1)];
      EXPECT_NEAR(outside[2 * j - 1], f, 5e-8) << "row " << row << " layer " << j;
      if (m->layer_soil_type[j] < 2.0) continue;
      EXPECT_EQ(outside[2 * j], outside[2 * j - 1]);
      EXPECT_NEAR(m->boundary_unit_friction(2 * j, kCodeFhwa),
                  f / m->layer_su_undisturbed[j] * m->layer_su_remolded[j], 5e-8);
    }
    ++row;
  }
}

TEST(FhwaPile, SegmentsAddedUpByHand) {
  // Clay with the given case 1, b below 10 (alpha 1): points 0 .. 3 ft read
  // 0.5, 0.5, 2, 3; point 3 is limited to 1.5 after segment 3 used it:
  // segments 1 h, 2.5 h, 4.5 h (5 h unlimited). Tension 0.7 from point 2 on:
  // 0.5, 0.35, 1.4, 2.1: 0.85 h, 1.75 h, 3.5 h. Taper 0.5: h = 1.570795 (1 -
  // 2 tan(0.008725) (z + 2)) = 1.4885618, 1.4611507, 1.4337397 at z 1, 2, 3.
  const struct {
    int loading;
    double taper, unit[4], segment[3];
  } cases[] = {
      {0, 0.0, {0.5, 0.5, 1.5, 3.0}, {1.570795, 3.9269875, 7.0685775}},
      {1, 0.0, {0.5, 0.35, 1.4, 2.1}, {1.33517575, 2.74889125, 5.4977825}},
      {0, 0.5, {0.5, 0.5, 1.5, 3.0}, {1.4885618, 3.6528768, 6.4518285}},
  };
  for (const auto& c : cases) {
    auto m = pile({clay(0.5, 0.1, 1), clay(2, 0.1, 1), clay(3, 0.1, 1, 1.5), clay(3, 0.1, 1)}, 3.0);
    m->loading_type = c.loading;
    m->tension_reduction_factor = 0.7;
    m->taper_angle = c.taper;
    RunOutput out;
    compute_fhwa(*m, out);
    EXPECT_EQ(m->method_code, kCodeFhwa);
    double skin = 0.0;
    for (int k = 1; k <= 4; ++k) {
      SCOPED_TRACE(::testing::Message() << "loading " << c.loading << " taper " << c.taper << " k " << k);
      EXPECT_NEAR(m->penetration_unit_friction[k], c.unit[k - 1], 1e-12);
      skin += k > 1 ? c.segment[k - 2] : 0.0;
      EXPECT_NEAR(m->skin_friction[k], skin, 5e-7);
      EXPECT_NEAR(m->method_skin_friction(k, kCodeFhwa), skin, 5e-7);
    }
  }
}

TEST(FhwaRun, SeedsSelectFhwaAndChooseItForLoadTransfer) {
  // English open pipe in clay and sand; SI tapered timber pile in tension:
  // the title block, no value too wide for its field, no NaN or infinity.
  const std::string indent(28, ' ');
  const std::string stars = indent + std::string(22, '*');
  for (const char* seed : {"fhwa-english-clay-sand", "fhwa-si-tapered-tension"}) {
    const std::string text = testing::read_file(std::string(ZOLAN_SOURCE_DIR) +
                                                "/tests/fuzz/corpus/whole_run/" + seed);
    const std::size_t cpt = text.find("@CPT\n");
    testing::ScratchDir dir;
    const auto o = testing::run_input(dir, text.substr(0, cpt), text.substr(cpt + 5));
    ASSERT_EQ(o.result.code(), 0) << seed << o.result.message;
    const std::size_t title = o.report.find(stars + "\n" + indent + "*  FED. HWY. METHOD  *\n" + stars);
    ASSERT_NE(title, std::string::npos) << seed;
    const std::size_t rows = title + 3 * (stars.size() + 1) + 1;  // after the blank line
    EXPECT_EQ(o.report.substr(rows, o.report.find("\n\n", rows) - rows).find("**"), std::string::npos);
    for (const char* garbage : {"nan", "NaN", "inf"}) {
      EXPECT_EQ((o.report + o.plot).find(garbage), std::string::npos) << seed << garbage;
    }
  }
}

}  // namespace
}  // namespace zolan
