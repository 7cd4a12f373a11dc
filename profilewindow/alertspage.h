// The "Alerts" control page: the index list lstIndices and the thresholds of
// the index chosen in it, txtIndices(0..6) with their labels lblIndices(0..6).
// Columns 0 to 3 are shown for every index, 4 to 6 only for the two-sided
// ones. An edit goes straight into the index threshold table; the panels use
// it at their next drawing.
#pragma once

#include <array>
#include <functional>

#include "panels/panel.h"
#include "core/thresholds.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;

namespace ondrik {

class AlertsPage : public SidePanel {
 public:
  AlertsPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;

  // The 26 index names, in the table's row order (start-up).
  void FillIndexList();
  // The index chosen: its thresholds into the boxes.
  void lstIndices_Click();
  // A box edited: its value into the table (nothing while no index is chosen).
  void txtIndices_Change(int index);

  // The table changed.
  std::function<void()> onThresholdChange;

 private:
  QFrame* page_;
  QListWidget* lstIndices_;
  std::array<QLineEdit*, kIndexThresholdColumns> txtIndices_{};
  std::array<QLabel*, kIndexThresholdColumns> lblIndices_{};
  bool filling_ = false;  // boxes being set from the table
};

}  // namespace ondrik
