// Overview layouts "Ondrik.SO<n>": everything the user chose in the overview
// window. Slots 0 to 5 belong to the F1 to F6 buttons and keys (0 to 3 also
// to the command line), slot 8 carries the overview from one run to the next,
// slot 9 is the scratch slot of the snapshot and of the rebuild for a new
// file.
//
// 104 lines: the header, then the 123 values of OverviewLayoutRecord() in
// file order. Check boxes hold the control's value; chkGridWind is written on
// lines 60 and 64 (the second one wins on reading); line 87 always holds
// 9999; the option buttons optLayerShear are "True"/"False"; the CAPE-layer
// and height-line buttons hold their background colour, kButtonFace when the
// line is off. Levels of the sigma-wind and mean-wind bars are held as the
// pressures (mb) of their levels at hour 0.
//
// Reading starts from the window's current values; a value that is not read
// (bad, out of range, or missing from a short file) keeps its current value.
// A missing file or a header that fails changes nothing. The hodograph layer
// is rounded to whole button indexes and corrected as the history's is.
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

// The system button-face colour &H8000000F as the files hold it.
inline constexpr Long kButtonFace = -2147483633;
// Line 87's fixed value.
inline constexpr Integer kLayoutMark = 9999;

struct OverviewLayout {
  std::array<Integer, 2> chkRH{};  // 2, 3
  Integer chkPrecip = 0;           // 4
  Integer chkPrecipAcumm = 0;      // 5
  Integer chkSnowFall = 0;         // 6
  Integer chkSnowAcumm = 0;        // 7
  Integer chkSnow = 0;             // 8
  Integer chkSnowRatio = 0;        // 9
  Integer SnowTechnique = 1;       // 10: optSnowTechnique 0..3
  Integer chk3HPresChange = 0;     // 11
  Integer chkSfcPres = 0;          // 12
  Integer chkWinds = 0;            // 13
  Integer chkVVTrend = 0;          // 14
  Integer chkMeanWind = 0;         // 15
  Integer chkVWP = 0;              // 16
  Integer chkVWPColor = 0;         // 17
  Integer chkInversions = 0;       // 18
  Integer chkLakeIndex = 0;        // 19
  Integer chkMoistLakeIndex = 0;   // 20
  Integer chkSfcTemp = 0;          // 21
  Integer chkSkinTemp = 0;         // 22
  Integer chkSfcDewPoint = 0;      // 23
  Integer chkWindChill = 0;        // 24
  Integer chkApparentTemp = 0;     // 25
  Integer chkTotalTotals = 0;      // 26
  Integer chkTQ = 0;               // 27
  Integer chkClouds = 0;           // 28
  Integer chkEvaporation = 0;      // 29
  Integer chkRunOff = 0;           // 30
  Integer chkHelicity = 0;         // 31
  Integer chkStormRelInflow = 0;   // 32
  Integer chkMBEspeed = 0;         // 33
  Integer chkTemperature = 0;      // 34
  Integer chkTheta = 0;            // 35
  Integer chkThetaE = 0;           // 36
  Integer chkDPD = 0;              // 37
  Integer chkECAPE = 0;            // 38
  Integer ECAPELowestClass = 0;    //     lblECAPE 0..5
  Integer chkEHailCape = 0;        // 39
  Integer chkRHContour = 0;        // 40
  Integer chkRHIcontour = 0;       // 41
  Integer chkWetBulb = 0;          // 42
  Integer chkVelocity = 0;         // 43
  Integer chkShearContour = 0;     // 44
  Integer chkLayertoLayer = 0;     // 45
  Integer ChkOmega = 0;            // 46
  Integer chkInstability = 0;      // 47
  Integer chkLayerShear = 0;       // 48
  Integer chkMixingRatio = 0;      // 49
  Integer chkMeanMixingRatio = 0;  // 50
  Integer chkCAPE = 0;             // 51
  Integer chkVentilation = 0;      // 52
  Integer chkDavisIndex = 0;       // 53
  Integer chkHainesIndex = 0;      // 54
  Integer chkMixingLayer = 0;      // 55
  Integer chkTransportWinds = 0;   // 56
  Integer chkTransportSpeed = 0;   // 57
  Integer chkWarmCloud = 0;        // 58
  Integer chkGridLeft = 0;         // 59
  Integer chkGridWind = 0;         // 60 and 64
  Integer chkGridLakeIndex = 0;    // 61
  Integer chkGridHeight = 0;       // 62
  Integer chkGridPrecip = 0;       // 63
  Integer chkGridTemp = 0;         // 65
  Single SfcPresBottom = 950, SfcPresSpan = 50;                    // 66
  Single gLICAxisTop = 2000, gVisAxisTop = 10, gVentAxisTop = 20;  // 67
  Single DirTop = 360, DirSpan = 360;                              // 68
  Single IndexBottom = -20, IndexSpan = 40;                        // 69
  Integer VerticalUnit = 1;        // 70: btnPHK 0 "P", 1 "Ft", 2 "Km"
  Integer gXferIndex = 1;          // 71: btnXferO
  bool TenMeterBase = false;       // 72
  Single LogPSpan = 1;             // 73
  Single PrecipBottom = 0, PrecipSpan = 0.1f;  // 74
  Single TempBottom = 30, TempSpan = 70;       // 75
  Integer RHLowestClass = 0;        // 76: lblRH 0..9
  Integer ContourIntervalIndex = 2; // 77: chkCI 0..3
  Integer ControlPage = 0;          // 78: btnControl 0..7
  std::array<bool, 2> optLayerShear{true, false};  // 79, 80
  Single SigmaLevelPressure = 0;                   // 81: pressure of vsbSigmaLevel's level
  std::array<Single, 2> MeanWindPressure{};        // 82: of vsbMeanWind(0) and (1)
  Integer VWPInterval = 3, VWPAutoInterval = 3;    // 83
  bool VWPAuto = false;
  Integer WindColorIndex = 2;       // 84: OptWindColor 0..3
  bool CloudShadeMode = false;      // 85
  Integer HainesLevel = 1;          // 86: 1..3
  Integer chkGridTime = 0, chkNow = 0;  // 88
  Integer chkCursor = 0;            // 89
  Integer chkLIC = 0, chkLIE = 0;   // 90
  Integer chkDeltaThetaE = 0;       // 91
  Integer chkIcing = 0;             // 92
  Integer chkVisibility = 0;        // 93
  Integer chkCloudBase = 0;         // 94
  Integer chkPrecipWater = 0;       // 95
  Integer chkSnowGrowth = 0;        // 96
  Integer chksWSYMb = 0;            // 97
  Single gSRInflowDepth = 3;        // 98: hodograph layer top (button index)
  Single gSRInflowBottom = 0;       // 99: its bottom
  // 100: background colours of btnCAPEkm(0) "Eql", (3) "3", (4) "4", (5) "5",
  // (6) "6", (7) "Hail", in that order
  std::array<Long, 6> btnCAPEkm{kButtonFace, kButtonFace, kButtonFace, kButtonFace, kButtonFace, kButtonFace};
  Integer chkHeights = 0;           // 101
  Integer chkELCIN = 0;             // 102
  // 103: background colours of btnHeights(1) "LCL", (2) "LFC", (3) "Eql"
  std::array<Long, 3> btnHeights{kButtonFace, kButtonFace, kButtonFace};
  Integer chkPIP = 0;               // 104
};

const std::vector<Item<OverviewLayout>>& OverviewLayoutRecord();

// text: the file's text, nothing when the slot was never saved.
ReadResult<OverviewLayout> ReadOverviewLayout(std::optional<std::string_view> text,
                                              const OverviewLayout& current);
std::string WriteOverviewLayout(const OverviewLayout& layout);

}  // namespace ondrik::saved
