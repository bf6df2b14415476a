// Scratch directories and file helpers for whole-run tests.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace zolan::testing {

namespace fs = std::filesystem;

// A fresh directory under the system's temporary directory, removed at the
// end of the test.
class ScratchDir {
 public:
  ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("zolan-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

inline std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_file(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

// Copies every file of an example folder into `to`.
inline void copy_example(const std::string& name, const fs::path& to) {
  const fs::path from = fs::path(ZOLAN_SOURCE_DIR) / "examples" / name;
  for (const auto& entry : fs::directory_iterator(from)) {
    if (entry.is_regular_file()) fs::copy_file(entry.path(), to / entry.path().filename());
  }
}

inline int count_entries(const fs::path& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
  return n;
}

}  // namespace zolan::testing
