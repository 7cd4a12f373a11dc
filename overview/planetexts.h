// The texts of the main picture (contour labels, the marks of the extremes,
// the dataset title, a snapshot's title band) and the lines they keep clear
// of. A text is set only where its ink stands whole inside the picture, a
// pixel in from its edge, apart from every text set before and off the
// lines recorded for it to avoid: the contours drawn before it, and the
// strips and other lines the redraw will draw, recorded by its plan before
// anything is drawn. A line drawn afterwards that is not of the plan (a
// contour, a grid line) leaves a gap round every text set. The texts set are
// printed at the end of the redraw, over the strips. All in picture pixels.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/color.h"

namespace ondrik {

class PictureBox;

struct PixelBox {
  double left = 0, top = 0, right = 0, bottom = 0;
  PixelBox Grown(double by) const { return {left - by, top - by, right + by, bottom + by}; }
  bool Meets(const PixelBox& o) const {
    return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
  }
};

// The ink of a text printed on the picture in its font with its top-left
// corner at the pixel (x, y).
PixelBox InkBox(const PictureBox& pic, const std::string& text, double x, double y);
// Moves the top-left corner (x, y), in pixels, of a text printed on the
// picture so that its ink stands at least a pixel in from every edge (as
// far as the picture has room); gives the ink at the new place.
PixelBox MoveInside(const PictureBox& pic, const std::string& text, double& x, double& y);

// A straight line in pixels, half its pen's width and the contour it
// belongs to (0: none).
struct PixelSegment {
  double x1, y1, x2, y2;
  double half = 0.5;
  int tag = 0;
};

class PlaneTexts {
 public:
  // Room between the ink of a text and anything else: its dark rim and a
  // pixel of gap.
  static constexpr double kGap = 2;

  // A new redraw of a picture of w x h pixels: no text, no line recorded.
  void Reset(int w, int h);
  bool SizedFor(int w, int h) const { return w == w_ && h == h_; }
  // Room held for what another prints there (a title), set or not.
  void Reserve(const PixelBox& b);
  // Whether a text of this ink stands whole inside the picture, a pixel in
  // from its edges, apart from every text set and room held, and off every
  // line recorded but those of its own contour (`tag`, 0 for none).
  bool Free(const PixelBox& ink, int tag = 0) const;
  // Whether a line runs through the ink (with the gap) of a text there.
  static bool Crosses(const PixelSegment& s, const PixelBox& ink);
  // A text to print at the pixel (x, y) (its top-left corner), whose ink is
  // `ink`.
  void Set(const std::string& text, double x, double y, const PixelBox& ink, Color c);
  // Lines that the texts set later keep off; a tag of their own for the
  // lines of one contour.
  void Record(const PixelSegment& s);
  int NewTag() { return ++tags_; }
  // The pieces of a line that stay clear of every text set and room held,
  // appended to `out`.
  void Clear(const PixelSegment& s, std::vector<PixelSegment>& out) const;
  // A line in the picture's scale and pen drawn in those pieces (a grid
  // line, the hour cursor).
  void DrawLine(PictureBox& pic, double x1, double y1, double x2, double y2, Color c) const;

  struct Text {
    std::string text;
    double x, y;
    Color colour;
  };
  const std::vector<Text>& Texts() const { return texts_; }
  // Prints the texts set, each on a rim of the picture's back colour, and
  // forgets them; the picture keeps its scale.
  void PrintAll(PictureBox& pic);

 private:
  static constexpr int kCell = 16;  // pixels of a cell of the lookup grids
  // The cells a box covers, clamped to the grid.
  template <typename F>
  void EachCell(const PixelBox& b, F&& f) const;
  int w_ = 0, h_ = 0, cols_ = 0, rows_ = 0, tags_ = 0;
  std::vector<PixelBox> boxes_;               // inks (grown by the gap) and rooms held
  std::vector<std::vector<int>> boxCells_;    // box indexes by cell
  std::vector<PixelSegment> lines_;           // lines recorded
  std::vector<std::vector<int>> lineCells_;   // line indexes by cell
  std::vector<Text> texts_;
};

// Whether the box (pixels, clipped to the picture) lies on one colour of
// what the picture holds, or on the given dark colours only: the cells and
// bars painted under a text, which it stands on whole. A text on its dark
// rim reads over the edges of colours as dark as the rim.
bool OnQuietGround(const PictureBox& pic, const PixelBox& b, std::initializer_list<Color> dark);

}  // namespace ondrik
