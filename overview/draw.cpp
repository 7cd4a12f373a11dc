#include "overview/draw.h"

#include <algorithm>
#include <cmath>

namespace ondrik {

AxisRange RangeOf(const OverviewState& s, Axis axis) {
  const OverviewFrame& f = s.frame;
  switch (axis) {
    case Axis::Height: return {f.LogPBottom - f.LogPSpan, f.LogPBottom};
    case Axis::Direction: return {f.DirTop, f.DirTop - f.DirSpan};
    case Axis::Precip: return {f.PrecipBottom + f.PrecipSpan, f.PrecipBottom};
    case Axis::Index: return {f.IndexBottom + f.IndexSpan, f.IndexBottom};
    case Axis::Temperature: return {f.TempBottom + f.TempSpan, f.TempBottom};
    case Axis::SfcPres: return {f.SfcPresBottom + f.SfcPresSpan, f.SfcPresBottom};
    case Axis::Cape: return {gLICAxisTop, 0};
    case Axis::Ventilation: return {gVentAxisTop, 0};
    case Axis::Visibility: return {0, gVisAxisTop * gVisAxisTop};
    case Axis::Time:
    case Axis::None: break;
  }
  return {1, 0};
}

namespace {
bool Dimmed(const OverviewState& s) { return gCurDataset != s.draw.ShownDataset; }
}  // namespace

Color eRGB(const OverviewState& s, int r, int g, int b) {
  if (Dimmed(s)) return RGB(r * 3 / 6, g * 3 / 6, b * 3 / 6);
  return RGB(r, g, b);
}

Color eRGB2(const OverviewState& s, int r, int g, int b) {
  if (Dimmed(s)) return RGB(r * 5 / 8, g * 5 / 8, b * 5 / 8);
  return RGB(r, g, b);
}

void eWidth(OverviewDraw& d, int w) { d.rh.DrawWidth = Dimmed(d.s) ? w - 1 : w; }

void ScaleTo(OverviewDraw& d, Axis axis) {
  const AxisRange r = RangeOf(d.s, axis);
  d.rh.Scale(d.s.frame.TimeLeft, r.top, d.s.frame.TimeRight, r.bottom);
}

PictureBox::MarkSink& DataShapes() {
  struct Nobody : PictureBox::MarkSink {
    void Mark(const PictureBox::DrawnShape&, double) override {}
    void MarkLine(const QPoint&, const QPoint&, const QPen&, double) override {}
  };
  static Nobody nobody;
  return nobody;
}

void PlanLine(OverviewDraw& d, std::span<const double> xy, double half) {
  const PictureBox& pic = d.rh;
  TextPlacement& texts = d.s.draw.Texts;
  const size_t n = xy.size() / 2;
  const auto at = [&](size_t i) { return QPointF(pic.XToPixel(xy[2 * i]), pic.YToPixel(xy[2 * i + 1])); };
  if (n == 1) texts.Dot(at(0), half);
  for (size_t i = 0; i + 1 < n; ++i) texts.Segment(at(i), at(i + 1), 2 * half);
}

double PlanDotHalf(const PictureBox& pic, double radius) {
  if (!(radius > 0)) return 0;
  return std::fabs(radius * pic.PixelWidth() / pic.ScaleWidth()) + std::max(pic.DrawWidth, 1) / 2.0;
}

void PlanDot(OverviewDraw& d, double x, double y, double radius) {
  const double at[2] = {x, y};
  PlanLine(d, at, PlanDotHalf(d.rh, radius));
}

void BeginStrip(OverviewDraw& d, Color c, int width, Axis axis) {
  d.rh.ForeColor = c;
  d.rh.FillColor = c;
  eWidth(d, width);
  ScaleTo(d, axis);
}

}  // namespace ondrik
