#pragma once
// A picture box: a drawing surface over a QImage that keeps what is drawn on
// it, with a user coordinate system, a current drawing position, pen modes
// (copy, exclusive-or, ...) and text output at the current position.
//
// Its size is given in picture pixels, the pixels of the window's design;
// on a screen that the platform scales (QT_SCALE_FACTOR, or the screen's own
// scale) the picture is drawn at the screen's finer device resolution, lines,
// circles and text included, and every measure stays in picture pixels.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QBrush>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "platform/color.h"

class QPainter;

namespace ondrik {

namespace picturetext {
struct FontEntry;
}

// The Qt colour of a 0x00BBGGRR colour.
inline QColor ToQColor(Color c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

enum class DrawMode { CopyPen, XorPen, NotXorPen, MaskPenNot };
enum class DrawStyle { Solid, Dot };
// How BoxFill paints the inside of a box: one colour, nothing, or a hatch of
// lines (downward diagonals run from top left to bottom right).
enum class FillStyle {
  Solid,
  Transparent,
  HorizontalLine,
  VerticalLine,
  UpwardDiagonal,
  DownwardDiagonal,
  Cross,
  DiagonalCross
};

namespace detail {
// The painter of a picture box: begun at the first drawing after a Cls, a
// resize or a look at the picture, and ended before the picture is looked at
// again, so that a whole redraw runs through one painter. Copying a picture
// ends the painting of the original first; the copy starts without one.
class PaintSlot {
 public:
  PaintSlot();
  PaintSlot(const PaintSlot& o);
  PaintSlot& operator=(const PaintSlot& o);
  ~PaintSlot();
  void EndPainting() const;

 protected:
  mutable std::unique_ptr<QPainter> painter_;
};
}  // namespace detail

class PictureBox : private detail::PaintSlot {
 public:
  PictureBox(int widthPx = 100, int heightPx = 100);
  PictureBox(const PictureBox&) = default;
  PictureBox& operator=(const PictureBox&) = default;
  // The painting ends before the picture goes.
  ~PictureBox() { EndPainting(); }

  // New size in picture pixels (and device pixels per picture pixel: the
  // platform's scale of the screen, 1 keeps the one in force); the user scale
  // keeps its corners (so it stretches with the picture) and the picture is
  // cleared to BackColor.
  void Resize(int widthPx, int heightPx, double deviceScale = 0);
  int PixelWidth() const;
  int PixelHeight() const;
  double DeviceScale() const { return deviceScale_; }

  // User scale: (x1, y1) is the top-left corner, (x2, y2) the bottom-right;
  // y may grow upwards (y2 < y1). A zero width or height is refused.
  void Scale(double x1, double y1, double x2, double y2);
  void ScalePixels();  // back to pixel coordinates
  double ScaleLeft() const;
  double ScaleTop() const;
  double ScaleWidth() const;
  double ScaleHeight() const;
  // Conversions between user units and (fractional) pixel positions; the
  // user rectangle covers the pixel rectangle 0..PixelWidth, 0..PixelHeight.
  double XToPixel(double x) const;
  double YToPixel(double y) const;
  double PixelToX(double px) const;
  double PixelToY(double py) const;

  // The mapping between the picture's pixels and the coordinates of what was
  // drawn on it, kept apart from the scale its drawing steps leave in force:
  // the drawing declares it when it is done (the user scale in force then,
  // or a system given as Scale takes it), and every handler of the
  // picture's mouse reads the pointer in it (PictureBoxWidget reports
  // positions so), as does whatever is drawn on the picture later in the
  // same system, so that none works the system out on its own. Picture
  // pixels until a drawing declares one; it stretches with the picture, as
  // the user scale does.
  void KeepMapping();
  void KeepMapping(double x1, double y1, double x2, double y2);
  // The user scale becomes the kept mapping.
  void ScaleToMapping();
  double MappedX(double px) const;  // picture pixel -> coordinate
  double MappedY(double py) const;
  double MappedXToPixel(double x) const;
  double MappedYToPixel(double y) const;

  // Drawing state.
  Color ForeColor = 0, BackColor = 0xFFFFFF, FillColor = 0;
  int DrawWidth = 1;  // pixels
  DrawStyle Style = DrawStyle::Solid;
  DrawMode Mode = DrawMode::CopyPen;
  bool FillTransparent = true;  // true: circles are not filled
  FillStyle Fill = FillStyle::Solid;  // inside of BoxFill boxes, in FillColor
  bool FontTransparent = true;  // false: text is printed on a BackColor box
  // A colour round every stroke of the text, one pixel wide: text that
  // stands partly over a bar and partly beside it stays whole and readable.
  std::optional<Color> TextOutline;
  std::string FontName = "Arial";
  double FontSize = 8;  // points at 96 dots per inch
  bool FontBold = false;
  // Text is never drawn so small that its digits stand less than
  // picturetext::kSmallestDigitPx tall, whatever face it names; fine print
  // is drawn as small as asked: for a table whose fixed grid leaves its
  // numbers less room, legible where the screen's scale gives them the
  // pixels.
  bool FinePrint = false;
  double CurrentX = 0, CurrentY = 0;
  // The device pixels an opaque text's box covers, when set (a box round
  // its strokes); unset: its advance and line.
  std::optional<QRect> TextGround;
  // Texts printed while set are recorded as printed where no place was
  // clear of the data and the other texts: a placement's last resort.
  bool LastResort = false;
  // What the texts printed from here on label, recorded with them: a
  // placement sets it for each text it prints, so that a check can measure
  // how far each stands from what it labels.
  struct TextLabel {
    enum class Kind {
      None,   // not said (printed by itself)
      Place,  // its own place: its strokes inside `within`
      Row,    // a level's row at y = at.y(): its middle within a quarter of its line of it
      Point,  // the point `at`: its strokes within its line's height of it
    };
    Kind kind = Kind::None;
    QPointF at{};      // picture pixels: the row or the point; for a place, the middle of its strokes where meant
    QRectF within{};   // Place: where its strokes may stand, picture pixels
    int block = 0;     // texts of one block (moved as one) share it; 0: none
    QPointF moved{};   // how far it stands from where it was meant (picture pixels; a smaller size in the middle of its place is not moved)
  };
  TextLabel Label;

  // Fills the picture with BackColor; the current point goes to the top-left.
  void Cls();
  // Lines leave the current point at their end.
  void Line(double x1, double y1, double x2, double y2, Color c);
  void Line(double x1, double y1, double x2, double y2);
  void LineTo(double x2, double y2, Color c);  // from the current point
  void LineTo(double x2, double y2);
  void LineRel(double dx, double dy, Color c);  // by an offset from the current point
  // Joined lines through the points x0, y0, x1, y1, ... in one stroke, as
  // LineTo from each point to the next; one point is a dot. The current
  // point goes to the last point.
  void PolyLine(std::span<const double> xy, Color c);
  // Many such lines in one colour: run i joins the points first .. first +
  // count - 1 of xy.
  struct PointRun {
    std::size_t first = 0, count = 0;
  };
  void PolyLines(std::span<const double> xy, std::span<const PointRun> runs, Color c);
  // A rectangle with the two points as opposite corners, outlined or filled
  // with the colour c; the current point goes to (x2, y2).
  void Box(double x1, double y1, double x2, double y2, Color c, bool filled);
  // Circle (or ellipse) around (x, y); radius in x units; aspect = vertical /
  // horizontal radius in pixels (the radius gives the horizontal half-axis
  // when aspect <= 1, the vertical one when aspect > 1). Outlined in c,
  // filled with FillColor unless FillTransparent. Current point = centre.
  // A box outlined in c whose inside is painted in FillColor with the Fill
  // style (nothing when Transparent); the current point goes to (x2, y2).
  void BoxFill(double x1, double y1, double x2, double y2, Color c);
  void Circle(double x, double y, double radius, Color c, double aspect = 1.0);
  void PSet(double x, double y, Color c);

  // Prints text with its top-left corner at (CurrentX, CurrentY), always
  // in copy mode (the pen mode does not apply to text). newline = true:
  // afterwards CurrentX = ScaleLeft and CurrentY one text line lower;
  // newline = false: CurrentX moves past the text, CurrentY stays.
  void Print(const std::string& text, bool newline = true);
  double TextWidth(const std::string& text) const;   // user units, >= 0
  double TextHeight(const std::string& text) const;  // user units, > 0
  // The same measures with the sign of the scale: negative along an axis
  // that runs right to left (or upwards), so that x - TextWidthInScale / 2
  // centres a text on x whichever way the scale runs.
  double TextWidthInScale(const std::string& text) const;
  double TextHeightInScale(const std::string& text) const;
  // The same measures in picture pixels, whatever the scale.
  double TextWidthPx(const std::string& text) const;
  double TextHeightPx(const std::string& text) const;
  // Where the text's strokes lie, in picture pixels from the top-left
  // corner it is printed at (a glyph may reach a pixel past its advance).
  QRectF TextInkPx(const std::string& text) const;
  // Where they lie, in device pixels, when the text is printed with its
  // top-left corner at the picture pixel (xPx, yPx): Print puts the corner
  // on the device pixel nearest it.
  QRectF TextInkAt(double xPx, double yPx, const std::string& text) const;
  // The device pixels a whole picture pixel covers, whole: the width of a
  // line one picture pixel wide.
  int PixelSpan() const;

  // The picture as drawn so far, in device pixels (the painting of the
  // redraw ends here).
  const QImage& Image() const;
  QImage& Image();
  // The picture at its size in picture pixels (scaled down when it is drawn
  // at a finer device resolution): what snapshots save.
  QImage DesignImage() const;
  // Takes over the pixels, and the texts printed on them, of a picture of
  // the same size and scale.
  void CopyPicture(const PictureBox& from);

  // The installed font that FontName/FontSize/FontBold stand for, at the
  // picture's device resolution.
  QFont CurrentFont() const;

  // What was drawn since the last Cls or resize, in drawing order, kept
  // while recording is on (for all picture boxes): a check that nothing is
  // drawn over a text. Each text with the rectangles of its ink and of its
  // opaque background (empty when transparent) in picture pixels, the
  // height of its face's digits, and its strokes as drawn; each line, ring,
  // box and filled shape as drawn, in device pixels.
  struct PrintedText {
    std::string text;
    QRectF ink;
    QRectF background;
    double digitPx = 0;            // picture pixels
    std::size_t shapesBefore = 0;  // how many of DrawnShapes() lie under it
    QImage strokes;                // coverage in its alpha, device pixels,
    QPoint strokesAt;              // with its top-left corner here
    bool rim = false;              // on a rim round its strokes (TextOutline)
    bool lastResort = false;       // printed while LastResort was set
    TextLabel label{};             // what it labels (Label when printed)
    double linePx = 0;             // its line's height, picture pixels
    double spacePx = 0;            // the width of a blank in its font, picture pixels
  };
  struct DrawnShape {
    enum class Kind { Lines, Outline, Ellipse, Area };
    Kind kind = Kind::Lines;
    QPolygon points{};  // Lines: joined in turn (one point: a dot)
    QRect rect{};       // Outline, Area
    QPointF centre{};   // Ellipse, with its radii
    double rx = 0, ry = 0;
    QPen pen = QPen(Qt::NoPen);
    QBrush brush{};
    QRect bounds{};  // every pixel it may set
    bool data = false;  // drawn while the picture had DataMarks
    // Sets its pixels again, in its own pen and brush, on a painter of
    // device pixels.
    void Paint(QPainter& p) const;
  };
  // Told of every shape drawn while it is the picture's DataMarks, in
  // device pixels as drawn: the data marks (traces, dots, rings, vectors,
  // outlines) that a placement of texts keeps clear of. The record marks
  // those shapes as data.
  class MarkSink {
   public:
    virtual void Mark(const DrawnShape& shape, double deviceScale) = 0;
    // A line from a to b in a pen, device pixels: what Mark is told of the
    // shape of those two points, without the shape built for each line.
    virtual void MarkLine(const QPoint& a, const QPoint& b, const QPen& pen, double deviceScale);

   protected:
    ~MarkSink() = default;
  };
  MarkSink* DataMarks = nullptr;

  static void RecordPrintedTexts(bool on);
  const std::vector<PrintedText>& PrintedTexts() const { return printed_; }
  const std::vector<DrawnShape>& DrawnShapes() const { return shapes_; }

 private:
  // Pixel position of a user point; false when it is not finite. clamp:
  // limit it to +-1e6 pixels.
  bool MapPoint(double x, double y, double& px, double& py, bool clamp = true) const;
  void SetCurrent(double x, double y);
  // The painter of the redraw with the pen state for lines and shapes in
  // colour c, or for text (copy mode, no pen).
  QPainter& PenPainter(Color c);
  QPainter& TextPainter();
  QPainter& Painter();
  // The pixels of points, consecutive repeats left out; false when one lies
  // too far out to be drawn as it is.
  bool PixelPolygon(std::span<const double> xy, std::vector<QPoint>& out) const;

  // Device pixel of a picture pixel position.
  double Dev(double picturePx) const { return picturePx * deviceScale_; }

  // Ends the painting and gives the picture its device scale.
  void EndRedraw() const;

  // The font of the face, size and boldness in force (looked up once for
  // each change of them).
  const picturetext::FontEntry& Font() const;
  // Keeps a shape drawn with the painter's pen and brush, while recording,
  // and tells DataMarks of it.
  void Keep(DrawnShape shape, const QPainter& p);
  // The same for a line from a to b.
  void KeepLine(const QPoint& a, const QPoint& b, const QPainter& p);
  bool Keeping() const;

  mutable QImage image_;  // device pixels
  int pixelWidth_ = 100, pixelHeight_ = 100;
  double deviceScale_ = 1;
  double left_ = 0, top_ = 0, width_ = 100, height_ = 100;
  bool userScale_ = false;
  // The kept mapping, as the user scale (pixels while user is false).
  struct Mapping {
    double left = 0, top = 0, width = 100, height = 100;
    bool user = false;
    auto Tied() const { return std::tie(left, top, width, height, user); }
  } map_;
  std::vector<PrintedText> printed_;
  std::vector<DrawnShape> shapes_;
  struct FontKey {
    std::string name;
    double size = 0, deviceScale = 0;
    bool bold = false, finePrint = false;
    bool operator==(const FontKey&) const = default;
  };
  mutable FontKey fontKey_;
  mutable const picturetext::FontEntry* font_ = nullptr;
};

// A box filled with c over exactly the device pixels of r.
void FillDevicePixels(PictureBox& pic, const QRect& r, Color c);

// The picture's DataMarks for as long as it lives: every shape drawn on the
// picture meanwhile is a data mark told to the sink; the one before comes
// back on every path.
class DataMarksGuard {
 public:
  DataMarksGuard(PictureBox& pic, PictureBox::MarkSink* sink) : pic_(pic), kept_(pic.DataMarks) { pic.DataMarks = sink; }
  ~DataMarksGuard() { pic_.DataMarks = kept_; }
  DataMarksGuard(const DataMarksGuard&) = delete;
  DataMarksGuard& operator=(const DataMarksGuard&) = delete;

 private:
  PictureBox& pic_;
  PictureBox::MarkSink* kept_;
};

// Text for Qt: UTF-8 when the bytes are valid UTF-8, else Latin-1 (as the
// profile and configuration files are written).
QString ToQString(const std::string& s);

// The installed family used for a requested font name ("Arial" becomes
// "DejaVu Sans", "Courier New" "DejaVu Sans Mono").
std::string InstalledFontFamily(const std::string& requested);

}  // namespace ondrik
