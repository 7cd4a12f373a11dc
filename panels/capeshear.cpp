#include "panels/capeshear.h"

#include <QFrame>
#include <QRadioButton>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "core/ccl.h"
#include "core/guards.h"
#include "core/shear.h"
#include "panels/indices.h"
#include "panels/overlayloop.h"
#include "panels/picturepanel.h"
#include "panels/panelwidgets.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

Integer gCapeAxisMax = 4000;
Integer gShearAxisMax = 100;

namespace {

constexpr Integer kCapeStep = 1000, kCapeAxisLowest = 1000, kCapeAxisHighest = 9000;
constexpr Integer kShearStep = 20, kShearAxisLowest = 20, kShearAxisHighest = 200;
constexpr int kHoursBack = 6;   // the evolution path
constexpr int kOptionRow = 15;  // px per option button under the picture
constexpr Color kGrid = RGB(100, 100, 100);
constexpr Color kFrame = RGB(127, 127, 255);
constexpr Color kRing = RGB(255, 255, 0);

const char* const kOptionCaptions[3] = {"SCAPE - 6km Bulk Shear", "SCAPE - 1km Bulk Shear",
                                        "MUCAPE - Effective Shear"};

// The colour of an hour's point: green without CAPE, else by the inhibition
// against the CINS thresholds.
Color PointColour(Integer shown, Single cape, Single cin) {
  const QColor c = ToQColor(ThirdColor(cape < 1 ? IndexThird::First : ThresholdClass(cin, kRowCins, true)));
  return eRGB(shown, c.red(), c.green(), c.blue());
}

}  // namespace

CapeShearPanel::CapeShearPanel(PanelHost& host, QWidget* parent) : host_(host) {
  auto* frame = new ResizeFrame(parent);
  frame_ = frame;
  frame_->setObjectName("frameCape");
  picCape_ = new PictureBoxWidget(frame_);
  picCape_->setObjectName("picCape");
  PictureBox& pic = picCape_->Pic();
  pic.BackColor = kBlack;
  // A small font, so that the axis labels keep to the margins of a small panel.
  pic.FontName = "Arial";
  pic.FontSize = 5.5;
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(kOptionCaptions[i], frame_);
    b->setObjectName(QString("optCapeShear%1").arg(i));
    QFont f = b->font();
    f.setPointSizeF(7.5);
    b->setFont(f);
    b->setFocusPolicy(Qt::TabFocus);
    QObject::connect(b, &QRadioButton::clicked, b, [this, i] { optCapeShear_Click(i); });
    optCapeShear_[static_cast<size_t>(i)] = b;
  }
  optCapeShear_[0]->setChecked(true);

  pnlShear_ = new QFrame(parent);
  pnlShear_->setObjectName("pnlShear");
  chkCapeShearHistory_ = new CheckBox("Evolution Path", pnlShear_);
  chkCapeShearHistory_->setObjectName("chkCapeShearHistory");
  chkCapeShearVariability_ = new CheckBox("Quartile Ring", pnlShear_);
  chkCapeShearVariability_->setObjectName("chkCapeShearVariability");
  int x = 2;
  for (CheckBox* b : {chkCapeShearHistory_, chkCapeShearVariability_}) {
    b->setFocusPolicy(Qt::TabFocus);
    const int w = b->sizeHint().width();
    b->setGeometry(x, 1, w, 20);
    x += w + 8;
  }
  chkCapeShearHistory_->onClick = [this] { chkCapeShearHistory_Click(); };
  chkCapeShearVariability_->onClick = [this] { chkCapeShearVariability_Click(); };
  picCape_->onMouseUp = [this](int b, int s, double x, double y) { picCape_MouseUp(b, s, x, y); };
  // A picture shown for the first time or resized is cleared: draw again.
  picCape_->onResize = [this] { PlotCapeShear(); };
  frame->onResize = [this] { Layout(); };
}

QWidget* CapeShearPanel::Widget() { return frame_; }
QWidget* CapeShearPanel::ButtonBar() { return pnlShear_; }

void CapeShearPanel::Layout() {
  const int W = frame_->width(), H = frame_->height();
  const int picH = std::max(1, H - 3 * kOptionRow);
  picCape_->setGeometry(0, 0, W, picH);
  for (int i = 0; i < 3; ++i) optCapeShear_[static_cast<size_t>(i)]->setGeometry(4, picH + i * kOptionRow, W - 4, kOptionRow);
}

void CapeShearPanel::Start() {
  gCapeAxisMax = 4000;
  gShearAxisMax = 100;
  for (int i = 0; i < 3; ++i) optCapeShear_[static_cast<size_t>(i)]->setChecked(i == gCapeShearOption);
}

void CapeShearPanel::Capture(PanelSettings& into) const {
  into.chkCapeShearHistory = chkCapeShearHistory_->Value();
  into.chkCapeShearVariability = chkCapeShearVariability_->Value();
}

void CapeShearPanel::Apply(const PanelSettings& from) {
  const LoadingStateGuard quiet;
  chkCapeShearHistory_->SetValue(from.chkCapeShearHistory);
  chkCapeShearVariability_->SetValue(from.chkCapeShearVariability);
}

void CapeShearPanel::BoxClicked() {
  if (gLoadingState) return;
  PlotCapeShear();
  host_.FocusHourBar();
}

void CapeShearPanel::optCapeShear_Click(int index) {
  if (index < 0 || index > 2) return;
  gCapeShearOption = index;
  for (Integer d = 1; d <= std::min<Integer>(gDatasetCount, kMaxDatasets); ++d)
    for (Integer h = 0; h <= std::min<Integer>(gLastHour(d), kMaxHours - 1); ++h) gBulkShearDone(d, h) = false;
  host_.FocusHourBar();
  PlotCapeShear();
}

void CapeShearPanel::picCape_MouseUp(int button, int /*shift*/, double /*x*/, double y) {
  const bool in = button == 1;
  if (y > 0) {
    if (in && gCapeAxisMax > kCapeAxisLowest) gCapeAxisMax -= kCapeStep;
    else if (!in && gCapeAxisMax < kCapeAxisHighest) gCapeAxisMax += kCapeStep;
  } else {
    if (in && gShearAxisMax > kShearAxisLowest) gShearAxisMax -= kShearStep;
    else if (!in && gShearAxisMax < kShearAxisHighest) gShearAxisMax += kShearStep;
  }
  PlotCapeShear();
}

void CapeShearPanel::PlotCapeShear() {
  if (gLoadingState) return;
  PictureBox& pic = picCape_->Pic();
  const double cMax = gCapeAxisMax, sMax = gShearAxisMax;
  // Margins as wide as the texts they hold: the CAPE numbers at the left,
  // the title over the plane's top number, the shear numbers and the shear
  // title under the plane. The axes' numbers stand clear of the points on
  // the axes (a point with no CAPE or no shear) and of the quartile ring
  // round them, which reach past the plane by 2 % of its width or height.
  pic.ScalePixels();
  const double line = pic.TextHeight("3"), gap = 3;
  const double clear = std::max(gap, std::ceil(0.02 * std::max(pic.PixelWidth(), pic.PixelHeight())) + 2);
  const double leftPx = pic.TextWidth(std::to_string(gCapeAxisMax)) + gap + clear, rightPx = 0.05 * pic.PixelWidth();
  const double topPx = 1.5 * line + gap, bottomPx = 2 * line + gap + clear;
  const double ux = sMax / std::max(1.0, pic.PixelWidth() - leftPx - rightPx);
  const double uy = cMax / std::max(1.0, pic.PixelHeight() - topPx - bottomPx);
  pic.Scale(-leftPx * ux, cMax + topPx * uy, sMax + rightPx * ux, -bottomPx * uy);
  pic.KeepMapping();  // the mouse reads shear and CAPE of the plane drawn
  pic.FillTransparent = false;
  pic.Mode = DrawMode::CopyPen;
  pic.DrawWidth = 1;
  const double h = pic.TextHeight("3") / 2;
  pic.Cls();
  pic.ForeColor = kGrid;

  // Grids, reddening towards the top and the right.
  const int capeStep = gCapeAxisMax <= 2000 ? 250 : gCapeAxisMax <= 4000 ? 500 : 1000;
  const int shearStep = gShearAxisMax <= 40 ? 5 : gShearAxisMax <= 80 ? 10 : 20;
  pic.Style = DrawStyle::Dot;
  for (int c = 0; c <= gCapeAxisMax; c += capeStep)
    pic.Line(0, c, sMax, c, RGB(static_cast<int>(std::lround(128.0 * c / cMax)), 100, 100));
  for (int v = 0; v <= gShearAxisMax; v += shearStep)
    pic.Line(v, 0, v, cMax, RGB(static_cast<int>(std::lround(128.0 * v / sMax)), 100, 100));
  pic.Style = DrawStyle::Solid;

  pic.ForeColor = kFrame;
  pic.Line(0, 0, 0, cMax);
  pic.LineTo(sMax, cMax);
  pic.LineTo(sMax, 0);
  pic.LineTo(0, 0);
  for (int c = 0; c <= gCapeAxisMax; c += capeStep) {
    // Right-aligned a gap left of the plane.
    const std::string t = std::to_string(c);
    pic.CurrentX = -clear * ux - pic.TextWidth(t);
    pic.CurrentY = c + h;  // centred on its line; the plane's y runs upwards
    pic.Print(t);
  }
  for (int v = 0; v <= gShearAxisMax; v += shearStep) {
    const std::string t = std::to_string(v);
    pic.CurrentY = -clear * uy;
    pic.CurrentX = v - pic.TextWidth(t) / 2;
    pic.Print(t);
  }

  const bool effective = gCapeShearOption == kShearEffective;
  pic.ForeColor = kWhite;
  // The CAPE axis's title on one line in the margin over the plane: in the
  // column of the axis numbers its two lines would cover them.
  PrintAt(pic, pic.ScaleLeft(), pic.ScaleTop(), effective ? "MUCAPE (J/kg)" : "SCAPE (J/kg)", kWhite);
  PrintAt(pic, 0.36 * sMax, -(clear + line + 1) * uy,  // under the shear labels
          gCapeShearOption == kShearSixKm   ? "6 km  Bulk  Shear  (knots)"
          : gCapeShearOption == kShearOneKm ? "1 km  Bulk  Shear  (knots)"
                                            : " Effictive Shear  (knots)",
          kWhite);

  const Integer D = gCurDataset;
  const Integer hour = host_.Hour();
  const int back = chkCapeShearHistory_->Value() != 0 ? kHoursBack : 0;
  std::array<Single, kMaxDatasets> capes{}, shears{};
  Integer k = 0;
  ForEachShownDataset(D, hour, [&](Integer d) {
    auto cape = [&](Integer H) { return effective ? gEffectiveCape(d, H) : gCape(d, H); };
    auto cin = [&](Integer H) { return effective ? gEffectiveCin(d, H) : gCins(d, H); };
    const Integer first = std::max(hour - back, 0);
    for (Integer H = first; H <= hour; ++H) {
      ComputeOnce(gBulkShearDone(d, H), [&] { ComputeBulkShear(d, H); });
      const bool linked = H != first && H != 0;
      if (effective) {
        if (linked && cape(H - 1) > 0 && cape(H) > 0)
          pic.Line(gBulkShear(d, H - 1), cape(H - 1), gBulkShear(d, H), cape(H), eRGB(D, 255, 255, 127));
        if (!(cape(H) > 0)) continue;
      } else if (linked) {
        pic.Line(gBulkShear(d, H - 1), cape(H - 1), gBulkShear(d, H), cape(H), eRGB(D, 255, 255, 127));
      }
      pic.FillColor = PointColour(D, cape(H), cin(H));
      pic.Circle(gBulkShear(d, H), cape(H), sMax * (0.02 - 0.002 * (hour - H)), eRGB(D, 0, 0, 255));
    }
    if (!effective || cape(hour) > 0) {
      capes[static_cast<size_t>(k)] = cape(hour);
      shears[static_cast<size_t>(k)] = gBulkShear(d, hour);
      ++k;
    }
  });

  if (chkCapeShearVariability_->Value() != 0 && k > 0) {
    Single qc1, qc3, qs1, qs3;
    Quartiles(capes, k, qc1, qc3);
    Quartiles(shears, k, qs1, qs3);
    pic.ForeColor = kRing;
    ellipse(pic, (qs1 + qs3) / 2.0, (qc1 + qc3) / 2.0, (qs3 - qs1) / 2.0 + 0.02 * sMax,
            (qc3 - qc1) / 2.0 + 0.02 * cMax);
  }
  picCape_->update();
}

}  // namespace ondrik
