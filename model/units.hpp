// Unit conversions of the engine, each with its name and the value its
// formulas carry (some rounded differently in different places: each value
// is kept where it is used, since reports are compared digit by digit).
#pragma once

#include <string_view>

#include "model/model.hpp"

namespace zolan {

inline constexpr double kInchesPerFoot = 12.0;
inline constexpr double kMillimetresPerMetre = 1000.0;
inline constexpr double kSquareInchesPerSquareFoot = 144.0;
inline constexpr double kSquareMillimetresPerSquareMetre = 1000000.0;
inline constexpr double kPoundsPerKip = 1000.0;          // psf to ksf, lb to kips
inline constexpr double kMillimetresPerInch = 25.4;
inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kInchesPerMetre = 39.37;         // the load-settlement analysis
inline constexpr double kKpaPerPsi = 6.8948;             // undrained strength from qc
inline constexpr double kKpaPerKsfApi = 47.8;            // API friction limits
inline constexpr double kKpaPerKsf = 47.88;              // FHWA bearing limit, adhesion cases

// The unit labels printed after values (English / SI).
struct UnitLabelSet {
  std::string_view length;       // "FT." / "M. "
  std::string_view diameter;     // "IN." / "MM."
  std::string_view force;        // "KIP" / "KN."
  std::string_view stress;       // "KSF" / "KPA"
  std::string_view unit_weight;  // "LB/CF" / "KN/CM"
  std::string_view area;         // "IN2" / "M2 "
  std::string_view modulus;      // "PSI" / "KPA"
};
inline constexpr UnitLabelSet kEnglishLabels{"FT.", "IN.", "KIP", "KSF", "LB/CF", "IN2", "PSI"};
inline constexpr UnitLabelSet kSiLabels{"M. ", "MM.", "KN.", "KPA", "KN/CM", "M2 ", "KPA"};
inline const UnitLabelSet& unit_labels(int unit_system) {
  return unit_system == 1 ? kEnglishLabels : kSiLabels;
}

inline bool is_english(const AnalysisModel& m) { return m.unit_system == 1; }

// A diameter (in or mm) as a length (ft or m), and an area from diameters
// (in2 or mm2) as ft2 or m2.
inline double diameter_units(const AnalysisModel& m) {
  return is_english(m) ? kInchesPerFoot : kMillimetresPerMetre;
}
inline double area_units(const AnalysisModel& m) {
  return is_english(m) ? kSquareInchesPerSquareFoot : kSquareMillimetresPerSquareMetre;
}

// Outside diameter in ft or m, and in millimetres.
inline double diameter_length(const AnalysisModel& m) {
  return m.pile_diameter / diameter_units(m);
}
inline double diameter_mm(const AnalysisModel& m) {
  return is_english(m) ? m.pile_diameter * kMillimetresPerInch : m.pile_diameter;
}

}  // namespace zolan
