// The precipitation-type panel's energy view: the header with the model's
// snow share and the start level, the three energy diagrams with their
// points and trails, the surface energy strip, and the top-down block.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "core/constants.h"
#include "core/shared.h"
#include "core/numberformat.h"
#include "panels/preciptype.h"
#include "panels/preciptyperules.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr Color kEnergyBack = RGB(128, 255, 255);
constexpr Color kChartGrey = RGB(127, 127, 127);
constexpr Color kLevelText = RGB(94, 53, 0);
// The start-level lines stand at this part of the picture's width, or
// further left to end inside it.
constexpr double kLevelTextX = 0.70;
// A diagram's axis (y = 0) stands at this part of the picture's height, or
// higher to leave room for the rows under it, but not above the least.
constexpr double kAxisAt = 0.762, kLeastAxisAt = 0.45;
// The surface energy strip: its width as a part of the picture's.
constexpr double kSleetWidth = 0.5;

// The colour of a kind of precipitation on its region's label: its own
// where that reads on the chart's grey, else the nearest that does (red and
// blue darker, green lighter). A point keeps the kind's own colour, dimmed
// for the datasets but the shown one: a mark is read by its colour, a text
// by its letters.
Color Kind(Rgb c) { return ReadableOn(RGB(c.r, c.g, c.b), kChartGrey); }
Color PointColour(Integer shown, Rgb c) { return eRGB(shown, c.r, c.g, c.b); }

// A diagram's frame and numbers: x from left to right (the chart from 0 to
// xMax), y from 0 to yMax at the chart's top; the current hour's point
// radius in x.
struct DiagramFrame {
  double left, right, xMax, yMax;
  double radius;
  int yStep, yLast, xFirst, xStep, xLast;
  const char* yTitle;
};
constexpr DiagramFrame kSurfaceFrame{-16, 85, 80, 3000, 1.5, 500, 3000, 10, 10, 70, "Freezing Level (ft)"};
constexpr DiagramFrame kLayerFrame{-90, 480, 450, 450, 10, 50, 400, 50, 50, 450, "Negative Energy J/kg"};

const DiagramFrame& FrameOf(EnergyDiagram diagram) {
  return diagram == EnergyDiagram::Surface ? kSurfaceFrame : kLayerFrame;
}

// The title of a diagram's x axis and where it begins.
std::pair<double, const char*> XTitle(EnergyDiagram diagram) {
  switch (diagram) {
    case EnergyDiagram::Surface: return {20, "Positive Energy J/kg"};
    case EnergyDiagram::TwoLayer: return {90, "Elevated Positive Energy J/kg"};
    default: return {115, "Positive Energy J/kg"};
  }
}

}  // namespace

void PrecipTypePanel::UseDiagramScale(PictureBox& pic, EnergyDiagram diagram) const {
  const DiagramFrame& f = FrameOf(diagram);
  const EnergyLayout& u = layout_;
  const double perPx = f.yMax / std::max(u.axisPx - u.chartTopPx, 1.0);
  const double top = f.yMax + u.chartTopPx * perPx;
  pic.Scale(f.left, top, f.right, top - pic.PixelHeight() * perPx);
}

QSize PrecipTypePanel::SleetSize() {
  // As tall as its rows: the labels, the point, the numbers and two lines
  // of its energy.
  const double line = Pic().TextHeightPx("H");  // the strip has the panel's font
  return {std::max(1, static_cast<int>(Picture()->width() * kSleetWidth)), static_cast<int>(std::ceil(4 * line + 16))};
}

void PrecipTypePanel::PlaceSleetStrip() {
  const QSize size = SleetSize();
  const double w = size.width(), h = size.height();
  if (chartPx_.isEmpty()) {
    picSleet_->setGeometry(QRect(QPoint(Picture()->width() - size.width(), 0), size));
    return;
  }
  // Its places inside the chart, two pixels in from its frame, in steps of a
  // few pixels: the chart's corners first (from the bottom left), then the
  // places along its edges and inside, the nearest to a corner first.
  const QRectF in = chartPx_.adjusted(2, 2, -2, -2);
  const double spanX = std::max(0.0, in.width() - w), spanY = std::max(0.0, in.height() - h);
  constexpr int kSteps = 12;
  std::vector<QPointF> places;
  for (int j = 0; j <= kSteps; ++j)
    for (int i = 0; i <= kSteps; ++i) places.emplace_back(in.left() + spanX * i / kSteps, in.top() + spanY * j / kSteps);
  const auto toCorner = [&](const QPointF& p) {
    const double dx = std::min(p.x() - in.left(), in.left() + spanX - p.x());
    const double dy = std::min(p.y() - in.top(), in.top() + spanY - p.y());
    return std::hypot(dx, dy);
  };
  std::stable_sort(places.begin(), places.end(),
                   [&](const QPointF& a, const QPointF& b) { return toCorner(a) < toCorner(b); });
  // The data it would hide: first the points, then the length of the
  // decision lines and trails under it.
  std::pair<long, double> fewest{std::numeric_limits<long>::max(), 0};
  QPointF best = places.front();
  for (const QPointF& c : places) {
    const QRectF r(c, QSizeF(w, h));
    double under = 0;
    for (const auto* segments : {&linesPx_, &trailsPx_})
      for (auto [a, b] : *segments)
        if (ClipSegment(a, b, r)) under += std::hypot(b.x() - a.x(), b.y() - a.y());
    const std::pair<long, double> n{
        std::count_if(pointsPx_.begin(), pointsPx_.end(), [&](const QRectF& o) { return r.intersects(o); }), under};
    if (n < fewest) {
      fewest = n;
      best = c;
    }
    if (n == std::pair<long, double>{0, 0}) break;
  }
  picSleet_->setGeometry(
      QRect(QPoint(static_cast<int>(std::ceil(best.x())), static_cast<int>(std::ceil(best.y()))), size));
}

void PrecipTypePanel::DrawEnergyHeader(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  pic.BackColor = kEnergyBack;
  pic.Cls();
  pic.Scale(-300, 0, 102, 200);
  // The model's snow share: green for the rest, blue for snow; its number
  // beside the bar.
  const double S = std::clamp<double>(gSnra(D, H), 0, 100);
  if (S < 100) pic.Box(0, 1, 100 - S, 7, kGreen, true);
  if (S > 0) pic.Box(100 - S, 1, 100, 7, kBlue, true);
  const std::string share = "SNRA=" + NumberItem(gSnra(D, H));
  const double end = pic.PixelToX(pic.XToPixel(0) - 3);
  const std::vector<RowText> row = {{end - pic.TextWidth(share.substr(0, share.size() - 1)), share, kBlack}};
  PrintRow(pic, 1, row, pic.ScaleLeft(), end);
  headerLeftPx_ = RowInk(pic, 1, row, pic.ScaleLeft(), end).left() / pic.DeviceScale() - 3;
}

std::vector<std::string> PrecipTypePanel::VerdictLines(Integer d, Integer H, EnergyDiagram diagram) {
  const std::string& pattern = gEnergyPattern(d, H);
  switch (diagram) {
    case EnergyDiagram::Surface:
      if (pattern == "BB") return {"Entire Sounding Below Freezing", "", "SNOW"};
      return {"Sounding Starts Out Above Freezing", "",
              "Positive Energy = " + Format(gPosEnergy(d, H), "#,##0.0") + " J/kg",
              "Freezing Level  = " + Format(gSfcWarmDepth(d, H), "#,##0") + " ft"};
    case EnergyDiagram::Elevated:
    case EnergyDiagram::TwoLayer: {
      const bool twoLayer = diagram == EnergyDiagram::TwoLayer;
      return {twoLayer ? "Elevated Layer Above Freezing " : "Sounding Starts Out Below Freezing ",
              twoLayer ? "and Surface Temp Above Freezing" : "      and Goes Above Freezing Aloft",
              "Positive Energy = " + Format(gPosEnergy(d, H), "0.0") + " J/kg",
              "Negative Energy = " + Format(gNegEnergy(d, H), "0.0") + " J/kg"};
    }
    case EnergyDiagram::None:
      break;
  }
  return {};
}

void PrecipTypePanel::PlanEnergyView(PictureBox& pic, Integer H, EnergyDiagram diagram) {
  const Integer D = gCurDataset;
  EnergyLayout& u = layout_;
  u = EnergyLayout{};
  pic.ScalePixels();
  const double W = pic.PixelWidth(), gap = pic.TextWidth(" ");
  u.line = pic.TextHeight("I");
  u.verdictX = W * 16.0 / 101.0;  // the diagrams' x = 0 stands at the same part of the width in each
  const DiagramFrame& f = FrameOf(diagram);
  u.pointPx = f.radius * W / (f.right - f.left);
  // Row 0 under the numbers holds the x axis's title, the verdict follows.
  u.verdict = {""};
  if (diagram != EnergyDiagram::None) {
    const std::vector<std::string> v = VerdictLines(D, H, diagram);
    u.verdict.insert(u.verdict.end(), v.begin(), v.end());
  }
  int rows = static_cast<int>(u.verdict.size());

  // Where the energies are taken from.
  const Integer s = gElevatedLevel;
  std::vector<std::string> level;
  if (s == 1 || s < 0 || s > kMaxLevels) {
    level = {"Surface"};
  } else {
    const double agl = gHghtAGL(D, H, s), msl = gHght(D, H, s);
    level = {"AGL: " + Format(agl / kFeetToMetre, "##0") + "'   " + Format(agl, "##0") + "m",
             "MSL: " + Format(msl / kFeetToMetre, "##0") + "'   " + Format(msl, "##0") + "m"};
  }
  double width = 0;
  for (const std::string& l : level) width = std::max(width, pic.TextWidth(l));
  u.levelX = std::max(0.0, std::min(W * kLevelTextX, W - width - 2));
  // In the first verdict rows, one after the other, that leave room for it.
  int row = 1;
  for (const std::string& l : level) {
    while (row < rows && u.verdictX + pic.TextWidth(u.verdict[static_cast<std::size_t>(row)]) + gap > u.levelX) ++row;
    u.level.push_back({row, l});
    ++row;
  }
  rows = std::max(rows, row);

  u.topDown = TopDownOf(D, H, gElevatedLevel);
  if (u.topDown.valid) {
    if (u.topDown.seederFeeder) u.seederRow = rows++;
    u.cloudRow = rows++;
    if (u.topDown.warning != IceWarning::None) {
      u.warningRow = rows;
      rows += 2;
    }
  }
  // The chart from under the title row to the axis; the numbers under it,
  // the rows under them.
  const double H0 = pic.PixelHeight();
  u.chartTopPx = u.line + u.pointPx + 2;
  u.axisPx = std::max(H0 * kLeastAxisAt, std::min(H0 * kAxisAt, H0 - (rows + 1) * u.line - u.pointPx - 2));
  u.numbersPx = u.axisPx + u.pointPx + 1;
}

void PrecipTypePanel::DrawUnderDiagram(PictureBox& pic) {
  const EnergyLayout& u = layout_;
  pic.ScalePixels();
  const auto rowY = [&](int r) { return u.numbersPx + (r + 1) * u.line; };
  for (std::size_t i = 1; u.shownDrawn && i < u.verdict.size(); ++i) {
    const bool snow = u.verdict[i] == "SNOW";
    PrintRow(pic, rowY(static_cast<int>(i)), {{u.verdictX, u.verdict[i], snow ? Kind(kSnowPoint) : kBlack}}, 1);
  }
  for (const auto& [row, text] : u.level) PrintAt(pic, u.levelX, rowY(row), text, kLevelText);
  if (!u.topDown.valid) return;
  const TopDown& t = u.topDown;
  const double W = pic.PixelWidth();
  double from = 1;
  if (t.seederFeeder) {
    PrintAt(pic, W * 0.02, rowY(u.seederRow), "Seeder", kBlack);
    PrintAt(pic, W * 0.02, rowY(u.cloudRow), "Feeder", kBlack);
    from = W * 0.02 + pic.TextWidth("Feeder ");
  }
  PrintRow(pic, rowY(u.cloudRow),
           {{std::max(W * 0.155, from), "Cloud Top: " + Format(t.cloudTopFt, "#,##0") + " ft", kBlack},
            {W * 0.45, "Cloud Top Temp: " + Format(t.cloudTopTemp, "0.0"), kBlack}},
           from);
  if (t.warning == IceWarning::None) return;
  const double y = rowY(u.warningRow);
  // In their colours, each made to read on the picture's ground (the cyan
  // and the green of the warning are hardly seen on its light cyan).
  const auto onBack = [](Color c) { return ReadableOn(c, kEnergyBack); };
  PrintRow(pic, y, {{W * 0.35, "WARNING:  No Ice Crystals In Cloud", onBack(kCyan)}}, 1);
  if (t.warning == IceWarning::Drizzle)
    PrintRow(pic, y + u.line, {{W * 0.375, "Consider:  Drizzle", onBack(kGreen)}}, 1);
  else
    PrintRow(pic, y + u.line, {{W * 0.375, "Consider:  Freezing Drizzle", onBack(kRed)}}, 1);
}

void PrecipTypePanel::DrawDiagramAxes(PictureBox& pic, EnergyDiagram diagram) {
  const DiagramFrame& f = FrameOf(diagram);
  const EnergyLayout& u = layout_;
  UseDiagramScale(pic, diagram);
  // Each number of the y axis right-aligned a point's radius left of the chart.
  const double right = pic.XToPixel(0) - u.pointPx - 2;
  for (int y = 0; y <= f.yLast; y += f.yStep) {
    const std::string t = NumberItem(y);
    PrintAt(pic, pic.PixelToX(right - pic.TextWidthPx(t.substr(0, t.size() - 1))),
            y - SignedTextHeight(pic, "I") / 2, t, kBlack);
  }
  std::vector<std::pair<double, std::string>> labels;
  for (int x = f.xFirst; x <= f.xLast; x += f.xStep) labels.emplace_back(x, std::to_string(x));
  const double numbers = pic.PixelToY(u.numbersPx);
  PrintTickLabels(pic, numbers, labels, right + pic.TextWidthPx(" "), pic.PixelWidth() - 1.0, kBlack);
  // The axes' titles: y over the chart at the picture's left edge, x in the
  // row under the numbers.
  pic.ScalePixels();
  PrintRow(pic, 0, {{1, f.yTitle, kRed}}, 1, headerLeftPx_);
  UseDiagramScale(pic, diagram);
  const auto [x, title] = XTitle(diagram);
  PrintRow(pic, pic.PixelToY(u.numbersPx + u.line), {{x, title, kRed}}, pic.PixelToX(1),
           pic.PixelToX(pic.PixelWidth() - 1.0));
}

void PrecipTypePanel::DrawEnergyDiagram(PictureBox& pic, Integer d, Integer H, EnergyDiagram diagram,
                                        bool& background) {
  if (diagram == EnergyDiagram::None) return;
  if (d == ShownDataset) layout_.shownDrawn = true;
  const bool trailOn = host_.TrailHours() != 0;
  const DiagramFrame& f = FrameOf(diagram);
  UseDiagramScale(pic, diagram);
  chartPx_ = QRectF(QPointF(pic.XToPixel(0), pic.YToPixel(f.yMax)), QPointF(pic.XToPixel(f.xMax), pic.YToPixel(0)));
  pic.FillTransparent = false;

  if (diagram == EnergyDiagram::Surface) {
    if (!background) {
      pic.Box(0, 3000, 80, 0, kChartGrey, true);
      DecisionLine(pic, 5.6, 0, 5.6, 3000, kRed);
      DecisionLine(pic, 13.2, 0, 13.2, 3000, kRed);
      for (int y = 0; y <= 3000; y += 500) pic.Line(0, y, 80, y, kBlack);
      pic.Line(0, 0, 0, 3000, kBlack);
      pic.Line(80, 0, 80, 3000, kBlack);
      DrawDiagramAxes(pic, diagram);
      UseDiagramScale(pic, diagram);
      background = true;
    }
    const int n = EnergyTrailLength(d, H, diagram, trailOn);
    double px = 0, py = 0;
    for (Integer i = H - n; i <= H; ++i) {
      const Single e = gPosEnergy(d, i);
      const double x = std::clamp<double>(e, 0, 80);
      const double y = std::min<double>(gSfcWarmDepth(d, i), 3000);
      if (i > H - n) Trail(pic, px, py, x, y);
      pic.FillColor = PointColour(ShownDataset, SurfacePointColour(e));
      const double r = 1.5 - 0.1 * (H - i);
      DataPoint(pic, x, y, r);
      px = x;
      py = y;
    }
    return;
  }

  // The elevated and the two-layer diagrams: negative against positive energy.
  const bool twoLayer = diagram == EnergyDiagram::TwoLayer;
  if (!background) {
    pic.Box(0, 450, 450, 0, kChartGrey, true);
    for (int b = 50; b <= 70; b += 10) DecisionLine(pic, 0, b, 450, b + 300, kGreen);
    for (int y = 0; y <= 450; y += 50) pic.Line(0, y, 450, y, kBlack);
    pic.Line(0, 0, 0, 450, kBlack);
    pic.Line(450, 0, 450, 450, kBlack);
    DrawDiagramAxes(pic, diagram);
    UseDiagramScale(pic, diagram);
    background = true;
  }
  const int n = EnergyTrailLength(d, H, diagram, trailOn);
  double px = 0, py = 0;
  for (Integer i = H - n; i <= H; ++i) {
    const Single pe = gPosEnergy(d, i), ne = gNegEnergy(d, i);
    const double x = std::min<double>(pe, 450), y = std::min<double>(ne, 450);
    if (i > H - n) Trail(pic, px, py, x, y);
    bool refreezes = false;
    pic.FillColor = PointColour(ShownDataset, LayerPointColour(pe, ne, gEnergyPattern(d, i), &refreezes));
    if (twoLayer && i == H && refreezes) PlotPrecipTypeEnergy(H);
    const double r = 10 - 0.667 * (H - i);
    DataPoint(pic, x, y, r);
    px = x;
    py = y;
  }
}

void PrecipTypePanel::DecisionLine(PictureBox& pic, double x1, double y1, double x2, double y2, Color c) {
  const DataMarksGuard data(pic, &place_);
  pic.Line(x1, y1, x2, y2, c);
  linesPx_.push_back({QPointF(pic.XToPixel(x1), pic.YToPixel(y1)), QPointF(pic.XToPixel(x2), pic.YToPixel(y2))});
}

void PrecipTypePanel::Trail(PictureBox& pic, double x1, double y1, double x2, double y2) {
  const DataMarksGuard data(pic, &place_);
  pic.Line(x1, y1, x2, y2, kBlack);
  trailsPx_.push_back({QPointF(pic.XToPixel(x1), pic.YToPixel(y1)), QPointF(pic.XToPixel(x2), pic.YToPixel(y2))});
}

void PrecipTypePanel::DataPoint(PictureBox& pic, double x, double y, double r) {
  const DataMarksGuard data(pic, &place_);
  pic.Circle(x, y, r, kBlack);
  KeepPoint(pic, x, y, r);
}

void PrecipTypePanel::KeepPoint(const PictureBox& pic, double x, double y, double r) {
  const double rPx = r * pic.PixelWidth() / std::fabs(pic.ScaleWidth());
  pointsPx_.emplace_back(pic.XToPixel(x) - rPx, pic.YToPixel(y) - rPx, 2 * rPx, 2 * rPx);
}

void PrecipTypePanel::DrawRegionLabels(PictureBox& pic, EnergyDiagram diagram) {
  // Each label's place, colour and side of the decision lines of the layer
  // diagrams (-1 under them, 1 over them, 0 the surface diagram's columns).
  // A label of the surface diagram begins in its column: "Snow" left of
  // the first red line (a column narrower than the label: it stands over
  // the line there), "Rain" right of the second.
  struct Label {
    double x, y;
    const char* text;
    Color colour;
    int side;
    double from = 0, to = 450;  // where its left edge may stand
  };
  static const std::vector<Label> kSurface = {{1, 500, "Snow", Kind(kSnowPoint), 0, 0, 5.6},
                                              {45, 1700, "Rain", Kind(kRainPoint), 0, 13.2, 80}};
  static const std::vector<Label> kElevated = {{250, 190, "Freezing Rain", Kind(kFreezingRainPoint), -1},
                                               {170, 340, "Sleet", Kind(kSleetPoint), 1}};
  static const std::vector<Label> kTwoLayer = {{300, 190, "Rain", Kind(kRainPoint), -1},
                                               {170, 340, "Sleet or Rain", Kind(kSleetPoint), 1}};
  if (diagram == EnergyDiagram::None) return;
  const std::vector<Label>& labels =
      diagram == EnergyDiagram::Surface ? kSurface : diagram == EnergyDiagram::Elevated ? kElevated : kTwoLayer;
  const DiagramFrame& f = FrameOf(diagram);
  UseDiagramScale(pic, diagram);
  const double half = SignedTextHeight(pic, "H") / 2;
  if (!picSleet_->isHidden()) place_.Hold(QRectF(picSleet_->geometry()));
  for (const Label& l : labels) {
    // Where it belongs, its ink in the middle of its cell of the grid; else
    // the nearest place, a cell up or down and steps of a tenth of the chart
    // across, that keeps in the chart and on its side of the lines; the
    // placement takes the first clear of the data (the points, trails and
    // decision lines), the strip and the labels before it; over them where
    // none is.
    const double step = f.xMax / 10;
    std::vector<std::pair<double, double>> places;
    for (int c = 0; c < static_cast<int>(std::lround(f.yMax / f.yStep)); ++c)
      for (double x = 0; x < f.xMax; x += step / 2) places.emplace_back(x, (c + 0.5) * f.yStep - half);
    const double y0 = (std::floor((l.y + half) / f.yStep) + 0.5) * f.yStep - half;
    std::stable_sort(places.begin(), places.end(), [&](const auto& a, const auto& b) {
      return std::hypot((a.first - l.x) / f.xMax, (a.second - y0) / f.yMax) <
             std::hypot((b.first - l.x) / f.xMax, (b.second - y0) / f.yMax);
    });
    if (std::fabs(l.x - places.front().first) > 1e-9) places.insert(places.begin(), {l.x, y0});
    TextPlacement::Text t = TextAt(pic, l.x, l.y, l.text, l.colour);
    t.move = TextPlacement::Move::AmongPlaces;
    for (const auto& [x, top] : places) {
      const QRectF r = pic.TextInkPx(l.text).translated(pic.XToPixel(x), pic.YToPixel(top)).adjusted(-1, -1, 1, 1);
      if (!chartPx_.contains(r) || x < l.from || x >= l.to) continue;
      // The lines run up to the right: a label under them keeps under their
      // lowest at its left end, one over them over their highest at its right.
      const double left = pic.PixelToX(r.left()), right = pic.PixelToX(r.right());
      if (l.side < 0 && pic.PixelToY(r.top()) >= 50 + left * 300 / 450) continue;
      if (l.side > 0 && pic.PixelToY(r.bottom()) <= 70 + right * 300 / 450) continue;
      t.places.emplace_back(pic.XToPixel(x), pic.YToPixel(top));
    }
    // Tried first where it belongs in its cell, else where the Part puts it.
    if (!t.places.empty()) {
      t.x = t.places.front().x();
      t.y = t.places.front().y();
    }
    place_.Add(t);
  }
  // On the chart's grey, which hides only its grid.
  const Color back = pic.BackColor;
  pic.BackColor = kChartGrey;
  place_.PrintAll(pic);
  pic.BackColor = back;
}

void PrecipTypePanel::PlotPrecipTypeEnergy(Integer hour) {
  PictureBox& pic = picSleet_->Pic();
  const Integer D = gCurDataset;
  picSleet_->resize(SleetSize());  // its place is taken after the points are drawn
  picSleet_->setVisible(true);
  UsePanelFont(pic);
  pic.Cls();
  pic.FontTransparent = true;
  // Laid out in rows from the top: the labels, the point, the numbers, and
  // the energy in two lines; x runs from -5 to 45.
  const double line = pic.TextHeightPx("H");
  const double radius = 2, pointPx = radius * pic.PixelWidth() / 50;
  const double pointY = line + 1 + pointPx, numbersY = pointY + pointPx + 2, energyY = numbersY + line;
  pic.Scale(-5, 100, 45, 0);
  const auto y = [&](double px) { return pic.PixelToY(px); };
  const double left = pic.PixelToX(1), right = pic.PixelToX(pic.PixelWidth() - 1.0);
  PrintRow(pic, y(0), {{5, "Sleet", kBlack}, {25, "Rain/Sleet", kBlack}}, left, right);
  std::vector<std::pair<double, std::string>> labels;
  for (int v = 0; v <= 40; v += 10) labels.emplace_back(v, std::to_string(v));
  PrintTickLabels(pic, y(numbersY), labels, 1, pic.PixelWidth() - 1.0, kBlack);
  // The divide between "Sleet" (left) and "Rain/Sleet" (right), down to the numbers.
  pic.DrawWidth = 3;
  pic.Line(20, y(1), 20, y(numbersY - 3), kBlue);
  pic.DrawWidth = 2;
  PrintRow(pic, y(energyY), {{left, "Sfc Positive Energy =", kBlack}}, left, right);
  PrintRow(pic, y(energyY + line), {{left, Format(gSfcPosEnergy(D, hour), "0.#") + " J/kg", kBlack}}, left, right);
  pic.FillColor = kYellow;
  pic.FillTransparent = false;
  pic.Circle(gSfcPosEnergy(D, hour), y(pointY), radius, kBlue);
  pic.DrawWidth = 1;
  picSleet_->update();
}

}  // namespace ondrik
