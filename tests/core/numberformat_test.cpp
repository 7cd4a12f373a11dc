#include <gtest/gtest.h>

#include "core/datetime.h"
#include "core/numberformat.h"

namespace ondrik {
namespace {

TEST(NumberFormat, PatternsOfThePanels) {
  const struct {
    double v;
    const char* pattern;
    const char* want;
  } cases[] = {
      {2.5, "0", "3"},           {-2.5, "0", "-3"},          {-0.4, "0", "0"},
      {12.345, "0.0", "12.3"},   {0.05, ".00", ".05"},       {1.5, ".00", "1.50"},
      {0.0123, ".000", ".012"},  {-0.002, ".000", "-.002"},  {12345, "#,##0", "12,345"},
      {-1234567, "#,##0", "-1,234,567"}, {0, "#,##0", "0"},  {1234.56, "#,##0.0", "1,234.6"},
      {985.34, "#.0mb ", "985.3mb "}, {268.6, "#m", "269m"}, {0, "#m", "m"},
      {540.4, "###", "540"},     {5, "0.#", "5."},           {5.25, "0.#", "5.3"},
      {3, "##0", "3"},           {1234, "0'", "1234'"},      {10940, "##,##0", "10,940"},
      {5, "00", "05"},           {-5, "00", "-05"},          {100, "00", "100"},
      {0, "0.00", "0.00"},       {-0.01, "0.0", "0.0"},      {25, "##K", "25K"},
      {3, "##Km", "3Km"},        {0, "##0", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.v, c.pattern), c.want) << c.v << " " << c.pattern;
  EXPECT_EQ(Format(0.0 / 0.0, "0.0"), "--");
}

TEST(NumberFormat, FieldsWidenRatherThanCut) {
  EXPECT_EQ(FormatRight(12345 / 1.0, "#,##0", 10), "    12,345");
  EXPECT_EQ(FormatRight(0.072, "0.000", 6), " 0.072");
  // A value wider than its field keeps its sign and leading digits.
  EXPECT_EQ(FormatRight(-10.5, "0.0", 4), "-10.5");
  EXPECT_EQ(FormatRight(12.25, "0.000", 5), "12.250");
}

TEST(NumberFormat, NumbersAsPrintItemsAndTimes) {
  EXPECT_EQ(NumberItem(5), " 5 ");
  EXPECT_EQ(NumberItem(-3), "-3 ");
  EXPECT_EQ(NumberItem(0.5), " .5 ");
  EXPECT_EQ(NumberItem(-0.25), "-.25 ");
  EXPECT_EQ(NumberItem(862.5), " 862.5 ");
  EXPECT_EQ(NumberItem(0), " 0 ");
  EXPECT_EQ(NumberItem(0.0 / 0.0), " -- ");
  EXPECT_EQ(NumberText(7.5), "7.5");
  EXPECT_EQ(NumberText(-0.0), "0");
  EXPECT_EQ(FormatHourAmPm({2012, 3, 5, 15, 0}), "3 PM");
  EXPECT_EQ(FormatHourAmPm({2012, 3, 5, 0, 0}), "12 AM");
  EXPECT_EQ(FormatMonthDay({2012, 3, 5, 0, 0}), "  Mar 5");
}

}  // namespace
}  // namespace ondrik
