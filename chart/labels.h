// The texts of one chart redraw. The drawing steps hand their texts over as
// they draw; the redraw prints them after its last line, each on a box of the
// picture's background, so that no grid line, band, trace or mark drawn
// later runs through a number. A value stays where its step put it; a
// caption that would stand on the chart's data gives way to them.
#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <string>
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
  void PrintAt(PictureBox& pic, const Label& l, const QRectF& box) const;
  // No text placed so far meets the box r.
  static bool Clear(const QRectF& r, const std::vector<QRectF>& taken);
  // A value's box moved inside the picture below its covered top and, when
  // slides is set and it meets a text placed before it, along its row to the
  // nearest clear place; false when it meets one there (r is then inside the
  // picture only).
  static bool Nudge(const PictureBox& pic, QRectF& r, bool slides, const std::vector<QRectF>& taken,
                    double coveredTopPx);
  // The place of a caption, or false when it is better left out.
  bool Place(const PictureBox& pic, const Label& l, const DataInk& ink, const std::vector<QRectF>& taken,
             double coveredTopPx, QRectF& out) const;

  bool collecting_ = false;
  bool shown_ = true;
  std::vector<Label> labels_;
  QImage background_;
  DataInk ink_;
};

}  // namespace ondrik
