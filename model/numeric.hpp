// Numeric constants shared by the whole engine.
#pragma once

namespace zolan {

// A constant the engine's formulas carry in single precision, widened to
// double: f32(0.029) == 0.028999999165534973.
constexpr double f32(double v) { return static_cast<double>(static_cast<float>(v)); }

// The depth and comparison tolerance 1e-6, single precision everywhere.
inline constexpr double kTolerance = f32(1.0e-6);  // 9.999999974752427e-07

// Value of a maximum unit friction or bearing that means "not limited".
inline constexpr double kNotLimited = 9999999.0;

// Degrees per radian used by the design formulas.
inline constexpr double kDegreesPerRadian = 57.2958;

// pi as the formulas of areas and perimeters carry it.
inline constexpr double kPi = 3.14159;

// Single-precision pi, used for the batter angle conversion.
inline constexpr double kPiSingle = f32(3.14159265358979);  // 3.1415927410125732

}  // namespace zolan
