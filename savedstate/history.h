// The history file "Ondrik.hst": the profile window's working state from one
// run to the next, read once at start-up and written once at the end.
//
// 66 lines: the header, then the values of HistoryRecord() in file order.
// Fields carry the names of the values they hold; check boxes and scroll bars
// hold the control's value (boxes 0 clear, 1 ticked, 2 greyed).
//
// Reading starts from the window's current values. A missing file, a header
// that fails and a file that ends early run the defaults step: every value
// that has a first-run default takes it (the others keep what was read, or
// their current value). A single bad value (not a number, out of its range)
// is not taken: it keeps its default, or its current value when it has none,
// and reading goes on. Then the reader's corrections apply (inflow layer,
// window places, omega range).
//
// Qt-free.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store.h"
#include "core/thresholds.h"
#include "savedstate/mappreset.h"
#include "savedstate/record.h"

namespace ondrik::saved {

// What the defaults step puts into the window's live panel fields (the saved
// pair RestorePanel, RestoreControlPage keeps its value).
inline constexpr Integer kDefaultRightPanel = 4;
inline constexpr Integer kDefaultControlPanel = 1;

struct HistoryFile {
  // line 2: the lake temperature (deg F)
  Integer LakeTempF = 34;
  // lines 3, 4: temperature bounds (deg C) of the plain and the skewed chart
  Integer PlainTMin = -60, PlainTMax = 30;
  Integer SkewTMin = -60, SkewTMax = 30;
  // line 5: a spare value
  Integer gHistorySpare = 0;
  // line 6: bottom and span (deg F) of the overview's temperature strips
  Integer gTempAxisBottom = 30, gTempAxisSpan = 70;
  // lines 7 to 32: one row of the table a line
  IndexThresholdTable gIndexThresholds;
  // line 33: side panel and control page shown at the end of the run
  Integer RestorePanel = 0, RestoreControlPage = 0;
  // line 34: chart markers
  Integer chkLCL = 0, chkECAPE = 0, chkLFC = 0, chkCCL = 0, chkEQL = 0, chkConvectiveTemp = 0, chkParcel = 0,
          chkWBZ = 0;
  Integer chkCINS = 0;                                             // 35
  Integer chkLakeIndex = 0, chkMoistLakeIndex = 0, chkLIC = 0;     // 36
  Integer gChartTop = 295;                                         // 37: chart top (mb)
  Integer chkLines = 1;                                            // 38
  Integer chkDryAdiabats = 0;                                      // 39
  std::array<Integer, 2> chkRH{};                                  // 40
  Integer chkFP = 0;
  Integer HeightScaleUnit = 1;                                     // btnPHK: 0 "P", 1 "Ft", 2 "Km"
  Integer gXferIndex = 1;                                          // 41: btnXfer 0 "30", 1 "1", 2 "10", 3 "20"
  Integer ChkOmega = 0;                                            // 42
  bool gOmegaSmoothOn = true;                                      // 43
  Integer chk10MWind = 0, chkSnowGrowth = 0, chkHailGrowth = 0, chksWSYMb = 0, chkMomentum = 0;  // 44
  Single gLICAxisTop = 2000, gVisAxisTop = 10, gVentAxisTop = 20;  // 45: tops of three overview axes
  Integer chkActiveReadout = 0;                                    // 46
  Integer ReadoutUnit = 0;                                         // btnPHK index of the readout
  Integer chkSkewT = 0, chkWindVector = 1;                         // 47
  bool PrecipByThickness = false;                                  // 48
  Single gSRInflowDepth = 3;                                       // 49: top of the hodograph layer
  Single gSRInflowBottom = 0;                                      // 50: its bottom
  Integer VWPInterval = 1, VWPAutoInterval = 1;                    // 51: wind column spacing
  bool VWPAuto = true;
  Integer chkWindDigital = 1;                                      // 52
  bool ColorWinds = true;                                          // 53
  bool DigitalWinds = false;                                       // 54
  Integer hsbRate = 0;                                             // 55: loop interval
  Integer hsbDelay = 0;                                            // 56: pause at the last hour
  Single gMapWest = kDefaultMapWest, gMapNorth = kDefaultMapNorth;  // 57: map extent
  Single gMapEast = kDefaultMapEast, gMapSouth = kDefaultMapSouth;
  Integer chkLayer2Layer = 0;                                      // 58
  // 59: twips, profile window Width, Height, Top, Left, then the overview's
  std::array<Long, 8> gWindowGeometry{15000, 11010, 0, 0, 15000, 11010, 0, 0};
  Single OmegaRange = 11;                                          // 60
  Integer chkCapeShearHistory = 0;                                 // 61
  Integer chkCapeShearVariability = 0;                             // 62
  bool gOverlayAll = false;                                        // 63
  Integer chkMapSelection = 0;                                     // 64
  std::array<Integer, kMapLayers> chkMap{};                        // 65
  Integer chkIndcyBar = 0, chkIndicyBox = 0, chkIndcyCircle = 0;   // 66
};

struct HistoryRead : ReadResult<HistoryFile> {
  // The defaults step ran (missing, refused or short file): the window also
  // sets RightPanel and ControlPanel to kDefaultRightPanel and
  // kDefaultControlPanel.
  bool defaultsStep = false;
};

const std::vector<Item<HistoryFile>>& HistoryRecord();

// The first-run values: HistoryFile{} with the given threshold table (the
// defaults step takes columns 0 to 3 of every row and the two-sided rows'
// columns 4 to 6; it leaves the other cells as they are).
HistoryFile HistoryDefaults(const IndexThresholdTable& defaultThresholds);

// text: the file's text, nothing when there is none. current: the window's
// values before the read (what a value without a default keeps).
HistoryRead ReadHistory(std::optional<std::string_view> text, const HistoryFile& current,
                        const IndexThresholdTable& defaultThresholds);
std::string WriteHistory(const HistoryFile& history);

}  // namespace ondrik::saved
