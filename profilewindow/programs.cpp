#include "profilewindow/programs.h"

#include <set>

#include "platform/effects.h"
#include "platform/folders.h"
#include "config/config.h"

namespace ondrik {

std::string FindProgram(const std::string& programFolder, const std::string& name) {
  std::string path = FindFileNoCase(programFolder, name);
  if (path.empty()) path = FindFileNoCase(programFolder, name + ".exe");
  return path;
}

bool ShellAndWait(const std::string& program, const std::vector<std::string>& args, bool hidden, int timeoutMs) {
  if (program.empty()) return false;
  return TheEffects().StartProgramAndWait(program, args, hidden, timeoutMs);
}

bool RunConverter(const std::string& programFolder, int timeoutMs) {
  const std::string converter = FindProgram(programFolder, "onz2ond");
  if (converter.empty()) {
    // Said once per run (per folder), not at every model choice.
    static std::set<std::string> told;
    if (told.insert(programFolder).second)
      PrintMessageLine("the converter onz2ond is not in " + programFolder + "; compressed profiles are not converted.");
    return false;
  }
  if (!ShellAndWait(converter, {}, true, timeoutMs)) {
    PrintMessageLine("the converter " + converter + " could not be run to its end.");
    return false;
  }
  return true;
}

std::string HaulixLetter(int index) {
  if (index < 0 || index >= kHaulixButtons) return "";
  return std::string(1, static_cast<char>('A' + index));
}

namespace {

void DownloaderMissing(const std::string& programFolder) {
  TheEffects().Message("The downloader program Haulix is not in the program folder:\n" + programFolder +
                           "\n\nProfiles can't be downloaded until it is installed there.",
                       kProgramName, MsgIcon::Warning);
}

void DownloaderFailed(const std::string& path) {
  TheEffects().Message("The downloader program could not be started:\n" + path, kProgramName, MsgIcon::Warning);
}

bool Start(const std::string& programFolder, const std::vector<std::string>& args) {
  const std::string haulix = FindProgram(programFolder, "Haulix");
  if (haulix.empty()) {
    DownloaderMissing(programFolder);
    return false;
  }
  if (!TheEffects().StartProgram(haulix, args, false)) {
    DownloaderFailed(haulix);
    return false;
  }
  return true;
}

std::string ListFileName(const std::string& letter) { return "Haulix" + letter + ".Dat"; }

std::string ListFilePath(const std::string& programFolder, const std::string& letter) {
  return FindFileNoCase(programFolder, ListFileName(letter));
}

}  // namespace

bool StartDownloader(const std::string& programFolder) { return Start(programFolder, {}); }

HaulixClickResult HaulixButtonClick(const std::string& programFolder, int index) {
  HaulixClickResult r;
  const std::string letter = HaulixLetter(index);
  if (letter.empty()) return r;
  r.started = Start(programFolder, {letter});
  // The list file tells what the list's last download brought.
  std::vector<std::string> lines;
  const std::string list = ListFilePath(programFolder, letter);
  if (!list.empty() && ReadTextLines(list, lines)) {
    for (const std::string& line : lines) {
      if (ContainsNoCase(line, ".ONZ")) {
        r.compressedArrived = true;
        break;
      }
    }
  }
  return r;
}

bool RunDownloaderAndWait(const std::string& programFolder, const std::string& getValue, int timeoutMs) {
  const std::string haulix = FindProgram(programFolder, "Haulix");
  if (haulix.empty()) {
    DownloaderMissing(programFolder);
    return false;
  }
  std::vector<std::string> args;
  if (!getValue.empty()) args.push_back(getValue);
  if (!ShellAndWait(haulix, args, false, timeoutMs)) {
    PrintMessageLine("the downloader " + haulix + " could not be run to its end.");
    return false;
  }
  return true;
}

std::string ToolTipFromListLine(const std::string& firstLine) {
  std::string line = firstLine;
  const auto p = ToUpperAscii(line).find("LIST");
  if (p != std::string::npos) line = p + 7 <= line.size() ? line.substr(p + 7) : "";
  // Everything up to and including the last ":" or "-" goes.
  const auto last = line.find_last_of(":-");
  if (last != std::string::npos) line = line.substr(last + 1);
  return TrimBlanks(line);
}

std::vector<std::optional<std::string>> GetToolTips(const std::string& programFolder) {
  std::vector<std::optional<std::string>> tips(kHaulixButtons);
  std::vector<std::string> names;
  for (int i = 0; i < kHaulixButtons; ++i) names.push_back(ListFileName(HaulixLetter(i)));
  const std::vector<std::string> paths = FindFilesNoCase(programFolder, names);
  for (int i = 0; i < kHaulixButtons; ++i) {
    std::vector<std::string> lines;
    if (paths[i].empty() || !ReadTextLines(paths[i], lines) || lines.empty()) continue;
    tips[i] = ToolTipFromListLine(lines[0]);
  }
  return tips;
}

}  // namespace ondrik
