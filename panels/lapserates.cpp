#include "panels/lapserates.h"

#include <cmath>

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
  // Twenty columns of four characters across the picture: a narrow face,
  // as large as lets a cell's text fill its 50 mb.
  // The plain face keeps its points legible at the small sizes this takes.
  pic.FontName = "DejaVu Sans";
  pic.FontBold = false;
  FitFontSize(pic, "-0.0", kStep * 1.05, 6.0, 4.5);
  pic.FontTransparent = true;
  const std::string title = "Lapse Rate °C/km";
  PrintAt(pic, (P0 + kStep) / 2.0 + pic.TextWidth(title) / 2, -kStep, title, kWhite);
  for (Integer p = P0; p >= kStep; p -= kStep) PrintAt(pic, p, P0, std::to_string(p), kWhite);
  for (Integer p = P0 - kStep; p >= 0; p -= kStep) PrintAt(pic, P0 + kStep, p, std::to_string(p), kWhite);
  for (Integer a = P0; a >= kStep; a -= kStep) {
    for (Integer b = a - kStep; b >= 0; b -= kStep) {
      const std::optional<Single> lapse = LapseRate(H, static_cast<Single>(a), static_cast<Single>(b));
      if (!lapse) continue;  // above the profile: no temperature there
      PrintAt(pic, a - 5, b, FormatRight(*lapse, "0.0", 4), LapseRateColour(*lapse));
    }
  }
  Update();
}

}  // namespace ondrik
