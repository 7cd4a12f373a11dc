#include "panels/mapdata.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "core/constants.h"
#include "core/levels.h"

namespace ondrik {

namespace {

constexpr double kK = kRadPerDegRounded;
constexpr double kHalfPi = 1.570796327;  // the arc cosine's offset, as rounded there
// Four thirds of the earth's radius (6374 km): the beam bends with the
// standard atmosphere.
constexpr double kBeamEarthRadiusKm = 8498.666666666666;
constexpr double kNmPerKm = 0.539593;

bool IsSeparator(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::optional<std::string> ReadText(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(s).str();
}

// Rounded to a whole number, halves away from zero; never -0.
double RoundHalfAway(double v) {
  const double r = std::round(v);
  return r == 0 ? 0.0 : r;
}

}  // namespace

// ---- reading numbers ----

void NumberReader::SkipSeparators() {
  while (pos_ < text_.size() && IsSeparator(text_[pos_])) ++pos_;
}

bool NumberReader::AtEnd() {
  SkipSeparators();
  return pos_ >= text_.size();
}

bool NumberReader::Next(double& value) {
  if (bad_ || AtEnd()) return false;
  std::size_t end = pos_;
  while (end < text_.size() && !IsSeparator(text_[end])) ++end;
  const char* first = text_.data() + pos_;
  const char* last = text_.data() + end;
  if (*first == '+') ++first;
  double v = 0;
  const auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last || first == last || !std::isfinite(v)) {
    bad_ = true;
    return false;
  }
  pos_ = end;
  value = v;
  return true;
}

// ---- lookup table ----

MapFeatureTable ParseLookupTable(std::string_view text) {
  MapFeatureTable t;
  NumberReader in(text);
  double key = 0;
  bool haveKey = in.Next(key);
  while (haveKey) {
    // A new group starts with this key; one beyond the table is read past.
    const bool stored = t.gMapFeatCount < kMaxMapFeatures;
    int g = 0;
    if (stored) {
      g = ++t.gMapFeatCount;
      t.gMapFeatRows[static_cast<size_t>(g)] = 0;
    }
    for (;;) {
      if (key < 0) {
        haveKey = in.Next(key);
        break;
      }
      if (key > 0) {
        std::array<double, 2 * kMapFeaturePoints> v{};
        for (double& x : v)
          if (!in.Next(x)) return t;  // a row cut short is left out
        Integer& rows = t.gMapFeatRows[static_cast<size_t>(g)];
        const auto fits = [](double x) { return std::fabs(x) <= std::numeric_limits<Single>::max(); };
        if (stored && rows < kMaxMapFeatureRows && fits(key) && std::all_of(v.begin(), v.end(), fits)) {
          const auto gi = static_cast<size_t>(g), r = static_cast<size_t>(++rows);
          t.gMapFeatDir[gi][r] = static_cast<Single>(key);
          for (size_t c = 1; c <= kMapFeaturePoints; ++c) {
            t.gMapFeatPtsA[gi][r][c] = static_cast<Single>(v[2 * (c - 1)]);
            t.gMapFeatPtsB[gi][r][c] = static_cast<Single>(v[2 * (c - 1) + 1]);
          }
        }
      }
      if (!in.Next(key)) {
        haveKey = false;  // the end of the text ends the group
        break;
      }
    }
  }
  return t;
}

MapFeatureTable ReadLookupTable(const std::string& path) {
  const std::optional<std::string> text = ReadText(path);
  return text ? ParseLookupTable(*text) : MapFeatureTable{};
}

bool FeatureLine(const MapFeatureTable& t, int g, double d, std::array<MapPoint, kMapFeaturePoints>& line) {
  if (g < 1 || g > std::min<int>(t.gMapFeatCount, kMaxMapFeatures)) return false;
  const auto gi = static_cast<size_t>(g);
  const int rows = std::min<int>(t.gMapFeatRows[gi], kMaxMapFeatureRows);
  const auto& dir = t.gMapFeatDir[gi];
  if (rows < 2 || !(d >= dir[1])) return false;
  size_t i = 2;
  while (i <= static_cast<size_t>(rows) && !(d <= dir[i])) ++i;
  if (i > static_cast<size_t>(rows)) return false;
  // Two rows of one direction: d is that direction, and takes the later row.
  const double width = static_cast<double>(dir[i]) - dir[i - 1];
  const double f = width > 0 ? (d - dir[i - 1]) / width : 1.0;
  const auto& A = t.gMapFeatPtsA[gi];
  const auto& B = t.gMapFeatPtsB[gi];
  for (size_t c = 1; c <= kMapFeaturePoints; ++c) {
    line[c - 1].x = B[i - 1][c] + f * (static_cast<double>(B[i][c]) - B[i - 1][c]);
    line[c - 1].y = A[i - 1][c] + f * (static_cast<double>(A[i][c]) - A[i - 1][c]);
  }
  return true;
}

// ---- outline layers ----

std::string MapLayerFileName(int layer) {
  if (layer < 0 || layer >= kMapLayerCount) return "";
  return std::string("Map_") + kMapLayerCaptions[static_cast<size_t>(layer)] + ".dat";
}

OutlineLayer ParseOutlines(std::string_view text) {
  OutlineLayer out;
  NumberReader in(text);
  bool penDown = false;
  double lat = 0, lon = 0;
  while (in.Next(lat) && in.Next(lon)) {
    if (lat > 999) {
      penDown = false;
      continue;
    }
    const double x = -lon, y = lat;
    if (!penDown) {
      OutlineLayer::Line l;
      l.first = out.xy.size() / 2;
      l.minX = l.maxX = x;
      l.minY = l.maxY = y;
      out.lines.push_back(l);
      penDown = true;
    }
    OutlineLayer::Line& l = out.lines.back();
    ++l.count;
    l.minX = std::min(l.minX, x);
    l.maxX = std::max(l.maxX, x);
    l.minY = std::min(l.minY, y);
    l.maxY = std::max(l.maxY, y);
    out.xy.push_back(x);
    out.xy.push_back(y);
  }
  return out;
}

std::optional<OutlineLayer> ReadOutlineFile(const std::string& path) {
  const std::optional<std::string> text = ReadText(path);
  if (!text) return std::nullopt;
  return ParseOutlines(*text);
}

MapOutlines::MapOutlines(std::function<std::string(const std::string&)> findFile)
    : findFile_(std::move(findFile)) {}

const OutlineLayer* MapOutlines::Layer(int layer) {
  if (layer < 0 || layer >= kMapLayerCount) return nullptr;
  const auto i = static_cast<size_t>(layer);
  if (!tried_[i]) {
    tried_[i] = true;
    if (findFile_) layers_[i] = ReadOutlineFile(findFile_(MapLayerFileName(layer)));
  }
  return layers_[i] ? &*layers_[i] : nullptr;
}

// ---- extent ----

bool UsableExtent(const MapExtent& e) {
  for (const Single v : {e.west, e.north, e.east, e.south})
    if (!std::isfinite(v)) return false;
  return e.west != e.east && e.north != e.south;
}

MapExtent ZoomedExtent(const MapExtent& e, double x, double y, int button) {
  if (x > 180) {
    x -= 360;
  } else if (x < -180) {
    x += 360;
  }
  const double f = button == 1 ? 0.7 : 1 / 0.7;
  const double h = (static_cast<double>(e.east) - e.west) / 2 * f;
  const double v = (static_cast<double>(e.south) - e.north) / 2 * f;
  return {static_cast<Single>(x - h), static_cast<Single>(y - v), static_cast<Single>(x + h),
          static_cast<Single>(y + v)};
}

// ---- flows ----

MeanFlow MeanFlowOf(std::span<const double> dirs, std::span<const double> spds) {
  MeanFlow m;
  const size_t n = std::min(dirs.size(), spds.size());
  if (n == 0) return m;
  auto u = [&](size_t i) { return spds[i] * std::cos((270 - dirs[i]) * kK); };
  auto v = [&](size_t i) { return spds[i] * std::sin((270 - dirs[i]) * kK); };
  double su = 0, sv = 0;
  for (size_t i = 0; i < n; ++i) {
    su += u(i);
    sv += v(i);
  }
  const double mu = su / static_cast<double>(n), mv = sv / static_cast<double>(n);
  if (mu != 0) {
    m.flow.dir = (mu >= 0 ? 270 : 90) - std::atan(mv / mu) / kK;
  } else if (mv != 0) {
    m.flow.dir = 270 - (mv > 0 ? kHalfPi : -kHalfPi) / kK;  // the limit of the formula
  }
  m.flow.spd = std::sqrt(mu * mu + mv * mv);
  double spread = 0;
  for (size_t i = 0; i < n; ++i) spread += (u(i) - mu) * (u(i) - mu) + (v(i) - mv) * (v(i) - mv);
  m.rms = std::sqrt(spread / static_cast<double>(n));
  return m;
}

FlowVerdict RmsVerdict(double rms, double limit1, double limit2) {
  if (rms <= limit1) return FlowVerdict::Uniform;
  if (rms <= limit2) return FlowVerdict::Mixed;
  return FlowVerdict::Varied;
}

double DirectionalShear(double upperDir, double lowerDir) {
  double d = upperDir - lowerDir;
  if (d > 180) {
    d -= 360;
  } else if (d < -180) {
    d += 360;
  }
  return d;
}

FlowVerdict ShearVerdict(double shear) {
  const double a = std::fabs(shear);
  if (a <= 10) return FlowVerdict::Uniform;
  if (a <= 20) return FlowVerdict::Mixed;
  return FlowVerdict::Varied;
}

// ---- travel times ----

TravelTime TravelTimeTo(const ReferenceLine& line, double flowDir, double spd) {
  TravelTime t;
  const double s = std::fabs(std::sin((line.bearing - flowDir) * kK));
  t.dist = s == 0 ? line.maxDist : std::min(line.dist / s, line.maxDist);
  t.hours = t.dist / std::max(spd, kMinFlowSpeed);
  return t;
}

// ---- radar beam ----

bool ArcCos(double x, double& result) {
  if (!(x > -1 && x < 1)) return false;
  result = std::atan(-x / std::sqrt(1 - x * x)) + kHalfPi;
  return true;
}

std::optional<double> FreezingLevelKm(Integer D, Integer H) {
  const Integer n = std::min<Integer>(gNumLevels(D), kMaxLevels);
  Integer f = 0;
  for (Integer L = n; L >= 1; --L) {
    if (gTemp(D, H, L) > 0) {
      f = L;
      break;
    }
  }
  if (f == 0 || f >= n) return std::nullopt;
  const double pf = gPres(D, H, f), pa = gPres(D, H, f + 1);
  const double tf = gTemp(D, H, f), ta = gTemp(D, H, f + 1);
  const double p0 = pf - (pf - pa) * tf / (tf - ta);
  return StdHeightFtOfPressure(static_cast<Single>(p0)) / static_cast<double>(kFeetPerKm);
}

std::optional<double> BeamRangeNm(double tiltDeg, double heightKm, double siteElevKm) {
  const double e = tiltDeg * kK;
  double a = 0;
  if (!ArcCos(std::cos(e) / ((heightKm - siteElevKm) / kBeamEarthRadiusKm + 1), a)) return std::nullopt;
  return std::min((a - e) * kBeamEarthRadiusKm * kNmPerKm, kBeamMaxRangeNm);
}

double LonDegreesPerNm(double lat) { return 1 / (std::cos(lat * kK) * 60); }

// ---- texts ----

std::string FormatThousands(double v) {
  const double r = RoundHalfAway(v);
  if (r == 0 || !std::isfinite(r)) return "";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.0f", std::fabs(r));
  std::string digits = buf, out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return (r < 0 ? "-" : "") + out;
}

std::string FormatDegrees(double v) {
  const double r = RoundHalfAway(v);
  std::string s;
  if (r != 0 && std::isfinite(r)) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.0f", r);
    s = buf;
  }
  return s + "\xC2\xB0";
}

}  // namespace ondrik
