// Steps of the chart redraw that the later parts of the chart fill in. Until
// then they draw nothing, so the chart shows its frame alone.
#include "chart/chart.h"

namespace ondrik {

void PlotCloudFraction(PictureBox&, ChartState&) {}
void PlotLayerToLayer(PictureBox&, ChartState&) {}
void PlotRHBars(PictureBox&, ChartState&) {}
void PlotInversions(PictureBox&, ChartState&) {}
void PlotDatasetTraces(PictureBox&, ChartState&) {}
void PloteeTitle(PictureBox&, ChartState&) {}

}  // namespace ondrik
