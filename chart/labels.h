// The texts of one chart redraw. The drawing steps hand their texts over as
// they draw, and draw their data (traces, markers' points, vectors, the
// omega profile) while the placement listens; after the last line the
// texts go to the one placement of texts, which prints every one of them,
// each on a box of the picture's background that covers no data: where
// the step put it, or along its level's row, or by its point, or smaller,
// or as a last resort over the data there. A text never leaves what it
// labels: a number beside another level's mark would read as true.
#pragma once

#include <QPointF>
#include <QRectF>

#include <string>
#include <vector>

#include "platform/picturebox.h"
#include "platform/textplace.h"

namespace ondrik {

// How a text stands, and what it labels.
enum class LabelPlace {
  Column,       // a value of a level in the wind column right of its ring: along its row from lo on
  ColumnLeft,   // one left of its ring (a wind's direction): along its row, its text between lo and hi
  Strip,        // a value of the surface strip: along its row between lo and hi; another
                // dataset's only where it stands clear (the shown one's covers it)
  AtLevel,      // a marker or label of a level beside a trace's point: along its row near the point
  AtPoint,      // a value at a point (a lake index, the convective temperature): by the point
  UnderAxis,    // a number of the temperature axis: by the foot of its tick
  HeightAxis,   // a number of the height axis: along its level between lo and hi
  AlongRow,     // a caption of a level: along its row between lo and hi
  Title,        // the title: at its place, never elsewhere
};

class ChartLabels {
 public:
  // From here to PrintAll the texts handed over are kept, not printed; the
  // top coveredTopPx picture pixels (a strip laid over the chart) take none.
  void Begin(const PictureBox& pic, double coveredTopPx);
  // Whether the texts handed over from here are the shown dataset's (the
  // captions of the frame and the title are).
  void SetShown(bool shown) { shown_ = shown; }
  // What the texts keep clear of: the shapes drawn while it is the
  // picture's DataMarks.
  PictureBox::MarkSink* Data() { return &place_; }

  // A text at the picture's current position, in its ForeColor and font,
  // labelling `of` (in the picture's scale): the row at its y for the
  // kinds of a level, the point for a point's. A text of a level moves
  // along its row between the x positions lo and hi (in the picture's
  // scale; both 0: along its whole row); others as their kind says.
  // Outside a redraw the text is printed at once.
  void Print(PictureBox& pic, const std::string& text, LabelPlace place, QPointF of, double lo = 0, double hi = 0);
  // A text of a level that stands at the first of the places (x of its
  // top-left corner, in the picture's scale, the best first) on its row
  // that is free: a wind's number beside its ring, never on it.
  void PrintAmong(PictureBox& pic, const std::string& text, LabelPlace place, QPointF of, const std::vector<double>& xs);
  // Texts that move as one (the lines of the title, the convective
  // temperature's mark and value), each at its top-left corner (in the
  // picture's scale), in the picture's ForeColor and font.
  struct Line {
    std::string text;
    double x = 0, y = 0;
  };
  void PrintBlock(PictureBox& pic, const std::vector<Line>& lines, LabelPlace place, QPointF of, double lo = 0,
                  double hi = 0);
  // Prints every text kept: the title first, then the axes' numbers, the
  // shown dataset's values of its levels, its values at points, its
  // captions and its markers, then the other datasets' in the same order.
  void PrintAll(PictureBox& pic);

  // The strokes of the texts the last PrintAll printed, picture pixels:
  // what a label laid over the chart later keeps clear of.
  const std::vector<QRectF>& Printed() const { return printed_; }

 private:
  struct Kept {
    int rank = 0;  // the order of placement
    TextPlacement::Text text;
  };
  // The text at the current position as its kind hands it over; false for
  // one that has nothing to stand by on the picture.
  bool Make(PictureBox& pic, const std::string& text, LabelPlace place, QPointF of, double lo, double hi,
            TextPlacement::Text& t) const;
  bool collecting_ = false;
  bool shown_ = true;
  int blocks_ = 0;
  double topPx_ = 0;  // the chart's top edge, picture pixels
  TextPlacement place_;
  std::vector<Kept> kept_;
  std::vector<QRectF> printed_;
};

}  // namespace ondrik
