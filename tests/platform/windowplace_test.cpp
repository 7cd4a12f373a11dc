#include "platform/windowplace.h"

#include <gtest/gtest.h>

#include <vector>

namespace ondrik {
namespace {

// A saved place (a damaged or foreign history's, or one left partly off the
// screen) on a 1600 x 1000 screen (and a second one of 1280 x 1024 to its
// right, or one to its upper left), for a window whose controls take 927 x
// 719, with a frame of 16 x 48: where the window comes up. It always comes
// up wholly on a screen; on one too small for it at the screen's room (its
// controls then scroll).
TEST(WindowPlaceTest, SavedPlacesComeUpOnAScreen) {
  const QRect primary(0, 0, 1600, 1000);
  const QRect second(1600, 0, 1280, 1024);
  const QRect upperLeft(-1280, -200, 1280, 1024);
  const std::vector<QRect> one{primary}, two{primary, second}, left{primary, upperLeft};
  const QSize smallest(927, 719);
  const struct {
    const char* what;
    QRect saved;
    std::vector<QRect> screens;
    QRect expected;
  } cases[] = {
      {"a sound place stays", {300, 200, 1000, 734}, one, {300, 200, 1000, 734}},
      {"touching the right and bottom edges stays", {584, 218, 1000, 734}, one, {584, 218, 1000, 734}},
      {"past the right edge", {1000, 300, 1000, 734}, one, {584, 218, 1000, 734}},
      {"one pixel past the right edge", {585, 100, 1000, 734}, one, {584, 100, 1000, 734}},
      {"past the left edge", {-100, 100, 1000, 734}, one, {0, 100, 1000, 734}},
      {"title bar above the screen", {200, -40, 1000, 734}, one, {200, 0, 1000, 734}},
      {"past the bottom", {200, 950, 1000, 734}, one, {200, 218, 1000, 734}},
      {"left edge at the screen's width", {1600, 100, 1000, 734}, one, {0, 100, 1000, 734}},
      {"far off on both sides", {-99999, 99999, 5, 5}, one, {0, 0, 927, 719}},
      {"a size beyond any screen", {0, 0, 143165576, 143165576}, one, {0, 0, 1584, 952}},
      {"zero size", {10, 20, 0, 0}, one, {10, 20, 927, 719}},
      {"negative size", {10, 20, -1000, -734}, one, {10, 20, 927, 719}},
      {"a screen smaller than the window: its room", {100, 50, 1000, 734}, {QRect(0, 0, 800, 600)}, {0, 0, 784, 552}},
      {"a screen too short for the window: its height", {100, 50, 1000, 734}, {QRect(0, 0, 1280, 700)}, {100, 0, 1000, 652}},
      {"across two screens stays", {1400, 100, 1000, 734}, two, {1400, 100, 1000, 734}},
      {"across two screens, past the second's edge", {2400, 100, 1000, 734}, two, {1864, 100, 1000, 734}},
      {"across two screens, past their bottoms", {1400, 500, 1000, 734}, two, {1600, 242, 1000, 734}},
      {"right of both screens", {3392, 100, 1000, 734}, two, {0, 100, 1000, 734}},
      {"on the second screen, sized to it", {2000, 10, 143165576, 143165576}, two, {1600, 0, 1264, 976}},
      {"on a screen left of and above the primary", {-1100, -300, 1000, 734}, left, {-1100, -200, 1000, 734}},
      {"no screen at all", {5000, 5000, 1000, 734}, {}, {0, 0, 927, 719}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FitToScreens(c.saved, smallest, c.screens), c.expected);
  }
}

}  // namespace
}  // namespace ondrik
