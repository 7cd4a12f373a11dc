#include "config/config.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/folders.h"
#include "savedstate/ownfiles.h"

namespace ondrik {

// ---------------------------------------------------------------- text helpers

std::string TrimBlanks(const std::string& s) {
  const char* ws = " \t\r\n";
  const auto b = s.find_first_not_of(ws);
  if (b == std::string::npos) return "";
  const auto e = s.find_last_not_of(ws);
  return s.substr(b, e - b + 1);
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return true;
}

bool LeadingNumber(const std::string& text, double& value, std::size_t* used) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  std::size_t j = i;
  if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
  bool digits = false;
  while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j, digits = true;
  if (j < text.size() && text[j] == '.') {
    ++j;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j, digits = true;
  }
  if (!digits) return false;
  if (j < text.size() && (text[j] == 'e' || text[j] == 'E')) {
    std::size_t k = j + 1;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    if (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]))) {
      while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]))) ++k;
      j = k;
    }
  }
  const std::string num = text.substr(start, j - start);
  char* end = nullptr;
  const double v = std::strtod(num.c_str(), &end);
  if (!std::isfinite(v)) return false;
  value = v;
  if (used) *used = j;
  return true;
}

// ---------------------------------------------------------------- folders

std::string AddBackslash(const std::string& path) {
  if (path.empty()) return path;
  const char last = path.back();
  if (last == '/' || last == '\\' || last == ':') return path;
  return path + "/";
}

std::string ResolveConfigFolder(const std::string& value, const std::string& programFolder) {
  const std::string base = AddBackslash(programFolder);
  std::string v = TrimBlanks(value);
  if (v.empty() || v == "." || v == "./") return base;
  if (v.rfind("./", 0) == 0) v = v.substr(2);
  const bool absolute = v[0] == '/' || v[0] == '\\' || (v.size() >= 2 && v[1] == ':');
  return AddBackslash(absolute ? v : base + v);
}

bool DayFirstFromShortDate(const std::string& shortDateOf2Jan2001) {
  double v = 0;
  if (!LeadingNumber(shortDateOf2Jan2001, v)) return false;
  return v > 1;
}

// ---------------------------------------------------------------- writing format

std::string FormatModelLine(const std::string& name, const std::string& key) {
  // A name with a blank in it is ended by a TAB, which the reader tries first.
  if (name.find(' ') != std::string::npos) return name + "\t" + key;
  std::string line = name;
  PadToPrintZone(line);
  return line + key;
}

std::string ModelKeyFromName(const std::string& name) {
  const std::string up = ToUpperAscii(TrimBlanks(name));
  if (up.find("GFS") != std::string::npos) return "gfs3";
  if (up == "RUC") return "ruc";
  return "eta";
}

// ---------------------------------------------------------------- command line

std::string GetUserName(const std::string& commandLine) {
  std::string cmd = ToUpperAscii(commandLine);
  cmd.erase(std::remove(cmd.begin(), cmd.end(), '"'), cmd.end());
  const auto p = cmd.find("/U=");
  if (p == std::string::npos) return "ondrik";
  const auto from = p + 3;
  auto end = cmd.find(' ', from);
  if (end == std::string::npos) end = cmd.size();
  const std::string name = TrimBlanks(cmd.substr(from, end - from));
  return name.empty() ? "ondrik" : name;
}

// ---------------------------------------------------------------- reading

namespace {

// Thrown inside the reader for a short or malformed file; turned into the
// result's message.
struct ConfigError {
  std::string what;
};

class LineCursor {
 public:
  LineCursor(const std::vector<std::string>& lines, std::string fileName)
      : lines_(lines), file_(std::move(fileName)) {}

  bool AtEnd() const { return next_ >= lines_.size(); }
  int LineNumber() const { return static_cast<int>(next_); }  // number of the line last read

  // The next line; the file must hold it.
  const std::string& Line(const char* what) {
    if (AtEnd()) Fail(static_cast<int>(next_) + 1, std::string("the file ends before ") + what);
    return lines_[next_++];
  }

  [[noreturn]] void Fail(int lineNumber, const std::string& what) const {
    throw ConfigError{"Error in the configuration file " + file_ + ", line " +
                      std::to_string(lineNumber) + ": " + what + "."};
  }
  [[noreturn]] void FailHere(const std::string& what) const { Fail(LineNumber(), what); }

  // Comma-separated numbers of the next line; the line must hold `count`.
  std::vector<double> Numbers(std::size_t count, const char* what) {
    const std::string& line = Line(what);
    std::vector<double> out;
    if (!SplitNumbers(line, out) || out.size() < count)
      FailHere(std::string("expected ") + std::to_string(count) + (count == 1 ? " number" : " numbers") +
               " (" + what + ")");
    out.resize(count);
    return out;
  }

  // Numbers separated by commas or blanks; false when an item is not a number.
  static bool SplitNumbers(const std::string& line, std::vector<double>& out) {
    out.clear();
    std::size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ',')) ++i;
      if (i >= line.size()) break;
      double v = 0;
      std::size_t used = 0;
      if (!LeadingNumber(line.substr(i), v, &used)) return false;
      i += used;
      if (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',') return false;
      out.push_back(v);
    }
    return true;
  }

 private:
  const std::vector<std::string>& lines_;
  std::string file_;
  std::size_t next_ = 0;
};

int ToInteger(double v) {
  // Whole-number fields round to the nearest integer, halves to even.
  const double r = std::nearbyint(v);
  if (r > 32767) return 32767;
  if (r < -32768) return -32768;
  return static_cast<int>(r);
}

char FirstUpper(const std::string& line) {
  return line.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
}

void ReadFixedPart(LineCursor& in, Config& c, const std::string& programFolder) {
  const std::string& l1 = in.Line("the first line");
  c.HiddenPanelEnabled = !l1.empty() && l1[0] == 'c';
  c.ConfigProfileDir = ResolveConfigFolder(in.Line("the profile folder (line 2)"), programFolder);
  in.Line("a label line");
  c.gArchiveDir = ResolveConfigFolder(in.Line("the archive folder (line 4)"), programFolder);
  c.gArchiveStartDir = c.gArchiveDir;
  c.gOpenDialogDir = c.gArchiveDir;
  in.Line("a label line");

  // Line 6: the first number is the zone, the next one the summer-time hour.
  {
    const std::string& l6 = in.Line("the computer's time zone (line 6)");
    double zone = 0, dst = 0;
    std::size_t used = 0;
    if (!LeadingNumber(l6, zone, &used) || zone < -12 || zone > 12)
      in.FailHere("expected the computer's time zone in hours west of UTC (-12 to 12)");
    std::string rest = l6.substr(used);
    const auto comma = rest.find_first_not_of(" \t");
    if (comma != std::string::npos && rest[comma] == ',') rest = rest.substr(comma + 1);
    if (!TrimBlanks(rest).empty() && !LeadingNumber(rest, dst))
      in.FailHere("expected the summer-time hour (0 or 1) after the time zone");
    c.gClockZone = ToInteger(zone);
    c.gTZConfigOffset = ToInteger(dst);
    c.gClockUtcOffset = c.gClockZone - c.gTZConfigOffset;
  }
  in.Line("a label line");
  c.gClockIsLocal = FirstUpper(in.Line("the clock setting (line 8)")) == 'L';
  c.gLinuxMode = FirstUpper(in.Line("the Linux setting (line 9)")) == 'L';
  c.gBrowserPath = in.Line("the browser path (line 10)");
  if (ToUpperAscii(TrimBlanks(c.gBrowserPath)).ends_with("FAULT")) c.gBrowserPath = "/usr/bin/firefox";
  in.Line("a label line");
  {
    const auto v = in.Numbers(2, "lake-index pressure and temperature difference, line 12");
    c.gLakeIndexPres = ToInteger(v[0]);
    c.gLakeIndexDiff = static_cast<float>(v[1]);
  }
  in.Line("a label line");
  {
    const auto v = in.Numbers(2, "the two lake-effect levels, line 14");
    c.gLakeLevel1Pres = ToInteger(v[0]);
    c.gLakeLevel2Pres = ToInteger(v[1]);
  }
  in.Line("a label line");
  c.gTotalsLowPres = ToInteger(in.Numbers(1, "the total-totals pressure, line 16")[0]);
  in.Line("a label line");
  in.Line("a label line");
  c.SigmaLevelPres = ToInteger(in.Numbers(1, "the sigma-level pressure, line 19")[0]);
  in.Line("a label line");
  in.Line("line 21 (kept, not used)");
  {
    std::string snap = in.Line("the snapshot folder (line 22)");
    if (!snap.empty() && snap[0] == '=') snap = ".";
    c.gSnapshotDir = ResolveConfigFolder(snap, programFolder);
  }
  for (int i = 1; i <= 2; ++i) {
    in.Line("a label line");
    const auto v = in.Numbers(3, i == 1 ? "map reference line 1, line 24" : "map reference line 2, line 26");
    c.gMapLineBearing[i] = static_cast<float>(v[0] + 0.001);
    c.gMapLineMaxDist[i] = static_cast<float>(v[1]);
    c.gMapLineDist[i] = static_cast<float>(v[2]);
  }
  in.Line("a label line");
  c.gOmegaSmoothOn = true;
  c.LapseRateSpan = in.Line("the lapse-rate span (line 28)");
  in.Line("a label line");
  {
    const int v = ToInteger(in.Numbers(1, "the site ids a column, line 30")[0]);
    c.gMaxSitesPerColumn = (v < 3 || v > 8) ? 3 : v;
  }
  in.Line("a label line");
  {
    const std::string drive = TrimBlanks(in.Line("the training drive (line 32)"));
    c.TrainingDrive = drive.empty() ? "" : drive.substr(0, 1);
  }
  in.Line("a label line");
  {
    const std::string& l34 = in.Line("the extra isotherms (line 34)");
    std::stringstream ss(l34);
    std::string item;
    while (std::getline(ss, item, ',')) {
      if (TrimBlanks(item).empty()) continue;
      double t = 0;
      std::size_t used = 0;
      if (!LeadingNumber(item, t, &used) || !TrimBlanks(item.substr(used)).empty())
        in.FailHere("expected comma-separated temperatures");
      if (static_cast<int>(c.HighlightIsotherms.size()) < kMaxHighlightIsotherms)
        c.HighlightIsotherms.push_back(static_cast<float>(t));
    }
    c.HighlightIsothermCount = static_cast<int>(c.HighlightIsotherms.size());
  }
  in.Line("the label line before the models (line 35)");
}

// The model list, up to the first line that holds "="; returns that line.
std::string ReadModels(LineCursor& in, Config& c) {
  while (true) {
    const std::string& raw = in.Line("the header line after the model list");
    if (raw.find('=') != std::string::npos) {
      if (c.ModelNames.empty()) in.FailHere("the configuration names no model");
      c.ModelCount = static_cast<int>(c.ModelNames.size());
      return raw;
    }
    // Leading blanks are not part of the name.
    const std::string line = raw.substr(std::min(raw.size(), raw.find_first_not_of(" \t\r")));
    if (TrimBlanks(line).empty()) continue;
    auto sep = line.find('\t');
    if (sep == std::string::npos) sep = line.find(' ');
    if (sep == std::string::npos) in.FailHere("a model line needs the model's name, a blank or TAB, and its key");
    const std::string key = ToLowerAscii(TrimBlanks(line.substr(sep + 1)));
    if (key.empty()) in.FailHere("a model line needs the model's name, a blank or TAB, and its key");
    if (static_cast<int>(c.ModelNames.size()) >= kMaxModels)
      in.FailHere("more than " + std::to_string(kMaxModels) + " models");
    c.ModelNames.push_back(line.substr(0, sep));
    c.ModelCodes.push_back(key);
  }
}

void ReadOpenPart(LineCursor& in, Config& c, const std::string& programFolder) {
  std::string header = ReadModels(in, c);
  c.ExportDir = ResolveConfigFolder(".", programFolder);

  if (ContainsNoCase(header, "reverse")) {
    const double v = in.Numbers(1, "the reverse setting")[0];
    c.gReverseTime = v != 0;
    c.gTimeLeftToRight = c.gReverseTime;
    if (in.AtEnd()) return;
    header = in.Line("the next header");
  }
  if (ContainsNoCase(header, "scale")) {
    while (true) {
      if (in.AtEnd()) return;
      const std::string& name = in.Line("the next scale row");
      if (name.find('=') != std::string::npos) {
        header = name;
        break;
      }
      if (c.TimeScaleCount >= kMaxTimeScaleRows)
        in.FailHere("more than " + std::to_string(kMaxTimeScaleRows) + " time-scale rows");
      const auto v = in.Numbers(4, "four time-window lengths");
      std::array<int, 4> steps{};
      for (int k = 0; k < 4; ++k) steps[k] = ToInteger(v[k]);
      c.TimeScaleNames.push_back(TrimBlanks(name));
      c.TimeScaleSteps.push_back(steps);
      ++c.TimeScaleCount;
    }
  }
  if (ContainsNoCase(header, "export")) {
    c.ExportDir = ResolveConfigFolder(in.Line("the export folder"), programFolder);
    if (in.AtEnd()) return;
    header = in.Line("the favourites header");
  }
  if (ContainsNoCase(header, "download")) {
    c.TrainingDownloadPage = TrimBlanks(in.Line("the training module's download page"));
    if (in.AtEnd()) return;
    header = in.Line("the favourites header");
  }
  // `header` is the favourites header; the sites follow to the end.
  while (!in.AtEnd() && c.FavouriteCount < kMaxFavourites) {
    // Upper-cased as read, not trimmed; a blank line is three blanks.
    const std::string& site = in.Line("a favourite site");
    c.FavouriteSites.push_back(TrimBlanks(site).empty() ? "   " : ToUpperAscii(site));
    ++c.FavouriteCount;
  }
}

}  // namespace

ConfigResult ReadConfigFile(const std::string& path, const std::string& programFolder) {
  ConfigResult r;
  r.config.fileName = path;
  std::vector<std::string> lines;
  if (!ReadTextLines(path, lines)) {
    r.message = "Can't read the configuration file " + path;
    return r;
  }
  LineCursor in(lines, path);
  try {
    ReadFixedPart(in, r.config, programFolder);
    ReadOpenPart(in, r.config, programFolder);
  } catch (const ConfigError& e) {
    r.message = e.what;
    return r;
  }
  r.ok = true;
  return r;
}

ConfigResult ReadConfig(const std::string& configName, const std::string& programFolder) {
  const char* linuxHint = "If you are running under Linux, CD to the Ondrik Directory first.";
  std::string path;
  if (configName != "ondrik") path = FindFileNoCase(programFolder, configName + ".cfg");
  if (path.empty()) path = FindFileNoCase(programFolder, saved::kConfigFileName);
  if (path.empty()) {
    ConfigResult r;
    if (configName == "ondrik")
      r.message = std::string("Can't locate the ONDRIK.CFG configuration file\n") + linuxHint;
    else
      r.message = "Can't locate the " + configName + ".CFG or ONDRIK.CFG configuration file\n" + linuxHint;
    return r;
  }
  return ReadConfigFile(path, programFolder);
}

}  // namespace ondrik
