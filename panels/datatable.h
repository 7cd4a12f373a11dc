// The data table of the current hour (side panel "Data"); it draws nothing yet.
#pragma once

#include "panels/picturepanel.h"

namespace ondrik {

class DataTablePanel : public PicturePanel {
 public:
  DataTablePanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picProfile") {}
};

}  // namespace ondrik
