// Record reader: text records and free-format records.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/free_format.hpp"

namespace zolan {
namespace {

struct Values {
  int a = -1;
  int b = -1;
  double x = -1.0;
  double y = -1.0;
};

// Reads "a b x y" (two integers, two reals) from `text`, then the next
// record as one integer into `next` (-1 when there is none).
Values read_abxy(const std::string& text, int* next = nullptr) {
  std::istringstream in(text);
  RecordReader r(in, "test file");
  Values v;
  r.read({Field::integer(v.a, "a"), Field::integer(v.b, "b"), Field::real(v.x, "x"),
          Field::real(v.y, "y")},
         "record 1");
  if (next != nullptr) {
    *next = -1;
    r.read({Field::integer(*next, "next")}, "record 2");
  }
  return v;
}

struct FreeFormatCase {
  const char* name;
  const char* text;
  int a, b;
  double x, y;
  int next;
};

const FreeFormatCase kCases[] = {
    {"one line", "1 2 3.5 4\n9\n", 1, 2, 3.5, 4.0, 9},
    {"over two lines", "1 2\n3.5 4\n9\n", 1, 2, 3.5, 4.0, 9},
    {"blank lines between values", "1\n\n2 3.5\n\n4\n9\n", 1, 2, 3.5, 4.0, 9},
    {"commas", "1,2,3.5,4\n9\n", 1, 2, 3.5, 4.0, 9},
    {"commas with blanks", "1 , 2 ,3.5,  4\n9\n", 1, 2, 3.5, 4.0, 9},
    {"rest of the line ignored", "1 2 3.5 4 5 6 comment, / *\n9\n", 1, 2, 3.5, 4.0, 9},
    {"slash ends the read", "1 2 / 3.5 4\n9\n", 1, 2, -1.0, -1.0, 9},
    {"slash at the start", "/\n9\n", -1, -1, -1.0, -1.0, 9},
    {"empty values keep the fields", "1,,3.5,\n4\n9\n", 1, -1, 3.5, 4.0, 9},
    {"leading comma is an empty value", ",2,3.5,4\n9\n", -1, 2, 3.5, 4.0, 9},
    {"repeat r*v", "2*7 2*0.25\n9\n", 7, 7, 0.25, 0.25, 9},
    {"repeat r* of empty values", "2* 1.5 2\n9\n", -1, -1, 1.5, 2.0, 9},
    {"repeat beyond the record", "1 2 5*3\n9\n", 1, 2, 3.0, 3.0, 9},
    {"exponent E", "1 2 1.5E3 -2e-2\n9\n", 1, 2, 1500.0, -0.02, 9},
    {"exponent D", "1 2 1.5D3 2.5d+1\n9\n", 1, 2, 1500.0, 25.0, 9},
    {"signs and bare points", "+1 -2 .5 5.\n9\n", 1, -2, 0.5, 5.0, 9},
    {"whole numbers as reals", "1 2 3 4\n9\n", 1, 2, 3.0, 4.0, 9},
    {"tabs and carriage returns", "1\t2\r\n3.5\t4\r\n9\r\n", 1, 2, 3.5, 4.0, 9},
    {"no line end at the end of the file", "1 2 3.5 4\n9", 1, 2, 3.5, 4.0, 9},
};

TEST(FreeFormat, ReadsEachForm) {
  for (const FreeFormatCase& c : kCases) {
    int next = 0;
    const Values v = read_abxy(c.text, &next);
    EXPECT_EQ(v.a, c.a) << c.name;
    EXPECT_EQ(v.b, c.b) << c.name;
    EXPECT_DOUBLE_EQ(v.x, c.x) << c.name;
    EXPECT_DOUBLE_EQ(v.y, c.y) << c.name;
    EXPECT_EQ(next, c.next) << c.name;
  }
}

TEST(FreeFormat, ConvertsDecimalTextsToTheNearestDouble) {
  std::istringstream in("0.1 29000000.0 1.000000013351432e-10\n");
  RecordReader r(in, "test file");
  double a = 0, b = 0, c = 0;
  r.read({Field::real(a, "a"), Field::real(b, "b"), Field::real(c, "c")}, "record 1");
  EXPECT_EQ(a, 0.1);
  EXPECT_EQ(b, 29000000.0);
  EXPECT_EQ(c, 1.000000013351432e-10);
}

struct BadCase {
  const char* name;
  const char* text;
  const char* message_part;
};

const BadCase kBad[] = {
    {"letters for an integer", "x 2 3 4\n", "expected an integer (a whole number without a decimal point) for a, found \"x\""},
    {"decimal point in an integer", "1 2.5 3 4\n", "for b, found \"2.5\""},
    {"exponent in an integer", "1 2E1 3 4\n", "for b, found \"2E1\""},
    {"letters for a real", "1 2 abc 4\n", "expected a real number for x, found \"abc\""},
    {"infinity for a real", "1 2 inf 4\n", "expected a real number for x, found \"inf\""},
    {"NaN for a real", "1 2 NaN 4\n", "expected a real number for x"},
    {"overflowing real", "1 2 1e999 4\n", "expected a real number for x, found \"1e999\""},
    {"overflowing integer", "1 99999999999 3 4\n", "for b"},
    {"exponent without digits", "1 2 1.5E 4\n", "found \"1.5E\""},
    {"sign without exponent letter", "1 2 1.5+3 4\n", "found \"1.5+3\""},
    {"bad repeat count", "1 2 0*3 4\n", "expected a repeat count"},
    {"short record", "1 2 3 ", "the file ends before the record is complete: y and 0 further value(s) are missing"},
    {"empty file", "", "the file ends here, but the record was expected (4 values, starting with a)"},
};

TEST(FreeFormat, RefusesMalformedRecordsWithTheFileLineAndField) {
  for (const BadCase& c : kBad) {
    try {
      read_abxy(c.text);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const InputError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find("test file, line 1 (record 1): "), std::string::npos) << c.name << ": " << what;
      EXPECT_NE(what.find(c.message_part), std::string::npos) << c.name << ": " << what;
    }
  }
}

TEST(FreeFormat, RefusesANulByteInAValue) {
  EXPECT_THROW(read_abxy(std::string("1 2 3\0 4\n", 9)), InputError);
}

TEST(FreeFormat, NamesTheLineWhereTheFaultIs) {
  std::istringstream in("1 2\n\n3.5 x\n");
  RecordReader r(in, "input data file \"a.dat\"");
  int a = 0, b = 0;
  double x = 0, y = 0;
  try {
    r.read({Field::integer(a, "a"), Field::integer(b, "b"), Field::real(x, "x"), Field::real(y, "y")},
           "record 4");
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(),
                 "input data file \"a.dat\", line 3 (record 4): expected a real number for y, "
                 "found \"x\"");
  }
}

TEST(FreeFormat, RefusesAHugeTokenWithoutReadingItAll) {
  std::string text = "1 2 ";
  text.append(10 * 1024 * 1024, '7');
  text += " 4\n";
  std::istringstream in(text);
  RecordReader r(in, "test file");
  Values v;
  try {
    r.read({Field::integer(v.a, "a"), Field::integer(v.b, "b"), Field::real(v.x, "x"),
            Field::real(v.y, "y")},
           "record 1");
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("a value of more than 512 characters"), std::string::npos);
  }
}

TEST(FreeFormat, SkipsAHugeRestOfLine) {
  std::string text = "1 2 3 4 ";
  text.append(5 * 1024 * 1024, 'z');
  text += "\n9\n";
  int next = 0;
  const Values v = read_abxy(text, &next);
  EXPECT_EQ(v.a, 1);
  EXPECT_EQ(next, 9);
}

TEST(TextRecord, KeepsTheFirstCharactersOfOneLine) {
  std::istringstream in(std::string(80, 'A') + "\r\nshort\r\n\nlast");
  RecordReader r(in, "test file");
  EXPECT_EQ(r.read_text(72, "record 1"), std::string(72, 'A'));
  EXPECT_EQ(r.read_text(72, "record 2"), "short");  // carriage return dropped
  EXPECT_EQ(r.read_text(72, "record 3"), "");
  EXPECT_EQ(r.read_text(72, "record 4"), "last");
  std::string text;
  EXPECT_FALSE(r.try_read_text(72, text));
  EXPECT_THROW(r.read_text(72, "record 5"), InputError);
}

TEST(TextRecord, ThenAFreeFormatRecordStartsOnTheNextLine) {
  std::istringstream in("TITLE 1 2 3\n4 5\n");
  RecordReader r(in, "test file");
  EXPECT_EQ(r.read_text(72, "record 1"), "TITLE 1 2 3");
  int a = 0, b = 0;
  r.read({Field::integer(a, "a"), Field::integer(b, "b")}, "record 2");
  EXPECT_EQ(a, 4);
  EXPECT_EQ(b, 5);
}

TEST(ParseNumbers, AcceptOnlyTheirGrammar) {
  std::int32_t i = 0;
  EXPECT_TRUE(parse_integer("+42", i));
  EXPECT_EQ(i, 42);
  EXPECT_TRUE(parse_integer("-2147483648", i));
  EXPECT_FALSE(parse_integer("2147483648", i));
  EXPECT_FALSE(parse_integer("+", i));
  EXPECT_FALSE(parse_integer("4 ", i));
  double d = 0;
  EXPECT_TRUE(parse_real("-.5D-1", d));
  EXPECT_EQ(d, -0.05);
  EXPECT_FALSE(parse_real(".", d));
  EXPECT_FALSE(parse_real("E5", d));
  EXPECT_FALSE(parse_real("0x10", d));
  EXPECT_FALSE(parse_real("1.5.2", d));
  EXPECT_FALSE(parse_real("1e5e5", d));
}

}  // namespace
}  // namespace zolan
