// Every road to an overview shows the same truth: the precipitation types
// are the profile window's choice whichever road set or reached it, and a
// layout draws the same picture by every road that brings it to the window.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/shared.h"
#include "overview/axisticks.h"
#include "overview/series.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "platform/savedfiles.h"
#include "savedstate/overviewlayout.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

QImage Picture(frmOverView& o) { return Ctl<PictureBoxWidget>(o, "picRH")->Pic().Image().copy(); }

std::set<QString> LegendShown(frmOverView& o) {
  std::set<QString> shown;
  for (int i = 0; i < 5; ++i)
    if (QLabel* l = Ctl<QLabel>(o, "lblPType", i); !l->isHidden()) shown.insert(l->text());
  return shown;
}

// Wet hours whose decided type (snow, freezing rain) differs from the
// model's (rain, ice pellets): which one the overview shows names the source.
void TwoSourcesDisagree() {
  for (int h = 0; h <= gLastHour(1); ++h) {
    const bool wet = h >= 1;
    gPrecip(1, h) = wet ? 0.05f : 0;
    gConvPrecip(1, h) = 0;
    gPtypeSrcA(1, h) = h % 2 == 0 ? kPtypeSnow : kPtypeFreezingRain;
    gPtypeSrcB(1, h) = h % 2 == 0 ? kPtypeRain : kPtypeIcePellets;
  }
}

TEST_F(OverviewWindowTest, PrecipitationTypesAreTheProfileWindowsChoiceOnEveryRoad) {
  frmProfile& w = Start();
  TwoSourcesDisagree();
  frmOverView* o = &Open(w);
  o->btnReset_Click();
  for (const char* b : {"chkPrecip", "chkSnowAcumm"}) Ctl<CheckBox>(*o, b)->SetValue(1);
  Ctl<QAbstractButton>(*o, "optSnowTechnique", 3)->click();  // 12:1: every snow hour has snow
  CheckBox* profileBox = Ctl<CheckBox>(w, "chksWSYMb");
  const auto flip = [](CheckBox* b) { b->SetValue(1 - b->Value()); };
  w.btnSave_Click(1);  // a display setup holding the choice as it starts
  struct Road {
    const char* what;
    std::function<void()> go;
  };
  const Road roads[] = {
      {"profile window's box", [&] { flip(profileBox); }},
      {"overview's box", [&] { flip(Ctl<CheckBox>(*o, "chksWSYMb")); }},
      {"closed, changed, reopened",
       [&] {
         Ctl<QPushButton>(*o, "btnQuit")->click();
         flip(profileBox);
         o = &Open(w);
       }},
      {"layout holding the other choice",
       [&] {
         o->btnSave_Click(0);
         flip(profileBox);
         o->btnRecall_Click(0);
       }},
      {"display setup by its key", [&] { w.Form_KeyDown(113, 0); }},
      {"profile window's box again", [&] { flip(profileBox); }},
  };
  for (const Road& r : roads) {
    SCOPED_TRACE(r.what);
    r.go();
    const bool decided = profileBox->Value() != 0;
    EXPECT_EQ(Ctl<CheckBox>(*o, "chksWSYMb")->Value(), profileBox->Value());
    const std::set<QString> want = decided ? std::set<QString>{"S", "ZR"} : std::set<QString>{"N", "IP"};
    EXPECT_EQ(LegendShown(*o), want);
    EXPECT_EQ(Store().SnowAccumSettled(1, gLastHour(1)) > 0, decided);
    const QImage shown = Picture(*o);
    ClearSeriesFlags();
    o->PlotData();
    EXPECT_EQ(Picture(*o), shown);
  }
  // The level the types are decided from: either window's bar moves the
  // other's, and the overview is drawn again with the types decided anew.
  QWidget* const profile = &w;
  for (const auto& [from, to] : {std::pair<QWidget*, QWidget*>{profile, o}, std::pair<QWidget*, QWidget*>{o, profile}}) {
    const int draws = drawn_;
    ScrollBar* bar = Ctl<ScrollBar>(*from, "vbsElevatedPT");
    bar->SetValue(bar->Value() == 3 ? 2 : 3);
    EXPECT_EQ(gElevatedLevel, bar->Value());
    EXPECT_EQ(Ctl<ScrollBar>(*to, "vbsElevatedPT")->Value(), bar->Value());
    EXPECT_EQ(drawn_, draws + 1);
    const QImage shown = Picture(*o);
    ClearSeriesFlags();
    o->PlotData();
    EXPECT_EQ(Picture(*o), shown);
  }
}

// The index axis's labels as picLeft shows them: at every labelled tick of
// the axis, the labels of each factor some ticked strip reads (1, and
// helicity's 10), in one order at every tick, the edges too: the one of the
// strip that set the axis's range on top, the other right under it; no
// label of a factor no ticked strip reads. The same after a snow-technique
// click and after a recall.
TEST_F(OverviewWindowTest, EveryIndexStripWithHelicityReadsItsOwnLabels) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  PictureBox::RecordPrintedTexts(true);
  const auto tick = [&o](const char* name, int v) { Ctl<CheckBox>(o, name)->SetValue(v); };
  const PictureBox& left = Ctl<PictureBoxWidget>(o, "picLeft")->Pic();
  // The labels printed and the rows of their ink, by text.
  const auto printed = [&left] {
    std::multimap<std::string, std::pair<double, double>> at;
    for (const auto& t : left.PrintedTexts()) at.emplace(t.text, std::pair<double, double>(t.ink.top(), t.ink.bottom()));
    return at;
  };
  // Checks the labels for the factors read (first: the one nearest the tick).
  const auto expect = [&](const std::string& what, std::vector<Integer> factors) {
    const OverviewFrame& f = o.State().frame;
    const auto at = printed();
    const double top = f.IndexBottom + f.IndexSpan, height = left.PixelHeight();
    const std::vector<AxisTick> ones = IndexTicks(f.IndexBottom, f.IndexSpan, 1),
                                tens = IndexTicks(f.IndexBottom, f.IndexSpan, 10);
    int labelled = 0;
    for (size_t i = 0; i < ones.size(); ++i) {
      const std::string one = ones[i].label + ones[i].label2, ten = tens[i].label + tens[i].label2;
      if (ones[i].label2.empty() || one == ten) continue;  // unlabelled, or zero
      ++labelled;
      const double row = (top - ones[i].value) / f.IndexSpan * height;
      // The ink of the label of that text nearest the tick; none when there is none.
      const auto nearest = [&](const std::string& text) -> std::optional<std::pair<double, double>> {
        std::optional<std::pair<double, double>> best;
        const auto off = [row](const std::pair<double, double>& ink) { return std::abs((ink.first + ink.second) / 2 - row); };
        for (auto [a, b] = at.equal_range(text); a != b; ++a)
          if (!best || off(a->second) < off(*best)) best = a->second;
        return best;
      };
      const bool wantOne = std::ranges::count(factors, 1) > 0, wantTen = std::ranges::count(factors, 10) > 0;
      EXPECT_EQ(nearest(one).has_value(), wantOne) << what << ": \"" << one << "\"";
      EXPECT_EQ(nearest(ten).has_value(), wantTen) << what << ": \"" << ten << "\"";
      if (wantOne && wantTen && nearest(one) && nearest(ten)) {
        const auto own = *nearest(factors[0] == 1 ? one : ten), other = *nearest(factors[0] == 1 ? ten : one);
        // On top and right under it: the gap between them less than a label.
        EXPECT_LT(own.second, other.first) << what << ": \"" << one << "\" / \"" << ten << "\", the own label on top";
        EXPECT_LT(other.first - own.second, other.second - other.first) << what << ": \"" << one << "\" right under";
      }
    }
    EXPECT_GT(labelled, 0) << what;
  };
  const struct {
    const char* other;
    bool helicityFirst;
    Integer first;  // the factor the axis is labelled for first
  } cases[] = {
      {"chkHainesIndex", true, 1},     {"chkHainesIndex", false, 1},  {"chkSnowRatio", true, 1},
      {"chkSnowRatio", false, 1},      {"chkTQ", true, 10},           {"chkTQ", false, 1},
      {"chkLakeIndex", true, 10},      {"chkLakeIndex", false, 10},   {"chkMoistLakeIndex", true, 10},
      {"chkMoistLakeIndex", false, 10}, {"chkDavisIndex", true, 10},  {"chkDavisIndex", false, 10},
      {"chkVVTrend", true, 10},        {"chkVVTrend", false, 10},     {"chk3HPresChange", true, 10},
      {"chk3HPresChange", false, 10},
  };
  std::set<std::string> covered;
  for (const auto& k : cases) covered.insert(k.other);
  for (const OverviewRow& r : OverviewRows()) {
    if (r.axis == Axis::Index && r.kind == BoxKind::Strip && r.id != kBoxHelicity) {
      EXPECT_TRUE(covered.count(std::string(r.name))) << r.name << " is an index strip the table leaves out";
    }
  }
  // Every case starts from the window as it opened: nothing ticked, the
  // index axis at -20..20 (which Reset keeps as it is).
  o.btnReset_Click();
  ASSERT_EQ(o.State().frame.IndexBottom, -20);
  ASSERT_EQ(o.State().frame.IndexSpan, 40);
  o.btnSave_Click(5);
  for (const auto& k : cases) {
    const std::string what = std::string(k.other) + (k.helicityFirst ? " after helicity" : " before helicity");
    o.btnRecall_Click(5);
    tick(k.helicityFirst ? "chkHelicity" : k.other, 1);
    tick(k.helicityFirst ? k.other : "chkHelicity", 1);
    const std::vector<Integer> both = {k.first, k.first == 1 ? 10 : 1};
    expect(what + ", ticked", both);
    Ctl<QAbstractButton>(o, "optSnowTechnique", 3)->click();
    expect(what + ", 12:1", both);
    Ctl<QAbstractButton>(o, "optSnowTechnique", 1)->click();
    o.btnSave_Click(0);
    o.btnReset_Click();
    o.btnRecall_Click(0);
    expect(what + ", recalled", both);
    // Alone, each reads its own labels only.
    tick("chkHelicity", 0);
    expect(what + ", alone", {1});
    tick("chkHelicity", 1);
    tick(k.other, 0);
    expect(what + ", helicity alone", {10});
  }
  PictureBox::RecordPrintedTexts(false);
}

// ---- one layout, every road ----

// The layouts: a page of fields each, two sets of options, the type box
// both ways, and helicity with each other strip of the index axis.
struct LayoutCase {
  std::string name;
  std::function<void(frmOverView&)> set;
};

std::vector<LayoutCase> Layouts() {
  const auto boxes = [](std::vector<std::string> names) {
    return [names](frmOverView& o) {
      for (const std::string& n : names) Ctl<CheckBox>(o, QString::fromStdString(n))->SetValue(1);
    };
  };
  std::vector<LayoutCase> out;
  for (int page = 0; page < kOverviewPageCount; ++page) {
    std::vector<std::string> names;
    for (const OverviewRow& r : OverviewRows())
      if (r.place == page && r.kind != BoxKind::Option && r.id != kBoxNow && r.id != kBoxSnowFall &&
          r.id != kBoxRH1 && r.id != kBoxEHailCape)
        names.emplace_back(r.name);
    out.push_back({"page " + std::to_string(page), boxes(names)});
  }
  const auto options = [boxes](int pick) {
    return [boxes, pick](frmOverView& o) {
      boxes({"chkRH0", "chkTemperature", "chkVWP", "chkVWPColor", "chkCAPE", "chkHeights", "chkClouds",
             "chkHainesIndex", "chkLayerShear", "chkSnow", "chkSnowRatio", "chkPrecip"})(o);
      Ctl<QAbstractButton>(o, "btnPHK", pick == 0 ? 0 : 2)->click();
      Ctl<QAbstractButton>(o, "chkCI", pick == 0 ? 0 : 3)->click();
      Ctl<QAbstractButton>(o, "optSnowTechnique", pick == 0 ? 0 : 3)->click();
      Ctl<QAbstractButton>(o, "OptWindColor", pick == 0 ? 0 : 3)->click();
      Ctl<QAbstractButton>(o, "optLayerShear", 1)->click();
      Ctl<QAbstractButton>(o, "btnHaines", pick == 0 ? 2 : 1)->click();
      Ctl<QAbstractButton>(o, "btnCAPEkm", pick == 0 ? 4 : 7)->click();
      Ctl<QAbstractButton>(o, "btnHeights", pick == 0 ? 2 : 3)->click();
      Ctl<QAbstractButton>(o, pick == 0 ? "btnVWPIntervalA" : "btnVWPInterval")->click();
      if (pick == 0) Ctl<QAbstractButton>(o, "btnClouds")->click();
      if (pick == 1) Ctl<QAbstractButton>(o, "btnPressureBase")->click();
      o.lblRH_Click(pick == 0 ? 4 : 2);
    };
  };
  out.push_back({"options one way", options(0)});
  out.push_back({"options the other way", options(1)});
  for (int v : {0, 1})
    out.push_back({"type box " + std::to_string(v), [boxes, v](frmOverView& o) {
                     boxes({"chkPrecip", "chkPrecipAcumm", "chkSnow", "chkSnowAcumm"})(o);
                     Ctl<CheckBox>(o, "chksWSYMb")->SetValue(v);
                   }});
  for (const char* other : {"chk3HPresChange", "chkVVTrend", "chkLakeIndex", "chkMoistLakeIndex", "chkDavisIndex",
                            "chkTQ", "chkHainesIndex", "chkSnowRatio"})
    out.push_back({std::string("helicity with ") + other, boxes({other, "chkHelicity"})});
  return out;
}

class OverviewRoadsTest : public OverviewWindowTest {
 protected:
  void SetUp() override {
    OverviewWindowTest::SetUp();
    SetLayoutSlots(&FileLayoutSlots());
    fs::copy_file(fs::path(ONDRIK_DATA_DIR) / "NAM_KMSP.ond", folder_ / "NAM_KMSP.ond");
  }
  void Kmsp(frmProfile& w) {
    w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "NAM"));
    w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), "KMSP"));
  }
  // The snapshot of a layout letter, as the overview saved it.
  QImage Snapshot(char letter) const {
    const fs::path p = folder_ / (std::string("nam_kmsp_ondrikoverview_") + char(letter + 32) + ".png");
    QImage img(QString::fromStdString(p.string()));
    fs::remove(p);
    return img;
  }
};

TEST_F(OverviewRoadsTest, EveryRoadDrawsALayoutTheSame) {
  const std::vector<LayoutCase> layouts = Layouts();
  // The layouts as the hand leaves them, each in its own file.
  std::vector<saved::OverviewLayout> files;
  {
    frmProfile& w = Start();
    Kmsp(w);
    frmOverView& o = Open(w);
    for (const LayoutCase& l : layouts) {
      o.btnReset_Click();
      for (const OverviewRow& r : OverviewRows())
        if (r.kind == BoxKind::Grid) Ctl<CheckBox>(o, QString::fromStdString(std::string(r.name)))->SetValue(0);
      l.set(o);
      files.push_back(o.CaptureLayout());
    }
    w.btnDone_Click();
    win_.reset();
  }
  // Four layouts at a time: the command line names them A to D.
  std::map<std::string, QImage> first;  // the picture of each layout by the first road
  for (size_t from = 0; from < layouts.size(); from += 4) {
    const size_t n = std::min<size_t>(4, layouts.size() - from);
    for (size_t k = 0; k < n; ++k)
      ASSERT_TRUE(WriteSavedFile(saved::LayoutFileName(static_cast<int>(k)), saved::WriteOverviewLayout(files[from + k])));
    struct Road {
      const char* what;
      std::function<void(frmProfile&, frmOverView*&, int)> bring;  // brings slot k to the open overview
    };
    const Road roads[] = {
        {"recall", [](frmProfile&, frmOverView*& o, int k) { o->btnRecall_Click(k); }},
        {"closed and reopened",
         [this](frmProfile& w, frmOverView*& o, int k) {
           o->btnRecall_Click(k);
           Ctl<QPushButton>(*o, "btnQuit")->click();
           o = &Open(w);
         }},
        {"another model and back",
         [this](frmProfile& w, frmOverView*& o, int k) {
           o->btnRecall_Click(k);
           w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
           Kmsp(w);
           o = Overview();
         }},
    };
    const auto note = [&](const std::string& road, size_t k, const QImage& img) {
      const std::string& name = layouts[from + k].name;
      ASSERT_FALSE(img.isNull()) << road << ": " << name;
      if (!first.count(name)) first[name] = img;
      EXPECT_TRUE(img == first[name]) << road << " draws " << name << " otherwise";
    };
    for (const Road& r : roads) {
      frmProfile& w = Start();
      Kmsp(w);
      frmOverView* o = &Open(w);
      for (size_t k = 0; k < n; ++k) {
        r.bring(w, o, static_cast<int>(k));
        ASSERT_NE(o, nullptr);
        o->Snap(std::string(1, char('A' + k)));
        note(r.what, k, Snapshot(char('A' + k)));
      }
      w.btnDone_Click();
      win_.reset();
    }
    // The command line, after a run that left other axis tops, temperature
    // axis and hodograph layer in the history.
    for (bool otherHistory : {false, true}) {
      if (otherHistory) {
        frmProfile& w = Start();
        gLICAxisTop = 900;
        gVentAxisTop = 7;
        gTempAxisBottom = -20;
        gTempAxisSpan = 40;
        w.HodoHeightClick(6);
        w.btnDone_Click();
        win_.reset();
      }
      win_ = std::make_unique<frmProfile>();
      std::string letters;
      for (size_t k = 0; k < n; ++k) letters += char('A' + k);
      ASSERT_TRUE(win_->Form_Load({"NAM_KMSP.ond", "-OVERVIEW=" + letters, "-CLOSE"}));
      for (size_t k = 0; k < n; ++k) note(otherHistory ? "history" : "batch", k, Snapshot(char('A' + k)));
      win_.reset();
    }
  }
  // The type box of a layout does not choose the types: the profile window does.
  EXPECT_TRUE(first["type box 0"] == first["type box 1"]);
}

}  // namespace
}  // namespace ondrik
