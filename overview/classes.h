// The class tables of the class-coloured contour fields: entry n colours the
// values from threshold(n) up to threshold(n + 1); the last entry is a bound
// above every value and has no colour of its own. Also the colours of the
// wind-profile speed classes, the inhibition and heat classes and the
// precipitation types, which the plotters draw with and the window's keys
// show.
#pragma once

#include <array>

#include "core/store.h"
#include "platform/color.h"

namespace ondrik {

struct ClassTable {
  static constexpr int kMaxEntries = 11;
  int count = 0;  // entries 1..count used; entry count is the bound
  std::array<Single, kMaxEntries + 1> threshold{};
  std::array<Color, kMaxEntries + 1> colour{};

  // The last entry that has a colour.
  int LastClass() const { return count > 1 ? count - 1 : 1; }
  // The class of a value: from class 1 up while v reaches the next threshold,
  // stopping at the last class whatever v is (a value at or past the bound,
  // or not a number, never walks past the table). Values below threshold(1)
  // are class 1; of two equal thresholds the first class is never taken.
  int ClassOf(Single v) const {
    int n = 1;
    while (n < LastClass() && v >= threshold[static_cast<size_t>(n + 1)]) ++n;
    return n;
  }
  Color ColourOf(Single v) const { return colour[static_cast<size_t>(ClassOf(v))]; }
  // Every threshold times a factor (the table is a copy; the caller's stays).
  ClassTable Scaled(Single factor) const {
    ClassTable t = *this;
    for (int n = 1; n <= count; ++n) t.threshold[static_cast<size_t>(n)] *= factor;
    return t;
  }
};

// The tables of the fields: W wind speed (kt), H relative humidity (%), HI
// relative humidity over ice (%), I icing index, E theta-e (K), D delta
// theta-e (K), M mixing ratio (g/kg).
const ClassTable& WindSpeedClasses();
const ClassTable& HumidityClasses();
const ClassTable& IceHumidityClasses();
const ClassTable& IcingClasses();
const ClassTable& ThetaEClasses();
const ClassTable& DeltaThetaEClasses();
const ClassTable& MixingRatioClasses();
// L, layer-to-layer shear: the three bounds of the index table's shear row.
ClassTable LayerShearClasses(const std::array<Single, 3>& bounds);

// The speed classes of the wind-profile vectors: class 0 below the first of
// the six bounds, class i from bound i - 1 up to bound i, class 6 from the
// last bound up. The key names the bounds, each on the colour of the class
// that starts there.
inline constexpr std::array<Color, 7> kVWPClassColours = {kWhite, kRed,  RGB(255, 128, 0), kYellow,
                                                          RGB(0, 128, 0), kBlue, RGB(255, 0, 255)};

// The inhibition classes of the EL CIN field (J/kg), strongest first: each
// from its bound up, the last below the one before; the fill colour and the
// key item (lblELCIN, in this order).
struct ElCinClass {
  Single from;
  Color colour;
  const char* caption;
};
inline constexpr std::array<ElCinClass, 3> kElCinClasses = {{
    {50, RGB(0, 0, 127), "CIN >= 50"},
    {20, RGB(0, 127, 0), "20 - 50"},
    {-1e30f, RGB(127, 0, 0), "< 20"},
}};
inline Color ElCinColour(Single cin) {
  for (const ElCinClass& c : kElCinClasses)
    if (cin >= c.from) return c.colour;
  return kElCinClasses.back().colour;
}

// The heat classes of the apparent temperature (HeatClass, deg F: 1 from
// 130 up, 2 from 105, 3 from 90, 4 from 80, 5 below): the strip's segment
// colours and the heat-index key, whose items "IV" to "I" are classes 4 to 1.
inline constexpr std::array<Color, 6> kHeatClassColours = {0, kWhite, kBlue, kRed, kYellow, RGB(0, 255, 0)};

// The precipitation types as the bars colour them and the legend names
// them (lblPType 0..4, in this order): rain has two items, its convective
// part and the rain beyond it.
enum class PTypePart { Whole, Convective, BeyondConvective };
struct PTypeItem {
  Long code;
  PTypePart part;
  const char* caption;
  Color colour;
};
inline constexpr std::array<PTypeItem, 5> kPTypeLegend = {{
    {kPtypeRain, PTypePart::Convective, "C", RGB(0, 191, 0)},
    {kPtypeRain, PTypePart::BeyondConvective, "N", RGB(0, 255, 0)},
    {kPtypeSnow, PTypePart::Whole, "S", RGB(0, 0, 255)},
    {kPtypeFreezingRain, PTypePart::Whole, "ZR", RGB(255, 0, 0)},
    {kPtypeIcePellets, PTypePart::Whole, "IP", RGB(255, 128, 0)},
}};

}  // namespace ondrik
