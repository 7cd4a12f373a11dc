// The one redraw of the overview: every ticked time-height field of the
// current dataset, every ticked strip of every shown dataset (the current
// one last and at full strength), the dataset title, the axes and grids and
// the hour cursor.
#pragma once

#include <string>
#include <vector>

#include "overview/draw.h"

namespace ondrik {

inline constexpr Color kCursorColour = RGB(255, 191, 128);

// The redraw. Returns at once while the loading state is raised. The current
// dataset and the pointer are given back whatever a plotter does; a plotter
// that fails is left out and the redraw goes on.
void PlotData(OverviewDraw& d);

// The precipitation alert, after the title of the dataset (with more than
// one dataset) is handed to the placement (TitleTexts), which prints it.
void PloteeTitle(OverviewDraw& d);
// Where the title of a dataset stands on picRH, in pixels: its text, the
// top-left corner and its ink.
struct TitlePlace {
  std::string text;
  double x = 0, y = 0;
  PixelBox ink;
};
TitlePlace PlaceTitle(PictureBox& rh, Integer dataset);
// The title as the placement takes it: white in its own face, on its rim,
// at its place; where the data leave no room there, smaller, and as a last
// resort over the data without a ground; where the picture is too narrow
// for it, on two lines (the dataset's label under its title) that stand
// as one block.
std::vector<TextPlacement::Text> TitleTexts(PictureBox& rh, Integer dataset);
// The block id of the title's lines among the main picture's texts.
inline constexpr int kTitleBlock = 1;
// Scale labels, grids, the time grid; called by PlotData.
void DrawAxesAndGrids(OverviewDraw& d);
// The width in pixels a side picture (picLeft, picRight) needs, in its
// font, for the widest labels of its three columns to stand whole and apart.
int SidePictureWidth(const PictureBox& side);

// The hour cursor: a vertical line over the whole height of picRH at the
// hour, in the exclusive-or pen, so that drawing it again at the same hour
// takes it away; it leaves a gap round the texts of the last redraw. Leaves
// the scale, pen mode and width of picRH as they were.
void DrawCursorLine(PictureBox& rh, const OverviewState& s, int hour);

// The time axis picture: the UTC and local time of every labelled hour of
// the time window up to the last hour, each centred on its hour. Where its
// row leaves a label no room there, it moves along the row as far as it
// still stands over its hour; where the picture's face cannot hold them all
// apart so, they print smaller, down to the floor of the face, and then in
// the condensed face; only where even that cannot hold them, every second,
// fourth ... labelled hour is labelled (the first that fits).
void DrawTimeAxis(PictureBox& picTime, const OverviewState& s);
// The labels it prints, in the picture's scale as DrawTimeAxis sets it: the
// hour labelled, the top-left corner, the text and the face it prints in.
struct TimeAxisLabel {
  int hour;
  double x, y;
  std::string text;
  std::string fontName;
  double fontSize;  // points
};
std::vector<TimeAxisLabel> TimeAxisLabels(const PictureBox& picTime, const OverviewState& s);

}  // namespace ondrik
