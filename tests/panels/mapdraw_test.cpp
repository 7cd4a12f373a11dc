// Drawing the map: site dots, outline layers from files, feature lines, the
// wind overlays' texts and colours, the travel times and the radar rings;
// the shipped outlines around a shipped site saved as a PNG to look at.
#include "panels/mapdraw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "core/reader.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

PictureBox MapPicture() {
  PictureBox pic(238, 238);
  pic.BackColor = kWhite;
  pic.Cls();
  pic.FontName = "Arial";
  pic.FontSize = 7;
  EXPECT_TRUE(ScaleToExtent(pic, MapExtent{}));
  return pic;
}

// The pixel a point is drawn on.
Color At(const PictureBox& pic, double x, double y) {
  const QRgb v = pic.Image().pixel(static_cast<int>(std::lround(pic.XToPixel(x))),
                                   static_cast<int>(std::lround(pic.YToPixel(y))));
  return RGB(qRed(v), qGreen(v), qBlue(v));
}

// Pixels of a text in colour c on the map's white: c itself, or c half or
// more over white where its strokes cover a pixel in part.
int CountInk(const PictureBox& pic, Color c, int top, int bottom) {
  int n = 0;
  const int cr = RedOf(c), cg = GreenOf(c), cb = BlueOf(c);
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < pic.PixelWidth(); ++x) {
      const QRgb v = pic.Image().pixel(x, y);
      // How far from white towards c each channel has gone (a channel c
      // shares with white tells nothing).
      double lo = 1, hi = 0;
      bool any = false;
      for (const auto& [got, want] : {std::pair{qRed(v), cr}, std::pair{qGreen(v), cg}, std::pair{qBlue(v), cb}}) {
        if (want == 255) {
          if (got < 250) lo = -1;
          continue;
        }
        const double t = (255.0 - got) / (255.0 - want);
        lo = std::min(lo, t);
        hi = std::max(hi, t);
        any = true;
      }
      n += any && lo >= 0.5 && hi - lo < 0.15;
    }
  return n;
}

int Count(const PictureBox& pic, Color c, int top = 0, int bottom = 238) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < pic.PixelWidth(); ++x) {
      const QRgb v = pic.Image().pixel(x, y);
      n += RGB(qRed(v), qGreen(v), qBlue(v)) == c;
    }
  return n;
}

MapOutlines NoOutlines() {
  return MapOutlines([](const std::string&) { return std::string(); });
}

TEST(MapDrawing, SiteDotsByTheAgeOfTheirData) {
  PictureBox pic = MapPicture();
  MapOutlines none = NoOutlines();
  const std::vector<MapSite> sites = {{0, 45, 95, 7}, {1, 45, 90, 15}, {2, 45, 85, 16}, {3, 40, 100, 2}};
  const double r = DrawMapOutlines(pic, {}, none, MapPoint{100, 40}, sites);
  EXPECT_NEAR(r, 51.0 / 75, 1e-9);
  EXPECT_EQ(At(pic, 95, 45), RGB(0, 0, 255));
  EXPECT_EQ(At(pic, 90, 45), RGB(100, 100, 255));
  EXPECT_EQ(At(pic, 85, 45), RGB(200, 200, 255));
  // The current site's red circle, wider, lies under the dots of the sites.
  EXPECT_EQ(At(pic, 100, 40), RGB(0, 0, 255));
  EXPECT_GT(Count(pic, kRed), 10);
}

TEST(MapDrawing, OutlineLayersFromTheirFiles) {
  const fs::path folder = fs::path(ONDRIK_TEST_TMP) / "mapdraw-layers";
  fs::create_directories(folder);
  // No break before the first line; the second line is not joined to it.
  std::ofstream(folder / "Map_State.dat") << "40,-100\n40,-90\n9999,9999\n30,-90\n30,-80\n";
  MapOutlines outlines([&](const std::string& name) {
    return fs::exists(folder / name) ? (folder / name).string() : std::string();
  });
  PictureBox pic = MapPicture();
  std::array<bool, kMapLayerCount> ticked{};
  ticked[3] = ticked[4] = true;  // State, and Country without a file
  DrawMapOutlines(pic, ticked, outlines, std::nullopt, {});
  const Color state = RGB(127, 120, 120);
  EXPECT_EQ(At(pic, 95, 40), state);
  EXPECT_EQ(At(pic, 85, 30), state);
  EXPECT_EQ(At(pic, 90, 35), kWhite);
  EXPECT_EQ(Count(pic, kWhite) + Count(pic, state), 238 * 238);
}

TEST(MapDrawing, FeatureLinesWithShadowAndColour) {
  const MapFeatureTable t = ParseLookupTable("260, 40,100, 40,97, 40,94, 40,90\n280, 40,100, 40,97, 40,94, 40,90\n-1\n");
  const Color green = VerdictColor(FlowVerdict::Uniform), grey = RGB(127, 127, 127);
  PictureBox pic = MapPicture();
  DrawFeatureLines(pic, t, 270, green);
  EXPECT_EQ(At(pic, 95, 40), green);
  EXPECT_GT(Count(pic, grey), 0);
  PictureBox shadowOnly = MapPicture();
  DrawFeatureLines(shadowOnly, t, 270, std::nullopt);
  EXPECT_EQ(Count(shadowOnly, green), 0);
  EXPECT_EQ(At(shadowOnly, 95, 40), grey);
  PictureBox outside = MapPicture();
  DrawFeatureLines(outside, t, 300, green);
  EXPECT_EQ(Count(outside, kWhite), 238 * 238);
}

// A profile of dataset 1, hour 0 at a site 35 N 97 W: 10 levels from 1000
// mb up by 50 mb, temperatures from t0 down 3 degrees a level, winds from
// wdir.
void Profile(double t0, const std::vector<double>& wdir, Single elevKm = 0) {
  gDatasetCount = 1;
  gNumLevels(1) = 10;
  gLastHour(1) = 0;
  gSiteLat(1) = 35;
  gSiteLon(1) = 97;
  gSiteElev(1) = elevKm;
  for (int L = 1; L <= 10; ++L) {
    gPres(1, 0, L) = static_cast<Single>(1050 - 50 * L);
    gTemp(1, 0, L) = static_cast<Single>(t0 - 3 * (L - 1));
    gWdir(1, 0, L) = static_cast<Single>(wdir[static_cast<size_t>(L - 1) % wdir.size()]);
    gWspd(1, 0, L) = 20;
  }
}

TEST(MapDrawing, SigmaWindColoursItsLinesAndTurn) {
  const MapFeatureTable t = ParseLookupTable("1, 40,100, 40,97, 40,94, 40,90\n360, 40,100, 40,97, 40,94, 40,90\n");
  const struct {
    std::vector<double> wdir;  // levels 4, 5, 6 (step 1 about level 5)
    Color line, turn;
  } cases[] = {
      {{200, 208, 215}, kYellow, kRed},                                  // +15
      {{200, 198, 195}, VerdictColor(FlowVerdict::Uniform), kBlue},      // -5
  };
  for (const auto& c : cases) {
    Profile(20, {0, 0, 0, c.wdir[0], c.wdir[1], c.wdir[2], 0, 0, 0, 0});
    PictureBox pic = MapPicture();
    const std::optional<Flow> f = DrawMapSigmaWind(pic, t, 1, 0, 5, 1);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->dir, c.wdir[1]);
    EXPECT_EQ(At(pic, 95, 40), c.line);
    EXPECT_GT(CountInk(pic, c.turn, 0, 40), 0);  // the turn's text
  }
  // A neighbour beyond the profile: no verdict and no turn; a level beyond
  // it: nothing at all.
  PictureBox pic = MapPicture();
  EXPECT_TRUE(DrawMapSigmaWind(pic, t, 1, 0, 5, 6));
  EXPECT_EQ(At(pic, 95, 40), RGB(127, 127, 127));
  EXPECT_EQ(Count(pic, kRed) + Count(pic, kBlue), 0);
  PictureBox none = MapPicture();
  EXPECT_FALSE(DrawMapSigmaWind(none, t, 1, 0, 11, 1));
  EXPECT_FALSE(DrawMapSigmaWind(none, t, 1, 0, 0, 1));
  EXPECT_EQ(Count(none, kWhite), 238 * 238);
}

TEST(MapDrawing, MeanFlowLayerAndTravelTimes) {
  Profile(20, {250, 270, 290});
  PictureBox pic = MapPicture();
  const MapFeatureTable none;
  const std::optional<Flow> up = DrawMapMeanFlow(pic, none, 1, 0, 1, 3, 8, 16);
  const std::optional<Flow> down = DrawMapMeanFlow(pic, none, 1, 0, 3, 1, 8, 16);
  ASSERT_TRUE(up && down);
  EXPECT_NEAR(up->dir, 270, 1e-3);
  EXPECT_DOUBLE_EQ(up->spd, down->spd);
  EXPECT_TRUE(DrawMapMeanFlow(pic, none, 1, 0, 8, 40, 8, 16));  // the part inside the profile
  EXPECT_FALSE(DrawMapMeanFlow(pic, none, 1, 0, 11, 20, 8, 16));

  Flow calm;
  const std::array<TravelTime, 2> t =
      PrintMapTravelTimes(pic, {ReferenceLine{90.001, 50, 200}, ReferenceLine{0.001, 40, 300}}, calm);
  EXPECT_EQ(calm.spd, kMinFlowSpeed);  // the stored flow is raised
  EXPECT_NEAR(t[0].dist, 50, 1e-3);
  EXPECT_NEAR(t[0].hours, 500, 0.01);
  EXPECT_EQ(t[1].dist, 300);  // a flow from 0 runs along a line of bearing 0
}

// The two travel times never read as one: on the bottom line two blanks or
// more part them, else the second stands on a line of its own; both whole
// inside the map, on a slow flow (long times) and a fast one, on a map of
// the panel's width and a narrow one, on screens of several scales.
TEST(MapDrawing, TheTwoTravelTimesStandApart) {
  PictureBox::RecordPrintedTexts(true);
  for (const double spd : {0.1, 3.0, 18.0, 60.0})
    for (const int width : {238, 170})
      for (const double scale : {1.0, 1.25, 1.75}) {
        SCOPED_TRACE(std::to_string(spd) + " kt, " + std::to_string(width) + " px at " + std::to_string(scale));
        PictureBox pic = MapPicture();
        pic.Resize(width, 238, scale);
        Flow flow{285, spd};
        PrintMapTravelTimes(pic, {ReferenceLine{270, 200, 300}, ReferenceLine{180, 60, 200}}, flow);
        std::vector<QRectF> inks;
        for (const auto& t : pic.PrintedTexts())
          if (t.text.find(" nm ") != std::string::npos) inks.push_back(t.ink);
        ASSERT_EQ(inks.size(), 2u);
        for (const QRectF& ink : inks) EXPECT_TRUE(QRectF(0, 0, width, 238).contains(ink));
        const bool oneLine = inks[0].top() < inks[1].bottom() && inks[1].top() < inks[0].bottom();
        if (oneLine) {
          EXPECT_GE(inks[1].left() - inks[0].right(), 2 * pic.TextWidthPx(" "));
        }
      }
  PictureBox::RecordPrintedTexts(false);
}

TEST(MapDrawing, RadarRingsAtTheFreezingLevel) {
  // Four degrees around the site, 60 px a degree.
  auto zoomed = [] {
    PictureBox pic = MapPicture();
    ScaleToExtent(pic, {99, 37, 95, 33});
    return pic;
  };
  const double q = LonDegreesPerNm(35);
  const std::array<BeamTilt, 1> tilt = {BeamTilt{0.5, kBlack}};
  // 0 degrees C at 850 mb, far above the site: a ring between the ranges.
  Profile(9, {270});
  const double h = *FreezingLevelKm(1, 0);
  const double outer = *BeamRangeNm(0.5, h, 0), inner = *BeamRangeNm(0.5, h - kBrightBandDepthKm, 0);
  ASSERT_GT(outer - inner, 8);
  PictureBox pic = zoomed();
  PlotBeamFreezingLevel(pic, 1, 0, tilt);
  EXPECT_EQ(pic.Mode, DrawMode::CopyPen);  // later overlays draw as they should
  EXPECT_EQ(At(pic, 97, 35), kWhite);
  EXPECT_EQ(At(pic, 97 + (inner + outer) / 2 * q, 35), kBlack);
  EXPECT_EQ(At(pic, 97 + (outer + 3) * q, 35), kWhite);
  EXPECT_GT(Count(pic, kBlack, 0, 14), 0);  // the freezing level's text

  // Less than 1200 ft above the site: a disc.
  Profile(0.5, {270});
  PictureBox disc = zoomed();
  PlotBeamFreezingLevel(disc, 1, 0, tilt);
  EXPECT_EQ(At(disc, 97, 35), kBlack);
  // Colder than 0 everywhere: nothing, not even the text.
  Profile(-1, {270});
  PictureBox cold = zoomed();
  PlotBeamFreezingLevel(cold, 1, 0, tilt);
  EXPECT_EQ(Count(cold, kWhite), 238 * 238);
}

TEST(MapDrawing, TheShippedOutlinesAroundAShippedSite) {
  LoadOptions o;
  o.modelKey = "eta";
  ASSERT_TRUE(LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/NAM_KMSP.ond", o).ok);
  gLoadingState = false;
  MapOutlines outlines([](const std::string& name) { return std::string(ONDRIK_DATA_DIR) + "/" + name; });
  PictureBox pic = MapPicture();
  const MapPoint site{gSiteLon(1), gSiteLat(1)};
  DrawMapOutlines(pic, {true, false, false, true, true}, outlines, site, {});
  EXPECT_EQ(At(pic, site.x, site.y), kRed);
  EXPECT_GT(Count(pic, RGB(127, 0, 0)), 300);       // provinces, north of the border only
  EXPECT_EQ(Count(pic, RGB(127, 0, 0), 150, 238), 0);
  EXPECT_GT(Count(pic, RGB(127, 120, 120)), 2000);  // states
  EXPECT_GT(Count(pic, RGB(127, 160, 160)), 500);   // countries and coasts
  // With a westerly at the sigma level the lake bands show.
  gWdir(1, 0, 10) = 285;
  DrawMapSigmaWind(pic, ReadLookupTable(std::string(ONDRIK_DATA_DIR) + "/Ondrik.Dat"), 1, 0, 10, 3);
  Flow flow{285, 20};
  PrintMapTravelTimes(pic, {ReferenceLine{270, 200, 300}, ReferenceLine{180, 60, 200}}, flow);
  pic.Image().save(QString::fromStdString((fs::path(ONDRIK_TEST_TMP) / "map-kmsp.png").string()));
}

}  // namespace
}  // namespace ondrik
