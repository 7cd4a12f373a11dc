// The characters of a profile file and the scanning of its numbers: each item
// read into a Single without locale or allocation. For the tokenizer and the
// reader only.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "core/store.h"

namespace ondrik::numberscan {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
inline bool IsSeparator(char c) { return IsBlank(c) || c == ',' || IsLineEnd(c); }
inline bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') <= 9; }

inline std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

inline double PowerOfTen(int k) {
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (k >= 0 && k <= 22) return kExact[k];
  return std::pow(10.0, k);
}

// The number in [s, end): digits with an optional sign, decimal point and
// exponent ("e", "E", "d" or "D"). No locale, no allocation. The decimal
// digits are gathered into a whole number (up to 17 significant digits) that
// is scaled by an exact power of ten in double precision and then rounded to
// a Single. False (and 0) when the text is not such a number or lies beyond
// the range of a Single.
inline bool ParseItem(const char* s, const char* end, Single& value) {
  value = 0;
  bool negative = false;
  if (s < end && (*s == '+' || *s == '-')) negative = (*s++ == '-');
  std::uint64_t mantissa = 0;
  int exp10 = 0;
  const char* digitsStart = s;
  constexpr std::uint64_t kMantissaLimit = 100000000000000000ULL;  // 1e17
  for (; s < end && IsDigit(*s); ++s) {
    if (mantissa < kMantissaLimit) {
      mantissa = mantissa * 10 + static_cast<unsigned>(*s - '0');
    } else {
      ++exp10;
    }
  }
  bool anyDigit = s != digitsStart;
  if (s < end && *s == '.') {
    const char* fraction = ++s;
    for (; s < end && IsDigit(*s); ++s) {
      if (mantissa < kMantissaLimit) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*s - '0');
        --exp10;
      }
    }
    anyDigit = anyDigit || s != fraction;
  }
  if (!anyDigit) return false;
  if (s < end) {
    if (*s != 'e' && *s != 'E' && *s != 'd' && *s != 'D') return false;
    ++s;
    bool expNegative = false;
    if (s < end && (*s == '+' || *s == '-')) expNegative = (*s++ == '-');
    if (s >= end || !IsDigit(*s)) return false;
    int e = 0;
    for (; s < end && IsDigit(*s); ++s) {
      if (e < 10000) e = e * 10 + (*s - '0');
    }
    if (s != end) return false;
    exp10 += expNegative ? -e : e;
  }
  double r = static_cast<double>(mantissa);
  if (mantissa != 0) {
    if (exp10 < 0) {
      r = exp10 < -300 ? 0.0 : r / PowerOfTen(-exp10);
    } else if (exp10 > 0) {
      r = exp10 > 300 ? std::numeric_limits<double>::infinity() : r * PowerOfTen(exp10);
    }
  }
  if (negative) r = -r;
  const Single f = static_cast<Single>(r);
  if (!std::isfinite(f)) return false;  // beyond the range of a Single
  value = f;
  return true;
}

// The common item in one pass: an optional sign, digits with an optional
// decimal point, at most 17 digits in all, ended by a separator or the end of
// the text. Gives the same Single as ParseItem; on true, p is past the item.
// False (p unchanged) for any other item.
inline bool ReadPlainNumber(const char*& p, const char* end, Single& value) {
  const char* q = p;
  const bool negative = *q == '-';
  if (negative || *q == '+') ++q;
  std::uint64_t mantissa = 0;
  const char* const digits = q;
  while (q < end && IsDigit(*q)) mantissa = mantissa * 10 + static_cast<unsigned>(*q++ - '0');
  std::ptrdiff_t count = q - digits;
  std::ptrdiff_t fraction = 0;
  if (q < end && *q == '.') {
    const char* const first = ++q;
    while (q < end && IsDigit(*q)) mantissa = mantissa * 10 + static_cast<unsigned>(*q++ - '0');
    fraction = q - first;
    count += fraction;
  }
  if (count == 0 || count > 17 || (q < end && !IsSeparator(*q))) return false;
  if (mantissa < (1u << 24) && fraction <= 10) {
    // Both terms are exact in single precision, and a quotient rounded to
    // double and then to single is the quotient rounded to single: the same
    // Single as below, from the cheaper division.
    static constexpr float kExactF[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    const float r = static_cast<float>(mantissa) / kExactF[fraction];
    value = negative ? -r : r;
  } else {
    double r = static_cast<double>(mantissa);
    if (fraction > 0) r /= PowerOfTen(static_cast<int>(fraction));
    value = static_cast<Single>(negative ? -r : r);
  }
  p = q;
  return true;
}

// The byte after the n-th line feed from pos on, or the text's size when
// there are fewer. Counts a block at a time (the compiler's vector road).
inline std::size_t AfterLineFeeds(std::string_view text, std::size_t pos, int n) {
  constexpr std::size_t kBlock = 256;
  while (n > 0 && pos + kBlock <= text.size()) {
    int here = 0;
    for (std::size_t k = 0; k < kBlock; ++k) here += text[pos + k] == '\n' ? 1 : 0;
    if (here >= n) break;
    n -= here;
    pos += kBlock;
  }
  for (; n > 0 && pos < text.size(); ++pos) {
    if (text[pos] == '\n') --n;
  }
  return n > 0 ? text.size() : pos;
}

}  // namespace ondrik::numberscan
