#include "chart/steps.h"

namespace ondrik {

void PlotMomentumTransfer(PictureBox&, ChartState&) {}
void PlotWindColumnAndMarks(PictureBox&, ChartState&) {}
void PloteeTitle(PictureBox&, ChartState&) {}

}  // namespace ondrik
