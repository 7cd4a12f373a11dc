// A side panel of a test's own, added to the window's panel table: it counts
// what the window asks of it and marks one level beside the wind column.
#pragma once

#include <vector>

#include "panels/picturepanel.h"

namespace ondrik::testing {

class ProbePanel : public PicturePanel {
 public:
  ProbePanel(PanelHost& host, QWidget* parent);
  void Draw() override;
  bool WantsCursorLevel() const override { return true; }
  void CursorLevel(Integer D, Integer H, Integer L) override;
  bool TakeChartClick() override;
  ChartMarks MarksFor(Integer D, Integer H) override;
  void RedrawMap() override { ++mapRedraws; }

  int draws = 0;
  Integer hourDrawn = -1;
  std::vector<Integer> cursorLevels;
  int clicksTaken = 0;
  int marksAsked = 0;
  int mapRedraws = 0;
};

}  // namespace ondrik::testing
