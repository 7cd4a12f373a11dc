// The closing steps of the chart: wind column, surface strip, side-panel
// marks, jet label, omega profile and scale, the model's precipitation type,
// the momentum-transfer overlay and the title. The drawing entry points are
// declared in chart/chart.h and chart/steps.h; this header adds the omega and
// precipitation-type procedures and the pieces the window and tests use.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "chart/chart.h"

namespace ondrik {

// Depth (mb) of stable air that ends the mixed layer for each btnXfer button.
inline constexpr std::array<Integer, 4> kXferDepths = {30, 1, 10, 20};

// The levels the wind column draws for (D, H), bottom up; level 0 (the 10 m
// wind) first.
struct WindLevels {
  std::array<Integer, kMaxLevels + 1> level{};
  int count = 0;
};
WindLevels ChooseWindLevels(const ChartState& s, Integer D, Integer H);

// Where the digital winds of (D, H) stand: each level's numbers on the row
// of its ring (bottom up, but the 10 m wind's when its numbers stand in the
// surface strip), never above or below it. The speed stands right of the
// rings, where the feathers of the common westerly winds do not reach, and
// the direction left of them; where the rows of two levels lie closer than
// a line of digits, the second stands in a second column, farther out, on
// its own row. The direction and the speed stand as one text right of the
// rings (together) when that room holds both and every row has the first
// column to itself.
struct DigitalWindRows {
  struct Row {
    Integer e;
    double y;        // the ring's row, y of the frame system
    int column = 0;  // 0 beside the rings, 1 the next one out
  };
  std::vector<Row> rows;
  bool together = false;
  // Where each column's texts start (left edges, x of the frame system).
  double speedX[2] = {0, 0};
  double directionX[2] = {0, 0};
};
DigitalWindRows LayDigitalWinds(const PictureBox& pic, const ChartState& s, Integer D, Integer H);

// The top level M of the surface-based mixed layer of (D, H): the base of the
// first run of stable layers at least kXferDepths[xferIndex] mb deep (1 when
// no layer is stable).
Integer MixingTopLevel(Integer D, Integer H, Integer xferIndex);

// The omega range the chart and the scale use: OmegaRange, 11 when it is not
// a positive number, at most kMaxOmegaRange.
inline constexpr double kMaxOmegaRange = 10000.0;
double UsableOmegaRange(const ChartState& s);
// Label step of the omega scale for a range: 2, 5 or 10.
Integer OmegaScaleStep(double range);

// Labels the omega axis in picOmega: the multiples of the step that lie on
// it, positive ones blue with a "+", negative ones red, zero black; each
// whole inside the strip, and on a strip too narrow for them in a smaller
// face, then every other one a row lower.
void DrawOmegaScale(PictureBox& picOmega, ChartState& s);
// The omega profile of gCurDataset at s.in.CurHour on picData, in a scale of
// its own (x = omega from -range to +range); the scale stays in force.
void PlotOmegaProfile(PictureBox& picData, ChartState& s);
// Shown dataset only: sets gPtypeCode of the hour and, when the hour has
// precipitation, prints the type near the lower left with one to four
// intensity dots. Leaves picData in the scale (0, 0)-(100, 100).
void DrawModelPrecipType(PictureBox& picData, ChartState& s);

// Text of a precipitation-type code ("R", "ZR", "S", "IP"; "" for 999,
// "Error Wx = " and the number for anything else).
std::string PrecipTypeLabel(Long code);
// Number of intensity dots (1..4) for an amount over one hour step.
int PrecipIntensityDots(Single precip, Single hoursPerStep);

}  // namespace ondrik
