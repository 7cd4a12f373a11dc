#include "overview/timelabels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/shared.h"
#include "core/numberformat.h"
#include "overview/state.h"

namespace ondrik {

namespace {

std::string Two(int v) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", v % 100);
  return b;
}

// Hours first..last in rising order, within dataset d.
bool HourSpan(Integer d, Integer& first, Integer& last) {
  if (d < 1 || d > kMaxDatasets) return false;
  if (first > last) std::swap(first, last);
  first = std::max<Integer>(first, 0);
  last = std::min<Integer>({last, gLastHour(d), kMaxHours - 1});
  return first <= last;
}

}  // namespace

std::string UtcTimeLabel(const DateTime& v) {
  return v.minute == 0 ? Two(v.hour) + "z" : Two(v.hour) + Two(v.minute) + "z";
}

std::string LocalTimeAxisLabel(const DateTime& valid, Integer tzOffset) {
  const DateTime local = valid.AddMinutes(-60LL * tzOffset);
  const std::string& day = gDayNames[static_cast<size_t>(local.Weekday() + 1)];
  const int h12 = local.hour % 12 == 0 ? 12 : local.hour % 12;
  const char* ap = local.hour < 12 ? "a" : "p";
  std::string label = day.substr(0, 2) + " " + std::to_string(h12);
  if (valid.minute != 0) label += Two(local.minute);
  return label + ap;
}

Integer TimeLabelStep(Integer modelStep, Single modelHours) {
  const double hours = std::max<Integer>(modelStep, 1) * (modelHours > 0 ? static_cast<double>(modelHours) : 1.0);
  const double steps = std::nearbyint(hours / HoursPerStep());
  return static_cast<Integer>(std::clamp(steps, 1.0, static_cast<double>(kMaxHours)));
}

Single NowHourIndex(Integer d, const DateTime& now) {
  if (d < 1 || d > kMaxDatasets) return 0;
  return static_cast<Single>(HoursBetween(gValidTime(d, 0), now)) / HoursPerStep();
}

Single PrecipitationTotal(Integer d, Integer first, Integer last) {
  Single total = 0;
  if (!HourSpan(d, first, last)) return total;
  for (Integer h = first; h <= last; ++h) total += gPrecip(d, h);
  return total;
}

SnowTotal SnowTotals(Integer d, Integer first, Integer last) {
  SnowTotal t;
  if (!HourSpan(d, first, last)) return t;
  for (Integer h = first; h <= last; ++h) {
    const Single amount = SnowAmount(d, h);
    t.raw += amount;
    const double age = static_cast<double>(last - h) * HoursPerStep();
    t.settled += static_cast<Single>(amount * std::exp(-0.08 * std::sqrt(age)));
  }
  return t;
}

std::string PrecipTotalCaption(Single total) { return Format(total, "0.00") + "\" "; }

std::string SnowTotalCaption(const SnowTotal& t) {
  return Format(t.settled, "0.0") + "\" (" + Format(t.raw, "0.0") + ") ";
}

}  // namespace ondrik
