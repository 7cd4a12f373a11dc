// The heavy-precipitation panel (side panel "Heavy Pcp"). It marks the
// low-level jet beside the chart's wind column and owns the inflow
// selection: while "Select Inflow" is on, the level under the chart's cursor
// is taken as the jet level, and the next click on the chart ends it. The
// gauges and vector diagram are not part of the program yet.
#pragma once

#include "panels/picturepanel.h"

class QPushButton;

namespace ondrik {

// The low-level jet of dataset D at hour H as the chart labels it ("LLJ", or
// "LL?" when uncertain), computing the vectors when they are not done.
ChartMarks LowLevelJetMark(Integer D, Integer H);

class HeavyPrecipPanel : public PicturePanel {
 public:
  HeavyPrecipPanel(PanelHost& host, QWidget* parent);
  void Draw() override;
  void Shown(bool visible) override;
  bool WantsCursorLevel() const override { return InflowSelectMode; }
  void CursorLevel(Integer D, Integer H, Integer L) override;
  bool TakeChartClick() override;
  ChartMarks MarksFor(Integer D, Integer H) override;

  // "Select Inflow": the inflow selection on or off.
  void btnSelectInflow_Click();
  bool InflowSelectMode = false;
  // Half-width of the vector picture in knots (its zoom).
  Single gMBEScale = 51;

 private:
  QPushButton* btnSelectInflow_;
};

}  // namespace ondrik
