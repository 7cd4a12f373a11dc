// Where the texts of a picture go: the search of each text's places and
// sizes among the marks and the texts before it, and their printing.
#include "platform/textplace.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

#include "platform/clipsegment.h"
#include "platform/picturetext.h"

namespace ondrik {

namespace {

// Smaller sizes a text tries before its last resort, the last of them the
// face's floor.
constexpr int kShrinkSteps = 2;
// Steps between the rows tried off a text's own, in its line heights: half
// a line near it and over a region, a line where a last resort looks
// farther.
constexpr double kNearStep = 0.5;

// A text laid out in a font at a picture's scale: its advance and line in
// picture pixels, its strokes in device pixels from its top-left corner.
struct Laid {
  double width = 0, height = 0;
  QRectF inkDev;
  int devicePx = 0;  // the font's size
};

Laid Lay(const std::string& face, double pt, bool bold, double scale, const std::string& text) {
  const picturetext::FontEntry& f = picturetext::FontFor(face, pt, bold, scale);
  const picturetext::LaidOutText& t = picturetext::TextIn(f, text);
  return {t.width / scale, f.height / scale, t.ink, f.font.pixelSize()};
}

// The strokes of a laid-out text printed with its top-left corner at (x, y),
// picture pixels: the corner goes to the nearest device pixel.
QRectF InkAt(const Laid& l, double x, double y, double scale) {
  const QRectF d = l.inkDev.translated(std::floor(x * scale + 0.5), std::floor(y * scale + 0.5));
  return {d.left() / scale, d.top() / scale, d.width() / scale, d.height() / scale};
}

// The device pixels a rectangle of picture pixels touches.
QRect DeviceBox(const QRectF& r, double scale) {
  return QRect(QPoint(static_cast<int>(std::floor(r.left() * scale)), static_cast<int>(std::floor(r.top() * scale))),
               QPoint(static_cast<int>(std::ceil(r.right() * scale)) - 1,
                      static_cast<int>(std::ceil(r.bottom() * scale)) - 1));
}

// The corner on the device pixel a text printed there has its corner on
// (the nearest): so that a corner half a device pixel off, taken to the
// picture's scale and back when printed, lands where its ink was reckoned.
QPointF OnDevicePixel(const QPointF& at, double scale) {
  return {std::floor(at.x() * scale + 0.5) / scale, std::floor(at.y() * scale + 0.5) / scale};
}

// Whether a text's strokes at `ink` (picture pixels), in a size whose line
// is `line` tall, still read as what it labels: a level's text with its
// middle within a quarter of its line of the row, a point's text within its
// line's height of the point (half a device pixel of rounding either way).
bool ReadsAsItsOwn(const TextPlacement::Text& t, const QRectF& ink, double line, double scale, const QPointF& of) {
  const double slack = 0.5 / scale;
  switch (t.labels) {
    case TextPlacement::Labels::Row:
      return std::abs(ink.center().y() - of.y()) <= 0.25 * line + slack;
    case TextPlacement::Labels::Point: {
      const double dx = std::max({ink.left() - of.x(), of.x() - ink.right(), 0.0});
      const double dy = std::max({ink.top() - of.y(), of.y() - ink.bottom(), 0.0});
      return dx * dx + dy * dy <= (line + slack) * (line + slack);
    }
    case TextPlacement::Labels::Place:
      return true;
  }
  return true;
}
bool ReadsAsItsOwn(const TextPlacement::Text& t, const QRectF& ink, double line, double scale) {
  return ReadsAsItsOwn(t, ink, line, scale, t.of);
}

// The point the i-th of a text's places stands by.
const QPointF& PointOfPlace(const TextPlacement::Text& t, std::size_t i) {
  return i < t.placesOf.size() ? t.placesOf[i] : t.of;
}

// The width of a blank in a face and size, picture pixels: what a text
// keeps from a text beside it.
double BlankWidth(const std::string& face, double pt, bool bold, double scale) {
  const picturetext::FontEntry& f = picturetext::FontFor(face, pt, bold, scale);
  return picturetext::TextIn(f, " ").width / scale;
}

}  // namespace

TextPlacement::Text TextPlacement::Text::At(const PictureBox& pic, const std::string& text) {
  Text t;
  t.text = text;
  t.x = pic.XToPixel(pic.CurrentX);
  t.y = pic.YToPixel(pic.CurrentY);
  t.fontName = pic.FontName;
  t.fontSize = pic.FontSize;
  t.fontBold = pic.FontBold;
  t.colour = pic.ForeColor;
  return t;
}

void TextPlacement::Begin(const PictureBox& pic) {
  w_ = pic.PixelWidth();
  h_ = pic.PixelHeight();
  scale_ = pic.DeviceScale();
  words_ = w_ / 64 + 1;  // a bit past the last column, always set in a band
  for (Cells* cells : {&data_, &tagged_, &texts_, &taken_})
    cells->assign(static_cast<std::size_t>(words_) * static_cast<std::size_t>(h_), 0);
  bucketCols_ = w_ / kBucket + 1;
  bucketRows_ = h_ / kBucket + 1;
  for (auto* buckets : {&roomBuckets_, &lineBuckets_}) {
    buckets->resize(static_cast<std::size_t>(bucketCols_ * bucketRows_));
    for (std::vector<int>& b : *buckets) b.clear();
  }
  rooms_.clear();
  outerOf_ = kNotBuilt;
  held_.clear();
  lines_.clear();
  queued_.clear();
  placed_.clear();
  printed_ = 0;
  tags_ = 0;
  markTag_ = 0;
}

void TextPlacement::Hold(const QRectF& room) {
  if (!FiniteRect(room)) return;
  held_.push_back(room.normalized());
  TakeRoom(room.normalized(), CellsOf(room.normalized()));
}

void TextPlacement::TakeRoom(const QRectF& r, const QRect& cells) {
  const int i = static_cast<int>(rooms_.size());
  rooms_.push_back(r);
  EachBucket(r, [&](std::size_t c) { roomBuckets_[c].push_back(i); });
  SetCells(texts_, words_, w_, h_, cells.left(), cells.top(), cells.right(), cells.bottom());
  SetCells(taken_, words_, w_, h_, cells.left(), cells.top(), cells.right(), cells.bottom());
}

QRect TextPlacement::Beside(const QRect& cells, const Text& t, const std::string& face, double pt) const {
  const int more = static_cast<int>(std::ceil(BlankWidth(face, pt, t.fontBold, scale_) - std::max(t.margin, 0.0)));
  return more > 0 ? cells.adjusted(-more, 0, more, 0) : cells;
}

TextPlacement::Sources TextPlacement::SourcesOf(bool data, bool lines) const {
  if (data && lines) return {&taken_, nullptr};
  if (data) return {&texts_, &data_};
  if (lines) return {&texts_, &tagged_};
  return {&texts_, nullptr};
}

QRect TextPlacement::CellsOf(const QRectF& r) {
  const auto cell = [](double v) { return static_cast<int>(std::floor(std::clamp(v, -1e6, 1e6))); };
  return QRect(QPoint(cell(r.left()), cell(r.top())), QPoint(cell(std::ceil(r.right())) - 1, cell(std::ceil(r.bottom())) - 1));
}

bool TextPlacement::CellsFree(const QRect& cells, bool data, bool lines) const {
  const auto [one, other] = SourcesOf(data, lines);
  const int x0 = std::max(cells.left(), 0), x1 = std::min(cells.right(), w_ - 1);
  for (int y = std::max(cells.top(), 0); y <= std::min(cells.bottom(), h_ - 1); ++y) {
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(words_);
    for (int x = x0; x <= x1;) {
      const int bit = x % 64, n = std::min(64 - bit, x1 - x + 1);
      const std::uint64_t mask = (n == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << n) - 1)) << bit;
      const std::size_t i = at + static_cast<std::size_t>(x / 64);
      const std::uint64_t v = (*one)[i] | (other != nullptr ? (*other)[i] : 0);
      if ((v & mask) != 0) return false;
      x += n;
    }
  }
  return true;
}

bool TextPlacement::Clear(const QRectF& room, int tag) const {
  return FiniteRect(room) && CellsFree(CellsOf(room), true, tag == 0) && (tag == 0 || ClearOfOtherLines(room, tag));
}

bool TextPlacement::ClearOfOtherLines(const QRectF& r, int tag) const {
  bool clear = true;
  EachBucket(r, [&](std::size_t c) {
    for (const int i : lineBuckets_[c]) {
      const TaggedLine& l = lines_[static_cast<std::size_t>(i)];
      double t0, t1;
      if (clear && l.tag != tag &&
          SegmentInside(l.line.x1(), l.line.y1(), l.line.x2(), l.line.y2(), r.left() - l.half, r.top() - l.half,
                        r.right() + l.half, r.bottom() + l.half, t0, t1))
        clear = false;
    }
  });
  return clear;
}

void TextPlacement::Band(int y0, int y1, bool data, bool lines, int from, int to, Cells& band) const {
  // Nothing stands off the picture (whether a text's strokes stay inside it
  // is asked of each place).
  band.assign(static_cast<std::size_t>(words_) + 2, 0);
  from = std::max(from, 0);
  to = std::min(to, words_ - 1);
  const auto [one, other] = SourcesOf(data, lines);
  std::uint64_t* const out = band.data();
  for (int y = std::max(y0, 0); y < std::min(y1, h_); ++y) {
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(words_);
    const std::uint64_t* const a = one->data() + at;
    if (other == nullptr) {
      for (int i = from; i <= to; ++i) out[i] |= a[i];
    } else {
      const std::uint64_t* const b = other->data() + at;
      for (int i = from; i <= to; ++i) out[i] |= a[i] | b[i];
    }
  }
}

void TextPlacement::Add(Text text) { queued_.push_back(std::move(text)); }

TextPlacement::Placed TextPlacement::PlaceNow() {
  while (placed_.size() < queued_.size()) {
    const std::size_t i = placed_.size();
    std::size_t j = i + 1;
    while (queued_[i].together != 0 && j < queued_.size() && queued_[j].together == queued_[i].together) ++j;
    if (j - i > 1)
      PlaceTogether(i, j);
    else
      PlaceOne(queued_[i]);
  }
  return placed_.empty() ? Placed{} : placed_.back();
}

void TextPlacement::PlaceTogether(std::size_t first, std::size_t last) {
  const double s = scale_;
  const Text& lead = queued_[first];
  std::vector<Laid> laid;
  for (std::size_t i = first; i < last; ++i)
    laid.push_back(Lay(queued_[i].fontName, queued_[i].fontSize, queued_[i].fontBold, s, queued_[i].text));
  const QRectF picture(1, 1, w_ - 2, h_ - 2);
  // The ink and the cells of each when they move by (dx, dy).
  const auto ink = [&](std::size_t i, double dx, double dy) {
    return InkAt(laid[i - first], queued_[i].x + dx, queued_[i].y + dy, s);
  };
  const auto cells = [&](std::size_t i, const QRectF& r) {
    const int m = static_cast<int>(std::ceil(std::max(queued_[i].margin, 0.0)));
    return CellsOf(r).adjusted(-m, -m, m, m);
  };
  const auto room = [&](std::size_t i, const QRectF& r) {
    const double m = queued_[i].margin;
    return r.adjusted(-m, -m, m, m);
  };
  // Whether all stand inside the picture on free cells (of data too, when
  // asked), clear of the lines of other tags.
  const auto free = [&](double dx, double dy, bool data) {
    for (std::size_t i = first; i < last; ++i) {
      const QRectF r = ink(i, dx, dy);
      if (!FiniteRect(r) || !picture.contains(r) || !ReadsAsItsOwn(queued_[i], r, laid[i - first].height, s) ||
          !CellsFree(cells(i, r), data, data && queued_[i].tag == 0))
        return false;
      if (queued_[i].tag != 0 && !ClearOfOtherLines(room(i, r), queued_[i].tag)) return false;
    }
    return true;
  };
  // The moves tried, the best first: none, then along its row or among its
  // places.
  std::vector<QPointF> moves = {QPointF()};
  if (lead.move == Move::AmongPlaces)
    for (const QPointF& p : lead.places) moves.push_back(p - QPointF(lead.x, lead.y));
  if (lead.move == Move::AlongRow)
    for (int d = 1; lead.x + d <= lead.hi || lead.x - d >= lead.lo; ++d) {
      if (lead.x + d <= lead.hi) moves.emplace_back(d, 0);
      if (lead.x - d >= lead.lo) moves.emplace_back(-d, 0);
    }
  if (lead.move == Move::Region) {
    // The moves that keep every one's strokes in the region, by a quarter of
    // a line, the nearest first.
    QRectF all;
    for (std::size_t i = first; i < last; ++i) all |= ink(i, 0, 0);
    const double step = std::max(1.0, std::round(kNearStep * laid.front().height));
    std::vector<QPointF> inRegion;
    for (double dy = std::ceil((lead.region.top() - all.top()) / step) * step; all.bottom() + dy <= lead.region.bottom();
         dy += step)
      for (double dx = std::ceil((lead.region.left() - all.left()) / step) * step;
           all.right() + dx <= lead.region.right(); dx += step)
        inRegion.emplace_back(dx, dy);
    std::stable_sort(inRegion.begin(), inRegion.end(), [](const QPointF& a, const QPointF& b) {
      return a.x() * a.x() + a.y() * a.y() < b.x() * b.x() + b.y() * b.y();
    });
    moves.insert(moves.end(), inRegion.begin(), inRegion.end());
  }
  // Where the movement lets each stand: the union of its inks at every move.
  std::vector<QRectF> within(last - first);
  for (const QPointF& by : moves)
    for (std::size_t i = first; i < last; ++i) within[i - first] |= ink(i, by.x(), by.y());
  const auto take = [&](const QPointF& by, bool lastResort) {
    for (std::size_t i = first; i < last; ++i) {
      const Text& t = queued_[i];
      const QPointF at = OnDevicePixel(QPointF(t.x, t.y) + by, s);
      const QRectF r = InkAt(laid[i - first], at.x(), at.y(), s);
      TakeRoom(room(i, r), Beside(cells(i, r), t, t.fontName, t.fontSize));
      Placed p{at, t.fontSize, t.fontName, r, lastResort ? t.lastResortGround : t.ground, lastResort};
      p.moved = at - OnDevicePixel(QPointF(t.x, t.y), s);
      p.within = within[i - first];
      p.of = t.of;
      placed_.push_back(p);
    }
  };
  for (const QPointF& by : moves)
    if (free(by.x(), by.y(), true)) return take(by, false);
  // The last resort: the first of its moves that meets no text, else where
  // they are meant for.
  for (const QPointF& by : moves)
    if (free(by.x(), by.y(), false)) return take(by, true);
  take(QPointF(), true);
}

namespace {

using Cells = std::vector<std::uint64_t>;

// The first set bit of a band at or after i (i >= 0), and the first clear
// one; past its last word every bit counts as set.
int FirstSet(const Cells& band, int i) {
  const int end = static_cast<int>(band.size()) * 64;
  while (i < end) {
    const std::size_t w = static_cast<std::size_t>(i / 64);
    if (const std::uint64_t v = band[w] >> (i % 64); v != 0) return i + std::countr_zero(v);
    i = static_cast<int>(w + 1) * 64;
  }
  return end;
}

int FirstClear(const Cells& band, int i) {
  const int end = static_cast<int>(band.size()) * 64;
  while (i < end) {
    const std::size_t w = static_cast<std::size_t>(i / 64);
    if (const std::uint64_t v = ~band[w] >> (i % 64); v != 0) return i + std::countr_zero(v);
    i = static_cast<int>(w + 1) * 64;
  }
  return end;
}

// The start nearest i of a run of n clear bits of the band: at or after i
// and not past last, or at or before i and not before first (both >= 0);
// -1 when none. Each step jumps past the set bits in the way.
int NextFreeRun(const Cells& band, int n, int i, int last) {
  for (int q = i; q <= last;) {
    const int set = FirstSet(band, q);
    if (set >= q + n) return q;
    q = FirstClear(band, set);  // every start up to there meets a set bit
  }
  return -1;
}

int PrevFreeRun(const Cells& band, int n, int i, int first) {
  for (int q = i; q >= first;) {
    const int set = FirstSet(band, q);
    if (set >= q + n) return q;
    q = set - n;  // every start after this one meets that bit
  }
  return -1;
}

}  // namespace

void TextPlacement::PlaceOne(const Text& t) {
  const double s = scale_;
  const Laid full = Lay(t.fontName, t.fontSize, t.fontBold, s, t.text);
  Placed result{QPointF(t.x, t.y), t.fontSize, t.fontName, InkAt(full, t.x, t.y, s), t.ground, false};
  result.of = t.of;
  if (full.inkDev.isEmpty() || !FiniteRect(result.ink)) {  // blanks: nothing to see, nothing to keep clear
    placed_.push_back(result);
    return;
  }
  // The corner moved so that the ink stands a picture pixel in from every
  // edge, as far as the picture has room.
  const auto inside = [&](const Laid& l, double& x, double& y) {
    const QRectF ink = InkAt(l, x, y, s);
    const auto shift = [](double from, double to, int size) {
      if (to > size - 1) return std::max(size - 1 - to, 1 - from);
      return from < 1 ? 1 - from : 0.0;
    };
    // By whole device pixels, as far as it must go.
    const auto whole = [s](double by) { return (by < 0 ? std::floor(by * s) : std::ceil(by * s)) / s; };
    x += whole(shift(ink.left(), ink.right(), w_));
    y += whole(shift(ink.top(), ink.bottom(), h_));
    // And out of a room held that it meets (a band over the picture's top),
    // up or down, the shorter way that stays inside.
    for (const QRectF& held : held_) {
      const QRectF r = InkAt(l, x, y, s).adjusted(-t.margin, -t.margin, t.margin, t.margin);
      if (!held.intersects(r)) continue;
      const double down = held.bottom() - r.top(), up = r.bottom() - held.top();
      const bool fitsBelow = r.bottom() + down <= h_ - 1, fitsAbove = r.top() - up >= 1;
      if (fitsBelow && (!fitsAbove || down <= up))
        y += whole(down);
      else if (fitsAbove)
        y -= whole(up);
    }
  };
  const auto room = [&](const QRectF& ink) { return ink.adjusted(-t.margin, -t.margin, t.margin, t.margin); };
  // The cells a text keeps: those of its strokes and `margin` round them.
  const int marginCells = static_cast<int>(std::ceil(std::max(t.margin, 0.0)));
  const auto roomCells = [&](const QRectF& ink) {
    return CellsOf(ink).adjusted(-marginCells, -marginCells, marginCells, marginCells);
  };
  const QRectF picture(1, 1, w_ - 2, h_ - 2);

  // The faces and sizes tried: its own, then smaller down to the floor,
  // then the same in the condensed face; each with its line's middle where
  // the text's is. All but its own are laid out once that finds no place.
  struct Size {
    std::string face;
    double pt;
    Laid laid;
  };
  std::vector<Size> sizes{{t.fontName, t.fontSize, full}};
  bool allLaid = false;
  const auto layTheRest = [&] {
    if (allLaid) return;
    allLaid = true;
    const std::string* faces[] = {&t.fontName, &t.condensedFace};
    for (int i = 0; i < 2; ++i) {
      const std::string& face = *faces[i];
      if (face.empty()) continue;
      const Laid own = face == t.fontName ? full : Lay(face, t.fontSize, t.fontBold, s, t.text);
      if (i > 0) sizes.push_back({face, t.fontSize, own});
      if (!t.mayShrink) continue;
      const int floorPx = Lay(face, 1, t.fontBold, s, t.text).devicePx;
      for (int k = 1; k <= kShrinkSteps && own.devicePx > floorPx; ++k) {
        const int px = own.devicePx - (own.devicePx - floorPx) * k / kShrinkSteps;
        if (px >= sizes.back().laid.devicePx) continue;
        const double pt = px * 72.0 / 96.0 / s;
        sizes.push_back({face, pt, Lay(face, pt, t.fontBold, s, t.text)});
      }
    }
  };

  // The free place nearest to where a size of it starts, by whole picture
  // pixels of move: on cells clear of data and texts (of texts only, for a
  // last resort), its strokes inside the picture (and inside its region),
  // clear of the lines of other tags. How far it may go follows its
  // movement; its row first.
  Cells band;
  QPointF of = t.of;  // what the place found stands by
  const auto search = [&](const Size& size, double x, double y, bool data, QPointF& at) {
    of = t.of;
    // The cells of its room at no move: whole moves shift them by as many
    // cells (give or take the rounding to device pixels, which each place
    // found is checked for).
    const QRect cells0 = roomCells(InkAt(size.laid, x, y, s));
    const int c0 = cells0.left(), r0top = cells0.top(), n = cells0.width(), m = cells0.height();
    const auto fits = [&](int dx, int dy) {
      const QRectF ink = InkAt(size.laid, x + dx, y + dy, s);
      if (!picture.contains(ink) || !ReadsAsItsOwn(t, ink, size.laid.height, s)) return false;
      if (t.move == Move::Region && !t.region.contains(ink)) return false;
      const QRect cells = roomCells(ink);
      if (cells != cells0.translated(dx, dy) && !CellsFree(cells, data, data && t.tag == 0)) return false;
      return t.tag == 0 || ClearOfOtherLines(room(ink), t.tag);
    };
    // The moves that keep its strokes inside the picture (a pixel of
    // rounding either way: each place is asked).
    const QRectF ink0 = InkAt(size.laid, x, y, s);
    const int dxMin = static_cast<int>(std::ceil(picture.left() - ink0.left())) - 1;
    const int dxMax = static_cast<int>(std::floor(picture.right() - ink0.right())) + 1;
    const int dyMin = static_cast<int>(std::ceil(picture.top() - ink0.top())) - 1;
    const int dyMax = static_cast<int>(std::floor(picture.bottom() - ink0.bottom())) + 1;
    // The nearest free move along the row dy within [lo, hi]; false when none.
    const auto inRow = [&](int dy, int lo, int hi, int& best) {
      lo = std::max(lo, dxMin);
      hi = std::min(hi, dxMax);
      if (lo > hi || dy < dyMin || dy > dyMax) return false;
      // The words of the starts looked at, and of the runs from them.
      const int from = std::max(c0 + lo, 0) / 64;
      const int reach = std::min((std::max(c0 + hi, 0) + n) / 64 + 1, words_ + 1);
      Band(r0top + dy, r0top + dy + m, data, data && t.tag == 0, from, reach, band);
      // Runs start in the words from..reach of the band.
      const int lowest = from * 64, highest = std::min(reach * 64 + 63, static_cast<int>(band.size()) * 64 - 1);
      const int rightEnd = std::min(c0 + hi, highest), leftEnd = std::max(c0 + lo, lowest);
      int right = NextFreeRun(band, n, std::max(c0 + std::max(lo, 0), lowest), rightEnd);
      int left = PrevFreeRun(band, n, std::min(c0 + std::min(hi, -1), highest), leftEnd);
      while (right >= 0 || left >= 0) {
        const bool takeRight = left < 0 || (right >= 0 && right - c0 <= c0 - left);
        const int d = (takeRight ? right : left) - c0;
        if (fits(d, dy)) {
          best = d;
          return true;
        }
        if (takeRight)
          right = NextFreeRun(band, n, right + 1, rightEnd);
        else
          left = PrevFreeRun(band, n, left - 1, leftEnd);
      }
      return false;
    };
    const auto take = [&](int dx, int dy) {
      at = QPointF(x + dx, y + dy);
      return true;
    };
    int d = 0;
    switch (t.move) {
      case Move::Fixed:
        return inRow(0, 0, 0, d) && take(d, 0);
      case Move::AlongRow:
        return inRow(0, static_cast<int>(std::ceil(t.lo - x)), static_cast<int>(std::floor(t.hi - x)), d) && take(d, 0);
      case Move::AmongPlaces:
        for (std::size_t i = 0; i < t.places.size(); ++i) {
          const QPointF& p = t.places[i];
          const QRectF ink = InkAt(size.laid, p.x(), p.y(), s), r = room(ink);
          if (!FiniteRect(r) || !picture.contains(ink) ||
              !ReadsAsItsOwn(t, ink, size.laid.height, s, PointOfPlace(t, i)) ||
              (t.tag != 0 && !ClearOfOtherLines(r, t.tag)))
            continue;
          if (CellsFree(roomCells(ink), data, data && t.tag == 0)) {
            at = p;
            of = PointOfPlace(t, i);
            return true;
          }
        }
        return false;
      case Move::Nearest:
      case Move::Region: {
        // The rows and columns it may take.
        double reach = std::max(t.reach, 0.0);
        int xlo = static_cast<int>(-reach), xhi = static_cast<int>(reach);
        int ylo = xlo, yhi = xhi;
        if (t.labels == Labels::Row) {  // on its row, give or take a quarter of its line
          const int q = static_cast<int>(0.25 * size.laid.height);
          ylo = std::max(ylo, -q);
          yhi = std::min(yhi, q);
        }
        if (t.move == Move::Region) {
          const QRectF ink = InkAt(size.laid, x, y, s);
          xlo = static_cast<int>(std::ceil(t.region.left() - ink.left()));
          xhi = static_cast<int>(std::floor(t.region.right() - ink.right()));
          ylo = static_cast<int>(std::ceil(t.region.top() - ink.top()));
          yhi = static_cast<int>(std::floor(t.region.bottom() - ink.bottom()));
          reach = std::max({-xlo, xhi, -ylo, yhi, 0});
        }
        // Its row first, between lo and hi when given.
        const int rowLo = t.move == Move::Nearest && t.hi > t.lo ? static_cast<int>(std::ceil(t.lo - x)) : xlo;
        const int rowHi = t.move == Move::Nearest && t.hi > t.lo ? static_cast<int>(std::floor(t.hi - x)) : xhi;
        if (ylo <= 0 && 0 <= yhi && inRow(0, rowLo, rowHi, d)) return take(d, 0);
        // Then the rows above and below it, the nearest place of all.
        const int step = std::max(1, static_cast<int>(std::lround(kNearStep * size.laid.height)));
        double best = -1;
        int bx = 0, by = 0;
        for (int k = step; k <= reach; k += step) {
          if (best >= 0 && static_cast<double>(k) * k >= best) break;
          for (const int dy : {k, -k}) {
            if (dy < ylo || dy > yhi) continue;
            const int span = t.move == Move::Region ? std::max(-xlo, xhi)
                                                    : static_cast<int>(std::sqrt(std::max(0.0, reach * reach - 1.0 * dy * dy)));
            if (!inRow(dy, std::max(xlo, -span), std::min(xhi, span), d)) continue;
            const double dist = 1.0 * d * d + 1.0 * dy * dy;
            if (best < 0 || dist < best) {
              best = dist;
              bx = d;
              by = dy;
            }
          }
        }
        return best >= 0 && take(bx, by);
      }
    }
    return false;
  };
  const auto start = [&](const Size& size, double& x, double& y) {
    x = t.x + (full.width - size.laid.width) / 2;
    y = t.y + (full.height - size.laid.height) / 2;
    inside(size.laid, x, y);
  };
  // Where its movement lets its strokes stand (a smaller size stands in the
  // middle of its place, inside its own size's strokes), a device pixel of
  // rounding round.
  QRectF within = result.ink;
  {
    double x0, y0;
    start(sizes.front(), x0, y0);
    const QRectF at0 = InkAt(full, x0, y0, s);
    within |= at0;
    const double q = 0.25 * full.height;
    switch (t.move) {
      case Move::Fixed:
        within = within.adjusted(-q, -q, q, q);
        break;
      case Move::AlongRow:
        within |= at0.adjusted(std::min(t.lo - x0, 0.0), -q, std::max(t.hi - x0, 0.0), q);
        break;
      case Move::Nearest:
        within |= at0.adjusted(-t.reach, -t.reach, t.reach, t.reach);
        if (t.hi > t.lo) within |= at0.adjusted(std::min(t.lo - x0, 0.0), 0, std::max(t.hi - x0, 0.0), 0);
        break;
      case Move::Region:
        within |= t.region;
        break;
      case Move::AmongPlaces:
        for (const QPointF& p : t.places) within |= InkAt(full, p.x(), p.y(), s);
        break;
    }
    within = within.adjusted(-1 / s, -1 / s, 1 / s, 1 / s);
  }
  const auto place = [&](const Size& size, QPointF at, Ground ground, bool lastResort) {
    at = OnDevicePixel(at, s);
    result = {at, size.pt, size.face, InkAt(size.laid, at.x(), at.y(), s), ground, lastResort};
    const QPointF meant(t.x + (full.width - size.laid.width) / 2, t.y + (full.height - size.laid.height) / 2);
    result.moved = at - OnDevicePixel(meant, s);
    result.within = within;
    result.of = of;
    TakeRoom(room(result.ink), Beside(roomCells(result.ink), t, size.face, size.pt));
    placed_.push_back(result);
  };

  for (std::size_t i = 0;; ++i) {
    if (i == sizes.size()) layTheRest();
    if (i == sizes.size()) break;
    const Size& size = sizes[i];
    double x, y;
    start(size, x, y);
    QPointF at;
    if (search(size, x, y, true, at)) return place(size, at, t.ground, false);
  }
  if (t.leaveOut == LeaveOut::UnlessClear) {
    result.leftOut = true;
    placed_.push_back(result);
    return;
  }
  // The last resort: where it is meant for, in its own size, when that
  // meets no text; else the nearest of its places that meets no text, in
  // its own size or else its smallest; else where it is meant for. Never
  // farther than its movement and what it labels allow.
  double x, y;
  for (const Size* size : {&sizes.front(), &sizes.back()}) {
    double sx, sy;
    start(*size, sx, sy);
    QPointF at;
    if (search(*size, sx, sy, false, at)) return place(*size, at, t.lastResortGround, true);
  }
  if (t.leaveOut == LeaveOut::RatherThanOverText) {
    result.leftOut = true;
    placed_.push_back(result);
    return;
  }
  // (In the first size whose strokes the picture holds whole, moved inside.)
  const Size* fitting = &sizes.back();
  for (const Size& size : sizes) {
    const QRectF ink = InkAt(size.laid, 0, 0, s);
    if (ink.width() <= picture.width() && ink.height() <= picture.height()) {
      fitting = &size;
      break;
    }
  }
  start(*fitting, x, y);
  of = t.of;
  place(*fitting, QPointF(x, y), t.lastResortGround, true);
}

void TextPlacement::PrintAll(PictureBox& pic) {
  PlaceNow();
  const DataMarksGuard notData(pic, nullptr);  // grounds and strokes are no data
  const std::string face = pic.FontName;
  const double size = pic.FontSize;
  const bool bold = pic.FontBold, transparent = pic.FontTransparent, lastResort = pic.LastResort;
  const Color fore = pic.ForeColor;
  const std::optional<Color> outline = pic.TextOutline;
  const std::optional<QRect> ground = pic.TextGround;
  const double cx = pic.CurrentX, cy = pic.CurrentY;
  const PictureBox::TextLabel label = pic.Label;
  // The last resorts first: one that stands over another text goes under
  // it, so that a text that found a clear place stays whole.
  const std::size_t from = printed_;
  for (const bool lastResorts : {true, false}) {
    for (std::size_t i = from; i < queued_.size(); ++i) {
      const Text& t = queued_[i];
      const Placed& p = placed_[i];
      if (p.leftOut || p.lastResort != lastResorts) continue;
      using Kind = PictureBox::TextLabel::Kind;
      pic.Label = {.kind = t.labels == Labels::Row     ? Kind::Row
                           : t.labels == Labels::Point ? Kind::Point
                                                       : Kind::Place,
                   .at = t.labels == Labels::Place ? (p.ink.center() - p.moved) : p.of,
                   .within = t.labels == Labels::Place ? p.within : QRectF(),
                   .block = t.together,
                   .moved = p.moved};
      pic.FontName = p.fontName;
      pic.FontSize = p.fontSize;
      pic.FontBold = t.fontBold;
      pic.ForeColor = t.colour;
      pic.LastResort = p.lastResort;
      pic.FontTransparent = p.ground != Ground::Box;
      pic.TextOutline = p.ground == Ground::Rim ? std::optional<Color>(pic.BackColor) : std::nullopt;
      pic.TextGround = std::nullopt;
      if (p.ground == Ground::Box) pic.TextGround = DeviceBox(p.ink.adjusted(-t.margin, -t.margin, t.margin, t.margin), pic.DeviceScale());
      pic.CurrentX = pic.PixelToX(p.at.x());
      pic.CurrentY = pic.PixelToY(p.at.y());
      pic.Print(t.text, false);
    }
  }
  printed_ = queued_.size();
  pic.FontName = face;
  pic.FontSize = size;
  pic.FontBold = bold;
  pic.FontTransparent = transparent;
  pic.LastResort = lastResort;
  pic.ForeColor = fore;
  pic.TextOutline = outline;
  pic.TextGround = ground;
  pic.CurrentX = cx;
  pic.CurrentY = cy;
  pic.Label = label;
}

void TextPlacement::FindOuterRooms() const {
  outerBuckets_.resize(roomBuckets_.size());
  for (std::size_t c = 0; c < roomBuckets_.size(); ++c) {
    std::vector<int> by = roomBuckets_[c];
    const auto area = [&](int i) { return rooms_[static_cast<std::size_t>(i)].width() * rooms_[static_cast<std::size_t>(i)].height(); };
    std::stable_sort(by.begin(), by.end(), [&](int a, int b) { return area(a) > area(b); });
    std::vector<int>& outer = outerBuckets_[c];
    outer.clear();
    for (const int i : by) {
      const QRectF& r = rooms_[static_cast<std::size_t>(i)];
      const bool inside = std::any_of(outer.begin(), outer.end(), [&](int o) {
        const QRectF& k = rooms_[static_cast<std::size_t>(o)];
        return k.left() <= r.left() && k.top() <= r.top() && k.right() >= r.right() && k.bottom() >= r.bottom();
      });
      if (!inside) outer.push_back(i);
    }
  }
  outerOf_ = rooms_.size();
}

void TextPlacement::ClearOfTexts(const QLineF& line, double width, std::vector<QLineF>& out) const {
  const double half = std::max(width, 1.0) / 2;
  // The stretches of the line inside the rooms, merged, are left out.
  std::vector<std::pair<double, double>> cut;
  const QRectF bounds = QRectF(line.p1(), line.p2()).normalized().adjusted(-half, -half, half, half);
  if (outerOf_ != rooms_.size()) FindOuterRooms();
  EachBucket(bounds, [&](std::size_t c) {
    for (const int i : outerBuckets_[c]) {
      const QRectF& room = rooms_[static_cast<std::size_t>(i)];
      if (room.left() > bounds.right() || room.right() < bounds.left() || room.top() > bounds.bottom() ||
          room.bottom() < bounds.top())
        continue;
      const QRectF r = room.adjusted(-half, -half, half, half);
      double t0, t1;
      if (SegmentInside(line.x1(), line.y1(), line.x2(), line.y2(), r.left(), r.top(), r.right(), r.bottom(), t0, t1))
        cut.emplace_back(t0, t1);
    }
  });
  if (cut.empty()) {
    out.push_back(line);
    return;
  }
  const double length = line.length();
  const auto piece = [&](double a, double b) {
    if ((b - a) * length < 0.5) return;  // no dots where a line meets a room
    out.emplace_back(line.pointAt(a), line.pointAt(b));
  };
  std::sort(cut.begin(), cut.end());
  double from = 0;
  for (const auto& [a, b] : cut) {
    if (a > from) piece(from, a);
    from = std::max(from, b);
  }
  if (from < 1) piece(from, 1);
}

}  // namespace ondrik
