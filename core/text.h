// Small text helpers: ASCII letter case.
#pragma once

#include <string>

namespace ondrik {

std::string ToUpperAscii(std::string s);
std::string ToLowerAscii(std::string s);
// Whether text contains word, or the two are equal, letter case aside.
bool ContainsNoCase(const std::string& text, const std::string& word);
bool EqualsNoCase(const std::string& a, const std::string& b);

}  // namespace ondrik
