// The overview's snapshot: the four pictures side by side in one image, as
// the window shows them, under a band of their own that holds the title
// (on the main picture it would hide the lines and fields there), saved
// through the profile window's image saver, and the window drawn again from
// the scratch layout.
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "overviewwindow/frmoverview.h"
#include "platform/effects.h"
#include "platform/picturebox.h"
#include "platform/pictureboxwidget.h"
#include "platform/titlerows.h"
#include "savedstate/format.h"

namespace ondrik {

namespace {

// The title's white box this far in from the image's edges, picture pixels.
constexpr double kTitleMarginPx = 2;

}  // namespace

const PictureBox& frmOverView::DrawSnapshotTitle(const std::string& title, int width, double centreX) {
  PictureBox& band = snapshotTitle_;
  const PictureBox& rh = picRH->Pic();
  band.FontName = rh.FontName;
  band.FontSize = rh.FontSize;
  band.FontBold = rh.FontBold;
  const TitleRows rows = LayOutTitleRows(band, {title}, width - 2 * kTitleMarginPx);
  // Half a row of the band's ground over and under the title's box.
  const double pad = std::ceil(rows.rowPx / 2);
  band.BackColor = kBlack;
  band.Resize(std::max(width, 1), static_cast<int>(std::ceil(rows.HeightPx() + 2 * pad)), 1);
  band.ScalePixels();
  const double half = rows.widthPx / 2;
  const double x = std::clamp(centreX, half + kTitleMarginPx, std::max(half + kTitleMarginPx, width - half - kTitleMarginPx));
  PrintTitleRows(band, rows, x, pad, {kBlack});
  return band;
}

// The title band, then picLeft, picRH and picRight side by side under it,
// picTime under picRH.
QImage frmOverView::ComposeSnapshot(const std::string& title) {
  const QImage left = picLeft->Pic().DesignImage();
  const QImage rh = picRH->Pic().DesignImage();
  const QImage right = picRight->Pic().DesignImage();
  const QImage time = picTime->Pic().DesignImage();
  const int width = left.width() + rh.width() + right.width();
  // Centred over the main picture.
  const QImage band = DrawSnapshotTitle(title, width, left.width() + rh.width() / 2.0).DesignImage();
  const int top = band.height();
  QImage out(width, top + time.height() + rh.height(), QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter p(&out);
  p.drawImage(0, 0, band);
  p.drawImage(0, top, left);
  p.drawImage(left.width(), top, rh);
  p.drawImage(left.width() + rh.width(), top, right);
  p.drawImage(left.width(), top + left.height(), time);
  return out;
}

bool frmOverView::Snap(const std::string& suffix) {
  // Drawn afresh at the pictures' size (a batch has just sized them).
  DrawTimeAxis();
  PlotData();
  const std::optional<std::string> path = profile_.SaveSnapshot(ComposeSnapshot(profile_.SnapshotTitle()), suffix);
  // Layout 9, as saved here, draws the window again.
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
