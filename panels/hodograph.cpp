#include "panels/hodograph.h"

#include <QFrame>
#include <QVBoxLayout>

#include "core/shear.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr Color kHodoSegment = RGB(255, 255, 0);
constexpr Color kHodoHighlight = RGB(255, 0, 255);

// Point of level k on the hodograph: storm motion plus storm-relative wind.
void HodoPoint(Integer D, Integer H, Integer k, double& u, double& v) {
  u = static_cast<double>(gStormU(D, H)) + gSRWindU(D, H, k);
  v = static_cast<double>(gStormV(D, H)) + gSRWindV(D, H, k);
}

void HodoSegment(PictureBox& hodo, Integer D, Integer H, Integer k, Color c) {
  if (k < 1 || k > kMaxLevels) return;
  double u0, v0, u1, v1;
  HodoPoint(D, H, k - 1, u0, v0);
  HodoPoint(D, H, k, u1, v1);
  hodo.Line(u0, v0, u1, v1, c);
}

}  // namespace

HodographPanel::HodographPanel(PanelHost& host, QWidget* parent)
    : host_(host),
      frameHodograph_(new QFrame(parent)),
      picHodograph_(new PictureBoxWidget(frameHodograph_)),
      pnlHodograph_(new QFrame(parent)) {
  frameHodograph_->setObjectName("frameHodograph");
  picHodograph_->setObjectName("picHodograph");
  pnlHodograph_->setObjectName("pnlHodograph");
  // The picture fills its frame.
  auto* fill = new QVBoxLayout(frameHodograph_);
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(picHodograph_);
  picHodograph_->Pic().Scale(-gHodoScale, gHodoScale, gHodoScale, -gHodoScale);
}

QWidget* HodographPanel::Widget() { return frameHodograph_; }
QWidget* HodographPanel::ButtonBar() { return pnlHodograph_; }

void HodographPanel::Draw() {}

// Covers the last highlighted segment and highlights the one that ends at
// level L when it lies inside the helicity layer.
void HodographPanel::CursorLevel(Integer D, Integer H, Integer L) {
  PictureBox& hodo = picHodograph_->Pic();
  hodo.DrawWidth = 2;
  if (HodoCursorLevel > 0) HodoSegment(hodo, D, H, HodoCursorLevel, kHodoSegment);
  if (gSRHTopLevel(D, H) >= L) {
    HodoSegment(hodo, D, H, L, kHodoHighlight);
    HodoCursorLevel = L;
  }
  picHodograph_->update();
}

ChartMarks HodographPanel::MarksFor(Integer D, Integer H) {
  ChartMarks m;
  m.levels = {gSRHBottomLevel(D, H), gSRHTopLevel(D, H)};
  m.levelCount = 2;
  return m;
}

}  // namespace ondrik
