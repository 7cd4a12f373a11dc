// A display setup shows one picture whichever road brought it: recalled in
// the window, saved by the batch, recalled after a restart, after a switch to
// another model and back, and with a history that held other values.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QImage>
#include <QListWidget>

#include <algorithm>
#include <string>
#include <vector>

#include "core/shared.h"
#include "core/shear.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/snapshot.h"
#include "savedstate/displaysetup.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

// Each side panel at least once, and layers of the hodograph other than the
// history's first-run one (3 km).
struct SetupRow {
  const char* name;
  int hour;
  void (*edit)(saved::DisplaySetup&);
};
const SetupRow kSetups[] = {
    {"data", 3, [](saved::DisplaySetup& s) { s.RightPanel = 0; s.chkSkewT = 1; s.chkLCL = 1; s.chkParcel = 1; }},
    {"map-sigma", 6, [](saved::DisplaySetup& s) { s.RightPanel = 1; s.chkSigmaLevel = 1; s.chkWindVector = 1; }},
    {"map-mean", 9, [](saved::DisplaySetup& s) { s.RightPanel = 1; s.chkMeanFlow = 1; s.chkWindDigital = 1; }},
    {"hodo-sfc-1", 12, [](saved::DisplaySetup& s) { s.RightPanel = 2; s.gSRInflowDepth = 1; s.gSRInflowBottom = 0; }},
    {"hodo-2-8", 4, [](saved::DisplaySetup& s) { s.RightPanel = 2; s.gSRInflowDepth = 8; s.gSRInflowBottom = 2; }},
    {"indices", 8, [](saved::DisplaySetup& s) { s.RightPanel = 3; s.ChkOmega = 1; s.OmegaRange = 5; }},
    {"storm", 15, [](saved::DisplaySetup& s) { s.RightPanel = 4; s.ControlPanel = 3; s.chkCapeShearHistory = 1; }},
    {"heavy", 5, [](saved::DisplaySetup& s) { s.RightPanel = 5; s.chk10MWind = 1; s.ColorWinds = true; }},
    {"ptype", 20, [](saved::DisplaySetup& s) { s.RightPanel = 6; s.PrecipByThickness = true; s.chkWetBulb = 1; }},
    {"lapse", 2, [](saved::DisplaySetup& s) { s.RightPanel = 7; s.gChartTop = 450; s.chkClouds = 1; }},
    {"fog", 7, [](saved::DisplaySetup& s) { s.RightPanel = 8; s.ControlPanel = 0; s.chkLakeIndex = 1; }},
};

saved::DisplaySetup SetupOf(const SetupRow& row) {
  saved::DisplaySetup s;
  s.SigmaLevelPressure = 700;
  s.MeanFlowPressure = {850, 500};
  row.edit(s);
  return s;
}

std::string Hash(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const QByteArrayView bytes(reinterpret_cast<const char*>(rgb.constBits()), rgb.sizeInBytes());
  return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toStdString();
}

// The chart as its snapshot saves it, and the side panel shown.
struct Picture {
  QImage chart, panel;
};

class SetupRoadsTest : public ProfileWindowTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ProfileWindowTest::SetUp();
    fs::remove(folder_ / "NAM_KBOS.ond");
    fs::remove(folder_ / "SREF_KOKC.ond");
    for (const char* f : {"NAM_KOKC.ond", "GFS_KOKC.ond"})
      fs::copy_file(fs::path(ONDRIK_DATA_DIR) / f, folder_ / f, fs::copy_options::overwrite_existing);
    fs::create_directories(SavedFolder());
  }

  // A start as a new run of the program makes it, with the history file
  // as it stands.
  frmProfile& Open(const std::vector<std::string>& args = {}) {
    win_.reset();
    fx_.endCalls.clear();
    StoreDefaultIndexThresholds();
    gSRInflowDepth = 3;
    gSRInflowBase = 0;
    win_ = std::make_unique<frmProfile>();
    EXPECT_TRUE(win_->Form_Load(args));
    return *win_;
  }
  void SelectModel(frmProfile& w, const char* model) {
    w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), model));
  }
  Picture Shot(frmProfile& w, int hour) {
    Ctl<ScrollBar>(w, "hsbHour")->SetValue(hour);
    Picture p;
    p.panel = w.Panel(w.RightPanel)->Widget()->grab().toImage();
    const std::optional<SnapshotRequest> req = w.ProfileSnapRequest("A");
    EXPECT_TRUE(req);
    if (!req) return p;
    const PictureBox* omega = w.Chart().opt.ChkOmega ? &Ctl<PictureBoxWidget>(w, "picOmega")->Pic() : nullptr;
    w.PlotProfileUnderSnapshotTitles(*req);
    p.chart = PrepareProfileSnap(Ctl<PictureBoxWidget>(w, "picData")->Pic(), omega, *req).composite;
    return p;
  }
};

constexpr int kSetupCount = static_cast<int>(std::size(kSetups));

TEST_P(SetupRoadsTest, EveryRoadShowsTheSamePicture) {
  const int i = GetParam(), n = kSetupCount;
  const SetupRow& row = kSetups[i];
  // Slot 0 holds the setup, slot 1 another one (the next row).
  WriteFile(SavedFolder() / saved::SetupFileName(0), saved::WriteDisplaySetup(SetupOf(row)));
  WriteFile(SavedFolder() / saved::SetupFileName(1), saved::WriteDisplaySetup(SetupOf(kSetups[(i + 1) % n])));
  std::vector<std::pair<std::string, Picture>> roads;

  fs::remove(SavedFolder() / "Ondrik.hst");
  Open().Form_KeyDown(112, 0);
  roads.emplace_back("window", Shot(*win_, row.hour));
  win_->btnDone_Click();
  Open().Form_KeyDown(112, 0);
  roads.emplace_back("reopen", Shot(*win_, row.hour));

  // From here on the history holds the other setup.
  fs::remove(SavedFolder() / "Ondrik.hst");
  Open().Form_KeyDown(113, 0);
  win_->btnDone_Click();
  Open().Form_KeyDown(112, 0);
  roads.emplace_back("history", Shot(*win_, row.hour));

  const fs::path shot = folder_ / ("nam_kokc_ondrikprofile_a" + std::string(row.hour < 10 ? "0" : "") +
                                   std::to_string(row.hour) + ".png");
  fs::remove(shot);
  Open({(folder_ / "NAM_KOKC.ond").string(), "-PROFILE=A" + std::to_string(row.hour), "-CLOSE"});
  EXPECT_EQ(fx_.endCalls.size(), 1U);
  roads.emplace_back("batch", Picture{QImage(QString::fromStdString(shot.string())), QImage()});
  // A batch whose every hour lies beyond the file leaves the setup shown.
  Open({(folder_ / "NAM_KOKC.ond").string(), "-PROFILE=A999", "-CLOSE"});
  roads.emplace_back("batch-beyond", Shot(*win_, row.hour));

  frmProfile& w = Open();
  w.Form_KeyDown(113, 0);
  SelectModel(w, "GFS");
  SelectModel(w, "NAM");
  w.Form_KeyDown(112, 0);
  roads.emplace_back("model", Shot(w, row.hour));
  win_.reset();

  const Picture& first = roads.front().second;
  ASSERT_FALSE(first.chart.isNull());
  for (const auto& [road, p] : roads) {
    const bool chartSame = Hash(p.chart) == Hash(first.chart);
    const bool panelSame = p.panel.isNull() || Hash(p.panel) == Hash(first.panel);
    EXPECT_TRUE(chartSame) << road << ": the chart differs from the window's";
    EXPECT_TRUE(panelSame) << road << ": the side panel differs from the window's";
    if (!chartSame || !panelSame) {
      const std::string base = (folder_ / (std::string(row.name) + "-")).string();
      first.chart.save(QString::fromStdString(base + "window-chart.png"));
      first.panel.save(QString::fromStdString(base + "window-panel.png"));
      p.chart.save(QString::fromStdString(base + road + "-chart.png"));
      if (!p.panel.isNull()) p.panel.save(QString::fromStdString(base + road + "-panel.png"));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Setups, SetupRoadsTest, ::testing::Range(0, kSetupCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                           std::string name = kSetups[info.param].name;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace ondrik
