#include "panels/map.h"

#include <QFrame>

namespace ondrik {

MapPanel::MapPanel(PanelHost& host, QWidget* parent)
    : PicturePanel(host, parent, "picMap"), pnlMap_(new QFrame(parent)) {
  pnlMap_->setObjectName("pnlMap");
}

QWidget* MapPanel::ButtonBar() { return pnlMap_; }

ChartMarks MapPanel::MarksFor(Integer, Integer) {
  const ChartState& c = host_.Chart();
  ChartMarks m;
  if (c.opt.chkSigmaLevel) {
    m.levels[0] = c.in.gSigmaLevel;
    m.levelCount = 1;
  } else if (c.opt.chkMeanFlow) {
    m.levels = c.in.MeanFlowLevels;
    m.levelCount = 2;
  }
  return m;
}

}  // namespace ondrik
