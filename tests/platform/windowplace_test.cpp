#include "platform/windowplace.h"

#include <gtest/gtest.h>

#include <vector>

namespace ondrik {
namespace {

// A saved place that a damaged or foreign history may hold, on a 1600 x 1000
// screen (and a second one of 1280 x 1024 to its right), for a window of at
// least 927 x 719: where the window comes up.
TEST(WindowPlaceTest, SavedPlacesComeUpOnAScreen) {
  const QRect primary(0, 0, 1600, 1000);
  const QRect second(1600, 0, 1280, 1024);
  const std::vector<QRect> one{primary}, two{primary, second};
  const QSize smallest(927, 719);
  const struct {
    const char* what;
    QRect saved;
    std::vector<QRect> screens;
    QRect expected;
  } cases[] = {
      {"a sound place stays", {300, 200, 1000, 734}, one, {300, 200, 1000, 734}},
      {"a size beyond any screen", {0, 0, 143165576, 143165576}, one, {0, 0, 1584, 952}},
      {"zero size", {10, 20, 0, 0}, one, {10, 20, 927, 719}},
      {"negative size", {10, 20, -1000, -734}, one, {10, 20, 927, 719}},
      {"left edge at the screen's width", {1600, 100, 1000, 734}, one, {0, 100, 1000, 734}},
      {"far to the left", {-6666, 100, 1000, 734}, one, {0, 100, 1000, 734}},
      {"right of both screens", {3392, 100, 1000, 734}, two, {0, 100, 1000, 734}},
      {"on the second screen, sized to it", {2000, 10, 143165576, 143165576}, two, {2000, 10, 1264, 976}},
      {"title bar above the screen", {200, -40, 1000, 734}, one, {200, 0, 1000, 734}},
      {"top edge too near the bottom", {200, 950, 1000, 734}, one, {200, 0, 1000, 734}},
      {"top edge low but reachable", {200, 900, 1000, 734}, one, {200, 900, 1000, 734}},
      {"too little of the width on the screen", {1501, 100, 1000, 734}, one, {0, 100, 1000, 734}},
      {"just enough of the width on the screen", {1480, 100, 1000, 734}, one, {1480, 100, 1000, 734}},
      {"far off on both sides", {-99999, 99999, 5, 5}, one, {0, 0, 927, 719}},
      {"a screen smaller than the window's smallest size", {100, 50, 1000, 734}, {QRect(0, 0, 800, 600)},
       {100, 50, 927, 719}},
      {"no screen at all", {5000, 5000, 1000, 734}, {}, {0, 0, 927, 719}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FitToScreens(c.saved, smallest, c.screens), c.expected);
  }
}

}  // namespace
}  // namespace ondrik
