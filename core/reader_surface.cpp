// The surface section of a profile file: one record of single-valued
// surface quantities for each hour, read into the store.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>

#include "core/reader.h"
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

// One hour's record of the surface section. Its fourth value is the surface
// pressure, which every height, the chart's bottom and the height scale stand
// on: a record whose surface pressure is not in (0, 2000] mb is refused at
// the line that holds it.
template <std::size_t N>
void ReadSurfaceRecord(ProfileTokenizer& in, std::array<Single, N>& v) {
  for (std::size_t k = 0; k < N; ++k) {
    v[k] = in.ReadNumber();
    if (k == 3 && !(v[3] > 0 && v[3] <= kMaxSurfacePres)) {
      char text[96];
      std::snprintf(text, sizeof text, "the surface pressure is %g mb; it must be above 0 and at most %g mb",
                    static_cast<double>(v[3]), static_cast<double>(kMaxSurfacePres));
      throw ProfileReadError(text);
    }
  }
}

}  // namespace

void ReadSurfaceSection(ProfileTokenizer& in, const std::string& modelKey) {
  const int D = gDatasetCount;
  gElevatedLevel = 1;
  const bool etaRuc = modelKey == "eta" || modelKey == "ruc";
  const bool gfs3 = modelKey == "gfs3";
  if (!etaRuc && !gfs3) return;
  ProfileStore& s = Store();
  in.SkipLines(etaRuc ? 5 : 3);

  for (int H = 0; H <= gLastHour(D); ++H) {
    Single soil2 = 0;  // second soil layer, only for the average
    if (etaRuc) {
      std::array<Single, 33> v;
      ReadSurfaceRecord(in, v);
      s.gSfcPres(D, H) = v[3];
      s.gSkinTemp(D, H) = v[4];
      s.gSoilTemp(D, H) = v[5];
      s.gPrecip(D, H) = v[8];
      s.gConvPrecip(D, H) = v[9];
      soil2 = v[10];
      s.gSnra(D, H) = v[14];
      s.gWind10U(D, H) = v[15];
      s.gWind10V(D, H) = v[16];
      s.gRunOff(D, H) = v[17];
      s.gSfcTemp(D, H) = v[19];
      s.gSpecHum(D, H, 0) = v[20];
      s.gStormU(D, H) = v[25];
      s.gStormV(D, H) = v[26];
      s.gSfcHelicity(D, H) = v[27];
      s.gEvaporation(D, H) = v[28];
      s.gPtypeSrcB(D, H) = ToInteger<Long>(v[29], -2147483648.0, 2147483647.0);
      s.gCloudBasePres(D, H) = v[30];
      s.gVisibility(D, H) = v[31];
      s.gSfcDewpt(D, H) = v[32];

      if (!(s.gSfcDewpt(D, H) >= -273.0f)) {  // missing 2-m dew point
        s.gSfcTemp(D, H) = s.gTemp(D, H, 1);
        s.gSfcDewpt(D, H) = s.gDewpt(D, H, 1);
      }
    } else {
      std::array<Single, 23> v;
      ReadSurfaceRecord(in, v);
      s.gSfcPres(D, H) = v[3];
      s.gSkinTemp(D, H) = v[4];
      s.gEvaporation(D, H) = v[6];
      s.gPrecip(D, H) = v[7];
      s.gConvPrecip(D, H) = v[8];
      s.gWind10U(D, H) = v[13];
      s.gWind10V(D, H) = v[14];
      s.gSfcTemp(D, H) = v[15];
      s.gSpecHum(D, H, 0) = v[16];
      const Long snow = ToInteger<Long>(v[17], -32768.0, 32767.0);
      const Long pellets = ToInteger<Long>(v[18], -32768.0, 32767.0);
      const Long freezingRain = ToInteger<Long>(v[19], -32768.0, 32767.0);
      const Long rain = ToInteger<Long>(v[20], -32768.0, 32767.0);
      s.gSfcDewpt(D, H) = v[22];
      s.gPtypeSrcB(D, H) = kPtypeIcePellets * pellets + kPtypeSnow * snow +
                           kPtypeFreezingRain * freezingRain + kPtypeRain * rain;
      // Not in this layout: no value of an earlier file may stay behind.
      s.gSoilTemp(D, H) = 0;
      s.gStormU(D, H) = 0;
      s.gStormV(D, H) = 0;
      s.gSnra(D, H) = 0;
      s.gRunOff(D, H) = 0;
      s.gSfcHelicity(D, H) = 0;
      s.gCloudBasePres(D, H) = 0;
      s.gVisibility(D, H) = 0;
    }

    const double u = s.gWind10U(D, H), v = s.gWind10V(D, H);
    s.gWind10m(D, H) = static_cast<Single>(std::sqrt(v * v + u * u) * kKnotsPerMps);
    s.gWind10Dir(D, H) = WindDirection(s.gWind10U(D, H), s.gWind10V(D, H));

    if (etaRuc) {
      if (!(s.gPrecip(D, H) >= 0)) s.gPrecip(D, H) = 0;
      if (!(s.gConvPrecip(D, H) >= 0)) s.gConvPrecip(D, H) = 0;
    }
    s.gPrecip(D, H) /= kMmPerInchF;
    s.gConvPrecip(D, H) /= kMmPerInchF;
    s.gRunOff(D, H) /= kMmPerInchF;
    s.gEvaporation(D, H) /= kMmPerInchF;
    s.gEhi(D, H) = s.gCape(D, H) * s.gSfcHelicity(D, H) / 160000.0f;

    if (etaRuc) {
      // The storm motion reads the 10-m wind at level 0: set it for this hour
      // first, so that no result uses the wind of an earlier file.
      s.gWindU(D, H, 0) = s.gWind10U(D, H);
      s.gWindV(D, H, 0) = s.gWind10V(D, H);
      MakeStormMotion(H);
      s.gSoilTemp(D, H) = (3.0f * s.gSoilTemp(D, H) + soil2) / 4.0f;
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
