// The profile-file reader on any bytes: the input is loaded as a file of the
// "gfs3" layout when its first line names GFS, else of the "eta"/"ruc"
// layout; then the site list's look at its first hour is taken.
//
// A load that fails must leave the data loaded before current and as they
// were, touch no control but the busy cursor, and name the file and line; a
// load that works must leave counts within the store's bounds. No load may
// index the store out of range (even where the reader refuses the file for it).
#include <bit>
#include <cstdint>
#include <functional>
#include <string>

#include "core/reader.h"
#include "core/store.h"
#include "fuzz/fuzz_support.h"
#include "profilewindow/models.h"

namespace ondrik {
namespace {

// Counts what a load does to the window.
class CountingUi : public LoadUi {
 public:
  int busy = 0;      // busy-cursor depth
  int controls = 0;  // every other control call
  Integer GetTimeZoneOffset(Single, Single lon) override { return TimeZoneOffsetOfLongitude(lon); }
  void SetBusyCursor(bool b) override { busy += b ? 1 : -1; }
  void SetElevatedLevelBar(Integer) override { ++controls; }
  void SetHourBar(Integer, Integer, bool) override { ++controls; }
  void SetSigmaLevelBar(Integer, Integer, Integer) override { ++controls; }
  void SetMeanFlowBars(Integer, Integer, Integer, Integer) override { ++controls; }
  void ShowEnsembleControls(bool) override { ++controls; }
  void HodoHeightClick(Integer) override { ++controls; }
  void HodoBaseClick(Integer) override { ++controls; }
  void RedrawMap() override { ++controls; }
  void SetDatasetBoxes(const DatasetBoxes&) override { ++controls; }
  void DatasetsChanged() override { ++controls; }
  void FocusHourBar() override { ++controls; }
};

// What a failed load must leave as it was.
struct Loaded {
  const ProfileStore* store = &Store();
  Integer datasets = gDatasetCount, current = gCurDataset, chartBottom = gChartBottom,
          tzOffset = gTZOffset, elevated = gElevatedLevel;
  std::string ext = gProfileExt;
  Single hoursPerStep = gHoursPerStep, maxSpecHum = MaxSpecHum, maxSfcPres = MaxSfcPres;
  std::uint64_t values = Fingerprint();

  static std::uint64_t Fingerprint() {
    std::uint64_t x = 1469598103934665603ULL;
    auto mix = [&x](std::uint64_t v) { x = (x ^ v) * 1099511628211ULL; };
    for (Integer d = 1; d <= gDatasetCount && d <= kMaxDatasets; ++d) {
      mix(static_cast<std::uint64_t>(gLastHour(d)));
      mix(static_cast<std::uint64_t>(gNumLevels(d)));
      mix(std::hash<std::string>{}(gDatasetTitle(d)));
      for (Integer h = 0; h <= gLastHour(d) && h < kMaxHours; ++h) {
        for (Integer l = 0; l <= gNumLevels(d) && l <= kMaxLevels; ++l) {
          mix(std::bit_cast<std::uint32_t>(gTemp(d, h, l)));
          mix(std::bit_cast<std::uint32_t>(gPres(d, h, l)));
        }
      }
    }
    return x;
  }
  bool Unchanged() const {
    return store == &Store() && datasets == gDatasetCount && current == gCurDataset &&
           chartBottom == gChartBottom && tzOffset == gTZOffset && elevated == gElevatedLevel &&
           ext == gProfileExt && std::bit_cast<std::uint32_t>(hoursPerStep) == std::bit_cast<std::uint32_t>(gHoursPerStep) &&
           std::bit_cast<std::uint32_t>(maxSpecHum) == std::bit_cast<std::uint32_t>(MaxSpecHum) &&
           std::bit_cast<std::uint32_t>(maxSfcPres) == std::bit_cast<std::uint32_t>(MaxSfcPres) &&
           values == Fingerprint() && !gLoadingState;
  }
};

void LoadAs(const std::string& path, const std::string& key) {
  LoadOptions options;
  options.modelKey = key;
  options.sigmaLevelStep = 2;
  options.sigmaLevelPres = 850;
  options.srInflowDepth = 3;
  options.modelHourStep = key == "gfs3" ? 3 : 1;
  const Loaded before;
  CountingUi ui;
  fuzz::gSubscriptErrors = 0;
  const LoadResult r = LoadProfileFile(path, options, ui);
  FUZZ_CHECK(ui.busy == 0, "the busy cursor is left on");
  FUZZ_CHECK(fuzz::gSubscriptErrors == 0, "a subscript out of range while loading: " + r.message);
  if (!r.ok) {
    FUZZ_CHECK(before.Unchanged(), "a failed load changed the data loaded before: " + r.message);
    FUZZ_CHECK(ui.controls == 0, "a failed load touched the controls: " + r.message);
    FUZZ_CHECK(r.message.find(path) != std::string::npos && r.message.find("(line ") != std::string::npos,
               "the message names no file and line: " + r.message);
    return;
  }
  FUZZ_CHECK(gDatasetCount >= 1 && gDatasetCount <= kMaxDatasets, "dataset count out of bounds");
  FUZZ_CHECK(gCurDataset >= 1 && gCurDataset <= gDatasetCount, "current dataset out of bounds");
  FUZZ_CHECK(!gLoadingState, "the loading state is left on");
  for (Integer d = 1; d <= gDatasetCount; ++d) {
    FUZZ_CHECK(gLastHour(d) >= 0 && gLastHour(d) < kMaxHours, "last hour out of bounds");
    FUZZ_CHECK(gNumLevels(d) >= 1 && gNumLevels(d) <= kMaxLevels, "level count out of bounds");
  }
}

}  // namespace
}  // namespace ondrik

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik;
  static const bool started = [] {
    // The data loaded before: a shipped file.
    LoadOptions o;
    o.modelKey = "eta";
    return LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/NAM_KOKC.ond", o).ok;
  }();
  FUZZ_CHECK(started, "the shipped NAM_KOKC.ond does not load");
  const std::string path = fuzz::WriteInputFile("NAM_FUZZ.ond", data, size);
  const std::string_view text = fuzz::AsText(data, size);
  LoadAs(path, text.substr(0, text.find('\n')).find("GFS") != std::string_view::npos ? "gfs3" : "eta");
  SiteFileHead head;
  if (ReadSiteFileHead(path, head)) {
    FUZZ_CHECK(head.lat >= -90 && head.lat <= 90 && head.lon >= -360 && head.lon <= 360,
               "site position out of range");
  }
  return 0;
}
