#include "capacity/computation.hpp"

namespace zolan {

void run_computation(AnalysisModel&, RunOutput&) {}

}  // namespace zolan
