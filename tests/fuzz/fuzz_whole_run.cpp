// Fuzz target: a whole run through run_analysis, from the input data file
// and the CPT data file to the closed report and plot data file.
//
// The fuzz input is split by the line "@CPT" (tests/fuzz/run_checks.hpp):
// before it the input data file, after it the CPT data file; without it a
// run with a blank CPT name. The files are written to a scratch directory of
// this process (under /dev/shm when it exists) and the report and plot data
// file are written there too. The directory is removed after each input
// (libFuzzer ends the process without running destructors), so only a
// finding leaves it behind, with the files of the run. Completed, stopped and refused runs are
// normal; any other status, a broken check of run_checks.hpp, a crash, a
// sanitizer report, a hang or runaway memory is a finding. The fuzz build
// also aborts when a non-finite value reaches the line formatter
// (ZOLAN_TRAP_NON_FINITE), which would otherwise print asterisks.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "tests/fuzz/run_checks.hpp"

namespace {

namespace fs = std::filesystem;

fs::path scratch_base() {
  std::error_code ec;
  if (fs::is_directory("/dev/shm", ec)) return "/dev/shm";
  return fs::temp_directory_path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fs::path dir = scratch_base() / ("zolan-whole-run-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const zolan::fuzz::WholeRunInput w = zolan::fuzz::split_whole_run_input(bytes);
  const zolan::fuzz::WholeRunOutcome o = zolan::fuzz::run_whole(dir, w);
  const std::string fault = zolan::fuzz::check_whole_run(dir, w, o);
  if (!fault.empty()) {
    std::fprintf(stderr, "whole run: %s (files in %s)\n", fault.c_str(), dir.c_str());
    __builtin_trap();
  }
  fs::remove_all(dir);
  return 0;
}
