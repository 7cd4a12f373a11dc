#include "core/textformat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace ondrik {

std::string PrintNumber(double value) {
  const float f = static_cast<float>(value);
  char buf[64];
  const float mag = std::fabs(f);
  auto res = std::to_chars(buf, buf + sizeof buf, mag);
  std::string digits(buf, res.ptr);
  return std::string(f < 0 ? "-" : " ") + digits + " ";
}

std::string FormatFixed(double value, int decimals) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  double pow10 = 1;
  for (int i = 0; i < decimals; ++i) pow10 *= 10;
  const double scaled = value * pow10;
  std::string s;
  if (std::fabs(scaled) < 9.0e18) {
    // Halves round away from zero, as the number formats of the exports always did.
    const long long r = std::llround(scaled);
    const unsigned long long mag = r < 0 ? 0ULL - static_cast<unsigned long long>(r) : static_cast<unsigned long long>(r);
    std::string digits = std::to_string(mag);
    if (digits.size() <= static_cast<std::size_t>(decimals))
      digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    if (decimals > 0) digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
    s = (r < 0 ? "-" : "") + digits;  // a value that rounds to zero has no sign
  } else {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    s = buf;
  }
  return s;
}

}  // namespace ondrik
