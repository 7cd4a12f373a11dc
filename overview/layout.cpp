#include "overview/layout.h"

namespace ondrik {

OverviewLayout CaptureLayout(const OverviewState& s) {
  const OverviewFrame& f = s.frame;
  OverviewLayout l;
  l.opt = s.opt;
  l.SfcPresBottom = f.SfcPresBottom;
  l.SfcPresSpan = f.SfcPresSpan;
  l.DirTop = f.DirTop;
  l.DirSpan = f.DirSpan;
  l.IndexBottom = f.IndexBottom;
  l.IndexSpan = f.IndexSpan;
  l.LogPSpan = f.LogPSpan;
  l.PrecipBottom = f.PrecipBottom;
  l.PrecipSpan = f.PrecipSpan;
  l.TempBottom = f.TempBottom;
  l.TempSpan = f.TempSpan;
  l.LICAxisTop = gLICAxisTop;
  l.VisAxisTop = gVisAxisTop;
  l.VentAxisTop = gVentAxisTop;
  return l;
}

void ApplyLayoutRanges(const OverviewLayout& l, OverviewState& s) {
  OverviewFrame& f = s.frame;
  f.SfcPresBottom = l.SfcPresBottom;
  f.SfcPresSpan = l.SfcPresSpan;
  gLICAxisTop = l.LICAxisTop;
  gVisAxisTop = l.VisAxisTop;
  gVentAxisTop = l.VentAxisTop;
  f.DirTop = l.DirTop;
  f.DirSpan = l.DirSpan;
  f.IndexBottom = l.IndexBottom;
  f.IndexSpan = l.IndexSpan;
  f.LogPSpan = l.LogPSpan;
  f.PrecipBottom = l.PrecipBottom;
  f.PrecipSpan = l.PrecipSpan;
  f.TempBottom = l.TempBottom;
  f.TempSpan = l.TempSpan;
  // Options that are not check boxes; the boxes are set by the window.
  const std::array<int, kBoxCount> boxes = s.opt.box;
  s.opt = l.opt;
  s.opt.box = boxes;
  s.opt.ContourInterval = ContourIntervalOfIndex(l.opt.ContourIntervalIndex);
}

std::optional<OverviewLayout> MemoryLayoutSlots::Recall(int slot) const {
  const auto it = slots_.find(slot);
  if (it == slots_.end()) return std::nullopt;
  return it->second;
}

namespace {
MemoryLayoutSlots gMemorySlots;
OverviewLayoutSlots* gSlots = nullptr;
}  // namespace

OverviewLayoutSlots& TheLayoutSlots() { return gSlots != nullptr ? *gSlots : gMemorySlots; }
void SetLayoutSlots(OverviewLayoutSlots* slots) { gSlots = slots; }

}  // namespace ondrik
