#include "engine/format.hpp"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace zolan {
namespace {

// Room for one number before it is fitted to its field: every double in
// fixed notation with up to 150 digits after the point, or in exponent form
// with up to 300 digits. A number that needs more cannot fit the widths the
// engine uses and is written as asterisks.
constexpr std::size_t kNumberRoom = 512;

// The block of a line sink holds this many characters beyond its size, the
// longest line and more, so that no line makes it grow.
constexpr std::size_t kLineReserve = 128;

// Fuzz builds define ZOLAN_TRAP_NON_FINITE: a value that is not finite
// reaching a line is then a fault of the computation, not a field of
// asterisks. Every other build writes the asterisks.
void trap_non_finite([[maybe_unused]] double value) {
#ifdef ZOLAN_TRAP_NON_FINITE
  if (!std::isfinite(value)) std::abort();
#endif
}

template <typename Text>
void append_stars(Text& out, int w) {
  if (w > 0) out.append(static_cast<std::size_t>(w), '*');
}

bool all_zero_digits(std::string_view s) {
  for (char c : s) {
    if (c >= '1' && c <= '9') return false;
  }
  return true;
}

// Drops the optional 0 before the decimal point ("0.50" -> ".50",
// "-0.50" -> "-.50") of the number in [begin, end); its new beginning.
char* drop_leading_zero(char* begin, char* end) {
  const std::string_view s(begin, static_cast<std::size_t>(end - begin));
  if (s.starts_with("0.")) return begin + 1;
  if (!s.starts_with("-0.")) return begin;
  begin[1] = '-';
  return begin + 1;
}

// A number written for its field, with room before it for the blanks that
// right-align it, so that the whole field is appended at once.
struct FieldBuffer {
  static constexpr std::size_t kBlankRoom = 32;
  char text[kBlankRoom + kNumberRoom];
  char* number() { return text + kBlankRoom; }
};

// The characters [begin, end) of a number in its FieldBuffer, never
// starting before number(); begin is null when the number has no room.
struct NumberText {
  char* begin;
  char* end;
};

// Appends the number right-aligned in w columns, without its optional
// leading zero when it is one column too wide, or asterisks when it does
// not fit.
template <typename Text>
void append_number(Text& out, NumberText number, int w) {
  if (w < 0) return;
  if (number.begin == nullptr) return append_stars(out, w);
  const auto width = static_cast<std::size_t>(w);
  char* begin = number.begin;
  char* const end = number.end;
  if (static_cast<std::size_t>(end - begin) > width) begin = drop_leading_zero(begin, end);
  const auto size = static_cast<std::size_t>(end - begin);
  if (size > width) return append_stars(out, w);
  const std::size_t blanks = width - size;
  if (blanks > FieldBuffer::kBlankRoom) {
    out.append(blanks, ' ');
    out.append(begin, size);
    return;
  }
  std::memset(begin - FieldBuffer::kBlankRoom, ' ', FieldBuffer::kBlankRoom);
  out.append(begin - blanks, width);
}

// Appends `n` as exactly `digits` decimal digits.
char* put_digits(char* at, int n, int digits) {
  for (int k = digits - 1; k >= 0; --k) {
    at[k] = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  return at + digits;
}

// Exact decimal rounding in 128-bit integers, for the fields of ordinary
// magnitudes; to_chars with a precision serves the rest.
__extension__ typedef unsigned __int128 Wide;

// Scales of 10^-19 to 10^19: every power of ten below 2^64.
constexpr int kMaxScale = 19;
constexpr auto kPowersOfTen = [] {
  std::array<std::uint64_t, kMaxScale + 1> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& p : powers) {
    p = power;
    power *= 10;  // wraps past the last one, which is never used
  }
  return powers;
}();

// 10^-19 to 10^19 as doubles (the negative powers inexact), for a first
// guess of a decimal exponent.
constexpr auto kTensAsDoubles = [] {
  std::array<double, 2 * kMaxScale + 1> tens{};
  double up = 1.0;
  double down = 1.0;
  for (int k = 0; k <= kMaxScale; ++k) {
    tens[static_cast<std::size_t>(kMaxScale + k)] = up;
    tens[static_cast<std::size_t>(kMaxScale - k)] = down;
    up *= 10.0;
    down /= 10.0;
  }
  return tens;
}();

// The most significant digits the integer rounding gives an E field.
constexpr int kMaxExactDigits = 17;

// |value| = mantissa x 2^exponent.
struct BinaryParts {
  std::uint64_t mantissa;
  int exponent;
};

BinaryParts binary_parts(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0) return {fraction, -1074};  // zero or subnormal
  return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// n / 2^shift (shift 1 to the width of N less 1) and n / divisor (divisor
// below 2^127), rounded to the nearest whole number, a tie to the even one.
template <typename N>
N shift_rounded(N n, int shift) {
  N q = n >> shift;
  const N rest = n - (q << shift);
  const N half = N{1} << (shift - 1);
  if (rest > half || (rest == half && (q & 1) != 0)) ++q;
  return q;
}

Wide divide_rounded(Wide n, Wide divisor) {
  Wide q = n / divisor;
  const Wide twice_rest = 2 * (n - q * divisor);
  if (twice_rest > divisor || (twice_rest == divisor && (q & 1) != 0)) ++q;
  return q;
}

// |value| x 10^scale rounded to the nearest whole number, a tie to the even
// one, computed exactly from the binary value (the rounding of printf and
// of to_chars with a precision); false when the scale or the result lies
// beyond 64 bits.
bool round_scaled(double value, int scale, std::uint64_t& q) {
  if (scale < -kMaxScale || scale > kMaxScale) return false;
  const BinaryParts b = binary_parts(value);
  // |value| x 10^scale = n x 2^exponent / divisor, n below 2^117.
  Wide n = b.mantissa;
  Wide divisor = 1;
  if (scale >= 0) {
    n *= kPowersOfTen[static_cast<std::size_t>(scale)];
  } else {
    divisor = kPowersOfTen[static_cast<std::size_t>(-scale)];
  }
  Wide result = 0;
  if (b.exponent >= 0) {
    if (scale >= 0) {
      if (b.exponent >= 64 || (n >> (64 - b.exponent)) != 0) return false;
      result = n << b.exponent;
    } else {
      if (b.exponent > 74) return false;  // n x 2^exponent must stay below 2^128
      result = divide_rounded(n << b.exponent, divisor);
    }
  } else {
    const int shift = -b.exponent;
    if (scale >= 0) {
      // Below half of one unit (n < 2^117) rounds to 0; the common case
      // in 64 bits.
      constexpr Wide kNarrow = ~std::uint64_t{0};
      if (shift < 64 && n <= kNarrow) {
        result = shift_rounded(static_cast<std::uint64_t>(n), shift);
      } else {
        result = shift >= 118 ? 0 : shift_rounded(n, shift);
      }
    } else {
      // Beyond 2^-64 the value is below 2^-11, a tenth of it below one half.
      result = shift > 63 ? 0 : divide_rounded(n, divisor << shift);
    }
  }
  if (result > ~std::uint64_t{0}) return false;
  q = static_cast<std::uint64_t>(result);
  return true;
}

char* put_run(char* at, std::size_t count, char c) {
  for (std::size_t k = 0; k < count; ++k) *at++ = c;
  return at;
}

// "00" to "99".
constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t k = 0; k < 100; ++k) {
    pairs[2 * k] = static_cast<char>('0' + k / 10);
    pairs[2 * k + 1] = static_cast<char>('0' + k % 10);
  }
  return pairs;
}();

// Writes q in decimal with at least `least` digits (leading zeros) so
// that it ends just before `end`; its first digit.
char* put_decimal_before(char* end, std::uint64_t q, int least) {
  char* at = end;
  while (q >= 100) {
    at -= 2;
    std::memcpy(at, &kDigitPairs[2 * (q % 100)], 2);
    q /= 100;
  }
  if (q >= 10) {
    at -= 2;
    std::memcpy(at, &kDigitPairs[2 * q], 2);
  } else {
    *--at = static_cast<char>('0' + q);
  }
  while (end - at < least) *--at = '0';
  return at;
}

// The number of an F field, [-]ddd.ddd, in `field`.
NumberText fixed_number(FieldBuffer& field, double value, int d) {
  std::uint64_t q = 0;
  if (d <= kMaxScale && round_scaled(value, d, q)) {
    // Written from its end: the d digits after the point, the point, the
    // whole part (at least a 0), the sign (no "-0.00").
    char* const end = field.number() + 2 * kMaxScale + 4;
    char* at = end;
    const bool negative = q != 0 && value < 0.0;
    for (int k = 0; k < d; ++k) {
      *--at = static_cast<char>('0' + q % 10);
      q /= 10;
    }
    *--at = '.';
    at = put_decimal_before(at, q, 1);
    if (negative) *--at = '-';
    return {at, end};
  }
  char* const begin = field.number();
  const auto [last, ec] =
      std::to_chars(begin, begin + kNumberRoom - 1, value, std::chars_format::fixed, d);
  if (ec != std::errc()) return {nullptr, nullptr};
  char* end = last;
  if (d == 0) *end++ = '.';  // the F field keeps its point
  if (*begin == '-' &&
      all_zero_digits(std::string_view(begin, static_cast<std::size_t>(end - begin)))) {
    return {begin + 1, end};  // no "-0.00"
  }
  return {begin, end};
}

// The d significant digits of |value| (not 0) and the exponent of the E
// field (0.ddd x 10^exponent); the number of digits written, 0 when they
// have no room.
std::size_t exponent_digits(char* digits, double value, int d, int& exponent) {
  const BinaryParts b = binary_parts(value);
  if (d <= kMaxExactDigits && b.mantissa != 0) {
    // 2^binary <= |value| < 2^(binary + 1); the decimal exponent k of
    // |value| estimated from it is corrected by the digit count of q.
    const int binary = b.exponent + static_cast<int>(std::bit_width(b.mantissa)) - 1;
    int k = (binary * 1233) >> 12;  // about binary x log10(2), one too small at times
    if (k + 1 >= -kMaxScale && k + 1 <= kMaxScale &&
        std::fabs(value) >= kTensAsDoubles[static_cast<std::size_t>(k + 1 + kMaxScale)]) {
      ++k;
    }
    for (int tries = 0; tries < 4; ++tries) {
      std::uint64_t q = 0;
      if (!round_scaled(value, d - 1 - k, q)) break;
      if (q >= kPowersOfTen[static_cast<std::size_t>(d)]) {
        ++k;  // k too small, or the rounding carried into one more digit
      } else if (q < kPowersOfTen[static_cast<std::size_t>(d - 1)]) {
        --k;
      } else {
        exponent = k + 1;
        put_decimal_before(digits + d, q, d);
        return static_cast<std::size_t>(d);
      }
    }
  }
  char sci[kNumberRoom];
  const auto [last, ec] = std::to_chars(sci, sci + kNumberRoom - 16, std::fabs(value),
                                        std::chars_format::scientific, d - 1);
  if (ec != std::errc()) return 0;
  char* at = digits;
  const char* p = sci;
  for (; *p != 'e'; ++p) {
    if (*p != '.') *at++ = *p;
  }
  const bool below = p[1] == '-';
  int magnitude = 0;
  for (p += 2; p != last; ++p) magnitude = magnitude * 10 + (*p - '0');
  exponent = (below ? -magnitude : magnitude) + 1;
  return static_cast<std::size_t>(at - digits);
}

template <typename Text>
void append_f(Text& out, double value, int w, int d) {
  trap_non_finite(value);
  if (!std::isfinite(value) || d < 0) return append_stars(out, w);
  FieldBuffer field;
  append_number(out, fixed_number(field, value, d), w);
}

template <typename Text>
void append_e(Text& out, double value, int w, int d) {
  trap_non_finite(value);
  if (!std::isfinite(value) || d < 1) return append_stars(out, w);
  if (static_cast<std::size_t>(d) > kNumberRoom - 16) return append_stars(out, w);
  // The field is [-]0.<d digits><exponent part>; the digits are those of
  // d significant digits, rounded once from the exact binary value.
  FieldBuffer field;
  char* at = field.number();
  int exponent = 0;
  if (value == 0.0) {
    *at++ = '0';
    *at++ = '.';
    at = put_run(at, static_cast<std::size_t>(d), '0');
  } else {
    if (value < 0.0) *at++ = '-';
    *at++ = '0';
    *at++ = '.';
    const std::size_t count = exponent_digits(at, value, d, exponent);
    if (count == 0) return append_stars(out, w);
    at += count;
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
  append_number(out, {field.number(), at}, w);
}

template <typename Text>
void append_i(Text& out, std::int64_t value, int w, int m) {
  const bool negative = value < 0;
  // Magnitude without overflow for the most negative value.
  const std::uint64_t mag =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, mag).ptr;
  const std::size_t count = static_cast<std::size_t>(end - digits);
  const std::size_t zeros =
      m > 0 && static_cast<std::size_t>(m) > count ? static_cast<std::size_t>(m) - count : 0;
  const std::size_t size = (negative ? 1 : 0) + zeros + count;
  if (w < 0) return;
  if (size > static_cast<std::size_t>(w)) return append_stars(out, w);
  out.append(static_cast<std::size_t>(w) - size, ' ');
  if (negative) out.push_back('-');
  out.append(zeros, '0');
  out.append(digits, count);
}

template <typename Text>
void append_a(Text& out, std::string_view text, int w) {
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

Line::Line() = default;

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

LineText::LineText(const LineText& other)
    : size_(other.size_), spilled_(other.spilled_), heap_(other.heap_) {
  std::memcpy(inline_, other.inline_, size_);
}

LineText& LineText::operator=(const LineText& other) {
  if (this == &other) return *this;
  size_ = other.size_;
  spilled_ = other.spilled_;
  heap_ = other.heap_;
  std::memcpy(inline_, other.inline_, size_);
  return *this;
}

char* LineText::spill(std::size_t n) {
  if (!spilled_) {
    heap_.assign(inline_, size_);
    spilled_ = true;
  }
  const std::size_t old = heap_.size();
  heap_.resize(old + n);
  return heap_.data() + old;
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
