#include "savedstate/format.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <vector>

namespace ondrik::saved {

namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The number that a version part begins with (blanks and a sign allowed
// before the digits); 0 when it begins with no digits. Very long digit runs
// stay at a bound far above any real version.
long long LeadingWhole(std::string_view part) {
  std::size_t i = 0;
  while (i < part.size() && IsBlank(part[i])) ++i;
  bool negative = false;
  if (i < part.size() && (part[i] == '-' || part[i] == '+')) negative = part[i++] == '-';
  long long v = 0;
  for (; i < part.size() && IsDigit(part[i]); ++i) v = std::min(v * 10 + (part[i] - '0'), 999999999999LL);
  return negative ? -v : v;
}

std::vector<long long> VersionParts(std::string_view version) {
  std::vector<long long> parts;
  for (;;) {
    const std::size_t dot = version.find('.');
    parts.push_back(LeadingWhole(version.substr(0, dot)));
    if (dot == std::string_view::npos) return parts;
    version.remove_prefix(dot + 1);
  }
}

}  // namespace

std::string FolderFor(const std::function<std::string(const char* name)>& getenv) {
  const std::string appData = getenv("APPDATA");
  if (!appData.empty()) return WithSlash(appData) + "Ondrik/";
  std::string data = getenv("XDG_DATA_HOME");
  if (data.empty()) data = getenv("HOME") + "/.local/share";
  return WithSlash(data) + "Ondrik/";
}

std::string SetupFileName(int slot) { return std::string(kSetupFilePrefix) + std::to_string(slot); }
std::string LayoutFileName(int slot) { return std::string(kLayoutFilePrefix) + std::to_string(slot); }
std::string MapPresetFileName(int slot) { return std::string(kMapPresetFilePrefix) + std::to_string(slot); }

std::string NormaliseVersion(std::string_view version) {
  std::string out;
  const std::vector<long long> parts = VersionParts(version);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const long long v = parts[i];
    const std::string digits = std::to_string(v < 0 ? -v : v);
    if (i > 0) out += '.';
    if (v < 0) out += '-';
    if (digits.size() < 2) out += '0';
    out += digits;
  }
  return out;
}

int CompareVersions(std::string_view a, std::string_view b) {
  const std::vector<long long> pa = VersionParts(a), pb = VersionParts(b);
  for (std::size_t i = 0; i < std::max(pa.size(), pb.size()); ++i) {
    const long long x = i < pa.size() ? pa[i] : 0, y = i < pb.size() ? pb[i] : 0;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

HeaderCheck CheckHeader(std::string_view firstLine) {
  if (firstLine.empty() || firstLine.front() != '#') return HeaderCheck::NotAHeader;
  const std::string_view version = TrimBlanks(firstLine.substr(1));
  return CompareVersions(version, kMinimumVersion) < 0 ? HeaderCheck::TooOld : HeaderCheck::Accepted;
}

std::string_view FieldReader::Line() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
  const std::string_view line = text_.substr(start, pos_ - start);
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  return line;
}

std::optional<Field> FieldReader::Next(bool text) {
  const std::size_t n = text_.size();
  while (pos_ < n && (IsBlank(text_[pos_]) || IsLineEnd(text_[pos_]))) ++pos_;
  if (pos_ >= n) return std::nullopt;
  Field f;
  if (text_[pos_] == ',') {  // an empty value
    ++pos_;
    return f;
  }
  const std::size_t start = pos_;
  if (text_[pos_] == '"') {
    ++pos_;
    while (pos_ < n && text_[pos_] != '"' && !IsLineEnd(text_[pos_])) ++pos_;
    f.text = text_.substr(start + 1, pos_ - start - 1);
    const bool closed = pos_ < n && text_[pos_] == '"';
    if (closed) ++pos_;
    f.atEnd = !closed && pos_ >= n;
    // Whatever follows the closing quote up to the separator is not part of it.
    while (pos_ < n && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  } else if (text) {
    while (pos_ < n && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    f.text = TrimBlanks(text_.substr(start, pos_ - start));
    f.atEnd = pos_ >= n;
  } else {
    while (pos_ < n && text_[pos_] != ',' && !IsBlank(text_[pos_]) && !IsLineEnd(text_[pos_])) ++pos_;
    f.text = text_.substr(start, pos_ - start);
    f.atEnd = pos_ >= n;
    while (pos_ < n && IsBlank(text_[pos_])) ++pos_;
  }
  if (pos_ < n && text_[pos_] == ',') ++pos_;
  return f;
}

std::optional<double> ParseNumber(std::string_view s) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false;
  while (i < n && IsDigit(s[i])) ++i, digits = true;
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && IsDigit(s[i])) ++i, digits = true;
  }
  if (!digits) return std::nullopt;
  const std::size_t mantissaEnd = i;
  if (i < n && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    if (i >= n || !IsDigit(s[i])) return std::nullopt;
    while (i < n && IsDigit(s[i])) ++i;
  }
  if (i != n) return std::nullopt;
  // from_chars takes no "+" and no "D" exponent.
  std::string plain(s.substr(s[0] == '+' ? 1 : 0));
  if (mantissaEnd < n) plain[mantissaEnd - (s[0] == '+' ? 1 : 0)] = 'e';
  double v = 0;
  const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), v);
  if (res.ec != std::errc() || res.ptr != plain.data() + plain.size()) return std::nullopt;
  return v;
}

}  // namespace ondrik::saved
