// Model selection and the site list of the profile window, as data: the
// per-model display parameters, the listing of a model's site files with the
// favourites first, the first valid time and position of every listed site
// (for the map), the choice of the row to select and the path of a site's
// file. The window puts the rows into its list boxes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/reader.h"
#include "panels/mapdata.h"
#include "config/config.h"

namespace ondrik {

inline constexpr int kMaxSiteFiles = 1500;
inline constexpr const char* kBlankRow = " ";  // a favourite without a file

// Display parameters that depend on the model's key.
struct ModelParams {
  float gInversionDT = 0;            // °C
  float gIsothermDT = 0;             // °C
  float gIsothermMinDepression = 0;  // °C
  int gSigmaLevelStep = 0;           // levels
  int gModelHourStep = 0;            // hours between forecast times
  int gTimeLabelStep = 0;            // hour indexes between time labels
  std::array<int, 4> gOverviewWindowSteps{};  // hour indexes
};

// What a model choice sets. Start with a default-constructed state; values
// that an unknown key leaves alone keep those of the model chosen before.
struct ModelState {
  int gModelIndex = 0;
  std::string gModelName;
  std::string gProfileDir;  // set only for the known keys
  ModelParams params;
};

// The parameters of a known key ("eta", "ngm", "ruc", "gfs3", compared
// exactly); false for any other key.
bool ModelParamsForKey(const std::string& key, ModelParams& params);

// The configuration's time-scale row for a model name (compared without
// regard to case), first match; false when there is none.
bool TimeScaleForModel(const Config& cfg, const std::string& modelName, std::array<int, 4>& steps);

// Steps 4 to 6 of a model choice: the index and name, the profile folder and
// parameters of a known key, then the configuration's time-scale override
// (for every key). An index outside the model list changes nothing and
// returns false.
bool SelectModel(const Config& cfg, int modelIndex, ModelState& state);

// What a profile load takes from the configuration and the chosen model: its
// key ("" when the model's row is outside the list), the time direction, the
// sigma level and the model's steps; the date order and the hodograph's
// inflow layer come from the window.
LoadOptions LoadOptionsFor(const Config& cfg, const ModelState& model, bool dayFirst, Single srInflowDepth,
                           Single srInflowBase = 0);

// The sites of a model's files "<model>_<site>.ond" in a folder (regular
// files only; names compared without regard to case; a name with a further
// "_" after the model name is not the model's), as written in the file names,
// in listing order; at most 1500.
std::vector<std::string> FindSiteFiles(const std::string& profileDir, const std::string& modelName);

// The rows of the site list: each favourite takes the first found site that
// contains it (case-blind) or a blank row; trailing blank rows go; then the
// remaining sites sorted by code unit; all in capitals.
std::vector<std::string> BuildSiteRows(const std::vector<std::string>& sites,
                                       const std::vector<std::string>& favourites);

// The first valid time and position of a site file, read from its first hour.
struct SiteFileHead {
  DateTime firstValid;
  float lat = 0;  // degrees
  float lon = 0;  // degrees, positive west
};
// False when the file is not a regular file (a pipe, a device, a link to
// one), cannot be opened, has a line longer than kMaxHeadLine before the
// site line, or its first hour is not readable.
inline constexpr std::size_t kMaxHeadLine = 4096;
bool ReadSiteFileHead(const std::string& path, SiteFileHead& head);
// True for a regular file (a link is followed).
bool IsRegularFile(const std::string& path);


// The path of a site's file: "<profileDir><model>_<site>.ond", the name as
// found in the folder whatever its case; "" for a blank row.
std::string SiteFilePath(const std::string& profileDir, const std::string& modelName, const std::string& siteId);

// The map-site pass: one entry per non-blank row whose file's first hour can
// be read; a missing, unreadable or half-written file is left out.
std::vector<MapSite> ReadMapSites(const std::vector<std::string>& rows, const std::string& profileDir,
                                  const std::string& modelName, const DateTime& now);

// The row to select: the first equal to lastSite (exact), else the first
// non-blank row; -1 when there is none.
int ChooseSiteRow(const std::vector<std::string>& rows, const std::string& lastSite);

// The warning when a model has no files in the profile folder.
std::string NoProfilesMessage(const std::string& modelName, const std::string& folder);

// The whole site list of the chosen model.
struct SiteList {
  std::vector<std::string> rows;  // site ids in capitals, or kBlankRow
  int SiteFileCount = 0;          // files found; 0 = nothing to load
  std::vector<MapSite> mapSites;
  int selectedRow = -1;           // row to select (its click loads the file); -1 none
  std::string message;            // the no-files warning when SiteFileCount is 0
};
SiteList FillSiteList(const Config& cfg, const ModelState& state, const std::string& lastSite,
                      const DateTime& now);

// The window caption after a site click: "<site> - <model> - ONDRIK".
std::string SiteCaption(const std::string& siteId, const std::string& modelName);

}  // namespace ondrik
