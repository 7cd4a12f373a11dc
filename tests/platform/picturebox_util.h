#pragma once
// Looks at what a picture box drew, for its tests.

#include <algorithm>

#include "platform/picturebox.h"

namespace ondrik::testpic {

inline Color At(const PictureBox& pic, int x, int y) {
  const QRgb v = pic.Image().pixel(x, y);
  return RGB(qRed(v), qGreen(v), qBlue(v));
}

// A black picture of the given size in pixel coordinates.
inline PictureBox BlackPicture(int w, int h) {
  PictureBox pic(w, h);
  pic.BackColor = kBlack;
  pic.Cls();
  return pic;
}

// Bounding box of the pixels that are not the background colour.
struct Extent {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int count = 0;
};
inline Extent Painted(const PictureBox& pic, Color background = kBlack) {
  Extent e;
  for (int y = 0; y < pic.PixelHeight(); ++y) {
    for (int x = 0; x < pic.PixelWidth(); ++x) {
      if (At(pic, x, y) == background) continue;
      e.left = std::min(e.left, x);
      e.right = std::max(e.right, x);
      e.top = std::min(e.top, y);
      e.bottom = std::max(e.bottom, y);
      ++e.count;
    }
  }
  return e;
}

}  // namespace ondrik::testpic
