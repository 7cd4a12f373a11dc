#include "profilewindow/convectionpage.h"

#include <QFrame>
#include <QLabel>

#include "chart/cursor.h"
#include "core/parcels.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

ConvectionPage::ConvectionPage(PanelHost& host, QWidget* parent)
    : host_(host), page_(new QFrame(parent)), frameECAPE_(new QFrame(page_)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  frameECAPE_->setObjectName("frameECAPE");
  frameECAPE_->setFrameStyle(QFrame::Box | QFrame::Plain);
  frameECAPE_->setGeometry(130, 2, 312, 78);
  frameECAPE_->setVisible(false);
  static const char* const kTitles[8] = {"Parcel", "Temp", "Dew Pt", "CAPE", "Hail CAPE", "CIN", "EQL", "NCAPE"};
  for (int i = 0; i < 8; ++i) {
    (new QLabel(kTitles[i], frameECAPE_))->setGeometry(4 + (i % 4) * 76, 2 + (i / 4) * 36, 72, 14);
    auto* l = new QLabel(frameECAPE_);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(4 + (i % 4) * 76, 16 + (i / 4) * 36, 72, 18);
    labels_.push_back(l);
  }
  picEHailCape_ = new PictureBoxWidget(frameECAPE_);
  picEHailCape_->setObjectName("picEHailCape");
  picEHailCape_->setGeometry(4, 72, 304, 4);
  picEHailCape_->setVisible(false);
}

QWidget* ConvectionPage::Widget() { return page_; }

void ConvectionPage::Draw() {
  if (host_.Chart().opt.chkECAPE) DisplayECAPEFrame();
}

// Ticking or unticking "Elevated CAPE" shows or hides the frame at once; the
// next refresh decides for the hour.
void ConvectionPage::ChartOptionsChanged() {
  const bool on = host_.Chart().opt.chkECAPE;
  if (on == shownByBox_) return;
  shownByBox_ = on;
  frameECAPE_->setVisible(on);
}

void ConvectionPage::ShowParcel(const ChartCursor::ECapeFrame& f) {
  const std::string* texts[8] = {&f.lblEParcelp, &f.lblEParcelt, &f.lblEParceldp, &f.lblECAPE,
                                 &f.lblEHailCape, &f.lblECIN,     &f.lblEEQL,      &f.lblNECAPE};
  for (int i = 0; i < 8; ++i) labels_[static_cast<size_t>(i)]->setText(QString::fromStdString(*texts[i]));
  picEHailCape_->setVisible(f.picEHailCapeVisible);
  if (f.picEHailCapeVisible) {
    DrawEHailCapeBar(picEHailCape_->Pic(), f, RGB(240, 240, 240));
    picEHailCape_->update();
  }
}

void ConvectionPage::DisplayECAPEFrame() {
  const int d = gCurDataset, h = host_.Hour();
  if (d < 1 || d > gDatasetCount || h < 0 || h > gLastHour(d)) return;
  if (gECapeMark(d, h) == -1) {
    gECapeMark(d, h) = 0;
    for (int l = 1; l <= gNumLevels(d) - 3; ++l) {
      if (!gLevelParcelDone(d, h, l)) ComputeEffectiveParcels(d, h, l);
      if (gElevCape(d, h, l) > 0.5F) {
        gECapeMark(d, h) = 1;
        break;
      }
    }
  }
  frameECAPE_->setVisible(gECapeMark(d, h) == 1);
}

}  // namespace ondrik
