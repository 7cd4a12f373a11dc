#include <gtest/gtest.h>

#include <stdexcept>

#include "core/thresholds.h"

namespace ondrik {
namespace {

TEST(IndexThresholds, DefaultsOfOneAndTwoSidedRows) {
  IndexThresholdTable t;
  t(kRowCape, 5) = 123;  // a value the defaults must clear
  StoreDefaultIndexThresholds(t);
  const struct {
    int row;
    Single v[7];
  } cases[] = {
      {kRowCape, {0, 700, 1000, 3000, 0, 0, 0}},
      {kRowEhi, {0, 0.5f, 1, 2.5f, 0, 0, 0}},
      {kRowBulkRichardson, {5, 7, 10, 22, 45, 50, 60}},
      {kRowWetBulbZero, {5000, 6000, 7000, 8500, 9000, 10000, 11000}},
      {kRowLiftedIndex, {2, 1, -3, -8, 0, 0, 0}},
      {kRowLayerShear, {100, 200, 250, 9999, 0, 0, 0}},
      {kRowPrecipitation, {0, 0.1f, 0.2f, 0.4f, 0, 0, 0}},
  };
  for (const auto& c : cases)
    for (int col = 0; col < 7; ++col) EXPECT_FLOAT_EQ(t(c.row, col), c.v[col]) << "row " << c.row << " col " << col;
  for (int r = 0; r < kIndexThresholdRows; ++r) {
    if (IndexThresholdTable::TwoSided(r)) continue;
    for (int col = 4; col < 7; ++col) EXPECT_EQ(t(r, col), 0.0f) << r;
  }
}

TEST(IndexThresholds, LayoutAndBounds) {
  EXPECT_EQ(IndexThresholdTable::Index(3, 2), 3 + 26 * 2);
  IndexThresholdTable t;
  EXPECT_THROW(t(26, 0), std::out_of_range);
  EXPECT_THROW(t(0, 7), std::out_of_range);
  EXPECT_THROW(t(-1, 0), std::out_of_range);
  EXPECT_STREQ(kIndexNames[kRowPrecipWaterGauge], kIndexNames[kRowPrecipWater]);
  EXPECT_STREQ(kIndexNames[kRowLayerShear], "Layer to Layer Shear (1/hr)");
}

}  // namespace
}  // namespace ondrik
