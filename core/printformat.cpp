#include "core/printformat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ondrik {

namespace {

constexpr int kSingleDigits = 7;

// The digits of a positive, finite Single: the fewest significant digits (at
// most 7) that read back as the same Single, placed as a plain decimal, or
// with an exponent when the value is very large or very small.
std::string SingleDigits(float mag) {
  if (mag == 0.0f) return "0";
  char buf[48];
  std::to_chars_result res{};
  for (int digits = 1; digits <= kSingleDigits; ++digits) {
    res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(mag), std::chars_format::scientific,
                        digits - 1);
    float back = 0;
    std::from_chars(buf, res.ptr, back);
    if (back == mag) break;
  }
  // buf holds d[.ddd]e±xx
  const std::string sci(buf, res.ptr);
  const std::size_t ePos = sci.find('e');
  std::string mantissa;
  for (std::size_t i = 0; i < ePos; ++i)
    if (sci[i] != '.') mantissa += sci[i];
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
  const int exponent = std::atoi(sci.c_str() + ePos + 1);
  const int n = static_cast<int>(mantissa.size());

  if (exponent >= kSingleDigits || exponent < -5) {
    std::string out(1, mantissa[0]);
    if (n > 1) out += "." + mantissa.substr(1);
    const int e = std::abs(exponent);
    out += exponent < 0 ? "E-" : "E+";
    if (e < 10) out += '0';
    return out + std::to_string(e);
  }
  if (exponent < 0) return "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
  if (n <= exponent + 1) return mantissa + std::string(static_cast<std::size_t>(exponent + 1 - n), '0');
  return mantissa.substr(0, exponent + 1) + "." + mantissa.substr(exponent + 1);
}

}  // namespace

std::string PrintNumber(double value) {
  const float f = static_cast<float>(value);
  if (std::isnan(f)) return " NaN ";
  if (std::isinf(f)) return f < 0 ? "-Inf " : " Inf ";
  return std::string(f < 0 ? "-" : " ") + SingleDigits(std::fabs(f)) + " ";
}

std::string PrintInteger(long long value) {
  const std::string digits = std::to_string(value);
  return value < 0 ? digits + " " : " " + digits + " ";
}

void PadToPrintZone(std::string& line) { line.append(kPrintZoneWidth - line.size() % kPrintZoneWidth, ' '); }

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
