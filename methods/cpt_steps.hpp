// Steps shared by the methods that read the cone resistance (NGI, ICP/MTD,
// Fugro, UWA): the cone resistance of a layer, the atmospheric pressure and
// the end-bearing steps they have in common.
#pragma once

#include "methods/method.hpp"

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

// ICP/MTD, Fugro and UWA in a cohesive layer: a fraction of the cone
// resistance by tip and drainage (an open tip with the plug computed keeps
// the 9 su on entry).
void cpt_cohesive_bearing(const AnalysisModel& m, int j, BearingWalk& walk, double& qt,
                          double& qb);

}  // namespace zolan
