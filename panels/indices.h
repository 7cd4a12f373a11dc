// The indices bars against their thresholds (side panel "Indices"); it draws nothing yet.
#pragma once

#include "panels/picturepanel.h"

namespace ondrik {

class IndicesPanel : public PicturePanel {
 public:
  IndicesPanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picIndices") {}
};

}  // namespace ondrik
