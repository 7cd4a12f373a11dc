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
// Picture pixels between the digits of the digital winds of two levels.
constexpr double kRowGapPx = 3;
// The surface strip's values move along its row within its left part (the
// temperatures) or its right part (the 10 m winds), frame x, before they
// stack up near their places.
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

// Moves the sorted values apart, each at least `gap` from the next, by as
// little as they must and keeping their order, between lo and hi; false
// (and nothing moved) when there is not room for that.
bool SpreadApart(std::vector<double>& v, double gap, double lo, double hi) {
  if (v.empty()) return true;
  const std::size_t n = v.size();
  if (gap * static_cast<double>(n - 1) > hi - lo) return false;
  // Down from the first, then up from the last, then down again from lo.
  v.front() = std::max(v.front(), lo);
  for (std::size_t i = 1; i < n; ++i) v[i] = std::max(v[i], v[i - 1] + gap);
  v.back() = std::min(v.back(), hi);
  for (std::size_t i = n - 1; i-- > 0;) v[i] = std::min(v[i], v[i + 1] - gap);
  v.front() = std::max(v.front(), lo);
  for (std::size_t i = 1; i < n; ++i) v[i] = std::max(v[i], v[i - 1] + gap);
  return true;
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
  return (s.draw.LnSurfacePres + std::log(static_cast<double>(gChartBottom))) / 2;
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
        // where it moves, the two go together.
        pic.CurrentX = 86;
        pic.CurrentY = ys - s.draw.HalfTextHeight;
        s.draw.labels.Print(pic, HalfUpText(gWind10Dir(D, H)) + HalfUpText(gWind10m(D, H)), LabelPlace::Column,
                            kStripRightFrom, 100);
      }
    }
  }

  if (shown && s.opt.chkWindDigital) {
    const double w = pic.TextWidth("999");
    pic.ForeColor = kYellow;
    const DigitalWindRows lay = LayDigitalWinds(pic, s, D, H);
    for (const DigitalWindRows::Row& row : lay.rows) {
      const Integer e = row.e;
      // Along its row away from the rings, then a little up or down; the
      // direction and the speed as one text when they stand together.
      const std::string speed = RoundEvenText(gWspd(D, H, e));
      const std::string dir = s.opt.DigitalWindDirections ? RoundEvenText(gWdir(D, H, e)) : "";
      pic.CurrentY = row.y - s.draw.HalfTextHeight;
      pic.CurrentX = 93 + 0.4 * w;
      if (lay.together) {
        s.draw.labels.Print(pic, dir + speed, LabelPlace::Column, pic.CurrentX, 100);
        continue;
      }
      s.draw.labels.Print(pic, speed, LabelPlace::Column, pic.CurrentX, 100);
      if (dir.empty()) continue;
      pic.CurrentX = 93 - 1.6 * w;
      pic.CurrentY = row.y - s.draw.HalfTextHeight;
      // Where the feathers of a westerly wind run: after the level markers.
      s.draw.labels.Print(pic, dir, LabelPlace::ColumnAfter, 93 - 2.1 * w - pic.TextWidth(dir),
                          93 - 1.6 * w + pic.TextWidth(dir));
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
  s.draw.labels.Print(pic, m.label, LabelPlace::AlongRow, kMarkLabelFrom, 100);
}

}  // namespace

DigitalWindRows LayDigitalWinds(const PictureBox& pic, const ChartState& s, Integer D, Integer H) {
  DigitalWindRows out;
  const double ys = SurfaceStripY(s);
  const WindLevels lv = ChooseWindLevels(s, D, H);
  for (int i = 0; i < lv.count; ++i) {
    const Integer e = lv.level[static_cast<size_t>(i)];
    double y;
    if (!WindLevelY(D, H, e, ys, y)) continue;
    // The 10 m wind's numbers stand there already.
    if (e == 0 && s.opt.chkWindVector && s.opt.chk10MWind) continue;
    out.rows.push_back({e, y});
  }
  // Apart by a line of digits, in their order, within the chart, where it
  // has room for all (a column that reads in the order of the rings).
  std::vector<double> px;
  for (const DigitalWindRows::Row& r : out.rows) px.push_back(pic.YToPixel(r.y));
  std::vector<double> apart = px;
  std::sort(apart.begin(), apart.end());
  const double linePx = pic.TextInkPx("0").height() + kRowGapPx;
  const bool spread = SpreadApart(apart, linePx, pic.YToPixel(std::log(static_cast<double>(gChartTop))) + linePx / 2,
                                  pic.PixelHeight() - linePx / 2 - 1);
  // (The rows come bottom up, the spread values top down.)
  std::vector<double> sorted = px;
  std::sort(sorted.begin(), sorted.end());
  if (spread)
    for (std::size_t i = 0; i < out.rows.size(); ++i) {
      const std::size_t k = static_cast<std::size_t>(std::lower_bound(sorted.begin(), sorted.end(), px[i]) - sorted.begin());
      out.rows[i].y = pic.PixelToY(apart[std::min(k, apart.size() - 1)]);
    }
  out.together = spread && s.opt.DigitalWindDirections &&
                 93 + kRingRadius + pic.TextWidth(" 999  999 ") * 100 / std::fabs(pic.ScaleWidth()) <= 100;
  return out;
}

WindLevels ChooseWindLevels(const ChartState& s, Integer D, Integer H) {
  WindLevels w;
  const int top = std::min<int>(gTopLevel(D), LevelCount(D));
  // A step below 1 would never advance.
  const int step = s.opt.WindAutoMode ? 1 : std::max<int>(1, s.opt.WindLevelStep);
  const double chartSpan = std::log(static_cast<double>(gChartBottom)) -
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
                        LabelPlace::AtPoint);
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
                          LabelPlace::AtPoint);
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
      s.draw.labels.Print(pic, HalfUpText(gSfcTemp(D, H)) + "/" + HalfUpText(gSfcDewpt(D, H)), LabelPlace::Column, 0,
                          kStripLeftTo);
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
  // stand from 8.5 % of the width, " 1000 " the widest). Where the chart's
  // data run there, the title moves right and down to a clear place.
  const double pxPerUnit = pic.PixelWidth() / std::fabs(pic.ScaleWidth());
  const double labelsEndPx = 0.085 * pic.PixelWidth() + pic.TextWidth(" 1000 ") * pxPerUnit;
  const double leftPx = std::max(8 * w * pxPerUnit, labelsEndPx + w * pxPerUnit);
  pic.CurrentX = pic.ScaleLeft() + leftPx * pic.ScaleWidth() / pic.PixelWidth();
  pic.CurrentY = pic.ScaleTop() + 4 * h * (pic.ScaleHeight() < 0 ? -1 : 1) +
                 CoveredTopPx(s) * pic.ScaleHeight() / pic.PixelHeight();
  pic.ForeColor = kWhite;
  const std::string keptName = pic.FontName;
  const double keptSize = pic.FontSize;
  pic.FontName = "Lucida Console";
  pic.FontSize = 11;
  // Anywhere over the ground (the surface line in the frame system), where
  // it is clear of the data.
  const double l = pic.ScaleLeft(), t = pic.ScaleTop(), sw = pic.ScaleWidth(), sh = pic.ScaleHeight();
  SetFrameSystem(pic, s);
  const double groundPx = pic.YToPixel(s.draw.LnSurfacePres);
  pic.Scale(l, t, l + sw, t + sh);
  s.draw.labels.Print(pic, gDatasetTitle(D) + gDatasetLabel(D), LabelPlace::Anywhere, pic.ScaleTop(),
                      pic.PixelToY(groundPx));
  pic.FontSize = keptSize;
  pic.FontName = keptName;
}

}  // namespace ondrik
