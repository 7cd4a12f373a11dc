// The "Convection" control page: the elevated-CAPE frame with the values of
// the parcel under the chart's cursor. The frame shows while "Elevated CAPE"
// is ticked and, at each refresh, only for hours where some level's parcel
// has CAPE.
#pragma once

#include <vector>

#include "panels/panel.h"

class QFrame;
class QLabel;

namespace ondrik {

class PictureBoxWidget;

class ConvectionPage : public SidePanel {
 public:
  ConvectionPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  // DisplayECAPEFrame while "Elevated CAPE" is ticked.
  void Draw() override;
  void ChartOptionsChanged() override;

  // Shows the cursor's parcel values as the chart left them.
  void ShowParcel(const ChartCursor::ECapeFrame& f);
  // Decides once per dataset and hour whether any level's parcel has CAPE
  // and shows the frame accordingly.
  void DisplayECAPEFrame();

 private:
  PanelHost& host_;
  QFrame* page_;
  QFrame* frameECAPE_;
  std::vector<QLabel*> labels_;  // p, t, dp, CAPE, hail CAPE, CIN, EQL, NCAPE
  PictureBoxWidget* picEHailCape_;
  bool shownByBox_ = false;  // "Elevated CAPE" as last seen
};

}  // namespace ondrik
