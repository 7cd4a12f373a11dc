#include "panels/hodograph.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

#include "chart/chart.h"
#include "core/parcels.h"
#include "core/shear.h"
#include "panels/picturepanel.h"
#include "platform/textplace.h"
#include "panels/indices.h"
#include "panels/overlayloop.h"
#include "panels/panelwidgets.h"
#include "core/thresholds.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr Color kGrey = RGB(128, 128, 128);
// What the motion labels give the numbers of, in the colours the plane
// draws them in: each label reads its colour here, as the drawing does.
constexpr Color kMeanWindMark = RGB(255, 0, 255);  // "M"
constexpr Color kMoverMark = RGB(0, 255, 0);       // "L" and "R"
constexpr Color kStormMark = RGB(255, 128, 0);     // the storm motion's cross
// The storm-relative inflow at the top and at the surface: a blue light
// enough that its numbers read on the black plane.
constexpr Color kInflowLine = RGB(30, 144, 255);
// A motion relative to the boundary: green when the boundary outruns it,
// red when it overtakes the boundary.
Color RelativeMotionColour(const BoundaryRelative& r) { return r.speed < 0 ? kGreen : kRed; }
// The title over the two inflow labels: a caption, which no line wears.
constexpr Color kInflowTitle = RGB(0, 192, 192);
constexpr Color kHodoSegment = RGB(255, 255, 0);
constexpr Color kHodoHighlight = RGB(255, 0, 255);
constexpr double kRad = kRadPerDegRounded;
constexpr int kButtonColumn = 17;   // width of a column of layer buttons, px
constexpr int kLabelLine = 12;      // height of a motion label, px
constexpr int kLayerCapeBlock = 1;  // the lines of the layer CAPEs move as one

struct Rgb {
  int r, g, b;
};

// Colour classes of heights above ground (m): the trace, its dots and the
// layer buttons. The band from 9 to 12 km has a lighter dot at the bottom
// of the trace.
Rgb HeightRgb(double m, bool bottomDot) {
  if (m < 1000) return {255, 0, 0};
  if (m < 3000) return {255, 165, 0};
  if (m < 6000) return {255, 255, 0};
  if (m < 9000) return {0, 255, 0};
  if (m < 12000) return bottomDot ? Rgb{128, 128, 255} : Rgb{128, 0, 255};
  return {238, 130, 238};
}

// A layer button of k km has the colour of the heights just below k km.
Rgb ButtonRgb(Integer km) { return HeightRgb(km * 1000.0 - 1.0, true); }

long RoundHalfUp(double x) { return static_cast<long>(std::floor(x + 0.5)); }

std::string ShortestText(Single v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return std::string(buf, r.ptr);
}

const char* const kDeg = "\u00B0";      // degree sign of the motion labels
const char* const kOrdinal = "\u00BA";  // the inflow labels' and read-out's sign

// Moves with the left button down reach the layer button under the pointer,
// not only the one pressed.
class DragOverButtons : public QObject {
 public:
  DragOverButtons(QWidget* frame, std::function<void(QWidget*)> over) : QObject(frame), frame_(frame), over_(std::move(over)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseMove) {
      auto* m = static_cast<QMouseEvent*>(event);
      if (m->buttons() & Qt::LeftButton) {
        if (QWidget* w = frame_->childAt(frame_->mapFromGlobal(m->globalPosition().toPoint()))) over_(w);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* frame_;
  std::function<void(QWidget*)> over_;
};

// A motion label's text colour; its style is set again only when the
// colour changes, so that a redraw does not restyle it.
void SetLabelColour(QLabel* l, Color c) {
  const QColor q = ToQColor(c);
  const QString style =
      QString("QLabel { background: black; color: rgb(%1,%2,%3); font-family: Tahoma; font-size: 7pt; }")
          .arg(q.red())
          .arg(q.green())
          .arg(q.blue());
  if (l->styleSheet() != style) l->setStyleSheet(style);
}

QString ButtonStyle(const Rgb* c) {
  QString s = "QPushButton { padding: 0px; font-size: 7pt; ";
  if (c != nullptr) s += QString("background: rgb(%1,%2,%3); color: black; ").arg(c->r).arg(c->g).arg(c->b);
  return s + "}";
}

// A boundary-relative motion as its label shows it: the direction it comes
// from and its speed across the boundary.
QString MotionText(const char* title, const BoundaryRelative& r) {
  return QString::fromUtf8((title +
                            std::to_string(NearestWhole(WindDirection(static_cast<Single>(-r.u), static_cast<Single>(-r.v)))) +
                            kOrdinal + "  " + std::to_string(NearestWhole(r.speed)) + "m/s")
                               .c_str());
}

bool HourShown(Integer D, Integer H) {
  return D >= 1 && D <= std::min<Integer>(gDatasetCount, kMaxDatasets) && H >= 0 && H < kMaxHours &&
         H <= gLastHour(D);
}

// The block of the layer CAPEs at the plane's top-left corner, on a box of
// black: one block that stays there, handed over first and printed before
// the traces, which run over it.
void PlaceLayerCapes(PictureBox& pic, TextPlacement& place, double s, Integer D, Integer H) {
  const double line = BlockLinePx(pic);
  const std::vector<std::pair<int, std::string>> lines = {
      {0, "Layer CAPEs"},
      {1, ChartNumber(6) + "km " + ChartNumber(NearestWhole(gLayerCape(D, H, 6)))},
      {2, ChartNumber(5) + "km " + ChartNumber(NearestWhole(gLayerCape(D, H, 5)))},
      {3, ChartNumber(4) + "km " + ChartNumber(NearestWhole(gLayerCape(D, H, 4)))},
      {4, ChartNumber(3) + "km " + ChartNumber(NearestWhole(gLayerCape(D, H, 3)))},
      {6, "  Hail " + ChartNumber(NearestWhole(gLayerCape(D, H, 7)))}};
  // In from the corner as far as the strokes of the block ask: a pixel
  // clear of the picture's edges.
  double in = 0;
  for (const auto& [row, text] : lines) in = std::max(in, 1 - pic.TextInkPx(text).left());
  const double down = std::max(0.0, 1 - pic.TextInkPx(lines.front().second).top());
  // On whole device pixels, where the texts are printed.
  const auto device = [&](double px) { return std::ceil(px * pic.DeviceScale() - 1e-9) / pic.DeviceScale(); };
  const double x = device(pic.XToPixel(-s) + in), top = device(pic.YToPixel(s) + down);
  for (const auto& [row, text] : lines) {
    TextPlacement::Text t = TextAt(pic, pic.PixelToX(x), pic.PixelToY(device(top + row * line)), text, kGrey);
    t.together = kLayerCapeBlock;
    place.Add(t);
  }
}

// The hour's CAPE, CINS, helicity and shear and the ring numbers on the
// plane of half-width s, handed to the placement in that order: each where
// the drawing puts it, or moved along its row (a ring's number near its
// place) clear of the traces, the vectors and the marks, on a box of black
// that hides only the grid.
void PlaceHourTexts(PictureBox& pic, TextPlacement& place, double s, Integer D, Integer H) {
  const double lineHeight = BlockLinePx(pic);
  const double line = pic.PixelToY(lineHeight) - pic.PixelToY(0);  // downwards
  const double w = pic.PixelWidth();
  using Move = TextPlacement::Move;
  const auto add = [&](double x, double y, const std::string& text, Color c, Move move, double hi) {
    TextPlacement::Text t = TextAt(pic, x, y, text, c);
    t.move = move;
    t.lo = 0;
    t.hi = hi;
    t.reach = lineHeight;
    place.Add(t);
    return place.PlaceNow();
  };

  // Three lines above the bottom edge; the CINS after the CAPE when there
  // is CAPE.
  const double top = -s - 3 * line;
  const Single cape = gCape(D, H);
  const std::string capeText = "  CAPE = " + ChartNumber(RoundHalfUp(cape));
  const TextPlacement::Placed at =
      add(-s, top, capeText, ThirdColor(ThresholdClass(cape, kRowCape, false)), Move::AlongRow, w);
  if (cape > 0)
    add(pic.PixelToX(at.at.x() + pic.TextWidthPx(capeText)), top, "\\CINS = " + ChartNumber(RoundHalfUp(gCins(D, H))),
        ThirdColor(ThresholdClass(gCins(D, H), kRowCins, true)), Move::AlongRow, w);
  const Color helicity = ThirdColor(ThresholdClass(gHelicity(D, H), kRowHelicity, false));
  add(-s, top + line, "Helicity = " + ChartNumber(RoundHalfUp(gHelicity(D, H))), helicity, Move::AlongRow, w);
  char perKm[32];
  std::snprintf(perKm, sizeof perKm, "%.1f m/s /km", static_cast<double>(gSRHLayerShearPerKm(D, H)));
  add(-s, top + 2 * line, "  Shear = " + ChartNumber(RoundHalfUp(gSRHLayerShear(D, H))) + "m/s    " + perKm, helicity,
      Move::AlongRow, w);
  // Each ring's number at its left crossing of the x axis, or near it (over
  // or under the axis rather than along it, where it would stand by another
  // ring); a ring that crosses the axis off the plane shows only in the
  // corners.
  for (long r = 10; r <= s; r += 10) {
    TextPlacement::Text t = TextAt(pic, -static_cast<double>(r), 0, ChartNumber(r), kGrey);
    t.move = Move::Nearest;
    t.reach = lineHeight;
    t.lo = t.x - 2;
    t.hi = t.x + 2;
    place.Add(t);
  }
}

}  // namespace

HodographPanel::HodographPanel(PanelHost& host, QWidget* parent) : host_(host) {
  auto* frame = new ResizeFrame(parent);
  frameHodograph_ = frame;
  frameHodograph_->setObjectName("frameHodograph");
  frameHodograph_->setStyleSheet("QFrame#frameHodograph { background: black; }");
  picHodograph_ = new PictureBoxWidget(frameHodograph_);
  picHodograph_->setObjectName("picHodograph");
  PictureBox& pic = picHodograph_->Pic();
  pic.BackColor = kBlack;
  pic.FontName = "MS Sans Serif";
  pic.FontBold = true;
  pic.FontSize = 7;

  auto* filter = new DragOverButtons(frameHodograph_, [this](QWidget* w) {
    for (Integer i = 0; i <= kHodoButtonLast; ++i) {
      if (w == btnHodoBase_[static_cast<size_t>(i)]) btnHodoBase_MouseMove(i, 1);
      if (w == btnHodoHeight_[static_cast<size_t>(i)]) btnHodoHeight_MouseMove(i, 1);
    }
  });
  for (Integer i = 0; i <= kHodoButtonLast; ++i) {
    auto make = [&](const char* name, const QString& caption, std::function<void()> click) {
      auto* b = new QPushButton(caption, frameHodograph_);
      b->setObjectName(QString("%1%2").arg(name).arg(i));
      b->setFocusPolicy(Qt::NoFocus);
      b->setStyleSheet(ButtonStyle(nullptr));
      b->installEventFilter(filter);
      QObject::connect(b, &QPushButton::clicked, b, std::move(click));
      return b;
    };
    btnHodoBase_[static_cast<size_t>(i)] =
        make("btnHodoBase", i == 0 ? QString("sfc") : QString::number(i), [this, i] { btnHodoBase_Click(i); });
    if (HodoTopButtonExists(i))
      btnHodoHeight_[static_cast<size_t>(i)] =
          make("btnHodoHeight", QString::number(i), [this, i] { btnHodoHeight_Click(i); });
  }

  auto label = [&](const char* name, Color c, bool clickable) {
    QLabel* l = clickable ? new ClickLabel(frameHodograph_) : new QLabel(frameHodograph_);
    l->setObjectName(name);
    SetLabelColour(l, c);
    return l;
  };
  lblStormMotion_ = label("lblStormMotion", kStormMark, false);
  lblStormMotion_->setText("Storm Mtn");
  lblMean_ = label("lblMean", kMeanWindMark, false);
  lblInflow_ = label("lblInflow", kInflowTitle, true);
  lblInflow_->setText("SR Inflow");
  lblInflow_->setAlignment(Qt::AlignCenter);
  lblSRInflowHigh_ = label("lblSRInflowHigh", kInflowLine, true);
  lblSRInflowLow_ = label("lblSRInflowLow", kInflowLine, true);
  static_cast<ClickLabel*>(lblInflow_)->onClick = [this] { lblInflow_Click(); };
  static_cast<ClickLabel*>(lblSRInflowHigh_)->onClick = [this] { lblSRInflowHigh_Click(); };
  static_cast<ClickLabel*>(lblSRInflowLow_)->onClick = [this] { lblSRInflowLow_Click(); };

  pnlHodograph_ = new QFrame(parent);
  pnlHodograph_->setObjectName("pnlHodograph");
  auto barButton = [&](const char* name, const char* caption, int x, int w, void (HodographPanel::*click)()) {
    auto* b = new QPushButton(caption, pnlHodograph_);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::TabFocus);
    b->setGeometry(x, 1, w, 20);
    QObject::connect(b, &QPushButton::clicked, b, [this, click] { (this->*click)(); });
    return b;
  };
  btnHodoZoom_ = barButton("btnHodoZoom", "Zoom", 2, 46, &HodographPanel::btnHodoZoom_Click);
  btnHodoUnzoom_ = barButton("btnHodoUnzoom", "Out", 50, 40, &HodographPanel::btnHodoUnzoom_Click);
  btnHodoReset_ = barButton("btnHodoReset", "Reset", 96, 46, &HodographPanel::btnHodoReset_Click);
  btnHodoReset_->setToolTip("Resets Hodograph to Original Winds");
  btnHodoReset_->setVisible(false);
  btnHodoToggle_ = barButton("btnHodoToggle", "Toggle", 146, 50, &HodographPanel::btnHodoToggle_Click);

  picHodograph_->onMouseDown = [this](int b, int s, double x, double y) { picHodograph_MouseDown(b, s, x, y); };
  picHodograph_->onMouseMove = [this](int b, int s, double x, double y) { picHodograph_MouseMove(b, s, x, y); };
  picHodograph_->onMouseUp = [this](int, int, double, double) { picHodograph_MouseUp(); };
  frame->onResize = [this] { Layout(); };
  // A picture shown for the first time or resized is cleared: draw again.
  picHodograph_->onResize = [this] { DrawHodograph(); };
  ScalePlane();
}

QWidget* HodographPanel::Widget() { return frameHodograph_; }
QWidget* HodographPanel::ButtonBar() { return pnlHodograph_; }

// Bottom buttons at the left, top buttons at the right, one row per km with
// the heights increasing upwards; the square picture between them, the five
// motion labels under it.
void HodographPanel::Layout() {
  const int W = frameHodograph_->width(), H = frameHodograph_->height();
  const int rows = kHodoButtonLast + 1;
  for (int i = 0; i < rows; ++i) {
    const int top = H - (i + 1) * H / rows, bottom = H - i * H / rows;
    btnHodoBase_[static_cast<size_t>(i)]->setGeometry(0, top, kButtonColumn, bottom - top);
    if (QPushButton* b = btnHodoHeight_[static_cast<size_t>(i)]) b->setGeometry(W - kButtonColumn, top, kButtonColumn, bottom - top);
  }
  const int midW = std::max(1, W - 2 * kButtonColumn - 2);
  const int side = std::max(1, std::min(midW, H - 5 * kLabelLine));
  picHodograph_->setGeometry(kButtonColumn + 1 + (midW - side) / 2, 0, side, side);
  int y = side;
  for (QLabel* l : {lblInflow_, lblSRInflowHigh_, lblSRInflowLow_, lblStormMotion_, lblMean_}) {
    l->setGeometry(kButtonColumn + 1, y, midW, kLabelLine);
    y += kLabelLine;
  }
}

void HodographPanel::ScalePlane() {
  picHodograph_->Pic().Scale(-gHodoScale, gHodoScale, gHodoScale, -gHodoScale);
}

void HodographPanel::Shown(bool /*visible*/) { Pick(kNoPoint); }

// ---- drawing ----

void HodographPanel::DrawHodograph() {
  if (gLoadingState) return;
  PictureBox& pic = picHodograph_->Pic();
  HodoCursorLevel = 0;  // the redraw covers any highlight
  const Integer D = gCurDataset;
  const Integer H = host_.Hour();
  const double s = gHodoScale;
  ScalePlane();
  pic.KeepMapping();  // the mouse reads u and v of the plane drawn
  pic.DrawWidth = 1;
  pic.ForeColor = kGrey;
  pic.Mode = DrawMode::CopyPen;
  pic.Style = DrawStyle::Solid;
  pic.Cls();
  if (!HourShown(D, H)) {
    picHodograph_->update();
    return;
  }
  if (gHelicityDone(D, H) != -1) ComputeSRHelicity(H);

  // Axes and speed rings.
  pic.Line(-s, 0, s, 0);
  pic.Line(0, s, 0, -s);
  pic.FillTransparent = true;
  for (long r = 10; r <= NearestWhole(s + 10); r += 10) {
    pic.Circle(0, 0, static_cast<double>(r), kGrey);
  }
  pic.FillTransparent = false;

  // The layer CAPEs top left; over them the marks of the hour: every shown
  // dataset's movers, mean wind and trace, this one last, and the inflow or
  // the boundary. The hour's other texts (the CAPE, CINS, helicity and
  // shear bottom left, the rings' numbers) then take their places clear of
  // them.
  if (!gLayerCapeDone(D, H)) ComputeLayerCapes(H);
  TextPlacement place;
  place.Begin(pic);
  PlaceLayerCapes(pic, place, s, D, H);
  place.PrintAll(pic);
  {
    const DataMarksGuard data(pic, &place);
    ForEachShownDataset(D, H, [&](Integer d) {
      if (gHelicityDone(d, H) != -1) ComputeSRHelicity(H);
      pic.DrawWidth = 2;
      const double mdir = (270.0 - gMeanWindDir(d, H)) * kRad;
      const double mu = gMeanWindSpd(d, H) * std::cos(mdir), mv = gMeanWindSpd(d, H) * std::sin(mdir);
      // A marker stands on its point: one whose point lies off the plane is
      // not drawn, and one near an edge moves in only as far as the edge
      // asks, so that it still covers its point; no text covers it.
      auto centred = [&](const char* text, double x, double y) {
        const double cx = pic.XToPixel(x), cy = pic.YToPixel(y);
        if (!(cx >= 0 && cx < pic.PixelWidth() && cy >= 0 && cy < pic.PixelHeight())) return;
        const double w = pic.TextWidthPx(text), h = pic.TextHeightPx(text);
        const double px = std::clamp(cx - w / 2, 1.0, std::max(1.0, pic.PixelWidth() - w - 1));
        const double py = std::clamp(cy - h / 2, 0.0, std::max(0.0, pic.PixelHeight() - h));
        pic.CurrentX = pic.PixelToX(px);
        pic.CurrentY = pic.PixelToY(py);
        place.Rect(pic.TextInkPx(text).translated(px, py));
        pic.Print(text, false);
      };
      pic.ForeColor = eRGB(D, kMeanWindMark);
      centred("M", mu, mv);
      pic.ForeColor = eRGB(D, kMoverMark);
      centred("L", gLeftMoverU(d, H), gLeftMoverV(d, H));
      centred("R", gRightMoverU(d, H), gRightMoverV(d, H));

      const Integer n = std::min(gNumLevels(d), kMaxLevels);
      const Integer t = std::clamp(gSRHTopLevel(d, H), 0, n);
      const Integer b = std::clamp(gSRHBottomLevel(d, H), 0, t);
      if (t <= b) return;  // no layer: no trace
      pic.DrawWidth = 3;
      auto point = [&](Integer k, double& u, double& v) {
        u = static_cast<double>(gSRWindU(d, H, k)) + gStormU(d, H);
        v = static_cast<double>(gSRWindV(d, H, k)) + gStormV(d, H);
      };
      auto colour = [&](Integer k, bool bottomDot) {
        const Rgb c = HeightRgb(gHghtAGL(d, H, k), bottomDot);
        return eRGB(D, c.r, c.g, c.b);
      };
      double u0, v0;
      point(b, u0, v0);
      pic.FillColor = colour(b, true);
      pic.Circle(u0, v0, s / 100, pic.FillColor);
      for (Integer k = b + 1; k <= t; ++k) {
        double u1, v1;
        point(k, u1, v1);
        const Color c = colour(k - 1, false);
        pic.Line(u0, v0, u1, v1, c);
        pic.FillColor = c;
        pic.Circle(u1, v1, s / 100, c);
        u0 = u1;
        v0 = v1;
      }
    });
    if (BoundaryShown(D, H)) DrawBoundary(D, H);
    else DrawInflow(D, H);
  }
  pic.DrawWidth = 1;
  PlaceHourTexts(pic, place, s, D, H);
  place.PrintAll(pic);

  lblStormMotion_->setText(QString::fromUtf8((" Storm Motion = " + std::to_string(NearestWhole(gStormMotionDir(D, H))) + kDeg +
                                              "  " + std::to_string(NearestWhole(gStormMotionSpd(D, H))) + "m/s")
                                                 .c_str()));
  lblMean_->setText(QString::fromUtf8(("    Mean Wind = " + std::to_string(NearestWhole(gMeanWindDir(D, H))) + kDeg + "  " +
                                       std::to_string(NearestWhole(gMeanWindSpd(D, H))) + "m/s")
                                          .c_str()));
  btnHodoReset_->setVisible(gWindEdited(D, H));
  picHodograph_->update();
}

void HodographPanel::DrawInflow(Integer D, Integer H) {
  PictureBox& pic = picHodograph_->Pic();
  const Integer n = std::min(gNumLevels(D), kMaxLevels);
  const Integer t = std::clamp(gSRHTopLevel(D, H), 0, n);
  const Integer b = std::clamp(gSRHBottomLevel(D, H), 0, t);
  const double su = gStormU(D, H), sv = gStormV(D, H);
  pic.DrawWidth = 2;
  pic.Line(su, sv, su + gSRWindU(D, H, t), sv + gSRWindV(D, H, t), kInflowLine);
  pic.DrawWidth = 1;
  pic.Line(su, sv, su + gSRWindU(D, H, b), sv + gSRWindV(D, H, b), kInflowLine);
  lblInflow_->setText("Storm Rel Inflow");
  SetLabelColour(lblSRInflowHigh_, kInflowLine);
  SetLabelColour(lblSRInflowLow_, kInflowLine);
  lblSRInflowHigh_->setText(QString::fromUtf8(("         " + ShortestText(gSRInflowDepth) + " km = " +
                                               std::to_string(NearestWhole(gSRInflowTopDir(D, H))) + kOrdinal + "  " +
                                               std::to_string(NearestWhole(gSRInflowTopSpd(D, H))) + "m/s")
                                                  .c_str()));
  lblSRInflowLow_->setText(QString::fromUtf8(("          Sfc  = " + std::to_string(NearestWhole(gSRInflowSfcDir(D, H))) +
                                              kOrdinal + "  " + std::to_string(NearestWhole(gSRInflowSfcSpd(D, H))) + "m/s")
                                                 .c_str()));
}

// The boundary through its motion at right angles to it, and the motions of
// the storm and of the mean wind relative to the boundary: green when they
// move away from it behind, red when they overtake it.
void HodographPanel::DrawBoundary(Integer D, Integer H) {
  PictureBox& pic = picHodograph_->Pic();
  const double s = gHodoScale;
  const double su = gStormU(D, H), sv = gStormV(D, H);
  const double bu = BoundaryMotionU(D, H), bv = BoundaryMotionV(D, H);
  pic.FillTransparent = false;
  pic.DrawWidth = 2;
  pic.FillColor = kStormMark;
  pic.Line(su - 1, sv, su + 1, sv, kStormMark);
  pic.Line(su, sv - 1, su, sv + 1, kStormMark);
  pic.Circle(su, sv, 0.5, kStormMark);
  pic.FillColor = kWhite;
  pic.Circle(bu, bv, 2 * s / 100, kWhite);

  const double bdir = WindDirection(static_cast<Single>(bu), static_cast<Single>(bv));
  pic.Line(bu + 2 * s * std::sin((bdir + 90) * kRad), bv + 2 * s * std::cos((bdir + 90) * kRad),
           bu + 2 * s * std::sin((bdir - 90) * kRad), bv + 2 * s * std::cos((bdir - 90) * kRad), kWhite);

  const BoundaryRelative storm = RelativeToBoundary(bu, bv, WindDirection(static_cast<Single>(su), static_cast<Single>(sv)),
                                                    std::sqrt(su * su + sv * sv));
  pic.Line(su, sv, su + storm.u, sv + storm.v, RelativeMotionColour(storm));
  lblSRInflowLow_->setText(MotionText(" Storm Motion = ", storm));
  SetLabelColour(lblSRInflowLow_, RelativeMotionColour(storm));

  const double mdir = (270.0 - gMeanWindDir(D, H)) * kRad;
  const double mu = gMeanWindSpd(D, H) * std::cos(mdir), mv = gMeanWindSpd(D, H) * std::sin(mdir);
  const BoundaryRelative mean = RelativeToBoundary(bu, bv, gMeanWindDir(D, H), gMeanWindSpd(D, H));
  pic.Line(mu, mv, mu + mean.u, mv + mean.v, RelativeMotionColour(mean));
  lblInflow_->setText("Boundary Relative Inflow");
  lblSRInflowHigh_->setText(MotionText("    Mean Wind = ", mean));
  SetLabelColour(lblSRInflowHigh_, RelativeMotionColour(mean));
}

void HodographPanel::RightPrint(const std::string& text) {
  PictureBox& pic = picHodograph_->Pic();
  pic.CurrentX = gHodoScale - pic.TextWidth(text);
  pic.Print(text);
}

// What the pointer is on, at the top right: its name (storm motion, boundary,
// or height and pressure of the level), direction and speed, and the speed in
// knots.
void HodographPanel::Draw() {
  DrawHodograph();
  // Not while a button is held: a drag keeps the point it took.
  const std::optional<QPointF> at = picHodograph_->PointerAt();
  const Integer D = gCurDataset, H = host_.Hour();
  if (!at || gLoadingState || QGuiApplication::mouseButtons() != Qt::NoButton || !HourShown(D, H)) return;
  const PictureBox& pic = picHodograph_->Pic();
  const Integer c = NearestHodoPoint(D, H, static_cast<Single>(pic.MappedX(at->x())), static_cast<Single>(pic.MappedY(at->y())));
  Pick(c);
  if (c != kNoPoint) ReadOut(c, gWindU(D, H, c), gWindV(D, H, c));
}

void HodographPanel::ReadOut(Integer point, Single u, Single v) {
  PictureBox& pic = picHodograph_->Pic();
  pic.ForeColor = kWhite;
  pic.FontName = "Arial";
  pic.FontTransparent = true;
  pic.CurrentY = gHodoScale;
  for (const std::string& line : HodoReadOut(gCurDataset, host_.Hour(), point, u, v)) RightPrint(line);
  pic.FontName = "MS Sans Serif";
  picHodograph_->update();
}

// ---- the mouse ----

Integer HodographPanel::PickedPoint() const {
  if (HodoPickedPoint == kNoPoint) return kNoPoint;
  if (pickDataset_ != gCurDataset || pickHour_ != host_.Hour() || pickStore_ != &Store()) return kNoPoint;
  return HodoPickedPoint;
}

void HodographPanel::Pick(Integer point) {
  HodoPickedPoint = point;
  pickDataset_ = gCurDataset;
  pickHour_ = host_.Hour();
  pickStore_ = &Store();
}

void HodographPanel::picHodograph_MouseDown(int button, int /*shift*/, double x, double y) {
  host_.OpenTrainingLinks("Hodograph");
  const Integer D = gCurDataset, H = host_.Hour();
  if (!HourShown(D, H)) return;
  const Single u = static_cast<Single>(x), v = static_cast<Single>(y);
  if (button == 1) {
    const Integer p = PickedPoint();
    if (p == kNoPoint) return;
    if (p == kStormPoint) {
      MoveStormMotion(D, H, u, v);
    } else {
      SaveDragStart(drag_, D, H, p);
      MoveLevel(drag_, D, H, p, u, v);
    }
    DrawHodograph();
    ReadOut(p, u, v);
    StormMotionMoved();
  } else if (button == 2) {
    PlaceBoundary(D, H, u, v);
    DrawHodograph();
    ReadOut(kBoundaryReadout, u, v);
  }
}

void HodographPanel::picHodograph_MouseMove(int button, int /*shift*/, double x, double y) {
  const Integer D = gCurDataset, H = host_.Hour();
  if (!HourShown(D, H)) return;
  const Single u = static_cast<Single>(x), v = static_cast<Single>(y);
  if (button == 1) {
    const Integer p = PickedPoint();
    if (p == kNoPoint) return;
    // The whole drag is measured from the winds of the press.
    if (p == kStormPoint) MoveStormMotion(D, H, u, v);
    else MoveLevel(drag_, D, H, p, u, v);
    DrawHodograph();
    ReadOut(p, u, v);
    StormMotionMoved();
  } else if (button == 2) {
    PlaceBoundary(D, H, u, v);
    DrawHodograph();
    ReadOut(kBoundaryReadout, u, v);
  } else if (button == 0) {
    const Integer c = NearestHodoPoint(D, H, u, v);
    const Integer before = PickedPoint();
    if (c == kNoPoint) {
      if (before != kNoPoint) DrawHodograph();  // the read-out goes
      Pick(kNoPoint);
    } else if (c != before) {
      Pick(c);
      DrawHodograph();
      ReadOut(c, gWindU(D, H, c), gWindV(D, H, c));
    }
  }
}

// The storm motion follows a drag: what shows a result of it follows at
// once; what is costly to draw, when the button is released.
void HodographPanel::StormMotionMoved() {
  dragging_ = true;
  host_.WindsEdited(false);
}

void HodographPanel::picHodograph_MouseUp() {
  if (!dragging_) return;
  dragging_ = false;
  host_.WindsEdited(true);
}

// ---- layer buttons ----

// Only the buttons whose choice changed take a new style (a style set
// costs a layout pass of the button, and a recall sets the layer each time).
void HodographPanel::ColourButtons() {
  const auto colour = [](const std::array<QPushButton*, kHodoButtonLast + 1>& column, long& coloured, long chosen) {
    if (chosen == coloured) return;
    for (const long i : {coloured, chosen}) {
      if (i < 0 || i > kHodoButtonLast || column[static_cast<size_t>(i)] == nullptr) continue;
      const Rgb c = ButtonRgb(static_cast<Integer>(i));
      column[static_cast<size_t>(i)]->setStyleSheet(ButtonStyle(i == chosen ? &c : nullptr));
    }
    coloured = chosen;
  };
  colour(btnHodoBase_, colouredBase_, NearestWhole(gSRInflowBase));
  colour(btnHodoHeight_, colouredTop_, NearestWhole(gSRInflowDepth));
}

bool HodographPanel::ChooseTop(Integer index) {
  if (!HodoTopButtonExists(index)) return false;
  if (!SetHelicityLayerTop(static_cast<Single>(index))) return false;
  gSRInflowDepth = static_cast<Single>(index);
  Pick(kNoPoint);
  ColourButtons();
  return true;
}

bool HodographPanel::ChooseBase(Integer index) {
  if (!HodoBaseButtonExists(index)) return false;
  if (!SetHelicityLayerBottom(static_cast<Single>(index))) return false;
  gSRInflowBase = static_cast<Single>(index);
  Pick(kNoPoint);
  ColourButtons();
  return true;
}

// The buttons take nothing while the loading state is raised.
void HodographPanel::btnHodoHeight_Click(Integer index) {
  if (!gLoadingState && ChooseTop(index)) LayerChosen();
}

void HodographPanel::btnHodoBase_Click(Integer index) {
  if (!gLoadingState && ChooseBase(index)) LayerChosen();
}

void HodographPanel::LayerChosen() {
  host_.FocusHourBar();
  DrawHodograph();
  host_.RedrawChart();
  host_.WindsEdited(true);  // a new layer: new helicity and storm matrix
}

void HodographPanel::HodoHeightClick(Integer index) { ChooseTop(index); }
void HodographPanel::HodoBaseClick(Integer index) { ChooseBase(index); }

void HodographPanel::btnHodoHeight_MouseMove(Integer index, int button) {
  if (button == 1 && index != NearestWhole(gSRInflowDepth)) btnHodoHeight_Click(index);
}

void HodographPanel::btnHodoBase_MouseMove(Integer index, int button) {
  if (button == 1 && index != NearestWhole(gSRInflowBase)) btnHodoBase_Click(index);
}

// ---- zoom, reset, toggle ----

void HodographPanel::btnHodoZoom_Click() { Zoom(1 / 1.2f); }

void HodographPanel::btnHodoUnzoom_Click() { Zoom(1.2f); }

void HodographPanel::Zoom(Single factor) {
  host_.FocusHourBar();
  gHodoScale = std::clamp(gHodoScale * factor, kMinHodoScale, kMaxHodoScale);
  ScalePlane();
  DrawHodograph();
}

void HodographPanel::btnHodoReset_Click() {
  ResetHour(gCurDataset, host_.Hour());
  DrawHodograph();
  host_.WindsEdited(true);
}

void HodographPanel::btnHodoToggle_Click() {
  ToggleBoundary(gCurDataset, host_.Hour());
  DrawHodograph();
}

// ---- the chart's cursor ----

// Covers the last highlighted segment and highlights the one that ends at
// level L when it lies inside the helicity layer.
void HodographPanel::CursorLevel(Integer D, Integer H, Integer L) {
  if (!HourShown(D, H)) return;
  PictureBox& hodo = picHodograph_->Pic();
  hodo.ScaleToMapping();  // the plane as drawn
  auto segment = [&](Integer k, Color c) {
    if (k < 1 || k > std::min(gNumLevels(D), kMaxLevels)) return;
    hodo.Line(gStormU(D, H) + gSRWindU(D, H, k - 1), gStormV(D, H) + gSRWindV(D, H, k - 1),
              gStormU(D, H) + gSRWindU(D, H, k), gStormV(D, H) + gSRWindV(D, H, k), c);
  };
  hodo.DrawWidth = 2;
  if (HodoCursorLevel > 0) segment(HodoCursorLevel, kHodoSegment);
  if (gSRHTopLevel(D, H) >= L) {
    segment(L, kHodoHighlight);
    HodoCursorLevel = L;
  }
  picHodograph_->update();
}

ChartMarks HodographPanel::MarksFor(Integer D, Integer H) {
  ChartMarks m;
  m.levels = {gSRHBottomLevel(D, H), gSRHTopLevel(D, H)};
  m.levelCount = 2;
  return m;
}

}  // namespace ondrik
