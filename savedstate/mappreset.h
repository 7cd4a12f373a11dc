// Map presets "MapPreset.M<n>": one view of the map panel, its extent and its
// five outline layers. No header; six lines:
//   1  gMapWest, gMapNorth, gMapEast, gMapSouth  (degrees, longitudes positive west)
//   2-6  chkMap(0) to chkMap(4)  ("Country", "State", "County", "CWA", "Canada")
// The extent is taken whole or not at all.
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

// The extent of a first run.
inline constexpr Single kDefaultMapWest = 120, kDefaultMapNorth = 53, kDefaultMapEast = 69,
                        kDefaultMapSouth = 22;
inline constexpr int kMapLayers = 5;
inline constexpr Limits kLongitude{-360, 360}, kLatitude{-90, 90};

struct MapPreset {
  Single gMapWest = kDefaultMapWest;
  Single gMapNorth = kDefaultMapNorth;
  Single gMapEast = kDefaultMapEast;
  Single gMapSouth = kDefaultMapSouth;
  std::array<Integer, kMapLayers> chkMap{};  // check-box values 0..2
};

// An extent the map can show: finite, longitudes and latitudes within their
// limits, neither side of zero width.
bool MapExtentUsable(Single west, Single north, Single east, Single south);

const std::vector<Item<MapPreset>>& MapPresetRecord();

// text: the file's text, nothing when there is no such preset. Values not
// read keep current's; the extent changes only when all four were read and
// make a usable extent.
ReadResult<MapPreset> ReadMapPreset(std::optional<std::string_view> text, const MapPreset& current);
std::string WriteMapPreset(const MapPreset& preset);

}  // namespace ondrik::saved
