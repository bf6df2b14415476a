// Replays every kept hostile input through its reader: tests/regression/
// names/ (names.dat, then two NUL bytes and the console answers, as the fuzz
// target splits them), input_data/ and cpt_data/. Each file must either
// be read, with every invariant of tests/fuzz/reader_checks.hpp holding, or
// be refused with an InputError; nothing else may happen (the sanitizer
// build catches memory faults). A file named accept-* must be read and one
// named reject-* must be refused.
//
// tests/regression/whole_run/ holds whole runs (an input data file, then
// the line "@CPT" and the CPT data file, as the whole-run fuzz target splits
// them), each run through run_analysis in a scratch directory: it must
// complete, stop or be refused, with the checks of tests/fuzz/run_checks.hpp
// holding. A file named complete-*, stop-* or reject-* must end that way.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/run_control.hpp"
#include "model/free_format.hpp"
#include "model/input_reader.hpp"
#include "model/model.hpp"
#include "run_dir.hpp"
#include "tests/fuzz/reader_checks.hpp"
#include "tests/fuzz/run_checks.hpp"

namespace zolan {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputs_of(const char* reader) {
  const fs::path dir = fs::path(ZOLAN_SOURCE_DIR) / "tests" / "regression" / reader;
  std::vector<fs::path> files;
  if (fs::is_directory(dir)) {
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Outcome {
  bool refused = false;
  std::string broken;  // the invariant broken by an accepted file
};

Outcome read_names(const std::string& data) {
  const fuzz::NamesInput input = fuzz::split_names_input(data);
  std::istringstream names(input.names);
  std::istringstream answers(input.answers);
  std::ostringstream out;
  Console console{&out, &answers};
  try {
    return {false, fuzz::check_run_files(read_names_file(names, "names.dat", console))};
  } catch (const InputError&) {
    return {true, ""};
  }
}

Outcome read_input(const std::string& data) {
  std::istringstream in(data);
  const auto m = std::make_unique<AnalysisModel>();
  try {
    read_input_data(in, "input data file", *m);
  } catch (const InputError&) {
    return {true, ""};
  }
  set_unit_labels(*m);
  return {false, fuzz::check_input_model(*m)};
}

Outcome read_cpt(const std::string& data) {
  std::istringstream in(data);
  const auto m = std::make_unique<AnalysisModel>();
  try {
    read_cpt_data(in, "CPT data file", *m);
  } catch (const InputError&) {
    return {true, ""};
  }
  return {false, fuzz::check_cpt_model(*m)};
}

void replay(const char* reader, Outcome (*read)(const std::string&)) {
  const std::vector<fs::path> files = inputs_of(reader);
  ASSERT_FALSE(files.empty()) << "no regression input for " << reader;
  for (const fs::path& file : files) {
    const std::string name = file.filename().string();
    SCOPED_TRACE(name);
    Outcome outcome;
    try {
      outcome = read(contents(file));
    } catch (const std::exception& e) {
      ADD_FAILURE() << "an exception other than InputError: " << e.what();
      continue;
    }
    EXPECT_EQ(outcome.broken, "");
    if (name.rfind("accept-", 0) == 0) {
      EXPECT_FALSE(outcome.refused) << "refused";
    }
    if (name.rfind("reject-", 0) == 0) {
      EXPECT_TRUE(outcome.refused) << "read without an error";
    }
  }
}

TEST(RegressionInputs, NamesFile) { replay("names", read_names); }
TEST(RegressionInputs, InputDataFile) { replay("input_data", read_input); }
TEST(RegressionInputs, CptDataFile) { replay("cpt_data", read_cpt); }

TEST(RegressionInputs, WholeRun) {
  const std::vector<fs::path> files = inputs_of("whole_run");
  ASSERT_FALSE(files.empty()) << "no regression input for whole runs";
  const struct {
    const char* prefix;
    RunStatus status;
  } expected[] = {{"complete-", RunStatus::kCompleted},
                  {"stop-", RunStatus::kStopped},
                  {"reject-", RunStatus::kBadInput}};
  for (const fs::path& file : files) {
    const std::string name = file.filename().string();
    SCOPED_TRACE(name);
    testing::ScratchDir dir;
    const fuzz::WholeRunInput input = fuzz::split_whole_run_input(contents(file));
    fuzz::WholeRunOutcome outcome;
    try {
      outcome = fuzz::run_whole(dir.path(), input);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "an exception out of run_analysis: " << e.what();
      continue;
    }
    EXPECT_EQ(fuzz::check_whole_run(dir.path(), input, outcome), "");
    for (const auto& e : expected) {
      if (name.rfind(e.prefix, 0) == 0) {
        EXPECT_EQ(outcome.result.status, e.status) << outcome.result.message;
      }
    }
  }
}

}  // namespace
}  // namespace zolan
