// The profile window's outward roads: the command line (fetch data, load a
// file, save snapshots of chosen hours and end), the archive lists, the
// snapshot and the text export.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

#include "core/guards.h"
#include "core/shared.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/archivepanel.h"
#include "profilewindow/commandline.h"
#include "profilewindow/export.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/gdiplus.h"
#include "profilewindow/programs.h"
#include "profilewindow/snapshot.h"
#include "savedstate/format.h"
#include "savedstate/safefile.h"

namespace ondrik {

namespace {
// One line per saved picture on standard output, so that a batch run tells
// where its pictures went.
void PrintSavedPath(const std::string& path) {
  const std::string full = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
  std::printf("%s\n", full.c_str());
  std::fflush(stdout);
}
}  // namespace

void frmProfile::CommandProfileStep() {
  const CommandLine cmd = ParseCommandLine(args_, cfg_.ConfigProfileDir, startFolder_);
  if (!cmd.AnyAction()) return;
  CommandActions a;
  a.runDownloader = [](const std::string& getArgs) {
    return RunDownloaderAndWait(ProgramFolder(), getArgs);
  };
  a.runConverter = [] { RunConverter(ProgramFolder()); };
  a.scaleProfilePictures = [this](double s) {
    show();
    QApplication::processEvents();
    const PixelSize size = SnapshotChartSize(s);
    picData->setGeometry(picData->x(), picData->y(), size.width, size.height);
    picOmega->setGeometry(picOmega->x(), picOmega->y(), size.width, picOmega->height());
    QApplication::processEvents();
  };
  a.setArchiveMode = [this] { ArchiveMode = true; };
  a.selectModel = [this](int row) { SelectModelRow(row); };
  a.loadFile = [this](const std::string& path, const std::string& site) -> std::optional<std::string> {
    const LoadResult r = LoadFile(path, [&] {
      FollowSiteShown(site);
      setWindowTitle(QString::fromStdString(path).toUpper() + " ONDRIK");
    });
    if (!r.ok) return r.message;
    return std::nullopt;
  };
  a.processEvents = [] { QApplication::processEvents(); };
  // Each picture is drawn once: the setup is recalled without a redraw, and
  // setting the hour draws the window. The snapshots leave their titles on
  // the chart, and the window is drawn clean once, through setup 9, after the
  // last of them (each next picture is drawn anew anyway).
  bool snapped = false;
  a.recallSetup = [this](int setup) {
    const LoadingStateGuard quiet;
    btnRecall_Click(setup);
  };
  a.lastHour = [] {
    return gCurDataset >= 1 && gCurDataset <= gDatasetCount ? static_cast<int>(gLastHour(gCurDataset)) : -1;
  };
  a.setHour = [this](int hour) {
    const int before = hsbHour->Value();
    hsbHour->SetValue(hour);                      // a new value draws through its change handler
    if (hsbHour->Value() == before) DisplayHour();  // the same value runs no handler
  };
  SnapshotSaver saver(TheEffects());
  a.profileSnap = [this, &snapped, &saver](char letter, std::function<void(bool)> saved) {
    snapped = true;
    ProfileSnapInBackground(letter, saver, std::move(saved));
  };
  a.profileSnapsSaved = [&saver] { saver.Finish(); };
  a.profileResize = [this, &snapped] {
    if (snapped) {
      btnSave_Click(saved::kScratchSlot);
      btnRecall_Click(saved::kScratchSlot);
    } else {
      DisplayHour();  // the last recall drew nothing
    }
    Form_Resize();
  };
  // The overview's layouts and snapshots: the overview opens for them.
  a.scaleOverviewPictures = [this](double s) {
    btnOverView_Click();
    overview_->ScalePictures(s);
  };
  a.recallLayout = [this](int layout) {
    if (gOverviewOpen == 0) btnOverView_Click();
    overview_->RecallLayout(layout);
  };
  a.overviewSnap = [this](char letter) {
    if (gOverviewOpen == 0) btnOverView_Click();
    return overview_->Snap(std::string(1, letter));
  };
  a.overviewResize = [this] { overview_->Resize(); };
  a.endProgram = [this](int code) {
    ended_ = true;
    TheEffects().EndProgram(code);
  };
  CommandProfile(cmd, cfg_.ModelNames, a);
}

std::optional<SnapshotRequest> frmProfile::ProfileSnapRequest(const std::string& name) const {
  if (!FileLoaded || gCurDataset < 1 || gCurDataset > gDatasetCount) return std::nullopt;
  SnapshotRequest req;
  req.name = name;
  req.modelName = model_.gModelName;
  req.siteId = gSiteId;
  req.curHour = CurHour;
  req.valid0 = gValidTime(gCurDataset, 0);
  req.validCur = gValidTime(gCurDataset, CurHour);
  req.archiveMode = ArchiveMode;
  req.snapshotDir = cfg_.gSnapshotDir;
  return req;
}

bool frmProfile::ProfileSnapStep(const std::string& name) {
  const std::optional<SnapshotRequest> req = ProfileSnapRequest(name);
  if (!req) return false;
  PlotProfileUnderSnapshotTitles(*req);
  const PictureBox* omega = chart_.opt.ChkOmega ? &picOmega->Pic() : nullptr;
  // The window is drawn again through setup 9, as saved here now.
  const auto redraw = [this] {
    btnSave_Click(saved::kScratchSlot);
    btnRecall_Click(saved::kScratchSlot);
  };
  const SnapshotResult r = ProfileSnap(picData->Pic(), omega, *req, redraw, TheEffects());
  picData->update();
  if (r.ok) PrintSavedPath(r.path);
  return r.ok;
}

void frmProfile::ProfileSnapInBackground(char letter, SnapshotSaver& saver, std::function<void(bool)> saved) {
  const std::optional<SnapshotRequest> req = ProfileSnapRequest(std::string(1, letter));
  if (!req) {
    saved(false);
    return;
  }
  PlotProfileUnderSnapshotTitles(*req);
  const PictureBox* omega = chart_.opt.ChkOmega ? &picOmega->Pic() : nullptr;
  PreparedSnapshot snap = PrepareProfileSnap(picData->Pic(), omega, *req);
  picData->update();
  saver.Submit(std::move(snap), [req = *req, saved = std::move(saved)](const SnapshotResult& r) {
    ReportProfileSnap(r, req, TheEffects());
    if (r.ok) PrintSavedPath(r.path);
    saved(r.ok);
  });
}

// ---- the overview's snapshot ----

std::string frmProfile::SnapshotTitle() const {
  const DateTime valid0 = gCurDataset >= 1 && gCurDataset <= gDatasetCount ? gValidTime(gCurDataset, 0) : DateTime{};
  return ::ondrik::SnapshotTitle(gSiteId, model_.gModelName, valid0);
}

std::optional<std::string> frmProfile::SaveSnapshot(const QImage& image, const std::string& suffix) {
  const DateTime valid0 = gCurDataset >= 1 && gCurDataset <= gDatasetCount ? gValidTime(gCurDataset, 0) : DateTime{};
  const std::string path = JoinFolder(
      cfg_.gSnapshotDir, OverviewSnapshotFileName(suffix, model_.gModelName, gSiteId, valid0, ArchiveMode));
  cGdiPlus gdip(TheEffects());
  if (!gdip.ImageToFile(image, path, kSnapshotQuality)) {
    TheEffects().Message(saved::SaveFailedMessage("The overview snapshot", path, gdip.LastErrorDetail()), kProgramName,
                         MsgIcon::Warning);
    return std::nullopt;
  }
  if (!suffix.empty()) PrintSavedPath(path);
  return path;
}

}  // namespace ondrik

namespace ondrik {

// ---- archive lists ----

// "Archive": the archive panel first, then the converter, then the three
// lists one by one, the window taking its pending events between them.
void frmProfile::btnSelect_Click() {
  btnDisplay_Click(kArchivePanel);
  archive_ = ArchiveCaptions(model_.gModelName, gSiteId);
  RunConverter(ProgramFolder());
  QApplication::processEvents();
  archive_.lstModelSite = SeedModelSite(cfg_.gArchiveDir, archive_.archiveModel, gSiteId);
  archivePanel_->Fill(archive_, ArchiveList::ModelSite);
  QApplication::processEvents();
  archive_.lstModel = SeedModel(cfg_.gArchiveDir, archive_.archiveModel);
  archivePanel_->Fill(archive_, ArchiveList::Model);
  QApplication::processEvents();
  archive_.lstAll = SeedAll(cfg_.gArchiveDir);
  archivePanel_->Fill(archive_, ArchiveList::All);
}

void frmProfile::ArchiveListClick(ArchiveList list, int row) {
  const std::vector<ArchiveEntry>& entries = list == ArchiveList::ModelSite ? archive_.lstModelSite
                                             : list == ArchiveList::Model   ? archive_.lstModel
                                                                            : archive_.lstAll;
  if (row < 0 || row >= static_cast<int>(entries.size())) return;
  const FileChoice choice = ArchiveClick(list, entries[static_cast<size_t>(row)], archive_.archiveModel);
  ApplySelectFile(SelectFile(choice, false, cfg_.gArchiveDir, cfg_.ModelNames, model_.gModelName));
}

void frmProfile::btnArchive_Click() {
  const std::string start = DialogStartFolder(cfg_.gOpenDialogDir);
  std::string path;
  if (chooseProfileFile) {
    path = chooseProfileFile(start, kArchiveDialogTitle, kArchiveDialogFilter);
  } else if (!IsBatchOrOffscreen()) {
    path = QFileDialog::getOpenFileName(this, kArchiveDialogTitle, QString::fromStdString(start),
                                        kArchiveDialogFilter)
               .toStdString();
  }
  const DialogChoice d = ArchiveDialogChoice(path, gFileModel);
  if (!d.ok) return;
  cfg_.gOpenDialogDir = d.openDialogDir;
  gFileModel = d.choice.fileModel;
  ApplySelectFile(SelectFile(d.choice, true, cfg_.gArchiveDir, cfg_.ModelNames, model_.gModelName));
}

// A file chosen from the archive: re-select its model without rebuilding the
// overview, load it, and return to the panel shown before the lists.
void frmProfile::ApplySelectFile(const SelectFilePlan& plan) {
  if (plan.modelRow >= 0) {
    ModelSwitchByCode = -1;
    SelectModelRow(plan.modelRow);
    ModelSwitchByCode = 0;
  }
  const LoadResult r = LoadFile(plan.loadPath, [&] {
    setWindowTitle(QString::fromStdString(plan.caption));
    FollowSiteShown(plan.siteId);
    if (plan.updateOverview) UpdateOverview();
    btnDisplay_Click(PreviousPanel);
  });
  if (!r.ok) {
    TheEffects().Message(r.message, kProgramName, MsgIcon::Warning);
    btnDisplay_Click(PreviousPanel);
  }
}

}  // namespace ondrik

namespace ondrik {

// "ScreenShot": the chart of the current hour as ondrikprofile.png, opened
// with the desktop's viewer.
void frmProfile::btnProfileSnapShot_Click() {
  if (!FileLoaded) return;
  ProfileSnapStep("");
  FocusHourBar();
}

// "Export": the profile of the current dataset and hour as .nsp and .bsp text.
void frmProfile::btnExport_Click() {
  if (!FileLoaded) return;
  ExportProfile(cfg_.ExportDir, model_.gModelName, gSiteId, CurHour, TheEffects());
  FocusHourBar();
}

}  // namespace ondrik
