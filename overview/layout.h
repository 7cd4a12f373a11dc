// Where the overview's layouts are kept by slot number: 0 to 5 for the
// user, 8 from one opening of the overview to the next, 9 while the
// overview is rebuilt. A layout is the value of a layout file
// (savedstate/overviewlayout.h): everything the user has chosen in the
// overview, which the window links to its controls both ways. The program
// keeps the layouts in the layout files of the saved state
// (overviewwindow), tests in memory.
#pragma once

#include <map>
#include <optional>

#include "savedstate/overviewlayout.h"

namespace ondrik {

class OverviewLayoutSlots {
 public:
  virtual ~OverviewLayoutSlots() = default;
  // False when the layout could not be kept (the slot keeps what it had).
  virtual bool Save(int slot, const saved::OverviewLayout& layout) = 0;
  // The layout of a slot over current: what the slot does not hold (a
  // short file) is current's. None when the slot was never saved or its
  // file is refused.
  virtual std::optional<saved::OverviewLayout> Recall(int slot, const saved::OverviewLayout& current) const = 0;
  std::optional<saved::OverviewLayout> Recall(int slot) const { return Recall(slot, saved::OverviewLayout{}); }
};

class MemoryLayoutSlots : public OverviewLayoutSlots {
 public:
  using OverviewLayoutSlots::Recall;
  bool Save(int slot, const saved::OverviewLayout& layout) override {
    slots_[slot] = layout;
    return true;
  }
  std::optional<saved::OverviewLayout> Recall(int slot, const saved::OverviewLayout& current) const override;
  void Clear() { slots_.clear(); }

 private:
  std::map<int, saved::OverviewLayout> slots_;
};

// The program's slots: in memory unless others were set; SetLayoutSlots
// (nullptr) returns to the memory slots.
OverviewLayoutSlots& TheLayoutSlots();
void SetLayoutSlots(OverviewLayoutSlots* slots);

}  // namespace ondrik
