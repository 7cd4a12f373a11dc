#include "platform/picturebox.h"

#include <QGuiApplication>
#include <QPainter>
#include <QImage>
#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <vector>
#include <tuple>
#include <unordered_map>

#include "platform/picturetext.h"
#include "platform/rasterop.h"

namespace ondrik {

namespace {

constexpr double kMaxPixel = kMaxDevicePixel;
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

bool HaveGuiApp() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

// What is drawn is kept for a look at it afterwards (tests).
bool gRecording = false;

// Rings and discs up to this radius (device pixels) are copied from a
// picture of them drawn once.
constexpr double kMaxStampRadius = 24;

// The picture of an ellipse of radii rx, ry in a pen and brush, on a
// transparent ground, with its centre at `origin`; the same pixels as
// drawing it at an integer centre. Kept for the ellipses met most (every
// level's ring of the wind column).
const picturetext::DrawnPicture& EllipseStamp(double rx, double ry, const QPen& pen, const QBrush& brush,
                                              QPoint& origin) {
  using Key = std::tuple<long, long, int, QRgb, int, QRgb>;
  static std::mutex mu;
  static auto* stamps = new std::map<Key, std::pair<picturetext::DrawnPicture, QPoint>>;
  const std::lock_guard<std::mutex> lock(mu);
  const Key key{std::lround(rx * 256), std::lround(ry * 256), pen.style() == Qt::NoPen ? -1 : pen.width(),
                pen.color().rgba(), static_cast<int>(brush.style()), brush.color().rgba()};
  if (auto it = stamps->find(key); it != stamps->end()) {
    origin = it->second.second;
    return it->second.first;
  }
  constexpr std::size_t kMaxStamps = 512;
  if (stamps->size() >= kMaxStamps) stamps->clear();
  const int m = static_cast<int>(std::ceil(std::max(rx, ry))) + std::max(pen.width(), 1) + 2;
  QImage img(2 * m + 1, 2 * m + 1, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  {
    QPainter sp(&img);
    sp.setRenderHint(QPainter::Antialiasing, false);
    sp.setPen(pen);
    sp.setBrush(brush);
    sp.drawEllipse(QPointF(m, m), rx, ry);
  }
  const QRect inked = picturetext::InkedPart(img);
  auto& entry = (*stamps)[key] = {{std::move(img), inked}, QPoint(m, m)};
  origin = entry.second;
  return entry.first;
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
    // Drawn in device pixels; the picture carries its scale only when shown.
    if (image_.devicePixelRatio() != 1) image_.setDevicePixelRatio(1);
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  return *painter_;
}

void PictureBox::DrawnShape::Paint(QPainter& p) const {
  p.setPen(pen);
  p.setBrush(brush);
  switch (kind) {
    case Kind::Lines:
      if (points.size() == 1)
        p.drawPoint(points.front());
      else if (points.size() == 2)
        p.drawLine(points[0], points[1]);
      else
        p.drawPolyline(points);
      break;
    case Kind::Outline:
      p.drawRect(rect);
      break;
    case Kind::Ellipse:
      p.drawEllipse(centre, rx, ry);
      break;
    case Kind::Area:
      p.fillRect(rect, brush);
      break;
  }
}

void PictureBox::Keep(DrawnShape shape, const QPainter& p) {
  if (shape.kind != DrawnShape::Kind::Area) {
    shape.pen = p.pen();
    shape.brush = p.brush();
  }
  const int m = shape.pen.style() == Qt::NoPen ? 1 : shape.pen.width() / 2 + 1;
  switch (shape.kind) {
    case DrawnShape::Kind::Lines:
      shape.bounds = shape.points.boundingRect().adjusted(-m, -m, m, m);
      break;
    case DrawnShape::Kind::Outline:
      shape.bounds = shape.rect.adjusted(-m, -m, m, m);
      break;
    case DrawnShape::Kind::Ellipse:
      shape.bounds = QRectF(shape.centre.x() - shape.rx, shape.centre.y() - shape.ry, 2 * shape.rx, 2 * shape.ry)
                         .toAlignedRect()
                         .adjusted(-m, -m, m, m);
      break;
    case DrawnShape::Kind::Area:
      shape.bounds = shape.rect;
      break;
  }
  if (DataMarks != nullptr) {
    shape.data = true;
    DataMarks->Mark(shape, deviceScale_);
  }
  if (gRecording) shapes_.push_back(std::move(shape));
}

bool PictureBox::Keeping() const { return gRecording || DataMarks != nullptr; }

void PictureBox::KeepLine(const QPoint& a, const QPoint& b, const QPainter& p) {
  if (gRecording)
    Keep({.points = QPolygon({a, b})}, p);
  else if (DataMarks != nullptr)
    DataMarks->MarkLine(a, b, p.pen(), deviceScale_);
}

void PictureBox::MarkSink::MarkLine(const QPoint& a, const QPoint& b, const QPen& pen, double deviceScale) {
  DrawnShape shape{.points = QPolygon({a, b}), .pen = pen};
  shape.data = true;
  Mark(shape, deviceScale);
}

QPainter& PictureBox::PenPainter(Color c) {
  QPainter& p = Painter();
  if (const QPainter::CompositionMode mode = CompositionOf(Mode); p.compositionMode() != mode) p.setCompositionMode(mode);
  // A new pen only when the one in force differs (most lines share it).
  const QColor colour = ToQColor(c);
  const int width = std::clamp(static_cast<int>(std::lround(DrawWidth * deviceScale_)), 1, 1000);
  const Qt::PenStyle style = Style == DrawStyle::Dot ? Qt::DotLine : Qt::SolidLine;
  const QPen& now = p.pen();
  if (now.color() != colour || now.width() != width || now.style() != style || now.capStyle() != Qt::SquareCap ||
      now.joinStyle() != Qt::BevelJoin || now.isCosmetic()) {
    QPen pen(colour);
    pen.setWidth(width);
    pen.setStyle(style);
    p.setPen(pen);
  }
  if (p.brush().style() != Qt::NoBrush) p.setBrush(Qt::NoBrush);
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

std::string InstalledFontFamily(const std::string& requested) { return picturetext::FamilyFor(requested); }

void PictureBox::RecordPrintedTexts(bool on) { gRecording = on; }

PictureBox::PictureBox(int widthPx, int heightPx)
    : image_(ClampSide(widthPx), ClampSide(heightPx), QImage::Format_RGB32),
      pixelWidth_(image_.width()),
      pixelHeight_(image_.height()) {
  width_ = map_.width = pixelWidth_;
  height_ = map_.height = pixelHeight_;
  image_.fill(ToQColor(BackColor));
}

void PictureBox::Resize(int widthPx, int heightPx, double deviceScale) {
  EndPainting();
  if (std::isfinite(deviceScale) && deviceScale > 0) deviceScale_ = std::clamp(deviceScale, 0.25, 8.0);
  pixelWidth_ = ClampSide(widthPx);
  pixelHeight_ = ClampSide(heightPx);
  image_ = QImage(ClampSide(static_cast<int>(std::ceil(pixelWidth_ * deviceScale_ - 1e-6))),
                  ClampSide(static_cast<int>(std::ceil(pixelHeight_ * deviceScale_ - 1e-6))), QImage::Format_RGB32);
  if (!userScale_) {
    width_ = pixelWidth_;
    height_ = pixelHeight_;
  }
  if (!map_.user) {
    map_.width = pixelWidth_;
    map_.height = pixelHeight_;
  }
  image_.fill(ToQColor(BackColor));
  printed_.clear();
  shapes_.clear();
}

int PictureBox::PixelWidth() const { return pixelWidth_; }
int PictureBox::PixelHeight() const { return pixelHeight_; }

int PictureBox::PixelSpan() const { return std::max(1, static_cast<int>(std::lround(deviceScale_))); }

namespace {

// Corners that make a usable coordinate system: finite, with a width and a
// height.
bool UsableCorners(double x1, double y1, double x2, double y2) {
  const double w = x2 - x1, h = y2 - y1;
  return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(w) && std::isfinite(h) && w != 0 && h != 0;
}

}  // namespace

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
  if (!UsableCorners(x1, y1, x2, y2)) return;  // keep the system in force
  const double w = x2 - x1, h = y2 - y1;
  left_ = x1;
  top_ = y1;
  width_ = w;
  height_ = h;
  userScale_ = true;
}

void PictureBox::ScalePixels() {
  left_ = 0;
  top_ = 0;
  width_ = pixelWidth_;
  height_ = pixelHeight_;
  userScale_ = false;
}

double PictureBox::ScaleLeft() const { return left_; }
double PictureBox::ScaleTop() const { return top_; }
double PictureBox::ScaleWidth() const { return width_; }
double PictureBox::ScaleHeight() const { return height_; }

namespace {

// A coordinate v of a system whose edge at pixel 0 stands at `origin` and
// which spans `span` over `pixels` pixels, and back.
double UnitToPixel(double v, double origin, double span, int pixels) { return (v - origin) * pixels / span; }
double PixelToUnit(double p, double origin, double span, int pixels) { return origin + p * span / pixels; }

}  // namespace

double PictureBox::XToPixel(double x) const { return UnitToPixel(x, left_, width_, pixelWidth_); }
double PictureBox::YToPixel(double y) const { return UnitToPixel(y, top_, height_, pixelHeight_); }
double PictureBox::PixelToX(double px) const { return PixelToUnit(px, left_, width_, pixelWidth_); }
double PictureBox::PixelToY(double py) const { return PixelToUnit(py, top_, height_, pixelHeight_); }

void PictureBox::KeepMapping() { map_ = {left_, top_, width_, height_, userScale_}; }

void PictureBox::KeepMapping(double x1, double y1, double x2, double y2) {
  if (UsableCorners(x1, y1, x2, y2)) map_ = {x1, y1, x2 - x1, y2 - y1, true};  // else the one kept stays
}

void PictureBox::ScaleToMapping() { std::tie(left_, top_, width_, height_, userScale_) = map_.Tied(); }

double PictureBox::MappedX(double px) const { return PixelToUnit(px, map_.left, map_.width, pixelWidth_); }
double PictureBox::MappedY(double py) const { return PixelToUnit(py, map_.top, map_.height, pixelHeight_); }
double PictureBox::MappedXToPixel(double x) const { return UnitToPixel(x, map_.left, map_.width, pixelWidth_); }
double PictureBox::MappedYToPixel(double y) const { return UnitToPixel(y, map_.top, map_.height, pixelHeight_); }

bool PictureBox::MapPoint(double x, double y, double& px, double& py, bool clamp) const {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  px = Dev(XToPixel(x));
  py = Dev(YToPixel(y));
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
  printed_.clear();
  shapes_.clear();
  SetCurrent(left_, top_);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Color c) {
  double ax, ay, bx, by;
  if (MapPoint(x1, y1, ax, ay, false) && MapPoint(x2, y2, bx, by, false) &&
      ClipSegment(ax, ay, bx, by)) {
    const QPoint a(RoundPixel(ax), RoundPixel(ay)), b(RoundPixel(bx), RoundPixel(by));
    QPainter& p = PenPainter(c);
    // A line wholly off the picture, its pen's ends and sides too, sets no
    // pixel: Qt is not asked to stroke it (a dotted one dot by dot).
    const int reach = p.pen().width() + 2;
    if (QRect(a, b).normalized().adjusted(-reach, -reach, reach, reach).intersects(image_.rect()))
      LineInBands(p, a, b, Mode != DrawMode::CopyPen && std::lround(DrawWidth * deviceScale_) <= 1);
    KeepLine(a, b, p);
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
  const double ax = Dev(pixelWidth_) / width_, ay = Dev(pixelHeight_) / height_;
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
    if (Keeping()) Keep({.points = QPolygon(QList<QPoint>(poly.begin(), poly.end()))}, *pen);
    SetCurrent(pts[pts.size() - 2], pts[pts.size() - 1]);
  }
}

void PictureBox::Box(double x1, double y1, double x2, double y2, Color c, bool filled) {
  double ax, ay, bx, by;
  if (MapPoint(x1, y1, ax, ay) && MapPoint(x2, y2, bx, by)) {
    const int l = RoundPixel(std::min(ax, bx)), r = RoundPixel(std::max(ax, bx));
    const int t = RoundPixel(std::min(ay, by)), b = RoundPixel(std::max(ay, by));
    QPainter& p = PenPainter(c);
    DrawnShape drawn;
    if (filled) {
      // Both corner pixels belong to the box, all the device pixels of each.
      const int more = PixelSpan() - 1;
      drawn = {.kind = DrawnShape::Kind::Area, .rect = QRect(QPoint(l, t), QPoint(r + more, b + more)),
               .brush = ToQColor(c)};
      FillInBands(p, drawn.rect, drawn.brush, Mode);
    } else if (l == r || t == b) {
      drawn.points = QPolygon({QPoint(l, t), QPoint(r, b)});
      p.drawLine(drawn.points[0], drawn.points[1]);  // a box without area is a line
    } else {
      drawn = {.kind = DrawnShape::Kind::Outline, .rect = QRect(l, t, r - l, b - t)};
      p.drawRect(drawn.rect);
    }
    if (Keeping()) Keep(std::move(drawn), p);
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

// A hatch `n` times as large: its 8-pixel tile drawn once and grown
// without smoothing, transparent between the lines. (Pattern brushes keep
// their size whatever the painter's or the brush's transform.)
QBrush ScaledHatch(const QBrush& hatch, int n) {
  QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
  tile.fill(Qt::transparent);
  {
    QPainter t(&tile);
    t.fillRect(tile.rect(), hatch);
  }
  return QBrush(tile.scaled(8 * n, 8 * n, Qt::IgnoreAspectRatio, Qt::FastTransformation));
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
    // of neighbouring boxes join up, and grow with the screen's scale as
    // lines do.
    const bool combines = Mode != DrawMode::CopyPen;
    QBrush hatch(ToQColor(FillColor), brush);
    if (brush != Qt::SolidPattern && brush != Qt::NoBrush && PixelSpan() > 1 && !combines)
      hatch = ScaledHatch(hatch, PixelSpan());
    if (brush != Qt::NoBrush) {
      FillInBands(p, QRect(QPoint(l, t), QPoint(r, b)), hatch, Mode);
      if (Keeping()) Keep({.kind = DrawnShape::Kind::Area, .rect = QRect(QPoint(l, t), QPoint(r, b)), .brush = hatch}, p);
    }
    if (l == r || t == b) {
      p.drawLine(QPoint(l, t), QPoint(r, b));
      KeepLine(QPoint(l, t), QPoint(r, b), p);
    } else {
      p.drawRect(QRect(l, t, r - l, b - t));
      if (Keeping()) Keep({.kind = DrawnShape::Kind::Outline, .rect = QRect(l, t, r - l, b - t)}, p);
    }
  }
  SetCurrent(x2, y2);
}

void PictureBox::Circle(double x, double y, double radius, Color c, double aspect) {
  double cx, cy;
  SetCurrent(x, y);
  if (!MapPoint(x, y, cx, cy)) return;
  double r = std::fabs(Dev(radius * pixelWidth_ / width_));
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
  const QPointF centre(RoundPixel(cx), RoundPixel(cy));
  if (Mode == DrawMode::CopyPen && rx <= kMaxStampRadius && ry <= kMaxStampRadius) {
    // A small ring or disc (a vector wind's, a dot) is copied from its
    // picture, drawn once: the same pixels, without outlining its curve
    // again each time.
    QPoint origin;
    const picturetext::DrawnPicture& stamp = EllipseStamp(rx, ry, p.pen(), p.brush(), origin);
    if (!stamp.inked.isEmpty()) p.drawImage(centre.toPoint() - origin + stamp.inked.topLeft(), stamp.image, stamp.inked);
  } else {
    p.drawEllipse(centre, rx, ry);
  }
  if (Keeping()) Keep({.kind = DrawnShape::Kind::Ellipse, .centre = centre, .rx = rx, .ry = ry}, p);
}

void PictureBox::PSet(double x, double y, Color c) {
  double px, py;
  if (MapPoint(x, y, px, py)) {
    const int n = PixelSpan();
    const QPoint at(RoundPixel(px), RoundPixel(py));
    QPainter& p = PenPainter(c);
    if (n == 1)
      p.drawPoint(at);
    else
      p.fillRect(QRect(at.x(), at.y(), n, n), ToQColor(c));
    if (Keeping())
      Keep(n == 1 ? DrawnShape{.points = QPolygon({at})}
                  : DrawnShape{.kind = DrawnShape::Kind::Area, .rect = QRect(at.x(), at.y(), n, n), .brush = ToQColor(c)},
           p);
  }
  SetCurrent(x, y);
}

const picturetext::FontEntry& PictureBox::Font() const {
  FontKey key{FontName, FontSize, deviceScale_, FontBold, FinePrint};
  if (font_ == nullptr || !(key == fontKey_) || !font_->measured) {
    font_ = &picturetext::FontFor(FontName, FontSize, FontBold, deviceScale_, FinePrint);
    fontKey_ = std::move(key);
  }
  return *font_;
}

QFont PictureBox::CurrentFont() const { return Font().font; }

void PictureBox::Print(const std::string& text, bool newline) {
  using namespace picturetext;
  const FontEntry& font = Font();
  const LaidOutText& t = TextIn(font, text);
  const double wpx = t.width, hpx = font.height;  // device pixels
  double px, py;
  const bool placed = MapPoint(CurrentX, CurrentY, px, py);
  if (placed && HaveGuiApp()) {
    const int x = RoundPixel(px), y = RoundPixel(py);
    const DrawnPicture& drawn = DrawnText(font, t, ForeColor);
    QPainter& p = TextPainter();
    // Only the part of a text's picture that is not transparent is drawn.
    const auto stamp = [&p](const DrawnPicture& d, int left, int top) {
      if (!d.inked.isEmpty()) p.drawImage(QPoint(left, top) + d.inked.topLeft(), d.image, d.inked);
    };
    // An opaque background reaches down to where the next line starts.
    const QRectF background = TextGround ? QRectF(*TextGround) : QRectF(x, y, wpx, RoundPixel(py + hpx) - y);
    if (!FontTransparent) p.fillRect(background, ToQColor(BackColor));
    if (TextOutline) {
      const DrawnPicture& halo = DrawnText(font, t, *TextOutline);
      const int d = PixelSpan();
      for (int dy = -d; dy <= d; dy += d)
        for (int dx = -d; dx <= d; dx += d)
          if (dx != 0 || dy != 0) stamp(halo, x - kPad + dx, y - kPad + dy);
    }
    stamp(drawn, x - kPad, y - kPad);
    if (gRecording && !t.ink.isEmpty()) {
      const auto picturePx = [&](const QRectF& r) {
        return QRectF(r.left() / deviceScale_, r.top() / deviceScale_, r.width() / deviceScale_,
                      r.height() / deviceScale_);
      };
      printed_.push_back({text, picturePx(t.ink.translated(x, y)),
                          FontTransparent ? QRectF() : picturePx(background), font.digitHeight / deviceScale_,
                          shapes_.size(), drawn.image, QPoint(x - kPad, y - kPad), TextOutline.has_value(), LastResort,
                          Label, hpx / deviceScale_, TextIn(font, " ").width / deviceScale_});
    }
  }
  if (!placed) {
    if (newline) CurrentX = left_;
    return;
  }
  if (newline) {
    CurrentX = left_;
    CurrentY = PixelToY((py + hpx) / deviceScale_);
  } else {
    CurrentX = PixelToX((px + wpx) / deviceScale_);
  }
}

double PictureBox::TextWidth(const std::string& text) const {
  return TextWidthPx(text) * std::fabs(width_) / pixelWidth_;
}

double PictureBox::TextHeight(const std::string& text) const {
  return TextHeightPx(text) * std::fabs(height_) / pixelHeight_;
}

double PictureBox::TextWidthPx(const std::string& text) const {
  using namespace picturetext;
  return picturetext::TextIn(Font(), text).width / deviceScale_;
}

QRectF PictureBox::TextInkPx(const std::string& text) const {
  const QRectF ink = picturetext::TextIn(Font(), text).ink;
  return QRectF(ink.left() / deviceScale_, ink.top() / deviceScale_, ink.width() / deviceScale_,
                ink.height() / deviceScale_);
}

QRectF PictureBox::TextInkAt(double xPx, double yPx, const std::string& text) const {
  const QRectF ink = picturetext::TextIn(Font(), text).ink;
  return ink.translated(std::floor(xPx * deviceScale_ + 0.5), std::floor(yPx * deviceScale_ + 0.5));
}

double PictureBox::TextHeightPx(const std::string& /*text*/) const {
  return Font().height / deviceScale_;
}

double PictureBox::TextWidthInScale(const std::string& text) const {
  return width_ < 0 ? -TextWidth(text) : TextWidth(text);
}

double PictureBox::TextHeightInScale(const std::string& text) const {
  return height_ < 0 ? -TextHeight(text) : TextHeight(text);
}

void PictureBox::EndRedraw() const {
  EndPainting();
  if (image_.devicePixelRatio() != deviceScale_) image_.setDevicePixelRatio(deviceScale_);
}

const QImage& PictureBox::Image() const {
  EndRedraw();
  return image_;
}

QImage& PictureBox::Image() {
  EndRedraw();
  return image_;
}

QImage PictureBox::DesignImage() const {
  EndRedraw();
  if (image_.width() == pixelWidth_ && image_.height() == pixelHeight_) return image_;
  return image_.scaled(pixelWidth_, pixelHeight_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void PictureBox::CopyPicture(const PictureBox& from) {
  EndPainting();
  from.EndRedraw();
  if (from.image_.size() != image_.size()) return;
  image_ = from.image_;
  printed_ = from.printed_;  // what is drawn on it now is the copy's
  shapes_ = from.shapes_;
}

void FillDevicePixels(PictureBox& pic, const QRect& r, Color c) {
  if (r.isEmpty()) return;
  // A box covers the device pixels from its first corner's to a whole
  // picture pixel's span past its second corner's.
  const double s = pic.DeviceScale();
  const int span = pic.PixelSpan();
  const int right = std::max(r.left(), r.right() + 1 - span), bottom = std::max(r.top(), r.bottom() + 1 - span);
  pic.Box(pic.PixelToX(r.left() / s), pic.PixelToY(r.top() / s), pic.PixelToX(right / s), pic.PixelToY(bottom / s), c,
          true);
}

}  // namespace ondrik
