// The analysis model: every input value of one run, the unit labels, the
// values derived before the computation and every list the computation
// fills. One model is owned by one run and passed by reference; a run starts
// from a cleared model (value-initialised), so two runs never share state.
//
// Lists are numbered from 1 (see lists.hpp). Units: `unit_system` 1 is
// English (ft, in, kips, ksf), 2 is SI (m, mm, kN, kPa).
#pragma once

#include <string>

#include "model/lists.hpp"

namespace zolan {

// Fixed capacities of one run.
inline constexpr int kMaxSoilPoints = 80;
inline constexpr int kSoilColumns = 17;
inline constexpr int kMaxCptPoints = 1000;
inline constexpr int kMaxAreaRows = 100;
inline constexpr int kMaxCheckDepths = 100;
inline constexpr int kMaxLayers = 500;
inline constexpr int kMaxBoundaries = 2 * kMaxLayers;  // two per layer
inline constexpr int kMaxPenetrations = 500;
inline constexpr int kMethodCount = 9;
// Curve storage: the computation curves of the deepest run (one per
// penetration point) are the most that are ever held at once; the report
// curves of 80 soil points (3 + 3 x 79) and the 100 check depths fit too.
inline constexpr int kMaxCurves = 500;
inline constexpr int kCurvePoints = 10;
inline constexpr int kSettlementSteps = 9;
// Report curves listed: three per pair of profile points (the three curves
// in the stickup are not listed).
inline constexpr int kMaxListedCurves = 3 * (kMaxSoilPoints - 1);

// Soil table columns.
enum SoilColumn : int {
  kColSoilType = 1,
  kColK = 2,
  kColUnitWeight = 3,
  kColFrictionAngle = 4,
  kColNq = 5,
  kColMaxFriction = 6,
  kColMaxBearing = 7,
  kColSuUndisturbed = 8,
  kColSuRemolded = 9,
  kColBlowCount = 10,
  kColPlasticityIndex = 11,
  kColConeResistance = 12,
  kColUserFriction = 13,
  kColUserBearing = 14,
  kColLrfdFriction = 15,
  kColLrfdBearing = 16,
  kColAdhesionCaseOrTipMovement = 17,
};

// Methods in input order (`method_selected`, `load_transfer_method`).
enum MethodSelection : int {
  kSelFhwa = 1,
  kSelUsace = 2,
  kSelLambda = 3,
  kSelApi = 4,
  kSelUser = 5,
  kSelNgi = 6,
  kSelIcp = 7,
  kSelFugro = 8,
  kSelUwa = 9,
};

// Branches of the capacity computation (`method_code`).
enum MethodCode : int {
  kCodeFhwa = 1,
  kCodeUsace = 2,
  kCodeLambda = 3,
  kCodeApi = 4,
  kCodeNgi = 5,
  kCodeIcp = 6,
  kCodeFugro = 7,
  kCodeUwa = 8,
  kCodeUser = 9,
};

// One t-z curve: depth, soil flag, friction angle, ultimate unit friction
// and its points of movement against unit load transfer.
struct TzCurve {
  double curve_depth = 0.0;
  int curve_soil_flag = 0;  // 1 cohesionless shape, 2 cohesive shape
  double curve_friction_angle = 0.0;
  double curve_ultimate_friction = 0.0;
  int curve_point_count = 0;
  List<double, kCurvePoints> curve_movement;
  List<double, kCurvePoints> curve_transfer;
};

// Lists one design method keeps for the load-settlement hand-over and its
// result table (numbered by penetration).
struct MethodResults {
  bool computed = false;
  List<double, kMaxPenetrations> skin;          // cumulative skin friction (factored)
  List<double, kMaxPenetrations> end;           // end bearing or self weight, LRFD factored
  List<double, kMaxPenetrations> end_unfactored;  // end bearing before the LRFD factor
  List<double, kMaxPenetrations> ultimate;      // skin + end
  List<double, kMaxPenetrations> core;          // core length
  List<int, kMaxPenetrations> tip_control;      // 1 tip governs, 2 plug friction governs
  List<double, kMaxPenetrations> unit_friction;  // unit side friction at the penetration
};

struct AnalysisModel {
  // ---- Run description -------------------------------------------------
  std::string title;       // first 72 characters of the line
  std::string designer;
  std::string job_number;

  // ---- Record 4 ----------------------------------------------------------
  int unit_system = 0;  // 1 English, 2 SI
  int output_interval = 0;
  int soil_point_count = 0;
  int pile_end_condition = 0;  // 0 open-ended, 1 closed-ended

  // ---- Pile --------------------------------------------------------------
  double perimeter_input = 0.0;   // in / mm, 0 for a circular section
  double tip_area_user = 0.0;     // ft2 / m2 (entered in in2 in English units)
  double pile_diameter = 0.0;     // in / mm
  double inner_diameter = 0.0;    // in / mm
  double modulus_of_elasticity = 0.0;  // psi / kPa
  double pile_length = 0.0;       // total length on input, embedded length once prepared
  double total_pile_length = 0.0;  // the total length as entered
  double stickup = 0.0;           // ft / m
  double enhanced_end_length = 0.0;
  double pile_inner_diameter = 0.0;  // inside diameter at the tip, in / mm
  double batter_angle = 0.0;      // degrees on input, radians once prepared
  double batter_angle_degrees = 0.0;  // as entered
  double zero_friction_length = 0.0;
  double length_step = 0.0;
  int pile_type = 0;
  double taper_angle = 0.0;       // degrees
  int area_option = 0;
  double cross_section_area_user = 0.0;  // in2 / m2
  int area_table_count = 0;
  List<double, kMaxAreaRows> area_table_distance;
  List<double, kMaxAreaRows> area_table_area;

  // Values as entered, before the read-time conversions (for the echo and
  // the computed cross-section area).
  double entered_pile_diameter = 0.0;
  double entered_inner_diameter = 0.0;
  double entered_tip_area = 0.0;

  // ---- Analysis options -----------------------------------------------------
  List<int, kMethodCount> method_selected;  // by MethodSelection
  int load_transfer_method = 0;             // by MethodSelection
  int reduced_friction_option = 0;
  int loading_type = 0;  // 1 tension
  double tension_reduction_factor = 1.0;
  int clay_drained_option = 0;
  int plug_condition = 0;  // 0 computed, 1 plugged, 2 unplugged
  int long_pile_option = 0;
  int critical_depth_option = 0;
  double critical_depth = 0.0;
  int soil_detail_option = 0;
  int verification_flag = 0;
  int tz_check_depth_count = 0;
  List<double, kMaxCheckDepths> tz_check_depth;

  // ---- Soil profile --------------------------------------------------------
  double soil_profile_depth = 0.0;
  List<double, kMaxSoilPoints> soil_point_depth;
  Table<double, kMaxSoilPoints, kSoilColumns> soil_table;
  List<int, kMaxSoilPoints> max_friction_defaulted;
  List<int, kMaxSoilPoints> max_bearing_defaulted;
  double water_table_depth = 99999.0;

  // ---- CPT profile -----------------------------------------------------------
  int cpt_point_count = 0;
  List<double, kMaxCptPoints> cpt_depth;
  List<double, kMaxCptPoints> cpt_qc;  // in the units of the CPT data file
  // Set when the model is prepared: every CPT depth is not above the one
  // before it, so a depth is found in the profile by bisection.
  bool cpt_depths_ascending = false;

  // ---- Unit labels -----------------------------------------------------------
  std::string length_label = "   ";
  std::string diameter_label = "   ";
  std::string force_label = "   ";
  std::string stress_label = "   ";
  std::string unit_weight_label = "     ";
  std::string area_label = "   ";
  std::string modulus_label = "   ";

  // ---- Derived before the computation ------------------------------------
  double required_soil_depth = 0.0;
  int profile_point_count = 0;  // penetration points of the soil profile
  double penetration_step = 0.0;  // length_step x cos(batter)
  int pass_number = 0;

  // ---- Computational layers (one per penetration step) --------------------
  int layer_count = 0;  // NL
  List<double, kMaxLayers> layer_top_depth;
  List<double, kMaxLayers> layer_bottom_depth;
  List<double, kMaxLayers> layer_thickness;
  List<double, kMaxLayers> layer_soil_type;
  List<int, kMaxLayers> layer_soil_class;  // 1 sand, 2 clay (API)
  List<double, kMaxLayers> layer_K;
  List<double, kMaxLayers> layer_unit_weight;
  List<double, kMaxLayers> layer_friction_angle;
  List<double, kMaxLayers> layer_Nq;
  List<double, kMaxLayers> layer_max_unit_friction;
  List<double, kMaxLayers> layer_max_unit_bearing;
  List<double, kMaxLayers> layer_su_undisturbed;
  List<double, kMaxLayers> layer_su_remolded;
  List<double, kMaxLayers> layer_blow_count;
  List<double, kMaxLayers> layer_plasticity_index;
  List<double, kMaxLayers> layer_cone_resistance;
  List<double, kMaxLayers> layer_unit_friction_user;
  List<double, kMaxLayers> layer_unit_bearing_user;
  List<double, kMaxLayers> layer_lrfd_friction;
  List<double, kMaxLayers> layer_lrfd_bearing;
  List<double, kMaxLayers> layer_adhesion_case;
  List<double, kMaxLayers> layer_tip_movement;

  // Boundary lists: entry 2j-1 at the top and 2j at the bottom of layer j
  // (one spare entry for the stress below the deepest layer).
  List<double, kMaxBoundaries + 1> boundary_vertical_stress;
  List<double, kMaxBoundaries + 1> boundary_vertical_stress_usace;
  List<double, kMaxBoundaries> boundary_side_friction;
  List<double, kMaxBoundaries> boundary_unit_end_bearing;
  Table<double, kMaxBoundaries, kMethodCount> boundary_unit_friction;  // by MethodCode

  // ---- Penetration lists -----------------------------------------------------
  int npen = 0;          // penetration points of the pile
  int method_code = 0;   // branch of the capacity computation
  List<double, kMaxPenetrations> penetration_depth;
  List<double, kMaxPenetrations> penetration_unit_friction;
  List<double, kMaxPenetrations> penetration_max_unit_friction;
  List<double, kMaxPenetrations> limited_unit_friction;
  List<double, kMaxPenetrations> segment_friction_cap;
  List<double, kMaxPenetrations> segment_friction;
  List<double, kMaxPenetrations> skin_friction;
  List<double, kMaxPenetrations> factored_skin_friction;
  Table<double, kMaxPenetrations, kMethodCount> method_skin_friction;  // by MethodCode

  // Capacity computation outputs.
  List<double, kMaxPenetrations> end_bearing;
  List<double, kMaxPenetrations> core_length;
  Table<int, kMaxPenetrations, kMethodCount> tip_control;  // by MethodCode
  List<double, kMaxPenetrations> end_bearing_fhwa;
  List<double, kMaxPenetrations> core_length_fhwa;
  List<double, kMaxPenetrations> end_bearing_usace;
  List<double, kMaxPenetrations> core_length_usace;
  List<double, kMaxPenetrations> end_bearing_user;
  List<double, kMaxPenetrations> skin_friction_user;

  // FHWA adhesion factor, kept from one clay layer to the next.
  double adhesion_factor = 0.0;

  // ---- Method run --------------------------------------------------------------
  int printed_row_count = 0;
  List<MethodResults, kMethodCount> method_results;  // by MethodSelection
  // The lists each printed table was written from, as they were then.
  List<MethodResults, kMethodCount> reported_results;  // by MethodSelection

  // ---- Load-settlement analysis -------------------------------------------------
  int settlement_segment_count = 0;
  List<double, kMaxPenetrations> settlement_unit_friction;  // ksf / kPa
  List<double, kMaxPenetrations> settlement_skin_friction;
  List<double, kMaxPenetrations> settlement_end_bearing;  // unfactored
  List<TzCurve, kMaxCurves> tz_curves;
  int report_curve_count = 0;
  List<double, kCurvePoints> tip_movement;
  List<double, kCurvePoints> tip_load;
  List<int, kMaxCheckDepths> tz_check_valid;
  int settlement_point_count = 0;
  List<double, kSettlementSteps> top_load;
  List<double, kSettlementSteps> top_movement;
  List<double, kSettlementSteps> tip_load_result;
  List<double, kSettlementSteps> tip_movement_result;
  // The report curves as listed, numbered in listing order (the computation
  // curves replace them in tz_curves).
  int listed_curve_count = 0;
  List<TzCurve, kMaxListedCurves> listed_tz_curves;
  // Load distribution: segment j (from the tip up) of assumed tip movement
  // k as accepted: distance of its midpoint from the pile head, average
  // load and mid-segment movement (working units).
  int distribution_segment_count = 0;
  Table<double, kMaxPenetrations, kSettlementSteps> segment_distance;
  Table<double, kMaxPenetrations, kSettlementSteps> segment_average_load;
  Table<double, kMaxPenetrations, kSettlementSteps> segment_mid_movement;
};

}  // namespace zolan
