// The profile-file reader: reads a profile data file (*.ond) with all its
// datasets, hours, levels, station indices and surface section into the
// profile store, derives the values the displays share, and then sets the
// controls of the profile window through LoadUi.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/loadui.h"
#include "core/reader_layouts.h"
#include "core/store.h"

namespace ondrik {

// A read past the end of the file, or a file that cannot be made sense of.
class ProfileReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads lines and numbers from a profile file held in memory.
//
// Line read: the rest of the current line; its line end is consumed.
// Number read: the next item as a Single. Items are separated by blanks
// (spaces, tabs), commas and line ends. Blanks and one comma or one line end
// right after an item are consumed with it, so a line read after the last
// number of a line returns the following line. An item that is not a number
// reads 0; an empty (or blank) line where a number is expected reads 0 and is
// consumed. Line ends are "\r\n", "\n" or a lone "\r".
// Any read at the end of the buffer throws ProfileReadError.
class ProfileTokenizer {
 public:
  explicit ProfileTokenizer(std::string_view text) : text_(text) {}
  // Reading from byte `pos` of the text, which begins line `line`.
  ProfileTokenizer(std::string_view text, std::size_t pos, int line) : text_(text), pos_(pos), line_(line) {}

  std::string_view ReadLine();
  Single ReadNumber();
  // values.size() number reads in a row.
  void ReadNumbers(std::span<Single> values);
  void SkipLines(int n) {
    for (int k = 0; k < n; ++k) ReadLine();
  }
  // True when nothing is left to read.
  bool AtEnd() const { return pos_ >= text_.size(); }
  // True when only blanks and line ends are left.
  bool OnlyBlankLeft() const;
  // 1-based number of the line on which the most recent read began.
  int LineNumber() const { return readLine_; }
  // Where the next read begins: the byte and its 1-based line.
  std::size_t Position() const { return pos_; }
  int Line() const { return line_; }

 private:
  [[noreturn]] void EndOfFile() const;
  void ConsumeLineEnd();

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;      // line of pos_
  int readLine_ = 1;  // line where the most recent read began
};

// Parses an item as a number; false (and 0) when it is not one.
bool ParseNumber(std::string_view item, Single& value);

// Reads up to size bytes of the open file fd into data: the number read, 0
// at the end of the file, or -1 with errno set. ReadFileBytes reads the file
// system itself (again after an interrupted read).
using ReadBytes = std::function<long long(int fd, char* data, long long size)>;
long long ReadFileBytes(int fd, char* data, long long size);

// Why a profile file was not taken: it changed while it was read (a download
// rewriting it), so what was read is neither the old file nor the new one.
inline constexpr const char* kFileChangedWhileRead = "it changed while it was read; load it again";

// What the load needs from the configuration and the profile window.
struct LoadOptions {
  std::string modelKey;        // ModelCodes(gModelIndex): "eta", "ruc" or "gfs3"
  bool dayFirst = false;       // gDayFirst: only how dates are shown elsewhere
  bool timeLeftToRight = true; // gTimeLeftToRight: hour 0 at the left of hsbHour
  Integer sigmaLevelStep = 0;  // gSigmaLevelStep of the model
  Integer sigmaLevelPres = 0;  // SigmaLevelPres: pressure (mb) or level (< 100)
  Single srInflowDepth = 0;    // gSRInflowDepth (km); > 0 presses the hodograph buttons
  Single srInflowBase = 0;     // gSRInflowBase (km)
  Single modelHourStep = 1;    // gModelHourStep: hours per step of the model
  // The datasets after the first may be read on several threads; the store
  // and every message end the same either way.
  bool readSideBySide = true;
  // Where the file's bytes come from (tests pass one that changes the file
  // while it is read).
  ReadBytes readBytes = ReadFileBytes;
};

struct LoadResult {
  bool ok = false;
  std::string message;  // why the file was refused; names the file and line
  // A file of more datasets than the store holds loads its first ones; the
  // rest are counted here, and `notice` says so, naming the file, for the
  // window to tell the user ("" when nothing was left out).
  int datasetsLeftOut = 0;
  std::string notice;
};

// Reads the profile file at `path` into the profile store and sets the
// controls through `ui`. On success the new data are current, gCurDataset is
// the smaller of the dataset current before and gDatasetCount, and the last
// effect is ui.DatasetsChanged() (the redraw). On failure the data loaded
// before stay current, the scalars the load writes keep their values, no
// control is touched (apart from the busy cursor, set and reset) and the
// message says what is wrong where.
LoadResult LoadProfileFile(const std::string& path, const LoadOptions& options, LoadUi& ui);
LoadResult LoadProfileFile(const std::string& path, const LoadOptions& options);

// Reads the surface section of dataset gDatasetCount of the current store:
// skips the rest of its header, reads one record per hour 0..gLastHour and
// derives the 10-m wind, precipitation totals and energy-helicity index.
// The section's first header line has already been read. Sets gElevatedLevel
// to 1 (the loader sets the matching scroll bar after the load).
// A model key without a layout reads nothing.
void ReadSurfaceSection(ProfileTokenizer& in, const std::string& modelKey);
void ReadSurfaceSection(ProfileTokenizer& in, const ModelLayout& layout);

// The same in two steps: the records of hours 0..lastHour as read (refused
// as above), which touches nothing but `records`; then stored into dataset
// gDatasetCount with what follows from them. A load that reads its datasets
// side by side reads on its threads and stores in the datasets' order.
using SurfaceRecord = std::array<Single, static_cast<std::size_t>(SurfaceColumn::Count)>;
void ReadSurfaceRecords(ProfileTokenizer& in, const ModelLayout& layout, int lastHour,
                        std::vector<SurfaceRecord>& records);
void StoreSurfaceRecords(const ModelLayout& layout, std::span<const SurfaceRecord> records);

// True for the model keys whose column layout the reader knows (the table of
// core/reader_layouts.h).
bool KnownModelKey(const std::string& modelKey);

// Valid time of an hour header line: the fields YYMMDD/HHMM stand 7, 9, 11,
// 14 and 16 characters after the "T" of "TIME". A two-digit year below 50 is
// 20YY, else 19YY. False when the line has no such date.
bool ValidTimeOfHeader(std::string_view line, DateTime& time);

}  // namespace ondrik
