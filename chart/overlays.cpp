#include "chart/chart.h"

namespace ondrik {

void PlotCloudFraction(PictureBox&, ChartState&) {}
void PlotLayerToLayer(PictureBox&, ChartState&) {}
void PlotRHBars(PictureBox&, ChartState&) {}
void PlotInversions(PictureBox&, ChartState&) {}

}  // namespace ondrik
