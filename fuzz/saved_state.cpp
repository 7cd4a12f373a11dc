// The four saved-settings files on any bytes: byte 0 chooses the file (the
// history, a display setup, an overview layout, a map preset), the rest is
// its text, read from a file as the windows read it.
//
// Promises: a file whose header is refused changes nothing (the history
// takes its defaults instead); a value not read keeps its current value (the
// history: its default where it has one); and whatever a read gives writes
// out and reads back whole, to values that write the same text again (the
// file's numbers keep seven digits, so that is the round trip's promise),
// also through the safe writer and back.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "core/thresholds.h"
#include "savedstate/displaysetup.h"
#include "savedstate/history.h"
#include "savedstate/mappreset.h"
#include "savedstate/overviewlayout.h"
#include "savedstate/safefile.h"

namespace ondrik::saved {
namespace {

// Values the readers' corrections may change after reading (inflow layer,
// window places, omega range): not compared with the value they had.
bool Corrected(const char* name) {
  const std::string_view n = name;
  return n == "gSRInflowDepth" || n == "gSRInflowBottom" || n == "OmegaRange" || n == "gWindowGeometry";
}

// Values inside the limits of every item that differ from the first-run
// values, so that a value taken from the wrong place shows.
template <class S>
S Unusual(const std::vector<Item<S>>& items) {
  S s{};
  for (std::size_t n = 0; n < items.size(); ++n) {
    const Item<S>& it = items[n];
    const double lo = it.limits.lo, hi = it.limits.hi;
    const double k = static_cast<double>(n % 7);
    switch (it.kind) {
      case Kind::Whole:
      case Kind::Digits: IntOf(it, s) = static_cast<Integer>(hi - lo < 7 ? hi - std::fmod(k, hi - lo + 1) : lo + 1 + k); break;
      case Kind::Number: NumberOf(it, s) = static_cast<Single>(hi - lo < 40 ? lo + (hi - lo) * (k + 1) / 9 : 2.5 + k); break;
      case Kind::Flag:
      case Kind::WholeFlag: FlagOf(it, s) = n % 2 == 1; break;
      case Kind::Constant: break;
    }
  }
  return s;
}

template <class S>
std::string Named(const Item<S>& item, const S& a, const S& b) {
  return ItemName(item) + ": " + detail::Render(item, a) + "vs " + detail::Render(item, b);
}

// One kind of file: its table, how it is read and written, and the values a
// read falls back to (the history's defaults, or nothing).
template <class S>
struct File {
  const char* name;
  const std::vector<Item<S>>& items;
  ReadResult<S> (*read)(std::optional<std::string_view> text, const S& current);
  std::string (*write)(const S& value);
  bool header;
  const S* defaults;  // the history's defaults step
  bool (*defaultsStep)(const ReadResult<S>& r);
};

template <class S>
void Check(const File<S>& f, std::string_view bytes) {
  static const S current = [&] {
    // A fixed point of the file's own reading: the corrections leave it be.
    const S unusual = Unusual(f.items);
    return f.read(f.write(unusual), unusual).value;
  }();
  const std::string path = fuzz::WriteInputFile(f.name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  const std::optional<std::string> text = ReadFileText(path);
  FUZZ_CHECK(text && *text == bytes, std::string("the file does not read back: ") + f.name);

  const ReadResult<S> r = f.read(*text, current);
  FUZZ_CHECK(r.status != ReadStatus::Missing, "a file that is there reads as missing");
  FUZZ_CHECK(f.header || (r.status != ReadStatus::NotAHeader && r.status != ReadStatus::TooOld),
             "a file without a header has its first line refused");
  FUZZ_CHECK(r.Usable() || r.unread.size() == f.items.size(), "a refused file has values read");
  FUZZ_CHECK(r.status != ReadStatus::Ok || r.unread.empty(), "values unread in a file read whole");
  const bool defaultsStep = f.defaultsStep != nullptr && f.defaultsStep(r);
  FUZZ_CHECK(defaultsStep == (f.defaults != nullptr && (!r.Usable() || r.truncated)),
             "the defaults step does not follow the file");

  // What was not read falls back.
  // The items compared with their fall-back: not a value the file holds
  // twice (the layout's chkGridWind may come from either place), nor one
  // the corrections change.
  static const std::vector<bool> compared = [&] {
    std::multiset<std::string> names;
    for (const Item<S>& item : f.items) names.insert(ItemName(item));
    std::vector<bool> c;
    for (const Item<S>& item : f.items) c.push_back(!Corrected(item.name) && names.count(ItemName(item)) == 1);
    return c;
  }();
  const std::set<std::string> unread(r.unread.begin(), r.unread.end());
  for (std::size_t i = 0; i < f.items.size(); ++i) {
    const Item<S>& item = f.items[i];
    if (!compared[i]) continue;
    const bool toDefault = f.defaults != nullptr && item.defaulted && (defaultsStep || unread.count(ItemName(item)));
    if (toDefault) {
      FUZZ_CHECK(SameValue(item, r.value, *f.defaults), "not the default: " + Named(item, r.value, *f.defaults));
    } else if (unread.count(ItemName(item)) != 0) {
      FUZZ_CHECK(SameValue(item, r.value, current), "not kept: " + Named(item, r.value, current));
    }
  }

  // Round trip: what was read writes and reads back whole.
  const std::string written = f.write(r.value);
  FUZZ_CHECK(f.header == (written.rfind(HeaderLine(), 0) == 0), "the header line is wrong");
  const ReadResult<S> again = f.read(written, S{});
  FUZZ_CHECK(again.status == ReadStatus::Ok && (f.defaultsStep == nullptr || !f.defaultsStep(again)),
             std::string("a written file does not read back whole; unread ") +
                 (again.unread.empty() ? std::string("none") : again.unread.front()) + "\n" + written);
  for (const Item<S>& item : f.items) {
    const bool same = item.kind == Kind::Number ? detail::Render(item, r.value) == detail::Render(item, again.value)
                                                : SameValue(item, r.value, again.value);
    FUZZ_CHECK(same, "the value changed on the round trip: " + Named(item, r.value, again.value));
  }
  FUZZ_CHECK(f.write(again.value) == written, "the values read back write another text");

  // The same through the file system.
  const std::string out = fuzz::ScratchFolder() + "written/" + f.name;
  const SaveResult saved = WriteFileSafely(out, written);
  FUZZ_CHECK(saved.ok, "the safe writer failed: " + saved.message);
  FUZZ_CHECK(ReadFileText(out) == written, "the saved file holds another text");
}

const IndexThresholdTable& DefaultThresholds() {
  static const IndexThresholdTable t = [] {
    IndexThresholdTable table;
    StoreDefaultIndexThresholds(table);
    return table;
  }();
  return t;
}

const HistoryFile& HistoryDefaultsValue() {
  static const HistoryFile d = HistoryDefaults(DefaultThresholds());
  return d;
}

// Whether the last history read ran its defaults step.
bool gHistoryDefaultsStep = false;

ReadResult<HistoryFile> ReadHistoryWith(std::optional<std::string_view> text, const HistoryFile& current) {
  const HistoryRead r = ReadHistory(text, current, DefaultThresholds());
  gHistoryDefaultsStep = r.defaultsStep;
  return r;
}

bool HistoryDefaultsStep(const ReadResult<HistoryFile>&) { return gHistoryDefaultsStep; }

}  // namespace
}  // namespace ondrik::saved

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik::saved;
  if (size < 1) return 0;
  const std::string_view text = ondrik::fuzz::AsText(data + 1, size - 1);
  switch (data[0] % 4) {
    case 0:
      Check(File<HistoryFile>{kHistoryFileName, HistoryRecord(), &ReadHistoryWith, &WriteHistory, true,
                              &HistoryDefaultsValue(), &HistoryDefaultsStep},
            text);
      break;
    case 1:
      Check(File<DisplaySetup>{"Ondrik.SP1", DisplaySetupRecord(), &ReadDisplaySetup, &WriteDisplaySetup, true,
                               nullptr, nullptr},
            text);
      break;
    case 2:
      Check(File<OverviewLayout>{"Ondrik.SO1", OverviewLayoutRecord(), &ReadOverviewLayout, &WriteOverviewLayout,
                                 true, nullptr, nullptr},
            text);
      break;
    default:
      Check(File<MapPreset>{"MapPreset.M1", MapPresetRecord(), &ReadMapPreset, &WriteMapPreset, false, nullptr,
                            nullptr},
            text);
      break;
  }
  return 0;
}
