// The downloader's list files on any bytes: the input, cut at NUL bytes,
// gives the lists "Haulix<letter>.Dat" A, B, C ...; the lists past the pieces
// are empty. Every list that has a line gives its button a tool tip; a list
// button reads its list for compressed files.
//
// Every list file is there under its own name, so that a run reads files
// rather than folder listings (finding names whatever their case is the
// platform's, tested there).
#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "config/config.h"
#include "profilewindow/programs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik;
  const std::string& folder = fuzz::ScratchFolder();
  static std::array<std::string, kHaulixButtons> written = [&folder] {
    std::ofstream(folder + "Haulix") << "";  // the downloader itself, never run: the effects are fake
    for (int i = 0; i < kHaulixButtons; ++i) std::ofstream(folder + "Haulix" + HaulixLetter(i) + ".Dat") << "";
    return std::array<std::string, kHaulixButtons>{};
  }();
  fuzz::QuietEffects();

  const std::string_view text = fuzz::AsText(data, size);
  std::array<std::string, kHaulixButtons> lists;
  for (std::size_t from = 0, k = 0; from <= text.size() && k < lists.size(); ++k) {
    const std::size_t nul = std::min(text.find('\0', from), text.size());
    lists[k] = text.substr(from, nul - from);
    from = nul + 1;
  }
  // Only the lists that differ from the last run's are written.
  for (int i = 0; i < kHaulixButtons; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (lists[k] == written[k]) continue;
    std::ofstream(folder + "Haulix" + HaulixLetter(i) + ".Dat", std::ios::binary | std::ios::trunc) << lists[k];
    written[k] = lists[k];
  }

  const auto tips = GetToolTips(folder);
  FUZZ_CHECK(tips.size() == static_cast<std::size_t>(kHaulixButtons), "not one tool tip per button");
  for (std::size_t k = 0; k < lists.size(); ++k) {
    FUZZ_CHECK(tips[k].has_value() == !lists[k].empty(),
               "tool tip of list " + HaulixLetter(static_cast<int>(k)) + " given for a list without a line, or missing");
    if (tips[k]) FUZZ_CHECK(*tips[k] == TrimBlanks(*tips[k]), "tool tip not trimmed");
  }
  const int button = size > 0 ? data[0] % kHaulixButtons : 0;
  const HaulixClickResult click = HaulixButtonClick(folder, button);
  FUZZ_CHECK(click.started, "the downloader was not started");
  const bool onz = ToUpperAscii(lists[static_cast<std::size_t>(button)]).find(".ONZ") != std::string::npos;
  FUZZ_CHECK(click.compressedArrived == onz, "compressed files in the list told wrongly");
  return 0;
}
