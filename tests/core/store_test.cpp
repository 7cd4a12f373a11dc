#include "core/store.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ondrik
