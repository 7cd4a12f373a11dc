// Every result lives in the profile store: a new file finds none of an
// earlier file's values or results, and a file that fails to load leaves the
// loaded data and their results whole.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/ccl.h"
#include "core/derived.h"
#include "core/guards.h"
#include "core/mbe.h"
#include "core/parcels.h"
#include "core/preciptype.h"
#include "core/reader.h"
#include "core/shear.h"
#include "core/store.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

LoadOptions Options(const std::string& key) {
  LoadOptions o;
  o.modelKey = key;
  o.sigmaLevelStep = 3;
  o.sigmaLevelPres = 850;
  o.srInflowDepth = 3;
  return o;
}

const std::string kNam = std::string(ONDRIK_DATA_DIR) + "/NAM_KOKC.ond";
const std::string kGfs = std::string(ONDRIK_DATA_DIR) + "/GFS_KBOS.ond";

// Runs every computation the displays ask for on every hour of every
// dataset, and fills the chart's own results (parcel traces, precipitation
// type) the way a redraw would.
void ComputeEveryResult() {
  for (Integer d = 1; d <= gDatasetCount; ++d) {
    const CurrentDatasetGuard current(d);
    for (Integer h = 0; h <= gLastHour(d); ++h) {
      for (Integer option : {kShearSixKm, kShearOneKm, kShearEffective})
        ComputeBulkShear(d, h, option);
      ComputeSRHelicity(h);
      ComputeMBEVectors(d, h, 0, true);
      LiftSurfaceParcel(h);
      ComputeLayerCapes(h);
      for (Integer l0 = 1; l0 <= gNumLevels(d); ++l0) ComputeEffectiveParcels(d, h, l0);
      for (Integer l = 0; l <= gNumLevels(d); ++l) {
        gParcelTraceTemp(d, h, l) = 1.5f;
        gCinTraceTemp(d, h, l) = -2.5f;
      }
      gParcelTraceDone(d, h) = -1;
      gCinTraceDone(d, h) = -1;
      gPtypeCode(d, h) = kPtypeSnow;
      gWindEdited(d, h) = true;
    }
    ComputeTQIndex();
    FindWarmCloudTop();
    ComputeWarmCloudDepth();
    MakeThickness();
    SmoothOmega();
  }
}

// Bitwise equality of one array of two stores (text by value).
template <typename A>
bool Same(const A& a, const A& b) {
  if constexpr (std::is_trivially_copyable_v<A>) {
    return std::memcmp(&a.Values(), &b.Values(), sizeof(a.Values())) == 0;
  } else {
    return a == b;
  }
}

// Every array of the current store equals the one of `expected`.
void ExpectStoreEquals(const ProfileStore& expected, const std::string& when) {
  const ProfileStore& s = Store();
#define ONDRIK_EXPECT_SAME(name) EXPECT_TRUE(Same(s.name, expected.name)) << #name << ", " << when;
  ONDRIK_STORE_ARRAYS(ONDRIK_EXPECT_SAME)
#undef ONDRIK_EXPECT_SAME
  EXPECT_TRUE(s.gTitleWords == expected.gTitleWords) << when;
  EXPECT_EQ(s.gTitleColumnCount, expected.gTitleColumnCount) << when;
}

TEST(StoreResults, ANewFileFindsNothingOfTheFileBefore) {
  // What the GFS file gives on its own, and the results it must start from.
  ASSERT_TRUE(LoadProfileFile(kGfs, Options("gfs3")).ok);
  const auto alone = std::make_unique<ProfileStore>(Store());
  const auto zero = std::make_unique<ProfileStore>();
  for (Integer d = 0; d <= kMaxDatasets; ++d) {
    for (Integer h = 0; h < kMaxHours; ++h) EXPECT_EQ(gSRHTopLevel(d, h), 0) << d << " " << h;
  }
#define ONDRIK_EXPECT_FRESH(name) EXPECT_TRUE(Same(alone->name, zero->name)) << #name;
  ONDRIK_EXPECT_FRESH(gBulkShear) ONDRIK_EXPECT_FRESH(gEffectiveCape)
  ONDRIK_EXPECT_FRESH(gSRHTopLevel) ONDRIK_EXPECT_FRESH(gSRHBottomLevel)
  ONDRIK_EXPECT_FRESH(gSRWindU) ONDRIK_EXPECT_FRESH(gHelicity)
  ONDRIK_EXPECT_FRESH(gSRHLayerShearPerKm) ONDRIK_EXPECT_FRESH(gMbeU)
  ONDRIK_EXPECT_FRESH(gMbeUpwindDir) ONDRIK_EXPECT_FRESH(gLLJPres)
  ONDRIK_EXPECT_FRESH(gLakeParcelTemp) ONDRIK_EXPECT_FRESH(gLakeCape)
  ONDRIK_EXPECT_FRESH(gLayerCape) ONDRIK_EXPECT_FRESH(gElevCape)
  ONDRIK_EXPECT_FRESH(gElevELTemp) ONDRIK_EXPECT_FRESH(gElevParcelTemp)
  ONDRIK_EXPECT_FRESH(gLevelParcelDone) ONDRIK_EXPECT_FRESH(gParcelTraceTemp)
  ONDRIK_EXPECT_FRESH(gCinTraceTemp) ONDRIK_EXPECT_FRESH(gPtypeCode)
  ONDRIK_EXPECT_FRESH(gOmegaSmooth) ONDRIK_EXPECT_FRESH(ThickHeights)
  ONDRIK_EXPECT_FRESH(gTQIndex) ONDRIK_EXPECT_FRESH(gWarmCloudDepth)
#undef ONDRIK_EXPECT_FRESH

  // Every result of the NAM file in both stores (the reader fills the two by
  // turns), then the GFS file into one of them, and into the other.
  for (int k = 0; k < 2; ++k) {
    for (int twice = 0; twice < 2; ++twice) {
      ASSERT_TRUE(LoadProfileFile(kNam, Options("eta")).ok);
      ComputeEveryResult();
    }
    ASSERT_TRUE(LoadProfileFile(kGfs, Options("gfs3")).ok);
    ExpectStoreEquals(*alone, "after the NAM file, round " + std::to_string(k));
  }

  // A helicity layer chosen on the hodograph does not outlive its file: the
  // next one starts from the inflow depth.
  ASSERT_TRUE(LoadProfileFile(kNam, Options("eta")).ok);
  ComputeSRHelicity(0);
  const Integer inflowTop = gSRHTopLevel(1, 0);
  const Single inflowHelicity = gHelicity(1, 0);
  gSRHTopLevel(1, 0) = inflowTop + 5;
  gSRHBottomLevel(1, 0) = 2;
  ComputeSRHelicity(0);
  ASSERT_TRUE(LoadProfileFile(kNam, Options("eta")).ok);
  EXPECT_EQ(gSRHTopLevel(1, 0), 0);
  EXPECT_EQ(gSRHBottomLevel(1, 0), 0);
  ComputeSRHelicity(0);
  EXPECT_EQ(gSRHTopLevel(1, 0), inflowTop);
  EXPECT_EQ(gHelicity(1, 0), inflowHelicity);
}

TEST(StoreResults, AFailedLoadKeepsTheResultsWhole) {
  ASSERT_TRUE(LoadProfileFile(kNam, Options("eta")).ok);
  ComputeEveryResult();
  const auto before = std::make_unique<ProfileStore>(Store());

  // The GFS file cut in half ends too early.
  std::ifstream in(kGfs, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const fs::path cut = testing::OwnTestFile("store_results", "cut.ond");
  std::ofstream(cut, std::ios::binary) << text.str().substr(0, text.str().size() / 2);
  ASSERT_FALSE(LoadProfileFile(cut.string(), Options("gfs3")).ok);
  ExpectStoreEquals(*before, "after the failed load");

  // The next good load still starts from nothing.
  ASSERT_TRUE(LoadProfileFile(kNam, Options("eta")).ok);
  EXPECT_EQ(gHelicityDone(1, 0), 0);
  EXPECT_EQ(gSRHTopLevel(1, 0), 0);
  EXPECT_FALSE(gLevelParcelDone(1, 0, 1));
  EXPECT_EQ(gElevParcelTemp(1, 0, 1, 1), 0.0f);
}

// Datasets read side by side leave the store, the load's scalars and any
// message as reading them one after the other does, whatever the file:
// alike datasets in either order, two-character line ends, one a line longer
// than the rest before others with titles of two letters (each would also
// read from a line too early, taking the line before as its title), a fault
// in a later dataset, more datasets than the store holds.
TEST(StoreResults, DatasetsReadSideBySideAsOneAfterTheOther) {
  std::ifstream in(std::string(ONDRIK_DATA_DIR) + "/SREF_KOKC.ond", std::ios::binary);
  std::stringstream read;
  read << in.rdbuf();
  const std::string sref = read.str();
  // Its 8 datasets, each up to its closing blank line and the line after it.
  std::vector<std::string> datasets;
  for (std::size_t start = 0; start < sref.size();) {
    const std::size_t end = sref.find('\n', sref.find("\n\n---", start) + 2) + 1;
    datasets.push_back(sref.substr(start, end - start));
    start = end;
  }
  ASSERT_EQ(datasets.size(), 8u);
  std::string reversed, crlf, uneven, misdated = sref;
  for (auto d = datasets.rbegin(); d != datasets.rend(); ++d) reversed += *d;
  for (const char c : sref) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (std::size_t k = 0; k < datasets.size(); ++k) {
    std::string d = datasets[k];
    if (k == 2) d.insert(d.find("\n\n---") + 1, "ONE MORE LINE\n");
    if (k >= 3) d.replace(0, d.find('\n'), "N" + std::to_string(k));
    if (k == 7) d.erase(d.find("\n\n---") + 2);  // the file as long as the others
    uneven += d;
  }
  misdated.replace(misdated.find("TIME", sref.size() * 5 / 8 + 2000), 4, "TIMX");
  const std::vector<std::pair<std::string, std::string>> files = {
      {"alike", sref},
      {"reversed", reversed},
      {"crlf", crlf},
      {"uneven", uneven},
      {"cut", sref.substr(0, sref.size() * 5 / 8 + 5000)},
      {"misdated", misdated},
      {"32 datasets", sref + sref + sref + sref},
  };
  for (const auto& [name, text] : files) {
    const std::string path = testing::OwnTestFile("store_results", "side_by_side.ond").string();
    std::ofstream(path, std::ios::binary) << text;
    LoadOptions options = Options("eta");
    options.readSideBySide = false;
    const LoadResult alone = LoadProfileFile(path, options);
    const auto expected = std::make_unique<ProfileStore>(Store());
    const std::array<double, 6> scalars = {static_cast<double>(gDatasetCount), MaxSpecHum, MaxSfcPres,
                                           static_cast<double>(gChartBottom), gHoursPerStep,
                                           static_cast<double>(gTZOffset)};
    ASSERT_TRUE(LoadProfileFile(kNam, Options("eta")).ok);  // the other store, filled
    options.readSideBySide = true;
    const LoadResult sideBySide = LoadProfileFile(path, options);
    EXPECT_EQ(sideBySide.ok, alone.ok) << name;
    EXPECT_EQ(sideBySide.message, alone.message) << name;
    if (!alone.ok) continue;
    ExpectStoreEquals(*expected, name);
    EXPECT_EQ((std::array<double, 6>{static_cast<double>(gDatasetCount), MaxSpecHum, MaxSfcPres,
                                     static_cast<double>(gChartBottom), gHoursPerStep,
                                     static_cast<double>(gTZOffset)}),
              scalars)
        << name;
  }
}

}  // namespace
}  // namespace ondrik
