// Fog: humidity and hydrolapse charts and their verdicts (side panel "Fog"); it draws nothing yet.
#pragma once

#include "panels/picturepanel.h"

namespace ondrik {

class FogPanel : public PicturePanel {
 public:
  FogPanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picFog") {}
};

}  // namespace ondrik
