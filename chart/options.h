// What the user chooses on the profile chart: its check boxes and the state of
// its small buttons. One plain value that the window edits in place, the
// chart reads at every redraw and display setups save and recall.
//
// Qt-free, so that saved state and tests can hold it without a window.
#pragma once

#include <array>

#include "core/store.h"

namespace ondrik {

struct ChartOptions {
  // ---- check boxes (ticked or not) ----
  bool chkSkewT = false;           // "Skew T"
  bool chkLines = false;           // "Heights": full-width height lines instead of ticks
  bool chkDryAdiabats = false;     // "Dry Adiabats"
  bool chkClouds = false;          // "Clouds"
  bool chkLayer2Layer = false;     // "Layer to Layer Shear"
  std::array<bool, 2> chkRH{};     // 0 "Rel Humidity", 1 "Rel Humidity (Ice)"
  bool chkInversions = false;      // "Inversions"
  bool chkWetBulb = false;         // "Wet Bulb"
  bool chkIcing = false;           // "Icing"
  bool chkFP = false;              // "FrostPoint"
  bool chkLakeIndex = false;       // lake page "Lake Index"
  bool chkLIC = false;             // lake page "LI CAPE"
  bool chkMoistLakeIndex = false;  // lake page "Moist Lake Index"
  bool chkLCL = false;             // "LCL"
  bool chkLFC = false;             // "LFC"
  bool chkEQL = false;             // "Equilibrium Lvl"
  bool chkWBZ = false;             // "Wet Bulb Zero"
  bool chkCCL = false;             // "CCL"
  bool chkConvectiveTemp = false;  // "ConvctTemp"
  bool chkParcel = false;          // "CAPE"
  bool chkCINS = false;            // "CINS"
  bool chkMomentum = false;        // "Momentum Xfer"
  bool chkSnowGrowth = false;      // "Snow Growth"
  bool chkHailGrowth = false;      // "Hail Growth"
  bool chk10MWind = false;         // "2M Tmp/10M Wnd"
  bool ChkOmega = false;           // "Omega"
  bool chkWindVector = false;      // "Vector Winds"
  bool chkWindDigital = false;     // "Digital Winds"
  bool chkActiveReadout = false;   // "Active Read Out"
  bool chksWSYMb = false;          // "Bourgouin Precip Type": the decided type, not the model's
  bool chkECAPE = false;           // convection page "Elevated CAPE": parcel under the cursor

  // ---- buttons ----
  Integer VerticalUnit = 0;          // pressed btnPHK: 0 "P", 1 "Ft", 2 "Km"
  Integer ReadoutUnit = 0;           // height label of the readout: 0 mb, 1 feet, 2 km
  Integer WindLevelStep = 1;         // btnVWPInterval: every 1st, 2nd or 3rd level
  Integer WindAutoSpacing = 1;       // btnVWPIntervalA: spacing factor 1..3 of the automatic choice
  bool WindAutoMode = false;         // wind levels by spacing instead of by step
  bool ColorWindsBySpeed = false;    // btnColorWinds
  bool DigitalWindDirections = true; // btnDigitalWinds: direction beside the speed
  Single OmegaRange = 11.0f;         // half-width of the omega axis (picOmega clicks change it)
  bool gOmegaSmoothOn = true;        // btnOmegaFiltered: draw the smoothed omega field
  Integer gXferIndex = 1;            // pressed btnXfer: 0 "30", 1 "1", 2 "10", 3 "20" mb
  // Temperature bounds (deg C) kept for each mode; gChartTMin/gChartTMax hold
  // the pair of the mode in use.
  Integer PlainTMin = -60, PlainTMax = 30;
  Integer SkewTMin = -60, SkewTMax = 30;
};

}  // namespace ondrik
