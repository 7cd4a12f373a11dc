// The texts a chart redraw must show, worked out from the store and the
// chart's choices as the chart's drawing steps print them: the title, every
// height or pressure number and every temperature number whose tick lies on
// the chart, the digital winds of every level of the wind column (its
// direction and speed one text where they stand together), and, for
// every dataset drawn, its level markers, convective temperature, momentum
// labels, 10 m wind (its direction and speed one text) and 2 m
// temperatures, moist lake index and jet label; the lake index once; the
// shown dataset's inversion bases and precipitation type. A text whose
// point lies off the chart is not looked for.
#pragma once

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/windcolumn.h"
#include "core/guards.h"
#include "core/levels.h"
#include "core/shared.h"
#include "core/store.h"
#include "tests/common/text_check.h"

namespace ondrik::testing {

namespace chart_texts_detail {

inline bool Usable(double p) { return std::isfinite(p) && p > 0 && p < 2000; }

inline std::string HalfUp(double v) {
  return std::isfinite(v) && std::fabs(v) < 1e9 ? ChartNumber(static_cast<long>(std::floor(v + 0.5))) : "";
}
inline std::string RoundEven(double v) {
  return std::isfinite(v) && std::fabs(v) < 1e9 ? ChartNumber(static_cast<long>(std::nearbyint(v))) : "";
}
inline std::string IndexText(long n) { return n < 0 ? std::to_string(n) : " " + std::to_string(n); }

}  // namespace chart_texts_detail

// For a chart drawn on pic with state s (after PlotProfile).
inline std::vector<Expected> ChartTextsToShow(PictureBox& pic, const ChartState& s) {
  using namespace chart_texts_detail;
  std::vector<Expected> out;
  std::map<std::string, int> anywhere;
  const Integer shown = s.draw.ShownDataset, H = s.in.CurHour;
  const Integer count = std::min<Integer>(gDatasetCount, kMaxDatasets);
  if (shown < 1 || shown > count || H < 0 || H > gLastHour(shown)) return out;
  const CurrentDatasetGuard keep(shown);
  const double lnTop = std::log(static_cast<double>(gChartTop)), lnBottom = std::log(static_cast<double>(gChartBottom));
  SetFrameSystem(pic, s);
  const double line = pic.TextHeightPx("9");
  // A text on the row of ln p; none for a row within half a line of the
  // chart's top, where its text has no room.
  const double topPx = pic.YToPixel(lnTop);
  const auto inRow = [&](const std::string& text, double lnp) {
    const double y = pic.YToPixel(lnp);
    if (y - topPx < 0.5 * line) return;
    out.push_back({text, 1, QRectF(0, y - 0.5 * line, pic.PixelWidth(), line)});
  };
  const auto onChart = [&](double p) { return Usable(p) && std::log(p) >= lnTop && std::log(p) <= lnBottom; };
  const auto inRange = [](double x) { return x >= gChartTMin && x <= gChartTMax; };

  // The title, on one line or two (the title and the label).
  if (const std::string title = gDatasetTitle(shown), label = gDatasetLabel(shown); !title.empty() && !label.empty())
    ++anywhere[title.substr(0, title.find_last_not_of(' ') + 1) + "*" + label];
  else if (!(title + label).empty())
    ++anywhere[title + label];

  // Heights or pressures.
  const auto level = [&](double p, const std::string& label) {
    if (onChart(p)) inRow(label, std::log(p));
  };
  const int ft = static_cast<int>(std::floor(StdHeightFtOfPressure(static_cast<Single>(gChartTop))));
  switch (s.opt.VerticalUnit) {
    case 0:
      for (int p = gChartTop < 200 ? 150 : 950; p >= gChartTop; p -= 100) level(p, ChartNumber(p));
      for (int p = 1000; p >= gChartTop; p -= 100) level(p, ChartNumber(p));
      break;
    case 1:
      if (ft / 1000 <= 20)
        for (int i = 1; i <= ft / 1000; ++i)
          if (i % 5 != 0) level(gPresAtKft(i), ChartNumber(i));
      for (int i = 5; i <= ft / 1000 && i <= 70; i += 5) level(gPresAtKft(i), ChartNumber(i));
      break;
    case 2:
      for (int k = 1; k <= ft / 3281 && k <= 20; ++k) level(gPresAtKm(k), std::to_string(k) + "Km");
      break;
    default:
      break;
  }

  // Temperatures under the surface line, where their ticks lie on the chart.
  if (Usable(gSfcPres(shown, H))) {
    const double skewSpan = (s.opt.chkSkewT ? kSkewPerLnP : 0.0) * (std::log(static_cast<double>(gSfcPres(shown, H))) - lnTop);
    const int step = gChartTMax - gChartTMin < 45 ? 5 : 10;
    const int t0 = static_cast<int>(std::nearbyint(std::floor((gChartTMin - skewSpan) / step) * step - step));
    for (int t = t0; t <= gChartTMax; t += step)
      if (inRange(t)) ++anywhere[ChartNumber(t)];
  }

  // The shown dataset's digital winds, level by level, in the rows their
  // column gives them (where they stand together, the direction and the
  // speed one text).
  if (s.opt.chkWindDigital) {
    const DigitalWindRows lay = LayDigitalWinds(pic, s, shown, H);
    for (const DigitalWindRows::Row& row : lay.rows) {
      const Integer e = row.e;
      if (e > 0 && !onChart(gPres(shown, H, e))) continue;  // a level above a zoomed chart's top
      if (lay.together) {
        inRow(RoundEven(gWdir(shown, H, e)) + RoundEven(gWspd(shown, H, e)), row.y);
        continue;
      }
      inRow(RoundEven(gWspd(shown, H, e)), row.y);
      if (s.opt.DigitalWindDirections) inRow(RoundEven(gWdir(shown, H, e)), row.y);
    }
  }

  // The shown dataset's inversion bases and precipitation type.
  if (s.opt.chkInversions) {
    const Integer n = std::min<Integer>(gNumLevels(shown), kMaxLevels);
    Integer t = 0;
    for (Integer j = n; j >= 1 && t == 0; --j)
      if (gPres(shown, 0, j) > 400) t = j;
    t = std::min<Integer>(t, n - 1);
    bool labelled = false;
    for (Integer i = 1; i <= t; ++i) {
      const Single dT = gTemp(shown, H, i + 1) - gTemp(shown, H, i);
      const Single depression = gTemp(shown, H, i + 1) - gDewpt(shown, H, i + 1);
      const bool marked = Usable(gPres(shown, H, i)) && Usable(gPres(shown, H, i + 1)) &&
                          (dT >= s.in.gInversionDT || (dT >= s.in.gIsothermDT && depression >= s.in.gIsothermMinDepression));
      if (!marked) {
        labelled = false;
        continue;
      }
      if (!labelled && onChart(gPres(shown, H, i))) ++anywhere[HalfUp(gPres(shown, H, i)) + "mb"];
      labelled = true;
    }
  }
  if (gPrecip(shown, H) > 0) {
    const Long code = s.opt.chksWSYMb ? gPtypeSrcA(shown, H) : gPtypeSrcB(shown, H);
    if (const std::string label = PrecipTypeLabel(code); !label.empty()) ++anywhere[label];
  }

  // Every dataset drawn: its own markers, momentum labels, surface strip,
  // lake indices and jet label.
  const DrawOrder order = OverlayOrder(shown, gOverlayAll, count);
  for (int k = 0; k < order.n; ++k) {
    const Integer D = order.d[k];
    if (D < 1 || D > count || !gDatasetShown(D) || H > gLastHour(D) || !Usable(gSfcPres(D, H))) continue;
    gCurDataset = D;
    const double sfc = gSfcPres(D, H), lnSfc = std::log(sfc);
    const double skew = s.opt.chkSkewT ? kSkewPerLnP : 0.0;
    const auto x = [&](double t, double p) { return t + skew * (lnSfc - std::log(p)); };
    const auto mark = [&](bool on, double p, double t, double margin, const char* text) {
      if (!on || !onChart(p) || !(sfc - p > margin) || !std::isfinite(t) || IsMissing(static_cast<Single>(t))) return;
      if (inRange(x(t, p))) ++anywhere[text];
    };
    const auto env = [&](double p) { return Usable(p) ? static_cast<double>(TempAtPressure(H, static_cast<Single>(p))) : kMissing; };
    mark(s.opt.chkLCL, gLclPres(D, H), gLclTemp(D, H), 20, "<LCL");
    mark(s.opt.chkLFC, gLfct(D, H), env(gLfct(D, H)), 20, " <LFC");
    mark(s.opt.chkEQL, gEqlv(D, H), env(gEqlv(D, H)), 60, " <EQL");
    const double wbz = StdPressureOfFeet(gWbzHgt(D, H));
    mark(s.opt.chkWBZ, wbz, env(wbz), 10, " <WBZ");
    mark(s.opt.chkCCL, gCclPres(D, H), env(gCclPres(D, H)), 10, " <CCL");
    const double ct = gConvTemp(D, H);
    if (s.opt.chkConvectiveTemp && std::isfinite(ct) && ct < 99 && ct > -1000) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.1f", ct);
      // Beyond the chart's edge, its value at the edge, pointing off it.
      if (ct > gChartTMax) {
        ++anywhere[std::string(buf) + " >"];
      } else if (ct < gChartTMin) {
        ++anywhere["< " + std::string(buf)];
      } else {
        ++anywhere["v"];
        ++anywhere[buf];
      }
    }
    if (s.opt.chkMomentum && gNumLevels(D) >= 1) {
      const Integer M = std::min<Integer>(MixingTopLevel(D, H, s.opt.gXferIndex), std::min<Integer>(gNumLevels(D), kMaxLevels));
      const auto at = [&](Integer L) { return onChart(gPres(D, H, L)) && inRange(x(gTemp(D, H, L), gPres(D, H, L))); };
      if (at(M)) ++anywhere[" ---> *kts"];
      if (M > 1 && at(M / 2)) ++anywhere[" ---> *kts"];
    }
    // (Another dataset's values in the surface strip stand where they are
    // clear: the shown dataset's covers them.)
    if (s.opt.chk10MWind && D == shown) {
      ++anywhere[HalfUp(gSfcTemp(D, H)) + "/" + HalfUp(gSfcDewpt(D, H))];
      if (s.opt.chkWindVector) ++anywhere[HalfUp(gWind10Dir(D, H)) + HalfUp(gWind10m(D, H))];
    }
    // (The lake index is the lake's, the same for every dataset: once.)
    if (s.opt.chkLakeIndex && D == shown) {
      const double diff = static_cast<double>(s.in.lblT850) - (static_cast<double>(s.in.lblLakeC) - s.in.LakeIndexDiff);
      if (onChart(s.in.LakeIndexPres) && std::isfinite(diff)) ++anywhere[IndexText(std::lrint(diff))];
    }
    if (s.opt.chkMoistLakeIndex && gNumLevels(D) >= 2) {
      const double tmix = (static_cast<double>(s.in.lblLakeC) + (static_cast<double>(gTemp(D, H, 1)) + gTemp(D, H, 2)) / 2) / 2;
      const double pm = sfc - 150;
      const Single te = Usable(pm) ? TempAtPressure(H, static_cast<Single>(pm)) : kMissing;
      if (onChart(pm) && !IsMissing(te)) ++anywhere[IndexText(static_cast<long>(std::floor(te - (tmix - 9) + 0.5)))];
    }
    if (s.events != nullptr) {
      const ChartMarks m = s.events->MarksFor(D, H);
      if (!m.label.empty() && onChart(m.labelPres)) ++anywhere[m.label];
    }
  }
  for (const auto& [text, n] : anywhere) out.push_back({text, n});
  return out;
}

// The checks of a chart picture besides `checks`: every text it must show,
// and a last resort (a text over the data, where the chart is crowded: the
// digital wind directions left of the rings over the feathers of a
// westerly wind, every member overlaid, the smallest snapshots) for at most
// one text in two.
inline Checks ChartChecks(PictureBox& pic, const ChartState& s, Checks checks = {}) {
  checks.present = ChartTextsToShow(pic, s);
  checks.lastResorts = static_cast<int>(pic.PrintedTexts().size() / 2);
  return checks;
}

// The faults of a chart picture, one line each, but the crossings where a
// text that found no clear place near what it labels stands there over
// another (crowded members of an ensemble, the smallest pictures): those
// are counted in `overAtOwnPlace`.
inline std::string ChartFaultLines(const PictureBox& pic, const Checks& checks, int& overAtOwnPlace) {
  std::string lines;
  for (const Fault& f : Faults(pic, checks)) {
    if (OverAtOwnPlace(f))
      ++overAtOwnPlace;
    else if (f.what.rfind("digits ", 0) != 0)
      lines += "  \"" + f.text + "\" " + f.what + "\n";
  }
  return lines;
}

}  // namespace ondrik::testing
