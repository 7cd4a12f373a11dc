// The precipitation-type panel: its button, the switch between its views and
// the thickness nomogram. The energy view is in preciptype_energy.cpp.
#include "panels/preciptype.h"

#include <QFrame>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <limits>
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
#include "platform/picturetext.h"

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
    trailsPx_.clear();
    linesPx_.clear();
    place_.Begin(pic);
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
  std::vector<TextPlacement::Text> numbers;
  for (int x = 1500; x <= 1580; x += 10) numbers.push_back(TextAt(pic, x - halfW, 1259, NumberItem(x), kThicknessGrid));
  for (int y = 1260; y <= 1330; y += 10) numbers.push_back(TextAt(pic, 1492, y - halfH, NumberItem(y), kThicknessGrid));
  // The rows under the numbers, a block's line apart.
  const double numbersEnd = pic.PixelToY(pic.YToPixel(1259) + BlockLinePx(pic));
  pic.FontSize = font;
  pic.FontName = face;

  // Region boundaries, points and trails: the data, which the texts keep
  // clear of.
  TextPlacement place;
  place.Begin(pic);
  const DataMarksGuard data(pic, &place);
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

  // The region labels in clear places of their regions; the text block of
  // the current dataset and hour, in rows under the numbers: each height
  // beside the thickness above it, the level-1 line on top; the grid's
  // numbers at their places or near, clear of what reaches them from the
  // chart (a point on its edge) and of the rows.
  PlaceRegionLabels(pic, place, boundariesPx);
  double lower = 0, upper = 0;
  const bool have = Thicknesses(D, H, lower, upper);
  const double line = pic.PixelToY(BlockLinePx(pic)) - pic.PixelToY(0);
  const auto row = [&](int r, std::vector<RowText> texts) {
    PlaceRow(pic, place, numbersEnd + r * line, texts, 1505, TextPlacement::Ground::Box);
  };
  row(0, {{1505, "H 700:  " + Format(ThickHeights(D, H, 3), "#m"), kBlack},
          {1560, "1: " + Format(gPres(D, H, 1), "#.0mb ") + Format(gHght(D, H, 1), "#m"), kBlack}});
  row(1, {{1505, "H 850:  " + Format(ThickHeights(D, H, 2), "#m"), kBlack},
          {1533.5, "850-700: " + (have ? Format(upper, "#m") : std::string("--")), kBlack}});
  row(2, {{1505, "H1000:   " + Format(ThickHeights(D, H, 1), "#m"), kBlack},
          {1532, "1000-850: " + (have ? Format(lower, "#m") : std::string("--")), kBlack}});
  for (TextPlacement::Text& t : numbers) {
    t.move = TextPlacement::Move::Nearest;
    t.reach = pic.TextHeightPx("W");
    place.Add(t);
  }
  place.PrintAll(pic);

}

void PrecipTypePanel::PlaceRegionLabels(PictureBox& pic, TextPlacement& place,
                                        const std::vector<std::pair<QPointF, QPointF>>& boundariesPx) {
  const QRectF chart(QPointF(pic.XToPixel(1500), pic.YToPixel(1330)), QPointF(pic.XToPixel(1580), pic.YToPixel(1260)));
  using Segment = std::pair<QPointF, QPointF>;
  // The moves a label may take, picture pixels, the nearest first: at most
  // kReach each way in steps of kStep.
  constexpr int kReach = 16, kStep = 2;
  static const std::vector<QPointF> kMoves = [] {
    std::vector<QPointF> m;
    for (int dy = -kReach; dy <= kReach; dy += kStep)
      for (int dx = -kReach; dx <= kReach; dx += kStep) m.emplace_back(dx, dy);
    std::stable_sort(m.begin(), m.end(), [](const QPointF& a, const QPointF& b) {
      return a.x() * a.x() + a.y() * a.y() < b.x() * b.x() + b.y() * b.y();
    });
    return m;
  }();
  // A path that crosses no boundary keeps in one region.
  const auto staysIn = [&](const QPointF& from, const QPointF& to) {
    return std::none_of(boundariesPx.begin(), boundariesPx.end(),
                        [&](const Segment& seg) { return SegmentsCross(from, to, seg.first, seg.second); });
  };
  const double size = pic.FontSize;
  const std::string face = pic.FontName;
  // The faces and sizes a label tries, its own first: a region narrower
  // than its label in the panel's face may hold it condensed, or condensed
  // at the smallest size whose digits read (a size of 1 point asks for the
  // face's floor).
  const std::pair<std::string, double> sizes[] = {
      {face, size}, {picturetext::kCondensedFace, size}, {picturetext::kCondensedFace, 1}};
  for (const std::vector<RegionLabel>& label : kRegionLabelGroups) {
    // Its lines where they belong, else moved together to the nearest place
    // in its region inside the chart clear of the data and the labels
    // before it, in the first face and size that finds one; where none is,
    // in its own, over them.
    std::vector<TextPlacement::Text> lines;
    std::vector<QPointF> moves;
    for (const auto& [f, pt] : sizes) {
      pic.FontName = f;
      pic.FontSize = pt;
      lines.clear();
      QRectF rooms;
      std::vector<QRectF> inks;
      for (const RegionLabel& l : label) {
        lines.push_back(TextAt(pic, l.x, l.y, l.text, kBlack));
        inks.push_back(pic.TextInkPx(l.text).translated(lines.back().x, lines.back().y));
        rooms |= inks.back();
      }
      const QPointF anchor = rooms.center();
      moves.clear();
      for (const QPointF& m : kMoves)
        if (chart.contains(rooms.translated(m)) && staysIn(anchor, anchor + m)) moves.push_back(m);
      const auto clear = [&](const QPointF& m) {
        return std::all_of(inks.begin(), inks.end(), [&](const QRectF& ink) {
          const double margin = lines.front().margin;
          return place.Clear(ink.translated(m).adjusted(-margin, -margin, margin, margin));
        });
      };
      const auto found = std::find_if(moves.begin(), moves.end(), clear);
      if (found != moves.end()) {
        // Found: the first place of its moves from there on.
        moves.erase(moves.begin(), found);
        break;
      }
      if (&f == &sizes[std::size(sizes) - 1].first) {
        // None: in its own face and size, over the boundaries, where they
        // cross the least of its ends: first the place (of its moves) at
        // which it stands clear but for the fewest pixels at either end.
        pic.FontName = face;
        pic.FontSize = size;
        lines.clear();
        inks.clear();
        for (const RegionLabel& l : label) {
          lines.push_back(TextAt(pic, l.x, l.y, l.text, kBlack));
          inks.push_back(pic.TextInkPx(l.text).translated(lines.back().x, lines.back().y));
        }
        // How much of a line's ends the boundaries cross at a move: its
        // width less the longest run of its pixel columns that they leave
        // clear.
        const auto crossed = [&](const QPointF& m) {
          double sum = 0;
          for (const QRectF& ink : inks) {
            const QRectF at = ink.translated(m);
            const int n = static_cast<int>(std::ceil(at.width()));
            int run = 0, longest = 0;
            for (int i = 0; i < n; ++i) {
              run = place.Clear(QRectF(at.left() + i, at.top(), 1, at.height())) ? run + 1 : 0;
              longest = std::max(longest, run);
            }
            sum += n - longest;
          }
          return sum;
        };
        std::size_t best = 0;
        double least = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < moves.size(); ++i)
          if (const double c = crossed(moves[i]); c < least) {
            least = c;
            best = i;
          }
        if (!moves.empty()) {
          // Handed over as meant for there, where its last resort goes.
          const QPointF by = moves[best];
          for (TextPlacement::Text& t : lines) {
            t.x += by.x();
            t.y += by.y();
          }
          for (QPointF& m : moves) m -= by;
        }
      }
    }
    for (TextPlacement::Text& t : lines) {
      t.move = TextPlacement::Move::AmongPlaces;
      t.together = static_cast<int>(&label - &kRegionLabelGroups.front()) + 1;
      for (const QPointF& m : moves) t.places.emplace_back(t.x + m.x(), t.y + m.y());
      place.Add(t);
    }
    place.PlaceNow();
  }
  pic.FontName = face;
  pic.FontSize = size;
}

}  // namespace ondrik
