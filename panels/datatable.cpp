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

// The rows are taken from the layout the last draw printed, whose lines
// stand a fraction of a pixel more than a whole number apart: each line
// holds the pixel rows from its rounded top down to the next line's; its
// band reaches down to its last stroke (a comma's tail may reach the first
// pixel row of the next line, above that line's strokes).
void DataTablePanel::picProfile_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double y) {
  if (lineTops_.empty() || !(y >= 0)) return;
  PictureBox& pic = Pic();
  pic.ScalePixels();
  const int printed = static_cast<int>(lineTops_.size());
  // Under the last line printed the rows go on at the same pitch.
  const auto top = [&](int k) {
    const double t = k < printed ? lineTops_[static_cast<size_t>(k)] : lineTops_.back() + (k - printed + 1) * linePitch_;
    return std::floor(t + 0.5);
  };
  int row = 0;
  while (top(row + 1) <= y && top(row + 1) < pic.PixelHeight()) ++row;
  pic.Mode = DrawMode::XorPen;
  // Whole pixel rows of the text row: both corners belong to the box.
  const auto inkEnd = [&](int k) { return k >= 0 && k < printed ? std::ceil(inkEnds_[static_cast<size_t>(k)]) : 0.0; };
  pic.Box(0, std::max(top(row), inkEnd(row - 1)), pic.PixelWidth() - 1, std::max(top(row + 1), inkEnd(row)) - 1,
          kYellow, true);
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
  // Every line begins a pixel in from the left edge.
  constexpr double kLeft = 1;
  FitFontSize(pic, DataTableHeader(), pic.PixelWidth() - 1 - 2 * kLeft, 8.0, 6.0);
  // Whole lines only: a last line that fits in part would be cut.
  const int lines = static_cast<int>(std::floor(pic.PixelHeight() / pic.TextHeight("W"))) - 2;
  pic.Cls();
  pic.FontTransparent = true;
  lineTops_ = {0};
  inkEnds_.clear();
  const auto inkEnd = [&](const std::string& line) {
    inkEnds_.push_back(std::floor(lineTops_.back() + 0.5) + pic.TextInkPx(line).bottom());
  };
  inkEnd(DataTableHeader());
  PrintAt(pic, kLeft, 0, DataTableHeader(), kRed);
  DataTableTop = std::max(0, std::min(lines, std::min(gNumLevels(D), kMaxLevels)));
  pic.ForeColor = kYellow;
  for (Integer L = DataTableTop; L >= 1; --L) {
    const std::string row = DataTableRow(D, H, L);
    lineTops_.push_back(pic.CurrentY);
    inkEnd(row);
    pic.CurrentX = kLeft;
    pic.Print(row);
  }
  pic.ForeColor = kGreen;
  lineTops_.push_back(pic.CurrentY);
  inkEnd(PrecipitationLine(D, H));
  pic.CurrentX = kLeft;
  pic.Print(PrecipitationLine(D, H), false);
  linePitch_ = pic.TextHeight("W");
  Update();
}

}  // namespace ondrik
