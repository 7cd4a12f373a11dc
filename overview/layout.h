// An overview layout: everything the user has chosen in the overview (the
// check boxes of the table, the option buttons, the axis ranges and the
// levels of its bars), as one plain value. The window captures and applies
// it; the slots keep layouts by number (0 to 5 for the user, 8 from one
// opening of the overview to the next, 9 while the overview is rebuilt).
// Not in a layout: the time window, the bottom of the plane, the contour
// step itself (its option index is), the dataset boxes and the overlay.
#pragma once

#include <array>
#include <map>
#include <optional>

#include "overview/state.h"

namespace ondrik {

struct OverviewLayout {
  OverviewOptions opt;
  // Axis ranges.
  Single SfcPresBottom = 975, SfcPresSpan = 50;
  Single DirTop = 360, DirSpan = 360;
  Single IndexBottom = -20, IndexSpan = 40;
  Single LogPSpan = 1;
  Single PrecipBottom = 0, PrecipSpan = 0.1f;
  Single TempBottom = 30, TempSpan = 70;
  Single LICAxisTop = 2000, VisAxisTop = 10, VentAxisTop = 20;
  // The profile window's momentum-transfer step and layer, and the levels
  // of the overview's bars as pressures (so that a layout carries over to a
  // file whose levels lie elsewhere).
  Integer XferIndex = 1;
  Single SigmaLevelPres = 0;
  std::array<Single, 2> MeanWindPres{};
  Single SRInflowDepth = 3, SRInflowBottom = 0;
};

// The options and axis ranges of the state (the window adds the rest).
OverviewLayout CaptureLayout(const OverviewState& s);
// Puts the axis ranges and the values that are not controls back (the
// window sets the controls, whose handlers keep the options in step).
void ApplyLayoutRanges(const OverviewLayout& l, OverviewState& s);

// Where layouts are kept by slot number: in memory, or (the program) in the
// layout files of the saved state (overviewwindow).
class OverviewLayoutSlots {
 public:
  virtual ~OverviewLayoutSlots() = default;
  // False when the layout could not be kept (the slot keeps what it had).
  virtual bool Save(int slot, const OverviewLayout& layout) = 0;
  // The layout of a slot; none when the slot was never saved.
  virtual std::optional<OverviewLayout> Recall(int slot) const = 0;
  // The same, for slots that may hold only part of a layout (a short
  // file): what the slot does not hold is taken from current.
  virtual std::optional<OverviewLayout> Recall(int slot, const OverviewLayout& /*current*/) const {
    return Recall(slot);
  }
};

class MemoryLayoutSlots : public OverviewLayoutSlots {
 public:
  using OverviewLayoutSlots::Recall;
  bool Save(int slot, const OverviewLayout& layout) override {
    slots_[slot] = layout;
    return true;
  }
  std::optional<OverviewLayout> Recall(int slot) const override;
  void Clear() { slots_.clear(); }

 private:
  std::map<int, OverviewLayout> slots_;
};

// The program's slots: in memory unless others were set; SetLayoutSlots
// (nullptr) returns to the memory slots.
OverviewLayoutSlots& TheLayoutSlots();
void SetLayoutSlots(OverviewLayoutSlots* slots);

}  // namespace ondrik
