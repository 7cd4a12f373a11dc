#include "overview/boxes.h"

#include "overview/plotters.h"
#include "overview/series.h"

namespace ondrik {

const std::array<OverviewRow, kBoxCount>& OverviewRows() {
  static const std::array<OverviewRow, kBoxCount> rows = {{
#define ONDRIK_BOX_ROW(id, name, caption, kind, axis, topic, place, plot, series) \
  {kBox##id, name, caption, BoxKind::kind, Axis::axis, topic, place, PlotterOf<kBox##id>(plot), series},
      ONDRIK_OVERVIEW_BOXES(ONDRIK_BOX_ROW)
#undef ONDRIK_BOX_ROW
  }};
  return rows;
}

const OverviewRow* RowNamed(std::string_view name) {
  for (const OverviewRow& r : OverviewRows())
    if (r.name == name) return &r;
  return nullptr;
}

}  // namespace ondrik
