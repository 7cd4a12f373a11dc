// The mouse over the profile chart picData: the readout of the level under
// the cursor (labels beside the traces), the elevated parcel of that level
// with its XOR sketch, the Heavy Precip panel's inflow level, the highlighted
// hodograph segment, and the zoom about the largest surface pressure.
//
// The window calls the handlers with the mouse position in the chart's scale
// (y = ln p) and then shows the label fields of ChartState (lblActive*,
// frameECAPE).
#pragma once

#include <string>

#include "chart/chart.h"

namespace ondrik {

// Button: 1 left, 2 right, 4 middle; shift: 1 shift, 2 ctrl, 4 alt.
void picData_MouseMove(PictureBox& picData, ChartState& s, int button, int shift, double x, double y);

// What the mouse read belongs to the picture it was read on: every redraw of
// the chart forgets it (the labels hidden, no level read, the elevated
// parcel's frame blank and its sketch gone with the cleared picture), so
// that no number of another hour, dataset or setting stays. The window then
// reads it again at the pointer's place (a move there) when the pointer is
// over the chart.
void ForgetReadout(ChartState& s);
// The chart acts on the release; the press does nothing.
void picData_MouseDown(PictureBox& picData, ChartState& s, int button, int shift, double x, double y);
// Ends the inflow selection when it is on; otherwise zooms.
void picData_MouseUp(PictureBox& picData, ChartState& s, int button, int shift, double x, double y);

// Left button zooms in, any other out, about MaxSfcPres by the factor 0.85 in
// ln p; then the chart top levels are set again and the chart redrawn. Zoom in
// stops before the chart would span less than kMinZoomSpan mb; zoom out stops
// once the top is at 30 mb or less.
inline constexpr int kMinZoomSpan = 50;
void ZoomProfile(PictureBox& picData, ChartState& s, int button);

// Lifts the parcel from `level` of gCurDataset at `hour` (computed once),
// replaces the sketch on the chart by this parcel's path (XOR pen; a parcel
// that is nowhere buoyant only removes the old sketch) and fills
// s.cursor.frameECAPE.
void PlotECAPE(PictureBox& picData, ChartState& s, Integer hour, Integer level);

// The hail-CAPE bar of the elevated-CAPE frame: button face, then the black
// share of the CAPE that lies in the hail zone.
void DrawEHailCapeBar(PictureBox& bar, const ChartCursor::ECapeFrame& f, Color buttonFace);

// Texts of the readout, as the labels show them.
std::string ReadoutTempCaption(double t);       // "< 12.3"
std::string ReadoutDewpointCaption(double td);  // "5.2 >"
// Height label of a level at pressure p over a surface at sfcPres, by unit:
// 0 "950mb", 1 "1200'" (feet above ground to the nearest 100), 2 "1.2km".
std::string ReadoutAxisCaption(int unit, double p, double sfcPres);

// A click on one of the readout labels zooms like a click on the chart.
inline void lblActiveTemp_MouseUp(PictureBox& picData, ChartState& s, int button) {
  ZoomProfile(picData, s, button);
}
inline void lblActiveDP_MouseUp(PictureBox& picData, ChartState& s, int button) {
  ZoomProfile(picData, s, button);
}
inline void lblActiveDir_MouseUp(PictureBox& picData, ChartState& s, int button) {
  ZoomProfile(picData, s, button);
}
inline void lblActiveKts_MouseUp(PictureBox& picData, ChartState& s, int button) {
  ZoomProfile(picData, s, button);
}

}  // namespace ondrik
