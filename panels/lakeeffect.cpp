#include "panels/lakeeffect.h"

#include <QFrame>
#include <QLabel>

#include <cmath>
#include <optional>

#include "core/levels.h"
#include "core/parcels.h"
#include "core/numberformat.h"
#include "panels/picturepanel.h"
#include "platform/controls.h"
#include "config/config.h"

namespace ondrik {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, bool boxed, const QRect& at, const char* name = nullptr) {
  auto* l = new QLabel(text, parent);
  if (boxed) {
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
  }
  l->setGeometry(at);
  if (name != nullptr) l->setObjectName(name);
  return l;
}

// The normalised lake CAPE is shown only for a parcel that reaches above this (ft).
constexpr Single kLeastLakeEL = 500;

}  // namespace

LakeStability LakeStabilityVerdict(double d850, double d700) {
  if (!(d700 >= 17) || !(d850 >= 12)) return {"", kBlack};
  if (d850 >= 17 && d700 >= 30) return {"Extreme", kRed};
  if (d850 >= 17 && d700 >= 24) return {"Moderate", kBlue};
  return {"Conditional", kBlack};
}

LakeEffectPage::LakeEffectPage(PanelHost& host, QWidget* parent)
    : host_(host), page_(new QFrame(parent)), vsbLakeF_(new ScrollBar(Qt::Vertical, page_)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  vsbLakeF_->setObjectName("vsbLakeF");
  vsbLakeF_->SetRange(80, 28);  // top end warm
  vsbLakeF_->SmallChange = 1;
  vsbLakeF_->LargeChange = 5;
  vsbLakeF_->setGeometry(4, 4, 17, 74);
  // The lake: deg F of the bar and whole deg C.
  MakeLabel(page_, "Lake", false, QRect(24, 4, 40, 16));
  lblLakeF_ = MakeLabel(page_, "", true, QRect(24, 22, 40, 18), "lblLakeF");
  lblLakeC_ = MakeLabel(page_, "", true, QRect(24, 42, 40, 18), "lblLakeC");
  MakeLabel(page_, "F", false, QRect(66, 22, 10, 18));
  MakeLabel(page_, "C", false, QRect(66, 42, 10, 18));
  // The two lake levels: air temperature and the lake's excess over it.
  MakeLabel(page_, "Level", false, QRect(80, 4, 36, 16));
  MakeLabel(page_, "Temp", false, QRect(118, 4, 36, 16));
  MakeLabel(page_, "Diff", false, QRect(156, 4, 36, 16));
  lblCI850_ = MakeLabel(page_, "850", true, QRect(80, 22, 36, 18), "lblCI850");
  lblT850_ = MakeLabel(page_, "", true, QRect(118, 22, 36, 18), "lblT850");
  lblDiff850_ = MakeLabel(page_, "", true, QRect(156, 22, 36, 18), "lblDiff850");
  lblCI700_ = MakeLabel(page_, "700", true, QRect(80, 42, 36, 18), "lblCI700");
  lblT700_ = MakeLabel(page_, "", true, QRect(118, 42, 36, 18), "lblT700");
  lblDiff700_ = MakeLabel(page_, "", true, QRect(156, 42, 36, 18), "lblDiff700");
  MakeLabel(page_, "Stability", false, QRect(24, 62, 52, 16));
  lblStability_ = MakeLabel(page_, "", true, QRect(80, 61, 112, 18), "lblStability");
  // Captions of the chart's lake boxes, which the window puts beside them.
  const char* const captions[3] = {"Lake Index", "Moist Lake Index", "LI CAPE"};
  const char* const names[3] = {"Label21", "Label22", "Label39"};
  for (int i = 0; i < 3; ++i)
    MakeLabel(page_, captions[i], false, QRect(220, 4 + i * 20, 120, 18))->setObjectName(names[i]);
  // The model's CAPE and the lake-surface parcel.
  const struct {
    const char* caption;
    QLabel** label;
    const char* name;
  } outputs[] = {{"Model CAPE", &lblModelCape_, "lblModelCape"},
                 {"LI CAPE", &lblLIC_, "lblLIC"},
                 {"LI Eq Level", &lblLIE_, "lblLIE"},
                 {"Norm LI CAPE", &lblNLIC_, "lblNLIC"}};
  for (int i = 0; i < 4; ++i) {
    MakeLabel(page_, outputs[i].caption, false, QRect(360, 2 + i * 19, 84, 18));
    *outputs[i].label = MakeLabel(page_, "", true, QRect(446, 2 + i * 19, 70, 18), outputs[i].name);
  }
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
  lblLakeF_->setText(QString::number(f));
  SetLakeTempC(static_cast<Single>(f - 32) * 5.0F / 9.0F);
  lblLakeC_->setText(QString::fromStdString(Format(LakeTempWholeC(), "#0")));
  if (gLoadingState) return;
  ShowLakeEffect();
  host_.RedrawChart();
  host_.RedrawOverview();  // its lake strips read the same parcels
}

void LakeEffectPage::Draw() { ShowLakeEffect(); }

void LakeEffectPage::ShowLakeEffect() {
  const Integer H = host_.Hour();
  if (!PanelCanDraw(H)) return;
  const Integer D = gCurDataset;
  const Single lake = LakeTempWholeC();
  const Config& cfg = host_.Settings();
  // Air temperature at a lake level and the lake's excess over it.
  auto level = [&](Integer pres, QLabel* temp, QLabel* diff) -> std::optional<double> {
    const std::optional<Single> whole = LakeLevelTempWholeC(H, pres);
    if (!whole) {
      temp->setText("--");
      diff->setText("--");
      return std::nullopt;
    }
    const double d = static_cast<double>(lake) - TempAtPressure(H, static_cast<Single>(pres));
    temp->setText(QString::fromStdString(Format(*whole, "##0")));
    diff->setText(QString::fromStdString(Format(d, "##0")));
    return d;
  };
  const std::optional<double> d850 = level(cfg.gLakeLevel1Pres, lblT850_, lblDiff850_);
  const std::optional<double> d700 = level(cfg.gLakeLevel2Pres, lblT700_, lblDiff700_);
  const LakeStability v = d850 && d700 ? LakeStabilityVerdict(*d850, *d700) : LakeStability{};
  lblStability_->setText(QString::fromStdString(v.text));
  lblStability_->setStyleSheet(QString("QLabel { color: %1; }").arg(ToQColor(v.colour).name()));

  lblModelCape_->setText(QString::fromStdString(Format(gCape(D, H), "0")));
  if (gLakeParcelDone(D, H) != -1) LiftSurfaceParcel(H);
  lblLIC_->setText(QString::fromStdString(Format(gLakeCape(D, H), "0")));
  lblLIE_->setText(QString::fromStdString(Format(gLakeEL(D, H), "0'")));
  lblNLIC_->setText(gLakeEL(D, H) > kLeastLakeEL ? QString::fromStdString(Format(gLakeNCape(D, H), ".000"))
                                                  : QString("----"));
}

}  // namespace ondrik
