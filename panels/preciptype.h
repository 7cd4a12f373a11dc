// The precipitation-type side panel ("Precip Type"): which kind of winter
// precipitation the hour's profile favours, by one of two views the window
// keeps (PanelHost::ThicknessView): the thickness nomogram of the 850-700 mb
// against the 1000-850 mb thickness with the trail of the last hours, or the
// energy method (one of three energy diagrams by the freezing-layer pattern,
// with the surface energy strip picSleet for two warm layers) followed by the
// top-down block. The button under it switches the view.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>

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
  // The nomogram's region labels handed to the placement, each where it
  // belongs or in the nearest place of its region (bounded by the
  // boundaries, pixels) clear of the data, on the chart's grey.
  void PlaceRegionLabels(PictureBox& pic, TextPlacement& place,
                         const std::vector<std::pair<QPointF, QPointF>>& boundariesPx);
  void DrawEnergyHeader(PictureBox& pic, Integer H);
  void DrawEnergyDiagram(PictureBox& pic, Integer d, Integer H, EnergyDiagram diagram, bool& background);
  // A diagram's scale: its chart's top value at the chart's top, 0 at the axis.
  void UseDiagramScale(PictureBox& pic, EnergyDiagram diagram) const;
  // The chart's axes: every number beside and under it, each a point's
  // radius clear of the chart, the axes' titles above and under it.
  void DrawDiagramAxes(PictureBox& pic, EnergyDiagram diagram);
  // A point's trail from (x1, y1) to (x2, y2), and a point of radius r at
  // (x, y): drawn and kept for the labels and the strip to keep clear of.
  void Trail(PictureBox& pic, double x1, double y1, double x2, double y2);
  void DataPoint(PictureBox& pic, double x, double y, double r);
  void KeepPoint(const PictureBox& pic, double x, double y, double r);
  // A decision line of a diagram: drawn and kept, as data.
  void DecisionLine(PictureBox& pic, double x1, double y1, double x2, double y2, Color c);
  // The diagram's region labels: each in its cell of the grid or the
  // nearest one above or below that no point, trail, decision line or the
  // strip reaches, through the view's placement.
  void DrawRegionLabels(PictureBox& pic, EnergyDiagram diagram);
  // The surface energy strip of gCurDataset at the hour, shown on picSleet.
  void PlotPrecipTypeEnergy(Integer hour);
  // The strip stands in the chart, in a corner or the place nearest one
  // that hides none of the points, trails and decision lines drawn, else
  // where it hides fewest points, then the least of the lines and trails.
  QSize SleetSize();
  void PlaceSleetStrip();
  void Resized() override { PlaceSleetStrip(); }
  // The verdict of (d, H) in the diagram, line by line.
  static std::vector<std::string> VerdictLines(Integer d, Integer H, EnergyDiagram diagram);
  // Where the energy view's parts stand for the shown dataset, in pixels:
  // over the chart a row with the title of its y axis and the snow share;
  // under it a row of numbers, then the title of its x axis, the verdict at
  // the diagram's left edge, the start level at the right in rows the
  // verdict leaves room in (else rows of their own), the seeder-feeder pair
  // at the picture's left edge, the cloud top and the ice warning. The
  // chart takes the room that is left; the numbers and titles stand a
  // point's radius clear of it.
  void PlanEnergyView(PictureBox& pic, Integer H, EnergyDiagram diagram);
  void DrawUnderDiagram(PictureBox& pic);
  struct EnergyLayout {
    double line = 0;                  // pixels a row
    double pointPx = 0;               // radius of the hour's point
    double chartTopPx = 0, axisPx = 0;  // the chart's top and its y = 0
    double numbersPx = 0;             // the top of the row of numbers under the axis
    double verdictX = 0, levelX = 0;  // pixels
    std::vector<std::string> verdict;
    std::vector<std::pair<int, std::string>> level;  // row, text
    TopDown topDown;
    int seederRow = -1, cloudRow = -1, warningRow = -1;
    bool shownDrawn = false;  // the shown dataset's diagram was drawn
  };
  QFrame* bar_;
  QPushButton* btnPrecipType_;
  PictureBoxWidget* picSleet_;
  Integer ShownDataset = 0;
  bool drawing_ = false;  // within Draw
  double headerLeftPx_ = 0;  // where the header's snow share begins, less a gap
  EnergyLayout layout_;
  std::vector<QRectF> pointsPx_;  // the energy points drawn, in pixels
  std::vector<std::pair<QPointF, QPointF>> trailsPx_;  // the trails drawn, in pixels
  std::vector<std::pair<QPointF, QPointF>> linesPx_;   // the decision lines drawn, in pixels
  // The energy view's data (points, trails, decision lines) for its labels.
  TextPlacement place_;
  QRectF chartPx_;                // the chart drawn, in pixels
};

}  // namespace ondrik
