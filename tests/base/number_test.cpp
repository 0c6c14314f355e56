#include "base/number.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvex {
namespace {

TEST(Number, ValReadsTheLeadingNumber) {
  const std::pair<const char*, double> cases[] = {
      {"10000", 10000}, {"  12abc", 12}, {"1 2\t3\n4", 1234}, {"abc", 0},     {"", 0},
      {"-3", -3},       {"+4", 4},       {"2.5", 2.5},        {"1.2.3", 1.2}, {".5", 0.5},
      {"1E3", 1000},    {"1d2", 100},    {"2e", 2},           {"2e+", 2},     {"&H1F", 31},
      {"&hff", 255},    {"&O17", 15},    {"&Hz", 0},          {"&X1", 0},     {"-", 0},
      {"1\r2", 1},  // a carriage return is not skipped
  };
  for (const auto& [text, value] : cases) {
    SCOPED_TRACE(text);
    EXPECT_DOUBLE_EQ(val(text), value);
  }
  EXPECT_TRUE(std::isinf(val("1e400")));
}

}  // namespace
}  // namespace korvex
