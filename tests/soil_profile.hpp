// Sets the soil points of a model in tests: depth, soil type and friction
// angle of each point.
#pragma once

#include <initializer_list>

#include "model/model.hpp"

namespace zolan::testing {

struct SoilPoint {
  double depth;
  double type;
  double friction_angle = 0.0;
};

inline void set_soil_profile(AnalysisModel& m, std::initializer_list<SoilPoint> points) {
  int i = 0;
  for (const SoilPoint& p : points) {
    ++i;
    m.soil_point_depth[i] = p.depth;
    m.soil_table(i, kColSoilType) = p.type;
    m.soil_table(i, kColFrictionAngle) = p.friction_angle;
  }
  m.soil_point_count = i;
}

}  // namespace zolan::testing
