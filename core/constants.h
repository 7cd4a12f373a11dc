// Physical constants and unit factors of the computations, each defined once.
//
// Some computations work in single precision and use the constant rounded to
// a float; those twins are defined here as well, checked to be the rounded
// double, so that every result keeps its bits.
#pragma once

#include <numbers>

namespace ondrik {

// Added to deg C for kelvin (273.16, not 273.15), and the divisor of the
// buoyancy integrals.
inline constexpr double kKelvin = 273.16;
inline constexpr float kKelvinF = 273.16f;

// Gravity, m/s2.
inline constexpr double kGravity = 9.80616;
inline constexpr float kGravityF = 9.80616f;

// Gas constant of dry air, J/(kg K).
inline constexpr double kRd = 287.04;

// The dry-adiabatic exponent 2/7, computed as 2 divided by 7 ...
inline constexpr double kKappa = 2.0 / 7.0;
// ... and the exponent of the moist-adiabat code: 2/7 cut to single
// precision (the float just below 2/7, not the nearest one), widened.
inline constexpr double kKappaSingle = 0.2857142686843872;

// Knots per m/s: the store's u and v are the file's knots divided by this.
inline constexpr double kKnotsPerMps = 1.94254;

// Radians per degree.
inline constexpr double kRadPerDeg = std::numbers::pi / 180.0;
// The rounded factor of the map's flow, travel-time and radar-beam formulas
// (slightly less than kRadPerDeg); their directions and ranges keep it.
inline constexpr double kRadPerDegRounded = 0.017453236666666667;

// Metres per foot (a parcel's depth from its height in feet).
inline constexpr double kFeetToMetre = 0.3048;
// Feet per metre of the standard-atmosphere heights, and per km of the
// chart's km axis and height table (3.281, not 1 / 0.3048).
inline constexpr double kFeetPerMetre = 3.281;
inline constexpr int kFeetPerKm = 3281;

// Millimetres per inch (the file's precipitation and water amounts are mm).
inline constexpr float kMmPerInchF = 25.4f;

static_assert(kKelvinF == static_cast<float>(kKelvin));
static_assert(kGravityF == static_cast<float>(kGravity));
static_assert(kKappaSingle == static_cast<double>(static_cast<float>(kKappaSingle)) &&
              kKappaSingle < kKappa);

}  // namespace ondrik
