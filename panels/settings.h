// What the side panels and control pages keep between runs and in display
// setups: one plain value that saved state reads and writes, and that each
// panel fills (Capture) and takes back (Apply) for its own fields.
//
// Qt-free. Panels add their fields here as they gain settings.
#pragma once

#include <array>

#include "core/store.h"
#include "panels/mapdata.h"

namespace ondrik {

struct PanelSettings {
  // Lake page: the lake temperature scroll bar, deg F.
  Integer LakeTempF = 34;
  // Controls page: the loop's interval and its pause at the last hour (ms).
  Integer hsbRate = 240;
  Integer hsbDelay = 2500;
  // Map: the layer marked on the chart ("Sigma Level" or "Mean Wind", one
  // at a time) and the levels of their bars.
  bool chkSigmaLevel = false;
  bool chkMeanFlow = false;
  Integer SigmaLevel = 0;
  std::array<Integer, 2> MeanFlowLevels{};
  // Indices panel: its three boxes "Indicy Bar", "Indicy Circle", "Quartile Box".
  Integer chkIndcyBar = 1;
  Integer chkIndcyCircle = 0;
  Integer chkIndicyBox = 0;
  // CAPE-shear panel: "Evolution Path" and "Quartile Ring".
  Integer chkCapeShearHistory = 0;
  Integer chkCapeShearVariability = 0;
  // Map: its extent (gMapWest, gMapNorth, gMapEast, gMapSouth), the outline
  // layers chkMap(0..4) in the order Canada, CWA, County, State, Country
  // (the history file and the map presets write them the other way round),
  // the layer panel shown, and the radar bright band with its tilts
  // chkAngle(0..4) "0.5" to "4.4".
  MapExtent mapExtent;
  std::array<bool, kMapLayerCount> chkMap{false, false, false, true, true};
  bool MapSelectionShown = false;
  bool chkBrightBand = false;
  std::array<bool, 5> chkAngle{};
};

}  // namespace ondrik
