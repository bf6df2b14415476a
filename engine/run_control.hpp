// The run-control file names.dat, the console prompts that stand in for its
// missing names, and the splitting of file names for the report header.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/platform.hpp"

namespace zolan {

// The file set of one run. Names are kept as read (up to 255 characters);
// `trimmed` gives the name a file is opened under.
struct RunFiles {
  std::string version_text = std::string(12, ' ');  // 12 characters
  std::string input_file_name;
  std::string output_file_name;
  std::string plot_file_name;
  std::string cpt_file_name;
};

// The console of a run: lines go to `out`, prompt answers come from `in`.
struct Console {
  std::ostream* out = nullptr;
  std::istream* in = nullptr;
};

// Reads the eight records of names.dat from `names`. When one of records 5
// to 8 is missing, asks on the console for the input, output and plot file
// names. Throws InputError when records 1 to 4 are missing or malformed,
// when the console ends before a name is given, or when a name kept holds a
// NUL byte.
RunFiles read_names_file(std::istream& names, const std::string& file_label, Console& console);

// A file name split for display by the rules of a platform: drive ("X:",
// Windows only), directory (up to and including the last separator), base
// name and extension (from the last dot), each cut to its width (3, 256, 256
// and 5 characters).
struct SplitName {
  std::string drive;
  std::string directory;
  std::string base;
  std::string extension;
};
SplitName split_file_name(std::string_view name, PathRules rules = kNativePathRules);

// The name without its trailing blanks.
std::string trimmed(std::string_view name);

}  // namespace zolan
