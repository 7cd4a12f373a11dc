#include "tests/profilewindow/probe_panel.h"

namespace ondrik::testing {

ProbePanel::ProbePanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picProbe") {}

void ProbePanel::Draw() {
  ++draws;
  hourDrawn = host_.Hour();
  Pic().Cls();
  Update();
}

void ProbePanel::CursorLevel(Integer, Integer, Integer L) { cursorLevels.push_back(L); }

bool ProbePanel::TakeChartClick() {
  ++clicksTaken;
  return true;
}

ChartMarks ProbePanel::MarksFor(Integer, Integer) {
  ++marksAsked;
  ChartMarks m;
  m.levels[0] = 3;
  m.levelCount = 1;
  return m;
}

}  // namespace ondrik::testing
