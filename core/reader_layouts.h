// The column layouts of profile files, one row per model key: which value
// each item of a level stands for, how the surface section begins and what
// each item of its hourly record holds. The reader reads through this table;
// a model key without a row has no layout the reader knows.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace ondrik {

// The values of a level after its pressure.
enum class LevelColumn : unsigned char {
  Temp,     // deg C
  WetBulb,  // deg C
  Dewpt,    // deg C
  ThetaE,   // K
  Wdir,     // degrees
  Wspd,     // knots
  Omega,    // as in the file; stored times 10
  Cfrl,     // cloud fraction, %
  Hght,     // m above sea level
  Count
};

// The items of one hour's surface record. Skip is an item that is read and
// not used; the rest name what the item holds.
enum class SurfaceColumn : unsigned char {
  Skip,
  SfcPres,           // mb
  SkinTemp,          // deg C
  SoilTemp,          // first soil layer
  SoilTemp2,         // second soil layer, averaged into the first
  Precip,            // mm
  ConvPrecip,        // mm
  Snra,              // %
  Wind10U,           // m/s
  Wind10V,           // m/s
  RunOff,            // mm
  SfcTemp,           // 2-m, deg C
  SpecHum2m,         // 2-m specific humidity, g/kg
  StormU,            // m/s
  StormV,            // m/s
  SfcHelicity,
  Evaporation,       // mm
  PtypeCode,         // precipitation-type code (32-bit integer)
  CloudBasePres,     // mb
  Visibility,        // km
  SfcDewpt,          // 2-m, deg C
  SnowFlag,          // precipitation-type flags (16-bit integers), turned
  PelletsFlag,       // into a code when the layout has no code of its own
  FreezingRainFlag,
  RainFlag,
  Count
};

struct ModelLayout {
  std::string_view key;                       // as in the model list's codes, lower case
  std::span<const LevelColumn> levelColumns;  // after the pressure; a Cfrl left out reads -1
  int surfaceHeaderLines;                     // after the section's first header line
  std::span<const SurfaceColumn> surfaceRecord;
  // A missing 2-m dew point takes the lowest level's temperature and dew
  // point, negative precipitation reads 0, and the storm motion is worked out
  // as each hour's record is read.
  bool surfaceChecks;
};

// The row of a model key (compared exactly), or null.
const ModelLayout* FindModelLayout(std::string_view key);

}  // namespace ondrik
