#include "panels/map.h"

#include <QFrame>
#include <QResizeEvent>

#include <algorithm>

#include "core/guards.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr int kBar = 17;

// The map fills its frame; the level bars stand at its right edge.
class MapFrame : public QFrame {
 public:
  using QFrame::QFrame;
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QFrame::resizeEvent(e);
    if (onResize) onResize();
  }
};

}  // namespace

MapPanel::MapPanel(PanelHost& host, QWidget* parent) : host_(host) {
  auto* frame = new MapFrame(parent);
  frameMap_ = frame;
  frameMap_->setObjectName("frameMap");
  picMap_ = new PictureBoxWidget(frameMap_);
  picMap_->setObjectName("picMap");
  vsbSigmaLevel_ = new ScrollBar(Qt::Vertical, frameMap_);
  vsbSigmaLevel_->setObjectName("vsbSigmaLevel");
  vsbSigmaLevel_->setToolTip("Sigma level");
  for (int i = 0; i < 2; ++i) {
    auto* b = new ScrollBar(Qt::Vertical, frameMap_);
    b->setObjectName(QString("vsbMeanFlow%1").arg(i));
    b->setToolTip(i == 0 ? "Mean wind: bottom" : "Mean wind: top");
    vsbMeanFlow_[static_cast<size_t>(i)] = b;
  }
  frame->onResize = [this] {
    const int w = frameMap_->width(), h = frameMap_->height();
    picMap_->setGeometry(0, 0, w, h);
    // Sigma level and mean wind are never shown together: they share a place.
    vsbSigmaLevel_->setGeometry(w - 2 * kBar - 2, 0, kBar, h);
    vsbMeanFlow_[0]->setGeometry(w - 2 * kBar - 2, 0, kBar, h);
    vsbMeanFlow_[1]->setGeometry(w - kBar, 0, kBar, h);
  };

  pnlMap_ = new QFrame(parent);
  pnlMap_->setObjectName("pnlMap");
  chkMeanFlow_ = new CheckBox("Mean Wind", pnlMap_);
  chkMeanFlow_->setObjectName("chkMeanFlow");
  chkSigmaLevel_ = new CheckBox("Sigma Level", pnlMap_);
  chkSigmaLevel_->setObjectName("chkSigmaLevel");
  chkMeanFlow_->setGeometry(2, 2, 90, 18);
  chkSigmaLevel_->setGeometry(96, 2, 96, 18);
  for (CheckBox* b : {chkMeanFlow_, chkSigmaLevel_}) b->setFocusPolicy(Qt::TabFocus);
  chkMeanFlow_->onClick = [this] { chkMeanFlow_Click(); };
  chkSigmaLevel_->onClick = [this] { chkSigmaLevel_Click(); };
  // Mean-wind levels run from the top (Min, set by a load) down to level 1.
  for (ScrollBar* b : vsbMeanFlow_) b->SetMax(1);
  vsbSigmaLevel_->onChange = [this] { Redraw(); };
  for (int i = 0; i < 2; ++i) vsbMeanFlow_[static_cast<size_t>(i)]->onChange = [this, i] { vsbMeanFlow_Change(i); };
  ShowBars();
}

QWidget* MapPanel::Widget() { return frameMap_; }
QWidget* MapPanel::ButtonBar() { return pnlMap_; }

void MapPanel::chkMeanFlow_Click() { LayerBoxClicked(chkMeanFlow_, chkSigmaLevel_); }
void MapPanel::chkSigmaLevel_Click() { LayerBoxClicked(chkSigmaLevel_, chkMeanFlow_); }

// The two boxes exclude each other; their bars follow them always, the
// redraw only outside a bulk change.
void MapPanel::LayerBoxClicked(CheckBox* box, CheckBox* other) {
  if (box->Value() != 0 && other->Value() != 0) {
    const LoadingStateGuard loading;
    other->SetValue(0);
  }
  ShowBars();
  Redraw();
}

namespace {

bool InBarRange(const ScrollBar& bar, int v) {
  return v >= std::min<int>(bar.Min, bar.Max) && v <= std::max<int>(bar.Min, bar.Max);
}

}  // namespace

// The two bars never hold the same level: the one moved steps on (bar 0 one
// level lower, bar 1 one higher); at the end of its range the other moves.
void MapPanel::vsbMeanFlow_Change(int index) {
  const size_t i = static_cast<size_t>(index), other = 1 - i;
  ScrollBar& bar = *vsbMeanFlow_[i];
  const int v = bar.Value();
  if (!gLoadingState && v == vsbMeanFlow_[other]->Value()) {
    const int away = v + 2 * index - 1;
    if (InBarRange(bar, away)) {
      bar.SetValue(away);  // runs this handler again
      return;
    }
    const int otherAway = v - (2 * index - 1);
    if (InBarRange(*vsbMeanFlow_[other], otherAway)) {
      const LoadingStateGuard loading;
      vsbMeanFlow_[other]->SetValue(otherAway);
    }
  }
  Redraw();
}

void MapPanel::ShowBars() {
  vsbSigmaLevel_->setVisible(chkSigmaLevel_->Value() != 0);
  for (ScrollBar* b : vsbMeanFlow_) b->setVisible(chkMeanFlow_->Value() != 0);
}

void MapPanel::Redraw() {
  if (gLoadingState) return;
  host_.RedrawChart();
  Draw();
}

ChartMarks MapPanel::MarksFor(Integer, Integer) {
  ChartMarks m;
  if (chkSigmaLevel_->Value() != 0) {
    m.levels[0] = vsbSigmaLevel_->Value();
    m.levelCount = 1;
  } else if (chkMeanFlow_->Value() != 0) {
    m.levels = {vsbMeanFlow_[0]->Value(), vsbMeanFlow_[1]->Value()};
    m.levelCount = 2;
  }
  return m;
}

void MapPanel::SetSigmaLevelBar(Integer min, Integer max, Integer value) {
  vsbSigmaLevel_->SetRange(min, max);
  vsbSigmaLevel_->SetValue(value);
}

void MapPanel::SetMeanFlowBars(Integer min0, Integer min1, Integer value0, Integer value1) {
  vsbMeanFlow_[0]->SetMin(min0);
  vsbMeanFlow_[1]->SetMin(min1);
  vsbMeanFlow_[0]->SetValue(value0);
  vsbMeanFlow_[1]->SetValue(value1);
}

void MapPanel::Capture(PanelSettings& into) const {
  into.chkSigmaLevel = chkSigmaLevel_->Value() != 0;
  into.chkMeanFlow = chkMeanFlow_->Value() != 0;
  into.SigmaLevel = vsbSigmaLevel_->Value();
  into.MeanFlowLevels = {vsbMeanFlow_[0]->Value(), vsbMeanFlow_[1]->Value()};
}

void MapPanel::Apply(const PanelSettings& from) {
  chkSigmaLevel_->SetValue(from.chkSigmaLevel ? 1 : 0);
  chkMeanFlow_->SetValue(from.chkMeanFlow ? 1 : 0);
  vsbSigmaLevel_->SetValue(from.SigmaLevel);
  vsbMeanFlow_[0]->SetValue(from.MeanFlowLevels[0]);
  vsbMeanFlow_[1]->SetValue(from.MeanFlowLevels[1]);
}

}  // namespace ondrik
