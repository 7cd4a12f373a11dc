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
  if (lapse > 7.95f) return kSteepLapse;
  if (lapse > 6.95f) return kYellow;
  return kGreen;
}

LapseRatesPanel::LapseRatesPanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picLapse") {
  Picture()->onMouseUp = [this](int, int, double, double) { host_.OpenTrainingLinks("Lapse Rates"); };
}

namespace {

// A number of the table: right-aligned on the right edge of its column
// (picture pixels from the left), in a row of the table.
struct TableText {
  double columnEnd;
  Integer row;  // its top, mb
  std::string text;
  Color colour;
};

// Where a text's strokes end in the picture, in device pixels: at the end
// of its column, and a pixel inside the picture's right edge.
double StrokesEnd(const PictureBox& pic, const TableText& t) {
  const double s = pic.DeviceScale();
  return std::min(std::floor(t.columnEnd * s), std::floor(pic.PixelWidth() * s) - std::ceil(s));
}

// The font size (points, in whole device pixels) at which every text of
// the table stands whole inside the picture, a pixel apart from the next in
// its row and from the picture's edges, and a line fits its row; the
// smallest there is when none does. The texts come in rows, left to right.
double TableFontSize(PictureBox& pic, const std::vector<TableText>& texts, double rowPx) {
  const double s = pic.DeviceScale(), gap = std::ceil(s);
  const auto fits = [&](int devicePx) {
    pic.FontSize = devicePx / s * 72.0 / 96.0;
    if (pic.TextHeightPx("0") > rowPx) return false;
    double end = 0;  // of the last text's strokes in the row, device pixels
    Integer row = -1;
    for (const TableText& t : texts) {
      const double at = StrokesEnd(pic, t);
      if (t.row != row) end = 0, row = t.row;
      if (at - pic.TextInkPx(t.text).width() * s < end + gap) return false;
      end = at;
    }
    return true;
  };
  int lo = 1, hi = static_cast<int>(std::floor(rowPx * s));  // lo fits or is the least
  while (lo < hi) {
    const int mid = (lo + hi + 1) / 2;
    if (fits(mid))
      lo = mid;
    else
      hi = mid - 1;
  }
  pic.FontSize = lo / s * 72.0 / 96.0;
  return pic.FontSize;
}

}  // namespace

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

  // Row by row from the top: the row heading, then the cells from the
  // lowest level's column up; the column headings make the bottom row.
  // Each number stands right-aligned in its 50 mb, so that the points of a
  // column line up and the row headings keep off the picture's left edge.
  std::vector<TableText> texts;
  const auto columnEnd = [&](double p) { return pic.XToPixel(p); };
  for (Integer b = P0 - kStep; b >= 0; b -= kStep) {
    texts.push_back({columnEnd(P0), b, std::to_string(b), kWhite});
    for (Integer a = P0; a > b; a -= kStep) {
      const std::optional<Single> lapse = LapseRate(H, static_cast<Single>(a), static_cast<Single>(b));
      if (!lapse) continue;  // above the profile: no temperature there
      const std::string text = FormatRight(*lapse, "0.0", 4);
      texts.push_back({columnEnd(a - kStep), b, text.substr(text.find_first_not_of(' ')), LapseRateColour(*lapse)});
    }
  }
  for (Integer p = P0; p >= kStep; p -= kStep) texts.push_back({columnEnd(p - kStep), P0, std::to_string(p), kWhite});

  // Twenty columns of numbers in the panel's room: a condensed face whose
  // digits share one width, as large as the room allows, which at a screen
  // scale of 1 is smaller than text is drawn anywhere else (fine print).
  pic.FontName = "DejaVu Sans Condensed";
  pic.FontBold = false;
  pic.FinePrint = true;
  const double rowPx = pic.YToPixel(kStep) - pic.YToPixel(0);
  const double tablePt = TableFontSize(pic, texts, rowPx);
  // The title in the top row at the smallest legible size, if it fits there.
  pic.FinePrint = false;
  pic.FontSize = 1;
  if (pic.TextHeightPx("0") > rowPx) pic.FinePrint = true, pic.FontSize = tablePt;
  const std::string title = "Lapse Rate °C/km";
  PrintAt(pic, (P0 + kStep) / 2.0 + pic.TextWidth(title) / 2, -kStep, title, kWhite);
  pic.FinePrint = true;
  pic.FontSize = tablePt;
  for (const TableText& t : texts)
    PrintAt(pic, pic.PixelToX(StrokesEnd(pic, t) / pic.DeviceScale() - pic.TextInkPx(t.text).right()), t.row, t.text,
            t.colour);
  pic.FinePrint = false;
  Update();
}

}  // namespace ondrik
