#include "model/free_format.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace zolan {
namespace {

constexpr int kEof = std::char_traits<char>::eof();

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool is_separator(int c) {
  return c == kEof || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == '/';
}

// A token as it may be shown in a message: at most 40 characters, with
// control and non-ASCII bytes escaped.
std::string shown(std::string_view token) {
  std::string out;
  const std::size_t limit = 40;
  for (std::size_t k = 0; k < token.size() && k < limit; ++k) {
    const auto c = static_cast<unsigned char>(token[k]);
    if (c >= 0x20 && c < 0x7f && c != '"') {
      out.push_back(static_cast<char>(c));
    } else {
      static const char* hex = "0123456789ABCDEF";
      out += "\\x";
      out.push_back(hex[c >> 4]);
      out.push_back(hex[c & 15]);
    }
  }
  if (token.size() > limit) out += "...";
  return out;
}

// For a real in the normal form [-]digits[.digits][e[sign]digits] that
// from_chars found out of range: true when it is so because the value is too
// small (a negative decimal exponent), false when it is too large.
bool below_smallest_double(std::string_view normal) {
  const std::size_t start = normal[0] == '-' ? 1 : 0;
  const std::size_t mantissa_end = std::min(normal.find('e'), normal.size());
  const std::size_t point = std::min(normal.find('.'), mantissa_end);
  // Decimal exponent of the first nonzero digit of the mantissa.
  long long position = static_cast<long long>(point - start) - 1;
  bool nonzero = false;
  for (std::size_t k = start; k < mantissa_end && !nonzero; ++k) {
    if (normal[k] == '.') continue;
    if (normal[k] != '0') {
      nonzero = true;
    } else {
      --position;
    }
  }
  if (!nonzero) return true;
  long long exponent = 0;
  if (mantissa_end < normal.size()) {
    std::size_t j = mantissa_end + 1;
    const bool negative = normal[j] == '-';
    if (normal[j] == '+' || normal[j] == '-') ++j;
    for (; j < normal.size(); ++j) {
      exponent = std::min(exponent * 10 + (normal[j] - '0'), 1000000000LL);  // held, not wrapped
    }
    if (negative) exponent = -exponent;
  }
  return position + exponent < 0;
}

}  // namespace

bool parse_integer(std::string_view text, std::int32_t& value) {
  if (text.empty()) return false;
  std::size_t k = 0;
  if (text[0] == '+' || text[0] == '-') k = 1;
  if (k == text.size()) return false;
  for (std::size_t j = k; j < text.size(); ++j) {
    if (!is_digit(text[j])) return false;
  }
  // from_chars takes a minus sign but not a plus sign.
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  const char* last = text.data() + text.size();
  std::int32_t v = 0;
  const auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last) return false;
  value = v;
  return true;
}

bool parse_real(std::string_view text, double& value) {
  // Grammar check first: from_chars would also take "inf", "nan" and more.
  std::string normal;
  normal.reserve(text.size());
  std::size_t k = 0;
  if (k < text.size() && (text[k] == '+' || text[k] == '-')) {
    if (text[k] == '-') normal.push_back('-');
    ++k;
  }
  int mantissa_digits = 0;
  while (k < text.size() && is_digit(text[k])) {
    normal.push_back(text[k++]);
    ++mantissa_digits;
  }
  if (k < text.size() && text[k] == '.') {
    normal.push_back(text[k++]);
    while (k < text.size() && is_digit(text[k])) {
      normal.push_back(text[k++]);
      ++mantissa_digits;
    }
  }
  if (mantissa_digits == 0) return false;
  if (k < text.size()) {
    const char e = text[k];
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return false;
    normal.push_back('e');
    ++k;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) normal.push_back(text[k++]);
    int exponent_digits = 0;
    while (k < text.size() && is_digit(text[k])) {
      normal.push_back(text[k++]);
      ++exponent_digits;
    }
    if (exponent_digits == 0 || k != text.size()) return false;
  }
  double v = 0.0;
  const char* first = normal.data();
  const char* last = normal.data() + normal.size();
  const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec == std::errc::result_out_of_range && ptr == last && below_smallest_double(normal)) {
    // A value below the smallest double (1E-400) rounds to 0; only a value
    // too large for a double is refused.
    value = normal[0] == '-' ? -0.0 : 0.0;
    return true;
  }
  if (ec != std::errc() || ptr != last || !std::isfinite(v)) return false;
  value = v;
  return true;
}

RecordReader::RecordReader(std::istream& in, std::string file_label)
    : buf_(in.rdbuf()), label_(std::move(file_label)) {}

int RecordReader::peek() { return buf_ ? buf_->sgetc() : kEof; }

int RecordReader::get() {
  const int c = buf_ ? buf_->sbumpc() : kEof;
  if (c == '\n') ++line_;
  return c;
}

void RecordReader::skip_rest_of_line() {
  for (;;) {
    const int c = get();
    if (c == kEof || c == '\n') return;
  }
}

void RecordReader::fail(std::string_view record, const std::string& what) const {
  std::ostringstream msg;
  msg << label_ << ", line " << (line_ + 1) << " (" << record << "): " << what;
  throw InputError(msg.str());
}

bool RecordReader::try_read_text(int width, std::string& text) {
  if (peek() == kEof) return false;
  std::string s;
  std::size_t total = 0;
  const std::size_t keep = static_cast<std::size_t>(width > 0 ? width : 0) + 1;
  for (;;) {
    const int c = get();
    if (c == kEof || c == '\n') break;
    ++total;
    if (s.size() < keep) s.push_back(static_cast<char>(c));
  }
  if (total == s.size() && !s.empty() && s.back() == '\r') s.pop_back();
  if (s.size() > keep - 1) s.resize(keep - 1);
  text = std::move(s);
  return true;
}

std::string RecordReader::read_text(int width, std::string_view record) {
  std::string text;
  if (!try_read_text(width, text)) {
    fail(record, "the file ends here, but a text line was expected");
  }
  return text;
}

std::string RecordReader::next_token(std::string_view record, const Field& field) {
  std::string token;
  while (!is_separator(peek())) {
    if (static_cast<int>(token.size()) >= kMaxTokenLength) {
      fail(record, std::string("a value of more than ") + std::to_string(kMaxTokenLength) +
                       " characters was found where " + field.name + " was expected");
    }
    token.push_back(static_cast<char>(get()));
  }
  return token;
}

void RecordReader::store(const Field& field, const std::string& token, std::string_view record) {
  if (field.kind == Field::Kind::kInteger) {
    std::int32_t v = 0;
    if (!parse_integer(token, v)) {
      fail(record, std::string("expected an integer (a whole number without a decimal point) for ") +
                       field.name + ", found \"" + shown(token) + "\"");
    }
    *static_cast<int*>(field.target) = v;
  } else {
    double v = 0.0;
    if (!parse_real(token, v)) {
      fail(record, std::string("expected a real number for ") + field.name + ", found \"" +
                       shown(token) + "\"");
    }
    *static_cast<double*>(field.target) = v;
  }
}

void RecordReader::read(std::initializer_list<Field> fields, std::string_view record) {
  const Field* list = fields.begin();
  const std::size_t count = fields.size();
  std::size_t next = 0;
  bool after_value = false;  // a value was read and its separator not yet seen
  record_line_ = line_ + 1;
  if (peek() == kEof) {
    fail(record, std::string("the file ends here, but the record was expected (") +
                     std::to_string(count) + (count == 1 ? " value" : " values") + ", starting with " +
                     list[0].name + ")");
  }
  while (next < count) {
    const int c = peek();
    if (c == kEof) {
      fail(record, std::string("the file ends before the record is complete: ") + list[next].name +
                       " and " + std::to_string(count - next - 1) + " further value(s) are missing");
    }
    if (c == '\n' || c == ' ' || c == '\t' || c == '\r') {
      get();
      continue;
    }
    if (c == ',') {
      get();
      if (after_value) {
        after_value = false;
      } else {
        ++next;  // empty value: the field keeps what it held
      }
      continue;
    }
    if (c == '/') {  // the remaining fields keep what they held
      skip_rest_of_line();
      return;
    }
    if (!after_value && next == 0) record_line_ = line_ + 1;
    const std::string token = next_token(record, list[next]);
    after_value = true;
    const std::size_t star = token.find('*');
    if (star == std::string::npos) {
      store(list[next++], token, record);
      continue;
    }
    std::int32_t repeat = 0;
    if (!parse_integer(token.substr(0, star), repeat) || repeat < 1 || token[0] == '+' ||
        token[0] == '-') {
      fail(record, std::string("expected a repeat count (r*value) for ") + list[next].name +
                       ", found \"" + shown(token) + "\"");
    }
    const std::string value = token.substr(star + 1);
    for (std::int32_t r = 0; r < repeat && next < count; ++r) {
      if (value.empty()) {
        ++next;  // r* stands for r empty values
      } else {
        store(list[next++], value, record);
      }
    }
  }
  skip_rest_of_line();
}

}  // namespace zolan
