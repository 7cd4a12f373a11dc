// Starting the outside programs of the Ondrik family: the converter onz2ond
// (compressed .onz profiles into .ond files) and the downloader Haulix (fetches
// profile files by its download lists A to V). Neither is part of this
// program; both are looked for in the program folder, with or without ".exe",
// whatever the case of the name. Every wait has a time limit.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ondrik {

inline constexpr int kHaulixButtons = 22;                 // list letters "A" to "V"
inline constexpr int kConverterTimeoutMs = 5 * 60 * 1000;  // converting a folder of files
inline constexpr int kDownloaderTimeoutMs = 60 * 60 * 1000; // "-GET=" batch download

// The path of an outside program in the program folder: "<name>" or
// "<name>.exe" in any letter case; "" when there is none.
std::string FindProgram(const std::string& programFolder, const std::string& name);

// Starts a program and waits for it to end, at most timeoutMs; false when it
// could not be started or did not end in time.
bool ShellAndWait(const std::string& program, const std::vector<std::string>& args, bool hidden, int timeoutMs);

// Runs the converter hidden and waits for it (a model choice and the archive
// button do this before listing files). A missing converter is skipped; the
// first time in a run one line on standard error says so. True when it ran
// to its end.
bool RunConverter(const std::string& programFolder, int timeoutMs = kConverterTimeoutMs);

// The letter of a downloader button: "A" for 0 ... "V" for 21.
std::string HaulixLetter(int index);

// The "Get Data" button: starts the downloader without a list, no wait.
// A missing downloader, or one that cannot be started, is reported in a message.
bool StartDownloader(const std::string& programFolder);

// A list button (index 0..21): starts the downloader with the list's letter,
// no wait; then reads the list file. `compressedArrived` tells that the list
// file names compressed (.onz) files, which turns the model list dark red.
struct HaulixClickResult {
  bool started = false;
  bool compressedArrived = false;
};
HaulixClickResult HaulixButtonClick(const std::string& programFolder, int index);

// The "-GET=" option: runs the downloader with the option's value and waits
// for it (with a time limit). A missing downloader is reported in a message.
bool RunDownloaderAndWait(const std::string& programFolder, const std::string& getValue,
                          int timeoutMs = kDownloaderTimeoutMs);

// The tool tip of a list from its file's first line: the text after "LIST"
// and the three characters that follow it, with everything up to the last
// ":" or "-" removed, trimmed ("LIST = East: coast" gives "coast").
std::string ToolTipFromListLine(const std::string& firstLine);

// Tool tips of the 22 list buttons from "Haulix<letter>.Dat" in the program
// folder; no value for a list whose file is missing or empty (the button
// keeps its tool tip).
std::vector<std::optional<std::string>> GetToolTips(const std::string& programFolder);

}  // namespace ondrik
