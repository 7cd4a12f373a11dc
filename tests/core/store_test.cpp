#include "core/store.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace ondrik {
namespace {

TEST(ProfileStore, ElementLayoutAndBounds) {
  EXPECT_EQ((LevelArray<Single>::Index(3, 2, 5)), 3 + 25 * 2 + 2125 * 5);
  EXPECT_EQ((LevelArray<Single, -1>::Index(3, 2, 5)), 3 + 25 * 2 + 2125 * 6);
  EXPECT_EQ((LevelArray<Single, -1>::Index(0, 0, -1)), 0);
  EXPECT_EQ(HourArray<Single>::Index(24, 84), 24 + 25 * 84);
  EXPECT_NO_THROW(gTemp(24, 84, 67));
  EXPECT_THROW(gTemp(25, 0, 1), std::out_of_range);
  EXPECT_THROW(gTemp(1, 85, 1), std::out_of_range);
  EXPECT_THROW(gTemp(1, 0, 68), std::out_of_range);
  EXPECT_THROW(gTemp(1, 0, -1), std::out_of_range);
  EXPECT_NO_THROW(gWindU(1, 0, -1));
  EXPECT_THROW(gWindU(1, 0, -2), std::out_of_range);
  EXPECT_THROW(gLastHour(-1), std::out_of_range);
}

// Every element keeps its own place (no two share one), and a run of one
// hour's elements read through Of() holds them in order, on arrays whose
// elements start at -1, at 0 and on a handful.
TEST(ProfileStore, OneHoursElementsReadAsARun) {
  auto s = std::make_unique<ProfileStore>();
  for (int d : {0, 7, 24}) {
    for (int h : {0, 50, 84}) {
      for (int l = -1; l <= kMaxLevels; ++l) {
        s->gWindU(d, h, l) = static_cast<Single>(1000 * d + 10 * h + l);
        if (l >= 0) s->gTemp(d, h, l) = static_cast<Single>(-1000 * d - 10 * h - l);
        if (l >= 0 && l <= 7) s->gLayerCape(d, h, l) = static_cast<Single>(d + h + l);
      }
    }
  }
  for (int d : {0, 7, 24}) {
    for (int h : {0, 50, 84}) {
      const auto winds = s->gWindU.Of(d, h);
      const auto temps = s->gTemp.Of(d, h);
      const auto capes = s->gLayerCape.Of(d, h);
      ASSERT_EQ(winds.size(), 69u);
      ASSERT_EQ(temps.size(), 68u);
      ASSERT_EQ(capes.size(), 8u);
      for (int l = -1; l <= kMaxLevels; ++l) {
        const auto k = static_cast<std::size_t>(l);
        EXPECT_EQ(winds[k + 1], 1000 * d + 10 * h + l) << d << " " << h << " " << l;
        EXPECT_EQ(s->gWindU(d, h, l), 1000 * d + 10 * h + l);
        if (l >= 0) {
          EXPECT_EQ(temps[k], -1000 * d - 10 * h - l) << d << " " << h << " " << l;
        }
        if (l >= 0 && l <= 7) {
          EXPECT_EQ(capes[k], d + h + l);
        }
      }
    }
  }
  EXPECT_THROW(s->gTemp.Of(25, 0), std::out_of_range);
  EXPECT_THROW(s->gTemp.Of(0, 85), std::out_of_range);
}

TEST(ProfileStore, OverrideAndCommitSwitchTheCurrentStore) {
  gTemp(1, 0, 1) = 11.0f;
  ScratchStore().gTemp(1, 0, 1) = 22.0f;
  {
    StoreOverride o(ScratchStore());
    EXPECT_EQ(gTemp(1, 0, 1), 22.0f);
  }
  EXPECT_EQ(gTemp(1, 0, 1), 11.0f);
  CommitScratchStore();
  EXPECT_EQ(gTemp(1, 0, 1), 22.0f);
  EXPECT_EQ(ScratchStore().gTemp(1, 0, 1), 11.0f);
  CommitScratchStore();
  EXPECT_EQ(gTemp(1, 0, 1), 11.0f);
}

// Clearing zeroes only the rows written since the last clear: every element
// written, at the edges of every index and in between, must read zero again.
TEST(ProfileStore, ClearZeroesEveryWrittenElement) {
  const auto fresh = std::make_unique<ProfileStore>();
  auto s = std::make_unique<ProfileStore>();
  for (int round = 0; round < 2; ++round) {
    for (int d : {0, 1, 24}) {
      for (int h : {0, 41, 84}) {
        for (int l : {-1, 0, 33, 67}) {
          s->gWindU(d, h, l) = 1.5f;
          if (l >= 0) {
            s->gFrostPt(d, h, l) = -2.0;
            s->gLevelParcelDone(d, h, l) = true;
            s->gElevParcelTemp(d, h, l, 67 - l) = 3.0f;
          }
          if (l >= 0 && l <= 3) s->HainesIndex(d, h, l) = 5;
        }
      }
    }
    for (int h = 0; h < kMaxHours; ++h) s->gWindU(3, h, 10) = 2.5f;  // rows across words
    s->Clear();
    EXPECT_TRUE(s->gWindU == fresh->gWindU);
    EXPECT_TRUE(s->gFrostPt == fresh->gFrostPt);
    EXPECT_TRUE(s->gLevelParcelDone == fresh->gLevelParcelDone);
    EXPECT_TRUE(s->gElevParcelTemp == fresh->gElevParcelTemp);
    EXPECT_TRUE(s->HainesIndex == fresh->HainesIndex);
  }
}

// The marked rows come back as runs, joined across the 64-row words, the last
// one reaching the end; the marks are gone afterwards.
TEST(ProfileStore, WrittenRowsComeBackAsRuns) {
  using Runs = std::vector<std::pair<std::ptrdiff_t, std::ptrdiff_t>>;
  const std::vector<std::pair<std::vector<int>, Runs>> cases = {
      {{}, {}},
      {{0}, {{0, 1}}},
      {{127}, {{127, 1}}},
      {{5, 6, 7, 9}, {{5, 3}, {9, 1}}},
      {{62, 63, 64, 65}, {{62, 4}}},
      {{63, 65}, {{63, 1}, {65, 1}}},
      {{120, 121, 122, 123, 124, 125, 126, 127}, {{120, 8}}},
  };
  for (const auto& [rows, expected] : cases) {
    WrittenRows<128> marks;
    for (int r : rows) marks.Mark(r);
    Runs got;
    marks.ClearRuns([&got](std::ptrdiff_t first, std::ptrdiff_t n) { got.emplace_back(first, n); });
    EXPECT_EQ(got, expected) << rows.size() << " rows";
    got.clear();
    marks.ClearRuns([&got](std::ptrdiff_t first, std::ptrdiff_t n) { got.emplace_back(first, n); });
    EXPECT_TRUE(got.empty());
  }
  WrittenRows<130> all;
  for (int r = 0; r < 130; ++r) all.Mark(r);
  Runs got;
  all.ClearRuns([&got](std::ptrdiff_t first, std::ptrdiff_t n) { got.emplace_back(first, n); });
  EXPECT_EQ(got, (Runs{{0, 130}}));
}

// Rows kept in groups with words of their own (a dataset's 85 hours) come
// back as the same runs as without groups, joined across the groups' edges.
TEST(ProfileStore, WrittenRowsInGroupsComeBackAsWithout) {
  constexpr int kRows = 3 * kMaxHours + 40;
  using Runs = std::vector<std::pair<std::ptrdiff_t, std::ptrdiff_t>>;
  std::vector<std::vector<int>> cases = {{}, {84, 85}, {83, 84}, {84}, {85}, {169, 170, kRows - 1},
                                         {60, 61, 62, 63, 64, 65, 66}, {0, 84, 85, 169, 170, 254, 255}};
  std::vector<int> every(kRows);
  for (int r = 0; r < kRows; ++r) every[static_cast<std::size_t>(r)] = r;
  cases.push_back(every);
  unsigned x = 7;
  for (int k = 0; k < 200; ++k) {  // runs of random lengths
    std::vector<int> rows;
    for (int r = 0; r < kRows; ++r) {
      x = x * 1664525u + 1013904223u;
      if (static_cast<int>(x >> 28) < (k % 4) * 4) rows.push_back(r);
    }
    cases.push_back(rows);
  }
  for (const std::vector<int>& rows : cases) {
    WrittenRows<kRows, kMaxHours> grouped;
    WrittenRows<kRows> plain;
    for (int r : rows) {
      grouped.Mark(r / kMaxHours, r % kMaxHours);
      plain.Mark(r);
    }
    Runs got, expected;
    grouped.ClearRuns([&got](std::ptrdiff_t first, std::ptrdiff_t n) { got.emplace_back(first, n); });
    plain.ClearRuns([&expected](std::ptrdiff_t first, std::ptrdiff_t n) { expected.emplace_back(first, n); });
    EXPECT_EQ(got, expected) << rows.size() << " rows";
    got.clear();
    grouped.ClearRuns([&got](std::ptrdiff_t first, std::ptrdiff_t n) { got.emplace_back(first, n); });
    EXPECT_TRUE(got.empty());
  }
}

}  // namespace
}  // namespace ondrik
