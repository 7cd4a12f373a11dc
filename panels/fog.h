// The fog side panel ("Fog"): the chance of fog, mist and low stratus at the
// hour. Top: the specific humidity of the lowest 500 ft and its change from
// level to level (every shown dataset); below, for the current dataset, the
// air and ground temperatures against the crossover temperature (the surface
// dew point at the warmest hour of the last day, or one set with the
// buttons under the panel) and the stability number MRi of the lowest 100 mb
// with its development and dispersal cues.
#pragma once

#include "panels/picturepanel.h"

class QFrame;
class QPushButton;

namespace ondrik {

class FogPanel : public PicturePanel {
 public:
  FogPanel(PanelHost& host, QWidget* parent);
  QWidget* ButtonBar() override;
  // DrawFogPanel.
  void Draw() override;

  // The crossover one degree F up or down, or back to the automatic one,
  // for the current hour and every later one of the current dataset.
  void btnXoverUp_Click();
  void btnXoverDown_Click();
  void btnXoverReset_Click();

  // The crossover temperature in use per dataset (deg C), set at every draw.
  DatasetArray<Single> XoverTemp;

 private:
  void StoreCrossover(Single value);
  void DrawCharts(PictureBox& pic, Integer H);
  void DrawTemperatureGauges(PictureBox& pic, Integer H);
  void DrawMriGauge(PictureBox& pic, Integer H);

  QFrame* bar_;
  Integer ShownDataset = 0;
};

}  // namespace ondrik
