#include "panels/fog.h"

#include <QFrame>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <limits>
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

// How far past its end the charts' axes (3 pixels wide) reach, and a pixel
// clear of them.
constexpr double kAxisEndPx = 3;
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
  DrawCharts(pic, H);
  DrawTemperatureGauges(pic, H);
  DrawMriGauge(pic, H);
  pic.DrawWidth = 1;
  Update();
}

void FogPanel::DrawCharts(PictureBox& pic, Integer H) {
  double M = 0, s = 0;
  HumidityAxis(MaxSpecHum, M, s);
  // The left chart leaves room for its height labels, a gap and their ticks
  // left of its axis.
  pic.ScalePixels();
  const double labelsPx = 1 + pic.TextWidth("500") + 2 + 7;
  const double left1 = std::min(-0.22 * M, -labelsPx / (pic.PixelWidth() - labelsPx) * 2.5 * M);
  // The charts' columns in pixels: the left one from the picture's edge, the
  // right one from the line that parts them.
  const double leftFrom = 1, leftTo = PartingPx(pic, -1), rightFrom = PartingPx(pic, 1), rightTo = pic.PixelWidth() - 1;
  // The titles, each on as many lines as its column needs at the smallest
  // size that reads (the right chart's, on a narrow panel, on two).
  pic.Scale(left1, 0, 2.5 * M, 1);
  const double left = pic.PixelToX(leftFrom), partingLeft = pic.PixelToX(leftTo);
  const double rightTitle = pic.PixelToX(pic.PixelWidth() * (0.42 * M - 0.47 * s) / (0.55 * M));
  // The right chart's titles: their ink begins a pixel clear of the line
  // that parts the charts, as many device pixels wide as it is drawn.
  const double pastParting = (PartingBand(pic, true).right() + 1.0 + pic.PixelSpan()) / pic.DeviceScale();
  const auto rightTitleLines = [&](const std::string& t) {
    const double from = pic.PixelToX(std::max(rightFrom, pastParting - pic.TextInkPx(t).left()));
    return std::pair{WrapRow(pic, {{rightTitle, t, kWhite}}, from), from};
  };
  const auto topRight = rightTitleLines("Vertical Change of Humidity");
  const auto axisRight = rightTitleLines("Specific Humidity Change (g/kg)");
  const auto topLeft = WrapRow(pic, {{-s, "Hght(ft)", kWhite}, {1.7 * s, "Hydrolapse", kWhite}}, left, partingLeft);
  const auto axisLeft = WrapRow(pic, {{0.8 * s, "Specific Humidity (g/kg)", kWhite}}, left, partingLeft);

  // Each chart's heights run from its titles' lines at the top down to its
  // axis, the axis's ticks, their labels and the axis titles, which keep a
  // pixel clear of the line under the charts. Both charts share their
  // heights where the left one's labels stand apart so; else the right one
  // gives up the rows its titles take.
  pic.ScalePixels();
  const double linePx = pic.TextHeight("H"), tickPx = 4;
  const double underPx = UnderChartsPx(pic) - kPartingHalfPx - 2;
  struct Rows {
    double top, axis;  // pixel rows of 500 ft and of the axis
  };
  // The left chart's top leaves room for the upper half of its "500", the
  // right one's for the end of its axis.
  const auto rows = [&](std::size_t topLines, double clear, std::size_t axisLines) {
    return Rows{static_cast<double>(topLines) * linePx + clear,
                underPx - (1 + static_cast<double>(axisLines)) * linePx - tickPx};
  };
  Rows rows1 = rows(topLeft.size(), 0.5 * linePx + 1, axisLeft.size());
  Rows rows2 = rows(topRight.first.size(), kAxisEndPx, axisRight.first.size());
  const Rows shared{std::max(rows1.top, rows2.top), std::min(rows1.axis, rows2.axis)};
  const double labelsApartPx = pic.TextInkPx("500").height() + 1 + 1 / pic.DeviceScale();
  if ((shared.axis - shared.top) / 5 >= labelsApartPx) rows1 = rows2 = shared;
  // A chart's scale of heights from its rows: the feet of its top and bottom
  // edge, of its ticks' ends and of a line of text.
  struct Heights {
    double top, bottom, tick, line;
  };
  const auto heights = [&](const Rows& r) {
    const double ftPerPx = 500 / std::max(r.axis - r.top, 1.0);
    return Heights{500 + r.top * ftPerPx, -(pic.PixelHeight() - r.axis) * ftPerPx, -tickPx * ftPerPx, -linePx * ftPerPx};
  };
  const Heights h1 = heights(rows1), h2 = heights(rows2);
  const auto S1 = [&] { pic.Scale(left1, h1.top, 2.5 * M, h1.bottom); };
  const auto S2 = [&] { pic.Scale(-0.42 * M, h2.top, 0.13 * M, h2.bottom); };
  const double tick = h1.tick;

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
    pic.Line(d, 0, d, h2.tick, kAxis);
    labels.emplace_back(d, Format(d, ".00"));
  });
  PrintTickLabels(pic, h2.tick, labels, rightFrom, rightTo, kAxis);
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

  // Titles, line under line, at the top and under each chart's axis's
  // numbers; in the left chart's x, each chart's heights.
  pic.DrawWidth = 1;
  const auto print = [&](const Heights& h, bool under, const std::vector<std::vector<RowText>>& lines, double from,
                         double to) {
    pic.Scale(left1, h.top, 2.5 * M, h.bottom);
    const double y = under ? h.tick + h.line : h.top;
    for (std::size_t i = 0; i < lines.size(); ++i) PrintRow(pic, y + static_cast<double>(i) * h.line, lines[i], from, to);
  };
  const double none = std::numeric_limits<double>::quiet_NaN();
  print(h1, false, topLeft, left, partingLeft);
  print(h2, false, topRight.first, topRight.second, none);
  print(h2, true, axisRight.first, axisRight.second, none);
  print(h1, true, axisLeft, left, partingLeft);
  // The regions' captions, each pair of lines where it belongs or moved as
  // one to the nearest place on its side of the zero line clear of the
  // traces, on black; over them where there is none.
  S2();
  const double nextLine = 300 + SignedTextHeight(pic, "H");
  const double zero = pic.XToPixel(0);
  for (const auto& [side, caption] :
       {std::pair{-1, std::vector<std::pair<QPointF, const char*>>{{{-0.38 * s, 300}, "Less"}, {{-0.4 * s, nextLine}, "Likely"}}},
        std::pair{1, std::vector<std::pair<QPointF, const char*>>{{{0.17 * s, 300}, "More"}, {{0.15 * s, nextLine}, "Likely"}}}}) {
    const double above = pic.YToPixel(0) - kAxisEndPx;
    const QRectF half = side < 0 ? QRectF(QPointF(rightFrom, pic.YToPixel(500)), QPointF(zero - 2, above))
                                 : QRectF(QPointF(zero + 2, pic.YToPixel(500)), QPointF(rightTo, above));
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
  // as many as they need.
  const double beforeParting = pic.PixelToX(PartingPx(pic, -1));
  std::vector<RowText> from = {{1, "XOver manually entered", kRed}};
  if (!x.manual) {
    from = {{1, "XOver from " + NumberItem(x.hoursBack * gHoursPerStep) + "hours ago", kRed}};
    const DateTime v = gValidTime(D, x.sourceHour);
    if (v.IsSet()) {
      const DateTime local = v.AddMinutes(-static_cast<std::int64_t>(gTZOffset) * 60);
      const std::string when = FormatHourAmPm(local) + FormatMonthDay(local);
      from.push_back({49 - pic.TextWidth(when), when, kRed});
    }
  }
  const std::vector<std::vector<RowText>> source = WrapRow(pic, from, 0, beforeParting);
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
  std::vector<double> sourceY(source.size());
  {
    double y = pic.ScaleTop() + pic.ScaleHeight() + L;  // a line over the bottom
    for (std::size_t i = source.size(); i-- > 0;) {
      sourceY[i] = RowYInside(pic, y, source[i], 0, beforeParting);
      y = sourceY[i] + L + px;
    }
  }
  // The gauges' texts from the right, each begun in its column and running
  // on to the right as far as the texts and bars printed right of it leave
  // it room, a pixel clear of them; between the captions and the source.
  const double s = pic.DeviceScale();
  const int span = pic.PixelSpan();
  const double roomTop = pic.YToPixel(captions - L) * s;
  const int roomBottom = RowInk(pic, sourceY.front(), source.front(), 0, beforeParting).top() - span;
  std::vector<QRect> taken;
  // What a row keeps clear of: the rows next to what is taken count as its,
  // and a blank before it, so that two numbers side by side read apart.
  const int blankDev = static_cast<int>(std::ceil(pic.TextWidthPx(" ") * s));
  std::vector<QRect> bars;  // of what is taken, the bars
  const auto limit = [&](double y, const std::vector<RowText>& row, double left) {
    std::vector<QRect> beside;
    for (const QRect& r : taken) {
      const bool bar = std::find(bars.begin(), bars.end(), r) != bars.end();
      beside.push_back(r.adjusted(bar ? 0 : -blankDev, -span, 0, span));
    }
    return RightLimitBeside(pic, y, row, left, beforeParting, beside);
  };
  const auto fitsAt = [&](double y, const std::vector<RowText>& row, double left) {
    const double to = limit(y, row, left);
    if (!RowFits(pic, row, left, to)) return false;
    const QRect ink = RowInk(pic, y, row, left, to);
    return ink.top() > roomTop && ink.bottom() < roomBottom && std::none_of(taken.begin(), taken.end(), [&](const QRect& r) {
             return r.adjusted(-span, -span, span, span).intersects(ink);
           });
  };
  const auto print = [&](double y, const std::vector<RowText>& row, double left) {
    PrintRow(pic, y, row, left, limit(y, row, left), &taken);
  };
  // The crossover right of the bars, its value on as many lines as its
  // column needs.
  {
    const double column = 40;
    double y = 1;
    for (const RowText& t : std::vector<RowText>{{column, "XOver ", kWhite},
                                                 {column, "T= " + Format(X, "0.0"), x.manual ? kYellow : kRed}})
      for (const std::vector<RowText>& line : WrapRow(pic, {t}, column, beforeParting)) {
        print(y, line, column);
        y += th;
      }
  }

  // A bar's "T=" text stands past the bar's end (or a line farther), else
  // across the zero line from the bar; its verdict on the bar where it fits
  // with a pixel round it, in a red that reads on the bar, else across the
  // zero line too; each at the first of those places where it stands whole.
  const double zero = 4 * px;  // half the zero line and a gap
  auto bar = [&](const FogGauge& g, double left, double right, double v, double value, double column) {
    const QRect box = DevicePixelsOf(pic, left, 0, right, v);
    FillDevicePixels(pic, box, ToColor(g.box));
    taken.push_back(box);
    bars.push_back(box);
    // Blocks of lines across the zero line, each further from it: the top
    // of a block of `lines` lines `skip` lines past the blocks put there.
    double across = g.above ? -zero : zero;
    const auto acrossTop = [&](int lines, int skip) { return g.above ? across - skip * L : across + (skip + lines) * L; };
    const auto block = [&](const std::vector<std::vector<RowText>>& rows, std::vector<double> tops) {
      const int lines = static_cast<int>(rows.size());
      constexpr int kFarthest = 12;  // lines across the zero line
      for (int skip = 0; skip < kFarthest; ++skip) tops.push_back(acrossTop(lines, skip));
      for (const double top : tops) {
        bool fits = true;
        for (int i = 0; i < lines && fits; ++i) fits = fitsAt(top - i * L, rows[i], column);
        if (!fits) continue;
        // Across the zero line: the next block goes past it.
        const double gone = g.above ? across - top : top - across;
        if (gone >= -1e-9) across = g.above ? top - lines * L : top;
        for (int i = 0; i < lines; ++i) print(top - i * L, rows[i], column);
        return;
      }
      for (int i = 0; i < lines; ++i) print(tops.front() - i * L, rows[i], column);  // no room: where it belongs
    };
    const double beyond = g.above ? std::max(v, zero) + px + L : std::min(v, -zero) - px;
    const std::vector<RowText> valueRow = {{g.textX, g.prefix + Format(value, "0.0"), kRed}};
    const auto [inLeft, inRight] = Inside(pic, box);
    // Where no room is left past the bar's end (a bar to the gauge's end),
    // the value stands beside the bar's end, else on the bar at its end,
    // rather than across the zero line, where it would read as the other
    // side's.
    QRect valueOnBar;
    const double onEnd = g.above ? v - px : v + L + px;
    const double besideX = pic.PixelToX((box.right() + 1.0) / s + pic.TextWidthPx(" ") + 1);
    const std::vector<RowText> besideRow = {{besideX, valueRow.front().text, kRed}};
    const bool past = fitsAt(beyond, valueRow, column) || fitsAt(beyond + (g.above ? L : -L), valueRow, column);
    // Beside the end: centred on it, else wholly on the bar's side of it.
    const double besideTops[] = {v + L / 2, g.above ? v : v + L};
    const auto beside = std::find_if(std::begin(besideTops), std::end(besideTops),
                                     [&](double top) { return fitsAt(top, besideRow, besideX); });
    if (!past && beside != std::end(besideTops)) {
      print(*beside, besideRow, besideX);
    } else {
      // On the bar at its end, on one line or as many as its width asks
      // (the sign over the number), the last line at the end.
      const std::vector<std::vector<RowText>> rows = WrapRow(pic, valueRow, inLeft, inRight);
      const int n = static_cast<int>(rows.size());
      const double first = g.above ? onEnd : onEnd + (n - 1) * L;
      QRect ink;
      bool fits = !past;
      for (int i = 0; i < n && fits; ++i) {
        fits = RowFits(pic, rows[static_cast<size_t>(i)], inLeft, inRight);
        ink |= RowInk(pic, first - i * L, rows[static_cast<size_t>(i)], inLeft, inRight);
      }
      if (fits && box.adjusted(span, span, -span, -span).contains(ink)) {
        valueOnBar = ink.adjusted(-span, -span, span, span);
        for (int i = 0; i < n; ++i) {
          std::vector<RowText> row = rows[static_cast<size_t>(i)];
          for (RowText& t : row) t.colour = RedOn(ToColor(g.box));
          PrintRow(pic, first - i * L, row, inLeft, inRight, &taken);
        }
      } else {
        block({valueRow}, {beyond, beyond + (g.above ? L : -L)});
      }
    }
    if (g.verdict[0] == nullptr) return;
    const int lines = g.verdict[1] != nullptr ? 2 : 1;
    // On the bar, centred on it, else moved towards the zero line clear of
    // the value at the bar's end.
    const double toZero = g.above ? -px : px;
    double y = v / 2 + lines * L / 2;
    for (int step = 0; step < pic.PixelHeight(); ++step, y += toZero) {
      QRect ink;
      bool onBar = true;
      for (int i = 0; i < lines; ++i) {
        ink |= RowInk(pic, y - i * L, {{g.verdictX[i], g.verdict[i], kRed}}, inLeft, inRight);
        onBar = onBar && RowFits(pic, {{g.verdictX[i], g.verdict[i], kRed}}, inLeft, inRight);
      }
      if (!onBar || !box.adjusted(span, span, -span, -span).contains(ink)) break;
      if (ink.intersects(valueOnBar)) continue;
      for (int i = 0; i < lines; ++i)
        PrintRow(pic, y - i * L, {{g.verdictX[i], g.verdict[i], RedOn(ToColor(g.box))}}, inLeft, inRight, &taken);
      return;
    }
    std::vector<std::vector<RowText>> rows;
    for (int i = 0; i < lines; ++i) rows.push_back({{g.verdictX[i], g.verdict[i], kRed}});
    block(rows, {});
  };
  if (G > -100) {
    const double g = std::clamp(G - X, -5.5, 5.5);
    bar(GroundGauge(g), 25.5, 38, g, G, 25);
  }
  const double a = std::clamp(A - X, -5.5, 5.5);
  bar(AirGauge(a), 10, 23.5, a, A, 8 + 4 * std::fabs(pic.PixelToX(1) - pic.PixelToX(0)));

  for (std::size_t i = 0; i < source.size(); ++i) PrintRow(pic, sourceY[i], source[i], 0, beforeParting);
}

void FogPanel::DrawMriGauge(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  const Mri m = ComputeMri(D, H);
  // The texts right of the line that parts the gauges, each row on as many
  // lines as it needs at the smallest size that reads: the title, the
  // columns' captions (right of the axis where they fit there), and the two
  // rows at the bottom, the boundary layer's pressure and temperature apart
  // so that a line may break between them.
  pic.Scale(-5, 0, 95, 1);
  const double unitPx = std::fabs(pic.PixelToX(1) - pic.PixelToX(0));
  const double left = pic.PixelToX(PartingPx(pic, 1)), pastAxis = 60 + 4 * unitPx;
  const auto titleLines = WrapRow(pic, {{66, "MRi (Lowest 100mb)", kWhite}}, left);
  const std::vector<RowText> columns = {{std::max(61.0, pastAxis), "Development", kWhite}, {80, "Dispersal", kWhite}};
  const double columnsFrom = RowFits(pic, columns, pastAxis) ? pastAxis : left;
  const auto columnLines = WrapRow(pic, columns, columnsFrom);
  std::vector<RowText> values = {{50, Format(gSfcTemp(D, H), "0.0") + "°C", kRed}};
  if (m.warmLevel > 0) {
    // Each without the blanks after it, which only set where the next begins.
    const std::string pressure = NumberItem(std::floor(gPres(D, H, m.warmLevel) + 0.5)) + "mb";
    values.push_back({62, pressure, kRed});
    values.push_back({62 + pic.TextWidth(pressure + "   "), Format(m.warmTemp, "0.0") + "°C", kRed});
  }
  if (m.maxWind > 0) values.push_back({86, NumberItem(std::floor(m.maxWind + 0.5)) + " kts", kRed});
  std::vector<std::vector<RowText>> rows =
      WrapRow(pic, {{52, "Sfc", kRed}, {62.8, "Boundary Layer", kRed}, {84, "max Wind", kRed}}, left);
  for (std::vector<RowText>& l : WrapRow(pic, values, left)) rows.push_back(std::move(l));

  // Laid out in pixels from the top: the title a pixel under the line under
  // the charts, the captions under it, then the gauge from -.01 to .075, its
  // labels' ink a pixel clear of the captions' lines and of the rows at the
  // bottom, and the end of its axis too.
  pic.ScalePixels();
  const double line = pic.TextHeight("H"), halfLine = pic.TextHeight("0") / 2;
  const QRectF label = pic.TextInkPx(".07");
  const double titlePx = UnderChartsPx(pic) + kPartingHalfPx + 1;
  const double rowsPx = pic.PixelHeight() - static_cast<double>(rows.size()) * line;
  const double rowsInk = rowsPx + pic.TextInkPx("Hbdl").top();
  const double topPx = titlePx + static_cast<double>(titleLines.size() + columnLines.size()) * line + 1 + halfLine -
                       label.top();
  const double lastLabelPx = rowsInk - 1 + halfLine - label.bottom(), axisEndPx = rowsPx - 3;
  const double perPx = std::max(0.08 / std::max(lastLabelPx - topPx, 1.0), 0.085 / std::max(axisEndPx - topPx, 1.0));
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
  double at = title;
  for (const auto& l : titleLines) PrintRow(pic, std::exchange(at, at + th), l, left);
  for (const auto& l : columnLines) PrintRow(pic, std::exchange(at, at + th), l, columnsFrom);
  const double captionsEnd = at;
  at = y;
  for (const auto& l : rows) PrintRow(pic, std::exchange(at, at + th), l, left);
  if (!m.valid) return;

  const double v = std::clamp(m.value, -0.01, 0.075);
  const std::string value = Format(m.value, ".000");
  // Right-aligned at 80, or further right where a cue beside its box needs
  // the room; printed after the columns.
  double valueRight = 80;

  // Each column's box fills the column; its cue stands on it where it fits
  // with a pixel round it, else in the nearest place of the column that
  // keeps it clear of the box, the captions, the value and the rows at the
  // bottom.
  const int span = pic.PixelSpan();
  const double s = pic.DeviceScale();
  const auto valueInkAt = [&](double right) {
    return TextInk(pic, std::max(right - pic.TextWidth(value), pic.ScaleLeft()), 0.0325 - half4, value)
        .adjusted(-span, -span, span, span);
  };
  QRect valueInk = valueInkAt(valueRight);
  const int blankDev = static_cast<int>(std::ceil(pic.TextWidthPx(" ") * s));
  const int pictureRight = static_cast<int>(std::floor((pic.PixelWidth() - 1.0) * s)) - 1;
  const int areaTop = static_cast<int>(std::ceil(pic.YToPixel(captionsEnd) * s));
  const int areaBottom = static_cast<int>(std::floor(pic.YToPixel(y) * s)) - 1;
  const auto column = [&](double from, double to, double base, Color c, std::vector<RowText> lines) {
    const QRect box = DevicePixelsOf(pic, from, base, to, v);
    FillDevicePixels(pic, box, c);
    if (lines.empty()) return;
    const auto [inLeft, inRight] = Inside(pic, box);
    // The step between the lines: a text line, or on a box too low for that
    // the lines' strokes and a pixel between them.
    double step = th;
    // The pixels the lines take from `top` between the limits, with a pixel
    // round them, across the whole box's width.
    const auto inkAt = [&](double top, double l, double r) {
      QRect ink;
      for (std::size_t i = 0; i < lines.size(); ++i) ink |= RowInk(pic, top + i * step, {lines[i]}, l, r);
      return QRect(QPoint(box.left(), ink.top() - span), QPoint(box.right(), ink.bottom() + span));
    };
    bool fits = true;
    for (const RowText& l : lines) fits = fits && RowFits(pic, {l}, inLeft, inRight);
    const auto centred = [&] { return (base + v) / 2 - (static_cast<double>(lines.size()) * step - step + th) / 2; };
    if (fits && !box.contains(inkAt(centred(), inLeft, inRight))) {
      const double tight = pic.TextInkPx("SFgdy").height() + 1 + 1 / s;
      step = std::copysign(std::min(std::fabs(th), std::fabs(pic.PixelToY(tight) - pic.PixelToY(0))), th);
    }
    const double onBox = centred();
    double top = onBox, from2 = inLeft, to2 = inRight;
    if (!(fits && box.contains(inkAt(onBox, inLeft, inRight)))) {
      step = th;
      // The nearest place of the column clear of the box: beside the box,
      // the value moved right out of its way where it stands there and the
      // picture has the room; else clear of the value too.
      const double start = pic.YToPixel(onBox);
      const auto find = [&](bool movesValue) {
        for (int d = 1; d < pic.PixelHeight(); ++d) {
          const double place = pic.PixelToY(start + (d % 2 == 1 ? (d + 1) / 2 : -d / 2));
          const QRect r = inkAt(place, from, to);
          if (r.top() < areaTop || r.bottom() > areaBottom || r.intersects(box)) continue;
          if (r.intersects(valueInk)) {
            if (!movesValue) continue;
            QRect cue;
            for (std::size_t i = 0; i < lines.size(); ++i) cue |= RowInk(pic, place + i * step, {lines[i]}, from, to);
            const int by = cue.right() + 1 + blankDev + span - valueInk.left();
            if (valueInk.right() + by > pictureRight) return false;  // no room: clear of the value where it is
            valueRight = pic.PixelToX(pic.XToPixel(valueRight) + by / s);
            valueInk = valueInkAt(valueRight);
          }
          top = place;
          from2 = from;
          to2 = to;
          return true;
        }
        return false;
      };
      if (!find(true)) find(false);
    }
    const bool onTheBox = from2 == inLeft;
    for (RowText& l : lines) l.colour = onTheBox ? RedOn(c) : kRed;
    for (std::size_t i = 0; i < lines.size(); ++i) PrintRow(pic, top + i * step, {lines[i]}, from2, to2);
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
  PrintRight(pic, valueRight, 0.0325, half4, value, kRed);
}

}  // namespace ondrik
