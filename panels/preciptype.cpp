// The precipitation-type panel: its button, the switch between its views and
// the thickness nomogram. The energy view is in preciptype_energy.cpp.
#include "panels/preciptype.h"

#include <QFrame>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
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
const std::vector<std::vector<Vertex>> kBoundaries = {
    {{1538, 1330}, {1538, 1312}, {1543, 1290}, {1537, 1290}, {1532, 1298}, {1530, 1312}, {1538, 1312}, {1550, 1310},
     {1550, 1290}, {1550, 1282}, {1562, 1260}},
    {{1537, 1290}, {1542, 1278}, {1545, 1260}},
    {{1550, 1310}, {1580, 1314}},
    {{1550, 1303}, {1580, 1299}},
    {{1550, 1293}, {1580, 1290}},
    {{1550, 1290}, {1543, 1290}},
    {{1532, 1298}, {1500, 1303}}};

// The region labels, the lines of one label together ("Wintry" over "Mix").
struct RegionLabel {
  const char* text;
  double x, y;
};
const std::vector<std::vector<RegionLabel>> kRegionLabelGroups = {
    {{"S", 1513.5, 1276}},  {{"S/R", 1533, 1304}},     {{"R", 1554, 1319}},
    {{"ZR/IP", 1561, 1297}}, {{"IP/ZR", 1561, 1285}},   {{"S,S/IP", 1544, 1275}},
    {{"Wintry", 1540.5, 1305}, {"Mix", 1543, 1298}},   {{"ZR/R", 1561, 1307}},
    {{"Indeterminate", 1511, 1317}}};

void UseFace(PictureBox& pic, const std::string& face, double size) {
  pic.FontName = face;
  pic.FontSize = size;
}

// Whether the segments ab and cd cross (or touch).
bool SegmentsCross(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d) {
  const auto side = [](const QPointF& p, const QPointF& q, const QPointF& r) {
    const double v = (q.x() - p.x()) * (r.y() - p.y()) - (q.y() - p.y()) * (r.x() - p.x());
    return (v > 0) - (v < 0);
  };
  return side(a, b, c) * side(a, b, d) <= 0 && side(c, d, a) * side(c, d, b) <= 0 &&
         std::max(a.x(), b.x()) >= std::min(c.x(), d.x()) && std::max(c.x(), d.x()) >= std::min(a.x(), b.x()) &&
         std::max(a.y(), b.y()) >= std::min(c.y(), d.y()) && std::max(c.y(), d.y()) >= std::min(a.y(), b.y());
}

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
  // A strip shown while the panel is hidden takes its size, and is cleared,
  // when the panel is shown: drawn again then.
  picSleet_->onResize = [this] {
    if (!drawing_ && !picSleet_->isHidden()) Draw();
  };
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
  // The strip's own resizes while it is drawn need no second draw.
  struct Restore {
    bool& flag;
    bool was;
    ~Restore() { flag = was; }
  } restore{drawing_, std::exchange(drawing_, true)};
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
  for (int x = 1500; x <= 1580; x += 10) pic.Line(x, 1260, x, 1330, kThicknessGrid);
  for (int y = 1260; y <= 1330; y += 10) pic.Line(1500, y, 1580, y, kThicknessGrid);
  // The grid's numbers under and left of it, in the condensed face at the
  // size that fits them between the picture's left edge and the grid and
  // beside each other.
  const double font = pic.FontSize;
  const std::string face = pic.FontName;
  UseCondensedFace(pic);
  FitFontSize(pic, "1540 ", 1500 - 1492 - 0.5, font, 5.25);
  const double halfW = pic.TextWidth("1540") / 2;
  const double halfH = SignedTextHeight(pic, "W") / 2;
  std::vector<PanelText> numbers;
  for (int x = 1500; x <= 1580; x += 10) numbers.push_back({x - halfW, 1259, NumberItem(x), kThicknessGrid});
  for (int y = 1260; y <= 1330; y += 10) numbers.push_back({1492, y - halfH, NumberItem(y), kThicknessGrid});
  const double numbersEnd = 1259 + SignedTextHeight(pic, "W");
  pic.FontSize = font;
  pic.FontName = face;

  // Region boundaries.
  pic.DrawWidth = 2;
  std::vector<std::pair<QPointF, QPointF>> boundariesPx;
  for (const auto& polyline : kBoundaries)
    for (std::size_t i = 1; i < polyline.size(); ++i) {
      const Vertex a = polyline[i - 1], b = polyline[i];
      pic.Line(a.x, a.y, b.x, b.y, kBlack);
      boundariesPx.push_back({QPointF(pic.XToPixel(a.x), pic.YToPixel(a.y)), QPointF(pic.XToPixel(b.x), pic.YToPixel(b.y))});
    }
  pic.DrawWidth = 1;

  // The hour's point of every dataset shown, with its trail.
  const int n = host_.TrailHours();
  pointsPx_.clear();
  trailsPx_.clear();
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
      if (drawn) {
        pic.Line(px, py, x, y, outline);
        trailsPx_.push_back({QPointF(pic.XToPixel(px), pic.YToPixel(py)), QPointF(pic.XToPixel(x), pic.YToPixel(y))});
      }
      pic.Circle(x, y, ThicknessTrailRadius(n, H - i), outline);
      KeepPoint(pic, x, y, ThicknessTrailRadius(n, H - i));
      px = x;
      py = y;
      drawn = true;
    }
  });

  // The region labels in clear places of their regions; the grid's numbers
  // over what reaches them from the chart (a point on its edge).
  PlaceRegionLabels(pic, boundariesPx);
  UseCondensedFace(pic);
  FitFontSize(pic, "1540 ", 1500 - 1492 - 0.5, font, 5.25);
  PrintOnGround(pic, numbers, kThicknessBack);
  pic.FontSize = font;
  pic.FontName = face;

  // Text block of the current dataset and hour, in rows under the numbers
  // (after their grounds):
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

}

void PrecipTypePanel::PlaceRegionLabels(PictureBox& pic, const std::vector<std::pair<QPointF, QPointF>>& boundariesPx) {
  const QRectF chart(QPointF(pic.XToPixel(1500), pic.YToPixel(1330)), QPointF(pic.XToPixel(1580), pic.YToPixel(1260)));
  // What lies near a label's places: the boundaries (drawn two pixels
  // wide), the trails and the points, and the labels placed before it.
  using Segment = std::pair<QPointF, QPointF>;
  constexpr int kReach = 16;  // pixels a label moves at most
  std::vector<QRectF> placed;
  struct Near {
    std::vector<Segment> boundaries, trails;
    std::vector<QRectF> rooms;  // of points and labels
  };
  const auto near = [&](const std::vector<QRectF>& rooms) {
    QRectF window;
    for (const QRectF& r : rooms) window |= r;
    window.adjust(-kReach - 2, -kReach - 2, kReach + 2, kReach + 2);
    Near n;
    for (const Segment& b : boundariesPx)
      if (SegmentMeetsRect(b.first, b.second, window)) n.boundaries.push_back(b);
    for (const Segment& t : trailsPx_)
      if (SegmentMeetsRect(t.first, t.second, window)) n.trails.push_back(t);
    for (const auto* list : {&pointsPx_, &placed})
      for (const QRectF& r : *list)
        if (r.intersects(window)) n.rooms.push_back(r);
    return n;
  };
  // Whether a label's room meets a point, a label or, unless it may stand
  // over them, a boundary or a trail: over the trails by tier 1, over them
  // and the boundaries by tier 2. A path that crosses no boundary keeps in
  // one region.
  const auto meets = [](const Near& n, const QRectF& r, int tier) {
    const auto crosses = [&](const Segment& seg) { return LineMeetsRoom(seg, r); };
    const auto hits = [&](const QRectF& o) { return r.intersects(o); };
    return std::any_of(n.rooms.begin(), n.rooms.end(), hits) ||
           (tier < 2 && std::any_of(n.boundaries.begin(), n.boundaries.end(), crosses)) ||
           (tier < 1 && std::any_of(n.trails.begin(), n.trails.end(), crosses));
  };
  const auto staysIn = [](const Near& n, const QPointF& from, const QPointF& to) {
    return std::none_of(n.boundaries.begin(), n.boundaries.end(),
                        [&](const Segment& seg) { return SegmentsCross(from, to, seg.first, seg.second); });
  };
  const double font = pic.FontSize;
  const std::string face = pic.FontName;
  for (const std::vector<RegionLabel>& label : kRegionLabelGroups) {
    // Its lines where they belong, then the nearest place in its region
    // that is clear; narrower, then smaller, where none is; then over a
    // trail, at last over a boundary too (hidden under it there), never
    // over a point.
    std::vector<QRectF> rooms;
    const auto measure = [&] {
      rooms.clear();
      for (const RegionLabel& l : label)
        rooms.push_back(TextRoom(pic, l.x, l.y, l.text));
    };
    // The faces and sizes tried: the panel's, the condensed face, then
    // whole pixels smaller down to the smallest that reads.
    std::vector<std::pair<bool, double>> looks = {{false, font}};
    for (int px = static_cast<int>(std::ceil(font * 96 / 72)); px >= 7; --px)
      looks.emplace_back(true, std::min(font, px * 72.0 / 96));
    std::optional<QPointF> move;
    std::vector<QRectF> tried;  // the rooms of the look before: a size the face does not go to is that one again
    for (std::size_t attempt = 0; attempt < 3 * looks.size() && !move; ++attempt) {
      const int tier = static_cast<int>(attempt / looks.size());
      const auto& [condensed, size] = looks[attempt % looks.size()];
      UseFace(pic, face, size);
      if (condensed) UseCondensedFace(pic);
      measure();
      if (attempt % looks.size() != 0 && rooms == tried) continue;
      tried = rooms;
      // Every line clear, its middle reached from the label's without
      // crossing a boundary.
      const QPointF anchor = rooms.back().center();
      const Near n = near(rooms);
      move = NearestClearMove(pic, rooms, kReach, [&](const QRectF& at) {
        return chart.contains(at) && !meets(n, at, tier) && staysIn(n, anchor, at.center());
      });
    }
    if (!move) {  // nowhere clear: where it belongs, in the panel's face
      UseFace(pic, face, font);
      measure();
    }
    const QPointF by = move.value_or(QPointF());
    std::vector<PanelText> texts;
    for (const RegionLabel& l : label)
      texts.push_back({pic.PixelToX(pic.XToPixel(l.x) + by.x()), pic.PixelToY(pic.YToPixel(l.y) + by.y()), l.text, kBlack});
    PrintOnGround(pic, texts, kThicknessBack);
    for (const QRectF& r : rooms) placed.push_back(r.translated(by));
  }
  UseFace(pic, face, font);
}

}  // namespace ondrik
