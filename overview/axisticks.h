// The scale values of the overview's axes: where each grid line lies, how it
// is drawn and what its label reads. Free of drawing; DrawAxesAndGrids
// draws them.
#pragma once

#include <string>
#include <vector>

#include "core/store.h"
#include "platform/color.h"

namespace ondrik {

inline constexpr Color kGridGrey = RGB(127, 127, 127);

struct AxisTick {
  Single value = 0;      // y in the axis's own units (ln p for the plane)
  std::string label;     // "" : no label
  std::string label2;    // the index axis: the number after the sign
  bool dotted = false;
  int width = 1;         // pen width of the grid line
  Color colour = kGridGrey;
  bool fullWidth = false;  // the line runs from x = -1 to TimeLeft (heights), else -0.5 to TimeLeft - 0.5
};

// The most ticks an axis gives: an axis zoomed far out stops there.
inline constexpr int kMaxAxisTicks = 2000;

// The time-height plane by the vertical unit (0 "P", 1 "Ft", 2 "Km"): lines
// every 50 or 100 mb; every thousand feet (dotted, up to 20 thousand feet)
// and every 5 thousand feet; every km. Heights come from the tables of
// pressures at heights above the surface (gPresAtKft, gPresAtKm) and stop
// where the tables end; an entry without a pressure gives no line.
std::vector<AxisTick> HeightTicks(Integer unit, Single logPBottom, Single logPSpan);
// Wind direction, degrees: every 45 (span above 180) or 10, dotted, the
// quarters 2 wide; labels as printed numbers.
std::vector<AxisTick> DirectionTicks(Single dirSpan);
// Precipitation (inches) from 0 up to the top, labels ".00" or ".0".
std::vector<AxisTick> PrecipTicks(Single bottom, Single span);
// The index axis: with a span below 20 a dotted unlabelled line at every
// whole value, then every 5 solid, labelled with a sign ("+" above 0, "-"
// below, none at 0) and the number times the label factor; the zero line
// white.
std::vector<AxisTick> IndexTicks(Single bottom, Single span, Integer labelFactor);
// Temperature (deg F): every 10 (span above 50) or 5, dotted off the tens,
// "00" (zero reads "0").
std::vector<AxisTick> TemperatureTicks(Single bottom, Single span);
// The left axes: CAPE from 0 to its top, surface pressure, ventilation (k),
// visibility (the strip's coordinate of a visibility v is (top - v)^2).
std::vector<AxisTick> CapeTicks(Single top);
std::vector<AxisTick> SfcPresTicks(Single bottom, Single span);
std::vector<AxisTick> VentilationTicks(Single top);
std::vector<AxisTick> VisibilityTicks(Single top);

}  // namespace ondrik
