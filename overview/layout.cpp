#include "overview/layout.h"

namespace ondrik {

std::optional<saved::OverviewLayout> MemoryLayoutSlots::Recall(int slot, const saved::OverviewLayout&) const {
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
