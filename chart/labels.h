// The texts of one chart redraw. The drawing steps hand their texts over as
// they draw; the redraw prints them after its last line, each on a box of the
// picture's background, so that no grid line, band, trace or mark drawn
// later runs through a number. A value stays where its step put it; a
// caption that would stand on the chart's data gives way to them.
#pragma once

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>

#include <string>
#include <utility>
#include <vector>

#include "platform/picturebox.h"

namespace ondrik {

// How a text stands; the texts are placed in this order.
enum class LabelPlace {
  Fixed,       // a value of a column (the winds, the surface strip): printed where it stands
  AtPoint,     // a value or marker at a point of a trace: beside it on its row, clear of the texts
  UnderAxis,   // a caption of the temperature axis on the ground band: as it stands, or left out
  HeightAxis,  // a caption of the height axis: along its row to a place clear of data and texts
  AlongRow,    // a caption of a level: along its row to a place clear of data and texts
  Anywhere,    // the title: the first clear place right of and below its own
};

class ChartLabels {
 public:
  // From here to PrintAll the texts handed over are kept, not printed.
  void Begin();
  // Whether the texts handed over from here are the shown dataset's (the
  // captions of the frame and the title are).
  void SetShown(bool shown) { shown_ = shown; }
  // The picture as its background left it: whatever differs from it later
  // is data that captions keep clear of.
  void KeepBackground(const PictureBox& pic);
  // Prints every text kept: the values first, in their order, then the
  // captions, each at the first place that no data, no other text and not
  // the top coveredTopPx picture pixels (a strip laid over the chart) take.
  void PrintAll(PictureBox& pic, double coveredTopPx);

  // A trace of data (a temperature or dew point): a segment from the last
  // point to (x, y) in the picture's current scale, or its first point when
  // start is set. No text's box is placed over a trace where another place
  // stands: a value slides along its row off it, a caption goes elsewhere or
  // is left out.
  void TraceTo(const PictureBox& pic, double x, double y, bool start);

  // A text at the picture's current position, in its ForeColor and font.
  // A caption moves between the x positions lo and hi (in the picture's
  // scale; both 0: along its whole row, or for the title the whole width).
  // Outside a redraw the text is printed at once.
  void Print(PictureBox& pic, const std::string& text, LabelPlace place,
             double lo = 0, double hi = 0);

 private:
  struct Label {
    std::string text;
    QRectF box;  // picture pixels: the text's advance and line, with its margins
    QPointF pad;  // where the text begins in its box
    Color color = 0;
    std::string fontName;
    double fontSize = 0;
    bool fontBold = false;
    LabelPlace place = LabelPlace::Fixed;
    bool shown = true;          // of the shown dataset
    double loPx = 0, hiPx = 0;  // room of a caption across the picture
  };
  // Where the data drawn over the background lie: cells of a few device
  // pixels that hold a changed pixel, counted in a summed table.
  class DataInk {
   public:
    void Build(const QImage& now, const QImage& background, double deviceScale);
    // The cells with data that a rectangle of picture pixels touches.
    int Count(const QRectF& picturePx) const;

   private:
    static constexpr int kCell = 4;  // device pixels
    std::vector<int> sum_;           // (cw + 1) x (ch + 1)
    int cw_ = 0, ch_ = 0;
    double scale_ = 1;
  };
  // Where the traces run across the rows from top to bottom (picture
  // pixels), with the room a box keeps from them: x intervals.
  using Spans = std::vector<std::pair<double, double>>;
  void TracesIn(double top, double bottom, Spans& out) const;
  static bool Meets(const QRectF& r, const Spans& spans);
  void PrintAt(PictureBox& pic, const Label& l, const QRectF& box) const;
  // No text placed so far meets the box r.
  static bool Clear(const QRectF& r, const std::vector<QRectF>& taken);
  // A value's box moved inside the picture below its covered top and then,
  // when it may slide along its row, to the nearest place clear of the texts
  // placed before it and of the traces (or, with none, of the texts); false
  // when it meets a text where it ends, or (staying) a trace (r is then
  // inside the picture only).
  enum class Slide {
    None,              // stays; meets no text
    Stays,             // stays; meets no text and no trace
    OffTextsAndTraces  // slides off both
  };
  bool Nudge(const PictureBox& pic, QRectF& r, Slide slide, const std::vector<QRectF>& taken,
             double coveredTopPx) const;
  // The place of a caption, or false when it is better left out.
  bool Place(const PictureBox& pic, const Label& l, const DataInk& ink, const std::vector<QRectF>& taken,
             double coveredTopPx, QRectF& out) const;

  bool collecting_ = false;
  bool shown_ = true;
  std::vector<Label> labels_;
  std::vector<QLineF> traces_;  // picture pixels
  double tracesSpan_ = 0;       // the largest height of a segment
  QPointF traceAt_;
  QImage background_;
  DataInk ink_;
};

}  // namespace ondrik
