// The lapse rates of the current hour (side panel "Lapse Rates"); it draws nothing yet.
#pragma once

#include "panels/picturepanel.h"

namespace ondrik {

class LapseRatesPanel : public PicturePanel {
 public:
  LapseRatesPanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picLapse") {}
};

}  // namespace ondrik
