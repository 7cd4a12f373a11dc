#include "overview/planetexts.h"

#include <algorithm>
#include <cmath>

#include <QImage>

#include "platform/clipsegment.h"
#include "platform/picturebox.h"

namespace ondrik {

PixelBox InkBox(const PictureBox& pic, const std::string& text, double x, double y) {
  const QRectF ink = pic.TextInkAt(x, y, text);
  const double scale = pic.DeviceScale();
  return {ink.left() / scale, ink.top() / scale, ink.right() / scale, ink.bottom() / scale};
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

namespace {

// The part t0..t1 of the segment (t from 0 at its start to 1 at its end)
// inside the box; false when it misses the box.
bool Inside(const PixelSegment& s, const PixelBox& b, double& t0, double& t1) {
  return SegmentInside(s.x1, s.y1, s.x2, s.y2, b.left, b.top, b.right, b.bottom, t0, t1);
}

PixelBox BoundsOf(const PixelSegment& s) {
  return PixelBox{std::min(s.x1, s.x2), std::min(s.y1, s.y2), std::max(s.x1, s.x2), std::max(s.y1, s.y2)}.Grown(
      s.half);
}

bool Finite(const PixelBox& b) {
  return std::isfinite(b.left) && std::isfinite(b.top) && std::isfinite(b.right) && std::isfinite(b.bottom);
}

}  // namespace

template <typename F>
void PlaneTexts::EachCell(const PixelBox& b, F&& f) const {
  if (cols_ == 0 || !Finite(b)) return;
  const auto cell = [](double v, int n) { return std::clamp(static_cast<int>(std::floor(v / kCell)), 0, n - 1); };
  const int c0 = cell(b.left, cols_), c1 = cell(b.right, cols_);
  const int r0 = cell(b.top, rows_), r1 = cell(b.bottom, rows_);
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c) f(static_cast<size_t>(r * cols_ + c));
}

void PlaneTexts::Reset(int w, int h) {
  w_ = std::max(w, 0);
  h_ = std::max(h, 0);
  cols_ = (w_ + kCell - 1) / kCell + 1;
  rows_ = (h_ + kCell - 1) / kCell + 1;
  tags_ = 0;
  boxes_.clear();
  lines_.clear();
  texts_.clear();
  // The cells keep what they hold room for from one redraw to the next.
  for (auto* cells : {&boxCells_, &lineCells_}) {
    cells->resize(static_cast<size_t>(cols_ * rows_));
    for (std::vector<int>& c : *cells) c.clear();
  }
}

void PlaneTexts::Reserve(const PixelBox& b) {
  if (!Finite(b)) return;
  const int i = static_cast<int>(boxes_.size());
  boxes_.push_back(b);
  EachCell(b, [&](size_t c) { boxCells_[c].push_back(i); });
}

bool PlaneTexts::Crosses(const PixelSegment& s, const PixelBox& ink) {
  double t0, t1;
  return Inside(s, ink.Grown(kGap + s.half), t0, t1);
}

bool PlaneTexts::Free(const PixelBox& ink, int tag) const {
  // Strokes on the picture's outermost pixels read cut off.
  if (!Finite(ink) || ink.left < 1 || ink.top < 1 || ink.right > w_ - 1 || ink.bottom > h_ - 1) return false;
  const PixelBox near = ink.Grown(1);
  bool free = true;
  EachCell(near, [&](size_t c) {
    for (int i : boxCells_[c])
      if (free && near.Meets(boxes_[static_cast<size_t>(i)])) free = false;
    for (int i : lineCells_[c]) {
      if (!free) return;
      const PixelSegment& l = lines_[static_cast<size_t>(i)];
      if ((tag == 0 || l.tag != tag) && Crosses(l, ink)) free = false;
    }
  });
  return free;
}

bool OnQuietGround(const PictureBox& pic, const PixelBox& b, std::initializer_list<Color> dark) {
  const QImage& image = pic.Image();
  const double scale = pic.DeviceScale();
  // The device pixels the box touches.
  const int x0 = std::max(0, static_cast<int>(std::floor(b.left * scale)));
  const int y0 = std::max(0, static_cast<int>(std::floor(b.top * scale)));
  const int x1 = std::min(image.width(), static_cast<int>(std::ceil(b.right * scale)));
  const int y1 = std::min(image.height(), static_cast<int>(std::ceil(b.bottom * scale)));
  if (x0 >= x1 || y0 >= y1 || image.depth() != 32) return true;
  std::vector<QRgb> darkRgb;
  for (const Color c : dark) darkRgb.push_back(ToQColor(c).rgb());
  const auto isDark = [&](QRgb c) { return std::find(darkRgb.begin(), darkRgb.end(), c) != darkRgb.end(); };
  const QRgb first = reinterpret_cast<const QRgb*>(image.constScanLine(y0))[x0];
  bool one = true, allDark = true;
  for (int y = y0; y < y1 && (one || allDark); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = x0; x < x1; ++x) {
      one = one && row[x] == first;
      allDark = allDark && isDark(row[x]);
    }
  }
  return one || allDark;
}

void PlaneTexts::Set(const std::string& text, double x, double y, const PixelBox& ink, Color c) {
  Reserve(ink.Grown(kGap));
  texts_.push_back({text, x, y, c});
}

void PlaneTexts::Record(const PixelSegment& s) {
  const PixelBox near = BoundsOf(s).Grown(kGap);
  if (!near.Meets(PixelBox{0, 0, static_cast<double>(w_), static_cast<double>(h_)})) return;  // off the picture
  const int i = static_cast<int>(lines_.size());
  lines_.push_back(s);
  EachCell(near, [&](size_t c) { lineCells_[c].push_back(i); });
}

void PlaneTexts::Clear(const PixelSegment& s, std::vector<PixelSegment>& out) const {
  // The stretches of the line inside the rooms, merged, are left out.
  std::vector<std::pair<double, double>> cut;
  EachCell(BoundsOf(s), [&](size_t c) {
    for (int i : boxCells_[c]) {
      double t0, t1;
      if (Inside(s, boxes_[static_cast<size_t>(i)].Grown(s.half), t0, t1)) cut.emplace_back(t0, t1);
    }
  });
  const double length = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
  const auto piece = [&](double a, double b) {
    if ((b - a) * length < 0.5 && !(a == 0 && b == 1)) return;  // no dots where a line meets a room
    out.push_back({s.x1 + a * (s.x2 - s.x1), s.y1 + a * (s.y2 - s.y1), s.x1 + b * (s.x2 - s.x1),
                   s.y1 + b * (s.y2 - s.y1), s.half, s.tag});
  };
  if (cut.empty()) {
    out.push_back(s);
    return;
  }
  std::sort(cut.begin(), cut.end());
  double from = 0;
  for (const auto& [a, b] : cut) {
    if (a > from) piece(from, a);
    from = std::max(from, b);
  }
  if (from < 1) piece(from, 1);
}

void PlaneTexts::DrawLine(PictureBox& pic, double x1, double y1, double x2, double y2, Color c) const {
  std::vector<PixelSegment> pieces;
  Clear({pic.XToPixel(x1), pic.YToPixel(y1), pic.XToPixel(x2), pic.YToPixel(y2), std::max(pic.DrawWidth, 1) / 2.0},
        pieces);
  for (const PixelSegment& p : pieces)
    pic.Line(pic.PixelToX(p.x1), pic.PixelToY(p.y1), pic.PixelToX(p.x2), pic.PixelToY(p.y2), c);
}

void PlaneTexts::PrintAll(PictureBox& pic) {
  if (texts_.empty()) return;
  const double l = pic.ScaleLeft(), t = pic.ScaleTop(), w = pic.ScaleWidth(), h = pic.ScaleHeight();
  const Color fore = pic.ForeColor;
  const std::optional<Color> outline = pic.TextOutline;
  const bool transparent = pic.FontTransparent;
  pic.ScalePixels();
  pic.TextOutline = pic.BackColor;
  pic.FontTransparent = true;
  for (const Text& x : texts_) {
    pic.ForeColor = x.colour;
    pic.CurrentX = x.x;
    pic.CurrentY = x.y;
    pic.Print(x.text);
  }
  texts_.clear();
  pic.ForeColor = fore;
  pic.TextOutline = outline;
  pic.FontTransparent = transparent;
  pic.Scale(l, t, l + w, t + h);
}

}  // namespace ondrik
