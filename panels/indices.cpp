#include "panels/indices.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPalette>

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/ccl.h"
#include "core/guards.h"
#include "core/numberformat.h"
#include "core/preciptype.h"
#include "core/shared.h"
#include "panels/indexscale.h"
#include "panels/overlayloop.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr Color kName = RGB(255, 0, 0);
constexpr Color kValue = RGB(255, 127, 0);
constexpr Color kThreshold = RGB(255, 255, 255);
constexpr Color kQuartileBox = RGB(255, 255, 255);
// The panel's scale: x from -50 (names) over the bar 0..100, y rows downwards.
constexpr double kLeft = -50, kRight = 100, kTop = 0, kBottom = 32;
constexpr double kRowStep = 1.5;
constexpr double kCircleRadius = 1.8;

// The TQ index of a dataset is computed on its first use.
Single TQIndexOf(Integer D, Integer H) {
  if (!gTQIndexDone(D)) {
    const CurrentDatasetGuard own(D);
    ComputeTQIndex();
  }
  return gTQIndex(D, H);
}

template <auto Field>
Single Series(Integer D, Integer H) {
  return Field(D, H);
}

// One row of the panel: its eight-character name, the series it shows, the
// format of the value and the row of the thresholds it is judged by.
struct PanelRow {
  const char* label;
  Single (*value)(Integer D, Integer H);
  const char* format;
  int threshold;
};

// The rows in panel order; a separator band follows the 12th and the 16th.
constexpr std::array<PanelRow, 18> kRows = {{
    {"   CAPE ", Series<gCape>, "0", kRowCape},
    {"   CINS ", Series<gCins>, "0", kRowCins},
    {" HELCTY ", Series<gSfcHelicity>, "0", kRowHelicity},
    {"    EHI ", Series<gEhi>, "0.00", kRowEhi},
    {"    BRN ", Series<gBrch>, "0.00", kRowBulkRichardson},
    {"  NCAPE ", Series<gNormCape>, "0.00", kRowNormalizedCape},
    {"     LI ", Series<gLift>, "#,##0", kRowLiftedIndex},
    {"     TT ", Series<gTotals>, "#,##0", kRowTotalTotals},
    {"     TQ ", TQIndexOf, "#,##0", kRowTQ},
    {" K Indx ", Series<gKIndex>, "#,##0", kRowKIndex},
    {" Shwltr ", Series<gShow>, "#,##0", kRowShowalter},
    {"  SWEAT ", Series<gSweat>, "#,##0", kRowSweat},
    {"   EqLv ", Series<gEqlvHgtAGL>, "#,##0", kRowEquilibriumLevel},
    {"    WBZ ", Series<gWbzHgtAGL>, "#,##0", kRowWetBulbZero},
    {"    LFC ", Series<gLfcHgtAGL>, "#,##0", kRowLfc},
    {"    LCL ", Series<gLclHgtAGL>, "#,##0", kRowLcl},
    {"     PW ", Series<gPwat>, "0.00", kRowPrecipWater},
    {" Precip ", Series<gPrecip>, "0.000", kRowPrecipitation},
}};
constexpr size_t kBandAfter[] = {11, 15};

}  // namespace

Color ThirdColor(IndexThird t) {
  switch (t) {
    case IndexThird::None: return RGB(0, 0, 0);
    case IndexThird::First: return RGB(0, 255, 0);
    case IndexThird::Second: return RGB(255, 255, 0);
    case IndexThird::Last: return RGB(255, 0, 0);
  }
  return RGB(0, 0, 0);
}

std::string FormatIndexValue(double v, const std::string& format) {
  if (!std::isfinite(v)) return "";
  char buf[64];
  if (format == "#,##0") {
    const long long n = std::llround(v);
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
    return (n < 0 ? "-" : "") + digits;
  }
  const std::size_t dot = format.find('.');
  const int decimals = dot == std::string::npos ? 0 : static_cast<int>(format.size() - dot - 1);
  const double scale = std::pow(10.0, decimals);
  double r = std::round(v * scale) / scale;
  if (r == 0) r = 0;  // no "-0"
  std::snprintf(buf, sizeof buf, "%.*f", decimals, r);
  return buf;
}

void PlotBar(PictureBox& picMBE, Single v, int row) {
  const IndexPosition p = RisingIndexToX(v, row);
  if (p.third == IndexThird::None) return;
  const Color c = ThirdColor(p.third);
  picMBE.FillColor = c;
  picMBE.Box(0, row - 1.9, p.x, row - 1.2, c, true);
}

IndicesPanel::IndicesPanel(PanelHost& host, QWidget* parent)
    : PicturePanel(host, parent, "picIndices"), pnlIndices_(new QFrame(parent)) {
  pnlIndices_->setObjectName("pnlIndices");
  chkIndcyBar_ = new CheckBox("Indicy Bar", pnlIndices_);
  chkIndcyBar_->setObjectName("chkIndcyBar");
  chkIndcyCircle_ = new CheckBox("Indicy Circle", pnlIndices_);
  chkIndcyCircle_->setObjectName("chkIndcyCircle");
  chkIndicyBox_ = new CheckBox("Quartile Box", pnlIndices_);
  chkIndicyBox_->setObjectName("chkIndicyBox");
  // Three boxes share the bar's width.
  auto* row = new QHBoxLayout(pnlIndices_);
  row->setContentsMargins(2, 0, 0, 0);
  row->setSpacing(0);
  for (CheckBox* b : {chkIndcyBar_, chkIndcyCircle_, chkIndicyBox_}) {
    QFont f = b->font();
    f.setPointSizeF(7);
    b->setFont(f);
    b->setFocusPolicy(Qt::TabFocus);
    row->addWidget(b);
  }
  chkIndcyBar_->SetValue(1);
  chkIndcyBar_->onClick = [this] { chkIndcyBar_Click(); };
  chkIndcyCircle_->onClick = [this] { chkIndcyCircle_Click(); };
  chkIndicyBox_->onClick = [this] { chkIndicyBox_Click(); };
  // A picture shown for the first time or resized is cleared: draw again.
  Picture()->onResize = [this] { PrintIndices(); };
  Pic().BackColor = kBlack;
  Pic().FontName = "Courier New";
  Pic().FontBold = true;
  Pic().FontSize = 7;
}

QWidget* IndicesPanel::ButtonBar() { return pnlIndices_; }

void IndicesPanel::Capture(PanelSettings& into) const {
  into.chkIndcyBar = chkIndcyBar_->Value();
  into.chkIndcyCircle = chkIndcyCircle_->Value();
  into.chkIndicyBox = chkIndicyBox_->Value();
}

void IndicesPanel::Apply(const PanelSettings& from) {
  const LoadingStateGuard quiet;
  chkIndcyBar_->SetValue(from.chkIndcyBar);
  chkIndcyCircle_->SetValue(from.chkIndcyCircle);
  chkIndicyBox_->SetValue(from.chkIndicyBox);
}

void IndicesPanel::BoxClicked() {
  if (gLoadingState) return;
  PrintIndices();
  host_.FocusHourBar();
}

void IndicesPanel::PrintIndices() {
  if (gLoadingState) return;
  PictureBox& pic = Pic();
  pic.Cls();
  const Integer D = gCurDataset;
  const Integer H = host_.Hour();
  if (D < 1 || D > gDatasetCount || H < 0 || H > gLastHour(D)) {
    Update();
    return;
  }
  pic.Scale(kLeft, kTop, kRight, kBottom);
  const QColor face = Picture()->palette().color(QPalette::Button);
  const Color band = RGB(face.red(), face.green(), face.blue());
  const auto separator = [&](double& y) {
    pic.Box(kLeft, y + 0.4, kRight, y + 0.6, band, true);
    y += kRowStep;
  };
  double y = 0.5;
  for (size_t i = 0; i < kRows.size(); ++i) {
    IndexPrintLabels(y, static_cast<int>(i), D);
    if (i == kBandAfter[0] || i == kBandAfter[1]) separator(y);
  }
  pic.Mode = DrawMode::CopyPen;
  Update();
}

void IndicesPanel::IndexPrintLabels(double& y, int rowIndex, Integer shown) {
  const PanelRow& row = kRows[static_cast<size_t>(rowIndex)];
  PictureBox& pic = Pic();
  const Integer H = host_.Hour();
  const Single v = row.value(shown, H);
  pic.Mode = DrawMode::CopyPen;
  pic.FontTransparent = true;
  pic.CurrentX = kLeft;
  pic.CurrentY = y;
  pic.ForeColor = kName;
  pic.Print(row.label, false);
  pic.ForeColor = kValue;
  pic.Print(FormatIndexValue(v, row.format), false);

  // The bar first, then the thresholds at the ends of the first and second
  // thirds over it, each number whole: black on the bar, white beside it,
  // and white edged in black where the bar ends under it.
  double barEnd = 0;
  if (chkIndcyBar_->Value() != 0) {
    const IndexPosition p = IndexToX(v, row.threshold);
    const Color c = ThirdColor(p.third);
    pic.FillColor = c;
    if (p.x > 0) {
      pic.Box(0, y + 0.1, p.x, y + 0.8, c, true);
      barEnd = p.x;
    }
  }
  Single a, b;
  ShownThresholds(v, row.threshold, a, b);
  for (const auto& [t, at] : {std::pair{a, kFirstThirdEnd}, std::pair{b, kSecondThirdEnd}}) {
    const std::string text = NumberItem(t);  // as a number item prints: " 700 ", " .5 "
    const std::string digits = text.substr(0, text.size() - 1);  // without the trailing blank
    const double left = at - pic.TextWidth(digits) / 2;
    const double inkLeft = left + pic.TextWidth(digits.substr(0, digits.find_first_not_of(' ')));
    const double inkRight = left + pic.TextWidth(digits);
    pic.CurrentX = left;
    pic.CurrentY = y;
    pic.ForeColor = inkRight <= barEnd ? kBlack : kThreshold;
    if (inkLeft < barEnd && inkRight > barEnd) pic.TextOutline = kBlack;
    pic.Print(text, false);
    pic.TextOutline.reset();
  }

  if (chkIndcyCircle_->Value() != 0) {
    pic.Mode = DrawMode::CopyPen;
    pic.Style = DrawStyle::Solid;
    pic.FillTransparent = false;
    ForEachShownDataset(shown, H, [&](Integer D) {
      const Single x = IndexToX(row.value(D, H), row.threshold).x;
      pic.FillColor = x < kFirstThirdEnd   ? eRGB(shown, 0, 255, 0)
                      : x < kSecondThirdEnd ? eRGB(shown, 255, 255, 0)
                                            : eRGB(shown, 255, 0, 0);
      if (x > 0) pic.Circle(x, y + 0.44, kCircleRadius, eRGB(shown, 127, 127, 127));
    });
    pic.FillTransparent = true;
  }

  if (chkIndicyBox_->Value() != 0 && gDatasetCount > 1) {
    std::array<Single, kMaxDatasets> values{};
    Integer n = 0;
    for (Integer D = 1; D <= std::min<Integer>(gDatasetCount, kMaxDatasets); ++D)
      if (gDatasetShown(D) && H <= gLastHour(D)) values[static_cast<size_t>(n++)] = row.value(D, H);
    if (n > 0) {
      Single lower, upper;
      Quartiles(values, n, lower, upper);
      const Single xL = IndexToX(lower, row.threshold).x;
      const Single xU = IndexToX(upper, row.threshold).x;
      const bool falling = gIndexThresholds(row.threshold, 0) >= gIndexThresholds(row.threshold, 1);
      if (falling ? xU > 0 : xL > 0) {
        pic.FillTransparent = true;
        pic.Box(xL, y - 0.1, xU, y + 1.0, kQuartileBox, false);
      }
    }
  }
  y += kRowStep;
}

}  // namespace ondrik
