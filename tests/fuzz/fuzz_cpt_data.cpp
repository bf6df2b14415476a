// Fuzz target: the CPT data file reader, on a fresh model per input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include "model/free_format.hpp"
#include "model/input_reader.hpp"
#include "model/model.hpp"
#include "tests/fuzz/reader_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  // A fresh model per input, copied over one allocation (a new model per
  // input would map and clear 700 kB each time).
  static const auto pristine = std::make_unique<const zolan::AnalysisModel>();
  static const auto m = std::make_unique<zolan::AnalysisModel>();
  *m = *pristine;
  try {
    zolan::read_cpt_data(in, "CPT data file \"fuzz.cpt\"", *m);
  } catch (const zolan::InputError&) {
    return 0;  // refused: a normal outcome
  }
  const std::string fault = zolan::fuzz::check_cpt_model(*m);
  if (!fault.empty()) {
    std::fprintf(stderr, "CPT data file accepted, but %s\n", fault.c_str());
    __builtin_trap();
  }
  return 0;
}
