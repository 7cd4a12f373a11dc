// The "Controls" control page: the loop's rate and its pause at the last
// hour (milliseconds), and the downloader's frame frameHaulix: a button per
// download list, "A" to "V" (btnHaulix0..21), and "Get Data" (btnNewData).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "panels/panel.h"

class QFrame;
class QPushButton;

namespace ondrik {

class ScrollBar;

class LoopPage : public SidePanel {
 public:
  LoopPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  // The loop's two bars; a value outside a bar's range leaves that bar as it is.
  void Capture(PanelSettings& into) const override;
  void Apply(const PanelSettings& from) override;

  int Rate() const;   // hsbRate
  int Delay() const;  // hsbDelay
  // hsbRate_Change: the loop takes the new rate.
  std::function<void()> onRateChange;
  // btnHaulix_Click(index) and btnNewData_Click.
  std::function<void(int index)> onListClick;
  std::function<void()> onNewDataClick;
  // The list buttons' tool tips (no value: the button keeps its own).
  void SetListToolTips(const std::vector<std::optional<std::string>>& tips);

 private:
  QFrame* page_;
  ScrollBar* hsbRate_;
  ScrollBar* hsbDelay_;
  QFrame* frameHaulix_;
  std::vector<QPushButton*> btnHaulix_;
};

}  // namespace ondrik
