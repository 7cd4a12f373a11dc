// Files cut short at every byte: never a crash, and every value is either the
// one the file holds or the one it had (or, in the history after the
// defaults step, its default); the map extent is never half read.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "record_util.h"
#include "savedstate/displaysetup.h"
#include "savedstate/history.h"
#include "savedstate/mappreset.h"
#include "savedstate/overviewlayout.h"

namespace ondrik::saved {
namespace {

using namespace ondrik::saved::testing;

template <class S>
S Filled(const std::vector<Item<S>>& items, int seed) {
  S s{};
  Fill(items, s, seed);
  s.gSRInflowDepth = static_cast<Single>(4 + seed);
  s.gSRInflowBottom = static_cast<Single>(seed);
  return s;
}

// Reads every prefix of text and checks each value of the result.
// defaults, when given, is what the defaults step of a short file gives.
template <class S, class Read>
void ExpectCutsAreSafe(const std::vector<Item<S>>& items, const std::string& text, const S& current, const S& saved,
                       Read read, const S* defaults = nullptr) {
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    const auto r = read(std::string_view(text).substr(0, cut), current);
    const bool defaulted = defaults != nullptr && (r.truncated || !r.Usable());
    for (const Item<S>& it : items) {
      const bool read = r.Usable() && r.WasRead(ItemName(it));
      if (defaulted && it.defaulted) {
        EXPECT_TRUE(SameValue(it, r.value, *defaults)) << "cut " << cut << ": " << ItemName(it);
      } else if (read) {
        EXPECT_TRUE(SameValue(it, r.value, saved)) << "cut " << cut << ": " << ItemName(it);
      } else {
        // A value written twice may come from its first line.
        EXPECT_TRUE(SameValue(it, r.value, current) || SameValue(it, r.value, saved))
            << "cut " << cut << ": " << ItemName(it);
      }
    }
    if (cut == text.size()) {
      EXPECT_EQ(r.status, ReadStatus::Ok);
    }
    if (::testing::Test::HasFailure()) return;  // one cut's report is enough
  }
}

template <class S>
void ExpectExtentWhole(const S& v, const S& current, const S& saved, std::size_t cut) {
  const bool fromFile = v.gMapWest == saved.gMapWest && v.gMapNorth == saved.gMapNorth &&
                        v.gMapEast == saved.gMapEast && v.gMapSouth == saved.gMapSouth;
  const bool kept = v.gMapWest == current.gMapWest && v.gMapNorth == current.gMapNorth &&
                    v.gMapEast == current.gMapEast && v.gMapSouth == current.gMapSouth;
  EXPECT_TRUE(fromFile || kept) << "cut " << cut;
}

TEST(SavedDamage, EveryFileCutAtEveryByte) {
  IndexThresholdTable thresholds;
  thresholds(kRowCape, 1) = 700;
  const auto readHistory = [&](std::optional<std::string_view> t, const HistoryFile& c) {
    return ReadHistory(t, c, thresholds);
  };
  {
    const auto& items = HistoryRecord();
    HistoryFile current = Filled(items, 1), saved = Filled(items, 2);
    current.OmegaRange = 6;
    saved.OmegaRange = 7;
    const HistoryFile defaults = HistoryDefaults(thresholds);
    ExpectCutsAreSafe(items, WriteHistory(saved), current, saved, readHistory, &defaults);
  }
  {
    const auto& items = DisplaySetupRecord();
    DisplaySetup current = Filled(items, 1), saved = Filled(items, 2);
    current.OmegaRange = 6;
    saved.OmegaRange = 7;
    ExpectCutsAreSafe(items, WriteDisplaySetup(saved), current, saved, ReadDisplaySetup);
  }
  {
    const auto& items = OverviewLayoutRecord();
    const OverviewLayout current = Filled(items, 1), saved = Filled(items, 2);
    ExpectCutsAreSafe(items, WriteOverviewLayout(saved), current, saved, ReadOverviewLayout);
  }
  {
    MapPreset current, saved;
    Fill(MapPresetRecord(), current, 1);
    Fill(MapPresetRecord(), saved, 2);
    const std::string text = WriteMapPreset(saved);
    ExpectCutsAreSafe(MapPresetRecord(), text, current, saved, ReadMapPreset);
    for (std::size_t cut = 0; cut <= text.size(); ++cut)
      ExpectExtentWhole(ReadMapPreset(text.substr(0, cut), current).value, current, saved, cut);
  }
  // The history's extent, too, whatever the cut.
  const auto& items = HistoryRecord();
  const HistoryFile current = Filled(items, 1), saved = Filled(items, 2);
  const std::string text = WriteHistory(saved);
  const HistoryFile defaults = HistoryDefaults(thresholds);
  for (std::size_t cut = 0; cut <= text.size(); ++cut)
    ExpectExtentWhole(readHistory(text.substr(0, cut), current).value, defaults, saved, cut);
}

TEST(SavedDamage, NoiseInTheFile) {
  // Text where numbers belong, stray quotes and empty values: never a crash,
  // a usable file, and only the bad values not read.
  const MapPreset current;
  const struct {
    const char* text;
    std::size_t unread;
  } cases[] = {
      {"abc def ghi jkl\r\n1\r\n1\r\n1\r\n1\r\n1\r\n", 4},
      {"100, 50, 80, 30\r\n\"1\"\r\n,\r\n2\r\n9\r\n-1\r\n", 3},
      // After a closing quote the rest up to a comma belongs to no value; the
      // text then ends inside the record.
      {"\"100\" \"50 80 30\r\n1 1 1 1 1", 8},
      {"\"100\",\"50 80 30\r\n1 1 1 1 1 1 1 ", 4},  // an unclosed quote runs to the line end
      {"1e40 50 80 30 1 1 1 1 1", 4},
  };
  for (const auto& c : cases) {
    const auto r = ReadMapPreset(c.text, current);
    EXPECT_EQ(r.status, ReadStatus::Incomplete) << c.text;
    EXPECT_EQ(r.unread.size(), c.unread) << c.text;
  }
  const auto r = ReadMapPreset("100, 50, 80, 30\r\n\"1\"\r\n,\r\n2\r\n9\r\n-1\r\n", current);
  EXPECT_EQ(r.value.gMapWest, 100);
  EXPECT_EQ(r.value.chkMap, (std::array<Integer, 5>{1, 0, 2, 0, 0}));
  // Whole numbers round halves to even, as a whole-number read does.
  EXPECT_EQ(ReadMapPreset("100 50 80 30 1.5 2.5 .5 -.4 1.4999", current).value.chkMap,
            (std::array<Integer, 5>{2, 2, 0, 0, 1}));
}

}  // namespace
}  // namespace ondrik::saved
