// The texts of the overview's pictures and what they are placed by. The main
// picture's texts (contour values, the marks of the extremes, the dataset
// title) go to the picture's one placement (TextPlacement, the redraw's
// Texts), which the redraw's plan tells where the strips will run and the
// contoured fields where their lines do, before anything is drawn; what is
// drawn after the texts are placed (contour lines, grid lines, the hour
// cursor) keeps out of their rooms. The texts are printed at the end of the
// redraw, over the strips. Here: a text's ink, the ground a text of the
// main picture may stand on, and a line drawn clear of the texts. All in
// picture pixels.
#pragma once

#include <QImage>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/color.h"

namespace ondrik {

class PictureBox;
class TextPlacement;

struct PixelBox {
  double left = 0, top = 0, right = 0, bottom = 0;
  PixelBox Grown(double by) const { return {left - by, top - by, right + by, bottom + by}; }
  bool Meets(const PixelBox& o) const {
    return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
  }
};

// Room kept round the strokes of a text of the main picture: its dark rim
// and a pixel of gap.
inline constexpr double kTextGap = 2;

// The ink of a text printed on the picture in its font with its top-left
// corner at the pixel (x, y).
PixelBox InkBox(const PictureBox& pic, const std::string& text, double x, double y);
// The same from its ink at (0, 0), on a picture of this device scale (the
// corner goes to the device pixel nearest it).
PixelBox InkMoved(const PixelBox& atOrigin, double deviceScale, double x, double y);
// Moves the top-left corner (x, y), in pixels, of a text printed on the
// picture so that its ink stands at least a pixel in from every edge (as
// far as the picture has room); gives the ink at the new place.
PixelBox MoveInside(const PictureBox& pic, const std::string& text, double& x, double& y);

// Where a text of the main picture stands on quiet ground: on one colour
// of what the picture holds, or on the given dark colours only (the cells
// and bars painted under a text, which it stands on whole; a text on its
// dark rim reads over the edges of colours as dark as the rim). Taken from
// the picture as painted when made, and looked up at once for any box
// (pixels, clipped to the picture).
class QuietGround {
 public:
  QuietGround(const PictureBox& pic, std::initializer_list<Color> dark);
  bool Under(const PixelBox& b) const;

 private:
  double scale_ = 1;
  int w_ = 0, h_ = 0;  // device pixels
  // Edges between two pixels side by side or one over the other that
  // differ and are not both dark, marked at the first, summed from the
  // top-left corner ((w + 1) x (h + 1)).
  std::vector<int> sums_;
};

// A line in the picture's scale and pen, drawn in the pieces that keep out
// of the rooms of the texts placed (a grid line, the hour cursor).
void DrawLineClear(PictureBox& pic, const TextPlacement& texts, double x1, double y1, double x2, double y2, Color c);

}  // namespace ondrik
