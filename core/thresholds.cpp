#include "core/thresholds.h"

namespace ondrik {

IndexThresholdTable gIndexThresholds;

const std::array<const char*, kIndexThresholdRows> kIndexNames = {
    "CAPE",
    "CINS",
    "Helicity",
    "EHI",
    "Bulk Richardson Number",
    "Equilibrium Level",
    "Wet Bulb Zero",
    "Lifted Index",
    "Total Totals",
    "TQ",
    "K Index",
    "Showalter Index",
    "SWEAT Index",
    "Normalized CAPE (CAPE/M)",
    "MBE Speed (kts)",
    "Precipitable Water (in)",
    "Mean RH  Sfc -> 500 mb",
    "PW * RH",
    "Warm Cloud Depth (ft)",
    "Low Level Jet (kts)",
    "Layer to Layer Shear (1/hr)",
    "RMS on LES Map (knots)",
    "LFC (feet AGL)",
    "LCL (feet AGL)",
    "Precipitable Water (in)",
    "Precipitation (in)",
};

namespace {

// Columns 0..3 of every row; then 4..6 of the two-sided rows.
constexpr Single kDefaults[kIndexThresholdRows][4] = {
    {0, 700, 1000, 3000},         // CAPE
    {50, 40, 20, 0},              // CINS
    {50, 150, 250, 500},          // Helicity
    {0, 0.5f, 1, 2.5f},           // EHI
    {5, 7, 10, 22},               // Bulk Richardson Number
    {20000, 25000, 32000, 50000}, // Equilibrium Level
    {5000, 6000, 7000, 8500},     // Wet Bulb Zero
    {2, 1, -3, -8},               // Lifted Index
    {45, 48, 53, 57},             // Total Totals
    {10, 12, 17, 20},             // TQ
    {25, 30, 40, 50},             // K Index
    {1, -1, -4, -10},             // Showalter Index
    {200, 250, 350, 500},         // SWEAT Index
    {0, 0.1f, 0.2f, 0.3f},        // Normalized CAPE
    {20, 15, 10, 0},              // MBE Speed
    {0.2f, 1.25f, 1.5f, 2},       // Precipitable Water (gauge)
    {50, 70, 80, 100},            // Mean RH
    {0.2f, 0.7f, 0.95f, 2},       // PW * RH
    {6000, 9000, 10500, 13000},   // Warm Cloud Depth
    {20, 25, 30, 50},             // Low Level Jet
    {100, 200, 250, 9999},        // Layer to Layer Shear
    {0, 8, 16, 9999},             // RMS on LES Map
    {16000, 8000, 4000, 0},       // LFC
    {8000, 4000, 2000, 0},        // LCL
    {0, 1, 1.5f, 2},              // Precipitable Water
    {0, 0.1f, 0.2f, 0.4f},        // Precipitation
};

constexpr Single kBulkRichardsonUpper[3] = {45, 50, 60};
constexpr Single kWetBulbZeroUpper[3] = {9000, 10000, 11000};

}  // namespace

void StoreDefaultIndexThresholds(IndexThresholdTable& table) {
  for (int r = 0; r < kIndexThresholdRows; ++r)
    for (int c = 0; c < kIndexThresholdColumns; ++c) table(r, c) = c < 4 ? kDefaults[r][c] : 0.0f;
  for (int c = 0; c < 3; ++c) {
    table(kRowBulkRichardson, 4 + c) = kBulkRichardsonUpper[c];
    table(kRowWetBulbZero, 4 + c) = kWetBulbZeroUpper[c];
  }
}

}  // namespace ondrik
