#include "model/input_reader.hpp"

#include "model/units.hpp"

#include <cmath>
#include <sstream>

#include "model/numeric.hpp"

namespace zolan {
namespace {

// Read-time thresholds (single precision).
constexpr double kTinyArea = f32(1.0e-10);
constexpr double kNoEnhancedEnd = f32(1.0e-5);
constexpr double kEnhancedEndOffset = f32(1.0e-7);
constexpr double kPerimeterPi = f32(3.1416);

// Largest magnitude of a real value. Beyond it the products of the
// computation (unit weight by depth, area by modulus, unit friction by
// perimeter and length, ...) can overflow to infinity; no quantity of a pile
// analysis comes near it in either unit system.
constexpr double kLargestMagnitude = 1.0e15;

std::string shown_number(double v) {
  std::ostringstream s;
  s.precision(10);
  s << v;
  return s.str();
}

// Range checks of single values, reported against the record just read.
class Checker {
 public:
  explicit Checker(const RecordReader& r) : r_(r) {}

  [[noreturn]] void fail(std::string_view record, const std::string& what) const {
    std::ostringstream msg;
    msg << r_.file_label() << ", line " << r_.record_line() << " (" << record << "): " << what;
    throw InputError(msg.str());
  }

  void count(std::string_view record, const char* name, int value, int lowest, int highest) const {
    if (value < lowest || value > highest) {
      fail(record, std::string(name) + " must be " + std::to_string(lowest) + " to " +
                       std::to_string(highest) + ", found " + std::to_string(value));
    }
  }
  void at_least(std::string_view record, const char* name, int value, int lowest) const {
    if (value < lowest) {
      fail(record, std::string(name) + " must be " + std::to_string(lowest) + " or more, found " +
                       std::to_string(value));
    }
  }
  void above_zero(std::string_view record, const char* name, double value) const {
    if (!(value > 0.0)) {
      fail(record, std::string(name) + " must be greater than 0, found " + shown_number(value));
    }
  }
  void not_negative(std::string_view record, const char* name, double value) const {
    if (value < 0.0) {
      fail(record, std::string(name) + " must be 0 or more, found " + shown_number(value));
    }
  }
  void within_magnitude(std::string_view record, const char* name, double value) const {
    if (!(std::fabs(value) <= kLargestMagnitude)) {
      fail(record, std::string(name) + " must lie between -1E+15 and 1E+15, found " +
                       shown_number(value));
    }
  }
  void below(std::string_view record, const char* name, double value, double limit,
             const char* limit_text) const {
    if (!(value < limit)) {
      fail(record, std::string(name) + " must be less than " + limit_text + ", found " +
                       shown_number(value));
    }
  }

 private:
  const RecordReader& r_;
};

// Reads one free-format record and refuses a real value of absurd magnitude.
void read_record(RecordReader& r, const Checker& check, std::initializer_list<Field> fields,
                 std::string_view record) {
  r.read(fields, record);
  for (const Field& f : fields) {
    if (f.kind == Field::Kind::kReal) {
      check.within_magnitude(record, f.name, *static_cast<const double*>(f.target));
    }
  }
}

std::string point_record(const char* part, int i) {
  return std::string("record 10") + part + " of soil point " + std::to_string(i);
}

// Record 10A and 10B of soil point i: the 17 columns of the soil table.
void read_soil_point(RecordReader& r, const Checker& check, AnalysisModel& m, int i) {
  auto& t = m.soil_table;
  m.max_friction_defaulted[i] = 0;
  m.max_bearing_defaulted[i] = 0;
  const std::string rec_a = point_record("A", i);
  read_record(r, check, {Field::real(m.soil_point_depth[i], "soil point depth"),
                         Field::real(t(i, kColSoilType), "soil type (column 1)"),
                         Field::real(t(i, kColK), "lateral earth pressure coefficient (column 2)"),
                         Field::real(t(i, kColUnitWeight), "effective unit weight (column 3)"),
                         Field::real(t(i, kColFrictionAngle), "friction angle (column 4)"),
                         Field::real(t(i, kColNq), "bearing capacity factor (column 5)")},
                        rec_a);
  // 0 asks for the default; a negative coefficient has no meaning (and its
  // logarithm none in the Revised Lambda method).
  check.not_negative(rec_a, "the lateral earth pressure coefficient K (column 2)", t(i, kColK));
  check.not_negative(rec_a, "the effective unit weight (column 3)", t(i, kColUnitWeight));
  check.below(rec_a, "the friction angle (column 4)", t(i, kColFrictionAngle), 90.0, "90 degrees");

  const std::string rec_b = point_record("B", i);
  read_record(r, check,
              {Field::real(t(i, kColMaxFriction), "maximum unit friction (column 6)"),
               Field::real(t(i, kColMaxBearing), "maximum unit bearing (column 7)"),
               Field::real(t(i, kColSuUndisturbed), "undisturbed shear strength (column 8)"),
               Field::real(t(i, kColSuRemolded), "remolded shear strength or blow count (column 9)"),
               Field::real(t(i, kColBlowCount), "blow count or yield stress ratio (column 10)"),
               Field::real(t(i, kColPlasticityIndex), "plasticity index (column 11)"),
               Field::real(t(i, kColConeResistance), "cone resistance (column 12)"),
               Field::real(t(i, kColUserFriction), "user unit skin friction (column 13)"),
               Field::real(t(i, kColUserBearing), "user unit end bearing (column 14)"),
               Field::real(t(i, kColLrfdFriction), "LRFD factor on unit friction (column 15)"),
               Field::real(t(i, kColLrfdBearing), "LRFD factor on unit bearing (column 16)"),
               Field::real(t(i, kColAdhesionCaseOrTipMovement),
                           "adhesion case or tip movement (column 17)")},
              rec_b);
  // An undisturbed strength below 1e-10 asks for qc / 15, and a cone
  // resistance below 1e-5 for the CPT profile or the blow count: negative
  // values of both stay accepted as "not given". A negative blow count
  // would become a negative cone resistance, a negative remolded strength a
  // negative friction, and the 0.42 power of a negative yield stress ratio
  // has no value.
  check.not_negative(rec_b, "column 9 (remolded shear strength, or blow count of a sand)",
                     t(i, kColSuRemolded));
  check.not_negative(rec_b, "column 10 (blow count or yield stress ratio)", t(i, kColBlowCount));

  // Sand: the blow count is entered in column 9.
  if (t(i, kColSoilType) == 1.0) {
    t(i, kColBlowCount) = t(i, kColSuRemolded);
    t(i, kColSuRemolded) = 0.0;
  }
  if (m.water_table_depth >= 99999.0) {
    if (m.unit_system == 1 && t(i, kColUnitWeight) < 75.0) m.water_table_depth = m.soil_point_depth[i];
    if (m.unit_system == 2 && t(i, kColUnitWeight) < 12.0) m.water_table_depth = m.soil_point_depth[i];
  }
  if (m.unit_system == 1) {  // psf to ksf: maximum friction and bearing, both strengths
    for (int c = kColMaxFriction; c <= kColSuRemolded; ++c) t(i, c) /= kPoundsPerKip;
  }
  if (t(i, kColMaxFriction) < kTinyArea) {
    m.max_friction_defaulted[i] = 1;
    t(i, kColMaxFriction) = kNotLimited;
  }
  if (t(i, kColMaxBearing) < kTinyArea) {
    m.max_bearing_defaulted[i] = 1;
    t(i, kColMaxBearing) = kNotLimited;
  }
}

// Records 1 to 3: title, designer and job number, padded to 255 characters.
void read_titles(RecordReader& r, AnalysisModel& m) {
  auto padded = [](std::string s) {
    s.resize(255, ' ');
    return s;
  };
  m.title = padded(r.read_text(72, "record 1, title"));
  m.designer = padded(r.read_text(72, "record 2, designer"));
  m.job_number = padded(r.read_text(72, "record 3, job number"));
}

// Record 4: units, output interval, soil point count, end condition.
void read_run_options(RecordReader& r, const Checker& check, AnalysisModel& m) {
  r.read({Field::integer(m.unit_system, "unit_system"),
          Field::integer(m.output_interval, "output_interval"),
          Field::integer(m.soil_point_count, "soil_point_count"),
          Field::integer(m.pile_end_condition, "pile_end_condition")},
         "record 4");
  if (m.unit_system != 1 && m.unit_system != 2) {
    check.fail("record 4", "unit_system must be 1 (English) or 2 (SI), found " +
                               std::to_string(m.unit_system));
  }
  check.at_least("record 4", "output_interval", m.output_interval, 1);
  check.count("record 4", "soil_point_count", m.soil_point_count, 1, kMaxSoilPoints);
}

// Record 5: the pile section, modulus, length and stickup.
void read_pile_section(RecordReader& r, const Checker& check, AnalysisModel& m) {
  read_record(r, check, {Field::real(m.perimeter_input, "perimeter_input"),
                         Field::real(m.tip_area_user, "tip_area_user"),
                         Field::real(m.pile_diameter, "pile_diameter"),
                         Field::real(m.inner_diameter, "inner_diameter"),
                         Field::real(m.modulus_of_elasticity, "modulus_of_elasticity"),
                         Field::real(m.pile_length, "pile_length"),
                         Field::real(m.stickup, "stickup")},
                        "record 5");
  m.entered_pile_diameter = m.pile_diameter;
  m.entered_inner_diameter = m.inner_diameter;
  m.entered_tip_area = m.tip_area_user;
  if (m.unit_system == 1) m.tip_area_user /= 144.0;
  if (m.perimeter_input > kTinyArea) {
    m.pile_diameter = m.perimeter_input / kPerimeterPi;
    m.inner_diameter = 0.0;
  }
  check.above_zero("record 5", "pile_diameter (or perimeter_input of a noncircular pile)",
                   m.pile_diameter);
  check.not_negative("record 5", "inner_diameter", m.inner_diameter);
  if (!(m.inner_diameter < m.pile_diameter)) {
    check.fail("record 5", "inner_diameter must be less than pile_diameter (" +
                               shown_number(m.pile_diameter) + "), found " +
                               shown_number(m.inner_diameter));
  }
  check.above_zero("record 5", "modulus_of_elasticity", m.modulus_of_elasticity);
  if (m.pile_length < m.stickup) {
    check.fail("record 5", "pile_length (" + shown_number(m.pile_length) +
                               ") must not be less than stickup (" + shown_number(m.stickup) + ")");
  }
}

// Record 6: the enhanced end section and the batter.
void read_enhanced_end(RecordReader& r, const Checker& check, AnalysisModel& m) {
  read_record(r, check, {Field::real(m.enhanced_end_length, "enhanced_end_length"),
                         Field::real(m.pile_inner_diameter, "pile_inner_diameter"),
                         Field::real(m.batter_angle, "batter_angle")},
                        "record 6");
  if (m.enhanced_end_length < kNoEnhancedEnd) {
    m.pile_inner_diameter = m.inner_diameter;
    m.enhanced_end_length = m.pile_length - kEnhancedEndOffset;
  }
  check.not_negative("record 6", "pile_inner_diameter", m.pile_inner_diameter);
  if (!(m.pile_inner_diameter < m.pile_diameter)) {
    check.fail("record 6", "pile_inner_diameter must be less than pile_diameter (" +
                               shown_number(m.pile_diameter) + "), found " +
                               shown_number(m.pile_inner_diameter));
  }
  if (!(std::fabs(m.batter_angle) < 90.0)) {
    check.fail("record 6", "batter_angle must lie between -90 and 90 degrees, found " +
                               shown_number(m.batter_angle));
  }
}

// Record 7: zero-friction length, length step, pile type, taper and the
// load-transfer choices.
void read_analysis_options(RecordReader& r, const Checker& check, AnalysisModel& m) {
  read_record(r, check, {Field::real(m.zero_friction_length, "zero_friction_length"),
                         Field::real(m.length_step, "length_step"),
                         Field::integer(m.pile_type, "pile_type"),
                         Field::real(m.taper_angle, "taper_angle"),
                         Field::integer(m.load_transfer_method, "load_transfer_method"),
                         Field::integer(m.soil_detail_option, "soil_detail_option"),
                         Field::integer(m.reduced_friction_option, "reduced_friction_option")},
                        "record 7");
  check.above_zero("record 7", "length_step", m.length_step);
  check.below("record 7", "taper_angle", m.taper_angle, 90.0, "90 degrees");
  check.count("record 7", "load_transfer_method", m.load_transfer_method, 1, 9);
}

// Record 8: the methods selected, in input order.
void read_method_selection(RecordReader& r, AnalysisModel& m) {
  r.read({Field::integer(m.method_selected[1], "method_selected(1), FHWA"),
          Field::integer(m.method_selected[2], "method_selected(2), USACE"),
          Field::integer(m.method_selected[3], "method_selected(3), Revised Lambda"),
          Field::integer(m.method_selected[4], "method_selected(4), API RP 2A"),
          Field::integer(m.method_selected[5], "method_selected(5), user-specified"),
          Field::integer(m.method_selected[6], "method_selected(6), NGI"),
          Field::integer(m.method_selected[7], "method_selected(7), ICP/MTD"),
          Field::integer(m.method_selected[8], "method_selected(8), FUGRO"),
          Field::integer(m.method_selected[9], "method_selected(9), UWA")},
         "record 8");
}

// Records 11, 11a, 11b: the depths of the verification t-z curves.
void read_check_depths(RecordReader& r, const Checker& check, AnalysisModel& m) {
  r.read({Field::integer(m.verification_flag, "verification flag")}, "record 11");
  if (m.verification_flag == 1) {
    r.read({Field::integer(m.tz_check_depth_count, "tz_check_depth_count")}, "record 11a");
    check.count("record 11a", "tz_check_depth_count", m.tz_check_depth_count, 0, kMaxCheckDepths);
    for (int k = 1; k <= m.tz_check_depth_count; ++k) {
      read_record(r, check, {Field::real(m.tz_check_depth[k], "tz_check_depth")},
                            "record 11b, check depth " + std::to_string(k));
    }
  }
}

// Records 12 and 13: loading and the clay, plug and long-pile options.
void read_loading(RecordReader& r, const Checker& check, AnalysisModel& m) {
  read_record(r, check, {Field::integer(m.loading_type, "loading_type"),
                         Field::real(m.tension_reduction_factor, "tension_reduction_factor")},
                        "record 12");
  r.read({Field::integer(m.clay_drained_option, "clay_drained_option"),
          Field::integer(m.plug_condition, "plug_condition"),
          Field::integer(m.long_pile_option, "long_pile_option")},
         "record 13");
}

// Records 14 and 14a: the area table.
void read_area_table(RecordReader& r, const Checker& check, AnalysisModel& m) {
  r.read({Field::integer(m.area_table_count, "area_table_count"),
          Field::integer(m.area_option, "area_option")},
         "record 14");
  check.count("record 14", "area_table_count", m.area_table_count, 0, kMaxAreaRows);
  if (m.area_option >= 2 && m.area_table_count < 1) {
    check.fail("record 14", "area_option " + std::to_string(m.area_option) +
                                " needs an area table, but area_table_count is 0");
  }
  for (int k = 1; k <= m.area_table_count; ++k) {
    const std::string rec = "record 14a, area table row " + std::to_string(k);
    read_record(r, check, {Field::real(m.area_table_distance[k], "area_table_distance"),
                           Field::real(m.area_table_area[k], "area_table_area")},
                          rec);
    if (m.area_option >= 2) {
      check.above_zero(rec, "area_table_area", m.area_table_area[k]);
      if (k > 1 && !(m.area_table_distance[k] > m.area_table_distance[k - 1])) {
        check.fail(rec, "area_table_distance must increase from row to row, found " +
                            shown_number(m.area_table_distance[k]) + " after " +
                            shown_number(m.area_table_distance[k - 1]));
      }
    }
  }
}

}  // namespace

void read_input_data(std::istream& in, const std::string& file_label, AnalysisModel& m) {
  RecordReader r(in, file_label);
  const Checker check(r);
  read_titles(r, m);
  read_run_options(r, check, m);
  read_pile_section(r, check, m);
  read_enhanced_end(r, check, m);
  read_analysis_options(r, check, m);
  read_method_selection(r, m);
  read_record(r, check, {Field::real(m.soil_profile_depth, "soil_profile_depth"),
                         Field::real(m.cross_section_area_user, "cross-section area")},
                        "record 9");

  for (int i = 1; i <= m.soil_point_count; ++i) read_soil_point(r, check, m, i);

  read_check_depths(r, check, m);
  read_loading(r, check, m);
  read_area_table(r, check, m);
  read_record(r, check, {Field::integer(m.critical_depth_option, "critical_depth_option"),
                         Field::real(m.critical_depth, "critical_depth")},
                        "record 15");
}

void set_unit_labels(AnalysisModel& m) {
  const UnitLabelSet& labels = unit_labels(m.unit_system);
  m.length_label = labels.length;
  m.diameter_label = labels.diameter;
  m.force_label = labels.force;
  m.stress_label = labels.stress;
  m.unit_weight_label = labels.unit_weight;
  m.area_label = labels.area;
  m.modulus_label = labels.modulus;
}

void read_cpt_data(std::istream& in, const std::string& file_label, AnalysisModel& m) {
  RecordReader r(in, file_label);
  const Checker check(r);
  int unused = 0;
  r.read({Field::integer(unused, "first number (not used)"),
          Field::integer(m.cpt_point_count, "cpt_point_count")},
         "record 1");
  check.count("record 1", "cpt_point_count", m.cpt_point_count, 0, kMaxCptPoints);
  for (int i = 1; i <= m.cpt_point_count; ++i) {
    const std::string rec = "record 2, CPT point " + std::to_string(i);
    read_record(r, check,
                {Field::real(m.cpt_depth[i], "cpt_depth"), Field::real(m.cpt_qc[i], "cpt_qc")},
                rec);
    check.not_negative(rec, "cpt_qc", m.cpt_qc[i]);
  }
}

}  // namespace zolan
