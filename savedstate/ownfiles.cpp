#include "savedstate/ownfiles.h"

#include <cctype>

namespace ondrik::saved {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool Matches(std::string_view pattern, std::string_view name) {
  while (!pattern.empty()) {
    const char p = pattern.front();
    pattern.remove_prefix(1);
    if (p == '*' || p == '#') {
      for (std::size_t k = 0; k <= name.size(); ++k) {
        if (p == '#' && (k == name.size() || !IsDigit(name[k]))) return k > 0 && Matches(pattern, name.substr(k));
        if ((p == '*' || k > 0) && Matches(pattern, name.substr(k))) return true;
      }
      return false;
    }
    if (name.empty() || Lower(name.front()) != Lower(p)) return false;
    name.remove_prefix(1);
  }
  return name.empty();
}

std::string Text(std::string_view s) { return std::string(s); }

}  // namespace

const std::vector<OwnFile>& OwnFiles() {
  static const std::vector<OwnFile> files{
      {"history", kHistoryFileName},
      {"display setups", Text(kSetupFilePrefix) + "#"},
      {"overview layouts", Text(kLayoutFilePrefix) + "#"},
      {"map presets", Text(kMapPresetFilePrefix) + "#"},
      {"configuration", kConfigFileName},
      {"time-zone table", kTimeZoneFileName},
      {"profile snapshots", "*" + Text(kProfileSnapshotWord) + "*" + Text(kSnapshotExtension)},
      {"overview snapshots", "*" + Text(kOverviewSnapshotWord) + "*" + Text(kSnapshotExtension)},
      {"profile exports", "*" + Text(kNspExtension)},
      {"profile exports", "*" + Text(kBspExtension)},
      {"the stray cleaner's clock", kClockFileName},
  };
  return files;
}

bool IsOwnFileName(std::string_view fileName) {
  for (const OwnFile& f : OwnFiles())
    if (Matches(f.pattern, fileName)) return true;
  return false;
}

}  // namespace ondrik::saved
