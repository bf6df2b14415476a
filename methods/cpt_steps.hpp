// Steps shared by the methods that read the cone resistance (NGI, ICP/MTD,
// Fugro, UWA): the cone resistance of a layer, the atmospheric pressure and
// the end-bearing steps they have in common; and the side-friction steps of
// ICP/MTD, Fugro and UWA: the pile radii, the height above the tip, the rule
// of cohesive layers with its report lines, and the boundary values turned
// into skin friction by penetration.
//
// The side-friction formulas carry their decimal constants in single
// precision (f32).
#pragma once

#include "methods/method.hpp"
#include "model/profile.hpp"

namespace zolan {

// Atmospheric pressure of the end-bearing rules and the blow-count
// conversion: 2.1168 ksf or 100 kPa.
double atmospheric_pressure(const AnalysisModel& m);

// Cone resistance of layer j in the stress unit (ksf or kPa): the layer's
// value, else the CPT profile at the layer's penetration depth, else
// 2.8 pa x blow count.
double layer_qc(const AnalysisModel& m, int j);
// The same with the blow count converted by `qc_per_blow` (ksf or kPa per
// blow) where the method carries its own conversion.
double layer_qc(const AnalysisModel& m, int j, double qc_per_blow);

// A sand rule of the cone resistance alone (ICP/MTD, Fugro, UWA): the same
// unit end bearing at the top and bottom of layer j from its cone
// resistance, capped by the maximum unit bearing.
using QcBearingRule = double (*)(const AnalysisModel& m, double qc);
void bearing_from_layer_qc(const AnalysisModel& m, int j, QcBearingRule rule, double& qt,
                           double& qb);

// ICP/MTD, Fugro and UWA in a cohesive layer: a fraction of the cone
// resistance by tip and drainage (an open tip with the plug computed keeps
// the 9 su on entry).
void cpt_cohesive_bearing(const AnalysisModel& m, int j, BearingWalk& walk, double& qt,
                          double& qb);

// --- Side friction of ICP/MTD, Fugro and UWA ---

// Atmospheric pressure of the side-friction rules: 2.0885546 ksf (single
// precision, 2.088554620742798) or 100 kPa.
double side_friction_pressure(const AnalysisModel& m);

// Cone resistance of layer i for the side friction (ksf or kPa): as
// layer_qc, but the blow count turned into qc by the single-precision
// 2.8 x the side-friction pa (x 5.847952838489789 ksf, x 279.9999952316284 kPa).
double side_friction_qc(const AnalysisModel& m, int i);

// Equivalent radius R* = sqrt((D^2 - Di^2) / 4) and radius R = D / 2, in
// inches or millimetres.
double equivalent_radius(const AnalysisModel& m);
double pile_radius(const AnalysisModel& m);

// ICP/MTD and the cohesive rule take h / R* not below this (the cohesive
// rule warns below it).
inline constexpr double kLeastHeightOverRadius = 8.0;

// Height of the top of layer i above the pile tip, in inches or
// millimetres: (L - penetration depth of layer i) x 12 or x 1000. The
// cohesionless rules take it not below 1e-5.
double height_above_tip(const AnalysisModel& m, int i);
double cohesionless_height_above_tip(const AnalysisModel& m, int i);

// tan(delta) for an interface angle delta in degrees (57.2958 per radian),
// and tan(phi - 5) of the cohesionless rules.
double tan_of_degrees(double delta);
double tan_of_sand_interface(double phi);

// Cohesive layers: interface friction angle (degrees) by plasticity index,
// and the earth pressure coefficient K from the strengths, the yield stress
// ratio and h / R* (already taken not below 8).
double cohesive_interface_angle(double plasticity_index);
double cohesive_earth_pressure(double su, double su_remolded, double ysr, double h_over_r);

// Unit side friction at the top and the bottom of a layer.
struct FrictionPair {
  double top;
  double bottom;
};

// The rule of cohesive layers (type above 1) for layer i, with its report
// lines: the plasticity-index error, then the h/R* warning.
FrictionPair cpt_cohesive_friction(const AnalysisModel& m, int i, RunOutput& out);

// The top and bottom values of layer i into boundary_side_friction and the
// method's column of boundary_unit_friction.
void store_layer_friction(AnalysisModel& m, int i, int method_code, FrictionPair f);

// The boundary values turned into skin friction by penetration: the points
// rebuilt one ahead, segments without a friction cap and no tension factor,
// accumulation and the reporting copy.
void cpt_skin_friction(AnalysisModel& m, int method_code);

// A side-friction routine of ICP/MTD, Fugro or UWA: per layer the cohesive
// rule or the method's own cohesionless rule (a callable of the model and
// the layer giving a FrictionPair), then the skin friction by penetration.
template <typename CohesionlessRule>
void compute_cpt_side_friction(AnalysisModel& m, RunOutput& out, int method_code,
                               const CohesionlessRule& cohesionless) {
  for (int i = 1; i <= m.layer_count; ++i) {
    const FrictionPair f = is_cohesive_above_one(m.layer_soil_type[i])
                               ? cpt_cohesive_friction(m, i, out)
                               : cohesionless(m, i);
    store_layer_friction(m, i, method_code, f);
  }
  cpt_skin_friction(m, method_code);
}

}  // namespace zolan
