// The routines and rules of each design method, by the file that holds
// them. The method table (method_table.cpp) joins them into descriptors.
#pragma once

#include "methods/cpt_steps.hpp"
#include "methods/method.hpp"
#include "methods/penetration.hpp"

namespace zolan {

// api.cpp: API RP-2A.
void compute_api(AnalysisModel& m, RunOutput& out);
void api_sand_bearing(const AnalysisModel& m, int j, BearingWalk& walk, double& qt, double& qb);
double nq_api(double delta);                         // Nq by delta = phi - 5
double bearing_limit(double phi, int unit_system);   // limit by phi (ksf or kPa)
// Sand: K tan(phi - 5), the factor of sigma'v in the unit friction.
double api_beta(double k, double phi);
// Clay: alpha by psi = su / sigma'v (capped at 1), in the form of the side
// friction, 0.5 psi^-0.5 or 0.5 psi^-0.25, and in that of the soil plug,
// 0.5 / sqrt(psi) or 0.5 / psi^0.25.
double api_side_alpha(double psi);
double plug_alpha(double psi);

// fhwa.cpp: FHWA (Nordlund and Tomlinson; Thurman end bearing).
void compute_fhwa(AnalysisModel& m, RunOutput& out);
// Unit side friction at the layer boundaries: the outside friction into
// `outside`, the inside (remolded) friction into the FHWA column of
// boundary_unit_friction; adhesion_factor carries from clay to clay.
void fhwa_boundary_friction(AnalysisModel& m, BoundaryList& outside);
double fhwa_displaced_volume(const AnalysisModel& m, int layer);  // V, ft3/ft
double fhwa_delta_ratio(int pile_type, double volume);            // delta/phi
double fhwa_correction_factor(double ratio, double phi);          // C_F
double fhwa_k_delta(double phi, double omega, double volume);     // K_delta
// Tomlinson alpha for adhesion case 1, 2 or 3 (0 for any other), su in ksf,
// penetration ratio b.
double tomlinson_alpha(int adhesion_case, double su_ksf, double b);
void fhwa_sand_bearing(const AnalysisModel& m, int j, BearingWalk& walk, double& qt, double& qb);
double nq_fhwa(double phi);                          // Nq' by phi
double fhwa_bearing_limit(double phi);               // limit by phi, before x 2
double tip_coefficient(double phi, double length_over_diameter);  // alpha_t

// usace.cpp: USACE.
void compute_usace(AnalysisModel& m, RunOutput& out);
void usace_sand_bearing(const AnalysisModel& m, int j, BearingWalk& walk, double& qt, double& qb);
double nq_usace(double phi);                         // Nq by phi
double usace_wall_friction_angle(int pile_type, double phi);  // delta (degrees)
double usace_adhesion_factor(double su, bool english);        // su in ksf or kPa

// lambda.cpp: Revised Lambda (its end bearing is the API sand rule).
void compute_lambda(AnalysisModel& m, RunOutput& out);
// Relative compressibility Pi of the pile to penetration h (ft or m) with
// the mean shear strength s_m (ksf or kPa).
double relative_compressibility(const AnalysisModel& m, double h, double mean_strength);
// lambda by Pi and the ratio of mean strength to mean effective stress.
double lambda_factor(double compressibility, double mean_strength, double mean_stress);

// user.cpp: unit skin friction and end bearing given by the user.
void compute_user(AnalysisModel& m, RunOutput& out);

// ngi.cpp: NGI.
void compute_ngi(AnalysisModel& m, RunOutput& out);
void ngi_sand_bearing(const AnalysisModel& m, int j, BearingWalk& walk, double& qt, double& qb);

// icp.cpp, fugro.cpp, uwa.cpp: the CPT-based methods. Each side-friction
// routine runs the shared steps of cpt_steps.hpp with its own rule of
// cohesionless layers (unit side friction at the top and bottom of layer i).
void compute_icp(AnalysisModel& m, RunOutput& out);
FrictionPair icp_sand_friction(const AnalysisModel& m, int i);
void compute_fugro(AnalysisModel& m, RunOutput& out);
FrictionPair fugro_sand_friction(const AnalysisModel& m, int i);
double fugro_equivalent_radius(const AnalysisModel& m);  // (D / 2) sqrt(1 - (Di / D)^2)
void compute_uwa(AnalysisModel& m, RunOutput& out);
// Effective area ratio 1 - IFR (Di / D)^2 of the pile, once per call.
double uwa_area_ratio(const AnalysisModel& m);
FrictionPair uwa_sand_friction(const AnalysisModel& m, int i, double area_ratio);
void icp_sand_bearing(const AnalysisModel& m, int j, BearingWalk& walk, double& qt, double& qb);
void fugro_sand_bearing(const AnalysisModel& m, int j, BearingWalk& walk, double& qt, double& qb);
void uwa_sand_bearing(const AnalysisModel& m, int j, BearingWalk& walk, double& qt, double& qb);

}  // namespace zolan
