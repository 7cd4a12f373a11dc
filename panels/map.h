// The map (side panel "Map") with its row of buttons under it. It marks the
// sigma level, or else the mean-wind layer, beside the chart's wind column.
// Outlines and overlays are not part of the program yet.
#pragma once

#include "panels/picturepanel.h"

class QFrame;

namespace ondrik {

class MapPanel : public PicturePanel {
 public:
  MapPanel(PanelHost& host, QWidget* parent);
  QWidget* ButtonBar() override;
  ChartMarks MarksFor(Integer D, Integer H) override;

 private:
  QFrame* pnlMap_;
};

}  // namespace ondrik
