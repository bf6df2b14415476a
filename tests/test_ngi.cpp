// NGI unit load transfer: clay and sand friction at the layer boundaries
// with every factor, the stress floors written back, a small pile added up
// by hand, and whole runs that choose the method for load transfer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "input_text.hpp"
#include "method_table.hpp"
#include "methods/rules.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

struct Layer {
  double soil_type;
  double su = 0.0;
  double su_remolded = 0.0;
  double plasticity = 0.0;
  double cone = 0.0;  // as entered: psf or kPa
  double blow_count = 0.0;
  double stress_top = 0.0;
  double stress_bottom = 0.0;
};

// Layers of 1 ft from the surface, pile length 40 ft, steel, closed end,
// compression; the penetration list as the run leaves it.
std::unique_ptr<AnalysisModel> ngi_pile(const std::vector<Layer>& layers) {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = 1;
  m->pile_diameter = 12.0;
  m->pile_length = 40.0;
  m->length_step = 1.0;
  m->penetration_step = 1.0;
  m->pile_type = 1;
  m->layer_count = static_cast<int>(layers.size());
  for (int j = 1; j <= m->layer_count; ++j) {
    const Layer& l = layers[static_cast<std::size_t>(j - 1)];
    m->layer_thickness[j] = 1.0;
    m->layer_top_depth[j] = j - 1.0;
    m->layer_soil_type[j] = l.soil_type;
    m->layer_su_undisturbed[j] = l.su;
    m->layer_su_remolded[j] = l.su_remolded;
    m->layer_plasticity_index[j] = l.plasticity;
    m->layer_cone_resistance[j] = l.cone;
    m->layer_blow_count[j] = l.blow_count;
    m->layer_lrfd_friction[j] = 1.0;
    m->layer_max_unit_friction[j] = 0.01;  // never applied by this method
    m->boundary_vertical_stress[2 * j - 1] = l.stress_top;
    m->boundary_vertical_stress[2 * j] = l.stress_bottom;
  }
  for (int i = 1; i <= kMaxPenetrations; ++i) m->penetration_depth[i] = (i - 1) * 1.0;
  return m;
}

void run_ngi(AnalysisModel& m) {
  RunOutput out;
  compute_ngi(m, out);
}

TEST(NgiClay, AdhesionByStrengthRatioAndPlasticity) {
  struct Case {
    const char* what;
    double soil_type, su, su_remolded, sigma_b, plasticity, inner;
    double outside, inside;
  };
  // psi = su / sigma_b; F_t = 0.8 + 0.2 sqrt(psi) open-ended, else 1.
  //  psi 2, su 2, closed: alpha = 0.5 / 2^0.3 = 0.4061262; f = 0.8122524;
  //   inside (su_r 1) 0.4061262.
  //  psi 0.5, PI 30, open: F_t = 0.9414214, alpha_NC = 0.32 x 20^0.3 =
  //   0.7860659, alpha_OC = 0.5 / 0.5^0.3 = 0.6155722, alpha = 0.7860659 +
  //   0.25 x (0.6155722 - 0.7860659) / 0.75 = 0.7292347; f = 0.9414214 x
  //   0.7292347 x 1 = 0.6865171 above f_min = 0.06 x 18^0.33 x 2 =
  //   0.3114735; inside 0.9414214 x 0.7292347 x 0.2 = 0.1373 -> f_min.
  //  psi 0.1, PI 5 (PI' = 10 + 2^-20): f = 0.08 x 2^-6 x 1 = 0.00125.
  //   Inside: alpha_NC of PI'' = 12 + 2^-20: 0.32 x 2.000001^0.3 =
  //   0.3939663, x 0.05 = 0.0196983; with su_r 0.001 it is 0.000394,
  //   below f_min = 0.06 x 2^-6.6 = 0.0006185.
  //  psi 0.1, PI 40: f = 0.08 x 30^0.3 x 2 = 0.4438706; inside
  //   0.32 x 30^0.3 x 0.1 = 0.0887741 below f_min = 0.06 x 28^0.33 x 2 =
  //   0.3603657.
  //  psi 4, open: F_t = 1.2, alpha = 0.5 / 4^0.3 = 0.3298770, f = 1.5834095;
  //   inside 1.2 x 0.329877 x 0.01 = 0.0039585 (no lower bound).
  //  psi 1 (transition, its upper end), PI 20: alpha = alpha_OC = 0.5,
  //   f = 0.5 above f_min = 0.06 x 8^0.33 = 0.1191711; inside 0.25.
  //  psi 0.25 (its lower end): alpha = alpha_NC = 0.32 x 10^0.3 = 0.6384839,
  //   f = 0.1596210 for su = su_r = 0.25.
  //  Silt is cohesive; zero stress is raised to 1e-10: psi 1e10, alpha =
  //   0.5 / 1e3, f = 0.0005.
  const Case cases[] = {
      {"psi 2 closed", 2, 2.0, 1.0, 1.0, 50, 0.0, 0.8122524, 0.4061262},
      {"psi 0.5 PI 30 open", 2, 1.0, 0.2, 2.0, 30, 22.0, 0.6865171, 0.3114735},
      {"psi 0.1 PI 5", 2, 0.1, 0.05, 1.0, 5, 0.0, 0.00125, 0.0196983},
      {"psi 0.1 PI 5, inside at f_min", 2, 0.1, 0.001, 1.0, 5, 0.0, 0.00125, 0.0006185},
      {"psi 0.1 PI 40", 2, 0.2, 0.1, 2.0, 40, 0.0, 0.4438706, 0.3603657},
      {"psi 4 open, no lower bound", 2, 4.0, 0.01, 1.0, 50, 22.0, 1.5834095, 0.0039585},
      {"psi 1", 2, 1.0, 0.5, 1.0, 20, 0.0, 0.5, 0.25},
      {"psi 0.25", 2, 0.25, 0.25, 1.0, 20, 0.0, 0.1596210, 0.1596210},
      {"silt at zero stress", 3, 1.0, 1.0, 0.0, 20, 0.0, 0.0005, 0.0005},
      {"inside diameter 1e-5 is open", 2, 4.0, 0.01, 1.0, 50, 1.0e-5, 1.5834095, 0.0039585},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Layer clay{c.soil_type, c.su, c.su_remolded, c.plasticity};
    clay.stress_bottom = c.sigma_b;
    auto m = ngi_pile({clay});
    m->pile_inner_diameter = c.inner;
    run_ngi(*m);
    EXPECT_NEAR(m->boundary_side_friction[1], c.outside, 1e-7);
    EXPECT_NEAR(m->boundary_side_friction[2], c.outside, 1e-7);
    EXPECT_NEAR(m->boundary_unit_friction(1, kCodeNgi), c.inside, 1e-7);
    EXPECT_NEAR(m->boundary_unit_friction(2, kCodeNgi), c.inside, 1e-7);
    EXPECT_EQ(m->boundary_vertical_stress[2], c.sigma_b > 1e-10 ? c.sigma_b : 1e-10);
  }
}

TEST(NgiSand, RelativeDensityAndFactors) {
  struct Case {
    const char* what;
    int units;
    int layer;  // 1 borrows the bottom's F_Dr at its top
    Layer sand;
    double inner;
    int loading, pile_type;
    int cpt_points;
    double top, bottom;
    double stress_top_after;
  };
  // f = pa x (z/L) x F_Dr x F_sig x F_tip x F_load x F_mat with
  // pa = 2.0885546 ksf (single precision) or 100 kPa, z/L = 10 / 40 (the
  // layer's top depth is set to 10 ft), Dr = 0.4 ln(qc / (22 sqrt(pa s))),
  // F_Dr = 2.1 (Dr - 0.1)^1.7, F_sig = (s / pa)^0.25.
  //  qc 100 ksf, s 1.2: q_ref = 34.82862, Dr = 0.4218923, F_Dr = 0.3057225,
  //   F_sig = 0.8706304; closed, compression, steel: x 1.6 x 1.3 x 1:
  //   f = 0.2890749. Top s 1.0: Dr = 0.4583566, F_Dr = 0.3669066,
  //   F_sig = 0.8318376, f = 0.3314693.
  //  Open, tension, timber: x 1.0 x 1.0 x 1.2 instead of x 2.08:
  //   0.1667740 and 0.1912323.
  //  Layer 1 takes the bottom's F_Dr at its top: 0.3057225 x 0.8318376 ...
  //   = 0.2761945; at its top floored to 1e-8 (F_sig = 0.0083184):
  //   0.0027619.
  //  Blow count 0 (English): Dr = 0.200001, F_Dr = 2.1 x 0.100001^1.7 =
  //   0.0419012: 0.0396196 and 0.0378542.
  //  Blow count 20: qc = 5.847952838 x 20 = 116.959057 ksf: Dr = 0.4845538,
  //   0.5210181, f = 0.3911375 and 0.4359316.
  //  CPT profile 50000 psf at 0 and 150000 psf at 2 ft, read at 1 ft:
  //   100 ksf, as the first case.
  //  SI, blow count 0, s 50 / 60 kPa: qc = 0 < q_ref = 1704.113 -> qc =
  //   1.01 q_ref = 1721.154, Dr = 0.4 ln 1.01 -> 0.20001, F_Dr = 0.0419076,
  //   F_sig = 0.8801117 and 0.8408964: f = 1.9179367 and 1.8324788.
  //  SI, qc 0, s 1 / 100 kPa: qc = 1.01 x 2200 = 2222 at the bottom (F_Dr
  //   at its floor, f = 100 x 0.25 x 0.0419076 x 1 x 2.08 = 2.1791969); the
  //   top keeps the raised qc: Dr = 0.4 ln(2222 / 220) = 0.9250142, F_Dr =
  //   1.514271, F_sig = 0.3162278, f = 24.900441.
  //  SI, qc 5000 kPa, concrete: Dr = 0.4305573 and 0.4670217, F_Dr =
  //   0.3198445 and 0.382116, x 1.6 x 1.3 x 1.2: 17.565531 and 20.050364.
  //  Zero stress: f = 0 (the top of layer 2 in SI); layer 1 with a bottom
  //   stress of 0 gets 0 at its top as well. English raises the top stress
  //   to 1e-8: qc 5 ksf, q_ref = 0.0031794, Dr = 2.9441999, F_Dr =
  //   12.415136, F_sig = 0.0083184, f = 0.1121603.
  const Case cases[] = {
      {"qc 100 ksf", 1, 2, {1, 0, 0, 0, 100000.0, 0, 1.0, 1.2}, 0.0, 0, 1, 0,
       0.3314693, 0.2890749, 1.0},
      {"open, tension, timber", 1, 2, {1, 0, 0, 0, 100000.0, 0, 1.0, 1.2}, 22.0, 1, 2, 0,
       0.1912323, 0.1667740, 1.0},
      {"precast concrete", 1, 2, {1, 0, 0, 0, 100000.0, 0, 1.0, 1.2}, 22.0, 1, 3, 0,
       0.1912323, 0.1667740, 1.0},
      {"inside diameter 1e-5 is closed", 1, 2, {1, 0, 0, 0, 100000.0, 0, 1.0, 1.2}, 1.0e-5, 0,
       1, 0, 0.3314693, 0.2890749, 1.0},
      {"layer 1 borrows F_Dr", 1, 1, {1, 0, 0, 0, 100000.0, 0, 1.0, 1.2}, 0.0, 0, 1, 0,
       0.2761945, 0.2890749, 1.0},
      {"layer 1 top floored", 1, 1, {1, 0, 0, 0, 100000.0, 0, 0.0, 1.2}, 0.0, 0, 1, 0,
       0.0027619, 0.2890749, 1.0e-8},
      {"blow count 0", 1, 2, {1, 0, 0, 0, 0.0, 0, 1.0, 1.2}, 0.0, 0, 1, 0, 0.0378542,
       0.0396196, 1.0},
      {"blow count 20", 1, 2, {1, 0, 0, 0, 0.0, 20, 1.0, 1.2}, 0.0, 0, 1, 0, 0.4359316,
       0.3911375, 1.0},
      {"CPT profile", 1, 2, {1, 0, 0, 0, 0.0, 20, 1.0, 1.2}, 0.0, 0, 1, 2, 0.3314693,
       0.2890749, 1.0},
      {"SI blow count 0", 2, 2, {1, 0, 0, 0, 0.0, 0, 50.0, 60.0}, 0.0, 0, 1, 0, 1.8324788,
       1.9179367, 50.0},
      {"SI raised qc kept", 2, 2, {1, 0, 0, 0, 0.0, 0, 1.0, 100.0}, 0.0, 0, 1, 0, 24.900441,
       2.1791969, 1.0},
      {"SI qc 5000 concrete", 2, 2, {1, 0, 0, 0, 5000.0, 0, 50.0, 60.0}, 0.0, 0, 3, 0,
       20.050364, 17.565531, 50.0},
      {"SI zero stress", 2, 2, {1, 0, 0, 0, 5000.0, 0, 0.0, 0.0}, 0.0, 0, 1, 0, 0.0, 0.0, 0.0},
      {"English zero stress", 1, 2, {1, 0, 0, 0, 5000.0, 0, 0.0, 0.0}, 0.0, 0, 1, 0, 0.1121603,
       0.0, 1.0e-8},
      {"layer 1, zero bottom stress", 1, 1, {1, 0, 0, 0, 5000.0, 0, 0.0, 0.0}, 0.0, 0, 1, 0, 0.0,
       0.0, 1.0e-8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Layer> layers = {c.sand, c.sand};
    auto m = ngi_pile(layers);
    m->unit_system = c.units;
    m->layer_top_depth[c.layer] = 10.0;
    m->pile_inner_diameter = c.inner;
    m->loading_type = c.loading;
    m->pile_type = c.pile_type;
    m->cpt_point_count = c.cpt_points;
    m->cpt_depth[1] = 0.0;
    m->cpt_qc[1] = 50000.0;
    m->cpt_depth[2] = 2.0;
    m->cpt_qc[2] = 150000.0;
    run_ngi(*m);
    const int top = 2 * c.layer - 1;
    EXPECT_NEAR(m->boundary_side_friction[top], c.top, 1e-6 * (1.0 + c.top));
    EXPECT_NEAR(m->boundary_side_friction[top + 1], c.bottom, 1e-6 * (1.0 + c.bottom));
    EXPECT_EQ(m->boundary_unit_friction(top, kCodeNgi), m->boundary_side_friction[top]);
    EXPECT_EQ(m->boundary_unit_friction(top + 1, kCodeNgi), m->boundary_side_friction[top + 1]);
    EXPECT_EQ(m->boundary_vertical_stress[top], c.stress_top_after);
  }
}

// Layer 1 sand (z/L = 0: no friction), layer 2 clay psi 2 (f = 0.8122524),
// layer 3 sand qc 100 ksf, s 1.0 / 1.2 at z/L = 2 / 40... with the pile
// length set to 3 ft: z/L = 2/3, f = 0.2890749 x (2/3) / 0.25 = 0.7708664
// at its bottom. Points at 0, 1, 2, 3 ft read 0, 0 (layer 1), 0.8122524
// (bottom of layer 2), 0.7708664. h = 0.5 x 1 x 3.14159 = 1.570795:
//  seg 3 = 0.8122524 h = 1.2758820, seg 4 = (0.8122524 + 0.7708664) h =
//  2.4867551; skin 0, 0, 1.2758820, 3.7626371. The maximum friction of
//  0.01 is never applied. Under tension F_load = 1 divides the sand value
//  by 1.3 and no reduction factor applies: seg 3 is unchanged and seg 4 =
//  (0.8122524 + 0.5929742) h = 2.2073229.
TEST(NgiPile, SkinFrictionWithoutLimitOrTensionFactor) {
  struct Case {
    const char* what;
    int loading;
    double unit[4];
    double skin[4];
  };
  const Case cases[] = {
      {"compression", 0, {0.0, 0.0, 0.8122524, 0.7708664}, {0.0, 0.0, 1.2758820, 3.7626371}},
      {"tension", 1, {0.0, 0.0, 0.8122524, 0.5929742}, {0.0, 0.0, 1.2758820, 3.4832049}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = ngi_pile({{1, 0, 0, 0, 100000.0, 0, 0.0, 0.12},
                       {2, 2.0, 1.0, 50, 0, 0, 0.12, 1.0},
                       {1, 0, 0, 0, 100000.0, 0, 1.0, 1.2}});
    m->pile_length = 3.0;
    m->loading_type = c.loading;
    m->tension_reduction_factor = 0.5;
    m->reduced_friction_option = 0;
    run_ngi(*m);
    for (int k = 1; k <= 4; ++k) {
      SCOPED_TRACE(k);
      const auto i = static_cast<std::size_t>(k - 1);
      EXPECT_NEAR(m->penetration_unit_friction[k], c.unit[i], 1e-6);
      EXPECT_EQ(m->limited_unit_friction[k], m->penetration_unit_friction[k]);
      EXPECT_NEAR(m->skin_friction[k], c.skin[i], 1e-6);
      EXPECT_NEAR(m->method_skin_friction(k, kCodeNgi), c.skin[i], 1e-6);
      EXPECT_EQ(m->penetration_depth[k], k - 1.0);
    }
  }
}

// Whole runs with NGI selected and chosen for load transfer (computed only
// with soil_detail_option 1): sand over clay, the cone resistance from the
// layers, from a CPT profile or from the blow count; English and SI.
TEST(NgiRun, ChosenForLoadTransfer) {
  struct Case {
    const char* what;
    const char* units_record;
    const char* pile_record;
    std::vector<std::string> soil;
    const char* loading;
    const char* cpt;
  };
  const Case cases[] = {
      {"English, layer qc", "1 10 4 0", "0.0 0.0 24.0 22.0 29000000.0 62.0 2.0",
       {"0.0 1.0 0.8 115.0 30.0 0.0", "0 0 0 10 20 0 80000 0 0 1 1 0",
        "29.0 1.0 0.8 60.0 34.0 0.0", "0 0 0 10 20 0 160000 0 0 1 1 0",
        "30.0 2.0 0.0 50.0 0.0 0.0", "0 0 1500 800 0 25 0 0 0 1 1 0",
        "80.0 2.0 0.0 55.0 0.0 0.0", "0 0 3500 1500 0 40 0 0 0 1 1 0"},
       "0 1.0", "0 0\n"},
      {"English, CPT profile, tension", "1 10 4 0", "0.0 0.0 24.0 22.0 29000000.0 62.0 2.0",
       {"0.0 1.0 0.8 115.0 30.0 0.0", "0 0 0 10 20 0 0 0 0 1 1 0",
        "29.0 1.0 0.8 60.0 34.0 0.0", "0 0 0 10 20 0 0 0 0 1 1 0",
        "30.0 2.0 0.0 50.0 0.0 0.0", "0 0 1500 800 0 25 0 0 0 1 1 0",
        "80.0 2.0 0.0 55.0 0.0 0.0", "0 0 3500 1500 0 40 0 0 0 1 1 0"},
       "1 0.7", "1 3\n0.0 20000.0\n20.0 120000.0\n80.0 300000.0\n"},
      {"SI, blow count, closed concrete", "2 5 2 0", "0.0 0.0 400.0 0.0 30000000.0 20.0 0.0",
       {"0.0 1.0 0.8 9.0 32.0 0.0", "0 0 0 0 25 0 0 0 0 1 1 0",
        "25.0 1.0 0.8 10.0 34.0 0.0", "0 0 0 0 40 0 0 0 0 1 1 0"},
       "0 1.0", "0 0\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::InputText t;
    t.r4 = c.units_record;
    t.r5 = c.pile_record;
    t.r7 = std::string(c.units_record[0] == '2' ? "0.0 0.5 3" : "0.0 1.0 1") + " 0.0 6 1 0";
    t.r8 = "0 0 0 0 0 1 0 0 0";
    t.r9 = c.units_record[0] == '2' ? "25.0 0.0" : "80.0 0.0";
    t.soil = c.soil;
    t.r12 = c.loading;
    testing::ScratchDir dir;
    const testing::RunOutcome o = testing::run_input(dir, t.str(), c.cpt);
    ASSERT_EQ(o.result.code(), 0) << o.result.message;
    const std::string title = "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *";
    const auto table = testing::table_lines(o.report, std::string(10, ' ') + title);
    ASSERT_GT(table.size(), 7u);
    EXPECT_EQ(table[1], std::string(10, ' ') + std::string(52, '*'));
    for (std::size_t r = 6; r < table.size(); ++r) {
      EXPECT_FALSE(testing::holds_garbage(table[r])) << table[r];
    }
    // The skin friction at the tip is positive.
    EXPECT_GT(std::stod(table.back().substr(24, 8)), 0.0) << table.back();
    EXPECT_EQ(o.plot.find('*'), std::string::npos);
    EXPECT_FALSE(testing::holds_garbage(o.plot));
    EXPECT_EQ(o.report.find("nan"), std::string::npos);
    EXPECT_EQ(o.report.find("inf"), std::string::npos);
  }
}

}  // namespace
}  // namespace zolan
