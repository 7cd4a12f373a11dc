// The set-up window's view of the configuration file "Ondrik.cfg": what it
// reads into its boxes and what it writes back. The layout of the file is
// that of config/config.h; values are read here by the same rules as
// the start-up reader, so that a saved file reads back as it was saved.
//
// Lines 1 to 35 are written back as they were read, except those the window
// edits (folders, clock, Linux mode, browser, snapshot folder, the site
// layout of lines 29 and 30). Models keep the key the file gave them; models
// and time-scale rows beyond the window's boxes, and the training-download
// section, which the window does not edit, are written back unchanged.
//
// Qt-free.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "config/config.h"
#include "savedstate/ownfiles.h"

namespace ondrik {

inline constexpr int kSetUpMaxLines = 200;    // lines the window reads
inline constexpr int kSetUpModelBoxes = 18;
inline constexpr int kSetUpScaleRows = 18;
inline constexpr int kSetUpSiteBoxes = kMaxFavourites;
inline constexpr const char* kSetUpFileName = saved::kConfigFileName;

struct SetUpModel {
  std::string name, key;
};

struct SetUpScaleRow {
  std::string name;
  std::array<std::string, 4> hours;  // the value boxes' texts
};

struct SetUpValues {
  std::vector<std::string> lines;     // the file's lines as read: line n at [n - 1]
  std::string dataDir, archiveDir;    // lines 2 and 4
  int zone = 0;                       // line 6: hours west of UTC, -12..12
  int dst = 0;                        //         summer time in effect, 0 or 1
  bool localTime = false;             // line 8: the computer clock keeps local time
  bool linuxMode = false;             // line 9
  std::string browser;                // line 10
  std::string snapshotDir;            // line 22
  std::array<std::string, kSetUpModelBoxes> models;  // the model boxes
  std::vector<SetUpModel> modelsRead; // every model line of the file, in order
  int reverse = 0;                    // 1: hour 0 at the left of the hour bar
  std::array<SetUpScaleRow, kSetUpScaleRows> scales;
  std::vector<std::string> scaleLinesBeyond;  // rows past the boxes, as read (name, values)
  std::string exportDir;
  std::vector<std::string> downloadSection;  // header and value as read; empty when absent
  std::array<std::string, kSetUpSiteBoxes> sites;
  int maxSites = 3;                   // site ids a column (lines 29 and 30)
};

struct SetUpLoad {
  bool ok = false;
  std::string message;  // why the file cannot be edited, when !ok
  SetUpValues values;
};

// The window's load of the file's lines (at most 200 are taken). The export
// box shows startupExportDir when the file has no export section; the site
// layout comes from the value start-up read. A file shorter than its fixed
// part cannot be edited.
SetUpLoad LoadSetUp(const std::vector<std::string>& fileLines, const std::string& startupExportDir,
                    int startupMaxSites);

// hsbMaxSites: the value and the line pair that stores it.
void SetMaxSites(SetUpValues& v, int sites);

// The lines the save writes; "" in `problem` unless the values cannot make a
// configuration the program can start with (no model at all).
std::vector<std::string> SetUpSaveLines(const SetUpValues& v, std::string* problem = nullptr);

// Writes lines ending in CR LF to a temporary file beside path, checks it and
// renames it over path; on any failure the old file stays and `error` says why.
bool WriteLinesReplacing(const std::string& path, const std::vector<std::string>& lines, std::string& error);

// The caption of lblTimeZone: "West by 5 Hours", "Set to UTC", "East by 3 Hours".
std::string TimeZoneCaption(int zone);

// A browser chosen in the file dialog: a name ending in "." loses the dot.
std::string BrowserFromDialog(const std::string& chosen);

}  // namespace ondrik
