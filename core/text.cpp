#include "core/text.h"

#include <cctype>

namespace ondrik {

std::string ToUpperAscii(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string ToLowerAscii(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool ContainsNoCase(const std::string& text, const std::string& word) {
  return ToUpperAscii(text).find(ToUpperAscii(word)) != std::string::npos;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ToUpperAscii(a) == ToUpperAscii(b);
}

}  // namespace ondrik
