#include "overview/plotdata.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "core/guards.h"
#include "core/shared.h"
#include "core/text.h"
#include "overview/timelabels.h"

namespace ondrik {

namespace {

// The hourglass for the scope of the redraw.
class BusyPointer {
 public:
  explicit BusyPointer(OverviewEvents* e) : e_(e) {
    if (e_ != nullptr) e_->SetBusy(true);
  }
  ~BusyPointer() {
    if (e_ != nullptr) e_->SetBusy(false);
  }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  OverviewEvents* e_;
};

// Runs the series and the plotter of a row; a failure leaves the row out.
void DrawRow(OverviewDraw& d, const OverviewRow& r, Integer dataset) {
  try {
    if (r.series != nullptr) r.series(d.s, dataset);
    r.plot(d);
  } catch (const std::exception&) {
  }
  d.rh.Mode = DrawMode::CopyPen;
}

// The ticked rows of one kind in table order; two adjacent rows of one
// plotter draw once.
template <typename F>
void TickedRows(const OverviewOptions& o, BoxKind kind, F&& draw) {
  const OverviewRow* previous = nullptr;
  for (const OverviewRow& r : OverviewRows()) {
    if (r.kind != kind) continue;
    const bool drawnAlready = previous != nullptr && previous->plot == r.plot && o.On(previous->id);
    if (o.On(r.id) && r.plot != nullptr && !drawnAlready) draw(r);
    previous = &r;
  }
}

}  // namespace

void PlotData(OverviewDraw& d) {
  if (gLoadingState) return;
  OverviewState& s = d.s;
  if (gHourChangeSource != 1 && s.events != nullptr) s.events->FocusScrollBar();
  const BusyPointer busy(s.events);
  s.draw.ShownDataset = gCurDataset;
  const CurrentDatasetGuard keeper;  // the overlay loop moves the current dataset
  ComputeTopLevels(s);
  d.rh.Cls();
  d.left.Cls();
  d.right.Cls();
  const Integer count = std::min<Integer>(gDatasetCount, kMaxDatasets);
  const Integer shown = s.draw.ShownDataset;
  if (shown >= 1 && shown <= count) {
    TickedRows(s.opt, BoxKind::Field, [&](const OverviewRow& r) { DrawRow(d, r, shown); });
    const DrawOrder order = OverlayOrder(shown, gOverlayAll, count);
    for (int i = 0; i < order.n; ++i) {
      const Integer D = order.d[static_cast<size_t>(i)];
      gCurDataset = D;
      if (!gDatasetShown(D)) continue;
      TickedRows(s.opt, BoxKind::Strip, [&](const OverviewRow& r) { DrawRow(d, r, D); });
    }
    gCurDataset = shown;
    if (count > 1) PloteeTitle(d);
  }
  DrawAxesAndGrids(d);
  if (s.opt.On(kBoxCursor)) {
    gCursorHour = s.in.HourValue;
    DrawCursorLine(d.rh, s.frame, gCursorHour);
  }
}

void PloteeTitle(OverviewDraw& d) {
  OverviewState& s = d.s;
  const Integer D = gCurDataset;
  PictureBox& pic = d.rh;
  pic.CurrentX = pic.ScaleLeft() + 3 * pic.TextWidthInScale("1");
  pic.CurrentY = pic.ScaleTop() + 0.7 * pic.TextHeightInScale("1");
  pic.ForeColor = kWhite;
  const std::string font = pic.FontName;
  const double size = pic.FontSize;
  pic.FontName = "Lucida Console";
  pic.FontSize = 10;
  pic.Print(gDatasetTitle(D) + gDatasetLabel(D), false);
  pic.FontSize = size;
  pic.FontName = font;
  s.draw.QualityVisible = false;
  if (ContainsNoCase(s.draw.Caption, "sref") && ContainsNoCase(gDatasetTitle(D), "nmm")) {
    const int n = IsolatedDryHours(D);
    if (n > 2) {
      s.draw.QualityText = PrecipitationAlertText(n);
      s.draw.QualityVisible = true;
    }
  }
}

void DrawCursorLine(PictureBox& rh, const OverviewFrame& f, int hour) {
  const double left = rh.ScaleLeft(), top = rh.ScaleTop(), w = rh.ScaleWidth(), h = rh.ScaleHeight();
  const DrawMode mode = rh.Mode;
  const int width = rh.DrawWidth;
  const DrawStyle style = rh.Style;
  // The same scale every time, so that the second line covers the first.
  rh.Scale(f.TimeLeft, 0, f.TimeRight, 1);
  rh.DrawWidth = 1;
  rh.Style = DrawStyle::Solid;
  rh.Mode = DrawMode::XorPen;
  rh.Line(hour, 0, hour, 1, kCursorColour);
  rh.Mode = mode;
  rh.DrawWidth = width;
  rh.Style = style;
  rh.Scale(left, top, left + w, top + h);
}

std::vector<TimeAxisLabel> TimeAxisLabels(const PictureBox& pic, const OverviewState& s) {
  std::vector<TimeAxisLabel> out;
  const OverviewFrame& f = s.frame;
  const Integer D = gCurDataset;
  if (D < 1 || D > kMaxDatasets) return out;
  const double wide = pic.TextWidthInScale("0000z") / 2, narrow = pic.TextWidthInScale("00z") / 2;
  const Integer step = TimeLabelStep(s.in.TimeLabelStep);
  const int last = std::min<int>(gLastHour(D), kMaxHours - 1);
  const double L = pic.ScaleLeft(), W = pic.ScaleWidth();
  const int pixels = pic.PixelWidth();
  // A label of an hour in the window that the edge would cut is moved
  // inside, a pixel from the edge; hours outside the window get none.
  const auto inside = [&](double x, double w) {
    if (W == 0 || pixels < 3) return x;
    const double margin = 1.0 / pixels;
    const double u = std::clamp((x - L) / W, margin, std::max(margin, 1 - margin - w / W));
    return L + u * W;
  };
  const double first = std::max<double>(0, std::ceil(std::min(f.TimeRight, f.TimeLeft)));
  const double lastShown = std::min<double>(last, std::floor(std::max(f.TimeRight, f.TimeLeft)));
  for (int t = 0; t <= lastShown; t += step) {
    if (t < first) continue;
    const DateTime v = gValidTime(D, t);
    if (!v.IsSet()) continue;
    const std::string utc = UtcTimeLabel(v);
    out.push_back({t, inside(t - (v.minute == 0 ? narrow : wide), pic.TextWidthInScale(utc)), 10, utc});
    const std::string local = LocalTimeAxisLabel(v, gTZOffset);
    const double w = pic.TextWidthInScale(local);
    out.push_back({t, inside(t - w / 2, w), 50, local});
  }
  return out;
}

void DrawTimeAxis(PictureBox& pic, const OverviewState& s) {
  const OverviewFrame& f = s.frame;
  pic.Scale(f.TimeLeft, 0, f.TimeRight, 100);
  pic.Cls();
  for (const TimeAxisLabel& l : TimeAxisLabels(pic, s)) {
    pic.CurrentX = l.x;
    pic.CurrentY = l.y;
    pic.Print(l.text);
  }
}

}  // namespace ondrik
