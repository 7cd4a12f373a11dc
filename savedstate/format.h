// What every saved-settings file shares: the folder they live in and their
// names, the header line with the version test, and the tolerant reading of
// the values that follow.
//
// The files are positional: values stand in a fixed order, with no keys. A
// value is written as the print format says (core/printformat.h) and read
// back field by field, so print zones, single blanks, commas and line breaks
// between values all read the same.
//
// Qt-free.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "savedstate/ownfiles.h"

namespace ondrik::saved {

// ---- folder and names ----

// The folder of the saved files, ending in "/": $APPDATA/Ondrik/ when APPDATA
// is set, else the data folder $XDG_DATA_HOME/Ondrik/, else
// $HOME/.local/share/Ondrik/. getenv gives "" for a variable that is not set.
std::string FolderFor(const std::function<std::string(const char* name)>& getenv);

// The history's name, kHistoryFileName, and the slot files' prefixes stand in
// the list of the files the program saves (ownfiles.h). Slot names carry the
// slot's decimal digits: "Ondrik.SP3", "MapPreset.M0".
std::string SetupFileName(int slot);      // display setups "Ondrik.SP<n>"
std::string LayoutFileName(int slot);     // overview layouts "Ondrik.SO<n>"
std::string MapPresetFileName(int slot);  // map presets "MapPreset.M<n>"
// The scratch slot of the setups and of the layouts: saved and recalled
// within one action (a snapshot, the rebuild of the overview), to draw the
// window again as it was.
inline constexpr int kScratchSlot = 9;

// ---- header and version ----

inline constexpr const char* kHeaderMark = "#    ";
inline constexpr const char* kVersion = "13.4.2";
inline constexpr const char* kMinimumVersion = "11.11.6";

// Every dotted part widened to at least two digits by its leading number
// ("13.4.2" gives "13.04.02"; a part without digits gives "00").
std::string NormaliseVersion(std::string_view version);

// Compares two versions part by part as numbers (a missing part counts as 0):
// negative, 0 or positive as a is older than, equal to or newer than b.
int CompareVersions(std::string_view a, std::string_view b);

enum class HeaderCheck { Accepted, NotAHeader, TooOld };

// The test of a file's first line: it must begin with "#", and the version
// after it (blanks around it removed) must not be older than the minimum.
HeaderCheck CheckHeader(std::string_view firstLine);

// ---- reading values ----

// One value as it stood in the file.
struct Field {
  std::string text;
  // The text ended inside this value: it may have been cut short.
  bool atEnd = false;
};

// Reads a file's text value by value. Line ends may be CR LF, LF or CR.
// Leading blanks are skipped and a value may start on a later line; a number
// ends at a blank, a comma or a line end, a text at a comma or a line end
// (trailing blanks dropped); a value in double quotes ends at the closing
// quote. One comma after a value belongs to it, so two commas in a row hold
// an empty value.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}

  // The rest of the current line, whole, without its line end.
  std::string_view Line();
  // The next value; nothing when the text holds no more.
  std::optional<Field> Number() { return Next(false); }
  std::optional<Field> Text() { return Next(true); }

 private:
  std::optional<Field> Next(bool text);
  std::string_view text_;
  std::size_t pos_ = 0;
};

// A number field as the files hold it: an optional sign, digits with an
// optional decimal point (".5", "-.4", "3."), an optional exponent
// ("1.5E+08"). Nothing else may stand in the field. Nothing for anything
// else, and for values out of the range of a double.
std::optional<double> ParseNumber(std::string_view field);

}  // namespace ondrik::saved
