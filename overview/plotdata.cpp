#include "overview/plotdata.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <exception>

#include "core/guards.h"
#include "core/shared.h"
#include "core/text.h"

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

// Runs the series (when asked) and the plotter of a row; a failure leaves
// the row out. False on a failure.
bool DrawRow(OverviewDraw& d, const OverviewRow& r, Integer dataset, bool series) {
  bool ok = true;
  try {
    if (r.series != nullptr && series) r.series(d.s, dataset);
    r.plot(d);
  } catch (const std::exception&) {
    ok = false;
  }
  d.rh.Mode = DrawMode::CopyPen;
  return ok;
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

// The rows of each dataset whose plan failed.
using FailedRows = std::array<std::bitset<kBoxCount>, kDatasetSlots>;

// The fields of the shown dataset and the strips of every shown one. The
// series are computed once a redraw, for its plan (which runs first), and
// again for a row whose plan failed.
void DrawRows(OverviewDraw& d, Integer shown, Integer count, FailedRows& failed,
              std::vector<TextPlacement::Text> first = {}) {
  OverviewState& s = d.s;
  const auto draw = [&](const OverviewRow& r, Integer D) {
    auto bit = failed[static_cast<size_t>(D)][static_cast<size_t>(r.id)];
    const bool ok = DrawRow(d, r, D, d.plan || bit);
    if (d.plan) bit = !ok;
  };
  // What the rows draw is data, but for the cells and bars their painters
  // lay under the texts.
  const DataMarksGuard data(d.rh, d.plan ? nullptr : &DataShapes());
  TickedRows(s.opt, BoxKind::Field, [&](const OverviewRow& r) { draw(r, shown); });
  // The texts of the plane placed together (the title first), the
  // contoured fields' lines drawn.
  if (!d.plan) PlaceContourTexts(d.rh, s.draw.Texts, s.draw.Fields, std::move(first));
  const DrawOrder order = OverlayOrder(shown, gOverlayAll, count);
  for (int i = 0; i < order.n; ++i) {
    const Integer D = order.d[static_cast<size_t>(i)];
    gCurDataset = D;
    if (!gDatasetShown(D)) continue;
    TickedRows(s.opt, BoxKind::Strip, [&](const OverviewRow& r) { draw(r, D); });
  }
  gCurDataset = shown;
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
  TextPlacement& texts = s.draw.Texts;
  texts.Begin(d.rh);
  s.draw.Fields.clear();
  if (shown >= 1 && shown <= count) {
    // Where the strips and other lines will run, handed to the placement
    // first (from a copy of the picture in its scale and pen, which nothing
    // is drawn on) for the texts of the plane to keep off.
    PictureBox ahead = d.rh;
    OverviewDraw plan{s, ahead, d.left, d.right, true};
    FailedRows failed{};
    DrawRows(plan, shown, count, failed);
    std::vector<TextPlacement::Text> title;
    if (count > 1) title = TitleTexts(d.rh, shown);
    DrawRows(d, shown, count, failed, std::move(title));
    if (count > 1) PloteeTitle(d);
  }
  texts.PrintAll(d.rh);
  DrawAxesAndGrids(d);
  if (s.opt.On(kBoxCursor)) {
    gCursorHour = s.in.HourValue;
    DrawCursorLine(d.rh, s, gCursorHour);
  }
}

namespace {

// The picture's font switched to the title's for the scope.
class TitleFont {
 public:
  explicit TitleFont(PictureBox& pic) : pic_(pic), name_(pic.FontName), size_(pic.FontSize) {
    pic.FontName = "Lucida Console";
    pic.FontSize = 10;
  }
  ~TitleFont() {
    pic_.FontSize = size_;
    pic_.FontName = name_;
  }
  TitleFont(const TitleFont&) = delete;
  TitleFont& operator=(const TitleFont&) = delete;

 private:
  PictureBox& pic_;
  std::string name_;
  double size_;
};

}  // namespace

TitlePlace PlaceTitle(PictureBox& pic, Integer dataset) {
  TitlePlace t;
  t.text = gDatasetTitle(dataset) + gDatasetLabel(dataset);
  // Three widths of "1" in from the left edge and 0.7 of its height down,
  // measured in the picture's own font.
  t.x = 3 * pic.TextWidthPx("1");
  t.y = 0.7 * pic.TextHeightPx("1");
  const TitleFont font(pic);
  t.ink = InkBox(pic, t.text, t.x, t.y);
  return t;
}

std::vector<TextPlacement::Text> TitleTexts(PictureBox& pic, Integer dataset) {
  const TitlePlace at = PlaceTitle(pic, dataset);
  const TitleFont font(pic);
  // At its own place for every hour, moved in from the edges only; smaller
  // where the data leave it no room there.
  const auto line = [&](const std::string& text, double y) {
    TextPlacement::Text t = PlaneTextAt(pic, text, at.x, y, kWhite);
    t.move = TextPlacement::Move::Fixed;
    t.mayShrink = true;
    return t;
  };
  // Where the picture is too narrow for it on one line, the dataset's label
  // goes under its title, the two as one block.
  const std::string& label = gDatasetLabel(dataset);
  if (at.ink.right <= pic.PixelWidth() - 1 || label.empty() || label.size() == at.text.size())
    return {line(at.text, at.y)};
  std::vector<TextPlacement::Text> lines = {line(at.text.substr(0, at.text.size() - label.size()), at.y),
                                            line(label, at.y + pic.TextHeightPx("1"))};
  for (TextPlacement::Text& t : lines) t.together = kTitleBlock;
  return lines;
}

void PloteeTitle(OverviewDraw& d) {
  OverviewState& s = d.s;
  const Integer D = gCurDataset;
  s.draw.QualityVisible = false;
  if (ContainsNoCase(s.draw.Caption, "sref") && ContainsNoCase(gDatasetTitle(D), "nmm")) {
    const int n = IsolatedDryHours(D);
    if (n > 2) {
      s.draw.QualityText = PrecipitationAlertText(n);
      s.draw.QualityVisible = true;
    }
  }
}

void DrawCursorLine(PictureBox& rh, const OverviewState& s, int hour) {
  const OverviewFrame& f = s.frame;
  const double left = rh.ScaleLeft(), top = rh.ScaleTop(), w = rh.ScaleWidth(), h = rh.ScaleHeight();
  const DrawMode mode = rh.Mode;
  const int width = rh.DrawWidth;
  const DrawStyle style = rh.Style;
  // The same scale every time, so that the second line covers the first.
  rh.Scale(f.TimeLeft, 0, f.TimeRight, 1);
  rh.DrawWidth = 1;
  rh.Style = DrawStyle::Solid;
  rh.Mode = DrawMode::XorPen;
  DrawLineClear(rh, s.draw.Texts, hour, 0, hour, 1, kCursorColour);
  rh.Mode = mode;
  rh.DrawWidth = width;
  rh.Style = style;
  rh.Scale(left, top, left + w, top + h);
}

}  // namespace ondrik
