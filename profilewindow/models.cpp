#include "profilewindow/models.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <limits>

#include "platform/folders.h"

namespace ondrik {

bool ModelParamsForKey(const std::string& key, ModelParams& p) {
  struct Row {
    const char* key;
    ModelParams params;
  };
  // Inversion step, isotherm step, isotherm depression, sigma-level spacing,
  // hours per forecast step, time-label spacing, overview time windows.
  static const Row kRows[] = {
      {"eta", {0.5f, -1.0f, 5.0f, 3, 1, 6, {24, 48, 60, 84}}},
      {"ngm", {1.0f, -2.0f, 5.0f, 1, 1, 6, {24, 48, 60, 84}}},
      {"ruc", {0.5f, -1.0f, 5.0f, 2, 1, 6, {24, 48, 60, 84}}},
      {"gfs3", {0.5f, -1.0f, 5.0f, 3, 3, 4, {24, 40, 56, 60}}},
  };
  for (const Row& r : kRows) {
    if (key == r.key) {
      p = r.params;
      return true;
    }
  }
  return false;
}

bool TimeScaleForModel(const Config& cfg, const std::string& modelName, std::array<int, 4>& steps) {
  const std::size_t n = std::min(cfg.TimeScaleNames.size(), cfg.TimeScaleSteps.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (EqualsNoCase(cfg.TimeScaleNames[i], modelName)) {
      steps = cfg.TimeScaleSteps[i];
      return true;
    }
  }
  return false;
}

bool SelectModel(const Config& cfg, int modelIndex, ModelState& state) {
  if (modelIndex < 0 || modelIndex >= static_cast<int>(cfg.ModelNames.size()) ||
      modelIndex >= static_cast<int>(cfg.ModelCodes.size()))
    return false;
  state.gModelIndex = modelIndex;
  state.gModelName = cfg.ModelNames[modelIndex];
  ModelParams p;
  if (ModelParamsForKey(cfg.ModelCodes[modelIndex], p)) {
    state.gProfileDir = cfg.ConfigProfileDir;
    state.params = p;
  }
  TimeScaleForModel(cfg, state.gModelName, state.params.gOverviewWindowSteps);
  return true;
}

LoadOptions LoadOptionsFor(const Config& cfg, const ModelState& model, bool dayFirst, Single srInflowDepth,
                           Single srInflowBase) {
  LoadOptions opt;
  const int m = model.gModelIndex;
  opt.modelKey = (m >= 0 && m < static_cast<int>(cfg.ModelCodes.size())) ? cfg.ModelCodes[static_cast<size_t>(m)] : "";
  opt.dayFirst = dayFirst;
  opt.timeLeftToRight = cfg.gTimeLeftToRight;
  opt.sigmaLevelStep = model.params.gSigmaLevelStep;
  opt.sigmaLevelPres = cfg.SigmaLevelPres;
  opt.srInflowDepth = srInflowDepth;
  opt.srInflowBase = srInflowBase;
  opt.modelHourStep = static_cast<Single>(model.params.gModelHourStep > 0 ? model.params.gModelHourStep : 1);
  return opt;
}

namespace {

std::size_t RFindNoCase(const std::string& text, const std::string& word) {
  return ToUpperAscii(text).rfind(ToUpperAscii(word));
}

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

}  // namespace

std::vector<std::string> FindSiteFiles(const std::string& profileDir, const std::string& modelName) {
  std::vector<std::string> sites;
  if (modelName.empty()) return sites;
  const std::string modelUp = ToUpperAscii(modelName);
  for (const std::string& name : ListFilesNoCase(profileDir, modelName + "_*.ond")) {
    if (!IsRegularFile(profileDir + name)) continue;  // a pipe or device is no site file
    const auto u = name.rfind('_');
    const auto x = RFindNoCase(name, ".ond");
    if (u == std::string::npos || x == std::string::npos || x <= u + 1) continue;
    if (ToUpperAscii(name.substr(0, u)) != modelUp) continue;
    if (static_cast<int>(sites.size()) >= kMaxSiteFiles) break;
    sites.push_back(name.substr(u + 1, x - u - 1));
  }
  return sites;
}

std::vector<std::string> BuildSiteRows(const std::vector<std::string>& sites,
                                       const std::vector<std::string>& favourites) {
  std::vector<std::string> rows;
  std::vector<bool> taken(sites.size(), false);
  for (const std::string& fav : favourites) {
    bool found = false;
    if (!fav.empty()) {
      for (std::size_t i = 0; i < sites.size(); ++i) {
        if (ContainsNoCase(sites[i], fav)) {
          rows.push_back(ToUpperAscii(sites[i]));
          taken[i] = true;
          found = true;
          break;
        }
      }
    }
    if (!found) rows.push_back(kBlankRow);
  }
  while (!rows.empty() && rows.back() == kBlankRow) rows.pop_back();

  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < sites.size(); ++i)
    if (!taken[i]) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return sites[a] < sites[b]; });
  for (std::size_t i : order) rows.push_back(ToUpperAscii(sites[i]));
  return rows;
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool ReadSiteFileHead(const std::string& path, SiteFileHead& head) {
  // Only a regular file: a pipe would block the open, a device never end.
  if (!IsRegularFile(path)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // One line, at most kMaxHeadLine characters: a longer one is no line of a
  // profile file, and the head is not read further.
  auto next = [&in](std::string& line) {
    line.clear();
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
      if (c == '\n') {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
      }
      if (line.size() >= kMaxHeadLine) return false;
      line.push_back(static_cast<char>(c));
    }
    return !line.empty();
  };
  std::string line;
  // Title line and second line; a short second line is followed by one more.
  if (!next(line) || !next(line)) return false;
  if (line.size() < 5 && !next(line)) return false;
  for (int i = 0; i < 3; ++i)
    if (!next(line)) return false;

  // The first hour's header: "TIME = YYMMDD/HHMM".
  const auto p = line.find("TIME =");
  if (p == std::string::npos || line.size() < p + 18) return false;
  const std::string yy = line.substr(p + 7, 2), mo = line.substr(p + 9, 2), dd = line.substr(p + 11, 2),
                    hh = line.substr(p + 14, 2), mi = line.substr(p + 16, 2);
  if (!AllDigits(yy) || !AllDigits(mo) || !AllDigits(dd) || !AllDigits(hh) || !AllDigits(mi)) return false;
  DateTime t;
  const int y2 = std::stoi(yy);
  t.year = y2 < 30 ? 2000 + y2 : 1900 + y2;  // the site list's own century rule
  t.month = std::stoi(mo);
  t.day = std::stoi(dd);
  t.hour = std::stoi(hh);
  t.minute = std::stoi(mi);
  if (!IsValidDateTime(t.year, t.month, t.day, t.hour, t.minute)) return false;

  // Site line: "...LAT = <lat> ...LON = <lon> ..." (longitude positive east).
  if (!next(line)) return false;
  const auto eq = line.find('=');
  const auto q = line.find("LON =");
  double lat = 0, lon = 0;
  if (eq == std::string::npos || q == std::string::npos) return false;
  if (!LeadingNumber(line.substr(eq + 1), lat) || !LeadingNumber(line.substr(q + 5), lon)) return false;
  if (lat < -90 || lat > 90 || lon < -360 || lon > 360) return false;
  head.firstValid = t;
  head.lat = static_cast<float>(lat);
  head.lon = static_cast<float>(-lon);
  return true;
}

std::string SiteFilePath(const std::string& profileDir, const std::string& modelName, const std::string& siteId) {
  if (TrimBlanks(siteId).empty()) return "";
  const std::string name = modelName + "_" + siteId + ".ond";
  const std::string found = FindFileNoCase(profileDir, name);
  return found.empty() ? profileDir + name : found;
}

std::vector<MapSite> ReadMapSites(const std::vector<std::string>& rows, const std::string& profileDir,
                                  const std::string& modelName, const DateTime& now) {
  std::vector<MapSite> out;
  for (std::size_t r = 0; r < rows.size() && static_cast<int>(out.size()) < kMaxSiteFiles; ++r) {
    if (rows[r] == kBlankRow || TrimBlanks(rows[r]).empty()) continue;
    SiteFileHead head;
    if (!ReadSiteFileHead(SiteFilePath(profileDir, modelName, rows[r]), head)) continue;
    MapSite m;
    m.row = static_cast<int>(r);
    m.lat = head.lat;
    m.lon = head.lon;
    m.age = HoursBetween(head.firstValid, now);
    out.push_back(m);
  }
  return out;
}

int ChooseSiteRow(const std::vector<std::string>& rows, const std::string& lastSite) {
  for (std::size_t r = 0; r < rows.size(); ++r)
    if (rows[r] == lastSite) return static_cast<int>(r);
  for (std::size_t r = 0; r < rows.size(); ++r)
    if (rows[r] != kBlankRow) return static_cast<int>(r);
  return -1;
}

std::string NoProfilesMessage(const std::string& modelName, const std::string& folder) {
  return "There are no " + modelName + " profiles in the profile directory:\n" + folder + "\n\n" +
         "Try another type of model or use 'Set Up' to point to your profile directory.";
}

SiteList FillSiteList(const Config& cfg, const ModelState& state, const std::string& lastSite,
                      const DateTime& now) {
  SiteList list;
  const std::vector<std::string> sites = FindSiteFiles(state.gProfileDir, state.gModelName);
  list.SiteFileCount = static_cast<int>(sites.size());
  if (sites.empty()) {
    list.message = NoProfilesMessage(state.gModelName, cfg.ConfigProfileDir);
    return list;
  }
  list.rows = BuildSiteRows(sites, cfg.FavouriteSites);
  list.mapSites = ReadMapSites(list.rows, state.gProfileDir, state.gModelName, now);
  list.selectedRow = ChooseSiteRow(list.rows, lastSite);
  return list;
}

std::string SiteCaption(const std::string& siteId, const std::string& modelName) {
  return siteId + " - " + modelName + " - ONDRIK";
}

}  // namespace ondrik
