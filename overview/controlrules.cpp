// The rules of the overview's controls (see controlrules.h).
#include "overview/controlrules.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/constants.h"
#include "core/guards.h"
#include "core/numberformat.h"

namespace ondrik {

namespace {

// ---- what a click does, per row of the box table ----

// How a box reacts: the field pattern (topic, extra steps, grid step), a
// grid box, a plain redraw, a hook that does everything, or nothing at all.
enum class Flow { Field, Grid, Plain, Own, NoHandler };

using BoxHook = void (*)(BoxContext& c, BoxId id);

// The range a ticked strip moves the index axis to: always, or only from the
// axis every new window starts with (-20..20).
struct IndexRange {
  enum When { Never, Always, FromStart } when = Never;
  Single bottom = 0, span = 0;
};

// The rule of one row of the box table. A row without a rule of its own
// follows its kind: fields and strips the field pattern, grid boxes the grid
// rule, toggles a plain redraw.
struct BoxRule {
  BoxId id = kBoxCount;
  Flow flow = Flow::Field;
  BoxPanel panel = BoxPanel::None;  // visible while the box is ticked
  Integer indexLabelFactor = 0;     // its values are drawn on the index axis divided by this; 0: 1
  Color labelColour = kWhite;       // of its own index labels beside others (a factor other than 1)
  IndexRange range{};               // the index axis's range it sets when ticked
  BoxHook before = nullptr;         // extra steps before the grid step (or the whole click for Own)
  BoxHook after = nullptr;          // extra steps after the grid step
  BoxId tested = kBoxCount;         // box read in the grid step instead of the row's own
  bool contoured = false;           // drawn in contours of the contour interval
};

bool Ticked(const BoxContext& c, BoxId id) { return c.host.Value(id) != 0; }
bool Ticked1(const BoxContext& c, BoxId id) { return c.host.Value(id) == 1; }

// The grid step: a ticked field whose axis has no grid shown ticks that
// grid box (whose click redraws); anything else redraws.
void GridStep(BoxContext& c, BoxId id, BoxId tested) {
  const BoxId grid = GridOfAxis(Row(id).axis);
  if (grid == kBoxCount || Ticked(c, grid) || !Ticked(c, tested)) {
    c.host.Redraw();
    return;
  }
  c.host.SetValue(grid, 1);
}

// A ticked strip moves the index axis to its range where its rule says.
void ApplyIndexRange(BoxContext& c, BoxId id, const IndexRange& r) {
  OverviewFrame& f = c.s.frame;
  const bool atStart = f.IndexBottom == -20 && f.IndexSpan == 40;
  if (!Ticked(c, id) || r.when == IndexRange::Never || (r.when == IndexRange::FromStart && !atStart)) return;
  f.IndexBottom = r.bottom;
  f.IndexSpan = r.span;
}

void HelicityRHClass(BoxContext& c, BoxId id) {
  if (Ticked(c, id) && (Ticked1(c, kBoxRH0) || Ticked1(c, kBoxRH1)) && c.s.opt.RHLowestClass == 0)
    c.s.opt.RHLowestClass = 1;
}
void SnowRatioCompute(BoxContext& c, BoxId id) {
  if (Ticked(c, id)) c.host.SnowRatioUnlessDone();
}
// The speed strips share the temperature axis: it keeps its top and starts at 0.
void SpeedAxis(BoxContext& c, BoxId id) {
  OverviewFrame& f = c.s.frame;
  if (Ticked(c, id) && f.TempBottom > 0) {
    f.TempSpan += f.TempBottom;
    f.TempBottom = 0;
  }
}
void Show(BoxContext& c, BoxPanel p) { c.host.ShowPanel(p, PanelShown(p, c.s.opt)); }
void SigmaLegend(BoxContext& c, BoxId id) {
  c.gridGuard = -1;
  if (Ticked(c, id)) c.host.SigmaWindScale();
  c.gridGuard = 0;
}
void VWPLegend(BoxContext& c, BoxId) { Show(c, BoxPanel::VWP); }
void VWPColorClick(BoxContext& c, BoxId id) {
  VWPLegend(c, id);
  c.host.Redraw();
}
void PrecipLegend(BoxContext& c, BoxId) { Show(c, BoxPanel::Precip); }
void SnowFallCaption(BoxContext& c, BoxId id) {
  if (Ticked(c, id))
    c.host.SetCaption(id, c.host.Random() < 0.5 ? "Don't Use This Operationally" : "Left In to Demo Error");
  else
    c.host.SetCaption(id, "Adding Hourly Snowfall");
}
// Ticking the inhibition field clears both humidity fills (without their
// clicks); a bulk change (a layout recalled) sets the fills itself.
void ELCINClearsRH(BoxContext& c, BoxId id) {
  if (gLoadingState || !Ticked1(c, id) || !(Ticked1(c, kBoxRH0) || Ticked1(c, kBoxRH1))) return;
  const LoadingStateGuard loading;
  c.host.SetValue(kBoxRH0, 0);
  c.host.SetValue(kBoxRH1, 0);
}
// The two elevated-CAPE fields exclude each other.
void ECAPEPair(BoxContext& c, BoxId id) {
  if (gLoadingState) return;
  {
    const LoadingStateGuard loading;
    c.host.SetValue(id == kBoxECAPE ? kBoxEHailCape : kBoxECAPE, 0);
  }
  GridStep(c, id, id);
  Show(c, BoxPanel::ECAPE);
  c.host.ECAPELabels();
}
// The two humidity fills exclude each other; the legend hides the ice-only
// classes for the water fill.
void RHPair(BoxContext& c, BoxId id) {
  if (gLoadingState) return;
  const BoxId other = id == kBoxRH0 ? kBoxRH1 : kBoxRH0;
  Show(c, BoxPanel::RH);
  c.host.ShowPanel(BoxPanel::RHHide, id != kBoxRH1);
  if (Ticked1(c, id) && Ticked1(c, other)) {
    const LoadingStateGuard loading;
    c.host.SetValue(other, 0);
  }
  GridStep(c, id, id);
}
// The mean wind takes the profile window's layer the first time.
void MeanWindClick(BoxContext& c, BoxId id) {
  c.host.Topic(Row(id).topic);
  Show(c, BoxPanel::MeanWind);
  if (c.host.MeanWindLayerShown())
    GridStep(c, id, id);
  else
    c.host.CopyMeanWindLayer();
}
void BourgouinClick(BoxContext& c, BoxId id) {
  if (!gLoadingState) c.host.Bourgouin(c.host.Value(id));
  Show(c, BoxPanel::ElevatedPT);
}

// The rows with more to do than their kind's pattern. `panel`: the panel
// shows while any of its rows is ticked (PanelShown has the few panels that
// follow another rule).
constexpr BoxRule kRules[] = {
    {.id = kBoxApparentTemp, .panel = BoxPanel::HeatIndex},
    {.id = kBoxCAPE, .panel = BoxPanel::CAPE},
    {.id = kBoxDavisIndex, .panel = BoxPanel::DavisIndex},
    {.id = kBoxECAPE, .flow = Flow::Own, .panel = BoxPanel::ECAPE, .before = ECAPEPair, .contoured = true},
    {.id = kBoxEHailCape, .flow = Flow::Own, .panel = BoxPanel::ECAPE, .before = ECAPEPair, .contoured = true},
    {.id = kBoxELCIN, .panel = BoxPanel::ELCIN, .before = ELCINClearsRH},
    {.id = kBoxHainesIndex, .panel = BoxPanel::HainesIndex, .range = {IndexRange::Always, -1, 10}},
    {.id = kBoxHeights, .panel = BoxPanel::Heights},
    {.id = kBoxHelicity,
     .indexLabelFactor = kHelicityIndexFactor,
     .labelColour = RGB(128, 128, 255),  // its line's blue, light enough to read on black
     .range = {IndexRange::FromStart, -5, 45},
     .before = HelicityRHClass},
    {.id = kBoxLakeIndex, .panel = BoxPanel::LakeTemp},
    {.id = kBoxMoistLakeIndex, .panel = BoxPanel::LakeTemp},
    {.id = kBoxLIC, .panel = BoxPanel::LakeTemp},
    {.id = kBoxLIE, .panel = BoxPanel::LakeTemp},
    {.id = kBoxMBEspeed, .before = SpeedAxis},
    {.id = kBoxStormRelInflow, .before = SpeedAxis},
    {.id = kBoxTransportSpeed, .before = SpeedAxis},
    {.id = kBoxMeanWind, .flow = Flow::Own, .panel = BoxPanel::MeanWind, .before = MeanWindClick},
    {.id = kBoxOmega, .panel = BoxPanel::OmegaFiltered, .contoured = true},
    {.id = kBoxPrecip, .after = PrecipLegend},
    {.id = kBoxPrecipAcumm, .tested = kBoxPrecip},
    {.id = kBoxSnowFall, .after = SnowFallCaption, .tested = kBoxPrecip},
    {.id = kBoxRH0, .flow = Flow::Own, .panel = BoxPanel::RH, .before = RHPair},
    {.id = kBoxRH1, .flow = Flow::Own, .panel = BoxPanel::RH, .before = RHPair},
    {.id = kBoxSnowRatio, .range = {IndexRange::Always, 0, 30}, .before = SnowRatioCompute},
    {.id = kBoxTQ, .range = {IndexRange::FromStart, 0, 25}},
    {.id = kBoxVVTrend, .before = SigmaLegend},
    {.id = kBoxVWP, .panel = BoxPanel::VWPOptions, .before = VWPLegend},
    {.id = kBoxWinds, .panel = BoxPanel::Wind, .before = SigmaLegend},
    {.id = kBoxVWPColor, .flow = Flow::Own, .before = VWPColorClick},
    {.id = kBoxsWSYMb, .flow = Flow::Own, .panel = BoxPanel::ElevatedPT, .before = BourgouinClick},
    {.id = kBoxEvaporation, .flow = Flow::NoHandler},
    {.id = kBoxRunOff, .flow = Flow::NoHandler},
    {.id = kBoxPIP, .flow = Flow::NoHandler},
    // Contour fields that follow the contour interval.
    {.id = kBoxRHContour, .contoured = true},
    {.id = kBoxRHIcontour, .contoured = true},
    {.id = kBoxSnowGrowth, .contoured = true},
    {.id = kBoxTemperature, .contoured = true},
    {.id = kBoxVelocity, .contoured = true},
    {.id = kBoxDPD, .contoured = true},
    {.id = kBoxWetBulb, .contoured = true},
    {.id = kBoxShearContour, .contoured = true},
    {.id = kBoxLayertoLayer, .contoured = true},
    {.id = kBoxTheta, .contoured = true},
    {.id = kBoxThetaE, .contoured = true},
    {.id = kBoxDeltaThetaE, .contoured = true},
    {.id = kBoxIcing, .contoured = true},
    {.id = kBoxLayerShear, .contoured = true},
    {.id = kBoxMixingRatio, .contoured = true},
    {.id = kBoxMeanMixingRatio, .contoured = true},
};

// The rule of every row, by id: its own from kRules, else its kind's.
const std::array<BoxRule, kBoxCount>& Rules() {
  static const std::array<BoxRule, kBoxCount> rules = [] {
    std::array<BoxRule, kBoxCount> r{};
    for (const OverviewRow& row : OverviewRows()) {
      BoxRule& b = r[static_cast<size_t>(row.id)];
      b.id = row.id;
      if (row.kind == BoxKind::Grid) b.flow = Flow::Grid;
      if (row.kind == BoxKind::Toggle) b.flow = Flow::Plain;
    }
    for (const BoxRule& own : kRules) r[static_cast<size_t>(own.id)] = own;
    return r;
  }();
  return rules;
}

void GridClick(BoxContext& c, BoxId id) {
  if (c.gridGuard == -1) return;
  if (Ticked(c, id)) {
    c.gridGuard = -1;
    for (const OverviewRow& r : OverviewRows())
      if (r.kind == BoxKind::Grid && r.id != id) c.host.SetValue(r.id, 0);
    c.gridGuard = 0;
  }
  c.host.Redraw();
}

void FieldClick(BoxContext& c, const BoxRule& rule) {
  const BoxId id = rule.id;
  const OverviewRow& row = Row(id);
  if (!row.topic.empty()) c.host.Topic(row.topic);
  if (rule.panel != BoxPanel::None) Show(c, rule.panel);
  ApplyIndexRange(c, id, rule.range);
  if (rule.before != nullptr) rule.before(c, id);
  GridStep(c, id, rule.tested == kBoxCount ? id : rule.tested);
  if (rule.after != nullptr) rule.after(c, id);
}

}  // namespace

BoxId GridOfAxis(Axis axis) {
  switch (axis) {
    case Axis::Height: return kBoxGridHeight;
    case Axis::Direction: return kBoxGridWind;
    case Axis::Precip: return kBoxGridPrecip;
    case Axis::Index: return kBoxGridLakeIndex;
    case Axis::Temperature: return kBoxGridTemp;
    case Axis::Cape:
    case Axis::SfcPres:
    case Axis::Ventilation:
    case Axis::Visibility: return kBoxGridLeft;
    case Axis::None:
    case Axis::Time: break;
  }
  return kBoxCount;
}

bool PanelShown(BoxPanel p, const OverviewOptions& o) {
  switch (p) {
    case BoxPanel::None:
    case BoxPanel::Count: return false;
    case BoxPanel::VWP: return o.On(kBoxVWPColor) && o.On(kBoxVWP);
    case BoxPanel::Precip: return o.box[kBoxPrecip] == 1;
    case BoxPanel::RHHide: return !o.On(kBoxRH1);
    default: break;
  }
  for (const BoxRule& r : Rules())
    if (r.panel == p && o.On(r.id)) return true;
  return false;
}

void ShowAllPanels(BoxHost& host, const OverviewOptions& o) {
  for (int p = 1; p < static_cast<int>(BoxPanel::Count); ++p)
    host.ShowPanel(static_cast<BoxPanel>(p), PanelShown(static_cast<BoxPanel>(p), o));
}

void BoxClick(BoxId id, BoxContext& c) {
  if (id < 0 || id >= kBoxCount) return;
  const BoxRule& rule = Rules()[static_cast<size_t>(id)];
  switch (rule.flow) {
    case Flow::Field: FieldClick(c, rule); break;
    case Flow::Grid: GridClick(c, id); break;
    case Flow::Plain: c.host.Redraw(); break;
    case Flow::Own:
      if (rule.before != nullptr) rule.before(c, id);
      break;
    case Flow::NoHandler: break;
  }
}

IndexAxisLabels IndexLabels(const OverviewOptions& o, const OverviewFrame& f) {
  bool usual = false;             // a strip of factor 1 is ticked
  const BoxRule* other = nullptr;  // the first of another factor
  const BoxRule* owner = nullptr;  // the strip whose range the axis shows
  for (const OverviewRow& row : OverviewRows()) {
    if (row.axis != Axis::Index || row.kind == BoxKind::Grid || !o.On(row.id)) continue;
    const BoxRule& r = Rules()[static_cast<size_t>(row.id)];
    const Integer factor = std::max<Integer>(1, r.indexLabelFactor);
    if (factor == 1) usual = true;
    else if (other == nullptr) other = &r;
    if (owner == nullptr && r.range.when != IndexRange::Never && r.range.bottom == f.IndexBottom &&
        r.range.span == f.IndexSpan)
      owner = &r;
  }
  IndexAxisLabels labels;
  if (other == nullptr) return labels;
  IndexLabelSet own{other->indexLabelFactor, false, other->labelColour};
  if (!usual) {
    labels.first = own;
    return labels;
  }
  own.ownColour = true;
  labels.second = own;
  if (owner == other) std::swap(labels.first, *labels.second);
  return labels;
}

bool FollowsContourInterval(BoxId id) { return id >= 0 && id < kBoxCount && Rules()[static_cast<size_t>(id)].contoured; }

bool HasHandler(BoxId id) { return id >= 0 && id < kBoxCount && Rules()[static_cast<size_t>(id)].flow != Flow::NoHandler; }

void ContourIntervalClick(int index, BoxContext& c) {
  const Integer i = std::clamp(index, 0, 3);
  c.s.opt.ContourIntervalIndex = i;
  c.s.opt.ContourInterval = ContourIntervalOfIndex(i);
  if (c.gridGuard == 0) {
    bool any = false;
    for (const OverviewRow& r : OverviewRows()) any = any || (FollowsContourInterval(r.id) && Ticked(c, r.id));
    if (any) c.host.Redraw();
  }
  c.host.ECAPELabels();
}

// ---- mouse ----

namespace {

// A coordinate turned into an integer column without overflow.
int Column(double v) { return static_cast<int>(std::clamp(std::floor(v), -1.0e6, 1.0e6)); }

// The smallest span of each axis (in its units) and the largest of all.
constexpr std::array<double, 10> kMinSpan = {0, 1, 0.5, 0.1, 0.01, 0.001, 1, 1, 0.1, 0.1};
constexpr double kMaxSpan = 1.0e6;

double Scaled(double v, bool zoomIn, ZoomAxis a) {
  const double r = zoomIn ? v / 1.5 : v * 1.5;
  if (!std::isfinite(r)) return MinimumZoomSpan(a);
  return std::clamp(r, MinimumZoomSpan(a), kMaxSpan);
}

Integer RoundToInteger(double v) { return static_cast<Integer>(std::lround(std::clamp(v, -32768.0, 32767.0))); }

}  // namespace

int ClampHour(int hour, int lastHour) {
  if (hour <= 0) return 0;
  return std::min(hour, std::max(0, lastHour));
}

std::optional<int> PickedHour(double x, int lastHour) {
  if (!std::isfinite(x)) return std::nullopt;
  const int h = Column(x + 0.5);
  if (h < 0 || h > lastHour) return std::nullopt;
  return h;
}

std::optional<int> ColumnAfter(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  return Column(x) + 1;
}

ZoomAxis LeftPressAxis(double x, bool sfcPres, bool visibility, bool ventilation) {
  if (!std::isfinite(x) || x >= 100) return ZoomAxis::None;
  if (x < 33) {
    if (sfcPres) return ZoomAxis::SfcPres;
    if (visibility) return ZoomAxis::Visibility;
    if (ventilation) return ZoomAxis::Ventilation;
    return ZoomAxis::LakeCape;
  }
  return x < 66 ? ZoomAxis::Direction : ZoomAxis::Index;
}

ZoomAxis RightPressAxis(double x) {
  if (!std::isfinite(x) || x >= 100) return ZoomAxis::None;
  if (x < 33) return ZoomAxis::Height;
  return x < 66 ? ZoomAxis::Precip : ZoomAxis::Temperature;
}

bool OnLeftPicture(ZoomAxis a) {
  switch (a) {
    case ZoomAxis::Direction:
    case ZoomAxis::SfcPres:
    case ZoomAxis::Index:
    case ZoomAxis::LakeCape:
    case ZoomAxis::Visibility:
    case ZoomAxis::Ventilation: return true;
    default: return false;
  }
}

std::pair<double, double> ZoomScale(ZoomAxis a, const OverviewFrame& f) {
  switch (a) {
    case ZoomAxis::SfcPres: return {f.SfcPresBottom + f.SfcPresSpan, f.SfcPresBottom};
    case ZoomAxis::Visibility: return {0, double(gVisAxisTop) * gVisAxisTop};
    case ZoomAxis::Ventilation: return {gVentAxisTop, 0};
    case ZoomAxis::LakeCape: return {gLICAxisTop, 0};
    case ZoomAxis::Direction: return {f.DirTop, f.DirTop - f.DirSpan};
    case ZoomAxis::Index: return {f.IndexBottom + f.IndexSpan, f.IndexBottom};
    case ZoomAxis::Height: return {f.LogPBottom - f.LogPSpan, f.LogPBottom};
    case ZoomAxis::Precip: return {f.PrecipBottom + f.PrecipSpan, f.PrecipBottom};
    case ZoomAxis::Temperature: return {f.TempBottom + f.TempSpan, f.TempBottom};
    case ZoomAxis::None: break;
  }
  return {100, 0};
}

BoxId ZoomGridBox(ZoomAxis a) {
  switch (a) {
    case ZoomAxis::Direction: return kBoxGridWind;
    case ZoomAxis::Index: return kBoxGridLakeIndex;
    case ZoomAxis::Height: return kBoxGridHeight;
    case ZoomAxis::Precip: return kBoxGridPrecip;
    case ZoomAxis::Temperature: return kBoxGridTemp;
    case ZoomAxis::SfcPres:
    case ZoomAxis::LakeCape:
    case ZoomAxis::Visibility:
    case ZoomAxis::Ventilation: return kBoxGridLeft;
    case ZoomAxis::None: break;
  }
  return kBoxCount;
}

double MinimumZoomSpan(ZoomAxis a) { return kMinSpan[static_cast<size_t>(std::clamp(static_cast<int>(a), 0, 9))]; }

bool ZoomRelease(ZoomAxis a, bool zoomIn, double y, OverviewFrame& f, bool tenMeterBase, Integer currentDataset) {
  if (!std::isfinite(y)) y = 0;
  switch (a) {
    case ZoomAxis::Direction:
      f.DirSpan = static_cast<Single>(std::min(360.0, Scaled(f.DirSpan, zoomIn, a)));
      f.DirTop = static_cast<Single>(std::min(360.0, f.DirSpan / 2 + y));
      if (f.DirTop - f.DirSpan < 0) f.DirTop = f.DirSpan;
      return true;
    case ZoomAxis::SfcPres:
      f.SfcPresSpan = static_cast<Single>(Scaled(f.SfcPresSpan, zoomIn, a));
      f.SfcPresBottom = static_cast<Single>(y - f.SfcPresSpan / 2);
      return true;
    case ZoomAxis::Index:
      f.IndexSpan = static_cast<Single>(Scaled(f.IndexSpan, zoomIn, a));
      f.IndexBottom = static_cast<Single>(y - f.IndexSpan / 2);
      return true;
    case ZoomAxis::Height: {
      f.LogPSpan = static_cast<Single>(Scaled(f.LogPSpan, zoomIn, a));
      const bool known = currentDataset >= 1 && currentDataset <= kMaxDatasets;
      if (tenMeterBase && known) {
        f.LogPBottom = f.LogPSurface[static_cast<size_t>(currentDataset)] + kTenMeterReach * f.LogPSpan;
        f.LogPSpan *= 1 + kTenMeterReach;
      }
      return true;
    }
    case ZoomAxis::Precip:
      f.PrecipSpan = static_cast<Single>(Scaled(f.PrecipSpan, zoomIn, a));
      f.PrecipBottom = 0;
      return true;
    case ZoomAxis::Temperature:
      f.TempSpan = static_cast<Single>(Scaled(f.TempSpan, zoomIn, a));
      f.TempBottom = static_cast<Single>(y - f.TempSpan / 2);
      gTempAxisBottom = RoundToInteger(f.TempBottom);
      gTempAxisSpan = std::max<Integer>(1, RoundToInteger(f.TempSpan));
      return true;
    case ZoomAxis::LakeCape: gLICAxisTop = static_cast<Single>(Scaled(gLICAxisTop, zoomIn, a)); return true;
    case ZoomAxis::Visibility: gVisAxisTop = static_cast<Single>(Scaled(gVisAxisTop, zoomIn, a)); return true;
    case ZoomAxis::Ventilation: gVentAxisTop = static_cast<Single>(Scaled(gVentAxisTop, zoomIn, a)); return true;
    case ZoomAxis::None: break;
  }
  return false;
}

int PipLeft(int left, double pointerX, int innerWidth, int pipWidth) {
  if (left != 0 && pointerX > innerWidth - pipWidth) return 0;
  if (left == 0 && pointerX < pipWidth) return std::max(0, innerWidth - pipWidth);
  return left;
}

double PipPointerX(double x, const OverviewFrame& f, int rhLeft, int rhWidth) {
  const double w = double(f.TimeRight) - f.TimeLeft;
  if (w == 0 || !std::isfinite(x)) return rhLeft;
  return (x - f.TimeLeft) / w * rhWidth + rhLeft;
}

// ---- level bars and labels ----

std::optional<int> MeanWindGiveWay(int index, int value0, int value1) {
  if (value0 < value1) return std::nullopt;
  return index == 0 ? value1 - 1 : value0 + 1;
}

std::string ElevationLabel(bool bourgouin, Integer level, double aglMetres, double mslMetres) {
  if (!bourgouin) return "";
  if (level == 1) return "Surface";
  auto line = [](const char* name, double m) {
    return std::string(name) + Format(m / kFeetToMetre, "##0") + "'   " + Format(m, "##0") + "m";
  };
  return line("AGL: ", aglMetres) + "\r\n" + line("MSL: ", mslMetres);
}

std::string HeatIndexMessage(int index) {
  const std::string deg = "\xC2\xB0";
  switch (index) {
    case 0: return "IV. Very Warm. 80" + deg + " - 90" + deg + "  Fatigue Possible with Prolonged Exposure and Physical Activity";
    case 1:
      return "III. Hot. 90" + deg + " - 105" + deg +
             "  Sunstroke, Heat Cramps and Heat Exhaustion POSSIBLE with Prolonged Exposure and Physical Activity";
    case 2:
      return "II. Very Hot. 105" + deg + " - 130" + deg +
             "  Sunstroke, Heat Cramps or Heat Exhaustion LIKELY. Heatstroke POSSIBLE with Prolonged Exposure and "
             "Physical Activity";
    case 3: return "I. Extremely Hot.  > 130" + deg + "  Heatstroke or Sunstroke IMMINENT";
    default: return "";
  }
}

void ChoosePrecipTypes(bool decided) {
  const Integer count = std::clamp<Integer>(gDatasetCount, 0, kMaxDatasets);
  for (Integer d = 1; d <= count; ++d) {
    const Integer last = std::clamp<Integer>(gLastHour(d), -1, kMaxHours - 1);
    for (Integer h = 0; h <= last; ++h) gPtypeCode(d, h) = decided ? gPtypeSrcA(d, h) : gPtypeSrcB(d, h);
  }
}

}  // namespace ondrik
