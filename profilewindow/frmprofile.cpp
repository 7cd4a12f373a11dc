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
#include <stdexcept>

#include "chart/cursor.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "platform/scrollpage.h"
#include "profilewindow/alertspage.h"
#include "profilewindow/archivepanel.h"
#include "profilewindow/convectionpage.h"
#include "profilewindow/looppage.h"
#include "profilewindow/overlayspage.h"
#include "profilewindow/overviewlink.h"
#include "profilewindow/paneltable.h"

namespace ondrik {

namespace {

// Design sizes in pixels. The two frames under the chart keep their size;
// Form_Resize only moves them. They are as low as their controls allow, so
// that the chart keeps at least 400 pixels of height at the first-run size.
constexpr int kBarThick = 17;         // scroll bar thickness
constexpr int kBandHeight = 266;      // frameLeft and frameRight under the chart
constexpr int kLeftWidth = 606;       // frameLeft: labels, chart buttons, check boxes, control pages
constexpr int kPanelSize = 238;       // side-panel pictures (square)
constexpr int kPanelButtonWidth = 66; // the panel buttons stand in a column left of the panel
constexpr int kPanelLeft = 2 + kPanelButtonWidth + 2;
constexpr int kRightWidth = kPanelLeft + kPanelSize + 2;  // frameRight: buttons, side panel, panel bar
constexpr int kChartLeft = 2 + kBarThick + 2;  // the dataset bar stands left of the chart
constexpr int kChartTop = kBarThick + 2;       // the hour bar runs above the chart
constexpr int kModelListWidth = 120;
constexpr int kOverviewFrameWidth = 300 + 6 * 26 + 4;  // the buttons, then the setups F1 to F6
constexpr int kOverviewFrameHeight = 43;
constexpr int kSiteColumnTw = 666;    // twips a column of the site list
constexpr int kListRowTw = 213;       // twips a row of the site list
// frameLeft inside: two rows of labels and buttons, the check boxes (4
// columns of 7), the row of control-page buttons and the page itself.
constexpr int kRowHeight = 20;
constexpr int kBoxTop = 2 + 2 * (kRowHeight + 2);
constexpr int kBoxRow = 16;
constexpr int kBoxRows = 7;
constexpr int kControlButtonTop = kBoxTop + kBoxRows * kBoxRow + 2;
constexpr int kPageTop = kControlButtonTop + kRowHeight + 2;
constexpr int kPageWidth = kLeftWidth - 4;
constexpr int kPageHeight = kBandHeight - kPageTop - 2;

QFrame* MakeFrame(QWidget* parent) { return new QFrame(parent); }

QLabel* MakeLabel(QWidget* parent, const QString& text, const char* name, bool boxed = false) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  if (boxed) {
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
  }
  return l;
}

// The window's own pages: the table must hold them, as the window works with
// them directly.
template <typename P>
P* OwnPage(const PanelRegistry& r, int index) {
  auto* p = dynamic_cast<P*>(r.Find(index));
  if (p == nullptr) throw std::logic_error("the profile window's panel table lacks one of its own pages");
  return p;
}

}  // namespace

frmProfile::PanelTables frmProfile::DefaultPanelTables() { return {SidePanelTable(), ControlPageTable()}; }

frmProfile::frmProfile(QWidget* parent, PanelTables tables) : QWidget(parent), overview_(MakeOverviewWindowLink(*this)) {
  setObjectName("frmProfile");
  setWindowTitle("ONDRIK");
  QFont f("DejaVu Sans");
  f.setPointSizeF(7.5);
  setFont(f);
  setMinimumSize(PixelSizeOfTwips(kMinWindowWidthTw, kMinWindowHeightTw));
  chart_.events = this;
  BuildControls();
  BuildPanels(tables);
  BuildChartBoxes();
  ConnectHandlers();
  PlaceControls();
  scroll_ = std::make_unique<ScrollPage>(*this, PixelSizeOfTwips(kMinWindowWidthTw, kMinWindowHeightTw));
  scroll_->TakeControls();
  DrawLogo();
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
  frameOverview->setObjectName("frameOverview");
  picLogo = new PictureBoxWidget(frameOverview);
  picLogo->setObjectName("picLogo");
  picLogo->setGeometry(2, 2, 38, 38);
  const struct {
    QPushButton** button;
    const char* name;
    const char* caption;
    int x, y;
  } top[] = {{&btnOverView, "btnOverView", "OverView", 44, 1},
             {&btnSelect, "btnSelect", "Archive", 108, 1},
             {&btnProfileSnapShot, "btnProfileSnapShot", "ScreenShot", 172, 1},
             {&btnDone, "btnDone", "Done", 236, 1},
             {&btnSetup, "btnSetup", "Set Up", 44, 22},
             {&btnHelp, "btnHelp", "Training", 108, 22},
             {&btnExport, "btnExport", "Export", 172, 22}};
  for (const auto& b : top) {
    *b.button = MakeButton(frameOverview, b.caption);
    (*b.button)->setObjectName(b.name);
    (*b.button)->setGeometry(b.x, b.y, 62, 20);
  }
  // The display setups: save (upper row) and recall (lower row) F1 to F6.
  for (int i = 0; i < 6; ++i) {
    const QString f = QString("F%1").arg(i + 1);
    QPushButton* save = MakeButton(frameOverview, f);
    save->setObjectName(QString("btnSave%1").arg(i));
    save->setToolTip("Save the display setup " + f);
    save->setGeometry(302 + i * 26, 1, 25, 20);
    connect(save, &QPushButton::clicked, this, [this, i] { btnSave_Click(i); });
    QPushButton* recall = MakeButton(frameOverview, f);
    recall->setObjectName(QString("btnRecall%1").arg(i));
    recall->setToolTip("Recall the display setup " + f);
    recall->setGeometry(302 + i * 26, 22, 25, 20);
    connect(recall, &QPushButton::clicked, this, [this, i] { btnRecall_Click(i); });
  }

  // ---- data frame: chart, hour bar, dataset bar ----
  frameData = MakeFrame(this);
  frameData->setObjectName("frameData");
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
  frameLeft->setObjectName("frameLeft");
  frameRight = MakeFrame(frameData);
  frameRight->setObjectName("frameRight");
  BuildChartControls();

  timerAutoDisplay = new Timer(this);
  timerAutoDisplay->setObjectName("timerAutoDisplay");
  timerAutoDisplay->SetEnabled(false);
}

// The labels, buttons and level bars of the chart in frameLeft, and the
// readout labels over the chart.
void frmProfile::BuildChartControls() {
  QWidget* p = frameLeft;
  lblHour = MakeLabel(p, "0", "lblHour", true);
  lblDate = MakeLabel(p, "", "lblDate", true);
  lblLocal = MakeLabel(p, "", "lblLocal", true);
  const struct {
    QPushButton** button;
    const char* name;
    const char* caption;
    bool visible;
  } buttons[] = {{&btnAutoDisplay, "btnAutoDisplay", "Loop", true},
                 {&btnEnsemble, "btnEnsemble", "Overlay", false},
                 {&btnTails, "btnTails", "6", true},
                 {&btnT1Lower, "btnT1Lower", "<", true},
                 {&btnT1Higher, "btnT1Higher", " >", true},
                 {&btnTempLower, "btnTempLower", "<", true},
                 {&btnTemHigher, "btnTemHigher", " >", true},
                 {&btnVWPInterval, "btnVWPInterval", "1", true},
                 {&btnVWPIntervalA, "btnVWPIntervalA", "A1", true},
                 {&btnOmegaFiltered, "btnOmegaFiltered", "Filtered", false},
                 {&btnColorWinds, "btnColorWinds", "Color", false},
                 {&btnDigitalWinds, "btnDigitalWinds", "Digital", false},
                 {&btnActiveReadOut, "btnActiveReadOut", "Read Out", false}};
  for (const auto& b : buttons) {
    *b.button = MakeButton(p, b.caption);
    (*b.button)->setObjectName(b.name);
    (*b.button)->setVisible(b.visible);
  }
  int i = 0;
  for (const char* c : {"P", "Ft", "Km"}) {
    btnPHK.push_back(MakeButton(p, c));
    btnPHK.back()->setObjectName(QString("btnPHK%1").arg(i++));
  }
  frmXfer = MakeFrame(p);
  frmXfer->setObjectName("frmXfer");
  i = 0;
  for (const char* c : {"30", "1", "10", "20"}) {
    btnXfer.push_back(MakeButton(frmXfer, c));
    btnXfer.back()->setObjectName(QString("btnXfer%1").arg(i));
    btnXfer.back()->setGeometry(i * 27, 0, 26, 20);
    ++i;
  }
  frmXfer->setVisible(false);

  // Readout labels over the chart, placed by the chart at every cursor move.
  // A click on the temperature, dew-point or wind labels zooms the chart; the
  // height label lets the mouse through to the chart.
  const std::pair<QLabel**, const char*> readout[] = {{&lblActiveTemp, "lblActiveTemp"},
                                                      {&lblActiveDP, "lblActiveDP"},
                                                      {&lblActiveDir, "lblActiveDir"},
                                                      {&lblActiveKts, "lblActiveKts"},
                                                      {&lblActiveAxis, "lblActiveAxis"}};
  for (const auto& [l, name] : readout) {
    *l = MakeLabel(picData, "", name);
    (*l)->setStyleSheet("QLabel { color: rgb(255,255,0); background: black; }");
    (*l)->setVisible(false);
    (*l)->setMouseTracking(true);
  }
  lblActiveAxis->setAttribute(Qt::WA_TransparentForMouseEvents);
  for (QLabel* l : {lblActiveTemp, lblActiveDP, lblActiveDir, lblActiveKts}) l->installEventFilter(this);

  // The base of elevated parcels, beside the check boxes.
  vbsElevatedPT = new ScrollBar(Qt::Vertical, p);
  vbsElevatedPT->setObjectName("vbsElevatedPT");
  vbsElevatedPT->SetRange(1, 30);
  vbsElevatedPT->setToolTip("Base of elevated parcels");
}

// The side panels in frameRight and the control pages in frameLeft, with
// their buttons, from the panel tables.
void frmProfile::BuildPanels(const PanelTables& tables) {
  panels_.Build(tables.panels, *this, frameRight);
  pages_.Build(tables.pages, *this, frameLeft);
  for (const auto& item : panels_.Items()) {
    if (item.entry.caption.empty()) continue;
    QPushButton* b = MakeButton(frameRight, QString::fromStdString(item.entry.caption));
    b->setObjectName(QString("btnDisplay%1").arg(item.entry.index));
    // A size smaller than the window's: the bold caption of the open panel fits.
    QFont f = b->font();
    f.setPointSizeF(7);
    b->setFont(f);
    btnDisplay.emplace_back(item.entry.index, b);
  }
  for (const auto& item : pages_.Items()) {
    if (QWidget* page = item.panel->Widget())
      page->setObjectName(QString::fromStdString(PageWidgetName(item.entry.index)));
    QPushButton* b = MakeButton(frameLeft, QString::fromStdString(item.entry.caption));
    b->setObjectName(QString("btnControl%1").arg(item.entry.index));
    btnControl.push_back(b);
  }
  panels_.ConnectTopicControls(*this);
  pages_.ConnectTopicControls(*this);
  archivePanel_ = OwnPage<ArchivePanel>(panels_, kArchivePanel);
  alertsPage_ = OwnPage<AlertsPage>(pages_, 1);
  loopPage_ = OwnPage<LoopPage>(pages_, 2);
  convectionPage_ = OwnPage<ConvectionPage>(pages_, 3);
  overlaysPage_ = OwnPage<OverlaysPage>(pages_, 5);
}

void frmProfile::ConnectHandlers() {
  connect(lstoptModel, &QListWidget::currentRowChanged, this, [this](int) { lstoptModel_Click(); });
  connect(lstSiteIDs, &QListWidget::currentRowChanged, this, [this](int) { lstSiteIDs_Click(); });
  // A click on the row already current changes no row, and is a choice all
  // the same: after an archived or another folder's file, the highlighted
  // site's row brings that site's profile folder file back.
  connect(lstSiteIDs, &QListWidget::clicked, this, [this](const QModelIndex& index) {
    if (index.row() == siteRowAtPress_) lstSiteIDs_Click();
  });
  const std::pair<QPushButton*, void (frmProfile::*)()> clicks[] = {
      {btnDone, &frmProfile::btnDone_Click},
      {btnSelect, &frmProfile::btnSelect_Click},
      {btnProfileSnapShot, &frmProfile::btnProfileSnapShot_Click},
      {btnExport, &frmProfile::btnExport_Click},
      {btnOverView, &frmProfile::btnOverView_Click},
      {btnAutoDisplay, &frmProfile::btnAutoDisplay_Click},
      {btnEnsemble, &frmProfile::btnEnsemble_Click},
      {btnTails, &frmProfile::btnTails_Click},
      {btnVWPInterval, &frmProfile::btnVWPInterval_Click},
      {btnVWPIntervalA, &frmProfile::btnVWPIntervalA_Click},
      {btnColorWinds, &frmProfile::btnColorWinds_Click},
      {btnDigitalWinds, &frmProfile::btnDigitalWinds_Click},
      {btnActiveReadOut, &frmProfile::btnActiveReadOut_Click},
      {btnOmegaFiltered, &frmProfile::btnOmegaFiltered_Click},
      {btnHelp, &frmProfile::btnHelp_Click},
      {btnSetup, &frmProfile::btnSetup_Click}};
  for (const auto& [button, handler] : clicks)
    connect(button, &QPushButton::clicked, this, [this, handler = handler] { (this->*handler)(); });
  archivePanel_->onListClick = [this](ArchiveList list, int row) { ArchiveListClick(list, row); };
  archivePanel_->onLoadClick = [this] { btnArchive_Click(); };
  for (const auto& [index, button] : btnDisplay)
    connect(button, &QPushButton::clicked, this, [this, index = index] { btnDisplay_Click(index); });
  for (size_t i = 0; i < btnControl.size(); ++i) {
    const int index = pages_.Items()[i].entry.index;
    connect(btnControl[i], &QPushButton::clicked, this, [this, index] { btnControl_Click(index); });
  }
  for (int i = 0; i < static_cast<int>(btnPHK.size()); ++i)
    connect(btnPHK[i], &QPushButton::clicked, this, [this, i] { btnPHK_Click(i); });
  for (int i = 0; i < static_cast<int>(btnXfer.size()); ++i)
    connect(btnXfer[i], &QPushButton::clicked, this, [this, i] { btnXfer_Click(i); });
  overlaysPage_->onBoxClick = [this](int box) { chkefname_Click(box); };
  alertsPage_->onThresholdChange = [this] { IndexThresholdsChanged(); };
  loopPage_->onRateChange = [this] { hsbRate_Change(); };
  loopPage_->onListClick = [this](int i) { btnHaulix_Click(i); };
  loopPage_->onNewDataClick = [this] { btnNewData_Click(); };
  connect(btnT1Lower, &QPushButton::clicked, this, [this] { TempBoundStep(true, -5); });
  connect(btnT1Higher, &QPushButton::clicked, this, [this] { TempBoundStep(true, 5); });
  connect(btnTempLower, &QPushButton::clicked, this, [this] { TempBoundStep(false, -5); });
  connect(btnTemHigher, &QPushButton::clicked, this, [this] { TempBoundStep(false, 5); });
  hsbHour->onChange = [this] { hsbHour_Change(); };
  vsbEE->onChange = [this] { vsbEE_Change(); };
  vbsElevatedPT->onChange = [this] { vbsElevatedPT_Change(); };
  timerAutoDisplay->onTimer = [this] { timerAutoDisplay_Timer(); };
  lblHour->installEventFilter(this);
  picOmega->onMouseUp = [this](int button, int, double, double) { picOmega_MouseUp(button); };
  picLogo->onMouseUp = [this](int button, int, double, double) {
    if (button == 1) picLogo_Click();
  };
  picLogo->onResize = [this] { DrawLogo(); };
  // The chart's handlers get x 0..100 and y = ln p of the chart as drawn.
  picData->onMouseDown = [this](int b, int sh, double x, double y) { picData_MouseDown(b, sh, x, y); };
  picData->onMouseMove = [this](int b, int sh, double x, double y) { picData_MouseMove(b, sh, x, y); };
  picData->onMouseUp = [this](int b, int sh, double x, double y) { picData_MouseUp(b, sh, x, y); };
  picData->onResize = [this] {
    picData->Pic().BackColor = 0;
    picData->Pic().Cls();
  };
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
  picOmega->setGeometry(kChartLeft, kChartTop, 200, kOmegaStripPx);
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
  auto place = [&](QWidget* c, int width, int y) {
    c->setGeometry(x, y, width, kRowHeight);
    x += width + 3;
  };
  place(lblHour, 44, y0);
  place(lblDate, 136, y0);
  place(lblLocal, 176, y0);
  place(btnAutoDisplay, 48, y0);
  place(btnEnsemble, 58, y0);
  place(btnTails, 26, y0);

  x = 2;
  const int y1 = y0 + kRowHeight + 2;
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
  frmXfer->setGeometry(x, y1, 4 * 27, kRowHeight);

  // The grid's check boxes in columns; the elevated-parcel bar at the right end.
  const int barWidth = kBarThick + 3;
  std::vector<CheckBox*> boxes;
  for (CheckBox* b : chartBoxes_)
    if (b->parentWidget() == frameLeft) boxes.push_back(b);
  // Each column is as wide as its longest caption; room to spare is shared.
  const int rows = kBoxRows;
  const int columns = std::max<int>(1, (static_cast<int>(boxes.size()) + rows - 1) / rows);
  std::vector<int> colWidth(static_cast<size_t>(columns), 0);
  int need = 0;
  for (int i = 0; i < static_cast<int>(boxes.size()); ++i)
    colWidth[static_cast<size_t>(i / rows)] =
        std::max(colWidth[static_cast<size_t>(i / rows)], boxes[static_cast<size_t>(i)]->sizeHint().width() + 4);
  for (int c : colWidth) need += c;
  const int avail = std::max(columns * 40, w - barWidth - 4);
  for (int& c : colWidth) c = need <= avail ? c + (avail - need) / columns : c * avail / need;
  int cx = 2;
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows && c * rows + r < static_cast<int>(boxes.size()); ++r)
      boxes[static_cast<size_t>(c * rows + r)]->setGeometry(cx, kBoxTop + r * kBoxRow,
                                                            colWidth[static_cast<size_t>(c)] - 2, kBoxRow);
    cx += colWidth[static_cast<size_t>(c)];
  }
  vbsElevatedPT->setGeometry(w - barWidth, kBoxTop, kBarThick, rows * kBoxRow);

  // Control-page buttons in one row, the open page under them.
  const int n = std::max<int>(1, static_cast<int>(btnControl.size()));
  const int buttonWidth = (w - 4) / n;
  for (int i = 0; i < static_cast<int>(btnControl.size()); ++i)
    btnControl[static_cast<size_t>(i)]->setGeometry(2 + i * buttonWidth, kControlButtonTop, buttonWidth - 1,
                                                    kRowHeight);
  for (const auto& item : pages_.Items())
    if (QWidget* page = item.panel->Widget()) page->setGeometry(2, kPageTop, kPageWidth, kPageHeight);
}

void frmProfile::LayoutFrameRight() {
  // Panel buttons in a column, the square panel beside them and the panel's
  // own button bar under it.
  for (int i = 0; i < static_cast<int>(btnDisplay.size()); ++i)
    btnDisplay[static_cast<size_t>(i)].second->setGeometry(2, 2 + i * (kRowHeight + 3), kPanelButtonWidth,
                                                           kRowHeight + 2);
  const int by = 2 + kPanelSize + 2;
  for (const auto& item : panels_.Items()) {
    if (QWidget* pnl = item.panel->Widget()) pnl->setGeometry(kPanelLeft, 2, kPanelSize, kPanelSize);
    if (QWidget* bar = item.panel->ButtonBar()) bar->setGeometry(kPanelLeft, by, kPanelSize, kBandHeight - by - 2);
  }
}

void frmProfile::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void frmProfile::Form_Resize() {
  // Minimum size first; the resize that follows lays the window out.
  // (On a screen smaller than the window's design the window's smallest
  // size is the screen's room, and the controls are laid out for their own
  // smallest size on a page that scrolls.)
  const int minW = minimumWidth(), minH = minimumHeight();
  if (width() < minW) {
    resize(minW, height());
    return;
  }
  if (height() < minH) {
    resize(width(), minH);
    return;
  }
  if (scroll_ == nullptr) return;
  const QSize page = scroll_->Fit();
  const int W = page.width(), H = page.height();
  // Lists: their height grows with the window, at least one row of 645
  // twips and at most the configured number of site ids a column.
  const int listTw = std::min(std::max(H * kTwipsPerPixel - 10710, 645),
                              kListRowTw * std::clamp(cfg_.gMaxSitesPerColumn, 3, 8));
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
  // The readout stood beside the traces of the old size: the redraw reads
  // it again (or it goes until the chart is drawn).
  ForgetReadout(chart_);
  ShowReadout();

  if (FileLoaded && !gLoadingState) {
    PlotProfile();
    if (picOmega->isVisible()) DrawOmegaScale();
    if (!gSettingGeometry) {
      gWindowGeometry[0] = width() * kTwipsPerPixel;
      gWindowGeometry[1] = height() * kTwipsPerPixel;
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

SidePanel* frmProfile::Panel(int index) const { return panels_.Find(index); }
SidePanel* frmProfile::Page(int index) const { return pages_.Find(index); }
SidePanel* frmProfile::ShownPanel() const { return panels_.Find(RightPanel); }

}  // namespace ondrik
