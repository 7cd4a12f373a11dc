// Where a value of an index stands on its bar: the thresholds of its row of
// the index table split the bar (0 to 100) into thirds, green, yellow and
// red. The indices panel and the heavy-precipitation gauges draw from this.
// Qt-free.
#pragma once

#include <string>

#include "core/store.h"
#include "core/thresholds.h"

namespace ondrik {

// The third a bar ends in; None for a bar of length 0.
enum class IndexThird { None, First, Second, Last };

struct IndexPosition {
  Single x = 0;  // 0..100
  IndexThird third = IndexThird::None;
};

// Ends of the first and second third on the bar.
inline constexpr Single kFirstThirdEnd = 33.3f;
inline constexpr Single kSecondThirdEnd = 66.6f;

// The position of value v on the bar of `row`. A row with column 0 below
// column 1 rises (larger values are worse), else it falls; rows 4 and 6 are
// two-sided around column 3, the worst value, with columns 4 to 6 on the far
// side. A third whose two bounds are equal holds no value: values go on to
// the next one. A value that is not a number gives no bar.
IndexPosition IndexToX(Single v, int row, const IndexThresholdTable& t = gIndexThresholds);
// The same read as a rising row whatever the row's direction (the gauges of
// the heavy-precipitation panel).
IndexPosition RisingIndexToX(Single v, int row, const IndexThresholdTable& t = gIndexThresholds);

// How the panels judge a single number (CAPE, CINS, helicity) by columns 1
// and 2 of its row: Last (red) beyond column 2, Second (yellow) beyond
// column 1, else First (green). Beyond is below for a row whose small values
// are the bad ones (the CINS), else above.
IndexThird ThresholdClass(Single v, int row, bool smallIsBad, const IndexThresholdTable& t = gIndexThresholds);

// The two threshold numbers a row prints at the ends of its first and second
// thirds: columns 1 and 2, or for the two-sided rows, when v lies on the far
// side of column 3, columns 5 and 4.
void ShownThresholds(Single v, int row, Single& atFirst, Single& atSecond,
                     const IndexThresholdTable& t = gIndexThresholds);

}  // namespace ondrik
