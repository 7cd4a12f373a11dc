// The profile snapshot: the chart of the current hour with a two-line title,
// the omega strip laid over its top-left corner when it is shown, saved as a
// PNG file in the snapshot folder. The window supplies its pictures and the
// redraw that removes the titles again.
#pragma once

#include <QImage>
#include <QSize>

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "core/datetime.h"
#include "platform/effects.h"
#include "platform/picturebox.h"

namespace ondrik {

inline constexpr int kSnapshotQuality = 85;

// The file name of a snapshot, lower-cased:
//   empty name:             "ondrikprofile.png";
//   name, not archive mode: "<model>_<site>_ondrikprofile_<name><hour 00>.png";
//   name, archive mode:     "<valid YYMMDDHH>_<model>_<site>_ondrikprofile_<name>.png".
std::string SnapshotFileName(const std::string& name, const std::string& modelName,
                             const std::string& siteId, int curHour, const DateTime& validCur,
                             bool archiveMode);

// The file name of an overview snapshot, lower-cased:
//   empty suffix:             "ondrikoverview.png";
//   suffix, not archive mode: "<model>_<site>_ondrikoverview_<suffix>.png";
//   suffix, archive mode:     "<first valid YYMMDDHH>_<model>_<site>_ondrikoverview_<suffix>.png".
std::string OverviewSnapshotFileName(const std::string& suffix, const std::string& modelName,
                                     const std::string& siteId, const DateTime& valid0, bool archiveMode);

// Folder and file joined with one "/" (none added after a trailing "/" or
// "\"; an empty folder gives the bare name).
std::string JoinFolder(const std::string& folder, const std::string& fileName);

// "Dec 05, 2023" style date, as the titles show it.
std::string MonthDayYear(const DateTime& t);
// First title line: "  <site>      <model>     <mmm dd, yyyy>   <hh>z  " (run time).
std::string SnapshotTitle(const std::string& siteId, const std::string& modelName, const DateTime& valid0);
// Second title line: "Valid     <mmm dd, yyyy>   <hh:nn>z" (the shown hour).
std::string SnapshotValidLine(const DateTime& validCur);

// Writes both title lines onto the chart, centred on a white box, the first
// in black, the second in RGB(128, 32, 32); below the picture of size
// cornerPx that the composite lays over the chart's top-left corner (the
// omega strip), when it reaches under them. On a chart too narrow for a
// line, both print in a smaller face, down to the floor every text keeps,
// and then a line takes as many rows as its fields need, so that every text
// stands whole. Leaves picData scaled 0..100, in its own face.
void DrawSnapshotTitles(PictureBox& picData, const std::string& title, const std::string& validLine,
                        QSize cornerPx = QSize());

// The picture pixels from the chart's top down to a little under the titles
// that DrawSnapshotTitles writes: the band a snapshot's chart keeps clear of
// its frame, so that the titles hide nothing of it. Leaves picData scaled
// 0..100.
inline constexpr double kSnapshotTitlesGapPx = 2;
double SnapshotTitlesBottomPx(PictureBox& picData, const std::string& title, const std::string& validLine,
                              QSize cornerPx = QSize());

// The composite: a copy of the chart, with the omega strip copied over its
// top-left corner when omega is given (the strip is shown).
QImage ComposeSnapshot(const PictureBox& picData, const PictureBox* picOmega);

struct SnapshotRequest {
  std::string name;          // "" interactive; else the setup letter
  std::string modelName;     // gModelName
  std::string siteId;        // gSiteId
  int curHour = 0;           // CurHour
  DateTime valid0;           // gValidTime(gCurDataset, 0)
  DateTime validCur;         // gValidTime(gCurDataset, CurHour)
  bool archiveMode = false;  // gArchiveMode <> 0
  std::string snapshotDir;   // gSnapshotDir
};

struct SnapshotResult {
  bool ok = false;
  std::string path;   // the file written (or meant to be)
  std::string error;  // why it failed
};

// The steps of ProfileSnap, for a caller that saves in the background:
// titles and composite (on the picture box's thread), the save (on any
// thread: it touches no picture box and only effects.WriteFile), and the
// report of the result (on the picture box's thread again).
struct PreparedSnapshot {
  QImage composite;
  std::string path;
};
PreparedSnapshot PrepareProfileSnap(PictureBox& picData, const PictureBox* picOmega, const SnapshotRequest& req);
SnapshotResult SaveProfileSnap(const PreparedSnapshot& snap, Effects& effects);
void ReportProfileSnap(const SnapshotResult& result, const SnapshotRequest& req, Effects& effects);

// Saves prepared snapshots on worker threads (a few at a time, each on its
// own), while the caller draws the next pictures. Each result goes to its
// report on the caller's thread, in the order of the snapshots: Submit()
// first finishes the oldest save when kInFlight are running (and every save
// up to one of the same file), Finish() all of them. The destructor only
// waits for the saves still running (their reports are not made).
class SnapshotSaver {
 public:
  using Report = std::function<void(const SnapshotResult&)>;
  static constexpr std::size_t kInFlight = 3;
  explicit SnapshotSaver(Effects& effects) : effects_(effects) {}
  SnapshotSaver(const SnapshotSaver&) = delete;
  SnapshotSaver& operator=(const SnapshotSaver&) = delete;
  void Submit(PreparedSnapshot snap, Report report);
  void Finish();

 private:
  struct Job {
    PreparedSnapshot snap;
    SnapshotResult result;
    Report report;
    std::jthread worker;  // joined when the job goes
  };
  void FinishOldest();

  Effects& effects_;
  std::deque<std::unique_ptr<Job>> jobs_;
};

// ProfileSnap: titles, composite, save (quality 85) and then redrawClean
// (the window saves and recalls setup slot 9, which redraws the chart
// without the titles). A failed save is reported through effects.Message
// (standard error in batch runs) and nothing is opened; a successful
// interactive snapshot (empty name) is opened with effects.OpenDocument.
// picOmega is null when the omega strip is not shown.
SnapshotResult ProfileSnap(PictureBox& picData, const PictureBox* picOmega, const SnapshotRequest& req,
                           const std::function<void()>& redrawClean, Effects& effects);

}  // namespace ondrik
