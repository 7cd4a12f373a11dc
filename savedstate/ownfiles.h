// The names of the files this program saves, in one list, and the one
// place each of its writers takes its file's name from. A save writes a
// temporary file beside its file (temporary.h); the stray cleaner removes a
// temporary only when the name before the temporary's mark is in this list,
// so that a file of the user's, whatever it is called, is never taken for
// one.
//
// Qt-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ondrik::saved {

// The saved-state folder: the history, and the display setups, overview
// layouts and map presets, each of these a prefix followed by the slot's
// digits ("Ondrik.SP3").
inline constexpr const char* kHistoryFileName = "Ondrik.hst";
inline constexpr std::string_view kSetupFilePrefix = "Ondrik.SP";
inline constexpr std::string_view kLayoutFilePrefix = "Ondrik.SO";
inline constexpr std::string_view kMapPresetFilePrefix = "MapPreset.M";
// The program folder: the configuration the set-up window writes, and the
// time-zone table.
inline constexpr const char* kConfigFileName = "Ondrik.cfg";
inline constexpr const char* kTimeZoneFileName = "TimeZone.DAT";
// The snapshot folder: a snapshot's name holds one of the two words (the
// whole name, model, site and hour added, lower-cased) and the extension.
inline constexpr std::string_view kProfileSnapshotWord = "OndrikProfile";
inline constexpr std::string_view kOverviewSnapshotWord = "OndrikOverview";
inline constexpr std::string_view kSnapshotExtension = ".png";
// The export folder: the two texts of one exported profile.
inline constexpr std::string_view kNspExtension = ".nsp";
inline constexpr std::string_view kBspExtension = ".bsp";
// Every folder the stray cleaner looks in: the file it reads the file
// system's clock by, saved through a temporary of its own.
inline constexpr const char* kClockFileName = "Ondrik.clock";

// One kind of file the program saves: what it is, and its names, where "*"
// stands for any text and "#" for one or more digits. Letters match in
// either case: a file found without regard to case is saved under the name
// it was found by.
struct OwnFile {
  std::string what;
  std::string pattern;
};
const std::vector<OwnFile>& OwnFiles();

// Whether fileName (a name, no folder) is one of the files the program saves.
bool IsOwnFileName(std::string_view fileName);

}  // namespace ondrik::saved
