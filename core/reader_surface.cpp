// The surface section of a profile file: one record of single-valued
// surface quantities for each hour, read into the store.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/reader.h"
#include "core/reader_layouts.h"
#include "core/shear.h"
#include "core/stormmotion.h"
#include "core/thermo.h"

namespace ondrik {

namespace {

// Nearest integer of a value read for an integer field; 0 outside [lo, hi].
template <typename T>
T ToInteger(Single v, double lo, double hi) {
  const double r = std::nearbyint(static_cast<double>(v));
  if (!(r >= lo && r <= hi)) return 0;
  return static_cast<T>(r);
}

constexpr Single kMaxSurfacePres = 2000;  // mb; no surface lies deeper

// One hour's record of the surface section, each item into its column (an
// item the layout skips is read and dropped; a column the layout lacks stays
// 0). The surface pressure is what every height, the chart's bottom and the
// height scale stand on: a record whose surface pressure is not in (0, 2000]
// mb is refused at the line that holds it.
void ReadSurfaceRecord(ProfileTokenizer& in, const ModelLayout& layout, SurfaceRecord& v) {
  v.fill(0);
  for (const SurfaceColumn c : layout.surfaceRecord) {
    const Single x = in.ReadNumber();
    if (c == SurfaceColumn::Skip) continue;
    v[static_cast<std::size_t>(c)] = x;
    if (c == SurfaceColumn::SfcPres && !(x > 0 && x <= kMaxSurfacePres)) {
      char text[96];
      std::snprintf(text, sizeof text, "the surface pressure is %g mb; it must be above 0 and at most %g mb",
                    static_cast<double>(x), static_cast<double>(kMaxSurfacePres));
      throw ProfileReadError(text);
    }
  }
}

// The columns that go straight into an hour array of the store.
constexpr std::pair<SurfaceColumn, HourArray<Single> ProfileStore::*> kHourColumns[] = {
    {SurfaceColumn::SfcPres, &ProfileStore::gSfcPres},
    {SurfaceColumn::SkinTemp, &ProfileStore::gSkinTemp},
    {SurfaceColumn::SoilTemp, &ProfileStore::gSoilTemp},
    {SurfaceColumn::Precip, &ProfileStore::gPrecip},
    {SurfaceColumn::ConvPrecip, &ProfileStore::gConvPrecip},
    {SurfaceColumn::Snra, &ProfileStore::gSnra},
    {SurfaceColumn::Wind10U, &ProfileStore::gWind10U},
    {SurfaceColumn::Wind10V, &ProfileStore::gWind10V},
    {SurfaceColumn::RunOff, &ProfileStore::gRunOff},
    {SurfaceColumn::SfcTemp, &ProfileStore::gSfcTemp},
    {SurfaceColumn::StormU, &ProfileStore::gStormU},
    {SurfaceColumn::StormV, &ProfileStore::gStormV},
    {SurfaceColumn::SfcHelicity, &ProfileStore::gSfcHelicity},
    {SurfaceColumn::Evaporation, &ProfileStore::gEvaporation},
    {SurfaceColumn::CloudBasePres, &ProfileStore::gCloudBasePres},
    {SurfaceColumn::Visibility, &ProfileStore::gVisibility},
    {SurfaceColumn::SfcDewpt, &ProfileStore::gSfcDewpt},
};

bool HasColumn(const ModelLayout& layout, SurfaceColumn c) {
  for (const SurfaceColumn x : layout.surfaceRecord) {
    if (x == c) return true;
  }
  return false;
}

}  // namespace

void ReadSurfaceSection(ProfileTokenizer& in, const std::string& modelKey) {
  gElevatedLevel = 1;
  if (const ModelLayout* layout = FindModelLayout(modelKey)) ReadSurfaceSection(in, *layout);
}

void ReadSurfaceSection(ProfileTokenizer& in, const ModelLayout& layout) {
  std::vector<SurfaceRecord> records;
  ReadSurfaceRecords(in, layout, gLastHour(gDatasetCount), records);
  StoreSurfaceRecords(layout, records);
}

void ReadSurfaceRecords(ProfileTokenizer& in, const ModelLayout& layout, int lastHour,
                        std::vector<SurfaceRecord>& records) {
  in.SkipLines(layout.surfaceHeaderLines);
  records.resize(static_cast<std::size_t>(std::max(lastHour + 1, 0)));
  for (SurfaceRecord& v : records) ReadSurfaceRecord(in, layout, v);
}

void StoreSurfaceRecords(const ModelLayout& layout, std::span<const SurfaceRecord> records) {
  const int D = gDatasetCount;
  gElevatedLevel = 1;
  ProfileStore& s = Store();
  // A layout without a precipitation-type code has the four flags instead.
  const bool ptypeFromFlags = !HasColumn(layout, SurfaceColumn::PtypeCode);

  for (int H = 0; H < static_cast<int>(records.size()); ++H) {
    const SurfaceRecord& v = records[static_cast<std::size_t>(H)];
    auto at = [&v](SurfaceColumn c) { return v[static_cast<std::size_t>(c)]; };
    // Every column is written, 0 where the layout has none: no value of an
    // earlier file may stay behind.
    for (const auto& [column, array] : kHourColumns) (s.*array)(D, H) = at(column);
    s.gSpecHum(D, H, 0) = at(SurfaceColumn::SpecHum2m);
    if (ptypeFromFlags) {
      auto flag = [&at](SurfaceColumn c) { return ToInteger<Long>(at(c), -32768.0, 32767.0); };
      s.gPtypeSrcB(D, H) = kPtypeIcePellets * flag(SurfaceColumn::PelletsFlag) +
                           kPtypeSnow * flag(SurfaceColumn::SnowFlag) +
                           kPtypeFreezingRain * flag(SurfaceColumn::FreezingRainFlag) +
                           kPtypeRain * flag(SurfaceColumn::RainFlag);
    } else {
      s.gPtypeSrcB(D, H) = ToInteger<Long>(at(SurfaceColumn::PtypeCode), -2147483648.0, 2147483647.0);
    }

    if (layout.surfaceChecks && !(s.gSfcDewpt(D, H) >= -273.0f)) {  // missing 2-m dew point
      s.gSfcTemp(D, H) = s.gTemp(D, H, 1);
      s.gSfcDewpt(D, H) = s.gDewpt(D, H, 1);
    }

    const double u = s.gWind10U(D, H), w = s.gWind10V(D, H);
    s.gWind10m(D, H) = static_cast<Single>(std::sqrt(w * w + u * u) * kKnotsPerMps);
    s.gWind10Dir(D, H) = WindDirection(s.gWind10U(D, H), s.gWind10V(D, H));

    if (layout.surfaceChecks) {
      if (!(s.gPrecip(D, H) >= 0)) s.gPrecip(D, H) = 0;
      if (!(s.gConvPrecip(D, H) >= 0)) s.gConvPrecip(D, H) = 0;
    }
    s.gPrecip(D, H) /= kMmPerInchF;
    s.gConvPrecip(D, H) /= kMmPerInchF;
    s.gRunOff(D, H) /= kMmPerInchF;
    s.gEvaporation(D, H) /= kMmPerInchF;
    s.gEhi(D, H) = s.gCape(D, H) * s.gSfcHelicity(D, H) / 160000.0f;

    if (layout.surfaceChecks) {
      // The storm motion reads the 10-m wind at level 0: set it for this hour
      // first, so that no result uses the wind of an earlier file.
      s.gWindU(D, H, 0) = s.gWind10U(D, H);
      s.gWindV(D, H, 0) = s.gWind10V(D, H);
      MakeStormMotion(H);
      s.gSoilTemp(D, H) = (3.0f * s.gSoilTemp(D, H) + at(SurfaceColumn::SoilTemp2)) / 4.0f;
    }
  }

  if (gLastHour(D) < 0) return;
  if (s.gSpecHum(D, 0, 0) == 0) s.gSpecHum(D, 0, 0) = s.gSpecHum(D, 0, 1);
  s.gPrecip(D, 0) = 0;
  s.gConvPrecip(D, 0) = 0;
  s.PrecipTotal(D, 0) = s.gPrecip(D, 0);
  s.gPrecipAccum(D, 0) = s.gPrecip(D, 0);
  s.ConvPrecipTotal(D, 0) = s.gConvPrecip(D, 0);
  for (int H = 1; H <= gLastHour(D); ++H) {
    s.PrecipTotal(D, H) = s.PrecipTotal(D, H - 1) + s.gPrecip(D, H);
    s.gPrecipAccum(D, H) = s.gPrecipAccum(D, H - 1) + s.gPrecip(D, H);
    s.ConvPrecipTotal(D, H) = s.ConvPrecipTotal(D, H - 1) + s.gConvPrecip(D, H);
  }
}

}  // namespace ondrik
