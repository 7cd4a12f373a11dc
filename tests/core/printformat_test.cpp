#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "core/printformat.h"

namespace ondrik {
namespace {

TEST(PrintFormat, SinglesIntegersAndZones) {
  const struct {
    double value;
    const char* text;
  } singles[] = {
      {3, " 3 "},           {0.5, " .5 "},         {1.25, " 1.25 "},      {-0.4, "-.4 "},
      {0, " 0 "},           {-0.0, " 0 "},         {0.1, " .1 "},         {0.95, " .95 "},
      {-97.6, "-97.6 "},    {2000, " 2000 "},      {9999, " 9999 "},      {123456.7, " 123456.7 "},
      {0.001, " .001 "},    {1.0 / 3, " .3333333 "}, {16777217, " 1.677722E+07 "},
      {1e10, " 1E+10 "},    {-2.5e-7, "-2.5E-07 "},  {std::nan(""), " NaN "},
  };
  for (const auto& c : singles) EXPECT_EQ(PrintNumber(c.value), c.text) << c.value;

  // Every text reads back as the Single it came from, when the Single needs
  // no more than 7 digits.
  for (float v : {35.39f, 97.6f, -151.21f, 0.7f, 11010.0f, 3.402823e38f, 1.175494e-38f}) {
    const std::string t = PrintNumber(v);
    float back = 0;
    std::from_chars(t.data() + 1, t.data() + t.size() - 1, back);
    EXPECT_EQ(std::fabs(v), back) << t;
  }

  EXPECT_EQ(PrintInteger(34), " 34 ");
  EXPECT_EQ(PrintInteger(-1), "-1 ");
  EXPECT_EQ(PrintInteger(0), " 0 ");
  EXPECT_EQ(PrintInteger(-2147483633), "-2147483633 ");

  // 1 and 10 with a zone between: " 1", blanks to column 15, "10" in 16-17.
  std::string line = PrintInteger(1);
  PadToPrintZone(line);
  line += PrintInteger(10);
  EXPECT_EQ(line, " 1            " " 10 ");
  EXPECT_EQ(line.substr(15, 2), "10");
}

}  // namespace
}  // namespace ondrik
