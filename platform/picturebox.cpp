#include "platform/picturebox.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QStaticText>
#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <optional>
#include <vector>
#include <tuple>
#include <unordered_map>

namespace ondrik {

namespace {

// Positions further out than this are clamped before they reach QPainter:
// far outside the picture, but small enough for its integer arithmetic.
constexpr double kMaxPixel = 1e6;
constexpr int kMaxSide = 16384;  // largest picture side in pixels

int ClampSide(int n) { return std::clamp(n, 1, kMaxSide); }

double ClampPixel(double v) { return std::clamp(v, -kMaxPixel, kMaxPixel); }

int RoundPixel(double v) { return static_cast<int>(std::floor(ClampPixel(v) + 0.5)); }

// Clips the segment a-b to the square of +-kMaxPixel (Cohen-Sutherland),
// so that a far-away end keeps the direction of the line; false when
// nothing of it is left. Crossings are computed from the nearer end, which
// keeps them exact enough for ends as far out as 1e300.
int OutCode(double x, double y) {
  return (x < -kMaxPixel ? 1 : 0) | (x > kMaxPixel ? 2 : 0) | (y < -kMaxPixel ? 4 : 0) |
         (y > kMaxPixel ? 8 : 0);
}

bool ClipSegment(double& ax, double& ay, double& bx, double& by) {
  const double dx = bx - ax, dy = by - ay;
  for (int round = 0; round < 8; ++round) {
    const int ca = OutCode(ax, ay), cb = OutCode(bx, by);
    if ((ca | cb) == 0) return true;
    if ((ca & cb) != 0) return false;
    const bool moveA = ca != 0;
    const int code = moveA ? ca : cb;
    double x, y;
    if (code & 3) {
      x = (code & 1) ? -kMaxPixel : kMaxPixel;
      const bool fromA = std::fabs(x - ax) <= std::fabs(x - bx);
      y = fromA ? ay + (x - ax) * (dy / dx) : by + (x - bx) * (dy / dx);
    } else {
      y = (code & 4) ? -kMaxPixel : kMaxPixel;
      const bool fromA = std::fabs(y - ay) <= std::fabs(y - by);
      x = fromA ? ax + (y - ay) * (dx / dy) : bx + (y - by) * (dx / dy);
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    if (moveA) {
      ax = x;
      ay = y;
    } else {
      bx = x;
      by = y;
    }
  }
  return OutCode(ax, ay) == 0 && OutCode(bx, by) == 0;
}

// Drawing that combines with the picture (exclusive-or and the other raster
// operations) goes to Qt in pieces of at most this many rows or columns: Qt
// hands larger pieces to worker threads, whose wake-ups cost more than the
// drawing itself.
constexpr int kRasterOpBand = 64;

// A filled rectangle, in bands of rows when the painter combines.
void FillInBands(QPainter& p, const QRect& r, const QBrush& brush, bool combines) {
  if (!combines) {
    p.fillRect(r, brush);
    return;
  }
  for (int top = r.top(); top <= r.bottom(); top += kRasterOpBand)
    p.fillRect(QRect(QPoint(r.left(), top), QPoint(r.right(), std::min(r.bottom(), top + kRasterOpBand - 1))), brush);
}

// A line one pixel wide, in bands along its longer side when the painter
// combines: the band edges clip the one line, so every pixel is the one the
// whole line would set, and set once.
void LineInBands(QPainter& p, const QPoint& a, const QPoint& b, bool combines) {
  const int dx = std::abs(b.x() - a.x()), dy = std::abs(b.y() - a.y());
  if (!combines || std::max(dx, dy) < kRasterOpBand) {
    p.drawLine(a, b);
    return;
  }
  const bool alongX = dx >= dy;
  // Only the bands over the picture: nothing is drawn outside it.
  const int side = alongX ? p.device()->width() : p.device()->height();
  const int lo = std::max(-1, (alongX ? std::min(a.x(), b.x()) : std::min(a.y(), b.y())) - 1);
  const int hi = std::min(side + 1, (alongX ? std::max(a.x(), b.x()) : std::max(a.y(), b.y())) + 1);
  constexpr int kAll = 2 * static_cast<int>(kMaxPixel) + 8;
  for (int from = lo; from <= hi; from += kRasterOpBand) {
    p.setClipRect(alongX ? QRect(from, -kAll / 2, kRasterOpBand, kAll) : QRect(-kAll / 2, from, kAll, kRasterOpBand));
    p.drawLine(a, b);
  }
  p.setClipping(false);
}

bool HaveGuiApp() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

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

std::string Lower(const std::string& s) {
  std::string r = s;
  for (char& ch : r) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return r;
}

}  // namespace

namespace detail {

PaintSlot::PaintSlot() = default;
PaintSlot::PaintSlot(const PaintSlot& o) { o.EndPainting(); }
PaintSlot& PaintSlot::operator=(const PaintSlot& o) {
  EndPainting();
  o.EndPainting();
  return *this;
}
PaintSlot::~PaintSlot() = default;

void PaintSlot::EndPainting() const { painter_.reset(); }

}  // namespace detail

QPainter& PictureBox::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  return *painter_;
}

QPainter& PictureBox::PenPainter(Color c) {
  QPainter& p = Painter();
  p.setCompositionMode(CompositionOf(Mode));
  QPen pen(ToQColor(c));
  pen.setWidth(std::clamp(DrawWidth, 1, 1000));
  pen.setStyle(Style == DrawStyle::Dot ? Qt::DotLine : Qt::SolidLine);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  return p;
}

QPainter& PictureBox::TextPainter() {
  QPainter& p = Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  return p;
}

QString ToQString(const std::string& s) {
  QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString r = dec.decode(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
  if (!dec.hasError()) return r;
  return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string InstalledFontFamily(const std::string& requested) {
  static std::mutex mu;
  static std::map<std::string, std::string> cache;
  const std::string key = Lower(requested);
  const bool mono = key == "courier" || key == "courier new" || key == "lucida console" ||
                    key == "consolas" || key == "fixedsys" || key == "terminal";
  const std::string fallback = mono ? "DejaVu Sans Mono" : "DejaVu Sans";
  if (!HaveGuiApp()) return fallback;
  std::lock_guard<std::mutex> lock(mu);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  std::string found;
  const QStringList families = QFontDatabase::families();
  const QString want = ToQString(requested);
  for (const QString& f : families) {
    if (f.compare(want, Qt::CaseInsensitive) == 0) {
      found = f.toStdString();
      break;
    }
  }
  if (found.empty()) {
    found = fallback;
    for (const QString& f : families) {
      if (f.compare(QString::fromStdString(fallback), Qt::CaseInsensitive) == 0) {
        found = f.toStdString();
        break;
      }
    }
  }
  cache[key] = found;
  return found;
}

PictureBox::PictureBox(int widthPx, int heightPx)
    : image_(ClampSide(widthPx), ClampSide(heightPx), QImage::Format_RGB32) {
  width_ = image_.width();
  height_ = image_.height();
  image_.fill(ToQColor(BackColor));
}

void PictureBox::Resize(int widthPx, int heightPx) {
  EndPainting();
  image_ = QImage(ClampSide(widthPx), ClampSide(heightPx), QImage::Format_RGB32);
  if (!userScale_) {
    width_ = image_.width();
    height_ = image_.height();
  }
  image_.fill(ToQColor(BackColor));
}

int PictureBox::PixelWidth() const { return image_.width(); }
int PictureBox::PixelHeight() const { return image_.height(); }

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
  const double w = x2 - x1, h = y2 - y1;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(w) || !std::isfinite(h) ||
      w == 0 || h == 0) {
    return;  // no usable coordinate system: keep the one in force
  }
  left_ = x1;
  top_ = y1;
  width_ = w;
  height_ = h;
  userScale_ = true;
}

void PictureBox::ScalePixels() {
  left_ = 0;
  top_ = 0;
  width_ = image_.width();
  height_ = image_.height();
  userScale_ = false;
}

double PictureBox::ScaleLeft() const { return left_; }
double PictureBox::ScaleTop() const { return top_; }
double PictureBox::ScaleWidth() const { return width_; }
double PictureBox::ScaleHeight() const { return height_; }

double PictureBox::XToPixel(double x) const { return (x - left_) * image_.width() / width_; }
double PictureBox::YToPixel(double y) const { return (y - top_) * image_.height() / height_; }
double PictureBox::PixelToX(double px) const { return left_ + px * width_ / image_.width(); }
double PictureBox::PixelToY(double py) const { return top_ + py * height_ / image_.height(); }

bool PictureBox::MapPoint(double x, double y, double& px, double& py, bool clamp) const {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  px = XToPixel(x);
  py = YToPixel(y);
  if (!std::isfinite(px) || !std::isfinite(py)) return false;
  if (clamp) {
    px = ClampPixel(px);
    py = ClampPixel(py);
  }
  return true;
}

void PictureBox::SetCurrent(double x, double y) {
  CurrentX = x;
  CurrentY = y;
}

void PictureBox::Cls() {
  EndPainting();  // a new redraw begins
  image_.fill(ToQColor(BackColor));
  SetCurrent(left_, top_);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Color c) {
  double ax, ay, bx, by;
  if (MapPoint(x1, y1, ax, ay, false) && MapPoint(x2, y2, bx, by, false) &&
      ClipSegment(ax, ay, bx, by)) {
    LineInBands(PenPainter(c), QPoint(RoundPixel(ax), RoundPixel(ay)), QPoint(RoundPixel(bx), RoundPixel(by)),
                Mode != DrawMode::CopyPen && DrawWidth <= 1);
  }
  SetCurrent(x2, y2);
}

void PictureBox::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColor); }

void PictureBox::LineTo(double x2, double y2, Color c) { Line(CurrentX, CurrentY, x2, y2, c); }

void PictureBox::LineTo(double x2, double y2) { Line(CurrentX, CurrentY, x2, y2, ForeColor); }

void PictureBox::LineRel(double dx, double dy, Color c) {
  Line(CurrentX, CurrentY, CurrentX + dx, CurrentY + dy, c);
}

bool PictureBox::PixelPolygon(std::span<const double> xy, std::vector<QPoint>& out) const {
  out.clear();
  const double ax = image_.width() / width_, ay = image_.height() / height_;
  const double left = left_, top = top_;
  for (size_t i = 0; i + 1 < xy.size(); i += 2) {
    const double px = (xy[i] - left) * ax, py = (xy[i + 1] - top) * ay;
    if (!(std::fabs(px) <= kMaxPixel && std::fabs(py) <= kMaxPixel)) return false;  // NaN too
    // Rounded as RoundPixel rounds, without a call: the offset makes the
    // value positive, so that the cast rounds down.
    constexpr double kOffset = 2 * kMaxPixel;
    const QPoint p(static_cast<int>(px + 0.5 + kOffset) - static_cast<int>(kOffset),
                   static_cast<int>(py + 0.5 + kOffset) - static_cast<int>(kOffset));
    if (out.empty() || out.back() != p) out.push_back(p);
  }
  return true;
}

void PictureBox::PolyLine(std::span<const double> xy, Color c) {
  const PointRun all{0, xy.size() / 2};
  PolyLines(xy, std::span<const PointRun>(&all, 1), c);
}

void PictureBox::PolyLines(std::span<const double> xy, std::span<const PointRun> runs, Color c) {
  std::vector<QPoint> poly;
  QPainter* pen = nullptr;  // set up once for all the lines
  for (const PointRun& run : runs) {
    if (run.count == 0 || run.first + run.count > xy.size() / 2) continue;
    const std::span<const double> pts = xy.subspan(2 * run.first, 2 * run.count);
    if (!PixelPolygon(pts, poly)) {
      // Far-away points: segment by segment, each clipped.
      pen = nullptr;
      PSet(pts[0], pts[1], c);
      for (size_t i = 2; i + 1 < pts.size(); i += 2) LineTo(pts[i], pts[i + 1], c);
      continue;
    }
    if (pen == nullptr) pen = &PenPainter(c);
    if (poly.size() == 1) {
      pen->drawPoint(poly.front());
    } else {
      pen->drawPolyline(poly.data(), static_cast<int>(poly.size()));
    }
    SetCurrent(pts[pts.size() - 2], pts[pts.size() - 1]);
  }
}

void PictureBox::Box(double x1, double y1, double x2, double y2, Color c, bool filled) {
  double ax, ay, bx, by;
  if (MapPoint(x1, y1, ax, ay) && MapPoint(x2, y2, bx, by)) {
    const int l = RoundPixel(std::min(ax, bx)), r = RoundPixel(std::max(ax, bx));
    const int t = RoundPixel(std::min(ay, by)), b = RoundPixel(std::max(ay, by));
    QPainter& p = PenPainter(c);
    if (filled) {
      // Both corner pixels belong to the box.
      FillInBands(p, QRect(QPoint(l, t), QPoint(r, b)), ToQColor(c), Mode != DrawMode::CopyPen);
    } else if (l == r || t == b) {
      p.drawLine(QPoint(l, t), QPoint(r, b));  // a box without area is a line
    } else {
      p.drawRect(QRect(l, t, r - l, b - t));
    }
  }
  SetCurrent(x2, y2);
}

namespace {

Qt::BrushStyle BrushOf(FillStyle f) {
  switch (f) {
    case FillStyle::Solid: return Qt::SolidPattern;
    case FillStyle::Transparent: return Qt::NoBrush;
    case FillStyle::HorizontalLine: return Qt::HorPattern;
    case FillStyle::VerticalLine: return Qt::VerPattern;
    case FillStyle::UpwardDiagonal: return Qt::BDiagPattern;
    case FillStyle::DownwardDiagonal: return Qt::FDiagPattern;
    case FillStyle::Cross: return Qt::CrossPattern;
    case FillStyle::DiagonalCross: return Qt::DiagCrossPattern;
  }
  return Qt::NoBrush;
}

}  // namespace

void PictureBox::BoxFill(double x1, double y1, double x2, double y2, Color c) {
  double ax, ay, bx, by;
  if (MapPoint(x1, y1, ax, ay) && MapPoint(x2, y2, bx, by)) {
    const int l = RoundPixel(std::min(ax, bx)), r = RoundPixel(std::max(ax, bx));
    const int t = RoundPixel(std::min(ay, by)), b = RoundPixel(std::max(ay, by));
    QPainter& p = PenPainter(c);
    const Qt::BrushStyle brush = BrushOf(Fill);
    // The hatch lines start from the picture's corner, so that the hatches
    // of neighbouring boxes join up.
    if (brush != Qt::NoBrush)
      FillInBands(p, QRect(QPoint(l, t), QPoint(r, b)), QBrush(ToQColor(FillColor), brush), Mode != DrawMode::CopyPen);
    if (l == r || t == b)
      p.drawLine(QPoint(l, t), QPoint(r, b));
    else
      p.drawRect(QRect(l, t, r - l, b - t));
  }
  SetCurrent(x2, y2);
}

void PictureBox::Circle(double x, double y, double radius, Color c, double aspect) {
  double cx, cy;
  SetCurrent(x, y);
  if (!MapPoint(x, y, cx, cy)) return;
  double r = std::fabs(radius * image_.width() / width_);
  if (!std::isfinite(r) || !std::isfinite(aspect) || radius < 0) return;
  r = std::min(r, kMaxPixel);
  // A negative aspect (a ratio taken in a scale whose y grows upwards) means
  // the same shape as its absolute value.
  const double a = std::fabs(aspect);
  double rx = r, ry = r;
  if (a <= 1) {
    ry = r * a;
  } else {
    rx = r / a;
  }
  QPainter& p = PenPainter(c);
  if (!FillTransparent) p.setBrush(ToQColor(FillColor));
  if (!FillTransparent && FillColor == c && Mode != DrawMode::CopyPen) {
    // A disc of one colour in a mode that combines with the picture: each
    // pixel once (an outline over the fill would undo its edge), so drawing
    // it twice restores the picture.
    p.setPen(Qt::NoPen);
    rx += 0.5;
    ry += 0.5;
  }
  p.drawEllipse(QPointF(RoundPixel(cx), RoundPixel(cy)), rx, ry);
}

void PictureBox::PSet(double x, double y, Color c) {
  double px, py;
  if (MapPoint(x, y, px, py)) {
    PenPainter(c).drawPoint(QPoint(RoundPixel(px), RoundPixel(py)));
  }
  SetCurrent(x, y);
}

namespace {

// Fonts and the texts measured and laid out in them, kept for the life of the
// program: labels repeat (every contour of one value, every axis step), and
// measuring or laying out a text costs far more than drawing it.
struct LaidOutText {
  double width = 0;  // pixels
  bool laidOut = false;  // measured and laid out in the font (a GUI application was there)
  QStaticText text;
  // The text drawn in each colour it was printed in, on a transparent
  // picture kPad pixels larger on every side.
  std::unordered_map<Color, QImage> drawn;
};
constexpr int kPad = 3;
struct FontEntry {
  QFont font;
  bool measured = false;          // by the font, not estimated
  double ascent = 0, height = 0;  // pixels
  std::unordered_map<std::string, LaidOutText> texts;
};
constexpr std::size_t kMaxTextsPerFont = 4096;

std::mutex gFontMutex;

const FontEntry& FontFor(const std::string& name, double size, bool bold) {
  // Never destroyed: its fonts must not outlive the GUI application at exit.
  static auto* fonts = new std::map<std::tuple<std::string, double, bool>, FontEntry>;
  const double pt = std::isfinite(size) ? std::clamp(size, 1.0, 500.0) : 8.0;
  std::lock_guard<std::mutex> lock(gFontMutex);
  auto [it, added] = fonts->try_emplace({name, pt, bold});
  FontEntry& e = it->second;
  if (added) {
    QFont f(QString::fromStdString(InstalledFontFamily(name)));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pt * 96.0 / 72.0))));
    f.setBold(bold);
    f.setStyleStrategy(QFont::NoAntialias);
    e.font = f;
  }
  if (!e.measured) {
    if (HaveGuiApp()) {
      const QFontMetricsF fm(e.font);
      e.ascent = fm.ascent();
      e.height = fm.height();
      e.measured = true;
      e.texts.clear();
    } else {
      // Without a GUI application no font can be measured; an estimate from
      // the font size keeps the layout going.
      e.ascent = e.font.pixelSize();
      e.height = 1.2 * e.font.pixelSize();
    }
  }
  return e;
}

// The picture of a text in a colour (its top-left corner at (kPad, kPad)).
const QImage& DrawnText(const FontEntry& font, const LaidOutText& t, Color c) {
  std::lock_guard<std::mutex> lock(gFontMutex);
  auto& drawn = const_cast<LaidOutText&>(t).drawn;
  if (auto it = drawn.find(c); it != drawn.end()) return it->second;
  QImage img(static_cast<int>(std::ceil(t.width)) + 2 * kPad, static_cast<int>(std::ceil(font.height)) + 2 * kPad,
             QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setFont(font.font);
  p.setPen(ToQColor(c));
  p.drawStaticText(QPointF(kPad, kPad), t.text);
  p.end();
  return drawn.emplace(c, std::move(img)).first->second;
}

// A text measured and laid out in a font.
const LaidOutText& TextIn(const FontEntry& font, const std::string& text) {
  std::lock_guard<std::mutex> lock(gFontMutex);
  auto& texts = const_cast<FontEntry&>(font).texts;
  if (auto it = texts.find(text); it != texts.end() && (it->second.laidOut || !HaveGuiApp())) return it->second;
  if (texts.size() >= kMaxTextsPerFont) texts.clear();
  LaidOutText t;
  const QString qs = ToQString(text);
  if (HaveGuiApp()) {
    t.laidOut = true;
    t.width = QFontMetricsF(font.font).horizontalAdvance(qs);
    t.text = QStaticText(qs);
    t.text.setTextFormat(Qt::PlainText);
    t.text.prepare(QTransform(), font.font);
  } else {
    t.width = 0.6 * font.font.pixelSize() * static_cast<double>(qs.size());
  }
  return texts.insert_or_assign(text, std::move(t)).first->second;
}

}  // namespace

QFont PictureBox::CurrentFont() const { return FontFor(FontName, FontSize, FontBold).font; }

void PictureBox::Print(const std::string& text, bool newline) {
  const FontEntry& font = FontFor(FontName, FontSize, FontBold);
  const LaidOutText& t = TextIn(font, text);
  const double wpx = t.width, hpx = font.height;
  double px, py;
  const bool placed = MapPoint(CurrentX, CurrentY, px, py);
  if (placed && HaveGuiApp()) {
    const int x = RoundPixel(px), y = RoundPixel(py);
    const QImage& drawn = DrawnText(font, t, ForeColor);
    QPainter& p = TextPainter();
    if (!FontTransparent) {
      p.fillRect(QRectF(x, y, wpx, hpx), ToQColor(BackColor));
    }
    p.drawImage(x - kPad, y - kPad, drawn);
  }
  if (!placed) {
    if (newline) CurrentX = left_;
    return;
  }
  if (newline) {
    CurrentX = left_;
    CurrentY = PixelToY(py + hpx);
  } else {
    CurrentX = PixelToX(px + wpx);
  }
}

double PictureBox::TextWidth(const std::string& text) const {
  const double wpx = TextIn(FontFor(FontName, FontSize, FontBold), text).width;
  return wpx * std::fabs(width_) / image_.width();
}

double PictureBox::TextHeight(const std::string& /*text*/) const {
  return FontFor(FontName, FontSize, FontBold).height * std::fabs(height_) / image_.height();
}

double PictureBox::TextWidthInScale(const std::string& text) const {
  return width_ < 0 ? -TextWidth(text) : TextWidth(text);
}

double PictureBox::TextHeightInScale(const std::string& text) const {
  return height_ < 0 ? -TextHeight(text) : TextHeight(text);
}

const QImage& PictureBox::Image() const {
  EndPainting();
  return image_;
}

QImage& PictureBox::Image() {
  EndPainting();
  return image_;
}

}  // namespace ondrik
