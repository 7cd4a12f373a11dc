#include "profilewindow/frmhelp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>
#include <cstdlib>

#include "core/shared.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "config/config.h"

namespace ondrik {

namespace {

constexpr int kTw = 15;                  // twips a pixel
constexpr int kButtonWidthTw = 3600;
constexpr int kButtonHeightTw = 600;
constexpr int kLabelHeightTw = 400;
constexpr int kContentWidthTw = 15200;   // four buttons and the margins
constexpr const char* kTitle = kProgramName;

}  // namespace

std::string DocumentUrl(const std::string& path, const std::string& anchor) {
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
  if (!anchor.empty()) url.setFragment(QString::fromStdString(anchor));
  return url.toString(QUrl::FullyEncoded).toStdString();
}

void OpenTrainingTarget(const std::string& target, const Config& cfg, bool browserForAll) {
  const ResolvedTarget r = ResolveTrainingTarget(target, ProgramFolder());
  if (r.kind == ResolvedTarget::kRefused) {
    TheEffects().Message("The training link " + r.reason + ".", kTitle, MsgIcon::Warning);
    return;
  }
  const std::string url = r.kind == ResolvedTarget::kDocument ? DocumentUrl(r.location, r.anchor) : r.location;
  if (r.viaBrowser || browserForAll) {
    const std::string browser = TrimBlanks(cfg.gBrowserPath);
    if (browser.empty()) {
      TheEffects().Message("No web browser is set up for Linux mode; choose one in Set Up.", kTitle,
                           MsgIcon::Warning);
      return;
    }
    // The browser gets the address as one argument; no shell reads it.
    TheEffects().StartProgram(browser, {url}, false);
    return;
  }
  TheEffects().OpenDocument(url);
}

frmHelp::frmHelp(const Config& cfg, int profileLeftTw, QWidget* parent)
    : QWidget(parent, Qt::Window), cfg_(cfg), profileLeftTw_(profileLeftTw) {
  setObjectName("frmHelp");
  setWindowTitle("Ondrik Training");
  setAttribute(Qt::WA_DeleteOnClose);
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  content_ = new QWidget;
  scroll_->setWidget(content_);
  pnlProfile_ = new QLabel("Toolkit", content_);
  pnlProfile_->setObjectName("pnlProfile");
  QFont big = pnlProfile_->font();
  big.setPointSizeF(big.pointSizeF() * 2.2);
  big.setBold(true);
  pnlProfile_->setFont(big);
  pnlProfile_->setGeometry(kHelpLeft / kTw, 150 / kTw, 5000 / kTw, 900 / kTw);
  auto* title = new QLabel("Ondrik Training", content_);
  title->setFont(big);
  title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  title->setGeometry(5400 / kTw, 150 / kTw, 9600 / kTw, 900 / kTw);
  pnlVersion_ = new QLabel(QString("Version ") + kProgramVersion, content_);
  pnlVersion_->setObjectName("pnlVersion");
  pnlVersion_->setGeometry(kHelpLeft / kTw, 1100 / kTw, 6000 / kTw, 400 / kTw);
  auto* hint = new QLabel("Click an area to list its training pages; click it again to fold it.", content_);
  hint->setGeometry(6400 / kTw, 1100 / kTw, 8600 / kTw, 400 / kTw);
  hint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Outside the scrolled content: never scrolled out of sight.
  btnOK_ = new QPushButton("Exit Training", this);
  btnOK_->setObjectName("btnOK");
  connect(btnOK_, &QPushButton::clicked, this, [this] { btnOK_Click(); });

  timerToolKit_ = new Timer(this);
  timerToolKit_->setObjectName("timerToolKit");
  timerToyBox_ = new Timer(this);
  timerToyBox_->setObjectName("timerToyBox");
  timerToolKit_->onTimer = [this] { timerToolKit_Timer(); };
  timerToyBox_->onTimer = [this] { timerToyBox_Timer(); };
  timerToyBox_->SetEnabled(false);
  timerToyBox_->SetInterval(100);
  timerToolKit_->SetInterval(2000);
  timerToolKit_->SetEnabled(true);
  Form_Load();
}

void frmHelp::Clear() {
  for (QLabel* l : lblArea_) delete l;
  for (QPushButton* b : btnTraining_) delete b;
  lblArea_.clear();
  btnTraining_.clear();
  tags_.clear();
  areaCount_ = 0;
}

void frmHelp::Form_Load() {
  Clear();
  std::vector<std::string> lines;
  const std::string path = FindFileNoCase(ProgramFolder(), "OndrikTraining.dat");
  if (path.empty() || !ReadTextLines(path, lines)) {
    // No outline: the version and the exit button in the design size.
    Place(kHelpFirstTop + 1000, kHelpFirstTop + 100);
    return;
  }
  const HelpOutline outline = ParseHelpOutline(lines);
  const HelpLayout layout = LayOutHelp(outline, gHelpAreaOpen);
  for (const HelpLayout::Place& p : layout.labels) {
    auto* l = new QLabel(QString::fromStdString(outline.areas[static_cast<size_t>(p.index)]), content_);
    l->setObjectName(QString("lblArea%1").arg(p.index));
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    l->setFont(f);
    const bool open = gHelpAreaOpen[static_cast<size_t>(p.index)] == 1;
    l->setStyleSheet(open ? "QLabel { color: rgb(0, 0, 160); }" : "QLabel { color: rgb(0, 0, 96); }");
    l->setCursor(Qt::PointingHandCursor);
    l->setToolTip(open ? "Click to fold this area" : "Click to list this area's training pages");
    l->setGeometry(p.left / kTw, p.top / kTw, (kContentWidthTw - 2 * kHelpLeft) / kTw, kLabelHeightTw / kTw);
    l->installEventFilter(this);
    l->show();
    lblArea_.push_back(l);
  }
  areaCount_ = static_cast<int>(lblArea_.size());
  for (const HelpLayout::Place& p : layout.buttons) {
    const HelpButtonRow& row = outline.buttons[static_cast<size_t>(p.index)];
    auto* b = new QPushButton(QString::fromStdString(row.caption), content_);
    const int n = static_cast<int>(btnTraining_.size()) + 1;
    b->setObjectName(QString("btnTraining%1").arg(n));
    b->setGeometry(p.left / kTw, p.top / kTw, kButtonWidthTw / kTw, kButtonHeightTw / kTw);
    b->setEnabled(!TrimBlanks(row.target).empty());
    if (!b->isEnabled()) b->setFlat(true);
    b->setToolTip(QString::fromStdString(row.target));
    connect(b, &QPushButton::clicked, this, [this, n] { btnTraining_Click(n); });
    b->show();
    btnTraining_.push_back(b);
    tags_.push_back(row.target);
  }
  Place(layout.height, layout.okTop);
}

// Sizes the window for a layout of heightTw twips with "Exit Training" at
// okTopTw (the areas and buttons above it scroll when the screen is lower;
// the exit button stays below them in sight) and places it: a quarter of the
// spare height above it, at the profile window's left edge the first time
// and where it was left after.
void frmHelp::Place(int heightTw, int okTopTw) {
  const int contentH = okTopTw / kTw;
  const int footerH = (heightTw - okTopTw) / kTw;
  const int contentW = kContentWidthTw / kTw;
  content_->resize(contentW, contentH);
  const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  const QRect avail = s != nullptr ? s->availableGeometry() : QRect(0, 0, 1600, 1000);
  const int maxH = std::max(200, avail.height() - 40);
  const int shownH = std::min(contentH, maxH - footerH);
  const int h = shownH + footerH;
  const int w = contentW + (contentH > shownH ? scroll_->verticalScrollBar()->sizeHint().width() : 0);
  resize(w, h);
  scroll_->setGeometry(0, 0, w, shownH);
  btnOK_->setGeometry(kHelpLeft / kTw, shownH, kButtonWidthTw / kTw, kButtonHeightTw / kTw);
  btnOK_->raise();
  const int screenHTw = (s != nullptr ? s->geometry().height() : 1000) * kTw;
  const int topTw = (screenHTw - h * kTw) / 4;
  const int leftTw = gHelpLeft == -9999 ? profileLeftTw_ : static_cast<int>(gHelpLeft);
  move(leftTw / kTw, std::max(0, topTw / kTw));
}

void frmHelp::lblArea_Click(int index) {
  if (index < 1 || index > kMaxHelpAreas) return;
  gHelpAreaOpen[static_cast<size_t>(index)] = 1 - gHelpAreaOpen[static_cast<size_t>(index)];
  gHelpLeft = x() * kTw;
  Form_Load();
}

void frmHelp::btnTraining_Click(int index) {
  if (index < 1 || index > ButtonCount()) return;
  QPushButton* b = btnTraining_[static_cast<size_t>(index - 1)];
  b->setStyleSheet("QPushButton { background-color: rgb(255, 255, 128); }");  // visited
  QCoreApplication::processEvents();
  OpenTrainingTarget(tags_[static_cast<size_t>(index - 1)], cfg_, cfg_.gLinuxMode);
}

void frmHelp::btnOK_Click() { close(); }

void frmHelp::closeEvent(QCloseEvent* event) {
  gHelpLeft = x() * kTw;
  event->accept();
}

void frmHelp::timerToolKit_Timer() {
  timerToolKit_->SetEnabled(false);
  timerToyBox_->SetEnabled(true);
  pnlProfile_->setText("ToyBox");
}

void frmHelp::timerToyBox_Timer() {
  timerToyBox_->SetEnabled(false);
  const double u = static_cast<double>(std::rand()) / (static_cast<double>(RAND_MAX) + 1.0);
  timerToolKit_->SetInterval(2000 + static_cast<int>(8000 * u));
  timerToolKit_->SetEnabled(true);
  pnlProfile_->setText("ToolKit");
}

bool frmHelp::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    for (size_t i = 0; i < lblArea_.size(); ++i) {
      if (watched != lblArea_[i]) continue;
      // The label is deleted by the rebuild: leave the event first.
      const int area = static_cast<int>(i) + 1;
      QMetaObject::invokeMethod(this, [this, area] { lblArea_Click(area); }, Qt::QueuedConnection);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace ondrik
