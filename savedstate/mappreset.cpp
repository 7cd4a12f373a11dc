#include "savedstate/mappreset.h"

#include <cmath>

namespace ondrik::saved {

namespace {

constexpr int kExtent = 1;  // the group of the four extent values

bool ExtentOk(const MapPreset& p, int) { return MapExtentUsable(p.gMapWest, p.gMapNorth, p.gMapEast, p.gMapSouth); }

}  // namespace

bool MapExtentUsable(Single west, Single north, Single east, Single south) {
  for (Single v : {west, north, east, south})
    if (!std::isfinite(v)) return false;
  const auto within = [](Single v, Limits l) { return v >= l.lo && v <= l.hi; };
  return within(west, kLongitude) && within(east, kLongitude) && within(north, kLatitude) &&
         within(south, kLatitude) && west != east && north != south;
}

const std::vector<Item<MapPreset>>& MapPresetRecord() {
  static const std::vector<Item<MapPreset>> items = [] {
    Record<MapPreset> t;
    t.Number(1, ONDRIK_SAVED_FIELD(gMapWest), kLongitude).Group(kExtent);
    t.Number(1, ONDRIK_SAVED_FIELD(gMapNorth), kLatitude).Group(kExtent);
    t.Number(1, ONDRIK_SAVED_FIELD(gMapEast), kLongitude).Group(kExtent);
    t.Number(1, ONDRIK_SAVED_FIELD(gMapSouth), kLatitude).Group(kExtent);
    for (int i = 0; i < kMapLayers; ++i) t.Box(2 + i, ONDRIK_SAVED_ELEMENT(chkMap, i));
    return t.Done();
  }();
  return items;
}

ReadResult<MapPreset> ReadMapPreset(std::optional<std::string_view> text, const MapPreset& current) {
  return ReadRecord(text, MapPresetRecord(), current, /*header=*/false, &ExtentOk);
}

std::string WriteMapPreset(const MapPreset& preset) { return WriteItems(MapPresetRecord(), preset); }

}  // namespace ondrik::saved
