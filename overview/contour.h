// Contouring of time-height fields: a field of one dataset over forecast hour
// (x = hour index) and level (y = ln of the level's pressure at hour 0),
// traced one contour value at a time. Free of drawing: the tracing hands its
// segments and label places to a sink.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/levels.h"
#include "core/store.h"
#include "overview/calc.h"

namespace ondrik {

// A field copied for contouring: hours 0..lastHour, levels 1..topLevel, with
// the y of every level.
struct ContourGrid {
  int lastHour = -1;
  int topLevel = 0;
  std::array<Single, kMaxLevels + 1> y{};  // y of level k (ln p at hour 0)
  std::array<Single, kMaxHours * (kMaxLevels + 1)> v{};
  Single& At(int h, int k) { return v[static_cast<size_t>(h * (kMaxLevels + 1) + k)]; }
  Single At(int h, int k) const { return v[static_cast<size_t>(h * (kMaxLevels + 1) + k)]; }
};

// Copies a field of the store (hours 0..gLastHour(d), levels 1..topLevel,
// each value times `scale`) with the level heights y (y[k] for k = 1..67).
// The levels are held within the store's. A node whose value is missing
// (IsMissing), or whose basis is (the quantity the field is made from, as
// the temperature of a potential temperature), or whose level has no height
// on the plane, holds no value: NaN, which
// no contour crosses and no range or extreme counts.
template <typename Field>
ContourGrid MakeContourGrid(const Field& field, Integer d, Integer topLevel, const std::array<Single, kMaxLevels + 1>& y,
                            Single scale = 1, const Field* basis = nullptr) {
  ContourGrid g;
  g.lastHour = std::clamp<int>(gLastHour(d), -1, kMaxHours - 1);
  g.topLevel = std::clamp<int>(topLevel, 0, kMaxLevels);
  g.y = y;
  for (int h = 0; h <= g.lastHour; ++h)
    for (int k = 1; k <= g.topLevel; ++k) {
      // A level with no height on the plane (no pressure) has no nodes.
      const Single v = std::isfinite(y[static_cast<size_t>(k)]) ? field(d, h, k) : kNoValue;
      g.At(h, k) = IsMissing(v) || (basis != nullptr && IsMissing((*basis)(d, h, k))) ? kNoValue : v * scale;
    }
  return g;
}

// Whether the contour value v crosses an edge whose end values are `first`
// and `second`: when first <= v < second or second <= v < first (v at the
// lower end counts, at the upper one not; equal ends are never crossed).
// When crossed, f = (v - second) / (first - second): 0 at the second end, 1
// at the first.
struct Crossing {
  bool crossed = false;
  Single f = 0;
};
Crossing ContourCrossing(Single v, Single second, Single first);

// Receives what the tracing of one value draws: straight segments, and the
// places where a value label is printed (the top-left corner of the text).
class ContourSink {
 public:
  virtual ~ContourSink() = default;
  virtual void Segment(Single x1, Single y1, Single x2, Single y2) = 0;
  virtual void Label(Single x, Single y) = 0;
};

// Traces the contour v over hours 0..lastHour and levels 1..nLevels (at most
// the grid's). Each cell spans two hours and two levels; a cell crossed twice
// gets one segment, one crossed four times two (its later-hour side with its
// top, its earlier-hour side with its bottom). A segment that leaves a cell
// through its top after entering through its earlier-hour side ends in a
// label.
void TraceContour(const ContourGrid& g, Single v, int nLevels, ContourSink& sink);

// Smallest and largest value of the grid over hours 0..lastHour and levels
// 1..topLevel, starting from 999 and -999.
struct ValueRange {
  Single min = 999;
  Single max = -999;
};
ValueRange FieldRange(const ContourGrid& g);

// The contour values: from interval * (Round(min) \ interval) - interval to
// interval * (Round(max) \ interval) + interval in steps of the interval
// (Round to the even neighbour, \ dropping the remainder). Limits beyond
// +-1e6 (no field of a profile comes near) are held there and at most
// kMaxContourValues values are given, so a hostile value cannot stall the
// redraw (the widest field of a real atmosphere, equivalent potential
// temperature at an interval of 1, needs some 250). An interval below 1 is
// taken as 1.
inline constexpr int kMaxContourValues = 1000;
std::vector<Single> ContourValues(ValueRange r, int interval);

// Nodes whose value is larger (maxima) or smaller (minima) than all four
// neighbours; only nodes whose four neighbours are all in the grid count
// (hours 1..lastHour-1, levels 2..topLevel-1).
struct Extreme {
  int hour = 0;
  int level = 0;
  bool maximum = false;
};
std::vector<Extreme> FieldExtremes(const ContourGrid& g);

// The mixing ratio (gRH * gMixRatioSat / 100, g/kg) of gCurDataset at
// pressure p (mb) for the hour, linear in ln p between the first level from
// the bottom whose pressure is below p and the level under it. kMissing
// when p is not bracketed by two levels (at or below the first level, above
// the top one) or the hour is not in the dataset.
Single InterpAtPressure(Integer hour, Single p);

}  // namespace ondrik
