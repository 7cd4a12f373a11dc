// The command line on any bytes: split, parsed and carried out against
// actions that only count. A bare file name is looked for in a profile
// folder that holds a few files. Options keep to their ranges, every failure
// is counted in the exit code, and no snapshot is taken for a file that was
// not loaded.
#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "profilewindow/commandline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik;
  static const std::string profileDir = [] {
    for (const char* name : {"NAM_KOKC.ond", "gfs_kbos.OND", "SREF_KOKC.ond"})
      std::ofstream(fuzz::ScratchFolder() + name) << "\n";
    return fuzz::ScratchFolder();
  }();
  fuzz::QuietEffects();
  const std::string text(fuzz::AsText(data, size));
  const CommandLine cmd = ParseCommandLine(text, profileDir);

  FUZZ_CHECK(cmd.scale >= 0 && cmd.scale <= 10, "scale out of range");
  FUZZ_CHECK(!cmd.userName.empty(), "no configuration name");
  for (const ProfileShot& s : cmd.shots) {
    FUZZ_CHECK(s.letter >= 'A' && s.letter <= 'D' && s.setup == s.letter - 'A', "setup letter out of range");
    FUZZ_CHECK(s.hour >= 0, "negative hour");
  }
  for (char l : cmd.layouts) FUZZ_CHECK(l >= 'A' && l <= 'D', "layout letter out of range");
  FUZZ_CHECK(!cmd.hasFile || !cmd.fileError.empty() || (!cmd.model.empty() && !cmd.site.empty()),
             "a usable file without model or site: " + cmd.fileArg);

  // The actions answer from the input, so that both roads are taken.
  const bool loads = size > 0 && (data[size - 1] & 1) != 0;
  const bool downloads = size > 0 && (data[size - 1] & 2) != 0;
  int loaded = 0, snaps = 0, ends = 0;
  CommandActions a;
  a.runDownloader = [&](const std::string&) { return downloads; };
  a.scaleProfilePictures = [](double) {};
  a.setArchiveMode = [] {};
  a.selectModel = [](int) {};
  a.loadFile = [&](const std::string&, const std::string&) -> std::optional<std::string> {
    ++loaded;
    if (loads) return std::nullopt;
    return "not loaded";
  };
  a.processEvents = [] {};
  a.recallSetup = [](int setup) { FUZZ_CHECK(setup >= 0 && setup <= 3, "setup out of range"); };
  a.lastHour = [] { return 84; };
  a.setHour = [](int hour) { FUZZ_CHECK(hour >= 0 && hour <= 84, "hour beyond the last"); };
  a.profileSnap = [&](char, std::function<void(bool)> saved) { saved(++snaps % 3 != 0); };
  a.profileResize = [] {};
  a.scaleOverviewPictures = [](double) {};
  a.recallLayout = [](int layout) { FUZZ_CHECK(layout >= 0 && layout <= 3, "layout out of range"); };
  a.overviewSnap = [&](char) { return ++snaps % 3 != 0; };
  a.overviewResize = [] {};
  a.endProgram = [&](int) { ++ends; };
  const CommandResult r = CommandProfile(cmd, {"NAM", "GFS", "RUC", "SREF"}, a);

  FUZZ_CHECK(r.exitCode == (r.errors.empty() ? 0 : 1), "exit code and errors disagree");
  FUZZ_CHECK(ends == (cmd.close ? 1 : 0), "-CLOSE ends the program once, and only -CLOSE");
  FUZZ_CHECK(loaded <= 1, "the file is loaded more than once");
  if (cmd.hasFile && !(loaded == 1 && loads)) {
    FUZZ_CHECK(r.profileShots == 0 && r.overviewShots == 0, "snapshots of a file that was not loaded");
    FUZZ_CHECK(r.exitCode != 0, "a file that was not loaded ends without an error");
  }
  FUZZ_CHECK(r.profileShots <= static_cast<int>(cmd.shots.size()) &&
                 r.overviewShots <= static_cast<int>(cmd.layouts.size()),
             "more snapshots than asked for");
  return 0;
}
