// What the precipitation-type panel decides before it draws: the points of
// the thickness nomogram and their trail, which energy diagram an hour's
// freezing-layer pattern calls for, the trail and colour of its points, and
// the top-down warning. Qt-free; reads the profile store.
#pragma once

#include <string>

#include "core/store.h"

namespace ondrik {

// A colour before the overlay dims it.
struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// ---- thickness nomogram ----
inline constexpr double kThickUpperMin = 1500, kThickUpperMax = 1580;  // 850-700 mb, m
inline constexpr double kThickLowerMin = 1260, kThickLowerMax = 1330;  // 1000-850 mb, m

// The 1000-850 mb (lower) and 850-700 mb (upper) thicknesses of (d, h) in
// metres from ThickHeights; false when a height is missing or not finite.
bool Thicknesses(Integer d, Integer h, double& lower, double& upper);
// The point of the two thicknesses held on the chart's edges.
void ThicknessChartPoint(double lower, double upper, double& x, double& y);
// Radius (m of upper thickness) of the point `age` hours before the current
// one in a trail of n hours: 1.8 for the current hour, down to 0.7.
double ThicknessTrailRadius(int n, int age);

// ---- energy method ----
enum class EnergyDiagram { None, Surface, Elevated, TwoLayer };

// The diagram a pattern draws: "AB" and "BB" the surface diagram, "BA" the
// elevated one, "ABAB" the two-layer one, anything else none.
EnergyDiagram DiagramOf(const std::string& pattern);
// Patterns of one family (the same length and second letter) share a
// diagram: the other datasets of an overlay are drawn only in the family of
// the shown dataset's pattern.
bool SameFamily(const std::string& a, const std::string& b);
// How many earlier hours (at most 6, none before hour 0) dataset d trails at
// `hour` in a diagram: the surface diagram counts back while the pattern is
// "AB" or "BB", the others while it is neither. 0 when the trail is off.
int EnergyTrailLength(Integer d, Integer hour, EnergyDiagram diagram, bool trailOn);
// The colours of the diagrams' points by what they forecast; the region
// labels that name a kind wear its points' colour.
inline constexpr Rgb kSnowPoint{0, 0, 255};
inline constexpr Rgb kSnowOrRainPoint{0, 255, 255};
inline constexpr Rgb kRainPoint{0, 255, 0};
inline constexpr Rgb kFreezingRainPoint{255, 0, 0};
inline constexpr Rgb kBarelyRefreezingPoint{255, 191, 0};  // just above the refreezing line
inline constexpr Rgb kSleetPoint{255, 255, 0};
// Fill colour of a point of the surface diagram from its unclamped positive
// energy: blue below 5.6 J/kg (snow), cyan below 13.2, green from there (rain).
Rgb SurfacePointColour(Single posEnergy);
// Fill colour of a point of the elevated and two-layer diagrams, against the
// line L = positive energy x 300 / 450 + 50: at or above it orange up to L +
// 20 and yellow beyond (sleet); below it green (rain) for "ABAB", red
// (freezing rain) else.
// `refreezes` tells whether the point lies on or above the line.
Rgb LayerPointColour(Single posEnergy, Single negEnergy, const std::string& pattern, bool* refreezes = nullptr);

// ---- top-down method ----
enum class IceWarning { None, Drizzle, FreezingDrizzle };
struct TopDown {
  bool valid = false;       // the cloud top and start level lie in the profile
  Single cloudTopFt = 0;    // cloud depth above the start level, ft (0.3048 m a foot)
  Single cloudTopTemp = 0;  // deg C
  bool seederFeeder = false;
  IceWarning warning = IceWarning::None;
};
// The top-down reading of (d, h) from the start level: when the energy
// method decides on snow and the cloud top stands more than 2000 ft (of
// 0.3048 m) above the start level with a top warmer than -10 C, it holds no
// ice crystals: drizzle, or freezing drizzle with the surface at or below 0 C.
TopDown TopDownOf(Integer d, Integer h, Integer startLevel);

}  // namespace ondrik
