#include "profilewindow/setupfile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/effects.h"
#include "platform/savefile.h"

namespace ondrik {

namespace {

const std::string& LineAt(const std::vector<std::string>& lines, int n) {
  static const std::string empty;
  return n >= 1 && n <= static_cast<int>(lines.size()) ? lines[static_cast<size_t>(n - 1)] : empty;
}

char FirstUpper(const std::string& s) {
  return s.empty() ? '\0' : ToUpperAscii(s.substr(0, 1))[0];
}

// Line 6 as the start-up reader takes it: the first number is the zone, the
// next one (after blanks or a comma) the summer-time hour.
void ReadZoneLine(const std::string& line, int& zone, int& dst) {
  double z = 0, d = 0;
  std::size_t used = 0;
  if (!LeadingNumber(line, z, &used)) z = 0;
  std::string rest = line.substr(std::min(used, line.size()));
  const auto c = rest.find_first_not_of(" \t");
  if (c != std::string::npos && rest[c] == ',') rest = rest.substr(c + 1);
  if (!LeadingNumber(rest, d)) d = 0;
  zone = static_cast<int>(std::lround(std::clamp(z, -12.0, 12.0)));
  dst = d != 0 ? 1 : 0;
}

// A model line by the start-up rule: the name before the first TAB, else
// before the first blank; the key after it, trimmed and lower-cased.
SetUpModel SplitModelLine(const std::string& raw) {
  const std::string line = TrimBlanks(raw);
  auto sep = line.find('\t');
  if (sep == std::string::npos) sep = line.find(' ');
  if (sep == std::string::npos) return {line, ""};
  return {line.substr(0, sep), ToLowerAscii(TrimBlanks(line.substr(sep + 1)))};
}

std::string KeyFor(const std::string& name, const std::vector<SetUpModel>& read) {
  for (const SetUpModel& m : read)
    if (EqualsNoCase(m.name, name) && !m.key.empty()) return m.key;
  return ModelKeyFromName(name);
}

}  // namespace

SetUpLoad LoadSetUp(const std::vector<std::string>& fileLines, const std::string& startupExportDir,
                    int startupMaxSites) {
  SetUpLoad r;
  SetUpValues& v = r.values;
  const std::size_t taken = std::min<std::size_t>(kSetUpMaxLines, fileLines.size());
  v.lines.assign(fileLines.begin(), fileLines.begin() + static_cast<std::ptrdiff_t>(taken));
  const int count = static_cast<int>(v.lines.size());
  if (count < kFixedConfigLines + 1) {
    r.message = "The configuration file holds " + std::to_string(count) + (count == 1 ? " line" : " lines") +
                "; it needs at least " +
                std::to_string(kFixedConfigLines + 1) + " (the fixed part and the models).";
    return r;
  }
  v.dataDir = LineAt(v.lines, 2);
  v.archiveDir = LineAt(v.lines, 4);
  const std::string& l10 = LineAt(v.lines, 10);
  v.browser = ToUpperAscii(TrimBlanks(l10)).ends_with("FAULT") ? "/usr/bin/firefox" : l10;
  v.localTime = FirstUpper(LineAt(v.lines, 8)) == 'L';
  ReadZoneLine(LineAt(v.lines, 6), v.zone, v.dst);
  v.linuxMode = FirstUpper(LineAt(v.lines, 9)) == 'L';
  // A snapshot line beginning with "=" means the program folder, as start-up reads it.
  if (!v.lines[21].empty() && v.lines[21][0] == '=') v.lines[21] = ".";
  v.snapshotDir = v.lines[21];
  if (LineAt(v.lines, 29).find("WSR") != std::string::npos) {
    v.lines[28] = kMaxSitesLabel;  // an older layout gets the new line pair
    v.lines[29] = "3";
  }

  // Models from line 36 up to the first line holding "=", or the end.
  int i = kFixedConfigLines;  // index of line 36
  for (; i < count && v.lines[static_cast<size_t>(i)].find('=') == std::string::npos; ++i) {
    if (TrimBlanks(v.lines[static_cast<size_t>(i)]).empty()) continue;
    v.modelsRead.push_back(SplitModelLine(v.lines[static_cast<size_t>(i)]));
  }
  for (size_t m = 0; m < v.modelsRead.size() && m < v.models.size(); ++m) v.models[m] = v.modelsRead[m].name;

  // The sections, each found by a word of its header.
  auto header = [&]() -> const std::string& { return LineAt(v.lines, i + 1); };
  if (i < count && ContainsNoCase(header(), "reverse")) {
    double rev = 0;
    if (!LeadingNumber(LineAt(v.lines, i + 2), rev)) rev = 0;
    v.reverse = rev != 0 ? 1 : 0;
    i += 2;
  }
  if (i < count && ContainsNoCase(header(), "scale")) {
    int row = 0;
    ++i;
    while (i < count && v.lines[static_cast<size_t>(i)].find('=') == std::string::npos) {
      const std::string& name = v.lines[static_cast<size_t>(i)];
      const std::string& values = LineAt(v.lines, i + 2);
      if (row < kSetUpScaleRows) {
        SetUpScaleRow& s = v.scales[static_cast<size_t>(row)];
        s.name = TrimBlanks(name);
        std::size_t from = 0;
        for (int k = 0; k < 4; ++k) {
          const auto comma = values.find(',', from);
          const std::size_t start = std::min(from, values.size());
          const std::size_t len = comma == std::string::npos ? std::string::npos : comma - start;
          s.hours[static_cast<size_t>(k)] = TrimBlanks(values.substr(start, len));
          from = comma == std::string::npos ? values.size() : comma + 1;
        }
      } else {
        v.scaleLinesBeyond.push_back(name);
        v.scaleLinesBeyond.push_back(values);
      }
      ++row;
      i += 2;
    }
  }
  if (i < count && ContainsNoCase(header(), "export")) {
    v.exportDir = LineAt(v.lines, i + 2);
    i += 2;
  } else {
    v.exportDir = startupExportDir;
  }
  // The training-download section has no box: kept as read, header and value.
  if (i < count && ContainsNoCase(header(), "download")) {
    v.downloadSection = {header(), LineAt(v.lines, i + 2)};
    i += 2;
  }
  // The favourites follow the current header line.
  for (int s = 0; s < kSetUpSiteBoxes && i + 2 <= count; ++s, ++i)
    v.sites[static_cast<size_t>(s)] = LineAt(v.lines, i + 2);
  SetMaxSites(v, startupMaxSites);
  r.ok = true;
  return r;
}

void SetMaxSites(SetUpValues& v, int sites) {
  v.maxSites = std::clamp(sites, 3, 8);
  if (v.lines.size() >= 30) v.lines[29] = std::to_string(v.maxSites);
}

std::vector<std::string> SetUpSaveLines(const SetUpValues& v, std::string* problem) {
  if (problem != nullptr) problem->clear();
  std::vector<std::string> out;
  out.push_back(LineAt(v.lines, 1));
  out.push_back(v.dataDir);
  out.push_back(LineAt(v.lines, 3));
  out.push_back(v.archiveDir);
  out.push_back(LineAt(v.lines, 5));
  std::string zone = PrintNumber(v.zone);
  PadToPrintZone(zone);
  out.push_back(zone + PrintNumber(v.dst));
  out.push_back(LineAt(v.lines, 7));
  out.push_back(v.localTime ? "Local" : "Z");
  const std::string& l9 = LineAt(v.lines, 9);
  out.push_back(std::string(v.linuxMode ? "L" : "=") + (l9.empty() ? "" : l9.substr(1)));
  out.push_back(v.browser);
  for (int n = 11; n <= kFixedConfigLines; ++n) out.push_back(n == 22 ? TrimBlanks(v.snapshotDir) : LineAt(v.lines, n));

  int models = 0;
  for (const std::string& box : v.models) {
    const std::string name = TrimBlanks(box);
    if (name.empty()) continue;
    out.push_back(FormatModelLine(name, KeyFor(name, v.modelsRead)));
    ++models;
  }
  for (size_t m = v.models.size(); m < v.modelsRead.size() && models < kMaxModels; ++m, ++models)
    out.push_back(FormatModelLine(v.modelsRead[m].name, v.modelsRead[m].key.empty()
                                                           ? ModelKeyFromName(v.modelsRead[m].name)
                                                           : v.modelsRead[m].key));
  if (models == 0 && problem != nullptr) *problem = "Give at least one model type: Ondrik starts with the first one.";

  out.push_back(kReverseHeader);
  out.push_back(PrintNumber(v.reverse));
  out.push_back(kScaleHeader);
  for (const SetUpScaleRow& s : v.scales) {
    const std::string name = TrimBlanks(s.name);
    if (name.empty()) continue;
    out.push_back(name);
    std::string values;
    for (int k = 0; k < 4; ++k) {
      double h = 0;
      if (!LeadingNumber(s.hours[static_cast<size_t>(k)], h)) h = 0;
      if (h == 0) h = 84;
      if (k > 0) values += ",";
      values += PrintNumber(h);
    }
    out.push_back(values);
  }
  out.insert(out.end(), v.scaleLinesBeyond.begin(), v.scaleLinesBeyond.end());
  out.push_back(kExportHeader);
  out.push_back(TrimBlanks(v.exportDir));
  out.insert(out.end(), v.downloadSection.begin(), v.downloadSection.end());
  out.push_back(kFavouritesHeader);
  int last = kSetUpSiteBoxes;
  while (last > 0 && TrimBlanks(v.sites[static_cast<size_t>(last - 1)]).empty()) --last;
  for (int s = 0; s < last; ++s) out.push_back(ToUpperAscii(TrimBlanks(v.sites[static_cast<size_t>(s)])));
  return out;
}

bool WriteLinesReplacing(const std::string& path, const std::vector<std::string>& lines, std::string& error) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return SaveFileReplacing(path, text, TheEffects(), &error);
}

std::string TimeZoneCaption(int zone) {
  if (zone >= 1) return "West by " + std::to_string(zone) + " Hours";
  if (zone == 0) return "Set to UTC";
  return "East by " + std::to_string(-zone) + " Hours";
}

std::string BrowserFromDialog(const std::string& chosen) {
  if (!chosen.empty() && chosen.back() == '.') return chosen.substr(0, chosen.size() - 1);
  return chosen;
}

}  // namespace ondrik
