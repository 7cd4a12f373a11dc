// The hidden blank panel (button "Don't Click", shown by the configuration); it draws nothing.
#pragma once

#include "panels/picturepanel.h"

namespace ondrik {

class BlankPanel : public PicturePanel {
 public:
  BlankPanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picDont") {}
};

}  // namespace ondrik
