#include "core/reader_layouts.h"

#include <array>
#include <string>

#include "core/reader.h"

namespace ondrik {

namespace {

using L = LevelColumn;
using S = SurfaceColumn;

// Levels of "eta" and "ruc": two lines of five and four values.
constexpr std::array kEtaLevel{L::Temp, L::WetBulb, L::Dewpt, L::ThetaE, L::Wdir,
                               L::Wspd, L::Omega,   L::Cfrl,  L::Hght};
// Levels of "gfs3": seven values and the height; no cloud fraction.
constexpr std::array kGfs3Level{L::Temp, L::WetBulb, L::Dewpt, L::ThetaE,
                                L::Wdir, L::Wspd,    L::Omega, L::Hght};

// Surface record of "eta" and "ruc": 33 items.
constexpr std::array kEtaSurface{
    S::Skip,      S::Skip,          S::Skip,       S::SfcPres,    S::SkinTemp,    S::SoilTemp,   S::Skip,
    S::Skip,      S::Precip,        S::ConvPrecip, S::SoilTemp2,  S::Skip,        S::Skip,       S::Skip,
    S::Snra,      S::Wind10U,       S::Wind10V,    S::RunOff,     S::Skip,        S::SfcTemp,    S::SpecHum2m,
    S::Skip,      S::Skip,          S::Skip,       S::Skip,       S::StormU,      S::StormV,     S::SfcHelicity,
    S::Evaporation, S::PtypeCode,   S::CloudBasePres, S::Visibility, S::SfcDewpt};
// Surface record of "gfs3": 23 items.
constexpr std::array kGfs3Surface{
    S::Skip,      S::Skip,      S::Skip,      S::SfcPres,   S::SkinTemp,    S::Skip,
    S::Evaporation, S::Precip,  S::ConvPrecip, S::Skip,     S::Skip,        S::Skip,
    S::Skip,      S::Wind10U,   S::Wind10V,   S::SfcTemp,   S::SpecHum2m,   S::SnowFlag,
    S::PelletsFlag, S::FreezingRainFlag, S::RainFlag, S::Skip, S::SfcDewpt};

static_assert(kEtaSurface.size() == 33 && kGfs3Surface.size() == 23);

constexpr std::array kLayouts{
    ModelLayout{"eta", kEtaLevel, 5, kEtaSurface, true},
    ModelLayout{"ruc", kEtaLevel, 5, kEtaSurface, true},
    ModelLayout{"gfs3", kGfs3Level, 3, kGfs3Surface, false},
};

}  // namespace

const ModelLayout* FindModelLayout(std::string_view key) {
  for (const ModelLayout& l : kLayouts) {
    if (l.key == key) return &l;
  }
  return nullptr;
}

bool KnownModelKey(const std::string& modelKey) { return FindModelLayout(modelKey) != nullptr; }

}  // namespace ondrik
