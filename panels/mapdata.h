// The map panel's data and computations, free of Qt: the feature table of
// the lookup file "Ondrik.Dat", the outline layers "Map_<layer>.dat", the
// map extent and its zoom, the placing of feature lines by flow direction,
// the mean and sigma-level flows with their verdicts, the travel times to
// the configured reference lines, the radar beam's ranges at the freezing
// level, and the texts the map prints.
//
// Map coordinates: x is longitude in degrees, positive west; y is latitude
// in degrees. The outline files hold east-positive longitudes (x = -lon);
// the lookup table and the site list hold west-positive ones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/store.h"

namespace ondrik {

// ---- sites ----

// A site with a file of the chosen model, as the site list found it.
struct MapSite {
  int row = 0;             // MapSiteRow: its row in the site list (0-based)
  float lat = 0, lon = 0;  // degrees, longitude positive west
  std::int32_t age = 0;    // hours from the file's first valid time to now
};

struct MapPoint {
  double x = 0, y = 0;  // longitude positive west, latitude
};

// ---- reading numbers ----

// The numbers of a text one by one, separated by commas, blanks or line
// ends. Reading stops at the end or at the first item that is not a number.
class NumberReader {
 public:
  explicit NumberReader(std::string_view text) : text_(text) {}
  // The next number; false at the end of the text or at an item that is
  // not a number (Bad() tells which), and for every call after that.
  bool Next(double& value);
  // Only separators are left.
  bool AtEnd();
  bool Bad() const { return bad_; }

 private:
  void SkipSeparators();
  std::string_view text_;
  std::size_t pos_ = 0;
  bool bad_ = false;
};

// ---- lookup table ----

inline constexpr int kMaxMapFeatures = 10;     // groups 1..10
inline constexpr int kMaxMapFeatureRows = 30;  // rows 1..30 of a group
inline constexpr int kMapFeaturePoints = 4;    // points 1..4 of a row

// Map features by flow direction: group g (1..gMapFeatCount) has
// gMapFeatRows(g) rows; row r applies to the direction gMapFeatDir(g, r)
// (rising within a group) and holds the four points of the feature line,
// latitude in A and west-positive longitude in B. Index 0 is not used.
struct MapFeatureTable {
  template <typename T>
  using ByRow = std::array<std::array<T, kMaxMapFeatureRows + 1>, kMaxMapFeatures + 1>;
  using PointArray = std::array<Single, kMapFeaturePoints + 1>;

  Integer gMapFeatCount = 0;
  std::array<Integer, kMaxMapFeatures + 1> gMapFeatRows{};
  ByRow<Single> gMapFeatDir{};
  ByRow<PointArray> gMapFeatPtsA{}, gMapFeatPtsB{};
};

// The table of a lookup text: groups one after another to the end, each a
// run of keys: a key above 0 is a row's direction followed by its eight
// numbers (latitude, longitude of points 1 to 4), a key of 0 is skipped, a
// negative key ends the group (so does the end of the text). Groups and
// rows beyond the table's bounds are read past, not stored, and so are rows
// with a number beyond single precision; an item that is not a number ends
// the reading with what was read (a row cut short by it is left out).
MapFeatureTable ParseLookupTable(std::string_view text);
// ReadLookupTable: the table of a file; empty when it cannot be read.
MapFeatureTable ReadLookupTable(const std::string& path);

// The feature line of group g (1-based) for the flow direction d, between
// the two rows whose directions enclose d (a row's own points when d is
// its direction); false when the group is not drawn for d: d below its
// first row or above its last, or a group of fewer than two rows.
bool FeatureLine(const MapFeatureTable& table, int g, double d, std::array<MapPoint, kMapFeaturePoints>& line);

// ---- outline layers ----

inline constexpr int kMapLayerCount = 5;
// The layers in the order of the layer boxes chkMap(0..4). (The history
// file and the map presets list the boxes in the opposite order.)
inline constexpr std::array<const char*, kMapLayerCount> kMapLayerCaptions = {"Canada", "CWA", "County",
                                                                              "State", "Country"};
// "Map_" & caption & ".dat".
std::string MapLayerFileName(int layer);

// The lines of one outline file in map coordinates. A line of one point is
// a dot.
struct OutlineLayer {
  struct Line {
    std::size_t first = 0, count = 0;  // in points of xy
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
  };
  std::vector<double> xy;  // x0, y0, x1, y1, ...
  std::vector<Line> lines;

  std::span<const double> Points(const Line& line) const {
    return std::span<const double>(xy).subspan(2 * line.first, 2 * line.count);
  }
};

// The lines of an outline text: records of latitude and east-positive
// longitude; a record whose first number is above 999 is a break, after
// which the next point starts a new line (the first point starts one
// anyway). An item that is not a number ends the reading with what was read.
OutlineLayer ParseOutlines(std::string_view text);
// None when the file cannot be read.
std::optional<OutlineLayer> ReadOutlineFile(const std::string& path);

// The outline layers, each read the first time it is asked for and then
// kept for the whole run (a missing file is asked for once).
class MapOutlines {
 public:
  // findFile: the path of a file name in the program folder, "" for none.
  explicit MapOutlines(std::function<std::string(const std::string& name)> findFile);
  // Null when the layer has no file.
  const OutlineLayer* Layer(int layer);

 private:
  std::function<std::string(const std::string&)> findFile_;
  std::array<std::optional<OutlineLayer>, kMapLayerCount> layers_;
  std::array<bool, kMapLayerCount> tried_{};
};

// ---- extent ----

// gMapWest, gMapNorth, gMapEast, gMapSouth: the x at the left edge, the y
// at the top, the x at the right edge and the y at the bottom.
struct MapExtent {
  Single west = 120, north = 53, east = 69, south = 22;
  bool operator==(const MapExtent&) const = default;
};
// Finite, with a width and a height.
bool UsableExtent(const MapExtent& e);
// The extent after a zoom click at (x, y): centred on the click, x brought
// into -180..180, 0.7 times as wide and high for the left button (1), 1/0.7
// times for any other.
MapExtent ZoomedExtent(const MapExtent& e, double x, double y, int button);

// ---- flows ----

// Green, yellow or red feature lines.
enum class FlowVerdict { Uniform, Mixed, Varied };

struct Flow {
  double dir = 0;  // degrees, where the wind blows from
  double spd = 0;  // knots
};

// The mean wind of a layer from the winds (direction in degrees, speed in
// knots) of its levels, and the spread of the level winds about it (RMS of
// the vector differences, kt). A layer with no level or a calm mean has
// direction 0; a mean without a west-east part blows from 180 or 360.
struct MeanFlow {
  Flow flow;
  double rms = 0;
};
MeanFlow MeanFlowOf(std::span<const double> dirs, std::span<const double> spds);
FlowVerdict RmsVerdict(double rms, double limit1, double limit2);

// The change of direction from the lower to the upper level, in -180..180.
double DirectionalShear(double upperDir, double lowerDir);
// Up to 10 degrees either way uniform, up to 20 mixed, else varied.
FlowVerdict ShearVerdict(double shear);

// ---- travel times ----

inline constexpr double kMinFlowSpeed = 0.1;  // kt: the slowest flow timed

// A reference line: bearing (degrees), its distance from the site (nm) and
// the cap on the distance along the flow (nm).
struct ReferenceLine {
  double bearing = 0, dist = 0, maxDist = 0;
};
struct TravelTime {
  double dist = 0;   // nm along the flow
  double hours = 0;
};
// The distance along a flow to the line and the time the flow needs for
// it; a flow parallel to the line gives the cap. spd at least kMinFlowSpeed.
TravelTime TravelTimeTo(const ReferenceLine& line, double flowDir, double spd);

// ---- radar beam ----

inline constexpr double kBeamMaxRangeNm = 124;
// 1200 ft in km, the depth of the bright band under the freezing level.
inline constexpr double kBrightBandDepthKm = 0.36574215178299296;

// The arc cosine (radians) of x for -1 < x < 1; false outside.
bool ArcCos(double x, double& result);
// The freezing level (km above sea level) of dataset D at hour H: where the
// temperature crosses 0 deg C above the highest level warmer than that.
// None when no level is warmer, or when the top level is (nothing above it).
std::optional<double> FreezingLevelKm(Integer D, Integer H);
// The range (nm, at most kBeamMaxRangeNm) at which the centre of a beam at
// the tilt (degrees) reaches the height (km above sea level) from a site at
// siteElevKm; None when the height cannot be reached (the arc cosine's
// argument leaves (-1, 1)). The range is not above 0 when the height lies
// below the beam at the site.
std::optional<double> BeamRangeNm(double tiltDeg, double heightKm, double siteElevKm);
// Degrees of longitude per nautical mile at a latitude.
double LonDegreesPerNm(double lat);

// ---- texts ----

// (PrintNumber and FormatFixed of core/printformat.h write the others.)
// A whole number with thousands separators; "" for 0 ("#,###").
std::string FormatThousands(double v);
// Whole degrees with a degree sign; "°" alone for 0 ("##°").
std::string FormatDegrees(double v);

}  // namespace ondrik
