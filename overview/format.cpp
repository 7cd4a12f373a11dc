#include "overview/format.h"

#include <cmath>
#include <cstdio>

namespace ondrik {

std::string FormatNumber(double v, std::string_view pattern) {
  if (!std::isfinite(v)) return NumberText(v);
  const auto isDigit = [](char c) { return c == '0' || c == '#' || c == '.'; };
  size_t first = 0;
  while (first < pattern.size() && !isDigit(pattern[first])) ++first;
  size_t last = pattern.size();
  while (last > first && !isDigit(pattern[last - 1])) --last;
  const std::string_view prefix = pattern.substr(0, first);
  const std::string_view digits = pattern.substr(first, last - first);
  const std::string_view suffix = pattern.substr(last);
  const size_t point = digits.find('.');
  const std::string_view intPart = digits.substr(0, point);
  const std::string_view fracPart = point == std::string_view::npos ? std::string_view{} : digits.substr(point + 1);
  int minInt = 0;
  for (char c : intPart) minInt += c == '0';
  int decimals = 0, minDecimals = 0;
  for (char c : fracPart) {
    decimals += c == '0' || c == '#';
    minDecimals += c == '0';
  }
  const double scale = std::pow(10.0, decimals);
  const double scaled = std::round(std::fabs(v) * scale);
  if (scaled > 1e17) return NumberText(v);
  const auto whole = static_cast<long long>(scaled);
  const long long unit = static_cast<long long>(scale);
  const long long intValue = whole / unit;
  long long fracValue = whole % unit;
  std::string out;
  if (v < 0 && whole != 0) out += '-';
  out += prefix;
  std::string ints = intValue == 0 ? "" : std::to_string(intValue);
  while (static_cast<int>(ints.size()) < minInt) ints.insert(ints.begin(), '0');
  out += ints;
  if (point != std::string_view::npos) {
    std::string frac;
    for (int k = 0; k < decimals; ++k) {
      frac.insert(frac.begin(), static_cast<char>('0' + fracValue % 10));
      fracValue /= 10;
    }
    while (static_cast<int>(frac.size()) > minDecimals && !frac.empty() && frac.back() == '0') frac.pop_back();
    out += '.';
    out += frac;
  }
  out += suffix;
  return out;
}

std::string NumberText(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(static_cast<float>(v)));
  std::string s = buf;
  if (s == "-0") s = "0";
  return s;
}

std::string PrintedNumber(double v) {
  const std::string t = NumberText(v);
  return (t.front() == '-' ? t : " " + t) + " ";
}

}  // namespace ondrik
