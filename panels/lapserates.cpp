#include "panels/lapserates.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/levels.h"
#include "core/numberformat.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {
constexpr int kStep = 50;  // mb
}  // namespace

Integer LapseTableBase(Single sfcPres) {
  if (!std::isfinite(sfcPres) || sfcPres <= 0) return 0;
  return kStep * static_cast<Integer>(std::floor(sfcPres / kStep));
}

std::optional<Single> LapseRate(Integer hour, Single a, Single b) {
  const Single ta = TempAtPressure(hour, a), tb = TempAtPressure(hour, b);
  if (IsMissing(ta) || IsMissing(tb)) return std::nullopt;
  const Single depthKm = (StdHeightFtOfPressure(b) - StdHeightFtOfPressure(a)) / static_cast<Single>(kFeetPerKm);
  const Single lapse = (ta - tb) / depthKm;
  if (!std::isfinite(lapse)) return std::nullopt;
  return lapse;
}

Color LapseRateColour(Single lapse) {
  if (lapse > 7.95f) return kRed;
  if (lapse > 6.95f) return kYellow;
  return kGreen;
}

LapseRatesPanel::LapseRatesPanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picLapse") {
  Picture()->onMouseUp = [this](int, int, double, double) { host_.OpenTrainingLinks("Lapse Rates"); };
}

void LapseRatesPanel::Draw() {
  const Integer H = host_.Hour();
  if (!PanelCanDraw(H)) return;
  const Integer P0 = LapseTableBase(gSfcPres(gCurDataset, H));
  PictureBox& pic = Pic();
  pic.BackColor = kBlack;
  pic.Cls();
  if (P0 < kStep) {
    Update();
    return;
  }
  pic.Scale(P0 + kStep, -kStep, 0, P0 + kStep);
  pic.FontTransparent = true;

  // The cells first, to size the face by the widest of them.
  struct Cell {
    Integer a, b;
    std::string text;
    Color colour;
  };
  std::vector<Cell> cells;
  for (Integer a = P0; a >= kStep; a -= kStep) {
    for (Integer b = a - kStep; b >= 0; b -= kStep) {
      const std::optional<Single> lapse = LapseRate(H, static_cast<Single>(a), static_cast<Single>(b));
      if (!lapse) continue;  // above the profile: no temperature there
      const std::string text = FormatRight(*lapse, "0.0", 4);
      cells.push_back({a, b, text.substr(text.find_first_not_of(' ')), LapseRateColour(*lapse)});
    }
  }
  // A face whose digits share one width (so that the points of a column
  // stand under each other), condensed, as large as keeps the widest number
  // or heading of the table inside its 50 mb with a gap to the next, and a
  // line inside its row: the cells and headings stay apart at every size of
  // the panel, and at a screen scale of 1.5 and more they read easily.
  pic.FontName = "DejaVu Sans Condensed";
  pic.FontBold = false;
  const double unitsPerPx = std::fabs(pic.ScaleWidth()) / pic.PixelWidth();
  const double gap = 1.5 * unitsPerPx;
  const auto widest = [&] {
    double w = pic.TextWidth(std::to_string(P0));
    for (const Cell& c : cells) w = std::max(w, pic.TextWidth(c.text));
    return w;
  };
  const double rowHeight = kStep * pic.PixelHeight() / std::fabs(pic.ScaleHeight());
  pic.FontSize = 14;
  while (pic.FontSize > 2 && (widest() > kStep - gap ||
                              pic.TextHeightPx("0") > rowHeight))
    pic.FontSize -= 0.25;

  const std::string title = "Lapse Rate °C/km";
  PrintAt(pic, (P0 + kStep) / 2.0 + pic.TextWidth(title) / 2, -kStep, title, kWhite);
  // Headings in their column (left edge at the pressure) and row.
  for (Integer p = P0; p >= kStep; p -= kStep) PrintAt(pic, p, P0, std::to_string(p), kWhite);
  for (Integer p = P0 - kStep; p >= 0; p -= kStep) PrintAt(pic, P0 + kStep, p, std::to_string(p), kWhite);
  // Each number right-aligned in its column, the points under each other.
  for (const Cell& c : cells) PrintAt(pic, c.a - kStep + gap + pic.TextWidth(c.text), c.b, c.text, c.colour);
  Update();
}

}  // namespace ondrik
