// An index value against its row of the threshold table as a bar from 0 to
// 100 in three equal thirds (at 33.3 and 66.6), green, yellow and red: the
// indices panel's bars and circles and the heavy-precipitation gauges.
#pragma once

#include "panels/thresholds.h"
#include "platform/picturebox.h"

namespace ondrik {

inline constexpr double kFirstThird = 33.3;
inline constexpr double kSecondThird = 66.6;

struct BarPlace {
  double x = 0;          // 0 (no bar) .. 100 (full)
  Color colour = kBlack; // green, yellow or red by third; black at 0
};

// Where a value stands on the bar of a row. A row whose column 0 is below
// column 1 rises (larger is worse), else it falls; rows 4 and 6 are
// two-sided around column 3, mirrored through columns 6, 5, 4 on its other
// side. A value that is not a number gives no bar.
BarPlace IndexToX(Single value, int row, const IndexThresholdTable& table = gIndexThresholds);

// The gauge bar of a row read as rising whatever its columns: a box in the
// colour of its third from (0, row - 1.9) to (x, row - 1.2) in the picture's
// scale, nothing at or below column 0.
void PlotBar(PictureBox& pic, Single value, int row, const IndexThresholdTable& table = gIndexThresholds);

}  // namespace ondrik
