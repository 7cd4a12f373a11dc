// Drawing the contours of the time-height plane.
#include <algorithm>

#include "core/numberformat.h"
#include "overview/plotters.h"

namespace ondrik {

namespace {

class PictureSink : public ContourSink {
 public:
  PictureSink(PictureBox& pic, const std::string& label) : pic_(pic), label_(label) {}
  void Segment(Single x1, Single y1, Single x2, Single y2) override { pic_.Line(x1, y1, x2, y2); }
  void Label(Single x, Single y) override {
    pic_.CurrentX = x;
    pic_.CurrentY = y;
    pic_.Print(label_);
  }

 private:
  PictureBox& pic_;
  const std::string& label_;
};

void Marks(OverviewDraw& d, const ContourGrid& g, bool maxima, Color colour) {
  d.rh.ForeColor = colour;
  for (const Extreme& e : FieldExtremes(g))
    if (e.maximum == maxima) PrintCentred(d.rh, e.hour, g.y[static_cast<size_t>(e.level)], maxima ? "X" : "N");
}

int Interval(const OverviewDraw& d) { return std::max<Integer>(1, d.s.opt.ContourInterval); }

}  // namespace

ContourGrid PlaneGrid(const OverviewDraw& d, const LevelArray<Single>& field, Single scale) {
  const Integer D = gCurDataset;
  return MakeContourGrid(field, D, d.s.draw.TopLevel[static_cast<size_t>(D)],
                         d.s.frame.LogP[static_cast<size_t>(D)], scale);
}

void ScalePlane(OverviewDraw& d) { ScaleTo(d, Axis::Height); }

void ContourLevel(OverviewDraw& d, const ContourGrid& g, Single v, int nLevels, const std::string& label) {
  PictureSink sink(d.rh, label);
  TraceContour(g, v, nLevels, sink);
}

void PlotContour(OverviewDraw& d, const ContourGrid& g, Color colour1, Color colour2, int mode) {
  ScalePlane(d);
  for (const Single v : ContourValues(FieldRange(g), Interval(d))) {
    if (mode < 1)
      d.rh.ForeColor = v >= -mode ? colour1 : colour2;
    else
      d.rh.ForeColor = static_cast<long>(std::nearbyint(v)) % mode != 0 ? colour2 : colour1;
    ContourLevel(d, g, v, g.topLevel, NumberItem(v));
  }
  Marks(d, g, true, colour1);
  Marks(d, g, false, mode < 1 ? colour2 : colour1);
}

void PlotContourColor(OverviewDraw& d, bool marks, const ContourGrid& g, const ClassTable& classes) {
  ScalePlane(d);
  ValueRange r = FieldRange(g);
  r.min = std::max(r.min, classes.threshold[1]);
  for (const Single v : ContourValues(r, Interval(d))) {
    d.rh.ForeColor = classes.ColourOf(v);
    ContourLevel(d, g, v, g.topLevel, NumberItem(v));
  }
  if (!marks) return;
  Marks(d, g, true, classes.colour[1]);
  Marks(d, g, false, classes.colour[1]);
}

void sPlotContourMulti(OverviewDraw& d, bool marks, const ContourGrid& g, const ClassTable& unscaled,
                       Single scaled) {
  ScalePlane(d);
  const ClassTable classes = unscaled.Scaled(scaled);
  ValueRange r = FieldRange(g);
  r.min = std::max(r.min, classes.threshold[1]);
  for (const Single v : ContourValues(r, Interval(d))) {
    d.rh.ForeColor = classes.ColourOf(v);
    ContourLevel(d, g, v, g.topLevel, NumberItem(scaled != 0 ? v / scaled : v));
  }
  if (!marks) return;
  for (const Extreme& e : FieldExtremes(g)) {
    d.rh.ForeColor = classes.ColourOf(g.At(e.hour, e.level));
    PrintCentred(d.rh, e.hour, g.y[static_cast<size_t>(e.level)], e.maximum ? "X" : "N");
  }
}

std::array<ECapeLegendItem, 6> ECapeLegend(Integer contourInterval, Integer lowestClass) {
  static constexpr int kFactor[6] = {1, 20, 40, 100, 200, 400};
  std::array<ECapeLegendItem, 6> items;
  for (int i = 0; i < 6; ++i) {
    items[static_cast<size_t>(i)].caption = std::to_string(contourInterval * kFactor[i]);
    items[static_cast<size_t>(i)].colour = i < lowestClass ? kBlack : kYellow;
  }
  return items;
}

}  // namespace ondrik
