// The texts of the plane's contoured fields. Each field's tracing is kept
// (its lines, the places the tracing gives a value label, the marks of its
// extremes) until every field of the redraw is traced; then their texts go
// to the picture's placement together, so that no field's extra labels take
// the room another field's contours need for their one value:
//   1. every line of a contour value that runs a label's width inside the
//      picture unbroken gets the value beside it, by a point of its own
//      line: at the tracing's places or at points along it, on quiet ground
//      where there is any; first each where it stands clear of the data and
//      the other texts, then, for those that found no such place, as a last
//      resort over the strips' traces without a ground (a wind speed under
//      a jet reads as its own, not as its twin's above it);
//   2. every extreme its mark, centred on its node, where no other text
//      stands (on its rim where it stands clear, else over the data);
//   3. more values at the tracing's places, a label's width apart along a
//      line, where they stand clear;
// then the lines, field by field, keeping out of the texts' rooms. All in
// picture pixels.
#pragma once

#include <string>
#include <vector>

#include "overview/planetexts.h"
#include "platform/color.h"
#include "platform/textplace.h"

namespace ondrik {

class PictureBox;

// A text of the plane waiting for its place: its top-left corner, in
// pixels, where the tracing or the mark puts it.
struct PlaneText {
  double x, y;
  std::string text;
  Color colour;
  int tag;  // the contour it labels (0: a mark)
  QPointF of{};  // a mark: the node it marks
};

// A straight piece of a contour in pixels and the contour it belongs to.
struct ContourLine {
  double x1, y1, x2, y2;
  int tag;
  Color colour;
};

// A contour value of a field: the tag of its lines, its label and colour.
struct ContourValue {
  int tag;
  std::string text;
  Color colour;
};

// One contoured field as traced: its values, its lines in drawing order
// (drawn `width` pixels wide), the places for its labels in the tracing's
// order and its marks.
struct TracedField {
  int width = 1;
  std::vector<ContourValue> values;
  std::vector<ContourLine> lines;
  std::vector<PlaneText> labels, marks;
};

// Hands the texts of the fields to the placement (which holds the rooms and
// the plan's data marks; `first`, the title, goes before them, at the first
// of its places on quiet ground), places them and draws the fields' lines
// on the picture, which holds what the redraw has painted so far; the
// fields are emptied. The texts are printed by the placement's PrintAll.
void PlaceContourTexts(PictureBox& pic, TextPlacement& place, std::vector<TracedField>& fields,
                       std::vector<TextPlacement::Text> first = {});

// A text of the main picture in its font and colour, at the corner (x, y),
// kept `kTextGap` clear of the others on its rim, and over the data
// without a ground as its last resort.
TextPlacement::Text PlaneTextAt(const PictureBox& pic, const std::string& text, double x, double y, Color c);

}  // namespace ondrik
