// Drawing the contours of the time-height plane.
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/numberformat.h"
#include "overview/plotters.h"

namespace ondrik {

namespace {

// One value's tracing in pixels, its segments tagged with the value's contour.
class PixelSink : public ContourSink {
 public:
  PixelSink(const PictureBox& pic, const ContourValue& v, TracedField& f) : pic_(pic), v_(v), f_(f) {}
  void Segment(Single x1, Single y1, Single x2, Single y2) override {
    f_.lines.push_back(
        {pic_.XToPixel(x1), pic_.YToPixel(y1), pic_.XToPixel(x2), pic_.YToPixel(y2), v_.tag, v_.colour});
  }
  void Label(Single x, Single y) override {
    f_.labels.push_back({pic_.XToPixel(x), pic_.YToPixel(y), v_.text, v_.colour, v_.tag});
  }

 private:
  const PictureBox& pic_;
  const ContourValue& v_;
  TracedField& f_;
};

int Interval(const OverviewDraw& d) { return std::max<Integer>(1, d.s.opt.ContourInterval); }

}  // namespace

PlaneContours::PlaneContours(OverviewDraw& d, const ContourGrid& g) : d_(d), g_(g) {}

void PlaneContours::Trace(Single v, Color c, const std::string& label) {
  if (d_.plan) return;
  field_.values.push_back({d_.s.draw.Texts.NewTag(), label, c});
  PixelSink sink(d_.rh, field_.values.back(), field_);
  TraceContour(g_, v, g_.topLevel, sink);
}

void PlaneContours::Mark(const Extreme& e, Color c) {
  if (d_.plan) return;
  const std::string text = e.maximum ? "X" : "N";
  // Centred on its node.
  const double x = d_.rh.XToPixel(e.hour) - d_.rh.TextWidthPx(text) / 2;
  const double y = d_.rh.YToPixel(g_.y[static_cast<size_t>(e.level)]) - d_.rh.TextHeightPx(text) / 2;
  field_.marks.push_back({x, y, text, c, 0, QPointF(d_.rh.XToPixel(e.hour), d_.rh.YToPixel(g_.y[static_cast<size_t>(e.level)]))});
}

void PlaneContours::Draw() {
  if (d_.plan) return;
  PictureBox& pic = d_.rh;
  field_.width = std::max(pic.DrawWidth, 1);
  if (!field_.lines.empty()) pic.ForeColor = field_.lines.back().colour;
  d_.s.draw.Fields.push_back(std::move(field_));
  field_ = {};
}

ContourGrid PlaneGrid(const OverviewDraw& d, const LevelArray<Single>& field, Single scale,
                      const LevelArray<Single>* basis) {
  const Integer D = gCurDataset;
  return MakeContourGrid(field, D, d.s.draw.TopLevel[static_cast<size_t>(D)],
                         d.s.frame.LogP[static_cast<size_t>(D)], scale, basis);
}

void ScalePlane(OverviewDraw& d) { ScaleTo(d, Axis::Height); }

void PlotContour(OverviewDraw& d, const ContourGrid& g, Color colour1, Color colour2, int mode) {
  ScalePlane(d);
  PlaneContours field(d, g);
  for (const Single v : ContourValues(FieldRange(g), Interval(d))) {
    Color c;
    if (mode < 1)
      c = v >= -mode ? colour1 : colour2;
    else
      c = static_cast<long>(std::nearbyint(v)) % mode != 0 ? colour2 : colour1;
    field.Trace(v, c, NumberItem(v));
  }
  const std::vector<Extreme> extremes = FieldExtremes(g);
  for (const bool maxima : {true, false})
    for (const Extreme& e : extremes)
      if (e.maximum == maxima) field.Mark(e, maxima || mode >= 1 ? colour1 : colour2);
  field.Draw();
}

void PlotContourColor(OverviewDraw& d, bool marks, const ContourGrid& g, const ClassTable& classes) {
  ScalePlane(d);
  PlaneContours field(d, g);
  ValueRange r = FieldRange(g);
  r.min = std::max(r.min, classes.threshold[1]);
  for (const Single v : ContourValues(r, Interval(d))) field.Trace(v, classes.ColourOf(v), NumberItem(v));
  if (marks) {
    const std::vector<Extreme> extremes = FieldExtremes(g);
    for (const bool maxima : {true, false})
      for (const Extreme& e : extremes)
        if (e.maximum == maxima) field.Mark(e, classes.colour[1]);
  }
  field.Draw();
}

void sPlotContourMulti(OverviewDraw& d, bool marks, const ContourGrid& g, const ClassTable& unscaled,
                       Single scaled) {
  ScalePlane(d);
  PlaneContours field(d, g);
  const ClassTable classes = unscaled.Scaled(scaled);
  ValueRange r = FieldRange(g);
  r.min = std::max(r.min, classes.threshold[1]);
  for (const Single v : ContourValues(r, Interval(d)))
    field.Trace(v, classes.ColourOf(v), NumberItem(scaled != 0 ? v / scaled : v));
  if (marks)
    for (const Extreme& e : FieldExtremes(g)) field.Mark(e, classes.ColourOf(g.At(e.hour, e.level)));
  field.Draw();
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
