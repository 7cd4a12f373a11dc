#include "panels/stormmatrix.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>

#include <cmath>
#include <filesystem>
#include <functional>
#include <system_error>

#include "core/guards.h"
#include "panels/indices.h"
#include "panels/matrixcell.h"
#include "panels/panelwidgets.h"
#include "core/thresholds.h"
#include "platform/effects.h"
#include "platform/pictureboxwidget.h"
#include "config/config.h"

namespace ondrik {

namespace {

constexpr const char* kTopic = "KORVAN";
constexpr double kArcRadius = 8;
constexpr double kDotRadius = 1;
constexpr double kStrokeLength = 12;

// Captions of the training buttons by index; there is no button 3.
const char* const kLoopCaptions[5] = {"0.4 km", "4 km", "Clouds", nullptr, "Summary"};

// Results of the Windows shell's opening of a document.
constexpr int kShellOpened = 42;
constexpr int kShellFileNotFound = 2;
constexpr int kShellPathNotFound = 3;
constexpr int kShellNoAssociation = 31;
constexpr int kShellFailureBelow = 33;

std::string NotFoundMessage(int result) {
  const char* const nl = "\r\n";
  return std::string("Could not locate the Covective Storm Matix training module.") + nl + nl + "Either:" + nl + nl +
         "   1)  the Drive Letter for this module specificed in your configuration file is incorrect," + nl +
         "        Solution: edit the configruation file ondrik.cfg" + nl + nl + std::string(52, ' ') + "or" + nl + nl +
         "  2)  You have not installed the Convective Storm Matrix Training module" + nl +
         "        Solution:  Downlad and install the Convective Storm Matrix training module" + nl + nl +
         "            Do you want to install the Convective Matrix Training Module?" + nl + "<result = " +
         std::to_string(result) + ">";
}

long Int(double x) { return static_cast<long>(std::floor(x + 0.5)); }

// A circle arc of radius r (x units) about (cx, cy), from angle a0 to a1
// (radians, counter-clockwise on the screen from 3 o'clock), round on the
// screen whatever the picture's scale.
void Arc(PictureBox& pic, double cx, double cy, double r, double a0, double a1, Color c) {
  const double ppx = pic.PixelWidth() / pic.ScaleWidth();
  const double ppy = pic.PixelHeight() / pic.ScaleHeight();  // the scale's y runs downwards here
  if (!(std::isfinite(ppx) && std::isfinite(ppy)) || ppy == 0) return;
  const double ry = r * ppx / ppy;
  constexpr int kSteps = 24;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = a0 + (a1 - a0) * i / kSteps;
    const double x = cx + r * std::cos(t), y = cy - ry * std::sin(t);
    if (i == 0) {
      pic.CurrentX = x;
      pic.CurrentY = y;
    } else {
      pic.LineTo(x, y, c);
    }
  }
}

}  // namespace

int OpenTrainingPage(const std::string& pageName) {
  bool driveFound = false;
  const std::string local = LocalTrainingPath(pageName, &driveFound);
  std::error_code ec;
  if (!driveFound) return kShellPathNotFound;
  if (!std::filesystem::is_regular_file(local, ec)) {
    return std::filesystem::is_directory(std::filesystem::path(local).parent_path(), ec) ? kShellFileNotFound
                                                                                         : kShellPathNotFound;
  }
  return TheEffects().OpenDocument(local) ? kShellOpened : kShellNoAssociation;
}

StormMatrixPage::StormMatrixPage(PanelHost& host, QWidget* parent) : host_(host), page_(new QFrame(parent)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  auto* caption = new ClickLabel("KORVAN", page_);
  caption->setObjectName("Label32");
  caption->setGeometry(6, 4, 84, 16);
  caption->setAlignment(Qt::AlignCenter);
  caption->onClick = [this] { Label32_Click(); };
  Label32_ = caption;

  auto* cell = new ClickLabel("-", page_);
  cell->setObjectName("lblMatrix");
  cell->setGeometry(6, 22, 84, 54);
  cell->setAlignment(Qt::AlignCenter);
  QFont f = cell->font();
  f.setPointSize(22);
  f.setBold(true);
  cell->setFont(f);
  cell->setAutoFillBackground(true);
  cell->onClick = [this] { lblMatrix_Click(); };
  lblMatrix_ = cell;

  picReason_ = new PictureBoxWidget(page_);
  picReason_->setObjectName("picReason");
  picReason_->setGeometry(96, 4, 300, 74);
  const QColor face = page_->palette().color(QPalette::Button);
  picReason_->Pic().BackColor = RGB(face.red(), face.green(), face.blue());
  picReason_->Pic().FontName = "Arial";
  picReason_->Pic().FontSize = 7;
  // A picture shown for the first time is cleared: draw again.
  picReason_->onResize = [this] { DrawMatrixReason(); };
  picReason_->onMouseDown = [this](int button, int, double, double) {
    if (button == 1) picReason_Click();
  };

  for (int i = 0; i < 5; ++i) {
    if (kLoopCaptions[i] == nullptr) continue;
    auto* b = new QPushButton(kLoopCaptions[i], page_);
    b->setObjectName(QString("btnLoop%1").arg(i));
    b->setFocusPolicy(Qt::TabFocus);
    const int slot = i == 4 ? 3 : i;
    b->setGeometry(404 + (slot % 2) * 96, 6 + (slot / 2) * 36, 92, 32);
    QObject::connect(b, &QPushButton::clicked, b, [this, i] { btnLoop_Click(i); });
    btnLoop_[static_cast<size_t>(i)] = b;
  }
}

QWidget* StormMatrixPage::Widget() { return page_; }

void StormMatrixPage::ShowMatrixPanel() {
  if (gLoadingState) return;
  picReason_->Pic().Cls();
  const Integer D = gCurDataset, H = host_.Hour();
  if (D < 1 || D > gDatasetCount || H < 0 || H > gLastHour(D)) {
    picReason_->update();
    return;
  }
  ComputeOnce(MatrixPageDone(D, H), [&] { BuildStormMatrixPage(D, H, host_.Settings().TrainingDrive); });
  const Single cape = gCape(D, H), cins = gCins(D, H);
  const QColor colour = ToQColor(ThirdColor(cape == 0 ? IndexThird::First : ThresholdClass(cins, kRowCins, true)));
  QPalette p = lblMatrix_->palette();
  p.setColor(QPalette::WindowText, colour);
  p.setColor(QPalette::Window, Qt::black);
  lblMatrix_->setPalette(p);
  lblMatrix_->setText(QString::fromStdString(MatrixCellCode(D, H)));
  DrawMatrixReason();
}

void StormMatrixPage::lblMatrix_Click() {
  host_.OpenTrainingLinks(kTopic);
  DrawMatrixReason();
}

void StormMatrixPage::Label32_Click() { host_.OpenTrainingLinks(kTopic); }

// The layers of the branch that decided the row, one column each: a dot for
// little shear, a stroke for straight shear, an arc for turning, with the
// layer's shear (S) and, where it counted, its mean-wind helicity (H).
void StormMatrixPage::DrawMatrixReason() {
  if (gLoadingState) return;
  PictureBox& pic = picReason_->Pic();
  pic.DrawWidth = 2;
  pic.Scale(0, -10, 100, 100);
  pic.Cls();
  pic.ForeColor = kBlack;
  pic.FillColor = kBlack;
  pic.FontTransparent = true;
  const Integer D = gCurDataset, H = host_.Hour();
  if (D < 1 || D > gDatasetCount || H < 0 || H > gLastHour(D)) {
    picReason_->update();
    return;
  }
  auto print = [&](double x, double y, const std::string& text) {
    pic.CurrentX = x;
    pic.CurrentY = y;
    pic.Print(text, false);
  };
  if (gCape(D, H) < kMatrixLowCape) {
    print(40, 40, "Low CAPE");
    picReason_->update();
    return;
  }
  if (gCape(D, H) >= kMatrixCapeColumn3) print(75, 75, "Mean DPD:" + ChartNumber(Int(MatrixMeanDPD(D, H))));

  const MatrixLayers m = MatrixLayerValues(D, H);
  const char row = ClassifyStormMatrix(m)[0];
  // Column c (0, 1, 2): the layer's title, and its numbers at x.
  const char* const titles[3] = {"0.0-2.5 km", "2.5-5.0 km", "5.0-7.5 km"};
  const double titleX[3] = {3, 43, 78};
  const Single shear[3] = {m.S0_25, m.S25_5, m.S5_75};
  const Single helicity[3] = {m.H0_25, m.H25_5, 0};
  auto column = [&](int c, double x, bool withHelicity) {
    print(titleX[c], -10, titles[c]);
    print(x, 25, "S:" + ChartNumber(Int(shear[c])));
    if (withHelicity) print(x, 60, "H:" + ChartNumber(Int(helicity[c])));
  };
  pic.FillTransparent = false;
  auto dot = [&](double x) { pic.Circle(x, 50, kDotRadius, kBlack); };
  auto stroke = [&](double x) { pic.Line(x, 50, x + kStrokeLength, 50, kBlack); };
  auto arc = [&](double cx, double cy, double a0, double a1) { Arc(pic, cx, cy, kArcRadius, a0, a1, kBlack); };
  switch (row) {
    case 'A':
      dot(10);
      column(0, 10, false);
      dot(50);
      column(1, 55, false);
      break;
    case 'B': case 'C': case 'D': case 'E':
      stroke(0);
      column(0, 15, true);
      stroke(40);
      column(1, 55, false);
      break;
    case 'J':
      arc(13, 15, 3.1, 4.7);
      column(0, 15, true);
      break;
    case 'N': case 'O': case 'P':
      arc(10, 90, 1.5, 3.1);
      column(0, 15, true);
      dot(50);
      column(1, 55, false);
      break;
    case 'K': case 'L': case 'M':
      arc(10, 85, 1.5, 3.1);
      column(0, 15, true);
      arc(40, 85, 0, 1.5);
      column(1, 55, true);
      break;
    default:  // F to I
      arc(10, 90, 1.5, 3.1);
      column(0, 15, true);
      stroke(40);
      column(1, 55, true);
      stroke(75);
      column(2, 90, false);
      break;
  }
  pic.FillTransparent = true;
  picReason_->update();
}

void StormMatrixPage::btnLoop_Click(int index) {
  host_.OpenTrainingLinks(kTopic);
  if (index < 0 || index > 4 || kLoopCaptions[index] == nullptr) return;
  const Integer D = gCurDataset, H = host_.Hour();
  if (D < 1 || D > gDatasetCount || H < 0 || H > gLastHour(D)) return;
  if (!MatrixCellHasPages(MatrixCellCode(D, H))) return;
  const int r = OpenTrainingPage(MatrixPageName(MatrixPagePath(D, H), index + 1));
  if (r >= kShellFailureBelow) return;
  if (!TheEffects().Confirm(NotFoundMessage(r), "KORVAN Error", MsgIcon::Critical)) return;
  const std::string& page = host_.Settings().TrainingDownloadPage;
  if (page.empty()) {
    TheEffects().Message(std::string("The configuration file names no download page of the training module. "
                                     "Add the line \"") +
                             kTrainingDownloadHeader + "\" and the page's address under it, after the export folder.",
                         "KORVAN Error", MsgIcon::Information);
    return;
  }
  TheEffects().OpenDocument(page);  // its result is not looked at
}

}  // namespace ondrik
