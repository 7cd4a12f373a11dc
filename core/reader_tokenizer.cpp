// The profile file's tokenizer: lines and numbers as the reader takes
// them, and the valid time of an hour's header line.
#include "core/reader.h"

#include <span>
#include <string_view>

#include "core/datetime.h"
#include "core/numberscan.h"

namespace ondrik {

using numberscan::IsBlank;
using numberscan::IsDigit;
using numberscan::IsLineEnd;
using numberscan::IsSeparator;
using numberscan::ParseItem;

bool ParseNumber(std::string_view s, Single& value) { return ParseItem(s.data(), s.data() + s.size(), value); }

void ProfileTokenizer::EndOfFile() const {
  throw ProfileReadError("the file ends too early");
}

void ProfileTokenizer::ConsumeLineEnd() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
    ++line_;
  }
}

std::string_view ProfileTokenizer::ReadLine() {
  const char* const begin = text_.data();
  const char* const end = begin + text_.size();
  readLine_ = line_;
  if (pos_ >= text_.size()) EndOfFile();
  const char* p = begin + pos_;
  const char* const start = p;
  while (p < end && !IsLineEnd(*p)) ++p;
  pos_ = static_cast<std::size_t>(p - begin);
  ConsumeLineEnd();
  return std::string_view(start, static_cast<std::size_t>(p - start));
}

Single ProfileTokenizer::ReadNumber() {
  Single value;
  ReadNumbers(std::span<Single>(&value, 1));
  return value;
}

void ProfileTokenizer::ReadNumbers(std::span<Single> values) {
  // The position and line live in locals for the run of numbers and go back
  // to the members before anything can throw.
  const char* const begin = text_.data();
  const char* const end = begin + text_.size();
  const char* p = begin + pos_;
  int line = line_;
  auto consumeLineEnd = [&] {
    if (*p == '\r') {
      ++p;
      if (p < end && *p == '\n') ++p;
      ++line;
    } else if (*p == '\n') {
      ++p;
      ++line;
    }
  };
  for (Single& value : values) {
    readLine_ = line;
    while (p < end && IsBlank(*p)) ++p;
    if (p >= end) {
      pos_ = static_cast<std::size_t>(p - begin);
      line_ = line;
      EndOfFile();
    }
    if (IsLineEnd(*p)) {  // an empty line reads 0 and is consumed
      consumeLineEnd();
      value = 0;
      continue;
    }
    if (!numberscan::ReadPlainNumber(p, end, value)) {
      // Anything else (an exponent, many digits, a name): the item up to
      // its separator, read the general way.
      const char* const start = p;
      while (p < end && !IsSeparator(*p)) ++p;
      ParseItem(start, p, value);
    }
    // Blanks and one separator after the item go with it.
    while (p < end && IsBlank(*p)) ++p;
    if (p < end) {
      if (*p == ',') {
        ++p;
      } else {
        consumeLineEnd();
      }
    }
  }
  pos_ = static_cast<std::size_t>(p - begin);
  line_ = line;
}

bool ProfileTokenizer::OnlyBlankLeft() const {
  for (std::size_t k = pos_; k < text_.size(); ++k) {
    if (!IsBlank(text_[k]) && !IsLineEnd(text_[k])) return false;
  }
  return true;
}

bool ValidTimeOfHeader(std::string_view line, DateTime& time) {
  const std::size_t t = line.find("TIME");
  if (t == std::string_view::npos || line.size() < t + 18) return false;
  auto two = [&](std::size_t at, int& v) {
    const char a = line[t + at], b = line[t + at + 1];
    if (!IsDigit(a) || !IsDigit(b)) return false;
    v = (a - '0') * 10 + (b - '0');
    return true;
  };
  int yy, mm, dd, hh, mi;
  if (!two(7, yy) || !two(9, mm) || !two(11, dd) || !two(14, hh) || !two(16, mi)) return false;
  const int year = yy < 50 ? 2000 + yy : 1900 + yy;
  if (!IsValidDateTime(year, mm, dd, hh, mi)) return false;
  time = DateTime{year, mm, dd, hh, mi};
  return true;
}

}  // namespace ondrik
