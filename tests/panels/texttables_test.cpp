// The data table, the lapse-rate table and the lake-effect page.
#include <gtest/gtest.h>

#include <QLabel>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/levels.h"
#include "core/numberformat.h"
#include "core/parcels.h"
#include "panels/datatable.h"
#include "panels/lakeeffect.h"
#include "panels/lapserates.h"
#include "platform/pictureboxwidget.h"
#include "platform/picturetext.h"
#include "tests/common/contrast_check.h"
#include "tests/common/text_check.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using testing::PanelTest;

class TextTablesTest : public PanelTest {};

TEST_F(TextTablesTest, DataTableRowsAndPrecipitation) {
  MakeDatasets(1, 2);
  gSiteElev(1) = 0.1f;  // km
  gPres(1, 0, 2) = 950;
  gTemp(1, 0, 2) = -12.34f;
  gDewpt(1, 0, 2) = -15;
  gRH(1, 0, 2) = 76.4f;
  gWdir(1, 0, 2) = 275;
  gWspd(1, 0, 2) = 35;
  gHght(1, 0, 2) = static_cast<Single>(100 + 12345 * 0.3048);
  const std::string row = DataTableRow(1, 0, 2);
  EXPECT_EQ(row, " 950  -12.3  -15.0    76   275     35    12,345");
  EXPECT_EQ(row.size(), DataTableHeader().size());
  gHght(1, 0, 2) = 50;  // below the site: a negative height
  EXPECT_EQ(DataTableRow(1, 0, 2).substr(37), "      -164");
  gPrecip(1, 1) = 0.072f;
  PrecipTotal(1, 1) = 12.25f;  // 10 in and more keep their leading digits
  EXPECT_EQ(PrecipitationLine(1, 1), "Precipitation:   0.072 Hr     12.250 Total");

  DataTablePanel p(host, &parent);
  Place(p);
  p.Draw();
  EXPECT_EQ(p.DataTableTop, 5);  // every level fits: the top one first
  gNumLevels(1) = 60;
  p.Draw();
  EXPECT_GT(p.DataTableTop, 10);
  EXPECT_LT(p.DataTableTop, 60);  // only the lowest levels that fit
  // ... and the header, the rows and the precipitation line fit whole.
  const PictureBox& pic = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic();
  EXPECT_LE((p.DataTableTop + 2) * pic.TextHeight("W"), pic.PixelHeight());
}

// A click on the middle of any printed row bands that row and marks its
// level on the chart (the rows stand a fraction of a pixel more than a whole
// number apart); a second click takes the band away, the next draw clears
// it; the header and the room under the listing mark nothing.
TEST_F(TextTablesTest, DataTableClickBandsTheRowUnderThePointer) {
  DataTablePanel p(host, &parent);
  Place(p);
  const PictureBox& pic = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic();
  PictureBox::RecordPrintedTexts(true);
  for (const char* file : {"NAM_KBOS.ond", "GFS_KOKC.ond", "RUC_KDEN.ond"}) {
    SCOPED_TRACE(file);
    testing::LoadShipped(file);
    p.Draw();
    ASSERT_GT(p.DataTableTop, 15);
    const QImage before = pic.Image();
    // Each printed text's ink, with the level it lists; then the room under
    // the listing.
    std::vector<std::pair<QRectF, Integer>> texts;
    for (const auto& t : pic.PrintedTexts()) {
      Integer level = 0;
      for (Integer L = 1; L <= p.DataTableTop; ++L)
        if (t.text == DataTableRow(1, 0, L)) level = L;
      texts.emplace_back(t.ink, level);
    }
    ASSERT_EQ(texts.size(), static_cast<size_t>(p.DataTableTop + 2));  // header, rows, precipitation
    texts.emplace_back(QRectF(0, pic.PixelHeight() - 2, 1, 1), 0);
    const auto changed = [&](const QImage& img, const QRectF& r) {
      int n = 0;
      for (int y = static_cast<int>(r.top()); y < r.bottom(); ++y)
        n += std::memcmp(img.constScanLine(y), before.constScanLine(y), img.bytesPerLine()) != 0;
      return n;
    };
    for (size_t i = 0; i < texts.size(); ++i) {
      const auto& [ink, level] = texts[i];
      SCOPED_TRACE(i);
      host.highlights.clear();
      p.picProfile_MouseUp(1, 0, 10, ink.center().y());
      EXPECT_EQ(host.highlights, level > 0 ? std::vector<Integer>{level} : std::vector<Integer>{});
      // The band covers the row's digits and none of the rows' next to it.
      const QImage banded = pic.Image();
      EXPECT_GT(changed(banded, ink), 0);
      if (level > 0) {
        EXPECT_EQ(changed(banded, ink), static_cast<int>(std::ceil(ink.bottom()) - static_cast<int>(ink.top())));
      }
      for (const size_t j : {i - 1, i + 1}) {
        if (j < texts.size() && texts[j].second > 0) {
          EXPECT_EQ(changed(banded, texts[j].first), 0) << j;
        }
      }
      p.picProfile_MouseUp(1, 0, 10, ink.center().y());
      EXPECT_EQ(pic.Image(), before);
    }
    p.picProfile_MouseUp(1, 0, 10, texts[3].first.center().y());
    p.Draw();
    EXPECT_EQ(pic.Image(), before);
  }
  PictureBox::RecordPrintedTexts(false);
}

TEST_F(TextTablesTest, LapseRatesAndTheirColours) {
  EXPECT_EQ(LapseTableBase(1013), 1000);
  EXPECT_EQ(LapseTableBase(999.9f), 950);
  EXPECT_EQ(LapseRateColour(7.95f), kYellow);
  EXPECT_EQ(LapseRateColour(7.951f), kSteepLapse);
  EXPECT_EQ(LapseRateColour(6.95f), RGB(0, 255, 0));
  EXPECT_EQ(LapseRateColour(6.96f), kYellow);
  EXPECT_EQ(LapseRateColour(-3), RGB(0, 255, 0));
  MakeDatasets(1, 1);
  const Single t[] = {10, 2, -6, -14, -22};  // 8 C a 100 mb
  for (int L = 1; L <= 5; ++L) gTemp(1, 0, L) = t[L - 1];
  const Single lapse = *LapseRate(0, 1000, 900);
  EXPECT_NEAR(lapse, 8 / ((StdHeightFtOfPressure(900) - StdHeightFtOfPressure(1000)) / 3281), 1e-3);
  gTemp(1, 0, 2) = 12;  // an inversion: negative
  EXPECT_LT(*LapseRate(0, 1000, 900), 0);
  EXPECT_FALSE(LapseRate(0, 1000, 0).has_value());  // above the profile
  LapseRatesPanel p(host, &parent);
  Place(p);
  p.Draw();  // draws the levels it has, leaves out the rest
  const QImage& img = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic().Image();
  int green = 0;  // the numbers' antialiased strokes
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) green += qGreen(img.pixel(x, y)) > 100 && qRed(img.pixel(x, y)) < 60;
  EXPECT_GT(green, 0);
}

// The table at the panel's size on screens of scale 1 to 2.25: every
// number whole, a pixel or more inside the picture and apart from the next
// in its row; from scale 2.25 on its digits stand 7 screen pixels tall and
// more (at 1 the twenty columns leave them less), and from 1.5 every
// number, the steep rates' red too, stands out from the black.
TEST_F(TextTablesTest, LapseTableStandsWholeAndReadsFromScaleTwoAndAQuarter) {
  const struct {
    const char* file;  // surface about 965 mb and 1030 mb: 19 and 20 columns
    double scale;
    Integer hour = 0;
  } cases[] = {{"NAM_KOKC.ond", 1},   {"NAM_KOKC.ond", 1.5},     {"NAM_KBOS.ond", 1},
               {"NAM_KBOS.ond", 2.25}, {"NAM_KMSP.ond", 1.5, 30}, {"NAM_KMSP.ond", 1.75, 30}};
  PictureBox::RecordPrintedTexts(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " at scale " + std::to_string(c.scale));
    testing::LoadShipped(c.file);
    host.hour = c.hour;
    LapseRatesPanel p(host, &parent);
    Place(p);
    PictureBox& pic = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic();
    pic.Resize(testing::kPanelPx, testing::kPanelPx, c.scale);
    p.Draw();
    EXPECT_EQ(testing::FaultLines(pic), "");
    for (const auto& t : pic.PrintedTexts())
      if (t.text.find("Lapse") == std::string::npos) {
        if (c.scale >= 2.25 || c.scale == 1) {
          EXPECT_EQ(t.digitPx * c.scale >= picturetext::kSmallestDigitPx, c.scale >= 2.25) << t.text;
        }
      }
    EXPECT_GT(pic.PrintedTexts().size(), 150u);
    if (c.scale >= 1.5) {
      for (const auto& f : testing::FaintTexts(pic)) ADD_FAILURE() << "\"" << f.text << "\" faint: " << f.contrast;
    }
  }
  PictureBox::RecordPrintedTexts(false);
}

TEST(LakeEffect, StabilityVerdicts) {
  const struct {
    double d850, d700;
    const char* text;
    Color colour;
  } cases[] = {{17, 30, "Extreme", kRed},         {20, 16.9, "", kBlack},       {11.9, 30, "", kBlack},
               {12, 17, "Conditional", kBlack},   {16.9, 30, "Conditional", kBlack},
               {17, 24, "Moderate", kBlue},       {17, 23.9, "Conditional", kBlack},
               {25, 29.9, "Moderate", kBlue}};
  for (const auto& c : cases) {
    const LakeStability v = LakeStabilityVerdict(c.d850, c.d700);
    EXPECT_EQ(v.text, c.text) << c.d850 << " " << c.d700;
    EXPECT_EQ(v.colour, c.colour) << c.d850 << " " << c.d700;
  }
}

TEST_F(TextTablesTest, LakePageLabels) {
  MakeDatasets(1, 1);
  const Single t[] = {-5, -8, -12, -18, -25};
  for (int L = 1; L <= 5; ++L) {
    gTemp(1, 0, L) = t[L - 1];
    gDewpt(1, 0, L) = t[L - 1] - 2;
  }
  gSfcTemp(1, 0) = -5;
  gSfcDewpt(1, 0) = -7;
  gCape(1, 0) = 12;
  host.config.gLakeLevel1Pres = 800;
  host.config.gLakeLevel2Pres = 700;
  LakeEffectPage page(host, &parent);
  PanelSettings s;
  s.LakeTempF = 50;  // 10 C
  page.Apply(s);
  EXPECT_GE(host.chartRedraws, 1);  // the page and the chart follow the bar
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblLakeC")->text(), "10");
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblT850")->text(), "-12");
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblDiff850")->text(), "22");
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblT700")->text(), "-18");
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblDiff700")->text(), "28");
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblStability")->text(), "Moderate");
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblModelCape")->text(), "12");
  EXPECT_EQ(gLakeParcelDone(1, 0), -1);
  const QString nlic = testing::Ctl<QLabel>(parent, "lblNLIC")->text();
  EXPECT_EQ(nlic == "----", gLakeEL(1, 0) <= 500) << nlic.toStdString();
  // The parcel is lifted once; the page then only reads it.
  gLakeCape(1, 0) = 4321;
  page.Draw();
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblLIC")->text(), "4321");
  gLakeEL(1, 0) = 400;
  page.Draw();
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblNLIC")->text(), "----");
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblLIE")->text(), "400'");
  // A lake level outside the profile shows no number and no verdict.
  host.config.gLakeLevel2Pres = 100;
  page.Draw();
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblT700")->text(), "--");
  EXPECT_EQ(testing::Ctl<QLabel>(parent, "lblStability")->text(), "");
}

// A new lake temperature reaches every dataset: a dataset shown after the
// change lifts its lake parcel again instead of showing the old one.
TEST_F(TextTablesTest, LakeTemperatureReachesEveryDataset) {
  testing::LoadShipped("SREF_KOKC.ond");
  ASSERT_GE(gDatasetCount, 2);
  LakeEffectPage page(host, &parent);
  const auto lakeEL = [&](Integer d, int lakeF) {
    gCurDataset = 1;
    PanelSettings s;
    s.LakeTempF = lakeF;
    page.Apply(s);  // the bar moves while dataset 1 is current
    gCurDataset = d;
    page.Draw();
    return testing::Ctl<QLabel>(parent, "lblLIE")->text().toStdString();
  };
  const std::string cold = lakeEL(2, 34);
  const std::string warm = lakeEL(2, 60);
  ASSERT_EQ(gLakeParcelDone(2, 0), -1);
  gLakeParcelDone(2, 0) = 0;
  LiftSurfaceParcel(0);
  EXPECT_EQ(warm, Format(gLakeEL(2, 0), "0'"));
  EXPECT_NE(warm, cold);
  // Every hour of every dataset not drawn since is lifted again at its next use.
  for (Integer d = 1; d <= gDatasetCount; ++d)
    for (Integer h = 0; h <= gLastHour(d); ++h) gLakeParcelDone(d, h) = -1;
  lakeEL(2, 40);
  for (Integer d = 1; d <= gDatasetCount; ++d)
    for (Integer h = 1; h <= gLastHour(d); ++h) ASSERT_EQ(gLakeParcelDone(d, h), 0) << d << " " << h;
}

}  // namespace
}  // namespace ondrik
