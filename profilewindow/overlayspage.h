// The "Overlays" control page: the dataset check boxes chkefname(0..19) in 4
// columns of 5 (one column per word column of the titles) and the count of
// the datasets they select. The window decides what the ticks mean.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/loadui.h"
#include "panels/panel.h"

class QFrame;
class QLabel;

namespace ondrik {

class CheckBox;

class OverlaysPage : public SidePanel {
 public:
  OverlaysPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;

  // Captions and visibility after a load.
  void SetBoxes(const DatasetBoxes& boxes);
  const std::string& Caption(int box) const { return caption_[static_cast<size_t>(box)]; }
  int Value(int box) const;
  // Sets a box by code; its click handling runs when the value changes.
  void SetValue(int box, int value);
  // lblSelectEnsemble.
  void SetSummary(const std::string& text);
  void ShowSummary(bool visible);
  std::string Summary() const;

  // chkefname_Click(box).
  std::function<void(int box)> onBoxClick;

 private:
  QFrame* page_;
  QLabel* lblSelectEnsemble_;
  std::array<CheckBox*, kDatasetBoxCount> chkefname_{};
  std::array<std::string, kDatasetBoxCount> caption_{};
};

}  // namespace ondrik
