// The storm-type panel (side panel "CAPE-Shear"): CAPE against bulk shear
// for the hour of every shown dataset, the point coloured by the convective
// inhibition, with the path of the last six hours ("Evolution Path") and an
// ellipse around the quartiles of the shown datasets ("Quartile Ring"). The
// three option buttons under the picture choose the CAPE and the shear layer;
// a click on the picture zooms the CAPE axis (above the shear axis) or the
// shear axis (on its labels): left in, right out.
#pragma once

#include <array>

#include "panels/panel.h"

class QFrame;
class QRadioButton;

namespace ondrik {

class CheckBox;
class PictureBoxWidget;

// Top of the CAPE axis (J/kg, 1000..9000 in steps of 1000) and right end of
// the shear axis (knots, 20..200 in steps of 20); 4000 and 100 at start.
extern Integer gCapeAxisMax;
extern Integer gShearAxisMax;

class CapeShearPanel : public SidePanel {
 public:
  CapeShearPanel(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  QWidget* ButtonBar() override;
  void Start() override;
  void Draw() override { PlotCapeShear(); }
  void Capture(PanelSettings& into) const override;
  void Apply(const PanelSettings& from) override;

  void PlotCapeShear();
  // The layer choice: every bulk shear of every dataset is computed again.
  void optCapeShear_Click(int index);
  void chkCapeShearHistory_Click() { BoxClicked(); }
  void chkCapeShearVariability_Click() { BoxClicked(); }
  // y in J/kg: above 0 the CAPE axis, else the shear axis; button 1 zooms in.
  void picCape_MouseUp(int button, int shift, double x, double y);

 private:
  void BoxClicked();
  void Layout();

  PanelHost& host_;
  QFrame* frame_;
  PictureBoxWidget* picCape_;
  std::array<QRadioButton*, 3> optCapeShear_{};
  QFrame* pnlShear_;
  CheckBox* chkCapeShearHistory_;
  CheckBox* chkCapeShearVariability_;
};

}  // namespace ondrik
