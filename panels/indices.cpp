#include "panels/indices.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
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
#include "platform/textplace.h"

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
  // The circles and the quartile boxes are the data: the threshold numbers
  // keep clear of them, and every text is printed last.
  TextPlacement place;
  place.Begin(pic);
  double y = 0.5;
  for (size_t i = 0; i < kRows.size(); ++i) {
    IndexPrintLabels(place, y, static_cast<int>(i), D);
    if (i == kBandAfter[0] || i == kBandAfter[1]) separator(y);
  }
  pic.Mode = DrawMode::CopyPen;
  place.PrintAll(pic);
  Update();
}

void IndicesPanel::IndexPrintLabels(TextPlacement& place, double& y, int rowIndex, Integer shown) {
  const PanelRow& row = kRows[static_cast<size_t>(rowIndex)];
  PictureBox& pic = Pic();
  const Integer H = host_.Hour();
  const Single v = row.value(shown, H);
  const bool bar = chkIndcyBar_->Value() != 0, circles = chkIndcyCircle_->Value() != 0;
  const bool quartiles = chkIndicyBox_->Value() != 0 && gDatasetCount > 1;
  pic.Mode = DrawMode::CopyPen;
  pic.FontTransparent = true;

  // In device pixels: the row's band, the digits' height and a pixel above
  // and below, holds the bar and the circles; a number on the bar lies
  // wholly on it.
  const double s = pic.DeviceScale();
  const int span = pic.PixelSpan();
  const auto column = [&](double x) { return static_cast<int>(std::floor(pic.XToPixel(x) * s + 0.5)); };
  const QRect digits = TextInk(pic, 0, y, "0123456789");
  const int bandTop = digits.top() - span, bandBottom = digits.bottom() + span;
  const int barsLeft = column(0);
  const double bandMiddle = pic.PixelToY((bandTop + bandBottom + 1) / 2.0 / s);
  const double radiusPx = kCircleRadius * pic.PixelWidth() / pic.ScaleWidth();

  // Every text of the row labels the row: it stands on it, moving along it
  // only.
  const auto text = [&](double x, const std::string& t, Color c) {
    TextPlacement::Text r = TextAt(pic, x, y, t, c);
    r.labels = TextPlacement::Labels::Row;
    r.of = QPointF(0, pic.YToPixel(bandMiddle));
    // The rows stand closer than a text line and the room the placement
    // keeps round it: the texts keep no room but their strokes.
    r.ground = TextPlacement::Ground::None;
    r.margin = 0;
    r.mayShrink = false;  // a smaller text would leave its band
    return r;
  };

  // The name and the value from the left edge, the value ending a pixel
  // short of the bars where the name's leading blanks leave it the room.
  // The value stands a blank clear of the name's strokes (a letter that
  // fills its cell, the Y of "HELCTY", would bring it closer), so that the
  // two read apart.
  const std::string value = FormatIndexValue(v, row.format);
  {
    const std::string label = row.label;
    const double lead = pic.TextWidthPx(label.substr(0, label.find_first_not_of(' ')));
    const double end = (barsLeft - 1.0 - 2 * span) / s;  // picture pixels: where the value's ink may end
    const double blank = pic.TextWidthPx(" ");
    const QRectF labelInk = pic.TextInkPx(label), valueInk = pic.TextInkPx(value);
    // How far the value's ink must begin past its advance to stand a blank
    // (and two pixels of rounding to device pixels and cells) clear of the
    // name's.
    const double apart = std::max(0.0, labelInk.right() + blank + 2 - (pic.TextWidthPx(label) + valueInk.left()));
    const double over = pic.TextWidthPx(label) + apart + valueInk.right() - end;
    TextPlacement::Text name = text(kLeft, label, kName);
    name.x -= std::clamp(over, 0.0, lead);
    TextPlacement::Text number = text(kLeft, value, kValue);
    number.x = name.x + pic.TextWidthPx(label) + apart;
    number.move = TextPlacement::Move::AlongRow;
    number.lo = number.x;
    number.hi = std::max(number.x, end - valueInk.right());
    place.Add(name);
    place.Add(number);
  }

  // The circles of the shown datasets and the quartile box's sides, where
  // they will be drawn.
  struct Circle {
    Single x;
    Color fill, outline;  // dimmed for the datasets but the shown one
  };
  std::vector<Circle> rings;
  if (circles) {
    ForEachShownDataset(shown, H, [&](Integer D) {
      const Single x = IndexToX(row.value(D, H), row.threshold).x;
      if (!(x > 0)) return;
      const Color fill = x < kFirstThirdEnd   ? eRGB(shown, 0, 255, 0)
                         : x < kSecondThirdEnd ? eRGB(shown, 255, 255, 0)
                                               : eRGB(shown, 255, 0, 0);
      rings.push_back({x, fill, eRGB(shown, 127, 127, 127)});
      place.Dot(QPointF(pic.XToPixel(x), pic.YToPixel(bandMiddle)), radiusPx + 1);
    });
  }
  std::optional<std::pair<int, int>> box;  // its left and right device columns
  if (quartiles) {
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
        box = {std::min(column(xL), column(xU)), std::max(column(xL), column(xU))};
        for (const int side : {box->first, box->second}) {
          const double x = (side + span / 2.0) / s;
          place.Segment(QPointF(x, (bandTop - span) / s), QPointF(x, (bandBottom + 1.0 + span) / s), span / s);
        }
      }
    }
  }

  // The thresholds at the ends of the first and second thirds where number
  // items put them (" 700 ", " .5 ": centred without the trailing blank),
  // their digits alone printed: black on the bar when the value has reached
  // them, else white beside it. One that stands over a circle or a side of
  // the box moves beside it, not far: along the bar towards its start when
  // on it, away from the bar's end when beside it, either way without a
  // bar; with no room there, it stands over them.
  const IndexPosition p = bar ? IndexToX(v, row.threshold) : IndexPosition{};
  struct Threshold {
    TextPlacement::Placed at;
    bool on;
  };
  std::array<Threshold, 2> numbers{};
  Single a, b;
  ShownThresholds(v, row.threshold, a, b);
  // Each number keeps its order: the first never passes the second's own
  // place, the second never the first where it went; and neither leaves the
  // bar's room, nor, where the value has reached it, the bar.
  std::array<TextPlacement::Text, 2> texts;
  std::array<bool, 2> reached{};
  for (const auto& [i, t, at] : {std::tuple{0, a, kFirstThirdEnd}, std::tuple{1, b, kSecondThirdEnd}}) {
    const std::string item = NumberItem(t);
    const std::size_t first = item.find_first_not_of(' '), last = item.find_last_not_of(' ');
    const std::string digitsText = item.substr(first, last - first + 1);
    const double left = at - pic.TextWidth(item.substr(0, last + 1)) / 2 + pic.TextWidth(item.substr(0, first));
    const bool on = p.x > 0 && p.x >= at;
    reached[static_cast<size_t>(i)] = on;
    texts[static_cast<size_t>(i)] = text(left, digitsText, on ? kBlack : kThreshold);
  }
  const double blank = pic.TextWidthPx(" ");
  for (size_t i = 0; i < 2; ++i) {
    TextPlacement::Text& n = texts[i];
    const bool on = reached[i];
    const double width = pic.TextWidthPx(n.text);
    const double from = i == 0 ? barsLeft / s + 1 : numbers[0].at.ink.right();
    const double to = i == 0 ? texts[1].x - blank - width : pic.PixelWidth() - 2 - width;
    n.move = TextPlacement::Move::AlongRow;
    n.lo = std::min(n.x, p.x > 0 && !on ? n.x : from);
    // One the value has reached stays on the bar.
    n.hi = std::max(n.x, on ? std::min(to, column(p.x) / s - 1 - width) : to);
    place.Add(n);
    numbers[i] = {place.PlaceNow(), on};
  }
  const auto clear = [&](const Threshold& t) {
    const QRectF r = t.at.ink.adjusted(-1, -1, 1, 1);
    return QRect(QPoint(static_cast<int>(std::floor(r.left() * s)), bandTop),
                 QPoint(static_cast<int>(std::ceil(r.right() * s)) - 1, bandBottom));
  };

  // The bar. One that would end inside a number ends beside it instead:
  // past it when the value has reached the number's threshold, short of it
  // when not; the number then lies wholly on the bar or stands beside it.
  if (p.x > 0) {
    int barEnd = std::max(barsLeft + span, column(p.x));  // the first column past the bar
    for (const Threshold& n : numbers) {
      const QRect c = clear(n);
      if (c.left() < barEnd && barEnd <= c.right()) barEnd = n.on ? c.right() + 1 : c.left();
    }
    if (barEnd > barsLeft)
      FillDevicePixels(pic, QRect(QPoint(barsLeft, bandTop), QPoint(barEnd - 1, bandBottom)), ThirdColor(p.third));
  }

  const DataMarksGuard data(pic, &place);
  // The circles.
  if (!rings.empty()) {
    pic.Style = DrawStyle::Solid;
    pic.FillTransparent = false;
    for (const Circle& c : rings) {
      pic.FillColor = c.fill;
      pic.Circle(c.x, bandMiddle, kCircleRadius, c.outline);
    }
    pic.FillTransparent = true;
  }
  // The quartile box round the band.
  if (box) {
    const auto [left, right] = *box;
    const int top = bandTop - span, bottom = bandBottom + 1;
    FillDevicePixels(pic, QRect(QPoint(left, top), QPoint(right + span - 1, top + span - 1)), kQuartileBox);
    FillDevicePixels(pic, QRect(QPoint(left, bottom), QPoint(right + span - 1, bottom + span - 1)), kQuartileBox);
    for (const int side : {left, right})
      FillDevicePixels(pic, QRect(QPoint(side, top), QPoint(side + span - 1, bottom + span - 1)), kQuartileBox);
  }
  y += kRowStep;
}

}  // namespace ondrik
