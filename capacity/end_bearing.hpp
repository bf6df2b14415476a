// Unit end bearing at the layer boundaries by method, with the design
// tables it reads.
#pragma once

#include "model/model.hpp"

namespace zolan {

// Fills boundary_unit_end_bearing(1 .. 2 NL) for m.method_code.
void compute_unit_end_bearing(AnalysisModel& m);

// Cone resistance of layer j in the stress unit (ksf or kPa): the layer's
// value, else the CPT profile at the layer's penetration depth, else
// 2.8 pa x blow count.
double layer_qc(const AnalysisModel& m, int j);

// Design tables (angles in degrees).
double nq_usace(double phi);                  // USACE Nq by phi
double nq_fhwa(double phi);                   // FHWA Nq' by phi
double fhwa_bearing_limit(double phi);        // FHWA limit by phi, before x 2
double nq_api(double delta);                  // API Nq by delta = phi - 5
double bearing_limit(double phi, int unit_system);  // API / Lambda limit (ksf or kPa)
double tip_coefficient(double phi, double length_over_diameter);  // FHWA alpha_t

}  // namespace zolan
