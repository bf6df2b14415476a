// The line formatter: every report, plot-file and console line is built
// from these fixed-width fields.
//
//   Line().x(10).t("DEPTH").f(12.5, 7, 2).e(9999999.0, 9, 2).i(3, 4)
//
// Field kinds (w = width, d = digits after the point):
//   x(n)        n blanks
//   t(s)        a text exactly as given
//   rep(c, n)   n copies of c
//   f(v, w, d)  Fw.d: fixed point, right-aligned, correctly rounded
//   e(v, w, d)  Ew.d: 0.dddE+xx, right-aligned, correctly rounded
//   i(v, w)     Iw;  i(v, w, m) Iw.m (at least m digits, leading zeros)
//   a(s, w)     Aw: leftmost w characters, or right-aligned in w columns
//   a(s)        A: the text with its own length
// A number that does not fit its field is written as w asterisks; so is a
// value that is not finite.
// Leaf header: it includes only the standard library (and the other leaf
// header), so every folder may use it.
#pragma once

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

namespace zolan {

// The characters of a line: kept in the line itself up to kInlineRoom
// (every line the engine writes), on the heap beyond, so that building a
// line allocates nothing.
class LineText {
 public:
  LineText() = default;
  LineText(const LineText& other);
  LineText& operator=(const LineText& other);

  void append(std::size_t n, char c) {
    if (n > 0) std::memset(room(n), c, n);
  }
  void append(const char* text, std::size_t n) {
    if (n > 0) std::memcpy(room(n), text, n);
  }
  void append(std::string_view text) { append(text.data(), text.size()); }
  void push_back(char c) { *room(1) = c; }
  std::string_view view() const {
    return spilled_ ? std::string_view(heap_) : std::string_view(inline_, size_);
  }

 private:
  static constexpr std::size_t kInlineRoom = 200;

  // Room for n more characters at the end.
  char* room(std::size_t n) {
    if (spilled_ || size_ + n > kInlineRoom) return spill(n);
    char* at = inline_ + size_;
    size_ += n;
    return at;
  }
  char* spill(std::size_t n);

  char inline_[kInlineRoom];
  std::size_t size_ = 0;
  bool spilled_ = false;
  std::string heap_;
};

class Line {
 public:
  Line();

  Line& x(int n);
  Line& t(std::string_view text);
  Line& rep(char c, int n);
  Line& f(double value, int w, int d);
  Line& e(double value, int w, int d);
  Line& i(std::int64_t value, int w, int m = 0);
  Line& a(std::string_view text, int w);
  Line& a(std::string_view text);

  std::string_view str() const { return text_.view(); }

 private:
  LineText text_;
};

// Single fields, for callers that need one formatted value.
std::string format_f(double value, int w, int d);
std::string format_e(double value, int w, int d);
std::string format_i(std::int64_t value, int w, int m = 0);
std::string format_a(std::string_view text, int w);

// A destination of lines (the report, the plot data file, the console).
// Writes whole lines only; `blank(n)` writes n empty lines. A sink attached
// with a block size keeps its lines and hands them to the stream in blocks
// of about that many bytes; `flush` (and attaching another stream) hands
// over what it keeps. Without a block size each line goes at once.
class LineSink {
 public:
  explicit LineSink(std::ostream* out = nullptr) : out_(out) {}
  void attach(std::ostream* out, std::size_t block_bytes = 0);
  bool is_open() const { return out_ != nullptr; }

  void put(const Line& line) { put(line.str()); }
  void put(std::string_view text);
  void blank(int n = 1);
  void flush();

 private:
  std::ostream* out_;
  std::size_t block_bytes_ = 0;
  std::string kept_;
};

}  // namespace zolan
