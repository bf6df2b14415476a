// Fuzz target: the input data file reader, on a fresh model per input.
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
    zolan::read_input_data(in, "input data file \"fuzz.dat\"", *m);
  } catch (const zolan::InputError&) {
    return 0;  // refused: a normal outcome
  }
  zolan::set_unit_labels(*m);
  const std::string fault = zolan::fuzz::check_input_model(*m);
  if (!fault.empty()) {
    std::fprintf(stderr, "input data file accepted, but %s\n", fault.c_str());
    __builtin_trap();
  }
  return 0;
}
