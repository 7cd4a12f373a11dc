// The downloader's list files on any bytes: the input, cut at NUL bytes,
// gives the lists "Haulix<letter>.Dat" A, B, C ... (names in changing letter
// case; lists past the pieces are removed). Every list that has a line gives
// its button a tool tip; a list button reads its list for compressed files.
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "profilewindow/config.h"
#include "profilewindow/programs.h"

namespace {

// The list file name of button i in one of three letter cases.
std::string ListName(int i) {
  const std::string name = "Haulix" + ondrik::HaulixLetter(i) + ".Dat";
  if (i % 3 == 1) return ondrik::ToUpperAscii(name);
  if (i % 3 == 2) return ondrik::ToLowerAscii(name);
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik;
  const std::string& folder = fuzz::ScratchFolder();
  static const bool started = [&folder] {
    std::ofstream(folder + "Haulix") << "";  // the downloader itself, never run: the effects are fake
    return true;
  }();
  (void)started;
  fuzz::QuietEffects();

  const std::string_view text = fuzz::AsText(data, size);
  std::vector<std::string> pieces;
  for (std::size_t from = 0; from <= text.size() && pieces.size() < kHaulixButtons;) {
    const std::size_t nul = std::min(text.find('\0', from), text.size());
    pieces.emplace_back(text.substr(from, nul - from));
    from = nul + 1;
  }
  // Only the lists that differ from the last run's are written or removed.
  static std::array<std::optional<std::string>, kHaulixButtons> written;
  for (int i = 0; i < kHaulixButtons; ++i) {
    const auto k = static_cast<std::size_t>(i);
    std::optional<std::string> want;
    if (k < pieces.size()) want = pieces[k];
    if (want == written[k]) continue;
    const std::string path = folder + ListName(i);
    if (want) {
      std::ofstream(path, std::ios::binary) << *want;
    } else {
      std::error_code ec;
      std::filesystem::remove(path, ec);
    }
    written[k] = want;
  }

  const auto tips = GetToolTips(folder);
  FUZZ_CHECK(tips.size() == static_cast<std::size_t>(kHaulixButtons), "not one tool tip per button");
  for (int i = 0; i < kHaulixButtons; ++i) {
    const bool hasLine = i < static_cast<int>(pieces.size()) && !pieces[static_cast<std::size_t>(i)].empty();
    FUZZ_CHECK(tips[static_cast<std::size_t>(i)].has_value() == hasLine,
               "tool tip of list " + HaulixLetter(i) + " given for a list without a line, or missing");
    if (hasLine) {
      const std::string& tip = *tips[static_cast<std::size_t>(i)];
      FUZZ_CHECK(tip == TrimBlanks(tip), "tool tip not trimmed");
    }
  }
  const int button = size > 0 ? data[0] % kHaulixButtons : 0;
  const HaulixClickResult click = HaulixButtonClick(folder, button);
  FUZZ_CHECK(click.started, "the downloader was not started");
  if (button < static_cast<int>(pieces.size())) {
    const bool onz = ToUpperAscii(pieces[static_cast<std::size_t>(button)]).find(".ONZ") != std::string::npos;
    FUZZ_CHECK(click.compressedArrived == onz, "compressed files in the list told wrongly");
  }
  return 0;
}
