#include "engine/format.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zolan {
namespace {

// Room for one number before it is fitted to its field: every double in
// fixed notation with up to 150 digits after the point, or in exponent form
// with up to 300 digits. A number that needs more cannot fit the widths the
// engine uses and is written as asterisks.
constexpr std::size_t kNumberRoom = 512;

// A line is reserved this many characters at once, the longest report line
// and more, so that it grows by its fields without reallocation.
constexpr std::size_t kLineReserve = 128;

// Fuzz builds define ZOLAN_TRAP_NON_FINITE: a value that is not finite
// reaching a line is then a fault of the computation, not a field of
// asterisks. Every other build writes the asterisks.
void trap_non_finite([[maybe_unused]] double value) {
#ifdef ZOLAN_TRAP_NON_FINITE
  if (!std::isfinite(value)) std::abort();
#endif
}

void append_stars(std::string& out, int w) {
  if (w > 0) out.append(static_cast<std::size_t>(w), '*');
}

// Appends `s` right-aligned in w columns, or asterisks when it does not fit.
void append_fit(std::string& out, std::string_view s, int w) {
  if (w < 0) return;
  if (s.size() > static_cast<std::size_t>(w)) return append_stars(out, w);
  out.append(static_cast<std::size_t>(w) - s.size(), ' ');
  out.append(s);
}

bool all_zero_digits(std::string_view s) {
  for (char c : s) {
    if (c >= '1' && c <= '9') return false;
  }
  return true;
}

// Drops the optional 0 before the decimal point ("0.50" -> ".50",
// "-0.50" -> "-.50") of the number in [begin, end).
std::string_view drop_leading_zero(char* begin, char* end) {
  const std::string_view s(begin, static_cast<std::size_t>(end - begin));
  if (s.starts_with("0.")) return s.substr(1);
  if (!s.starts_with("-0.")) return s;
  begin[1] = '-';
  return s.substr(1);
}

// Fits the number in [begin, end) to w columns, without its optional
// leading zero when it is one column too wide.
void append_number(std::string& out, char* begin, char* end, int w) {
  std::string_view s(begin, static_cast<std::size_t>(end - begin));
  if (w >= 0 && s.size() > static_cast<std::size_t>(w)) s = drop_leading_zero(begin, end);
  append_fit(out, s, w);
}

// Appends `n` as exactly `digits` decimal digits.
char* put_digits(char* at, int n, int digits) {
  for (int k = digits - 1; k >= 0; --k) {
    at[k] = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  return at + digits;
}

void append_f(std::string& out, double value, int w, int d) {
  trap_non_finite(value);
  if (!std::isfinite(value) || d < 0) return append_stars(out, w);
  char buf[kNumberRoom];
  // to_chars rounds the exact binary value correctly (a tie goes to the
  // even digit), as printf does.
  const auto [last, ec] = std::to_chars(buf, buf + kNumberRoom - 1, value, std::chars_format::fixed, d);
  if (ec != std::errc()) return append_stars(out, w);
  char* end = last;
  if (d == 0) *end++ = '.';  // the F field keeps its point
  char* begin = buf;
  if (*begin == '-' && all_zero_digits(std::string_view(begin, static_cast<std::size_t>(end - begin)))) {
    ++begin;  // no "-0.00"
  }
  append_number(out, begin, end, w);
}

void append_e(std::string& out, double value, int w, int d) {
  trap_non_finite(value);
  if (!std::isfinite(value) || d < 1) return append_stars(out, w);
  // The field is [-]0.<d digits><exponent part>; the digits are those of
  // d significant digits, rounded once from the exact binary value.
  char buf[kNumberRoom];
  char* at = buf;
  int exponent = 0;
  if (value == 0.0) {
    if (static_cast<std::size_t>(d) > kNumberRoom - 16) return append_stars(out, w);
    *at++ = '0';
    *at++ = '.';
    for (int k = 0; k < d; ++k) *at++ = '0';
  } else {
    char sci[kNumberRoom];
    const auto [last, ec] = std::to_chars(sci, sci + kNumberRoom - 16, std::fabs(value),
                                          std::chars_format::scientific, d - 1);
    if (ec != std::errc()) return append_stars(out, w);
    if (value < 0.0) *at++ = '-';
    *at++ = '0';
    *at++ = '.';
    const char* p = sci;
    for (; *p != 'e'; ++p) {
      if (*p != '.') *at++ = *p;
    }
    const bool below = p[1] == '-';
    for (p += 2; p != last; ++p) exponent = exponent * 10 + (*p - '0');
    exponent = (below ? -exponent : exponent) + 1;
  }
  const int magnitude = std::abs(exponent);
  if (magnitude <= 99) {
    *at++ = 'E';
    *at++ = exponent < 0 ? '-' : '+';
    at = put_digits(at, magnitude, 2);
  } else if (magnitude <= 999) {  // three exponent digits take the place of the E
    *at++ = exponent < 0 ? '-' : '+';
    at = put_digits(at, magnitude, 3);
  } else {
    return append_stars(out, w);
  }
  append_number(out, buf, at, w);
}

void append_i(std::string& out, std::int64_t value, int w, int m) {
  const bool negative = value < 0;
  // Magnitude without overflow for the most negative value.
  const std::uint64_t mag = negative ? 0 - static_cast<std::uint64_t>(value)
                                     : static_cast<std::uint64_t>(value);
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, mag).ptr;
  const std::size_t count = static_cast<std::size_t>(end - digits);
  const std::size_t zeros = m > 0 && static_cast<std::size_t>(m) > count ? static_cast<std::size_t>(m) - count : 0;
  const std::size_t size = (negative ? 1 : 0) + zeros + count;
  if (w < 0) return;
  if (size > static_cast<std::size_t>(w)) return append_stars(out, w);
  out.append(static_cast<std::size_t>(w) - size, ' ');
  if (negative) out.push_back('-');
  out.append(zeros, '0');
  out.append(digits, count);
}

void append_a(std::string& out, std::string_view text, int w) {
  if (w <= 0) return;
  const auto width = static_cast<std::size_t>(w);
  if (text.size() >= width) {
    out.append(text.substr(0, width));
  } else {
    out.append(width - text.size(), ' ');
    out.append(text);
  }
}

}  // namespace

std::string format_f(double value, int w, int d) {
  std::string s;
  append_f(s, value, w, d);
  return s;
}

std::string format_e(double value, int w, int d) {
  std::string s;
  append_e(s, value, w, d);
  return s;
}

std::string format_i(std::int64_t value, int w, int m) {
  std::string s;
  append_i(s, value, w, m);
  return s;
}

std::string format_a(std::string_view text, int w) {
  std::string s;
  append_a(s, text, w);
  return s;
}

Line::Line() { text_.reserve(kLineReserve); }

Line& Line::x(int n) {
  if (n > 0) text_.append(static_cast<std::size_t>(n), ' ');
  return *this;
}

Line& Line::t(std::string_view text) {
  text_.append(text);
  return *this;
}

Line& Line::rep(char c, int n) {
  if (n > 0) text_.append(static_cast<std::size_t>(n), c);
  return *this;
}

Line& Line::f(double value, int w, int d) {
  append_f(text_, value, w, d);
  return *this;
}

Line& Line::e(double value, int w, int d) {
  append_e(text_, value, w, d);
  return *this;
}

Line& Line::i(std::int64_t value, int w, int m) {
  append_i(text_, value, w, m);
  return *this;
}

Line& Line::a(std::string_view text, int w) {
  append_a(text_, text, w);
  return *this;
}

Line& Line::a(std::string_view text) {
  text_.append(text);
  return *this;
}

void LineSink::attach(std::ostream* out, std::size_t block_bytes) {
  flush();
  out_ = out;
  block_bytes_ = block_bytes;
  if (block_bytes_ > 0) kept_.reserve(block_bytes_ + kLineReserve);
}

void LineSink::put(std::string_view text) {
  if (out_ == nullptr) return;
  if (block_bytes_ == 0) {
    out_->write(text.data(), static_cast<std::streamsize>(text.size()));
    out_->put('\n');
    return;
  }
  kept_.append(text);
  kept_.push_back('\n');
  if (kept_.size() >= block_bytes_) flush();
}

void LineSink::flush() {
  if (out_ == nullptr || kept_.empty()) return;
  out_->write(kept_.data(), static_cast<std::streamsize>(kept_.size()));
  kept_.clear();
}

void LineSink::blank(int n) {
  for (int k = 0; k < n; ++k) put(std::string_view());
}

}  // namespace zolan
