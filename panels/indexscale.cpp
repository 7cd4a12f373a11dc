#include "panels/indexscale.h"

#include <cmath>

namespace ondrik {

namespace {

// Position within a third from its bound `from` towards `to`; the caller
// knows v lies strictly inside (or on the far end of) a third of some width.
IndexPosition InThird(Single v, Single from, Single to, IndexThird third) {
  static constexpr Single kStart[] = {0, 0, kFirstThirdEnd, kSecondThirdEnd};
  const Single x = (v - from) / (to - from) * kFirstThirdEnd + kStart[static_cast<int>(third)];
  if (!(x > 0)) return {};
  return {x, third};
}

constexpr IndexPosition kFull{100, IndexThird::Last};

// The thirds between T0 and T3 by the rules of rising rows.
IndexPosition Rising(Single v, Single t0, Single t1, Single t2, Single t3) {
  if (v <= t0) return {};
  if (v < t1) return InThird(v, t0, t1, IndexThird::First);
  if (v < t2) return InThird(v, t1, t2, IndexThird::Second);
  if (v < t3) return InThird(v, t2, t3, IndexThird::Last);
  return kFull;
}

IndexPosition Falling(Single v, Single t0, Single t1, Single t2, Single t3) {
  if (v >= t0) return {};
  if (v > t1) return InThird(v, t0, t1, IndexThird::First);
  if (v > t2) return InThird(v, t1, t2, IndexThird::Second);
  if (v > t3) return InThird(v, t2, t3, IndexThird::Last);
  return kFull;
}

}  // namespace

IndexPosition IndexToX(Single v, int row, const IndexThresholdTable& t) {
  if (!std::isfinite(v)) return {};
  const Single t0 = t(row, 0), t1 = t(row, 1), t2 = t(row, 2), t3 = t(row, 3);
  const bool rising = t0 < t1;
  if (!IndexThresholdTable::TwoSided(row)) return rising ? Rising(v, t0, t1, t2, t3) : Falling(v, t0, t1, t2, t3);
  const Single t4 = t(row, 4), t5 = t(row, 5), t6 = t(row, 6);
  // The far side of T3 mirrors the near one: T6, T5, T4 lead towards T3.
  if (rising) {
    if (v < t3) return Rising(v, t0, t1, t2, t3);
    return Falling(v, t6, t5, t4, t3);
  }
  if (v > t3) return Falling(v, t0, t1, t2, t3);
  return Rising(v, t6, t5, t4, t3);
}

IndexPosition RisingIndexToX(Single v, int row, const IndexThresholdTable& t) {
  if (!std::isfinite(v)) return {};
  return Rising(v, t(row, 0), t(row, 1), t(row, 2), t(row, 3));
}

IndexThird ThresholdClass(Single v, int row, bool smallIsBad, const IndexThresholdTable& t) {
  const Single t1 = t(row, 1), t2 = t(row, 2);
  if (smallIsBad ? v < t2 : v > t2) return IndexThird::Last;
  if (smallIsBad ? v < t1 : v > t1) return IndexThird::Second;
  return IndexThird::First;
}

void ShownThresholds(Single v, int row, Single& atFirst, Single& atSecond, const IndexThresholdTable& t) {
  atFirst = t(row, 1);
  atSecond = t(row, 2);
  if (!IndexThresholdTable::TwoSided(row)) return;
  const bool nearSide = t(row, 0) >= t(row, 1) ? v > t(row, 3) : v < t(row, 3);
  if (nearSide) return;
  atFirst = t(row, 5);
  atSecond = t(row, 4);
}

}  // namespace ondrik
