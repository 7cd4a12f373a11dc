#include "panels/fog.h"

#include <QFrame>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <cmath>

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

Color ToColor(Rgb c) { return RGB(c.r, c.g, c.b); }

// Steps from `from` to `to` by `step` counted, so that no rounding drift
// loses the last one.
template <typename Fn>
void Steps(double from, double to, double step, Fn&& fn) {
  if (!(step > 0)) return;
  const int n = static_cast<int>(std::floor((to - from) / step + 1e-9));
  for (int i = 0; i <= n; ++i) fn(from + i * step);
}

// A label right-aligned at x and centred on y, kept inside the left edge;
// halfHeight: half the signed text height in the picture's scale.
void PrintRight(PictureBox& pic, double x, double y, double halfHeight, const std::string& text, Color c) {
  PrintAt(pic, std::max(x - pic.TextWidth(text), pic.ScaleLeft()), y - halfHeight, text, c);
}

// The pixel column `off` pixels right (or left) of the line that parts the
// halves.
double PartingPx(const PictureBox& pic, double off) { return pic.PixelWidth() * kPartingX / 100 + off; }

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
  // Heights run from the titles' line at the top down to the axis, its
  // ticks, their labels and the axis titles above the line under the
  // charts: feet per pixel from the text's height at the picture's size.
  pic.Scale(0, 0, pic.PixelWidth(), pic.PixelHeight());
  const double linePx = pic.TextHeight("H"), tickPx = 4;
  const double underPx = pic.PixelHeight() * (17 - kUnderChartsY) / 24 - 3;
  const double topPx = 1.5 * linePx + 1, axisPx = underPx - 2 * linePx - tickPx;
  const double ftPerPx = 500 / std::max(axisPx - topPx, 1.0);
  const double top = 500 + topPx * ftPerPx, bottom = -(pic.PixelHeight() - axisPx) * ftPerPx;
  const double tick = -tickPx * ftPerPx, axisTitle = tick - linePx * ftPerPx;
  const auto S1 = [&] { pic.Scale(-0.22 * M, top, 2.5 * M, bottom); };
  const auto S2 = [&] { pic.Scale(-0.42 * M, top, 0.13 * M, bottom); };

  S1();
  pic.DrawWidth = 3;
  pic.Line(0, 0, M, 0, kAxis);
  pic.Line(0, 0, 0, 500, kAxis);
  pic.DrawWidth = 1;
  // A tick label that would run into the one before it is left out; the
  // right chart's first one keeps clear of the line that parts the charts.
  double labelsEnd = -1e300, labelsFrom = -1e300;
  const auto tickLabel = [&](double x, const std::string& text) {
    const double w = pic.TextWidth(text);
    if (x - w / 2 < labelsEnd + pic.TextWidth(" ") / 2) return;
    const double at = std::max(x - w / 2, labelsFrom);
    PrintAt(pic, at, tick, text, kAxis);
    labelsEnd = at + w;
  };
  Steps(0, M, s, [&](double q) {
    pic.Line(q, 0, q, tick, kAxis);
    pic.Line(q, 0, q, 500, kGridLine);
    tickLabel(q, Format(q, "0"));
  });
  const double half1 = SignedTextHeight(pic, "0") / 2;
  for (int h = 0; h <= 500; h += 100) {
    pic.Line(0, h, -0.2 * s, h, kAxis);
    PrintRight(pic, -0.4 * s, h, half1, Format(h, "0"), kAxis);
  }
  S2();
  pic.DrawWidth = 3;
  pic.Line(-0.1 * M, 0, 0.1 * M, 0, kAxis);
  pic.Line(0, 0, 0, 500, kAxis);
  pic.DrawWidth = 1;
  labelsEnd = -1e300;
  labelsFrom = pic.PixelToX(PartingPx(pic, 3));
  Steps(-0.1 * M, 0.11 * M, 0.25 * s, [&](double d) {
    pic.Line(d, 0, d, tick, kAxis);
    tickLabel(d, Format(d, ".00"));
  });
  for (int h = 0; h <= 500; h += 100) pic.Line(-0.03 * s, h, 0.03 * s, h, kAxis);

  // The lowest 500 ft of every shown dataset.
  ShownDataset = gCurDataset;
  ForEachShownDataset(ShownDataset, H, [&](Integer d) {
    const Integer n = std::min(gNumLevels(d), kMaxLevels);
    pic.FillTransparent = false;
    pic.DrawWidth = 3;
    S1();
    const Color q = eRGB(ShownDataset, 255, 255, 0);
    pic.FillColor = q;
    pic.Circle(gSpecHum(d, H, 0), 0, 0.1 * s, q);
    for (Integer L = 1; L <= n; ++L) {
      const double h = HeightFt(d, H, L);
      pic.LineTo(gSpecHum(d, H, L), h, q);
      pic.Circle(gSpecHum(d, H, L), h, 0.1 * s, q);
      if (h > 500) break;
    }
    S2();
    const Color c = eRGB(ShownDataset, 0, 255, 255);
    pic.FillColor = c;
    pic.Circle(gSpecHum(d, H, 1) - gSpecHum(d, H, 0), (HeightFt(d, H, 1) + 0) / 2, 0.01 * s, c);
    for (Integer L = 2; L <= n; ++L) {
      const double x = gSpecHum(d, H, L) - gSpecHum(d, H, L - 1);
      const double y = (HeightFt(d, H, L) + HeightFt(d, H, L - 1)) / 2;
      pic.LineTo(x, y, c);
      pic.Circle(x, y, 0.01 * s, c);
      if (HeightFt(d, H, L) > 500) break;
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
  const double left = pic.ScaleLeft();
  // The right chart's titles stay right of the line that parts the charts.
  const double parting = pic.PixelToX(PartingPx(pic, 3)), partingLeft = pic.PixelToX(PartingPx(pic, -3));
  PrintRow(pic, top, {{-s, "Hght(ft)", kWhite}, {1.7 * s, "Hydrolapse", kWhite}}, left, partingLeft);
  PrintRow(pic, top, {{rightTitle, "Vertical Change of Humidity", kWhite}}, parting);
  PrintRow(pic, axisTitle, {{0.8 * s, "Specific Humidity (g/kg)", kWhite}}, left, partingLeft);
  PrintRow(pic, axisTitle, {{rightTitle, "Specific Humidity Change (g/kg)", kWhite}}, parting);
  S2();
  const double nextLine = 300 + SignedTextHeight(pic, "H");
  PrintAt(pic, -0.38 * s, 300, "Less", kWhite);
  PrintAt(pic, 0.17 * s, 300, "More", kWhite);
  PrintAt(pic, -0.4 * s, nextLine, "Likely", kWhite);
  PrintAt(pic, 0.15 * s, nextLine, "Likely", kWhite);
}

void FogPanel::DrawTemperatureGauges(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  pic.Scale(0, 17, 100, -7);
  const QColor button = Picture()->palette().color(QPalette::Button);
  const Color face = RGB(button.red(), button.green(), button.blue());
  pic.DrawWidth = 5;
  pic.Line(0, kUnderChartsY, 100, kUnderChartsY, face);
  pic.Line(kPartingX, 17, kPartingX, -7, face);
  pic.DrawWidth = 3;
  pic.Line(8, 5, 8, -5, kAxis);
  pic.Line(0, 0, 39, 0, kAxis);
  pic.DrawWidth = 1;
  const double half3 = SignedTextHeight(pic, "0") / 2;
  for (int t = 5; t >= -5; --t) {
    pic.Line(6.5, t, 8, t, kAxis);
    PrintRight(pic, 5, t, half3, Format(t, "0"), kAxis);
  }
  PrintAt(pic, 14, 7, "Air ", kWhite, false);
  pic.CurrentX = 27;
  pic.Print("Ground ");

  const Crossover x = FindCrossover(D, H, gHoursPerStep);
  XoverTemp(D) = x.temp;
  const double X = ToF(x.temp), A = ToF(gSfcTemp(D, H)), G = ToF(gSoilTemp(D, H) - 273.16);
  const double th = SignedTextHeight(pic, "H");
  // Each gauge's texts stay in its column: the air's between the scale and
  // the ground bar, the ground's between the bars and the crossover's, the
  // crossover's left of the line that parts the gauges.
  PrintRow(pic, 1, {{40, "XOver ", kWhite}}, 40, kPartingX - 1);
  PrintRow(pic, 1 + th, {{40, "T= " + Format(X, "0.0"), x.manual ? kYellow : kRed}}, 40, kPartingX - 1);

  // A bar's "T=" text stays under the captions and over the source line; its
  // verdict, centred on the bar, stays clear of that text. The source line
  // rises as far as its text would pass the picture's bottom.
  const double captionsEnd = 7 + th, sourceLine = std::max(-6.2, -7 - th);
  auto bar = [&](const FogGauge& g, double left, double right, double v, double value, double from, double to) {
    pic.Box(left, 0, right, v, ToColor(g.box), true);
    const double textY =
        g.above ? std::min(v - 1.1 * th, captionsEnd) : std::max(v + 0.1 * th, sourceLine - th);
    PrintRow(pic, textY, {{g.textX, g.prefix + Format(value, "0.0"), kRed}}, from, to);
    if (g.verdict[0] == nullptr) return;
    const int lines = g.verdict[1] != nullptr ? 2 : 1;
    double y = v / 2 - 0.5 * lines * th;
    y = g.above ? std::min(y, textY + th) : std::max(y, textY - lines * th);
    for (int i = 0; i < lines; ++i) PrintRow(pic, y + i * th, {{g.verdictX[i], g.verdict[i], kRed}}, from, to);
  };
  if (G > -100) {
    const double g = std::clamp(G - X, -5.5, 5.5);
    bar(GroundGauge(g), 26, 37, g, G, 25.5, 39);
  }
  const double a = std::clamp(A - X, -5.5, 5.5);
  bar(AirGauge(a), 11, 22, a, A, 8.5, 24.5);

  // Where the crossover comes from, left of the MRi gauge.
  if (x.manual) {
    PrintRow(pic, sourceLine, {{1, "XOver manually entered", kRed}}, 0, kPartingX - 1);
  } else {
    std::vector<RowText> row = {{1, "XOver from " + NumberItem(x.hoursBack * gHoursPerStep) + "hours ago", kRed}};
    const DateTime v = gValidTime(D, x.sourceHour);
    if (v.IsSet()) {
      const DateTime local = v.AddMinutes(-static_cast<std::int64_t>(gTZOffset) * 60);
      // The hour alone when the day leaves no room: the hours back tell it.
      std::string when = FormatHourAmPm(local) + FormatMonthDay(local);
      row.push_back({49 - pic.TextWidth(when), when, kRed});
      if (!RowFits(pic, row, 0, kPartingX - 1)) {
        when = FormatHourAmPm(local);
        row.back() = {49 - pic.TextWidth(when), when, kRed};
      }
    }
    PrintRow(pic, sourceLine, row, 0, kPartingX - 1);
  }
}

void FogPanel::DrawMriGauge(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  pic.Scale(-5, -0.11, 95, 0.09);
  pic.DrawWidth = 3;
  pic.Line(60, -0.01, 60, 0.075, kAxis);
  pic.DrawWidth = 1;
  const double half4 = SignedTextHeight(pic, "0") / 2;
  for (int i = -1; i <= 7; ++i) {
    const double v = i / 100.0;
    pic.Line(58, v, 60, v, kAxis);
    PrintRight(pic, 57, v, half4, Format(v, ".00"), kAxis);
  }
  // Texts right of the line that parts the gauges.
  const double left = 49;
  PrintRow(pic, -0.026, {{66, "MRi (Lowest 100mb)", kWhite}}, left);
  PrintRow(pic, -0.019, {{61, "Development", kWhite}, {80, "Dispersal", kWhite}}, 57.5);

  const Mri m = ComputeMri(D, H);
  const double th = SignedTextHeight(pic, "H");
  // The two lines at the bottom stay inside the picture.
  const double y = std::min(0.078, 0.09 - 2 * th);
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
  PrintRight(pic, 80, 0.0325, half4, Format(m.value, ".000"), kRed);
  // The cues stay in their columns, clear of the value between them.
  const auto cue = [&](double y, const char* first, double x1, const char* second, double from, double to) {
    PrintRow(pic, y, {{x1, first, kRed}}, from, to);
    if (second != nullptr) PrintRow(pic, y + th, {{64, second, kRed}}, from, to);
  };
  if (v <= 0.025) {
    pic.Box(63, 0.025, 74, v, kWhite, true);
    if (v < 0.017) cue(std::min((v + 0.025) / 2 - th, 0.0325 - 2.5 * th), "Stratus", 65, "Favored", 62, 77.5);
  }
  if (v > 0.04) {
    pic.Box(63, 0.04, 74, v, kWhite, true);
    if (v > 0.047) cue(std::max((v + 0.04) / 2 - th, 0.0325 + 0.5 * th), "Fog", 66, "Favored", 62, 77.5);
  }
  if (v <= 0.008) {
    pic.Box(79, 0.008, 90, v, kBlue, true);
    if (v < 0.004) cue((v + 0.008) / 2 - th / 2, "Possible", 80, nullptr, 78.5, 95);
  }
}

}  // namespace ondrik
