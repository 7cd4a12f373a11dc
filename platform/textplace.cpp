#include "platform/textplace.h"

#include <QPolygon>

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <optional>

#include "platform/clipsegment.h"
#include "platform/picturetext.h"

namespace ondrik {

namespace {

// Smaller sizes a text tries before its last resort, the last of them the
// face's floor.
constexpr int kShrinkSteps = 3;
// Steps between the places tried off a text's row, in its line heights:
// a quarter of a line near it, half a line over a region.
constexpr double kNearStep = 0.25;
constexpr double kRegionStep = 0.5;

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

bool Finite(const QRectF& r) {
  return std::isfinite(r.left()) && std::isfinite(r.top()) && std::isfinite(r.right()) && std::isfinite(r.bottom());
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
  words_ = (w_ + 63) / 64;
  cells_.assign(static_cast<std::size_t>(words_) * static_cast<std::size_t>(h_), 0);
  bucketCols_ = w_ / kBucket + 1;
  bucketRows_ = h_ / kBucket + 1;
  for (auto* buckets : {&roomBuckets_, &lineBuckets_}) {
    buckets->resize(static_cast<std::size_t>(bucketCols_ * bucketRows_));
    for (std::vector<int>& b : *buckets) b.clear();
  }
  rooms_.clear();
  lines_.clear();
  texts_.clear();
  placed_.clear();
  printed_ = 0;
  tags_ = 0;
  markTag_ = 0;
}

template <typename F>
void TextPlacement::EachBucket(const QRectF& r, F&& f) const {
  if (bucketCols_ == 0 || !Finite(r)) return;
  const auto at = [](double v, int n) { return std::clamp(static_cast<int>(std::floor(v / kBucket)), 0, n - 1); };
  const int c0 = at(r.left(), bucketCols_), c1 = at(r.right(), bucketCols_);
  const int r0 = at(r.top(), bucketRows_), r1 = at(r.bottom(), bucketRows_);
  for (int row = r0; row <= r1; ++row)
    for (int col = c0; col <= c1; ++col) f(static_cast<std::size_t>(row * bucketCols_ + col));
}

void TextPlacement::MarkCells(int x0, int y0, int x1, int y1) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, w_ - 1);
  y1 = std::min(y1, h_ - 1);
  for (int y = y0; y <= y1; ++y) {
    std::uint64_t* row = &cells_[static_cast<std::size_t>(y) * static_cast<std::size_t>(words_)];
    for (int x = x0; x <= x1;) {
      const int bit = x % 64, n = std::min(64 - bit, x1 - x + 1);
      const std::uint64_t mask = (n == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << n) - 1)) << bit;
      row[x / 64] |= mask;
      x += n;
    }
  }
}

void TextPlacement::MarkDisc(double cx, double cy, double r) {
  if (!std::isfinite(cx) || !std::isfinite(cy)) return;
  MarkCells(static_cast<int>(std::floor(cx - r)), static_cast<int>(std::floor(cy - r)),
            static_cast<int>(std::floor(cx + r)), static_cast<int>(std::floor(cy + r)));
}

void TextPlacement::MarkLine(const QPointF& a, const QPointF& b, double half) {
  QPointF p = a, q = b;
  // Only what lies over the picture.
  double t0, t1;
  const double m = half + 1;
  if (!SegmentInside(p.x(), p.y(), q.x(), q.y(), -m, -m, w_ + m, h_ + m, t0, t1)) return;
  p = a + (b - a) * t0;
  q = a + (b - a) * t1;
  const double length = std::hypot(q.x() - p.x(), q.y() - p.y());
  const int n = static_cast<int>(std::ceil(length / 0.5));
  for (int i = 0; i <= n; ++i) {
    const QPointF at = n == 0 ? p : p + (q - p) * (static_cast<double>(i) / n);
    MarkDisc(at.x(), at.y(), half);
  }
}

void TextPlacement::Segment(const QPointF& a, const QPointF& b, double width, int tag) {
  const double half = std::max(width, 1.0) / 2 + 0.5;
  if (tag == 0) {
    MarkLine(a, b, half);
    return;
  }
  const QRectF bounds = QRectF(a, b).normalized().adjusted(-half, -half, half, half);
  if (!bounds.intersects(QRectF(0, 0, w_, h_))) return;
  const int i = static_cast<int>(lines_.size());
  lines_.push_back({QLineF(a, b), half, tag});
  EachBucket(bounds, [&](std::size_t c) { lineBuckets_[c].push_back(i); });
}

void TextPlacement::Rect(const QRectF& r) {
  if (!Finite(r)) return;
  const QRectF n = r.normalized();
  MarkCells(static_cast<int>(std::floor(n.left())), static_cast<int>(std::floor(n.top())),
            static_cast<int>(std::ceil(n.right())) - 1, static_cast<int>(std::ceil(n.bottom())) - 1);
}

void TextPlacement::Ellipse(const QPointF& centre, double rx, double ry, double width) {
  if (!std::isfinite(rx) || !std::isfinite(ry)) return;
  const double half = std::max(width, 1.0) / 2 + 0.5;
  // Round the outline at half a pixel a step.
  const int n = std::clamp(static_cast<int>(std::ceil(2 * std::numbers::pi * std::max(rx, ry) / 0.5)), 8, 4096);
  for (int i = 0; i < n; ++i) {
    const double a = 2 * std::numbers::pi * i / n;
    MarkDisc(centre.x() + rx * std::cos(a), centre.y() + ry * std::sin(a), half);
  }
}

void TextPlacement::Dot(const QPointF& at, double radius) { MarkDisc(at.x(), at.y(), std::max(radius, 0.5)); }

void TextPlacement::Mark(const PictureBox::DrawnShape& shape, double deviceScale) {
  using Kind = PictureBox::DrawnShape::Kind;
  const double s = deviceScale > 0 ? deviceScale : 1;
  const auto pt = [s](const QPointF& p) { return QPointF(p.x() / s, p.y() / s); };
  // Half the pen and the rounding of its device pixels, picture pixels.
  const double width = shape.pen.style() == Qt::NoPen ? 0 : std::max(shape.pen.widthF(), 1.0) / s;
  const double half = width / 2 + 1 / s;
  const QRectF area(shape.rect.left() / s, shape.rect.top() / s, shape.rect.width() / s, shape.rect.height() / s);
  switch (shape.kind) {
    case Kind::Lines: {
      // Device pixels are drawn from their top-left corner.
      const QPointF centre(0.5, 0.5);
      if (shape.points.size() == 1) {
        const QPointF p = pt(QPointF(shape.points.front()) + centre);
        MarkDisc(p.x(), p.y(), half);
        break;
      }
      for (qsizetype i = 0; i + 1 < shape.points.size(); ++i) {
        const QPointF a = pt(QPointF(shape.points[i]) + centre), b = pt(QPointF(shape.points[i + 1]) + centre);
        if (markTag_ != 0)
          Segment(a, b, width, markTag_);
        else
          MarkLine(a, b, half);
      }
      break;
    }
    case Kind::Outline: {
      const QRectF r(shape.rect.left() / s, shape.rect.top() / s, (shape.rect.width() + 1) / s,
                     (shape.rect.height() + 1) / s);
      for (const auto& [a, b] : {std::pair{r.topLeft(), r.topRight()}, std::pair{r.topRight(), r.bottomRight()},
                                 std::pair{r.bottomRight(), r.bottomLeft()}, std::pair{r.bottomLeft(), r.topLeft()}})
        MarkLine(a, b, half);
      break;
    }
    case Kind::Ellipse: {
      const QPointF c = pt(shape.centre + QPointF(0.5, 0.5));
      if (shape.brush.style() != Qt::NoBrush)
        Rect(QRectF(c.x() - shape.rx / s - half, c.y() - shape.ry / s - half, 2 * (shape.rx / s + half),
                    2 * (shape.ry / s + half)));
      else
        Ellipse(c, shape.rx / s, shape.ry / s, width);
      break;
    }
    case Kind::Area:
      Rect(area);
      break;
  }
}

void TextPlacement::Hold(const QRectF& room) {
  if (Finite(room)) TakeRoom(room.normalized());
}

void TextPlacement::TakeRoom(const QRectF& r) {
  const int i = static_cast<int>(rooms_.size());
  rooms_.push_back({r});
  EachBucket(r, [&](std::size_t c) { roomBuckets_[c].push_back(i); });
}

bool TextPlacement::MeetsRoom(const QRectF& r) const {
  bool meets = false;
  EachBucket(r, [&](std::size_t c) {
    for (const int i : roomBuckets_[c])
      if (!meets && rooms_[static_cast<std::size_t>(i)].r.intersects(r)) meets = true;
  });
  return meets;
}

int TextPlacement::DataIn(const QRectF& r, int tag, bool countAll) const {
  int n = 0;
  const int x0 = std::max(0, static_cast<int>(std::floor(r.left())));
  const int x1 = std::min(w_, static_cast<int>(std::ceil(r.right())));  // past the last
  const int y0 = std::max(0, static_cast<int>(std::floor(r.top())));
  const int y1 = std::min(h_, static_cast<int>(std::ceil(r.bottom())));
  if (x0 < x1) {
    for (int y = y0; y < y1 && (countAll || n == 0); ++y) {
      const std::uint64_t* row = &cells_[static_cast<std::size_t>(y) * static_cast<std::size_t>(words_)];
      for (int x = x0; x < x1;) {
        const int bit = x % 64, k = std::min(64 - bit, x1 - x);
        const std::uint64_t mask = (k == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << k) - 1)) << bit;
        n += std::popcount(row[x / 64] & mask);
        x += k;
      }
    }
  }
  if (!countAll && n > 0) return n;
  EachBucket(r, [&](std::size_t c) {
    for (const int i : lineBuckets_[c]) {
      const TaggedLine& l = lines_[static_cast<std::size_t>(i)];
      if (tag != 0 && l.tag == tag) continue;
      double t0, t1;
      if (SegmentInside(l.line.x1(), l.line.y1(), l.line.x2(), l.line.y2(), r.left() - l.half, r.top() - l.half,
                        r.right() + l.half, r.bottom() + l.half, t0, t1))
        ++n;
    }
  });
  return n;
}

void TextPlacement::Add(Text text) { texts_.push_back(std::move(text)); }

TextPlacement::Placed TextPlacement::PlaceNow() {
  while (placed_.size() < texts_.size()) {
    const std::size_t i = placed_.size();
    std::size_t j = i + 1;
    while (texts_[i].together != 0 && j < texts_.size() && texts_[j].together == texts_[i].together) ++j;
    if (j - i > 1)
      PlaceTogether(i, j);
    else
      PlaceOne(texts_[i]);
  }
  return placed_.empty() ? Placed{} : placed_.back();
}

namespace {

// The points (dx, dy) on the square r steps round the centre, those nearest
// to its row and column first; f(dx, dy) is true to stop, and then so is
// this.
template <typename F>
bool EachOnSquare(int r, F&& f) {
  for (int j = 0; j <= r; ++j) {
    // (j, r) across the top and bottom, (r, j) down the sides.
    const int pts[8][2] = {{j, r}, {-j, r}, {j, -r}, {-j, -r}, {r, j}, {r, -j}, {-r, j}, {-r, -j}};
    for (int k = 0; k < 8; ++k) {
      if (j == 0 && (k % 2 == 1)) continue;  // -0 is 0
      if (j == r && k >= 4) continue;        // the corners, once
      if (f(pts[k][0], pts[k][1])) return true;
    }
  }
  return false;
}

// The places a text may take, the best first, for a text whose corner is
// at (x, y) with its ink `ink` there (picture pixels); f(x, y) is true to
// stop.
template <typename F>
void EachPlace(const TextPlacement::Text& t, double x, double y, double lineHeight, const QRectF& ink, int w, int h,
               F&& f) {
  using Move = TextPlacement::Move;
  if (f(x, y)) return;
  switch (t.move) {
    case Move::Fixed:
      return;
    case Move::AlongRow: {
      const double lo = std::max(t.lo, 0.0), hi = std::min(t.hi, static_cast<double>(w));
      for (double d = 1; x - d >= lo || x + d <= hi; d += 1) {
        if (x + d <= hi && f(x + d, y)) return;
        if (x - d >= lo && f(x - d, y)) return;
      }
      return;
    }
    case Move::Nearest: {
      const double reach = std::min(std::max(t.reach, 0.0), static_cast<double>(std::max(w, h)));
      for (double d = 1; d <= reach; d += 1)
        if (f(x + d, y) || f(x - d, y)) return;
      const double step = std::max(1.0, std::round(kNearStep * lineHeight));
      const int n = static_cast<int>(reach / step);
      for (int r = 1; r <= n; ++r)
        if (EachOnSquare(r, [&](int dx, int dy) { return dy != 0 && f(x + dx * step, y + dy * step); })) return;
      return;
    }
    case Move::Region: {
      // The corners whose ink stands inside the region.
      const QRectF& g = t.region;
      const double xlo = g.left() + (x - ink.left()), xhi = g.right() - (ink.right() - x);
      const double ylo = g.top() + (y - ink.top()), yhi = g.bottom() - (ink.bottom() - y);
      if (!(xlo <= xhi && ylo <= yhi)) return;
      const double x0 = std::clamp(x, xlo, xhi), y0 = std::clamp(y, ylo, yhi);
      const double step = std::max(1.0, std::round(kRegionStep * lineHeight));
      const int n = static_cast<int>(std::ceil(std::max({x0 - xlo, xhi - x0, y0 - ylo, yhi - y0}) / step));
      const auto in = [&](double px, double py) { return px >= xlo && px <= xhi && py >= ylo && py <= yhi; };
      if (f(x0, y0)) return;
      for (int r = 1; r <= n; ++r)
        if (EachOnSquare(r, [&](int dx, int dy) {
              const double px = x0 + dx * step, py = y0 + dy * step;
              return in(px, py) && f(px, py);
            }))
          return;
      return;
    }
    case Move::AmongPlaces:
      for (const QPointF& p : t.places)
        if (f(p.x(), p.y())) return;
      return;
  }
}

}  // namespace

void TextPlacement::PlaceOne(const Text& t) {
  const double s = scale_;
  Laid full = Lay(t.fontName, t.fontSize, t.fontBold, s, t.text);
  Placed result{QPointF(t.x, t.y), t.fontSize, InkAt(full, t.x, t.y, s), t.ground, false};
  if (full.inkDev.isEmpty() || !Finite(result.ink)) {  // blanks: nothing to see, nothing to keep clear
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
  };
  const auto room = [&](const QRectF& ink) { return ink.adjusted(-t.margin, -t.margin, t.margin, t.margin); };
  const QRectF picture(1, 1, w_ - 2, h_ - 2);

  // The sizes tried: its own, then smaller down to the floor, each with its
  // line's middle where the text's is.
  std::vector<std::pair<double, Laid>> sizes{{t.fontSize, full}};
  if (t.mayShrink) {
    const int floorPx = Lay(t.fontName, 1, t.fontBold, s, t.text).devicePx;
    for (int k = 1; k <= kShrinkSteps && full.devicePx > floorPx; ++k) {
      const int px = full.devicePx - (full.devicePx - floorPx) * k / kShrinkSteps;
      if (px >= sizes.back().second.devicePx) continue;
      const double pt = px * 72.0 / 96.0 / s;
      sizes.emplace_back(pt, Lay(t.fontName, pt, t.fontBold, s, t.text));
    }
  }
  for (const auto& [pt, laid] : sizes) {
    double x = t.x + (full.width - laid.width) / 2, y = t.y + (full.height - laid.height) / 2;
    inside(laid, x, y);
    bool found = false;
    EachPlace(t, x, y, laid.height, InkAt(laid, x, y, s), w_, h_, [&](double px, double py) {
      const QRectF ink = InkAt(laid, px, py, s);
      if (!picture.contains(ink)) return false;
      const QRectF r = room(ink);
      if (DataIn(r, t.tag, false) > 0 || MeetsRoom(r)) return false;
      result = {QPointF(px, py), pt, ink, t.ground, false};
      found = true;
      return true;
    });
    if (found) {
      TakeRoom(room(result.ink));
      placed_.push_back(result);
      return;
    }
  }
  // The last resort: in its own size where it meets no text and the least
  // data, else where it is meant for.
  double x = t.x, y = t.y;
  inside(full, x, y);
  result = {QPointF(x, y), t.fontSize, InkAt(full, x, y, s), t.lastResortGround, true};
  int least = -1;
  EachPlace(t, x, y, full.height, result.ink, w_, h_, [&](double px, double py) {
    const QRectF ink = InkAt(full, px, py, s);
    if (!picture.contains(ink) || MeetsRoom(room(ink))) return false;
    const int n = DataIn(room(ink), t.tag, true);
    if (least < 0 || n < least) {
      least = n;
      result.at = QPointF(px, py);
      result.ink = ink;
    }
    return false;
  });
  TakeRoom(room(result.ink));
  placed_.push_back(result);
}

void TextPlacement::PlaceTogether(std::size_t first, std::size_t last) {
  const double s = scale_;
  const Text& lead = texts_[first];
  std::vector<Laid> laid;
  for (std::size_t i = first; i < last; ++i)
    laid.push_back(Lay(texts_[i].fontName, texts_[i].fontSize, texts_[i].fontBold, s, texts_[i].text));
  const QRectF picture(1, 1, w_ - 2, h_ - 2);
  // Each text's room when the group moves by (dx, dy); the data under all
  // of them (-1 when one leaves the picture or meets a text), counted whole
  // or only whether there is any.
  const auto rooms = [&](double dx, double dy) {
    std::vector<QRectF> r;
    for (std::size_t i = first; i < last; ++i) {
      const Text& t = texts_[i];
      const QRectF ink = InkAt(laid[i - first], t.x + dx, t.y + dy, s);
      r.push_back(ink.adjusted(-t.margin, -t.margin, t.margin, t.margin));
    }
    return r;
  };
  const auto dataAt = [&](double dx, double dy, bool countAll) {
    int n = 0;
    for (std::size_t i = first; i < last; ++i) {
      const QRectF r = rooms(dx, dy)[i - first];
      const QRectF ink = r.adjusted(texts_[i].margin, texts_[i].margin, -texts_[i].margin, -texts_[i].margin);
      if (!picture.contains(ink) || MeetsRoom(r)) return -1;
      n += DataIn(r, texts_[i].tag, countAll);
    }
    return n;
  };
  const auto take = [&](double dx, double dy, bool lastResort) {
    const std::vector<QRectF> r = rooms(dx, dy);
    for (std::size_t i = first; i < last; ++i) {
      const Text& t = texts_[i];
      TakeRoom(r[i - first]);
      placed_.push_back({QPointF(t.x + dx, t.y + dy), t.fontSize, InkAt(laid[i - first], t.x + dx, t.y + dy, s),
                         lastResort ? t.lastResortGround : t.ground, lastResort});
    }
  };
  bool found = false;
  EachPlace(lead, lead.x, lead.y, laid.front().height, InkAt(laid.front(), lead.x, lead.y, s), w_, h_,
            [&](double px, double py) {
              if (dataAt(px - lead.x, py - lead.y, false) != 0) return false;
              take(px - lead.x, py - lead.y, false);
              return found = true;
            });
  if (found) return;
  // The last resort: where they meet no text and the least data, else
  // where they are meant for.
  QPointF best;
  int least = -1;
  EachPlace(lead, lead.x, lead.y, laid.front().height, InkAt(laid.front(), lead.x, lead.y, s), w_, h_,
            [&](double px, double py) {
              const int n = dataAt(px - lead.x, py - lead.y, true);
              if (n >= 0 && (least < 0 || n < least)) {
                least = n;
                best = QPointF(px - lead.x, py - lead.y);
              }
              return false;
            });
  take(best.x(), best.y(), true);
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
  for (; printed_ < texts_.size(); ++printed_) {
    const Text& t = texts_[printed_];
    const Placed& p = placed_[printed_];
    pic.FontName = t.fontName;
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
}

void TextPlacement::ClearOfTexts(const QLineF& line, double width, std::vector<QLineF>& out) const {
  const double half = std::max(width, 1.0) / 2;
  // The stretches of the line inside the rooms, merged, are left out.
  std::vector<std::pair<double, double>> cut;
  const QRectF bounds = QRectF(line.p1(), line.p2()).normalized().adjusted(-half, -half, half, half);
  EachBucket(bounds, [&](std::size_t c) {
    for (const int i : roomBuckets_[c]) {
      const QRectF r = rooms_[static_cast<std::size_t>(i)].r.adjusted(-half, -half, half, half);
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
