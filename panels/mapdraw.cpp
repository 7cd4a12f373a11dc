#include "panels/mapdraw.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/printformat.h"
#include "panels/picturepanel.h"

namespace ondrik {

namespace {

constexpr Color kShadow = RGB(127, 127, 127);
constexpr double kShadowShift = -0.04;  // degrees, in both directions
constexpr const char* kDegree = "\xC2\xB0";
// Blanks at least between the two travel times on one line.
constexpr double kTravelTimesApart = 3;

// The picture's extent as a box: smallest and largest x and y.
struct Bounds {
  double minX, maxX, minY, maxY;
  explicit Bounds(const PictureBox& pic, double margin = 0) {
    const double x1 = pic.ScaleLeft(), x2 = x1 + pic.ScaleWidth();
    const double y1 = pic.ScaleTop(), y2 = y1 + pic.ScaleHeight();
    minX = std::min(x1, x2) - margin;
    maxX = std::max(x1, x2) + margin;
    minY = std::min(y1, y2) - margin;
    maxY = std::max(y1, y2) + margin;
  }
  bool Meets(double x0, double x1, double y0, double y1) const {
    return x1 >= minX && x0 <= maxX && y1 >= minY && y0 <= maxY;
  }
};

// A row of texts on the map, inside it, without a ground: everything drawn
// on the map is data (outlines, dots, feature lines, rings); a text stands
// over it where it is there.
void PrintOnMap(PictureBox& pic, double y, const std::vector<RowText>& row, double left) {
  TextPlacement place;
  place.Begin(pic);
  // What is drawn under the row: every pixel that is not the map's white.
  const QImage& img = pic.Image();
  const double s = pic.DeviceScale();
  const QRect under = RowInk(pic, y, row, left).adjusted(-2, -2, 2, 2).intersected(img.rect());
  for (int dy = under.top(); dy <= under.bottom(); ++dy)
    for (int dx = under.left(); dx <= under.right(); ++dx) {
      const int from = dx;
      while (dx <= under.right() && (img.pixel(dx, dy) & 0xFFFFFF) != 0xFFFFFF) ++dx;
      if (dx > from) place.Rect(QRectF(from / s, dy / s, (dx - from) / s, 1 / s));
    }
  PlaceRow(pic, place, y, row, left, TextPlacement::Ground::None);
  place.PrintAll(pic);
  pic.ForeColor = kBlack;
}

// Texts on line `line` (0 the top) from the map's left edge, one after the
// other, fitted to the map's width.
void PrintMapLine(PictureBox& pic, int line, const std::vector<std::string>& texts,
                  const std::vector<Color>& colours = {}) {
  std::vector<RowText> row;
  for (std::size_t i = 0; i < texts.size(); ++i)
    row.push_back({pic.ScaleLeft(), texts[i], i < colours.size() ? colours[i] : kBlack});
  PrintOnMap(pic, pic.ScaleTop() + line * pic.TextHeightInScale("H"), row, pic.ScaleLeft());
}

std::string WholeItem(double v) { return PrintNumber(std::floor(v + 0.5)); }

Integer TopLevel(Integer D) { return std::min<Integer>(gNumLevels(D), kMaxLevels); }

}  // namespace

Color SiteDotColor(std::int32_t age) {
  if (age <= 7) return RGB(0, 0, 255);
  if (age > 15) return RGB(200, 200, 255);
  return RGB(100, 100, 255);
}

Color VerdictColor(FlowVerdict verdict) {
  switch (verdict) {
    case FlowVerdict::Uniform:
      return kGreen;
    case FlowVerdict::Mixed:
      return kYellow;
    case FlowVerdict::Varied:
      break;
  }
  return kRed;
}

bool ScaleToExtent(PictureBox& pic, const MapExtent& e) {
  if (!UsableExtent(e)) return false;
  pic.Scale(e.west, e.north, e.east, e.south);
  return true;
}

void ClearMap(PictureBox& pic) {
  const DrawMode mode = pic.Mode;
  pic.Mode = DrawMode::CopyPen;
  pic.Box(pic.ScaleLeft(), pic.ScaleTop(), pic.ScaleLeft() + pic.ScaleWidth(), pic.ScaleTop() + pic.ScaleHeight(),
          kWhite, true);
  pic.Mode = mode;
}

double DrawMapOutlines(PictureBox& buffer, const std::array<bool, kMapLayerCount>& ticked, MapOutlines& outlines,
                       const std::optional<MapPoint>& currentSite, std::span<const MapSite> sites) {
  buffer.Mode = DrawMode::CopyPen;
  buffer.Style = DrawStyle::Solid;
  // Lines wholly outside the picture are passed over.
  const double pixel = std::fabs(buffer.ScaleWidth()) / std::max(1, buffer.PixelWidth());
  const Bounds view(buffer, 3 * pixel);
  std::vector<PictureBox::PointRun> runs;
  for (int i = 0; i < kMapLayerCount; ++i) {
    if (!ticked[static_cast<size_t>(i)]) continue;
    const OutlineLayer* layer = outlines.Layer(i);
    if (layer == nullptr) continue;
    buffer.DrawWidth = i == 1 ? 2 : 1;  // "CWA" wider
    const Color c = RGB(127, 40 * i, 40 * i);
    runs.clear();
    for (const OutlineLayer::Line& line : layer->lines)
      if (view.Meets(line.minX, line.maxX, line.minY, line.maxY)) runs.push_back({line.first, line.count});
    buffer.PolyLines(layer->xy, runs, c);
  }
  buffer.DrawWidth = 1;

  const double radius = std::fabs(buffer.ScaleWidth()) / 75;
  const Bounds dots(buffer, 2 * radius);
  buffer.FillTransparent = false;
  if (currentSite) {
    buffer.FillColor = kRed;
    buffer.Circle(currentSite->x, currentSite->y, 1.5 * radius, kBlack);
  }
  for (const MapSite& s : sites) {
    if (!dots.Meets(s.lon, s.lon, s.lat, s.lat)) continue;
    buffer.FillColor = SiteDotColor(s.age);
    buffer.Circle(s.lon, s.lat, radius, kBlack);
  }
  buffer.FillTransparent = true;
  return radius;
}

void DrawFeatureLines(PictureBox& pic, const MapFeatureTable& table, double d, std::optional<Color> c) {
  struct Pass {
    int width;
    Color color;
    double shift;
  };
  std::array<Pass, 2> passes = {Pass{5, kShadow, kShadowShift}, Pass{4, c.value_or(0), 0}};
  std::array<MapPoint, kMapFeaturePoints> line;
  for (size_t p = 0; p < (c ? 2u : 1u); ++p) {
    const Pass& pass = passes[p];
    pic.DrawWidth = pass.width;
    for (int g = 1; g <= table.gMapFeatCount; ++g) {
      if (!FeatureLine(table, g, d, line)) continue;
      pic.CurrentX = line[0].x + pass.shift;
      pic.CurrentY = line[0].y + pass.shift;
      for (size_t k = 1; k < line.size(); ++k) pic.LineTo(line[k].x + pass.shift, line[k].y + pass.shift, pass.color);
    }
  }
  pic.DrawWidth = 1;
}

std::optional<MeanFlow> LayerMeanFlow(Integer D, Integer H, Integer lo, Integer hi) {
  const Integer bottom = std::max<Integer>(std::min(lo, hi), 1);
  const Integer top = std::min<Integer>(std::max(lo, hi), TopLevel(D));
  if (bottom > top) return std::nullopt;
  std::vector<double> dirs, spds;
  for (Integer L = bottom; L <= top; ++L) {
    dirs.push_back(gWdir(D, H, L));
    spds.push_back(gWspd(D, H, L));
  }
  return MeanFlowOf(dirs, spds);
}

std::optional<Flow> SigmaLevelFlow(Integer D, Integer H, Integer level) {
  if (level < 1 || level > TopLevel(D)) return std::nullopt;
  return Flow{gWdir(D, H, level), gWspd(D, H, level)};
}

std::optional<Flow> DrawMapMeanFlow(PictureBox& pic, const MapFeatureTable& table, Integer D, Integer H,
                                    Integer lo, Integer hi, double rmsLimit1, double rmsLimit2) {
  const std::optional<MeanFlow> mean = LayerMeanFlow(D, H, lo, hi);
  if (!mean) return std::nullopt;
  const MeanFlow& m = *mean;
  const Integer bottom = std::max<Integer>(std::min(lo, hi), 1);
  const Integer top = std::min<Integer>(std::max(lo, hi), TopLevel(D));
  DrawFeatureLines(pic, table, m.flow.dir, VerdictColor(RmsVerdict(m.rms, rmsLimit1, rmsLimit2)));
  PrintMapLine(pic, 0,
               {PrintNumber(gPres(D, H, bottom)) + "->" + PrintNumber(gPres(D, H, top)) + "mb ",
                "Wind= " + WholeItem(m.flow.dir) + kDegree + " at" + WholeItem(m.flow.spd) + "Kts"});
  PrintMapLine(pic, 1, {" RMS = " + FormatFixed(m.rms, 1) + "kts"});
  return m.flow;
}

std::optional<Flow> DrawMapSigmaWind(PictureBox& pic, const MapFeatureTable& table, Integer D, Integer H,
                                     Integer level, Integer step) {
  const std::optional<Flow> at = SigmaLevelFlow(D, H, level);
  if (!at) return std::nullopt;
  const Integer n = TopLevel(D);
  const Flow flow = *at;
  std::optional<double> shear;
  if (level - step >= 0 && level - step <= n && level + step >= 0 && level + step <= n)
    shear = DirectionalShear(gWdir(D, H, level + step), gWdir(D, H, level - step));
  std::optional<Color> c;
  if (shear) c = VerdictColor(ShearVerdict(*shear));
  DrawFeatureLines(pic, table, flow.dir, c);
  PrintMapLine(pic, 0,
               {" " + PrintNumber(gPres(D, H, level)) + "mb Wind ",
                "= " + PrintNumber(flow.dir) + kDegree + " at" + WholeItem(flow.spd) + " kts"});
  if (shear) {
    if (*shear > 0)
      PrintMapLine(pic, 1, {"  Shear = ", "+" + FormatDegrees(*shear)}, {kBlack, kRed});
    else
      PrintMapLine(pic, 1, {"  Shear = ", FormatDegrees(*shear)}, {kBlack, kBlue});
  }
  return flow;
}

std::array<TravelTime, 2> PrintMapTravelTimes(PictureBox& pic, const std::array<ReferenceLine, 2>& lines,
                                              Flow& flow) {
  if (!(flow.spd >= kMinFlowSpeed)) flow.spd = kMinFlowSpeed;
  std::array<TravelTime, 2> t;
  std::array<std::string, 2> text;
  for (size_t i = 0; i < 2; ++i) {
    t[i] = TravelTimeTo(lines[i], flow.dir, flow.spd);
    text[i] = FormatFixed(t[i].dist, 0) + " nm  @ " + FormatFixed(t[i].hours, 1) + " hours";
  }
  // The first at the left edge, the second ending at the right edge, both
  // on the bottom line when the width of a few blanks parts them (less reads
  // as one text), else the second on the line above.
  const double right = pic.ScaleLeft() + pic.ScaleWidth(), bottom = pic.ScaleTop() + pic.ScaleHeight();
  const double line = pic.TextHeightInScale(text[0]);
  const std::vector<RowText> first = {{pic.ScaleLeft(), text[0], kBlack}};
  const std::vector<RowText> second = {{right - pic.TextWidthInScale(text[1]), text[1], kBlack}};
  const std::vector<RowText> both = {first[0], second[0]};
  const std::vector<QRect> inks = RowInks(pic, bottom - line, both, pic.ScaleLeft());
  const double apart = kTravelTimesApart * pic.TextWidthPx(" ") * pic.DeviceScale();
  if (inks.size() == 2 && inks[1].left() - inks[0].right() > apart) {
    PrintOnMap(pic, bottom - line, both, pic.ScaleLeft());
  } else {
    // The line above with its ink a pixel clear of the one under it.
    const int under = RowInk(pic, bottom - line, first, pic.ScaleLeft()).top() - 1 - pic.PixelSpan();
    double y = bottom - 2 * line;
    const int over = RowInk(pic, y, second, pic.ScaleLeft()).bottom();
    if (over > under) y = pic.PixelToY(pic.YToPixel(y) - (over - under) / pic.DeviceScale());
    PrintOnMap(pic, bottom - line, first, pic.ScaleLeft());
    PrintOnMap(pic, y, second, pic.ScaleLeft());
  }
  return t;
}

void PlotBeamFreezingLevel(PictureBox& pic, Integer D, Integer H, std::span<const BeamTilt> tilts) {
  const std::optional<double> level = FreezingLevelKm(D, H);
  if (!level) return;
  const double lon = gSiteLon(D), lat = gSiteLat(D), elev = gSiteElev(D);
  const double q = LonDegreesPerNm(lat);
  pic.DrawWidth = 1;
  pic.FillTransparent = false;
  pic.Mode = DrawMode::NotXorPen;
  for (const BeamTilt& tilt : tilts) {
    pic.FillColor = tilt.color;
    const std::optional<double> outer = BeamRangeNm(tilt.deg, *level, elev);
    if (!outer || *outer <= 0) continue;
    pic.Circle(lon, lat, *outer * q, tilt.color);
    const std::optional<double> inner = BeamRangeNm(tilt.deg, *level - kBrightBandDepthKm, elev);
    if (inner && *inner > 0) pic.Circle(lon, lat, *inner * q, tilt.color);
  }
  pic.FillTransparent = true;
  // Later drawing on the picture goes on in copy mode.
  pic.Mode = DrawMode::CopyPen;
  PrintMapLine(pic, 0, {"    Freezing Level: " + FormatThousands(*level * kFeetPerKm) + " Ft MSL"});
}

}  // namespace ondrik
