// Helpers of the saved-state tests: fill a value struct through its record
// table, compare two structs item by item, edit a line of a file's text.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "savedstate/record.h"

namespace ondrik::saved::testing {

// Gives every item a value inside its limits that depends on the item and on
// seed, so that two seeds differing by 1 or 2 give different values to every
// item (check boxes cycle through 0, 1, 2).
template <class S>
void Fill(const std::vector<Item<S>>& items, S& s, int seed) {
  for (std::size_t n = 0; n < items.size(); ++n) {
    const Item<S>& it = items[n];
    const int k = static_cast<int>(n) + seed;
    const double lo = it.limits.lo, hi = it.limits.hi;
    switch (it.kind) {
      case Kind::Whole:
      case Kind::Digits: {
        const double span = hi - lo + 1;
        double v = span <= 1000 ? lo + std::fmod(k, span) : 1 + (k % 50) * 3;
        if (it.also && k % 3 == 0) v = *it.also;
        IntOf(it, s) = static_cast<Integer>(v);
        break;
      }
      case Kind::Number: {
        double v = 0.25 + (k % 40) * 1.5;
        if (hi - lo < 1000) v = lo + std::fmod(v, hi - lo);
        NumberOf(it, s) = static_cast<Single>(v);
        break;
      }
      case Kind::Flag:
      case Kind::WholeFlag: FlagOf(it, s) = k % 2 == 1; break;
      case Kind::Constant: break;
    }
  }
}

// Every item whose value differs, as "name: a vs b" lines.
template <class S>
std::string Differences(const std::vector<Item<S>>& items, const S& a, const S& b) {
  std::ostringstream out;
  for (const Item<S>& it : items)
    if (!SameValue(it, a, b)) out << ItemName(it) << " ";
  return out.str();
}

// The text with line n (1-based) replaced.
inline std::string WithLine(const std::string& text, int n, const std::string& line) {
  std::string out;
  std::istringstream in(text);
  std::string l;
  for (int i = 1; std::getline(in, l); ++i) out += (i == n ? line : l.substr(0, l.size() - 1)) + "\r\n";
  return out;
}

// The first n lines of the text.
inline std::string Head(const std::string& text, int n) {
  std::size_t end = 0;
  for (int i = 0; i < n && end != std::string::npos; ++i) end = text.find('\n', end) + 1;
  return text.substr(0, end);
}

// Line n (1-based) of the text, without its line end.
inline std::string LineOf(const std::string& text, int n) {
  std::istringstream in(text);
  std::string l;
  for (int i = 1; std::getline(in, l); ++i)
    if (i == n) return l.substr(0, l.size() - (!l.empty() && l.back() == '\r'));
  return "<none>";
}

// Number of lines of the items and of values, checking that the lines run
// from first on without a gap.
template <class S>
void ExpectLines(const std::vector<Item<S>>& items, int first, int last, std::size_t values) {
  int line = first;
  for (const Item<S>& it : items) {
    EXPECT_TRUE(it.line == line || it.line == line + 1) << ItemName(it) << " on line " << it.line;
    line = it.line;
  }
  EXPECT_EQ(items.front().line, first);
  EXPECT_EQ(line, last);
  EXPECT_EQ(items.size(), values);
}

}  // namespace ondrik::saved::testing
