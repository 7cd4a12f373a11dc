// Every view of the side panels, the chart, the overview and the snapshots,
// drawn for the busy shipped files at several hours in the windows at their
// first-run size: no text printed over another or crossed by a line, ring,
// box or filled shape, none running out of its picture, none with digits
// smaller than the program draws them.
//
// Every fault found, for every view, with the pictures:
//   ONDRIK_PICTURE_DIR=<new folder> build/profilewindow_tests --gtest_filter='PrintedText*'
// writes each picture looked at (<view>.png) and <folder>/faults.txt, one
// fault a line, marked "meant" (listed below, with the reason) or "NEW".
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/guards.h"
#include "overview/boxes.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/commandline.h"
#include "profilewindow/snapshot.h"
#include "tests/chart/chart_texts.h"
#include "tests/overviewwindow/overview_fixture.h"
#include "tests/common/contrast_check.h"
#include "tests/common/text_check.h"
#include "tests/common/two_layer_profile.h"
#include "tests/overview/overview_test_util.h"
#include "tests/panels/part_texts.h"

namespace ondrik {
namespace {

using testing::Ctl;
using testing::Fault;
using testing::Matches;
using testing::Overlay;

// A made file whose one hour has the energy view's two-layer diagram and
// its surface energy strip laid over the panel.
constexpr const char* kTwoLayerFile = "NAM_KORD";

// Faults by the view, the text and what is wrong ("*" stands for anything).
struct Entry {
  const char* view;
  const char* text;
  const char* what;
  const char* reason = "";
  // Screens of a smaller scale than this only (0: every screen).
  double scalesBelow = 0;
};

// Drawn through or under a text on purpose.
const Entry kMeant[] = {
    // The lapse-rate table's twenty columns leave its numbers less room than
    // text takes anywhere else; from a screen scale of 2.25 they read.
    {"*-picLapse", "*", "digits * px tall", "fine print of a fixed grid", 2.25},
    // Its strokes so fine never reach their colour.
    {"*-picLapse", "*", "faint on its ground*", "fine print of a fixed grid", 1.3},
    // The mean wind and the movers are letters centred on their points: what
    // passes through or by a point (the trace, the storm-relative vectors
    // drawn from it, the axes) passes its letter.
    {"*-picHodograph*", "M", "*", "a letter marking its point"},
    {"*-picHodograph*", "R", "*", "a letter marking its point"},
    {"*-picHodograph*", "L", "*", "a letter marking its point"},
    // The overview's contour labels and marks over the edges of the driest
    // humidity class (40, 40, 12): as dark as a text's rim, the text reads
    // over it (cloudless cells are the back colour, which the check allows).
    {"*-overview*-picRH", "*", "half on bar #28280c", "the driest humidity class, dark as the rim"},
    // The cells of the overview's fills are the ground its texts stand on:
    // the value of a contour that has no place on one colour, and a mark
    // whose node lies on the edge of a cell, stand on their rim over it.
    {"*-overview*-picRH", "*", "half on bar *", "on their rim over the edges of the fills"},
};


// How a picture is looked at: what it is checked for, whether it may be
// blank, and which of its faults count (all when not given).
struct Look {
  testing::Checks checks{};
  bool mayBeBlank = false;
  std::function<bool(const Fault&)> counts{};
  // Each text stands out from its ground (the contrast check's least).
  bool contrast = false;
  // A text that found no clear place by what it labels may stand there
  // over another (a crowded chart): counted by the view, not a failure.
  bool overAtOwnPlace = false;
};

class PrintedTextTest : public testing::OverviewWindowTest {
 protected:
  void SetUp() override {
    OverviewWindowTest::SetUp();
    for (const char* f : {"NAM_KOKC.ond", "NAM_KMSP.ond", "NAM_KDEN.ond", "NAM_KBOS.ond", "SREF_KOKC.ond", "Ondrik.Dat",
                          "Map_Country.dat", "Map_State.dat", "Map_County.dat", "Map_Canada.dat"})
      std::filesystem::copy_file(std::filesystem::path(ONDRIK_DATA_DIR) / f, folder_ / f,
                                 std::filesystem::copy_options::overwrite_existing);
    std::ofstream(folder_ / (std::string(kTwoLayerFile) + ".ond")) << testing::TwoLayerProfile("KORD");
    PictureBox::RecordPrintedTexts(true);
  }
  void TearDown() override {
    PictureBox::RecordPrintedTexts(false);
    EXPECT_LE(12 * chartLastResorts_, chartTexts_) << chartLastResorts_ << " of the charts' " << chartTexts_
                                                   << " texts printed as a last resort";
    Verdict(kMeant, meant_);
    for (const auto& [view, n] : overAtOwnPlace_) std::printf("over another at its own place, %s: %d\n", view.c_str(), n);
    OverviewWindowTest::TearDown();
  }

  // The shipped file of a model and site, at an hour.
  void Show(frmProfile& w, const std::string& file, Integer hour) {
    const std::string model = file.substr(0, file.find('_')), site = file.substr(file.find('_') + 1);
    w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), model.c_str()));
    w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), site.c_str()));
    Ctl<ScrollBar>(w, "hsbHour")->SetValue(hour);
  }

  // The faults of a picture: each open or meant one counted, every other a
  // failure.
  void Check(const PictureBox& pic, const std::string& view, const Look& look = Look()) {
    testing::KeepPicture(pic, view);
    const char* dir = testing::PictureDir();
    EXPECT_TRUE(look.mayBeBlank || !pic.PrintedTexts().empty()) << view << " printed nothing";
    Applies(kMeant, meant_, view, pic.DeviceScale());
    std::vector<Fault> faults = testing::Faults(pic, look.checks);
    if (look.contrast)
      for (const testing::TextContrast& t : testing::FaintTexts(pic))
        faults.push_back({t.text, "faint on its ground: " + std::to_string(t.contrast).substr(0, 4) + ":1"});
    for (const Fault& f : faults) {
      if (look.counts && !look.counts(f)) continue;
      const std::string line = view + ": \"" + f.text + "\" " + f.what;
      const bool own = look.overAtOwnPlace && testing::OverAtOwnPlace(f);
      if (own) ++overAtOwnPlace_[view];
      const char* mark = own ? "own" : Count(kMeant, meant_, view, pic.DeviceScale(), f) ? "meant" : "NEW";
      if (dir != nullptr) std::ofstream(std::string(dir) + "/faults.txt", std::ios::app) << mark << "  " << line << "\n";
      if (std::string(mark) == "NEW") ADD_FAILURE() << line;
    }
  }

  // The chart's picture with what lies over it in the window: the omega
  // strip while it is shown (and a snapshot's titles over the top band the
  // chart was drawn below); only the faults `counts` takes, when given (the
  // chart's own texts then left out of the tally of last resorts).
  void CheckChart(frmProfile& w, const std::string& view, double topBandPx = 0,
                  const std::function<bool(const Fault&)>& counts = {}, bool tally = true) {
    PictureBox& chart = Ctl<PictureBoxWidget>(w, "picData")->Pic();
    std::vector<Overlay> over;
    if (w.Chart().opt.ChkOmega) {
      const PictureBox& omega = testing::Ctl<PictureBoxWidget>(w, "picOmega")->Pic();
      over.push_back(testing::Covering(QRect(0, 0, omega.PixelWidth(), omega.PixelHeight()), chart.DeviceScale(),
                                       "the omega strip"));
    }
    // The temperature and dew point of the shown dataset and of the others.
    const std::vector<QRgb> traces = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(127, 0, 0), qRgb(0, 127, 0)};
    // Every text the chart prints there, each whole.
    ChartState drawn = w.Chart();
    drawn.in.TopBandPx = topBandPx;
    // A text goes over the data as a last resort only where the chart is
    // crowded: few over all the pictures of a test but the smallest
    // snapshots (where the wind column's numbers stand over the feathers
    // beside their rings) and every member overlaid (where the members'
    // markers crowd on their rows over the members' traces), each of which
    // is held to one text in two.
    const auto& texts = chart.PrintedTexts();
    const int lastResorts = static_cast<int>(std::count_if(texts.begin(), texts.end(), [](const auto& t) { return t.lastResort; }));
    if (tally && !counts && !(gOverlayAll && gDatasetCount > 1)) {
      chartTexts_ += static_cast<int>(texts.size());
      chartLastResorts_ += lastResorts;
    }
    Check(chart, view,
          {.checks = testing::ChartChecks(chart, drawn, {.over = over, .traces = traces}), .counts = counts,
           .overAtOwnPlace = crowdedCharts_});
  }

  // Views of the check boxes of the chart, each ticked (or unticked) alone.
  template <typename Body>
  void ForEachChartBox(frmProfile& w, Body body) {
    for (const ChartBoxRow& row : frmProfile::ChartBoxes()) {
      if (!(row.redraw & kDrawChart) || row.page >= 0) continue;
      auto* box = Ctl<CheckBox>(w, row.name);
      box->SetValue(1 - box->Value());
      body(row.name);
      box->SetValue(1 - box->Value());
    }
  }

 private:
  struct Tally {
    bool applies = false;
    int hits = 0;
  };
  static bool On(const Entry& e, const std::string& view, double scale) {
    return Matches(e.view, view) && (e.scalesBelow == 0 || scale < e.scalesBelow);
  }
  template <std::size_t N>
  static void Applies(const Entry (&list)[N], std::vector<Tally>& tally, const std::string& view, double scale) {
    tally.resize(N);
    for (std::size_t i = 0; i < N; ++i) tally[i].applies = tally[i].applies || On(list[i], view, scale);
  }
  template <std::size_t N>
  static bool Count(const Entry (&list)[N], std::vector<Tally>& tally, const std::string& view, double scale,
                    const Fault& f) {
    for (std::size_t i = 0; i < N; ++i)
      if (On(list[i], view, scale) && Matches(list[i].text, f.text) && Matches(list[i].what, f.what)) {
        ++tally[i].hits;
        return true;
      }
    return false;
  }
  template <std::size_t N>
  static void Verdict(const Entry (&list)[N], const std::vector<Tally>& tally) {
    for (std::size_t i = 0; i < tally.size(); ++i) {
      const std::string entry = std::string(list[i].view) + " | " + list[i].text + " | " + list[i].what;
      if (tally[i].applies && tally[i].hits == 0) ADD_FAILURE() << "no longer occurs: " << entry;
    }
  }
  std::vector<Tally> meant_;
  int chartTexts_ = 0, chartLastResorts_ = 0;
  std::map<std::string, int> overAtOwnPlace_;

 protected:
  // The charts looked at are crowded (every box ticked, the snapshots'
  // smallest pictures): a text may stand over another at its own place.
  bool crowdedCharts_ = false;
};

// The busy shipped files and the hours looked at (SREF's hour 61: the fog's
// longest crossover source line).
const struct {
  const char* file;
  std::vector<Integer> hours;
} kFiles[] = {{"NAM_KOKC", {0, 24, 50}},
              {"NAM_KMSP", {0, 30}},
              {"NAM_KDEN", {0, 30}},
              {"NAM_KBOS", {0, 42}},
              {"SREF_KOKC", {0, 40, 61}}};

// The side panels' pictures, by the index of their buttons.
const char* const kPanelPictures[] = {"picProfile", "picMap",        "picHodograph", "picIndices", "picCape",
                                      "picMBE",     "picPrecipType", "picLapse",     "picFog"};

// The most texts the map prints: the flow, its spread or turn, the two
// travel times.
constexpr int kMapTexts = 6;

// The control page of the storm matrix, by the index of its button.
constexpr int kStormMatrixPage = 4;

std::string Name(const char* file, Integer hour, const std::string& what) {
  return std::string(file) + "-" + std::to_string(hour) + "-" + what;
}

// A control pressed: a check box ticked or unticked, a button clicked.
void Press(QWidget& w, const char* name) {
  if (auto* box = w.findChild<CheckBox*>(name))
    box->SetValue(1 - box->Value());
  else
    Ctl<QAbstractButton>(w, name)->click();
}

// Each panel in each of its views.
TEST_F(PrintedTextTest, SidePanels) {
  frmProfile& w = Start();
  using testing::PanelView;
  const struct {
    int panel;            // btnDisplay index
    const char* picture;  // the picture box's object name
    std::vector<const char*> press;  // before, and again after (a radio button: the next one back)
    int lastResorts = 0;             // texts it may print over its data where no place is clear
    std::optional<PanelView> texts{};  // the texts it must show, each whole
  } views[] = {{0, "picProfile", {}},
               // The map prints only over a wind overlay, each text over what
               // is drawn there (without a ground).
               {1, "picMap", {"chkMeanFlow"}, kMapTexts, PanelView::MapMean},
               {1, "picMap", {"chkSigmaLevel"}, kMapTexts, PanelView::MapSigma},
               {1, "picMap", {"chkMeanFlow", "chkBrightBand"}, kMapTexts, PanelView::MapBrightBand},
               {2, "picHodograph", {}, 0, PanelView::Hodograph},
               {3, "picIndices", {}, 0, PanelView::Indices},
               // An ensemble's circles and quartiles may crowd a threshold
               // number on both sides: at most one number in six over them.
               {3, "picIndices", {"chkIndcyCircle"}, 6, PanelView::Indices},
               {3, "picIndices", {"chkIndicyBox"}, 6, PanelView::Indices},
               {4, "picCape", {"optCapeShear0"}},
               {4, "picCape", {"optCapeShear1", "optCapeShear0"}},
               {4, "picCape", {"optCapeShear2", "optCapeShear0"}},
               {4, "picCape", {"chkCapeShearHistory", "chkCapeShearVariability"}},
               // The vectors' three lines are one block at the top, which
               // stands over the vectors where they cross it everywhere.
               {5, "picMBE", {}, 3, PanelView::HeavyPrecip},
               {5, "picMBE", {"chkMBE2"}, 3, PanelView::HeavyPrecip},
               // The energy view: "Snow" is wider than the snow column and
               // stands over its red line.
               {6, "picPrecipType", {}, 1, PanelView::Energy},
               // The thickness view: the nomogram's narrowest regions are
               // narrower than their labels ("Wintry" over "Mix", "S,S/IP",
               // at the design scale "S/R" too), which stand over a boundary,
               // as the axis's numbers may over points held on the chart's
               // edge.
               {6, "picPrecipType", {"btnPrecipType"}, 7, PanelView::Thickness},
               {7, "picLapse", {}, 0, PanelView::Lapse},
               {8, "picFog", {}, 0, PanelView::Fog}};
  bool overlaid = false;  // a picture laid over a panel's was looked at
  const auto eachView = [&](const char* file, Integer hour) {
    Show(w, file, hour);
    for (const auto& v : views) {
      w.btnDisplay_Click(v.panel);
      std::string name = Name(file, hour, v.picture);
      for (const char* c : v.press) Press(w, c), name += std::string("-") + c;
      // A picture laid over the panel's (the surface energy strip) covers
      // what is under it, and has its own texts.
      const auto* pic = Ctl<PictureBoxWidget>(w, v.picture);
      std::vector<Overlay> over;
      for (const PictureBoxWidget* on : pic->findChildren<PictureBoxWidget*>()) {
        if (on->isHidden()) continue;
        over.push_back(testing::Covering(on->geometry(), pic->Pic().DeviceScale(),
                                         "the picture " + on->objectName().toStdString()));
        Check(on->Pic(), name + "-" + on->objectName().toStdString(), {.checks = {.round = true}, .contrast = true});
        overlaid = true;
      }
      const std::vector<testing::Expected> present =
          v.texts ? testing::PartTexts(*v.texts, gCurDataset, hour) : std::vector<testing::Expected>{};
      Check(pic->Pic(), name, {.checks = {.over = over, .round = true, .present = present, .lastResorts = v.lastResorts},
                               .mayBeBlank = v.panel == 1,  // a map may print nothing
                               .contrast = true});
      for (const char* c : v.press)
        if (std::string(c).rfind("opt", 0) != 0) Press(w, c);
    }
    // The storm matrix's page: the sketch of the layers that decided its row.
    w.btnControl_Click(kStormMatrixPage);
    Check(Ctl<PictureBoxWidget>(w, "picReason")->Pic(), Name(file, hour, "picReason"),
          {.checks = {.round = true}, .contrast = true});
  };
  for (const auto& f : kFiles)
    for (const Integer hour : f.hours) eachView(f.file, hour);
  eachView(kTwoLayerFile, 0);
  EXPECT_TRUE(overlaid) << "the surface energy strip was not looked at";
}

// The chart's boxes of the texts at its levels and points.
const char* const kMarkerBoxes[] = {"chkLCL", "chkLFC", "chkEQL", "chkWBZ", "chkCCL", "chkConvectiveTemp", "chkMomentum"};

// The chart as the window first shows it (heights, vector and digital
// winds) beside each side panel (the hodograph's layer and the heavy
// precipitation's jet are marked in the wind column), with each box of the
// chart ticked or unticked alone at the first hours, and with the markers
// ticked together: no text over another anywhere.
TEST_F(PrintedTextTest, Chart) {
  frmProfile& w = Start();
  for (const auto& f : kFiles) {
    for (const Integer hour : f.hours) {
      Show(w, f.file, hour);
      for (int panel = 0; panel < static_cast<int>(std::size(kPanelPictures)); ++panel) {
        w.btnDisplay_Click(panel);
        CheckChart(w, Name(f.file, hour, "picData-beside") + (kPanelPictures[panel] + 3));
      }
      w.btnDisplay_Click(2);
      if (hour == f.hours.front())
        ForEachChartBox(w, [&](const char* box) { CheckChart(w, Name(f.file, hour, "picData-") + box); });
      // The level markers, the convective temperature and the momentum
      // labels all at once.
      for (const char* box : kMarkerBoxes) Ctl<CheckBox>(w, box)->SetValue(1);
      CheckChart(w, Name(f.file, hour, "picData-markers"));
      for (const char* box : kMarkerBoxes) Ctl<CheckBox>(w, box)->SetValue(0);
    }
  }
}

// The chart with every box of it ticked at once (the ice humidity in place
// of the water one), plain and skewed, the winds with their directions,
// every member of an ensemble shown, beside the panels that mark levels.
TEST_F(PrintedTextTest, ChartWithEveryBox) {
  frmProfile& w = Start();
  crowdedCharts_ = true;
  for (const auto& f : kFiles) {
    Show(w, f.file, f.hours.front());
    if (gDatasetCount > 1 && !gOverlayAll) w.btnEnsemble_Click();
    for (const ChartBoxRow& row : frmProfile::ChartBoxes())
      if ((row.redraw & kDrawChart) && std::string(row.name) != "chkSkewT") Ctl<CheckBox>(w, row.name)->SetValue(1);
    for (const int skew : {0, 1}) {
      Ctl<CheckBox>(w, "chkSkewT")->SetValue(skew);
      for (const Integer hour : f.hours) {
        Ctl<ScrollBar>(w, "hsbHour")->SetValue(hour);
        for (const int panel : {2, 5}) {  // the helicity layer's marks, the jet's label
          w.btnDisplay_Click(panel);
          CheckChart(w, Name(f.file, hour, "picData-every") + (skew != 0 ? "-skewed" : "") + (kPanelPictures[panel] + 3));
        }
      }
    }
    for (const ChartBoxRow& row : frmProfile::ChartBoxes())
      if (row.redraw & kDrawChart) Ctl<CheckBox>(w, row.name)->SetValue(0);
    if (gOverlayAll) w.btnEnsemble_Click();
  }
}

// The saved pictures as the window's and the batch's roads take them: the
// chart drawn below its two title lines (and the omega strip laid over its
// top), at the window's size and at the batch's "-SIZE=" 20 (the smallest
// chart), 25, 50, 100 and 150: the titles' box hides none of its data.
TEST_F(PrintedTextTest, Snapshots) {
  frmProfile& w = Start();
  crowdedCharts_ = true;
  PictureBoxWidget* data = Ctl<PictureBoxWidget>(w, "picData");
  PictureBoxWidget* omega = Ctl<PictureBoxWidget>(w, "picOmega");
  auto* strip = Ctl<CheckBox>(w, "ChkOmega");
  const auto snapshot = [&](const std::string& view) {
    const SnapshotRequest req = *w.ProfileSnapRequest("A");
    const QSize corner = strip->Value() != 0 ? QSize(omega->Pic().PixelWidth(), omega->Pic().PixelHeight()) : QSize();
    const double band = SnapshotTitlesBottomPx(data->Pic(), SnapshotTitle(req.siteId, req.modelName, req.valid0),
                                                SnapshotValidLine(req.validCur), corner);
    w.PlotProfileUnderSnapshotTitles(req);
    const std::size_t chartTexts = data->Pic().PrintedTexts().size();
    PrepareProfileSnap(data->Pic(), strip->Value() != 0 ? &omega->Pic() : nullptr, req);
    // On the smallest charts their own texts crowd (theirs to mend): what
    // the titles do is looked at there.
    std::set<std::string> titles;
    for (std::size_t i = chartTexts; i < data->Pic().PrintedTexts().size(); ++i)
      titles.insert(data->Pic().PrintedTexts()[i].text);
    std::function<bool(const Fault&)> ofTitles;
    if (data->Pic().PixelWidth() < SnapshotChartSize(0.5).width)
      ofTitles = [titles](const Fault& f) { return titles.contains(f.text); };
    CheckChart(w, view, band, ofTitles, data->Pic().PixelWidth() > SnapshotChartSize(0.5).width);
  };
  for (const auto& f : kFiles) {
    for (const Integer hour : f.hours) {
      Show(w, f.file, hour);
      strip->SetValue(1);
      snapshot(Name(f.file, hour, "snapshot-omega"));
      strip->SetValue(0);
    }
    const QRect keptChart = data->geometry(), keptStrip = omega->geometry();
    for (const int size : {20, 25, 50, 100, 150}) {
      // As the batch sizes the pictures.
      data->setGeometry(data->x(), data->y(), kSnapChartWidthTw * size / 100 / kTwipsPerPixel,
                        kSnapChartHeightTw * size / 100 / kTwipsPerPixel);
      omega->setGeometry(omega->x(), omega->y(), data->width(), omega->height());
      for (const int on : {0, 1}) {
        strip->SetValue(on);
        snapshot(Name(f.file, f.hours.back(), "snapshot-size" + std::to_string(size)) + (on != 0 ? "-omega" : ""));
      }
      strip->SetValue(0);
    }
    data->setGeometry(keptChart);
    omega->setGeometry(keptStrip);
  }
}

// The overview's pictures and scale columns: as it first shows, in the
// other time windows and scrolled, with every field and strip of each
// control page ticked together (the ensemble with all its members
// overlaid), with each box ticked or unticked alone (on one file), and at
// the snapshot's sizes.
TEST_F(PrintedTextTest, Overview) {
  frmProfile& w = Start();
  Show(w, "NAM_KOKC", 0);
  Open(w);
  // A new file builds the overview anew.
  // Every picture whole and apart; the title and the axis numbers all
  // there; marks over the data where the data leave them no room (they mean
  // something only at their nodes), few values (counted over every view,
  // below).
  int values = 0, valueLastResorts = 0, texts = 0, overOthers = 0;
  const auto checkAll = [&](const std::string& view) {
    const frmOverView& o = *Overview();
    const testing::AxisNumbers numbers = testing::ShownAxisNumbers(o.State());
    for (const char* p : {"picLeft", "picRH", "picRight", "picTime", "picWindScale"}) {
      PictureBox& pic = Ctl<PictureBoxWidget>(o, p)->Pic();
      testing::Checks checks;
      if (std::string(p) == "picLeft") checks.present = numbers.left;
      if (std::string(p) == "picRight") checks.present = numbers.right;
      // Every labelled hour's, where the smallest face holds them.
      if (std::string(p) == "picTime" && testing::EveryTimeLabelFits(pic, o.State()))
        checks.present = testing::ShownTimeLabels(o.State());
      if (std::string(p) == "picRH") {
        if (gDatasetCount > 1) checks.present.push_back({PlaceTitle(pic, gCurDataset).text});
        for (const PictureBox::PrintedText& t : pic.PrintedTexts()) {
          const bool mark = t.text == "X" || t.text == "N";
          checks.lastResorts += t.lastResort;
          values += !mark;
          valueLastResorts += t.lastResort && !mark;
        }
      }
      // A value of a crowded plane that found no place by its line clear of
      // the other texts stands over them at its own place: counted apart.
      Look look{.checks = checks, .mayBeBlank = true};
      if (std::string(p) == "picRH") {
        look.counts = [](const Fault& f) { return !testing::OverAtOwnPlace(f); };
        const auto& all = pic.PrintedTexts();
        int over = 0;
        for (const PictureBox::PrintedText& t : all)
          over += t.lastResort && std::any_of(all.begin(), all.end(), [&](const PictureBox::PrintedText& o) {
                    return &o != &t && o.ink.intersects(t.ink.adjusted(-1, -1, 1, 1));
                  });
        texts += static_cast<int>(all.size());
        overOthers += over;
        if (const char* dir = testing::PictureDir(); dir != nullptr && over > 0)
          std::ofstream(std::string(dir) + "/faults.txt", std::ios::app)
              << "own  " << view << "-picRH: " << over << " texts over another at their own place\n";
      }
      Check(pic, view + "-" + p, look);
    }
  };
  const auto drawn = [](const OverviewRow& r) {
    return (r.kind == BoxKind::Field || r.kind == BoxKind::Strip) && r.plot != nullptr;
  };
  for (const auto& f : kFiles) {
    const std::string file = f.file;
    Show(w, file, f.hours.back());
    frmOverView& o = *Overview();
    if (file.rfind("SREF", 0) == 0) o.btnEnsemble_Click();
    checkAll(file + "-overview");
    for (int page = 0; page < kOverviewPageCount; ++page) {
      std::vector<std::pair<CheckBox*, int>> kept;
      {
        const LoadingStateGuard loading;  // drawn once, as a layout's recall draws
        for (const OverviewRow& r : OverviewRows())
          if (drawn(r) && r.place == page) {
            auto* box = Ctl<CheckBox>(o, std::string(r.name).c_str());
            kept.emplace_back(box, box->Value());
            box->SetValue(1);
          }
      }
      o.PlotData();
      checkAll(file + "-overview-page" + std::to_string(page));
      const LoadingStateGuard loading;
      for (const auto& [box, value] : kept) box->SetValue(value);
    }
    for (int window = 0; window < 4; ++window) {
      Ctl<QAbstractButton>(o, ("btnHours" + std::to_string(window)).c_str())->click();
      checkAll(file + "-overview-hours" + std::to_string(window));
    }
    Ctl<ScrollBar>(o, "hsbHours")->SetValue(10);
    checkAll(file + "-overview-scrolled");
    if (gOverlayAll) o.btnEnsemble_Click();
  }
  Show(w, "NAM_KOKC", 0);
  frmOverView& o = *Overview();
  // Options that change what is drawn and labelled, pressed and then taken
  // back.
  const struct {
    std::vector<const char*> press, back;
  } options[] = {{{"chkClouds", "btnClouds"}, {"btnClouds", "chkClouds"}},  // the clouds in grey shades
                 {{"chkVWP", "btnPressureBase"}, {"btnPressureBase", "chkVWP"}},  // the "10 meter" row
                 {{"btnPHK0"}, {"btnPHK1"}},  // pressures
                 {{"btnPHK2"}, {"btnPHK1"}},  // km
                 {{"chkCI0"}, {"chkCI2"}}};   // a contour every degree
  for (const auto& option : options) {
    std::string name = "NAM_KOKC-overview";
    for (const char* c : option.press) Press(o, c), name += std::string("-") + c;
    checkAll(name);
    for (const char* c : option.back) Press(o, c);
  }
  for (const OverviewRow& r : OverviewRows()) {
    if (!drawn(r)) continue;
    auto* box = Ctl<CheckBox>(o, std::string(r.name).c_str());
    box->SetValue(1 - box->Value());
    checkAll("NAM_KOKC-overview-" + std::string(r.name));
    box->SetValue(1 - box->Value());
  }
  // Drawn as a layout's recall draws them at the sizes of "-SIZE=".
  for (const int size : {150, 100, 50}) {
    o.ScalePictures(size / 100.0);
    o.DrawTimeAxis();
    o.PlotData();
    checkAll("NAM_KOKC-overview-size" + std::to_string(size));
  }
  // Every line of a contour value carries its value, over the strips'
  // traces where they leave it no clear place by its line.
  EXPECT_LE(5 * valueLastResorts, values) << valueLastResorts << " of " << values << " values printed over the data";
  EXPECT_LE(10 * overOthers, texts) << overOthers << " of " << texts << " texts over another at their own place";
}

// The overview's picture-in-picture of the chart, dragged over the first
// and the last hours (it stands in the other bottom corner then), with the
// window as it first opens and shrunk: what the window's edges cut off its
// chart is as lost as what lies over it.
TEST_F(PrintedTextTest, PictureInPicture) {
  frmProfile& w = Start();
  Show(w, "NAM_KOKC", 0);
  Open(w);
  for (const QSize size : {w.size(), QSize(1600, 1000)}) {
    w.resize(size);
    for (const auto& f : kFiles) {
      Show(w, f.file, f.hours.front());
      frmOverView& ov = *Overview();  // a new file builds the overview anew
      Ctl<CheckBox>(ov, "chkPIP")->SetValue(1);
      auto* pip = Ctl<QLabel>(ov, "picPIP");
      for (const Integer hour : {Integer{1}, gLastHour(gCurDataset)}) {
        ov.picRH_MouseMove(1, 0, hour, 0.5);
        ASSERT_TRUE(pip->isVisible()) << f.file;
        // The parts of the chart outside the window's page, in its pixels.
        const QRect shown = QRect(QPoint(0, 0), pip->parentWidget()->size()).intersected(pip->geometry());
        const PictureBox& chart = *w.ChartPicture(pip->parentWidget()->size());  // as shown
        std::vector<Overlay> cut;
        const QRect whole(QPoint(0, 0), pip->size());
        const QRect in = shown.translated(-pip->pos());
        for (const QRect r : {QRect(QPoint(0, 0), QPoint(whole.right(), in.top() - 1)),
                              QRect(QPoint(0, in.bottom() + 1), whole.bottomRight()),
                              QRect(QPoint(0, 0), QPoint(in.left() - 1, whole.bottom())),
                              QRect(QPoint(in.right() + 1, 0), whole.bottomRight())})
          if (!r.isEmpty()) cut.push_back(testing::Covering(r, chart.DeviceScale(), "the window's edge"));
        // (Its title stands at its one place, over a trace that runs there.)
        const int lastResorts = static_cast<int>(chart.PrintedTexts().size() / 2);
        Check(chart, Name(f.file, hour, "pip-chart") + std::to_string(pip->width()),
              {.checks = {.over = cut, .lastResorts = lastResorts}});
        ov.picRH_MouseUp(1, 0, hour, 0.5);
      }
    }
  }
}

}  // namespace
}  // namespace ondrik
