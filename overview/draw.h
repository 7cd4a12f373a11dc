// The overview's drawing frame: the pictures a redraw draws on, and what
// every plotter has in common (dimmed colours for the datasets other than
// the shown one, the scale of its axis, the trace or bars of a series).
#pragma once

#include <cmath>
#include <span>
#include <vector>

#include "core/store.h"
#include "overview/state.h"
#include "platform/picturebox.h"

namespace ondrik {

// picRH, the main picture (fields and strips), and the scale pictures left
// and right of it.
struct OverviewDraw {
  OverviewState& s;
  PictureBox& rh;
  PictureBox& left;
  PictureBox& right;
  // The plan of a redraw, run before it: the plotters draw nothing; those
  // of lines record where they will run (PlanLine, PlanDot), for the texts
  // of the plane to keep off.
  bool plan = false;
};

// What the redraw draws as data (the strips' traces and dots, the vectors,
// the contour lines) is drawn with this as the picture's DataMarks: told
// to no one, for the placement has it from the plan already; the picture's
// record marks it as data.
PictureBox::MarkSink& DataShapes();
// The cells and bars painted under the texts of the plane are the ground
// they stand on, not data: painted within this.
class PaintedGround : public DataMarksGuard {
 public:
  explicit PaintedGround(OverviewDraw& d) : DataMarksGuard(d.rh, nullptr) {}
};

// In a plan: joined points in the picture's scale, of a line drawn `half`
// pixels to either side of its middle (half its pen's width, and the rim's
// pixel), handed to the plane's placement as data; one point is a dot.
void PlanLine(OverviewDraw& d, std::span<const double> xy, double half);
// In a plan: a filled dot of the radius (x units) and the pen's width;
// how far it reaches from its middle in pixels (0 for no dot).
void PlanDot(OverviewDraw& d, double x, double y, double radius);
double PlanDotHalf(const PictureBox& pic, double radius);

// Top and bottom of an axis in its own units (the time-height plane
// in ln p with its top at LogPBottom - LogPSpan; the visibility axis in
// (top - v)^2, 0 at the top edge).
struct AxisRange {
  Single top = 1;
  Single bottom = 0;
};
AxisRange RangeOf(const OverviewState& s, Axis axis);

// The colour of a pen for gCurDataset: full strength for the shown dataset;
// for another each component c becomes (c * 3) \ 6 (eRGB) or (c * 5) \ 8
// (eRGB2). eWidth: the given width for the shown dataset, one less for the
// others.
Color eRGB(const OverviewState& s, int r, int g, int b);
Color eRGB2(const OverviewState& s, int r, int g, int b);
void eWidth(OverviewDraw& d, int w);

// picRH scaled to an axis: x from TimeLeft (left edge) to TimeRight, y from
// the axis's top to its bottom.
void ScaleTo(OverviewDraw& d, Axis axis);

// A strip plotter's first steps: pen and fill colour (already dimmed with
// eRGB or eRGB2), width through eWidth, and the scale of its axis.
void BeginStrip(OverviewDraw& d, Color c, int width, Axis axis);
// Its last step: pen width 1.
inline void EndStrip(OverviewDraw& d) { d.rh.DrawWidth = 1; }

// The trace of a series of gCurDataset over its hours 0..gLastHour: one
// joined segment per hour. value(h) gives the y of hour h; a value that is
// not finite is a gap (the trace starts again after it). segment(h, from,
// to) gives the colour of the segment ending at hour h from the values at
// its two ends; dot > 0 puts a filled dot of that radius (x units) at every
// point, in the colour of the segment ending there (the pen's at a start).
// The trace of the shown dataset lies on a rim of the picture's back
// colour a pixel wide, so that it stays whole over a field or bar of its
// own colour.
template <typename Value, typename Segment>
void TraceSeries(OverviewDraw& d, Value&& value, Segment&& segment, double dot = 0) {
  const Integer D = gCurDataset;
  if (D < 1 || D > kMaxDatasets) return;
  PictureBox& pic = d.rh;
  // Joined segments of one colour go to the picture as one line, all of
  // them after the rim of the whole trace.
  struct Run {
    std::vector<double> xy;
    Color colour;
  };
  std::vector<Run> runs;
  std::vector<double> run;
  Color runColour = pic.ForeColor;
  const auto flush = [&] {
    if (run.size() >= 4) runs.push_back({run, runColour});
    run.clear();
  };
  struct Dot {
    double x, y;
    Color c;
    bool starts;  // the trace starts at it
  };
  std::vector<Dot> dots;
  bool pen = false;
  double previous = 0;
  double lastX = 0;
  for (int h = 0; h <= gLastHour(D) && h < kMaxHours; ++h) {
    const double y = value(h);
    if (!std::isfinite(y)) {
      flush();
      pen = false;
      continue;
    }
    Color c = pic.ForeColor;
    if (pen) {
      c = segment(h, previous, y);
      if (c != runColour) {
        flush();
        run = {lastX, previous};
        runColour = c;
      }
    } else {
      run.clear();
    }
    run.push_back(h);
    run.push_back(y);
    if (dot > 0) dots.push_back({static_cast<double>(h), y, c, !pen});
    pen = true;
    previous = y;
    lastX = h;
  }
  flush();
  const int width = pic.DrawWidth;
  if (d.plan) {
    // With dots at every point, the line as wide as they reach (and a dot
    // where the trace starts, which may be all of it).
    const double half = std::max(width / 2.0 + (D == d.s.draw.ShownDataset ? 1 : 0), PlanDotHalf(pic, dot));
    for (const Run& r : runs) PlanLine(d, r.xy, half);
    for (const Dot& p : dots)
      if (p.starts) PlanDot(d, p.x, p.y, dot);
    return;
  }
  if (D == d.s.draw.ShownDataset) {
    pic.DrawWidth = width + 2;
    for (const Run& r : runs) pic.PolyLine(r.xy, pic.BackColor);
    pic.DrawWidth = width;
  }
  for (const Run& r : runs) pic.PolyLine(r.xy, r.colour);
  if (pen) {
    pic.CurrentX = lastX;
    pic.CurrentY = previous;
  }
  pic.Fill = FillStyle::Solid;
  pic.FillTransparent = false;
  for (const Dot& p : dots) {
    pic.FillColor = p.c;
    pic.Circle(p.x, p.y, dot, p.c);
  }
  pic.FillTransparent = true;
}

// Bars of a series of gCurDataset: for each hour h a filled box from
// (h - 1, value) to (h, 0) in the pen colour; gaps as in TraceSeries.
template <typename Value>
void BarSeries(OverviewDraw& d, Value&& value) {
  const Integer D = gCurDataset;
  if (D < 1 || D > kMaxDatasets || d.plan) return;  // bars are painted before any text is set
  for (int h = 0; h <= gLastHour(D) && h < kMaxHours; ++h) {
    const double y = value(h);
    if (std::isfinite(y)) d.rh.Box(h - 1, y, h, 0, d.rh.ForeColor, true);
  }
}

// The ln p of level k of dataset d at hour 0 (the plane's y of the level).
inline Single LevelY(const OverviewState& s, Integer d, int k) {
  return s.frame.LogP[static_cast<size_t>(d)][static_cast<size_t>(k)];
}

}  // namespace ondrik
