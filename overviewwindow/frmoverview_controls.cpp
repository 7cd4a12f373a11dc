// The overview's option buttons, legends and level bars on its control
// pages, and the window's side of the box rules (overview/controlrules.h).
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/guards.h"
#include "core/numberformat.h"
#include "core/preciptype.h"
#include "core/shared.h"
#include "core/store.h"
#include "overview/plotters.h"
#include "overview/series.h"
#include "overviewwindow/frmoverview.h"
#include "platform/color.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr int kColumnWidth = 150;  // a column of check boxes on a page
constexpr int kRows = 7;           // rows of a column
constexpr int kPageHeight = 7 * 17 + 4;
constexpr int kLine = 17;

// The web pages of the snow buttons.
constexpr const char* kSnowCompactionPage = "https://www.weather.gov/media/mkx/snowcompaction.pdf";
constexpr const char* kSnowRatioClimoPage = "https://www.eas.slu.edu/CIPS/SRclimo/SRclimo.html";

constexpr Color kGreyedItem = RGB(63, 63, 63);

QString Css(Color c) { return QString("rgb(%1, %2, %3)").arg(RedOf(c)).arg(GreenOf(c)).arg(BlueOf(c)); }

// A key item on its colour, its text black on the light colours and white
// on the dark ones.
QString KeyStyle(Color c) {
  const int light = 299 * RedOf(c) + 587 * GreenOf(c) + 114 * BlueOf(c);
  return QString("QLabel { color: %1; background: %2; }").arg(light >= 128000 ? "black" : "white", Css(c));
}

// A press on a label or picture runs its click.
class ClickFilter : public QObject {
 public:
  ClickFilter(std::function<void()> click, QObject* parent) : QObject(parent), click_(std::move(click)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) {
      click_();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> click_;
};

void OnClick(QWidget* w, std::function<void()> click) {
  w->installEventFilter(new ClickFilter(std::move(click), w));
  w->setCursor(Qt::PointingHandCursor);
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QString& name, const QRect& at) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(at);
  return l;
}

QFrame* MakePanel(QWidget* parent, const char* name, const QRect& at) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setGeometry(at);
  f->setVisible(false);
  return f;
}

// The first free x of a page: right of its columns of check boxes.
int FreeX(int page) {
  int n = 0;
  for (const OverviewRow& r : OverviewRows()) n += r.place == page ? 1 : 0;
  return (n + kRows - 1) / kRows * kColumnWidth + 2;
}

// A button's look for a line that is on (its colour) or off (button face).
void ShowLine(QPushButton* b, bool on, Color c) {
  b->setStyleSheet(on ? QString("QPushButton { background: %1; color: black; }").arg(Css(c)) : QString());
}

}  // namespace

void frmOverView::BuildOptionControls() {
  auto button = [this](QWidget* parent, const QString& caption, const QString& name, const QRect& at) {
    QPushButton* b = MakeButton(parent, caption, name);
    b->setGeometry(at);
    return b;
  };
  auto radio = [](QWidget* parent, QButtonGroup* group, const QString& caption, const QString& name,
                  const QRect& at) {
    auto* r = new QRadioButton(caption, parent);
    r->setObjectName(name);
    r->setGeometry(at);
    r->setFocusPolicy(Qt::NoFocus);
    group->addButton(r);
    return r;
  };
  auto panel = [this](BoxPanel p, QFrame* f) {
    panels_[static_cast<size_t>(p)] = f;
    return f;
  };

  // ---- Contour: contour interval, shear units, omega filter, humidity legend ----
  {
    QFrame* page = pnlControl[kPageContour];
    const int x = FreeX(kPageContour);
    MakeLabel(page, "CI", "lblCI", QRect(x, 2, 16, kLine));
    auto* ci = new QButtonGroup(page);
    int i = 0;
    for (const char* c : {"1", "2", "5", "10"}) {
      QRadioButton* r = radio(page, ci, c, QString("chkCI%1").arg(i), QRect(x + 16 + i * 32, 2, 32, kLine));
      connect(r, &QRadioButton::clicked, this, [this, i] { chkCI_Click(i); });
      chkCI[static_cast<size_t>(i++)] = r;
    }
    chkCI[2]->setChecked(true);
    auto* shear = new QButtonGroup(page);
    i = 0;
    for (const char* c : {"(m/s)", "(m/s) / km"}) {
      QRadioButton* r = radio(page, shear, c, QString("optLayerShear%1").arg(i),
                              QRect(x + i * 56, 2 + kLine, i == 0 ? 56 : 90, kLine));
      connect(r, &QRadioButton::clicked, this, [this, i] { optLayerShear_Click(i); });
      optLayerShear[static_cast<size_t>(i++)] = r;
    }
    optLayerShear[0]->setChecked(true);
    btnOmegaFiltered = button(page, "Filtered Omega", "btnOmegaFiltered", QRect(x, 4 + 2 * kLine, 100, 20));
    btnOmegaFiltered->setVisible(false);
    connect(btnOmegaFiltered, &QPushButton::clicked, this, [this] { btnOmegaFiltered_Click(); });
    panels_[static_cast<size_t>(BoxPanel::OmegaFiltered)] = btnOmegaFiltered;
    QFrame* rh = panel(BoxPanel::RH, MakePanel(page, "pnlRH", QRect(x, 8 + 3 * kLine, 146, 2 * kLine + 4)));
    rh->setStyleSheet("QFrame#pnlRH { background: black; }");
    for (int k = 1; k <= 9; ++k) {
      const int row = k <= 5 ? 0 : 1, col = k <= 5 ? k - 1 : k - 6;
      QLabel* l = MakeLabel(rh, QString::fromLatin1(std::array{"", "30", "70", "80", "90", "95", "100", "103", "106", "109"}[static_cast<size_t>(k)]),
                            QString("lblRH%1").arg(k), QRect(2 + col * 28, 2 + row * kLine, 27, kLine - 1));
      l->setAlignment(Qt::AlignCenter);
      OnClick(l, [this, k] { lblRH_Click(k); });
      lblRH[static_cast<size_t>(k)] = l;
    }
    ShowRHLegend();
    // Covers the classes above 100 %, which only the ice fill has.
    QFrame* hide = panel(BoxPanel::RHHide, MakePanel(rh, "frameRHHide", QRect(0, 2 + kLine, 146, kLine + 2)));
    hide->setStyleSheet("QFrame#frameRHHide { background: black; }");
  }

  // ---- Temperature: the heat-index classes ----
  {
    QFrame* page = pnlControl[kPageTemperature];
    const int x = FreeX(kPageTemperature);
    lblLakeTemp->setGeometry(x, 2, 140, kLine);
    QFrame* hi = panel(BoxPanel::HeatIndex, MakePanel(page, "pnlHeatIndex", QRect(x, 4 + kLine, 150, 2 * kLine + 4)));
    MakeLabel(hi, "Heat Index", "lblHeatIndex", QRect(0, 0, 150, kLine));
    // Items "IV" to "I" on the strip's colours of heat classes 4 to 1.
    for (int k = 0; k < 4; ++k) {
      QLabel* l = MakeLabel(hi, std::array{"IV", "III", "II", "I"}[static_cast<size_t>(k)], QString("lblHI%1").arg(k),
                            QRect(k * 36, kLine + 2, 34, kLine));
      l->setAlignment(Qt::AlignCenter);
      l->setStyleSheet(KeyStyle(kHeatClassColours[static_cast<size_t>(4 - k)]));
      OnClick(l, [this, k] { lblHI_Click(k); });
      lblHI[static_cast<size_t>(k)] = l;
    }
  }

  // ---- Wind: sigma level, mean-wind layer, barb spacing, speed colours ----
  {
    QFrame* page = pnlControl[kPageWind];
    const int x = FreeX(kPageWind);
    QFrame* wind = panel(BoxPanel::Wind, MakePanel(page, "pnlWind", QRect(x, 2, 78, kPageHeight - 6)));
    MakeLabel(wind, "Sigma", "lblSigma", QRect(0, 0, 44, kLine));
    vsbSigmaLevel->setParent(wind);
    vsbSigmaLevel->setGeometry(2, kLine, 17, kPageHeight - 8 - kLine);
    vsbSigmaLevel->onChange = [this] { vsbSigmaLevel_Change(); };
    lblSigmaLevel = MakeLabel(wind, QString::number(vsbSigmaLevel->Value()), "lblSigmaLevel", QRect(21, kLine, 22, kLine));
    picWindScale = new PictureBoxWidget(wind);
    picWindScale->setObjectName("picWindScale");
    picWindScale->setGeometry(21, 2 * kLine + 2, 56, 40);
    picWindScale->Pic().BackColor = kBlack;
    picWindScale->Pic().ForeColor = kWhite;
    picWindScale->Pic().Cls();
    QFrame* mean = panel(BoxPanel::MeanWind, MakePanel(page, "pnlMeanWind", QRect(x + 79, 2, 86, kPageHeight - 6)));
    MakeLabel(mean, "Mean Layer", "lblMeanLayer", QRect(0, 0, 86, kLine));
    for (int k = 0; k < 2; ++k) {
      ScrollBar* b = vsbMeanWind[static_cast<size_t>(k)];
      b->setParent(mean);
      b->setGeometry(2 + k * 40, kLine, 17, kPageHeight - 8 - kLine);
      b->onChange = [this, k] { vsbMeanWind_Change(k); };
      lblMeanWind[static_cast<size_t>(k)] =
          MakeLabel(mean, "", QString("lblMeanWind%1").arg(k), QRect(21 + k * 40, kLine, 26, kLine));
      lblMeanWindPressure[static_cast<size_t>(k)] =
          MakeLabel(mean, "", QString("lblMeanWindPressure%1").arg(k), QRect(21 + k * 40, 2 * kLine, 26, kLine));
    }
    // Room for the barb, transfer and colour controls to the page's edge.
    const int x2 = x + 166;
    QFrame* opts = panel(BoxPanel::VWPOptions, MakePanel(page, "pnlVWPOptions", QRect(x2, 2, 150, 22)));
    MakeLabel(opts, "Barbs", "lblVWPBarbs", QRect(0, 2, 40, kLine));
    btnVWPInterval->setParent(opts);
    btnVWPInterval->setGeometry(42, 0, 40, 20);
    connect(btnVWPInterval, &QPushButton::clicked, this, [this] { btnVWPInterval_Click(); });
    btnVWPIntervalA->setParent(opts);
    btnVWPIntervalA->setGeometry(86, 0, 40, 20);
    connect(btnVWPIntervalA, &QPushButton::clicked, this, [this] { btnVWPIntervalA_Click(); });
    MakeLabel(page, "Xfer", "lblXfer", QRect(x2, 28, 24, kLine));
    for (int k = 0; k < 4; ++k) {
      QPushButton* b = btnXferO[static_cast<size_t>(k)];
      b->setGeometry(x2 + 24 + k * 27, 26, 26, 20);
      connect(b, &QPushButton::clicked, this, [this, k] { btnXferO_Click(k); });
    }
    QFrame* vwp = panel(BoxPanel::VWP, MakePanel(page, "pnlVWP", QRect(x2, 50, 132, 2 * kLine + 6)));
    auto* group = new QButtonGroup(vwp);
    int i = 0;
    for (const char* c : {"2", "5", "10", "20"}) {
      QRadioButton* r = radio(vwp, group, c, QString("OptWindColor%1").arg(i), QRect(i * 33, 0, 33, kLine));
      connect(r, &QRadioButton::clicked, this, [this, i] { OptWindColor_Click(i); });
      OptWindColor[static_cast<size_t>(i++)] = r;
    }
    OptWindColor[2]->setChecked(true);
    // Each bound on the colour of the speed class that starts there.
    for (int k = 0; k < 6; ++k) {
      QLabel* l = MakeLabel(vwp, QString::number(10 * (k + 1)), QString("lblVWP%1").arg(k),
                            QRect(k * 22, kLine + 3, 21, kLine));
      l->setAlignment(Qt::AlignCenter);
      l->setStyleSheet(KeyStyle(kVWPClassColours[static_cast<size_t>(k + 1)]));
      lblVWP[static_cast<size_t>(k)] = l;
    }
  }

  // ---- Convection: CAPE layers, height lines, the inhibition legend ----
  {
    QFrame* page = pnlControl[kPageConvection];
    const int x = FreeX(kPageConvection);
    frameECAPE->setGeometry(x, 2, 60, 6 * 16 + 4);
    for (int k = 0; k < 6; ++k) OnClick(lblECAPE[static_cast<size_t>(k)], [this, k] { lblECAPE_Click(k); });
    panels_[static_cast<size_t>(BoxPanel::ECAPE)] = frameECAPE;
    const int x2 = x + 64;
    QFrame* cape = panel(BoxPanel::CAPE, MakePanel(page, "frameCAPE", QRect(x2, 2, 230, 22)));
    int n = 0;
    for (int k : {0, 3, 4, 5, 6, 7}) {
      QPushButton* b = button(cape, std::array{"Eql", "", "", "3", "4", "5", "6", "Hail"}[static_cast<size_t>(k)],
                              QString("btnCAPEkm%1").arg(k), QRect(n++ * 38, 0, 36, 20));
      connect(b, &QPushButton::clicked, this, [this, k] { btnCAPEkm_Click(k); });
      btnCAPEkm[static_cast<size_t>(k)] = b;
      ShowLine(b, state_.opt.CapeLineOn[static_cast<size_t>(k)], CapeLineColour(k));
    }
    QFrame* heights = panel(BoxPanel::Heights, MakePanel(page, "frameHeights", QRect(x2, 28, 230, 22)));
    for (int k = 1; k <= 3; ++k) {
      QPushButton* b = button(heights, std::array{"", "LCL", "LFC", "Eql"}[static_cast<size_t>(k)],
                              QString("btnHeights%1").arg(k), QRect((k - 1) * 38, 0, 36, 20));
      connect(b, &QPushButton::clicked, this, [this, k] { btnHeights_Click(k); });
      btnHeights[static_cast<size_t>(k)] = b;
      ShowLine(b, state_.opt.HeightLineOn[static_cast<size_t>(k)], HeightLineColour(k));
    }
    QFrame* elcin = panel(BoxPanel::ELCIN, MakePanel(page, "frameELCIN", QRect(x2, 54, 230, kLine + 2)));
    n = 0;
    for (const ElCinClass& c : kElCinClasses) {
      QLabel* l = MakeLabel(elcin, c.caption, QString("lblELCIN%1").arg(n), QRect(n * 66, 0, 64, kLine));
      l->setAlignment(Qt::AlignCenter);
      l->setStyleSheet(KeyStyle(c.colour));
      ++n;
    }
  }

  // ---- Aviation: cloud shading ----
  {
    const int x = FreeX(kPageAviation);
    btnClouds = button(pnlControl[kPageAviation], "Cloud Shades", "btnClouds", QRect(x, 2, 90, 20));
    connect(btnClouds, &QPushButton::clicked, this, [this] { btnClouds_Click(); });
  }

  // ---- Controls: vertical unit, the 10 meter base, the time zone, training ----
  {
    QFrame* page = pnlControl[kPageControls];
    const int x = FreeX(kPageControls);
    MakeLabel(page, "Height axis", "lblHeightAxis", QRect(x, 4, 70, kLine));
    for (int k = 0; k < 3; ++k) {
      QPushButton* b = button(page, std::array{"P", "Ft", "Km"}[static_cast<size_t>(k)], QString("btnPHK%1").arg(k),
                              QRect(x + 72 + k * 32, 2, 30, 20));
      connect(b, &QPushButton::clicked, this, [this, k] { btnPHK_Click(k); });
      btnPHK[static_cast<size_t>(k)] = b;
    }
    SetBold(btnPHK[1], true);
    btnPressureBase = button(page, "10 meter", "btnPressureBase", QRect(x + 72, 26, 94, 20));
    connect(btnPressureBase, &QPushButton::clicked, this, [this] { btnPressureBase_Click(); });
    MakeLabel(page, "Local time", "lblLocalTime", QRect(x, 52, 70, kLine));
    QPushButton* left = button(page, "<", "btnAdjustTimeLeft", QRect(x + 72, 50, 30, 20));
    connect(left, &QPushButton::clicked, this, [this] { btnAdjustTimeLeft_Click(); });
    QPushButton* right = button(page, ">", "btnAdjustTimeRight", QRect(x + 104, 50, 30, 20));
    connect(right, &QPushButton::clicked, this, [this] { btnAdjustTimeRight_Click(); });
    picLogo = MakeLabel(page, "Training", "picLogo", QRect(x, 78, 70, 20));
    picLogo->setAlignment(Qt::AlignCenter);
    picLogo->setStyleSheet("QLabel { color: white; background: rgb(0, 0, 128); }");
    picLogo->setToolTip("Training mode: the next control clicked opens its training documents");
    OnClick(picLogo, [this] { picLogo_Click(); });
  }

  // ---- Fire Wx: Davis and Haines ----
  {
    QFrame* page = pnlControl[kPageFireWx];
    const int x = FreeX(kPageFireWx);
    QFrame* davis = panel(BoxPanel::DavisIndex, MakePanel(page, "pnlDavisIndex", QRect(x, 2, 200, kLine + 2)));
    MakeLabel(davis, "Davis Stability Index", "lblDavisIndex", QRect(0, 0, 200, kLine));
    QFrame* haines = panel(BoxPanel::HainesIndex, MakePanel(page, "pnlHainesIndex", QRect(x, 26, 200, 22)));
    MakeLabel(haines, "Haines", "lblHaines", QRect(0, 2, 44, kLine));
    for (int k = 0; k < 3; ++k) {
      QPushButton* b = button(haines, std::array{"Low", "Mid", "High"}[static_cast<size_t>(k)],
                              QString("btnHaines%1").arg(k), QRect(46 + k * 46, 0, 44, 20));
      connect(b, &QPushButton::clicked, this, [this, k] { btnHaines_Click(k); });
      btnHaines[static_cast<size_t>(k)] = b;
    }
    SetBold(btnHaines[0], true);
  }

  // ---- Precip: the type legend, the snow technique, the help pages, the elevated level ----
  {
    QFrame* page = pnlControl[kPagePrecip];
    const int x = FreeX(kPagePrecip);
    QFrame* legend = panel(BoxPanel::Precip, MakePanel(page, "framePrecip", QRect(x, 2, 110, 3 * kLine + 2)));
    for (size_t n = 0; n < kPTypeLegend.size(); ++n) {
      const PTypeItem& item = kPTypeLegend[n];
      const int i = static_cast<int>(n);
      QLabel* l = MakeLabel(legend, item.caption, QString("lblPType%1").arg(i),
                            QRect((i % 2) * 55, (i / 2) * kLine, 53, kLine - 1));
      lblPType[n] = l;
      l->setAlignment(Qt::AlignCenter);
      l->setStyleSheet(KeyStyle(item.colour));
    }
    QPushButton* help = button(page, "?", "btn_SnowAccumulationHelp", QRect(x, 4 + 3 * kLine, 22, 20));
    connect(help, &QPushButton::clicked, this, [this] { btn_SnowAccumulationHelp_Click(); });
    QPushButton* climo = button(page, "Climatology", "btnSRclimo", QRect(x + 26, 4 + 3 * kLine, 84, 20));
    connect(climo, &QPushButton::clicked, this, [this] { btnSRclimo_Click(); });
    const int x2 = x + 114;
    auto* group = new QButtonGroup(page);
    int i = 0;
    for (const char* c : {"cobb05", "Max Temp In Profile", "cobb11", "12:1"}) {
      QRadioButton* r = radio(page, group, c, QString("optSnowTechnique%1").arg(i), QRect(x2, 2 + i * kLine, 160, kLine));
      connect(r, &QRadioButton::clicked, this, [this, i] { optSnowTechnique_Click(i); });
      optSnowTechnique[static_cast<size_t>(i++)] = r;
    }
    optSnowTechnique[1]->setChecked(true);
    hsbRatio = new ScrollBar(Qt::Horizontal, page);
    hsbRatio->setObjectName("hsbRatio");
    hsbRatio->SetRange(5, 30);
    hsbRatio->SetValue(12);
    hsbRatio->setGeometry(x2 + 60, 2 + 3 * kLine, 100, 16);
    hsbRatio->setVisible(false);
    hsbRatio->onChange = [this] { hsbRatio_Change(); };
    lblPTElevation = MakeLabel(page, "Surface", "lblPTElevation", QRect(x, 28 + 3 * kLine, 250, 2 * kLine + 2));
    lblPTElevation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    vbsElevatedPT = new ScrollBar(Qt::Vertical, page);
    vbsElevatedPT->setObjectName("vbsElevatedPT");
    vbsElevatedPT->SetRange(20, 1);
    vbsElevatedPT->SetValue(1);
    vbsElevatedPT->setGeometry(x2 + 164, 2, 17, kPageHeight - 6);
    vbsElevatedPT->setVisible(false);
    vbsElevatedPT->onChange = [this] { vbsElevatedPT_Change(); };
  }

  // The picture-in-picture of the profile chart, bottom left or right.
  picPIP = new QLabel(this);
  picPIP->setObjectName("picPIP");
  picPIP->setVisible(false);
  picPIP->setAttribute(Qt::WA_TransparentForMouseEvents);
}

// The option controls and panels as the options stand (after a layout is
// applied with the loading state raised, when their clicks did nothing).
void frmOverView::ShowOptions() {
  const OverviewOptions& o = state_.opt;
  ShowAllPanels(*this, o);
  for (int k : {0, 3, 4, 5, 6, 7})
    ShowLine(btnCAPEkm[static_cast<size_t>(k)], o.CapeLineOn[static_cast<size_t>(k)], CapeLineColour(k));
  for (int k = 1; k <= 3; ++k)
    ShowLine(btnHeights[static_cast<size_t>(k)], o.HeightLineOn[static_cast<size_t>(k)], HeightLineColour(k));
  for (int k = 0; k < 3; ++k) {
    SetBold(btnHaines[static_cast<size_t>(k)], k == o.HainesLevel - 1);
    SetBold(btnPHK[static_cast<size_t>(k)], k == o.VerticalUnit);
  }
  auto check = [](auto& options, Integer index) {
    if (index >= 0 && index < static_cast<Integer>(options.size())) options[static_cast<size_t>(index)]->setChecked(true);
  };
  check(chkCI, o.ContourIntervalIndex);
  check(OptWindColor, o.WindColorIndex);
  check(optSnowTechnique, o.SnowTechnique);
  check(optLayerShear, o.LayerShearOption[1] ? 1 : 0);
  hsbRatio->setVisible(o.SnowTechnique == 3);
  btnVWPInterval->setText(QString::number(o.VWPInterval));
  btnVWPIntervalA->setText("A" + QString::number(o.VWPAutoInterval));
  SetBold(btnVWPIntervalA, o.VWPAuto != 0);
  SetBold(btnVWPInterval, o.VWPAuto == 0);
  ShowVWPLegend();
  ShowRHLegend();
  SetBold(btnPressureBase, o.TenMeterBase != 0);
  SetBold(btnClouds, o.CloudShadeMode != 0);
}

// The speed classes of the wind profile: six bounds, multiples of the step
// chosen; the legend shows them and the plotter reads them.
void frmOverView::ShowVWPLegend() {
  const Integer w = state_.opt.WindColorIndex;
  const int step = w >= 0 && w <= 3 ? OptWindColor[static_cast<size_t>(w)]->text().toInt() : 10;
  for (int i = 0; i < 6; ++i) {
    state_.opt.VWPBounds[static_cast<size_t>(i)] = step * (i + 1);
    lblVWP[static_cast<size_t>(i)]->setText(QString::number(step * (i + 1)));
  }
}

// The precipitation-type legend: the types the last precipitation bars met.
void frmOverView::ShowPTypeLegend() {
  for (size_t i = 0; i < lblPType.size(); ++i)
    if (lblPType[i] != nullptr) lblPType[i]->setVisible(state_.draw.PTypeSeen[i]);
}

// The sigma-wind legend, in units of 1000 by 600 across the picture.
void frmOverView::SigmaWindScale() {
  if (picWindScale == nullptr) return;
  const Integer before = GridSwitchGuard;
  GridSwitchGuard = -1;
  picWindScale->Pic().Scale(0, 0, 1000, 600);
  DrawSigmaWindScale(picWindScale->Pic(), state_);
  picWindScale->update();
  GridSwitchGuard = before;
}

// The humidity legend: the items below the lowest class filled greyed.
void frmOverView::ShowRHLegend() {
  for (int i = 1; i <= 9; ++i)
    lblRH[static_cast<size_t>(i)]->setStyleSheet(
        QString("QLabel { color: %1; background: %2; }")
            .arg(Css(i < state_.opt.RHLowestClass ? kGreyedItem : RGB(255, 255, 255)), Css(HumidityClassColour(i))));
}

// ---- BoxHost ----

int frmOverView::Value(BoxId id) const { return Box(id)->Value(); }

void frmOverView::SetValue(BoxId id, int value) { SetBox(id, value); }

void frmOverView::ShowPanel(BoxPanel p, bool shown) {
  if (p == BoxPanel::LakeTemp) {
    lblLakeTemp->setVisible(shown);
    return;
  }
  if (p == BoxPanel::ElevatedPT) {
    vbsElevatedPT->setVisible(shown);
    SetElevationLabel();
    return;
  }
  if (QWidget* w = panels_[static_cast<size_t>(p)]; w != nullptr) w->setVisible(shown);
}

void frmOverView::Topic(std::string_view topic) { profile_.OpenTrainingLinks(std::string(topic)); }

void frmOverView::SetCaption(BoxId id, const std::string& caption) {
  ::ondrik::SetCaption(Box(id), QString::fromStdString(caption));
}

bool frmOverView::MeanWindLayerShown() const { return !lblMeanWind[0]->text().isEmpty(); }

void frmOverView::CopyMeanWindLayer() {
  const ProfileLink::LevelBars lv = profile_.Levels();
  vsbMeanWind[0]->SetValue(lv.meanValue0);
  vsbMeanWind[1]->SetValue(lv.meanValue1);
  // Bars already at those values ran nothing: label the layer anyway.
  for (int k = 0; k < 2; ++k) LabelMeanWind(k);
  PlotData();
}

// The choice is the profile window's: its box follows, and its change
// draws this window again. A box that already showed the choice is
// shown as it is.
void frmOverView::Bourgouin(int value) {
  if ((value != 0) != profile_.Inputs().PtypeDecided)
    profile_.SetBourgouin(value);
  else
    PlotData();
  FocusScrollBar();
}

void frmOverView::FollowTypeSource() {
  if (state_.in.PtypeDecided == typeDecided_ && gElevatedLevel == typeLevel_) return;
  typeDecided_ = state_.in.PtypeDecided;
  typeLevel_ = gElevatedLevel;
  ChoosePrecipTypes(typeDecided_);
  ClearSnowRatio();
}

void frmOverView::ShowProfileValues() {
  const OverviewInputs& in = state_.in;
  ::ondrik::SetCaption(Box(kBoxHelicity), QString::fromStdString("Helicity " + NumberText(in.SRInflowBottom) + " - " +
                                                                 NumberText(in.SRInflowDepth) + " km"));
  ::ondrik::SetCaption(lblLakeTemp,
                       QString::fromStdString("Lake Temp " + profile_.LakeTemperatureCaption()) + QChar(0xB0));
  for (int k = 0; k < 4; ++k) SetBold(btnXferO[static_cast<size_t>(k)], k == in.XferIndex);
  // Shown only: with the loading state raised the box and the bar set
  // nothing but their label.
  const LoadingStateGuard loading;
  SetBox(kBoxsWSYMb, in.PtypeDecided ? 1 : 0);
  vbsElevatedPT->SetValue(gElevatedLevel);
}

double frmOverView::Random() {
  static std::mt19937 engine{std::random_device{}()};
  return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
}

// ---- option buttons and legends ----

void frmOverView::btnCAPEkm_Click(int index) {
  if (index < 0 || index >= 8 || btnCAPEkm[static_cast<size_t>(index)] == nullptr) return;
  bool& on = state_.opt.CapeLineOn[static_cast<size_t>(index)];
  on = !on;
  ShowLine(btnCAPEkm[static_cast<size_t>(index)], on, CapeLineColour(index));
  PlotData();
}

void frmOverView::btnHeights_Click(int index) {
  if (index < 1 || index > 3) return;
  bool& on = state_.opt.HeightLineOn[static_cast<size_t>(index)];
  on = !on;
  ShowLine(btnHeights[static_cast<size_t>(index)], on, HeightLineColour(index));
  PlotData();
}

void frmOverView::btnHaines_Click(int index) {
  if (index < 0 || index > 2) return;
  state_.opt.HainesLevel = index + 1;
  for (int k = 0; k < 3; ++k) SetBold(btnHaines[static_cast<size_t>(k)], k == index);
  PlotData();
}

void frmOverView::btnPHK_Click(int index) {
  if (index >= 0 && index <= 2 && index != state_.opt.VerticalUnit) {
    if (state_.opt.VerticalUnit >= 0 && state_.opt.VerticalUnit <= 2)
      SetBold(btnPHK[static_cast<size_t>(state_.opt.VerticalUnit)], false);
    state_.opt.VerticalUnit = index;
    SetBold(btnPHK[static_cast<size_t>(index)], true);
    PlotData();
  }
  FocusScrollBar();
}

void frmOverView::btnPressureBase_Click() {
  OverviewFrame& f = state_.frame;
  const Integer d = gCurDataset;
  const Single surface = d >= 1 && d <= kMaxDatasets ? f.LogPSurface[static_cast<size_t>(d)] : f.LogPBottom;
  state_.opt.TenMeterBase = state_.opt.TenMeterBase != 0 ? 0 : -1;
  if (state_.opt.TenMeterBase != 0) {
    f.LogPBottom = surface + f.LogPSpan * kTenMeterReach;
    f.LogPSpan *= 1 + kTenMeterReach;
  } else {
    f.LogPSpan /= 1 + kTenMeterReach;
    f.LogPBottom = surface;
  }
  SetBold(btnPressureBase, state_.opt.TenMeterBase != 0);
  PlotData();
}

void frmOverView::btnClouds_Click() {
  state_.opt.CloudShadeMode = state_.opt.CloudShadeMode != 0 ? 0 : -1;
  SetBold(btnClouds, state_.opt.CloudShadeMode != 0);
  PlotData();
}

void frmOverView::btnOmegaFiltered_Click() {
  profile_.SetOmegaSmooth(!profile_.Inputs().OmegaSmoothOn);
  if (!gLoadingState) PlotData();
}

void frmOverView::btnVWPInterval_Click() {
  OverviewOptions& o = state_.opt;
  if (o.VWPAuto != 0) {
    o.VWPAuto = 0;
    SetBold(btnVWPIntervalA, false);
    SetBold(btnVWPInterval, true);
  } else {
    o.VWPInterval = o.VWPInterval >= 3 || o.VWPInterval < 1 ? 1 : o.VWPInterval + 1;
    btnVWPInterval->setText(QString::number(o.VWPInterval));
  }
  PlotData();
}

void frmOverView::btnVWPIntervalA_Click() {
  OverviewOptions& o = state_.opt;
  if (o.VWPAuto != 0) {
    o.VWPAutoInterval = o.VWPAutoInterval >= 3 || o.VWPAutoInterval < 1 ? 1 : o.VWPAutoInterval + 1;
    btnVWPIntervalA->setText("A" + QString::number(o.VWPAutoInterval));
  } else {
    o.VWPAuto = -1;
    SetBold(btnVWPInterval, false);
    SetBold(btnVWPIntervalA, true);
  }
  PlotData();
}

// The profile window's step, whose change redraws this window with the
// transport winds of the new step.
void frmOverView::btnXferO_Click(int index) {
  FocusScrollBar();
  if (index < 0 || index > 3 || index == profile_.Inputs().XferIndex) return;
  profile_.btnXfer_Click(index);
  const Integer now = profile_.Inputs().XferIndex;
  for (int k = 0; k < 4; ++k) SetBold(btnXferO[static_cast<size_t>(k)], k == now);
}

void frmOverView::OptWindColor_Click(int index) {
  if (index < 0 || index > 3) return;
  state_.opt.WindColorIndex = index;
  ShowVWPLegend();
  PlotData();
}

void frmOverView::optLayerShear_Click(int index) {
  if (index < 0 || index > 1) return;
  state_.opt.LayerShearOption = {index == 0, index == 1};
  ClearHodoLengthShear();  // of every dataset the overlay shows
  if (state_.opt.On(kBoxLayerShear)) PlotData();
}

void frmOverView::optSnowTechnique_Click(int index) {
  if (index < 0 || index > 3) return;
  state_.opt.SnowTechnique = index;
  hsbRatio->setVisible(index == 3);
  ondrik::RedoSnowRatio(state_);
  if (!state_.opt.On(kBoxSnow) && !state_.opt.On(kBoxSnowRatio)) return;
  if (state_.opt.On(kBoxGridLakeIndex) || !state_.opt.On(kBoxSnowRatio))
    PlotData();
  else
    SetBox(kBoxGridLakeIndex, 1);
}

void frmOverView::hsbRatio_Change() {
  state_.opt.SnowRatioValue = hsbRatio->Value();
  ::ondrik::SetCaption(optSnowTechnique[3], QString::number(hsbRatio->Value()) + ":1");
  if (state_.opt.SnowTechnique == 3) ondrik::RedoSnowRatio(state_);
  if (state_.opt.SnowTechnique == 3 && (state_.opt.On(kBoxSnow) || state_.opt.On(kBoxSnowRatio))) PlotData();
}

void frmOverView::lblECAPE_Click(int index) {
  if (index < 0 || index > 5) return;
  state_.opt.ECAPELowestClass = index;
  DisplayECAPELabels();
  PlotData();
}

void frmOverView::lblRH_Click(int index) {
  if (index < 1 || index > 9) return;
  profile_.OpenTrainingLinks("Relative Humidity");
  state_.opt.RHLowestClass = index;
  ShowRHLegend();
  PlotData();
}

void frmOverView::lblHI_Click(int index) {
  const std::string text = HeatIndexMessage(index);
  if (!text.empty()) TheEffects().Message(text, kHeatIndexTitle, MsgIcon::None);
}

void frmOverView::AdjustTime(int delta) {
  profile_.AdjustTimeZone(delta);
  DrawTimeAxis();
}
void frmOverView::btnAdjustTimeLeft_Click() { AdjustTime(-1); }
void frmOverView::btnAdjustTimeRight_Click() { AdjustTime(+1); }

// In Linux mode the configured browser opens the page (its address one
// argument, no shell); otherwise the desktop's default handler.
void frmOverView::OpenWebPage(const std::string& url) {
  FocusScrollBar();
  if (profile_.Inputs().LinuxMode) {
    const std::string browser = profile_.BrowserPath();
    if (!browser.empty()) TheEffects().StartProgram(browser, {url}, false);
    return;
  }
  TheEffects().OpenDocument(url);
}
void frmOverView::btn_SnowAccumulationHelp_Click() { OpenWebPage(kSnowCompactionPage); }
void frmOverView::btnSRclimo_Click() { OpenWebPage(kSnowRatioClimoPage); }

void frmOverView::chkCI_Click(int index) {
  BoxContext c{*this, state_, GridSwitchGuard};
  ContourIntervalClick(index, c);
}

// ---- level bars ----

void frmOverView::SetElevationLabel() {
  const Integer d = gCurDataset, level = gElevatedLevel;
  double agl = 0, msl = 0;
  if (d >= 1 && d <= kMaxDatasets && level >= 1 && level <= kMaxLevels) {
    agl = gHghtAGL(d, 0, level);
    msl = gHght(d, 0, level);
  }
  ::ondrik::SetCaption(lblPTElevation,
                       QString::fromStdString(ElevationLabel(state_.opt.On(kBoxsWSYMb), level, agl, msl)));
}

// The level is the profile window's too: its bar follows, decides the
// types again and draws both windows.
void frmOverView::vbsElevatedPT_Change() {
  if (!gLoadingState) profile_.SetElevatedLevel(vbsElevatedPT->Value());
  SetElevationLabel();
}

void frmOverView::LabelMeanWind(int index) {
  const int level = vsbMeanWind[static_cast<size_t>(index)]->Value();
  const Integer d = gCurDataset;
  const double p = d >= 1 && d <= kMaxDatasets && level >= 0 && level <= kMaxLevels ? gPres(d, 0, level) : 0;
  lblMeanWind[static_cast<size_t>(index)]->setText(QString::number(level));
  lblMeanWindPressure[static_cast<size_t>(index)]->setText(QString::fromStdString(Format(p, "0")));
}

void frmOverView::vsbMeanWind_Change(int index) {
  if (index < 0 || index > 1) return;
  // The mean wind is computed for the layer of the bars at every redraw.
  state_.opt.MeanWindLevels[static_cast<size_t>(index)] = vsbMeanWind[static_cast<size_t>(index)]->Value();
  if (gLoadingState) {
    LabelMeanWind(index);
    return;
  }
  // The lower bound stays below the upper: the bar just moved gives way, or,
  // at the end of its range, the other one does. Either change runs this
  // handler again, which labels and redraws.
  ScrollBar* moved = vsbMeanWind[static_cast<size_t>(index)];
  if (const std::optional<int> to = MeanWindGiveWay(index, vsbMeanWind[0]->Value(), vsbMeanWind[1]->Value())) {
    const int before = moved->Value();
    moved->SetValue(*to);
    if (moved->Value() != before) return;
    LabelMeanWind(index);
    ScrollBar* other = vsbMeanWind[static_cast<size_t>(1 - index)];
    other->SetValue(index == 0 ? before + 1 : before - 1);
    return;
  }
  LabelMeanWind(index);
  PlotData();
}

void frmOverView::vsbSigmaLevel_Change() {
  state_.opt.SigmaLevel = vsbSigmaLevel->Value();
  lblSigmaLevel->setText(QString::number(state_.opt.SigmaLevel));
  SigmaWindScale();
  if (state_.opt.On(kBoxWinds) || state_.opt.On(kBoxVVTrend)) PlotData();
}

}  // namespace ondrik
