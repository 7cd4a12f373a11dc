// A side panel that is one picture box, the shape most panels have. Panels
// derive from it and draw on Pic().
#pragma once

#include <string>

#include "panels/panel.h"

namespace ondrik {

class PictureBoxWidget;
class PictureBox;

class PicturePanel : public SidePanel {
 public:
  // The picture gets `objectName` (tests and the window find it by name).
  PicturePanel(PanelHost& host, QWidget* parent, const std::string& objectName);
  QWidget* Widget() override;

 protected:
  PictureBox& Pic();
  // Shows what was drawn on the picture.
  void Update();
  PictureBoxWidget* Picture() const { return picture_; }
  PanelHost& host_;

 private:
  PictureBoxWidget* picture_;
};

}  // namespace ondrik
