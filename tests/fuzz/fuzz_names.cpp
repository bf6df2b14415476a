// Fuzz target: the names.dat reader with its console prompts. The input is
// split by split_names_input into names.dat and the console answers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string_view>

#include "engine/run_control.hpp"
#include "model/free_format.hpp"
#include "tests/fuzz/reader_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zolan::fuzz::NamesInput input =
      zolan::fuzz::split_names_input(std::string_view(reinterpret_cast<const char*>(data), size));
  std::istringstream names(input.names);
  std::istringstream answers(input.answers);
  std::ostringstream console_out;
  zolan::Console console{&console_out, &answers};
  zolan::RunFiles files;
  try {
    files = zolan::read_names_file(names, "run-control file \"names.dat\"", console);
  } catch (const zolan::InputError&) {
    return 0;  // refused: a normal outcome
  }
  const std::string fault = zolan::fuzz::check_run_files(files);
  if (!fault.empty()) {
    std::fprintf(stderr, "names.dat accepted, but %s\n", fault.c_str());
    __builtin_trap();
  }
  // Three prompts at most, each of four short lines.
  if (console_out.str().size() > 3 * 60) {
    std::fprintf(stderr, "names.dat: %zu characters written on the console\n", console_out.str().size());
    __builtin_trap();
  }
  return 0;
}
