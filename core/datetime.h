// Calendar date and time of a forecast hour, built from numeric fields only
// (never through a locale or a date parser).
#pragma once

#include <cstdint>
#include <string>

namespace ondrik {

struct DateTime {
  int year = 0;    // four digits; 0 = not set
  int month = 0;   // 1..12
  int day = 0;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59

  bool IsSet() const { return year != 0; }
  // Whole minutes since 1970-01-01 00:00 (proleptic Gregorian calendar).
  std::int64_t Minutes() const;
  // The same instant shifted by a number of minutes.
  DateTime AddMinutes(std::int64_t minutes) const;
  // 0 = Sunday .. 6 = Saturday.
  int Weekday() const;
  bool operator==(const DateTime&) const = default;
};

// Days since 1970-01-01 of a civil date.
std::int64_t DaysFromCivil(int year, int month, int day);
// Minutes between two instants (b - a).
inline std::int64_t MinutesBetween(const DateTime& a, const DateTime& b) {
  return b.Minutes() - a.Minutes();
}
// Whole hours from a time to now, counted as hour boundaries passed
// (positive when the time lies in the past).
std::int32_t HoursBetween(const DateTime& from, const DateTime& now);

// True when the fields name a real calendar date and time of day.
bool IsValidDateTime(int year, int month, int day, int hour, int minute);

// "Jan" .. "Dec" for months 1..12, "???" for any other number.
const char* MonthAbbrev(int month);

// The hour of a time of day, "h AMPM" ("3 PM", "12 AM"), and its date,
// "  mmm d" ("  Mar 5"; empty for a month out of range).
std::string FormatHourAmPm(const DateTime& t);
std::string FormatMonthDay(const DateTime& t);

}  // namespace ondrik
