// The engine's C++ API for programs that link it (the package's
// zolan::engine target): one run on a file set or on a folder's names.dat,
// and the completed run's analysis model for a caller that wants the
// numbers behind the report.
#pragma once

#include "engine/run.hpp"
#include "model/model.hpp"
