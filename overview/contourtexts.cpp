#include "overview/contourtexts.h"

#include <QLineF>
#include <QPointF>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

#include "overview/draw.h"
#include "overview/plotters.h"
#include "platform/clipsegment.h"
#include "platform/picturebox.h"

namespace ondrik {

namespace {

using LeaveOut = TextPlacement::LeaveOut;

// The points tried along a contour besides the tracing's places, at most:
// enough to find a gap among the texts of a busy picture, few enough to
// keep the search short.
constexpr size_t kMostPoints = 32;

// One contour value of a field: its text, colour, the corners it may take
// in the order they are tried (round the tracing's places and points along
// it, on quiet ground where it has any), the clearest corners round each
// of the tracing's places, the points along it, the width of its line and
// whether it runs a label's width inside the picture.
struct Contour {
  int tag;
  std::string text;
  Color colour;
  std::vector<QPointF> places;
  std::vector<std::vector<QPointF>> aroundOwn;  // the corners round each of the tracing's places
  std::vector<QPointF> points;  // every point along it inside the picture, a few pixels apart
  int width = 1;                // of its line
  bool long_ = false;
};

// How far the part of a segment inside the picture, a pixel in from its
// edges, runs.
double LengthInside(const ContourLine& s, int w, int h) {
  double t0, t1;
  if (!SegmentInside(s.x1, s.y1, s.x2, s.y2, 1, 1, w - 1, h - 1, t0, t1)) return 0;
  return (t1 - t0) * std::hypot(s.x2 - s.x1, s.y2 - s.y1);
}

// How far past half its pen a line's data reaches: the half pixel round
// its middle the placement adds, and the pixels its cells round up to.
constexpr double kLineReach = 2.5;

// What a place of the plane stands on, best first: quiet ground off the
// contours' lines; quiet ground over them (drawn after the texts, they keep
// out of the texts' rooms); and, for a text that has no place on quiet
// ground, the same off quiet ground (a text half on a cell reads on its
// rim, but stands better on one colour over the data).
class Ranks {
 public:
  Ranks(const QuietGround& quiet, const TextPlacement& contours) : quiet_(quiet), contours_(contours) {}
  int Of(const PixelBox& room) const {
    const QRectF r(room.left, room.top, room.right - room.left, room.bottom - room.top);
    return (quiet_.Under(room) ? 0 : 2) + (contours_.Clear(r) ? 0 : 1);
  }

 private:
  const QuietGround& quiet_;
  const TextPlacement& contours_;
};

// Places gathered by rank, given back best first.
class RankedPlaces {
 public:
  void Add(int rank, const QPointF& p) { byRank_[static_cast<size_t>(rank)].push_back(p); }
  // Those on quiet ground off the contours' lines.
  const std::vector<QPointF>& Clearest() const { return byRank_[0]; }
  // All of them, best first.
  std::vector<QPointF> All() const {
    std::vector<QPointF> out;
    for (const std::vector<QPointF>& r : byRank_) out.insert(out.end(), r.begin(), r.end());
    return out;
  }
  // Those on quiet ground, or where it has none, all.
  std::vector<QPointF> Best() const {
    std::vector<QPointF> out;
    for (size_t r = 0; r < byRank_.size() && (r < 2 || out.empty()); ++r)
      out.insert(out.end(), byRank_[r].begin(), byRank_[r].end());
    return out;
  }

 private:
  std::array<std::vector<QPointF>, 4> byRank_;
};

// The corners that put a label beside a point of its line, clear of the
// line by its room: below right (as the tracing's places), above right,
// below left, above left, below, above, right, left; those whose ink
// stands inside the picture, each with the rank of its room.
class Corners {
 public:
  Corners(const PictureBox& pic, const Ranks& ranks, const std::string& text, int lineWidth)
      : ranks_(ranks), ink_(InkBox(pic, text, 0, 0)), scale_(pic.DeviceScale()),
        w_(pic.PixelWidth()), h_(pic.PixelHeight()), off_(kTextGap + lineWidth / 2.0 + kLineReach) {}
  double Width() const { return ink_.right - ink_.left; }
  // `farther` times as far from the line.
  void Round(double px, double py, RankedPlaces& out, double farther = 1) const {
    static constexpr int kSides[8][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}, {0, 1}, {0, -1}, {1, 0}, {-1, 0}};
    const double w = ink_.right - ink_.left, h = ink_.bottom - ink_.top, off = off_ * farther;
    for (const auto& [sx, sy] : kSides) {
      const double left = sx > 0 ? px + off : sx < 0 ? px - off - w : px - w / 2;
      const double top = sy > 0 ? py + off : sy < 0 ? py - off - h : py - h / 2;
      const double x = left - ink_.left, y = top - ink_.top;
      const PixelBox ink = InkMoved(ink_, scale_, x, y);
      if (ink.left < 1 || ink.top < 1 || ink.right > w_ - 1 || ink.bottom > h_ - 1) continue;
      out.Add(ranks_.Of(ink.Grown(kTextGap)), QPointF(x, y));
    }
  }

 private:
  const Ranks& ranks_;
  PixelBox ink_;
  double scale_;
  int w_, h_;
  double off_;
};

// The contours of a field with the places each may take: round the
// tracing's own places first, then round points along its lines inside
// the picture a few pixels apart, by rank.
std::vector<Contour> ContoursOf(const PictureBox& pic, const Ranks& ranks, const TracedField& f) {
  std::map<int, size_t> byTag;
  std::vector<Contour> out;
  for (const ContourValue& v : f.values) {
    byTag[v.tag] = out.size();
    out.push_back({v.tag, v.text, v.colour, {}, {}, {}});
  }
  const int W = pic.PixelWidth(), H = pic.PixelHeight();
  // The lines of a value come together, in the order of the values (whose
  // tags rise).
  size_t from = 0;
  for (Contour& c : out) {
    while (from < f.lines.size() && f.lines[from].tag < c.tag) ++from;
    size_t to = from;
    double length = 0;
    while (to < f.lines.size() && f.lines[to].tag == c.tag) length += LengthInside(f.lines[to++], W, H);
    const Corners corners(pic, ranks, c.text, f.width);
    c.long_ = length >= corners.Width();
    c.width = f.width;
    // Points every few pixels, closer on a short contour, one to a square
    // of that size; as many as are tried, spread over the contour.
    const double step = std::clamp(length / 12, 2.0, std::max(2.0, corners.Width() / 2));
    struct Point {
      long key;
      double x, y;
    };
    std::vector<Point> points;
    for (size_t i = from; i < to && c.long_; ++i) {
      const ContourLine& l = f.lines[i];
      const double dx = l.x2 - l.x1, dy = l.y2 - l.y1;
      const int n = std::min(64, static_cast<int>(std::hypot(dx, dy) / step));
      for (int k = 0; k <= n + 1; ++k) {
        const double t = std::min(1.0, k / (n + 1.0)), px = l.x1 + t * dx, py = l.y1 + t * dy;
        if (px < 1 || py < 1 || px > W - 1 || py > H - 1) continue;
        points.push_back({std::lround(py / step) * 100000 + std::lround(px / step), px, py});
      }
    }
    std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.key < b.key; });
    points.erase(std::unique(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.key == b.key; }),
                 points.end());
    RankedPlaces all;
    for (const PlaneText& t : f.labels) {
      if (t.tag != c.tag) continue;
      // A place on the picture's outermost pixels is on no line one sees.
      if (t.x < 1 || t.y < 1 || t.x > W - 1 || t.y > H - 1) continue;
      RankedPlaces around;
      corners.Round(t.x, t.y, around);
      c.aroundOwn.push_back(around.Clearest());
      if (c.long_) corners.Round(t.x, t.y, all);
    }
    const size_t stride = std::max<size_t>(1, (points.size() + kMostPoints - 1) / kMostPoints);
    for (size_t i = 0; i < points.size(); i += stride) corners.Round(points[i].x, points[i].y, all);
    c.places = all.Best();
    for (const Point& p : points) c.points.emplace_back(p.x, p.y);
    from = to;
  }
  return out;
}

}  // namespace

TextPlacement::Text PlaneTextAt(const PictureBox& pic, const std::string& text, double x, double y, Color c) {
  TextPlacement::Text t;
  t.text = text;
  t.x = x;
  t.y = y;
  t.fontName = pic.FontName;
  t.fontSize = pic.FontSize;
  t.fontBold = pic.FontBold;
  t.colour = c;
  t.ground = TextPlacement::Ground::Rim;
  t.lastResortGround = TextPlacement::Ground::None;
  t.margin = kTextGap;
  // The plane's face stands a pixel above the floor: a smaller one would
  // gain no room, and would not stand where its places put it.
  t.mayShrink = false;
  return t;
}

void PlaceContourTexts(PictureBox& pic, TextPlacement& place, std::vector<TracedField>& fields,
                       std::vector<TextPlacement::Text> first) {
  if (fields.empty() && first.empty()) return;
  // A text stands on one colour of the cells and bars painted, or on the
  // black back colour and the dark shading of the driest humidity class,
  // which both lie far under its brightness; off the contours' lines where
  // it can.
  const QuietGround quiet(pic, {pic.BackColor, HumidityClassColour(1)});
  TextPlacement lines;
  lines.Begin(pic);
  for (const TracedField& f : fields)
    for (const ContourLine& l : f.lines) lines.Segment(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2), f.width);
  const Ranks ranks(quiet, lines);
  // The title first, at its best places first.
  for (TextPlacement::Text& t : first) {
    // Its ink in its own face.
    const std::string face = pic.FontName;
    const double size = pic.FontSize;
    const bool bold = pic.FontBold;
    pic.FontName = t.fontName;
    pic.FontSize = t.fontSize;
    pic.FontBold = t.fontBold;
    const PixelBox ink = InkBox(pic, t.text, 0, 0);
    pic.FontName = face;
    pic.FontSize = size;
    pic.FontBold = bold;
    RankedPlaces ranked;
    for (const QPointF& p : t.places)
      ranked.Add(ranks.Of(InkMoved(ink, pic.DeviceScale(), p.x(), p.y()).Grown(t.margin)), p);
    t.places = ranked.Best();
    place.Add(std::move(t));
  }
  std::vector<Contour> contours;
  for (const TracedField& f : fields)
    for (Contour& c : ContoursOf(pic, ranks, f)) contours.push_back(std::move(c));
  // 1. One value on every long contour, those with the fewest places first
  // (a short one has little choice, a long one room to go elsewhere): each
  // where it stands clear before any is printed over the data.
  std::vector<Contour*> order;
  for (Contour& c : contours)
    if (c.long_ && !c.places.empty()) order.push_back(&c);
  std::stable_sort(order.begin(), order.end(),
                   [](const Contour* a, const Contour* b) { return a->places.size() < b->places.size(); });
  const auto value = [&](const Contour& c, const std::vector<QPointF>& places) {
    TextPlacement::Text t = PlaneTextAt(pic, c.text, places.front().x(), places.front().y(), c.colour);
    t.move = TextPlacement::Move::AmongPlaces;
    t.places = places;
    return t;
  };
  std::map<int, std::vector<QRectF>> set;  // the values printed, by contour
  place.PlaceNow();
  const size_t base = place.Results().size();
  std::vector<std::pair<Contour*, size_t>> handed;
  for (Contour* c : order) {
    TextPlacement::Text t = value(*c, c->places);
    t.leaveOut = LeaveOut::UnlessClear;
    place.Add(std::move(t));
    handed.emplace_back(c, base + handed.size());
  }
  place.PlaceNow();
  for (const auto& [c, i] : handed) {
    if (const TextPlacement::Placed& clear = place.Results()[i]; !clear.leftOut) {
      set[c->tag].push_back(clear.ink);
      continue;
    }
    // Over the data, not over another text; where every place meets one,
    // at every point along it and farther from it too.
    TextPlacement::Text t = value(*c, c->places);
    t.leaveOut = LeaveOut::RatherThanOverText;
    place.Add(std::move(t));
    TextPlacement::Placed p = place.PlaceNow();
    if (p.leftOut) {
      const Corners corners(pic, ranks, c->text, c->width);
      RankedPlaces wide;
      for (const double farther : {1.0, 2.0})
        for (const QPointF& at : c->points) corners.Round(at.x(), at.y(), wide, farther);
      if (const std::vector<QPointF> places = wide.All(); !places.empty()) {
        place.Add(value(*c, places));
        p = place.PlaceNow();
      }
    }
    if (!p.leftOut) set[c->tag].push_back(p.ink);
  }
  // 2. The marks of the extremes inside the picture, where no other text
  // stands.
  for (const TracedField& f : fields)
    for (const PlaneText& m : f.marks) {
      const PixelBox ink = InkBox(pic, m.text, m.x, m.y);
      if (ink.left < 1 || ink.top < 1 || ink.right > pic.PixelWidth() - 1 || ink.bottom > pic.PixelHeight() - 1) continue;
      TextPlacement::Text t = PlaneTextAt(pic, m.text, m.x, m.y, m.colour);
      t.leaveOut = LeaveOut::RatherThanOverText;
      place.Add(std::move(t));
    }
  place.PlaceNow();
  // 3. More values round the tracing's places, a label's width apart along
  // a contour, where they stand clear.
  for (const Contour& c : contours)
    for (const std::vector<QPointF>& around : c.aroundOwn) {
      if (around.empty()) continue;
      TextPlacement::Text t = value(c, around);
      t.leaveOut = LeaveOut::UnlessClear;
      std::vector<QRectF>& mine = set[c.tag];
      const auto near = [&](const QRectF& ink) {
        return std::any_of(mine.begin(), mine.end(), [&](const QRectF& o) {
          return ink.adjusted(-ink.width(), 0, ink.width(), 0).intersects(o.adjusted(0, -1, 0, 1));
        });
      };
      // Tried at its first corner before it is handed over: most are near
      // a value printed already.
      const PixelBox firstInk = InkBox(pic, c.text, around.front().x(), around.front().y());
      if (near(QRectF(firstInk.left, firstInk.top, firstInk.right - firstInk.left, firstInk.bottom - firstInk.top)))
        continue;
      place.Add(std::move(t));
      const TextPlacement::Placed p = place.PlaceNow();
      if (!p.leftOut) mine.push_back(p.ink);
    }
  // The lines, field by field and one stroke per colour, keeping out of
  // the texts' rooms; they are data.
  const DataMarksGuard data(pic, &DataShapes());
  const int width = pic.DrawWidth;
  std::vector<QLineF> pieces;
  for (const TracedField& f : fields) {
    struct Strokes {
      std::vector<double> xy;
      std::vector<PictureBox::PointRun> runs;
    };
    std::map<Color, Strokes> byColour;
    for (const ContourLine& l : f.lines) {
      pieces.clear();
      place.ClearOfTexts(QLineF(l.x1, l.y1, l.x2, l.y2), f.width, pieces);
      Strokes& s = byColour[l.colour];
      for (const QLineF& p : pieces) {
        s.runs.push_back({s.xy.size() / 2, 2});
        s.xy.insert(s.xy.end(),
                    {pic.PixelToX(p.x1()), pic.PixelToY(p.y1()), pic.PixelToX(p.x2()), pic.PixelToY(p.y2())});
      }
    }
    pic.DrawWidth = f.width;
    for (const auto& [colour, s] : byColour) pic.PolyLines(s.xy, s.runs, colour);
  }
  pic.DrawWidth = width;
  fields.clear();
}

}  // namespace ondrik
