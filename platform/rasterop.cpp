// Drawing in the modes that combine with the picture (exclusive-or and the
// other raster operations), as the picture box draws it.
#include "platform/rasterop.h"

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ondrik {

QPainter::CompositionMode CompositionOf(DrawMode m) {
  switch (m) {
    case DrawMode::XorPen:
      return QPainter::RasterOp_SourceXorDestination;
    case DrawMode::NotXorPen:
      return QPainter::RasterOp_NotSourceXorDestination;
    case DrawMode::MaskPenNot:
      // The pen AND the inverse of what lies under it.
      return QPainter::RasterOp_SourceAndNotDestination;
    case DrawMode::CopyPen:
      break;
  }
  return QPainter::CompositionMode_SourceOver;
}

namespace {

// Drawing that combines with the picture (exclusive-or and the other raster
// operations) goes to Qt in pieces of at most this many rows or columns: Qt
// hands larger pieces to worker threads, whose wake-ups cost more than the
// drawing itself.
constexpr int kRasterOpBand = 64;

// The exclusive-or of a colour into the pixels of r, as Qt's raster
// operation sets them on a picture of RGB32 pixels (each pixel keeps its
// alpha), two pixels at a time where Qt's loop takes one; black changes
// nothing. The picture is the one being painted: its pixels are its own
// while a painter is on it, so writing them does not copy it.
void XorPixels(QImage& image, const QRect& r, QRgb colour) {
  const std::uint32_t c = colour & 0x00FFFFFFu;
  const QRect on = r & image.rect();
  if (c == 0 || on.isEmpty()) return;
  const std::uint64_t pair = (std::uint64_t{c} << 32) | c;
  uchar* const bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const int n = on.width();
  for (int y = on.top(); y <= on.bottom(); ++y) {
    uchar* row = bits + y * stride + qsizetype{on.left()} * 4;
    int x = 0;
    for (; x + 2 <= n; x += 2, row += 8) {
      std::uint64_t v;
      std::memcpy(&v, row, 8);
      v ^= pair;
      std::memcpy(row, &v, 8);
    }
    if (x < n) {
      std::uint32_t v;
      std::memcpy(&v, row, 4);
      v ^= c;
      std::memcpy(row, &v, 4);
    }
  }
}

}  // namespace

void FillInBands(QPainter& p, const QRect& r, const QBrush& brush, DrawMode mode) {
  if (mode == DrawMode::CopyPen) {
    p.fillRect(r, brush);
    return;
  }
  auto* image = dynamic_cast<QImage*>(p.device());
  if (mode == DrawMode::XorPen && brush.style() == Qt::SolidPattern && image != nullptr &&
      image->format() == QImage::Format_RGB32) {
    XorPixels(*image, r, brush.color().rgb());
    return;
  }
  for (int top = r.top(); top <= r.bottom(); top += kRasterOpBand)
    p.fillRect(QRect(QPoint(r.left(), top), QPoint(r.right(), std::min(r.bottom(), top + kRasterOpBand - 1))), brush);
}

// A line one pixel wide, in bands along its longer side when the painter
// combines: the band edges clip the one line, so every pixel is the one the
// whole line would set, and set once. A line along a row or a column that
// starts on the picture goes in pieces instead, each from the pixel after
// the last one's end and a whole number of the dotted pen's periods (3
// pixels) long, so that each starts its dots where the whole line has
// them: the same pixels, without clipping the whole line to every band.
void LineInBands(QPainter& p, const QPoint& a, const QPoint& b, bool combines) {
  const int dx = std::abs(b.x() - a.x()), dy = std::abs(b.y() - a.y());
  if (!combines || std::max(dx, dy) < kRasterOpBand) {
    p.drawLine(a, b);
    return;
  }
  const QRect picture(0, 0, p.device()->width(), p.device()->height());
  if ((dx == 0 || dy == 0) && picture.contains(a)) {
    constexpr int kPiece = 63;  // pixels, at most a band
    const QPoint step((b.x() > a.x()) - (b.x() < a.x()), (b.y() > a.y()) - (b.y() < a.y()));
    const int n = std::max(dx, dy);
    for (int from = 0; from <= n && picture.contains(a + step * from); from += kPiece)
      p.drawLine(a + step * from, a + step * std::min(n, from + kPiece - 1));
    return;
  }
  const bool alongX = dx >= dy;
  // Only the bands over the picture: nothing is drawn outside it.
  const int side = alongX ? p.device()->width() : p.device()->height();
  const int lo = std::max(-1, (alongX ? std::min(a.x(), b.x()) : std::min(a.y(), b.y())) - 1);
  const int hi = std::min(side + 1, (alongX ? std::max(a.x(), b.x()) : std::max(a.y(), b.y())) + 1);
  constexpr int kAll = 2 * static_cast<int>(kMaxDevicePixel) + 8;
  for (int from = lo; from <= hi; from += kRasterOpBand) {
    p.setClipRect(alongX ? QRect(from, -kAll / 2, kRasterOpBand, kAll) : QRect(-kAll / 2, from, kAll, kRasterOpBand));
    p.drawLine(a, b);
  }
  p.setClipping(false);
}

}  // namespace ondrik
