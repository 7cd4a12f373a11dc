// The configuration file: the site-independent settings read once at start-up
// (folders, clock, WINE mode, pressure levels, model list, time scales,
// export folder and favourite sites).
//
// The file is positional: values stand on fixed lines 1 to 35, separated by
// label lines that begin "====>", followed by open-ended sections (models,
// reverse, scale, export, training download, favourites). This header and
// config.cpp are the one place that knows the layout; the set-up window
// writes it with the helpers at the end of this header.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/printformat.h"
#include "core/text.h"

namespace ondrik {

inline constexpr int kMaxModels = 19;          // model lines, indexes 0..18
inline constexpr int kMaxTimeScaleRows = 20;
inline constexpr int kMaxFavourites = 16;
inline constexpr int kMaxHighlightIsotherms = 24;
inline constexpr int kFixedConfigLines = 35;   // lines before the model list

// Section headers as the set-up window writes them. The reader recognises a
// section by a word in its header line, whatever the letter case.
inline constexpr const char* kReverseHeader = "====>  Do we go in reverse?";
inline constexpr const char* kScaleHeader = "====>  Define your own 4 Time Scales";
inline constexpr const char* kExportHeader = "====>  Here is the Path to Export the Profiles";
inline constexpr const char* kTrainingDownloadHeader = "====>  Download page of the storm-matrix training module";
inline constexpr const char* kFavouritesHeader = "====> The Favorite Profile Sites (Up to 16)";
inline constexpr const char* kMaxSitesLabel = "====> Max Site IDs in a Column (3 to 8)";

// Every value of the configuration. Lists are 0-based vectors; each "Count"
// equals the size of its list.
struct Config {
  std::string fileName;                // the file that was read (full path)

  // Line 1: the hidden panel button shows when the line begins with "c".
  bool HiddenPanelEnabled = false;
  // Line 2: folder of the <model>_<site>.ond files; absolute, ends in "/".
  std::string ConfigProfileDir;
  // Line 4: archive folder (absolute, ends in "/"); the open-file dialog starts
  // in gArchiveStartDir / gOpenDialogDir, both copies of it.
  std::string gArchiveDir, gArchiveStartDir, gOpenDialogDir;
  // Line 6: zone of the computer in hours west of UTC, then the summer-time
  // hour (0 or 1). gClockUtcOffset = zone - summer-time hour.
  int gClockZone = 0;
  int gTZConfigOffset = 0;
  int gClockUtcOffset = 0;
  // Line 8: the computer clock keeps local time ("L...") rather than UTC.
  bool gClockIsLocal = false;
  // Line 9: WINE mode ("L..."); line 10: the browser used in that mode. A line
  // still holding the word DEFAULT gives "/usr/bin/firefox".
  bool gLinuxMode = false;
  std::string gBrowserPath;
  // Line 12: lake-index pressure (mb) and the degrees taken off the lake
  // temperature in the lake-index comparison.
  int gLakeIndexPres = 850;
  float gLakeIndexDiff = 0.0f;
  // Line 14: the two lake-effect levels (mb).
  int gLakeLevel1Pres = 850, gLakeLevel2Pres = 700;
  // Line 16: lower pressure (mb) of the overview's total-totals series.
  int gTotalsLowPres = 850;
  // Line 19: pressure (mb) whose level the loader puts on the sigma-level bar.
  int SigmaLevelPres = 850;
  // Line 21 is kept in the file but not used: the chart's bounds are the
  // start-up defaults until the saved state remembers the user's.
  // Line 22: snapshot folder (absolute, ends in "/"); "=..." means the
  // program folder.
  std::string gSnapshotDir;
  // Lines 24 and 26: map reference lines 1 and 2 (index 0 unused): bearing
  // (degrees, 0.001 added), the cap on the distance, the distance from the site.
  std::array<float, 3> gMapLineBearing{}, gMapLineMaxDist{}, gMapLineDist{};
  // Line 27: reading it turns the smoothed omega on.
  bool gOmegaSmoothOn = true;
  // Line 28: the lapse-rate panel's scale extent, as the line's text.
  std::string LapseRateSpan;
  // Line 30: site ids a column of the site list, 3 to 8 (other values give 3).
  int gMaxSitesPerColumn = 3;
  // Line 32: drive letter of the storm-matrix training pages (one character).
  std::string TrainingDrive;
  // Line 34: extra isotherms (°C), at most 24.
  std::vector<float> HighlightIsotherms;
  int HighlightIsothermCount = 0;

  // Models, from line 36: names as shown (and file-name prefixes) and keys
  // ("eta", "ruc", "gfs3", "ngm" or any other text, lower-cased).
  std::vector<std::string> ModelNames, ModelCodes;
  int ModelCount = 0;

  // Reverse section: hour 0 at the left of the hour bar. gTimeLeftToRight is
  // the same flag under the name the loader and the keys use.
  bool gReverseTime = false;
  bool gTimeLeftToRight = false;

  // Scale section: per row a model name (compared without regard to case)
  // and four overview time-window lengths in hour indexes.
  std::vector<std::string> TimeScaleNames;
  std::vector<std::array<int, 4>> TimeScaleSteps;
  int TimeScaleCount = 0;

  // Export section: folder of the text exports (absolute, ends in "/");
  // without the section, the program folder.
  std::string ExportDir;
  // Training-download section (optional, after the export section): the web
  // page offered when the storm-matrix training module cannot be found; ""
  // when the file names none.
  std::string TrainingDownloadPage;

  // Favourite sites, upper-cased as read (not trimmed); a blank line is held
  // as three blanks, which no site contains (a blank separator row in the
  // site list).
  std::vector<std::string> FavouriteSites;
  int FavouriteCount = 0;

  // Valid times are written day first by the locale (set at start-up from the
  // locale, not from the file).
  bool gDayFirst = false;
};

struct ConfigResult {
  bool ok = false;
  std::string message;  // why the start-up has to end, when !ok
  Config config;
};

// The configuration name from the command line: the word after "/U=",
// upper-cased, quotes removed; "ondrik" when there is none.
std::string GetUserName(const std::string& commandLine);

// Finds and reads "<configName>.cfg", falling back to "Ondrik.cfg", in the
// program folder (file names found whatever their case). A missing file, a
// short file or a malformed line gives ok = false and a message that names
// the file (and the line).
ConfigResult ReadConfig(const std::string& configName, const std::string& programFolder);

// Reads one configuration file. Relative folders in it are taken relative to
// programFolder.
ConfigResult ReadConfigFile(const std::string& path, const std::string& programFolder);

// Appends the folder separator "/" unless the path is empty or already ends
// in "/", "\" or ":".
std::string AddBackslash(const std::string& path);

// A folder value of the configuration as an absolute folder ending in "/":
// empty, "." and "./" give the program folder; a relative folder is taken
// relative to it.
std::string ResolveConfigFolder(const std::string& value, const std::string& programFolder);

// True when the locale's short-date text of 2 January 2001 does not begin
// with the month number (the leading number is greater than 1).
bool DayFirstFromShortDate(const std::string& shortDateOf2Jan2001);

// ---- writing in the file's own print format ----

// Numbers and print zones: PrintNumber and PadToPrintZone (core/printformat.h).
// A model line as the set-up window writes it: the name, a print zone, the
// key; a name that holds a blank is followed by a TAB instead.
std::string FormatModelLine(const std::string& name, const std::string& key);
// The family key the set-up window derives from a model name: "gfs3" when the
// upper-cased name contains "GFS", "ruc" when it is "RUC", else "eta".
std::string ModelKeyFromName(const std::string& name);

// ---- small text helpers shared by the profile-window logic ----
std::string TrimBlanks(const std::string& s);  // blanks, tabs, CR and LF at both ends
// Reads a whole text file into lines (CR LF or LF endings); false when the
// file cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);
// The number at the start of the text after leading blanks (sign, digits,
// decimal point, exponent); false when there is none.
bool LeadingNumber(const std::string& text, double& value, std::size_t* used = nullptr);

}  // namespace ondrik
