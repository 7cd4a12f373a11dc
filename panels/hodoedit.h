// What the hodograph's buttons and mouse do to the profile store: the choice
// of the helicity layer, dragging a level's wind or the storm motion, the
// boundary motion, and the reset of an edited hour. Qt-free; the hodograph
// panel (panels/hodograph.h) draws and calls these.
#pragma once

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/store.h"

namespace ondrik {

// ---- the layer buttons ----

// Buttons that exist: top "1".."15", bottom "sfc" (0) and "1".."15". The
// "lfc" and "eql" buttons are never enabled and have no index here.
inline constexpr Integer kHodoTopFirst = 1;
inline constexpr Integer kHodoBaseFirst = 0;
inline constexpr Integer kHodoButtonLast = 15;
inline bool HodoTopButtonExists(Integer index) { return index >= kHodoTopFirst && index <= kHodoButtonLast; }
inline bool HodoBaseButtonExists(Integer index) { return index >= kHodoBaseFirst && index <= kHodoButtonLast; }

// Sets the top (bottom) of the helicity layer of every hour of every loaded
// dataset to the level nearest `km` above that dataset's own ground, and
// clears the helicity of each hour. Every hour is checked first: when one of
// them would get a top at or below its bottom (a bottom at or above its top)
// nothing changes and the result is false.
bool SetHelicityLayerTop(Single km);
bool SetHelicityLayerBottom(Single km);

// ---- edits of one hour ----

// The results that follow the winds of (D, H): helicity, storm matrix, bulk
// shear and MBE vectors are computed again at their next use.
void ClearWindResults(Integer D, Integer H);

// Storm motion of (D, H) set by hand (also level -1 of the winds), with its
// direction and speed; marks the hour edited and its storm motion the user's.
void MoveStormMotion(Integer D, Integer H, Single u, Single v);

// The winds a drag starts from: levels 0 to 67 as they stood at the press.
struct HodoDrag {
  std::array<Single, kMaxLevels + 1> u{}, v{};
};

// How far level m follows a drag of level L: 1 - |m - L| / 5 for the four
// levels on either side, 0 further out.
Single DragWeight(Integer L, Integer m);
// The levels L - 4 .. L + 4 that a drag of L moves: inside 0..top of the
// hour's helicity layer (and 0..67).
void DraggedLevels(Integer D, Integer H, Integer L, Integer& first, Integer& last);
// Saves the winds of the levels a drag of L moves.
void SaveDragStart(HodoDrag& drag, Integer D, Integer H, Integer L);
// Moves level L of (D, H) to (u, v) and its neighbours by their weights,
// measured from the winds of the press; then the storm motion follows the
// new winds (MakeStormMotion) and the hour is marked edited.
void MoveLevel(const HodoDrag& drag, Integer D, Integer H, Integer L, Single u, Single v);

// Boundary motion of (D, H) placed by hand; shows the boundary and marks the
// hour edited. The storm motion and the helicity stay.
void PlaceBoundary(Integer D, Integer H, Single u, Single v);
// The boundary overlay of (D, H) on or off; the placed motion stays.
void ToggleBoundary(Integer D, Integer H);

// Winds of (D, H) back to those of the file (levels 0..gNumLevels), storm
// motion computed again, the edit marks and the boundary overlay off.
void ResetHour(Integer D, Integer H);

// ---- the pointer ----

// Points under the pointer: kNoPoint none, kStormPoint the storm motion,
// 0 or more a level.
inline constexpr Integer kNoPoint = -9999;
inline constexpr Integer kStormPoint = -1;
// A point is picked when the pointer is less than this far from it (m/s).
inline constexpr Single kPickRadius = 3.0f;
// The point of (D, H) nearest (u, v) among the storm motion and levels 0 to
// the top of the helicity layer (the first of equal distances), or kNoPoint
// when none is nearer than kPickRadius.
Integer NearestHodoPoint(Integer D, Integer H, Single u, Single v);

// The read-out of a point at (u, v) m/s: its name (kStormPoint "Storm",
// "Motion"; kBoundaryReadout "Boundary", "Motion"; a level its height above
// the site in km as "#.0" and its pressure), its direction and speed, and
// the speed in knots.
inline constexpr Integer kBoundaryReadout = -2;
std::vector<std::string> HodoReadOut(Integer D, Integer H, Integer point, Single u, Single v);

// A motion (direction dir, degrees, and speed) relative to a boundary moving
// with (bu, bv): its speed across the boundary, positive when it overtakes
// the boundary, and the vector of that part, which then points against the
// boundary's motion.
struct BoundaryRelative {
  double speed = 0;
  double u = 0, v = 0;
};
BoundaryRelative RelativeToBoundary(double bu, double bv, double dir, double speed);

// x to the nearest whole number, halves to the even one, as the hodograph's
// texts round.
inline long NearestWhole(double x) { return std::lrint(x); }


}  // namespace ondrik
