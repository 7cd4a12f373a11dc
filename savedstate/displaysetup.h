// Display setups "Ondrik.SP<n>": what the profile window draws, saved by the
// F1 to F6 buttons (slots 0 to 5; slot 9 is the snapshot's scratch slot) and
// recalled by them, the function keys and the command line.
//
// 63 lines: the header, then the values of DisplaySetupRecord() in file
// order. Check boxes and the lake scroll bar hold the control's value. The
// levels of the sigma and mean-flow bars are held as the pressures (mb) of
// their levels at hour 0, so a setup carries over to a file whose levels lie
// elsewhere.
//
// Reading starts from the window's current values; a value that is not read
// (bad, out of range, or missing from a short file) keeps its current value.
// A missing file or a header that fails changes nothing. Then the reader's
// corrections apply: the hodograph layer is rounded to whole button indexes
// and corrected as the history's is; an omega range below 0.1 becomes 11.
//
// Qt-free.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store.h"
#include "savedstate/record.h"

namespace ondrik::saved {

inline constexpr int kRadarTilts = 5;

struct DisplaySetup {
  Integer chkWindVector = 0;                      // 2
  bool ColorWinds = false;                        // 3
  bool DigitalWinds = true;                       // 4
  Integer chkWindDigital = 0;                     // 5
  Integer ChkOmega = 0;                           // 6
  bool gOmegaSmoothOn = true;                     // 7
  Integer chk10MWind = 0;                         // 8
  std::array<Integer, 2> chkRH{};                 // 9, 10
  Integer chkFP = 0;                              // 11
  Integer chkWetBulb = 0;                         // 12
  Integer chkInversions = 0;                      // 13
  Integer chkSnowGrowth = 0;                      // 14
  Integer chkHailGrowth = 0;                      // 15
  Integer chksWSYMb = 0;                          // 16
  Integer chkSkewT = 0;                           // 17
  Integer chkLines = 0;                           // 18
  Integer chkDryAdiabats = 0;                     // 19
  Integer chkClouds = 0;                          // 20
  Integer VWPInterval = 1, VWPAutoInterval = 1;   // 21
  bool VWPAuto = false;
  Integer HeightScaleUnit = 1;                    // 22
  Integer gXferIndex = 1;                         // 23
  Integer SkewTMin = -60, PlainTMin = -60, gChartTMin = -60;  // 24
  Integer SkewTMax = 30, PlainTMax = 30, gChartTMax = 30;     // 25
  Integer gChartTop = 295;                        // 26 (mb)
  Integer chkLakeIndex = 0;                       // 27
  Integer vsbLakeF = 34;                          // 28: lake temperature (deg F)
  Integer chkMoistLakeIndex = 0;                  // 29
  Integer chkLIC = 0;                             // 30
  Integer chkLCL = 0;                             // 31
  Integer chkECAPE = 0;                           // 32
  Integer chkCCL = 0;                             // 33
  Integer chkConvectiveTemp = 0;                  // 34
  Integer chkWBZ = 0;                             // 35
  Integer chkLFC = 0;                             // 36
  Integer chkEQL = 0;                             // 37
  Integer chkParcel = 0;                          // 38
  Integer chkCINS = 0;                            // 39
  Integer ControlPanel = 6;                       // 40: control page shown
  std::array<Integer, kRadarTilts> chkAngle{};    // 41-45: radar beam tilts
  Integer chkBrightBand = 0;                      // 46
  Integer chkSigmaLevel = 0;                      // 47
  Integer chkMeanFlow = 0;                        // 48
  Single SigmaLevelPressure = 0;                  // 49: pressure of vsbSigmaLevel's level
  std::array<Single, 2> MeanFlowPressure{};       // 50, 51: of vsbMeanFlow(0) and (1)
  Integer RightPanel = 0;                         // 52: side panel shown
  Integer chkActiveReadout = 0;                   // 53
  Integer ReadoutUnit = 0;
  Integer chkIcing = 0;                           // 54
  Integer chkMomentum = 0;                        // 55
  bool PrecipByThickness = false;                 // 56
  Single gSRInflowDepth = 3;                      // 57: hodograph layer top (button index)
  Single gSRInflowBottom = 0;                     // 58: its bottom
  Integer chkLayer2Layer = 0;                     // 59
  Single OmegaRange = 11;                         // 60
  Integer chkCapeShearHistory = 0;                // 61
  Integer chkCapeShearVariability = 0;            // 62
  Integer chkIndcyBar = 0, chkIndicyBox = 0, chkIndcyCircle = 0;  // 63
};

const std::vector<Item<DisplaySetup>>& DisplaySetupRecord();

// text: the file's text, nothing when the slot was never saved.
ReadResult<DisplaySetup> ReadDisplaySetup(std::optional<std::string_view> text, const DisplaySetup& current);
std::string WriteDisplaySetup(const DisplaySetup& setup);

}  // namespace ondrik::saved
