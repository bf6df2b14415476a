// Load transfer given by the user and NGI: one verification table per
// method, a small NGI pile added up by hand, and whole runs choosing each
// method for load transfer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "input_text.hpp"
#include "methods/rules.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

struct Layer {
  double soil_type, su, su_remolded, plasticity, cone, blow_count, stress_top, stress_bottom;
  double user_friction = 0.0, user_bearing = 0.0, lrfd = 1.0;
};

// English, 12 in closed steel pile in compression, layers one penetration
// step thick, the penetration list (i - 1) x length_step as the run leaves it.
std::unique_ptr<AnalysisModel> pile(const std::vector<Layer>& layers, double length,
                                    double step = 1.0) {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = 1;
  m->pile_diameter = 12.0;
  m->pile_length = length;
  m->length_step = 1.0;
  m->penetration_step = step;
  m->pile_type = 1;
  m->layer_count = static_cast<int>(layers.size());
  for (int j = 1; j <= m->layer_count; ++j) {
    const Layer& l = layers[static_cast<std::size_t>(j - 1)];
    m->layer_thickness[j] = step;
    m->layer_top_depth[j] = (j - 1) * step;
    m->layer_soil_type[j] = l.soil_type;
    m->layer_su_undisturbed[j] = l.su;
    m->layer_su_remolded[j] = l.su_remolded;
    m->layer_plasticity_index[j] = l.plasticity;
    m->layer_cone_resistance[j] = l.cone;
    m->layer_blow_count[j] = l.blow_count;
    m->boundary_vertical_stress[2 * j - 1] = l.stress_top;
    m->boundary_vertical_stress[2 * j] = l.stress_bottom;
    m->layer_unit_friction_user[j] = l.user_friction;
    m->layer_unit_bearing_user[j] = l.user_bearing;
    m->layer_lrfd_friction[j] = l.lrfd;
    m->layer_max_unit_friction[j] = 0.01;  // neither method applies a limit
  }
  for (int i = 1; i <= kMaxPenetrations; ++i) m->penetration_depth[i] = (i - 1) * 1.0;
  return m;
}

void run(MethodRoutine routine, AnalysisModel& m) {
  RunOutput out;
  routine(m, out);
}

// Unit friction / bearing / LRFD by layer: 0.5/10/0.9, 1/20/0.8, 2/30/0.7,
// 4/40/0.6; D' = 1 ft, segment = 1 x 3.14159 x 1 x unit friction x LRFD of
// the point (none in layer 1). Area 0.785398 x 1^2; a tip area of 1e-4 is
// not given. Unplugged 24/22 in: area 0.785398 x 92 / 144 = 0.50178206,
// D' = 2 ft doubles the skin friction.
//  Vertical: points 2, 3, 4 read 1, 2, 3 ft, in layers 1, 2, 3: skin 0.5 pi
//  = 1.570795, + 0.7 x 1.0 pi = 3.769908, + 0.6 x 2.0 pi = 7.539816.
//  Battered (0.9 ft layers): point 2 reads the length step, 1.0 ft, in layer
//  2; points 3, 4 read 1.8, 2.7 ft: skin 0.8 pi = 2.513272, 4.712385,
//  8.482293. No tension factor, zero-friction length or limit applies.
TEST(UserPile, EndBearingAndSkinFrictionByHand) {
  struct Case {
    const char* what;
    double step, length, inner, tip_area;
    int plug;
    double area;
    int layer[4];  // layer whose unit bearing each point takes
    double skin[4];
  };
  const Case cases[] = {
      {"vertical", 1.0, 3.0, 0.0, 1.0e-4, 0, 0.785398, {1, 1, 2, 3}, {0, 1.570795, 3.769908, 7.539816}},
      {"battered", 0.9, 3.0, 0.0, 0.5, 0, 0.5, {1, 2, 2, 3}, {0, 2.513272, 4.712385, 8.482293}},
      {"unplugged", 1.0, 3.0, 22.0, 0.0, 2, 0.50178206, {1, 1, 2, 3}, {0, 3.14159, 7.539816, 15.079632}},
      {"one point", 1.0, 0.5, 0.0, 0.0, 0, 0.785398, {1, 0, 0, 0}, {0, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = pile({{1, 0, 0, 0, 0, 0, 0, 0, 0.5, 10, 0.9}, {1, 0, 0, 0, 0, 0, 0, 0, 1.0, 20, 0.8},
                   {1, 0, 0, 0, 0, 0, 0, 0, 2.0, 30, 0.7}, {1, 0, 0, 0, 0, 0, 0, 0, 4.0, 40, 0.6}},
                  c.length, c.step);
    if (c.plug == 2) m->pile_diameter = 24.0;
    m->pile_inner_diameter = c.inner;
    m->tip_area_user = c.tip_area;
    m->plug_condition = c.plug;
    m->loading_type = 1;
    m->tension_reduction_factor = 0.5;
    m->zero_friction_length = 10.0;
    for (int k = 2; k <= 4; ++k) m->skin_friction_user[k] = -1.0;
    run(compute_user, *m);
    for (int k = 1; k <= 4; ++k) {
      SCOPED_TRACE(k);
      const auto i = static_cast<std::size_t>(k - 1);
      EXPECT_NEAR(m->skin_friction_user[k], c.skin[i], 1e-6);
      if (c.layer[i] > 0) {
        EXPECT_NEAR(m->end_bearing_user[k], 10.0 * c.layer[i] * c.area, 1e-6);
      }
    }
  }
}

// Clay, psi = su / sigma_b, F_t = 0.8 + 0.2 sqrt(psi) open, else 1:
//  psi 2 closed: alpha = 0.5 / 2^0.3 = 0.4061262, f = 0.8122524; inside
//   (su_r 1) 0.4061262.
//  psi 0.5, PI 30, open: F_t 0.9414214, alpha_NC 0.32 x 20^0.3 = 0.7860659,
//   alpha_OC 0.5 / 0.5^0.3 = 0.6155722, alpha = 0.7860659 + 0.25 x
//   (0.6155722 - 0.7860659) / 0.75 = 0.7292347, f = 0.6865171; inside
//   0.1373 (su_r 0.2) below f_min = 0.06 x 18^0.33 x 2 = 0.3114735.
//  psi 0.1, PI 5 (PI' = 10 + 2^-20): f = 0.08 x 2^-6 = 0.00125; inside
//   alpha_NC of PI'' = 12 + 2^-20, 0.3939663 x 0.001, below f_min =
//   0.06 x 2^-6.6 = 0.0006185.
//  psi 4 open: F_t 1.2, alpha 0.5 / 4^0.3 = 0.329877, f = 1.5834095;
//   inside 0.0039585, no lower bound.
//  Silt at zero stress: 1e-10 written back, psi 1e10, f = 0.5 / 1e3.
TEST(NgiLayers, ClayAndSandBoundaryFriction) {
  struct Case {
    const char* what;
    int units, layer;  // the layer checked (layer 1 takes the bottom F_Dr at its top)
    Layer soil;
    double inner;
    int loading, pile_type, cpt_points;
    double top, bottom, inside_top, stress_top, stress_bottom;
  };
  // Sand: f = pa (z/L) F_Dr F_sig F_tip F_load F_mat, pa 2.0885546 (single
  // precision) or 100, z/L = 10 / 40, Dr = 0.4 ln(qc / 22 sqrt(pa s)) not
  // below 0.200001 (0.20001 SI), F_Dr = 2.1 (Dr - 0.1)^1.7, F_sig = (s/pa)^0.25.
  //  qc 100 ksf, s 1.2: Dr 0.4218923, F_Dr 0.3057225, F_sig 0.8706304,
  //   x 1.6 x 1.3 = 0.2890749; top s 1.0: Dr 0.4583566, F_Dr 0.3669066,
  //   F_sig 0.8318376, 0.3314693. Open, tension, timber x 1.2 / 2.08:
  //   0.1667740, 0.1912323. The CPT profile read at 1 ft gives 100 ksf too.
  //  Layer 1 top: the bottom F_Dr, 0.2761945; top stress 0 floored to 1e-8
  //   (F_sig 0.0083184): 0.0027619; bottom stress 0: both 0.
  //  Blow count 20: qc = 5.847952838 x 20: Dr 0.4845538 / 0.5210181,
  //   f = 0.3911375 / 0.4359316.
  //  SI blow count 0, s 1 / 100: qc raised to 1.01 x 2200 = 2222 at the
  //   bottom (F_Dr 0.0419076, f = 2.1791969) and kept at the top: Dr = 0.4
  //   ln(2222 / 220) = 0.9250142, F_Dr 1.514271, F_sig 0.3162278, 24.900441.
  //  SI zero stress: 0 (no floor in SI).
  const Case cases[] = {
      {"clay psi 2 closed", 1, 1, {2, 2, 1, 50, 0, 0, 0, 1}, 0, 0, 1, 0, 0.8122524, 0.8122524, 0.4061262, 0, 1},
      {"clay psi 0.5 open", 1, 1, {2, 1, 0.2, 30, 0, 0, 0, 2}, 22, 0, 1, 0, 0.6865171, 0.6865171, 0.3114735, 0, 2},
      {"clay psi 0.1 PI 5", 1, 1, {2, 0.1, 0.001, 5, 0, 0, 0, 1}, 0, 0, 1, 0, 0.00125, 0.00125, 0.0006185, 0, 1},
      {"clay psi 4 open", 1, 1, {2, 4, 0.01, 50, 0, 0, 0, 1}, 1e-5, 0, 1, 0, 1.5834095, 1.5834095, 0.0039585, 0, 1},
      {"silt zero stress", 1, 1, {3, 1, 1, 20, 0, 0, 0, 0}, 0, 0, 1, 0, 0.0005, 0.0005, 0.0005, 0, 1e-10},
      {"sand qc", 1, 2, {1, 0, 0, 0, 1e5, 0, 1.0, 1.2}, 1e-5, 0, 1, 0, 0.3314693, 0.2890749, 0.3314693, 1, 1.2},
      {"sand factors", 1, 2, {1, 0, 0, 0, 1e5, 0, 1.0, 1.2}, 22, 1, 2, 0, 0.1912323, 0.1667740, 0.1912323, 1, 1.2},
      {"sand CPT", 1, 2, {1, 0, 0, 0, 0, 20, 1.0, 1.2}, 0, 0, 1, 2, 0.3314693, 0.2890749, 0.3314693, 1, 1.2},
      {"layer 1", 1, 1, {1, 0, 0, 0, 1e5, 0, 1.0, 1.2}, 0, 0, 1, 0, 0.2761945, 0.2890749, 0.2761945, 1, 1.2},
      {"layer 1 floor", 1, 1, {1, 0, 0, 0, 1e5, 0, 0, 1.2}, 0, 0, 1, 0, 0.0027619, 0.2890749, 0.0027619, 1e-8, 1.2},
      {"layer 1 no stress", 1, 1, {1, 0, 0, 0, 1e5, 0, 0, 0}, 0, 0, 1, 0, 0, 0, 0, 1e-8, 0},
      {"blow count 20", 1, 2, {1, 0, 0, 0, 0, 20, 1.0, 1.2}, 0, 0, 1, 0, 0.4359316, 0.3911375, 0.4359316, 1, 1.2},
      {"SI raised qc", 2, 2, {1, 0, 0, 0, 0, 0, 1, 100}, 0, 0, 1, 0, 24.900441, 2.1791969, 24.900441, 1, 100},
      {"SI zero stress", 2, 2, {1, 0, 0, 0, 5000, 0, 0, 0}, 0, 0, 1, 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = pile({c.soil, c.soil}, 40.0);
    m->unit_system = c.units;
    m->layer_top_depth[c.layer] = 10.0;
    m->pile_inner_diameter = c.inner;
    m->loading_type = c.loading;
    m->pile_type = c.pile_type;
    m->cpt_point_count = c.cpt_points;  // 50000 psf at 0 ft, 150000 at 2 ft
    m->cpt_depth[2] = 2.0;
    m->cpt_qc[1] = 50000.0;
    m->cpt_qc[2] = 150000.0;
    run(compute_ngi, *m);
    const int t = 2 * c.layer - 1;
    EXPECT_NEAR(m->boundary_side_friction[t], c.top, 1e-6 * (1.0 + c.top));
    EXPECT_NEAR(m->boundary_side_friction[t + 1], c.bottom, 1e-6 * (1.0 + c.bottom));
    EXPECT_NEAR(m->boundary_unit_friction(t, kCodeNgi), c.inside_top, 1e-6 * (1.0 + c.top));
    EXPECT_EQ(m->boundary_vertical_stress[t], c.stress_top);
    EXPECT_EQ(m->boundary_vertical_stress[t + 1], c.stress_bottom);
  }
}

// Sand (z/L 0: nothing), clay psi 2 (0.8122524), sand qc 100 ksf at z/L =
// 2/3 (0.2890749 x 8/3 = 0.7708664, / 1.3 in tension = 0.5929742); points
// at 0..3 ft read 0, 0, 0.8122524 and the last; h = 1.570795: seg 3 =
// 1.2758820, seg 4 = 2.4867551 (2.2073229 in tension, no reduction factor,
// no limit).
TEST(NgiPile, SkinFrictionWithoutLimitOrTensionFactor) {
  for (const int loading : {0, 1}) {
    auto m = pile({{1, 0, 0, 0, 1e5, 0, 0, 0.12}, {2, 2, 1, 50, 0, 0, 0.12, 1}, {1, 0, 0, 0, 1e5, 0, 1, 1.2}}, 3.0);
    m->loading_type = loading;
    m->tension_reduction_factor = 0.5;
    run(compute_ngi, *m);
    const double last = loading == 1 ? 0.5929742 : 0.7708664;
    const double skin = 1.2758820 + (loading == 1 ? 2.2073229 : 2.4867551);
    EXPECT_NEAR(m->limited_unit_friction[4], last, 1e-6);
    EXPECT_NEAR(m->skin_friction[3], 1.2758820, 1e-6);
    EXPECT_NEAR(m->skin_friction[4], skin, 1e-6);
    EXPECT_NEAR(m->method_skin_friction(4, kCodeNgi), skin, 1e-6);
  }
}

// Whole runs with both methods selected, each chosen for load transfer:
// the default pipe (24 in, 60 ft embedded) in sand over clay with layer cone
// resistances, user friction 1000 psf and bearing 20000 psf everywhere.
// User: area 0.785398 x 2^2, end 62.8 kips; 60 segments of 3.14159 x 2 x
// 1.0 = 377.0 kips; ultimate 439.8 (no core column).
TEST(UserNgiRun, EachChosenForLoadTransfer) {
  for (const char* method : {"5", "6"}) {
    SCOPED_TRACE(method);
    testing::InputText t;
    t.r4 = "1 1 3 0";
    t.r7 = std::string("0.0 1.0 1 0.0 ") + method + " 1 0";
    t.r8 = "0 0 0 0 1 1 0 0 0";
    t.soil = {"0.0 1.0 0.8 115.0 30.0 0.0", "0 0 0 10 20 0 80000 1000 20000 1 1 0",
              "29.0 2.0 0.0 50.0 0.0 0.0", "0 0 1500 800 0 25 0 1000 20000 1 1 0",
              "80.0 2.0 0.0 55.0 0.0 0.0", "0 0 3500 1500 0 40 0 1000 20000 1 1 0"};
    testing::ScratchDir dir;
    const testing::RunOutcome o = testing::run_input(dir, t.str());
    ASSERT_EQ(o.result.code(), 0) << o.result.message;
    const auto user = testing::table_lines(o.report, std::string(29, ' ') + "* GENERAL METHOD *");
    const auto ngi = testing::table_lines(
        o.report, std::string(10, ' ') + "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *");
    ASSERT_EQ(user.size(), 6u + 61);
    ASSERT_EQ(ngi.size(), 6u + 61);
    EXPECT_EQ(user.back(), std::string(11, ' ') + "  60.00         377.0          62.8        439.8");
    EXPECT_GT(std::stod(ngi.back().substr(24, 8)), 0.0) << ngi.back();
    for (std::size_t r = 6; r < user.size(); ++r) {
      EXPECT_FALSE(testing::holds_garbage(user[r]) || testing::holds_garbage(ngi[r])) << r;
    }
    EXPECT_EQ(o.plot.find('*'), std::string::npos);
    EXPECT_FALSE(testing::holds_garbage(o.plot));
    EXPECT_TRUE(o.plot.starts_with("           2          61           1           " +
                                   std::string(method) + "\n"));
  }
}

}  // namespace
}  // namespace zolan
