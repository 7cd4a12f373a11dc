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
Color JetColour(bool uncertain) { return uncertain ? RGB(0, 128, 0) : RGB(0, 255, 0); }
constexpr Color kGrid = RGB(128, 128, 128);
constexpr double kArrowHead = 4;  // units of the diagram
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
  // the gauges and the vectors over it; the texts last, each on black that
  // keeps what lies under it a pixel clear of its strokes (a long vector
  // may reach any of them).
  DrawGrid(pic);
  FillDevicePixels(pic, GaugeLabelsPlace(pic), kBlack);
  UseGaugeScale(pic);
  PlotBar(pic, gPwat(D, H), kRowPrecipWaterGauge);
  if (meanRH) {
    PlotBar(pic, *meanRH, kRowMeanRH);
    PlotBar(pic, *meanRH / 100 * gPwat(D, H), kRowPWTimesRH);
  }
  PlotBar(pic, gWarmCloudDepthFt(D, H), kRowWarmCloudDepth);
  PlotBar(pic, gLLJSpd(D, H), kRowLowLevelJet);
  DrawVectors(pic, H);

  const std::vector<PlacedText> texts = PlaceTexts(pic, H, thickness);
  for (const PlacedText& t : texts) {
    UseTextScale(pic, t);
    FillGround(pic, t.x, t.y, t.text, kBlack);
  }
  for (const PlacedText& t : texts) {
    UseTextScale(pic, t);
    PrintAt(pic, t.x, t.y, t.text, t.colour, false);
  }
  UsePanelFont(pic);
  DrawGaugeLabels(pic, H);
  pic.DrawWidth = 1;
  Update();
}

void HeavyPrecipPanel::UseVectorScale(PictureBox& pic) const {
  pic.Scale(-gMBEScale, gMBEScale, gMBEScale, -gMBEScale);
}

void HeavyPrecipPanel::UseGaugeScale(PictureBox& pic) { pic.Scale(-100, -8, 100, 18); }

void HeavyPrecipPanel::UseTextScale(PictureBox& pic, const PlacedText& t) const {
  if (t.gauges)
    UseGaugeScale(pic);
  else
    UseVectorScale(pic);
  UsePanelFont(pic);
  pic.FontSize *= t.fontScale;
}

void HeavyPrecipPanel::DrawGrid(PictureBox& pic) const {
  const double s = gMBEScale;
  UseVectorScale(pic);
  pic.DrawWidth = 1;
  pic.Line(-s, 0, s, 0, kGrid);
  pic.Line(0, -s, 0, s, kGrid);
  pic.FillTransparent = true;
  for (int r : MbeRings(gMBEScale)) pic.Circle(0, 0, r, kGrid);
  // A slow MBE vector of the dataset shown: the speed it falls short of.
  const Integer D = gCurDataset, H = host_.Hour();
  const Single red = gIndexThresholds(kRowMbeSpeed, 2), yellow = gIndexThresholds(kRowMbeSpeed, 1);
  pic.DrawWidth = 2;
  if (gMbeSpd(D, H) < red)
    pic.Circle(0, 0, red, kRed);
  else if (gMbeSpd(D, H) < yellow)
    pic.Circle(0, 0, yellow, kYellow);
  pic.DrawWidth = 1;
}

std::vector<HeavyPrecipPanel::PlacedText> HeavyPrecipPanel::PlaceTexts(PictureBox& pic, Integer H,
                                                                       const std::optional<double>& thickness) const {
  const Integer D = gCurDataset;
  std::vector<PlacedText> texts;
  // The vectors' lines, one under the other from the top-left corner, the
  // last in a larger font.
  const bool uncertain = JetUncertain(D, H);
  const PlacedText lines[] = {
      {false, 1, 0, 0,
       "V cloud layer   = " + NumberItem(Nearest(gCloudLayerDir(D, H))) + "°/" +
           NumberItem(Nearest(gCloudLayerSpd(D, H))) + "kts",
       kCloudLayer},
      {false, 1, 0, 0,
       "V low-level jet = " + NumberItem(Nearest(gLLJDir(D, H))) + "°/" + NumberItem(Nearest(gLLJSpd(D, H))) +
           "kts at " + NumberItem(gLLJPres(D, H)) + (uncertain ? "mb ?" : "mb"),
       JetColour(uncertain)},
      {false, 1.5, 0, 0,
       "MBE Velocity  = " + NumberItem(Nearest(gMbeDir(D, H))) + "°/" + NumberItem(Nearest(gMbeSpd(D, H))) + "kts",
       gMbeForwardProp ? kMbeForward : kMbeUpwind}};
  double top = 0;  // pixels
  for (PlacedText t : lines) {
    UseTextScale(pic, t);
    t.x = pic.ScaleLeft();
    t.y = pic.PixelToY(top);
    top += pic.TextHeightPx(t.text);
    texts.push_back(t);
  }
  // Each ring's number where it crosses the x axis on the left; a ring
  // beyond the edge has its number out of sight.
  for (int r : MbeRings(gMBEScale))
    if (r <= gMBEScale) texts.push_back({false, 1, -static_cast<double>(r), 0, NumberItem(r), kGrid});
  // Over the gauges: the thickness at their start, the precipitable water's
  // borders between their thirds.
  UseTextScale(pic, {true, 1, 0, 0, "", kBlack});
  if (thickness) texts.push_back({true, 1, 0, 12, Format(*thickness, "###"), kYellow});
  for (const auto& [at, column] : {std::pair{kFirstThirdEnd, 1}, std::pair{kSecondThirdEnd, 2}}) {
    const std::string t = Format(gIndexThresholds(kRowPrecipWaterGauge, column), "0.00");
    texts.push_back({true, 1, at - pic.TextWidth(t) / 2, 12, t, kYellow});
  }
  return texts;
}

QRect HeavyPrecipPanel::GaugeLabelsPlace(PictureBox& pic) {
  UseGaugeScale(pic);
  UsePanelFont(pic);
  const double s = pic.DeviceScale();
  const double top = static_cast<int>(kRowPrecipWaterGauge) - 1.55 - pic.TextHeight("W") / 2;
  return {QPoint(0, static_cast<int>(std::floor(pic.YToPixel(top) * s))),
          QPoint(static_cast<int>(std::ceil(pic.XToPixel(GaugesBegin(pic)) * s)) + pic.PixelSpan() - 1,
                 pic.Image().height() - 1)};
}

double HeavyPrecipPanel::GaugesBegin(const PictureBox& pic) { return -pic.TextWidth(" "); }

void HeavyPrecipPanel::DrawVectors(PictureBox& pic, Integer H) {
  UseVectorScale(pic);
  const auto arrow = [&](double x, double y, Color c, int width, double dir) { DrawMBEArrow(pic, x, y, c, width, dir); };
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

void HeavyPrecipPanel::DrawGaugeLabels(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  const std::optional<Single> meanRH = MeanRHTo500(D, H);
  UseGaugeScale(pic);
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
  // Each label beside its bar, centred on it: the name from x -70, the
  // value ending just before the bars begin (the row moves left where the
  // two need more room). The rows move up together as far as the last one
  // needs to stand clear of the picture's bottom.
  const double barsBegin = GaugesBegin(pic);
  std::vector<std::pair<double, std::vector<RowText>>> rows;
  for (const auto& g : gauges)
    rows.push_back({g.row - 1.55 - pic.TextHeight(g.name) / 2,
                    {{-70, g.name, g.colour}, {barsBegin - pic.TextWidth(g.value), g.value, g.colour}}});
  const double up = RowYInside(pic, rows.back().first, rows.back().second, pic.ScaleLeft(), barsBegin) -
                    rows.back().first;
  for (const auto& [y, row] : rows) FillRowGround(pic, y + up, row, kBlack, pic.ScaleLeft(), barsBegin);
  for (const auto& [y, row] : rows) PrintRow(pic, y + up, row, pic.ScaleLeft(), barsBegin);
}

}  // namespace ondrik
