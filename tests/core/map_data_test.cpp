// Checks the committed map files in data/ with plain number reads: the outline
// files (pairs of latitude and east-positive longitude, breaks above 999) and
// the feature table Ondrik.Dat (groups of rows keyed by rising flow direction,
// latitude and west-positive longitude pairs, a negative key ending a group).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kData = ONDRIK_DATA_DIR;

// All numbers of a file; commas and line ends both separate them.
std::vector<double> Numbers(const std::filesystem::path& path, bool* clean) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::replace(text.begin(), text.end(), ',', ' ');
  std::istringstream s(text);
  std::vector<double> v;
  double x;
  while (s >> x) v.push_back(x);
  *clean = s.eof();
  return v;
}

struct Landmark {
  double lat, lon;  // east-positive
  double within;    // degrees
};

struct OutlineFile {
  std::string caption;
  std::uintmax_t maxBytes;
  int minLines;
  Landmark near;  // a vertex lies near it
};

TEST(MapData, OutlineFilesArePointPairsWithBreaks) {
  const std::vector<OutlineFile> files = {
      {"State", 1000000, 100, {36.999, -109.045, 0.02}},  // Four Corners
      {"County", 4000000, 2000, {36.999, -109.045, 0.02}},
      {"Country", 1000000, 100, {49.0, -110.0, 0.3}},  // on the 49th parallel
  };
  for (const OutlineFile& f : files) {
    SCOPED_TRACE(f.caption);
    const std::filesystem::path path = kData / ("Map_" + f.caption + ".dat");
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_LT(std::filesystem::file_size(path), f.maxBytes);
    bool clean = false;
    const std::vector<double> v = Numbers(path, &clean);
    EXPECT_TRUE(clean) << "a value that is not a number";
    ASSERT_EQ(v.size() % 2, 0u);
    ASSERT_FALSE(v.empty());
    EXPECT_GT(v[0], 999) << "the file starts with a break";
    int lines = 0, pointsInLine = 0, outside = 0, shortLines = 0;
    bool landmark = false;
    for (size_t i = 0; i < v.size(); i += 2) {
      if (v[i] > 999) {
        if (i > 0 && pointsInLine < 2) ++shortLines;
        ++lines;
        pointsInLine = 0;
        continue;
      }
      ++pointsInLine;
      const double lat = v[i], lon = v[i + 1];
      if (lat < 15 || lat > 60 || lon < -135 || lon > -55) ++outside;
      if (std::fabs(lat - f.near.lat) < f.near.within && std::fabs(lon - f.near.lon) < f.near.within) landmark = true;
    }
    if (pointsInLine < 2) ++shortLines;
    EXPECT_GE(lines, f.minLines);
    EXPECT_EQ(outside, 0) << "points beyond the clipping box or latitude and longitude swapped";
    EXPECT_EQ(shortLines, 0) << "lines of fewer than two points";
    EXPECT_TRUE(landmark) << "no vertex near " << f.near.lat << ", " << f.near.lon;
  }
}

TEST(MapData, FeatureTableGroupsFitTheTable) {
  bool clean = false;
  const std::vector<double> v = Numbers(kData / "Ondrik.Dat", &clean);
  EXPECT_TRUE(clean) << "a value that is not a number";
  ASSERT_FALSE(v.empty());
  EXPECT_LT(v.back(), 0) << "the last group is ended";
  std::vector<std::vector<double>> groups;  // keys of each group
  size_t i = 0;
  while (i < v.size()) {
    groups.emplace_back();
    while (i < v.size()) {
      const double k = v[i++];
      if (k < 0) break;
      if (k == 0) continue;
      ASSERT_LE(i + 8, v.size()) << "a row cut short";
      for (int c = 0; c < 4; ++c) {
        const double lat = v[i + 2 * c], lonWest = v[i + 2 * c + 1];
        EXPECT_TRUE(lat > 40 && lat < 50 && lonWest > 74 && lonWest < 94)
            << "group " << groups.size() << " key " << k << " point " << c + 1 << ": " << lat << ", "
            << lonWest << " is not near the Great Lakes (longitude positive west)";
      }
      groups.back().push_back(k);
      i += 8;
    }
  }
  ASSERT_GE(groups.size(), 1u);
  EXPECT_LE(groups.size(), 10u);
  for (size_t g = 0; g < groups.size(); ++g) {
    SCOPED_TRACE("group " + std::to_string(g + 1));
    const std::vector<double>& keys = groups[g];
    EXPECT_GE(keys.size(), 2u) << "a group of one row is never drawn";
    EXPECT_LE(keys.size(), 30u);
    for (size_t r = 0; r < keys.size(); ++r) {
      EXPECT_LE(keys[r], 360);
      if (r > 0) {
        EXPECT_GT(keys[r], keys[r - 1]) << "directions rise within a group";
      }
    }
  }
}

}  // namespace
