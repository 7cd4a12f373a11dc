// The hodograph (side panel "Hodograph"): the wind trace of the helicity
// layer coloured by height, the layer CAPEs, the mean wind and the right and
// left movers of every shown dataset, the CAPE, CINS, helicity and shear of
// the hour, and the storm-relative inflow or, with a boundary placed, the
// boundary-relative motions. Beside the picture the two columns of layer
// buttons (bottom at the left, top at the right) and the motion labels; under
// it Zoom, Out, Reset and Toggle.
//
// The mouse edits the hour shown (panels/hodoedit.h): hovering picks the
// nearest trace point or the storm motion, the left button drags it, the
// right button places a boundary motion. The panel marks the helicity layer
// beside the chart's wind column and highlights the segment of the level
// under the chart's cursor.
#pragma once

#include <array>
#include <string>

#include "panels/hodoedit.h"
#include "panels/panel.h"

class QFrame;
class QLabel;
class QPushButton;

namespace ondrik {

class PictureBoxWidget;

class HodographPanel : public SidePanel {
 public:
  HodographPanel(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  QWidget* ButtonBar() override;
  // The picture, and the read-out of the point the pointer rests by read
  // again (a new hour, dataset or box draws the picture anew).
  void Draw() override;
  void Shown(bool visible) override;
  void CursorLevel(Integer D, Integer H, Integer L) override;
  ChartMarks MarksFor(Integer D, Integer H) override;
  // A load or a recall sets the layer from the saved choice, also while the
  // loading state is raised: the levels and the buttons follow at once, and
  // nothing is drawn (the caller's redraw follows).
  void HodoHeightClick(Integer index) override;
  void HodoBaseClick(Integer index) override;
  void Start() override { ColourButtons(); }

  // The whole picture for gCurDataset at the host's hour.
  void DrawHodograph();
  // Prints text so that it ends at the right edge of the plane, then goes to
  // the next text line.
  void RightPrint(const std::string& text);

  // ---- mouse on the picture (button 1 left, 2 right; x, y in m/s) ----
  void picHodograph_MouseDown(int button, int shift, double x, double y);
  void picHodograph_MouseMove(int button, int shift, double x, double y);
  // The end of a drag.
  void picHodograph_MouseUp();

  // ---- layer buttons: the top (1..15) and bottom (0 "sfc" ..15) of the
  // layer for every hour of every dataset; an index without a button, or a
  // layer some hour cannot take, is refused and the old layer stays ----
  void btnHodoHeight_Click(Integer index);
  void btnHodoBase_Click(Integer index);
  // A move with the left button down over a button takes its choice.
  void btnHodoHeight_MouseMove(Integer index, int button);
  void btnHodoBase_MouseMove(Integer index, int button);

  void btnHodoZoom_Click();
  void btnHodoUnzoom_Click();
  void btnHodoReset_Click();
  void btnHodoToggle_Click();
  void lblInflow_Click() { btnHodoToggle_Click(); }
  void lblSRInflowHigh_Click() { btnHodoToggle_Click(); }
  void lblSRInflowLow_Click() { btnHodoToggle_Click(); }

  // Half-width of the plane in m/s (its zoom); not saved. The zoom stops at
  // a plane of a few m/s and at one beyond any wind (a ring every 10 m/s).
  Single gHodoScale = 26;
  static constexpr Single kMinHodoScale = 2, kMaxHodoScale = 200;
  // The point under the pointer: kNoPoint, kStormPoint or a level.
  Integer HodoPickedPoint = kNoPoint;

 private:
  // Zooms the plane by the factor, within its bounds.
  void Zoom(Single factor);
  void StormMotionMoved();
  bool ChooseTop(Integer index);
  bool ChooseBase(Integer index);
  // After a button chose a new layer: redraws and tells the host.
  void LayerChosen();
  // The chosen top and bottom buttons in the colours of their heights.
  void ColourButtons();
  void Layout();
  void ScalePlane();
  // Which hour the picked point belongs to; a pick of another hour, dataset
  // or file is no pick.
  Integer PickedPoint() const;
  void Pick(Integer point);
  void ReadOut(Integer point, Single u, Single v);
  void DrawInflow(Integer D, Integer H);
  void DrawBoundary(Integer D, Integer H);

  PanelHost& host_;
  QFrame* frameHodograph_;
  PictureBoxWidget* picHodograph_;
  QFrame* pnlHodograph_;
  std::array<QPushButton*, kHodoButtonLast + 1> btnHodoBase_{};
  std::array<QPushButton*, kHodoButtonLast + 1> btnHodoHeight_{};  // [0] unused
  QLabel* lblStormMotion_;
  QLabel* lblMean_;
  QLabel* lblInflow_;
  QLabel* lblSRInflowHigh_;
  QLabel* lblSRInflowLow_;
  QPushButton* btnHodoZoom_;
  QPushButton* btnHodoUnzoom_;
  QPushButton* btnHodoReset_;
  QPushButton* btnHodoToggle_;

  HodoDrag drag_;
  bool dragging_ = false;  // the storm motion moved since the button went down
  Integer pickDataset_ = 0, pickHour_ = -1;
  const ProfileStore* pickStore_ = nullptr;
  Integer HodoCursorLevel = 0;  // level of the highlighted segment; 0 = none
  long colouredBase_ = -1, colouredTop_ = -1;  // the buttons shown chosen; -1 none
};

}  // namespace ondrik
