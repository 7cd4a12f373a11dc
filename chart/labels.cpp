#include "chart/labels.h"

#include <algorithm>
#include <cmath>

#include "platform/picturetext.h"

namespace ondrik {

namespace {

using Move = TextPlacement::Move;
using Labels = TextPlacement::Labels;

// How far (text lines) a marker of a level may slide along its row from
// its point: left, back over the trace it points at, and a little farther
// right, away from it.
constexpr double kLevelBackLines = 10;
constexpr double kLevelOnLines = 12;
// How far (text lines) a value at a point looks for a clear place; it
// never stands farther than a line from its point.
constexpr double kPointReachLines = 1;

// The order in which the kinds of text find their places: those with the
// least room first.
int Rank(LabelPlace place, bool shown) {
  if (!shown) return 10 + Rank(place, true);
  switch (place) {
    case LabelPlace::Title:  // the title, which names what the chart shows, at its one place
      return 0;
    case LabelPlace::UnderAxis:
    case LabelPlace::HeightAxis:
      return 1;
    case LabelPlace::AtPoint:  // a value by its point has the least room of all
      return 2;
    case LabelPlace::Column:  // the winds: a number beside another level's ring would read as true
    case LabelPlace::ColumnLeft:
    case LabelPlace::Strip:
      return 3;
    case LabelPlace::AlongRow:
      return 4;
    case LabelPlace::AtLevel:
      return 5;
  }
  return 6;
}

bool OfALevel(LabelPlace place) {
  switch (place) {
    case LabelPlace::Column:
    case LabelPlace::ColumnLeft:
    case LabelPlace::Strip:
    case LabelPlace::AtLevel:
    case LabelPlace::HeightAxis:
    case LabelPlace::AlongRow:
      return true;
    case LabelPlace::AtPoint:
    case LabelPlace::UnderAxis:
    case LabelPlace::Title:
      return false;
  }
  return false;
}

}  // namespace

void ChartLabels::Begin(const PictureBox& pic, double coveredTopPx) {
  collecting_ = true;
  shown_ = true;
  blocks_ = 0;
  topPx_ = std::max(coveredTopPx, 0.0);
  kept_.clear();
  printed_.clear();
  place_.Begin(pic);
  if (coveredTopPx > 0) place_.Hold(QRectF(0, 0, pic.PixelWidth(), coveredTopPx));
}

bool ChartLabels::Make(PictureBox& pic, const std::string& text, LabelPlace place, QPointF of, double lo, double hi,
                       TextPlacement::Text& t) const {
  t = TextPlacement::Text::At(pic, text);
  if (!std::isfinite(t.x) || !std::isfinite(t.y)) return false;
  const double line = pic.TextHeightPx(text), width = pic.TextWidthPx(text);
  const double W = pic.PixelWidth(), H = pic.PixelHeight();
  const QPointF at(pic.XToPixel(of.x()), pic.YToPixel(of.y()));
  const QRectF ink = pic.TextInkPx(text);
  // Where its strokes may stand: below what lies over the top with its
  // margin round them, and a picture pixel in from the picture's edges and
  // a device pixel more, for the rounding of its corner.
  const double slack = 1 / pic.DeviceScale();
  const double top = topPx_ > 0 ? topPx_ + t.margin : 1 + slack, bottom = H - 1 - slack;
  const double left = 1 + slack, right = W - 1 - slack;
  if (place != LabelPlace::Title && !std::isfinite(at.y())) return false;
  // Handed over where its strokes stand inside: it stands there or moves
  // as its kind says, and a last resort stands where it was handed over.
  t.x = std::clamp(t.x, left - ink.left(), std::max(left - ink.left(), right - ink.right()));
  const double meantY = t.y;
  t.y = std::clamp(t.y, top - ink.top(), std::max(top - ink.top(), bottom - ink.bottom()));
  // A text whose row or point has no room for it there (a level of a
  // zoomed chart above its top or under what lies over it, a point beyond
  // the picture) has nothing to stand by.
  if (place != LabelPlace::Title) {
    const QRectF in = ink.translated(t.x, t.y);
    // (Moved in from an edge, with a pixel to spare for the rounding of its
    // corner where it stands and of a smaller size's middle.)
    const double spare = (t.y != meantY ? -0.5 : 0.5) * slack;
    if (OfALevel(place) && std::abs(in.center().y() - at.y()) > 0.25 * line + spare) return false;
    const double dx = std::max({in.left() - at.x(), at.x() - in.right(), 0.0});
    const double dy = std::max({in.top() - at.y(), at.y() - in.bottom(), 0.0});
    if (!OfALevel(place) && std::hypot(dx, dy) > line + spare) return false;
  }
  double loPx = 0, hiPx = W;
  if (lo != 0 || hi != 0) {
    loPx = std::min(pic.XToPixel(lo), pic.XToPixel(hi));
    hiPx = std::max(pic.XToPixel(lo), pic.XToPixel(hi));
  }
  if (OfALevel(place)) {
    // Along its row.
    t.labels = Labels::Row;
    t.of = QPointF(t.x, at.y());
    t.move = Move::AlongRow;
    t.lo = loPx;
    t.hi = std::max(loPx, hiPx - width);
  }
  switch (place) {
    case LabelPlace::Column:
      // A wind's number that its room at the chart's edge does not hold
      // reads there smaller (the picture's edge bounds it, whatever its
      // size).
      t.hi = std::max(loPx, hiPx);
      break;
    case LabelPlace::ColumnLeft:
    case LabelPlace::HeightAxis:
    case LabelPlace::AlongRow:
      break;
    case LabelPlace::Strip:
      // Another dataset's value in the strip stands where it is clear: the
      // shown dataset's covers it where they meet.
      if (!shown_) t.leaveOut = TextPlacement::LeaveOut::UnlessClear;
      break;
    case LabelPlace::AtLevel:
      t.lo = t.x - kLevelBackLines * line;
      t.hi = t.x + kLevelOnLines * line;
      break;
    case LabelPlace::AtPoint:
    case LabelPlace::UnderAxis:
      // By its point, along its row first.
      t.labels = Labels::Point;
      t.of = at;
      t.move = Move::Nearest;
      t.reach = kPointReachLines * line;
      t.lo = t.x - width;
      t.hi = t.x + width;
      break;
    case LabelPlace::Title:
      // At its place, smaller there where it must; a name too long for a
      // narrow picture reads in the narrower face.
      t.move = Move::Fixed;
      t.condensedFace = picturetext::kCondensedFace;
      break;
  }
  return true;
}

void ChartLabels::Print(PictureBox& pic, const std::string& text, LabelPlace place, QPointF of, double lo, double hi) {
  if (!collecting_) {
    pic.Print(text, false);
    return;
  }
  TextPlacement::Text t;
  if (Make(pic, text, place, of, lo, hi, t)) kept_.push_back({Rank(place, shown_), std::move(t)});
}

void ChartLabels::PrintAmong(PictureBox& pic, const std::string& text, LabelPlace place, QPointF of,
                             const std::vector<double>& xs) {
  if (!collecting_) {
    pic.Print(text, false);
    return;
  }
  TextPlacement::Text t;
  if (!Make(pic, text, place, of, 0, 0, t)) return;
  t.move = Move::AmongPlaces;
  for (const double x : xs) t.places.emplace_back(pic.XToPixel(x), t.y);
  kept_.push_back({Rank(place, shown_), std::move(t)});
}

void ChartLabels::PrintBlock(PictureBox& pic, const std::vector<Line>& lines, LabelPlace place, QPointF of, double lo,
                             double hi) {
  if (lines.size() == 1 || !collecting_) {
    for (const Line& l : lines) {
      pic.CurrentX = l.x;
      pic.CurrentY = l.y;
      Print(pic, l.text, place, of, lo, hi);
    }
    return;
  }
  std::vector<TextPlacement::Text> block;
  for (const Line& l : lines) {
    pic.CurrentX = l.x;
    pic.CurrentY = l.y;
    TextPlacement::Text t;
    if (!Make(pic, l.text, place, of, lo, hi, t)) return;  // the block whole or not at all
    block.push_back(std::move(t));
  }
  // They move as one along the row of the first, as far as each still
  // stands by what it labels.
  const int id = ++blocks_;
  const TextPlacement::Text lead = block.front();
  for (TextPlacement::Text& t : block) {
    t.together = id;
    if (lead.move == Move::Nearest) {
      t.move = Move::AlongRow;
      t.lo = lead.x - lead.reach;
      t.hi = lead.x + lead.reach;
    }
    kept_.push_back({Rank(place, shown_), std::move(t)});
  }
}

void ChartLabels::PrintAll(PictureBox& pic) {
  collecting_ = false;
  std::stable_sort(kept_.begin(), kept_.end(), [](const Kept& a, const Kept& b) { return a.rank < b.rank; });
  for (Kept& k : kept_) place_.Add(std::move(k.text));
  kept_.clear();
  place_.PrintAll(pic);
  for (const TextPlacement::Placed& p : place_.Results())
    if (!p.leftOut && !p.ink.isEmpty()) printed_.push_back(p.ink);
}

}  // namespace ondrik
