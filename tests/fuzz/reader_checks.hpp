// What the rest of the engine may take for granted once a reader has
// accepted a file, and the split of one fuzz input into names.dat and the
// console answers. Shared by the fuzz targets and the regression replay, so
// an input that once broke an invariant is checked the same way in both.
//
// Each check returns an empty text when every invariant holds, else what
// was broken (the first fault found).
#pragma once

#include <cmath>
#include <cstddef>
#include <sstream>
#include <string>
#include <string_view>

#include "engine/run_control.hpp"
#include "model/model.hpp"
#include "model/numeric.hpp"

namespace zolan::fuzz {

// One fuzz input for the names.dat reader: everything before the first two
// NUL bytes in a row is names.dat, everything after them the console
// answers, so both may hold single NUL bytes. Without the pair the whole
// input is names.dat and the answers are three fixed names.
struct NamesInput {
  std::string names;
  std::string answers;
};

inline NamesInput split_names_input(std::string_view data) {
  const std::size_t split = data.find(std::string_view("\0\0", 2));
  if (split == std::string_view::npos) return {std::string(data), "a.dat\nb.out\nc.plt\n"};
  return {std::string(data.substr(0, split)), std::string(data.substr(split + 2))};
}

class Faults {
 public:
  bool ok() const { return text_.empty(); }
  const std::string& text() const { return text_; }

  void expect(bool condition, const std::string& what) {
    if (!condition && text_.empty()) text_ = what;
  }
  // Finite, and within the magnitude the reader accepts (every conversion
  // it makes keeps a value within 1E+15).
  void finite(double v, const std::string& what) {
    if (!(std::fabs(v) <= 1.0e15) && text_.empty()) {
      std::ostringstream s;
      s << what << " is not finite or beyond 1E+15 (" << v << ")";
      text_ = s.str();
    }
  }
  // A list entry beyond its count: untouched by the reader, so still 0 in a
  // fresh model.
  void untouched(double v, const std::string& what) {
    expect(v == 0.0, what + " beyond the count was written");
  }

 private:
  std::string text_;
};

inline std::string at(const char* name, int i) { return std::string(name) + "[" + std::to_string(i) + "]"; }

// A text record: at most `width` characters of one line.
inline void check_text(Faults& f, const std::string& text, std::size_t width, const char* what) {
  f.expect(text.size() <= width, std::string(what) + " is longer than " + std::to_string(width));
  f.expect(text.find('\n') == std::string::npos, std::string(what) + " holds a line end");
}

// names.dat, with or without the console prompts.
inline std::string check_run_files(const RunFiles& files) {
  Faults f;
  f.expect(files.version_text.size() == 12, "version_text is not 12 characters");
  f.expect(files.version_text.find('\n') == std::string::npos, "version_text holds a line end");
  const std::string* names[] = {&files.input_file_name, &files.output_file_name,
                                &files.plot_file_name, &files.cpt_file_name};
  const char* labels[] = {"input_file_name", "output_file_name", "plot_file_name", "cpt_file_name"};
  for (int k = 0; k < 4; ++k) {
    check_text(f, *names[k], 255, labels[k]);
    // The name is opened as a C string: a NUL byte would open another file
    // than the one shown in the report.
    f.expect(names[k]->find('\0') == std::string::npos, std::string(labels[k]) + " holds a NUL byte");
  }
  return f.text();
}

// The input data file, read into a fresh model (and the unit labels set).
inline std::string check_input_model(const AnalysisModel& m) {
  Faults f;
  check_text(f, m.title, 255, "title");
  check_text(f, m.designer, 255, "designer");
  check_text(f, m.job_number, 255, "job_number");
  f.expect(m.title.size() == 255 && m.designer.size() == 255 && m.job_number.size() == 255,
           "a title line is not padded to 255 characters");

  // Counts within their capacities.
  f.expect(m.unit_system == 1 || m.unit_system == 2, "unit_system is not 1 or 2");
  f.expect(m.output_interval >= 1, "output_interval below 1");
  f.expect(m.soil_point_count >= 1 && m.soil_point_count <= kMaxSoilPoints,
           "soil_point_count outside 1..80");
  f.expect(m.tz_check_depth_count >= 0 && m.tz_check_depth_count <= kMaxCheckDepths,
           "tz_check_depth_count outside 0..100");
  f.expect(m.verification_flag == 1 || m.tz_check_depth_count == 0,
           "tz_check_depth_count set without the verification flag");
  f.expect(m.area_table_count >= 0 && m.area_table_count <= kMaxAreaRows,
           "area_table_count outside 0..100");
  f.expect(m.load_transfer_method >= 1 && m.load_transfer_method <= kMethodCount,
           "load_transfer_method outside 1..9");

  // Every real is finite.
  const double scalars[] = {m.perimeter_input, m.tip_area_user, m.pile_diameter, m.inner_diameter,
                            m.modulus_of_elasticity, m.pile_length, m.stickup,
                            m.enhanced_end_length, m.pile_inner_diameter, m.batter_angle,
                            m.zero_friction_length, m.length_step, m.taper_angle,
                            m.cross_section_area_user, m.entered_pile_diameter,
                            m.entered_inner_diameter, m.entered_tip_area,
                            m.tension_reduction_factor, m.critical_depth, m.soil_profile_depth,
                            m.water_table_depth};
  for (double v : scalars) f.finite(v, "a pile or option value");

  // Values the computation divides by, takes roots, logarithms or tangents of.
  f.expect(m.pile_diameter > 0.0, "pile_diameter not above 0");
  f.expect(m.inner_diameter >= 0.0 && m.inner_diameter < m.pile_diameter,
           "inner_diameter outside 0 .. pile_diameter");
  f.expect(m.pile_inner_diameter >= 0.0 && m.pile_inner_diameter < m.pile_diameter,
           "pile_inner_diameter outside 0 .. pile_diameter");
  f.expect(m.modulus_of_elasticity > 0.0, "modulus_of_elasticity not above 0");
  f.expect(m.length_step > 0.0, "length_step not above 0");
  f.expect(m.pile_length >= m.stickup, "pile_length below stickup");
  f.expect(std::fabs(m.batter_angle) < 90.0, "batter_angle not within -90..90");
  f.expect(m.taper_angle < 90.0, "taper_angle not below 90");
  f.expect(m.enhanced_end_length >= f32(1.0e-5) || m.enhanced_end_length == m.pile_length - f32(1.0e-7),
           "enhanced_end_length neither given nor defaulted");

  // Soil points.
  bool water_table_is_a_point = m.water_table_depth == 99999.0;
  for (int i = 1; i <= kMaxSoilPoints; ++i) {
    const bool used = i <= m.soil_point_count;
    for (int c = 1; c <= kSoilColumns; ++c) {
      const std::string what = "soil_table(" + std::to_string(i) + "," + std::to_string(c) + ")";
      if (used) {
        f.finite(m.soil_table(i, c), what);
      } else {
        f.untouched(m.soil_table(i, c), what);
      }
    }
    if (!used) {
      f.untouched(m.soil_point_depth[i], at("soil_point_depth", i));
      continue;
    }
    f.finite(m.soil_point_depth[i], at("soil_point_depth", i));
    const auto col = [&](int c) { return m.soil_table(i, c); };
    f.expect(col(kColUnitWeight) >= 0.0, at("negative unit weight at soil point", i));
    f.expect(col(kColFrictionAngle) < 90.0, at("friction angle of 90 or more at soil point", i));
    f.expect(col(kColK) >= 0.0, at("negative earth pressure coefficient at soil point", i));
    f.expect(col(kColSuRemolded) >= 0.0 && col(kColBlowCount) >= 0.0,
             at("negative remolded strength, blow count or yield stress ratio at soil point", i));
    f.expect(col(kColMaxFriction) >= f32(1.0e-10) && col(kColMaxBearing) >= f32(1.0e-10),
             at("maximum unit friction or bearing below the default threshold at soil point", i));
    f.expect(m.max_friction_defaulted[i] == 0 || col(kColMaxFriction) == kNotLimited,
             at("max_friction_defaulted without the default at soil point", i));
    f.expect(m.max_bearing_defaulted[i] == 0 || col(kColMaxBearing) == kNotLimited,
             at("max_bearing_defaulted without the default at soil point", i));
    const auto is_flag = [](int v) { return v == 0 || v == 1; };
    f.expect(is_flag(m.max_friction_defaulted[i]) && is_flag(m.max_bearing_defaulted[i]),
             at("a defaulted flag not 0 or 1 at soil point", i));
    if (col(kColSoilType) == 1.0) f.expect(col(kColSuRemolded) == 0.0, at("sand keeps column 9 at soil point", i));
    if (m.water_table_depth == m.soil_point_depth[i]) water_table_is_a_point = true;
  }
  f.expect(water_table_is_a_point, "water_table_depth is neither 99999 nor a soil point depth");

  for (int k = 1; k <= kMaxCheckDepths; ++k) {
    if (k <= m.tz_check_depth_count) {
      f.finite(m.tz_check_depth[k], at("tz_check_depth", k));
    } else {
      f.untouched(m.tz_check_depth[k], at("tz_check_depth", k));
    }
  }
  for (int k = 1; k <= kMaxAreaRows; ++k) {
    if (k <= m.area_table_count) {
      f.finite(m.area_table_distance[k], at("area_table_distance", k));
      f.finite(m.area_table_area[k], at("area_table_area", k));
      if (m.area_option >= 2) {
        f.expect(m.area_table_area[k] > 0.0, at("area_table_area not above 0", k));
        f.expect(k == 1 || m.area_table_distance[k] > m.area_table_distance[k - 1],
                 at("area_table_distance not increasing", k));
      }
    } else {
      f.untouched(m.area_table_distance[k], at("area_table_distance", k));
      f.untouched(m.area_table_area[k], at("area_table_area", k));
    }
  }
  f.expect(m.area_option < 2 || m.area_table_count >= 1, "area table option without rows");

  f.expect(m.length_label.size() == 3 && m.diameter_label.size() == 3 && m.force_label.size() == 3 &&
               m.stress_label.size() == 3 && m.unit_weight_label.size() == 5 &&
               m.area_label.size() == 3,
           "a unit label of the wrong width");
  return f.text();
}

// The CPT data file, read into a fresh model.
inline std::string check_cpt_model(const AnalysisModel& m) {
  Faults f;
  f.expect(m.cpt_point_count >= 0 && m.cpt_point_count <= kMaxCptPoints,
           "cpt_point_count outside 0..1000");
  for (int i = 1; i <= kMaxCptPoints; ++i) {
    if (i <= m.cpt_point_count) {
      f.finite(m.cpt_depth[i], at("cpt_depth", i));
      f.finite(m.cpt_qc[i], at("cpt_qc", i));
      f.expect(m.cpt_qc[i] >= 0.0, at("negative cpt_qc", i));
    } else {
      f.untouched(m.cpt_depth[i], at("cpt_depth", i));
      f.untouched(m.cpt_qc[i], at("cpt_qc", i));
    }
  }
  return f.text();
}

}  // namespace zolan::fuzz
