#include "panels/heavyprecip.h"

#include <QFrame>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <cmath>

#include "core/constants.h"
#include "core/derived.h"
#include "core/guards.h"
#include "core/mbe.h"
#include "core/preciptype.h"
#include "panels/indexscale.h"
#include "panels/indices.h"
#include "core/numberformat.h"
#include "panels/heavypreciprules.h"
#include "panels/overlayloop.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

// The vectors of the diagram, in the colours the texts that give their
// numbers (and the chart's jet mark) wear too: each reads its colour here.
constexpr Color kCloudLayer = RGB(0, 255, 255);
constexpr Color kMbeUpwind = RGB(255, 255, 0);   // the MBE vector without forward propagation
constexpr Color kMbeForward = RGB(255, 0, 0);    // the forward-propagation MBE vector
// An uncertain jet in a darker green than a certain one, light enough that
// its texts read on black as well as the others (the dark green RGB(0, 128,
// 0) of old does not).
Color JetColour(bool uncertain) { return uncertain ? RGB(0, 176, 0) : RGB(0, 255, 0); }
constexpr Color kGrid = RGB(128, 128, 128);
constexpr double kArrowHead = 4;  // units of the diagram
// The MBE's line is larger than the others (12 points to their 8).
constexpr double kMbeLineScale = 1.5;
constexpr int kVectorLinesBlock = 1;  // the vectors' lines move as one
constexpr int kSlowCircleWidth = 2;
// The zoom stays within these half-widths (kt).
constexpr Single kMinScale = 1, kMaxScale = 10000;

bool JetUncertain(Integer d, Integer h) { return gLLJUncertain(d, h) != 0; }

// A number as the whole number nearest to it (Int(v + 0.5)).
long Nearest(double v) { return static_cast<long>(std::floor(v + 0.5)); }

}  // namespace

void DrawMBEArrow(PictureBox& pic, double x, double y, Color c, int width, double dir) {
  pic.DrawWidth = width;
  pic.LineTo(x, y, c);
  for (double b : {dir + 30, dir - 30}) {
    const double a = (450 - b) * kRadPerDegRounded;
    pic.Line(x, y, x + kArrowHead * std::cos(a), y + kArrowHead * std::sin(a), c);
  }
  pic.CurrentX = x;
  pic.CurrentY = y;
}

HeavyPrecipPanel::HeavyPrecipPanel(PanelHost& host, QWidget* parent)
    : PicturePanel(host, parent, "picMBE"),
      bar_(new QFrame(parent)),
      btnSelectInflow_(new QPushButton("Select Inflow", bar_)),
      chkMBE2_(new CheckBox("Frwd Prop", bar_)) {
  bar_->setObjectName("pnlMBE");
  btnSelectInflow_->setObjectName("btnSelectInflow");
  btnSelectInflow_->setFocusPolicy(Qt::TabFocus);
  btnSelectInflow_->setGeometry(0, 0, 80, 20);
  chkMBE2_->setObjectName("chkMBE2");
  chkMBE2_->setFocusPolicy(Qt::TabFocus);
  chkMBE2_->setGeometry(86, 1, 90, 18);
  chkMBE2_->SetValue(gMbeForwardProp ? 1 : 0);
  QObject::connect(btnSelectInflow_, &QPushButton::clicked, btnSelectInflow_,
                   [this] { btnSelectInflow_Click(); });
  chkMBE2_->onClick = [this] { chkMBE2_Click(); };
  Picture()->onMouseUp = [this](int button, int, double, double) { picMBE_MouseUp(button); };
}

QWidget* HeavyPrecipPanel::ButtonBar() { return bar_; }

void HeavyPrecipPanel::Shown(bool visible) {
  // The selection belongs to the panel on the screen.
  if (!visible && InflowSelectMode) btnSelectInflow_Click();
}

void HeavyPrecipPanel::btnSelectInflow_Click() {
  InflowSelectMode = !InflowSelectMode;
  // The face colour through the palette: a style sheet would leave the
  // caption in another font once it is taken away.
  QPalette p = btnSelectInflow_->palette();
  p.setColor(QPalette::Button, InflowSelectMode ? QColor(255, 255, 0) : bar_->palette().color(QPalette::Button));
  btnSelectInflow_->setPalette(p);
  host_.FocusHourBar();
}

void HeavyPrecipPanel::chkMBE2_Click() {
  gMbeForwardProp = chkMBE2_->Value() != 0;
  // Every dataset the panel overlays is drawn in the new sense.
  for (Integer d = 1; d <= std::min(gDatasetCount, kMaxDatasets); ++d)
    for (Integer h = 0; h <= std::min(gLastHour(d), kMaxHours - 1); ++h) gMbeDone(d, h) = 0;
  Draw();
}

void HeavyPrecipPanel::picMBE_MouseUp(int button) {
  host_.OpenTrainingLinks("Heavy Precip");
  gMBEScale = std::clamp(button == 1 ? gMBEScale / 1.2F : gMBEScale * 1.2F, kMinScale, kMaxScale);
  Draw();
}

void HeavyPrecipPanel::CursorLevel(Integer D, Integer H, Integer L) {
  if (!InflowSelectMode) return;
  ComputeMBEVectors(D, H, L);  // L as the inflow (jet) level
  Draw();
}

bool HeavyPrecipPanel::TakeChartClick() {
  if (!InflowSelectMode) return false;
  btnSelectInflow_Click();  // the click ends the selection and does not zoom
  return true;
}

ChartMarks HeavyPrecipPanel::MarksFor(Integer D, Integer H) { return LowLevelJetMark(D, H); }

ChartMarks LowLevelJetMark(Integer D, Integer H) {
  ChartMarks m;
  if (gMbeDone(D, H) != -1) ComputeMBEVectors(D, H, 0);
  m.labelPres = gLLJPres(D, H);
  const bool uncertain = JetUncertain(D, H);
  m.label = uncertain ? "LL?" : "LLJ";
  m.labelColor = JetColour(uncertain);
  return m;
}

void HeavyPrecipPanel::Draw() {
  const Integer H = host_.Hour();
  if (!PanelCanDraw(H)) return;
  PictureBox& pic = Pic();
  const Integer D = gCurDataset;
  pic.BackColor = kBlack;
  pic.Cls();
  UsePanelFont(pic);
  pic.Mode = DrawMode::CopyPen;
  pic.Style = DrawStyle::Solid;
  pic.FontTransparent = true;
  pic.FillTransparent = true;

  // The vectors first: the jet gauge reads them.
  if (gMbeDone(D, H) != -1) ComputeMBEVectors(D, H, 0);
  ComputeOnce(gWarmCloudDepthDone(D), ComputeWarmCloudDepth);
  ComputeOnce(ThicknessDone(D), MakeThickness);
  const std::optional<Single> meanRH = MeanRHTo500(D, H);
  const std::optional<double> thickness = Thickness1000To500Dam(D, H);
  if (thickness) SetThicknessThresholds(*thickness);

  // The diagram's grid under everything, kept clear of the gauges' labels;
  // the gauges and the vectors, the data, over it; the texts last, each
  // placed clear of the data on black that hides only the grid.
  DrawGrid(pic);
  FillDevicePixels(pic, GaugeLabelsPlace(pic), kBlack);
  TextPlacement place;
  place.Begin(pic);
  {
    const DataMarksGuard data(pic, &place);
    UseGaugeScale(pic);
    PlotBar(pic, gPwat(D, H), kRowPrecipWaterGauge);
    if (meanRH) {
      PlotBar(pic, *meanRH, kRowMeanRH);
      PlotBar(pic, *meanRH / 100 * gPwat(D, H), kRowPWTimesRH);
    }
    PlotBar(pic, gWarmCloudDepthFt(D, H), kRowWarmCloudDepth);
    PlotBar(pic, gLLJSpd(D, H), kRowLowLevelJet);
    DrawVectors(pic, H);
  }

  PlaceTexts(pic, place, H, thickness);
  place.PrintAll(pic);
  // The circle of a slow MBE vector over the rings' numbers, which keep
  // clear of it.
  if (const std::optional<SlowCircle> slow = SlowMbeCircle()) {
    UseVectorScale(pic);
    pic.FillTransparent = true;
    pic.DrawWidth = kSlowCircleWidth;
    const DataMarksGuard data(pic, &place);
    pic.Circle(0, 0, slow->radius, slow->colour);
    pic.DrawWidth = 1;
  }
  PrintGaugeLabels(pic, H);
  UsePanelFont(pic);
  pic.DrawWidth = 1;
  Update();
}

void HeavyPrecipPanel::UseVectorScale(PictureBox& pic) const {
  pic.Scale(-gMBEScale, gMBEScale, gMBEScale, -gMBEScale);
}

void HeavyPrecipPanel::UseGaugeScale(PictureBox& pic) { pic.Scale(-100, -8, 100, 18); }

void HeavyPrecipPanel::DrawGrid(PictureBox& pic) const {
  const double s = gMBEScale;
  UseVectorScale(pic);
  pic.DrawWidth = 1;
  pic.Line(-s, 0, s, 0, kGrid);
  pic.Line(0, -s, 0, s, kGrid);
  pic.FillTransparent = true;
  for (int r : MbeRings(gMBEScale)) pic.Circle(0, 0, r, kGrid);
}

std::optional<HeavyPrecipPanel::SlowCircle> HeavyPrecipPanel::SlowMbeCircle() const {
  // A slow MBE vector of the dataset shown: the speed it falls short of.
  const Integer D = gCurDataset, H = host_.Hour();
  const Single red = gIndexThresholds(kRowMbeSpeed, 2), yellow = gIndexThresholds(kRowMbeSpeed, 1);
  if (gMbeSpd(D, H) < red) return SlowCircle{red, kRed};
  if (gMbeSpd(D, H) < yellow) return SlowCircle{yellow, kYellow};
  return std::nullopt;
}

void HeavyPrecipPanel::PlaceTexts(PictureBox& pic, TextPlacement& place, Integer H,
                                  const std::optional<double>& thickness) const {
  const Integer D = gCurDataset;
  using Move = TextPlacement::Move;
  UseVectorScale(pic);
  // Each ring's number where it crosses the x axis on the left, or near,
  // clear of the circle of a slow MBE vector, drawn over them; a ring beyond
  // the edge has its number out of sight.
  if (const std::optional<SlowCircle> slow = SlowMbeCircle()) {
    const double rx = std::fabs(pic.XToPixel(slow->radius) - pic.XToPixel(0));
    const double ry = std::fabs(pic.YToPixel(slow->radius) - pic.YToPixel(0));
    place.Ellipse(QPointF(pic.XToPixel(0), pic.YToPixel(0)), rx, ry, kSlowCircleWidth);
  }
  UsePanelFont(pic);
  for (int r : MbeRings(gMBEScale)) {
    if (r > gMBEScale) continue;
    TextPlacement::Text t = TextAt(pic, -static_cast<double>(r), 0, NumberItem(r), kGrid);
    t.move = Move::Nearest;
    t.reach = BlockLinePx(pic);
    place.Add(t);
  }
  // The vectors' lines, one under the other from the top-left corner, the
  // last in a larger font: one block, which moves as a whole, each line in
  // its own size, clear of the vectors within the top of the picture: along
  // it, or down by as much as two of its lines.
  const bool uncertain = JetUncertain(D, H);
  const struct {
    double fontScale;
    std::string text;
    Color colour;
  } lines[] = {{1,
                "V cloud layer   = " + NumberItem(Nearest(gCloudLayerDir(D, H))) + "°/" +
                    NumberItem(Nearest(gCloudLayerSpd(D, H))) + "kts",
                kCloudLayer},
               {1,
                "V low-level jet = " + NumberItem(Nearest(gLLJDir(D, H))) + "°/" + NumberItem(Nearest(gLLJSpd(D, H))) +
                    "kts at " + NumberItem(gLLJPres(D, H)) + (uncertain ? "mb ?" : "mb"),
                JetColour(uncertain)},
               {kMbeLineScale,
                "MBE Velocity  = " + NumberItem(Nearest(gMbeDir(D, H))) + "°/" + NumberItem(Nearest(gMbeSpd(D, H))) +
                    "kts",
                gMbeForwardProp ? kMbeForward : kMbeUpwind}};
  // Its own place a pixel in from the top-left corner (on whole device
  // pixels), where its strokes ask.
  const double s = pic.DeviceScale();
  double left = 0, top = 0;  // pixels
  for (const auto& l : lines) {
    UsePanelFont(pic);
    pic.FontSize *= l.fontScale;
    left = std::max(left, 1 - pic.TextInkPx(l.text).left());
    if (&l == &lines[0]) top = std::max(0.0, 1 - pic.TextInkPx(l.text).top());
  }
  left = std::ceil(left * s - 1e-9) / s;
  std::vector<TextPlacement::Text> block;
  for (const auto& l : lines) {
    UsePanelFont(pic);
    pic.FontSize *= l.fontScale;
    top = std::ceil(top * s - 1e-9) / s;
    TextPlacement::Text t = TextAt(pic, pic.PixelToX(left), pic.PixelToY(top), l.text, l.colour);
    t.together = kVectorLinesBlock;
    block.push_back(t);
    top += BlockLinePx(pic);
  }
  UsePanelFont(pic);
  const QRectF band(1, 1, pic.PixelWidth() - 2, top + 2 * BlockLinePx(pic));
  for (TextPlacement::Text& t : block) {
    t.move = Move::Region;
    t.region = band;
    place.Add(t);
  }
  UsePanelFont(pic);
  // Over the gauges: the thickness at their start, the precipitable water's
  // borders between their thirds, each near its place.
  UseGaugeScale(pic);
  std::vector<std::pair<double, std::string>> over;
  if (thickness) over.emplace_back(0, Format(*thickness, "###"));
  for (const auto& [at, column] : {std::pair{kFirstThirdEnd, 1}, std::pair{kSecondThirdEnd, 2}}) {
    const std::string t = Format(gIndexThresholds(kRowPrecipWaterGauge, column), "0.00");
    over.emplace_back(at - pic.TextWidth(t) / 2, t);
  }
  for (const auto& [x, text] : over) {
    TextPlacement::Text t = TextAt(pic, x, 12, text, kYellow);
    t.move = Move::Nearest;
    t.reach = pic.TextWidthPx(text);
    place.Add(t);
  }
}

QRect HeavyPrecipPanel::GaugeLabelsPlace(PictureBox& pic) {
  UseGaugeScale(pic);
  UsePanelFont(pic);
  const double s = pic.DeviceScale();
  const double top = static_cast<int>(kRowPrecipWaterGauge) - 1.55 - pic.TextHeight("W") / 2;
  return {QPoint(0, static_cast<int>(std::floor((pic.YToPixel(top) - GaugeLabelsUpPx(pic)) * s))),
          QPoint(static_cast<int>(std::ceil(pic.XToPixel(GaugesBegin(pic)) * s)) + pic.PixelSpan() - 1,
                 pic.Image().height() - 1)};
}

double HeavyPrecipPanel::GaugesBegin(const PictureBox& pic) { return -pic.TextWidth(" "); }

double HeavyPrecipPanel::GaugeLabelsUpPx(PictureBox& pic) {
  UseGaugeScale(pic);
  UsePanelFont(pic);
  // The last row's strokes (its name, and its value's digits) a pixel
  // inside the picture's bottom, in whole device pixels.
  const double top = pic.YToPixel(static_cast<int>(kRowLowLevelJet) - 1.55 - pic.TextHeight("W") / 2);
  const double over = top + pic.TextInkPx("Low Lvl Jet ? 99 kts").bottom() - (pic.PixelHeight() - 2.0);
  return std::max(0.0, std::ceil(over * pic.DeviceScale()) / pic.DeviceScale());
}

void HeavyPrecipPanel::DrawVectors(PictureBox& pic, Integer H) {
  UseVectorScale(pic);
  // Each drawn and its lines kept, in pixels, for the gauges' labels, which
  // keep clear of them row by row (their rows stand closer than a text
  // line and its room).
  vectorsPx_.clear();
  const auto arrow = [&](double x, double y, Color c, int width, double dir) {
    const QPointF from(pic.XToPixel(pic.CurrentX), pic.YToPixel(pic.CurrentY)), tip(pic.XToPixel(x), pic.YToPixel(y));
    DrawMBEArrow(pic, x, y, c, width, dir);
    vectorsPx_.push_back({from, tip, static_cast<double>(width)});
    for (double b : {dir + 30, dir - 30}) {
      const double h = (450 - b) * kRadPerDegRounded;
      vectorsPx_.push_back({tip, QPointF(pic.XToPixel(x + kArrowHead * std::cos(h)), pic.YToPixel(y + kArrowHead * std::sin(h))),
                            static_cast<double>(width)});
    }
  };
  ShownDataset = gCurDataset;
  const bool forward = gMbeForwardProp;
  ForEachShownDataset(ShownDataset, H, [&](Integer d) {
    if (gMbeDone(d, H) != -1) ComputeMBEVectors(d, H, 0);
    pic.DrawWidth = 2;
    const double cu = gCloudLayerU(d, H), cv = gCloudLayerV(d, H);
    const Color jet = eRGB(ShownDataset, JetColour(JetUncertain(d, H)));
    pic.CurrentX = 0;
    pic.CurrentY = 0;
    arrow(cu, cv, eRGB(ShownDataset, kCloudLayer), 2, gCloudLayerDir(d, H));
    if (forward) {
      arrow(gMbeUpwindU(d, H), gMbeUpwindV(d, H), jet, 2, gLLJDir(d, H) - 180);
      pic.CurrentX = 0;
      pic.CurrentY = 0;
      arrow(gMbeUpwindU(d, H), gMbeUpwindV(d, H), eRGB(ShownDataset, kMbeUpwind), 2, gMbeUpwindDir(d, H));
      pic.CurrentX = cu;
      pic.CurrentY = cv;
      arrow(gMbeU(d, H), gMbeV(d, H), eRGB(ShownDataset, 255, 255, 255), 2, gMbeUpwindDir(d, H));
      pic.CurrentX = 0;
      pic.CurrentY = 0;
      arrow(gMbeU(d, H), gMbeV(d, H), eRGB(ShownDataset, kMbeForward), 4, gMbeDir(d, H));
    } else {
      arrow(gMbeU(d, H), gMbeV(d, H), jet, 2, gLLJDir(d, H) - 180);
      pic.CurrentX = 0;
      pic.CurrentY = 0;
      arrow(gMbeU(d, H), gMbeV(d, H), eRGB(ShownDataset, kMbeUpwind), 3, gMbeDir(d, H));
    }
  });
}

void HeavyPrecipPanel::PrintGaugeLabels(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  const std::optional<Single> meanRH = MeanRHTo500(D, H);
  UseGaugeScale(pic);
  UsePanelFont(pic);
  const bool uncertain = JetUncertain(D, H);
  const struct {
    int row;
    std::string name, value;
    Color colour;
  } gauges[] = {
      {kRowPrecipWaterGauge, "Pcp Water", Format(gPwat(D, H), "0.00") + " in", kGreen},
      {kRowMeanRH, "Mean RH", (meanRH ? Format(*meanRH, "0") : std::string("--")) + " %", kGreen},
      {kRowPWTimesRH, "PW*RH", meanRH ? Format(*meanRH / 100 * gPwat(D, H), "0.00") : std::string("--"), kGreen},
      {kRowWarmCloudDepth, "Warm Cloud", Format(gWarmCloudDepthFt(D, H), "##,##0") + " ft", kGreen},
      {kRowLowLevelJet, uncertain ? "Low Lvl Jet ?" : "Low Lvl Jet", Format(gLLJSpd(D, H), "0") + " kts",
       JetColour(uncertain)},
  };
  // Each label beside its bar, centred on it: the name from x -70 (further
  // left where the two need the room), the value ending just before the
  // bars begin; each along its row clear of the vectors, the value between
  // the name and the bars.
  const double barsBegin = pic.XToPixel(GaugesBegin(pic));
  const double up = GaugeLabelsUpPx(pic);
  for (const auto& g : gauges) {
    TextPlacement place;
    place.Begin(pic);
    for (const auto& [a, b, width] : vectorsPx_) place.Segment(a, b, width);
    const double y = pic.PixelToY(pic.YToPixel(g.row - 1.55 - pic.TextHeight(g.name) / 2) - up);
    TextPlacement::Text name = TextAt(pic, -70, y, g.name, g.colour);
    // The two a blank apart, strokes to strokes, and a device pixel or two
    // of rounding.
    const double apart = 2 + 2 / pic.DeviceScale();
    name.x = std::max(1.0, std::min(name.x, barsBegin - pic.TextWidthPx(g.name + " " + g.value) - apart));
    name.move = TextPlacement::Move::AlongRow;
    name.lo = 1;
    name.hi = name.x;
    // The gauges' rows are closer than a text line and its room: on the
    // black laid under them, a text's strokes alone.
    name.margin = 0;
    name.ground = TextPlacement::Ground::None;
    place.Add(name);
    const TextPlacement::Placed at = place.PlaceNow();
    TextPlacement::Text value = TextAt(pic, 0, y, g.value, g.colour);
    value.x = barsBegin - pic.TextWidthPx(g.value);
    value.move = TextPlacement::Move::AlongRow;
    value.lo = std::max(at.at.x() + pic.TextWidthPx(g.name + " "),
                        at.ink.right() + pic.TextWidthPx(" ") + 1 - pic.TextInkPx(g.value).left());
    value.hi = value.x;
    value.margin = 0;
    value.ground = TextPlacement::Ground::None;
    place.Add(value);
    place.PrintAll(pic);
  }
}

}  // namespace ondrik
