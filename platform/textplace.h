// The one placement of a picture's texts. A picture hands it what it drew
// (its data marks) and the texts it prints, each with the place it is meant
// for and what it labels; the placement prints every one of them:
//   1. where it is meant for, or at the nearest place its movement allows
//      that still reads as what it labels (a level's text on its row, a
//      point's text by its point) and whose ground covers no data mark and
//      meets no other text;
//   2. failing that, smaller, in steps down to the floor of the face (digits
//      kSmallestDigitPx screen pixels tall), at its places again, and then
//      in a condensed face when it names one;
//   3. and as a last resort, on its last-resort ground (none unless asked),
//      at the nearest of those places that meets no other text, in its own
//      size or its smallest, or else where it is meant for, over what is
//      there: never farther from what it labels. The picture box records
//      it so, for the checks that count such texts.
// No text is left out (but one handed over as one that may be, below),
// none covers a data mark with its ground, and each keeps `margin` picture
// pixels of room round its strokes from every other text, and the width of
// a blank of its font from a text beside it, so that no two numbers on a
// row read as one. Texts are placed in the order they are handed over; each
// keeps the room of those before it.
//
// Data marks come two ways, in picture pixels: every shape drawn on the
// picture while the placement is its DataMarks (a DataMarksGuard round the
// drawing of traces, dots, rings, vectors, outlines and decision lines), or
// marks handed over by their geometry (lines to be drawn later, a contour's
// own line that its label may sit on). Rooms held (a band laid over the
// picture's top, a title's box) take no text at all.
//
// The search is bounded: marks are kept in cells of a picture pixel, texts
// in buckets of a few dozen, and every movement tries a fixed number of
// places whatever the screen's scale.
//
// A typical use, for a picture `pic` of a panel:
//   TextPlacement place;
//   place.Begin(pic);
//   place.Hold(QRectF(0, 0, pic.PixelWidth(), stripPx));   // under a strip
//   {
//     const DataMarksGuard data(pic, &place);
//     ... draw the traces and marks ...
//   }
//   TextPlacement::Text t = TextPlacement::Text::At(pic, " 850 ");  // at CurrentX/Y, in its font
//   t.labels = TextPlacement::Labels::Row;   // the level's row
//   t.of = QPointF(0, rowPx);
//   t.move = TextPlacement::Move::AlongRow;
//   t.lo = 0;
//   t.hi = 60;
//   place.Add(t);
//   place.PrintAll(pic);
#pragma once

#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/picturebox.h"

namespace ondrik {

class TextPlacement : public PictureBox::MarkSink {
 public:
  // How a text may move from the place it is meant for.
  enum class Move {
    Fixed,     // stays there (moved inside the picture and out of the rooms held only)
    AlongRow,  // along its row, its left edge between lo and hi
    Nearest,   // to the nearest free place within `reach`, along its row first
               // (between lo and hi there, when given)
    Region,    // anywhere inside `region`, the nearest free place first
    AmongPlaces,  // to the first free one of `places` (a contour's label along its contour)
  };
  // What a text labels, which bounds every move, its last resort's too:
  // its own place (a caption, a line of a block, a title: it goes only
  // where its movement says); a level's row at y = `of`.y() (its middle
  // stays within a quarter of its line of the row); or the point `of` (its
  // strokes stay within its line's height of the point).
  enum class Labels { Place, Row, Point };
  // Whether a text may be left out instead of printed: never; unless a
  // place clear of the data and the other texts is found (one of many
  // values of a line, or a text that gets a second chance later); or
  // rather than take a last resort that meets another text (a mark that
  // means something only at its own place).
  enum class LeaveOut { Never, UnlessClear, RatherThanOverText };
  // What a text stands on.
  enum class Ground {
    None,  // its strokes alone
    Box,   // an opaque box of the picture's back colour, `margin` round its strokes
    Rim,   // a rim of the back colour a picture pixel round each stroke
  };

  struct Text {
    std::string text;
    // The top-left corner of its line where it is meant to stand, picture
    // pixels.
    double x = 0, y = 0;
    std::string fontName = "Arial";
    double fontSize = 8;  // points, as PictureBox::FontSize
    bool fontBold = false;
    Color colour = 0xFFFFFF;
    Labels labels = Labels::Place;
    QPointF of{};  // Row, Point: the row (its y) or the point, picture pixels
    Move move = Move::Fixed;
    double lo = 0, hi = 0;      // AlongRow, Nearest: the room of its left edge in its row, picture pixels
    double reach = 0;           // Nearest: how far it may go each way, picture pixels
    QRectF region;              // Region: where its strokes may stand, picture pixels
    std::vector<QPointF> places;  // AmongPlaces: top-left corners, picture pixels, the best first
    // AmongPlaces, for a point's text alone (not one of a block): the point
    // each of its places stands by (a contour's value by the stretch of its
    // line that place is beside), picture pixels; empty: `of` for all.
    std::vector<QPointF> placesOf;
    bool mayShrink = true;
    // A narrower face tried, in its own size and smaller, where its own face
    // finds no place (empty: none).
    std::string condensedFace;
    Ground ground = Ground::Box;
    Ground lastResortGround = Ground::None;
    LeaveOut leaveOut = LeaveOut::Never;
    double margin = 1;  // picture pixels kept clear round its strokes
    // A line of its own it may stand on (0: none): its marks, handed over
    // with this tag, do not count against it.
    int tag = 0;
    // Texts handed over one after another with the same non-zero value move
    // as one (the lines of a two-line label): each place of the first (along
    // its row, among its places, or in its region) is tried for all of them,
    // each at the same move from its own place, in their own sizes.
    int together = 0;

    // A text at the picture's current position, in its font and ForeColor.
    static Text At(const PictureBox& pic, const std::string& text);
  };

  // Where a text was printed.
  struct Placed {
    QPointF at;         // its top-left corner, picture pixels
    double fontSize = 0;  // points
    std::string fontName;  // its own face, or the condensed one
    QRectF ink;         // its strokes, picture pixels
    Ground ground = Ground::None;
    bool lastResort = false;
    bool leftOut = false;  // not printed, takes no room
    QPointF moved{};       // from where it was meant (not by a smaller size in the middle of its place)
    QRectF within{};       // where its movement let its strokes stand
    QPointF of{};          // Row, Point: the row or the point it stands by
  };

  // A new placement for the picture at its size and scale: no mark, no
  // room held, no text.
  void Begin(const PictureBox& pic);

  // Data marks by their geometry, picture pixels. A line with a tag counts
  // against every text but those of its tag.
  void Segment(const QPointF& a, const QPointF& b, double width, int tag = 0);
  void Rect(const QRectF& r);  // a filled area, or the inside of an outline too
  void Ellipse(const QPointF& centre, double rx, double ry, double width);
  void Dot(const QPointF& at, double radius);
  int NewTag() { return ++tags_; }
  // The shapes drawn from here on while this is the picture's DataMarks
  // are marks of the line of this tag (0: of none).
  void MarkWithTag(int tag) { markTag_ = tag; }
  // A shape drawn while this is the picture's DataMarks.
  void Mark(const PictureBox::DrawnShape& shape, double deviceScale) override;
  void MarkLine(const QPoint& a, const QPoint& b, const QPen& pen, double deviceScale) override;

  // A room no text may take.
  void Hold(const QRectF& room);

  // Hands a text over: placed, in the order given, at the next PlaceNow or
  // PrintAll.
  void Add(Text text);
  // Places every text handed over and not placed yet, and gives where the
  // last of them went (a caller that draws round its texts asks this).
  Placed PlaceNow();
  // Places what is not placed yet and prints every text not printed yet,
  // in the order handed over, but the last resorts first (under the texts
  // that found a clear place, which stay whole); the picture keeps its
  // scale and drawing state.
  void PrintAll(PictureBox& pic);
  // Where each text handed over since Begin went, in order (once placed).
  const std::vector<Placed>& Results() const { return placed_; }
  // Whether a room (picture pixels) is clear of the data (but the lines of
  // the tag) and of the rooms of the texts placed and held.
  bool Clear(const QRectF& room, int tag = 0) const;

  // The pieces of a line (picture pixels) that keep clear of every text
  // placed, with `width` of pen: for a line drawn after the texts.
  void ClearOfTexts(const QLineF& line, double width, std::vector<QLineF>& out) const;

 private:
  struct TaggedLine {
    QLineF line;
    double half = 0.5;
    int tag = 0;
  };
  // Rows of cells of a picture pixel, a bit each.
  using Cells = std::vector<std::uint64_t>;
  static constexpr int kBucket = 32;  // picture pixels of a bucket of rooms and lines

  void PlaceOne(const Text& t);
  // The texts [first, last) of the queue that move as one.
  void PlaceTogether(std::size_t first, std::size_t last);
  // Whether a text of tag `tag` may stand with its room r (picture pixels)
  // where no tagged line of another tag runs.
  bool ClearOfOtherLines(const QRectF& r, int tag) const;
  // Keeps a room (picture pixels) and its cells from the texts to come.
  void TakeRoom(const QRectF& r, const QRect& cells);
  // The cells of a text's room grown along its row by as much as a blank of
  // its font (in a size) asks beyond its margin: no text comes closer
  // beside it.
  QRect Beside(const QRect& cells, const Text& t, const std::string& face, double pt) const;
  // The cells a rectangle of picture pixels touches.
  static QRect CellsOf(const QRectF& r);
  // Whether no cell of `cells` is taken by a text (or by data, or a tagged
  // line, when asked).
  bool CellsFree(const QRect& cells, bool data, bool lines) const;
  static void SetCells(Cells& cells, int words, int w, int h, int x0, int y0, int x1, int y1);
  void MarkCells(int x0, int y0, int x1, int y1);
  void MarkRun(int y, double x0, double x1);  // cells x0..x1 of row y
  void MarkDisc(double cx, double cy, double r);
  void MarkCellsOfLine(const QPointF& a, const QPointF& b, double half);
  // A segment between device pixels drawn with a pen `width` picture
  // pixels wide.
  void MarkDrawnSegment(const QPoint& a, const QPoint& b, double width, double deviceScale);
  // The cells of rows [y0, y1) taken by data (of every tag when `lines`)
  // and texts, or by texts only, ORed into the words from..to of `band`.
  void Band(int y0, int y1, bool data, bool lines, int from, int to, Cells& band) const;
  // f(bucket) for each bucket that the rectangle (picture pixels) meets.
  template <typename F>
  void EachBucket(const QRectF& r, F&& f) const;
  static bool FiniteRect(const QRectF& r) {
    return std::isfinite(r.left()) && std::isfinite(r.top()) && std::isfinite(r.right()) && std::isfinite(r.bottom());
  }
  void FindOuterRooms() const;

  int w_ = 0, h_ = 0, words_ = 0;
  double scale_ = 1;
  Cells data_, tagged_, texts_;  // data marks, tagged lines, rooms of texts and rooms held
  Cells taken_;                  // all three together, for the usual question
  // The cells a question looks at: the union of one or two of the above.
  struct Sources {
    const Cells* one;
    const Cells* other;  // may be null
  };
  Sources SourcesOf(bool data, bool lines) const;
  std::vector<QRectF> rooms_;    // of the texts placed and the rooms held
  std::vector<std::vector<int>> roomBuckets_;
  // Each bucket's rooms less those inside another of them, for the lines
  // drawn after the texts (built when first asked after a room was taken):
  // where texts pile up over each other, most of their rooms cut nothing
  // that their neighbours do not.
  mutable std::vector<std::vector<int>> outerBuckets_;
  static constexpr std::size_t kNotBuilt = static_cast<std::size_t>(-1);
  mutable std::size_t outerOf_ = kNotBuilt;  // the count of rooms outerBuckets_ was built from
  std::vector<QRectF> held_;
  std::vector<TaggedLine> lines_;
  std::vector<std::vector<int>> lineBuckets_;
  int bucketCols_ = 0, bucketRows_ = 0, tags_ = 0, markTag_ = 0;
  std::vector<Text> queued_;
  std::vector<Placed> placed_;
  std::size_t printed_ = 0;
};

template <typename F>
void TextPlacement::EachBucket(const QRectF& r, F&& f) const {
  if (bucketCols_ == 0 || !FiniteRect(r)) return;
  const auto at = [](double v, int n) { return std::clamp(static_cast<int>(std::floor(v / kBucket)), 0, n - 1); };
  const int c0 = at(r.left(), bucketCols_), c1 = at(r.right(), bucketCols_);
  const int r0 = at(r.top(), bucketRows_), r1 = at(r.bottom(), bucketRows_);
  for (int row = r0; row <= r1; ++row)
    for (int col = c0; col <= c1; ++col) f(static_cast<std::size_t>(row * bucketCols_ + col));
}

}  // namespace ondrik
