// Levels whose values are missing in the file (every value but the pressure
// -9999) are no levels to the overview: nothing is contoured, hatched or
// pointed there, and the fields made from the levels leave them out.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "overview/boxes.h"
#include "overview/calc.h"
#include "tests/core/profile_text.h"
#include "tests/overview/overview_test_util.h"

namespace ondrik {
namespace {

using testing::ProfileFileSpec;

// The profile written to a file of the test's own (tests run side by side).
bool LoadSpec(const ProfileFileSpec& spec, OverviewState& s) {
  std::filesystem::create_directories(ONDRIK_TEST_TMP);
  const std::string path = std::string(ONDRIK_TEST_TMP) + "/missing-levels-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ond";
  std::ofstream(path, std::ios::binary) << testing::MakeProfileText(spec);
  return testing::LoadOverviewFile(path, s, "KORD - NAM - ONDRIK");
}

// The plane with one row ticked, and nothing else (no grid).
QImage DrawRow(const ProfileFileSpec& spec, BoxId id) {
  OverviewState s;
  if (!LoadSpec(spec, s)) return {};
  testing::OverviewPictures pics;
  OverviewDraw d = pics.Draw(s);
  s.opt = OverviewOptions{};
  s.opt.box[static_cast<size_t>(id)] = 1;
  PlotData(d);
  return pics.rh.Image().copy();
}

// A profile whose levels are all missing but the lowest draws, row by row,
// what the same profile cut to its lowest level draws: no contour, hatch or
// vector runs from the lowest level to values that are not there.
TEST(MissingLevelsTest, AllButTheLowestMissingDrawsAsTheLowestAlone) {
  ProfileFileSpec sparse;
  sparse.hours = 12;
  sparse.levels = 20;
  sparse.gapFrom = 2;
  ProfileFileSpec lowest = sparse;
  lowest.levels = 1;
  lowest.gapFrom = 0;
  int compared = 0;
  for (const OverviewRow& r : OverviewRows()) {
    if ((r.kind != BoxKind::Field && r.kind != BoxKind::Strip) || r.plot == nullptr) continue;
    // The cloud cell of a level reaches up to the next level's pressure,
    // which a level with missing values still has.
    if (r.id == kBoxClouds) continue;
    const QImage a = DrawRow(sparse, r.id), b = DrawRow(lowest, r.id);
    ASSERT_FALSE(a.isNull() || b.isNull());
    EXPECT_TRUE(a == b) << r.name;
    ++compared;
  }
  EXPECT_GT(compared, 60);
}

// Each field made from the levels, on a profile whose levels 6 to 8 are
// missing, holds no value there and at every other level the value it holds
// on the same profile without those levels; a level below the gap has no
// shear to the level above it.
TEST(MissingLevelsTest, FieldsMadeFromTheLevelsLeaveMissingOnesOut) {
  ProfileFileSpec gap;
  gap.hours = 4;
  gap.levels = 20;
  gap.gapFrom = 6;
  gap.gapTo = 8;
  ProfileFileSpec without = gap;
  without.gapLeftOut = true;
  constexpr int kBelowGap = 5, kAboveGap = 9, kGapLevels = 3;
  struct Field {
    const char* name;
    std::function<void()> make;
    LevelArray<Single> ProfileStore::*values;  // of the store a load makes current
    bool belowGapToo;                          // the level under the gap has none either
  };
  using S = ProfileStore;
  const Field fields[] = {
      {"icing", [] { MakeIcing(1); }, &S::IcingIndex, false},
      {"theta-e from the surface", [] { MakeDeltaThetaE(1); }, &S::DeltaThetaE, false},
      {"snow growth", [] { MakeSnowGrowth(1); }, &S::SnowGrowth, false},
      {"mean mixing ratio", [] { MakeMeanMixingRatio(1); }, &S::gMeanMixRatio, false},
      {"hodograph length", [] { MakeHodoLengthShear(1, false); }, &S::HodoLengthShear, false},
      {"hodograph length per km", [] { MakeHodoLengthShear(1, true); }, &S::HodoLengthShear, false},
      {"shear from the lowest 500 m", [] { MakeShearContour(1); }, &S::ShearContour, false},
      {"layer to layer shear", [] { MakeLayertoLayer(1); }, &S::LayertoLayer, true},
  };
  for (const Field& f : fields) {
    SCOPED_TRACE(f.name);
    OverviewState s;
    ASSERT_TRUE(LoadSpec(without, s));
    f.make();
    std::vector<Single> expected;
    for (int h = 0; h < gap.hours; ++h)
      for (int k = 1; k <= gap.levels - kGapLevels; ++k) expected.push_back((Store().*f.values)(1, h, k));
    ASSERT_TRUE(LoadSpec(gap, s));
    f.make();
    size_t i = 0;
    for (int h = 0; h < gap.hours; ++h)
      for (int k = 1; k <= gap.levels; ++k) {
        const Single v = (Store().*f.values)(1, h, k);
        if (k > kBelowGap && k < kAboveGap) {
          EXPECT_TRUE(std::isnan(v)) << "hour " << h << " level " << k << ": " << v;
          continue;
        }
        const Single want = expected[i++];
        if (k == kBelowGap && f.belowGapToo) {
          EXPECT_TRUE(std::isnan(v)) << "hour " << h << " level " << k << ": " << v;
        } else if (std::isnan(want)) {
          EXPECT_TRUE(std::isnan(v)) << "hour " << h << " level " << k << ": " << v;
        } else {
          EXPECT_FLOAT_EQ(v, want) << "hour " << h << " level " << k;
        }
      }
  }

  // The mean wind of a layer across the gap is that of its levels with a wind.
  OverviewState s;
  ASSERT_TRUE(LoadSpec(without, s));
  ComputeMeanWind(1, 2, 12 - kGapLevels);
  std::vector<Single> dir, spread;
  for (int h = 0; h < gap.hours; ++h) {
    dir.push_back(Store().MeanWindDir(1, h));
    spread.push_back(Store().MeanWindSpread(1, h));
  }
  ASSERT_TRUE(LoadSpec(gap, s));
  ComputeMeanWind(1, 2, 12);
  for (int h = 0; h < gap.hours; ++h) {
    EXPECT_FLOAT_EQ(Store().MeanWindDir(1, h), dir[static_cast<size_t>(h)]) << h;
    EXPECT_FLOAT_EQ(Store().MeanWindSpread(1, h), spread[static_cast<size_t>(h)]) << h;
  }
  // A layer of missing levels alone has no mean.
  ComputeMeanWind(1, 6, 8);
  EXPECT_TRUE(std::isnan(Store().MeanWindDir(1, 0)));
}

}  // namespace
}  // namespace ondrik
