#include "profilewindow/snapshot.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart.h"
#include "chart/windcolumn.h"
#include "platform/effects.h"
#include "profilewindow/commandline.h"
#include "profilewindow/gdiplus.h"
#include "tests/common/temp_folder.h"
#include "tests/common/text_check.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string TempFolder(const std::string& name) { return testing::TempFolderIn("snapshot", name); }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(SnapshotNames, NormalArchiveAndInteractive) {
  const DateTime valid{2023, 12, 5, 18, 0};
  EXPECT_EQ(SnapshotFileName("B", "nam", "abc", 7, valid, false), "nam_abc_ondrikprofile_b07.png");
  EXPECT_EQ(SnapshotFileName("B", "nam", "abc", 7, valid, true), "23120518_nam_abc_ondrikprofile_b.png");
  EXPECT_EQ(SnapshotFileName("C", "GFS", "KALB", 100, valid, false), "gfs_kalb_ondrikprofile_c100.png");
  EXPECT_EQ(SnapshotFileName("", "nam", "abc", 7, valid, true), "ondrikprofile.png");

  EXPECT_EQ(JoinFolder("/snap/", "a.png"), "/snap/a.png");
  EXPECT_EQ(JoinFolder("/snap", "a.png"), "/snap/a.png");

  // The title gives the run to the hour, the second line the shown hour to the minute.
  EXPECT_EQ(SnapshotTitle("KBOS", "NAM", DateTime{2023, 12, 5, 12, 0}),
            "  KBOS      NAM     Dec 05, 2023   12z  ");
  EXPECT_EQ(SnapshotValidLine(DateTime{2024, 1, 9, 3, 30}), "Valid     Jan 09, 2024   03:30z");
}

TEST(ImageSaving, EncodersAndRoundTrip) {
  cGdiPlus gdip;
  EXPECT_GE(gdip.EncoderIndexOf("*.png"), 0);
  EXPECT_EQ(gdip.EncoderIndexOf("*.PNG"), gdip.EncoderIndexOf("*.png"));
  EXPECT_GE(gdip.EncoderIndexOf("*.jpg"), 0);
  EXPECT_EQ(gdip.EncoderIndexOf("*.JPEG"), gdip.EncoderIndexOf("*.jpg"));
  EXPECT_EQ(gdip.EncoderIndexOf("*.xyz"), -1);
  EXPECT_EQ(cGdiPlus::FileExtension("a/b.c/name"), "");
  EXPECT_EQ(cGdiPlus::FileExtension("name"), "");
  EXPECT_EQ(cGdiPlus::FileExtension("dir/x.Png"), "Png");
  EXPECT_EQ(cGdiPlus::GdiErrorString(0), "Unknown GDI+ Error");
  EXPECT_EQ(cGdiPlus::GdiErrorString(21), "Unknown GDI+ Error");
  EXPECT_EQ(cGdiPlus::GdiErrorString(-1), "Unknown GDI+ Error");
  EXPECT_EQ(cGdiPlus::GdiErrorString(20), "Property Not Supported");

  PictureBox pic(64, 40);
  pic.BackColor = RGB(0, 0, 255);
  pic.Cls();
  pic.Box(0, 0, 31, 39, RGB(255, 0, 0), true);
  const std::string dir = TempFolder("encoders");
  int errors = 0;
  gdip.Error = [&errors](int, const std::string&) { ++errors; };

  ASSERT_TRUE(gdip.PictureBoxToFile(pic, dir + "x.png", 85));
  QImage png(QString::fromStdString(dir + "x.png"));
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.width(), 64);
  EXPECT_EQ(png.height(), 40);
  EXPECT_EQ(png.pixelColor(5, 5), QColor(255, 0, 0));  // lossless

  ASSERT_TRUE(gdip.PictureBoxToFile(pic, dir + "x.JPG", 85));
  QImageReader reader(QString::fromStdString(dir + "x.JPG"));
  EXPECT_EQ(reader.format(), "jpeg");
  const QImage jpg = reader.read();
  EXPECT_EQ(jpg.size(), QSize(64, 40));
  // Quality is passed to the encoder: a low quality gives a smaller file.
  ASSERT_TRUE(gdip.PictureBoxToFile(pic, dir + "low.jpeg", 5));
  ASSERT_TRUE(gdip.PictureBoxToFile(pic, dir + "high.jpeg", 100));
  EXPECT_LT(fs::file_size(dir + "low.jpeg"), fs::file_size(dir + "high.jpeg"));

  // No encoder: false without an event; an unwritable place: false with one.
  EXPECT_FALSE(gdip.PictureBoxToFile(pic, dir + "noextension", 85));
  EXPECT_FALSE(gdip.PictureBoxToFile(pic, dir + "x.xyz", 85));
  EXPECT_EQ(errors, 0);
  EXPECT_FALSE(gdip.PictureBoxToFile(pic, dir + "missing/x.png", 85));
  EXPECT_EQ(errors, 1);
}

TEST(ProfileSnapshot, SavesComposesAndReports) {
  FakeEffects fake;
  PictureBox data(300, 200), omega(40, 200);
  data.BackColor = RGB(255, 255, 255);
  data.Cls();
  omega.BackColor = RGB(0, 128, 0);
  omega.Cls();

  const std::string dir = TempFolder("profile");
  SnapshotRequest req;
  req.modelName = "NAM";
  req.siteId = "KBOS";
  req.curHour = 7;
  req.valid0 = DateTime{2023, 12, 5, 12, 0};
  req.validCur = DateTime{2023, 12, 5, 19, 0};
  req.snapshotDir = dir;
  int redraws = 0;
  auto redraw = [&redraws] { ++redraws; };

  // Interactive: ondrikprofile.png, opened afterwards; the omega strip lies
  // over the chart's top-left corner; the title is printed on the chart.
  SnapshotResult r = ProfileSnap(data, &omega, req, redraw, fake);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, dir + "ondrikprofile.png");
  ASSERT_EQ(fake.documents.size(), 1u);
  EXPECT_EQ(fake.documents[0], r.path);
  EXPECT_EQ(redraws, 1);
  QImage img(QString::fromStdString(r.path));
  ASSERT_EQ(img.size(), QSize(300, 200));
  EXPECT_EQ(img.pixelColor(5, 190), QColor(0, 128, 0));
  EXPECT_EQ(img.pixelColor(295, 190), QColor(255, 255, 255));
  bool titleInk = false;  // the second title line is drawn in RGB(128, 32, 32)
  for (int y = 0; y < 60 && !titleInk; ++y)
    for (int x = 40; x < 300 && !titleInk; ++x) titleInk = img.pixelColor(x, y) == QColor(128, 32, 32);
  EXPECT_TRUE(titleInk);

  // Batch, omega strip not shown: named by model, site, letter and hour; not opened.
  data.Cls();
  req.name = "B";
  r = ProfileSnap(data, nullptr, req, redraw, fake);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.path, dir + "nam_kbos_ondrikprofile_b07.png");
  EXPECT_EQ(fake.documents.size(), 1u);
  img = QImage(QString::fromStdString(r.path));
  EXPECT_EQ(img.pixelColor(5, 190), QColor(255, 255, 255));

  // A failed save is reported and nothing is opened; an earlier file stays whole.
  const std::string before = ReadAll(dir + "ondrikprofile.png");
  req.name = "";
  req.snapshotDir = dir + "missing";
  r = ProfileSnap(data, nullptr, req, redraw, fake);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(fake.documents.size(), 1u);
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_NE(fake.messages[0].text.find("missing"), std::string::npos);
  EXPECT_EQ(redraws, 3);
  EXPECT_EQ(ReadAll(dir + "ondrikprofile.png"), before);
}

// Every title text stands whole in the saved picture at every picture size
// the command line gives ("-SIZE=", the smallest ones drawn at the smallest
// snapshot's size) and at the window's: inside the picture and clear of its
// edges and of each other, below the omega strip that lies over the chart's
// top when it is shown (where they always stood when it is not), every word
// of both lines there and in order, each line a row of its own where some
// face down to the narrowest holds it; and so do the omega scale's labels,
// whatever its range.
TEST(ProfileSnapshot, EveryTitleStandsWholeAtEverySize) {
  PictureBox::RecordPrintedTexts(true);
  SnapshotRequest req;
  req.modelName = "NAM";
  req.siteId = "KMSP";
  req.valid0 = DateTime{2023, 12, 5, 12, 0};
  req.validCur = DateTime{2023, 12, 6, 0, 0};
  const std::string title = SnapshotTitle(req.siteId, req.modelName, req.valid0);
  const std::string valid = SnapshotValidLine(req.validCur);
  struct Case {
    std::string name;
    int width, height;
  };
  std::vector<Case> cases = {{"first-run window", 976, 406}, {"window", 509, 480}};
  for (const int percent : {11, 15, 20, 25, 30, 35, 40, 45, 50, 60, 75, 100, 150, 250, 400}) {
    const PixelSize size = SnapshotChartSize(percent / 100.0);
    cases.push_back({"-SIZE=" + std::to_string(percent), size.width, size.height});
  }
  for (const Case& c : cases) {
    for (const int strip : {30, 0}) {  // the omega strip's height, 0 when not shown
      const std::string name = c.name + (strip > 0 ? ", omega" : "");
      SCOPED_TRACE(name);
      ASSERT_GE(c.width, SnapshotChartSize(0).width);
      PictureBox data(c.width, c.height), omega(c.width, std::max(1, strip));
      data.BackColor = kBlack;
      data.Cls();
      omega.BackColor = RGB(236, 233, 216);
      ChartState st;
      DrawOmegaScale(omega, st);
      const PreparedSnapshot snap = PrepareProfileSnap(data, strip > 0 ? &omega : nullptr, req);
      EXPECT_EQ(testing::FaultLines(data), "");
      std::vector<std::string> printed;
      for (const PictureBox::PrintedText& t : data.PrintedTexts()) {
        printed.push_back(t.text);
        EXPECT_GE(t.ink.top(), strip) << t.text;
        // In the saved picture the text's ink shows (dark on its white
        // box), not the strip.
        int shown = 0;
        for (int y = static_cast<int>(t.ink.top()); y < t.ink.bottom(); ++y)
          for (int x = static_cast<int>(t.ink.left()); x < t.ink.right(); ++x)
            shown += snap.composite.pixelColor(x, y).lightness() < 160;
        EXPECT_GE(shown, 3) << t.text;
      }
      EXPECT_EQ(testing::Words(printed), testing::Words({title, valid}));
      if (c.width >= SnapshotChartSize(0.4).width) {
        EXPECT_EQ(printed, (std::vector<std::string>{title, valid}));
      }
      // A line goes over more rows only where not even the narrowest face
      // holds it (with a blank of white either side, a picture pixel in).
      for (const std::string& line : {title, valid})
        if (testing::FloorWidthPx(data, " " + line + " ") + 4 <= c.width) {
          EXPECT_NE(std::find(printed.begin(), printed.end(), line), printed.end()) << line;
        }
      // Without the strip the title stands where it always did.
      if (strip == 0 && !data.PrintedTexts().empty()) {
        EXPECT_LT(data.PrintedTexts().front().ink.top(), 30);
      }
      // The omega scale's labels at the first range, zoomed in and out.
      if (strip == 0) continue;
      for (const Single range : {11.0F, 11.0F * 0.7F * 0.7F * 0.7F, 11.0F / 0.7F / 0.7F / 0.7F / 0.7F}) {
        st.opt.OmegaRange = range;
        DrawOmegaScale(omega, st);
        EXPECT_EQ(testing::FaultLines(omega), "") << "range " << range;
        EXPECT_GE(omega.PrintedTexts().size(), 3u) << "range " << range;
      }
    }
  }
  PictureBox::RecordPrintedTexts(false);
}

// The background saver reports every snapshot once, in the order it was
// handed them, however many are saving at once; a save that fails (a folder
// that does not exist) is reported as failed; each file holds its own
// picture, two saves of one file both succeed, the later picture kept
// however the file is spelt. A
// saver let go with saves running waits for them, reporting none.
TEST(ProfileSnapshot, BackgroundSavesReportInOrder) {
  FakeEffects fake;
  const std::string dir = TempFolder("background");
  fs::create_directory_symlink(dir, dir + "link");
  auto snapshot = [&dir](int i) {
    PreparedSnapshot snap;
    snap.composite = QImage(40, 30, QImage::Format_RGB32);
    snap.composite.fill(QColor(20 * i, 0, 255 - 20 * i));
    // Shots 6 and 7 go to one file, as a batch that names an hour twice,
    // the second through a link to the folder.
    const std::string folder = i == 5 ? dir + "missing/" : i == 7 ? dir + "link/" : dir;
    snap.path = folder + "shot" + std::to_string(i == 7 ? 6 : i) + ".png";
    return snap;
  };
  std::vector<std::pair<int, bool>> reports;
  {
    SnapshotSaver saver(fake);
    for (int i = 0; i < 8; ++i) {
      saver.Submit(snapshot(i), [&reports, i](const SnapshotResult& r) { reports.emplace_back(i, r.ok); });
      EXPECT_LE(static_cast<std::size_t>(i + 1) - reports.size(), SnapshotSaver::kInFlight);
    }
    saver.Finish();
    ASSERT_EQ(reports.size(), 8u);
    for (int i = 8; i < 10; ++i)
      saver.Submit(snapshot(i), [&reports, i](const SnapshotResult& r) { reports.emplace_back(i, r.ok); });
  }
  ASSERT_EQ(reports.size(), 8u);
  for (int i = 0; i < 10; ++i) {
    if (i < 8) {
      EXPECT_EQ(reports[static_cast<std::size_t>(i)].first, i);
      EXPECT_EQ(reports[static_cast<std::size_t>(i)].second, i != 5) << i;
    }
    if (i == 5 || i == 6) continue;  // shot 6's file holds shot 7
    const int file = i == 7 ? 6 : i;
    const QImage back(QString::fromStdString(dir + "shot" + std::to_string(file) + ".png"));
    ASSERT_FALSE(back.isNull()) << i;
    EXPECT_EQ(back.pixel(3, 3), qRgb(20 * i, 0, 255 - 20 * i)) << i;
  }
  EXPECT_FALSE(fs::exists(dir + "missing"));
  EXPECT_TRUE(fake.messages.empty());  // the reports, not the saver, tell the user
}

}  // namespace
}  // namespace ondrik
