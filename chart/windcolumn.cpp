// The steps that close each dataset's drawing (wind column, surface strip,
// side-panel marks, jet label, omega profile), the momentum-transfer overlay
// and the title line of the shown dataset.
#include "chart/windcolumn.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <exception>
#include <numbers>
#include <string>
#include <vector>

#include "chart/steps.h"
#include "core/constants.h"
#include "chart/trace_point.h"
#include "platform/picturetext.h"
#include "core/wholenumber.h"

namespace ondrik {

namespace {

constexpr Color kMixedShown = RGB(192, 192, 192);
constexpr Color kMixedOther = RGB(96, 96, 96);
// A side panel's label (the jet) may move left to here (frame x) to keep
// clear of the wind numbers in its row.
constexpr double kMarkLabelFrom = 50;
// The rings of the vector winds at x 93 (frame x).
constexpr double kRingRadius = 0.6;
// Picture pixels between the digits of the digital winds of two levels that
// stand in one column.
constexpr double kRowGapPx = 3;
// A second column of digital winds stands this many blanks beyond the
// widest number of the first.
constexpr double kColumnGapBlanks = 1.5;
// The surface strip's values move along its row within its left part (the
// temperatures) or its right part (the 10 m winds), frame x.
constexpr double kStripLeftTo = 20;
constexpr double kStripRightFrom = 55;

using chartpt::UsablePres;

// The highest level of (D) that may be read: the dataset's level count,
// never beyond the store.
int LevelCount(Integer D) { return std::clamp<int>(gNumLevels(D), 0, kMaxLevels); }

// x of a temperature t at pressure p in the temperature system.
double ChartX(const ChartState& s, double t, double p) {
  return t + s.draw.SkewFactor * (s.draw.LnSurfacePres - std::log(p));
}

// A number as the picture box prints it (" 20 ", "-3 "), or nothing when the
// value is not a number.
std::string NumberText(double rounded) {
  if (!FitsInt(rounded)) return "";
  return ChartNumber(static_cast<long>(rounded));
}

// Int(v + 0.5): rounded half up.
std::string HalfUpText(double v) { return NumberText(std::floor(v + 0.5)); }

// Round(v): nearest whole number, halves to the even one.
std::string RoundEvenText(double v) { return NumberText(std::nearbyint(v)); }

// One part of the closing steps; a failure skips it, not the rest.
template <typename F>
void Guarded(F&& part) {
  try {
    part();
  } catch (const std::exception&) {
  }
}

// Pen colour of a vector wind coloured by speed (knots).
Color SpeedColor(double spd, bool shown) {
  if (spd < 10) return shown ? RGB(255, 255, 255) : RGB(127, 127, 127);
  if (spd < 20) return shown ? RGB(255, 0, 0) : RGB(127, 0, 0);
  if (spd < 30) return shown ? RGB(255, 127, 0) : RGB(127, 63, 0);
  if (spd < 40) return shown ? RGB(255, 255, 0) : RGB(127, 127, 0);
  if (spd < 50) return shown ? RGB(0, 128, 0) : RGB(0, 64, 0);
  if (spd < 60) return shown ? RGB(0, 0, 255) : RGB(0, 0, 127);
  return shown ? RGB(255, 0, 255) : RGB(127, 0, 127);
}

// Middle of the surface strip, between the surface and the chart bottom.
double SurfaceStripY(const ChartState& s) {
  return (s.draw.LnSurfacePres + std::log(static_cast<double>(DrawnChartBottom(s)))) / 2;
}

// Vertical place of wind level e: ln p, or the surface strip for level 0.
bool WindLevelY(Integer D, Integer H, Integer e, double ys, double& y) {
  if (e == 0) {
    y = ys;
    return true;
  }
  const double p = gPres(D, H, e);
  if (!UsablePres(p)) return false;
  y = std::log(p);
  return true;
}

void PlotWindColumn(PictureBox& pic, ChartState& s) {
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  const bool shown = D == s.draw.ShownDataset;
  const double ys = SurfaceStripY(s);
  const WindLevels lv = ChooseWindLevels(s, D, H);

  if (s.opt.chkWindVector) {
    Color c = kYellow;
    pic.ForeColor = c;
    pic.FillColor = c;
    // y length (ln p units) of one x unit on screen, so that a vector keeps
    // its screen length whatever its direction.
    const double A = (pic.ScaleHeight() / pic.ScaleWidth()) /
                     (static_cast<double>(pic.PixelHeight()) / pic.PixelWidth());
    for (int i = 0; i < lv.count; ++i) {
      const Integer e = lv.level[static_cast<size_t>(i)];
      double y;
      if (!WindLevelY(D, H, e, ys, y)) continue;
      const double dir = gWdir(D, H, e);
      const double spd = gWspd(D, H, e);
      if (s.opt.ColorWindsBySpeed) {
        c = SpeedColor(spd, shown);
        pic.ForeColor = c;
        pic.FillColor = c;
      }
      pic.Circle(93, y, kRingRadius, c);
      const double a = (450.0 - dir) * std::numbers::pi / 180.0;
      const double dx = 0.25 * spd * std::cos(a);
      const double dy = -0.25 * spd * std::sin(a) * A;
      if (std::isfinite(dx) && std::isfinite(dy)) pic.Line(93, y, 93 + dx, y + dy, c);
      if (e == 0 && s.opt.chk10MWind) {
        // The direction at x 86 and the speed right after it, as one text:
        // where it moves, the two go together, along the strip's row.
        pic.CurrentX = 86;
        pic.CurrentY = ys - s.draw.HalfTextHeight;
        s.draw.labels.Print(pic, HalfUpText(gWind10Dir(D, H)) + HalfUpText(gWind10m(D, H)), LabelPlace::Strip,
                            QPointF(86, ys), kStripRightFrom, 100);
      }
    }
  }

  if (shown && s.opt.chkWindDigital) {
    pic.ForeColor = kYellow;
    const DigitalWindRows lay = LayDigitalWinds(pic, s, D, H);
    // The direction's room ends a blank short of the rings; the speed's
    // starts where its digits clear them (its text begins with a blank).
    const double px = std::fabs(pic.ScaleWidth()) / pic.PixelWidth();  // a picture pixel, in x
    const double ringLeft = 93 - kRingRadius - pic.TextWidth(" ");
    const double ringRight = 93 + kRingRadius + 1.5 * px - pic.TextWidth(" ");
    for (const DigitalWindRows::Row& row : lay.rows) {
      const Integer e = row.e;
      // On the ring's row, in its column, or the nearest place right of the
      // rings where that is taken (a feather, a mark), or, where no
      // direction stands left of the rings, the nearest there; never over
      // its ring. The direction and the speed as one text when they stand
      // together.
      const std::string speed = RoundEvenText(gWspd(D, H, e));
      const std::string dir = s.opt.DigitalWindDirections ? RoundEvenText(gWdir(D, H, e)) : "";
      const std::string text = lay.together ? dir + speed : speed;
      const QPointF ring(93, row.y);
      const double own = lay.speedX[row.column];
      std::vector<double> places;
      for (double x = ringRight; x <= 100; x += px) places.push_back(x);
      std::stable_sort(places.begin(), places.end(),
                       [own](double a, double b) { return std::fabs(a - own) < std::fabs(b - own); });
      if (dir.empty())
        for (double x = ringLeft - pic.TextWidth(text); x >= lay.directionX[1]; x -= px) places.push_back(x);
      pic.CurrentY = row.y - s.draw.HalfTextHeight;
      pic.CurrentX = own;
      s.draw.labels.PrintAmong(pic, text, LabelPlace::Column, ring, places);
      if (lay.together || dir.empty()) continue;
      pic.CurrentX = lay.directionX[row.column];
      pic.CurrentY = row.y - s.draw.HalfTextHeight;
      // Where the feathers of a westerly wind run.
      s.draw.labels.Print(pic, dir, LabelPlace::ColumnLeft, ring, 2 * lay.directionX[1] - lay.directionX[0], ringLeft);
    }
  }
}

// White mark at the right edge for level L of (D, H); nothing for a level
// outside the profile.
void LevelMark(PictureBox& pic, Integer D, Integer H, Integer L) {
  if (L < 0 || L > LevelCount(D)) return;
  const double p = gPres(D, H, L);
  if (!UsablePres(p)) return;
  const double y = std::log(p);
  pic.Line(100, y, 94, y, kWhite);
}

// The side panel's marks for the dataset being drawn: white marks at its
// levels, then its label (the low-level jet of the heavy-precipitation panel).
void PlotPanelMarks(PictureBox& pic, ChartState& s) {
  if (s.events == nullptr) return;
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  const ChartMarks m = s.events->MarksFor(D, H);
  for (int i = 0; i < std::clamp(m.levelCount, 0, 2); ++i) LevelMark(pic, D, H, m.levels[static_cast<size_t>(i)]);
  if (m.label.empty() || !UsablePres(m.labelPres)) return;
  // In the row of its level, beside the wind numbers that stand there.
  pic.CurrentX = 94;
  pic.CurrentY = std::log(m.labelPres) - pic.TextHeight("I") / 2;
  pic.ForeColor = m.labelColor;
  s.draw.labels.Print(pic, m.label, LabelPlace::AlongRow, QPointF(94, std::log(m.labelPres)), kMarkLabelFrom, 100);
}

}  // namespace

DigitalWindRows LayDigitalWinds(const PictureBox& pic, const ChartState& s, Integer D, Integer H) {
  DigitalWindRows out;
  const double ys = SurfaceStripY(s);
  const WindLevels lv = ChooseWindLevels(s, D, H);
  const double w = pic.TextWidth("999"), blank = pic.TextWidth(" ");
  const double step = w + kColumnGapBlanks * blank;
  out.speedX[0] = 93 + 0.4 * w;
  out.speedX[1] = out.speedX[0] + step;
  out.directionX[0] = 93 - 1.6 * w;
  out.directionX[1] = out.directionX[0] - step;
  // Each row in the first column whose last row lies a line of digits away
  // from it (bottom up), else in the first.
  const double linePx = pic.TextInkPx("0").height() + kRowGapPx;
  double lastPx[2] = {HUGE_VAL, HUGE_VAL};
  bool crowded = false;
  for (int i = 0; i < lv.count; ++i) {
    const Integer e = lv.level[static_cast<size_t>(i)];
    double y;
    if (!WindLevelY(D, H, e, ys, y)) continue;
    // The 10 m wind's numbers stand there already.
    if (e == 0 && s.opt.chkWindVector && s.opt.chk10MWind) continue;
    const double px = pic.YToPixel(y);
    int column = 0;
    while (column < 2 && std::fabs(lastPx[column] - px) < linePx) ++column;
    if (column == 2) column = 0;
    crowded = crowded || column > 0;
    lastPx[column] = px;
    out.rows.push_back({e, y, column});
  }
  out.together = !crowded && s.opt.DigitalWindDirections &&
                 93 + kRingRadius + pic.TextWidth(" 999  999 ") * 100 / std::fabs(pic.ScaleWidth()) <= 100;
  return out;
}

WindLevels ChooseWindLevels(const ChartState& s, Integer D, Integer H) {
  WindLevels w;
  const int top = std::min<int>(gTopLevel(D), LevelCount(D));
  // A step below 1 would never advance.
  const int step = s.opt.WindAutoMode ? 1 : std::max<int>(1, s.opt.WindLevelStep);
  const double chartSpan = std::log(static_cast<double>(DrawnChartBottom(s))) -
                           std::log(static_cast<double>(gChartTop));
  const double minGap = 0.015 * s.opt.WindAutoSpacing;
  double lnLast = std::log(9999.0);
  for (int e = 0; e <= top; e += step) {
    if (e >= 1 && s.opt.WindAutoMode) {
      const double p = gPres(D, H, e);
      if (!UsablePres(p)) continue;
      if (chartSpan > 0 && (lnLast - std::log(p)) / chartSpan < minGap) continue;
      lnLast = std::log(p);
    }
    w.level[static_cast<size_t>(w.count++)] = e;
  }
  return w;
}

Integer MixingTopLevel(Integer D, Integer H, Integer xferIndex) {
  const Integer S = kXferDepths[static_cast<size_t>(std::clamp<Integer>(xferIndex, 0, 3))];
  const int n = LevelCount(D);
  Single stableDepth = 0;
  Integer M = 0;
  for (int L = 2; L <= n; ++L) {
    const double p0 = gPres(D, H, L - 1);
    const double p1 = gPres(D, H, L);
    if (!UsablePres(p0) || !UsablePres(p1)) continue;
    const double delta = std::log(p1) - std::log(p0);
    // Two levels at one pressure make no layer: nothing to divide by.
    if (delta == 0) continue;
    const double T0 = gTemp(D, H, L - 1);
    const double T1 = gTemp(D, H, L);
    // (Divided by the power of p0 / p1, which rounds otherwise than
    // DryAdiabatC's product with the power of p1 / p0.)
    const Single dry = static_cast<Single>(
        ((T0 + kKelvin) / std::pow(p0 / p1, kKappa) - (T0 + kKelvin)) / delta);
    const Single env = static_cast<Single>((T1 - T0) / delta);
    if (static_cast<Single>(0.7 * dry) > env) {
      if (stableDepth == 0) M = L - 1;
      stableDepth += static_cast<Single>(p0 - p1);
      if (stableDepth >= S) break;
    } else {
      stableDepth = 0;
    }
  }
  // No stable layer anywhere: nothing caps the mixing that the profile can
  // show, so the layer is taken as the lowest level alone.
  return M >= 1 ? M : 1;
}

void PlotMomentumTransfer(PictureBox& pic, ChartState& s) {
  if (!s.opt.chkMomentum) return;
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  const int n = LevelCount(D);
  if (n < 1) return;
  const Integer M = std::min<Integer>(MixingTopLevel(D, H, s.opt.gXferIndex), n);

  SetTemperatureSystem(pic, s);
  pic.Style = DrawStyle::Solid;
  if (D == s.draw.ShownDataset) {
    pic.ForeColor = kMixedShown;
    pic.DrawWidth = 3;
  } else {
    pic.ForeColor = kMixedOther;
    pic.DrawWidth = 1;
  }

  // The mixed layer on the temperature trace, and the wind sums over it.
  double sumU = gWindU(D, H, 1);
  double sumV = gWindV(D, H, 1);
  bool started = false;
  for (int L = 1; L <= M; ++L) {
    if (L >= 2) {
      sumU += gWindU(D, H, L);
      sumV += gWindV(D, H, L);
    }
    const double p = gPres(D, H, L);
    const double t = gTemp(D, H, L);
    if (!UsablePres(p) || !std::isfinite(t)) continue;
    if (!started) pic.PSet(ChartX(s, t, p), std::log(p), pic.ForeColor);
    else pic.LineTo(ChartX(s, t, p), std::log(p));
    started = true;
  }

  const double hH = pic.TextHeight("H");
  const double pM = gPres(D, H, M);
  if (UsablePres(pM)) {
    pic.CurrentX = ChartX(s, gTemp(D, H, M), pM);
    pic.CurrentY = std::log(pM) - 0.66 * hH;
    s.draw.labels.Print(pic, " ---> " + HalfUpText(gWdir(D, H, M)) + "\u00B0" + HalfUpText(gWspd(D, H, M)) + "kts",
                        LabelPlace::AtLevel, QPointF(pic.CurrentX, std::log(pM)));
  }

  if (M > 1) {
    const double U = sumU / M;
    const double V = sumV / M;
    double direction;
    if (U != 0) {
      const double a = std::atan(V / U) * 180.0 / std::numbers::pi;
      direction = U >= 0 ? 270.0 - a : 90.0 - a;
    } else {
      // Due north or south (the limit of the formula above), or calm.
      direction = V > 0 ? 180.0 : (V < 0 ? 360.0 : 0.0);
    }
    const double speed = std::sqrt(U * U + V * V) * kKnotsPerMps;
    const Integer Lm = M / 2;
    const double pm = gPres(D, H, Lm);
    if (UsablePres(pm)) {
      pic.CurrentX = ChartX(s, gTemp(D, H, Lm), pm);
      pic.CurrentY = std::log(pm) - 0.66 * hH;
      s.draw.labels.Print(pic, " ---> " + HalfUpText(direction) + "\u00B0" + HalfUpText(speed) + "kts",
                          LabelPlace::AtLevel, QPointF(pic.CurrentX, std::log(pm)));
    }
  }
  pic.DrawWidth = 1;
}

void PlotWindColumnAndMarks(PictureBox& pic, ChartState& s) {
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  pic.DrawWidth = 1;
  pic.Style = DrawStyle::Solid;
  SetFrameSystem(pic, s);
  Guarded([&] { PlotWindColumn(pic, s); });
  Guarded([&] { DrawModelPrecipType(pic, s); });
  SetFrameSystem(pic, s);

  if (s.opt.chk10MWind) {
    Guarded([&] {
      pic.ForeColor = kYellow;
      pic.CurrentX = 5;
      pic.CurrentY = SurfaceStripY(s) - s.draw.HalfTextHeight;
      s.draw.labels.Print(pic, HalfUpText(gSfcTemp(D, H)) + "/" + HalfUpText(gSfcDewpt(D, H)), LabelPlace::Strip,
                          QPointF(5, SurfaceStripY(s)), 0, kStripLeftTo);
    });
  }

  Guarded([&] { PlotPanelMarks(pic, s); });
  if (s.opt.ChkOmega) Guarded([&] { PlotOmegaProfile(pic, s); });
}

void PloteeTitle(PictureBox& pic, ChartState& s) {
  const Integer D = gCurDataset;
  if (D < 1 || D > kMaxDatasets) return;
  const double w = pic.TextWidth("1");
  const double h = pic.TextHeight("1");
  // Eight characters in from the left, four lines down from the top (and
  // from the omega strip, when it lies over the top), in whatever scale is
  // in force (down is the sign of the scale's height); on a chart so narrow
  // that the height labels reach that far, a character right of them (they
  // stand from 8.5 % of the width, " 1000 " the widest). It stands there at
  // every hour: where the chart's data run there, it is printed over them.
  const double pxPerUnit = pic.PixelWidth() / std::fabs(pic.ScaleWidth());
  const double labelsEndPx = 0.085 * pic.PixelWidth() + pic.TextWidth(" 1000 ") * pxPerUnit;
  const double leftPx = std::max(8 * w * pxPerUnit, labelsEndPx + w * pxPerUnit);
  const double x = pic.ScaleLeft() + leftPx * pic.ScaleWidth() / pic.PixelWidth();
  const double y = pic.ScaleTop() + 4 * h * (pic.ScaleHeight() < 0 ? -1 : 1) +
                   CoveredTopPx(s) * pic.ScaleHeight() / pic.PixelHeight();
  pic.ForeColor = kWhite;
  const std::string keptName = pic.FontName;
  const double keptSize = pic.FontSize;
  pic.FontName = "Lucida Console";
  pic.FontSize = 11;
  // One line where the picture holds it right of its place; else the title
  // and the label on two lines (a title alone split at the blank nearest
  // its middle), in the narrower face where that is what holds them.
  const std::string title = gDatasetTitle(D), label = gDatasetLabel(D);
  const double roomPx = pic.PixelWidth() - 2 - leftPx;
  std::vector<std::string> lines = {title + label};
  if (pic.TextWidthPx(lines.front()) > roomPx) {
    if (!label.empty() && !title.empty()) {
      lines = {title, label};
    } else if (const std::size_t mid = lines.front().size() / 2, blank = lines.front().rfind(' ', mid);
               blank != std::string::npos && blank > 0) {
      lines = {lines.front().substr(0, blank + 1), lines.front().substr(blank + 1)};
    }
    const auto widest = [&] {
      double most = 0;
      for (const std::string& l : lines) most = std::max(most, pic.TextWidthPx(l));
      return most;
    };
    if (widest() > roomPx) pic.FontName = picturetext::kCondensedFace;
  }
  std::vector<ChartLabels::Line> block;
  for (std::size_t i = 0; i < lines.size(); ++i)
    block.push_back({lines[i], x, y + static_cast<double>(i) * pic.TextHeightInScale(lines[i])});
  s.draw.labels.PrintBlock(pic, block, LabelPlace::Title, QPointF(x, y));
  pic.FontSize = keptSize;
  pic.FontName = keptName;
}

}  // namespace ondrik
