// The texts of one chart redraw. The drawing steps hand their texts over as
// they draw, and draw their data (traces, markers' points, vectors, the
// omega profile) while the placement listens; after the last line the
// texts go to the one placement of texts, which prints every one of them,
// each on a box of the picture's background that covers no data: where
// the step put it, or near it as far as its kind may go, or smaller, or as
// a last resort over the data.
#pragma once

#include <string>
#include <vector>

#include "platform/picturebox.h"
#include "platform/textplace.h"

namespace ondrik {

// How a text stands.
enum class LabelPlace {
  Column,      // a value of the wind column or the surface strip: near its place
  ColumnAfter, // the same, placed after the markers (a wind's direction where the feathers run)
  AtPoint,     // a value or marker at a point of a trace: near it, its row first
  UnderAxis,   // a number of the temperature axis: under its tick
  HeightAxis,  // a number of the height axis: along its level between lo and hi
  AlongRow,    // a caption of a level: along its row between lo and hi
  Anywhere,    // the title: the nearest clear place, anywhere below the top (between the heights lo and hi)
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

  // A text at the picture's current position, in its ForeColor and font.
  // A caption moves between the x positions lo and hi (in the picture's
  // scale; both 0: along its whole row), the title between the y positions
  // lo and hi. Outside a redraw the text is printed at once.
  void Print(PictureBox& pic, const std::string& text, LabelPlace place, double lo = 0, double hi = 0);
  // Prints every text kept: the axes' numbers first, then the title, the
  // shown dataset's values, its captions, its markers and the values placed
  // after them, then the other datasets' in the same order.
  void PrintAll(PictureBox& pic);

 private:
  struct Kept {
    int rank = 0;  // the order of placement
    TextPlacement::Text text;
  };
  bool collecting_ = false;
  bool shown_ = true;
  double topPx_ = 0;  // the chart's top edge, picture pixels
  TextPlacement place_;
  std::vector<Kept> kept_;
};

}  // namespace ondrik
