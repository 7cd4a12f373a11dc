// Drawing the contours of the time-height plane.
#include <algorithm>
#include <cmath>
#include <map>

#include "core/numberformat.h"
#include "overview/plotters.h"

namespace ondrik {

namespace {

// One value's tracing in pixels, its segments tagged with the value's contour.
class PixelSink : public ContourSink {
 public:
  PixelSink(const PictureBox& pic, int tag, Color c, const std::string& label, std::vector<PlaneContours::Line>& lines,
            std::vector<PlaneContours::Candidate>& labels)
      : pic_(pic), tag_(tag), c_(c), label_(label), lines_(lines), labels_(labels) {}
  void Segment(Single x1, Single y1, Single x2, Single y2) override {
    lines_.push_back({{pic_.XToPixel(x1), pic_.YToPixel(y1), pic_.XToPixel(x2), pic_.YToPixel(y2), 0.5, tag_}, c_});
  }
  void Label(Single x, Single y) override { labels_.push_back({pic_.XToPixel(x), pic_.YToPixel(y), label_, c_, tag_}); }

 private:
  const PictureBox& pic_;
  int tag_;
  Color c_;
  const std::string& label_;
  std::vector<PlaneContours::Line>& lines_;
  std::vector<PlaneContours::Candidate>& labels_;
};

int Interval(const OverviewDraw& d) { return std::max<Integer>(1, d.s.opt.ContourInterval); }

}  // namespace

// In a plan a contour field draws nothing.
PlaneContours::PlaneContours(OverviewDraw& d, const ContourGrid& g) : d_(d), g_(g) {
  PlaneTexts& texts = d_.s.draw.Texts;
  if (!d_.plan && !texts.SizedFor(d_.rh.PixelWidth(), d_.rh.PixelHeight())) texts.Reset(d_.rh.PixelWidth(), d_.rh.PixelHeight());
}

void PlaneContours::Trace(Single v, Color c, const std::string& label) {
  if (d_.plan) return;
  PixelSink sink(d_.rh, d_.s.draw.Texts.NewTag(), c, label, lines_, labels_);
  TraceContour(g_, v, g_.topLevel, sink);
}

void PlaneContours::Mark(const Extreme& e, Color c) {
  if (d_.plan) return;
  const std::string text = e.maximum ? "X" : "N";
  // Centred on its node.
  const double x = d_.rh.XToPixel(e.hour) - d_.rh.TextWidthPx(text) / 2;
  const double y = d_.rh.YToPixel(g_.y[static_cast<size_t>(e.level)]) - d_.rh.TextHeightPx(text) / 2;
  marks_.push_back({x, y, text, c, 0});
}

void PlaneContours::Draw() {
  if (d_.plan) return;
  PlaneTexts& texts = d_.s.draw.Texts;
  PictureBox& pic = d_.rh;
  // A text stands clear, and whole on one colour of the cells and bars
  // painted so far, or on the black back colour and the dark shading of the
  // driest humidity class, which both lie far under its brightness.
  const std::initializer_list<Color> dark = {pic.BackColor, HumidityClassColour(1)};
  const auto stands = [&](const PixelBox& ink, int tag) {
    return texts.Free(ink, tag) && OnQuietGround(pic, ink.Grown(PlaneTexts::kGap), dark);
  };
  // The marks first, where the lines of the fields drawn before and of the
  // plan leave room; this field's lines leave a gap round them.
  for (const Candidate& m : marks_) {
    const PixelBox ink = InkBox(pic, m.text, m.x, m.y);
    if (stands(ink, 0)) texts.Set(m.text, m.x, m.y, ink, m.colour);
  }
  // A label where no other contour runs through it; its own leaves a gap.
  const double half = std::max(pic.DrawWidth, 1) / 2.0;
  for (Line& l : lines_) {
    l.s.half = half;
    texts.Record(l.s);
  }
  // Labels of one contour at least a label's width apart.
  std::vector<std::pair<int, PixelBox>> set;
  const auto crowded = [&](const Candidate& c, const PixelBox& ink) {
    const double w = ink.right - ink.left;
    const PixelBox room{ink.left - w, ink.top, ink.right + w, ink.bottom};
    for (const auto& [tag, box] : set)
      if (tag == c.tag && room.Meets(box)) return true;
    return false;
  };
  for (const Candidate& c : labels_) {
    const PixelBox ink = InkBox(pic, c.text, c.x, c.y);
    if (crowded(c, ink) || !stands(ink, c.tag)) continue;
    texts.Set(c.text, c.x, c.y, ink, c.colour);
    set.emplace_back(c.tag, ink);
  }
  // The lines, one stroke per colour.
  struct Strokes {
    std::vector<double> xy;
    std::vector<PictureBox::PointRun> runs;
  };
  std::map<Color, Strokes> byColour;
  std::vector<PixelSegment> pieces;
  for (const Line& l : lines_) {
    pieces.clear();
    texts.Clear(l.s, pieces);
    Strokes& s = byColour[l.colour];
    for (const PixelSegment& p : pieces) {
      s.runs.push_back({s.xy.size() / 2, 2});
      s.xy.insert(s.xy.end(), {pic.PixelToX(p.x1), pic.PixelToY(p.y1), pic.PixelToX(p.x2), pic.PixelToY(p.y2)});
    }
  }
  for (const auto& [colour, s] : byColour) pic.PolyLines(s.xy, s.runs, colour);
  if (!lines_.empty()) pic.ForeColor = lines_.back().colour;
  lines_.clear();
  labels_.clear();
  marks_.clear();
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
