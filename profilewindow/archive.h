// The archive lists and the choice of a file from them or from the open-file
// dialog. Archive files are named "<yymmddhh>.<model>_<site>.ond" in the
// archive folder. The lists show the runs newest first; every entry keeps the
// name of the file it was made from, so that a click loads that very file.
#pragma once

#include <string>
#include <vector>

namespace ondrik {

inline constexpr const char* kArchiveDialogTitle = "Select A Profile";
// The open-file dialog's filter, in the toolkit's form.
inline constexpr const char* kArchiveDialogFilter = "Ondrik Files  (*.ond);;All Files  (*.*)";
inline constexpr const char* kAllProfilesCaption = "All Profiles";
inline constexpr int kArchivePanel = 99;  // the side panel that shows the lists

// The model the archive lists search for: "eta" for ETAM, "Nam" for NAMM
// (case-blind), else the model name itself.
std::string ArchiveModelFor(const std::string& modelName);

struct ArchiveEntry {
  std::string text;      // "yymmdd hh", "yymmdd hh site" or "yymmdd hh model site"
  std::string fileName;  // the archive file's name as found in the folder
  std::string model;     // the model part of the name, as written
  std::string site;      // the site part of the name, as written
  std::string runHour;   // "hh"
};

// The parts of an archive file name; false for a name of another shape.
bool SplitArchiveName(const std::string& fileName, ArchiveEntry& parts);

// The three lists, newest first (descending text order). lstModelSite
// lists the runs of archiveModel (and the longer names that begin with it)
// whose site ends in siteId ("*_*<site>.ond": XKBOS is listed under KBOS);
// lstModel those at every site; lstAll every archive file. A file whose
// site part is empty is listed too.
std::vector<ArchiveEntry> SeedModelSite(const std::string& archiveDir, const std::string& archiveModel,
                                        const std::string& siteId);
std::vector<ArchiveEntry> SeedModel(const std::string& archiveDir, const std::string& archiveModel);
std::vector<ArchiveEntry> SeedAll(const std::string& archiveDir);

// Everything the "Archive" button shows (after the converter has run).
struct ArchiveLists {
  std::string archiveModel;
  std::string lblModelSite;  // "<archiveModel> for <site>"
  std::string lblModel;      // "All <archiveModel>"
  std::string lblAll = kAllProfilesCaption;
  std::vector<ArchiveEntry> lstModelSite, lstModel, lstAll;
};
ArchiveLists SeedArchiveLists(const std::string& archiveDir, const std::string& modelName,
                              const std::string& siteId);
// The same without the entries: the archive model and the captions.
ArchiveLists ArchiveCaptions(const std::string& modelName, const std::string& siteId);

enum class ArchiveList { ModelSite, Model, All };

// A file chosen from a list or the dialog: gFileName and gFileModel.
struct FileChoice {
  std::string fileName;   // inside the archive folder (list) or a full path (dialog)
  std::string fileModel;  // the model to select in the model list
};

// The click on an entry. From lstModelSite and lstModel the model is
// archiveModel in capitals, with "M" appended for an "ETA" run at 06 or
// 18 UTC; from lstAll it is the entry's model, "EtaM" for such an eta run.
FileChoice ArchiveClick(ArchiveList list, const ArchiveEntry& entry, const std::string& archiveModel);

// The model-list row to select before loading: -1 when fileModel equals the
// current model (case-blind) or matches no row; else the first row whose
// name equals it, case-blind.
int ModelRowForFile(const std::vector<std::string>& modelNames, const std::string& fileModel,
                    const std::string& currentModel);

// SelectFile as steps for the window:
//   if modelRow >= 0: ModelSwitchByCode = -1, select that row, ModelSwitchByCode = 0;
//   LoadProfileFile(loadPath); caption := caption;
//   if updateOverview: UpdateOverview();
//   btnDisplay_Click(PreviousPanel);
//   if !siteId.empty(): gSiteId := siteId, and the site list follows it
//   (LastSite and its row, without a load).
struct SelectFilePlan {
  int modelRow = -1;
  std::string loadPath;
  std::string caption;
  bool updateOverview = false;
  std::string siteId;  // "" when the name has no "<model>_<site>." shape
};
SelectFilePlan SelectFile(const FileChoice& choice, bool fromDialog, const std::string& archiveDir,
                          const std::vector<std::string>& modelNames, const std::string& currentModel);

// The open-file dialog's choice: the folder the next dialog starts in (ending
// in a separator), the caption (the file name), gFileName (the path) and the
// model from "<...>.<model>_<site>.ond" or "<model>_<site>.ond" in capitals;
// a name without "_" keeps previousModel. An empty path (cancelled) gives
// ok = false.
struct DialogChoice {
  bool ok = false;
  std::string openDialogDir;
  std::string caption;
  FileChoice choice;
};
DialogChoice ArchiveDialogChoice(const std::string& path, const std::string& previousModel);

// The folder the dialog starts in: gOpenDialogDir without its trailing separator.
std::string DialogStartFolder(const std::string& openDialogDir);

}  // namespace ondrik
