// The profile window's controls and their layout.
#include "profilewindow/frmprofile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

#include "platform/controls.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

// Design sizes in pixels. The two frames under the chart keep their size;
// Form_Resize only moves them.
constexpr int kBarThick = 17;         // scroll bar thickness
constexpr int kBandHeight = 340;      // frameLeft and frameRight under the chart
constexpr int kLeftWidth = 590;       // frameLeft: labels, chart buttons, check boxes, control pages
constexpr int kRightWidth = 329;      // frameRight: panel buttons, side panel, panel bar
constexpr int kPanelSize = 262;       // side-panel pictures (square)
constexpr int kPanelTop = 48;         // below the two rows of panel buttons
constexpr int kChartLeft = 2 + kBarThick + 2;  // the dataset bar stands left of the chart
constexpr int kChartTop = kBarThick + 2;       // the hour bar runs above the chart
constexpr int kModelListWidth = 120;
constexpr int kOverviewFrameWidth = 300;
constexpr int kOverviewFrameHeight = 43;
constexpr int kSiteColumnTw = 666;    // twips a column of the site list
constexpr int kListRowTw = 213;       // twips a row of the site list
// frameLeft inside: two rows of labels and buttons, the check boxes (4
// columns of 8), the row of control-page buttons and the page itself.
constexpr int kBoxTop = 50;
constexpr int kBoxRow = 18;
constexpr int kBoxRows = 8;
constexpr int kControlButtonTop = kBoxTop + kBoxRows * kBoxRow + 2;
constexpr int kPageTop = kControlButtonTop + 24;
constexpr int kPageWidth = kLeftWidth - 4;
constexpr int kPageHeight = kBandHeight - kPageTop - 2;

QFrame* MakeFrame(QWidget* parent, bool border = false) {
  auto* f = new QFrame(parent);
  if (border) f->setFrameStyle(QFrame::Box | QFrame::Plain);
  return f;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, bool boxed = false) {
  auto* l = new QLabel(text, parent);
  if (boxed) {
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
  }
  return l;
}

}  // namespace

frmProfile::frmProfile(QWidget* parent) : QWidget(parent), overview_(new OverviewLink) {
  setObjectName("frmProfile");
  setWindowTitle("ONDRIK");
  QFont f("DejaVu Sans");
  f.setPointSizeF(7.5);
  setFont(f);
  setMinimumSize((kMinWindowWidthTw + kTwipsPerPixel - 1) / kTwipsPerPixel,
                 (kMinWindowHeightTw + kTwipsPerPixel - 1) / kTwipsPerPixel);
  BuildControls();
  PlaceControls();
  resize(Px(15000), Px(11010));
  // Key preview: the window sees every key before the focused control.
  qApp->installEventFilter(this);
}

frmProfile::~frmProfile() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

QPushButton* frmProfile::MakeButton(QWidget* parent, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

void frmProfile::BuildControls() {
  // ---- top strip: models, sites, window buttons ----
  lstoptModel = new QListWidget(this);
  lstoptModel->setObjectName("lstoptModel");
  lstSiteIDs = new QListWidget(this);
  lstSiteIDs->setObjectName("lstSiteIDs");
  lstSiteIDs->setFlow(QListView::TopToBottom);
  lstSiteIDs->setWrapping(true);
  lstSiteIDs->setResizeMode(QListView::Adjust);
  lstSiteIDs->setUniformItemSizes(true);
  lstSiteIDs->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  lstSiteIDs->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  frameOverview = MakeFrame(this);
  picLogo = new PictureBoxWidget(frameOverview);
  picLogo->setObjectName("picLogo");
  picLogo->setGeometry(2, 2, 38, 38);
  btnOverView = MakeButton(frameOverview, "OverView");
  btnSelect = MakeButton(frameOverview, "Archive");
  btnSetup = MakeButton(frameOverview, "Set Up");
  btnHelp = MakeButton(frameOverview, "Training");
  btnDone = MakeButton(frameOverview, "Done");
  btnProfileSnapShot = MakeButton(frameOverview, "ScreenShot");
  btnExport = MakeButton(frameOverview, "Export");
  btnOverView->setGeometry(44, 1, 62, 20);
  btnSelect->setGeometry(108, 1, 62, 20);
  btnProfileSnapShot->setGeometry(172, 1, 62, 20);
  btnDone->setGeometry(236, 1, 62, 20);
  btnSetup->setGeometry(44, 22, 62, 20);
  btnHelp->setGeometry(108, 22, 62, 20);
  btnExport->setGeometry(172, 22, 62, 20);

  // ---- data frame: chart, hour bar, dataset bar ----
  frameData = MakeFrame(this);
  picData = new PictureBoxWidget(frameData);
  picData->setObjectName("picData");
  picData->Pic().BackColor = 0;
  picData->Pic().Cls();
  picOmega = new PictureBoxWidget(frameData);
  picOmega->setObjectName("picOmega");
  picOmega->setVisible(false);
  hsbHour = new ScrollBar(Qt::Horizontal, frameData);
  hsbHour->setObjectName("hsbHour");
  vsbEE = new ScrollBar(Qt::Vertical, frameData);
  vsbEE->setObjectName("vsbEE");
  vsbEE->SetRange(1, 1);
  vsbEE->setVisible(false);

  frameLeft = MakeFrame(frameData);
  frameRight = MakeFrame(frameData);
  BuildChartOptions();
  BuildSidePanels();
  BuildControlPages();

  timerAutoDisplay = new Timer(this);
  timerAutoDisplay->SetEnabled(false);

  // ---- handlers ----
  connect(lstoptModel, &QListWidget::currentRowChanged, this, [this](int) { lstoptModel_Click(); });
  connect(lstSiteIDs, &QListWidget::currentRowChanged, this, [this](int) { lstSiteIDs_Click(); });
  connect(btnDone, &QPushButton::clicked, this, [this] { btnDone_Click(); });
  connect(btnSelect, &QPushButton::clicked, this, [this] { btnSelect_Click(); });
  connect(btnProfileSnapShot, &QPushButton::clicked, this, [this] { btnProfileSnapShot_Click(); });
  connect(btnExport, &QPushButton::clicked, this, [this] { btnExport_Click(); });
  connect(lstModelSite, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* it) { ArchiveListClick(ArchiveList::ModelSite, lstModelSite->row(it)); });
  connect(lstModel, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* it) { ArchiveListClick(ArchiveList::Model, lstModel->row(it)); });
  connect(lstAll, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* it) { ArchiveListClick(ArchiveList::All, lstAll->row(it)); });
  connect(btnArchive, &QPushButton::clicked, this, [this] { btnArchive_Click(); });
  connect(btnOverView, &QPushButton::clicked, this, [this] { btnOverView_Click(); });
  connect(btnAutoDisplay, &QPushButton::clicked, this, [this] { btnAutoDisplay_Click(); });
  connect(btnEnsemble, &QPushButton::clicked, this, [this] { btnEnsemble_Click(); });
  connect(btnTails, &QPushButton::clicked, this, [this] { btnTails_Click(); });
  for (int i = 0; i < static_cast<int>(btnDisplay.size()); ++i)
    connect(btnDisplay[i], &QPushButton::clicked, this, [this, i] { btnDisplay_Click(i); });
  for (int i = 0; i < static_cast<int>(btnControl.size()); ++i)
    connect(btnControl[i], &QPushButton::clicked, this, [this, i] { btnControl_Click(i); });
  for (int i = 0; i < static_cast<int>(btnPHK.size()); ++i)
    connect(btnPHK[i], &QPushButton::clicked, this, [this, i] { btnPHK_Click(i); });
  for (int i = 0; i < static_cast<int>(btnXfer.size()); ++i)
    connect(btnXfer[i], &QPushButton::clicked, this, [this, i] { btnXfer_Click(i); });
  for (int i = 0; i < static_cast<int>(chkefname.size()); ++i)
    chkefname[i]->onClick = [this, i] { chkefname_Click(i); };
  connect(btnT1Lower, &QPushButton::clicked, this, [this] { TempBoundStep(true, -5); });
  connect(btnT1Higher, &QPushButton::clicked, this, [this] { TempBoundStep(true, 5); });
  connect(btnTempLower, &QPushButton::clicked, this, [this] { TempBoundStep(false, -5); });
  connect(btnTemHigher, &QPushButton::clicked, this, [this] { TempBoundStep(false, 5); });
  hsbHour->onChange = [this] { hsbHour_Change(); };
  vsbEE->onChange = [this] { vsbEE_Change(); };
  hsbRate->onChange = [this] { hsbRate_Change(); };
  vsbLakeF->onChange = [this] { vsbLakeF_Change(); };
  vbsElevatedPT->onChange = [this] { vbsElevatedPT_Change(); };
  timerAutoDisplay->onTimer = [this] { timerAutoDisplay_Timer(); };
  lblHour->installEventFilter(this);
  connect(btnVWPInterval, &QPushButton::clicked, this, [this] { btnVWPInterval_Click(); });
  connect(btnVWPIntervalA, &QPushButton::clicked, this, [this] { btnVWPIntervalA_Click(); });
  connect(btnColorWinds, &QPushButton::clicked, this, [this] { btnColorWinds_Click(); });
  connect(btnDigitalWinds, &QPushButton::clicked, this, [this] { btnDigitalWinds_Click(); });
  connect(btnActiveReadOut, &QPushButton::clicked, this, [this] { btnActiveReadOut_Click(); });
  connect(btnOmegaFiltered, &QPushButton::clicked, this, [this] { btnOmegaFiltered_Click(); });
  picOmega->onMouseUp = [this](int button, int, double, double) { picOmega_MouseUp(button); };
  // The chart's handlers get y as ln p, whatever scale the drawing left on picData.
  auto lnp = [this](double y) { return ChartYOfPixel(picData->Pic().YToPixel(y)); };
  picData->onMouseDown = [this, lnp](int b, int sh, double x, double y) { picData_MouseDown(b, sh, x, lnp(y)); };
  picData->onMouseMove = [this, lnp](int b, int sh, double x, double y) { picData_MouseMove(b, sh, x, lnp(y)); };
  picData->onMouseUp = [this, lnp](int b, int sh, double x, double y) { picData_MouseUp(b, sh, x, lnp(y)); };
  picData->onResize = [this] {
    picData->Pic().BackColor = 0;
    picData->Pic().Cls();
  };
}

CheckBox* frmProfile::MakeChartBox(QWidget* parent, const char* caption) {
  auto* c = new CheckBox(QString(), parent);
  c->setText(caption);
  c->setFocusPolicy(Qt::TabFocus);
  c->onClick = [this, c] { ChartBoxClicked(c); };
  return c;
}

void frmProfile::BuildChartOptions() {
  QWidget* p = frameLeft;
  // Row of labels and the loop.
  lblHour = MakeLabel(p, "0", true);
  lblHour->setObjectName("lblHour");
  lblDate = MakeLabel(p, "", true);
  lblDate->setObjectName("lblDate");
  lblLocal = MakeLabel(p, "", true);
  lblLocal->setObjectName("lblLocal");
  btnAutoDisplay = MakeButton(p, "Loop");
  btnEnsemble = MakeButton(p, "Overlay");
  btnEnsemble->setVisible(false);
  btnTails = MakeButton(p, "6");

  // Row of chart buttons.
  for (const char* c : {"P", "Ft", "Km"}) btnPHK.push_back(MakeButton(p, c));
  btnT1Lower = MakeButton(p, "<");
  btnT1Higher = MakeButton(p, " >");
  btnTempLower = MakeButton(p, "<");
  btnTemHigher = MakeButton(p, " >");
  btnVWPInterval = MakeButton(p, "1");
  btnVWPIntervalA = MakeButton(p, "A1");
  btnOmegaFiltered = MakeButton(p, "Filtered");
  btnOmegaFiltered->setVisible(false);
  btnColorWinds = MakeButton(p, "Color");
  btnDigitalWinds = MakeButton(p, "Digital");
  btnActiveReadOut = MakeButton(p, "Read Out");
  btnColorWinds->setVisible(false);
  btnDigitalWinds->setVisible(false);
  btnActiveReadOut->setVisible(false);
  frmXfer = MakeFrame(p);
  for (const char* c : {"30", "1", "10", "20"}) btnXfer.push_back(MakeButton(frmXfer, c));
  for (int i = 0; i < 4; ++i) btnXfer[i]->setGeometry(i * 27, 0, 26, 20);
  frmXfer->setVisible(false);

  // The chart's check boxes.
  chkSkewT = MakeChartBox(p, "Skew T");
  chkLines = MakeChartBox(p, "Heights");
  chkDryAdiabats = MakeChartBox(p, "Dry Adiabats");
  chkClouds = MakeChartBox(p, "Clouds");
  chkLayer2Layer = MakeChartBox(p, "Layer to Layer Shear");
  chkRH.push_back(new CheckBox(QString(), p));
  chkRH.push_back(new CheckBox(QString(), p));
  chkRH[0]->setText("Rel Humidity");
  chkRH[1]->setText("Rel Humidity (Ice)");
  chkRH[0]->onClick = [this] { chkRH_Click(0); };
  chkRH[1]->onClick = [this] { chkRH_Click(1); };
  chkInversions = MakeChartBox(p, "Inversions");
  chkWetBulb = MakeChartBox(p, "Wet Bulb");
  chkIcing = MakeChartBox(p, "Icing");
  chkFP = MakeChartBox(p, "FrostPoint");
  chkLCL = MakeChartBox(p, "LCL");
  chkLFC = MakeChartBox(p, "LFC");
  chkEQL = MakeChartBox(p, "Equilibrium Lvl");
  chkWBZ = MakeChartBox(p, "Wet Bulb Zero");
  chkCCL = MakeChartBox(p, "CCL");
  chkConvectiveTemp = MakeChartBox(p, "ConvctTemp");
  chkParcel = MakeChartBox(p, "CAPE");
  chkCINS = MakeChartBox(p, "CINS");
  chkMomentum = MakeChartBox(p, "Momentum Xfer");
  chkMomentum->onClick = [this] { chkMomentum_Click(); };
  chkSnowGrowth = MakeChartBox(p, "Snow Growth");
  chkHailGrowth = MakeChartBox(p, "Hail Growth");
  chk10MWind = MakeChartBox(p, "2M Tmp/10M Wnd");
  ChkOmega = MakeChartBox(p, "Omega");
  ChkOmega->onClick = [this] { ChkOmega_Click(); };
  chkWindVector = MakeChartBox(p, "Vector Winds");
  chkWindDigital = MakeChartBox(p, "Digital Winds");
  chkMeanFlow = MakeChartBox(p, "Mean Wind");
  chkMeanFlow->onClick = [this] { chkMeanFlow_Click(); };
  chkSigmaLevel = MakeChartBox(p, "Sigma Level");
  chkSigmaLevel->onClick = [this] { chkSigmaLevel_Click(); };
  chkActiveReadout = MakeChartBox(p, "Active Read Out");
  chksWSYMb = MakeChartBox(p, "Bourgouin Precip Type");
  chksWSYMb->onClick = [this] { chksWSYMb_Click(); };
  chkSkewT->onClick = [this] { chkSkewT_Click(); };
  chkWindVector->onClick = [this] { chkWindVector_Click(); };
  chkWindDigital->onClick = [this] { chkWindDigital_Click(); };
  chkActiveReadout->onClick = [this] { chkActiveReadout_Click(); };

  // Readout labels over the chart, placed by the chart at every cursor move.
  // A click on the temperature, dew-point or wind labels zooms the chart; the
  // height label lets the mouse through to the chart.
  for (QLabel** l : {&lblActiveTemp, &lblActiveDP, &lblActiveDir, &lblActiveKts, &lblActiveAxis}) {
    *l = new QLabel(picData);
    (*l)->setStyleSheet("QLabel { color: rgb(255,255,0); background: black; }");
    (*l)->setVisible(false);
    (*l)->setMouseTracking(true);
  }
  lblActiveTemp->setObjectName("lblActiveTemp");
  lblActiveDP->setObjectName("lblActiveDP");
  lblActiveDir->setObjectName("lblActiveDir");
  lblActiveKts->setObjectName("lblActiveKts");
  lblActiveAxis->setObjectName("lblActiveAxis");
  lblActiveAxis->setAttribute(Qt::WA_TransparentForMouseEvents);
  for (QLabel* l : {lblActiveTemp, lblActiveDP, lblActiveDir, lblActiveKts}) l->installEventFilter(this);

  // The level bars of the chart.
  vsbSigmaLevel = new ScrollBar(Qt::Vertical, p);
  vsbMeanFlow[0] = new ScrollBar(Qt::Vertical, p);
  vsbMeanFlow[1] = new ScrollBar(Qt::Vertical, p);
  vbsElevatedPT = new ScrollBar(Qt::Vertical, p);
  vbsElevatedPT->SetRange(1, 30);
  vsbSigmaLevel->setToolTip("Sigma level");
  vsbMeanFlow[0]->setToolTip("Mean wind: bottom");
  vsbMeanFlow[1]->setToolTip("Mean wind: top");
  vbsElevatedPT->setToolTip("Base of elevated parcels");
  vsbSigmaLevel->setVisible(false);
  vsbMeanFlow[0]->setVisible(false);
  vsbMeanFlow[1]->setVisible(false);
}

void frmProfile::BuildSidePanels() {
  QWidget* p = frameRight;
  static const char* const kCaptions[10] = {"Data",        "Map",         "Hodograph", "Indices",
                                            "CAPE-Shear",  "Heavy Pcp",   "Precip Type",
                                            "Lapse Rates", "Fog",         "Don't Click"};
  for (const char* c : kCaptions) btnDisplay.push_back(MakeButton(p, c));
  btnDisplay[9]->setVisible(false);

  auto panel = [p](const char* name) {
    auto* w = new PictureBoxWidget(p);
    w->setObjectName(name);
    w->setVisible(false);
    return w;
  };
  picProfile = panel("picProfile");
  picMap = panel("picMap");
  frameHodograph = MakeFrame(p);
  frameHodograph->setVisible(false);
  picHodograph = new PictureBoxWidget(frameHodograph);
  picHodograph->setObjectName("picHodograph");
  picIndices = panel("picIndices");
  picCape = panel("picCape");
  picMBE = panel("picMBE");
  picPrecipType = panel("picPrecipType");
  picLapse = panel("picLapse");
  picFog = panel("picFog");
  picDont = panel("picDont");
  picFiles = MakeFrame(p, true);
  picFiles->setVisible(false);
  lblModelSite = MakeLabel(picFiles, "");
  lblModel = MakeLabel(picFiles, "");
  lblAll = MakeLabel(picFiles, kAllProfilesCaption);
  lstModelSite = new QListWidget(picFiles);
  lstModel = new QListWidget(picFiles);
  lstAll = new QListWidget(picFiles);
  btnArchive = MakeButton(picFiles, "Load");
  {
    const int w = kPanelSize - 8;
    lblModelSite->setGeometry(4, 2, w, 16);
    lstModelSite->setGeometry(4, 18, w, 66);
    lblModel->setGeometry(4, 86, w, 16);
    lstModel->setGeometry(4, 102, w, 66);
    lblAll->setGeometry(4, 170, w, 16);
    lstAll->setGeometry(4, 186, w, 48);
    btnArchive->setGeometry(4, 237, 62, 21);
  }
  pnlMap = MakeFrame(p);
  pnlHodograph = MakeFrame(p);
  pnlShear = MakeFrame(p);
  pnlMap->setVisible(false);
  pnlHodograph->setVisible(false);
  pnlShear->setVisible(false);

  // The control pages share frameLeft with the chart's check boxes.
  static const char* const kPages[6] = {"Lake Effect", "Alerts",  "Controls",
                                        "Convection",  "KORVAN",  "Overlays"};
  for (const char* c : kPages) {
    btnControl.push_back(MakeButton(frameLeft, c));
    auto* page = MakeFrame(frameLeft, true);
    page->setVisible(false);
    pnlControl.push_back(page);
  }
}

void frmProfile::BuildControlPages() {
  // 0 "Lake Effect": lake temperature and the lake boxes of the chart.
  QWidget* lake = pnlControl[0];
  vsbLakeF = new ScrollBar(Qt::Vertical, lake);
  vsbLakeF->SetRange(80, 28);  // top end warm
  vsbLakeF->SmallChange = 1;
  vsbLakeF->LargeChange = 5;
  MakeLabel(lake, "Lake (C)")->setGeometry(24, 4, 60, 16);
  lblLakeC = MakeLabel(lake, "", true);
  lblLakeC->setGeometry(24, 22, 40, 18);
  vsbLakeF->setGeometry(4, 4, kBarThick, kPageHeight - 8);
  lblCI850 = MakeLabel(lake, "850", true);
  lblCI700 = MakeLabel(lake, "700", true);
  lblCI850->setGeometry(90, 22, 44, 18);
  lblCI700->setGeometry(140, 22, 44, 18);
  chkLakeIndex = MakeChartBox(lake, "");
  chkMoistLakeIndex = MakeChartBox(lake, "");
  chkLIC = MakeChartBox(lake, "");
  const char* lakeLabels[3] = {"Lake Index", "Moist Lake Index", "LI CAPE"};
  CheckBox* lakeBoxes[3] = {chkLakeIndex, chkMoistLakeIndex, chkLIC};
  for (int i = 0; i < 3; ++i) {
    lakeBoxes[i]->setGeometry(24, 48 + i * 20, 18, 18);
    MakeLabel(lake, lakeLabels[i])->setGeometry(44, 48 + i * 20, 140, 18);
  }

  // 1 "Alerts": the index thresholds (the indices panel's editor).
  MakeLabel(pnlControl[1], "Index alert thresholds")->setGeometry(6, 6, 200, 16);

  // 2 "Controls": loop rate and the pause at the last hour.
  QWidget* ctl = pnlControl[2];
  hsbRate = new ScrollBar(Qt::Horizontal, ctl);
  hsbRate->SetRange(20, 1000);
  hsbRate->SmallChange = 10;
  hsbRate->LargeChange = 100;
  hsbDelay = new ScrollBar(Qt::Horizontal, ctl);
  hsbDelay->SetRange(0, 5000);
  hsbDelay->SmallChange = 100;
  hsbDelay->LargeChange = 500;
  lblRate = MakeLabel(ctl, "Loop Rate");
  lblDelay = MakeLabel(ctl, "Pause at Last Hour");
  lblRate->setGeometry(6, 6, 200, 16);
  hsbRate->setGeometry(6, 24, 300, kBarThick);
  lblDelay->setGeometry(6, 48, 200, 16);
  hsbDelay->setGeometry(6, 66, 300, kBarThick);
  hsbRate->SetValue(240);
  hsbDelay->SetValue(2500);

  // 3 "Convection": elevated CAPE.
  chkECAPE = new CheckBox(QString(), pnlControl[3]);
  chkECAPE->setText("Elevated CAPE");
  chkECAPE->setGeometry(6, 6, 150, 18);
  chkECAPE->onClick = [this] { chkECAPE_Click(); };
  frameECAPE = MakeFrame(pnlControl[3], true);
  frameECAPE->setGeometry(6, 28, 310, 84);
  frameECAPE->setVisible(false);
  static const char* const kECape[8] = {"Parcel", "Temp", "Dew Pt", "CAPE",
                                        "Hail CAPE", "CIN", "EQL", "NCAPE"};
  for (int i = 0; i < 8; ++i) {
    MakeLabel(frameECAPE, kECape[i])->setGeometry(4 + (i % 4) * 76, 2 + (i / 4) * 38, 72, 16);
    auto* l = MakeLabel(frameECAPE, "", true);
    l->setGeometry(4 + (i % 4) * 76, 18 + (i / 4) * 38, 72, 18);
    frameECAPELabels.push_back(l);
  }
  picEHailCape = new PictureBoxWidget(frameECAPE);
  picEHailCape->setObjectName("picEHailCape");
  picEHailCape->setGeometry(4, 78, 300, 4);
  picEHailCape->setVisible(false);

  // 4 "KORVAN": the storm-matrix page.
  picReason = new PictureBoxWidget(pnlControl[4]);
  picReason->setObjectName("picReason");
  picReason->setGeometry(4, 4, kPageWidth - 8, kPageHeight - 8);

  // 5 "Overlays": the dataset boxes, 4 columns of 5.
  QWidget* ov = pnlControl[5];
  lblSelectEnsemble = MakeLabel(ov, "");
  lblSelectEnsemble->setGeometry(6, 4, 300, 16);
  lblSelectEnsemble->setVisible(false);
  for (int i = 0; i < kDatasetBoxCount; ++i) {
    auto* c = new CheckBox(QString(), ov);
    c->setObjectName(QString("chkefname%1").arg(i));
    c->setFocusPolicy(Qt::TabFocus);
    const int column = i / 5, row = i % 5;
    c->setGeometry(6 + column * 79, 22 + row * 18, 78, 18);
    c->SetValue(1);
    c->setVisible(false);
    chkefname.push_back(c);
  }
}

// ---- layout ----

// Places the controls whose place does not depend on the window's size: the
// lists' left edges, the frames' sizes and everything inside the frames.
void frmProfile::PlaceControls() {
  lstoptModel->setGeometry(2, 0, kModelListWidth, Px(645));
  lstSiteIDs->setGeometry(kModelListWidth + 5, 0, 200, Px(645));
  frameOverview->setGeometry(0, 0, kOverviewFrameWidth, kOverviewFrameHeight);
  hsbHour->setGeometry(kChartLeft, 0, 200, kBarThick);
  picData->setGeometry(kChartLeft, kChartTop, 200, 200);
  picOmega->setGeometry(kChartLeft, kChartTop, 200, 30);
  vsbEE->setGeometry(2, kChartTop, kBarThick, 200);
  frameLeft->setGeometry(2, 0, kLeftWidth, kBandHeight);
  frameRight->setGeometry(0, 0, kRightWidth, kBandHeight);
  LayoutFrameLeft();
  LayoutFrameRight();
}

void frmProfile::LayoutFrameLeft() {
  const int w = kLeftWidth;
  int x = 2;
  const int y0 = 2;
  auto place = [&](QWidget* c, int width, int y, int height = 20) {
    c->setGeometry(x, y, width, height);
    x += width + 3;
  };
  place(lblHour, 44, y0);
  place(lblDate, 136, y0);
  place(lblLocal, 176, y0);
  place(btnAutoDisplay, 48, y0);
  place(btnEnsemble, 58, y0);
  place(btnTails, 26, y0);

  x = 2;
  const int y1 = 26;
  for (auto* b : btnPHK) place(b, 28, y1);
  x += 6;
  place(btnT1Lower, 20, y1);
  place(btnT1Higher, 20, y1);
  x += 4;
  place(btnTempLower, 20, y1);
  place(btnTemHigher, 20, y1);
  x += 6;
  place(btnVWPInterval, 26, y1);
  place(btnVWPIntervalA, 30, y1);
  x += 6;
  place(btnColorWinds, 40, y1);
  place(btnDigitalWinds, 44, y1);
  place(btnActiveReadOut, 56, y1);
  place(btnOmegaFiltered, 50, y1);
  frmXfer->setGeometry(x, y1, 4 * 27, 20);

  // Check boxes in columns; the level bars stand at the right end.
  const int barsWidth = 3 * (kBarThick + 3);
  const std::vector<CheckBox*> boxes = {
      chkSkewT,      chkLines,         chkDryAdiabats, chkClouds,      chkLayer2Layer,
      chkRH[0],      chkRH[1],         chkInversions,  chkWetBulb,     chkIcing,
      chkFP,         chkLCL,           chkLFC,         chkEQL,         chkWBZ,
      chkCCL,        chkConvectiveTemp, chkParcel,     chkCINS,        chkMomentum,
      chkSnowGrowth, chkHailGrowth,    chk10MWind,     ChkOmega,       chkWindVector,
      chkWindDigital, chkMeanFlow,     chkSigmaLevel,  chkActiveReadout, chksWSYMb};
  // Each column is as wide as its longest caption; room to spare is shared.
  const int columns = 4;
  const int rows = kBoxRows;
  std::array<int, columns> colWidth{};
  int need = 0;
  for (int i = 0; i < static_cast<int>(boxes.size()); ++i)
    colWidth[i / rows] = std::max(colWidth[i / rows], boxes[i]->sizeHint().width() + 4);
  for (int c : colWidth) need += c;
  const int avail = std::max(columns * 40, w - barsWidth - 4);
  for (int& c : colWidth) c = need <= avail ? c + (avail - need) / columns : c * avail / need;
  int cx = 2;
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows && c * rows + r < static_cast<int>(boxes.size()); ++r)
      boxes[c * rows + r]->setGeometry(cx, kBoxTop + r * kBoxRow, colWidth[c] - 2, kBoxRow);
    cx += colWidth[c];
  }
  // Sigma-level and mean-wind bars are never shown together: they share a place.
  const int bx = w - barsWidth;
  const int barsHeight = rows * kBoxRow;
  vsbSigmaLevel->setGeometry(bx, kBoxTop, kBarThick, barsHeight);
  vsbMeanFlow[0]->setGeometry(bx, kBoxTop, kBarThick, barsHeight);
  vsbMeanFlow[1]->setGeometry(bx + kBarThick + 3, kBoxTop, kBarThick, barsHeight);
  vbsElevatedPT->setGeometry(bx + 2 * (kBarThick + 3), kBoxTop, kBarThick, barsHeight);

  // Control-page buttons in one row, the open page under them.
  const int buttonWidth = (w - 4) / 6;
  for (int i = 0; i < 6; ++i)
    btnControl[i]->setGeometry(2 + i * buttonWidth, kControlButtonTop, buttonWidth - 1, 22);
  for (QFrame* page : pnlControl) page->setGeometry(2, kPageTop, kPageWidth, kPageHeight);
}

void frmProfile::LayoutFrameRight() {
  // Panel buttons in two rows of five, the square panel under them and the
  // panel's own button bar at the bottom.
  const int buttonWidth = (kRightWidth - 4) / 5;
  for (int i = 0; i < 10; ++i)
    btnDisplay[i]->setGeometry(2 + (i % 5) * buttonWidth, 2 + (i / 5) * 23, buttonWidth - 1, 22);
  const int px = (kRightWidth - kPanelSize) / 2;
  for (QWidget* pnl : {static_cast<QWidget*>(picProfile), static_cast<QWidget*>(picMap),
                       static_cast<QWidget*>(frameHodograph), static_cast<QWidget*>(picIndices),
                       static_cast<QWidget*>(picCape), static_cast<QWidget*>(picMBE),
                       static_cast<QWidget*>(picPrecipType), static_cast<QWidget*>(picLapse),
                       static_cast<QWidget*>(picFog), static_cast<QWidget*>(picDont),
                       static_cast<QWidget*>(picFiles)})
    pnl->setGeometry(px, kPanelTop, kPanelSize, kPanelSize);
  picHodograph->setGeometry(0, 0, kPanelSize, kPanelSize);
  const int by = kPanelTop + kPanelSize + 2;
  for (QWidget* bar : {pnlMap, pnlHodograph, pnlShear})
    bar->setGeometry(2, by, kRightWidth - 4, kBandHeight - by - 2);
}

void frmProfile::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void frmProfile::Form_Resize() {
  // Minimum size first; the resize that follows lays the window out.
  const int minW = (kMinWindowWidthTw + kTwipsPerPixel - 1) / kTwipsPerPixel;
  const int minH = (kMinWindowHeightTw + kTwipsPerPixel - 1) / kTwipsPerPixel;
  if (width() < minW) {
    resize(minW, height());
    return;
  }
  if (height() < minH) {
    resize(width(), minH);
    return;
  }
  const int W = width(), H = height();
  // Lists: their height grows with the window, at least one row of 645
  // twips and at most the configured number of site ids a column.
  const int listTw = std::min(std::max(H * kTwipsPerPixel - 10710, 645),
                              kListRowTw * std::clamp(cfg.gMaxSitesPerColumn, 3, 8));
  const int listH = Px(listTw);
  lstSiteIDs->setGeometry(lstSiteIDs->x(), 0, lstSiteIDs->width(), listH);
  lstoptModel->setGeometry(lstoptModel->x(), 0, lstoptModel->width(), listH);

  // The data frame fills the window under the lists; the chart spans its width.
  frameData->setGeometry(0, listH, W, H - listH);
  const int chartW = std::max(1, W - picData->x() - 3);
  picData->resize(chartW, picData->height());
  picOmega->setGeometry(picData->x(), picData->y(), chartW, picOmega->height());
  // The side-panel frame ends on the chart's right edge.
  frameRight->move(picData->x() + picData->width() - frameRight->width(), frameRight->y());
  frameOverview->move(W - frameOverview->width() - 2, 0);
  const int siteWidth = std::max(1, frameOverview->x() - lstSiteIDs->x() - 3);
  lstSiteIDs->resize(siteWidth, listH);
  const int columns = std::max(1, siteWidth * kTwipsPerPixel / kSiteColumnTw);
  lstSiteIDs->setGridSize(QSize(std::max(20, (siteWidth - 4) / columns), Px(kListRowTw)));

  // Both frames stand on the bottom of the data frame; the chart reaches down to them.
  frameLeft->move(frameLeft->x(), frameData->height() - frameLeft->height());
  frameRight->move(frameRight->x(), frameLeft->y());
  const int chartH = std::max(1, frameLeft->y() - picData->y());
  picData->resize(chartW, chartH);
  hsbHour->setGeometry(picData->x(), hsbHour->y(), chartW, hsbHour->height());
  vsbEE->setGeometry(vsbEE->x(), picData->y(), vsbEE->width(), chartH);

  if (FileLoaded && !gLoadingState) {
    PlotProfile();
    if (picOmega->isVisible()) DrawOmegaScale();
    if (!gSettingGeometry) {
      gWindowGeometry[0] = W * kTwipsPerPixel;
      gWindowGeometry[1] = H * kTwipsPerPixel;
    }
  }
}

void frmProfile::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

bool frmProfile::SaveWindowPng(const std::string& path) {
  return grab().save(QString::fromStdString(path), "PNG");
}

QWidget* frmProfile::PanelControl(int index) const {
  switch (index) {
    case 0: return picProfile;
    case 1: return picMap;
    case 2: return frameHodograph;
    case 3: return picIndices;
    case 4: return picCape;
    case 5: return picMBE;
    case 6: return picPrecipType;
    case 7: return picLapse;
    case 8: return picFog;
    case 9: return picDont;
    case 99: return picFiles;
    default: return nullptr;
  }
}

}  // namespace ondrik
