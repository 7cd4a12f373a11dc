// The four saved files: their records, round trips, exact lines, the
// readers' corrections and the range of every value.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "record_util.h"
#include "savedstate/displaysetup.h"
#include "savedstate/history.h"
#include "savedstate/mappreset.h"
#include "savedstate/overviewlayout.h"

namespace ondrik::saved {
namespace {

using namespace ondrik::saved::testing;

// A threshold table standing in for the program's defaults.
IndexThresholdTable TestThresholds() {
  IndexThresholdTable t;
  for (int r = 0; r < kIndexThresholdRows; ++r)
    for (int c = 0; c < kIndexThresholdColumns; ++c) t(r, c) = 1000.0f + r * 10 + c;
  t(kRowCape, 0) = 0;
  t(kRowCape, 1) = 700;
  t(kRowCape, 2) = 1000;
  t(kRowCape, 3) = 3000;
  return t;
}

// One file as the tests see it: its table, its reader (from a text and the
// window's current values) and its writer, and the values the reader would
// correct put right, so that a filled struct reads back unchanged.
template <class S>
struct FileUnderTest {
  const char* name;
  const std::vector<Item<S>>& items;
  std::function<ReadResult<S>(std::optional<std::string_view>, const S&)> read;
  std::function<std::string(const S&)> write;
  std::function<void(S&, int seed)> settle;

  S Filled(int seed) const {
    S s{};
    Fill(items, s, seed);
    settle(s, seed);
    return s;
  }
};

template <class S>
void SettleLayer(S& s, int seed) {
  s.gSRInflowDepth = static_cast<Single>(4 + seed);
  s.gSRInflowBottom = static_cast<Single>(seed);
}

FileUnderTest<HistoryFile> HistoryCase() {
  return {"history", HistoryRecord(),
          [](std::optional<std::string_view> t, const HistoryFile& c) -> ReadResult<HistoryFile> {
            return ReadHistory(t, c, TestThresholds());
          },
          WriteHistory,
          [](HistoryFile& h, int seed) {
            SettleLayer(h, seed);
            h.OmegaRange = 5.5f + seed;
          }};
}
FileUnderTest<DisplaySetup> SetupCase() {
  return {"setup", DisplaySetupRecord(), ReadDisplaySetup, WriteDisplaySetup, [](DisplaySetup& s, int seed) {
            SettleLayer(s, seed);
            s.OmegaRange = 5.5f + seed;
          }};
}
FileUnderTest<OverviewLayout> LayoutCase() {
  return {"layout", OverviewLayoutRecord(), ReadOverviewLayout, WriteOverviewLayout, SettleLayer<OverviewLayout>};
}
FileUnderTest<MapPreset> PresetCase() {
  return {"preset", MapPresetRecord(), ReadMapPreset, WriteMapPreset, [](MapPreset&, int) {}};
}

template <class S>
void ExpectRoundTrip(const FileUnderTest<S>& f) {
  SCOPED_TRACE(f.name);
  const S current = f.Filled(1), saved = f.Filled(2);
  for (const Item<S>& it : f.items)
    ASSERT_TRUE(it.kind == Kind::Constant || !SameValue(it, current, saved)) << "the same in both: " << ItemName(it);
  const ReadResult<S> r = f.read(f.write(saved), current);
  EXPECT_EQ(r.status, ReadStatus::Ok);
  EXPECT_TRUE(r.unread.empty());
  EXPECT_EQ(Differences(f.items, r.value, saved), "");
}

TEST(SavedFiles, RecordsHoldTheirLinesInOrder) {
  ExpectLines(HistoryRecord(), 2, 66, 263);
  ExpectLines(DisplaySetupRecord(), 2, 63, 71);
  ExpectLines(OverviewLayoutRecord(), 2, 104, 123);
  ExpectLines(MapPresetRecord(), 1, 6, 9);
}

TEST(SavedFiles, EveryValueComesBack) {
  ExpectRoundTrip(HistoryCase());
  ExpectRoundTrip(SetupCase());
  ExpectRoundTrip(LayoutCase());
  ExpectRoundTrip(PresetCase());
}

TEST(SavedFiles, ExactLines) {
  HistoryFile h = HistoryDefaults(TestThresholds());
  const std::string history = WriteHistory(h);
  const struct {
    const std::string& text;
    int line;
    const char* want;
  } lines[] = {
      {history, 1, "#    13.4.2"},
      // Written from the value, so it never goes empty and shifts the rest.
      {history, 2, "34"},
      {history, 3, "-60            30 "},
      {history, 7, " 0  700  1000  3000  1004  1005  1006 "},
      {history, 51, " 1             1            True"},
      {history, 57, " 120           53            69            22 "},
      {history, 59, " 15000         11010         0             0             15000         11010         0"
                    "             0 "},
      {history, 63, "False"},
  };
  for (const auto& l : lines) EXPECT_EQ(LineOf(l.text, l.line), l.want) << "line " << l.line;
  EXPECT_EQ(LineOf(history, 67), "<none>");

  OverviewLayout o;
  o.chkGridWind = 1;
  o.optLayerShear = {false, true};
  o.btnCAPEkm[1] = 0x00FFFF;  // the "3" line on, in yellow
  const std::string layout = WriteOverviewLayout(o);
  EXPECT_EQ(LineOf(layout, 60), " 1 ");
  EXPECT_EQ(LineOf(layout, 64), " 1 ");
  EXPECT_EQ(LineOf(layout, 79), "False");
  EXPECT_EQ(LineOf(layout, 80), "True");
  EXPECT_EQ(LineOf(layout, 87), " 9999 ");
  EXPECT_EQ(LineOf(layout, 100),
            "-2147483633    65535        -2147483633   -2147483633   -2147483633   -2147483633 ");
  EXPECT_EQ(LineOf(layout, 105), "<none>");

  // Line 64 is the one that counts; line 87 is read and thrown away.
  std::string edited = WithLine(WithLine(layout, 64, " 2 "), 87, " 1234 ");
  const auto r = ReadOverviewLayout(edited, OverviewLayout{});
  EXPECT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.value.chkGridWind, 2);
  EXPECT_EQ(r.value.btnCAPEkm[0], kButtonFace);
  EXPECT_EQ(r.value.btnCAPEkm[1], 0x00FFFF);
  // Only "True" as written sets a flag.
  EXPECT_FALSE(ReadOverviewLayout(WithLine(layout, 80, "true"), o).value.optLayerShear[1]);

  EXPECT_EQ(WriteMapPreset(MapPreset{}),
            " 120           53            69            22 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
}

TEST(SavedFiles, HistoryRulesOfReading) {
  const FileUnderTest<HistoryFile> f = HistoryCase();
  const HistoryFile current = f.Filled(1), saved = f.Filled(2);
  const HistoryFile defaults = HistoryDefaults(TestThresholds());
  const std::string text = WriteHistory(saved);

  // Missing, refused: every default; values without one keep their current value.
  for (const auto& t : {std::optional<std::string>(), std::optional<std::string>("#    11.11.5\r\n 40 \r\n"),
                        std::optional<std::string>(" #13.4.2\r\n")}) {
    const HistoryRead r = ReadHistory(t, current, TestThresholds());
    EXPECT_TRUE(r.defaultsStep);
    EXPECT_FALSE(r.Usable());
    for (const auto& it : HistoryRecord())
      EXPECT_TRUE(SameValue(it, r.value, it.defaulted ? defaults : current)) << ItemName(it);
    EXPECT_EQ(r.value.gWindowGeometry, (std::array<Long, 8>{15000, 11010, 0, 0, 15000, 11010, 0, 0}));
    EXPECT_EQ(r.value.LakeTempF, 34);
  }

  const struct {
    int line;
    const char* content;
    ReadStatus status;
    std::function<void(const HistoryRead&)> check;
  } cases[] = {
      {49, " 0 ", ReadStatus::Ok, [](const HistoryRead& r) { EXPECT_EQ(r.value.gSRInflowDepth, 3); }},
      {50, " 9 ", ReadStatus::Ok, [](const HistoryRead& r) { EXPECT_EQ(r.value.gSRInflowBottom, 0); }},
      {59, " 1 2 -100000 -100001 5 6 -100001 -100000", ReadStatus::Ok,
       [](const HistoryRead& r) {
         EXPECT_EQ(r.value.gWindowGeometry, (std::array<Long, 8>{1, 2, -100000, 0, 5, 6, 0, -100000}));
       }},
      {60, "-4", ReadStatus::Ok, [](const HistoryRead& r) { EXPECT_EQ(r.value.OmegaRange, 11); }},
      {33, " 99 6 ", ReadStatus::Ok, [](const HistoryRead& r) { EXPECT_EQ(r.value.RestorePanel, 99); }},
      // A bad value keeps its default (or its current value when it has
      // none) and the rest of the file is still read.
      {41, " 7 ", ReadStatus::Incomplete,
       [&](const HistoryRead& r) {
         EXPECT_EQ(r.value.gXferIndex, 1);
         EXPECT_EQ(r.unread, std::vector<std::string>{"gXferIndex"});
         EXPECT_EQ(r.value.chkIndcyCircle, saved.chkIndcyCircle);
         EXPECT_FALSE(r.defaultsStep);
       }},
      {37, " abc ", ReadStatus::Incomplete, [](const HistoryRead& r) { EXPECT_EQ(r.value.gChartTop, 295); }},
      // The map extent comes whole or not at all.
      {57, " 100 xyz 80 30 ", ReadStatus::Incomplete,
       [](const HistoryRead& r) {
         EXPECT_EQ(r.value.gMapWest, 120);
         EXPECT_EQ(r.value.gMapSouth, 22);
         EXPECT_EQ(r.unread.size(), 4u);
       }},
      {57, " 100 40 100 30 ", ReadStatus::Incomplete, [](const HistoryRead& r) { EXPECT_EQ(r.value.gMapWest, 120); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line) + ": " + c.content);
    const HistoryRead r = ReadHistory(WithLine(text, c.line, c.content), current, TestThresholds());
    EXPECT_EQ(r.status, c.status);
    c.check(r);
  }

  // A file that ends after line 40: what was read stays where the defaults
  // step does not reach, everything it names takes its default.
  const HistoryRead r = ReadHistory(Head(text, 40), current, TestThresholds());
  EXPECT_TRUE(r.truncated && r.defaultsStep);
  EXPECT_EQ(r.value.chkLCL, saved.chkLCL);
  EXPECT_EQ(r.value.chkFP, saved.chkFP);
  EXPECT_EQ(r.value.HeightScaleUnit, 1);
  EXPECT_EQ(r.value.LakeTempF, 34);
  EXPECT_EQ(r.value.chkMapSelection, current.chkMapSelection);
  EXPECT_EQ(r.value.gIndexThresholds(kRowCape, 5), saved.gIndexThresholds(kRowCape, 5));  // no default
  EXPECT_EQ(r.value.gIndexThresholds(kRowCape, 1), 700);
}

TEST(SavedFiles, SetupAndLayoutCorrections) {
  DisplaySetup s;
  s.gSRInflowDepth = 0.4f;  // rounds to 0, which means 3
  s.gSRInflowBottom = 2.6f;
  s.OmegaRange = 0.05f;
  const auto r = ReadDisplaySetup(WriteDisplaySetup(s), DisplaySetup{});
  EXPECT_EQ(r.value.gSRInflowDepth, 3);
  EXPECT_EQ(r.value.gSRInflowBottom, 0);  // 3 is not below the top
  EXPECT_EQ(r.value.OmegaRange, 11);

  OverviewLayout o;
  o.gSRInflowDepth = 6.5f;  // halves to even
  o.gSRInflowBottom = 1.5f;
  const auto l = ReadOverviewLayout(WriteOverviewLayout(o), OverviewLayout{});
  EXPECT_EQ(l.value.gSRInflowDepth, 6);
  EXPECT_EQ(l.value.gSRInflowBottom, 2);

}

// Out-of-range values: every value a file holds, given each value just
// outside its range, is not taken and keeps its current value (its default,
// in the history), while every other value is read.
template <class S>
void ExpectRangesChecked(const FileUnderTest<S>& f, const S* defaults = nullptr) {
  const S current = f.Filled(1), saved = f.Filled(2);
  for (const Item<S>& it : f.items) {
    std::vector<double> bad;
    if (it.kind == Kind::Whole || it.kind == Kind::Digits) {
      if (it.limits.hi < 2147483647.0) bad = {it.limits.lo - 1, it.limits.hi + 1};
    } else if (it.kind == Kind::Number) {
      if (it.limits.lo == -FLT_MAX) bad = {std::nan(""), INFINITY};
      else if (it.limits.lo == FLT_TRUE_MIN) bad = {0, -1};
      else bad = {it.limits.lo - 1, it.limits.hi + 1};
    }
    for (double v : bad) {
      if (it.also && v == *it.also) continue;
      SCOPED_TRACE(std::string(f.name) + " " + ItemName(it) + " = " + std::to_string(v));
      S s = saved;
      if (it.kind == Kind::Number) NumberOf(it, s) = static_cast<Single>(v);
      else IntOf(it, s) = static_cast<Integer>(v);
      const ReadResult<S> r = f.read(f.write(s), current);
      EXPECT_EQ(r.status, ReadStatus::Incomplete);
      EXPECT_FALSE(r.WasRead(ItemName(it)));
      for (const Item<S>& other : f.items) {
        const bool same = (other.group != 0 && other.group == it.group) ||
                          (std::string(other.name) == it.name && other.index == it.index);
        const S& want = !same ? saved : (defaults && other.defaulted ? *defaults : current);
        EXPECT_TRUE(SameValue(other, r.value, want)) << ItemName(other);
      }
    }
  }
}

// The ranges of the indexes the windows look up: both ends taken, one past
// either end refused.
template <class S>
void ExpectRange(const FileUnderTest<S>& f, const char* name, int lo, int hi) {
  SCOPED_TRACE(std::string(f.name) + " " + name);
  const S current = f.Filled(1);
  for (const Item<S>& it : f.items) {
    if (ItemName(it) != name) continue;
    for (int v : {lo - 1, lo, hi, hi + 1}) {
      S s = current;
      IntOf(it, s) = v;
      EXPECT_EQ(f.read(f.write(s), current).WasRead(name), v >= lo && v <= hi) << v;
    }
    return;
  }
  ADD_FAILURE() << "no such value";
}

TEST(SavedFiles, IndexRanges) {
  const auto history = HistoryCase();
  ExpectRange(history, "HeightScaleUnit", 0, 2);
  ExpectRange(history, "ReadoutUnit", 0, 2);
  ExpectRange(history, "gXferIndex", 0, 3);
  ExpectRange(history, "RestorePanel", 0, 9);
  ExpectRange(history, "RestoreControlPage", 0, 6);
  ExpectRange(history, "VWPInterval", 1, 3);
  ExpectRange(history, "chkMap(4)", 0, 2);
  const auto setup = SetupCase();
  ExpectRange(setup, "RightPanel", 0, 9);
  ExpectRange(setup, "ControlPanel", 0, 6);
  ExpectRange(setup, "HeightScaleUnit", 0, 2);
  ExpectRange(setup, "gXferIndex", 0, 3);
  ExpectRange(setup, "ReadoutUnit", 0, 2);
  const auto layout = LayoutCase();
  ExpectRange(layout, "SnowTechnique", 0, 3);
  ExpectRange(layout, "ECAPELowestClass", 0, 5);
  ExpectRange(layout, "VerticalUnit", 0, 2);
  ExpectRange(layout, "gXferIndex", 0, 3);
  ExpectRange(layout, "RHLowestClass", 0, 9);
  ExpectRange(layout, "ContourIntervalIndex", 0, 3);
  ExpectRange(layout, "ControlPage", 0, 7);
  ExpectRange(layout, "WindColorIndex", 0, 3);
  ExpectRange(layout, "HainesLevel", 1, 3);
  ExpectRange(layout, "VWPAutoInterval", 1, 3);
}

TEST(SavedFiles, EveryValueIsRangeChecked) {
  const HistoryFile defaults = HistoryDefaults(TestThresholds());
  ExpectRangesChecked(HistoryCase(), &defaults);
  ExpectRangesChecked(SetupCase());
  ExpectRangesChecked(LayoutCase());
  ExpectRangesChecked(PresetCase());
}

}  // namespace
}  // namespace ondrik::saved
