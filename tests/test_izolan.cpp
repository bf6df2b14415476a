// The exported entry, as a front end calls it.
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

}  // namespace
}  // namespace zolan
