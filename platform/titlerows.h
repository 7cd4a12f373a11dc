// Title lines on a saved picture (a snapshot's titles), whole at every size
// of the picture: each line on a row of its own in the picture's face where
// it fits across the room; else in a smaller face, down to the floor every
// text keeps, and then in the condensed face so; and then a line over as
// many rows as its fields need (its fields are parted by runs of two blanks
// or more, two blanks apart on a row; a field wider than the room goes over
// rows of its words).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/picturebox.h"

namespace ondrik {

struct TitleRows {
  std::string fontName;                         // the face they print in
  double fontSize = 0;                          // points
  std::vector<std::vector<std::string>> lines;  // the rows of each line, in order
  double widthPx = 0;                           // the widest row on its white box
  double rowPx = 0;                             // a row's height
  std::size_t Count() const;
  double HeightPx() const { return static_cast<double>(Count()) * rowPx; }
};

// Lays the lines out across roomPx picture pixels in the picture's face;
// the picture keeps its font.
TitleRows LayOutTitleRows(PictureBox& pic, const std::vector<std::string>& lines, double roomPx);

// Prints them on one white box as wide as the widest row, from topPx down
// (picture pixels; the box reaches a pixel over and under them, to whole
// pixels), each row centred on centreXPx, each line in its colour
// (the last colour for the lines beyond); the picture keeps its font, scale
// and text colour.
void PrintTitleRows(PictureBox& pic, const TitleRows& rows, double centreXPx, double topPx,
                    const std::vector<Color>& colours);

}  // namespace ondrik
