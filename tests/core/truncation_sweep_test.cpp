// Every shipped profile file cut short: at evenly spread offsets, and for one
// file of each model at every line end (and one byte either side) of its
// head and of the end of its first dataset (the cuts where what the reader
// expects next changes). A cut file either fails, keeping
// the data loaded before and naming the file and a line of it, or loads
// complete datasets of the whole file.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/reader.h"
#include "core/store.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string KeyOf(const std::string& name) {
  if (name.rfind("GFS", 0) == 0) return "gfs3";
  if (name.rfind("RUC", 0) == 0) return "ruc";
  return "eta";
}

// What a dataset of the whole file holds.
struct Shape {
  Integer lastHour, levels;
};

// The data in place before each cut file, and the check that they stayed.
class DataInPlace {
 public:
  void Load() {
    LoadOptions o;
    o.modelKey = "ruc";
    const LoadResult r = LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/RUC_KOKC.ond", o);
    ASSERT_TRUE(r.ok) << r.message;
    store_ = &Store();
    count_ = gDatasetCount;
    lastHour_ = gLastHour(1);
    temp_ = std::bit_cast<std::uint32_t>(gTemp(1, lastHour_, 5));
    bottom_ = gChartBottom;
  }
  bool Unchanged() const {
    return store_ == &Store() && count_ == gDatasetCount && lastHour_ == gLastHour(1) &&
           temp_ == std::bit_cast<std::uint32_t>(gTemp(1, lastHour_, 5)) && bottom_ == gChartBottom &&
           !gLoadingState;
  }

 private:
  const ProfileStore* store_ = nullptr;
  Integer count_ = 0, lastHour_ = 0, bottom_ = 0;
  std::uint32_t temp_ = 0;
};

// Offsets of the line ends among lines [from, to) of the text, with the byte
// before and after each.
void AddLineEnds(const std::string& text, int from, int to, std::set<std::size_t>& cuts) {
  int line = 0;
  for (std::size_t i = 0; i < text.size() && line < to; ++i) {
    if (text[i] != '\n') continue;
    if (line >= from) {
      for (std::size_t c : {i - 1, i, i + 1}) cuts.insert(c);
    }
    ++line;
  }
}

TEST(TruncationSweep, ShippedProfileFilesCutAnywhere) {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(ONDRIK_DATA_DIR))
    if (e.path().extension() == ".ond") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  ASSERT_GE(files.size(), 4u);

  const std::string cutPath = testing::OwnTestFile("truncation", "cut.ond").string();
  std::set<std::string> modelsSwept;
  DataInPlace before;
  int loads = 0;

  for (const fs::path& file : files) {
    const std::string name = file.filename().string();
    const std::string text = ReadAll(file);
    LoadOptions options;
    options.modelKey = KeyOf(name);
    ASSERT_TRUE(LoadProfileFile(file.string(), options).ok) << name;
    std::vector<Shape> whole;
    for (Integer d = 1; d <= gDatasetCount; ++d) whole.push_back({gLastHour(d), gNumLevels(d)});

    std::set<std::size_t> cuts;
    for (std::size_t k = 0; k < 10; ++k) cuts.insert(text.size() * k / 10);
    const std::string model = name.substr(0, name.find('_'));
    if (modelsSwept.insert(model).second) {
      AddLineEnds(text, 0, 40, cuts);
      // The end of the first dataset: its last surface records, blank line and rule.
      const std::size_t rule = text.find("\n---");
      ASSERT_NE(rule, std::string::npos) << name;
      const int ruleLine = static_cast<int>(std::count(text.begin(), text.begin() + rule, '\n'));
      AddLineEnds(text, ruleLine - 14, ruleLine + 2, cuts);
    }

    before.Load();
    for (std::size_t cut : cuts) {
      if (cut >= text.size()) continue;
      const std::string part = text.substr(0, cut);
      // A new file each time: rewriting one in place makes some file
      // systems flush it to disk at every close.
      fs::remove(cutPath);
      std::ofstream(cutPath, std::ios::binary) << part;
      const LoadResult r = LoadProfileFile(cutPath, options);
      ++loads;
      if (r.ok) {
        ASSERT_LE(gDatasetCount, static_cast<Integer>(whole.size())) << name << " cut at " << cut;
        for (Integer d = 1; d <= gDatasetCount; ++d) {
          EXPECT_EQ(gLastHour(d), whole[d - 1].lastHour) << name << " cut at " << cut;
          EXPECT_EQ(gNumLevels(d), whole[d - 1].levels) << name << " cut at " << cut;
        }
        before.Load();
        continue;
      }
      EXPECT_TRUE(before.Unchanged()) << name << " cut at " << cut << ": " << r.message;
      const std::size_t at = r.message.find("(line ");
      ASSERT_NE(at, std::string::npos) << r.message;
      EXPECT_NE(r.message.find(cutPath), std::string::npos) << r.message;
      const int line = std::stoi(r.message.substr(at + 6));
      EXPECT_GE(line, 1) << r.message;
      EXPECT_LE(line, std::count(part.begin(), part.end(), '\n') + 1) << name << " cut at " << cut;
    }
  }
  EXPECT_EQ(modelsSwept.size(), 4u);
  EXPECT_GT(loads, 600);
}

}  // namespace
}  // namespace ondrik
