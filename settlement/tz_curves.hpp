// Load-transfer curves of the load-settlement analysis: the working units,
// the unit labels, the ultimate unit friction lookup, the t-z shapes, the
// tip curve and the report and computation curves.
//
// Working units: English inches, pounds and psi; SI metres, kN and kPa. The
// model is never converted; every routine converts what it reads.
#pragma once

#include <string_view>

#include "engine/run_output.hpp"
#include "model/model.hpp"
#include "model/units.hpp"

namespace zolan {

// Inches per metre: fixed displacements are given in inches.

// Conversions from the model's units to the working units of one run.
struct WorkingUnits {
  bool english = true;
  double length = 12.0;          // ft -> in (English) or m -> m
  double force = 1000.0;         // kips -> lb or kN -> kN
  double diameter = 0.0;         // pile_diameter D in inches or metres
  double inner_diameter = 0.0;   // inner_diameter ID in inches or metres

  // ksf -> psi (x 1000 / 12 / 12) or kPa as it is.
  double stress(double v) const { return english ? v * 1000.0 / 12.0 / 12.0 : v; }
  // A displacement fixed in inches, in the working length unit.
  double inches(double v) const { return english ? v : v / kInchesPerMetre; }
};

WorkingUnits working_units(const AnalysisModel& m);

// The stickup projected on the vertical (ft or m; the batter in radians).
double vertical_stickup(const AnalysisModel& m);

// The labels of the load-settlement tables: those of the model's set they
// print, with the movement column (inches, or metres in SI) and the unit load
// transfer column of the curve listings (psi or kPa).
struct SettlementLabels {
  std::string_view length;           // "FT." / "M. "
  std::string_view force;            // "KIP" / "KN."
  std::string_view movement_column;  // "IN." / "M. "
  std::string_view transfer_column;  // "PSI" / "KPA"
};

SettlementLabels settlement_labels(int unit_system);

// Ultimate unit side friction (psi or kPa) over the penetration list, for
// many depths: the order of the list is checked once, and each depth found
// by bisection in an ascending list.
class UnitFrictionLookup {
 public:
  UnitFrictionLookup(const AnalysisModel& m, const WorkingUnits& u);
  // At a depth below the ground surface in the working length unit.
  double at(double depth) const;
  // At a depth in feet or metres.
  double at_model_depth(double depth) const;

 private:
  const AnalysisModel& m_;
  WorkingUnits u_;
  int count_;
  bool ascending_;
};

// Ultimate unit side friction (psi or kPa) at `depth` below the ground
// surface in the working length unit, from settlement_unit_friction over
// penetration_depth.
double ultimate_unit_friction_at(const AnalysisModel& m, const WorkingUnits& u, double depth);
// The same lookup with the depth in feet or metres.
double ultimate_unit_friction_at_model_depth(const AnalysisModel& m, const WorkingUnits& u,
                                             double depth);

// t-z shapes: fill the ten points of `c` from its curve_ultimate_friction
// and curve_friction_angle; the USACE family when load_transfer_method is 2.
void build_cohesionless_tz_curve(TzCurve& c, int load_transfer_method, const WorkingUnits& u);
void build_cohesive_tz_curve(TzCurve& c, int load_transfer_method, const WorkingUnits& u);
// The shape of the curve's soil flag: 2 cohesive, any other cohesionless.
void build_tz_curve(TzCurve& c, int load_transfer_method, const WorkingUnits& u);

// Initial stiffness of the USACE cohesionless shape by friction angle.
double usace_sand_stiffness(double friction_angle);

// Unit load transfer of a curve at `movement`: linear between its points,
// the first transfer below the first point, the last beyond the last.
double curve_transfer_at(const TzCurve& c, double movement);

// Soil of the profile at a depth below ground (ft or m): flag 1 when both
// points of the pair holding the depth are sand, else 2, and the friction
// angle interpolated in depth between them.
struct SoilAtDepth {
  int flag = 2;
  double friction_angle = 0.0;
};
SoilAtDepth soil_at_depth(const AnalysisModel& m, double depth);

// Friction angle interpolated in depth between profile points j and j + 1
// (the fraction held to 0..1; a pair of zero thickness gives point j's).
double pair_friction_angle(const AnalysisModel& m, int j, double depth);

// Soil type of the pile tip: that of the first profile point not shallower
// than the embedded length, or of the last point.
double tip_soil_type(const AnalysisModel& m);

// Report curves (three per profile layer, three more in the stickup) in
// tz_curves; sets report_curve_count and returns it.
int build_report_curves(AnalysisModel& m, const WorkingUnits& u);
// Listing of the report curves to the report and the plot data file, from
// listed_tz_curves (kept there for the results of the run).
void list_report_curves(AnalysisModel& m, const WorkingUnits& u, RunOutput& out);
// Heading of a curve listing (two lines and an empty line, report only).
void write_curve_heading(LineSink& report, const SettlementLabels& labels);

// A section banner of the load-settlement analysis: two text lines in a box
// of asterisks, indented 16 blanks, with two empty lines before and after.
void write_section_banner(LineSink& report, const char* first, const char* second);
// One curve of a listing: number line and its points, to `sink`.
void write_curve_number_line(LineSink& sink, int number, int point_count, double depth);
void write_curve_points(LineSink& sink, const TzCurve& c);

// Computation curves 1 .. settlement_segment_count, replacing the report
// curves. Returns the number the solver uses (N - 1).
int build_computation_curves(AnalysisModel& m, const WorkingUnits& u);

// Tip curve in tip_movement / tip_load from Qp = settlement_end_bearing(npen).
void build_tip_curve(AnalysisModel& m, const WorkingUnits& u);

}  // namespace zolan
