// Every number of the side panels reads whole: nothing the panel draws
// crosses or touches the ink of a text, on the shipped files at several
// hours and on made ones, at the design scale and at 1.5.
#include <gtest/gtest.h>

#include <QRect>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/mbe.h"
#include "core/reader.h"
#include "core/thresholds.h"
#include "panels/fog.h"
#include "panels/fogrules.h"
#include "panels/heavyprecip.h"
#include "panels/hodograph.h"
#include "panels/indices.h"
#include "panels/mapdata.h"
#include "panels/mapdraw.h"
#include "panels/preciptype.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/common/contrast_check.h"
#include "tests/common/text_check.h"
#include "tests/common/two_layer_profile.h"
#include "tests/panels/panel_fixture.h"
#include "tests/panels/part_texts.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

using testing::Expected;
using testing::FaultLines;

// The shipped files and hours looked at: warm and cold, an ensemble.
const struct {
  const char* file;
  std::vector<Integer> hours;
} kFiles[] = {{"NAM_KOKC.ond", {0, 12, 30, 50}},
              {"NAM_KMSP.ond", {0, 20, 40, 60}},
              {"NAM_KDEN.ond", {0, 30}},
              {"SREF_KOKC.ond", {0, 8, 40, 61}}};
constexpr double kScales[] = {1, 1.1, 1.25, 1.75};
// An ensemble's circles may crowd a threshold number on both sides; it then
// stands over them, at most one number in six.
constexpr int kIndexNumbersOverCircles = 6;

class ReadableTest : public testing::PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    StoreDefaultIndexThresholds();
    PictureBox::RecordPrintedTexts(true);
  }
  void TearDown() override { PictureBox::RecordPrintedTexts(false); }
  static PictureBox& Pic(SidePanel& p) { return dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic(); }
  // A made file whose hour 0 has two warm layers (the energy view's
  // two-layer diagram and its surface energy strip).
  static void LoadTwoLayerHour() {
    const std::filesystem::path file = testing::OwnTestFile("panels", "two-layer.ond");
    std::ofstream(file) << testing::TwoLayerProfile("KORD");
    LoadOptions o;
    o.modelKey = "eta";
    ASSERT_TRUE(LoadProfileFile(file.string(), o).ok);
  }
  // Draws the panel of every file, hour and scale; check(name) looks at it.
  template <typename Check>
  void EachDraw(SidePanel& p, PictureBox& pic, Check check) {
    for (const auto& f : kFiles) {
      testing::LoadShipped(f.file);
      gOverlayAll = gDatasetCount > 1;
      for (const Integer h : f.hours) {
        host.hour = h;
        for (const double scale : kScales) {
          pic.Resize(testing::kPanelPx, testing::kPanelPx, scale);
          p.Draw();
          check(std::string(f.file) + " hour " + std::to_string(h) + " scale " + std::to_string(scale));
        }
      }
    }
  }
};

// The hodograph's texts at their places or moved beside the traces, each
// printed whole, no trace (its segments, the inflow vectors) under a
// text's ground; the layer CAPEs one block in the top-left corner under the
// traces, on the shipped files and one whose trace turns under them
// (NAM_KBOS hour 24 up to 3 km).
TEST_F(ReadableTest, HodographTracesInViewAndEveryText) {
  HodographPanel p(host, &parent);
  Place(p);
  PictureBox& pic = testing::Ctl<PictureBoxWidget>(parent, "picHodograph")->Pic();
  // The trace's colours by height, dimmed too, and the inflow's.
  std::vector<QRgb> traces;
  for (const QRgb c : {qRgb(255, 0, 0), qRgb(255, 165, 0), qRgb(255, 255, 0), qRgb(0, 255, 0), qRgb(128, 0, 255),
                       qRgb(238, 130, 238)})
    traces.insert(traces.end(), {c, qRgb(qRed(c) / 2, qGreen(c) / 2, qBlue(c) / 2)});
  traces.push_back(qRgb(30, 144, 255));
  const std::vector<Expected> texts = testing::PartTexts(testing::PanelView::Hodograph, 0, 0);
  // The letters marking the mean wind and the movers stand on their points,
  // over whatever passes there. Each point of the shown dataset's trace
  // keeps a trace's colour (no text's ground over it).
  const auto check = [&](const std::string& name) {
    const Integer D = gCurDataset, H = host.hour;
    const QImage& img = pic.Image();
    for (Integer k = gSRHBottomLevel(D, H); k <= gSRHTopLevel(D, H); ++k) {
      const double u = gSRWindU(D, H, k) + gStormU(D, H), v = gSRWindV(D, H, k) + gStormV(D, H);
      const QPoint at(static_cast<int>(pic.XToPixel(u) * pic.DeviceScale()),
                      static_cast<int>(pic.YToPixel(v) * pic.DeviceScale()));
      if (!img.rect().adjusted(1, 1, -1, -1).contains(at)) continue;
      const QRgb c = img.pixel(at) & 0xFFFFFF;
      EXPECT_TRUE(std::find_if(traces.begin(), traces.end(), [&](QRgb t) { return (t & 0xFFFFFF) == c; }) != traces.end())
          << name << ": level " << k << " under #" << std::hex << c;
    }
    // The block of layer CAPEs stands in the top-left corner, drawn before
    // the traces: what they draw over it is meant; anything else is not.
    const auto underTheTraces = [](const testing::Fault& f) {
      const bool block = f.text == "Layer CAPEs" || testing::Matches("*km *", f.text) || testing::Matches("*Hail *", f.text);
      return block && (f.what.rfind("crossed by ", 0) == 0 || f.what.rfind("covered by disc ", 0) == 0 ||
                       f.what == "touched by pixels round its ink");
    };
    for (const testing::Fault& f : testing::Faults(pic, {.traces = traces, .round = true, .present = texts}))
      if (f.text != "M" && f.text != "L" && f.text != "R" && !underTheTraces(f))
        ADD_FAILURE() << name << ": \"" << f.text << "\" " << f.what;
    for (const auto& t : pic.PrintedTexts())
      if (t.text == "Layer CAPEs") {
        EXPECT_LE(t.ink.left(), 3) << name;
        EXPECT_LE(t.ink.top(), 3) << name;
      }
  };
  EachDraw(p, pic, check);
  testing::LoadShipped("NAM_KBOS.ond");
  host.hour = 24;
  for (const double scale : kScales) {
    pic.Resize(pic.PixelWidth(), pic.PixelHeight(), scale);
    p.Draw();
    check("NAM_KBOS.ond hour 24 scale " + std::to_string(scale));
  }
}

// Every circle of the indices keeps most of its disc in view: a threshold
// number that stood over it moves beside it (or, with no room, is printed
// over it without a ground); with the circles alone (SREF_KOKC hour 40:
// HELCTY 148 under "150", SWEAT 264 under "250"), with the quartile box,
// and with the bar.
TEST_F(ReadableTest, IndexCirclesInView) {
  IndicesPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  auto* bar = p.ButtonBar()->findChild<CheckBox*>("chkIndcyBar");
  auto* circles = p.ButtonBar()->findChild<CheckBox*>("chkIndcyCircle");
  auto* box = p.ButtonBar()->findChild<CheckBox*>("chkIndicyBox");
  const auto check = [&](const std::string& name) {
    for (const auto& [withBar, withBox] : {std::pair{false, false}, std::pair{false, true}, std::pair{true, true}}) {
      bar->SetValue(withBar);
      box->SetValue(withBox);
      circles->SetValue(1);
      const QImage& img = pic.Image();
      for (const auto& shape : pic.DrawnShapes()) {
        if (shape.kind != PictureBox::DrawnShape::Kind::Ellipse) continue;
        int disc = 0, covered = 0;
        const double r = shape.rx - 1;
        for (int y = static_cast<int>(shape.centre.y() - r); y <= shape.centre.y() + r; ++y)
          for (int x = static_cast<int>(shape.centre.x() - r); x <= shape.centre.x() + r; ++x) {
            if (std::hypot(x + 0.5 - shape.centre.x(), y + 0.5 - shape.centre.y()) > r || !img.rect().contains(x, y))
              continue;
            ++disc;
            // Under a text's ground (black, where no stroke is).
            const auto stroke = [&](const PictureBox::PrintedText& t) {
              const QPoint at = QPoint(x, y) - t.strokesAt;
              return t.strokes.rect().contains(at) && qAlpha(t.strokes.pixel(at)) > 0;
            };
            const auto& texts = pic.PrintedTexts();
            covered += (img.pixel(x, y) & 0xFFFFFF) == 0 && std::none_of(texts.begin(), texts.end(), stroke);
          }
        EXPECT_LT(covered, disc / 2 + 1) << name << (withBar ? ", bar" : "") << (withBox ? ", box" : "")
                                          << ": the circle at " << shape.centre.x() << ", " << shape.centre.y();
      }
    }
    bar->SetValue(1);
    box->SetValue(0);
    circles->SetValue(0);
  };
  EachDraw(p, pic, check);
  testing::LoadShipped("SREF_KOKC.ond");
  gOverlayAll = true;
  host.hour = 40;
  for (const double scale : kScales) {
    pic.Resize(testing::kPanelPx, testing::kPanelPx, scale);
    check("SREF_KOKC.ond hour 40 scale " + std::to_string(scale));
  }
}

// The bars' thresholds lie wholly on the bar or stand beside it; with the
// circles and the quartile box of the ensemble the numbers are drawn over
// them, every stroke whole.
TEST_F(ReadableTest, IndexThresholdsOnTheirBars) {
  IndicesPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  const std::vector<Expected> names = testing::PartTexts(testing::PanelView::Indices, 0, 0);
  EachDraw(p, pic, [&](const std::string& name) { EXPECT_EQ(FaultLines(pic, {.round = true, .present = names}), "") << name; });
  auto* circles = p.ButtonBar()->findChild<CheckBox*>("chkIndcyCircle");
  auto* box = p.ButtonBar()->findChild<CheckBox*>("chkIndicyBox");
  EachDraw(p, pic, [&](const std::string& name) {
    circles->SetValue(1);
    box->SetValue(1);
    EXPECT_EQ(FaultLines(pic, {.round = true, .lastResorts = kIndexNumbersOverCircles}), "") << name;
    circles->SetValue(0);
    box->SetValue(0);
  });
}

// The vectors of the heavy-precipitation diagram stay in view: no text's
// ground on a pixel of their shafts (NAM_KMSP hour 19: the cloud-layer
// vector's tip under "MBE Velocity"; hour 40: the jet arrow at "30 kts");
// every text of the panel printed whole, moved clear of them, none over
// them but the vectors' three lines, one block at the top that the vectors
// may cross wherever it stands (NAM_KMSP hour 19, NAM_KBOS hour 16 and
// NAM_KOKC hour 46): it stays there, over them, the MBE's line in its
// larger size; each text, an uncertain jet's too, standing out from the
// black as small text must.
TEST_F(ReadableTest, HeavyPrecipVectorsInViewAndEveryText) {
  HeavyPrecipPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  const std::vector<Expected> texts = testing::PartTexts(testing::PanelView::HeavyPrecip, 0, 0);
  const auto check = [&](const std::string& name) {
    const Integer D = gCurDataset, H = host.hour;
    const double s = p.gMBEScale;
    const QImage& img = pic.Image();
    // Along each shaft of the shown dataset, its ends left out (where the
    // others meet it).
    const auto shaft = [&](double x0, double y0, double x1, double y1, const char* what) {
      const auto px = [&](double u, double v) {
        return QPointF((u / s + 1) / 2 * pic.PixelWidth(), (1 - v / s) / 2 * pic.PixelHeight()) * pic.DeviceScale();
      };
      const QPointF a = px(x0, y0), b = px(x1, y1);
      const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
      for (double t = 4; t < length - 4; t += 1) {
        const QPoint at = (a + (b - a) * (t / length)).toPoint();
        if (!img.rect().adjusted(2, 2, -2, -2).contains(at)) continue;
        bool seen = false;  // the line or a pixel beside it (it is two wide)
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) seen = seen || (img.pixel(at + QPoint(dx, dy)) & 0xFFFFFF) != 0;
        EXPECT_TRUE(seen) << name << ": the " << what << " under a text at " << at.x() << ", " << at.y();
      }
    };
    shaft(0, 0, gCloudLayerU(D, H), gCloudLayerV(D, H), "cloud-layer vector");
    shaft(gCloudLayerU(D, H), gCloudLayerV(D, H), gMbeU(D, H), gMbeV(D, H), "jet");
    shaft(0, 0, gMbeU(D, H), gMbeV(D, H), "MBE vector");
    constexpr int kVectorLines = 3;
    EXPECT_EQ(FaultLines(pic, {.round = true, .present = texts, .lastResorts = kVectorLines}), "") << name;
    double cloudLine = 0, mbeLine = 0;
    for (const auto& t : pic.PrintedTexts()) {
      if (t.lastResort) {
        EXPECT_TRUE(t.text.rfind("V ", 0) == 0 || t.text.rfind("MBE", 0) == 0) << name << ": " << t.text;
      }
      if (t.text.rfind("V cloud", 0) == 0) cloudLine = t.linePx;
      if (t.text.rfind("MBE Velocity", 0) == 0) mbeLine = t.linePx;
    }
    EXPECT_GE(mbeLine, 1.4 * cloudLine) << name;
    for (const auto& f : testing::FaintTexts(pic, testing::kSmallTextContrast))
      ADD_FAILURE() << name << ": \"" << f.text << "\" faint: " << f.contrast;
  };
  EachDraw(p, pic, check);
  const struct {
    const char* file;
    Integer hour;
  } crowded[] = {{"NAM_KMSP.ond", 19}, {"NAM_KMSP.ond", 40}, {"NAM_KBOS.ond", 16}, {"NAM_KOKC.ond", 46}};
  for (const auto& c : crowded) {
    testing::LoadShipped(c.file);
    host.hour = c.hour;
    for (const double scale : kScales) {
      pic.Resize(testing::kPanelPx, testing::kPanelPx, scale);
      p.Draw();
      check(std::string(c.file) + " hour " + std::to_string(c.hour) + " scale " + std::to_string(scale));
    }
  }
}

// The diagram's axes and rings keep clear of every text, at the first zoom
// and zoomed in and out (the vectors, which may reach any text, laid along
// the x axis to the right, where no text stands).
TEST_F(ReadableTest, HeavyPrecipGridUnderItsTexts) {
  HeavyPrecipPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  EachDraw(p, pic, [&](const std::string& name) {
    const Integer h = host.hour;
    for (Integer d = 1; d <= gDatasetCount; ++d) {
      gCloudLayerU(d, h) = gMbeU(d, h) = gMbeUpwindU(d, h) = 20;
      gCloudLayerV(d, h) = gMbeV(d, h) = gMbeUpwindV(d, h) = 0;
      gCloudLayerDir(d, h) = gMbeDir(d, h) = gMbeUpwindDir(d, h) = 270;
      gLLJDir(d, h) = 90;
    }
    for (const Single zoom : {51.0f, 61.2f, 35.4f}) {
      p.gMBEScale = zoom;
      p.Draw();
      EXPECT_EQ(FaultLines(pic), "") << name << " zoom " << zoom;
    }
    p.gMBEScale = 51;
  });
}

// The fog panel's texts on the shipped files, at the first-run scale too:
// every one whole, none smaller than the floor, none faint, the captions
// of the humidity change's regions clear of the traces.
TEST_F(ReadableTest, FogTextsStandClear) {
  FogPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  // Every text of the panel, the crossover's source with the hour and the
  // day of the warmest time.
  const auto check = [&](const std::string& name) {
    const std::vector<Expected> all = testing::PartTexts(testing::PanelView::Fog, gCurDataset, host.hour);
    for (const testing::Fault& f : testing::Faults(pic, {.round = true, .present = all}))
      ADD_FAILURE() << name << ": \"" << f.text << "\" " << f.what;
    for (const auto& f : testing::FaintTexts(pic)) ADD_FAILURE() << name << ": \"" << f.text << "\" faint: " << f.contrast;
  };
  EachDraw(p, pic, check);
  // A source hour that leaves its line the least room (GFS_KBOS, the hour
  // labelled 60: "XOver from 21 hours ago" on "10 PM  Dec 8").
  testing::LoadShipped("GFS_KBOS.ond");
  host.hour = 20;
  for (const double scale : kScales) {
    pic.Resize(testing::kPanelPx, testing::kPanelPx, scale);
    p.Draw();
    check("GFS_KBOS.ond hour 20 scale " + std::to_string(scale));
  }
}

// Every class of the gauges: the air and ground bars up and down to their
// ends with their "T=" texts and verdicts, and the MRi's boxes with their
// cues, on a short column and a tall one.
TEST_F(ReadableTest, FogGaugesOfEveryClass) {
  MakeDatasets(1, 1);
  MaxSpecHum = 5;
  FogPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  constexpr double kNoGround = -1000;  // deg F past the crossover: no ground bar
  const struct {
    double air, ground;  // deg F past the crossover
    double mri;
    Single x = 10;  // the crossover, deg C
  } cases[] = {{5.5, 5.5, -0.01}, {2, 3, 0.003}, {1.5, -3, 0.006}, {0.5, 0, 0.01},
               {-0.5, -5.5, 0.016}, {-2, 2, 0.05}, {-2.5, -1, 0.06}, {-5.5, 5.5, 0.075},
               // The widest numbers: three digits and a sign, both bars' texts on
               // one row, the crossover's beside them.
               {-5.5, -5.5, 0.01, -24}, {2, 2, 0.03, -24}, {-4, -4.2, 0.03, -24}, {3, 3.2, 0.05, 38}, {0.2, 0.2, 0.02, 38},
               // No ground temperature: the air bar alone, to either end.
               {-5.5, kNoGround, 0.01}, {5.5, kNoGround, 0.05}};
  for (const auto& c : cases) {
    const Single x = c.x;
    XoverManual(1, 0) = x;
    gSfcTemp(1, 0) = static_cast<Single>(x + c.air * 5 / 9);
    gSoilTemp(1, 0) = static_cast<Single>(x + c.ground * 5 / 9 + 273.16);
    // The warmest level of the lowest 100 mb over a 10-kt surface wind.
    gTemp(1, 0, 1) = static_cast<Single>(gSfcTemp(1, 0) + c.mri * 100);
    gTemp(1, 0, 2) = gTemp(1, 0, 1) - 5;
    gWspd(1, 0, 1) = 10;
    for (const double scale : kScales) {
      pic.Resize(testing::kPanelPx, testing::kPanelPx, scale);
      p.Draw();
      // Each text there, whole and at the floor; each verdict stands out
      // from its box or the black beside it.
      testing::KeepPicture(pic, "fog-gauges-" + std::to_string(&c - cases) + "-" + std::to_string(scale));
      const std::vector<Expected> all = testing::PartTexts(testing::PanelView::Fog, 1, 0);
      for (const testing::Fault& f : testing::Faults(pic, {.round = true, .present = all}))
        ADD_FAILURE() << "air " << c.air << " ground " << c.ground << " MRi " << c.mri << " crossover " << x
                      << " scale " << scale << ": \"" << f.text << "\" " << f.what;
      for (const auto& f : testing::FaintTexts(pic))
        ADD_FAILURE() << "air " << c.air << " ground " << c.ground << " MRi " << c.mri << " scale " << scale
                      << ": \"" << f.text << "\" faint: " << f.contrast;
      // Each bar's value (its number on a line of its own too) on its bar's
      // side of the zero line, the row of the longest run of the axes' grey
      // in the gauges' quarter, bottom left.
      const QImage& img = pic.Image();
      int zero = -1, longest = 0;
      for (int y = img.height() / 2; y < img.height(); ++y) {
        int run = 0;
        for (int x = 0; x < img.width() / 2; ++x) {
          run = (img.pixel(x, y) & 0xFFFFFF) == 0xBFBFBFu ? run + 1 : 0;
          if (run > longest) longest = run, zero = y;
        }
      }
      const double s = pic.DeviceScale();
      for (const auto& [past, value] : {std::pair{c.air, x + c.air * 5 / 9}, std::pair{c.ground, x + c.ground * 5 / 9}}) {
        const std::string digits = FormatFixed(value * 9 / 5 + 32, 1);
        for (const auto& t : pic.PrintedTexts())
          if (((t.text.rfind("T", 0) == 0 && t.text.find(digits) != std::string::npos) || t.text == digits) && past != 0) {
            EXPECT_EQ(t.ink.center().y() * s < zero, past > 0)
                << "air " << c.air << " ground " << c.ground << " scale " << scale << ": \"" << t.text << "\"";
          }
      }
    }
  }
}

// The map's texts over the shipped outlines, whole zoomed out and around the
// site: the wind at the sigma level and its turn, the mean wind and its
// spread, the travel times and the freezing level of the radar's rings;
// each printed whole, without a ground: every outline under them stays in
// view, the texts standing over them.
TEST_F(ReadableTest, MapTextsOverTheMap) {
  MapOutlines outlines([](const std::string& name) { return std::string(ONDRIK_DATA_DIR) + "/" + name; });
  const MapFeatureTable features = ReadLookupTable(std::string(ONDRIK_DATA_DIR) + "/Ondrik.Dat");
  for (const auto& f : kFiles) {
    testing::LoadShipped(f.file);
    const MapPoint site{gSiteLon(1), gSiteLat(1)};
    const double x = site.x, y = site.y;
    for (const MapExtent& extent : {MapExtent{}, MapExtent{static_cast<Single>(x + 4), static_cast<Single>(y + 3),
                                                          static_cast<Single>(x - 4), static_cast<Single>(y - 3)}})
      for (const Integer h : {f.hours.front(), f.hours.back()})
        for (const double scale : kScales)
          for (int overlay = 0; overlay < 3; ++overlay) {
            PictureBox pic(testing::kPanelPx, testing::kPanelPx);
            pic.Resize(testing::kPanelPx, testing::kPanelPx, scale);
            pic.BackColor = kWhite;
            pic.FontName = "Arial";
            pic.FontSize = 7;
            ASSERT_TRUE(ScaleToExtent(pic, extent));
            ClearMap(pic);
            DrawMapOutlines(pic, {true, true, true, true, true}, outlines, site, {});
            const QImage background = pic.Image();
            std::optional<Flow> flow;
            if (overlay == 0) flow = DrawMapSigmaWind(pic, features, 1, h, 10, 3);
            if (overlay == 1) flow = DrawMapMeanFlow(pic, features, 1, h, 1, 12, 8, 16);
            if (flow) PrintMapTravelTimes(pic, {ReferenceLine{270, 200, 300}, ReferenceLine{180, 60, 200}}, *flow);
            if (overlay == 2) PlotBeamFreezingLevel(pic, 1, h, std::array<BeamTilt, 2>{BeamTilt{0.5}, BeamTilt{2.4}});
            const std::string name = std::string(f.file) + " hour " + std::to_string(h) + " scale " +
                                     std::to_string(scale) + " overlay " + std::to_string(overlay) + " west " +
                                     std::to_string(extent.west);
            // Every text of the map may stand over what is drawn there.
            const auto texts = static_cast<int>(pic.PrintedTexts().size());
            const testing::PanelView view = overlay == 0   ? testing::PanelView::MapSigma
                                            : overlay == 1 ? testing::PanelView::MapMean
                                                           : testing::PanelView::MapBrightBand;
            EXPECT_EQ(FaultLines(pic, {.round = true, .present = testing::PartTexts(view, 1, h), .lastResorts = texts}), "")
                << name;
            // The outlines under the texts: each of their pixels still drawn.
            const QImage& img = pic.Image();
            int hidden = 0;
            for (const auto& t : pic.PrintedTexts()) {
              const QRect r = testing::DevicePixels(t.ink, scale, 1).intersected(img.rect());
              for (int py = r.top(); py <= r.bottom(); ++py)
                for (int px = r.left(); px <= r.right(); ++px)
                  hidden += (background.pixel(px, py) & 0xFFFFFF) != 0xFFFFFF && (img.pixel(px, py) & 0xFFFFFF) == 0xFFFFFF;
            }
            EXPECT_EQ(hidden, 0) << name;
          }
  }
}

// The energy view on the shipped files and on a two-layer hour: every
// number of both axes printed, nothing crossing a text, the surface energy
// strip whole with its number, over none of the picture's texts; the
// decision lines in view, no label's ground on them ("Snow" over the red
// lines of the surface diagram), the strip off the two-layer diagram's
// green lines.
TEST_F(ReadableTest, EnergyViewNumbersAndStrip) {
  PrecipTypePanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  auto* strip = testing::Ctl<PictureBoxWidget>(parent, "picSleet");
  const auto check = [&](const std::string& name) {
    // "Snow" is wider than the snow column and stands over its red line.
    EXPECT_EQ(FaultLines(pic, {.round = true,
                               .present = testing::PartTexts(testing::PanelView::Energy, gCurDataset, host.hour),
                               .lastResorts = 1}),
              "")
        << name;
    std::set<std::string> printed;
    for (const auto& t : pic.PrintedTexts()) {
      const std::size_t first = t.text.find_first_not_of(' '), last = t.text.find_last_not_of(' ');
      if (first != std::string::npos) printed.insert(t.text.substr(first, last - first + 1));
    }
    const std::string pattern = gEnergyPattern(gCurDataset, host.hour);
    const bool surface = pattern == "AB" || pattern == "BB";
    for (int v = surface ? 500 : 50; v <= (surface ? 3000 : 400); v += surface ? 500 : 50)
      EXPECT_TRUE(printed.count(std::to_string(v))) << name << ": " << v << " beside the chart";
    for (int v = surface ? 10 : 50; v <= (surface ? 70 : 450); v += surface ? 10 : 50)
      EXPECT_TRUE(printed.count(std::to_string(v))) << name << ": " << v << " under the chart";
    // The decision lines as drawn: the surface diagram's red, the layer
    // diagrams' green, a pixel wide.
    const QImage& img = pic.Image();
    int lines = 0;
    for (const auto& shape : pic.DrawnShapes()) {
      const QRgb c = shape.pen.color().rgb() & 0xFFFFFF;
      if (shape.kind != PictureBox::DrawnShape::Kind::Lines || shape.points.size() != 2 || (c != 0xFF0000 && c != 0x00FF00))
        continue;
      ++lines;
      const QPointF from(shape.points[0]), to(shape.points[1]);
      const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
      int grey = 0;  // where neither the line nor a pixel beside it is drawn
      for (double t = 2; t < length - 2; t += 1) {
        const QPoint at = (from + (to - from) * (t / length)).toPoint();
        bool chart = true;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            chart = chart && img.rect().contains(at + QPoint(dx, dy)) && (img.pixel(at + QPoint(dx, dy)) & 0xFFFFFF) == 0x7F7F7F;
        grey += chart;
      }
      EXPECT_EQ(grey, 0) << name << ": the line from " << from.x() << ", " << from.y() << " under a label's ground";
      // The strip hides a corner of a line at most (a sixth of it), where
      // the chart leaves it no room clear of them.
      if (!strip->isHidden()) {
        const QRectF on(QRectF(strip->geometry()).topLeft() * pic.DeviceScale(),
                        QRectF(strip->geometry()).size() * pic.DeviceScale());
        QPointF a = from, b = to;
        const double hidden = ClipSegment(a, b, on) ? std::hypot(b.x() - a.x(), b.y() - a.y()) : 0;
        EXPECT_LT(hidden, length / 6) << name << ": the strip over the line from " << from.y();
      }
    }
    const int drawn = pattern == "AB" || pattern == "BB" ? 2 : pattern == "BA" || pattern == "ABAB" ? 3 : 0;
    EXPECT_EQ(lines, drawn) << name;
    if (strip->isHidden()) return;
    const PictureBox& sp = strip->Pic();
    EXPECT_EQ(FaultLines(sp), "") << name << ", the strip";
    const QRectF inside(0, 0, sp.PixelWidth(), sp.PixelHeight());
    for (const auto& t : sp.PrintedTexts()) EXPECT_TRUE(inside.contains(t.ink)) << name << ": \"" << t.text << "\" cut";
    for (const auto& t : pic.PrintedTexts())
      EXPECT_FALSE(QRectF(strip->geometry()).intersects(t.ink)) << name << ": the strip covers \"" << t.text << "\"";
  };
  EachDraw(p, pic, check);

  LoadTwoLayerHour();
  ASSERT_EQ(gEnergyPattern(1, 0), "ABAB");
  host.hour = 0;
  for (const double scale : kScales) {
    pic.Resize(testing::kPanelPx, testing::kPanelPx, scale);
    p.Draw();
    ASSERT_FALSE(strip->isHidden());
    check("two layers, scale " + std::to_string(scale));
    std::set<std::string> printed;
    for (const auto& t : strip->Pic().PrintedTexts()) printed.insert(t.text);
    EXPECT_TRUE(printed.count("15.3 J/kg")) << scale;
  }
}

}  // namespace
}  // namespace ondrik
