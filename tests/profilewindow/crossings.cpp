#include "tests/profilewindow/crossings.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "platform/picturetext.h"

namespace ondrik::testing {

namespace {

using Shape = PictureBox::DrawnShape;
using Text = PictureBox::PrintedText;

// A pixel of a text's picture this much covered (of 255) is of its strokes.
constexpr int kStrokeAlpha = 96;

bool Fills(const Shape& s) {
  return s.kind == Shape::Kind::Area || (s.kind == Shape::Kind::Ellipse && s.brush.style() != Qt::NoBrush);
}

std::string NameOf(const Shape& s) {
  const std::string pen = s.pen.color().name().toStdString(), brush = s.brush.color().name().toStdString();
  switch (s.kind) {
    case Shape::Kind::Lines:
      return (s.points.size() == 1 ? "dot " : s.pen.style() == Qt::SolidLine ? "line " : "dotted line ") + pen;
    case Shape::Kind::Outline:
      return "box " + pen;
    case Shape::Kind::Ellipse:
      return Fills(s) ? "disc " + brush : "ring " + pen;
    case Shape::Kind::Area:
      if (s.brush.style() != Qt::SolidPattern) return "hatch " + brush;
      return (s.rect.width() <= 2 && s.rect.height() <= 2 ? "dot " : "bar ") + brush;
  }
  return "shape";
}

// The strokes of a text in device pixels of the picture.
struct Strokes {
  QRect bounds;  // of the pixels of its strokes
  std::vector<QPoint> pixels;
};

Strokes StrokesOf(const Text& t) {
  Strokes s;
  for (int y = 0; y < t.strokes.height(); ++y)
    for (int x = 0; x < t.strokes.width(); ++x)
      if (qAlpha(t.strokes.pixel(x, y)) >= kStrokeAlpha) s.pixels.push_back(t.strokesAt + QPoint(x, y));
  for (const QPoint& p : s.pixels) s.bounds |= QRect(p, QSize(1, 1));
  return s;
}

// How many of the strokes the shapes set where the shapes that hide them do
// not.
int Covered(const Strokes& strokes, const std::vector<const Shape*>& shapes, const std::vector<const Shape*>& hiding) {
  QImage mask(strokes.bounds.size(), QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::transparent);
  QPainter p(&mask);
  p.translate(-strokes.bounds.topLeft());
  for (const Shape* s : shapes) {
    if (s->kind != Shape::Kind::Lines || s->points.size() <= 2 || s->pen.style() != Qt::SolidLine) {
      s->Paint(p);
      continue;
    }
    // A long solid line: only its pieces near the text.
    const int m = s->pen.width() / 2 + 2;
    const QRect near = strokes.bounds.adjusted(-m, -m, m, m);
    p.setPen(s->pen);
    for (qsizetype i = 0; i + 1 < s->points.size(); ++i)
      if (QRect(s->points[i], s->points[i + 1]).normalized().intersects(near))
        p.drawPolyline(&s->points[std::max<qsizetype>(i - 1, 0)], static_cast<int>(std::min<qsizetype>(i + 2, s->points.size() - 1) - std::max<qsizetype>(i - 1, 0) + 1));
  }
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  for (const Shape* h : hiding) h->Paint(p);
  p.end();
  int n = 0;
  for (const QPoint& q : strokes.pixels) n += qAlpha(mask.pixel(q - strokes.bounds.topLeft())) != 0;
  return n;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// The box a text stands on, in device pixels: its background, with the
// filled shape drawn just before it that holds it (its margins).
QRect BoxOf(const Text& a, const std::vector<Shape>& shapes, double scale) {
  const QRectF bg = a.background;
  QRect box(QPoint(static_cast<int>(std::floor(bg.left() * scale)), static_cast<int>(std::floor(bg.top() * scale))),
            QPoint(static_cast<int>(std::ceil(bg.right() * scale)) - 1, static_cast<int>(std::ceil(bg.bottom() * scale)) - 1));
  if (a.shapesBefore > 0) {
    const Shape& s = shapes[a.shapesBefore - 1];
    if (Fills(s) && s.kind == Shape::Kind::Area && s.rect.contains(box.adjusted(1, 1, -1, -1))) box |= s.rect;
  }
  return box;
}

// Whether a line drawn before a text's box sets pixels inside the box.
bool Under(const QRect& box, const Shape& s) {
  if (!s.bounds.intersects(box)) return false;
  QImage mask(box.size(), QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::transparent);
  QPainter p(&mask);
  p.translate(-box.topLeft());
  s.Paint(p);
  p.end();
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (qAlpha(mask.pixel(x, y)) >= kStrokeAlpha) return true;
  return false;
}

}  // namespace

std::vector<Fault> Faults(const PictureBox& pic, const std::vector<Overlay>& over, const std::vector<QRgb>& traces) {
  std::vector<Fault> faults;
  const auto& texts = pic.PrintedTexts();
  const auto& shapes = pic.DrawnShapes();
  // Strokes on the picture's outermost pixels read as cut off.
  const QRectF inside(-0.5, -0.5, pic.PixelWidth() + 1.0, pic.PixelHeight() + 1.0);
  const QRectF whole(0.5, 0.5, pic.PixelWidth() - 1.0, pic.PixelHeight() - 1.0);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const Text& a = texts[i];
    if (!inside.contains(a.ink))
      faults.push_back({a.text, "runs out of the picture"});
    else if (!whole.contains(a.ink))
      faults.push_back({a.text, "touches the picture's edge"});
    if (a.digitPx < picturetext::kSmallestDigitPx)
      faults.push_back({a.text, "digits " + std::to_string(static_cast<int>(a.digitPx)) + " px tall"});
    // Texts: apart across by a pixel, one under the other touching at most.
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      const Text& b = texts[j];
      if (a.text == b.text && a.ink == b.ink) continue;  // printed again in its place
      if (a.ink.adjusted(-1, 1, 1, -1).intersects(b.ink))
        faults.push_back({a.text, "runs into " + Quoted(b.text)});
      else if (b.background.intersects(a.ink))
        faults.push_back({a.text, "under the background of " + Quoted(b.text)});
    }
    // Traces under its box.
    if (!a.background.isEmpty() && !traces.empty()) {
      const QRect box = BoxOf(a, shapes, pic.DeviceScale());
      for (std::size_t k = 0; k < a.shapesBefore; ++k) {
        const Shape& s = shapes[k];
        if (s.kind != Shape::Kind::Lines || s.pen.widthF() < 2 * pic.DeviceScale() ||
            std::find(traces.begin(), traces.end(), s.pen.color().rgb()) == traces.end())
          continue;
        if (Under(box, s)) faults.push_back({a.text, "hides trace " + s.pen.color().name().toStdString()});
      }
    }
    // Shapes: where they set a pixel of the text's strokes.
    const Strokes strokes = StrokesOf(a);
    if (strokes.pixels.empty()) continue;
    // The filled shapes near it, which may hide what was drawn before them.
    std::vector<std::size_t> fills;
    for (std::size_t k = 0; k < shapes.size(); ++k)
      if (Fills(shapes[k]) && shapes[k].bounds.intersects(strokes.bounds)) fills.push_back(k);
    const auto hidingAfter = [&](std::size_t k, auto keep) {
      std::vector<const Shape*> hiding;
      for (const std::size_t h : fills)
        if (h > k && h < a.shapesBefore && keep(shapes[h])) hiding.push_back(&shapes[h]);
      return hiding;
    };
    const auto check = [&](const Shape& s, std::size_t k, const Overlay* o) {
      const bool before = k < a.shapesBefore;
      if (!s.bounds.intersects(strokes.bounds) || (before && !a.background.isEmpty())) return;
      if (before && Fills(s)) return;  // below: with the others of its colour
      const auto hiding = before ? hidingAfter(k, [](const Shape&) { return true; }) : std::vector<const Shape*>{};
      if (Covered(strokes, {&s}, hiding) > 0)
        faults.push_back({a.text, (Fills(s) ? "covered by " : "crossed by ") + (o != nullptr ? o->name : NameOf(s))});
    };
    for (std::size_t k = 0; k < shapes.size(); ++k) check(shapes[k], k, nullptr);
    for (const Overlay& o : over) check(o.shape, shapes.size(), &o);
    // Filled shapes under the text, by colour: all its strokes on them (its
    // backing) or none.
    if (!a.background.isEmpty()) continue;
    std::map<QRgb, std::vector<const Shape*>> under;
    std::map<QRgb, std::size_t> first;
    for (const std::size_t k : fills) {
      if (k >= a.shapesBefore) break;
      const QRgb colour = shapes[k].brush.color().rgb();
      under[colour].push_back(&shapes[k]);
      first.try_emplace(colour, k);
    }
    for (const auto& [colour, these] : under) {
      const auto other = [colour = colour](const Shape& h) { return h.brush.color().rgb() != colour; };
      const int n = Covered(strokes, these, hidingAfter(first[colour], other));
      if (n > 0 && n < static_cast<int>(strokes.pixels.size()))
        faults.push_back({a.text, "half on " + NameOf(*these.front())});
    }
  }
  // Each once.
  std::set<std::pair<std::string, std::string>> seen;
  std::vector<Fault> once;
  for (Fault& f : faults)
    if (seen.insert({f.text, f.what}).second) once.push_back(std::move(f));
  return once;
}

bool Matches(const std::string& pattern, const std::string& s) {
  const std::size_t star = pattern.find('*');
  if (star == std::string::npos) return pattern == s;
  if (s.compare(0, star, pattern, 0, star) != 0) return false;
  const std::string rest = pattern.substr(star + 1);
  for (std::size_t at = star; at <= s.size(); ++at)
    if (Matches(rest, s.substr(at))) return true;
  return false;
}

}  // namespace ondrik::testing
