// The precipitation-type panel: its button, the switch between its views and
// the thickness nomogram. The energy view is in preciptype_energy.cpp.
#include "panels/preciptype.h"

#include <QFrame>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/derived.h"
#include "core/guards.h"
#include "core/numberformat.h"
#include "panels/overlayloop.h"
#include "panels/preciptyperules.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr Color kThicknessBack = RGB(192, 192, 192);
constexpr Color kThicknessGrid = RGB(64, 64, 128);

// Region boundaries of the nomogram (850-700 mb thickness, 1000-850 mb
// thickness), joined in order.
struct Vertex {
  double x, y;
};
constexpr Vertex kBoundary1[] = {{1538, 1330}, {1538, 1312}, {1543, 1290}, {1537, 1290},
                                 {1532, 1298}, {1530, 1312}, {1538, 1312}, {1550, 1310},
                                 {1550, 1290}, {1550, 1282}, {1562, 1260}};
constexpr Vertex kBoundary2[] = {{1537, 1290}, {1542, 1278}, {1545, 1260}};
constexpr Vertex kBoundary3[] = {{1550, 1310}, {1580, 1314}};
constexpr Vertex kBoundary4[] = {{1550, 1303}, {1580, 1299}};
constexpr Vertex kBoundary5[] = {{1550, 1293}, {1580, 1290}};
constexpr Vertex kBoundary6[] = {{1550, 1290}, {1543, 1290}};
constexpr Vertex kBoundary7[] = {{1532, 1298}, {1500, 1303}};

template <std::size_t N>
void Polyline(PictureBox& pic, const Vertex (&v)[N]) {
  for (std::size_t i = 1; i < N; ++i) pic.Line(v[i - 1].x, v[i - 1].y, v[i].x, v[i].y, kBlack);
}

struct RegionLabel {
  const char* text;
  double x, y;
};
constexpr RegionLabel kRegionLabels[] = {
    {"S", 1513.5, 1276},  {"S/R", 1533, 1304},  {"R", 1554, 1319},   {"ZR/IP", 1561, 1297},
    {"IP/ZR", 1561, 1285}, {"S,S/IP", 1544, 1275}, {"Wintry", 1540.5, 1305}, {"Mix", 1543, 1298},
    {"ZR/R", 1561, 1307}, {"Indeterminate", 1511, 1317}};

}  // namespace

PrecipTypePanel::PrecipTypePanel(PanelHost& host, QWidget* parent)
    : PicturePanel(host, parent, "picPrecipType"),
      bar_(new QFrame(parent)),
      btnPrecipType_(new QPushButton("Thickness", bar_)),
      picSleet_(new PictureBoxWidget(Picture())) {
  bar_->setObjectName("pnlPrecipType");
  btnPrecipType_->setObjectName("btnPrecipType");
  btnPrecipType_->setFocusPolicy(Qt::TabFocus);
  btnPrecipType_->setGeometry(0, 0, 70, 20);
  QObject::connect(btnPrecipType_, &QPushButton::clicked, btnPrecipType_, [this] { btnPrecipType_Click(); });
  picSleet_->setObjectName("picSleet");
  picSleet_->Pic().BackColor = kWhite;
  UsePanelFont(picSleet_->Pic());
  UsePanelFont(Pic());
  picSleet_->setVisible(false);
  PlaceSleetStrip();
  Picture()->onMouseUp = [this](int, int, double, double) { picPrecipType_Click(); };
}

QWidget* PrecipTypePanel::ButtonBar() { return bar_; }

void PrecipTypePanel::btnPrecipType_Click() {
  host_.SetThicknessView(!host_.ThicknessView());
  host_.DisplayHour();
}

void PrecipTypePanel::picPrecipType_Click() {
  host_.OpenTrainingLinks(host_.ThicknessView() ? "Precip Type Thickness" : "Precip Type Energy");
}

void PrecipTypePanel::Draw() {
  // The button names the other view.
  btnPrecipType_->setText(host_.ThicknessView() ? "Energy" : "Thickness");
  picSleet_->setVisible(false);
  const Integer H = host_.Hour();
  if (!PanelCanDraw(H)) return;
  PictureBox& pic = Pic();
  UsePanelFont(pic);
  pic.DrawWidth = 1;
  pic.Mode = DrawMode::CopyPen;
  pic.Style = DrawStyle::Solid;
  pic.FontTransparent = true;
  if (host_.ThicknessView()) {
    DrawThicknessView(pic, H);
  } else {
    DrawEnergyHeader(pic, H);
    const std::string& shownPattern = gEnergyPattern(gCurDataset, H);
    PlanEnergyView(pic, H, DiagramOf(shownPattern));
    bool background = false;
    pointsPx_.clear();
    labelsPx_.clear();
    trailsPx_.clear();
    ShownDataset = gCurDataset;
    ForEachShownDataset(ShownDataset, H, [&](Integer d) {
      const std::string& p = gEnergyPattern(d, H);
      if (!SameFamily(p, shownPattern)) return;
      DrawEnergyDiagram(pic, d, H, DiagramOf(p), background);
    });
    if (!picSleet_->isHidden()) PlaceSleetStrip();
    if (background) DrawRegionLabels(pic, DiagramOf(shownPattern));
    DrawUnderDiagram(pic);
  }
  Update();
}

void PrecipTypePanel::DrawThicknessView(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  ComputeOnce(ThicknessDone(D), MakeThickness);
  pic.BackColor = kThicknessBack;
  pic.Cls();
  pic.FillTransparent = false;
  pic.ForeColor = kBlack;
  pic.Scale(1492, 1332, 1584, 1240);
  // Grid with its numbers under and left of it, in the condensed face at
  // the size that fits the numbers between the picture's left edge and the
  // grid and beside each other.
  const double font = pic.FontSize;
  const std::string face = pic.FontName;
  UseCondensedFace(pic);
  FitFontSize(pic, "1540 ", 1500 - 1492 - 0.5, font, 5.25);
  const double halfW = pic.TextWidth("1540") / 2;
  const double halfH = SignedTextHeight(pic, "W") / 2;
  const double lastLeft = 1584 - 2 * halfW - 92.0 / pic.PixelWidth();  // a pixel inside the right edge
  for (int x = 1500; x <= 1580; x += 10) {
    pic.Line(x, 1260, x, 1330, kThicknessGrid);
    PrintAt(pic, std::min(x - halfW, lastLeft), 1259, NumberItem(x), kThicknessGrid);
  }
  for (int y = 1260; y <= 1330; y += 10) {
    pic.Line(1500, y, 1580, y, kThicknessGrid);
    PrintAt(pic, 1492, y - halfH, NumberItem(y), kThicknessGrid);
  }
  const double numbersEnd = 1259 + SignedTextHeight(pic, "W");
  pic.FontSize = font;
  pic.FontName = face;

  // Text block of the current dataset and hour, in rows under the numbers:
  // each height beside the thickness above it, the level-1 line on top.
  double lower = 0, upper = 0;
  const bool have = Thicknesses(D, H, lower, upper);
  const double line = SignedTextHeight(pic, "W");
  const auto row = [&](int r, std::vector<RowText> texts) { PrintRow(pic, numbersEnd + r * line, texts, 1505); };
  row(0, {{1505, "H 700:  " + Format(ThickHeights(D, H, 3), "#m"), kBlack},
          {1560, "1: " + Format(gPres(D, H, 1), "#.0mb ") + Format(gHght(D, H, 1), "#m"), kBlack}});
  row(1, {{1505, "H 850:  " + Format(ThickHeights(D, H, 2), "#m"), kBlack},
          {1533.5, "850-700: " + (have ? Format(upper, "#m") : std::string("--")), kBlack}});
  row(2, {{1505, "H1000:   " + Format(ThickHeights(D, H, 1), "#m"), kBlack},
          {1532, "1000-850: " + (have ? Format(lower, "#m") : std::string("--")), kBlack}});

  // Region boundaries and their labels.
  pic.DrawWidth = 2;
  Polyline(pic, kBoundary1);
  Polyline(pic, kBoundary2);
  Polyline(pic, kBoundary3);
  Polyline(pic, kBoundary4);
  Polyline(pic, kBoundary5);
  Polyline(pic, kBoundary6);
  Polyline(pic, kBoundary7);
  pic.DrawWidth = 1;
  for (const RegionLabel& l : kRegionLabels) PrintAt(pic, l.x, l.y, l.text, kBlack);

  // The hour's point of every dataset shown, with its trail.
  const int n = host_.TrailHours();
  ShownDataset = D;
  ForEachShownDataset(ShownDataset, H, [&](Integer d) {
    ComputeOnce(ThicknessDone(d), MakeThickness);
    pic.FillColor = eRGB(ShownDataset, 255, 0, 0);
    const Color outline = eRGB(ShownDataset, 0, 0, 255);
    bool drawn = false;
    double px = 0, py = 0;
    for (Integer i = std::max<Integer>(H - n, 0); i <= H; ++i) {
      double lo = 0, up = 0;
      if (!Thicknesses(d, i, lo, up)) continue;
      double x = 0, y = 0;
      ThicknessChartPoint(lo, up, x, y);
      if (drawn) pic.Line(px, py, x, y, outline);
      pic.Circle(x, y, ThicknessTrailRadius(n, H - i), outline);
      px = x;
      py = y;
      drawn = true;
    }
  });
}

}  // namespace ondrik
