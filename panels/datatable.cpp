#include "panels/datatable.h"

#include <algorithm>
#include <cmath>

#include "core/constants.h"
#include "core/numberformat.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

std::string DataTableHeader() { return "Pres   Temp  Dewpt    RH   Dir  Speed       AGL"; }

std::string DataTableRow(Integer d, Integer h, Integer L) {
  const double agl = (gHght(d, h, L) - static_cast<double>(gSiteElev(d)) * 1000) / kFeetToMetre;
  return FormatRight(gPres(d, h, L), "0", 4) + FormatRight(gTemp(d, h, L), "0.0", 7) +
         FormatRight(gDewpt(d, h, L), "0.0", 7) + FormatRight(gRH(d, h, L), "0", 6) +
         FormatRight(gWdir(d, h, L), "0", 6) + FormatRight(gWspd(d, h, L), "0", 7) + FormatRight(agl, "#,##0", 10);
}

std::string PrecipitationLine(Integer d, Integer h) {
  // Room for totals of 10 in and more.
  return "Precipitation:  " + FormatRight(gPrecip(d, h), "0.000", 6) + " Hr     " +
         FormatRight(PrecipTotal(d, h), "0.000", 6) + " Total";
}

DataTablePanel::DataTablePanel(PanelHost& host, QWidget* parent) : PicturePanel(host, parent, "picProfile") {
  Picture()->onMouseUp = [this](int b, int s, double x, double y) { picProfile_MouseUp(b, s, x, y); };
}

void DataTablePanel::picProfile_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double y) {
  PictureBox& pic = Pic();
  pic.ScalePixels();
  const double h = std::max(1.0, std::round(pic.TextHeight("W")));
  const int row = static_cast<int>(std::floor(y / h + 0.1));
  pic.Mode = DrawMode::XorPen;
  // Whole pixel rows of the text row: both corners belong to the box.
  pic.Box(0, row * h, pic.PixelWidth() - 1, row * h + h - 1, kYellow, true);
  pic.Mode = DrawMode::CopyPen;
  Update();
  // Row 0 is the header; the rows below the listing hold no level.
  const Integer level = DataTableTop - row + 1;
  if (level < 1 || level > DataTableTop) return;
  host_.HighlightChartLevel(level);
}

void DataTablePanel::Draw() {
  const Integer H = host_.Hour();
  if (!PanelCanDraw(H)) return;
  const Integer D = gCurDataset;
  PictureBox& pic = Pic();
  pic.BackColor = kBlack;
  pic.ScalePixels();
  // A fixed-width face that fits the header across the picture, measured as
  // it is drawn at the screen's scale, no smaller than its digits read (the
  // dotted 0 apart from the 8).
  pic.FontName = "DejaVu Sans Mono";
  pic.FontBold = false;
  FitFontSize(pic, DataTableHeader(), pic.PixelWidth() - 1, 8.0, 6.0);
  // Whole lines only: a last line that fits in part would be cut.
  const int lines = static_cast<int>(std::floor(pic.PixelHeight() / pic.TextHeight("W"))) - 2;
  pic.Cls();
  pic.FontTransparent = true;
  PrintAt(pic, 0, 0, DataTableHeader(), kRed);
  DataTableTop = std::max(0, std::min(lines, std::min(gNumLevels(D), kMaxLevels)));
  pic.ForeColor = kYellow;
  for (Integer L = DataTableTop; L >= 1; --L) pic.Print(DataTableRow(D, H, L));
  pic.ForeColor = kGreen;
  pic.Print(PrecipitationLine(D, H), false);
  Update();
}

}  // namespace ondrik
