// The configuration reader on any bytes, then the model choice for every
// model it names. A file that is refused must be refused with the file and
// line named; one that is taken must keep its counts and lists in step and
// within their limits.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "config/config.h"
#include "profilewindow/models.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik;
  const std::string path = fuzz::WriteInputFile("Fuzz.cfg", data, size);
  const ConfigResult r = ReadConfigFile(path, fuzz::ScratchFolder());
  if (!r.ok) {
    FUZZ_CHECK(r.message.find(path) != std::string::npos && r.message.find(", line ") != std::string::npos,
               "the message names no file and line: " + r.message);
    return 0;
  }
  const Config& c = r.config;
  FUZZ_CHECK(c.ModelCount >= 1 && c.ModelCount <= kMaxModels, "model count out of bounds");
  FUZZ_CHECK(c.ModelNames.size() == static_cast<std::size_t>(c.ModelCount) &&
                 c.ModelCodes.size() == static_cast<std::size_t>(c.ModelCount),
             "model lists out of step");
  FUZZ_CHECK(c.TimeScaleCount <= kMaxTimeScaleRows && c.TimeScaleNames.size() == static_cast<std::size_t>(c.TimeScaleCount) &&
                 c.TimeScaleSteps.size() == static_cast<std::size_t>(c.TimeScaleCount),
             "time-scale rows out of step");
  FUZZ_CHECK(c.FavouriteCount <= kMaxFavourites && c.FavouriteSites.size() == static_cast<std::size_t>(c.FavouriteCount),
             "favourites out of step");
  FUZZ_CHECK(c.HighlightIsothermCount <= kMaxHighlightIsotherms &&
                 c.HighlightIsotherms.size() == static_cast<std::size_t>(c.HighlightIsothermCount),
             "isotherms out of step");
  FUZZ_CHECK(c.gMaxSitesPerColumn >= 3 && c.gMaxSitesPerColumn <= 8, "sites per column out of range");
  FUZZ_CHECK(c.TrainingDrive.size() <= 1, "training drive longer than one character");
  for (int m = 0; m < c.ModelCount; ++m) {
    ModelState state;
    FUZZ_CHECK(SelectModel(c, m, state), "a listed model cannot be chosen");
    FUZZ_CHECK(state.gModelIndex == m && state.gModelName == c.ModelNames[static_cast<std::size_t>(m)],
               "the model chosen is another one");
    LoadOptions options = LoadOptionsFor(c, state, false, 3.0f);
    FUZZ_CHECK(options.modelHourStep >= 1, "model hour step below 1");
  }
  return 0;
}
