#include "profilewindow/commandline.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/windowplace.h"
#include "config/config.h"

namespace ondrik {

namespace {

constexpr double kMaxScale = 10.0;  // "-SIZE=" above 1000 percent is taken as 1000
constexpr int kHourCap = 1000000;    // longer digit runs name no hour of any file

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool IsLetterAToD(char c) { return c >= 'A' && c <= 'D'; }

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// Fills the file fields of cmd from an argument that contains ".ond".
void ParseFileArgument(const std::string& arg, const std::string& configProfileDir, const std::string& startFolder,
                       CommandLine& cmd) {
  cmd.hasFile = true;
  cmd.fileArg = arg;
  const std::string upper = ToUpperAscii(arg);
  const std::size_t c = upper.rfind(".OND");
  const std::size_t sep = arg.find_last_of("/\\", c);
  const std::size_t nameStart = sep == std::string::npos ? 0 : sep + 1;
  const std::string stem = arg.substr(nameStart, c - nameStart);
  const std::string name = arg.substr(nameStart, c + 4 - nameStart);
  const std::size_t u = stem.rfind('_');
  if (u == std::string::npos || u == 0 || u + 1 == stem.size()) {
    cmd.fileError = "The profile file " + arg +
                    " is not named <model>_<site>.ond, so its model and site are not known; it was not loaded.";
    return;
  }
  cmd.model = stem.substr(0, u);
  cmd.site = ToUpperAscii(stem.substr(u + 1));
  if (sep == std::string::npos) {
    // A bare file name is looked for in the configured profile folder.
    cmd.filePath = configProfileDir + name;
    if (!FileExists(cmd.filePath)) {
      const std::string found = FindFileNoCase(configProfileDir, name);
      if (!found.empty()) cmd.filePath = found;
    }
  } else {
    cmd.filePath = ResolveStartPath(arg.substr(0, c + 4), startFolder);
    // Files named on a file system that ignores case: find the name whatever its case.
    if (!FileExists(cmd.filePath) && arg[sep] == '/') {
      const std::string folder = cmd.filePath.substr(0, cmd.filePath.size() - name.size());
      const std::string found = FindFileNoCase(folder, name);
      if (!found.empty()) cmd.filePath = found;
    }
  }
}

}  // namespace

std::string ResolveStartPath(const std::string& path, const std::string& startFolder) {
  const bool absolute = (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
                        (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':');
  if (absolute || path.empty() || startFolder.empty()) return path;
  const char last = startFolder.back();
  return startFolder + (last == '/' || last == '\\' ? "" : "/") + path;
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> args;
  std::string cur;
  bool inQuotes = false, any = false;
  for (const char ch : commandLine) {
    if (ch == '"') {
      inQuotes = !inQuotes;
      any = true;
    } else if (!inQuotes && (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n')) {
      if (any) args.push_back(cur);
      cur.clear();
      any = false;
    } else {
      cur += ch;
      any = true;
    }
  }
  if (any) args.push_back(cur);
  return args;
}

PixelSize SnapshotChartSize(double scale) {
  const double s = std::max(scale, kSmallestSnapshotScale);
  return {static_cast<int>(kSnapChartWidthTw * s / kTwipsPerPixel), static_cast<int>(kSnapChartHeightTw * s / kTwipsPerPixel)};
}

CommandLine ParseCommandLine(const std::string& commandLine, const std::string& configProfileDir,
                             const std::string& startFolder) {
  return ParseCommandLine(SplitCommandLine(commandLine), configProfileDir, startFolder);
}

CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& configProfileDir,
                             const std::string& startFolder) {
  CommandLine cmd;
  std::string joined;
  for (const auto& a : args) joined += (joined.empty() ? "" : " ") + a;
  cmd.userName = GetUserName(joined);

  for (const std::string& arg : args) {
    std::string a;
    for (const char ch : arg)
      if (ch != '"') a += ch;
    const std::string up = ToUpperAscii(a);
    if (StartsWith(up, "/U=")) continue;  // read by the start-up
    if (StartsWith(up, "-GET=")) {
      if (!cmd.get) {
        cmd.get = true;
        cmd.getArgs = up.substr(5);
      }
    } else if (StartsWith(up, "-SIZE=")) {
      if (cmd.scale == 0) {
        long n = 0;
        for (std::size_t i = 6; i < up.size() && std::isdigit(static_cast<unsigned char>(up[i])); ++i)
          if (n < 1000000) n = n * 10 + (up[i] - '0');
        cmd.scale = n / 100.0;
        if (cmd.scale > kMaxScale) cmd.scale = kMaxScale;
      }
    } else if (up == "-ARCHIVE") {
      cmd.archive = true;
    } else if (StartsWith(up, "-PROFILE=")) {
      if (!cmd.profile) {
        cmd.profile = true;
        std::size_t i = 9;
        while (i < up.size() && IsLetterAToD(up[i])) {
          ProfileShot shot;
          shot.letter = up[i];
          shot.setup = up[i] - 'A';
          ++i;
          while (i < up.size() && std::isdigit(static_cast<unsigned char>(up[i]))) {
            if (shot.hour < kHourCap) shot.hour = shot.hour * 10 + (up[i] - '0');
            ++i;
          }
          cmd.shots.push_back(shot);
        }
      }
    } else if (StartsWith(up, "-OVERVIEW=")) {
      if (!cmd.overview) {
        cmd.overview = true;
        for (std::size_t i = 10; i < up.size() && IsLetterAToD(up[i]); ++i) cmd.layouts.push_back(up[i]);
      }
    } else if (up == "-CLOSE") {
      cmd.close = true;
    } else if (!StartsWith(up, "-") && up.find(".OND") != std::string::npos && !cmd.hasFile) {
      ParseFileArgument(a, configProfileDir, startFolder, cmd);
    }
  }
  return cmd;
}

int MatchModel(const std::vector<std::string>& modelNames, const std::string& model) {
  for (std::size_t i = 0; i < modelNames.size(); ++i)
    if (EqualsNoCase(modelNames[i], model)) return static_cast<int>(i);
  return -1;
}

CommandResult CommandProfile(const CommandLine& cmd, const std::vector<std::string>& modelNames,
                             const CommandActions& actions) {
  CommandResult result;
  auto fail = [&result](const std::string& message, bool show) {
    result.errors.push_back(message);
    if (show) TheEffects().Message(message, kProgramName, MsgIcon::Warning);
  };
  auto events = [&actions] {
    if (actions.processEvents) actions.processEvents();
  };

  // 1. Fetch data and wait for the downloader.
  // The downloader's starter reports its own failures.
  if (cmd.get) {
    if (actions.runDownloader && !actions.runDownloader(cmd.getArgs))
      fail("The downloader did not finish its work (-GET=" + cmd.getArgs + ").", false);
    // What it fetched compressed is converted before the file is loaded.
    if (actions.runConverter) actions.runConverter();
  }

  // 2. Picture scale for the profile snapshots.
  if (cmd.scale > 0.1 && cmd.profile && actions.scaleProfilePictures) actions.scaleProfilePictures(cmd.scale);

  // 3. Snapshot names with the valid time.
  if (cmd.archive && actions.setArchiveMode) actions.setArchiveMode();

  // 4. The profile file. Why it is not loaded is told once, with what that
  // leaves undone.
  std::optional<std::string> fileFault;
  if (cmd.hasFile) {
    if (!cmd.fileError.empty()) {
      fileFault = cmd.fileError;
    } else if (const int row = MatchModel(modelNames, cmd.model); row < 0) {
      fileFault = "The model " + cmd.model + " of the profile file " + cmd.filePath +
                  " is not in the model list of the configuration; the file was not loaded.";
    } else {
      if (actions.selectModel) actions.selectModel(row);
      if (actions.loadFile) fileFault = actions.loadFile(cmd.filePath, cmd.site);
    }
  }
  const bool fileOk = !fileFault;
  if (fileFault) {
    if (cmd.profile || cmd.overview) *fileFault += "\nNo snapshots were saved, because the profile file was not loaded.";
    fail(*fileFault, true);
  }

  // 5. Profile snapshots.
  if (cmd.profile && fileOk) {
    for (const ProfileShot& shot : cmd.shots) {
      events();
      if (actions.recallSetup) actions.recallSetup(shot.setup);
      const int last = actions.lastHour ? actions.lastHour() : 0;
      if (shot.hour > last) continue;  // the setup is recalled, no snapshot
      if (actions.setHour) actions.setHour(shot.hour);
      const std::string what = std::string("The profile snapshot ") + shot.letter + std::to_string(shot.hour);
      if (!actions.profileSnap)
        fail(what + " was not saved: the profile window cannot save snapshots.", true);
      else
        actions.profileSnap(shot.letter, [&result, &fail, what](bool ok) {
          if (ok)
            ++result.profileShots;
          else
            fail(what + " was not saved.", false);  // the snapshot has reported why
        });
    }
    if (actions.profileSnapsSaved) actions.profileSnapsSaved();
    if (actions.profileResize) actions.profileResize();
  }

  // 6. Overview snapshots, each letter once.
  if (cmd.overview && fileOk) {
    if (cmd.scale > 0.1 && actions.scaleOverviewPictures) actions.scaleOverviewPictures(cmd.scale);
    for (const char letter : cmd.layouts) {
      events();
      if (actions.recallLayout) actions.recallLayout(letter - 'A');
      const std::string what = std::string("The overview snapshot ") + letter;
      if (!actions.overviewSnap)
        fail(what + " was not saved: the overview window cannot save snapshots.", true);
      else if (actions.overviewSnap(letter))
        ++result.overviewShots;
      else
        fail(what + " was not saved.", false);  // the snapshot has reported why
    }
    if (actions.overviewResize) actions.overviewResize();
  }

  result.exitCode = result.errors.empty() ? 0 : 1;
  // 7. End at once, without writing the history.
  if (cmd.close && actions.endProgram) actions.endProgram(result.exitCode);
  return result;
}

}  // namespace ondrik
