// The overview's layouts in their files and its snapshot, with the profile
// window, headless: layouts survive a restart of the program, "Reset" clears
// the fields with one redraw, a short layout takes what it holds, and the
// snapshot saves the four pictures under their title and draws the window
// again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/shared.h"
#include "core/shear.h"
#include "overview/layout.h"
#include "overviewwindow/frmoverview.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/snapshot.h"
#include "tests/common/text_check.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

std::string ReadText(const fs::path& p) {
  std::stringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

class OverviewFilesTest : public ProfileWindowTest {
 protected:
  void SetUp() override {
    ProfileWindowTest::SetUp();
    SetLayoutSlots(&FileLayoutSlots());
  }
  void TearDown() override {
    ProfileWindowTest::TearDown();
    SetLayoutSlots(nullptr);
  }
  static frmOverView* Overview() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* o = qobject_cast<frmOverView*>(w); o != nullptr && o->isVisible()) return o;
    return nullptr;
  }
  frmOverView& Open(frmProfile& w) {
    w.btnOverView_Click();
    frmOverView* o = Overview();
    if (o == nullptr) throw std::runtime_error("the overview did not open");
    QObject::connect(o, &frmOverView::Drawn, [this] { ++drawn_; });
    return *o;
  }
  static int Box(frmOverView& o, const char* name) { return Ctl<CheckBox>(o, name)->Value(); }
  int drawn_ = 0;
};

TEST_F(OverviewFilesTest, LayoutsSurviveARestartAndResetClearsTheFields) {
  frmProfile& w = Start();
  w.HodoHeightClick(7);
  frmOverView& o = Open(w);
  Ctl<CheckBox>(o, "chkTemperature")->SetValue(1);
  Ctl<CheckBox>(o, "chkCAPE")->SetValue(1);
  Ctl<CheckBox>(o, "chkGridTime")->SetValue(1);
  Ctl<QPushButton>(o, "btnSave", 3)->click();
  ASSERT_TRUE(fs::exists(SavedFolder() / "Ondrik.SO3"));
  // The end of the run keeps the open overview's place and layout (slot 8).
  o.move(40, 30);
  w.btnDone_Click();
  ASSERT_TRUE(fs::exists(SavedFolder() / "Ondrik.SO8"));
  win_.reset();

  gWindowGeometry = {};
  frmProfile& again = Start();
  EXPECT_EQ(gWindowGeometry[6], 30 * 15);
  EXPECT_EQ(gWindowGeometry[7], 40 * 15);
  frmOverView& o2 = Open(again);
  EXPECT_EQ(Box(o2, "chkTemperature"), 1);  // slot 8, at the opening
  EXPECT_EQ(Box(o2, "chkCAPE"), 1);

  // "Reset": every field off, the grids kept, one redraw.
  int before = drawn_;
  Ctl<QPushButton>(o2, "btnReset")->click();
  EXPECT_EQ(drawn_ - before, 1);
  EXPECT_EQ(Box(o2, "chkTemperature"), 0);
  EXPECT_EQ(Box(o2, "chkCAPE"), 0);
  EXPECT_EQ(Box(o2, "chkGridTime"), 1);

  // F4 gives the layout back; its hodograph layer goes through the profile
  // window's buttons, and the helicity box names it.
  again.HodoHeightClick(5);
  before = drawn_;
  Ctl<QPushButton>(o2, "btnRecall", 3)->click();
  EXPECT_EQ(drawn_ - before, 1);
  EXPECT_EQ(Box(o2, "chkTemperature"), 1);
  EXPECT_EQ(Box(o2, "chkCAPE"), 1);
  EXPECT_EQ(gSRInflowDepth, 7);
  EXPECT_EQ(Ctl<CheckBox>(o2, "chkHelicity")->text(), "Helicity 0 - 7 km");
  EXPECT_FALSE(gLoadingState);

  // A slot never saved changes nothing and draws nothing.
  before = drawn_;
  Ctl<QPushButton>(o2, "btnRecall", 5)->click();
  EXPECT_EQ(drawn_, before);
}

// A layout cut after line 50 sets the boxes it holds and keeps the rest;
// one with bad values skips them. The loading state comes back as it was.
TEST_F(OverviewFilesTest, ShortOrCorruptLayoutsTakeWhatTheyHold) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  const OverviewFrame frame = o.State().frame;
  std::string text = "#    13.4.2\r\n";
  for (int line = 2; line <= 50; ++line) {
    if (line == 10) text += " 2 \r\n";  // the snow technique
    else if (line == 34) text += " 1 \r\n";  // chkTemperature
    else if (line == 21) text += " 9 \r\n";  // chkSfcTemp: no box takes it
    else if (line == 38) text += " 1 , 4 \r\n";  // chkECAPE and its lowest class
    else text += " 0 \r\n";
  }
  fs::create_directories(SavedFolder());
  WriteFile(SavedFolder() / "Ondrik.SO4", text);
  Ctl<CheckBox>(o, "chkSfcTemp")->SetValue(1);
  for (bool loading : {true, false}) {
    gLoadingState = loading;
    o.RecallMacro(4);
    EXPECT_EQ(gLoadingState, loading);
  }
  EXPECT_EQ(Box(o, "chkTemperature"), 1);
  EXPECT_EQ(Box(o, "chkECAPE"), 1);
  EXPECT_EQ(o.State().opt.ECAPELowestClass, 4);
  EXPECT_EQ(Box(o, "chkSfcTemp"), 1);  // the bad value left it
  EXPECT_EQ(o.State().opt.SnowTechnique, 2);
  EXPECT_EQ(o.State().frame.TempSpan, frame.TempSpan);  // not in the lines read
  EXPECT_EQ(o.State().frame.IndexBottom, frame.IndexBottom);
}

// At the window's size and at every size "-SIZE=" gives the pictures, the
// snapshot saves the four pictures as the window shows them, none of their
// pixels under the title, which stands in a band over them: every word of
// it whole there and in order, on one row wherever some face down to the
// narrowest holds it.
// The window is drawn again from layout 9 as it was.
TEST_F(OverviewFilesTest, SnapshotSavesThePicturesAsShownUnderTheirTitle) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  Ctl<CheckBox>(o, "chkTemperature")->SetValue(1);
  Ctl<CheckBox>(o, "chkRH0")->SetValue(1);
  PictureBox::RecordPrintedTexts(true);
  const std::string title = SnapshotTitle("KOKC", "NAM", gValidTime(gCurDataset, 0));
  for (const int percent : {0, 400, 100, 50, 35, 25, 20, 11}) {
    const std::string where = percent == 0 ? std::string("the window") : "-SIZE=" + std::to_string(percent);
    if (percent > 0) {
      o.ScalePictures(percent / 100.0);
      o.DrawTimeAxis();
      o.PlotData();
    }
    const auto shown = [&o](const char* name) { return Ctl<PictureBoxWidget>(o, name)->Pic().DesignImage(); };
    const QImage left = shown("picLeft"), rh = shown("picRH"), right = shown("picRight"), time = shown("picTime");
    const std::size_t opened = fx_.documents.size();
    Ctl<QPushButton>(o, "btnSnapshot")->click();
    ASSERT_EQ(fx_.documents.size(), opened + 1) << where;  // opened for the user
    const fs::path file = fx_.documents.back();
    EXPECT_EQ(file.filename(), "ondrikoverview.png") << where;
    const QImage img(QString::fromStdString(file.string()));
    ASSERT_FALSE(img.isNull()) << where;
    const PictureBox& band = o.SnapshotTitlePicture();
    const int top = band.PixelHeight();
    ASSERT_EQ(img.width(), left.width() + rh.width() + right.width()) << where;
    ASSERT_EQ(img.height(), top + rh.height() + time.height()) << where;
    const struct {
      QImage picture;
      int x, y;
    } parts[] = {{band.DesignImage(), 0, 0},
                 {left, 0, top},
                 {rh, left.width(), top},
                 {right, left.width() + rh.width(), top},
                 {time, left.width(), top + left.height()}};
    for (const auto& p : parts)
      EXPECT_EQ(img.copy(p.x, p.y, p.picture.width(), p.picture.height()), p.picture.convertToFormat(QImage::Format_RGB32))
          << where << " at " << p.x << ", " << p.y;
    EXPECT_EQ(FaultLines(band), "") << where;
    std::vector<std::string> printed;
    for (const PictureBox::PrintedText& t : band.PrintedTexts()) printed.push_back(t.text);
    EXPECT_EQ(Words(printed), Words({title})) << where;
    if (FloorWidthPx(band, " " + title + " ") + 4 <= img.width()) {
      EXPECT_EQ(printed, std::vector<std::string>{title}) << where;
    }
    // The window is drawn again from layout 9, as it was.
    EXPECT_TRUE(fs::exists(SavedFolder() / "Ondrik.SO9")) << where;
    EXPECT_EQ(shown("picRH"), rh) << where;
    EXPECT_EQ(Box(o, "chkTemperature"), 1) << where;
  }
  PictureBox::RecordPrintedTexts(false);
}

// The scratch slots, saved and recalled around a snapshot and the rebuild
// for a new file, give back what this program saved, whatever another
// Ondrik sharing the folder writes there in between; their files are still
// written for whoever reads them.
TEST_F(OverviewFilesTest, ScratchSlotsGiveBackWhatThisProgramSaved) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  const struct {
    const char* what;
    QWidget* window;
    const char* box;
    std::function<void(int)> save, recall;
    const char* prefix;  // of the files
  } rows[] = {
      {"setup", &w, "chkSkewT", [&](int i) { w.btnSave_Click(i); }, [&](int i) { w.btnRecall_Click(i); }, "Ondrik.SP"},
      {"layout", &o, "chkTemperature", [&](int i) { o.btnSave_Click(i); }, [&](int i) { o.RecallMacro(i); },
       "Ondrik.SO"},
  };
  for (const auto& s : rows) {
    SCOPED_TRACE(s.what);
    const fs::path scratch = SavedFolder() / (std::string(s.prefix) + "9");
    CheckBox* box = Ctl<CheckBox>(*s.window, s.box);
    box->SetValue(1);
    s.save(9);
    const std::string ours = ReadText(scratch);
    // The other program saves its own slot 9, the box off, in between.
    box->SetValue(0);
    s.save(4);
    const std::string theirs = ReadText(SavedFolder() / (std::string(s.prefix) + "4"));
    ASSERT_NE(theirs, ours);
    WriteFile(scratch, theirs);
    s.recall(9);
    EXPECT_EQ(box->Value(), 1);
    EXPECT_EQ(ReadText(scratch), theirs);  // the recall leaves the file alone
  }
}

}  // namespace
}  // namespace ondrik
