// The map (side panel "Map") with its row of buttons under it: the "Mean
// Wind" and "Sigma Level" boxes (one at a time) and their level bars. The
// panel marks the sigma level, or else the mean-wind layer, beside the
// chart's wind column. Outlines and overlays are not part of the program yet.
#pragma once

#include <array>

#include "panels/picturepanel.h"

class QFrame;

namespace ondrik {

class CheckBox;
class ScrollBar;

class MapPanel : public SidePanel {
 public:
  MapPanel(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  QWidget* ButtonBar() override;
  ChartMarks MarksFor(Integer D, Integer H) override;
  void SetSigmaLevelBar(Integer min, Integer max, Integer value) override;
  void SetMeanFlowBars(Integer min0, Integer min1, Integer value0, Integer value1) override;
  void Capture(PanelSettings& into) const override;
  void Apply(const PanelSettings& from) override;

  void chkMeanFlow_Click();
  void chkSigmaLevel_Click();
  void vsbMeanFlow_Change(int index);

 private:
  void LayerBoxClicked(CheckBox* box, CheckBox* other);
  void ShowBars();
  void Redraw();

  PanelHost& host_;
  QFrame* frameMap_;
  PictureBoxWidget* picMap_;
  QFrame* pnlMap_;
  CheckBox* chkMeanFlow_;
  CheckBox* chkSigmaLevel_;
  ScrollBar* vsbSigmaLevel_;
  std::array<ScrollBar*, 2> vsbMeanFlow_{};
};

}  // namespace ondrik
