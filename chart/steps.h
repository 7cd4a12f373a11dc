// The steps of one dataset's drawing in the chart redraw, in drawing order.
// Each draws on picData for gCurDataset at s.in.CurHour in the temperature
// system (solid pen, width 2) unless it says otherwise.
#pragma once

#include "chart/chart.h"

namespace ondrik {

// Temperature, dew-point, wet-bulb, frost-point and icing traces, lake overlays.
void PlotTraces(PictureBox& picData, ChartState& s);
// LCL, LFC, EL, wet-bulb zero, CCL and convective-temperature marks.
void PlotLevelMarkers(PictureBox& picData, ChartState& s);
// Parcel (CAPE) trace and CIN area.
void PlotParcelTraces(PictureBox& picData, ChartState& s);
// Mixed layer, its top wind and mean wind.
void PlotMomentumTransfer(PictureBox& picData, ChartState& s);
// Dendritic snow-growth and hail-growth layers on the temperature trace.
void PlotGrowthLayers(PictureBox& picData, ChartState& s);
// Wind column, model precipitation type, surface strip, panel marks, jet
// label and omega profile: the steps that close one dataset's drawing.
void PlotWindColumnAndMarks(PictureBox& picData, ChartState& s);

}  // namespace ondrik
