#include "chart/labels.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ondrik {

namespace {
// Margins (picture pixels) of a text's box across and up and down.
constexpr double kPadPx = 2;
constexpr double kPadTopBottomPx = 1;
// Room (picture pixels) a box keeps from the middle of a trace's line.
constexpr double kTraceRoomPx = 2;
}  // namespace

void ChartLabels::Begin() {
  collecting_ = true;
  shown_ = true;
  labels_.clear();
  traces_.clear();
  background_ = QImage();
}

void ChartLabels::TraceTo(const PictureBox& pic, double x, double y, bool start) {
  if (!collecting_) return;
  const QPointF p(pic.XToPixel(x), pic.YToPixel(y));
  if (!std::isfinite(p.x()) || !std::isfinite(p.y())) return;
  if (!start) traces_.emplace_back(traceAt_, p);
  traceAt_ = p;
}

void ChartLabels::TracesIn(double top, double bottom, Spans& out) const {
  out.clear();
  const double m = kTraceRoomPx;
  top -= m;
  bottom += m;
  // The segments by their upper ends (PrintAll sorts them): from the first
  // that may reach down into the rows to the last that begins above them.
  auto from = std::lower_bound(traces_.begin(), traces_.end(), top - tracesSpan_,
                               [](const QLineF& l, double y) { return std::min(l.y1(), l.y2()) < y; });
  for (auto it = from; it != traces_.end() && std::min(it->y1(), it->y2()) <= bottom; ++it) {
    const QLineF& l = *it;
    const double y1 = l.y1(), y2 = l.y2();
    if (std::max(y1, y2) < top) continue;
    // The part of the segment inside the rows.
    double t0 = 0, t1 = 1;
    if (y1 != y2) {
      t0 = std::clamp((top - y1) / (y2 - y1), 0.0, 1.0);
      t1 = std::clamp((bottom - y1) / (y2 - y1), 0.0, 1.0);
    }
    const double xa = l.x1() + (l.x2() - l.x1()) * t0, xb = l.x1() + (l.x2() - l.x1()) * t1;
    out.emplace_back(std::min(xa, xb) - m, std::max(xa, xb) + m);
  }
}

bool ChartLabels::Meets(const QRectF& r, const Spans& spans) {
  return std::any_of(spans.begin(), spans.end(),
                     [&](const auto& sp) { return sp.first < r.right() && sp.second > r.left(); });
}

void ChartLabels::KeepBackground(const PictureBox& pic) { background_ = pic.Image(); }

void ChartLabels::Print(PictureBox& pic, const std::string& text, LabelPlace place, double lo, double hi) {
  if (!collecting_) {
    pic.Print(text, false);
    return;
  }
  Label l;
  l.text = text;
  l.box = QRectF(pic.XToPixel(pic.CurrentX), pic.YToPixel(pic.CurrentY), pic.TextWidthPx(text),
                 pic.TextHeightPx(text));
  if (!std::isfinite(l.box.left()) || !std::isfinite(l.box.top())) return;
  l.color = pic.ForeColor;
  l.fontName = pic.FontName;
  l.fontSize = pic.FontSize;
  l.fontBold = pic.FontBold;
  l.place = place;
  l.shown = shown_;
  // The box reaches a little beyond the text, so that no line comes up to
  // the edge of its ink (which, measured, begins where the text begins,
  // leading blank or not); a trailing blank leaves room enough on the right.
  if (place != LabelPlace::UnderAxis) {
    l.box.adjust(-kPadPx, -kPadTopBottomPx, text.empty() || text.back() != ' ' ? kPadPx : 0, kPadTopBottomPx);
    l.pad = QPointF(kPadPx, kPadTopBottomPx);
  }
  if (lo == 0 && hi == 0) {
    l.loPx = 0;
    l.hiPx = pic.PixelWidth();
  } else {
    l.loPx = std::min(pic.XToPixel(lo), pic.XToPixel(hi));
    l.hiPx = std::max(pic.XToPixel(lo), pic.XToPixel(hi));
  }
  labels_.push_back(std::move(l));
}

void ChartLabels::DataInk::Build(const QImage& now, const QImage& background, double deviceScale) {
  scale_ = deviceScale > 0 ? deviceScale : 1;
  cw_ = ch_ = 0;
  if (now.isNull() || background.size() != now.size()) return;
  const QImage a = now.format() == QImage::Format_ARGB32_Premultiplied || now.format() == QImage::Format_RGB32
                       ? now
                       : now.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage b = background.format() == a.format() ? background : background.convertToFormat(a.format());
  const int w = a.width(), h = a.height();
  cw_ = (w + kCell - 1) / kCell;
  ch_ = (h + kCell - 1) / kCell;
  const size_t stride = static_cast<size_t>(cw_) + 1;
  // The cells that hold a changed pixel, then their summed table (row 0
  // and column 0 zero), in the memory of the last redraw's.
  sum_.assign(stride * static_cast<size_t>(ch_ + 1), 0);
  for (int y = 0; y < h; ++y) {
    const auto* ra = reinterpret_cast<const quint32*>(a.constScanLine(y));
    const auto* rb = reinterpret_cast<const quint32*>(b.constScanLine(y));
    int* cells = &sum_[static_cast<size_t>(y / kCell + 1) * stride + 1];
    const int whole = w / kCell;
    for (int cx = 0; cx < whole; ++cx) {
      const int x = cx * kCell;
      const quint32 d = (ra[x] ^ rb[x]) | (ra[x + 1] ^ rb[x + 1]) | (ra[x + 2] ^ rb[x + 2]) | (ra[x + 3] ^ rb[x + 3]);
      cells[cx] |= (d & 0xFFFFFFu) != 0;
    }
    for (int x = whole * kCell; x < w; ++x) cells[whole] |= ((ra[x] ^ rb[x]) & 0xFFFFFFu) != 0;
  }
  for (int cy = 1; cy <= ch_; ++cy) {
    int* row = &sum_[static_cast<size_t>(cy) * stride];
    const int* above = row - stride;
    int run = 0;
    for (int cx = 1; cx <= cw_; ++cx) {
      run += row[cx];
      row[cx] = above[cx] + run;
    }
  }
}

int ChartLabels::DataInk::Count(const QRectF& r) const {
  if (cw_ == 0) return 0;
  const double cell = kCell / scale_;  // picture pixels a cell spans
  const int x0 = std::clamp(static_cast<int>(std::floor(r.left() / cell)), 0, cw_);
  const int x1 = std::clamp(static_cast<int>(std::ceil(r.right() / cell)), 0, cw_);
  const int y0 = std::clamp(static_cast<int>(std::floor(r.top() / cell)), 0, ch_);
  const int y1 = std::clamp(static_cast<int>(std::ceil(r.bottom() / cell)), 0, ch_);
  const size_t stride = static_cast<size_t>(cw_) + 1;
  auto at = [&](int x, int y) { return sum_[static_cast<size_t>(y) * stride + static_cast<size_t>(x)]; };
  return at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
}

void ChartLabels::PrintAt(PictureBox& pic, const Label& l, const QRectF& box) const {
  const std::string keptName = pic.FontName;
  const double keptSize = pic.FontSize;
  const bool keptBold = pic.FontBold;
  const bool keptTransparent = pic.FontTransparent;
  pic.FontName = l.fontName;
  pic.FontSize = l.fontSize;
  pic.FontBold = l.fontBold;
  // On the box of the background, but the axis captions, which stand on
  // the ground band as the band's own.
  pic.FontTransparent = l.place == LabelPlace::UnderAxis;
  if (!pic.FontTransparent) {
    // The box with its margins over every device pixel it touches and no
    // other: where a picture pixel spans a fraction of a device pixel, a
    // box rounded out to whole picture pixels would cut into the text of
    // the row under it or run into a trace that keeps its room beside it.
    const DrawMode keptMode = pic.Mode;
    pic.Mode = DrawMode::CopyPen;
    const double s = pic.DeviceScale();
    const auto from = [&](double px) { return static_cast<int>(std::floor(px * s)); };
    const auto to = [&](double px) { return static_cast<int>(std::ceil(px * s)) - 1; };
    FillDevicePixels(pic, QRect(QPoint(from(box.left()), from(box.top())), QPoint(to(box.right()), to(box.bottom()))),
                     pic.BackColor);
    pic.Mode = keptMode;
  }
  pic.ForeColor = l.color;
  pic.CurrentX = pic.PixelToX(box.left() + l.pad.x());
  pic.CurrentY = pic.PixelToY(box.top() + l.pad.y());
  pic.Print(l.text, false);
  pic.FontName = keptName;
  pic.FontSize = keptSize;
  pic.FontBold = keptBold;
  pic.FontTransparent = keptTransparent;
}

bool ChartLabels::Place(const PictureBox& pic, const Label& l, const DataInk& ink,
                        const std::vector<QRectF>& taken, double coveredTopPx, QRectF& out) const {
  const double W = pic.PixelWidth(), H = pic.PixelHeight();
  const double w = l.box.width(), h = l.box.height();
  int best = INT_MAX;
  // The texts placed so far and the traces that reach into the rows of a
  // place.
  std::vector<QRectF> near;
  Spans traces;
  auto rows = [&](double y) {
    near.clear();
    for (const QRectF& t : taken)
      if (t.bottom() > y && t.top() < y + h) near.push_back(t);
    TracesIn(y, y + h, traces);
  };
  // A place inside the picture, under the strip and clear of the texts
  // placed so far; the one on the least data wins, the first without any
  // at once.
  auto clear = [&](double x, double y) {
    const QRectF r(x, y, w, h);
    if (r.left() < 0 || r.right() > W || r.top() < coveredTopPx || r.bottom() > H) return false;
    if (Meets(r, traces)) return false;
    const int n = ink.Count(r);
    if (n >= best || !Clear(r, near)) return false;
    best = n;
    out = r;
    return n == 0;
  };
  rows(l.box.top());
  const double step = std::max(1.0, h / 2);
  // Another dataset's caption stands where it was asked for, or not at all.
  if (!l.shown) return clear(l.box.left(), l.box.top()) || best != INT_MAX;
  switch (l.place) {
    case LabelPlace::UnderAxis:
      return clear(l.box.left(), l.box.top());
    case LabelPlace::HeightAxis:
    case LabelPlace::AlongRow: {
      const double lo = std::max(0.0, l.loPx), hi = std::min(W, l.hiPx) - w;
      if (hi < lo) return false;
      const double x0 = std::clamp(l.box.left(), lo, hi);
      if (clear(x0, l.box.top())) return true;
      for (double d = 2; x0 - d >= lo || x0 + d <= hi; d += 2) {
        if (x0 + d <= hi && clear(x0 + d, l.box.top())) return true;
        if (x0 - d >= lo && clear(x0 - d, l.box.top())) return true;
      }
      return best != INT_MAX;
    }
    case LabelPlace::Anywhere: {
      // Row by row from its own place down to the middle of the picture.
      const double top = std::max(l.box.top(), coveredTopPx);
      const double bottom = top + 0.4 * H;
      // Right of its own place first, then, where a row has not room
      // enough there, left of it.
      const double x0 = std::clamp(l.box.left(), 0.0, std::max(0.0, std::min(W, l.hiPx) - w));
      for (double y = top; y <= bottom; y += step) {
        rows(y);
        for (double x = x0; x + w <= std::min(W, l.hiPx); x += step)
          if (clear(x, y)) return true;
        for (double x = x0 - step; x >= 0; x -= step)
          if (clear(x, y)) return true;
      }
      return best != INT_MAX;
    }
    case LabelPlace::Fixed:
    case LabelPlace::AtPoint:
      break;
  }
  out = l.box;
  return true;
}

bool ChartLabels::Clear(const QRectF& r, const std::vector<QRectF>& taken) {
  return std::none_of(taken.begin(), taken.end(), [&](const QRectF& t) { return t.intersects(r); });
}

bool ChartLabels::Nudge(const PictureBox& pic, QRectF& r, Slide slide, const std::vector<QRectF>& taken,
                        double coveredTopPx) const {
  const double W = pic.PixelWidth(), H = pic.PixelHeight();
  if (r.width() <= W) r.moveLeft(std::clamp(r.left(), 0.0, W - r.width()));
  if (r.height() <= H - coveredTopPx) r.moveTop(std::clamp(r.top(), coveredTopPx, H - r.height()));
  if (slide == Slide::None) return Clear(r, taken);
  Spans traces;
  TracesIn(r.top(), r.bottom(), traces);
  if (slide == Slide::Stays) return Clear(r, taken) && !Meets(r, traces);
  if (Clear(r, taken) && !Meets(r, traces)) return true;
  // Along its row, to the nearest place either way clear of the texts and
  // the traces, or else of the texts.
  std::vector<QRectF> near;
  for (const QRectF& t : taken)
    if (t.bottom() > r.top() && t.top() < r.bottom()) near.push_back(t);
  const double x0 = r.left();
  double offTexts = Clear(r, near) ? x0 : -1;
  for (double d = 1; x0 - d >= 0 || x0 + d + r.width() <= W; d += 1) {
    for (const double x : {x0 + d, x0 - d}) {
      if (x < 0 || x + r.width() > W) continue;
      const QRectF moved(x, r.top(), r.width(), r.height());
      if (!Clear(moved, near)) continue;
      if (!Meets(moved, traces)) {
        r = moved;
        return true;
      }
      if (offTexts < 0) offTexts = x;
    }
  }
  if (offTexts < 0) return false;
  r.moveLeft(offTexts);
  return true;
}

void ChartLabels::PrintAll(PictureBox& pic, double coveredTopPx) {
  collecting_ = false;
  std::sort(traces_.begin(), traces_.end(),
            [](const QLineF& a, const QLineF& b) { return std::min(a.y1(), a.y2()) < std::min(b.y1(), b.y2()); });
  tracesSpan_ = 0;
  for (const QLineF& l : traces_) tracesSpan_ = std::max(tracesSpan_, std::fabs(l.y2() - l.y1()));
  std::vector<QRectF> taken;
  taken.reserve(labels_.size());
  // In the order of their places, the shown dataset's before the others'
  // each time; each text keeps a pixel off the boxes placed before it.
  // Values stand where they are, moved only as far as keeps them whole
  // inside the picture and, for the shown dataset's at points, along their
  // row clear of the texts placed before them and off the traces. A value
  // of another dataset that would run into one of those, or at a point
  // would lie over a trace, is left out (the shown dataset's, or the first
  // of the same kind, tells it), and so is one whose point lies beyond the
  // picture. The captions then find their places.
  const auto take = [&](const QRectF& r) { taken.push_back(r.adjusted(-1, -1, 1, 1)); };
  bool inkBuilt = false;
  for (int place = 0; place <= static_cast<int>(LabelPlace::Anywhere); ++place) {
    for (const bool shown : {true, false}) {
      for (const Label& l : labels_) {
        if (static_cast<int>(l.place) != place || l.shown != shown) continue;
        QRectF r = l.box;
        if (l.place == LabelPlace::Fixed || l.place == LabelPlace::AtPoint) {
          // A value whose point lies beyond the picture, or under what lies
          // over its top, is not there to see.
          const QPointF c = l.box.center();
          if (!(c.x() >= 0 && c.x() <= pic.PixelWidth() && c.y() >= coveredTopPx && c.y() <= pic.PixelHeight()))
            continue;
          const Slide slide = l.place != LabelPlace::AtPoint ? Slide::None
                              : shown                        ? Slide::OffTextsAndTraces
                                                             : Slide::Stays;
          if (!Nudge(pic, r, slide, taken, coveredTopPx) && !shown) continue;
        } else {
          // The captions keep clear of what the values left too.
          if (!inkBuilt) ink_.Build(pic.Image(), background_, pic.DeviceScale());
          inkBuilt = true;
          if (!Place(pic, l, ink_, taken, coveredTopPx, r)) continue;
        }
        PrintAt(pic, l, r);
        take(r);
      }
    }
  }
  labels_.clear();
  background_ = QImage();
}

}  // namespace ondrik
