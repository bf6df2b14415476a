// Capacity by penetration: averaged tip force, wall force and soil plug,
// plugged and coring pipes, self weight under tension, and the CPT profile
// lookups. Expected values are worked out by hand in the comments.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "capacity/capacity.hpp"
#include "layer_fixture.hpp"
#include "model/profile.hpp"
#include "model/numeric.hpp"

namespace zolan {
namespace {

const double kQuarterPi = f32(0.7853975);
const double kHalfPi = f32(1.570795);

// nl sand layers of 1.0 (ft or m), npen penetrations on the same grid, a
// vertical pile of outside diameter od; no limits given.
std::unique_ptr<AnalysisModel> pile_in_layers(int units, int nl, int npen, double od) {
  testing::LayeredPile p;
  p.unit_system = units;
  p.pile_diameter = od;
  p.pile_length = npen - 1.0;
  p.layers.assign(static_cast<std::size_t>(nl), testing::LayerSoil{.phi = 35.0, .nq = 40.0});
  auto m = p.build();
  m->pile_type = 1;
  return m;
}

// Sand stress growing by 0.1 ksf per ft: API Nq 40 gives 4 y ksf.
void linear_sand(AnalysisModel& m) {
  for (int j = 1; j <= m.layer_count; ++j) {
    m.boundary_vertical_stress[2 * j - 1] = 0.1 * (j - 1);
    m.boundary_vertical_stress[2 * j] = 0.1 * j;
  }
}

// Clay with su = su_r = 1 ksf and the stress at every boundary 1 ksf:
// psi = 1, alpha = 0.5, plug unit friction 0.5 ksf; unit end bearing 9 ksf.
void uniform_clay(AnalysisModel& m) {
  for (int j = 1; j <= m.layer_count; ++j) {
    m.layer_soil_type[j] = 2.0;
    m.layer_su_undisturbed[j] = 1.0;
    m.layer_su_remolded[j] = 1.0;
    m.boundary_vertical_stress[2 * j - 1] = 1.0;
    m.boundary_vertical_stress[2 * j] = 1.0;
  }
}

// Open steel pipe OD 24 in, ID 22 in (also at the tip), 20 ft embedded,
// enhanced end section over the whole pile, in 40 clay layers.
std::unique_ptr<AnalysisModel> open_pipe_in_clay(int code, int plug) {
  auto m = pile_in_layers(1, 40, 21, 24.0);
  uniform_clay(*m);
  m->inner_diameter = 22.0;
  m->pile_inner_diameter = 22.0;
  m->enhanced_end_length = 20.0 - 1e-7;
  m->plug_condition = plug;
  m->method_code = code;
  return m;
}

// Hand values of that pipe:
//  tip area At = pi/4 x 2^2 ft2; 9 ksf over the zone of 3 ft each side:
//  Qtip = 9 At x (3 + z) / 6 for z < 3, 9 At below;
//  wall area pi/4 (576 - 484) / 144 ft2, Wz = 9 x wall area;
//  plug friction per ft pi/2 x 22/12 x (0.5 + 0.5) = dE of every step.
const double kAt = kQuarterPi * (2.0 * 2.0);
const double kWz = 9.0 * (kQuarterPi * (576.0 - 484.0) / 144.0);
const double kDe = kHalfPi * (22.0 / 12.0) * 1.0;
double clay_qtip(double z) { return z < 3.0 ? 9.0 * kAt * (3.0 + z) / 6.0 : 9.0 * kAt; }

// ---- CPT profile and penetration depths ------------------------------------

TEST(CptProfile, AtBetweenAndBeyondThePoints) {
  auto m = std::make_unique<AnalysisModel>();
  EXPECT_EQ(cpt_profile_qc(*m, 2.0), 0.0);  // no points
  m->cpt_point_count = 3;
  m->cpt_depth[1] = 1.0;
  m->cpt_qc[1] = 100.0;
  m->cpt_depth[2] = 3.0;
  m->cpt_qc[2] = 300.0;
  m->cpt_depth[3] = 4.0;
  m->cpt_qc[3] = 200.0;
  const struct {
    double depth;
    double qc;
  } cases[] = {{0.0, 100.0}, {1.0, 100.0}, {2.0, 200.0}, {3.0, 300.0},
               {3.5, 250.0}, {4.0, 200.0}, {9.0, 200.0}};
  for (const auto& c : cases) EXPECT_NEAR(cpt_profile_qc(*m, c.depth), c.qc, 1e-12) << c.depth;
}

TEST(PenetrationDepth, ListForThePileThenRebuiltDepthsBelow) {
  auto m = pile_in_layers(1, 6, 3, 12.0);
  m->length_step = 0.5;
  m->penetration_depth[2] = 0.45;  // a battered pile's vertical depth
  EXPECT_EQ(penetration_depth_of_layer(*m, 2), 0.45);
  EXPECT_EQ(penetration_depth_of_layer(*m, 3), 2.0);
  EXPECT_EQ(penetration_depth_of_layer(*m, 4), 1.5);  // (4 - 1) x 0.5
  EXPECT_EQ(penetration_depth_of_layer(*m, 501), 250.0);  // past the list: computed
  EXPECT_EQ(layer_at(*m, 6), 6);
  EXPECT_EQ(layer_at(*m, 7), 6);
}

// ---- Closed-ended piles in compression ----------------------------------------

TEST(CapacityClosed, EndBearingIsTheAveragedTipForce) {
  // API sand, 4 y ksf; OD 12 in: At = pi/4 ft2, zone 1.5 ft each side.
  // I(y) = 2 At y^2, Qtip = (I(z + 1.5) - I(z - 1.5)) / 3 = 4 At z once the
  // zone is in the ground; z = 0: I(1.5) / 3 = 1.5 At; z = 1: I(2.5) / 3.
  auto m = pile_in_layers(1, 20, 11, 12.0);
  linear_sand(*m);
  m->inner_diameter = 11.0;
  m->pile_end_condition = 1;
  m->method_code = kCodeApi;
  compute_capacity(*m);
  for (int i = 1; i <= 11; ++i) {
    const double z = i - 1.0;
    const double expected = i == 1 ? 1.5 * kQuarterPi : i == 2 ? 12.5 / 3.0 * kQuarterPi
                                                               : 4.0 * kQuarterPi * z;
    EXPECT_NEAR(m->end_bearing[i], expected, 1e-9) << i;
    EXPECT_EQ(m->tip_control(i, kCodeApi), 1) << i;
    EXPECT_EQ(m->core_length[i], 0.0) << i;
    EXPECT_EQ(m->end_bearing_fhwa[i], 0.0);  // not this method's copy
  }
}

TEST(CapacityClosed, LimitForceAndProfileEndHeldConstant) {
  // User code keeps hand-set unit end bearing: 4 y ksf over 5 layers, solid
  // pile OD 12 in, penetrations down to 7 ft (zone to 8.5 ft). Below 5 ft the
  // tip force stays 20 At: I(y) = 50 At + 20 At (y - 5).
  auto m = pile_in_layers(1, 5, 8, 12.0);
  m->method_code = kCodeUser;
  for (int k = 1; k <= 10; ++k) m->boundary_unit_end_bearing[k] = 4.0 * (k / 2);
  compute_capacity(*m);
  const double at = kQuarterPi;
  EXPECT_NEAR(m->end_bearing[5], (60.0 - 12.5) / 3.0 * at, 1e-9);  // z = 4
  EXPECT_NEAR(m->end_bearing[6], (80.0 - 24.5) / 3.0 * at, 1e-9);  // z = 5
  EXPECT_NEAR(m->end_bearing[8], 20.0 * at, 1e-9);                 // z = 7
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(m->end_bearing_user[i], m->end_bearing[i]);

  // Limit 18 ksf: J(y) = 18 At y, also below the deepest layer.
  for (int j = 1; j <= 5; ++j) m->layer_max_unit_bearing[j] = 18.0;
  compute_capacity(*m);
  EXPECT_NEAR(m->end_bearing[5], (60.0 - 12.5) / 3.0 * at, 1e-9);  // 15.83 At < 18 At
  EXPECT_NEAR(m->end_bearing[6], 18.0 * at, 1e-9);                 // 18.5 At > 18 At
  EXPECT_NEAR(m->end_bearing[8], 18.0 * at, 1e-9);
  // z = 0: 4 y averaged is 1.5 At, the limit 18 x 1.5 / 3 = 9 At.
  EXPECT_NEAR(m->end_bearing[1], 1.5 * at, 1e-9);
}

// ---- Open-ended pipes ---------------------------------------------------------

TEST(CapacityOpenPipe, CoresUntilThePlugHoldsThenTheCoreStops) {
  // Coring while Wz + (i - 1) dE <= Qtip, that is up to z = 8 (27.55 < 28.27);
  // at z = 9 the plug holds: x = 9 At - 8 dE - Wz, the core grows by x / dE
  // to 8.25 ft (= (9 At - Wz) / dE = 4.5 x 22/12), and stays there.
  auto m = open_pipe_in_clay(kCodeLambda, 0);
  compute_capacity(*m);
  for (int i = 1; i <= 21; ++i) {
    const double z = i - 1.0;
    if (i <= 9) {
      EXPECT_NEAR(m->end_bearing[i], kWz + z * kDe, 1e-9) << i;
      EXPECT_NEAR(m->core_length[i], z, 1e-12) << i;
      EXPECT_EQ(m->tip_control(i, kCodeLambda), 2) << i;
    } else {
      EXPECT_NEAR(m->end_bearing[i], clay_qtip(z), 1e-9) << i;
      EXPECT_NEAR(m->core_length[i], 8.25, 1e-9) << i;
      EXPECT_EQ(m->tip_control(i, kCodeLambda), 1) << i;
    }
  }
}

TEST(CapacityOpenPipe, PluggedAndUnpluggedConditions) {
  // Plugged: the tip force everywhere, the core grows as when computed.
  auto plugged = open_pipe_in_clay(kCodeLambda, 1);
  compute_capacity(*plugged);
  // Unplugged: no plug friction, the wall force alone, marker 2, the core
  // follows the pile.
  auto unplugged = open_pipe_in_clay(kCodeLambda, 2);
  compute_capacity(*unplugged);
  for (int i = 1; i <= 21; ++i) {
    const double z = i - 1.0;
    EXPECT_NEAR(plugged->end_bearing[i], clay_qtip(z), 1e-9) << i;
    EXPECT_EQ(plugged->tip_control(i, kCodeLambda), 1) << i;
    EXPECT_NEAR(plugged->core_length[i], i <= 9 ? z : 8.25, 1e-9) << i;
    EXPECT_NEAR(unplugged->end_bearing[i], kWz, 1e-9) << i;
    EXPECT_EQ(unplugged->tip_control(i, kCodeLambda), 2) << i;
    EXPECT_NEAR(unplugged->core_length[i], z, 1e-12) << i;
  }
}

TEST(CapacityOpenPipe, MethodFrictionAndPerMethodCopies) {
  // FHWA and USACE read the plug friction from their own column (a clay
  // layer reads its top value only): with 0.5 ksf the results are those of
  // the default rule, and each method keeps its copies.
  auto m = open_pipe_in_clay(kCodeFhwa, 0);
  for (int code : {kCodeFhwa, kCodeUsace}) {
    for (int j = 1; j <= 40; ++j) {
      m->boundary_unit_friction(2 * j - 1, code) = 0.5;
      m->boundary_unit_friction(2 * j, code) = 99.0;
    }
    m->method_code = code;
    compute_capacity(*m);
  }
  m->method_code = kCodeLambda;
  compute_capacity(*m);
  for (int i = 1; i <= 21; ++i) {
    EXPECT_EQ(m->end_bearing_fhwa[i], m->end_bearing[i]) << i;
    EXPECT_EQ(m->end_bearing_usace[i], m->end_bearing[i]) << i;
    EXPECT_EQ(m->core_length_fhwa[i], m->core_length[i]) << i;
    EXPECT_EQ(m->core_length_usace[i], m->core_length[i]) << i;
    EXPECT_EQ(m->tip_control(i, kCodeFhwa), m->tip_control(i, kCodeLambda)) << i;
    EXPECT_EQ(m->tip_control(i, kCodeUsace), m->tip_control(i, kCodeLambda)) << i;
  }
  EXPECT_NEAR(m->core_length_usace[21], 8.25, 1e-9);
}

struct EnhancedCase {
  double enhanced_length;
  double plug_lengths[7];  // E(i) / dE: plug friction behind the tip, in steps
};

const EnhancedCase kEnhancedCases[] = {
    {6.0 - 1e-7, {0, 1, 2, 3, 4, 5, 6}},  // whole pile; 4 to 6 ft below the 4 layers
    {2.0, {0, 1, 2, 2, 2, 2, 2}},         // the last 2 ft only
};

TEST(CapacityOpenPipe, EnhancedSectionAndPlugFrictionBelowTheLayers) {
  // Four clay layers, penetrations to 6 ft: the plug friction keeps growing
  // by dE per ft below 4 ft. User code: the wall bears the layer's cone
  // resistance, 1000 psf = 1 ksf. The tip force (9 At) stays far above, so
  // every row cores: end bearing = wall force + E(i).
  for (const EnhancedCase& c : kEnhancedCases) {
    auto m = pile_in_layers(1, 4, 7, 24.0);
    uniform_clay(*m);
    for (int j = 1; j <= 4; ++j) m->layer_cone_resistance[j] = 1000.0;
    m->inner_diameter = 22.0;
    m->pile_inner_diameter = 22.0;
    m->enhanced_end_length = c.enhanced_length;
    m->method_code = kCodeUser;
    compute_capacity(*m);
    const double wall = 1.0 * (kQuarterPi * (576.0 - 484.0) / 144.0);
    for (int i = 1; i <= 7; ++i) {
      EXPECT_NEAR(m->end_bearing[i], wall + c.plug_lengths[i - 1] * kDe, 1e-9)
          << c.enhanced_length << " " << i;
      EXPECT_EQ(m->tip_control(i, kCodeUser), 2);
      EXPECT_NEAR(m->core_length[i], i - 1.0, 1e-12);
    }
  }
}

TEST(CapacityOpenPipe, IcpTipForceNeverBelowTheWallForce) {
  // SI, OD 1000 mm, Di 500 mm, sand qc 5000 kPa: the ICP unit end bearing
  // 0.15 qc x pi/4 m2 = 589 kN is below the wall force 5000 x pi/4 x 0.75 =
  // 2945 kN, which takes its place. Plugged: end bearing = that tip force,
  // averaged over 3 m (1.5 of 3 m in the ground at z = 0, 2.5 at z = 1).
  auto m = pile_in_layers(2, 10, 5, 1000.0);
  for (int j = 1; j <= 10; ++j) m->layer_cone_resistance[j] = 5000.0;
  m->inner_diameter = 500.0;
  m->pile_inner_diameter = 500.0;
  m->enhanced_end_length = 4.0 - 1e-7;
  m->plug_condition = 1;
  m->method_code = kCodeIcp;
  compute_capacity(*m);
  const double wall = 5000.0 * (kQuarterPi * (1.0e6 - 250000.0) / 1.0e6);
  EXPECT_NEAR(m->end_bearing[1], wall * 1.5 / 3.0, 1e-9);
  EXPECT_NEAR(m->end_bearing[2], wall * 2.5 / 3.0, 1e-9);
  for (int i = 3; i <= 5; ++i) {
    EXPECT_NEAR(m->end_bearing[i], wall, 1e-9) << i;
    EXPECT_EQ(m->tip_control(i, kCodeIcp), 1);
  }
}

// ---- Tension: self weight -------------------------------------------------------

struct WeightCase {
  const char* name;
  int units;
  int pile_type;
  int end_condition;
  double od;
  double id;
  double area;  // cross_section_area_user
  double water;
  double stickup;
  double water_after;
  double expected[4];  // at z = 0, 1, 2, 3
};

// English pipe, 20 in2: Aw = 20/144, buoyancy on Ag = pi/4 ft2 below 0.1 ft:
//   Walt(z) = 0.49 Aw z - 0.0624 Ag (z - 0.1), plus Ws = 0.49 Aw x 5.
// Timber OD 12 in, no area: Aw = pi/4 ft2, water at 2 ft:
//   W = 0.05 Aw z, then 0.05 Aw 2 + (0.05 - 0.0624) Aw (z - 2).
// SI concrete, 0.1 m2, water at 1.0 m (kept), stick-up 1 m:
//   W = 23.563051 x 0.1 z, then + (23.563051 - 9.8) x 0.1 (z - 1); Ws = 2.3563051.
const double kAwPipe = 20.0 / 144.0;
const double kWsPipe = 0.49 * kAwPipe * 5.0;
double walt_pipe(double z) { return 0.49 * kAwPipe * z - 0.0624 * kQuarterPi * (z - 0.1) + kWsPipe; }
const double kGc = 23.563051;

const WeightCase kWeightCases[] = {
    {"pipe Walt", 1, 1, 1, 12.0, 11.0, 20.0, 0.5, 5.0, 0.1,
     {kWsPipe, walt_pipe(1.0), walt_pipe(2.0), walt_pipe(3.0)}},
    {"timber W", 1, 2, 0, 12.0, 0.0, 0.0, 2.0, 0.0, 2.0,
     {0.0, 0.05 * kQuarterPi, 0.05 * kQuarterPi * 2.0,
      0.05 * kQuarterPi * 2.0 + (0.05 - 0.0624) * kQuarterPi * 1.0}},
    {"concrete SI", 2, 3, 1, 400.0, 0.0, 0.1, 1.0, 1.0, 1.0,
     {kGc * 0.1, kGc * 0.1 + kGc * 0.1, kGc * 0.1 + (kGc - 9.8) * 0.1 + kGc * 0.1,
      kGc * 0.1 + (kGc - 9.8) * 0.1 * 2.0 + kGc * 0.1}},
};

TEST(CapacityTension, ClosedPilesCarryTheirWeight) {
  for (const WeightCase& c : kWeightCases) {
    auto m = pile_in_layers(c.units, 10, 4, c.od);
    linear_sand(*m);
    m->loading_type = 1;
    m->pile_type = c.pile_type;
    m->pile_end_condition = c.end_condition;
    m->inner_diameter = c.id;
    m->cross_section_area_user = c.area;
    m->water_table_depth = c.water;
    m->stickup = c.stickup;
    m->method_code = kCodeApi;
    compute_capacity(*m);
    EXPECT_EQ(m->water_table_depth, c.water_after) << c.name;
    for (int i = 1; i <= 4; ++i) {
      EXPECT_NEAR(m->end_bearing[i], c.expected[i - 1], 1e-9) << c.name << " " << i;
      EXPECT_EQ(m->tip_control(i, kCodeApi), 1);
    }
  }
}

TEST(CapacityTension, OpenPipeCoringWeightThenPluggedWeightAndStickup) {
  // The decision is that of compression (coring to z = 8). Coring rows carry
  // W(z) = 0.49 x Aw x z (Aw = the wall area, no water); plugged rows
  // W(z) + Ws with Ws = 0.49 Aw x 2. The plug rows take x from the replaced
  // tip force, far below M + Wz, so the core stops at 8 ft.
  auto m = open_pipe_in_clay(kCodeLambda, 0);
  m->loading_type = 1;
  m->stickup = 2.0;
  compute_capacity(*m);
  const double aw = kQuarterPi * (576.0 - 484.0) / 144.0;
  for (int i = 1; i <= 21; ++i) {
    const double z = i - 1.0;
    const double expected = i <= 9 ? 0.49 * aw * z : 0.49 * aw * z + 0.49 * aw * 2.0;
    EXPECT_NEAR(m->end_bearing[i], expected, 1e-9) << i;
    EXPECT_NEAR(m->core_length[i], i <= 9 ? z : 8.0, 1e-12) << i;
    EXPECT_EQ(m->tip_control(i, kCodeLambda), i <= 9 ? 2 : 1) << i;
  }
}

}  // namespace
}  // namespace zolan
