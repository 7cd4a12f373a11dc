// The wind traces of the overview: the layer mean wind and the transport
// wind directions, the three sigma-level directions with their legend, and
// the time-height profile of wind vectors.
#include <algorithm>
#include <cmath>

#include "core/constants.h"
#include "core/numberformat.h"
#include "overview/calc.h"
#include "overview/plotters.h"

namespace ondrik {

Color WindClassColour(Single spread) {
  if (spread <= 2.0f) return RGB(0, 232, 0);
  if (spread <= 4.0f) return RGB(232, 232, 0);
  return RGB(232, 0, 0);
}

Color VWPClassColour(Single knots, const std::array<Integer, 6>& bounds) {
  size_t i = 0;
  while (i < bounds.size() && knots >= static_cast<Single>(bounds[i])) ++i;
  return kVWPClassColours[i];
}

std::vector<DirectionPoint> DirectionTracePoints(const std::vector<Single>& dir) {
  std::vector<DirectionPoint> out;
  bool pen = false;
  for (size_t h = 0; h < dir.size(); ++h) {
    const double x = static_cast<double>(h), y = dir[h];
    if (!std::isfinite(y)) {
      pen = false;
      continue;
    }
    if (pen) {
      const double delta = y - dir[h - 1];
      if (delta < -180) {  // up through 360
        out.push_back({x, y + 360, true});
        out.push_back({x - 1, dir[h - 1] - 360.0, false});
      } else if (delta > 180) {  // down through 0
        out.push_back({x, y - 360, true});
        out.push_back({x - 1, dir[h - 1] + 360.0, false});
      }
    }
    out.push_back({x, y, pen});
    pen = true;
  }
  return out;
}

namespace {

// Draws a direction trace on the direction axis: segments in colour(h) of
// the hour they end at, a filled dot of radius r at every point drawn.
template <typename Colour>
void DirectionTrace(OverviewDraw& d, const std::vector<Single>& dir, double r, Colour&& colour) {
  PictureBox& pic = d.rh;
  ScaleTo(d, Axis::Direction);
  if (d.plan) {
    // Dots at every point: the line as wide as they reach, a dot where it starts.
    double from[2] = {0, 0};
    for (const DirectionPoint& p : DirectionTracePoints(dir)) {
      const double to[4] = {from[0], from[1], p.x, p.y};
      if (p.line)
        PlanLine(d, to, PlanDotHalf(pic, r));
      else
        PlanDot(d, p.x, p.y, r);
      from[0] = p.x;
      from[1] = p.y;
    }
    return;
  }
  pic.Fill = FillStyle::Solid;
  pic.FillTransparent = false;
  for (const DirectionPoint& p : DirectionTracePoints(dir)) {
    const Color c = colour(static_cast<int>(std::lround(p.x)));
    pic.ForeColor = pic.FillColor = c;
    if (p.line) {
      pic.LineTo(p.x, p.y, c);
      pic.Circle(p.x, p.y, r, c);
    } else {
      pic.CurrentX = p.x;
      pic.CurrentY = p.y;
      // A dot where a trace starts, none where a segment comes in from the other edge.
      if (p.y >= 0 && p.y <= 360) pic.Circle(p.x, p.y, r, c);
    }
  }
  pic.FillTransparent = true;
}

std::vector<Single> HourSeries(Integer D, const HourArray<Single>& a) {
  std::vector<Single> v;
  for (int h = 0; h <= LastHourOf(D); ++h) v.push_back(a(D, h));
  return v;
}

Color Dim(const OverviewState& s, Color c) { return eRGB(s, RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace

void PlotMeanWind(OverviewDraw& d) {
  const Integer D = gCurDataset;
  if (!IsLoadedDataset(D)) return;
  eWidth(d, 2);
  DirectionTrace(d, HourSeries(D, Store().MeanWindDir), 0.3,
                 [&](int h) { return Dim(d.s, WindClassColour(Store().MeanWindSpread(D, std::max(h, 0)))); });
  d.rh.DrawWidth = 1;
}

void PlotTransportDirection(OverviewDraw& d) {
  const Integer D = gCurDataset;
  if (!IsLoadedDataset(D)) return;
  eWidth(d, 2);
  const Color c = eRGB(d.s, 255, 127, 63);
  DirectionTrace(d, HourSeries(D, Store().TransportWindDir), 0.2, [c](int) { return c; });
  d.rh.DrawWidth = 1;
}

namespace {
constexpr Color kSigmaWindColour[3] = {RGB(255, 0, 255), kYellow, kCyan};
}

void PlotSigmaWind(OverviewDraw& d) {
  const Integer D = gCurDataset;
  if (!IsLoadedDataset(D)) return;
  const Integer step = d.s.in.SigmaLevelStep, level = d.s.opt.SigmaLevel;
  for (int n = 1; n <= 3; ++n) {
    const Integer L = n * step + (level - 2 * step);
    if (L < 1 || L > LevelsOf(D)) continue;
    std::vector<Single> dir;
    for (int h = 0; h <= LastHourOf(D); ++h) dir.push_back(OrNoValue(gWdir(D, h, L)));
    const Color c = kSigmaWindColour[n - 1];
    DirectionTrace(d, dir, 0.2, [c](int) { return c; });
  }
}

void DrawSigmaWindScale(PictureBox& pic, const OverviewState& s) {
  pic.Cls();
  pic.DrawWidth = 3;
  // A small face: four digits and the unit fit beside the line.
  pic.FontSize = 7;
  const Integer D = gCurDataset;
  for (int n = 0; n <= 2; ++n) {
    const Integer L = n * s.in.SigmaLevelStep + (s.opt.SigmaLevel - s.in.SigmaLevelStep);
    const double y = 500 - 200 * n;
    const std::string text =
        IsLoadedDataset(D) && L >= 1 && L <= LevelsOf(D) ? Format(gPres(D, 0, L), "0 mb") : std::string();
    // The pressure right of its line; where the picture is too narrow for
    // it, the line gives way so that the text stands whole.
    double textX = pic.XToPixel(265);
    double lineEnd = 220;
    if (!text.empty()) {
      const double room = pic.PixelWidth() - 1 - InkBox(pic, text, 0, 0).right;
      if (textX > room) {
        textX = std::max(room, pic.XToPixel(20) + 4 + kTextGap);
        lineEnd = pic.PixelToX(textX - kTextGap - 2);
      }
    }
    pic.Line(20, y, lineEnd, y, kSigmaWindColour[n]);
    pic.CurrentX = pic.PixelToX(textX);
    pic.CurrentY = y - 80;
    if (!text.empty()) pic.Print(text);
  }
  pic.DrawWidth = 1;
}

void PlotVWP(OverviewDraw& d) {
  const OverviewState& s = d.s;
  const Integer D = gCurDataset;
  if (!IsLoadedDataset(D)) return;
  PictureBox& pic = d.rh;
  pic.Fill = FillStyle::Solid;
  pic.Mode = DrawMode::CopyPen;
  ScaleTo(d, Axis::Height);
  // A length along x as the same screen length along y (negative: time
  // runs right to left).
  const double aspect = (pic.ScaleHeight() / pic.ScaleWidth()) /
                        (static_cast<double>(pic.PixelHeight()) / pic.PixelWidth());
  const bool classes = s.opt.On(kBoxVWPColor);
  // The vectors of each class colour, drawn together: a dot of radius 0.1
  // column and a line 0.1 column per knot toward where the wind comes from.
  struct Vectors {
    std::vector<double> lines, dots;
    std::vector<PictureBox::PointRun> lineRuns, dotRuns;
  };
  std::array<Vectors, 8> byColour;
  std::array<Color, 8> colours{};
  const auto vector = [&](double x, double y, Single dir, Single speed) {
    if (!std::isfinite(y) || !std::isfinite(speed)) return;
    const Color c = Dim(s, classes ? VWPClassColour(speed, s.opt.VWPBounds) : kYellow);
    size_t i = 0;
    while (i < 7 && colours[i] != c && !byColour[i].dots.empty()) ++i;
    colours[i] = c;
    Vectors& v = byColour[i];
    const double a = (450 - dir) * kRadPerDegRounded;
    v.lineRuns.push_back({v.lines.size() / 2, 2});
    v.lines.insert(v.lines.end(), {x, y, x - std::cos(a) * speed * 0.1, y + std::sin(a) * speed * 0.1 * aspect});
    v.dotRuns.push_back({v.dots.size() / 2, 1});
    v.dots.insert(v.dots.end(), {x, y});
  };
  const bool automatic = s.opt.VWPAuto != 0;
  const int step = automatic ? 1 : std::max<Integer>(s.opt.VWPInterval, 1);
  const int top = std::clamp<int>(s.draw.TopLevel[static_cast<size_t>(D)], 0, LevelsOf(D));
  const double span = s.frame.LogPSpan != 0 ? s.frame.LogPSpan : 1;
  for (int h = 0; h <= LastHourOf(D); ++h) {
    double last = 9999;
    for (int k = 1; k <= top; k += step) {
      const double p = gPres(D, h, k);
      if (!(p > 0) || NoWind(D, h, k)) continue;
      if (automatic) {
        if ((std::log(last) - std::log(p)) / span < 0.04 * s.opt.VWPAutoInterval) continue;
        last = p;
      }
      vector(h, LevelY(s, D, k), gWdir(D, h, k), gWspd(D, h, k));
    }
    if (s.opt.TenMeterBase != 0 && !NoWind(D, h, 0))
      vector(h, (s.frame.LogPSurface[static_cast<size_t>(D)] + s.frame.LogPBottom) / 2, gWdir(D, h, 0), gWspd(D, h, 0));
  }
  // Dots of a pixel or so are squares of that size, drawn at once; larger
  // ones (a time window of few columns) are drawn as the circles they are.
  const double dotPixels = 0.1 * pic.PixelWidth() / std::abs(pic.ScaleWidth());
  for (size_t i = 0; i < byColour.size(); ++i) {
    const Vectors& v = byColour[i];
    if (v.dots.empty()) continue;
    if (d.plan) {
      // Each vector as wide as its dot, which stands at its start.
      pic.DrawWidth = 1;
      for (const PictureBox::PointRun& run : v.lineRuns)
        PlanLine(d, std::span<const double>(v.lines).subspan(2 * run.first, 2 * run.count), PlanDotHalf(pic, 0.1));
      continue;
    }
    pic.DrawWidth = 1;
    pic.PolyLines(v.lines, v.lineRuns, colours[i]);
    if (dotPixels < 1.5) {
      pic.DrawWidth = 2 * static_cast<int>(std::lround(dotPixels)) + 1;
      pic.PolyLines(v.dots, v.dotRuns, colours[i]);
      continue;
    }
    pic.FillTransparent = false;
    pic.FillColor = colours[i];
    for (size_t k = 0; k + 1 < v.dots.size(); k += 2) pic.Circle(v.dots[k], v.dots[k + 1], 0.1, colours[i]);
    pic.FillTransparent = true;
  }
  pic.DrawWidth = 1;
}

}  // namespace ondrik
