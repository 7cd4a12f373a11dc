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

#include <vector>

#include "panels/picturepanel.h"

class QFrame;
class QPushButton;

namespace ondrik {

enum class EnergyDiagram;

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
  void DrawTopDown(PictureBox& pic, Integer H);
  // The surface energy strip of gCurDataset at the hour, shown on picSleet.
  void PlotPrecipTypeEnergy(Integer hour);
  // The strip keeps its place over the picture; after a draw it takes the
  // first of its places that hides none of the points drawn.
  QRect SleetRect(int place) const;
  void PlaceSleetStrip();
  void PlaceSleetStrip(const std::vector<QRectF>& points);
  void Resized() override { PlaceSleetStrip(); }
  // Where a diagram's verdict of `lines` lines starts (user y): at designY or
  // higher, so that the top-down line fits under it; the font steps down
  // when there is no room. Keeps the verdict's end for DrawTopDown.
  double PlaceVerdict(PictureBox& pic, double designY, int lines);

  QFrame* bar_;
  QPushButton* btnPrecipType_;
  PictureBoxWidget* picSleet_;
  Integer ShownDataset = 0;
  double snowBarLeftPx_ = 0;  // where the header's snow-share bar begins
  double verdictEndPx_ = 0;   // the pixel row under the verdict; 0 without one
  std::vector<QRectF> pointsPx_;  // the energy points drawn, in pixels
  int sleetPlace_ = 0;            // of the strip's places
};

}  // namespace ondrik
