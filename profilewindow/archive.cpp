#include "profilewindow/archive.h"

#include <algorithm>

#include "platform/folders.h"
#include "config/config.h"
#include "profilewindow/snapshot.h"

namespace ondrik {

namespace {

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

// Lists the archive files that match a pattern, keeps those of the right
// shape that pass `keep`, makes each entry's text and sorts newest first.
template <typename Keep, typename Text>
std::vector<ArchiveEntry> Seed(const std::string& archiveDir, const std::string& pattern, Keep keep, Text text) {
  std::vector<ArchiveEntry> entries;
  for (const std::string& name : ListFilesNoCase(archiveDir, pattern)) {
    ArchiveEntry e;
    if (!SplitArchiveName(name, e) || !keep(e)) continue;
    e.text = text(e);
    entries.push_back(std::move(e));
  }
  // Text order is time order; the newest run comes first.
  std::stable_sort(entries.begin(), entries.end(), [](const ArchiveEntry& a, const ArchiveEntry& b) {
    return a.text != b.text ? a.text > b.text : a.fileName > b.fileName;
  });
  return entries;
}

std::string DateHour(const ArchiveEntry& e) {
  const std::size_t d = e.fileName.find('.');
  return e.fileName.substr(0, d - 2) + " " + e.runHour;
}

bool IsEtaOffHour(const std::string& model, const std::string& runHour) {
  return ToUpperAscii(model) == "ETA" && (runHour == "06" || runHour == "18");
}

}  // namespace

std::string ArchiveModelFor(const std::string& modelName) {
  const std::string up = ToUpperAscii(modelName);
  if (up == "ETAM") return "eta";
  if (up == "NAMM") return "Nam";
  return modelName;
}

bool SplitArchiveName(const std::string& fileName, ArchiveEntry& parts) {
  const std::size_t d = fileName.find('.');
  const std::size_t u = fileName.rfind('_');
  if (d == std::string::npos || d < 2 || u == std::string::npos || u <= d + 1) return false;
  if (fileName.size() < u + 1 + 4) return false;  // ".ond" after the "_" (the site may be empty)
  if (!EqualsNoCase(fileName.substr(fileName.size() - 4), ".ond")) return false;
  parts.fileName = fileName;
  parts.runHour = fileName.substr(d - 2, 2);
  parts.model = fileName.substr(d + 1, u - d - 1);
  parts.site = fileName.substr(u + 1, fileName.size() - 4 - u - 1);
  return true;
}

std::vector<ArchiveEntry> SeedModelSite(const std::string& archiveDir, const std::string& archiveModel,
                                        const std::string& siteId) {
  return Seed(
      archiveDir, "*." + archiveModel + "*_*" + siteId + ".ond",
      [&](const ArchiveEntry& e) { return StartsWithNoCase(e.model, archiveModel); },
      [](const ArchiveEntry& e) { return DateHour(e); });
}

std::vector<ArchiveEntry> SeedModel(const std::string& archiveDir, const std::string& archiveModel) {
  return Seed(
      archiveDir, "*." + archiveModel + "*_*.ond",
      [&](const ArchiveEntry& e) { return StartsWithNoCase(e.model, archiveModel); },
      [](const ArchiveEntry& e) { return DateHour(e) + " " + e.site; });
}

std::vector<ArchiveEntry> SeedAll(const std::string& archiveDir) {
  return Seed(
      archiveDir, "*.*_*.ond", [](const ArchiveEntry&) { return true; },
      [](const ArchiveEntry& e) { return DateHour(e) + " " + e.model + " " + e.site; });
}

ArchiveLists ArchiveCaptions(const std::string& modelName, const std::string& siteId) {
  ArchiveLists lists;
  lists.archiveModel = ArchiveModelFor(modelName);
  lists.lblModelSite = lists.archiveModel + " for " + siteId;
  lists.lblModel = "All " + lists.archiveModel;
  return lists;
}

ArchiveLists SeedArchiveLists(const std::string& archiveDir, const std::string& modelName,
                              const std::string& siteId) {
  ArchiveLists lists = ArchiveCaptions(modelName, siteId);
  lists.lstModelSite = SeedModelSite(archiveDir, lists.archiveModel, siteId);
  lists.lstModel = SeedModel(archiveDir, lists.archiveModel);
  lists.lstAll = SeedAll(archiveDir);
  return lists;
}

FileChoice ArchiveClick(ArchiveList list, const ArchiveEntry& entry, const std::string& archiveModel) {
  FileChoice c;
  c.fileName = entry.fileName;
  if (list == ArchiveList::All) {
    c.fileModel = IsEtaOffHour(entry.model, entry.runHour) ? "EtaM" : entry.model;
  } else {
    c.fileModel = ToUpperAscii(archiveModel);
    if (IsEtaOffHour(c.fileModel, entry.runHour)) c.fileModel += "M";
  }
  return c;
}

int ModelRowForFile(const std::vector<std::string>& modelNames, const std::string& fileModel,
                    const std::string& currentModel) {
  if (EqualsNoCase(fileModel, currentModel)) return -1;
  for (std::size_t i = 0; i < modelNames.size(); ++i)
    if (EqualsNoCase(modelNames[i], fileModel)) return static_cast<int>(i);
  return -1;
}

SelectFilePlan SelectFile(const FileChoice& choice, bool fromDialog, const std::string& archiveDir,
                          const std::vector<std::string>& modelNames, const std::string& currentModel) {
  SelectFilePlan plan;
  plan.modelRow = ModelRowForFile(modelNames, choice.fileModel, currentModel);
  if (fromDialog) {
    plan.loadPath = choice.fileName;
    plan.caption = choice.fileName + " ONDRIK";
  } else {
    plan.loadPath = JoinFolder(archiveDir, choice.fileName);
    const std::size_t keep = choice.fileName.size() >= 4 ? choice.fileName.size() - 4 : 0;
    plan.caption = ToUpperAscii(choice.fileName.substr(0, keep)) + " ONDRIK";
  }
  // The dialog road runs UpdateOverview right after SelectFile; both roads end with it.
  plan.updateOverview = true;
  const std::size_t sep = choice.fileName.find_last_of("/\\");
  const std::string name = sep == std::string::npos ? choice.fileName : choice.fileName.substr(sep + 1);
  const std::size_t u = name.rfind('_');
  const std::size_t d = name.rfind('.');
  if (u != std::string::npos && d != std::string::npos && u < d) plan.siteId = name.substr(u + 1, d - u - 1);
  return plan;
}

DialogChoice ArchiveDialogChoice(const std::string& path, const std::string& previousModel) {
  DialogChoice r;
  if (path.empty()) return r;
  r.ok = true;
  const std::size_t sep = path.find_last_of("/\\");
  r.openDialogDir = sep == std::string::npos ? "" : path.substr(0, sep + 1);
  const std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
  r.caption = name;
  r.choice.fileName = path;
  r.choice.fileModel = previousModel;
  const std::size_t u = name.rfind('_');
  if (u != std::string::npos && u > 0) {
    const std::size_t p = name.rfind('.', u);
    const std::string model = p == std::string::npos ? name.substr(0, u) : name.substr(p + 1, u - p - 1);
    if (!model.empty()) r.choice.fileModel = ToUpperAscii(model);
  }
  return r;
}

std::string DialogStartFolder(const std::string& openDialogDir) {
  if (openDialogDir.size() > 1 && (openDialogDir.back() == '/' || openDialogDir.back() == '\\'))
    return openDialogDir.substr(0, openDialogDir.size() - 1);
  return openDialogDir;
}

}  // namespace ondrik
