// The hodograph (side panel "Hodograph") with its row of layer buttons. It
// marks the helicity layer beside the chart's wind column and, while the
// cursor moves over the chart, highlights the segment of the level under it.
// The drawing itself is not part of the program yet.
#pragma once

#include "panels/panel.h"

class QFrame;

namespace ondrik {

class PictureBoxWidget;

class HodographPanel : public SidePanel {
 public:
  HodographPanel(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  QWidget* ButtonBar() override;
  void Draw() override;
  void CursorLevel(Integer D, Integer H, Integer L) override;
  ChartMarks MarksFor(Integer D, Integer H) override;

  // Half-width of the hodograph in m/s (its zoom).
  Single gHodoScale = 26;

 private:
  PanelHost& host_;
  QFrame* frameHodograph_;
  PictureBoxWidget* picHodograph_;
  QFrame* pnlHodograph_;
  Integer HodoCursorLevel = 0;  // level of the highlighted segment; 0 = none
};

}  // namespace ondrik
