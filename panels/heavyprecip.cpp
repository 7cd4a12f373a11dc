#include "panels/heavyprecip.h"

#include <QPushButton>

#include "core/mbe.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {
constexpr Color kJet = RGB(0, 255, 0);
constexpr Color kJetUncertain = RGB(0, 128, 0);
}  // namespace

HeavyPrecipPanel::HeavyPrecipPanel(PanelHost& host, QWidget* parent)
    : PicturePanel(host, parent, "picMBE"), btnSelectInflow_(new QPushButton("Select Inflow", Picture())) {
  btnSelectInflow_->setObjectName("btnSelectInflow");
  btnSelectInflow_->setFocusPolicy(Qt::TabFocus);
  btnSelectInflow_->setGeometry(2, 2, 80, 20);
  QObject::connect(btnSelectInflow_, &QPushButton::clicked, btnSelectInflow_,
                   [this] { btnSelectInflow_Click(); });
}

void HeavyPrecipPanel::Draw() {}

void HeavyPrecipPanel::Shown(bool visible) {
  // The selection belongs to the panel on the screen.
  if (!visible && InflowSelectMode) btnSelectInflow_Click();
}

void HeavyPrecipPanel::btnSelectInflow_Click() {
  InflowSelectMode = !InflowSelectMode;
  btnSelectInflow_->setStyleSheet(InflowSelectMode ? "QPushButton { background: rgb(255,255,0); }" : "");
  host_.FocusHourBar();
}

void HeavyPrecipPanel::CursorLevel(Integer D, Integer H, Integer L) {
  if (!InflowSelectMode) return;
  ComputeMBEVectors(D, H, L);  // L as the inflow (jet) level
  Draw();
}

bool HeavyPrecipPanel::TakeChartClick() {
  if (!InflowSelectMode) return false;
  btnSelectInflow_Click();  // the click ends the selection and does not zoom
  return true;
}

ChartMarks HeavyPrecipPanel::MarksFor(Integer D, Integer H) { return LowLevelJetMark(D, H); }

ChartMarks LowLevelJetMark(Integer D, Integer H) {
  ChartMarks m;
  if (gMbeDone(D, H) != -1) ComputeMBEVectors(D, H, 0);
  m.labelPres = gLLJPres(D, H);
  if (gLLJUncertain(D, H) != 0) {
    m.label = "LL?";
    m.labelColor = kJetUncertain;
  } else {
    m.label = "LLJ";
    m.labelColor = kJet;
  }
  return m;
}

}  // namespace ondrik
