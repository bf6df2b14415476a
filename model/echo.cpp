#include "model/echo.hpp"

#include <string>

#include "model/numeric.hpp"

namespace zolan {
namespace {

// Method lines, numbered as `method_selected`.
constexpr const char* kMethodLines[] = {
    "",
    "- FHWA (Federal Highway Administration)",
    "- USACE (U.S. Army Corps of Engineers)",
    "- Revised Lambda",
    "- API RP 2A (American Petroleum Institute)",
    "- Load-transfer Units specified by User",
    "- NGI (Norwegian Geotechnical Institute)",
    "- ICP/MTD (Imperial College of London)",
    "- FUGRO (Offshore Driven Piles in Sand)",
    "- UWA (University of Western Australia)",
};

constexpr double kAreaFactor = f32(0.7854);

bool is_noncircular(const AnalysisModel& m) {
  return m.pile_type == 6 || (m.pile_type == 3 && m.perimeter_input > 0.0);
}

// Pipe-like sections: the steel pipe and the circular precast pile.
bool is_pipe_section(const AnalysisModel& m) {
  return m.pile_type == 1 || (m.pile_type == 3 && m.perimeter_input == 0.0);
}

void property(LineSink& r, const char* label, double value, const std::string& unit) {
  r.put(Line().x(10).t(label).f(value, 10, 2).x(1).a(unit));
}

void write_methods(const AnalysisModel& m, LineSink& r) {
  r.blank(2);
  r.put(Line().x(10).t("METHOD FOR UNIT LOAD TRANSFERS : "));
  r.blank();
  if (m.load_transfer_method >= 1 && m.load_transfer_method <= 9) {
    r.put(Line().x(10).t(kMethodLines[m.load_transfer_method]));
  }
  if (m.reduced_friction_option == 1) {
    r.put(Line().x(10).t("  Reduced Unit Side Friction and ").t("Unit Side Resistance are used."));
  } else {
    r.put(Line().x(10).t("  Unfactored Unit Side Friction and ").t("Unit Side Resistance are used."));
  }

  r.blank(3);
  r.put(Line().x(10).t("COMPUTATION METHOD(S) FOR PILE CAPACITY : "));
  r.blank();
  for (int k = 1; k <= kMethodCount; ++k) {
    if (m.method_selected[k] != 1) continue;
    r.put(Line().x(10).t(kMethodLines[k]));
    if (k == kSelUsace) {
      const int option = m.critical_depth_option;
      if (option >= 0 && option <= 2) r.put(Line().x(10).t("  # Critical Depth Method for Sand:"));
      if (option == 0) r.put(Line().x(10).t("    10 to 20 Pile Diameter based on the Density"));
      if (option == 1) r.put(Line().x(10).t("    At Effective Stress Reaching 3,500 psf (185 kPa)"));
      if (option == 2) {
        r.put(Line()
                  .x(10)
                  .t("    At User-Specified Critical Depth =")
                  .f(m.critical_depth, 10, 2)
                  .x(1)
                  .a(m.length_label));
      }
      if (m.long_pile_option == 1) r.put(Line().x(10).t("  Use Long Pile Option"));
    }
    if (k == kSelIcp) {
      r.put(Line().x(10).t(m.clay_drained_option == 1 ? "  # Use Drained Condition for Clay"
                                                     : "  # Use Undrained Condition for Clay"));
    }
  }
}

void write_loading_and_pile_type(const AnalysisModel& m, LineSink& r) {
  r.blank(2);
  r.put(Line().x(10).t("TYPE OF LOADING : "));
  if (m.loading_type == 1) {
    r.put(Line().x(10).t("- TENSION  "));
    if (m.method_selected[kSelApi] == 1) {
      r.put(Line()
                .x(10)
                .t("  REDUCTION FACTOR FOR TENSION LOADING =")
                .f(m.tension_reduction_factor, 10, 2));
    }
  } else {
    r.put(Line().x(10).t("- COMPRESSION  "));
  }

  r.blank(2);
  r.put(Line().x(10).t("PILE TYPE : "));
  r.blank();
  auto end_condition = [&] {
    if (m.pile_end_condition == 0) r.put(Line().x(10).t("- Open-Ended Pile"));
    if (m.pile_end_condition == 1) r.put(Line().x(10).t("- Close-Ended Pile"));
  };
  switch (m.pile_type) {
    case 1:
      r.put(Line().x(10).t("Steel pipe pile or ").t("non-tapered portion of monotube pile"));
      end_condition();
      break;
    case 2:
      r.put(Line().x(10).t("Timber pile"));
      break;
    case 3:
      if (m.perimeter_input != 0.0) {
        r.put(Line().x(10).t("Precast concrete pile ").t("(Square/Rectangular/Orthogonal)"));
      } else {
        r.put(Line().x(10).t("Precast concrete pile (Circular/Tubular)"));
        end_condition();
      }
      break;
    case 4:
      r.put(Line().x(10).t("Raymond step-taper pile"));
      break;
    case 5:
      r.put(Line().x(10).t("Raymond Uniform taper pile"));
      break;
    case 6:
      r.put(Line().x(10).t("H-Pile/Steel Pile"));
      break;
    case 7:
      r.put(Line().x(10).t("Tapered portion of Monotube pile"));
      break;
    default:
      break;
  }
  const int t = m.pile_type;
  if (m.method_selected[kSelApi] == 1 && (t == 2 || t == 4 || t == 5 || t == 7) &&
      m.taper_angle > 0.0) {
    r.put(Line().x(10).t("Angle of taper for a tapered pile  (degrees) =").f(m.taper_angle, 10, 2));
  }
}

// Cross-section area given, computed or tabulated along the pile.
void write_cross_section(const AnalysisModel& m, LineSink& r) {
  r.blank(2);
  r.put(Line().x(10).t("DATA FOR AXIAL STIFFNESS : "));
  r.blank();
  r.put(Line()
            .x(10)
            .t("- MODULUS OF ELASTICITY     =")
            .e(m.modulus_of_elasticity, 10, 3)
            .x(1)
            .a(m.modulus_label));
  if (m.area_option > 1) {
    r.put(Line().x(10).t("- CROSS SECTION AREA ALONG PILE LENGTH"));
    r.put(Line().x(10).t(" DIST.,").a(m.length_label).x(10).t(" AREA,").a(m.area_label));
    for (int i = 1; i <= m.area_table_count; ++i) {
      r.put(Line().x(10).f(m.area_table_distance[i], 10, 2).x(10).f(m.area_table_area[i], 10, 2));
    }
    return;
  }
  r.put(Line()
            .x(10)
            .t("- CROSS SECTION AREA        =")
            .f(m.cross_section_area_user, 10, 2)
            .x(1)
            .a(m.area_label));
}

void write_pile_properties(const AnalysisModel& m, LineSink& r) {
  const std::string& len = m.length_label;
  auto common = [&] {
    property(r, "- TOTAL PILE LENGTH, TL     =", m.total_pile_length, len);
    property(r, "- BATTER ANGLE              =", m.batter_angle_degrees, "DEG");
    property(r, "- PILE STICKUP LENGTH, PSL  =", m.stickup, len);
    property(r, "- ZERO FRICTION LENGTH, ZFL =", m.zero_friction_length, len);
  };
  auto increment = [&] {
    r.put(Line().x(10).t("- INCREMENT OF PILE LENGTH"));
    property(r, "  USED IN COMPUTATION       =", m.length_step, len);
  };

  r.blank(2);
  if (is_noncircular(m)) {
    r.put(Line().x(10).t("NONCIRCULAR PILE PROPERTIES : "));
    r.blank();
    common();
    property(r, "- PERIMETER OF PILE         =", m.perimeter_input, m.diameter_label);
    property(r, "- TIP AREA OF PILE          =", m.entered_tip_area, m.area_label);
    increment();
    return;
  }
  r.put(Line().x(10).t("CIRCULAR PILE PROPERTIES : "));
  r.blank();
  property(r, "- OUTSIDE DIAMETER, OD      =", m.entered_pile_diameter, m.diameter_label);
  if (!is_pipe_section(m)) {
    common();
    increment();
    return;
  }
  property(r, "- INTERNAL DIAMETER, ID     =", m.inner_diameter, m.diameter_label);
  common();
  increment();
  if (m.pile_type == 3 && m.pile_end_condition != 0) return;
  if (m.enhanced_end_length != m.pile_length) {
    r.put(Line().x(10).t("- LENGTH OF ENHANCED "));
    property(r, "  END SECTION               =", m.enhanced_end_length, len);
    r.put(Line().x(10).t("- INTERNAL DIAMETER OF "));
    property(r, "  ENHANCED END SECTION      =", m.pile_inner_diameter, m.diameter_label);
  }
  r.blank(2);
  r.put(Line().x(10).t("PLUGGED/UNPLUGGED CONDITIONS : "));
  if (m.plug_condition == 0) r.put(Line().x(10).t("Internal Pile Plug Calculated by Program"));
  if (m.plug_condition == 1) r.put(Line().x(10).t("Plugged for open-ended pile"));
  if (m.plug_condition == 2) r.put(Line().x(10).t("Unplugged for open-ended pile"));
}

void write_soil_tables(const AnalysisModel& m, LineSink& r) {
  const auto& t = m.soil_table;
  r.blank(3);
  r.put(Line().x(10).t("SOIL INFORMATIONS :"));
  r.blank();
  r.put(Line().x(63));
  r.blank();
  r.put(Line().x(10).t("                  LATERAL    EFFECTIVE    FRICTION   BEARING"));
  r.put(Line().x(10).t("          SOIL    EARTH      UNIT         ANGLE      CAPACITY"));
  r.put(Line().x(10).t(" DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES    FACTOR"));
  r.put(Line().x(12).a(m.length_label).x(24).a(m.unit_weight_label));

  std::string word = "    ";
  for (int i = 1; i <= m.soil_point_count; ++i) {
    const double type = t(i, kColSoilType);
    if (type == 1.0) word = "SAND";
    if (type == 2.0) word = "CLAY";
    if (type == 3.0) word = "SILT";
    r.put(Line()
              .x(10)
              .f(m.soil_point_depth[i], 7, 2)
              .x(3)
              .a(word, 4)
              .f(t(i, kColK), 10, 2)
              .f(t(i, kColUnitWeight), 13, 2)
              .f(t(i, kColFrictionAngle), 13, 2)
              .f(t(i, kColNq), 10, 2));
  }

  r.blank(3);
  r.put(Line().x(10).t("MAXIMUM   MAXIMUM   UNDISTURB  REMOLDED "));
  r.put(Line().x(10).t("UNIT      UNIT      SHEAR      SHEAR     BLOW   UNIT SKIN  ").t("UNIT END"));
  r.put(Line().x(10).t("FRICTION  BEARING   STRENGTH   STRENGTH  COUNT  FRICTION   B").t("EARING"));
  const std::string& s = m.stress_label;
  r.put(Line().x(12).a(s).x(7).a(s).x(8).a(s).x(7).a(s).x(15).a(s).x(7).a(s));
  const double user_scale = m.unit_system == 1 ? 1000.0 : 1.0;
  bool any_default = false;
  for (int i = 1; i <= m.soil_point_count; ++i) {
    const bool f = m.max_friction_defaulted[i] == 1;
    const bool b = m.max_bearing_defaulted[i] == 1;
    any_default = any_default || f || b;
    double user_friction = t(i, kColUserFriction);
    double user_bearing = t(i, kColUserBearing);
    if (m.unit_system == 1) {
      user_friction /= user_scale;
      user_bearing /= user_scale;
    }
    r.put(Line()
              .x(9)
              .e(t(i, kColMaxFriction), 9, 2)
              .t(f ? "*" : " ")
              .e(t(i, kColMaxBearing), 9, 2)
              .t(b ? "*" : " ")
              .f(t(i, kColSuUndisturbed), 11, 2)
              .f(t(i, kColSuRemolded), 10, 2)
              .f(t(i, kColBlowCount), 7, 2)
              .f(user_friction, 11, 2)
              .f(user_bearing, 10, 2));
  }
  if (any_default) {
    r.blank();
    r.put(Line().x(10).t("* MAXIMUM UNIT FRICTION AND/OR MAXIMUM UNIT BEARING "));
    r.put(Line().x(10).t("  WERE SET TO BE 0.10E+08 BECAUSE THE USER DOES NOT "));
    r.put(Line().x(10).t("  PLAN TO LIMIT THE COMPUTED DATA."));
  }

  r.blank(3);
  r.put(Line().x(10).t("         LRFD FACTOR  LRFD FACTOR    "));
  r.put(Line().x(10).t("          ON UNIT      ON UNIT       "));
  r.put(Line().x(10).t(" DEPTH    FRICTION     BEARING   "));
  r.put(Line().x(12).a(m.length_label));
  for (int i = 1; i <= m.soil_point_count; ++i) {
    r.put(Line()
              .x(10)
              .f(m.soil_point_depth[i], 7, 2)
              .x(1)
              .f(t(i, kColLrfdFriction), 8, 3)
              .x(4)
              .f(t(i, kColLrfdBearing), 8, 3));
  }

  if (m.soil_detail_option <= 0) return;
  r.blank(2);
  r.put(Line().x(63));
  r.blank();
  r.put(Line().x(10).t("        PLASTIC    YIELD      Qc                             "));
  r.put(Line().x(10).t("         INDEX    STRESS     FROM                            "));
  r.put(Line().x(10).t(" DEPTH     PI      RATIO     CPT                             "));
  r.put(Line().x(12).a(m.length_label).x(6).t("%").x(17).a(m.stress_label));
  for (int i = 1; i <= m.soil_point_count; ++i) {
    double qc = t(i, kColConeResistance);
    if (m.unit_system == 1) qc /= 1000.0;
    r.put(Line()
              .x(10)
              .f(m.soil_point_depth[i], 7, 2)
              .x(1)
              .f(t(i, kColPlasticityIndex), 6, 2)
              .x(3)
              .f(t(i, kColBlowCount), 6, 2)
              .x(3)
              .e(qc, 10, 3));
  }
}

}  // namespace

void prepare_echo_values(AnalysisModel& m) {
  if (m.area_option == 0) {
    const double od = m.entered_pile_diameter;
    const double id = m.entered_inner_diameter;
    if (is_noncircular(m)) {
      m.cross_section_area_user = m.entered_tip_area;
    } else {
      double area = is_pipe_section(m) ? kAreaFactor * (od * od - id * id) : kAreaFactor * (od * od);
      if (m.unit_system == 2) area = area / 1000.0 / 1000.0;
      m.cross_section_area_user = area;
    }
  }
  m.total_pile_length = m.pile_length;
  m.pile_length = m.pile_length - m.stickup;
  m.batter_angle_degrees = m.batter_angle;
  m.batter_angle = m.batter_angle * kPiSingle / 180.0;
}

void write_input_information(const AnalysisModel& m, LineSink& r) {
  r.blank(3);
  r.put("1");
  r.put(Line().x(10).rep('*', 21));
  r.put(Line().x(10).t("* INPUT INFORMATION *"));
  r.put(Line().x(10).rep('*', 21));

  r.blank(3);
  r.put(Line().x(10).a(m.title, 70));
  r.blank();
  r.put(Line().x(10).t("DESIGNER   : ").a(m.designer, 60));
  r.blank();
  r.put(Line().x(10).t("JOB NUMBER : ").a(m.job_number, 60));

  write_methods(m, r);
  write_loading_and_pile_type(m, r);
  write_cross_section(m, r);

  write_pile_properties(m, r);
  write_soil_tables(m, r);
}

void write_computation_result_header(LineSink& r) {
  r.blank(3);
  r.put("1");
  r.put(Line().x(10).rep('*', 22));
  r.put(Line().x(10).t("* COMPUTATION RESULT *"));
  r.put(Line().x(10).rep('*', 22));
}

}  // namespace zolan
