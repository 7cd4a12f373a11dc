// The record of a saved-settings file as one table: every value in file
// order, with its line, how it is written, where it lives in the file's value
// struct and which values it accepts. The writer and the reader of each file
// both walk its one table.
//
// Qt-free.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/printformat.h"
#include "core/store.h"
#include "savedstate/format.h"

namespace ondrik::saved {

// How a value is written and read.
enum class Kind {
  Whole,      // a whole number in print format (" 34 "); check boxes, scroll bars, indexes
  Number,     // a Single in print format (" .5 ")
  Flag,       // a Boolean as the word "True" or "False"; any other text reads as False
  WholeFlag,  // a Boolean as a whole number, -1 set and 0 clear; any non-zero reads as set
  Digits,     // a whole number as bare digits, as a label's caption holds it ("34")
  Constant,   // a fixed whole number: always written, read and thrown away
};

// Accepted values, both ends included.
struct Limits {
  double lo, hi;
};
inline constexpr Limits kInt16{-32768, 32767};
inline constexpr Limits kInt32{-2147483648.0, 2147483647.0};
inline constexpr Limits kBox{0, 2};  // a check box: 0 clear, 1 ticked, 2 greyed
inline constexpr Limits kFinite{-FLT_MAX, FLT_MAX};
inline constexpr Limits kPositive{FLT_TRUE_MIN, FLT_MAX};  // spans and axis tops

// Where a value lives in the value struct S: a function of the struct and
// the element index (for the elements of an array field).
template <class S>
using Access = std::variant<std::monostate, Integer& (*)(S&, int), Single& (*)(S&, int), bool& (*)(S&, int)>;

template <class S>
struct Item {
  int line;
  Kind kind;
  const char* name;
  int index;  // element of an array field; -1 for a plain field
  Access<S> at;
  Limits limits{};
  std::optional<double> also;  // one more accepted value outside the limits
  bool joined = false;         // the next value of the line follows at once instead of at the next zone
  int group = 0;               // values of one group (non-zero) are taken all together or not at all
  bool defaulted = false;      // the history's defaults step sets this value
};

// The name and place of a field for a table row: ONDRIK_SAVED_FIELD(gChartTop),
// ONDRIK_SAVED_ELEMENT(chkMap, 2).
#define ONDRIK_SAVED_FIELD(member) #member, -1, [](auto& v, int) -> auto& { return v.member; }
#define ONDRIK_SAVED_ELEMENT(member, i) #member, (i), [](auto& v, int k) -> auto& { return v.member[k]; }

// Builds a table row by row; the modifiers change the row added last.
template <class S>
class Record {
 public:
  using IntAt = Integer& (*)(S&, int);
  using NumberAt = Single& (*)(S&, int);
  using FlagAt = bool& (*)(S&, int);

  Record& Whole(int line, const char* name, int index, IntAt at, Limits l = kInt16) {
    return Add(line, Kind::Whole, name, index, at, l);
  }
  Record& Box(int line, const char* name, int index, IntAt at) { return Whole(line, name, index, at, kBox); }
  Record& Number(int line, const char* name, int index, NumberAt at, Limits l = kFinite) {
    return Add(line, Kind::Number, name, index, at, l);
  }
  Record& Flag(int line, const char* name, int index, FlagAt at) {
    return Add(line, Kind::Flag, name, index, at, {});
  }
  Record& WholeFlag(int line, const char* name, int index, FlagAt at) {
    return Add(line, Kind::WholeFlag, name, index, at, kInt16);
  }
  Record& Digits(int line, const char* name, int index, IntAt at, Limits l = kInt16) {
    return Add(line, Kind::Digits, name, index, at, l);
  }
  Record& Constant(int line, const char* name, Integer value) {
    return Add(line, Kind::Constant, name, -1, std::monostate{}, {double(value), double(value)});
  }

  Record& Also(double value) {
    Last().also = value;
    return *this;
  }
  Record& Joined() {
    Last().joined = true;
    return *this;
  }
  Record& Group(int group) {
    Last().group = group;
    return *this;
  }
  Record& Defaulted() {
    Last().defaulted = true;
    return *this;
  }

  std::vector<Item<S>> Done() { return std::move(items_); }

 private:
  Record& Add(int line, Kind kind, const char* name, int index, Access<S> at, Limits limits) {
    Item<S> item{line, kind, name, index, at, limits, std::nullopt};
    items_.push_back(item);
    return *this;
  }
  Item<S>& Last() { return items_.back(); }
  std::vector<Item<S>> items_;
};

// ---- reading and writing by the table ----

enum class ReadStatus {
  Ok,          // every value read
  Missing,     // no file
  NotAHeader,  // the first line does not begin with "#"
  TooOld,      // the version of the header is older than the minimum
  Incomplete,  // some values were not read: the file ends early or holds bad values
};

// What a reader made of a file: the value struct (values not read keep the
// value they had, or their default where the file's rules give one), how it
// went and the names of the values not taken from the file ("gChartTop",
// "chkMap(2)").
template <class S>
struct ReadResult {
  S value;
  ReadStatus status = ReadStatus::Ok;
  bool truncated = false;  // the text ended before the last value
  std::vector<std::string> unread;

  // The values should be applied (the file was there and its header passed).
  bool Usable() const { return status == ReadStatus::Ok || status == ReadStatus::Incomplete; }
  bool WasRead(std::string_view name) const;
};

template <class S>
std::string ItemName(const Item<S>& item) {
  return item.index < 0 ? item.name : std::string(item.name) + "(" + std::to_string(item.index) + ")";
}

template <class S>
bool ReadResult<S>::WasRead(std::string_view name) const {
  for (const std::string& u : unread)
    if (u == name) return false;
  return true;
}

template <class S>
Integer& IntOf(const Item<S>& item, S& s) {
  return std::get<Integer& (*)(S&, int)>(item.at)(s, item.index);
}
template <class S>
Single& NumberOf(const Item<S>& item, S& s) {
  return std::get<Single& (*)(S&, int)>(item.at)(s, item.index);
}
template <class S>
bool& FlagOf(const Item<S>& item, S& s) {
  return std::get<bool& (*)(S&, int)>(item.at)(s, item.index);
}

// True when the item holds the same value in both structs.
template <class S>
bool SameValue(const Item<S>& item, const S& a, const S& b) {
  S& x = const_cast<S&>(a);
  S& y = const_cast<S&>(b);
  switch (item.kind) {
    case Kind::Whole:
    case Kind::Digits: return IntOf(item, x) == IntOf(item, y);
    case Kind::Number: return NumberOf(item, x) == NumberOf(item, y);
    case Kind::Flag:
    case Kind::WholeFlag: return FlagOf(item, x) == FlagOf(item, y);
    case Kind::Constant: return true;
  }
  return true;
}

// Copies the item's value from one struct to the other.
template <class S>
void CopyValue(const Item<S>& item, const S& from, S& to) {
  S& f = const_cast<S&>(from);
  switch (item.kind) {
    case Kind::Whole:
    case Kind::Digits: IntOf(item, to) = IntOf(item, f); break;
    case Kind::Number: NumberOf(item, to) = NumberOf(item, f); break;
    case Kind::Flag:
    case Kind::WholeFlag: FlagOf(item, to) = FlagOf(item, f); break;
    case Kind::Constant: break;
  }
}

namespace detail {

inline bool Accepts(const Limits& l, const std::optional<double>& also, double v) {
  return (v >= l.lo && v <= l.hi) || (also && v == *also);
}

// Takes one field into the struct; false (and the struct unchanged) when the
// field is not a value of the item.
template <class S>
bool Take(const Item<S>& item, const Field& field, S& s) {
  if (item.kind == Kind::Flag) {
    FlagOf(item, s) = field.text == "True";
    return true;
  }
  const std::optional<double> v = ParseNumber(field.text);
  if (item.kind == Kind::Constant) return true;
  if (!v) return false;
  if (item.kind == Kind::Number) {
    const float f = static_cast<float>(*v);
    if (!std::isfinite(f) || !Accepts(item.limits, item.also, f)) return false;
    NumberOf(item, s) = f;
    return true;
  }
  // Whole numbers round as a whole-number read does: halves to even.
  const double w = std::nearbyint(*v);
  if (!Accepts(item.limits, item.also, w)) return false;
  if (item.kind == Kind::WholeFlag) FlagOf(item, s) = w != 0;
  else IntOf(item, s) = static_cast<Integer>(w);
  return true;
}

template <class S>
std::string Render(const Item<S>& item, const S& s) {
  S& v = const_cast<S&>(s);
  switch (item.kind) {
    case Kind::Whole: return PrintInteger(IntOf(item, v));
    case Kind::Number: return PrintNumber(NumberOf(item, v));
    case Kind::Flag: return FlagOf(item, v) ? "True" : "False";
    case Kind::WholeFlag: return PrintInteger(FlagOf(item, v) ? -1 : 0);
    case Kind::Digits: return std::to_string(IntOf(item, v));
    case Kind::Constant: return PrintInteger(static_cast<long long>(item.limits.lo));
  }
  return {};
}

}  // namespace detail

// Reads the items of a table from the fields in order into s. A field that is
// not a value of its item leaves the item as it was; a field cut by the end of
// the text is not trusted unless it is the table's last. The items of a group
// with any item not read all keep what they had. Returns the indexes of the
// items not read; truncated is set when the text ended first.
//
// groupOk, when given, is asked about every group read whole (for values that
// only make sense together); a group it refuses is not taken either.
template <class S>
using GroupCheck = bool (*)(const S& s, int group);

template <class S>
std::vector<std::size_t> ReadItems(FieldReader& in, const std::vector<Item<S>>& items, S& s, bool& truncated,
                                   GroupCheck<S> groupOk = nullptr) {
  const S before = s;
  std::vector<bool> read(items.size(), false);
  truncated = false;
  for (std::size_t i = 0; i < items.size() && !truncated; ++i) {
    const std::optional<Field> f = items[i].kind == Kind::Flag ? in.Text() : in.Number();
    truncated = !f || (f->atEnd && i + 1 < items.size());
    read[i] = !truncated && detail::Take(items[i], *f, s);
  }
  // A group is taken whole or not at all.
  std::vector<int> refused;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int g = items[i].group;
    if (g != 0 && !read[i] && std::find(refused.begin(), refused.end(), g) == refused.end()) refused.push_back(g);
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int g = items[i].group;
    if (g != 0 && read[i] && groupOk != nullptr && !groupOk(s, g) &&
        std::find(refused.begin(), refused.end(), g) == refused.end())
      refused.push_back(g);
  }
  std::vector<std::size_t> unread;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].group != 0 && std::find(refused.begin(), refused.end(), items[i].group) != refused.end()) {
      CopyValue(items[i], before, s);
      read[i] = false;
    }
    if (!read[i]) unread.push_back(i);
  }
  return unread;
}

// The lines of a table's items: each value rendered, the values of one line
// joined or in print zones, every line ended by CR LF.
template <class S>
std::string WriteItems(const std::vector<Item<S>>& items, const S& s) {
  std::string text, line;
  for (std::size_t i = 0; i < items.size(); ++i) {
    line += detail::Render(items[i], s);
    if (i + 1 < items.size() && items[i + 1].line == items[i].line) {
      if (!items[i].joined) PadToPrintZone(line);
      continue;
    }
    text += line + "\r\n";
    line.clear();
  }
  return text;
}

// The header line of the files that carry one, with its line end.
inline std::string HeaderLine() { return std::string(kHeaderMark) + kVersion + "\r\n"; }

// Reads a file with a header by its table into current's copy: nothing read
// when the file is missing or its header fails.
template <class S>
ReadResult<S> ReadRecord(std::optional<std::string_view> text, const std::vector<Item<S>>& items, const S& current,
                         bool header, GroupCheck<S> groupOk = nullptr,
                         std::vector<std::size_t>* unreadItems = nullptr) {
  ReadResult<S> r;
  r.value = current;
  std::vector<std::size_t> unread;
  if (!text) {
    r.status = ReadStatus::Missing;
  } else {
    FieldReader in(*text);
    const HeaderCheck check = header ? CheckHeader(in.Line()) : HeaderCheck::Accepted;
    if (check == HeaderCheck::NotAHeader) r.status = ReadStatus::NotAHeader;
    else if (check == HeaderCheck::TooOld) r.status = ReadStatus::TooOld;
    else unread = ReadItems(in, items, r.value, r.truncated, groupOk);
    if (r.Usable() && !unread.empty()) r.status = ReadStatus::Incomplete;
  }
  if (!r.Usable()) {
    for (std::size_t i = 0; i < items.size(); ++i) unread.push_back(i);
  }
  for (std::size_t i : unread) r.unread.push_back(ItemName(items[i]));
  if (unreadItems) *unreadItems = std::move(unread);
  return r;
}

// ---- ranges of the windows' values that several files hold ----

inline constexpr Limits kSidePanel{0, 9};       // btnDisplay index; also 99, the archive lists
inline constexpr double kArchivePanelIndex = 99;
inline constexpr Limits kControlPanel{0, 6};    // btnControl index; 6 none shown
inline constexpr Limits kHeightUnit{0, 2};      // btnPHK: 0 "P", 1 "Ft", 2 "Km"
inline constexpr Limits kXferIndex{0, 3};       // btnXfer: 0 "30", 1 "1", 2 "10", 3 "20"
inline constexpr Limits kWindSpacing{1, 3};     // VWPInterval, VWPAutoInterval
inline constexpr Limits kPressure{1, 32767};    // a pressure (mb) held as a whole number
// The pressure of a scroll bar's level; below 100 it is taken as the level
// number itself.
inline constexpr Limits kLevelPressure{0, 32767};

// ---- corrections every reader of the hodograph layer makes ----

// Top and bottom of the hodograph and storm-relative layer (indexes of the
// btnHodoHeight and btnHodoBase buttons): a top of 0 becomes 3, a bottom not
// below the top becomes 0.
inline constexpr Limits kInflowTop{0, 17};
inline constexpr Limits kInflowBottom{0, 16};
inline void CorrectInflowLayer(Single& top, Single& bottom) {
  if (top == 0) top = 3;
  if (bottom >= top) bottom = 0;
}
// The same for readers that hand the layer to the buttons: whole indexes
// first (halves to even), then the corrections.
inline void RoundInflowLayer(Single& top, Single& bottom) {
  top = std::nearbyint(top);
  bottom = std::nearbyint(bottom);
  CorrectInflowLayer(top, bottom);
}

// The half-width of the omega axis: a value below 0.1 becomes 11.
inline void CorrectOmegaRange(Single& range) {
  if (!(range >= 0.1f)) range = 11;
}

}  // namespace ondrik::saved
