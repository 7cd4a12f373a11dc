// The heavy-precipitation panel (side panel "Heavy Pcp"): the vector diagram
// of the cloud-layer wind, the low-level jet and the MBE (propagation)
// vector, and five gauges (precipitable water, mean relative humidity, their
// product, warm-cloud depth, low-level-jet speed). A click on the picture
// zooms the diagram. Its bar holds "Select Inflow", with which the level
// under the chart's cursor is taken as the jet level until the next click on
// the chart, and "Frwd Prop", the forward-propagating vector. It also marks
// the low-level jet beside the chart's wind column.
#pragma once

#include <QPointF>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "panels/picturepanel.h"

class QFrame;
class QPushButton;

namespace ondrik {

class CheckBox;

// The low-level jet of dataset D at hour H as the chart labels it ("LLJ", or
// "LL?" when uncertain), computing the vectors when they are not done.
ChartMarks LowLevelJetMark(Integer D, Integer H);

class HeavyPrecipPanel : public PicturePanel {
 public:
  HeavyPrecipPanel(PanelHost& host, QWidget* parent);
  QWidget* ButtonBar() override;
  // DrawHeavyPrecipPanel.
  void Draw() override;
  void Shown(bool visible) override;
  bool WantsCursorLevel() const override { return InflowSelectMode; }
  void CursorLevel(Integer D, Integer H, Integer L) override;
  bool TakeChartClick() override;
  ChartMarks MarksFor(Integer D, Integer H) override;

  // "Select Inflow": the inflow selection on or off.
  void btnSelectInflow_Click();
  // "Frwd Prop": the vectors of every hour are computed again in the new sense.
  void chkMBE2_Click();
  // The vector diagram zooms in with the left button, out with any other.
  void picMBE_MouseUp(int button);

  bool InflowSelectMode = false;
  // Half-width of the vector picture in knots (its zoom).
  Single gMBEScale = 51;

 private:
  void UseVectorScale(PictureBox& pic) const;
  static void UseGaugeScale(PictureBox& pic);
  // The axes and rings of the vector diagram.
  void DrawGrid(PictureBox& pic) const;
  // The circle about the origin of a slow MBE vector of the dataset shown:
  // the speed (kt) it falls short of, in the colour of that threshold.
  struct SlowCircle {
    Single radius;
    Color colour;
  };
  std::optional<SlowCircle> SlowMbeCircle() const;
  // The texts but the gauges' labels, handed to the placement: the lines of
  // the vectors, the rings' numbers, the thickness and the gauges' borders.
  void PlaceTexts(PictureBox& pic, TextPlacement& place, Integer H, const std::optional<double>& thickness) const;
  // The device pixels the gauges' labels take, left of the gauges.
  static QRect GaugeLabelsPlace(PictureBox& pic);
  // Where the gauges' bars begin in the gauge scale.
  static double GaugesBegin(const PictureBox& pic);
  // How far (picture pixels) the gauges' labels stand over their bars'
  // middles: as far as the last one must to stay inside the picture.
  static double GaugeLabelsUpPx(PictureBox& pic);
  void DrawVectors(PictureBox& pic, Integer H);
  // The gauges' labels beside their bars, each row along itself clear of
  // the vectors.
  void PrintGaugeLabels(PictureBox& pic, Integer H);
  // The lines of the vectors drawn, in pixels.
  struct VectorLine {
    QPointF a, b;
    double width;
  };
  std::vector<VectorLine> vectorsPx_;

  QFrame* bar_;
  QPushButton* btnSelectInflow_;
  CheckBox* chkMBE2_;
  Integer ShownDataset = 0;
};

// One vector from the current point to (x, y) in colour c and pen width, with
// a head of two strokes of 4 units from the tip towards the bearings dir + 30
// and dir - 30 (dir: where the vector comes from, so the strokes point back
// along the shaft); the current point is left at the tip.
void DrawMBEArrow(PictureBox& pic, double x, double y, Color c, int width, double dir);

}  // namespace ondrik
