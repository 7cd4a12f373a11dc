// The precipitation bars of the current dataset: precipitation coloured by
// type with its convective part, snow amounts, run-off and evaporation, and
// the legend of the types that occur.
#include "core/shared.h"
#include "overview/calc.h"
#include "overview/plotters.h"
#include "overview/series.h"

namespace ondrik {

namespace {

constexpr Color kConvectiveRain = kPTypeLegend[0].colour;

// Whether an hour of the type, amount p and convective part conv shows the item.
bool Shows(const PTypeItem& item, Long code, Single p, Single conv) {
  if (item.code != code) return false;
  switch (item.part) {
    case PTypePart::Convective: return conv > 0;
    case PTypePart::BeyondConvective: return conv < p;
    case PTypePart::Whole: break;
  }
  return true;
}

}  // namespace

Color PrecipTypeColour(Long code) {
  for (const PTypeItem& item : kPTypeLegend)
    if (item.code == code && item.part != PTypePart::Convective) return item.colour;
  return kWhite;
}

std::array<bool, kPTypeLegend.size()> MakePTypeSummary(Integer d) {
  std::array<bool, kPTypeLegend.size()> seen{};
  if (!IsLoadedDataset(d) || !gDatasetShown(d)) return seen;
  for (int h = 0; h <= LastHourOf(d); ++h) {
    const Single p = gPrecip(d, h);
    if (!(p > 0)) continue;
    for (size_t i = 0; i < kPTypeLegend.size(); ++i)
      seen[i] = seen[i] || Shows(kPTypeLegend[i], gPtypeCode(d, h), p, gConvPrecip(d, h));
  }
  return seen;
}

// The bars are painted before any text of the plane is placed, which keeps
// off them: a plan has nothing of them to record.
void PlotPrecip(OverviewDraw& d) {
  OverviewState& s = d.s;
  const Integer D = gCurDataset;
  if (!IsLoadedDataset(D) || d.plan) return;
  PictureBox& pic = d.rh;
  // The bars are data the texts of the plane keep off.
  const DataMarksGuard data(pic, &s.draw.Texts);
  const bool fromA = s.in.PtypeDecided;
  for (int h = 0; h <= LastHourOf(D); ++h) RefreshTypeCode(D, h, fromA);
  pic.Fill = FillStyle::Solid;
  pic.Mode = DrawMode::CopyPen;
  pic.DrawWidth = 2;
  ScaleTo(d, Axis::Precip);
  if (s.opt.On(kBoxSnow)) {
    SnowRatioSeries(s, D);
    pic.FillColor = RGB(127, 127, 127);
    for (int h = 0; h <= LastHourOf(D); ++h) {
      // The amount of the type the hour has now (the chosen source may have changed).
      Single& snow = Store().SnowAmount(D, h);
      snow = gPtypeCode(D, h) == kPtypeSnow && gPrecip(D, h) > 0 ? Store().SnowRatio(D, h) * gPrecip(D, h) : 0;
      if (snow > 0) pic.BoxFill(h - 1, snow, h, 0, kWhite);
    }
  }
  if (s.opt.On(kBoxPrecip)) {
    for (int h = 0; h <= LastHourOf(D); ++h) {
      const Single p = gPrecip(D, h);
      if (!(p > 0)) continue;
      const Long code = RefreshTypeCode(D, h, fromA);
      pic.FillColor = PrecipTypeColour(code);
      pic.BoxFill(h - 1, p, h, 0, kWhite);
      if (code == kPtypeRain && gConvPrecip(D, h) > 0) {
        pic.FillColor = kConvectiveRain;
        pic.BoxFill(h - 1, gConvPrecip(D, h), h, 0, kWhite);
      }
    }
  }
  pic.DrawWidth = 1;
  s.draw.PTypeSeen = MakePTypeSummary(D);
}

namespace {

// Half-width bars of the current dataset: from (h + from, value) to (h + to, 0).
void HalfBars(OverviewDraw& d, const HourArray<Single>& a, Color c, double from, double to) {
  const Integer D = gCurDataset;
  if (!IsLoadedDataset(D) || d.plan) return;
  const DataMarksGuard data(d.rh, &d.s.draw.Texts);
  ScaleTo(d, Axis::Precip);
  d.rh.Fill = FillStyle::Solid;
  d.rh.Mode = DrawMode::CopyPen;
  d.rh.ForeColor = d.rh.FillColor = c;
  for (int h = 0; h <= LastHourOf(D); ++h) d.rh.BoxFill(h + from, a(D, h), h + to, 0, c);
}

}  // namespace

void PlotRunOff(OverviewDraw& d) { HalfBars(d, Store().gRunOff, RGB(255, 0, 255), -1, -0.5); }
void PlotEvaporation(OverviewDraw& d) { HalfBars(d, Store().gEvaporation, eRGB(d.s, 255, 255, 0), -0.5, 0); }

}  // namespace ondrik
