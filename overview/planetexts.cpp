#include "overview/planetexts.h"

#include <QLineF>

#include <algorithm>
#include <cmath>

#include "platform/picturebox.h"
#include "platform/textplace.h"

namespace ondrik {

PixelBox InkBox(const PictureBox& pic, const std::string& text, double x, double y) {
  const QRectF ink = pic.TextInkAt(x, y, text);
  const double scale = pic.DeviceScale();
  return {ink.left() / scale, ink.top() / scale, ink.right() / scale, ink.bottom() / scale};
}

PixelBox InkMoved(const PixelBox& atOrigin, double deviceScale, double x, double y) {
  const double dx = std::floor(x * deviceScale + 0.5) / deviceScale, dy = std::floor(y * deviceScale + 0.5) / deviceScale;
  return {atOrigin.left + dx, atOrigin.top + dy, atOrigin.right + dx, atOrigin.bottom + dy};
}

PixelBox MoveInside(const PictureBox& pic, const std::string& text, double& x, double& y) {
  PixelBox ink = InkBox(pic, text, x, y);
  // The shift along one side, by whole device pixels (the corner is printed
  // at one): in from the far edge, then from the near one.
  const double scale = pic.DeviceScale();
  const auto shift = [scale](double from, double to, int size) {
    double by = 0;
    if (to > size - 1) by = -std::ceil((to - (size - 1)) * scale) / scale;
    if (from + by < 1) by = std::ceil((1 - from) * scale) / scale;
    return by;
  };
  const double dx = shift(ink.left, ink.right, pic.PixelWidth()), dy = shift(ink.top, ink.bottom, pic.PixelHeight());
  if (dx == 0 && dy == 0) return ink;
  x += dx;
  y += dy;
  return InkBox(pic, text, x, y);
}

QuietGround::QuietGround(const PictureBox& pic, std::initializer_list<Color> dark)
    : scale_(pic.DeviceScale()), w_(pic.PixelWidth()), h_(pic.PixelHeight()) {
  const size_t W = static_cast<size_t>(std::max(w_, 0)) + 1;
  sums_.assign(W * (static_cast<size_t>(std::max(h_, 0)) + 1), 0);
  const QImage& image = pic.Image();
  if (w_ <= 0 || h_ <= 0 || image.depth() != 32) return;
  std::vector<QRgb> darkRgb;
  for (const Color c : dark) darkRgb.push_back(ToQColor(c).rgb());
  const auto isDark = [&](QRgb c) { return std::find(darkRgb.begin(), darkRgb.end(), c) != darkRgb.end(); };
  const auto edge = [&](QRgb a, QRgb b) { return a != b && !(isDark(a) && isDark(b)); };
  // Each edge marks the picture pixel its first device pixel lies in.
  std::vector<unsigned char> marked(static_cast<size_t>(w_) * static_cast<size_t>(h_), 0);
  const int iw = image.width(), ih = image.height();
  for (int y = 0; y < ih; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const QRgb* next = y + 1 < ih ? reinterpret_cast<const QRgb*>(image.constScanLine(y + 1)) : nullptr;
    const size_t cy = static_cast<size_t>(std::min(h_ - 1, static_cast<int>(y / scale_)));
    for (int x = 0; x < iw; ++x) {
      const QRgb c = row[x];
      if ((x + 1 < iw && edge(c, row[x + 1])) || (next != nullptr && edge(c, next[x])))
        marked[cy * static_cast<size_t>(w_) + static_cast<size_t>(std::min(w_ - 1, static_cast<int>(x / scale_)))] = 1;
    }
  }
  for (size_t y = 0; y < static_cast<size_t>(h_); ++y) {
    int row = 0;
    for (size_t x = 0; x < static_cast<size_t>(w_); ++x) {
      row += marked[y * static_cast<size_t>(w_) + x];
      sums_[(y + 1) * W + x + 1] = sums_[y * W + x + 1] + row;
    }
  }
}

bool QuietGround::Under(const PixelBox& b) const {
  if (w_ <= 0 || h_ <= 0) return true;
  if (!std::isfinite(b.left) || !std::isfinite(b.right) || !std::isfinite(b.top) || !std::isfinite(b.bottom)) return false;
  // The picture pixels the box touches.
  const auto at = [](double v, int n) { return std::clamp(static_cast<int>(std::floor(v)), 0, n); };
  const size_t x0 = static_cast<size_t>(at(b.left, w_)), x1 = static_cast<size_t>(at(std::ceil(b.right), w_));
  const size_t y0 = static_cast<size_t>(at(b.top, h_)), y1 = static_cast<size_t>(at(std::ceil(b.bottom), h_));
  if (x0 >= x1 || y0 >= y1) return true;
  const size_t W = static_cast<size_t>(w_) + 1;
  return sums_[y1 * W + x1] - sums_[y0 * W + x1] - sums_[y1 * W + x0] + sums_[y0 * W + x0] == 0;
}

void DrawLineClear(PictureBox& pic, const TextPlacement& texts, double x1, double y1, double x2, double y2, Color c) {
  std::vector<QLineF> pieces;
  texts.ClearOfTexts(QLineF(pic.XToPixel(x1), pic.YToPixel(y1), pic.XToPixel(x2), pic.YToPixel(y2)),
                     std::max(pic.DrawWidth, 1), pieces);
  for (const QLineF& p : pieces)
    pic.Line(pic.PixelToX(p.x1()), pic.PixelToY(p.y1()), pic.PixelToX(p.x2()), pic.PixelToY(p.y2()), c);
}

}  // namespace ondrik
