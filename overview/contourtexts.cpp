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

// The points tried along a line besides the tracing's places, at most:
// enough to find a gap among the texts of a busy picture, few enough to
// keep the search short; and per label's width of its length, so that a
// short line, which has little room to choose from, costs little.
constexpr size_t kMostPoints = 16;
constexpr double kPointsPerLabel = 2;
// And where none of those has room, the points tried along it at most.
constexpr size_t kMostDensePoints = 64;

// A corner a value may take and the point of its line it stands by.
struct Place {
  QPointF at, by;
};

// One line of a contour value, as far as it runs inside the picture
// unbroken: its text, colour, the places it may take in the order they are
// tried (round the tracing's places on it and points along it, on quiet
// ground where it has any), the tracing's places on it, the points along
// it, the width of its line and
// whether it runs a label's width.
struct ValueLine {
  int tag;
  std::string text;
  Color colour;
  std::vector<Place> places;  // on quiet ground where it has any
  std::vector<Place> anyGround;  // the same points, every place of them, best first
  std::vector<QPointF> own;     // the tracing's places on it
  std::vector<QPointF> points;  // along it, a few pixels apart
  int width = 1;                // of its pen
  bool long_ = false;
};

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
  void Add(int rank, const Place& p) { byRank_[static_cast<size_t>(rank)].push_back(p); }
  void Add(const RankedPlaces& o) {
    for (size_t r = 0; r < byRank_.size(); ++r) byRank_[r].insert(byRank_[r].end(), o.byRank_[r].begin(), o.byRank_[r].end());
  }
  // Those on quiet ground off the contours' lines.
  const std::vector<Place>& Clearest() const { return byRank_[0]; }
  // All of them, best first.
  std::vector<Place> All() const {
    std::vector<Place> out;
    for (const std::vector<Place>& r : byRank_) out.insert(out.end(), r.begin(), r.end());
    return out;
  }
  // Those on quiet ground, or where it has none, all.
  std::vector<Place> Best() const {
    std::vector<Place> out;
    for (size_t r = 0; r < byRank_.size() && (r < 2 || out.empty()); ++r)
      out.insert(out.end(), byRank_[r].begin(), byRank_[r].end());
    return out;
  }

 private:
  std::array<std::vector<Place>, 4> byRank_;
};

// The corners that put a label beside a point of its line, clear of the
// line by its room: below right (as the tracing's places), above right,
// below left, above left, below, above, right, left; and last on the point
// itself, in a gap of its line (drawn after the texts, it keeps out of
// their rooms); those whose ink stands inside the picture, each with the
// rank of its room.
class Corners {
 public:
  Corners(const PictureBox& pic, const Ranks& ranks, const std::string& text, int lineWidth)
      : ranks_(ranks), ink_(InkBox(pic, text, 0, 0)), scale_(pic.DeviceScale()),
        w_(pic.PixelWidth()), h_(pic.PixelHeight()), off_(kTextGap + lineWidth / 2.0 + kLineReach) {}
  double Width() const { return ink_.right - ink_.left; }
  void Round(const QPointF& by, RankedPlaces& out) const {
    static constexpr int kSides[9][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}, {0, 1}, {0, -1}, {1, 0}, {-1, 0}, {0, 0}};
    const double w = ink_.right - ink_.left, h = ink_.bottom - ink_.top, off = off_;
    for (const auto& [sx, sy] : kSides) {
      const double left = sx > 0 ? by.x() + off : sx < 0 ? by.x() - off - w : by.x() - w / 2;
      const double top = sy > 0 ? by.y() + off : sy < 0 ? by.y() - off - h : by.y() - h / 2;
      const double x = left - ink_.left, y = top - ink_.top;
      const PixelBox ink = InkMoved(ink_, scale_, x, y);
      if (ink.left < 1 || ink.top < 1 || ink.right > w_ - 1 || ink.bottom > h_ - 1) continue;
      out.Add(ranks_.Of(ink.Grown(kTextGap)), {QPointF(x, y), by});
    }
  }

 private:
  const Ranks& ranks_;
  PixelBox ink_;
  double scale_;
  int w_, h_;
  double off_;
};

// The pieces of the segments [from, to) inside the picture, a pixel in
// from its edges, gathered into lines: two pieces are of one line where
// one ends where the other begins (the tracing gives a crossing of two
// cells once, so both have it to the last bit); an end cut at the edge
// joins nothing. Each line: its pieces.
std::vector<std::vector<QLineF>> LinesInside(const std::vector<ContourLine>& segments, size_t from, size_t to, int w,
                                             int h) {
  std::vector<QLineF> pieces;
  struct End {
    double x, y;
    size_t piece;
  };
  std::vector<End> ends;
  for (size_t i = from; i < to; ++i) {
    const ContourLine& l = segments[i];
    double t0, t1;
    if (!SegmentInside(l.x1, l.y1, l.x2, l.y2, 1, 1, w - 1, h - 1, t0, t1)) continue;
    const QLineF whole(l.x1, l.y1, l.x2, l.y2);
    if (t0 == 0) ends.push_back({l.x1, l.y1, pieces.size()});
    if (t1 == 1) ends.push_back({l.x2, l.y2, pieces.size()});
    pieces.emplace_back(whole.pointAt(t0), whole.pointAt(t1));
  }
  // Union of the pieces that share an end.
  std::vector<size_t> up(pieces.size());
  for (size_t i = 0; i < up.size(); ++i) up[i] = i;
  const auto root = [&](size_t i) {
    while (up[i] != i) i = up[i] = up[up[i]];
    return i;
  };
  std::sort(ends.begin(), ends.end(), [](const End& a, const End& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
  for (size_t i = 1; i < ends.size(); ++i)
    if (ends[i].x == ends[i - 1].x && ends[i].y == ends[i - 1].y) up[root(ends[i].piece)] = root(ends[i - 1].piece);
  std::vector<std::vector<QLineF>> lines;
  std::vector<size_t> lineOf(pieces.size(), pieces.size());
  for (size_t i = 0; i < pieces.size(); ++i) {
    size_t& l = lineOf[root(i)];
    if (l == pieces.size()) {
      l = lines.size();
      lines.emplace_back();
    }
    lines[l].push_back(pieces[i]);
  }
  return lines;
}

// The lines of a field with the places each may take: round the tracing's
// own places on it first, then round points along it a few pixels apart,
// by rank.
std::vector<ValueLine> LinesOf(const PictureBox& pic, const Ranks& ranks, const TracedField& f) {
  std::vector<ValueLine> out;
  const int W = pic.PixelWidth(), H = pic.PixelHeight();
  // The lines of a value come together, in the order of the values (whose
  // tags rise), and so do its label places.
  size_t from = 0, label = 0;
  for (const ContourValue& v : f.values) {
    while (from < f.lines.size() && f.lines[from].tag < v.tag) ++from;
    size_t to = from;
    while (to < f.lines.size() && f.lines[to].tag == v.tag) ++to;
    while (label < f.labels.size() && f.labels[label].tag < v.tag) ++label;
    size_t labelsEnd = label;
    while (labelsEnd < f.labels.size() && f.labels[labelsEnd].tag == v.tag) ++labelsEnd;
    const Corners corners(pic, ranks, v.text, f.width);
    const std::vector<std::vector<QLineF>> lines = LinesInside(f.lines, from, to, W, H);
    // The tracing's places on each line: at an end of one of its pieces.
    struct End {
      QPointF at;
      size_t line;
    };
    std::vector<End> ends;
    for (size_t n = 0; n < lines.size(); ++n)
      for (const QLineF& p : lines[n]) ends.insert(ends.end(), {{p.p1(), n}, {p.p2(), n}});
    const auto before = [](const QPointF& a, const QPointF& b) { return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y(); };
    std::sort(ends.begin(), ends.end(), [&](const End& a, const End& b) { return before(a.at, b.at); });
    std::vector<std::vector<QPointF>> own(lines.size());
    for (size_t i = label; i < labelsEnd; ++i) {
      const QPointF at(f.labels[i].x, f.labels[i].y);
      const auto e = std::lower_bound(ends.begin(), ends.end(), at, [&](const End& a, const QPointF& p) { return before(a.at, p); });
      if (e != ends.end() && e->at == at) own[e->line].push_back(at);
    }
    for (size_t n = 0; n < lines.size(); ++n) {
      const std::vector<QLineF>& pieces = lines[n];
      ValueLine c{v.tag, v.text, v.colour, {}, {}, {}, {}, f.width, false};
      double length = 0;
      for (const QLineF& p : pieces) length += p.length();
      c.long_ = length >= corners.Width();
      // Points every few pixels, closer on a short line, one to a square of
      // that size; as many as are tried, spread over the line.
      const double step = std::clamp(length / 12, 2.0, std::max(2.0, corners.Width() / 2));
      struct Point {
        long key;
        QPointF at;
      };
      std::vector<Point> points;
      for (const QLineF& p : pieces) {
        const int n = std::min(64, static_cast<int>(p.length() / step));
        for (int k = 0; k <= n + 1; ++k) {
          const QPointF at = p.pointAt(std::min(1.0, k / (n + 1.0)));
          points.push_back({std::lround(at.y() / step) * 100000 + std::lround(at.x() / step), at});
        }
      }
      std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.key < b.key; });
      points.erase(std::unique(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.key == b.key; }),
                   points.end());
      // Round the tracing's places first, then round points along it; as
      // many of each as are tried, spread over it.
      RankedPlaces all;
      c.own = std::move(own[n]);
      const size_t most = std::clamp<size_t>(static_cast<size_t>(kPointsPerLabel * length / std::max(1.0, corners.Width())),
                                             1, kMostPoints);
      const auto spread = [&](size_t n) { return std::max<size_t>(1, (n + most - 1) / most); };
      for (size_t i = 0; c.long_ && i < c.own.size(); i += spread(c.own.size())) corners.Round(c.own[i], all);
      for (size_t i = 0; c.long_ && i < points.size(); i += spread(points.size())) corners.Round(points[i].at, all);
      c.places = all.Best();
      c.anyGround = all.All();
      for (const Point& p : points) c.points.push_back(p.at);
      out.push_back(std::move(c));
    }
    from = to;
    label = labelsEnd;
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
  // The title first, at its own place.
  for (TextPlacement::Text& t : first) place.Add(std::move(t));
  std::vector<ValueLine> valueLines;
  for (const TracedField& f : fields)
    for (ValueLine& c : LinesOf(pic, ranks, f)) valueLines.push_back(std::move(c));
  // 1. The value on every long line, those with the fewest places first (a
  // short one has little choice, a long one room to go elsewhere): each
  // where it stands clear before any is printed over the data.
  std::vector<ValueLine*> order;
  for (ValueLine& c : valueLines)
    if (c.long_ && !c.places.empty()) order.push_back(&c);
  std::stable_sort(order.begin(), order.end(),
                   [](const ValueLine* a, const ValueLine* b) { return a->places.size() < b->places.size(); });
  const auto value = [&](const ValueLine& c, const std::vector<Place>& places) {
    TextPlacement::Text t = PlaneTextAt(pic, c.text, places.front().at.x(), places.front().at.y(), c.colour);
    t.labels = TextPlacement::Labels::Point;
    t.of = places.front().by;
    t.move = TextPlacement::Move::AmongPlaces;
    t.places.reserve(places.size());
    t.placesOf.reserve(places.size());
    for (const Place& p : places) {
      t.places.push_back(p.at);
      t.placesOf.push_back(p.by);
    }
    return t;
  };
  std::map<int, std::vector<QRectF>> set;  // the values printed, by contour value
  place.PlaceNow();
  const size_t base = place.Results().size();
  std::vector<std::pair<ValueLine*, size_t>> handed;
  for (ValueLine* c : order) {
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
    // On any ground, clear of the data, else over the data, where it meets
    // no other text; where every place meets one, at more points along it;
    // and where even so every place meets one, over it at its first place:
    // a line without its value reads as its neighbour's.
    TextPlacement::Text t = value(*c, c->anyGround);
    t.leaveOut = LeaveOut::RatherThanOverText;
    place.Add(std::move(t));
    TextPlacement::Placed p = place.PlaceNow();
    if (p.leftOut) {
      const Corners corners(pic, ranks, c->text, c->width);
      RankedPlaces wide;
      const size_t stride = std::max<size_t>(1, (c->points.size() + kMostDensePoints - 1) / kMostDensePoints);
      for (size_t i = 0; i < c->points.size(); i += stride) corners.Round(c->points[i], wide);
      std::vector<Place> places = wide.All();
      if (places.empty()) places = c->anyGround;
      place.Add(value(*c, places));
      p = place.PlaceNow();
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
      t.labels = TextPlacement::Labels::Point;
      t.of = m.of;
      t.leaveOut = LeaveOut::RatherThanOverText;
      place.Add(std::move(t));
    }
  place.PlaceNow();
  // 3. More values round the tracing's places, a label's width apart along
  // a line, where they stand clear.
  for (const ValueLine& c : valueLines) {
    const Corners corners(pic, ranks, c.text, c.width);
    std::vector<QRectF>& mine = set[c.tag];
    const PixelBox ink = InkBox(pic, c.text, 0, 0);
    const double w = ink.right - ink.left, h = ink.bottom - ink.top;
    for (const QPointF& at : c.own) {
      // A label's width from the values of its contour value printed.
      const QRectF room(at.x() - 1.5 * w, at.y() - h / 2, 3 * w, h);
      if (std::any_of(mine.begin(), mine.end(), [&](const QRectF& o) { return room.intersects(o.adjusted(0, -1, 0, 1)); }))
        continue;
      RankedPlaces around;
      corners.Round(at, around);
      if (around.Clearest().empty()) continue;
      TextPlacement::Text t = value(c, around.Clearest());
      t.leaveOut = LeaveOut::UnlessClear;
      place.Add(std::move(t));
      const TextPlacement::Placed p = place.PlaceNow();
      if (!p.leftOut) mine.push_back(p.ink);
    }
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
