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
#include "profilewindow/gdiplus.h"
#include "savedstate/safefile.h"
#include "savedstate/temporary.h"

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
  std::string file;
  if (name.empty()) {
    file = kInteractiveSnapshotName;
  } else if (!archiveMode) {
    file = modelName + "_" + siteId + "_OndrikProfile_" + name + TwoDigits(curHour) + ".png";
  } else {
    file = TwoDigits(validCur.year % 100) + TwoDigits(validCur.month) + TwoDigits(validCur.day) +
           TwoDigits(validCur.hour) + "_" + modelName + "_" + siteId + "_OndrikProfile_" + name + ".png";
  }
  return ToLowerAscii(file);
}

std::string OverviewSnapshotFileName(const std::string& suffix, const std::string& modelName,
                                     const std::string& siteId, const DateTime& valid0, bool archiveMode) {
  std::string file;
  if (suffix.empty()) {
    file = "OndrikOverview.png";
  } else {
    file = modelName + "_" + siteId + "_OndrikOverview_" + suffix + ".png";
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

// The texts between a line's runs of blanks of at least `blanks`.
std::vector<std::string> Pieces(const std::string& line, std::size_t blanks) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    std::size_t end = i;
    while (end < line.size() && line.compare(end, blanks, std::string(blanks, ' ')) != 0) ++end;
    std::size_t last = end;
    while (last > i && line[last - 1] == ' ') --last;
    if (last > i) out.push_back(line.substr(i, last - i));
    i = end;
  }
  return out;
}

// The width a title row takes on its white box (picture pixels): its
// advance, and at least its ink with a blank's width of white either side.
double RowWidthPx(const PictureBox& pic, const std::string& row) {
  return std::max(pic.TextWidthPx(row), pic.TextInkPx(row).width() + 2 * pic.TextWidthPx(" "));
}

// Texts joined by `gap` as many to a row as fit across `room`.
std::vector<std::string> Pack(const PictureBox& pic, const std::vector<std::string>& texts, const std::string& gap,
                              double room) {
  std::vector<std::string> rows;
  for (const std::string& t : texts) {
    if (!rows.empty() && RowWidthPx(pic, rows.back() + gap + t) <= room) rows.back() += gap + t;
    else rows.push_back(t);
  }
  return rows;
}

// The rows a line takes across `room` picture pixels: the line itself when
// it fits; else its fields (parted by runs of blanks) two blanks apart, as
// many to a row as fit, a field wider than the room over rows of its own
// words.
std::vector<std::string> Rows(const PictureBox& pic, const std::string& line, double room) {
  if (RowWidthPx(pic, line) <= room) return {line};
  std::vector<std::string> parts;
  for (const std::string& field : Pieces(line, 2))
    for (const std::string& part : Pack(pic, Pieces(field, 1), " ", room)) parts.push_back(part);
  return Pack(pic, parts, "  ", room);
}

// Where the titles stand, in the scale 0..100 both ways: the face size they
// print in, the rows of each line, the width of their white box, a row's
// height h, the top of the band they stand in and the top of their first
// row.
struct TitlesPlace {
  double fontSize = 0;
  std::vector<std::string> first, second;
  double widest = 0, h = 0, top = 0, y = 0;
};

// Each row's ink a picture pixel clear of the picture's edges.
constexpr double kTitleMarginPx = 2;
// The face shrinks in these steps until both lines fit across the chart or
// its digits reach the floor that every text keeps.
constexpr double kTitleFontStep = 0.25;

// Leaves picData scaled 0..100, in the face size found.
TitlesPlace PlaceTitles(PictureBox& picData, const std::string& title, const std::string& validLine, QSize cornerPx) {
  picData.Scale(0, 0, 100, 100);
  TitlesPlace t;
  const double room = picData.PixelWidth() - 2 * kTitleMarginPx;
  const auto fit = [&](const std::string& line) { return RowWidthPx(picData, line) <= room; };
  // A smaller face while it makes the lines narrower, then more rows.
  while (!(fit(title) && fit(validLine)) && picData.FontSize > kTitleFontStep) {
    const double before = picData.TextWidthPx(title);
    picData.FontSize -= kTitleFontStep;
    if (picData.TextWidthPx(title) >= before) {
      picData.FontSize += kTitleFontStep;  // the floor: no narrower
      break;
    }
  }
  t.fontSize = picData.FontSize;
  t.first = Rows(picData, title, room);
  t.second = Rows(picData, validLine, room);
  t.h = picData.TextHeight(title);
  const double rows = static_cast<double>(t.first.size() + t.second.size());
  // Below a picture laid over the top-left corner that reaches under them,
  // as far as the chart has room.
  const double below = cornerPx.height() * picData.ScaleHeight() / picData.PixelHeight();
  t.widest = 0;
  for (const auto* lines : {&t.first, &t.second})
    for (const std::string& r : *lines) t.widest = std::max(t.widest, RowWidthPx(picData, r));
  t.widest *= picData.ScaleWidth() / picData.PixelWidth();
  const bool covered = cornerPx.width() > picData.XToPixel((picData.ScaleWidth() - t.widest) / 2) && cornerPx.height() > 0;
  // A row's height of room over them, or as little as the chart leaves.
  const double gap = kSnapshotTitlesGapPx * picData.ScaleHeight() / picData.PixelHeight();
  const auto lead = [&](double from) {
    return std::clamp(picData.ScaleHeight() - from - rows * t.h, std::min(gap, 1.8 * t.h), 1.8 * t.h);
  };
  t.top = covered && below + lead(below) + rows * t.h <= picData.ScaleHeight() ? below : 0;
  t.y = t.top + lead(t.top);
  return t;
}

}  // namespace

double SnapshotTitlesBottomPx(PictureBox& picData, const std::string& title, const std::string& validLine,
                              QSize cornerPx) {
  const double keptSize = picData.FontSize;
  const TitlesPlace t = PlaceTitles(picData, title, validLine, cornerPx);
  picData.FontSize = keptSize;
  const double rows = static_cast<double>(t.first.size() + t.second.size());
  return std::ceil(picData.YToPixel(t.y + rows * t.h)) + kSnapshotTitlesGapPx;
}

void DrawSnapshotTitles(PictureBox& picData, const std::string& title, const std::string& validLine,
                        QSize cornerPx) {
  const double keptSize = picData.FontSize;
  const TitlesPlace t = PlaceTitles(picData, title, validLine, cornerPx);
  // One white box under the rows of both lines, as wide as the widest.
  const double x = (picData.ScaleWidth() - t.widest) / 2;
  const double rows = static_cast<double>(t.first.size() + t.second.size());
  picData.Box(x, t.y, x + t.widest, t.y + rows * t.h, RGB(255, 255, 255), true);
  picData.FontTransparent = true;
  double y = t.y;
  const auto print = [&](const std::vector<std::string>& lines, Color c) {
    picData.ForeColor = c;
    for (const std::string& r : lines) {
      picData.CurrentX = (picData.ScaleWidth() - picData.TextWidth(r)) / 2;
      picData.CurrentY = y;
      picData.Print(r);
      y += t.h;
    }
  };
  print(t.first, RGB(0, 0, 0));
  print(t.second, RGB(128, 32, 32));
  picData.FontSize = keptSize;
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
