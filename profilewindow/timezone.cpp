#include "profilewindow/timezone.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

#include "core/loadui.h"
#include "core/store.h"
#include "platform/effects.h"
#include "platform/savefile.h"
#include "config/config.h"

namespace ondrik {

std::vector<TimeZoneRecord> gTZRecords;
int gTZRow = -1;
int gTZConfigOffset = 0;

namespace {

bool ThreeNumbers(const std::string& line, double out[3]) {
  std::size_t i = 0;
  int n = 0;
  while (n < 3) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ',')) ++i;
    if (i >= line.size()) return false;
    std::size_t used = 0;
    if (!LeadingNumber(line.substr(i), out[n], &used)) return false;
    i += used;
    ++n;
  }
  return true;
}

}  // namespace

std::vector<TimeZoneRecord> ParseTimeZoneLines(const std::vector<std::string>& lines, bool& truncated) {
  std::vector<TimeZoneRecord> table;
  truncated = false;
  for (const std::string& line : lines) {
    double v[3];
    if (!ThreeNumbers(line, v)) continue;
    if (static_cast<int>(table.size()) >= kMaxTimeZoneRecords) {
      truncated = true;
      break;
    }
    // A latitude or longitude beyond single precision would be kept as an
    // infinity (and written back as "inf"): such a record is skipped.
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    if (!(std::fabs(v[0]) <= kFloatMax && std::fabs(v[1]) <= kFloatMax)) continue;
    TimeZoneRecord r;
    r.lat = static_cast<float>(v[0]);
    r.lon = static_cast<float>(v[1]);
    const double c = std::nearbyint(v[2]);
    r.correction = static_cast<int>(std::fmax(-24.0, std::fmin(24.0, c)));
    table.push_back(r);
  }
  return table;
}

int ReadTimeZoneFile(const std::string& path) {
  gTZRecords.clear();
  std::vector<std::string> lines;
  if (path.empty() || !ReadTextLines(path, lines)) return 0;
  bool truncated = false;
  gTZRecords = ParseTimeZoneLines(lines, truncated);
  if (truncated)
    TheEffects().Message("The time-zone table " + path + " holds more than " +
                             std::to_string(kMaxTimeZoneRecords) + " sites; only the first " +
                             std::to_string(kMaxTimeZoneRecords) + " are used.",
                         kProgramName, MsgIcon::Warning);
  return static_cast<int>(gTZRecords.size());
}

std::string FormatTimeZoneRecord(const TimeZoneRecord& r) {
  std::string line = PrintNumber(r.lat);
  PadToPrintZone(line);
  line += PrintNumber(r.lon);
  PadToPrintZone(line);
  line += PrintNumber(r.correction);
  return line;
}

bool WriteTimeZoneFile(const std::string& path) {
  std::string text;
  for (const TimeZoneRecord& r : gTZRecords) text += FormatTimeZoneRecord(r) + "\n";
  std::string error;
  if (SaveFileReplacing(path, text, TheEffects(), &error)) return true;
  TheEffects().Message(saved::SaveFailedMessage("The time-zone table", path, error), kProgramName, MsgIcon::Warning);
  return false;
}

int TimeZoneOffsetFor(const std::vector<TimeZoneRecord>& table, float lat, float lonWest, int summerHour,
                      int& row) {
  row = -1;
  int offset = TimeZoneOffsetOfLongitude(lonWest);
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].lat == lat && table[i].lon == lonWest) {
      row = static_cast<int>(i);
      offset += table[i].correction;
      break;
    }
  }
  return offset - summerHour;
}

void GetTimeZoneOffset() {
  const int d = gDatasetCount;
  if (d < 1 || d > kMaxDatasets) {
    gTZRow = -1;
    return;
  }
  gTZOffset = TimeZoneOffsetFor(gTZRecords, gSiteLat(d), gSiteLon(d), gTZConfigOffset, gTZRow);
}

bool AdjustTimeZoneOffset(int delta, const std::string& path) {
  gTZOffset += delta;
  const int d = gDatasetCount;
  if (d < 1 || d > kMaxDatasets) return false;
  if (gTZRow < 0 || gTZRow >= static_cast<int>(gTZRecords.size())) {
    if (static_cast<int>(gTZRecords.size()) >= kMaxTimeZoneRecords) {
      TheEffects().Message("The time-zone table is full (" + std::to_string(kMaxTimeZoneRecords) +
                               " sites); the new offset of this site is kept for this run only.",
                           kProgramName, MsgIcon::Warning);
      gTZRow = -1;
      return false;
    }
    TimeZoneRecord r;
    r.lat = gSiteLat(d);
    r.lon = gSiteLon(d);
    gTZRecords.push_back(r);
    gTZRow = static_cast<int>(gTZRecords.size()) - 1;
  }
  gTZRecords[gTZRow].correction = gTZOffset - TimeZoneOffsetOfLongitude(gSiteLon(d)) + gTZConfigOffset;
  return WriteTimeZoneFile(path);
}

DateTime ComputerNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return DateTime{1970, 1, 1, 0, 0};
  DateTime t{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
  return t;
}

DateTime SiteNow(bool clockIsLocal, int clockUtcOffset, const DateTime& computerNow) {
  if (!clockIsLocal) return computerNow;
  return computerNow.AddMinutes(static_cast<std::int64_t>(clockUtcOffset) * 60);
}

DateTime SiteNow(bool clockIsLocal, int clockUtcOffset) {
  return SiteNow(clockIsLocal, clockUtcOffset, ComputerNow());
}

DateTime LocalTimeOf(const DateTime& validUtc, int tzOffset) {
  return validUtc.AddMinutes(-static_cast<std::int64_t>(tzOffset) * 60);
}

std::string LocalTimeLabel(const DateTime& validUtc, int tzOffset) {
  if (!validUtc.IsSet() ||
      !IsValidDateTime(validUtc.year, validUtc.month, validUtc.day, validUtc.hour, validUtc.minute))
    return "";
  static const char* kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  const DateTime t = LocalTimeOf(validUtc, tzOffset);
  int h12 = t.hour % 12;
  if (h12 == 0) h12 = 12;
  char mm[8];
  std::snprintf(mm, sizeof mm, "%02d", t.minute);
  return std::string(kDays[t.Weekday()]) + "    " + MonthAbbrev(t.month) + " " + std::to_string(t.day) + "  " +
         std::to_string(h12) + ":" + mm + (t.hour < 12 ? " am" : " pm");
}

}  // namespace ondrik
