// The omega profile on the chart, the labels of its axis in picOmega, and the
// model precipitation type with its intensity dots.
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/windcolumn.h"
#include "core/ccl.h"
#include "chart/trace_point.h"

namespace ondrik {

namespace {

constexpr Color kGrey = RGB(127, 127, 127);
constexpr Color kPositive = RGB(0, 0, 255);  // blue
constexpr Color kNegative = RGB(255, 0, 0);  // red
// The precipitation type's label stands right of its dots (x 12..18 of
// 0..100) and may move right to keep clear of the traces.
constexpr double kPtypeLabelFrom = 19;
constexpr double kPtypeLabelTo = 60;
// The omega scale's labels stand this far clear of the strip's ends and of
// each other (picture pixels).
constexpr double kInsidePx = 1;
// Their face shrinks in these steps (points) on a narrow strip.
constexpr double kOmegaFontStep = 0.25;

using chartpt::UsablePres;

struct Dot {
  double x, y;
};

}  // namespace

double UsableOmegaRange(const ChartState& s) {
  const double r = s.opt.OmegaRange;
  if (!std::isfinite(r) || r <= 0) return 11.0;
  // Beyond this the axis labels alone would run into the tens of thousands.
  return std::min(r, kMaxOmegaRange);
}

Integer OmegaScaleStep(double range) {
  if (range < 10) return 2;
  if (range < 30) return 5;
  return 10;
}

void DrawOmegaScale(PictureBox& picOmega, ChartState& s) {
  const double range = UsableOmegaRange(s);
  picOmega.Scale(-range, 0, range, 100);
  picOmega.Cls();
  // Each label centred on its value, or moved in until its ink stands a
  // pixel clear of the strip's ends: the left edge of its advance, in pixels.
  const double W = picOmega.PixelWidth();
  const auto leftOf = [&](const std::string& text, double value) {
    const QRectF ink = picOmega.TextInkPx(text);
    const double left = picOmega.XToPixel(value) - picOmega.TextWidthPx(text) / 2;
    return std::clamp(left, kInsidePx - ink.left(), std::max(kInsidePx - ink.left(), W - kInsidePx - ink.right()));
  };
  struct Label {
    std::string text;
    Color colour;
    double left;  // pixels
  };
  // The labels at the multiples of `step` that lie on the strip; whether
  // those `every` apart keep a pixel between their inks.
  const auto labelsAt = [&](Integer step) {
    std::vector<Label> labels;
    const Integer m = static_cast<Integer>(std::floor(range / step)) * step;
    for (Integer v = -m; v <= m; v += step) {
      const std::string text = (v > 0 ? "+" : "") + std::to_string(v);
      labels.push_back({text, v > 0 ? kPositive : v < 0 ? kNegative : kBlack, leftOf(text, v)});
    }
    return labels;
  };
  const auto apart = [&](const std::vector<Label>& labels, std::size_t every) {
    for (std::size_t i = 0; i + every < labels.size(); ++i) {
      const Label &a = labels[i], &b = labels[i + every];
      if (a.left + picOmega.TextInkPx(a.text).right() + kInsidePx > b.left + picOmega.TextInkPx(b.text).left())
        return false;
    }
    return true;
  };
  // A strip too narrow for its labels: a smaller face down to the floor
  // that every text keeps, then every other label a row lower, then the
  // labels of twice the step, and so on.
  const double keptSize = picOmega.FontSize;
  Integer step = OmegaScaleStep(range);
  std::vector<Label> labels = labelsAt(step);
  while (!apart(labels, 1) && picOmega.FontSize > kOmegaFontStep) {
    const double before = picOmega.TextWidthPx(labels.front().text);
    picOmega.FontSize -= kOmegaFontStep;
    if (picOmega.TextWidthPx(labels.front().text) >= before) {
      picOmega.FontSize += kOmegaFontStep;  // the floor: no narrower
      break;
    }
    labels = labelsAt(step);
  }
  labels = labelsAt(step);
  while (!apart(labels, 2) && labels.size() > 2 && step < range) labels = labelsAt(step *= 2);
  const bool twoRows = !apart(labels, 1);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    picOmega.ForeColor = labels[i].colour;
    picOmega.CurrentX = picOmega.PixelToX(labels[i].left);
    picOmega.CurrentY = twoRows && i % 2 == 1 ? picOmega.PixelToY(picOmega.TextHeightPx(labels[i].text)) : 0;
    picOmega.Print(labels[i].text, false);
  }
  picOmega.FontSize = keptSize;
}

void PlotOmegaProfile(PictureBox& picData, ChartState& s) {
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  const double range = UsableOmegaRange(s);
  const double lnTop = std::log(static_cast<double>(gChartTop));
  const double lnBottom = std::log(static_cast<double>(DrawnChartBottom(s)));
  SetChartScale(picData, s, -range, range);

  const Color c = D == s.draw.ShownDataset ? kWhite : kGrey;
  picData.ForeColor = c;
  picData.Style = DrawStyle::Dot;
  picData.Line(0, lnTop, 0, lnBottom, c);

  const bool smooth = s.opt.gOmegaSmoothOn;
  if (smooth && gOmegaSmoothDone(D) != -1) SmoothOmega();

  picData.Style = DrawStyle::Solid;
  const int top = std::min<int>({gTopLevel(D), gNumLevels(D), kMaxLevels});
  bool started = false;
  for (int L = 1; L <= top; ++L) {
    const double p = gPres(D, H, L);
    const double v = smooth ? gOmegaSmooth(D, H, L) : gOmega(D, H, L);
    if (!UsablePres(p) || !std::isfinite(v)) continue;
    if (!started) {
      picData.CurrentX = v;
      picData.CurrentY = std::log(p);
      started = true;
    } else {
      picData.LineTo(v, std::log(p), c);
    }
  }
}

std::string PrecipTypeLabel(Long code) {
  switch (code) {
    case kPtypeRain: return "R";
    case kPtypeFreezingRain: return "ZR";
    case kPtypeSnow: return "S";
    case kPtypeIcePellets: return "IP";
    case kPtypeNone: return "";
    default: {
      // The number as text with its sign position: a blank when not negative.
      std::string label = code < 0 ? "Error Wx = " : "Error Wx =  ";
      label += std::to_string(code);
      return label;
    }
  }
}

int PrecipIntensityDots(Single precip, Single hoursPerStep) {
  // An hour step that is not positive is taken as one hour.
  const Single hps = (std::isfinite(hoursPerStep) && hoursPerStep > 0) ? hoursPerStep : 1.0f;
  const Single rate = precip / hps;
  if (rate < 0.01f) return 1;
  if (rate < 0.1f) return 2;
  if (rate < 0.3f) return 3;
  return 4;
}

void DrawModelPrecipType(PictureBox& picData, ChartState& s) {
  const Integer D = gCurDataset;
  if (D != s.draw.ShownDataset) return;
  const Integer H = s.in.CurHour;
  const Long code = s.opt.chksWSYMb ? gPtypeSrcA(D, H) : gPtypeSrcB(D, H);
  gPtypeCode(D, H) = code;
  picData.Scale(0, 0, 100, 100);
  const Single precip = gPrecip(D, H);
  if (!(precip > 0)) return;

  Color c;
  switch (code) {
    case kPtypeRain: c = RGB(0, 255, 0); break;
    case kPtypeFreezingRain:
    case kPtypeIcePellets: c = RGB(255, 0, 0); break;
    case kPtypeSnow: c = RGB(0, 0, 255); break;
    default: c = kWhite; break;
  }
  picData.ForeColor = c;
  picData.FillColor = c;

  if (code != kPtypeNone) {
    picData.CurrentX = 20;
    picData.CurrentY = 78.5;
    // Its row is the middle of its line, by the dots.
    const std::string label = PrecipTypeLabel(code);
    s.draw.labels.Print(picData, label, LabelPlace::AlongRow, QPointF(20, 78.5 + picData.TextHeight(label) / 2),
                        kPtypeLabelFrom, kPtypeLabelTo);
  }

  static constexpr Dot kOne[] = {{15, 80}};
  static constexpr Dot kTwo[] = {{13, 80}, {17, 80}};
  static constexpr Dot kThree[] = {{15, 78}, {13, 82}, {17, 82}};
  static constexpr Dot kFour[] = {{15, 82}, {13, 80}, {17, 80}, {15, 78}};
  const Dot* dots = kOne;
  int n = 1;
  switch (PrecipIntensityDots(precip, gHoursPerStep)) {
    case 2: dots = kTwo, n = 2; break;
    case 3: dots = kThree, n = 3; break;
    case 4: dots = kFour, n = 4; break;
    default: break;
  }
  // The dots are filled in their colour.
  const bool keptFill = picData.FillTransparent;
  picData.FillTransparent = false;
  for (int i = 0; i < n; ++i) picData.Circle(dots[i].x, dots[i].y, 1, c);
  picData.FillTransparent = keptFill;
}

}  // namespace ondrik
