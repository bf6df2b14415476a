#include "engine/run_control.hpp"

#include "engine/format.hpp"
#include "model/free_format.hpp"

namespace zolan {
namespace {

constexpr int kNameWidth = 255;

std::string cut(std::string_view s, std::size_t width) {
  return std::string(s.substr(0, width));
}

// A file name is opened as a C string: a NUL byte would cut it short, and
// the file opened would not be the one the report names.
void check_name(const std::string& name, const std::string& where, const char* file_kind) {
  if (name.find('\0') != std::string::npos) {
    throw InputError(where + ": the name of the " + file_kind +
                     " holds a NUL byte, which no file name can hold");
  }
}

// Asks for one file name on the console and returns the answer.
std::string prompt_for(Console& console, const char* what, const char* file_kind) {
  LineSink sink(console.out);
  sink.blank(2);
  sink.put(Line().x(7).t("ENTER A FILE NAME FOR YOUR ").t(what));
  sink.put(" ENTER >");
  if (console.out) console.out->flush();
  std::string answer;
  if (console.in != nullptr) {
    RecordReader reader(*console.in, "console");
    if (reader.try_read_text(kNameWidth, answer)) {
      check_name(answer, "console", file_kind);
      return answer;
    }
  }
  throw InputError(std::string("console: the input ended before the name of the ") + file_kind +
                   " was given");
}

}  // namespace

std::string trimmed(std::string_view name) {
  std::size_t end = name.size();
  while (end > 0 && name[end - 1] == ' ') --end;
  return std::string(name.substr(0, end));
}

RunFiles read_names_file(std::istream& names, const std::string& file_label, Console& console) {
  RecordReader r(names, file_label);
  RunFiles files;
  files.version_text = r.read_text(12, "record 1, version text");
  files.version_text.resize(12, ' ');
  r.read_text(256, "record 2");
  r.read_text(256, "record 3");
  int reserved = 0;
  r.read({Field::integer(reserved, "the reserved number")}, "record 4");

  // Records 5 to 8 are read one after the other; the first that cannot be
  // read ends the reading, and the three main names are asked for.
  std::string* targets[] = {&files.input_file_name, &files.output_file_name,
                            &files.plot_file_name, &files.cpt_file_name};
  const char* kinds[] = {"input data file", "output report", "plot data file", "CPT data file"};
  std::int64_t lines[4] = {};
  bool complete = true;
  for (int k = 0; k < 4; ++k) {
    lines[k] = r.line_number();
    if (!r.try_read_text(kNameWidth, *targets[k])) {
      complete = false;
      break;
    }
  }
  if (complete) {
    for (int k = 0; k < 4; ++k) {
      check_name(*targets[k],
                 file_label + ", line " + std::to_string(lines[k]) + " (record " +
                     std::to_string(k + 5) + ")",
                 kinds[k]);
    }
  } else {
    files.input_file_name = prompt_for(console, "INPUT FILE.", "input data file");
    files.output_file_name = prompt_for(console, "OUTPUT FILE.", "output report");
    files.plot_file_name = prompt_for(console, "GRAPHIC DATA FILE.", "plot data file");
  }
  return files;
}

SplitName split_file_name(std::string_view name, PathRules rules) {
  SplitName parts;
  std::string_view rest = name;
  const bool windows = rules == PathRules::windows;
  const auto is_letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (windows && rest.size() >= 2 && rest[1] == ':' && is_letter(rest[0])) {
    parts.drive = cut(rest, 2);
    rest.remove_prefix(2);
  }
  const std::size_t sep = rest.find_last_of(windows ? "/\\" : "/");
  if (sep != std::string_view::npos) {
    parts.directory = cut(rest, std::min<std::size_t>(sep + 1, 256));
    rest.remove_prefix(sep + 1);
  }
  const std::size_t dot = rest.find_last_of('.');
  if (dot != std::string_view::npos) {
    parts.base = cut(rest.substr(0, dot), 256);
    parts.extension = cut(rest.substr(dot), 5);
  } else {
    parts.base = cut(rest, 256);
  }
  return parts;
}

}  // namespace zolan
