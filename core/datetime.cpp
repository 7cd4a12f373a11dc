#include "core/datetime.h"

#include <algorithm>
#include <limits>

namespace ondrik {

std::int64_t DaysFromCivil(int year, int month, int day) {
  // Howard Hinnant's days-from-civil algorithm.
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

static void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = yoe + era * 400;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2 ? 1 : 0));
}

std::int64_t DateTime::Minutes() const {
  return DaysFromCivil(year, month, day) * 1440 + hour * 60 + minute;
}

DateTime DateTime::AddMinutes(std::int64_t minutes) const {
  std::int64_t total = Minutes() + minutes;
  std::int64_t days = total >= 0 ? total / 1440 : -((-total + 1439) / 1440);
  const std::int64_t rest = total - days * 1440;
  DateTime r;
  CivilFromDays(days, r.year, r.month, r.day);
  r.hour = static_cast<int>(rest / 60);
  r.minute = static_cast<int>(rest % 60);
  return r;
}

int DateTime::Weekday() const {
  const std::int64_t d = DaysFromCivil(year, month, day);  // 1970-01-01 was a Thursday
  return static_cast<int>(((d % 7) + 7 + 4) % 7);
}

bool IsValidDateTime(int year, int month, int day, int hour, int minute) {
  if (month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59)
    return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int dim = kDays[month - 1];
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (month == 2 && leap) dim = 29;
  return day <= dim;
}

std::int32_t HoursBetween(const DateTime& from, const DateTime& now) {
  auto floorDiv = [](std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  const std::int64_t h = floorDiv(now.Minutes(), 60) - floorDiv(from.Minutes(), 60);
  const std::int64_t lim = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(h, -lim, lim));
}

const char* MonthAbbrev(int month) {
  static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return month >= 1 && month <= 12 ? kMonths[month - 1] : "???";
}

std::string FormatHourAmPm(const DateTime& t) {
  const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  return std::to_string(h12) + (t.hour < 12 ? " AM" : " PM");
}

std::string FormatMonthDay(const DateTime& t) {
  if (t.month < 1 || t.month > 12) return "";
  return std::string("  ") + MonthAbbrev(t.month) + " " + std::to_string(t.day);
}

}  // namespace ondrik
