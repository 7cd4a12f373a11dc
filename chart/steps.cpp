// One dataset's drawing in the chart redraw: the steps in their order.
#include "chart/steps.h"

namespace ondrik {

void PlotDatasetTraces(PictureBox& picData, ChartState& s) {
  PlotTraces(picData, s);
  PlotLevelMarkers(picData, s);
  PlotParcelTraces(picData, s);
  PlotMomentumTransfer(picData, s);
  PlotGrowthLayers(picData, s);
  PlotWindColumnAndMarks(picData, s);
}

}  // namespace ondrik
