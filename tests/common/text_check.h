// What is wrong with what is drawn on a picture, for every test that texts
// read (the printed-text test over every view of the windows, the side
// panels', the chart's and the overview's own): texts that run into each
// other, run out of the picture, touch its edge or are smaller than the
// program draws text; lines, rings, boxes and filled shapes that cross a
// text's strokes, before or after it is printed, as the picture box records
// them; data marks (the shapes drawn while the picture had DataMarks) under
// a text's box or rim; texts printed as a last resort beyond the number
// allowed (a data line may cross such a text); texts that stand away from
// what they label (a level's text off its row, a point's text away from
// its point, a text outside the place its movement allows, a line that
// leaves its block); two texts on one row closer than a blank; and, when
// asked, texts the
// picture must show that it does not show whole, pixels right round a
// text's ink that are not its ground, texts closer than a pixel one under
// the other, and lines of data under a text's box.
#pragma once

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/picturebox.h"
#include "platform/picturetext.h"

namespace ondrik::testing {

// A fault: the text it concerns and what is wrong with it, e.g.
// "crossed by dotted line #808080", "half on bar #00ff00", "covered by disc
// #ff0000", "runs into \"35\"", "under the background of \"LLJ\"", "runs out
// of the picture", "digits 5 px tall".
struct Fault {
  std::string text, what;
};

// Something laid over the picture after it was drawn (a snapshot's omega
// strip over the chart), by its name.
struct Overlay {
  PictureBox::DrawnShape shape;
  std::string name;
};

// The device pixels a rectangle of picture pixels touches (grown by `grow`
// each way), on a screen of this scale. A measure taken in device pixels
// and kept in picture pixels comes back within a rounding of where it was,
// which is no pixel more.
inline QRect DevicePixels(const QRectF& r, double scale, int grow) {
  constexpr double kRounding = 1e-6;
  return QRect(QPoint(static_cast<int>(std::floor(r.left() * scale + kRounding)) - grow,
                      static_cast<int>(std::floor(r.top() * scale + kRounding)) - grow),
               QPoint(static_cast<int>(std::ceil(r.right() * scale - kRounding)) - 1 + grow,
                      static_cast<int>(std::ceil(r.bottom() * scale - kRounding)) - 1 + grow));
}

// What covers the picture pixels r of a picture drawn at this scale whole
// (a widget laid over it: its geometry).
inline Overlay Covering(const QRect& r, double scale, const std::string& name) {
  const QRect device = DevicePixels(QRectF(r), scale, 0);
  PictureBox::DrawnShape s{.kind = PictureBox::DrawnShape::Kind::Area, .rect = device, .brush = QBrush(Qt::black)};
  s.bounds = device;
  return {s, name};
}

// A text a picture must show: its string ("*" for any run of characters)
// at least `count` times, each printed whole (inside the picture, under
// nothing laid over it) with its ink meeting `near` (picture pixels; empty:
// anywhere).
struct Expected {
  std::string text;
  int count = 1;
  QRectF near{};
};
// A text a picture must show once more.
inline void AddExpected(std::vector<Expected>& to, const std::string& text) {
  const auto same = std::find_if(to.begin(), to.end(), [&](const Expected& e) { return e.text == text; });
  if (same != to.end())
    ++same->count;
  else
    to.push_back({text});
}

// The words of texts, in order.
inline std::vector<std::string> Words(const std::vector<std::string>& texts) {
  std::vector<std::string> out;
  for (const std::string& t : texts) {
    std::istringstream in(t);
    for (std::string w; in >> w;) out.push_back(w);
  }
  return out;
}

// What a picture is looked at for besides its texts' edges, sizes, strokes
// and places.
struct Checks {
  // What lies over the picture after it was drawn.
  std::vector<Overlay> over{};
  // Lines of data (in these colours, two pixels wide or more) that are not
  // to lie under a text's box: such a box "hides trace #rrggbb".
  std::vector<QRgb> traces{};
  // Also a text whose ink has pixels right round it (a pixel apart) that
  // are not its ground, where nothing recorded crosses it: what was drawn
  // outside the picture box's record (a picture copied in) or touches it
  // without a pixel between.
  bool round = false;
  // Texts a pixel apart one under the other too, not only across (where
  // the program keeps a gap round every text: the chart, the overview).
  bool apart = false;
  // The texts it must show: "not printed" or "printed 1 of 2 times".
  std::vector<Expected> present{};
  // How many texts may be printed as a last resort (over data, without a
  // ground): a placement that took it always must fail.
  int lastResorts = 0;
};

// The faults of a text printed as a last resort at its own place over
// another ("over \"B\" at its own place"): what a picture may show where no
// place near a text is free, counted apart from the texts that run into
// each other elsewhere.
inline bool OverAtOwnPlace(const Fault& f) {
  const std::string end = " at its own place";
  return f.what.rfind("over ", 0) == 0 && f.what.size() > end.size() &&
         f.what.compare(f.what.size() - end.size(), end.size(), end) == 0;
}

// The faults of a picture drawn while recording was on, each once. A shape
// counts where it is seen: not where a filled shape drawn later (or the
// text's own background) hides it. A filled shape under a text that holds
// all of its strokes is the text's backing, not a fault.
inline std::vector<Fault> Faults(const PictureBox& pic, const Checks& checks = {});

// The width of a text (picture pixels) in the narrowest face the program
// draws: the condensed face at its floor, on the picture's screen.
inline double FloorWidthPx(const PictureBox& pic, const std::string& text) {
  PictureBox narrowest(1, 1);
  narrowest.Resize(1, 1, pic.DeviceScale());
  narrowest.FontName = picturetext::kCondensedFace;
  narrowest.FontSize = 1;
  return narrowest.TextWidthPx(text);
}

// "*" in a pattern stands for any run of characters.
inline bool Matches(const std::string& pattern, const std::string& s);

// The faults of a picture (pixels round the texts too, unless asked
// otherwise), one line each, to show where a test fails; but the digits'
// size, which is judged on the windows' pictures at their own size.
inline std::string FaultLines(const PictureBox& pic, const Checks& checks = {.round = true}) {
  std::string lines;
  for (const Fault& f : Faults(pic, checks))
    if (f.what.rfind("digits ", 0) != 0) lines += "  \"" + f.text + "\" " + f.what + "\n";
  return lines;
}

// The folder ONDRIK_PICTURE_DIR names, where tests keep a copy of each
// picture they look at; null when it is not set.
inline const char* PictureDir() { return std::getenv("ONDRIK_PICTURE_DIR"); }
// A copy of the picture as <folder>/<name>.png, when a folder is named.
inline void KeepPicture(const PictureBox& pic, const std::string& name) {
  if (const char* dir = PictureDir()) pic.Image().save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
}

namespace text_check_detail {

using Shape = PictureBox::DrawnShape;
using Text = PictureBox::PrintedText;

// A pixel of a text's picture this much covered (of 255) is of its strokes.
inline constexpr int kStrokeAlpha = 96;

inline bool Fills(const Shape& s) {
  return s.kind == Shape::Kind::Area || (s.kind == Shape::Kind::Ellipse && s.brush.style() != Qt::NoBrush);
}

inline std::string NameOf(const Shape& s) {
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

inline Strokes StrokesOf(const Text& t) {
  Strokes s;
  for (int y = 0; y < t.strokes.height(); ++y)
    for (int x = 0; x < t.strokes.width(); ++x)
      if (qAlpha(t.strokes.pixel(x, y)) >= kStrokeAlpha) s.pixels.push_back(t.strokesAt + QPoint(x, y));
  for (const QPoint& p : s.pixels) s.bounds |= QRect(p, QSize(1, 1));
  return s;
}

// Which of the strokes the shapes set where the shapes that hide them do
// not.
inline std::vector<bool> CoveredPixels(const Strokes& strokes, const std::vector<const Shape*>& shapes,
                                       const std::vector<const Shape*>& hiding) {
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
  std::vector<bool> hit;
  for (const QPoint& q : strokes.pixels) hit.push_back(qAlpha(mask.pixel(q - strokes.bounds.topLeft())) != 0);
  return hit;
}

// How many.
inline int Covered(const Strokes& strokes, const std::vector<const Shape*>& shapes, const std::vector<const Shape*>& hiding) {
  const std::vector<bool> hit = CoveredPixels(strokes, shapes, hiding);
  return static_cast<int>(std::count(hit.begin(), hit.end(), true));
}

inline std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// The box a text stands on, in device pixels: its background, with the
// filled shape drawn just before it that holds it (its margins); for a text
// printed without a background, that shape when it holds all of its ink
// (a box laid under it, as the snapshots' titles stand on), else none.
inline QRect BoxOf(const Text& a, const std::vector<Shape>& shapes, double scale) {
  QRect box = DevicePixels(a.background, scale, 0);
  const QRect held = a.background.isEmpty() ? DevicePixels(a.ink, scale, 0) : box.adjusted(1, 1, -1, -1);
  if (a.shapesBefore > 0 && !held.isEmpty()) {
    const Shape& s = shapes[a.shapesBefore - 1];
    if (Fills(s) && s.kind == Shape::Kind::Area && s.rect.contains(held)) box |= s.rect;
  }
  return box;
}

// Whether a line drawn before a text's box sets pixels inside the box
// that the filled shapes `hiding` (drawn after it) leave showing.
inline bool Under(const QRect& box, const Shape& s, const std::vector<const Shape*>& hiding = {}) {
  if (!s.bounds.intersects(box)) return false;
  QImage mask(box.size(), QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::transparent);
  QPainter p(&mask);
  p.translate(-box.topLeft());
  s.Paint(p);
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  for (const Shape* h : hiding) h->Paint(p);
  p.end();
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (qAlpha(mask.pixel(x, y)) >= kStrokeAlpha) return true;
  return false;
}

// A text's strokes and the rim round them, a device pixel span wide: what
// a text printed on a rim covers.
inline Strokes WithRim(const Strokes& s, int span) {
  std::set<std::pair<int, int>> all;
  for (const QPoint& p : s.pixels)
    for (int dy = -span; dy <= span; ++dy)
      for (int dx = -span; dx <= span; ++dx) all.insert({p.x() + dx, p.y() + dy});
  Strokes r;
  r.bounds = s.bounds.adjusted(-span, -span, span, span);
  for (const auto& [x, y] : all) r.pixels.emplace_back(x, y);
  return r;
}

// How many pixels of the image right round the text's ink (other texts'
// inks and the pixels next to them passed over) differ from the commonest
// of them, its ground: what was drawn there, recorded or not (a picture
// copied in, a text's edge), or what touches its strokes without a pixel
// between.
inline int StrayPixelsRound(const PictureBox& pic, std::size_t i) {
  const QImage& img = pic.Image();
  const double s = pic.DeviceScale();
  const auto& texts = pic.PrintedTexts();
  std::vector<QRect> others;
  for (std::size_t j = 0; j < texts.size(); ++j)
    if (j != i && !(texts[j].text == texts[i].text && texts[j].ink == texts[i].ink))
      others.push_back(DevicePixels(texts[j].ink, s, 1));
  const QRect in = DevicePixels(texts[i].ink, s, 0), out = in.adjusted(-1, -1, 1, 1);
  std::map<QRgb, int> counts;
  std::vector<QRgb> ring;
  for (int y = out.top(); y <= out.bottom(); ++y)
    for (int x = out.left(); x <= out.right(); ++x)
      if (!in.contains(x, y) && img.rect().contains(x, y) &&
          std::none_of(others.begin(), others.end(), [&](const QRect& o) { return o.contains(x, y); })) {
        ring.push_back(img.pixel(x, y) & 0xFFFFFF);
        ++counts[ring.back()];
      }
  if (ring.empty()) return 0;
  const QRgb ground =
      std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
  const auto far = [&](QRgb c) {
    return std::hypot(qRed(c) - qRed(ground), qGreen(c) - qGreen(ground), qBlue(c) - qBlue(ground)) > 24;
  };
  return static_cast<int>(std::count_if(ring.begin(), ring.end(), far));
}

// Whether a text stands elsewhere than where it was meant (by more than a
// device pixel's rounding).
inline bool Moved(const Text& t, const PictureBox& pic) {
  return std::max(std::abs(t.label.moved.x()), std::abs(t.label.moved.y())) * pic.DeviceScale() > 0.51;
}

// Whether two texts stand on one row closer than the narrower of their
// blanks (their inks sharing at least half the shorter one's height), so
// that they read as one: "-50" and "1000" as "-501000". Only texts that a
// placement printed (that say what they label) are judged.
inline bool Beside(const Text& a, const Text& b, const PictureBox& pic) {
  using Kind = PictureBox::TextLabel::Kind;
  if (a.label.kind == Kind::None || b.label.kind == Kind::None) return false;
  const double shared = std::min(a.ink.bottom(), b.ink.bottom()) - std::max(a.ink.top(), b.ink.top());
  if (shared < 0.5 * std::min(a.ink.height(), b.ink.height())) return false;
  const double gap = std::max(a.ink.left() - b.ink.right(), b.ink.left() - a.ink.right());
  return gap < std::min(a.spacePx, b.spacePx) - 1.01 / pic.DeviceScale();
}

// How far a text stands from what it labels, when farther than its kind
// allows ("" when it reads as its own): a level's text with its middle more
// than a quarter of its line off the row; a point's text more than its
// line's height from the point; a text outside the place its movement
// allows. Half a device pixel of rounding either way.
inline std::string AwayFromWhatItLabels(const Text& t, const PictureBox& pic) {
  using Kind = PictureBox::TextLabel::Kind;
  const double slack = 0.51 / pic.DeviceScale();
  const auto px = [](double v) { return std::to_string(static_cast<int>(std::lround(v))); };
  switch (t.label.kind) {
    case Kind::None:
      return "";
    case Kind::Row: {
      const double off = std::abs(t.ink.center().y() - t.label.at.y());
      return off <= 0.25 * t.linePx + slack ? "" : "stands " + px(off) + " px off its row";
    }
    case Kind::Point: {
      const QPointF p = t.label.at;
      const double dx = std::max({t.ink.left() - p.x(), p.x() - t.ink.right(), 0.0});
      const double dy = std::max({t.ink.top() - p.y(), p.y() - t.ink.bottom(), 0.0});
      const double off = std::hypot(dx, dy);
      return off <= t.linePx + slack ? "" : "stands " + px(off) + " px from its point";
    }
    case Kind::Place: {
      const QRectF within = t.label.within.adjusted(-slack, -slack, slack, slack);
      return within.contains(t.ink) ? "" : "stands outside its place";
    }
  }
  return "";
}

}  // namespace text_check_detail

inline std::vector<Fault> Faults(const PictureBox& pic, const Checks& checks) {
  using namespace text_check_detail;
  const std::vector<Overlay>& over = checks.over;
  const std::vector<QRgb>& traces = checks.traces;
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
    // The floor is of the screen's pixels, whatever the screen's scale.
    const double digitPx = a.digitPx * pic.DeviceScale();
    if (digitPx + 1e-6 < picturetext::kSmallestDigitPx)
      faults.push_back({a.text, "digits " + std::to_string(static_cast<int>(std::lround(digitPx))) + " px tall"});
    // Texts: apart across by a pixel, one under the other touching at most
    // (or a pixel apart too, when asked).
    const QRectF near = checks.apart ? a.ink.adjusted(-1, -1, 1, 1) : a.ink.adjusted(-1, 1, 1, -1);
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      const Text& b = texts[j];
      if (a.text == b.text && a.ink == b.ink) continue;  // printed again in its place
      // A last resort printed where it is meant for, over what is there, is
      // counted apart; a text that moved has no such excuse.
      const bool ownPlace = (a.lastResort && !Moved(a, pic)) || (b.lastResort && !Moved(b, pic));
      if (near.intersects(b.ink) || b.background.intersects(a.ink)) {
        if (ownPlace)
          faults.push_back({a.text, "over " + Quoted(b.text) + " at its own place"});
        else if (near.intersects(b.ink))
          faults.push_back({a.text, "runs into " + Quoted(b.text)});
        else
          faults.push_back({a.text, "under the background of " + Quoted(b.text)});
      } else if (Beside(a, b, pic)) {
        faults.push_back({a.text, ownPlace ? "over " + Quoted(b.text) + " at its own place"
                                           : "closer than a blank to " + Quoted(b.text)});
      }
    }
    // How far it stands from what it labels.
    if (const std::string off = AwayFromWhatItLabels(a, pic); !off.empty()) faults.push_back({a.text, off});
    // Data marks under its box or its rim, and traces under its box.
    const Strokes strokes = StrokesOf(a);
    const QRect box = BoxOf(a, shapes, pic.DeviceScale());
    // The filled shapes over the box drawn after a shape and before the
    // text's own (what a picture clears before it prints there).
    std::vector<std::size_t> fillsOver;
    for (std::size_t h = 0; !box.isEmpty() && h + 1 < a.shapesBefore; ++h)
      if (Fills(shapes[h]) && shapes[h].bounds.intersects(box)) fillsOver.push_back(h);
    const auto clearedAfter = [&](std::size_t k) {
      std::vector<const Shape*> hiding;
      for (const std::size_t h : fillsOver)
        if (h > k) hiding.push_back(&shapes[h]);
      return hiding;
    };
    if (!box.isEmpty() || (a.rim && !strokes.pixels.empty())) {
      const Strokes rim = a.rim ? WithRim(strokes, pic.PixelSpan()) : Strokes{};
      for (std::size_t k = 0; k < a.shapesBefore; ++k) {
        const Shape& s = shapes[k];
        if (!s.data) continue;
        const bool hidden = !box.isEmpty() ? Under(box, s, clearedAfter(k))
                                           : s.bounds.intersects(rim.bounds) && Covered(rim, {&s}, {}) > 0;
        if (hidden) faults.push_back({a.text, "hides " + NameOf(s)});
      }
    }
    if (!box.isEmpty() && !traces.empty()) {
      for (std::size_t k = 0; k < a.shapesBefore; ++k) {
        const Shape& s = shapes[k];
        if (s.kind != Shape::Kind::Lines || s.pen.widthF() < 2 * pic.DeviceScale() ||
            std::find(traces.begin(), traces.end(), s.pen.color().rgb()) == traces.end())
          continue;
        if (Under(box, s, clearedAfter(k))) faults.push_back({a.text, "hides trace " + s.pen.color().name().toStdString()});
      }
    }
    // Shapes: where they set a pixel of the text's strokes (but for what was
    // drawn before a text printed as a last resort: it stands over them).
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
      if (!s.bounds.intersects(strokes.bounds) || (before && (!a.background.isEmpty() || a.lastResort))) return;
      if (before && Fills(s)) return;  // below: with the others of its colour
      const auto hiding = before ? hidingAfter(k, [](const Shape&) { return true; }) : std::vector<const Shape*>{};
      if (Covered(strokes, {&s}, hiding) > 0)
        faults.push_back({a.text, (Fills(s) ? "covered by " : "crossed by ") + (o != nullptr ? o->name : NameOf(s))});
    };
    for (std::size_t k = 0; k < shapes.size(); ++k) check(shapes[k], k, nullptr);
    for (const Overlay& o : over) check(o.shape, shapes.size(), &o);
    // Filled shapes under the text, by colour: all its strokes on them (its
    // backing) or none.
    if (!a.background.isEmpty() || a.lastResort) continue;
    std::map<QRgb, std::vector<std::size_t>> under;
    for (const std::size_t k : fills) {
      if (k >= a.shapesBefore) break;
      under[shapes[k].brush.color().rgb()].push_back(k);
    }
    for (const auto& [colour, these] : under) {
      // Half on a box of the picture's own ground reads as on the ground.
      if (colour == ToQColor(pic.BackColor).rgb()) continue;
      // Each shape as far as those of other colours drawn after it leave it.
      const auto other = [colour = colour](const Shape& h) { return h.brush.color().rgb() != colour; };
      std::vector<bool> on(strokes.pixels.size(), false);
      for (const std::size_t k : these) {
        const std::vector<bool> hit = CoveredPixels(strokes, {&shapes[k]}, hidingAfter(k, other));
        for (std::size_t i = 0; i < on.size(); ++i) on[i] = on[i] || hit[i];
      }
      const auto n = std::count(on.begin(), on.end(), true);
      if (n > 0 && n < static_cast<long>(on.size())) faults.push_back({a.text, "half on " + NameOf(shapes[these.front()])});
    }
  }
  // The lines of a block stand as one: each moved as far as the first.
  for (std::size_t i = 0; i < texts.size();) {
    std::size_t j = i + 1;
    while (texts[i].label.block != 0 && j < texts.size() && texts[j].label.block == texts[i].label.block) ++j;
    for (std::size_t k = i + 1; k < j; ++k) {
      const QPointF d = texts[k].label.moved - texts[i].label.moved;
      if (std::max(std::abs(d.x()), std::abs(d.y())) * pic.DeviceScale() > 1.01)
        faults.push_back({texts[k].text, "leaves its block (" + Quoted(texts[i].text) + ")"});
    }
    i = j;
  }
  // Texts printed as a last resort, beyond those allowed.
  const auto lastResorts = std::count_if(texts.begin(), texts.end(), [](const Text& t) { return t.lastResort; });
  if (lastResorts > checks.lastResorts)
    faults.push_back({"", "printed as a last resort: " + std::to_string(lastResorts) + " texts, at most " +
                              std::to_string(checks.lastResorts)});
  // The texts it must show, each whole: on one line, or on lines one right
  // under the other that together read it (a caption wrapped where its
  // column is narrow).
  const auto shown = [&](const Text& t) {
    const QRect ink = DevicePixels(t.ink, pic.DeviceScale(), 0);
    return inside.contains(t.ink) &&
           std::none_of(over.begin(), over.end(), [&](const Overlay& o) { return o.shape.bounds.intersects(ink); });
  };
  const auto under = [](const Text& a, const Text& b) {
    return b.ink.top() > a.ink.center().y() && b.ink.top() <= a.ink.bottom() + a.ink.height() &&
           b.ink.left() < a.ink.right() && a.ink.left() < b.ink.right();
  };
  const auto trimmed = [](const std::string& t) {
    const std::size_t a = t.find_first_not_of(' '), b = t.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : t.substr(a, b - a + 1);
  };
  constexpr int kMostLines = 3;
  for (const Expected& e : checks.present) {
    int found = 0;
    for (const Text& t : texts) {
      if (!shown(t) || (!e.near.isEmpty() && !e.near.intersects(t.ink))) continue;
      if (Matches(e.text, t.text)) {
        ++found;
        continue;
      }
      // Lines under it, each right under the one before.
      const auto wrapped = [&](auto& self, const Text& last, const std::string& read, int lines) -> bool {
        if (lines > 1 && Matches(e.text, read)) return true;
        if (lines == kMostLines) return false;
        for (const Text& next : texts)
          if (&next != &last && shown(next) && under(last, next) &&
              self(self, next, read + " " + trimmed(next.text), lines + 1))
            return true;
        return false;
      };
      if (wrapped(wrapped, t, trimmed(t.text), 1)) ++found;
    }
    if (found < e.count)
      faults.push_back({e.text, found == 0 ? "not printed"
                                           : "printed " + std::to_string(found) + " of " + std::to_string(e.count) +
                                                 " times"});
  }
  // Pixels round a text's ink that are not its ground, where nothing
  // recorded was found (a pixel's lone speck passes), but round a text
  // printed as a last resort, which stands over what is there.
  if (checks.round)
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const auto fault = [&](const Fault& f) { return f.text == texts[i].text; };
      if (!texts[i].lastResort && std::none_of(faults.begin(), faults.end(), fault) && StrayPixelsRound(pic, i) > 1)
        faults.push_back({texts[i].text, "touched by pixels round its ink"});
    }
  // Each once.
  std::set<std::pair<std::string, std::string>> seen;
  std::vector<Fault> once;
  for (Fault& f : faults)
    if (seen.insert({f.text, f.what}).second) once.push_back(std::move(f));
  return once;
}

inline bool Matches(const std::string& pattern, const std::string& s) {
  const std::size_t star = pattern.find('*');
  if (star == std::string::npos) return pattern == s;
  if (s.compare(0, star, pattern, 0, star) != 0) return false;
  const std::string rest = pattern.substr(star + 1);
  for (std::size_t at = star; at <= s.size(); ++at)
    if (Matches(rest, s.substr(at))) return true;
  return false;
}

}  // namespace ondrik::testing
