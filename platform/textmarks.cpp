// The marks a placement keeps its texts clear of: the cells of picture
// pixels that the data drawn on the picture (lines, rings, dots, boxes) and
// the lines handed over by their geometry cover.
#include "platform/textplace.h"

#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ondrik {

void TextPlacement::SetCells(Cells& cells, int words, int w, int h, int x0, int y0, int x1, int y1) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, w - 1);
  y1 = std::min(y1, h - 1);
  for (int y = y0; y <= y1; ++y) {
    std::uint64_t* row = &cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(words)];
    for (int x = x0; x <= x1;) {
      const int bit = x % 64, n = std::min(64 - bit, x1 - x + 1);
      const std::uint64_t mask = (n == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << n) - 1)) << bit;
      row[x / 64] |= mask;
      x += n;
    }
  }
}

void TextPlacement::MarkCells(int x0, int y0, int x1, int y1) {
  SetCells(markTag_ != 0 ? tagged_ : data_, words_, w_, h_, x0, y0, x1, y1);
  SetCells(taken_, words_, w_, h_, x0, y0, x1, y1);
}

namespace {

// Sets the cells from..to of a row that reach over more than one word.
void OrWords(std::uint64_t* row, std::uint64_t* taken, int from, int to) {
  const int a = from >> 6, b = to >> 6;
  const std::uint64_t first = ~std::uint64_t{0} << (from & 63), last = ~std::uint64_t{0} >> (63 - (to & 63));
  row[a] |= first;
  taken[a] |= first;
  for (int i = a + 1; i < b; ++i) row[i] = taken[i] = ~std::uint64_t{0};
  row[b] |= last;
  taken[b] |= last;
}

// Sets the cells x0..x1 (picture pixels) of a row of w cells, in the row of
// the marks and in the row of everything taken; nothing for a run off the
// row.
inline void OrRun(std::uint64_t* row, std::uint64_t* taken, int w, double x0, double x1) {
  if (!(x0 <= x1) || x1 < 0 || x0 >= w) return;
  // (Cells from the one holding x0 to the one holding x1; both are at least
  // -1 here, so that the cast rounds down.)
  const int from = std::max(0, static_cast<int>(std::max(x0, -1.0) + 1) - 1);
  const int to = std::min(w - 1, static_cast<int>(std::min(x1, static_cast<double>(w)) + 1) - 1);
  if ((from >> 6) != (to >> 6)) return OrWords(row, taken, from, to);
  const std::uint64_t run = (~std::uint64_t{0} << (from & 63)) & (~std::uint64_t{0} >> (63 - (to & 63)));
  row[from >> 6] |= run;
  taken[from >> 6] |= run;
}

}  // namespace

void TextPlacement::MarkRun(int y, double x0, double x1) {
  if (y < 0 || y >= h_) return;
  const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(words_);
  OrRun(&(markTag_ != 0 ? tagged_ : data_)[at], &taken_[at], w_, x0, x1);
}

void TextPlacement::MarkDisc(double cx, double cy, double r) {
  if (!std::isfinite(cx) || !std::isfinite(cy)) return;
  MarkCells(static_cast<int>(std::floor(cx - r)), static_cast<int>(std::floor(cy - r)),
            static_cast<int>(std::floor(cx + r)), static_cast<int>(std::floor(cy + r)));
}

void TextPlacement::MarkCellsOfLine(const QPointF& a, const QPointF& b, double half) {
  // Row by row, the part of the line within `half` of the row, widened by
  // `half`: every cell the pen may set.
  const QPointF& p = a.y() <= b.y() ? a : b;
  const QPointF& q = a.y() <= b.y() ? b : a;
  if (!std::isfinite(p.x()) || !std::isfinite(p.y()) || !std::isfinite(q.x()) || !std::isfinite(q.y())) return;
  if (std::max(p.x(), q.x()) + half < 0 || std::min(p.x(), q.x()) - half > w_) return;
  const int y0 = std::max(0, static_cast<int>(std::floor(std::max(p.y() - half, -1.0))));
  const int y1 = std::min(h_ - 1, static_cast<int>(std::floor(std::min(q.y() + half, static_cast<double>(h_)))));
  const double dy = q.y() - p.y(), slope = dy > 0 ? (q.x() - p.x()) / dy : 0;
  std::uint64_t* const marks = (markTag_ != 0 ? tagged_ : data_).data();
  std::uint64_t* const taken = taken_.data();
  for (int y = y0; y <= y1; ++y) {
    const double lo = std::max(p.y(), y - half), hi = std::min(q.y(), y + 1 + half);
    if (lo > hi) continue;
    const double xa = dy > 0 ? p.x() + slope * (lo - p.y()) : p.x(), xb = dy > 0 ? p.x() + slope * (hi - p.y()) : q.x();
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(words_);
    OrRun(marks + at, taken + at, w_, std::min(xa, xb) - half, std::max(xa, xb) + half);
  }
}

void TextPlacement::Segment(const QPointF& a, const QPointF& b, double width, int tag) {
  const double half = std::max(width, 1.0) / 2 + 0.5;
  if (tag != 0) {
    const QRectF bounds = QRectF(a, b).normalized().adjusted(-half, -half, half, half);
    if (!bounds.intersects(QRectF(0, 0, w_, h_))) return;
    const int i = static_cast<int>(lines_.size());
    lines_.push_back({QLineF(a, b), half, tag});
    EachBucket(bounds, [&](std::size_t c) { lineBuckets_[c].push_back(i); });
  }
  const int kept = markTag_;
  markTag_ = tag;
  MarkCellsOfLine(a, b, half);
  markTag_ = kept;
}

void TextPlacement::Rect(const QRectF& r) {
  if (!FiniteRect(r)) return;
  const QRectF n = r.normalized();
  MarkCells(static_cast<int>(std::floor(n.left())), static_cast<int>(std::floor(n.top())),
            static_cast<int>(std::ceil(n.right())) - 1, static_cast<int>(std::ceil(n.bottom())) - 1);
}

void TextPlacement::Ellipse(const QPointF& centre, double rx, double ry, double width) {
  if (!std::isfinite(rx) || !std::isfinite(ry) || !std::isfinite(centre.x()) || !std::isfinite(centre.y())) return;
  const double half = std::max(width, 1.0) / 2 + 0.5;
  // Row by row, the outline's ring between the ellipse grown and shrunk by
  // half the pen.
  const double ox = rx + half, oy = ry + half, ix = rx - half, iy = ry - half;
  const double cx = centre.x(), cy = centre.y();
  const int y0 = std::max(0, static_cast<int>(std::floor(cy - oy))), y1 = std::min(h_ - 1, static_cast<int>(std::floor(cy + oy)));
  for (int y = y0; y <= y1; ++y) {
    const double nearest = y > cy ? y - cy : (y + 1 < cy ? cy - (y + 1) : 0.0);
    const double farthest = std::max(std::fabs(y - cy), std::fabs(y + 1 - cy));
    if (nearest > oy) continue;
    const double outer = ox * std::sqrt(std::max(0.0, 1 - (nearest / oy) * (nearest / oy)));
    if (ix > 0 && iy > 0 && farthest < iy) {
      const double inner = ix * std::sqrt(std::max(0.0, 1 - (farthest / iy) * (farthest / iy)));
      MarkRun(y, cx - outer, cx - inner);
      MarkRun(y, cx + inner, cx + outer);
    } else {
      MarkRun(y, cx - outer, cx + outer);
    }
  }
}

void TextPlacement::Dot(const QPointF& at, double radius) { MarkDisc(at.x(), at.y(), std::max(radius, 0.5)); }

namespace {

// A device pixel's middle in picture pixels (device pixels are drawn from
// their top-left corner).
QPointF PixelMiddle(const QPoint& p, double s) { return QPointF((p.x() + 0.5) / s, (p.y() + 0.5) / s); }

// The width of a pen in picture pixels.
double PenWidth(const QPen& pen, double s) { return pen.style() == Qt::NoPen ? 0 : std::max(pen.widthF(), 1.0) / s; }

}  // namespace

void TextPlacement::MarkDrawnSegment(const QPoint& a, const QPoint& b, double width, double s) {
  if (markTag_ != 0)
    Segment(PixelMiddle(a, s), PixelMiddle(b, s), width, markTag_);
  else
    MarkCellsOfLine(PixelMiddle(a, s), PixelMiddle(b, s), width / 2 + 1 / s);
}

void TextPlacement::MarkLine(const QPoint& a, const QPoint& b, const QPen& pen, double deviceScale) {
  const double s = deviceScale > 0 ? deviceScale : 1;
  MarkDrawnSegment(a, b, PenWidth(pen, s), s);
}

void TextPlacement::Mark(const PictureBox::DrawnShape& shape, double deviceScale) {
  using Kind = PictureBox::DrawnShape::Kind;
  const double s = deviceScale > 0 ? deviceScale : 1;
  const auto pt = [s](const QPointF& p) { return QPointF(p.x() / s, p.y() / s); };
  // Half the pen and the rounding of its device pixels, picture pixels.
  const double width = PenWidth(shape.pen, s);
  const double half = width / 2 + 1 / s;
  const QRectF area(shape.rect.left() / s, shape.rect.top() / s, shape.rect.width() / s, shape.rect.height() / s);
  switch (shape.kind) {
    case Kind::Lines: {
      if (shape.points.size() == 1) {
        const QPointF p = PixelMiddle(shape.points.front(), s);
        MarkDisc(p.x(), p.y(), half);
        break;
      }
      for (qsizetype i = 0; i + 1 < shape.points.size(); ++i) MarkDrawnSegment(shape.points[i], shape.points[i + 1], width, s);
      break;
    }
    case Kind::Outline: {
      const QRectF r(shape.rect.left() / s, shape.rect.top() / s, (shape.rect.width() + 1) / s,
                     (shape.rect.height() + 1) / s);
      for (const auto& [a, b] : {std::pair{r.topLeft(), r.topRight()}, std::pair{r.topRight(), r.bottomRight()},
                                 std::pair{r.bottomRight(), r.bottomLeft()}, std::pair{r.bottomLeft(), r.topLeft()}})
        MarkCellsOfLine(a, b, half);
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

}  // namespace ondrik
