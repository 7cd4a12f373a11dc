#include "profilewindow/snapshot.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <system_error>
#include <utility>
#include <vector>

#include "config/config.h"
#include "platform/effects.h"
#include "platform/titlerows.h"
#include "profilewindow/gdiplus.h"
#include "savedstate/safefile.h"
#include "savedstate/temporary.h"
#include "savedstate/ownfiles.h"

namespace ondrik {

namespace {

std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

}  // namespace

std::string SnapshotFileName(const std::string& name, const std::string& modelName,
                             const std::string& siteId, int curHour, const DateTime& validCur,
                             bool archiveMode) {
  const std::string word(saved::kProfileSnapshotWord), png(saved::kSnapshotExtension);
  std::string file;
  if (name.empty()) {
    file = word + png;
  } else if (!archiveMode) {
    file = modelName + "_" + siteId + "_" + word + "_" + name + TwoDigits(curHour) + png;
  } else {
    file = TwoDigits(validCur.year % 100) + TwoDigits(validCur.month) + TwoDigits(validCur.day) +
           TwoDigits(validCur.hour) + "_" + modelName + "_" + siteId + "_" + word + "_" + name + png;
  }
  return ToLowerAscii(file);
}

std::string OverviewSnapshotFileName(const std::string& suffix, const std::string& modelName,
                                     const std::string& siteId, const DateTime& valid0, bool archiveMode) {
  const std::string word(saved::kOverviewSnapshotWord), png(saved::kSnapshotExtension);
  std::string file;
  if (suffix.empty()) {
    file = word + png;
  } else {
    file = modelName + "_" + siteId + "_" + word + "_" + suffix + png;
    if (archiveMode)
      file = TwoDigits(valid0.year % 100) + TwoDigits(valid0.month) + TwoDigits(valid0.day) + TwoDigits(valid0.hour) +
             "_" + file;
  }
  return ToLowerAscii(file);
}

std::string JoinFolder(const std::string& folder, const std::string& fileName) {
  if (folder.empty()) return fileName;
  const char last = folder.back();
  if (last == '/' || last == '\\') return folder + fileName;
  return folder + "/" + fileName;
}

std::string MonthDayYear(const DateTime& t) {
  const char* month = MonthAbbrev(t.month);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s %02d, %04d", month, t.day, t.year);
  return buf;
}

std::string SnapshotTitle(const std::string& siteId, const std::string& modelName, const DateTime& valid0) {
  return "  " + siteId + "      " + modelName + "     " + MonthDayYear(valid0) + "   " +
         TwoDigits(valid0.hour) + "z  ";
}

std::string SnapshotValidLine(const DateTime& validCur) {
  return "Valid     " + MonthDayYear(validCur) + "   " + TwoDigits(validCur.hour) + ":" +
         TwoDigits(validCur.minute) + "z";
}

namespace {

// Where the titles stand: their rows, the top of the band they stand in
// and the top of their first row, picture pixels.
struct TitlesPlace {
  TitleRows rows;
  double top = 0, y = 0;
};

// Each row's ink a picture pixel clear of the picture's edges.
constexpr double kTitleMarginPx = 2;

TitlesPlace PlaceTitles(PictureBox& picData, const std::string& title, const std::string& validLine, QSize cornerPx) {
  TitlesPlace t;
  const double W = picData.PixelWidth(), H = picData.PixelHeight();
  t.rows = LayOutTitleRows(picData, {title, validLine}, W - 2 * kTitleMarginPx);
  const double h = t.rows.rowPx, rows = t.rows.HeightPx();
  // Below a picture laid over the top-left corner that reaches under them,
  // where the picture has room for them there.
  const double below = cornerPx.height();
  const bool covered = cornerPx.width() > (W - t.rows.widthPx) / 2 && cornerPx.height() > 0;
  t.top = covered && below + rows + 2 * kSnapshotTitlesGapPx <= H ? below : 0;
  // The chart is drawn below them: 1.8 rows of room over them where they
  // take no more than the picture's top quarter with it, less down to the
  // gap where the chart is short of room.
  const double lead = std::clamp(H / 4 - t.top - rows - kSnapshotTitlesGapPx, kSnapshotTitlesGapPx, 1.8 * h);
  t.y = t.top + lead;
  return t;
}

}  // namespace

double SnapshotTitlesBottomPx(PictureBox& picData, const std::string& title, const std::string& validLine,
                              QSize cornerPx) {
  const TitlesPlace t = PlaceTitles(picData, title, validLine, cornerPx);
  picData.Scale(0, 0, 100, 100);
  return std::ceil(t.y + t.rows.HeightPx()) + kSnapshotTitlesGapPx;
}

void DrawSnapshotTitles(PictureBox& picData, const std::string& title, const std::string& validLine,
                        QSize cornerPx) {
  const TitlesPlace t = PlaceTitles(picData, title, validLine, cornerPx);
  picData.Scale(0, 0, 100, 100);
  PrintTitleRows(picData, t.rows, picData.PixelWidth() / 2.0, t.y, {RGB(0, 0, 0), RGB(128, 32, 32)});
}

QImage ComposeSnapshot(const PictureBox& picData, const PictureBox* picOmega) {
  QImage out = picData.DesignImage().convertToFormat(QImage::Format_RGB32);
  if (picOmega != nullptr && !picOmega->DesignImage().isNull() && !out.isNull()) {
    QPainter p(&out);
    p.drawImage(0, 0, picOmega->DesignImage());
  }
  return out;
}

PreparedSnapshot PrepareProfileSnap(PictureBox& picData, const PictureBox* picOmega, const SnapshotRequest& req) {
  // Below the omega strip, which the composite lays over the chart's top.
  DrawSnapshotTitles(picData, SnapshotTitle(req.siteId, req.modelName, req.valid0), SnapshotValidLine(req.validCur),
                     picOmega != nullptr ? QSize(picOmega->PixelWidth(), picOmega->PixelHeight()) : QSize());
  PreparedSnapshot snap;
  snap.composite = ComposeSnapshot(picData, picOmega);
  snap.path = JoinFolder(req.snapshotDir, SnapshotFileName(req.name, req.modelName, req.siteId, req.curHour,
                                                           req.validCur, req.archiveMode));
  return snap;
}

SnapshotResult SaveProfileSnap(const PreparedSnapshot& snap, Effects& effects) {
  SnapshotResult result;
  result.path = snap.path;
  cGdiPlus gdip(effects);
  std::string reason;
  gdip.Error = [&reason](int, const std::string& text) { reason = text; };
  result.ok = gdip.ImageToFile(snap.composite, result.path, kSnapshotQuality);
  // The detail names the file and says what the system said; the status
  // text only stands in when there is none.
  if (!result.ok) result.error = gdip.LastErrorDetail().empty() ? reason : gdip.LastErrorDetail();
  return result;
}

void ReportProfileSnap(const SnapshotResult& result, const SnapshotRequest& req, Effects& effects) {
  if (!result.ok) {
    effects.Message(saved::SaveFailedMessage("The profile snapshot", result.path, result.error), kProgramName, MsgIcon::Warning);
  } else if (req.name.empty()) {
    effects.OpenDocument(result.path);
  }
}

void SnapshotSaver::Submit(PreparedSnapshot snap, Report report) {
  // Of two saves of one file the later picture must be the one that stays:
  // the earlier one ends first.
  const std::string file = saved::SaveTurnKey(snap.path);
  const auto sameFile = [&file](const std::unique_ptr<Job>& job) { return saved::SaveTurnKey(job->snap.path) == file; };
  while (std::any_of(jobs_.begin(), jobs_.end(), sameFile)) FinishOldest();
  while (jobs_.size() >= kInFlight) FinishOldest();
  auto job = std::make_unique<Job>();
  job->snap = std::move(snap);
  job->report = std::move(report);
  const auto save = [&j = *job, &effects = effects_] {
    try {
      j.result = SaveProfileSnap(j.snap, effects);
    } catch (const std::exception& e) {
      j.result = SnapshotResult{false, j.snap.path, j.snap.path + ": " + e.what()};
    }
  };
  try {
    job->worker = std::jthread(save);
  } catch (const std::system_error&) {
    save();  // no thread to be had: saved here and now
  }
  jobs_.push_back(std::move(job));
}

void SnapshotSaver::Finish() {
  while (!jobs_.empty()) FinishOldest();
}

void SnapshotSaver::FinishOldest() {
  const std::unique_ptr<Job> job = std::move(jobs_.front());
  jobs_.pop_front();
  if (job->worker.joinable()) job->worker.join();
  if (job->report) job->report(job->result);
}

SnapshotResult ProfileSnap(PictureBox& picData, const PictureBox* picOmega, const SnapshotRequest& req,
                           const std::function<void()>& redrawClean, Effects& effects) {
  const SnapshotResult result = SaveProfileSnap(PrepareProfileSnap(picData, picOmega, req), effects);
  if (redrawClean) redrawClean();
  ReportProfileSnap(result, req, effects);
  return result;
}

}  // namespace ondrik
