// The exported entry and the command-line program, as a front end and a
// user call them.
#include <gtest/gtest.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstdint>

#include "run_dir.hpp"

namespace zolan {
namespace {

using testing::ScratchDir;
using testing::read_file;
using testing::write_file;

using EntryPoint = int32_t (*)(int32_t);

class InDirectory {
 public:
  explicit InDirectory(const std::filesystem::path& dir) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~InDirectory() { std::filesystem::current_path(old_); }

 private:
  std::filesystem::path old_;
};

EntryPoint load_entry() {
  void* lib = dlopen(ZOLAN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  if (lib == nullptr) return nullptr;
  return reinterpret_cast<EntryPoint>(dlsym(lib, "IZOLAN"));
}

TEST(Izolan, RefusesEveryInterfaceCodeButFiveAndTouchesNothing) {
  const EntryPoint izolan = load_entry();
  ASSERT_NE(izolan, nullptr) << dlerror();
  ScratchDir dir;
  testing::copy_example("english-open-pipe", dir.path());
  const int files_before = testing::count_entries(dir.path());
  InDirectory here(dir.path());
  EXPECT_EQ(izolan(4), 1);
  EXPECT_EQ(izolan(6), 1);
  EXPECT_EQ(izolan(0), 1);
  EXPECT_EQ(izolan(-5), 1);
  EXPECT_EQ(testing::count_entries(dir.path()), files_before);
}

TEST(Izolan, RunsTheExampleInTheCurrentDirectory) {
  const EntryPoint izolan = load_entry();
  ASSERT_NE(izolan, nullptr) << dlerror();
  ScratchDir dir;
  testing::copy_example("english-open-pipe", dir.path());
  {
    InDirectory here(dir.path());
    EXPECT_EQ(izolan(5), 0);
  }
  const std::string report = read_file(dir / "pipe.out");
  EXPECT_NE(report.find("* COMPUTATION RESULT *"), std::string::npos);
  EXPECT_FALSE(read_file(dir / "pipe.plt").empty());
}

TEST(Izolan, MissingNamesFileReturnsOne) {
  const EntryPoint izolan = load_entry();
  ASSERT_NE(izolan, nullptr) << dlerror();
  ScratchDir dir;
  InDirectory here(dir.path());
  EXPECT_EQ(izolan(5), 1);
  EXPECT_EQ(testing::count_entries(dir.path()), 0);
}

int run_cli(const std::string& arguments, const std::filesystem::path& output) {
  const std::string command = std::string(ZOLAN_CLI) + " " + arguments + " > " + output.string() + " 2>&1 < /dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Cli, HelpUsageErrorsAndBothRunForms) {
  ScratchDir dir;
  const auto console = dir / "console.txt";
  EXPECT_EQ(run_cli("--help", console), 0);
  EXPECT_NE(read_file(console).find("zolan run [DIR]"), std::string::npos);
  EXPECT_EQ(run_cli("--frobnicate", console), 2);
  EXPECT_NE(read_file(console).find("unknown command or option: --frobnicate"), std::string::npos);
  EXPECT_EQ(run_cli("run --input a.dat --bogus x", console), 2);
  EXPECT_EQ(run_cli("run --input a.dat", console), 2);
  EXPECT_EQ(run_cli("", console), 2);
  EXPECT_EQ(run_cli("run /nonexistent-zolan-dir", console), 2);

  const auto example = dir / "example";
  std::filesystem::create_directory(example);
  testing::copy_example("english-open-pipe", example);
  EXPECT_EQ(run_cli("run " + example.string(), console), 0);
  EXPECT_NE(read_file(console).find("COMPUTATION IS PROCEEDING........"), std::string::npos);
  const std::string by_names = read_file(example / "pipe.out");

  const std::string named = "run --input " + (example / "pipe.dat").string() + " --cpt " +
                            (example / "pipe.cpt").string() + " --report " +
                            (dir / "named.out").string() + " --plot " + (dir / "named.plt").string() +
                            " --version 1.0.0";
  EXPECT_EQ(run_cli(named, console), 0);
  // The same analysis: the reports differ only in the file-name block and
  // the time of the run.
  const std::string by_files = read_file(dir / "named.out");
  const auto tail = [](const std::string& r) { return r.substr(r.find("\n1\n")); };
  EXPECT_EQ(tail(by_names), tail(by_files));
  EXPECT_EQ(read_file(example / "pipe.plt"), read_file(dir / "named.plt"));

  write_file(example / "pipe.dat", "broken\n");
  EXPECT_EQ(run_cli("run " + example.string(), console), 1);
}

}  // namespace
}  // namespace zolan
