#include "core/guards.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/mbe.h"
#include "tests/core/sounding.h"

namespace ondrik {
namespace {

TEST(ComputeOnce, RunsWhileTheFlagIsNotDoneAndTheComputationMarksIt) {
  // Integer flags are done at -1 only, Boolean flags at true.
  struct Row {
    Integer flag;
    bool runs;
  };
  for (const Row& r : {Row{0, true}, Row{-1, false}}) {
    int runs = 0;
    ComputeOnce(r.flag, [&] { ++runs; });
    EXPECT_EQ(runs, r.runs ? 1 : 0) << r.flag;
  }
  for (const bool flag : {false, true}) {
    int runs = 0;
    ComputeOnce(flag, [&] { ++runs; });
    EXPECT_EQ(runs, flag ? 0 : 1) << flag;
  }
  Integer i = 0;
  Boolean b = false;
  MarkDone(i);
  MarkDone(b);
  EXPECT_EQ(i, -1);
  EXPECT_TRUE(b);
  EXPECT_TRUE(IsDone(i));
  EXPECT_TRUE(IsDone(b));

  // A store result: computed on the first call only, until its flag is
  // cleared again.
  testing::SetSounding(1, 0, {{1000, 20, 15, 180, 10, 100}, {850, 10, 5, 240, 30, 1500},
                              {700, 0, -5, 260, 40, 3000}, {500, -15, -25, 270, 50, 5600}});
  gLastHour(1) = 0;
  gMbeDone(1, 0) = 0;
  int runs = 0;
  auto mbe = [&] {
    ++runs;
    ComputeMBEVectors(1, 0, 0, false);
  };
  ComputeOnce(gMbeDone(1, 0), mbe);
  ComputeOnce(gMbeDone(1, 0), mbe);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(IsDone(gMbeDone(1, 0)));
  gMbeDone(1, 0) = 0;
  ComputeOnce(gMbeDone(1, 0), mbe);
  EXPECT_EQ(runs, 2);
}

TEST(CurrentDatasetGuard, GivesTheDatasetBackOnEveryExit) {
  gCurDataset = 3;
  try {
    const CurrentDatasetGuard g(7);
    EXPECT_EQ(gCurDataset, 7);
    throw std::runtime_error("step failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(gCurDataset, 3);
  {
    const CurrentDatasetGuard g;
    gCurDataset = 9;
  }
  EXPECT_EQ(gCurDataset, 3);
}

}  // namespace
}  // namespace ondrik
