#include "core/numberformat.h"

#include "core/printformat.h"

#include <cmath>
#include <cstdio>

namespace ondrik {

namespace {

bool IsPlace(char c) { return c == '0' || c == '#' || c == '.' || c == ','; }

std::string Grouped(const std::string& digits) {
  std::string out;
  const int n = static_cast<int>(digits.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[static_cast<std::size_t>(i)];
  }
  return out;
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
  const std::size_t first = pattern.find_first_of("0#.,");
  if (first == std::string_view::npos) return std::string(pattern);
  std::size_t last = first;
  while (last < pattern.size() && IsPlace(pattern[last])) ++last;
  const std::string_view prefix = pattern.substr(0, first);
  const std::string_view places = pattern.substr(first, last - first);
  const std::string_view suffix = pattern.substr(last);
  if (!std::isfinite(value)) return std::string(prefix) + "--" + std::string(suffix);

  const std::size_t point = places.find('.');
  const std::string_view whole = places.substr(0, point);
  const std::string_view frac = point == std::string_view::npos ? std::string_view() : places.substr(point + 1);
  int minWhole = 0, decimals = 0, minDecimals = 0;
  for (char c : whole) minWhole += c == '0';
  for (char c : frac) {
    if (c == '0' || c == '#') ++decimals;
    if (c == '0') minDecimals = decimals;
  }
  const bool group = whole.find(',') != std::string_view::npos;

  // Halves away from zero at the last decimal place.
  const double scale = std::pow(10.0, decimals);
  const double scaled = std::round(std::fabs(value) * scale);
  if (!std::isfinite(scaled) || scaled >= 1e300) return std::string(prefix) + "--" + std::string(suffix);
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.0f", scaled);
  std::string digits = buf;
  if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, static_cast<std::size_t>(decimals + 1) - digits.size(), '0');
  std::string intPart = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  std::string fracPart = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
  while (static_cast<int>(fracPart.size()) > minDecimals && fracPart.back() == '0') fracPart.pop_back();
  // Leading zeros only as far as the pattern asks for them.
  std::size_t lead = 0;
  while (lead < intPart.size() && intPart[lead] == '0' && static_cast<int>(intPart.size() - lead) > minWhole) ++lead;
  intPart.erase(0, lead);
  if (static_cast<int>(intPart.size()) < minWhole)
    intPart.insert(0, static_cast<std::size_t>(minWhole) - intPart.size(), '0');
  if (group) intPart = Grouped(intPart);

  std::string out(prefix);
  if (value < 0 && scaled != 0) out += '-';
  out += intPart;
  if (point != std::string_view::npos) out += '.' + fracPart;
  out += suffix;
  return out;
}

std::string FormatRight(double value, std::string_view pattern, int width) {
  std::string s = Format(value, pattern);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
  return s;
}

std::string NumberItem(double value) { return std::isfinite(value) ? PrintNumber(value) : " -- "; }

std::string NumberText(double value) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(static_cast<float>(value)));
  std::string s = buf;
  if (s == "-0") s = "0";
  return s;
}

}  // namespace ondrik
