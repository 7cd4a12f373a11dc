// A side panel that is one picture box, the shape most panels have. Panels
// derive from it and draw on Pic().
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "panels/panel.h"
#include "platform/picturebox.h"
#include "platform/textplace.h"

namespace ondrik {

class PictureBoxWidget;

class PicturePanel : public SidePanel {
 public:
  // The picture gets `objectName` (tests and the window find it by name).
  PicturePanel(PanelHost& host, QWidget* parent, const std::string& objectName);
  QWidget* Widget() override;

 protected:
  PictureBox& Pic();
  // Shows what was drawn on the picture.
  void Update();
  // The picture took a new size (and was cleared): first this, then Draw().
  // A panel is drawn before it is first shown, when its picture has not its
  // size yet; the resize that comes with the showing draws it again.
  virtual void Resized() {}
  PictureBoxWidget* Picture() const { return picture_; }
  PanelHost& host_;

 private:
  PictureBoxWidget* picture_;
};

// The largest font size (points, at most maxPt and at least minPt) at which
// `sample` is no wider than `width` user units of the picture's current
// scale; the picture keeps that size. Panels drawn at any size keep their
// texts inside their places this way.
double FitFontSize(PictureBox& pic, const std::string& sample, double width, double maxPt, double minPt = 5.0);

// The text panels' font: "Small Fonts" at 7 points, the smallest size at
// which its digits stay distinct (larger sizes when asked).
void UsePanelFont(PictureBox& pic, double pt = 7.0);

// The face narrower than the panel font at the same height, for numbers
// that must stand close together.
void UseCondensedFace(PictureBox& pic);

// The height of a text in the picture's current scale, signed like its y
// axis (negative when y grows upwards): y - h / 2 centres a line on y in
// either direction.
double SignedTextHeight(const PictureBox& pic, const std::string& text);

// How far (device pixels) an ink must move to stand a picture pixel clear
// of every edge of the picture: its strokes on the outermost pixels read as
// cut off. An ink wider or taller than the room keeps its start.
QPoint ShiftInside(const PictureBox& pic, const QRect& ink);

// Prints a text with its top-left corner at (x, y), moved in as far as its
// ink needs to stand clear of the picture's edges, in colour c; newline:
// the next text starts a line lower at the scale's left edge (set CurrentX
// for another place), else right after this one.
void PrintAt(PictureBox& pic, double x, double y, const std::string& text, Color c, bool newline = true);
// Texts on one line at y, in the current scale: each at its x or, when the
// text before it reaches that far, a blank after it (left and right as the
// picture shows them, whichever way x runs). A row that would pass the
// picture's right edge (or `rightLimit`) moves left, but not past
// `leftLimit`; when that is not enough, runs of blanks inside its texts
// become one, then it is printed in a condensed face of the same size, and
// at last smaller, down to 7 pixels. Trailing blanks of a text take no room.
// A row whose ink would touch an edge of the picture moves in from it.
struct RowText {
  double x;
  std::string text;
  Color colour;
};
// inks: where not null, the device pixels each text's ink takes are added
// to it.
void PrintRow(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit,
              double rightLimit = std::numeric_limits<double>::quiet_NaN(), std::vector<QRect>* inks = nullptr);
// The same row handed to a placement (which prints it) where PrintRow would
// print it: each text there, on the ground given, or over the data as its
// last resort.
void PlaceRow(PictureBox& pic, TextPlacement& place, double y, const std::vector<RowText>& row, double leftLimit,
              TextPlacement::Ground ground, double rightLimit = std::numeric_limits<double>::quiet_NaN());
// True when PrintRow would print the row whole between its limits, at the
// smallest size at the latest; prints nothing.
bool RowFits(PictureBox& pic, const std::vector<RowText>& row, double leftLimit,
             double rightLimit = std::numeric_limits<double>::quiet_NaN());
// The row as the lines PrintRow prints whole between its limits at the
// smallest size that reads: the row itself where it fits, else broken
// between its texts (and a text too wide alone between its words) into as
// few lines as fit, the widest of them as narrow as may be. A text's later
// lines begin at its own x; a line that fits nowhere stays as it is.
std::vector<std::vector<RowText>> WrapRow(PictureBox& pic, const std::vector<RowText>& row, double leftLimit,
                                          double rightLimit = std::numeric_limits<double>::quiet_NaN());
// The device pixels the ink of the row takes where PrintRow would print it,
// all of it or each text's; prints nothing.
QRect RowInk(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit,
             double rightLimit = std::numeric_limits<double>::quiet_NaN());
std::vector<QRect> RowInks(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit,
                           double rightLimit = std::numeric_limits<double>::quiet_NaN());
// The right limit, at most rightLimit, at which PrintRow prints the row with
// its ink a picture pixel (in whole device pixels) clear left of each of the
// inks `beside` that share device rows with it: rows printed side by side,
// the one on the right first.
double RightLimitBeside(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit,
                        double rightLimit, const std::vector<QRect>& beside);
// The top at which PrintRow prints the row: the nearest to y at which its
// ink stands a pixel clear of the picture's edges.
double RowYInside(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit,
                  double rightLimit = std::numeric_limits<double>::quiet_NaN());

// Labels (x, text) of an axis centred on their x with their tops at y, every
// one of them: between the pixel columns from and to, a blank apart (moved
// along the row as little as that asks), in the picture's face, else the
// condensed face, else smaller down to 7 pixels.
void PrintTickLabels(PictureBox& pic, double y, const std::vector<std::pair<double, std::string>>& labels,
                     double from, double to, Color c);

// The device pixels the glyphs of a text cover when it is printed with its
// top-left corner at (x, y) in the picture's scale and font: what must stay
// clear, with a pixel round it, for the text to read.
QRect TextInk(const PictureBox& pic, double x, double y, const std::string& text);
// The device pixels of the box with corners (x1, y1) and (x2, y2) in the
// picture's scale: from the pixel nearest one edge to the one before the
// pixel nearest the other.
QRect DevicePixelsOf(const PictureBox& pic, double x1, double y1, double x2, double y2);

// The segment from a to b cut to the rectangle (left <= x <= right, top <=
// y <= bottom); false when none of it is in it.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r);

// A text for the placement with its top-left corner at (x, y) in the
// picture's scale, in its font and the colour c.
TextPlacement::Text TextAt(PictureBox& pic, double x, double y, const std::string& text, Color c);
// The step (picture pixels) between the lines of a block of texts in the
// picture's font: a text line, or more where the room the placement keeps
// round their strokes would meet.
double BlockLinePx(const PictureBox& pic);

// True when a panel has something to draw: no load in progress and the
// current dataset holds the hour.
bool PanelCanDraw(Integer hour);

}  // namespace ondrik
