// The design methods: what makes each one different, in one descriptor per
// method, and what every method routine does.
//
// A side-friction routine works on the computational layers and the
// penetration list as the method run leaves them, and on return leaves:
//  - skin_friction(1 .. npen): the cumulative skin friction, already
//    multiplied by the LRFD factors on unit friction;
//  - penetration_unit_friction(1 .. npen): the unit side friction it hands
//    over at each penetration (plot records and the load-settlement curves);
//  - its column of method_skin_friction and boundary_unit_friction where it
//    has them;
//  - penetration_depth(k) = (k - 1) x penetration_step.
// Report lines of its own (warnings) go to out.report.
//
// An end-bearing rule gives the unit end bearing at the top (qt) and the
// bottom (qb) of layer j; on entry qt and qb hold the values of the previous
// walk (a rule may keep them). The walk of the layer boundaries itself, and
// what all methods share there, is the capacity computation's.
#pragma once

#include <algorithm>
#include <span>

#include "engine/run_output.hpp"
#include "model/lists.hpp"
#include "model/model.hpp"
#include "model/numeric.hpp"

namespace zolan {

using MethodRoutine = void (*)(AnalysisModel& m, RunOutput& out);

// What a rule keeps from one layer to the next during one walk of the layer
// boundaries: the USACE stress caps at the critical depths.
struct BearingWalk {
  double cap = 0.0;
  double cap36 = 0.0;
  double cap40 = 0.0;
};

using BearingRule = void (*)(const AnalysisModel& m, int j, BearingWalk& walk, double& qt,
                             double& qb);

using PenetrationValues = List<double, kMaxPenetrations>;

// Title block of a method table: the title between two rows of asterisks.
struct TableTitle {
  const char* text;
  int indent;
  int stars;
};

// Shapes of the load-transfer curves the method's results are given.
enum class CurveFamily { kStandard, kUsace };

struct MethodDescriptor {
  int selection;   // MethodSelection: input order (method_selected, load_transfer_method)
  int code;        // MethodCode: branch of the capacity computation
  int pass;        // 1 or 2
  bool cpt_based;  // computed only with soil_detail_option 1
  // Unit values given by the user: run only when a layer carries one, its
  // end bearing computed only under tension, no core column in its table.
  bool user_values;
  MethodRoutine side_friction;

  // End bearing. Cohesionless layers: null keeps the previous walk's values.
  // Cohesive layers: 9 su unless the method has its own rule. The maximum
  // unit bearing applies to cohesive layers after either.
  BearingRule cohesionless_bearing;
  BearingRule cohesive_bearing;

  // Soil plug and pile wall.
  bool own_plug_friction;        // the plug takes the method's own unit friction
  bool cone_wall;                // a pipe wall bears on the cone resistance
  bool tip_force_at_least_wall;  // the tip force is never below the wall force

  // The method's own copies of end_bearing and core_length (null: none).
  PenetrationValues AnalysisModel::*end_copy;
  PenetrationValues AnalysisModel::*core_copy;

  TableTitle title;
  CurveFamily curves;  // t-z and tip curves when chosen for load transfer
};

// The nine methods in input order (selection 1 .. 9).
std::span<const MethodDescriptor> method_descriptors();

// The method of a selection number (1 .. 9) or of a method_code (1 .. 9);
// null for any other number.
const MethodDescriptor* method_by_selection(int selection);
const MethodDescriptor* method_by_code(int code);

// The curve family of the load-transfer method `selection` (standard for a
// number outside 1 .. 9).
CurveFamily curve_family(int selection);

// A maximum unit bearing at or below this is taken as not given.
inline constexpr double kSmallestMaxBearing = 0.001;

// The layer's maximum unit bearing, when one is given above 0.001, caps qt
// and qb.
inline void cap_by_max_bearing(const AnalysisModel& m, int j, double& qt, double& qb) {
  const double qmax = m.layer_max_unit_bearing[j];
  if (qmax != kNotLimited && qmax > kSmallestMaxBearing) {
    qt = std::min(qt, qmax);
    qb = std::min(qb, qmax);
  }
}

}  // namespace zolan
