// The exported entry of the shared library, for front ends: one call is one
// run in the current directory, driven by names.dat.
#include <cstdint>
#include <iostream>
#include <mutex>

#include "engine/run.hpp"

namespace {
// The engine contract is one run at a time; calls from several threads of a
// front end are serialised here rather than left to overlap.
std::mutex g_run_mutex;
}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t IZOLAN(int32_t interface_code) {
  if (interface_code != 5) return 1;
  try {
    const std::lock_guard<std::mutex> lock(g_run_mutex);
    zolan::Console console{&std::cout, &std::cin};
    const zolan::RunResult result = zolan::run_from_names_file({}, console);
    std::cout.flush();
    return result.code();
  } catch (...) {
    return 1;
  }
}
