// A small valid input data file, record by record, that tests change one
// record at a time.
#pragma once

#include <string>
#include <vector>

namespace zolan::testing {

struct InputText {
  std::string title = "TEST PILE";
  std::string designer = "TESTER";
  std::string job = "JOB 1";
  std::string r4 = "1 1 2 0";
  std::string r5 = "0.0 0.0 24.0 22.0 29000000.0 62.0 2.0";
  std::string r6 = "0.0 0.0 0.0";
  std::string r7 = "0.0 1.0 1 0.0 4 0 0";
  std::string r8 = "0 0 0 1 0 0 0 0 0";
  std::string r9 = "80.0 0.0";
  // Two records per soil point.
  std::vector<std::string> soil = {
      "0.0 1.0 0.8 115.0 30.0 0.0", "0 0 0 10 0 0 0 0 0 1 1 0",
      "80.0 1.0 0.8 60.0 34.0 0.0", "0 0 0 20 0 0 0 0 0 1 1 0"};
  std::string r11 = "0";
  std::vector<std::string> r11ab;  // records 11a and 11b when r11 is 1
  std::string r12 = "0 1.0";
  std::string r13 = "0 0 0";
  std::string r14 = "0 0";
  std::vector<std::string> r14a;
  std::string r15 = "0 0.0";

  std::string str() const {
    std::string s = title + "\n" + designer + "\n" + job + "\n" + r4 + "\n" + r5 + "\n" + r6 +
                    "\n" + r7 + "\n" + r8 + "\n" + r9 + "\n";
    for (const auto& line : soil) s += line + "\n";
    s += r11 + "\n";
    for (const auto& line : r11ab) s += line + "\n";
    s += r12 + "\n" + r13 + "\n" + r14 + "\n";
    for (const auto& line : r14a) s += line + "\n";
    s += r15 + "\n";
    return s;
  }
};

}  // namespace zolan::testing
