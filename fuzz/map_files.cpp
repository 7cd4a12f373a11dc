// The map panel's files on any bytes: byte 0 chooses the lookup table
// "Ondrik.Dat" (even) or an outline layer "Map_<layer>.dat" (odd), the rest
// is the file, read from the program folder as the panel reads it, then
// drawn on the map of the first run.
//
// Promises: the lookup table keeps within its bounds, and every feature
// line it gives lies between its two rows; an outline layer's lines cover
// its points in order, each with the box of its own points.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "fuzz/fuzz_gui.h"
#include "fuzz/fuzz_support.h"
#include "panels/mapdata.h"
#include "panels/mapdraw.h"
#include "platform/picturebox.h"

namespace ondrik {
namespace {

PictureBox& Picture() {
  static PictureBox* pic = [] {
    fuzz::EnsureGuiApp();
    return new PictureBox(160, 120);
  }();
  ClearMap(*pic);
  FUZZ_CHECK(ScaleToExtent(*pic, MapExtent{}), "the first run's extent cannot be drawn");
  return *pic;
}

bool Between(double v, double a, double b) {
  if (!std::isfinite(v)) return true;  // rows of values no single-precision number holds
  return v >= std::min(a, b) - 1e-6 * (1 + std::abs(a) + std::abs(b)) &&
         v <= std::max(a, b) + 1e-6 * (1 + std::abs(a) + std::abs(b));
}

void CheckLookupTable(const std::string& path) {
  const MapFeatureTable t = ReadLookupTable(path);
  FUZZ_CHECK(t.gMapFeatCount >= 0 && t.gMapFeatCount <= kMaxMapFeatures, "group count out of bounds");
  for (int g = 1; g <= kMaxMapFeatures; ++g) {
    const Integer rows = t.gMapFeatRows[static_cast<std::size_t>(g)];
    FUZZ_CHECK(rows >= 0 && rows <= kMaxMapFeatureRows, "row count out of bounds");
    FUZZ_CHECK(g <= t.gMapFeatCount || rows == 0, "rows in a group that is not there");
  }
  PictureBox& pic = Picture();
  static const double kDirections[] = {-1, 0, 45, 90, 179.5, 180, 270, 359.9, 360, 400,
                                       std::numeric_limits<double>::quiet_NaN(),
                                       std::numeric_limits<double>::infinity()};
  for (double d : kDirections) {
    for (int g = 0; g <= t.gMapFeatCount + 1; ++g) {
      std::array<MapPoint, kMapFeaturePoints> line{};
      if (!FeatureLine(t, g, d, line)) continue;
      FUZZ_CHECK(g >= 1 && g <= t.gMapFeatCount && std::isfinite(d), "a line of no group or direction");
      const auto gi = static_cast<std::size_t>(g);
      // The rows that enclose d.
      std::size_t i = 2;
      while (!(d <= t.gMapFeatDir[gi][i])) ++i;
      for (std::size_t c = 1; c <= kMapFeaturePoints; ++c) {
        FUZZ_CHECK(Between(line[c - 1].x, t.gMapFeatPtsB[gi][i - 1][c], t.gMapFeatPtsB[gi][i][c]) &&
                       Between(line[c - 1].y, t.gMapFeatPtsA[gi][i - 1][c], t.gMapFeatPtsA[gi][i][c]),
                   "a feature line outside its rows");
      }
    }
    DrawFeatureLines(pic, t, d, RGB(0, 160, 0));
  }
}

void CheckOutlines(const std::string& folder, int layer) {
  MapOutlines outlines([&](const std::string& name) { return folder + name; });
  const OutlineLayer* l = outlines.Layer(layer);
  FUZZ_CHECK(l != nullptr, "an outline file that is there is not read");
  FUZZ_CHECK(l->xy.size() % 2 == 0, "an odd number of coordinates");
  std::size_t next = 0;
  for (const OutlineLayer::Line& line : l->lines) {
    FUZZ_CHECK(line.first == next && line.count >= 1 && line.first + line.count <= l->xy.size() / 2,
               "lines that do not cover the points in order");
    next = line.first + line.count;
    const auto pts = l->Points(line);
    for (std::size_t k = 0; k < pts.size(); k += 2)
      FUZZ_CHECK(pts[k] >= line.minX && pts[k] <= line.maxX && pts[k + 1] >= line.minY && pts[k + 1] <= line.maxY,
                 "a point outside its line's box");
  }
  FUZZ_CHECK(next == l->xy.size() / 2, "points of no line");
  FUZZ_CHECK(outlines.Layer(layer) == l, "a layer read twice");
  std::array<bool, kMapLayerCount> ticked{};
  ticked[static_cast<std::size_t>(layer)] = true;
  const MapSite sites[] = {{0, 35.39f, 97.6f, 3}, {1, 42.36f, 71.01f, 20}};
  DrawMapOutlines(Picture(), ticked, outlines, MapPoint{97.6, 35.39}, sites);
}

}  // namespace
}  // namespace ondrik

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik;
  if (size < 1) return 0;
  if (data[0] % 2 == 0) {
    CheckLookupTable(fuzz::WriteInputFile("Ondrik.Dat", data + 1, size - 1));
  } else {
    const int layer = (data[0] / 2) % kMapLayerCount;
    fuzz::WriteInputFile(MapLayerFileName(layer), data + 1, size - 1);
    CheckOutlines(fuzz::ScratchFolder(), layer);
  }
  return 0;
}
