#include "core/printformat.h"

#include <charconv>
#include <cmath>
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

}  // namespace ondrik
