// Precipitation type by thickness, energy and top-down methods (side panel "Precip Type"); it draws nothing yet.
#pragma once

#include "panels/picturepanel.h"

namespace ondrik {

class PrecipTypePanel : public PicturePanel {
 public:
  PrecipTypePanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picPrecipType") {}
};

}  // namespace ondrik
