// The line destinations of one run: the report, the plot data file and the
// console. Every routine that writes lines receives this record; a sink that
// is not attached swallows its lines (tests attach string streams).
// Leaf header: it includes only the standard library (and the other leaf
// header), so every folder may use it.
#pragma once

#include "engine/format.hpp"

namespace zolan {

struct RunOutput {
  LineSink report;
  LineSink plot;
  LineSink console;
};

}  // namespace zolan
