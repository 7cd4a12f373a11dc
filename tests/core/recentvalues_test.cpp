#include "core/recentvalues.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace ondrik {
namespace {

int gCalls = 0;
double Reciprocal(float x) {
  ++gCalls;
  return 1.0 / static_cast<double>(x);
}

template <int Bits>
void CheckMemo() {
  RecentValues<double, Bits> memo(Reciprocal);
  std::vector<float> keys = {0.0f, -0.0f, 1.0f, -1.0f, std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::denorm_min(), std::nanf("")};
  for (int k = 0; k < 3000; ++k) keys.push_back(900.0f + 0.1f * static_cast<float>(k));
  for (int round = 0; round < 2; ++round) {
    for (const float x : keys) {
      const double got = memo(x);
      const double want = 1.0 / static_cast<double>(x);
      if (std::isnan(want)) {
        EXPECT_TRUE(std::isnan(got));
      } else {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(want)) << x << " bits " << Bits;
      }
    }
  }
  // A value met just before is not worked out again, whatever the size.
  gCalls = 0;
  for (int k = 0; k < 5; ++k) memo(123.4f);
  EXPECT_LE(gCalls, 1);
}

// The memo gives the function's own result, bit for bit (zero and minus
// zero apart, no number never from a slot), in small and large tables where
// thousands of keys share slots.
TEST(RecentValues, GiveTheFunctionsOwnResults) {
  CheckMemo<4>();
  CheckMemo<12>();
  CheckMemo<14>();
}

}  // namespace
}  // namespace ondrik
