#include "panels/lakeeffect.h"

#include <QFrame>
#include <QLabel>

#include <cmath>

#include "core/parcels.h"
#include "platform/controls.h"
#include "profilewindow/config.h"

namespace ondrik {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, bool boxed, const QRect& at) {
  auto* l = new QLabel(text, parent);
  if (boxed) {
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
  }
  l->setGeometry(at);
  return l;
}

}  // namespace

LakeEffectPage::LakeEffectPage(PanelHost& host, QWidget* parent)
    : host_(host), page_(new QFrame(parent)), vsbLakeF_(new ScrollBar(Qt::Vertical, page_)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  vsbLakeF_->setObjectName("vsbLakeF");
  vsbLakeF_->SetRange(80, 28);  // top end warm
  vsbLakeF_->SmallChange = 1;
  vsbLakeF_->LargeChange = 5;
  vsbLakeF_->setGeometry(4, 4, 17, 74);
  MakeLabel(page_, "Lake (C)", false, QRect(24, 4, 60, 16));
  lblLakeC_ = MakeLabel(page_, "", true, QRect(24, 22, 40, 18));
  lblLakeC_->setObjectName("lblLakeC");
  lblCI850_ = MakeLabel(page_, "850", true, QRect(90, 22, 44, 18));
  lblCI850_->setObjectName("lblCI850");
  lblCI700_ = MakeLabel(page_, "700", true, QRect(140, 22, 44, 18));
  lblCI700_->setObjectName("lblCI700");
  // Captions of the chart's lake boxes, which the window puts beside them.
  const char* const captions[3] = {"Lake Index", "Moist Lake Index", "LI CAPE"};
  const char* const names[3] = {"Label21", "Label22", "Label39"};
  for (int i = 0; i < 3; ++i)
    MakeLabel(page_, captions[i], false, QRect(220, 4 + i * 20, 140, 18))->setObjectName(names[i]);
  vsbLakeF_->onChange = [this] { vsbLakeF_Change(); };
}

QWidget* LakeEffectPage::Widget() { return page_; }

void LakeEffectPage::Start() {
  lblCI850_->setText(QString::number(host_.Settings().gLakeLevel1Pres));
  lblCI700_->setText(QString::number(host_.Settings().gLakeLevel2Pres));
}

void LakeEffectPage::Capture(PanelSettings& into) const { into.LakeTempF = vsbLakeF_->Value(); }

void LakeEffectPage::Apply(const PanelSettings& from) {
  vsbLakeF_->SetValue(from.LakeTempF);
  vsbLakeF_Change();
}

void LakeEffectPage::vsbLakeF_Change() {
  const int f = vsbLakeF_->Value();
  gLakeTempC = static_cast<Single>(f - 32) * 5.0F / 9.0F;
  lblLakeC_->setText(QString::number(static_cast<int>(std::lround(gLakeTempC))));
  if (gCurDataset >= 1 && gCurDataset <= gDatasetCount)
    for (int h = 0; h <= gLastHour(gCurDataset) && h < kMaxHours; ++h) gLakeParcelDone(gCurDataset, h) = 0;
  if (!gLoadingState) host_.DisplayHour();
}

}  // namespace ondrik
