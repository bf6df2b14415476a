// Hostile inputs that once got through the readers (found by the fuzz
// targets of tests/fuzz or by review), each kept as a case here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "engine/run_control.hpp"
#include "model/free_format.hpp"

namespace zolan {
namespace {

std::string names_error(const std::string& names_text, const std::string& answers) {
  std::istringstream names(names_text);
  std::istringstream in(answers);
  std::ostringstream out;
  Console console{&out, &in};
  try {
    read_names_file(names, "run-control file \"names.dat\"", console);
  } catch (const InputError& e) {
    return e.what();
  }
  return "no error";
}

// A NUL byte in a file name: the name is opened as a C string, so the file
// opened would be another than the one the report shows (and two names could
// open one file).
TEST(NamesFileRegression, RefusesAKeptNameHoldingANulByte) {
  using namespace std::string_literals;
  const std::string head = "v\nx\ny\n0\n";
  EXPECT_EQ(names_error(head + "in.dat\nout.txt\nplot.plt\n\0a.dat\rp"s, ""),
            "run-control file \"names.dat\", line 8 (record 8): the name of the CPT data file "
            "holds a NUL byte, which no file name can hold");
  EXPECT_EQ(names_error(head + "in.dat\0../x\nout.txt\nplot.plt\ncpt.cpt\n"s, ""),
            "run-control file \"names.dat\", line 5 (record 5): the name of the input data file "
            "holds a NUL byte, which no file name can hold");
  // A console answer is a name too.
  EXPECT_EQ(names_error(head + "in.dat\n", "a.dat\nb\0.out\nc.plt\n"s),
            "console: the name of the output report holds a NUL byte, which no file name can hold");
}

TEST(NamesFileRegression, ANulByteInANameThePromptsReplaceIsHarmless) {
  using namespace std::string_literals;
  // Record 8 is missing, so the names of records 5 to 7 are asked for again.
  EXPECT_EQ(names_error("v\nx\ny\n0\nin\0.dat\nout.txt\n"s, "a.dat\nb.out\nc.plt\n"), "no error");
}

// A real too small for a double is a real all the same: it reads as 0
// rather than being refused as "expected a real number".
TEST(FreeFormatRegression, ARealBelowTheSmallestDoubleIsZero) {
  const struct {
    const char* text;
    double value;
  } small[] = {{"1E-400", 0.0},       {"-1D-99999", -0.0},   {"0.0001e-320", 0.0},
               {".5e-99999999999999", 0.0}, {"4.9E-324", 4.9e-324}, {"0e99999", 0.0}};
  for (const auto& c : small) {
    double v = 7.0;
    EXPECT_TRUE(parse_real(c.text, v)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
    EXPECT_EQ(std::signbit(v), std::signbit(c.value)) << c.text;
  }
  // Too large stays refused, however it is written.
  for (const char* big : {"1E400", "1000e306", "0.001e99999999999", "-2D308"}) {
    double v = 7.0;
    EXPECT_FALSE(parse_real(big, v)) << big;
    EXPECT_EQ(v, 7.0) << big;
  }
  std::istringstream in("1E-400 2\n");
  RecordReader r(in, "test file");
  double x = 7.0;
  double y = 7.0;
  r.read({Field::real(x, "x"), Field::real(y, "y")}, "record 1");
  EXPECT_EQ(x, 0.0);
  EXPECT_EQ(y, 2.0);
}

// `count` line ends, then "x" and the end; made on the fly, so it costs no
// memory however long it is.
class LineEnds : public std::streambuf {
 public:
  explicit LineEnds(std::int64_t count) : left_(count), block_(1 << 20, '\n') {}

 protected:
  int_type underflow() override {
    if (left_ > 0) {
      const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left_, block_.size()));
      left_ -= static_cast<std::int64_t>(n);
      setg(block_.data(), block_.data(), block_.data() + n);
      return traits_type::to_int_type('\n');
    }
    if (!tail_done_) {
      tail_done_ = true;
      setg(tail_, tail_, tail_ + 1);
      return traits_type::to_int_type('x');
    }
    return traits_type::eof();
  }

 private:
  std::int64_t left_;
  std::vector<char> block_;
  char tail_[1] = {'x'};
  bool tail_done_ = false;
};

// A file of more than 2^31 empty lines before a value: the line count must
// not wrap (signed overflow) on its way to the message.
TEST(FreeFormatRegression, LineCountOfAHugeFileDoesNotWrap) {
  const std::int64_t count = (std::int64_t{1} << 31) + 5;
  LineEnds source(count);
  std::istream in(&source);
  RecordReader r(in, "test file");
  int a = 0;
  try {
    r.read({Field::integer(a, "a")}, "record 1");
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(),
                 "test file, line 2147483654 (record 1): expected an integer (a whole number "
                 "without a decimal point) for a, found \"x\"");
  }
}

}  // namespace
}  // namespace zolan
