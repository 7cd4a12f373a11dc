// The overview's snapshot: the title band on the main picture, the four
// pictures side by side in one image, saved through the profile window's
// image saver, and the window drawn again from the scratch layout.
#include <QImage>
#include <QPainter>

#include "overview/plotdata.h"
#include "overviewwindow/frmoverview.h"
#include "platform/effects.h"
#include "platform/picturebox.h"
#include "platform/pictureboxwidget.h"
#include "savedstate/format.h"

namespace ondrik {

namespace {

// The title band: the title centred one text height below the top of the
// picture, black on a white band, lowered under the dataset title where a
// narrow picture would have it cover that; its room in pixels.
PixelBox TitleBand(PictureBox& pic, const std::string& title) {
  const double w = pic.TextWidthPx(title), h = pic.TextHeightPx(title);
  const double x = (pic.PixelWidth() - w) / 2;
  PixelBox band{x, h, x + w, 2 * h};
  if (gDatasetCount > 1 && gCurDataset >= 1 && gCurDataset <= gDatasetCount) {
    const PixelBox dataset = PlaceTitle(pic, gCurDataset).ink.Grown(kTextGap);
    if (band.Meets(dataset)) band = {x, dataset.bottom + 1, x + w, dataset.bottom + 1 + h};
  }
  return band;
}

void DrawTitleBand(PictureBox& pic, const PixelBox& band, const std::string& title) {
  pic.ScalePixels();
  pic.Box(band.left, band.top, band.right, band.bottom, RGB(255, 255, 255), true);
  pic.FontTransparent = true;
  pic.CurrentX = band.left;
  pic.CurrentY = band.top;
  pic.ForeColor = RGB(0, 0, 0);
  pic.Print(title);
}

}  // namespace

// picLeft, picRH and picRight side by side, picTime under picRH.
QImage frmOverView::ComposeSnapshot() const {
  const QImage left = picLeft->Pic().DesignImage();
  const QImage rh = picRH->Pic().DesignImage();
  const QImage right = picRight->Pic().DesignImage();
  const QImage time = picTime->Pic().DesignImage();
  QImage out(left.width() + rh.width() + right.width(), time.height() + rh.height(), QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter p(&out);
  p.drawImage(0, 0, left);
  p.drawImage(left.width(), 0, rh);
  p.drawImage(left.width() + rh.width(), 0, right);
  p.drawImage(left.width(), left.height(), time);
  return out;
}

bool frmOverView::Snap(const std::string& suffix) {
  // Drawn afresh at the pictures' size, the texts of the plane keeping off
  // the band.
  const std::string title = profile_.SnapshotTitle();
  const PixelBox band = TitleBand(picRH->Pic(), title);
  state_.draw.HeldRooms = {band.Grown(kTextGap)};
  DrawTimeAxis();
  PlotData();
  state_.draw.HeldRooms.clear();
  DrawTitleBand(picRH->Pic(), band, title);
  const std::optional<std::string> path = profile_.SaveSnapshot(ComposeSnapshot(), suffix);
  // Layout 9, as saved here, draws the window again without the title.
  btnSave_Click(saved::kScratchSlot);
  for (PictureBoxWidget* w : {picLeft, picRH, picRight, picTime}) w->Pic().Cls();
  if (!RecallMacro(saved::kScratchSlot)) {
    DrawTimeAxis();
    PlotData();
  }
  if (suffix.empty() && path) TheEffects().OpenDocument(*path);
  return path.has_value();
}

void frmOverView::btnSnapshot_Click() {
  Snap("");
  FocusScrollBar();
}

}  // namespace ondrik
