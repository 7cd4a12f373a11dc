#include "profilewindow/paneltable.h"

#include "panels/blank.h"
#include "panels/capeshear.h"
#include "panels/datatable.h"
#include "panels/fog.h"
#include "panels/heavyprecip.h"
#include "panels/hodograph.h"
#include "panels/indices.h"
#include "panels/lakeeffect.h"
#include "panels/lapserates.h"
#include "panels/map.h"
#include "panels/preciptype.h"
#include "panels/stormmatrix.h"
#include "profilewindow/alertspage.h"
#include "profilewindow/archive.h"
#include "profilewindow/archivepanel.h"
#include "profilewindow/convectionpage.h"
#include "profilewindow/looppage.h"
#include "profilewindow/overlayspage.h"

namespace ondrik {

namespace {

template <typename P>
PanelEntry::Factory Make() {
  return [](PanelHost& host, QWidget* parent) -> std::unique_ptr<SidePanel> {
    return std::make_unique<P>(host, parent);
  };
}

}  // namespace

std::vector<PanelEntry> SidePanelTable() {
  return {
      {0, "Data", "Data", Make<DataTablePanel>()},
      {1, "Map", "Map", Make<MapPanel>()},
      {2, "Hodograph", "Hodograph", Make<HodographPanel>()},
      {3, "Indices", "Indicies", Make<IndicesPanel>(), false, {{"picIndices", "Indicies"}}},
      {4, "CAPE-Shear", "Storm Type", Make<CapeShearPanel>()},
      {5, "Heavy Pcp", "Heavy Precip", Make<HeavyPrecipPanel>()},
      {6, "Precip Type", "Precip Type", Make<PrecipTypePanel>()},
      {7, "Lapse Rates", "Lapse Rates", Make<LapseRatesPanel>(), false, {{"picLapse", "Lapse Rates"}}},
      {8, "Fog", "Fog", Make<FogPanel>(), false, {{"picFog", "Fog"}}},
      {9, "Don't Click", "", Make<BlankPanel>()},
      {kArchivePanel, "", "", Make<ArchivePanel>()},
  };
}

std::vector<PanelEntry> ControlPageTable() {
  std::vector<PanelEntry> pages = {
      {0, "Lake Effect", "Lake Effect", Make<LakeEffectPage>(), true,
       {{"Label21", "Lake Index"}, {"Label22", "Moist Lake Index"}, {"Label39", "LI CAPE"}}},
      {1, "Alerts", "Alerts", Make<AlertsPage>(), false},
      {2, "Controls", "Loop", Make<LoopPage>(), false},
      {3, "Convection", "Convection", Make<ConvectionPage>(), true},
      {4, "KORVAN", "Korvan", Make<StormMatrixPage>(), true},
      {5, "Overlays", "Controls", Make<OverlaysPage>(), false},
  };
  // A click on the page itself, wherever no control of its own takes it.
  for (PanelEntry& e : pages) e.topicControls.push_back({PageWidgetName(e.index), kPageTopic});
  return pages;
}

std::string PageWidgetName(int index) { return "pnlControl" + std::to_string(index); }

}  // namespace ondrik
