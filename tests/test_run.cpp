// Whole runs through the C++ API: the report header, the stops, refused
// input and file-system faults.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

#include "engine/run.hpp"
#include "input_text.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

using testing::InputText;
using testing::mask_date;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;
namespace fs = std::filesystem;

using testing::files_in;
using testing::run_files;
using testing::run_input;
using Outcome = testing::RunOutcome;

const std::string kBanner =
    "     " + std::string(73, '=') + "\n\n" + std::string(20, ' ') +
    "  ZOLAN for Windows, Version TEST        \n\n" + std::string(20, ' ') +
    "   A Program for Analyzing the Axial Capacity \n" + std::string(20, ' ') +
    "   and Short-term Settlement of Driven Piles \n" + std::string(20, ' ') +
    "             under Axial Loading. \n\n" + "     " + std::string(73, '=') + "\n\n\n";

// The report header up to and including the date block, date masked.
std::string header_of(const ScratchDir& dir) {
  return kBanner + "     Path to file locations      : " + dir.path().string() + "/\n" +
         "     Name of input data file     : in.dat\n" +
         "     Name of output file         : out.txt\n" +
         "     Name of plot output file    : plot.plt\n\n" + "     " + std::string(73, '-') +
         "\n" + std::string(26, ' ') + "Time and Date of Analysis\n" + "     " +
         std::string(73, '-') + "\n\n" + std::string(15, ' ') + "Date:  DATE\n";
}

TEST(Run, BannerOnTheConsoleAndHeaderOfTheReport) {
  ScratchDir dir;
  const Outcome o = run_input(dir, InputText().str());
  EXPECT_EQ(o.result.code(), 0) << o.result.message;
  EXPECT_TRUE(o.console.starts_with(kBanner)) << o.console;
  EXPECT_NE(o.console.find("\n\n         COMPUTATION IS PROCEEDING........\n"), std::string::npos);
  const std::string report = mask_date(o.report);
  EXPECT_TRUE(report.starts_with(header_of(dir))) << report.substr(0, 1500);
  EXPECT_NE(report.find("* INPUT INFORMATION *"), std::string::npos);
}

TEST(Run, SoilProfileShallowerThanThePileStopsAfterTheDateBlock) {
  ScratchDir dir;
  InputText t;
  t.r5 = "0.0 0.0 24.0 22.0 29000000.0 60.0 0.0";  // required depth 60 + 2 x 2 = 64
  t.r9 = "63.0 0.0";
  const Outcome o = run_input(dir, t.str());
  EXPECT_EQ(o.result.status, RunStatus::kStopped);
  EXPECT_EQ(o.result.code(), 1);
  EXPECT_EQ(mask_date(o.report),
            header_of(dir) + "\n\n          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL "
                             "PROFILE   63.00 FT.\n          IS LESS THAN PILE EMBEDDED LENGTH PLUS "
                             "TWO TIMES THE PILE DIAMETER      64.00 FT.\n");
  EXPECT_EQ(o.console.find("COMPUTATION IS PROCEEDING"), std::string::npos);
  EXPECT_EQ(o.plot, "");
}

TEST(Run, SoilExtentWarningOnlyOnTheConsole) {
  ScratchDir dir;
  InputText t;
  t.soil[2] = "50.0 1.0 0.8 60.0 34.0 0.0";  // last point above the required 64 ft
  const Outcome o = run_input(dir, t.str());
  EXPECT_EQ(o.result.code(), 0) << o.result.message;
  EXPECT_NE(o.console.find("\n\n\n          COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL INFORMATION\n"
                           "          WAS PROVIDED AT THE DEPTH      64.00 FT.\n"
                           "          PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE \n"
                           "           PILE LENGTH PLUS TWO PILE DIAMETERS\n"),
            std::string::npos)
      << o.console;
  EXPECT_EQ(o.report.find("NO SOIL INFORMATION"), std::string::npos);
}

TEST(Run, MoreThan500PointsStopAfterTheInputSection) {
  ScratchDir dir;
  InputText t;
  t.r9 = "501.0 0.0";
  const Outcome o = run_input(dir, t.str());
  EXPECT_EQ(o.result.status, RunStatus::kStopped);
  const std::string message =
      "\n\n YOUR NUMBERS OF SEGMENT  501 IS LARGER THAN\n"
      " DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF \n"
      " SEGMENT OR CONSULT TOLVEX, INC. FOR CHANGING THE DEFAULT VALUE\n";
  EXPECT_TRUE(o.console.ends_with(message)) << o.console;
  EXPECT_TRUE(o.report.ends_with("* COMPUTATION RESULT *\n          **********************\n" + message));
  EXPECT_EQ(o.plot, "");
}

TEST(Run, ExactlyFiveHundredPointsProceed) {
  ScratchDir dir;
  InputText t;
  t.r9 = "500.0 0.0";
  t.soil[2] = "500.0 1.0 0.8 60.0 34.0 0.0";
  const Outcome o = run_input(dir, t.str());
  EXPECT_EQ(o.result.code(), 0) << o.result.message;
}

// Every refused input ends the same way: the header, one error line, no
// result, result 1.
struct BadRun {
  const char* name;
  void (*change)(InputText&);
  const char* message;
};

const BadRun kBadRuns[] = {
    {"unit system", [](InputText& t) { t.r4 = "3 1 2 0"; }, "unit_system must be 1 (English) or 2 (SI), found 3"},
    {"too many soil points", [](InputText& t) { t.r4 = "1 1 81 0"; }, "soil_point_count must be 1 to 80, found 81"},
    {"negative soil points", [](InputText& t) { t.r4 = "1 1 -1 0"; }, "soil_point_count must be 1 to 80, found -1"},
    {"output interval", [](InputText& t) { t.r4 = "1 0 2 0"; }, "output_interval must be 1 or more, found 0"},
    {"diameter", [](InputText& t) { t.r5 = "0 0 0 0 29000000 62 2"; }, "pile_diameter (or perimeter_input of a noncircular pile) must be greater than 0"},
    {"modulus", [](InputText& t) { t.r5 = "0 0 24 22 -1 62 2"; }, "modulus_of_elasticity must be greater than 0, found -1"},
    {"length step", [](InputText& t) { t.r7 = "0 0 1 0 4 0 0"; }, "length_step must be greater than 0, found 0"},
    {"letters", [](InputText& t) { t.r5 = "0 0 24 twenty 29000000 62 2"; }, "line 5 (record 5): expected a real number for inner_diameter, found \"twenty\""},
    {"decimal point in an integer", [](InputText& t) { t.r8 = "0 0 0 1.0 0 0 0 0 0"; }, "(record 8): expected an integer (a whole number without a decimal point) for method_selected(4), API RP 2A, found \"1.0\""},
    {"check depths", [](InputText& t) { t.r11 = "1"; t.r11ab = {"101"}; }, "tz_check_depth_count must be 0 to 100, found 101"},
    {"area rows", [](InputText& t) { t.r14 = "101 0"; }, "area_table_count must be 0 to 100, found 101"},
    {"missing record", [](InputText& t) { t.r15 = "0"; }, "(record 15): the file ends before the record is complete"},
    {"no computational layer", [](InputText& t) { t.r5 = "0 0 1 0.5 29000000 2 2"; t.r9 = "0.5 0"; t.soil[2] = "0.5 1 0.8 60 34 0"; },
     "(record 9): soil_profile_depth must reach at least one length_step below the ground surface"},
    {"CPT method without soil details", [](InputText& t) { t.r7 = "0 1 1 0 7 0 0"; },
     "(record 7): load_transfer_method 7 is a CPT-based method, which is computed only with "
     "soil_detail_option 1 (found 0)"},
    {"user method without user values", [](InputText& t) { t.r7 = "0 1 1 0 5 0 0"; },
     "load_transfer_method 5 (load-transfer units specified by user) needs a unit skin friction"},
};

TEST(Run, RefusedInputWritesOneErrorLineAndNoResult) {
  for (const BadRun& b : kBadRuns) {
    ScratchDir dir;
    InputText t;
    b.change(t);
    const Outcome o = run_input(dir, t.str());
    EXPECT_EQ(o.result.status, RunStatus::kBadInput) << b.name;
    EXPECT_EQ(o.result.code(), 1) << b.name;
    const std::string line = " ERROR - input data file \"" + (dir / "in.dat").string() + "\"";
    const std::string report = mask_date(o.report);
    EXPECT_TRUE(report.starts_with(header_of(dir) + line)) << b.name << "\n" << report;
    EXPECT_NE(report.find(b.message), std::string::npos) << b.name << "\n" << report;
    EXPECT_TRUE(report.ends_with(". THE RUN STOPPED; NO RESULTS WERE COMPUTED.\n")) << b.name;
    const std::string header = header_of(dir);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'),
              std::count(header.begin(), header.end(), '\n') + 1)
        << b.name;
    EXPECT_NE(o.console.find(line), std::string::npos) << b.name;
    EXPECT_EQ(o.plot, "") << b.name;
  }
}

TEST(Run, RefusedCptFileNamesTheCptFile) {
  ScratchDir dir;
  const Outcome o = run_input(dir, InputText().str(), "1 1001\n");
  EXPECT_EQ(o.result.status, RunStatus::kBadInput);
  EXPECT_NE(o.report.find(" ERROR - CPT data file \"" + (dir / "cpt.cpt").string() +
                          "\", line 1 (record 1): cpt_point_count must be 0 to 1000, found 1001"),
            std::string::npos);
}

TEST(Run, BlankCptNameMeansNoCptData) {
  ScratchDir dir;
  write_file(dir / "in.dat", InputText().str());
  RunFiles f = files_in(dir);
  f.cpt_file_name = "   ";
  const Outcome o = run_files(f);
  EXPECT_EQ(o.result.code(), 0) << o.result.message;
  EXPECT_FALSE(fs::exists(dir / "cpt.cpt"));
}

TEST(Run, MissingInputOrCptFileIsRefusedAsNotFoundAndNothingIsCreated) {
  struct Case {
    const char* name;
    bool input_present;
    bool cpt_present;
    const char* refused;  // the file named in the message
  };
  const Case cases[] = {
      {"no input data file", false, true, "input data file \"%s/in.dat\" was not found"},
      {"no CPT data file", true, false, "CPT data file \"%s/cpt.cpt\" was not found"},
      {"neither", false, false, "input data file \"%s/in.dat\" was not found"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    if (c.input_present) write_file(dir / "in.dat", InputText().str());
    if (c.cpt_present) write_file(dir / "cpt.cpt", "0 0\n");
    const int before = testing::count_entries(dir.path());
    std::ostringstream console_out;
    std::istringstream console_in;
    const RunResult r = run_analysis(files_in(dir), Console{&console_out, &console_in});
    EXPECT_EQ(r.status, RunStatus::kFileError) << c.name;
    std::string want = c.refused;
    want.replace(want.find("%s"), 2, dir.path().string());
    EXPECT_NE(r.message.find(want), std::string::npos) << c.name << ": " << r.message;
    EXPECT_NE(console_out.str().find(" ERROR - " + want), std::string::npos) << c.name;
    // Neither the missing file, nor the report, nor the plot data file.
    EXPECT_EQ(testing::count_entries(dir.path()), before) << c.name;
  }
}

TEST(Run, MisspeltNameInNamesFileSaysWhereItWasLookedFor) {
  ScratchDir dir;
  write_file(dir / "names.dat",
             "1.0\nx\nx\n0\nep/pipe.dta\nout.txt\nplot.plt\ncpt.cpt\n");
  write_file(dir / "cpt.cpt", "0 0\n");
  std::ostringstream console_out;
  std::istringstream console_in;
  const RunResult r = run_from_names_file(dir.path(), Console{&console_out, &console_in});
  EXPECT_EQ(r.status, RunStatus::kFileError);
  EXPECT_EQ(r.message, "input data file \"ep/pipe.dta\" was not found (looked for \"" +
                           (dir / "ep/pipe.dta").string() + "\")");
  EXPECT_FALSE(fs::exists(dir / "ep"));
  EXPECT_FALSE(fs::exists(dir / "out.txt"));
}

TEST(Run, FinishedRunObserverSeesACompletedRunOnly) {
  ScratchDir dir;
  write_file(dir / "in.dat", InputText().str());
  write_file(dir / "cpt.cpt", "0 0\n");
  std::ostringstream console_out;
  std::istringstream console_in;
  int calls = 0;
  fs::path report;
  const RunResult done = run_analysis(files_in(dir), Console{&console_out, &console_in},
                                      [&](const FinishedRun& f) {
                                        ++calls;
                                        report = f.report_path;
                                      });
  EXPECT_EQ(done.code(), 0) << done.message;
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(report, dir / "out.txt");

  fs::remove(dir / "in.dat");
  const RunResult refused = run_analysis(files_in(dir), Console{&console_out, &console_in},
                                         [&](const FinishedRun&) { ++calls; });
  EXPECT_EQ(refused.code(), 1);
  EXPECT_EQ(calls, 1);
}

TEST(Run, FileSystemFaults) {
  {
    ScratchDir dir;
    RunFiles f = files_in(dir);
    f.output_file_name = (dir / "no-such-dir" / "out.txt").string();
    const Outcome o = run_input(dir, InputText().str());
    std::ostringstream console_out;
    std::istringstream console_in;
    Console console{&console_out, &console_in};
    const RunResult r = run_analysis(f, console);
    EXPECT_EQ(r.status, RunStatus::kFileError);
    EXPECT_NE(console_out.str().find(" ERROR - output report \"" + f.output_file_name +
                                     "\" cannot be created: the directory \"" +
                                     (dir / "no-such-dir").string() + "\" does not exist"),
              std::string::npos)
        << console_out.str();
    EXPECT_FALSE(fs::exists(dir / "no-such-dir"));
    (void)o;
  }
  {
    ScratchDir dir;
    fs::create_directory(dir / "plot.plt");
    const Outcome o = run_input(dir, InputText().str());
    EXPECT_EQ(o.result.status, RunStatus::kFileError);
    EXPECT_NE(o.report.find(" ERROR - plot data file \"" + (dir / "plot.plt").string() +
                            "\" cannot be opened: it is a directory"),
              std::string::npos);
  }
  {
    ScratchDir dir;
    fs::create_directory(dir / "in.dat");
    write_file(dir / "cpt.cpt", "0 0\n");
    const Outcome o = run_files(files_in(dir));
    EXPECT_EQ(o.result.status, RunStatus::kFileError);
    EXPECT_NE(o.report.find("input data file \"" + (dir / "in.dat").string() +
                            "\" cannot be opened: it is a directory"),
              std::string::npos);
  }
  {
    ScratchDir dir;
    fs::create_directory(dir / "out.txt");
    const Outcome o = run_input(dir, InputText().str());
    EXPECT_EQ(o.result.status, RunStatus::kFileError);
    EXPECT_NE(o.console.find("output report \"" + (dir / "out.txt").string() +
                             "\" cannot be opened: it is a directory"),
              std::string::npos);
  }
}

TEST(Run, NamesFileFaults) {
  ScratchDir dir;
  std::ostringstream out;
  std::istringstream in;
  Console console{&out, &in};
  EXPECT_EQ(run_from_names_file(dir.path(), console).status, RunStatus::kFileError);
  EXPECT_NE(out.str().find("names.dat\" cannot be opened (it is missing or unreadable)"), std::string::npos);
  write_file(dir / "names.dat", "1.0\nx\ny\nnot-a-number\n");
  EXPECT_EQ(run_from_names_file(dir.path(), console).status, RunStatus::kBadInput);
  EXPECT_NE(out.str().find("line 4 (record 4): expected an integer"), std::string::npos);
  EXPECT_EQ(testing::count_entries(dir.path()), 1);  // nothing written besides names.dat
}

TEST(Run, TwoRunsOnTwoThreadsAreIndependent) {
  ScratchDir a, b, c;
  InputText english;
  InputText si;
  si.r4 = "2 1 2 0";
  si.r5 = "0.0 0.0 610.0 560.0 200000000.0 20.0 1.0";
  si.r9 = "25.0 0.0";
  si.soil = {"0.0 1.0 0.8 18.0 30.0 0.0", "0 0 0 10 0 0 0 0 0 1 1 0",
             "25.0 1.0 0.8 10.0 34.0 0.0", "0 0 0 20 0 0 0 0 0 1 1 0"};
  Outcome alone = run_input(c, si.str());
  Outcome one, two;
  std::thread t1([&] {
    for (int k = 0; k < 3; ++k) one = run_input(a, english.str());
  });
  std::thread t2([&] {
    for (int k = 0; k < 3; ++k) two = run_input(b, si.str());
  });
  t1.join();
  t2.join();
  EXPECT_EQ(one.result.code(), 0);
  EXPECT_EQ(two.result.code(), 0);
  const auto body = [](const std::string& r) { return r.substr(r.find("\n1\n")); };
  EXPECT_EQ(body(two.report), body(alone.report));
  EXPECT_EQ(two.plot, alone.plot);
}

}  // namespace
}  // namespace zolan
