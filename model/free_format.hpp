// Record reader for the engine's text input files (names.dat, the input data
// file, the CPT data file).
//
// Two kinds of read, each starting on a new line:
//  - a text record: the first `width` characters of one line;
//  - a free-format record: a list of integer and real fields. Values are
//    separated by blanks, commas or line ends and may spread over several
//    lines; whatever follows the last needed value on its line is ignored.
//    A slash ends the read early (the remaining fields keep their values),
//    an empty value between commas leaves its field unchanged, r*v stands
//    for r copies of v and r* for r empty values. Reals may carry an
//    exponent written with E or D.
//
// The file is read as a stream, one character at a time, so a huge file or
// a huge line costs no memory; a single value longer than kMaxTokenLength
// characters is refused. Any fault throws InputError with the file, the
// line, the record and what was expected.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zolan {

class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One field of a free-format record.
struct Field {
  enum class Kind { kInteger, kReal };
  Kind kind;
  void* target;
  const char* name;

  static Field integer(int& target, const char* name) { return {Kind::kInteger, &target, name}; }
  static Field real(double& target, const char* name) { return {Kind::kReal, &target, name}; }
};

class RecordReader {
 public:
  static constexpr int kMaxTokenLength = 512;

  // `file_label` names the file in messages, e.g. `input data file "a.dat"`.
  RecordReader(std::istream& in, std::string file_label);

  // Reads one line and returns its first `width` characters (a trailing
  // carriage return is dropped). Throws when the file has no further line.
  std::string read_text(int width, std::string_view record);

  // Like read_text, but returns false at the end of the file.
  bool try_read_text(int width, std::string& text);

  // Reads one free-format record into the fields. `record` names it in
  // messages ("record 4", "record 10A of soil point 3").
  void read(std::initializer_list<Field> fields, std::string_view record);

  // Line number (from 1) of the line the next read starts on.
  std::int64_t line_number() const { return line_ + 1; }
  // Line number of the first value of the last free-format record.
  std::int64_t record_line() const { return record_line_; }
  const std::string& file_label() const { return label_; }

 private:
  int peek();
  int get();
  void skip_rest_of_line();
  std::string next_token(std::string_view record, const Field& field);
  [[noreturn]] void fail(std::string_view record, const std::string& what) const;
  void store(const Field& field, const std::string& token, std::string_view record);

  std::streambuf* buf_;
  std::string label_;
  // 64 bits: a file of more than 2^31 line ends must not wrap the count.
  std::int64_t line_ = 0;  // completed lines before the current position
  std::int64_t record_line_ = 0;
};

// Parses a whole-number value ([sign] digits). Returns false when the text
// is not one or does not fit 32 bits.
bool parse_integer(std::string_view text, std::int32_t& value);
// Parses a real value ([sign] digits [. digits] [E|D [sign] digits]).
// Returns false when the text is not one or is too large for a double; a
// value below the smallest double reads as 0.
bool parse_real(std::string_view text, double& value);

}  // namespace zolan
