// The command line and the batch run: fetch data with the downloader, load
// one profile file, recall display setups and overview layouts, save
// snapshots of chosen hours, and end. Options are found in any order and
// carried out in a fixed order: "-GET=", "-SIZE=", "-ARCHIVE", the profile
// file, "-PROFILE=", "-OVERVIEW=", "-CLOSE". Option names are matched
// whatever their letter case; the file path keeps its case.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ondrik {

// Picture sizes of a scaled batch run ("-SIZE="): the chart in twips (picOmega
// as wide), the overview's main picture in its own units.
inline constexpr int kSnapChartWidthTw = 7635;
inline constexpr int kSnapChartHeightTw = 9855;
inline constexpr int kSnapOverviewWidth = 857;
inline constexpr int kSnapOverviewHeight = 561;
// The chart of a profile snapshot is never drawn smaller than at this scale:
// below it the titles and the omega scale cannot stand whole in it (their
// digits are never drawn less than 7 pixels tall).
inline constexpr double kSmallestSnapshotScale = 0.2;
// The chart's size in picture pixels at a scale (picOmega as wide).
struct PixelSize {
  int width = 0, height = 0;
};
PixelSize SnapshotChartSize(double scale);

// One entry of "-PROFILE=": setup letter A..D and hour index.
struct ProfileShot {
  char letter = 'A';
  int setup = 0;  // letter - 'A'
  int hour = 0;   // hour index (a value of the hour bar), not a forecast hour
};

struct CommandLine {
  std::string userName = "ondrik";  // "/U=" (read at start-up, before the batch)

  bool get = false;                 // "-GET=": run the downloader and wait
  std::string getArgs;              // its value, upper-cased

  double scale = 0;                 // "-SIZE=": percent / 100; 0 when absent

  bool archive = false;             // "-ARCHIVE": snapshot names carry the valid time

  // A profile file: an argument that is not an option and contains ".ond"
  // (any case). model and site come from "<model>_<site>.ond"; a bare file
  // name (no folder) is looked for in the profile folder.
  bool hasFile = false;
  std::string fileArg;              // the argument as given
  std::string filePath;             // the path to load
  std::string model, site;
  std::string fileError;            // why the file cannot be used ("" when it can)

  bool profile = false;             // "-PROFILE=" present
  std::vector<ProfileShot> shots;

  bool overview = false;            // "-OVERVIEW=" present
  std::vector<char> layouts;        // letters A..D, each handled once

  bool close = false;               // "-CLOSE"

  // True when any batch option (everything but "/U=") is present.
  bool AnyAction() const { return get || scale > 0 || archive || hasFile || profile || overview || close; }
};

// Splits a command line into arguments at blanks; double quotes group
// blanks into one argument and are removed.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// A path given on the command line, as it is read once start-up has made the
// program folder current: an absolute path ("/...", "\\..." or "X:...")
// stays as it is; a relative one is taken from startFolder, the folder the
// program was started from (ending in "/"; empty leaves the path as given).
std::string ResolveStartPath(const std::string& path, const std::string& startFolder);

// Parses the arguments (without the program name). configProfileDir is the
// profile folder of the configuration (ending in "/"), for a bare file name;
// a file named with a folder is resolved against startFolder.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& configProfileDir,
                             const std::string& startFolder = "");
CommandLine ParseCommandLine(const std::string& commandLine, const std::string& configProfileDir,
                             const std::string& startFolder = "");

// The row of the model list whose name equals model (case-blind); -1 when none.
int MatchModel(const std::vector<std::string>& modelNames, const std::string& model);

// What CommandProfile asks of the windows. Every member may be left empty
// (the step is then skipped); a snapshot without its callback is reported as
// not saved.
struct CommandActions {
  // "-GET=": run the downloader with the value and wait; false on failure
  // (which the callback reports itself, as RunDownloaderAndWait does).
  std::function<bool(const std::string& getArgs)> runDownloader;
  // After the downloader: the converter turns the compressed files it
  // fetched into profile files before a file of this run is loaded.
  std::function<void()> runConverter;
  // "-SIZE=" with "-PROFILE=": show the profile window, let events run and
  // size picData to 7635 x 9855 twips times s (picOmega as wide).
  std::function<void(double s)> scaleProfilePictures;
  // "-ARCHIVE": gArchiveMode on.
  std::function<void()> setArchiveMode;
  // Select row `row` of the model list (runs the model choice when it changes).
  std::function<void(int row)> selectModel;
  // LoadProfileFile(path); then the site list follows site (gSiteId, LastSite
  // and its row) and the caption := path upper-cased & " ONDRIK". Nothing
  // when the file was loaded; else why not, in the reader's words (the site
  // shown stays), which CommandProfile reports.
  std::function<std::optional<std::string>(const std::string& path, const std::string& site)> loadFile;
  // Let pending events run.
  std::function<void()> processEvents;
  // btnRecall_Click(setup).
  std::function<void(int setup)> recallSetup;
  // gLastHour(gCurDataset).
  std::function<int()> lastHour;
  // hsbHour.Value = hour (refreshes the window).
  std::function<void(int hour)> setHour;
  // ProfileSnap(letter); `saved` learns whether the snapshot was saved (a
  // failed one reports why itself), at once or at the latest when
  // profileSnapsSaved returns.
  std::function<void(char letter, std::function<void(bool ok)> saved)> profileSnap;
  // Waits for the profile snapshots still being saved.
  std::function<void()> profileSnapsSaved;
  // The profile window's Form_Resize.
  std::function<void()> profileResize;
  // "-SIZE=" with "-OVERVIEW=": show the overview and size its pictures.
  std::function<void(double s)> scaleOverviewPictures;
  // frmOverView.RecallMacro(layout).
  std::function<void(int layout)> recallLayout;
  // frmOverView.Snap(letter); false when the snapshot could not be saved.
  std::function<bool(char letter)> overviewSnap;
  // The overview's Form_Resize.
  std::function<void()> overviewResize;
  // "-CLOSE": end the program with the exit code, without writing the history.
  std::function<void(int exitCode)> endProgram;
};

struct CommandResult {
  int exitCode = 0;                   // 0 when every step worked; 1 otherwise
  int profileShots = 0, overviewShots = 0;  // snapshots saved
  std::vector<std::string> errors;    // each also shown through TheEffects().Message
};

// Carries out the parsed command line in the fixed order. modelNames is the
// model list of the configuration. A file that cannot be used (no "_" before
// ".ond", a model that is not configured, a failed load) is reported in one
// message, which says too that no snapshot was saved when some were asked
// for: none is taken, so that no snapshot shows a file that was not asked
// for. Failed snapshots are reported and the run goes on. The exit code
// handed to endProgram is non-zero when anything failed.
CommandResult CommandProfile(const CommandLine& cmd, const std::vector<std::string>& modelNames,
                             const CommandActions& actions);

}  // namespace ondrik
