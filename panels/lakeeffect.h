// The lake-effect control page ("Lake Effect"): the lake temperature bar and
// its label, the two lake levels of the configuration, and the labels of the
// chart's lake boxes that stand on this page. The lake-effect verdicts are
// not part of the program yet.
#pragma once

#include "panels/panel.h"

class QFrame;
class QLabel;

namespace ondrik {

class ScrollBar;

class LakeEffectPage : public SidePanel {
 public:
  LakeEffectPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  void Start() override;
  void Capture(PanelSettings& into) const override;
  void Apply(const PanelSettings& from) override;

  // The lake temperature bar (deg F) changed: the lake parcels of the
  // current dataset are lifted again at the next draw.
  void vsbLakeF_Change();

 private:
  PanelHost& host_;
  QFrame* page_;
  ScrollBar* vsbLakeF_;
  QLabel* lblLakeC_;
  QLabel* lblCI850_;
  QLabel* lblCI700_;
};

}  // namespace ondrik
