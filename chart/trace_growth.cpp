// Snow- and hail-growth layers: the parts of the temperature trace inside the
// dendritic band (-18..-12 deg C, coloured by the humidity at each piece's
// ends) and inside the hail-growth band (-30..-10 deg C) are drawn again in
// a bright pen. Where the trace crosses a bound between two levels the piece
// ends at the pressure where the trace has the bound's temperature.
#include <cmath>

#include "chart/steps.h"
#include "chart/trace_point.h"
#include "core/levels.h"

namespace ondrik {

namespace {

using chartpt::UsablePres;
using chartpt::X;

struct Band {
  double warm;  // Tw
  double cold;  // Tc
  bool snow;    // pieces coloured by humidity
  int width;
  Color color;  // hail colour (snow colours are chosen per piece)
  bool In(double t) const { return t >= cold && t <= warm; }
};

// Snow pieces: yellow when the air at both ends is moister than 75 %, pink
// otherwise; dimmed for datasets other than the shown one.
Color SnowColor(bool shown, double rhA, double rhB) {
  const bool moist = rhA > 75 && rhB > 75;
  if (shown) return moist ? RGB(255, 255, 0) : RGB(255, 127, 255);
  return moist ? RGB(127, 127, 0) : RGB(127, 63, 127);
}

void WalkBand(PictureBox& pic, const ChartState& s, Integer D, Integer H, const Band& b) {
  const bool shown = D == s.draw.ShownDataset;
  pic.DrawWidth = b.width;
  pic.ForeColor = b.color;
  // One level past the drawn top (the picture clips it), never past the
  // dataset's last level.
  const int last = std::min(chartpt::TopLevel(D) + 1, chartpt::LastLevel(D));
  if (last < 1) return;
  auto pt = [&](int L, double& x, double& y) {
    const double p = gPres(D, H, L);
    if (!UsablePres(p)) return false;
    x = X(s, gTemp(D, H, L), p);
    y = std::log(p);
    return true;
  };
  auto line = [&](double x1, double y1, double x2, double y2, double rhA, double rhB) {
    if (b.snow) pic.ForeColor = SnowColor(shown, rhA, rhB);
    pic.Line(x1, y1, x2, y2, pic.ForeColor);
  };

  bool inside = b.In(gTemp(D, H, 1));
  for (int L = 2; L <= last; ++L) {
    const double t = gTemp(D, H, L);
    const double tPrev = gTemp(D, H, L - 1);
    const bool nowIn = b.In(t);
    double x0, y0, x1, y1;
    if (!pt(L, x1, y1) || !pt(L - 1, x0, y0)) {
      inside = nowIn;
      continue;
    }
    const double rhL = b.snow ? static_cast<double>(gRH(D, H, L)) : 0;
    const double rhPrev = b.snow ? static_cast<double>(gRH(D, H, L - 1)) : 0;
    if (inside && nowIn) {
      line(x0, y0, x1, y1, rhPrev, rhL);
    } else if (inside != nowIn) {
      // Crossing a bound: leaving, the bound is the one beyond T(L); entering,
      // the one T(L-1) lay beyond.
      const double outer = inside ? t : tPrev;
      const double bound = outer > b.warm ? b.warm : b.cold;
      const double pc = InterpolateP(H, L, static_cast<Single>(bound));
      if (UsablePres(pc)) {
        const double xc = X(s, bound, pc), yc = std::log(pc);
        const double rhC = b.snow ? static_cast<double>(InterpolateToPressure(H, static_cast<Single>(pc))) : 0;
        // The piece is coloured by the humidity at its own two ends.
        if (inside) line(x0, y0, xc, yc, rhPrev, rhC);
        else line(xc, yc, x1, y1, rhC, rhL);
      }
    }
    inside = nowIn;
  }
}

}  // namespace

void PlotGrowthLayers(PictureBox& picData, ChartState& s) {
  const Integer D = gCurDataset, H = s.in.CurHour;
  if (chartpt::DatasetHourOk(D, H)) {
    const bool shown = D == s.draw.ShownDataset;
    if (s.opt.chkSnowGrowth)
      chartpt::Guarded([&] {
        WalkBand(picData, s, D, H, Band{-12, -18, true, shown ? 3 : 1, picData.ForeColor});
      });
    if (s.opt.chkSnowGrowth) picData.DrawWidth = 1;
    if (s.opt.chkHailGrowth)
      chartpt::Guarded([&] {
        WalkBand(picData, s, D, H,
                 Band{-10, -30, false, shown ? 3 : 2, shown ? RGB(255, 255, 255) : RGB(127, 127, 127)});
      });
    if (s.opt.chkHailGrowth) picData.DrawWidth = 1;
  }
  // The closing steps (wind column) draw in the frame system.
  if (gChartTop > 0 && gChartBottom > 0) SetFrameSystem(picData, s);
}

}  // namespace ondrik
