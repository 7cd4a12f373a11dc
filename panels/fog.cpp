#include "panels/fog.h"

#include <QFrame>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "panels/fogrules.h"
#include "core/constants.h"
#include "core/numberformat.h"
#include "panels/overlayloop.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr Color kAxis = RGB(191, 191, 191);
// The panel's width in screen pixels from which every row of its texts
// stands at the smallest size that reads (digits 7 screen pixels tall).
constexpr double kRoomForEveryRowPx = 290;
constexpr Color kGridLine = RGB(127, 127, 127);
constexpr Single kNoManualCrossover = 999;
constexpr Single kOneDegreeF = 5.0F / 9.0F;
// The line that parts the left and right halves, in the gauges' x (0..100).
constexpr double kPartingX = 53;
// The line under the charts, in the gauges' y (17 at the top, -7 at the bottom).
constexpr double kUnderChartsY = 7.2;

double ToF(double c) { return c * 9 / 5 + 32; }

// The red of a verdict on a box of colour c: dark on the light boxes
// (green, yellow, grey, white), light on the dark blue one; the full red
// reads on neither.
Color RedOn(Color c) {
  const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return 0.2126 * r + 0.7152 * g + 0.0722 * b > 96 ? RGB(150, 0, 0) : RGB(255, 170, 170);
}

Color ToColor(Rgb c) { return RGB(c.r, c.g, c.b); }

// Steps from `from` to `to` by `step` counted, so that no rounding drift
// loses the last one.
template <typename Fn>
void Steps(double from, double to, double step, Fn&& fn) {
  if (!(step > 0)) return;
  const int n = static_cast<int>(std::floor((to - from) / step + 1e-9));
  for (int i = 0; i <= n; ++i) fn(from + i * step);
}

// A label right-aligned at x and centred on y, kept inside the left edge
// and moved right as far as its ink must go to begin at the device column
// inkFrom; halfHeight: half the signed text height in the picture's scale.
void PrintRight(PictureBox& pic, double x, double y, double halfHeight, const std::string& text, Color c,
                int inkFrom = 0) {
  double at = std::max(x - pic.TextWidth(text), pic.ScaleLeft());
  const int lack = inkFrom - TextInk(pic, at, y - halfHeight, text).left();
  if (lack > 0) at = pic.PixelToX(pic.XToPixel(at) + lack / pic.DeviceScale());
  PrintAt(pic, at, y - halfHeight, text, c);
}

// Half the width of the lines that part the picture (5 pixels).
constexpr double kPartingHalfPx = 2.5;

// The pixel column where texts end left of the line that parts the halves
// (side -1), or begin right of it (side 1): a pixel clear of it.
double PartingPx(const PictureBox& pic, int side) {
  return pic.PixelWidth() * kPartingX / 100 + side * (kPartingHalfPx + 1.5);
}

// The pixel row of the middle of the line under the charts.
double UnderChartsPx(const PictureBox& pic) { return pic.PixelHeight() * (17 - kUnderChartsY) / 24; }

// The device pixels of a line that parts the picture, across all of it:
// the one between the halves (vertical) or the one under the charts; as
// many whole device pixels wide as its width comes to, centred on the one
// nearest its middle. Texts beside it keep clear of these.
QRect PartingBand(const PictureBox& pic, bool vertical) {
  const double s = pic.DeviceScale();
  const int width = std::max(1, static_cast<int>(std::lround(2 * kPartingHalfPx * s)));
  const double middle = vertical ? pic.PixelWidth() * kPartingX / 100 : UnderChartsPx(pic);
  const int first = static_cast<int>(std::floor(middle * s + 0.5)) - width / 2;
  const int across = static_cast<int>(std::ceil((vertical ? pic.PixelHeight() : pic.PixelWidth()) * s));
  return vertical ? QRect(first, 0, width, across) : QRect(0, first, across, width);
}

// The limits of texts on a box of device pixels: a pixel clear of its
// edges, whatever the glyphs' overhang.
std::pair<double, double> Inside(const PictureBox& pic, const QRect& box) {
  const double s = pic.DeviceScale();
  return {pic.PixelToX(box.left() / s + 2), pic.PixelToX((box.right() + 1.0) / s - 2)};
}


// Height (ft) of level L above the ground.
double HeightFt(Integer d, Integer h, Integer L) { return gHghtAGL(d, h, L) / kFeetToMetre; }

}  // namespace

FogPanel::FogPanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picFog"), bar_(new QFrame(parent)) {
  bar_->setObjectName("pnlFog");
  const struct {
    const char* name;
    const char* caption;
    int x, w;
    void (FogPanel::*click)();
  } buttons[] = {{"btnXoverUp", "XOver +1F", 0, 70, &FogPanel::btnXoverUp_Click},
                 {"btnXoverDown", "XOver -1F", 72, 70, &FogPanel::btnXoverDown_Click},
                 {"btnXoverReset", "Reset", 144, 50, &FogPanel::btnXoverReset_Click}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(b.caption, bar_);
    button->setObjectName(b.name);
    button->setFocusPolicy(Qt::TabFocus);
    button->setGeometry(b.x, 0, b.w, 20);
    QObject::connect(button, &QPushButton::clicked, button, [this, click = b.click] { (this->*click)(); });
  }
  Picture()->onMouseUp = [this](int, int, double, double) { host_.OpenTrainingLinks("Fog"); };
}

QWidget* FogPanel::ButtonBar() { return bar_; }

void FogPanel::btnXoverUp_Click() { StoreCrossover(XoverTemp(gCurDataset) + kOneDegreeF); }
void FogPanel::btnXoverDown_Click() { StoreCrossover(XoverTemp(gCurDataset) - kOneDegreeF); }
void FogPanel::btnXoverReset_Click() { StoreCrossover(kNoManualCrossover); }

void FogPanel::StoreCrossover(Single value) {
  const Integer H = host_.Hour();
  if (!PanelCanDraw(H)) return;
  for (Integer h = H; h <= std::min(gLastHour(gCurDataset), kMaxHours - 1); ++h) XoverManual(gCurDataset, h) = value;
  Draw();
}

void FogPanel::Draw() {
  const Integer H = host_.Hour();
  if (!PanelCanDraw(H)) return;
  PictureBox& pic = Pic();
  pic.BackColor = kBlack;
  pic.Cls();
  UsePanelFont(pic);
  pic.Mode = DrawMode::CopyPen;
  pic.Style = DrawStyle::Solid;
  pic.FontTransparent = true;
  // On a panel of fewer screen pixels the longest rows cannot stand at the
  // smallest size that reads: they are drawn smaller there.
  pic.FinePrint = pic.PixelWidth() * pic.DeviceScale() < kRoomForEveryRowPx;
  DrawCharts(pic, H);
  DrawTemperatureGauges(pic, H);
  DrawMriGauge(pic, H);
  pic.DrawWidth = 1;
  pic.FinePrint = false;
  Update();
}

void FogPanel::DrawCharts(PictureBox& pic, Integer H) {
  double M = 0, s = 0;
  HumidityAxis(MaxSpecHum, M, s);
  // Heights run from the titles' line at the top down to the axis, its
  // ticks, their labels and the axis titles, which keep a pixel clear of
  // the line under the charts: feet per pixel from the text's height at the
  // picture's size.
  pic.Scale(0, 0, pic.PixelWidth(), pic.PixelHeight());
  const double linePx = pic.TextHeight("H"), tickPx = 4;
  const double underPx = UnderChartsPx(pic) - kPartingHalfPx - 2;
  const double topPx = 1.5 * linePx + 1, axisPx = underPx - 2 * linePx - tickPx;
  const double ftPerPx = 500 / std::max(axisPx - topPx, 1.0);
  const double top = 500 + topPx * ftPerPx, bottom = -(pic.PixelHeight() - axisPx) * ftPerPx;
  const double tick = -tickPx * ftPerPx, axisTitle = tick - linePx * ftPerPx;
  // The left chart leaves room for its height labels, a gap and their ticks
  // left of its axis.
  const double labelsPx = 1 + pic.TextWidth("500") + 2 + 7;
  const double left1 = std::min(-0.22 * M, -labelsPx / (pic.PixelWidth() - labelsPx) * 2.5 * M);
  const auto S1 = [&] { pic.Scale(left1, top, 2.5 * M, bottom); };
  const auto S2 = [&] { pic.Scale(-0.42 * M, top, 0.13 * M, bottom); };
  // The charts' columns in pixels: the left one from the picture's edge, the
  // right one from the line that parts them.
  const double leftFrom = 1, leftTo = PartingPx(pic, -1), rightFrom = PartingPx(pic, 1), rightTo = pic.PixelWidth() - 1;

  S1();
  pic.DrawWidth = 3;
  pic.Line(0, 0, M, 0, kAxis);
  pic.Line(0, 0, 0, 500, kAxis);
  pic.DrawWidth = 1;
  std::vector<std::pair<double, std::string>> labels;
  Steps(0, M, s, [&](double q) {
    pic.Line(q, 0, q, tick, kAxis);
    pic.Line(q, 0, q, 500, kGridLine);
    labels.emplace_back(q, Format(q, "0"));
  });
  PrintTickLabels(pic, tick, labels, leftFrom, leftTo, kAxis);
  const double half1 = SignedTextHeight(pic, "0") / 2;
  const double labelsRight = std::min(-0.4 * s, pic.PixelToX(pic.XToPixel(-0.2 * s) - 2));
  for (int h = 0; h <= 500; h += 100) {
    pic.Line(0, h, -0.2 * s, h, kAxis);
    PrintRight(pic, labelsRight, h, half1, Format(h, "0"), kAxis);
  }
  S2();
  pic.DrawWidth = 3;
  pic.Line(-0.1 * M, 0, 0.1 * M, 0, kAxis);
  pic.Line(0, 0, 0, 500, kAxis);
  pic.DrawWidth = 1;
  labels.clear();
  Steps(-0.1 * M, 0.11 * M, 0.25 * s, [&](double d) {
    pic.Line(d, 0, d, tick, kAxis);
    labels.emplace_back(d, Format(d, ".00"));
  });
  PrintTickLabels(pic, tick, labels, rightFrom, rightTo, kAxis);
  for (int h = 0; h <= 500; h += 100) pic.Line(-0.03 * s, h, 0.03 * s, h, kAxis);

  // The lowest 500 ft of every shown dataset, up to the charts' top: the
  // data the regions' captions keep clear of.
  TextPlacement place;
  place.Begin(pic);
  ShownDataset = gCurDataset;
  const DataMarksGuard data(pic, &place);
  ForEachShownDataset(ShownDataset, H, [&](Integer d) {
    const Integer n = std::min(gNumLevels(d), kMaxLevels);
    pic.FillTransparent = false;
    pic.DrawWidth = 3;
    // A trace from point to point with a dot on each, ending where it
    // leaves the charts' top.
    // The chart's column in the scale in force; what lies outside it is off
    // the chart and not drawn.
    double lo = 0, hi = 0;
    const auto column = [&](double fromPx, double toPx) {
      lo = std::min(pic.PixelToX(fromPx), pic.PixelToX(toPx));
      hi = std::max(pic.PixelToX(fromPx), pic.PixelToX(toPx));
    };
    bool started = false;
    double px = 0, py = 0;
    const auto to = [&](double x, double y, double r, Color c) {
      const bool below = y <= 500;
      if (started) {
        // The piece of the segment inside the column and under the top.
        QPointF from(px, py), end(x, y);
        if (ClipSegment(from, end, QRectF(QPointF(lo, -1e9), QPointF(hi, 500))))
          pic.Line(from.x(), from.y(), end.x(), end.y(), c);
      }
      if (below && x >= lo && x <= hi) pic.Circle(x, y, r, c);
      px = x;
      py = y;
      started = true;
      return below;
    };
    S1();
    column(leftFrom, leftTo);
    const Color q = eRGB(ShownDataset, 255, 255, 0);
    pic.FillColor = q;
    to(gSpecHum(d, H, 0), 0, 0.1 * s, q);
    for (Integer L = 1; L <= n; ++L)
      if (!to(gSpecHum(d, H, L), HeightFt(d, H, L), 0.1 * s, q)) break;
    S2();
    column(rightFrom, rightTo);
    const Color c = eRGB(ShownDataset, 0, 255, 255);
    pic.FillColor = c;
    started = false;
    to(gSpecHum(d, H, 1) - gSpecHum(d, H, 0), HeightFt(d, H, 1) / 2, 0.01 * s, c);
    for (Integer L = 2; L <= n; ++L) {
      const double y = (HeightFt(d, H, L) + HeightFt(d, H, L - 1)) / 2;
      if (!to(gSpecHum(d, H, L) - gSpecHum(d, H, L - 1), y, 0.01 * s, c) || HeightFt(d, H, L) > 500) break;
    }
    pic.FillTransparent = true;
  });

  // Titles; the right chart's stand after the left chart's where the picture
  // is too narrow for both at their places.
  pic.DrawWidth = 1;
  S2();
  const double rightTitlePx = pic.XToPixel(-0.47 * s);
  S1();
  const double rightTitle = pic.PixelToX(rightTitlePx);
  const double partingLeft = pic.PixelToX(leftTo);
  const double left = pic.PixelToX(leftFrom);
  PrintRow(pic, top, {{-s, "Hght(ft)", kWhite}, {1.7 * s, "Hydrolapse", kWhite}}, left, partingLeft);
  // The right chart's titles: their ink begins a pixel clear of the line
  // that parts the charts, as many device pixels wide as it is drawn.
  const double pastParting = (PartingBand(pic, true).right() + 1.0 + pic.PixelSpan()) / pic.DeviceScale();
  const auto rightLimit = [&](const std::string& t) {
    return pic.PixelToX(std::max(rightFrom, pastParting - pic.TextInkPx(t).left()));
  };
  for (const auto& [y, title] : {std::pair<double, std::string>{top, "Vertical Change of Humidity"},
                                 {axisTitle, "Specific Humidity Change (g/kg)"}})
    PrintRow(pic, y, {{rightTitle, title, kWhite}}, rightLimit(title));
  PrintRow(pic, axisTitle, {{0.8 * s, "Specific Humidity (g/kg)", kWhite}}, left, partingLeft);
  // The regions' captions, each pair of lines where it belongs or moved as
  // one to the nearest place on its side of the zero line clear of the
  // traces, on black; over them where there is none.
  S2();
  const double nextLine = 300 + SignedTextHeight(pic, "H");
  const double zero = pic.XToPixel(0);
  for (const auto& [side, caption] :
       {std::pair{-1, std::vector<std::pair<QPointF, const char*>>{{{-0.38 * s, 300}, "Less"}, {{-0.4 * s, nextLine}, "Likely"}}},
        std::pair{1, std::vector<std::pair<QPointF, const char*>>{{{0.17 * s, 300}, "More"}, {{0.15 * s, nextLine}, "Likely"}}}}) {
    const QRectF half = side < 0 ? QRectF(QPointF(rightFrom, pic.YToPixel(500)), QPointF(zero - 2, pic.YToPixel(0)))
                                 : QRectF(QPointF(zero + 2, pic.YToPixel(500)), QPointF(rightTo, pic.YToPixel(0)));
    for (const auto& [at, text] : caption) {
      TextPlacement::Text t = TextAt(pic, at.x(), at.y(), text, kWhite);
      t.move = TextPlacement::Move::Region;
      t.region = half;
      t.together = side + 2;
      place.Add(t);
    }
  }
  place.PrintAll(pic);
}

void FogPanel::DrawTemperatureGauges(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  pic.Scale(0, 17, 100, -7);
  const Crossover x = FindCrossover(D, H, gHoursPerStep);
  XoverTemp(D) = x.temp;
  // Where the crossover comes from, left of the MRi gauge, inside the
  // picture: the hours back, the hour and the day, on the bottom line, or on
  // two where one leaves them no room.
  const double beforeParting = pic.PixelToX(PartingPx(pic, -1));
  std::vector<std::vector<RowText>> source = {{{1, "XOver manually entered", kRed}}};
  if (!x.manual) {
    source = {{{1, "XOver from " + NumberItem(x.hoursBack * gHoursPerStep) + "hours ago", kRed}}};
    const DateTime v = gValidTime(D, x.sourceHour);
    if (v.IsSet()) {
      const DateTime local = v.AddMinutes(-static_cast<std::int64_t>(gTZOffset) * 60);
      const std::string when = FormatHourAmPm(local) + FormatMonthDay(local);
      const RowText at = {49 - pic.TextWidth(when), when, kRed};
      std::vector<RowText> one = source.front();
      one.push_back(at);
      // At the smallest size that reads: two lines rather than one smaller.
      const bool fine = std::exchange(pic.FinePrint, false);
      const bool fits = RowFits(pic, one, 0, beforeParting);
      pic.FinePrint = fine;
      if (fits)
        source = {one};
      else
        source.push_back({at});
    }
  }
  // The gauges from 5.5 down to -5.5 over the source's lines: their top
  // stays, their bottom comes up as far as those need the room.
  {
    const double lines = static_cast<double>(source.size()) * BlockLinePx(pic) + 2;
    const double top = pic.YToPixel(5.5), lowest = pic.PixelHeight() - lines;  // pixel of -5.5 at most
    if (pic.YToPixel(-5.5) > lowest && lowest > top) {
      const double perUnit = (lowest - top) / 11;
      pic.Scale(0, 5.5 + top / perUnit, 100, 5.5 - (pic.PixelHeight() - top) / perUnit);
    }
  }
  const QColor button = Picture()->palette().color(QPalette::Button);
  const Color face = RGB(button.red(), button.green(), button.blue());
  FillDevicePixels(pic, PartingBand(pic, false), face);
  FillDevicePixels(pic, PartingBand(pic, true), face);
  pic.DrawWidth = 3;
  pic.Line(8, 5, 8, -5, kAxis);
  pic.Line(6.5, 0, 38, 0, kAxis);  // from the ticks to the crossover's texts, clear of both
  pic.DrawWidth = 1;
  const double half3 = SignedTextHeight(pic, "0") / 2;
  for (int t = 5; t >= -5; --t) {
    pic.Line(6.5, t, 8, t, kAxis);
    PrintRight(pic, 5, t, half3, Format(t, "0"), kAxis);
  }
  // The captions a pixel under the line under the charts.
  const double px = std::fabs(pic.PixelToY(1) - pic.PixelToY(0));  // a pixel, in y
  const double captions = pic.PixelToY(UnderChartsPx(pic) + kPartingHalfPx + 1);
  PrintAt(pic, 14, captions, "Air ", kWhite, false);
  pic.CurrentX = 27;
  pic.Print("Ground ");

  const double X = ToF(x.temp), A = ToF(gSfcTemp(D, H)), G = ToF(gSoilTemp(D, H) - 273.16);
  const double th = SignedTextHeight(pic, "H"), L = -th;
  // Each gauge's texts stay in its column: the air's between the scale and
  // the ground bar, the ground's between the bars and the crossover's, the
  // crossover's left of the line that parts the gauges.
  // The gauges' texts from the right: each row a pixel clear of those
  // printed right of it.
  std::vector<QRect> printed;
  const auto print = [&](double y, const std::vector<RowText>& row, double from, double to) {
    PrintRow(pic, y, row, from, RightLimitBeside(pic, y, row, from, to, printed), &printed);
  };
  print(1, {{40, "XOver ", kWhite}}, 40, beforeParting);
  print(1 + th, {{40, "T= " + Format(X, "0.0"), x.manual ? kYellow : kRed}}, 40, beforeParting);

  // A bar's "T=" text stands past the bar's end where that leaves room under
  // the captions or over the source's lines, else across the zero line from
  // the bar; its verdict on the bar where it fits with a pixel round it, in
  // a red that reads on the bar, else across the zero line too.
  std::vector<double> sourceY(source.size());
  {
    double y = pic.ScaleTop() + pic.ScaleHeight() + L;  // a line over the bottom
    for (std::size_t i = source.size(); i-- > 0;) {
      sourceY[i] = RowYInside(pic, y, source[i], 0, beforeParting);
      y = sourceY[i] + L + px;
    }
  }
  const double sourceLine = sourceY.front();
  const double captionsEnd = captions - L;
  const double zero = 4 * px;  // half the zero line and a gap
  const int span = pic.PixelSpan();
  auto bar = [&](const FogGauge& g, double left, double right, double v, double value, double from, double to) {
    const QRect box = DevicePixelsOf(pic, left, 0, right, v);
    FillDevicePixels(pic, box, ToColor(g.box));
    // Blocks of lines across the zero line, each further from it: the top
    // of a block's first line.
    double across = g.above ? -zero : zero;
    const auto next = [&](int lines) {
      across += g.above ? -lines * L : lines * L;
      return g.above ? across + lines * L : across;
    };
    double textY = g.above ? std::max(v, zero) + px + L : std::min(v, -zero) - px;
    if (g.above ? textY > captionsEnd - px : textY - L < sourceLine + px) textY = next(1);
    print(textY, {{g.textX, g.prefix + Format(value, "0.0"), kRed}}, from, to);
    if (g.verdict[0] == nullptr) return;
    const int lines = g.verdict[1] != nullptr ? 2 : 1;
    const auto [inLeft, inRight] = Inside(pic, box);
    double y = v / 2 + lines * L / 2;
    QRect ink;
    bool onBar = true;
    for (int i = 0; i < lines; ++i) {
      ink |= RowInk(pic, y - i * L, {{g.verdictX[i], g.verdict[i], kRed}}, inLeft, inRight);
      onBar = onBar && RowFits(pic, {{g.verdictX[i], g.verdict[i], kRed}}, inLeft, inRight);
    }
    onBar = onBar && box.adjusted(span, span, -span, -span).contains(ink);
    if (!onBar) y = next(lines);
    const Color red = onBar ? RedOn(ToColor(g.box)) : kRed;
    for (int i = 0; i < lines; ++i)
      print(y - i * L, {{g.verdictX[i], g.verdict[i], red}}, onBar ? inLeft : from, onBar ? inRight : to);
  };
  if (G > -100) {
    const double g = std::clamp(G - X, -5.5, 5.5);
    bar(GroundGauge(g), 25.5, 38, g, G, 25, 39);
  }
  const double a = std::clamp(A - X, -5.5, 5.5);
  bar(AirGauge(a), 10, 23.5, a, A, 8 + 4 * std::fabs(pic.PixelToX(1) - pic.PixelToX(0)), 24.5);

  for (std::size_t i = 0; i < source.size(); ++i) PrintRow(pic, sourceY[i], source[i], 0, beforeParting);
}

void FogPanel::DrawMriGauge(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  // Laid out in pixels from the top: the title a pixel under the line under
  // the charts, the columns' captions under it, then the gauge from -.01 to
  // .075, its labels clear of the captions, and under it the two rows at the
  // bottom.
  pic.ScalePixels();
  const double line = pic.TextHeight("H");
  const double titlePx = UnderChartsPx(pic) + kPartingHalfPx + 1, rowsPx = pic.PixelHeight() - 2 * line;
  const double topPx = titlePx + 2.5 * line + 1, bottomPx = rowsPx - 3;
  const double perPx = 0.085 / std::max(bottomPx - topPx, 1.0);
  const double scaleTop = -0.01 - topPx * perPx;
  pic.Scale(-5, scaleTop, 95, scaleTop + pic.PixelHeight() * perPx);
  const double th = SignedTextHeight(pic, "H");
  const double title = pic.PixelToY(titlePx), y = pic.PixelToY(rowsPx);
  pic.DrawWidth = 3;
  pic.Line(60, -0.01, 60, 0.075, kAxis);
  pic.DrawWidth = 1;
  const double half4 = SignedTextHeight(pic, "0") / 2;
  // The labels' ink a pixel clear of the line that parts the gauges.
  const int labelsFrom = PartingBand(pic, true).right() + 1 + pic.PixelSpan();
  for (int i = -1; i <= 7; ++i) {
    const double v = i / 100.0;
    pic.Line(58, v, 60, v, kAxis);
    PrintRight(pic, 57, v, half4, Format(v, ".00"), kAxis, labelsFrom);
  }
  // Texts right of the line that parts the gauges, the captions right of the axis.
  const double unitPx = std::fabs(pic.PixelToX(1) - pic.PixelToX(0));
  const double left = pic.PixelToX(PartingPx(pic, 1)), pastAxis = 60 + 4 * unitPx;
  PrintRow(pic, title, {{66, "MRi (Lowest 100mb)", kWhite}}, left);
  PrintRow(pic, title + th, {{std::max(61.0, pastAxis), "Development", kWhite}, {80, "Dispersal", kWhite}}, pastAxis);

  const Mri m = ComputeMri(D, H);
  PrintRow(pic, y, {{52, "Sfc", kRed}, {62.8, "Boundary Layer", kRed}, {84, "max Wind", kRed}}, left);
  std::vector<RowText> values = {{50, Format(gSfcTemp(D, H), "0.0") + "°C", kRed}};
  if (m.warmLevel > 0)
    values.push_back(
        {62, NumberItem(std::floor(gPres(D, H, m.warmLevel) + 0.5)) + "mb   " + Format(m.warmTemp, "0.0") + "°C   ",
         kRed});
  if (m.maxWind > 0) values.push_back({86, NumberItem(std::floor(m.maxWind + 0.5)) + " kts", kRed});
  PrintRow(pic, y + th, values, left);
  if (!m.valid) return;

  const double v = std::clamp(m.value, -0.01, 0.075);
  const std::string value = Format(m.value, ".000");
  PrintRight(pic, 80, 0.0325, half4, value, kRed);

  // Each column's box fills the column; its cue stands on it where it fits
  // with a pixel round it, else in the nearest place of the column that
  // keeps it clear of the box, the captions, the value and the rows at the
  // bottom.
  const int span = pic.PixelSpan();
  const double s = pic.DeviceScale();
  const QRect valueInk = TextInk(pic, std::max(80 - pic.TextWidth(value), pic.ScaleLeft()), 0.0325 - half4, value)
                             .adjusted(-span, -span, span, span);
  const int areaTop = static_cast<int>(std::ceil(pic.YToPixel(title + 2 * th) * s));
  const int areaBottom = static_cast<int>(std::floor(pic.YToPixel(y) * s)) - 1;
  const auto column = [&](double from, double to, double base, Color c, std::vector<RowText> lines) {
    const QRect box = DevicePixelsOf(pic, from, base, to, v);
    FillDevicePixels(pic, box, c);
    if (lines.empty()) return;
    const auto [inLeft, inRight] = Inside(pic, box);
    // The pixels the lines take from `top` between the limits, with a pixel
    // round them, across the whole box's width.
    const auto inkAt = [&](double top, double l, double r) {
      QRect ink;
      for (std::size_t i = 0; i < lines.size(); ++i) ink |= RowInk(pic, top + i * th, {lines[i]}, l, r);
      return QRect(QPoint(box.left(), ink.top() - span), QPoint(box.right(), ink.bottom() + span));
    };
    const double onBox = (base + v) / 2 - lines.size() * th / 2;
    bool fits = true;
    for (const RowText& l : lines) fits = fits && RowFits(pic, {l}, inLeft, inRight);
    double top = onBox, from2 = inLeft, to2 = inRight;
    if (!(fits && box.contains(inkAt(onBox, inLeft, inRight)))) {
      const double start = pic.YToPixel(onBox);
      for (int d = 1; d < pic.PixelHeight(); ++d) {
        const double place = pic.PixelToY(start + (d % 2 == 1 ? (d + 1) / 2 : -d / 2));
        const QRect r = inkAt(place, from, to);
        if (r.top() >= areaTop && r.bottom() <= areaBottom && !r.intersects(box) && !r.intersects(valueInk)) {
          top = place;
          from2 = from;
          to2 = to;
          break;
        }
      }
    }
    const bool onTheBox = from2 == inLeft;
    for (RowText& l : lines) l.colour = onTheBox ? RedOn(c) : kRed;
    for (std::size_t i = 0; i < lines.size(); ++i) PrintRow(pic, top + i * th, {lines[i]}, from2, to2);
  };
  const double devFrom = pastAxis, devTo = 77, dispFrom = 78.5, dispTo = 94.5;
  if (v <= 0.025)
    column(devFrom, devTo, 0.025, kWhite,
           v < 0.017 ? std::vector<RowText>{{65, "Stratus", kRed}, {64, "Favored", kRed}} : std::vector<RowText>{});
  if (v > 0.04)
    column(devFrom, devTo, 0.04, kWhite,
           v > 0.047 ? std::vector<RowText>{{66, "Fog", kRed}, {64, "Favored", kRed}} : std::vector<RowText>{});
  if (v <= 0.008)
    column(dispFrom, dispTo, 0.008, kBlue,
           v < 0.004 ? std::vector<RowText>{{80, "Possible", kRed}} : std::vector<RowText>{});
}

}  // namespace ondrik
