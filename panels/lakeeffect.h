// The lake-effect control page ("Lake Effect"): the lake temperature bar and
// its labels, the two lake levels of the configuration with the air
// temperature there and the lake's excess over it, the stability verdict,
// the model CAPE beside the CAPE, equilibrium level and normalised CAPE of
// the parcel lifted from the lake surface, and the labels of the chart's
// lake boxes that stand on this page.
#pragma once

#include <string>

#include "panels/panel.h"
#include "platform/picturebox.h"

class QFrame;
class QLabel;

namespace ondrik {

class ScrollBar;

// The stability verdict from the lake's excess (deg C) over the air at the
// lower (d850) and upper (d700) lake level: none below 12 at the lower or 17
// at the upper level; "Extreme" (red) from 17 and 30, "Moderate" (blue) from
// 17 and 24, else "Conditional" (black). Every limit belongs to the class
// above it.
struct LakeStability {
  std::string text;
  Color colour = kBlack;
};
LakeStability LakeStabilityVerdict(double d850, double d700);

class LakeEffectPage : public SidePanel {
 public:
  LakeEffectPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  void Start() override;
  // ShowLakeEffect.
  void Draw() override;
  void Capture(PanelSettings& into) const override;
  void Apply(const PanelSettings& from) override;

  // The lake temperature bar (deg F) changed: the lake parcels of every
  // dataset are lifted again, the page and the chart redrawn.
  void vsbLakeF_Change();
  // Fills the page's labels for gCurDataset at the host's hour.
  void ShowLakeEffect();

 private:
  PanelHost& host_;
  QFrame* page_;
  ScrollBar* vsbLakeF_;
  QLabel* lblLakeF_;
  QLabel* lblLakeC_;
  QLabel* lblCI850_;
  QLabel* lblCI700_;
  QLabel* lblT850_;
  QLabel* lblDiff850_;
  QLabel* lblT700_;
  QLabel* lblDiff700_;
  QLabel* lblStability_;
  QLabel* lblModelCape_;
  QLabel* lblLIC_;
  QLabel* lblLIE_;
  QLabel* lblNLIC_;
};

}  // namespace ondrik
