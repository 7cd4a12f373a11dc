#include "chart/steps.h"

namespace ondrik {

void PlotTraces(PictureBox&, ChartState&) {}
void PlotLevelMarkers(PictureBox&, ChartState&) {}
void PlotParcelTraces(PictureBox&, ChartState&) {}
void PlotGrowthLayers(PictureBox&, ChartState&) {}

}  // namespace ondrik
