#include "core/derived.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/constants.h"
#include "core/guards.h"
#include "core/levels.h"

namespace ondrik {

namespace {

// Nearest integer, a half going to the even neighbour. Values beyond an
// Integer (heights of a surface pressure of no atmosphere) stop at its ends;
// no number gives 0.
Integer RoundEven(double x) {
  const double r = std::nearbyint(x);
  if (std::isnan(r)) return 0;
  return static_cast<Integer>(std::clamp(r, static_cast<double>(std::numeric_limits<Integer>::min()),
                                         static_cast<double>(std::numeric_limits<Integer>::max())));
}

// The parts of a text split at every single blank (empty parts included).
std::vector<std::string_view> SplitAtBlanks(std::string_view s) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t b = s.find(' ', start);
    if (b == std::string_view::npos) {
      parts.push_back(s.substr(start));
      return parts;
    }
    parts.push_back(s.substr(start, b - start));
    start = b + 1;
  }
}

constexpr int kTitleColumns = 4;
constexpr int kWordsPerColumn = 16;
constexpr int kBoxesPerColumn = 5;

}  // namespace

void SetProfileTopLevels() {
  for (int d = 1; d <= gDatasetCount; ++d) {
    const int n = gNumLevels(d);
    for (int j = n; j >= 1; --j) {
      if (gPres(d, 0, j) > static_cast<Single>(gChartTop)) {
        gTopLevel(d) = j + 1;
        break;
      }
    }
    if (gTopLevel(d) > n) gTopLevel(d) = n;
  }
}

bool SetChartBottom() {
  if (!(MaxSfcPres > 0) || gChartTop <= 0) return false;
  const double lnMax = std::log(static_cast<double>(MaxSfcPres));
  const double bottom = std::exp(lnMax + 0.04 * (lnMax - std::log(static_cast<double>(gChartTop))));
  if (!(bottom < 1e5)) return false;
  gChartBottom = static_cast<Integer>(std::nearbyint(bottom));
  return true;
}

void MakeHeightScale() {
  const int d = gCurDataset;
  const Single z0 = StdHeightFtOfPressure(gSfcPres(d, 0));
  for (int i = 0; i <= 70; i += (i < 20 ? 1 : 5)) {
    const Single ft = z0 + 1000.0f * static_cast<Single>(i);
    gPresAtKft(i) = RoundEven(StdPressureOfFeet(ft));
  }
  for (int k = 0; k <= 20; ++k) {
    const Single ft = z0 + static_cast<Single>(kFeetPerKm) * static_cast<Single>(k);
    gPresAtKm(k) = RoundEven(StdPressureOfFeet(ft));
  }
}

void MakeCFRL(Integer dataset) {
  const int d = dataset;
  for (int h = 0; h <= gLastHour(d); ++h) {
    for (int l = 1; l <= gNumLevels(d); ++l) {
      double r = gRHIce(d, h, l);
      if (r > 100) r = 100;
      double c = (1.0 - std::sqrt((100.0 - r) / 25.0)) * 100.0;
      if (!(c >= 0)) c = 0;
      gCfrl(d, h, l) = static_cast<Single>(c);
    }
  }
}

void FindWetBulbZero() {
  const int d = gCurDataset;
  const int n = gNumLevels(d);
  for (int h = 0; h <= gLastHour(d); ++h) {
    int b = n;
    while (b >= 1 && !(gWetBulb(d, h, b) > 0)) --b;
    if (b == 0) {
      gWbzHgt(d, h) = StdHeightFtOfPressure(gSfcPres(d, h));
    } else if (b == n) {
      // Wet-bulb above freezing up to the top level: there is no level above
      // to interpolate with, so the top level stands for the crossing.
      gWbzHgt(d, h) = StdHeightFtOfPressure(gPres(d, h, n));
    } else {
      const double pb = gPres(d, h, b), pa = gPres(d, h, b + 1);
      const double tb = gWetBulb(d, h, b), ta = gWetBulb(d, h, b + 1);
      const double p0 = pb - (pb - pa) * tb / (tb - ta);  // tb > 0 >= ta
      gWbzHgt(d, h) = StdHeightFtOfPressure(static_cast<Single>(p0));
    }
  }
}

void MakeThickness() {
  const int d = gCurDataset;
  for (int h = 0; h <= gLastHour(d); ++h) {
    const Single p1 = gPres(d, h, 1);
    if (p1 >= 1000.0f) {
      ThickHeights(d, h, 1) = InterpH(h, 1000.0f);
    } else if (p1 > 0) {
      // Ground above the 1000 mb surface: extend the lowest layer downward
      // with the hypsometric relation.
      const double z1 = gHght(d, h, 1);
      const double t1 = gTemp(d, h, 1);
      ThickHeights(d, h, 1) =
          static_cast<Single>(z1 - (t1 + kKelvin) * kRd / kGravity * std::log(1000.0 / p1));
    } else {
      ThickHeights(d, h, 1) = gHght(d, h, 1);
    }
    ThickHeights(d, h, 2) = InterpH(h, 850.0f);
    ThickHeights(d, h, 3) = InterpH(h, 700.0f);
    ThickHeights(d, h, 4) = InterpH(h, 500.0f);
  }
  MarkDone(ThicknessDone(d));
}

DatasetBoxes ComputeEnsembleNames() {
  DatasetBoxes boxes;  // every box hidden, caption ""
  if (gDatasetCount <= 1) return boxes;

  ProfileStore& s = Store();
  std::size_t w = 0;
  for (int d = 1; d <= gDatasetCount; ++d) {
    std::string& title = gDatasetTitle(d);
    const std::size_t a = title.find('#');
    if (a != std::string::npos) {
      gDatasetLabel(d) = title.substr(a + 1);
      title.erase(a);
    } else {
      gDatasetLabel(d) = "";
    }
    for (std::string_view word : SplitAtBlanks(title)) w = std::max(w, word.size());
  }

  for (int c = 1; c <= kTitleColumns; ++c) gTitleWordCount(c) = 0;

  for (int d = 1; d <= gDatasetCount; ++d) {
    std::string padded;
    int column = 0;
    for (std::string_view word : SplitAtBlanks(gDatasetTitle(d))) {
      if (word.empty()) continue;
      ++column;
      std::string cell(word);
      cell.append(20, ' ');
      cell.resize(std::min(cell.size(), w + 1));
      padded += cell;
      // Words of a fifth or later column, and a seventeenth distinct word of
      // a column, have no place in the word tables; the title keeps them.
      if (column > kTitleColumns) continue;
      const int count = gTitleWordCount(column);
      bool known = false;
      for (int k = 1; k <= count && !known; ++k) known = (s.gTitleWords[column][k] == word);
      if (!known && count < kWordsPerColumn) {
        gTitleWordCount(column) = count + 1;
        s.gTitleWords[column][count + 1] = std::string(word);
      }
    }
    s.gTitleColumnCount = std::min(column, kTitleColumns);
    const std::size_t first = padded.find_first_not_of(' ');
    gDatasetTitle(d) = first == std::string::npos ? std::string() : padded.substr(first);
  }

  // Each column has five boxes; a column's sixth and later words are not
  // shown (they would land in the next column's boxes).
  for (int c = 1; c <= s.gTitleColumnCount; ++c) {
    const int shown = std::min<int>(gTitleWordCount(c), kBoxesPerColumn);
    for (int k = 1; k <= shown; ++k) {
      const int box = kBoxesPerColumn * c + k - 6;
      boxes.visible[box] = true;
      boxes.caption[box] = s.gTitleWords[c][k];
    }
  }
  return boxes;
}

void NormalizeEnsembleNames(LoadUi& ui) {
  const DatasetBoxes boxes = ComputeEnsembleNames();
  ui.SetDatasetBoxes(boxes);
  if (gDatasetCount > 1) ui.DatasetsChanged();
}

}  // namespace ondrik
