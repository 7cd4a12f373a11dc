// The lifted surface parcel on the chart: the CAPE trace (moist adiabat from
// the equilibrium level down to the level of free convection) and the CIN
// trace (moist adiabat from the LFC down to the condensation level, then the
// dry adiabat to the surface). The moist-adiabat temperatures of each
// (dataset, hour) are lifted once and kept in gParcelTraceTemp and
// gCinTraceTemp; the done flags say a cache holds the whole trace.
#include <cmath>

#include "chart/steps.h"
#include "chart/trace_point.h"
#include "core/levels.h"
#include "core/thermo.h"

namespace ondrik {

namespace {

using chartpt::UsablePres;
using chartpt::X;

// The pressure a walk step draws at: the bottom point `bottom` for the first
// level below it (which ends the walk), the level itself while it lies below
// the trace's top, else nothing.
struct WalkStep {
  bool draw = false;
  bool last = false;
  double p = 0;
};

WalkStep StepAt(double pLevel, double bottom, double topP) {
  WalkStep w;
  if (pLevel > bottom) {
    w.draw = w.last = true;
    w.p = bottom;
  } else if (pLevel > topP) {
    w.draw = true;
    w.p = pLevel;
  }
  return w;
}

// Walks the levels from the drawn top down to level 2 along the moist
// adiabat through (t0, topP), drawing from the current point and ending at
// the first level below `bottom`, with the parcel temperature there. Reads
// the cache when it is complete, fills it otherwise and marks it complete
// once a walk has covered every level of the trace (the drawn top lies above
// topP). Returns false when no level was walked; tLast is the last parcel
// temperature drawn.
bool WalkMoist(PictureBox& pic, const ChartState& s, Integer D, Integer H, double t0, double topP,
               double bottom, LevelArray<Single>& cache, HourArray<Integer>& done, double& tLast) {
  const int top = chartpt::TopLevel(D);
  const bool cached = done(D, H) != 0;
  bool walked = false;
  for (int L = top; L >= 2; --L) {
    const double pl = gPres(D, H, L);
    if (!UsablePres(pl)) continue;
    const WalkStep w = StepAt(pl, bottom, topP);
    if (!w.draw) continue;
    Single tp;
    if (cached) {
      tp = cache(D, H, L);
    } else {
      tp = LiftMoist(static_cast<float>(t0), static_cast<float>(topP), static_cast<float>(w.p));
      cache(D, H, L) = tp;
    }
    pic.LineTo(X(s, tp, w.p), std::log(w.p));
    tLast = tp;
    walked = true;
    if (w.last) break;
  }
  // Complete only when the walk is done and started above the trace's top.
  if (!cached && walked && top >= 2 && gPres(D, H, top) < topP) done(D, H) = -1;
  return walked;
}

void DrawCapeTrace(PictureBox& pic, const ChartState& s, Integer D, Integer H, double lfc) {
  const double el = gEqlv(D, H);
  if (!UsablePres(el)) return;  // no equilibrium level in the file's indices
  const Single t0 = TempAtPressure(H, static_cast<Single>(el));
  if (IsMissing(t0)) return;  // the EL lies above the profile: no start temperature
  pic.ForeColor = eRGB(s, 255, 255, 0);
  pic.DrawWidth = 2;
  pic.PSet(X(s, t0, el), std::log(el), pic.ForeColor);
  double tLast = 0;
  WalkMoist(pic, s, D, H, t0, el, lfc, Store().gParcelTraceTemp, Store().gParcelTraceDone, tLast);
  pic.DrawWidth = 1;
}

void DrawCinTrace(PictureBox& pic, const ChartState& s, Integer D, Integer H, double lfc) {
  const double lcl = gLclPres(D, H);
  if (!UsablePres(lcl)) return;  // no condensation level: the trace has no bottom
  const Single t1 = TempAtPressure(H, static_cast<Single>(lfc));
  if (IsMissing(t1)) return;
  pic.ForeColor = eRGB(s, 0, 127, 255);
  pic.DrawWidth = 2;
  pic.PSet(X(s, t1, lfc), std::log(lfc), pic.ForeColor);
  double tl = 0;
  if (WalkMoist(pic, s, D, H, t1, lfc, lcl, Store().gCinTraceTemp, Store().gCinTraceDone, tl)) {
    // Dry adiabat from the parcel at the condensation level down to the
    // surface (no skew shift there).
    const double sfc = gSfcPres(D, H);
    if (UsablePres(sfc)) {
      const double td = DryAdiabatC(tl, lcl, sfc);
      pic.LineTo(td, s.draw.LnSurfacePres);
    }
  }
  pic.DrawWidth = 1;
}

}  // namespace

void PlotParcelTraces(PictureBox& picData, ChartState& s) {
  if (!s.opt.chkParcel && !s.opt.chkCINS) return;
  const Integer D = gCurDataset, H = s.in.CurHour;
  if (!chartpt::DatasetHourOk(D, H) || chartpt::LastLevel(D) < 2) return;
  // Both traces need a level of free convection above the second level.
  const double lfc = gLfct(D, H);
  if (!UsablePres(lfc) || !(lfc < gPres(D, H, 2))) return;
  if (s.opt.chkParcel) chartpt::Guarded([&] { DrawCapeTrace(picData, s, D, H, lfc); });
  if (s.opt.chkCINS) chartpt::Guarded([&] { DrawCinTrace(picData, s, D, H, lfc); });
}

}  // namespace ondrik
