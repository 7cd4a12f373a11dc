#include "panels/picturepanel.h"

#include <algorithm>
#include <cmath>

#include "platform/pictureboxwidget.h"

namespace ondrik {

PicturePanel::PicturePanel(PanelHost& host, QWidget* parent, const std::string& objectName)
    : host_(host), picture_(new PictureBoxWidget(parent)) {
  picture_->setObjectName(QString::fromStdString(objectName));
}

QWidget* PicturePanel::Widget() { return picture_; }

PictureBox& PicturePanel::Pic() { return picture_->Pic(); }

void PicturePanel::Update() { picture_->update(); }

double FitFontSize(PictureBox& pic, const std::string& sample, double width, double maxPt, double minPt) {
  // Fonts come in whole pixels: step through them from the largest down.
  const int maxPx = static_cast<int>(std::floor(maxPt * 96.0 / 72.0 + 1e-9));
  const int minPx = std::max(1, static_cast<int>(std::ceil(minPt * 96.0 / 72.0 - 1e-9)));
  for (int px = maxPx; px >= minPx; --px) {
    pic.FontSize = px * 72.0 / 96.0;
    if (pic.TextWidth(sample) <= std::fabs(width)) return pic.FontSize;
  }
  pic.FontSize = minPx * 72.0 / 96.0;
  return pic.FontSize;
}

void UsePanelFont(PictureBox& pic, double pt) {
  pic.FontName = "DejaVu Sans Condensed";
  pic.FontSize = pt;
  pic.FontBold = false;
}

double SignedTextHeight(const PictureBox& pic, const std::string& text) {
  const double h = pic.TextHeight(text);
  return pic.ScaleHeight() < 0 ? -h : h;
}

void PrintAt(PictureBox& pic, double x, double y, const std::string& text, Color c, bool newline) {
  pic.CurrentX = x;
  pic.CurrentY = y;
  pic.ForeColor = c;
  pic.Print(text, newline);
}

void PrintCentred(PictureBox& pic, double x, double y, const std::string& text, Color c) {
  PrintAt(pic, x - pic.TextWidth(text) / 2, y, text, c);
}

void PrintRow(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit, double rightLimit) {
  if (row.empty()) return;
  const double font = pic.FontSize;
  const double right = std::min(pic.ScaleLeft() + pic.ScaleWidth(), rightLimit);
  std::vector<double> at(row.size());
  for (;;) {
    const double gap = pic.TextWidth(" ");
    double end = -1e300;
    for (std::size_t i = 0; i < row.size(); ++i) {
      const std::string& t = row[i].text;
      at[i] = std::max(row[i].x, end + gap);
      end = at[i] + pic.TextWidth(t.substr(0, t.find_last_not_of(' ') + 1));
    }
    const double over = end - right;
    if (over > 0 && at[0] - over >= leftLimit) {
      for (double& a : at) a -= over;
      break;
    }
    if (over <= 0 || pic.FontSize <= 4.5 + 1e-9) break;
    pic.FontSize = std::max(4.5, (std::lround(pic.FontSize * 96.0 / 72.0) - 1) * 72.0 / 96.0);
  }
  for (std::size_t i = 0; i < row.size(); ++i) PrintAt(pic, at[i], y, row[i].text, row[i].colour, false);
  pic.FontSize = font;
}

bool PanelCanDraw(Integer hour) {
  if (gLoadingState) return false;
  if (gDatasetCount < 1 || gCurDataset < 1 || gCurDataset > std::min(gDatasetCount, kMaxDatasets)) return false;
  return hour >= 0 && hour < kMaxHours && hour <= gLastHour(gCurDataset) && gNumLevels(gCurDataset) >= 1;
}

}  // namespace ondrik
