// The part of a straight segment inside a rectangle, for lines that keep
// clear of texts or end at the edge of a chart.
#pragma once

#include <algorithm>

namespace ondrik {

// The segment from (x1, y1) to (x2, y2), as t runs from 0 at its start to 1
// at its end, against the rectangle left <= x <= right, top <= y <= bottom
// (Liang-Barsky): false when it misses the rectangle, else t0..t1 is the
// part inside.
inline bool SegmentInside(double x1, double y1, double x2, double y2, double left, double top, double right,
                          double bottom, double& t0, double& t1) {
  const double dx = x2 - x1, dy = y2 - y1;
  t0 = 0;
  t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
    if (t0 > t1) return false;
  }
  return true;
}

}  // namespace ondrik
