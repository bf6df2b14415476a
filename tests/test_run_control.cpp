// names.dat, the console prompts and the splitting of file names.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "engine/run_control.hpp"
#include "model/free_format.hpp"

namespace zolan {
namespace {

struct Prompted {
  RunFiles files;
  std::string console;
};

Prompted read_names(const std::string& names_text, const std::string& answers = "") {
  std::istringstream names(names_text);
  std::istringstream in(answers);
  std::ostringstream out;
  Console console{&out, &in};
  Prompted p;
  p.files = read_names_file(names, "run-control file \"names.dat\"", console);
  p.console = out.str();
  return p;
}

TEST(NamesFile, ReadsTheEightRecords) {
  const Prompted p = read_names("2018.1.2.3.4.5.6\nx\ny\n0\nin.dat\nout.txt\r\nplot.plt\ncpt.cpt\n");
  EXPECT_EQ(p.files.version_text, "2018.1.2.3.4");
  EXPECT_EQ(p.files.input_file_name, "in.dat");
  EXPECT_EQ(p.files.output_file_name, "out.txt");  // carriage return dropped
  EXPECT_EQ(p.files.plot_file_name, "plot.plt");
  EXPECT_EQ(p.files.cpt_file_name, "cpt.cpt");
  EXPECT_EQ(p.console, "");
}

TEST(NamesFile, ShortVersionIsPaddedTo12Characters) {
  EXPECT_EQ(read_names("1.0\nx\ny\n0\na\nb\nc\nd\n").files.version_text, "1.0         ");
}

TEST(NamesFile, SevenRecordsAskForTheThreeMainNames) {
  const Prompted p =
      read_names("v\nx\ny\n0\nin.dat\nout.txt\nplot.plt\n", "a.dat\r\nb.out\nc.plt\n");
  EXPECT_EQ(p.files.input_file_name, "a.dat");
  EXPECT_EQ(p.files.output_file_name, "b.out");
  EXPECT_EQ(p.files.plot_file_name, "c.plt");
  EXPECT_EQ(p.files.cpt_file_name, "");
  EXPECT_EQ(p.console,
            "\n\n       ENTER A FILE NAME FOR YOUR INPUT FILE.\n ENTER >\n"
            "\n\n       ENTER A FILE NAME FOR YOUR OUTPUT FILE.\n ENTER >\n"
            "\n\n       ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.\n ENTER >\n");
}

TEST(NamesFile, BlankRecord4TakesTheNumberFromTheNextRecordAndShiftsTheRest) {
  // Nine lines: the number comes from line 5, the names from lines 6 to 9.
  const Prompted nine = read_names("v\nx\ny\n\n7\nin.dat\nout.txt\nplot.plt\ncpt.cpt\n");
  EXPECT_EQ(nine.files.input_file_name, "in.dat");
  EXPECT_EQ(nine.files.cpt_file_name, "cpt.cpt");
  // Eight lines: the shift leaves record 8 missing, so the three main names
  // are asked for and the CPT name stays blank.
  const Prompted eight =
      read_names("v\nx\ny\n\n7\nin.dat\nout.txt\nplot.plt\n", "z.dat\nz.out\nz.plt\n");
  EXPECT_EQ(eight.files.input_file_name, "z.dat");
  EXPECT_EQ(eight.files.cpt_file_name, "");
}

TEST(NamesFile, NameLongerThan255CharactersIsCut) {
  const std::string name(300, 'n');
  const Prompted p = read_names("v\nx\ny\n0\n" + name + "\nb\nc\nd\n");
  EXPECT_EQ(p.files.input_file_name, std::string(255, 'n'));
}

TEST(NamesFile, RefusesMissingOrMalformedFirstRecords) {
  const struct {
    const char* text;
    const char* message;
  } bad[] = {
      {"", "line 1 (record 1, version text): the file ends here"},
      {"v\nx\n", "line 3 (record 3): the file ends here"},
      {"v\nx\ny\n", "(record 4): the file ends here, but the record was expected"},
      {"v\nx\ny\nabc\n", "line 4 (record 4): expected an integer (a whole number without a decimal point) for the reserved number, found \"abc\""},
  };
  for (const auto& b : bad) {
    try {
      read_names(b.text);
      ADD_FAILURE() << b.text;
    } catch (const InputError& e) {
      EXPECT_NE(std::string(e.what()).find(b.message), std::string::npos) << e.what();
    }
  }
}

TEST(NamesFile, ConsoleEndingDuringAPromptIsAnError) {
  try {
    read_names("v\nx\ny\n0\nin.dat\n", "a.dat\n");
    FAIL();
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "console: the input ended before the name of the output report was given");
  }
}

struct SplitCase {
  const char* name;
  const char* drive;
  const char* directory;
  const char* base;
  const char* extension;
};

// Windows rules: a leading letter and colon is the drive, "\\" and "/" both
// end a directory.
const SplitCase kWindowsSplits[] = {
    {"C:\\ZOLAN\\JOBS\\PILE1.DAT", "C:", "\\ZOLAN\\JOBS\\", "PILE1", ".DAT"},
    {"pile.dat", "", "", "pile", ".dat"},
    {"/home/user/runs/pile.output", "", "/home/user/runs/", "pile", ".outp"},
    {"D:pile", "D:", "", "pile", ""},
    {"runs/a.b.c", "", "runs/", "a.b", ".c"},
    {"mixed\\dirs/x.y", "", "mixed\\dirs/", "x", ".y"},
    {"dir.v2/name", "", "dir.v2/", "name", ""},
    {"", "", "", "", ""},
    {"c:/runs/pile.dat", "c:", "/runs/", "pile", ".dat"},
    {"E:\\jobs/2024\\pile.report", "E:", "\\jobs/2024\\", "pile", ".repo"},
    {"Z:\\dir.v2\\name", "Z:", "\\dir.v2\\", "name", ""},
    {".\\data\\pile.dat", "", ".\\data\\", "pile", ".dat"},
    {"\\\\server\\share\\pile.dat", "", "\\\\server\\share\\", "pile", ".dat"},
    {"C:", "C:", "", "", ""},
    {"1:\\pile.dat", "", "1:\\", "pile", ".dat"},  // a digit is no drive letter
};

// POSIX rules: only "/" ends a directory; "\\" and ":" are name characters.
const SplitCase kPosixSplits[] = {
    {"/home/user/runs/pile.output", "", "/home/user/runs/", "pile", ".outp"},
    {"pile.dat", "", "", "pile", ".dat"},
    {"C:\\ZOLAN\\PILE1.DAT", "", "", "C:\\ZOLAN\\PILE1", ".DAT"},
    {"D:pile", "", "", "D:pile", ""},
    {"runs\\a/b\\c.d", "", "runs\\a/", "b\\c", ".d"},
    {"runs/a.b.c", "", "runs/", "a.b", ".c"},
    {"dir.v2/name", "", "dir.v2/", "name", ""},
    {"", "", "", "", ""},
};

void expect_splits(const SplitCase* begin, const SplitCase* end, PathRules rules) {
  for (const SplitCase* c = begin; c != end; ++c) {
    const SplitName s = split_file_name(c->name, rules);
    EXPECT_EQ(s.drive, c->drive) << c->name;
    EXPECT_EQ(s.directory, c->directory) << c->name;
    EXPECT_EQ(s.base, c->base) << c->name;
    EXPECT_EQ(s.extension, c->extension) << c->name;
  }
}

TEST(SplitFileName, DriveDirectoryBaseAndExtensionByWindowsRules) {
  expect_splits(std::begin(kWindowsSplits), std::end(kWindowsSplits), PathRules::windows);
}

TEST(SplitFileName, DirectoryBaseAndExtensionByPosixRules) {
  expect_splits(std::begin(kPosixSplits), std::end(kPosixSplits), PathRules::posix);
}

TEST(SplitFileName, DefaultsToTheWindowsRulesOnEveryPlatform) {
  // The report shows the split a Windows front end expects, on any system:
  // "D:" is the drive and "\\" separates.
  const SplitName s = split_file_name("D:\\runs\\pile.dat");
  EXPECT_EQ(s.drive, "D:");
  EXPECT_EQ(s.directory, "\\runs\\");
  EXPECT_EQ(s.base, "pile");
}

TEST(Trimmed, DropsTrailingBlanksOnly) {
  EXPECT_EQ(trimmed("  a b   "), "  a b");
  EXPECT_EQ(trimmed("   "), "");
}

}  // namespace
}  // namespace zolan
