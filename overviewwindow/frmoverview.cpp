// The overview window's controls and their layout, its load and unload.
#include "overviewwindow/frmoverview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <span>

#include "core/guards.h"
#include "core/shared.h"
#include "core/numberformat.h"
#include "overview/plotdata.h"
#include "overview/series.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "platform/scrollpage.h"
#include "platform/windowplace.h"

namespace ondrik {

namespace {

// Design sizes in pixels. The pictures stand between the control pages
// above and the band of the time axis below.
constexpr int kPicturesTop = 152;     // picRH.Top
constexpr int kBandHeight = 64;       // frameLeftClick: the band under the pictures
constexpr int kEEWidth = 20;          // picEE, which holds the dataset bar
constexpr int kSideWidth = 64;        // picLeft and picRight, at the least
constexpr int kTimeHeight = 30;       // picTime
constexpr int kBarThick = 17;
constexpr int kRow = 17;              // a row of check boxes
constexpr int kRows = 7;
constexpr int kColumnWidth = 150;
constexpr int kPageTop = 24;
constexpr int kPageWidth = 4 * kColumnWidth;
constexpr int kPageHeight = kRows * kRow + 4;

struct PageRow {
  const char* caption;
  const char* topic;
};
constexpr PageRow kPages[kOverviewPageCount] = {{"Contour", "Contour"},         {"Temperature", "Temperature"},
                                                {"Wind", "Wind"},               {"Convection", "Overview Convection"},
                                                {"Aviation", "Aviation"},       {"Controls", "Overview Controls"},
                                                {"Fire Wx", "Fire Wx"},         {"Precip", "Precip"}};

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// picLeft and picRight: wide enough for their labels in the font they print in.
int SideWidth(const PictureBox& side) { return std::max(kSideWidth, SidePictureWidth(side)); }

}  // namespace

void SetBold(QPushButton* b, bool bold) {
  if (b == nullptr) return;
  QFont f = b->font();
  if (f.bold() == bold) return;
  f.setBold(bold);
  b->setFont(f);
}

frmOverView::frmOverView(ProfileLink& profile, QWidget* parent) : QWidget(parent), profile_(profile) {
  setObjectName("frmOverView");
  QFont f("DejaVu Sans");
  f.setPointSizeF(7.5);
  setFont(f);
  setMinimumSize(PixelSizeOfTwips(kOverviewMinWidthTw, kOverviewMinHeightTw));
  state_.events = this;
  BuildControls();
  BuildBoxes();
  BuildOptionControls();
  BuildLayoutButtons();
  LayoutTop();
  // The pages laid out, every caption on them shows whole.
  for (QFrame* page : pnlControl)
    for (QAbstractButton* b : page->findChildren<QAbstractButton*>()) ShowCaptionWhole(b);
  scroll_ = std::make_unique<ScrollPage>(*this, PixelSizeOfTwips(kOverviewMinWidthTw, kOverviewMinHeightTw));
  scroll_->TakeControls();
  ConnectMouse();
  // Key preview: the window sees every key before its controls.
  qApp->installEventFilter(this);
}

frmOverView::~frmOverView() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

QPushButton* frmOverView::MakeButton(QWidget* parent, const QString& caption, const QString& name) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

void frmOverView::BuildControls() {
  auto picture = [this](const char* name, Color back) {
    auto* p = new PictureBoxWidget(this);
    p->setObjectName(name);
    p->Pic().BackColor = back;
    p->Pic().ForeColor = kWhite;
    p->Pic().Cls();
    p->onResize = [p] { p->Pic().Cls(); };
    return p;
  };
  picRH = picture("picRH", kBlack);
  picLeft = picture("picLeft", kBlack);
  picRight = picture("picRight", kBlack);
  picTime = picture("picTime", RGB(124, 54, 3));
  picEE = new QFrame(this);
  picEE->setObjectName("picEE");
  vsbEE = new ScrollBar(Qt::Vertical, picEE);
  vsbEE->setObjectName("vsbEE");
  vsbEE->SetRange(1, 1);
  vsbEE->setVisible(false);
  vsbEE->onChange = [this] { vsbEE_Change(); };
  btnEnsemble = MakeButton(this, "E", "btnEnsemble");
  btnEnsemble->setToolTip("Overlay of all shown datasets");
  btnEnsemble->setVisible(false);
  connect(btnEnsemble, &QPushButton::clicked, this, [this] { btnEnsemble_Click(); });
  lblPrecip = new QLabel(picRH);
  lblPrecip->setObjectName("lblPrecip");
  lblPrecip->setStyleSheet("QLabel { color: black; background: white; }");
  lblPrecip->setVisible(false);

  frameLeftClick = new QFrame(this);
  frameLeftClick->setObjectName("frameLeftClick");
  frameRightClick = new QFrame(this);
  frameRightClick->setObjectName("frameRightClick");
  txtQualityControl = new QPlainTextEdit(this);
  txtQualityControl->setObjectName("txtQualityControl");
  txtQualityControl->setReadOnly(true);
  txtQualityControl->setVisible(false);
  hsbHours = new ScrollBar(Qt::Horizontal, this);
  hsbHours->setObjectName("hsbHours");
  hsbHours->setVisible(false);
  hsbHours->onChange = [this] { hsbHours_Change(); };
  // Takes the keyboard focus only, so that keys keep reaching the window.
  vsbF = new ScrollBar(Qt::Vertical, this);
  vsbF->setObjectName("vsbF");
  vsbF->setGeometry(0, 0, 2, 2);

  btnQuit = MakeButton(this, "Close", "btnQuit");
  connect(btnQuit, &QPushButton::clicked, this, [this] { btnQuit_Click(); });
  for (int i = 0; i < 4; ++i) {
    btnHours[static_cast<size_t>(i)] = MakeButton(this, QString::number(std::array{24, 48, 60, 120}[static_cast<size_t>(i)]),
                                                  QString("btnHours%1").arg(i));
    connect(btnHours[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { btnHours_Click(i); });
  }
  for (int i = 0; i < kOverviewPageCount; ++i) {
    btnControl[static_cast<size_t>(i)] = MakeButton(this, kPages[i].caption, QString("btnControl%1").arg(i));
    connect(btnControl[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { btnControl_Click(i); });
    auto* page = new QFrame(this);
    page->setObjectName(QString("pnlControl%1").arg(i));
    page->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    page->setVisible(false);
    pnlControl[static_cast<size_t>(i)] = page;
  }

  // The dataset boxes, 4 title columns of 5, and the count they select.
  frameDatasets = new QFrame(this);
  frameDatasets->setObjectName("frameDatasets");
  for (int i = 0; i < kDatasetBoxCount; ++i) {
    auto* b = new CheckBox(QString(), frameDatasets);
    b->setObjectName(QString("chkefname%1").arg(i));
    b->setGeometry(2 + (i / 5) * 72, 2 + (i % 5) * 16, 70, 16);
    b->setVisible(false);
    b->setFocusPolicy(Qt::NoFocus);
    b->onClick = [this, i] { chkefname_Click(i); };
    chkefname[static_cast<size_t>(i)] = b;
  }
  lblSelectEnsemble = new QLabel(frameDatasets);
  lblSelectEnsemble->setObjectName("lblSelectEnsemble");
  lblSelectEnsemble->setGeometry(2, 84, 280, 16);
  lblSelectEnsemble->setVisible(false);

  // The wind page: the profile-window copies of the level bars, the barb
  // spacing and the momentum-transfer step.
  QFrame* wind = pnlControl[kPageWind];
  const int x0 = 2 * kColumnWidth + 4;
  vsbSigmaLevel = new ScrollBar(Qt::Vertical, wind);
  vsbSigmaLevel->setObjectName("vsbSigmaLevel");
  vsbSigmaLevel->SetRange(24, 3);
  vsbSigmaLevel->SetValue(4);
  vsbSigmaLevel->setGeometry(x0, 2, kBarThick, kPageHeight - 6);
  for (int i = 0; i < 2; ++i) {
    auto* b = new ScrollBar(Qt::Vertical, wind);
    b->setObjectName(QString("vsbMeanWind%1").arg(i));
    b->SetRange(23 + i, 1 + i);
    b->SetValue(3);
    b->setGeometry(x0 + (i + 1) * (kBarThick + 3), 2, kBarThick, kPageHeight - 6);
    vsbMeanWind[static_cast<size_t>(i)] = b;
  }
  btnVWPInterval = MakeButton(wind, "3", "btnVWPInterval");
  btnVWPInterval->setGeometry(x0 + 70, 2, 30, 20);
  btnVWPIntervalA = MakeButton(wind, "A3", "btnVWPIntervalA");
  btnVWPIntervalA->setGeometry(x0 + 102, 2, 34, 20);
  int i = 0;
  for (const char* c : {"30", "1", "10", "20"}) {
    QPushButton* b = MakeButton(wind, c, QString("btnXferO%1").arg(i));
    b->setGeometry(x0 + 70 + i * 32, 26, 30, 20);
    btnXferO[static_cast<size_t>(i)] = b;
    ++i;
  }
  lblLakeTemp = new QLabel(pnlControl[kPageTemperature]);
  lblLakeTemp->setObjectName("lblLakeTemp");
  lblLakeTemp->setGeometry(2 * kColumnWidth + 4, 2, 140, 16);
  lblLakeTemp->setVisible(false);
  // The legend of the elevated-CAPE contours.
  frameECAPE = new QFrame(pnlControl[kPageConvection]);
  frameECAPE->setObjectName("frameECAPE");
  frameECAPE->setGeometry(2 * kColumnWidth + 4, 2, 60, 6 * 16 + 4);
  frameECAPE->setStyleSheet("QFrame#frameECAPE { background: rgb(63, 63, 63); }");
  frameECAPE->setVisible(false);
  for (int k = 0; k < 6; ++k) {
    auto* l = new QLabel(frameECAPE);
    l->setObjectName(QString("lblECAPE%1").arg(k));
    l->setGeometry(2, 2 + k * 16, 56, 16);
    lblECAPE[static_cast<size_t>(k)] = l;
  }
}

// The check boxes of the table on their pages, and the grid boxes in the
// frames under the side pictures at the columns of the axes they grid.
void frmOverView::BuildBoxes() {
  std::array<int, kOverviewPageCount> used{};
  for (const OverviewRow& r : OverviewRows()) {
    QWidget* parent = nullptr;
    QRect at;
    if (r.place >= 0 && r.place < kOverviewPageCount) {
      parent = pnlControl[static_cast<size_t>(r.place)];
      const int n = used[static_cast<size_t>(r.place)]++;
      at = QRect(2 + (n / kRows) * kColumnWidth, 2 + (n % kRows) * kRow, kColumnWidth - 4, kRow);
    } else {
      const bool left = r.place == kPlaceLeftGrids;
      parent = left ? frameLeftClick : frameRightClick;
      int column = 0;
      switch (r.axis) {
        case Axis::Direction:
        case Axis::Precip: column = 1; break;
        case Axis::Index:
        case Axis::Temperature: column = 2; break;
        default: break;
      }
      at = QRect(column * SideWidth(picLeft->Pic()) / 3 + 2, 2, 18, 18);
      // Hidden until an axis of theirs is drawn.
    }
    auto* b = new CheckBox(Q(r.caption), parent);
    b->setObjectName(Q(r.name));
    b->setGeometry(at);
    b->setFocusPolicy(Qt::NoFocus);
    if (r.kind == BoxKind::Grid) b->setVisible(false);
    const BoxId id = r.id;
    if (std::find(kDesignTicked.begin(), kDesignTicked.end(), id) != kDesignTicked.end()) {
      b->SetValue(1);  // before its handler is set: the design runs no rule
      state_.opt.box[static_cast<size_t>(id)] = 1;
    }
    b->onClick = [this, id] { BoxClicked(Row(id)); };
    boxes_[static_cast<size_t>(id)] = b;
  }
}

void frmOverView::LayoutTop() {
  for (int i = 0; i < kOverviewPageCount; ++i) {
    btnControl[static_cast<size_t>(i)]->setGeometry(2 + i * 75, 2, 74, 20);
    pnlControl[static_cast<size_t>(i)]->setGeometry(2, kPageTop, kPageWidth, kPageHeight);
  }
  for (int i = 0; i < 4; ++i) btnHours[static_cast<size_t>(i)]->setGeometry(2 + 8 * 75 + 8 + i * 42, 2, 40, 20);
  frameDatasets->setGeometry(kPageWidth + 8, kPageTop, 4 * 72 + 4, kPageHeight);
  const int side = SideWidth(picLeft->Pic());
  picEE->setGeometry(0, kPicturesTop, kEEWidth, 100);
  picLeft->setGeometry(kEEWidth, kPicturesTop, side, 100);
  picRH->setGeometry(kEEWidth + side, kPicturesTop, 100, 100);
  picRight->setGeometry(200, kPicturesTop, side, 100);
  frameLeftClick->setGeometry(kEEWidth, 0, side, kBandHeight);
  frameRightClick->setGeometry(200, 0, side, kBandHeight);
  picTime->setGeometry(picRH->x(), 0, 100, kTimeHeight);
  hsbHours->setGeometry(picRH->x(), 0, 100, kBarThick);
  txtQualityControl->setGeometry(picRH->x(), 0, 100, kBandHeight - kTimeHeight);
  btnEnsemble->setGeometry(0, 0, kEEWidth, 20);
}

void frmOverView::btnControl_Click(int index) {
  if (index < 0 || index >= kOverviewPageCount) return;
  profile_.OpenTrainingLinks(kPages[index].topic);
  ShowPage(index);
  FocusScrollBar();
}

void frmOverView::ShowPage(int index) {
  state_.opt.ControlPage = index;
  for (int i = 0; i < kOverviewPageCount; ++i) {
    SetBold(btnControl[static_cast<size_t>(i)], i == index);
    pnlControl[static_cast<size_t>(i)]->setVisible(i == index);
  }
}

// One click handling for every box of the table: the option follows the
// box, then the box's rule (overview/controlrules.h) does the rest.
void frmOverView::BoxClicked(const OverviewRow& row) {
  state_.opt.box[static_cast<size_t>(row.id)] = Box(row.id)->Value();
  BoxContext c{*this, state_, GridSwitchGuard};
  BoxClick(row.id, c);
}

void frmOverView::SetBox(BoxId id, int value) {
  Box(id)->SetValue(value);
  state_.opt.box[static_cast<size_t>(id)] = Box(id)->Value();
}

// ---- load, resize, unload ----

void frmOverView::Form_Load() {
  // 2 to 4: place from the saved geometry, then show.
  gSettingGeometry = true;
  PlaceFromSaved(*this, std::span<Long, 4>(gWindowGeometry.data() + 4, 4),
                 PixelSizeOfTwips(kOverviewMinWidthTw, kOverviewMinHeightTw));
  const OverviewInputs in = profile_.Inputs();
  state_.in = in;
  if (in.LinuxMode && screen() != nullptr) {
    const QRect s = screen()->geometry();
    if (s.width() < x()) move(0, y());
    if (s.height() < y()) move(x(), 0);
  }
  gSettingGeometry = false;
  show();
  // 5, 6.
  PrepareLogPressure(state_);
  setWindowTitle(QString::fromStdString(state_.draw.Caption));
  StartFrame(state_);
  state_.frame.TimeLeft = static_cast<Single>(state_.frame.ColumnsShown);
  state_.frame.TimeRight = static_cast<Single>(state_.frame.TimeRightBase);
  OverviewOptions& o = state_.opt;
  o.VerticalUnit = 1;
  o.ContourIntervalIndex = 2;
  o.ContourInterval = ContourIntervalOfIndex(o.ContourIntervalIndex);
  o.VWPAuto = 0;
  o.VWPInterval = 3;
  o.VWPAutoInterval = 3;
  // 7.
  btnVWPInterval->setText(QString::number(o.VWPInterval));
  btnVWPIntervalA->setText("A" + QString::number(o.VWPAutoInterval));
  SetBold(btnVWPInterval, true);
  // 8: the level bars as the profile window has them.
  {
    const LoadingStateGuard loading;
    const ProfileLink::LevelBars lv = profile_.Levels();
    vsbSigmaLevel->SetRange(lv.sigmaMin, lv.sigmaMax);
    vsbSigmaLevel->SetValue(lv.sigmaValue);
    vsbMeanWind[1]->SetMin(lv.meanMin1);
    vsbMeanWind[0]->SetValue(lv.meanValue0);
    vsbMeanWind[1]->SetValue(lv.meanValue1);
  }
  // The bars may already have stood at these values: the options follow them.
  o.SigmaLevel = vsbSigmaLevel->Value();
  lblSigmaLevel->setText(QString::number(o.SigmaLevel));
  o.MeanWindLevels = {vsbMeanWind[0]->Value(), vsbMeanWind[1]->Value()};
  o.SnowRatioValue = hsbRatio->Value();
  // 10 (and 19, 20 and the precipitation-type box of 8): the labels and
  // buttons that name the profile window's values, which every redraw
  // shows again; 11.
  ShowProfileValues();
  if (in.ModelIndex > 1) {
    Box(kBoxRunOff)->setEnabled(false);
    Box(kBoxEvaporation)->setEnabled(false);
  }
  // 12, 13: the series of the overview keep their done flags in the profile
  // store; a new window computes them afresh, for the options of the
  // profile window as they are now.
  ClearSeriesFlags();
  transferStep_ = in.XferIndex;
  typeDecided_ = in.PtypeDecided;
  typeLevel_ = gElevatedLevel;
  o.HainesLevel = 1;
  o.TenMeterBase = 0;
  KeepSideMappings();
  // 14 to 16: the dataset boxes as the profile window has them; copying
  // their ticks sends nothing back.
  o.RHLowestClass = 0;
  const ProfileLink::DatasetBoxState boxes = profile_.Boxes();
  ::ondrik::SetCaption(lblSelectEnsemble, QString::fromStdString(boxes.summary));
  lblSelectEnsemble->setVisible(boxes.summaryVisible);
  {
    gEnsembleMirrorGuard = 1;
    for (int i = 0; i < kDatasetBoxCount; ++i) {
      CheckBox* b = chkefname[static_cast<size_t>(i)];
      ::ondrik::SetCaption(b, QString::fromStdString(boxes.caption[static_cast<size_t>(i)]));
      b->setVisible(!boxes.caption[static_cast<size_t>(i)].empty());
      b->SetValue(boxes.value[static_cast<size_t>(i)]);
    }
    gEnsembleMirrorGuard = 0;
  }
  GridSwitchGuard = 0;
  // 17, 18: the time windows, the first that covers the whole forecast.
  const Integer last = gCurDataset >= 1 && gCurDataset <= gDatasetCount ? gLastHour(gCurDataset) : 0;
  for (int i = 0; i < 4; ++i)
    ::ondrik::SetCaption(btnHours[static_cast<size_t>(i)],
               QString::fromStdString(NumberText(static_cast<Single>(in.WindowSteps[static_cast<size_t>(i)]) * HoursPerStep())));
  const int window = FirstCoveringWindow(in.WindowSteps, last);
  btnHours_Click(window);
  // 20.
  o.WindColorIndex = 2;
  o.ECAPELowestClass = 0;
  o.SnowTechnique = 1;
  // 21: the dataset bar.
  {
    const LoadingStateGuard loading;
    const ProfileLink::DatasetBar bar = profile_.Datasets();
    vsbEE->SetRange(1, std::max(1, bar.max));
    vsbEE->SetValue(bar.value);
    vsbEE->setVisible(bar.visible);
    btnEnsemble->setVisible(bar.ensembleVisible);
    ShowOverlay();
  }
  ShowPage(std::clamp<Integer>(o.ControlPage, 0, kOverviewPageCount - 1));
  // 22: the layout of the last opening.
  btnRecall_Click(8);
  // 23: the mouse wheel steps the datasets.
  if (wheel_ == nullptr) {
    wheel_ = new WheelFilter([this](int delta) { MouseWheel(delta); }, this);
    wheel_->InstallOn(this);
    for (QWidget* c : findChildren<QWidget*>()) c->installEventFilter(wheel_);
  }
}

void frmOverView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
  picPIP_Resize();
}

void frmOverView::Form_Resize() {
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
  // On a screen smaller than the window's design the controls are laid out
  // for their own smallest size on a page that scrolls.
  const QSize page = scroll_->Fit();
  const int W = page.width(), H = page.height();
  picRight->move(W - picRight->width() - 8, picRight->y());
  frameRightClick->move(picRight->x(), frameRightClick->y());
  const int rhWidth = std::max(1, W - picLeft->width() - picEE->width() - picRight->width() - 8);
  frameLeftClick->move(frameLeftClick->x(), H - frameLeftClick->height());
  frameRightClick->move(frameRightClick->x(), frameLeftClick->y());
  const int rhHeight = std::max(1, H - picRH->y() - frameLeftClick->height());
  picRH->resize(rhWidth, rhHeight);
  picTime->resize(rhWidth, picTime->height());
  txtQualityControl->resize(rhWidth, txtQualityControl->height());
  hsbHours->resize(rhWidth, hsbHours->height());
  for (QWidget* w : {static_cast<QWidget*>(picLeft), static_cast<QWidget*>(picRight), static_cast<QWidget*>(picEE)})
    w->resize(w->width(), rhHeight);
  vsbEE->setGeometry(1, 0, kEEWidth - 2, rhHeight);
  picTime->move(picTime->x(), picRH->y() + picRH->height());
  btnEnsemble->move(btnEnsemble->x(), picTime->y());
  hsbHours->move(hsbHours->x(), picTime->y() + picTime->height());
  txtQualityControl->move(txtQualityControl->x(), hsbHours->y());
  btnQuit->setGeometry(W - 66, 2, 60, 20);
  if (state_.frame.TimeLeft != 0 || state_.frame.TimeRight != 0) {
    PlotData();
    DrawTimeAxis();
    if (!gSettingGeometry) {
      gWindowGeometry[4] = static_cast<Long>(width()) * kTwipsPerPixel;
      gWindowGeometry[5] = static_cast<Long>(height()) * kTwipsPerPixel;
    }
  }
}

void frmOverView::ScalePictures(double scale) {
  if (!(scale > 0)) return;
  const double grow = std::max(1.0, scale);
  const QSize smallest = PixelSizeOfTwips(kOverviewMinWidthTw, kOverviewMinHeightTw);
  resize(static_cast<int>(smallest.width() * grow), static_cast<int>(smallest.height() * grow));
  QApplication::processEvents();
  if (scale >= 1) return;
  auto scaled = [scale](int pixels) { return std::max(1, static_cast<int>(pixels * scale)); };
  const int w = scaled(picRH->width()), h = scaled(picRH->height());
  picRH->resize(w, h);
  picLeft->resize(picLeft->width(), h);
  picRight->resize(picRight->width(), h);
  picTime->resize(w, picTime->height());
}

void frmOverView::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmOverView::btnQuit_Click() { close(); }

void frmOverView::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (wheel_ != nullptr) wheel_->onWheel = nullptr;
  gOverviewOpen = 0;
  StorePlace();
  btnSave_Click(8);
  hide();
  emit Unloaded();
}

void frmOverView::StorePlace() {
  gWindowGeometry[6] = static_cast<Long>(y()) * kTwipsPerPixel;
  gWindowGeometry[7] = static_cast<Long>(x()) * kTwipsPerPixel;
}

void frmOverView::FocusScrollBar() {
  if (vsbF != nullptr && isVisible()) vsbF->setFocus();
}

void frmOverView::SetBusy(bool busy) { busy_.Set(busy); }

}  // namespace ondrik
