#include "overview/contour.h"

#include <algorithm>
#include <cmath>

#include "core/levels.h"

namespace ondrik {

Crossing ContourCrossing(Single v, Single second, Single first) {
  Crossing c;
  if ((first <= v && v < second) || (second <= v && v < first)) {
    c.crossed = true;
    c.f = (v - second) / (first - second);
  }
  return c;
}

namespace {

struct Edge {
  bool crossed = false;
  Single x = 0, y = 0;
};

}  // namespace

void TraceContour(const ContourGrid& g, Single v, int nLevels, ContourSink& sink) {
  const int last = g.lastHour;
  nLevels = std::min(nLevels, g.topLevel);
  if (last < 0 || nLevels < 1) return;
  // Edge 2 (the top) of the last cell done in each column, which the next
  // row takes as its edge 4 (the bottom).
  std::array<Edge, kMaxHours + 1> top{};
  for (int k = 0; k <= nLevels - 1; ++k) {
    Edge laterSide;  // edge 3 of the cell one hour later: this cell's edge 1
    for (int c = last + 1; c >= 1; --c) {
      Edge e[5];
      int count = 0;
      if (c <= last) {
        e[4] = top[static_cast<size_t>(c)];
        count += e[4].crossed;
        const Crossing x = ContourCrossing(v, g.At(c, k + 1), g.At(c - 1, k + 1));
        if (x.crossed) e[2] = {true, static_cast<Single>(c) - x.f, g.y[static_cast<size_t>(k + 1)]};
        count += e[2].crossed;
        top[static_cast<size_t>(c)] = e[2];
      }
      if (k >= 1) {
        e[1] = laterSide;
        count += e[1].crossed;
        // A cell is crossed an even number of times: with an even count so
        // far the earlier-hour side cannot be crossed.
        if (count == 1 || count == 3 || c == last + 1) {
          const Crossing x = ContourCrossing(v, g.At(c - 1, k), g.At(c - 1, k + 1));
          if (x.crossed) {
            const Single yk = g.y[static_cast<size_t>(k)], yk1 = g.y[static_cast<size_t>(k + 1)];
            e[3] = {true, static_cast<Single>(c - 1), yk + x.f * (yk1 - yk)};
          }
          count += e[3].crossed;
        }
        laterSide = e[3];
      }
      if (c > last || k < 1) continue;
      if (count == 2) {
        int hi = 0, lo = 0;
        for (int i = 4; i >= 1; --i) {
          if (!e[i].crossed) continue;
          if (hi == 0) hi = i;
          else lo = i;
        }
        sink.Segment(e[hi].x, e[hi].y, e[lo].x, e[lo].y);
        if (hi == 3 && lo == 2) sink.Label(e[2].x, e[2].y);
      } else if (count == 4) {
        sink.Segment(e[1].x, e[1].y, e[2].x, e[2].y);
        sink.Segment(e[3].x, e[3].y, e[4].x, e[4].y);
      }
    }
  }
}

ValueRange FieldRange(const ContourGrid& g) {
  ValueRange r;
  for (int h = 0; h <= g.lastHour; ++h)
    for (int k = 1; k <= g.topLevel; ++k) {
      const Single x = g.At(h, k);
      if (x < r.min) r.min = x;
      if (x > r.max) r.max = x;
    }
  return r;
}

std::vector<Single> ContourValues(ValueRange r, int interval) {
  interval = std::max(1, interval);
  const auto limit = [](Single x) { return std::isfinite(x) ? std::clamp<double>(x, -1e6, 1e6) : 0.0; };
  const long long lo = static_cast<long long>(std::nearbyint(limit(r.min)));
  const long long hi = static_cast<long long>(std::nearbyint(limit(r.max)));
  const long long lowest = interval * (lo / interval) - interval;
  const long long highest = interval * (hi / interval) + interval;
  std::vector<Single> values;
  for (long long v = lowest; v <= highest && static_cast<int>(values.size()) < kMaxContourValues; v += interval)
    values.push_back(static_cast<Single>(v));
  return values;
}

std::vector<Extreme> FieldExtremes(const ContourGrid& g) {
  std::vector<Extreme> out;
  for (int k = 2; k <= g.topLevel - 1; ++k)
    for (int h = 1; h <= g.lastHour - 1; ++h) {
      const Single x = g.At(h, k);
      const Single n[4] = {g.At(h, k - 1), g.At(h, k + 1), g.At(h - 1, k), g.At(h + 1, k)};
      if (x > n[0] && x > n[1] && x > n[2] && x > n[3]) out.push_back({h, k, true});
      else if (x < n[0] && x < n[1] && x < n[2] && x < n[3]) out.push_back({h, k, false});
    }
  return out;
}

Single InterpAtPressure(Integer hour, Single p) {
  const Integer d = gCurDataset;
  if (d < 1 || d > kMaxDatasets || hour < 0 || hour > gLastHour(d) || hour >= kMaxHours) return kMissing;
  const int n = std::min<int>(gNumLevels(d), kMaxLevels);
  for (int k = 1; k <= n; ++k) {
    if (!(gPres(d, hour, k) < p)) continue;
    if (k < 2) return kMissing;  // p at or below the first level: no level under it
    const Single p0 = gPres(d, hour, k - 1), p1 = gPres(d, hour, k);
    if (!(p0 > 0 && p1 > 0)) return kMissing;
    const Single w0 = gRH(d, hour, k - 1) * gMixRatioSat(d, hour, k - 1) / 100;
    const Single w1 = gRH(d, hour, k) * gMixRatioSat(d, hour, k) / 100;
    const double f = (std::log(p) - std::log(p0)) / (std::log(p1) - std::log(p0));
    return static_cast<Single>(w0 + f * (w1 - w0));
  }
  return kMissing;  // no level above p
}

}  // namespace ondrik
