#include "overview/state.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/text.h"

namespace ondrik {

Integer gTempAxisBottom = 30;
Integer gTempAxisSpan = 70;
Single gLICAxisTop = 2000;
Single gVisAxisTop = 10;
Single gVentAxisTop = 20;

namespace {

Single LnOrNaN(Single p) {
  return p > 0 ? static_cast<Single>(std::log(static_cast<double>(p))) : std::numeric_limits<Single>::quiet_NaN();
}

int LoadedDatasets() { return std::clamp<int>(gDatasetCount, 0, kMaxDatasets); }

}  // namespace

void PrepareLogPressure(OverviewState& s) {
  for (int d = 1; d <= LoadedDatasets(); ++d) {
    const int n = std::clamp<int>(gNumLevels(d), 0, kMaxLevels);
    for (int k = 1; k <= n; ++k) s.frame.LogP[static_cast<size_t>(d)][static_cast<size_t>(k)] = LnOrNaN(gPres(d, 0, k));
    s.frame.LogPSurface[static_cast<size_t>(d)] = LnOrNaN(gSfcPres(d, 0));
  }
  s.draw.Caption = s.in.ProfileCaption + " Overview";
  s.draw.QualityVisible = false;
  const Integer d = gCurDataset;
  if (d < 1 || d > LoadedDatasets() || gNumLevels(d) < 1) return;
  if (ContainsNoCase(s.draw.Caption, "nam4k") && gSpecHum(d, 0, 0) == gSpecHum(d, 0, 1) &&
      gSfcTemp(d, 0) == gTemp(d, 0, 1) && gSfcDewpt(d, 0) == gDewpt(d, 0, 1)) {
    s.draw.QualityText = ProfileAlertText();
    s.draw.QualityVisible = true;
  }
}

void ComputeTopLevels(OverviewState& s) {
  const Single top = s.frame.LogPBottom - s.frame.LogPSpan;
  for (int d = 1; d <= LoadedDatasets(); ++d) {
    const int n = std::clamp<int>(gNumLevels(d), 0, kMaxLevels);
    Integer level = n;
    for (int k = 1; k <= n; ++k)
      if (s.frame.LogP[static_cast<size_t>(d)][static_cast<size_t>(k)] < top) {
        level = k;
        break;
      }
    s.draw.TopLevel[static_cast<size_t>(d)] = level;
  }
}

void StartFrame(OverviewState& s) {
  OverviewFrame& f = s.frame;
  f.DirSpan = 360;
  f.DirTop = 360;
  f.PrecipSpan = 0.1f;
  f.PrecipBottom = 0;
  f.IndexSpan = 40;
  f.IndexBottom = -20;
  f.SfcPresSpan = 50;
  const Integer d = gCurDataset;
  const bool loaded = d >= 1 && d <= LoadedDatasets();
  f.SfcPresBottom = (loaded ? gSfcPres(d, 0) : 1000) - f.SfcPresSpan / 2;
  f.TempBottom = static_cast<Single>(gTempAxisBottom);
  f.TempSpan = static_cast<Single>(gTempAxisSpan);
  const Single surface = loaded ? f.LogPSurface[static_cast<size_t>(d)] : LnOrNaN(1000);
  f.LogPSpan = surface - LnOrNaN(static_cast<Single>(gChartTop));
  f.LogPBottom = surface;
}

void SetPlaneBottom(OverviewFrame& f, bool tenMeterBase, Integer dataset) {
  if (dataset < 1 || dataset > LoadedDatasets()) return;
  const Single surface = f.LogPSurface[static_cast<size_t>(dataset)];
  f.LogPBottom = tenMeterBase ? surface + f.LogPSpan * kTenMeterReach / (1 + kTenMeterReach) : surface;
}

Integer ColumnsOfWindow(Single hours) {
  return static_cast<Integer>(std::nearbyint(static_cast<double>(hours / HoursPerStep()) + 1));
}

int FirstCoveringWindow(const std::array<Integer, 4>& steps, Integer lastHour) {
  const Single need = static_cast<Single>(lastHour) * HoursPerStep();
  for (int i = 0; i < 4; ++i)
    if (static_cast<Single>(steps[static_cast<size_t>(i)]) * HoursPerStep() >= need) return i;
  return 3;
}

void SetTimeWindow(OverviewFrame& f, Integer columns, Integer scroll) {
  f.ColumnsShown = columns;
  f.TimeRightBase = -1;
  f.TimeLeft = static_cast<Single>(columns + scroll);
  f.TimeRight = static_cast<Single>(f.TimeRightBase + scroll);
}

int IsolatedDryHours(Integer d) {
  if (d < 1 || d > kMaxDatasets) return 0;
  const int last = std::min<int>(gLastHour(d), kMaxHours - 1);
  int count = 0;
  for (int t = 2; t <= last - 1; ++t)
    if (gPrecip(d, t) == 0 && gPrecip(d, t - 1) > 0.0014f && gPrecip(d, t + 1) > 0.0014f) ++count;
  return count;
}

std::string PrecipitationAlertText(int count) {
  return "Alert:\nOndrik has detected   " + std::to_string(count) +
         "   data anomalies within the following model fields:    PRECIPITATION";
}

std::string ProfileAlertText() {
  return "Alert:    At Forecast Hour   0   Ondrik has substituted extrapolated data addressing:\n"
         "Ondrik has detected   3   data anomalies within the following model fields:   TEMPERATURE   DEWPOINT   "
         "SPECIFICHUMIDITY";
}

}  // namespace ondrik
