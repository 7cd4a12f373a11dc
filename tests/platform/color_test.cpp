// A text's colour made to read on its ground: kept where it reads, else the
// nearest that does, mixed with black or white, its hue kept.
#include <gtest/gtest.h>

#include "platform/color.h"

namespace ondrik {
namespace {

TEST(ReadableOn, KeptWhereItReadsElseTheNearestThatDoes) {
  constexpr Color grey = RGB(127, 127, 127);
  const struct {
    const char* name;
    Color text, ground;
    int towards;  // 0: kept, -1: darker, 1: lighter
  } cases[] = {
      {"red on black", kRed, kBlack, 0},          {"yellow on grey", kYellow, grey, 0},
      {"red on grey", kRed, grey, -1},            {"blue on grey", kBlue, grey, -1},
      {"green on grey", kGreen, grey, 1},         {"dark grey on black", RGB(40, 40, 40), kBlack, 1},
      {"grey on its own grey", grey, grey, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Color r = ReadableOn(c.text, c.ground);
    EXPECT_GE(Contrast(r, c.ground), kLeastTextContrast);
    if (c.towards == 0) {
      EXPECT_EQ(r, c.text);
      continue;
    }
    // Each of its parts moved the same share of the way to black or white.
    const int to = c.towards < 0 ? 0 : 255;
    const auto share = [&](int from, int now) { return from == to ? -1.0 : (now - from) / double(to - from); };
    const double red = share(RedOf(c.text), RedOf(r)), green = share(GreenOf(c.text), GreenOf(r)),
                 blue = share(BlueOf(c.text), BlueOf(r));
    double first = -1;
    for (const double s : {red, green, blue}) {
      if (s < 0) continue;
      EXPECT_GT(s, 0);
      if (first < 0) first = s;
      EXPECT_NEAR(s, first, 0.01);
    }
  }
}

}  // namespace
}  // namespace ondrik
