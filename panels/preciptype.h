// The precipitation-type side panel ("Precip Type"): which kind of winter
// precipitation the hour's profile favours, by one of two views the window
// keeps (PanelHost::ThicknessView): the thickness nomogram of the 850-700 mb
// against the 1000-850 mb thickness with the trail of the last hours, or the
// energy method (one of three energy diagrams by the freezing-layer pattern,
// with the surface energy strip picSleet for two warm layers) followed by the
// top-down block. The button under it switches the view.
#pragma once

#include <QRect>
#include <QRectF>

#include <string>
#include <utility>
#include <vector>

#include "panels/picturepanel.h"
#include "panels/preciptyperules.h"

class QFrame;
class QPushButton;

namespace ondrik {

class PrecipTypePanel : public PicturePanel {
 public:
  PrecipTypePanel(PanelHost& host, QWidget* parent);
  QWidget* ButtonBar() override;
  // DrawPrecipTypePanel: the whole panel for gCurDataset at the host's hour.
  void Draw() override;

  // "Thickness" / "Energy": the other view, then the window's refresh.
  void btnPrecipType_Click();
  // A click on the picture hands over the topic of the view shown.
  void picPrecipType_Click();

 private:
  void DrawThicknessView(PictureBox& pic, Integer H);
  void DrawEnergyHeader(PictureBox& pic, Integer H);
  void DrawEnergyDiagram(PictureBox& pic, Integer d, Integer H, EnergyDiagram diagram, bool& background);
  // The surface energy strip of gCurDataset at the hour, shown on picSleet.
  void PlotPrecipTypeEnergy(Integer hour);
  // The strip keeps its place over the picture; after a draw it takes the
  // first of its places that hides none of the points drawn.
  QRect SleetRect(int place) const;
  void PlaceSleetStrip();
  void PlaceSleetStrip(const std::vector<QRectF>& points);
  void Resized() override { PlaceSleetStrip(); }
  // The verdict of (d, H) in the diagram, line by line.
  static std::vector<std::string> VerdictLines(Integer d, Integer H, EnergyDiagram diagram);
  // The rows under the energy diagram of the shown dataset, top to bottom:
  // the verdict at the diagram's left edge, the start level at the right in
  // rows the verdict leaves room in (else rows of their own), the
  // seeder-feeder pair at the picture's left edge, the cloud top last. The
  // diagram's axis rises to make room for them.
  void PlanUnderDiagram(PictureBox& pic, Integer H, EnergyDiagram diagram);
  void DrawUnderDiagram(PictureBox& pic);
  // The bottom of a diagram's scale whose top is `top` and whose axis (y = 0)
  // stands where the rows under it leave room.
  double BottomUnder(const PictureBox& pic, double top) const;
  struct UnderDiagram {
    double line = 0;                 // pixels a row
    double axisPx = 0;               // the diagram's y = 0
    double diagramTopPx = 0;         // the top of its chart
    double verdictX = 0, levelX = 0;  // pixels
    std::vector<std::string> verdict;
    std::vector<std::pair<int, std::string>> level;  // row, text
    TopDown topDown;
    int seederRow = -1, cloudRow = -1;
    bool shownDrawn = false;  // the shown dataset's diagram was drawn
  };
  QFrame* bar_;
  QPushButton* btnPrecipType_;
  PictureBoxWidget* picSleet_;
  Integer ShownDataset = 0;
  double snowBarLeftPx_ = 0;  // where the header's snow-share bar begins
  UnderDiagram under_;
  std::vector<QRectF> pointsPx_;  // the energy points drawn, in pixels
  int sleetPlace_ = 0;            // of the strip's places
};

}  // namespace ondrik
