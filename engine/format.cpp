#include "engine/format.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zolan {
namespace {

// Fuzz builds define ZOLAN_TRAP_NON_FINITE: a value that is not finite
// reaching a line is then a fault of the computation, not a field of
// asterisks. Every other build writes the asterisks.
void trap_non_finite([[maybe_unused]] double value) {
#ifdef ZOLAN_TRAP_NON_FINITE
  if (!std::isfinite(value)) std::abort();
#endif
}

std::string stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*'); }

// Right-aligns `s` in w columns, or asterisks when it does not fit.
std::string fit(const std::string& s, int w) {
  if (w < 0) return std::string();
  if (static_cast<int>(s.size()) > w) return stars(w);
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

bool all_zero_digits(const std::string& s) {
  for (char c : s) {
    if (c >= '1' && c <= '9') return false;
  }
  return true;
}

// Drops the optional 0 before the decimal point ("0.50" -> ".50",
// "-0.50" -> "-.50").
std::string drop_leading_zero(const std::string& s) {
  const std::size_t zero = s.rfind("-0.", 0) == 0 ? 1 : 0;
  if (s.compare(zero, 2, "0.") != 0) return s;
  std::string out = s;
  out.erase(zero, 1);
  return out;
}

}  // namespace

std::string format_f(double value, int w, int d) {
  trap_non_finite(value);
  if (!std::isfinite(value) || d < 0) return stars(w);
  // printf rounds the exact binary value correctly (a tie goes to the even
  // digit); "#" keeps the point when d is 0, as the F field does.
  const int n = std::snprintf(nullptr, 0, "%#.*f", d, value);
  if (n <= 0) return stars(w);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(s.data(), s.size(), "%#.*f", d, value);
  s.resize(static_cast<std::size_t>(n));
  if (s[0] == '-' && all_zero_digits(s)) s.erase(0, 1);  // no "-0.00"
  if (static_cast<int>(s.size()) > w) s = drop_leading_zero(s);
  return fit(s, w);
}

std::string format_e(double value, int w, int d) {
  trap_non_finite(value);
  if (!std::isfinite(value) || d < 1) return stars(w);
  std::string digits;
  int exponent = 0;
  bool negative = false;
  if (value == 0.0) {
    digits.assign(static_cast<std::size_t>(d), '0');
  } else {
    // d significant digits, rounded once from the exact binary value.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", d - 1, std::fabs(value));
    negative = value < 0.0;
    const std::string s(buf);
    const std::size_t epos = s.find('e');
    for (std::size_t k = 0; k < epos; ++k) {
      if (s[k] != '.') digits.push_back(s[k]);
    }
    exponent = std::atoi(s.c_str() + epos + 1) + 1;
  }
  const int magnitude = std::abs(exponent);
  char expbuf[16];
  if (magnitude <= 99) {
    std::snprintf(expbuf, sizeof expbuf, "E%c%02d", exponent < 0 ? '-' : '+', magnitude);
  } else if (magnitude <= 999) {
    std::snprintf(expbuf, sizeof expbuf, "%c%03d", exponent < 0 ? '-' : '+', magnitude);
  } else {
    return stars(w);
  }
  std::string s = std::string(negative ? "-" : "") + "0." + digits + expbuf;
  if (static_cast<int>(s.size()) > w) s = drop_leading_zero(s);
  return fit(s, w);
}

std::string format_i(std::int64_t value, int w, int m) {
  const bool negative = value < 0;
  // Magnitude without overflow for the most negative value.
  const std::uint64_t mag = negative ? 0 - static_cast<std::uint64_t>(value)
                                     : static_cast<std::uint64_t>(value);
  std::string digits = std::to_string(mag);
  if (static_cast<int>(digits.size()) < m) {
    digits.insert(0, static_cast<std::size_t>(m) - digits.size(), '0');
  }
  return fit((negative ? "-" : "") + digits, w);
}

std::string format_a(std::string_view text, int w) {
  if (w <= 0) return std::string();
  if (static_cast<int>(text.size()) >= w) return std::string(text.substr(0, static_cast<std::size_t>(w)));
  return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + std::string(text);
}

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
  text_ += format_f(value, w, d);
  return *this;
}

Line& Line::e(double value, int w, int d) {
  text_ += format_e(value, w, d);
  return *this;
}

Line& Line::i(std::int64_t value, int w, int m) {
  text_ += format_i(value, w, m);
  return *this;
}

Line& Line::a(std::string_view text, int w) {
  text_ += format_a(text, w);
  return *this;
}

Line& Line::a(std::string_view text) {
  text_.append(text);
  return *this;
}

void LineSink::put(std::string_view text) {
  if (out_ == nullptr) return;
  out_->write(text.data(), static_cast<std::streamsize>(text.size()));
  out_->put('\n');
}

void LineSink::blank(int n) {
  for (int k = 0; k < n; ++k) put(std::string_view());
}

}  // namespace zolan
