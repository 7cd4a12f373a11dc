// Checks the committed sample profile files in data/ with plain text reads:
// the line positions the profile reader and the site-list pass depend on,
// the number of hours and levels, the units of the surface section's soil
// temperatures, and the physical sense of the level lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct SampleFile {
  std::string name;
  bool gfs3;           // "gfs3" level layout (one line of eight items, then the height)
  int minDatasets;
};

const std::vector<SampleFile>& Samples() {
  static const std::vector<SampleFile> files = [] {
    std::vector<SampleFile> f;
    for (const char* model : {"NAM", "RUC", "GFS"})
      for (const char* site : {"KOKC", "KBOS", "KMSP", "KDEN"})
        f.push_back({std::string(model) + "_" + site + ".ond", std::string(model) == "GFS", 1});
    f.push_back({"SREF_KOKC.ond", false, 8});
    return f;
  }();
  return files;
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::vector<double> Numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  double x;
  while (in >> x) v.push_back(x);
  return v;
}

// Reads a number the way the site-list pass does: blanks skipped, then as
// much of a number as there is.
double LeadingNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

TEST(SampleData, FilesHaveTheLayoutTheReaderExpects) {
  const std::filesystem::path dir = ONDRIK_DATA_DIR;
  for (const SampleFile& sample : Samples()) {
    SCOPED_TRACE(sample.name);
    const std::filesystem::path path = dir / sample.name;
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_LT(std::filesystem::file_size(path), 1500000u);
    const std::vector<std::string> lines = ReadLines(path);
    const size_t surfaceItems = sample.gfs3 ? 23 : 33;
    const size_t surfaceHeader = sample.gfs3 ? 4 : 6;
    size_t i = 0;
    int datasets = 0;
    int levels = -1;
    while (i < lines.size()) {
      ++datasets;
      SCOPED_TRACE("dataset " + std::to_string(datasets));
      if (sample.minDatasets > 1) {
        EXPECT_NE(lines[i].find('#'), std::string::npos);
      }
      ASSERT_GE(lines.at(i + 1).size(), 5u);  // so the reader takes no extra line
      // The site-list pass reads line 5 as the first time line and line 6 as the site line.
      const std::string& site = lines.at(i + 5);
      EXPECT_EQ(lines.at(i + 4).find("TIME = "), 0u);
      const double lat = LeadingNumber(site.substr(6));
      EXPECT_TRUE(lat > 25 && lat < 50) << site;
      const size_t lon = site.find("LON =");
      ASSERT_NE(lon, std::string::npos);
      const double east = LeadingNumber(site.substr(lon + 6));  // negative in America
      EXPECT_TRUE(east < -60 && east > -130) << site;
      i += 4;
      int hours = 0;
      for (; lines.at(i).find("TIME") != std::string::npos; ++hours) {
        const std::string& time = lines[i];
        const size_t t = time.find("TIME");
        ASSERT_GE(time.size(), t + 18);
        EXPECT_EQ(time.substr(t + 4, 3), " = ");
        EXPECT_EQ(time[t + 13], '/');
        for (size_t k : {7u, 8u, 9u, 10u, 11u, 12u, 14u, 15u, 16u, 17u})
          EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(time[t + k])));
        EXPECT_EQ(Numbers(lines[i + 1].substr(lines[i + 1].find("SELV = ") + 7)).size(), 1u);
        for (int s = 4; s <= 7; ++s)  // station-index lines: 4, 4, 4, 1 name-value groups
          EXPECT_EQ(std::count(lines[i + s].begin(), lines[i + s].end(), '='), s == 7 ? 1 : 4);
        size_t end = i + 11;
        while (end < lines.size() && !lines[end].empty()) ++end;
        // Two text lines per level in both layouts.
        const int n = static_cast<int>(end - (i + 11)) / 2;
        EXPECT_EQ((end - (i + 11)) % 2, 0u);
        if (levels < 0) levels = n;
        EXPECT_EQ(n, levels);
        i = end + 1;
      }
      EXPECT_EQ(hours, 85);
      EXPECT_GE(levels, sample.gfs3 ? 35 : 30);
      EXPECT_LE(levels, 67);
      // Surface section: the header holding YYMMDD, then one record per hour.
      EXPECT_NE(lines.at(i).find("YYMMDD"), std::string::npos);
      i += surfaceHeader;
      std::vector<double> items;
      while (i < lines.size() && !lines[i].empty()) {
        const std::vector<double> v = Numbers(lines[i++]);
        items.insert(items.end(), v.begin(), v.end());
      }
      ASSERT_EQ(items.size(), 85 * surfaceItems);
      // Soil temperatures (both layers) in kelvin, within a day's swing of
      // the 2-m temperature in degrees C.
      int soilOff = 0;
      for (size_t r = 0; !sample.gfs3 && r < items.size(); r += surfaceItems)
        for (size_t soil : {5u, 10u}) soilOff += std::fabs(items[r + soil] - 273.15 - items[r + 19]) > 30;
      EXPECT_EQ(soilOff, 0);
      ASSERT_LT(i + 1, lines.size());
      EXPECT_EQ(lines[i + 1].substr(0, 3), "---");
      i += 2;
    }
    EXPECT_GE(datasets, sample.minDatasets);
  }
}

TEST(SampleData, ProfilesArePhysicallyConsistent) {
  const std::filesystem::path dir = ONDRIK_DATA_DIR;
  for (const SampleFile& sample : Samples()) {
    SCOPED_TRACE(sample.name);
    const std::vector<std::string> lines = ReadLines(dir / sample.name);
    int dewAboveTemp = 0, wetBulbOutside = 0, heightNotRising = 0, pressureNotFalling = 0;
    int levelsSeen = 0, warmNose = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].rfind("TIME = ", 0) != 0) continue;
      double lastP = 2000, lastZ = -1000;
      bool first = true, coldGround = false, warmAloft = false;
      for (size_t k = i + 11; k + 1 < lines.size() && !lines[k].empty(); k += 2) {
        const std::vector<double> a = Numbers(lines[k]), b = Numbers(lines[k + 1]);
        ASSERT_EQ(a.size(), sample.gfs3 ? 8u : 6u) << lines[k];
        ASSERT_EQ(b.size(), sample.gfs3 ? 1u : 4u) << lines[k + 1];
        const double p = a[0], t = a[1], tw = a[2], td = a[3], z = b.back();
        ++levelsSeen;
        dewAboveTemp += td > t;
        wetBulbOutside += tw < td || tw > t;
        heightNotRising += z <= lastZ;
        pressureNotFalling += p >= lastP;
        if (first) coldGround = t < 0;
        first = false;
        if (p > 700 && t > 0.5) warmAloft = true;
        lastP = p;
        lastZ = z;
      }
      warmNose += coldGround && warmAloft;
    }
    EXPECT_GT(levelsSeen, 85 * 30);
    EXPECT_EQ(dewAboveTemp, 0);
    EXPECT_EQ(wetBulbOutside, 0);
    EXPECT_EQ(heightNotRising, 0);
    EXPECT_EQ(pressureNotFalling, 0);
    // The cold continental site has hours with freezing ground under a warm layer.
    if (sample.name.find("KMSP") != std::string::npos) {
      EXPECT_GT(warmNose, 3);
    }
  }
}

}  // namespace
