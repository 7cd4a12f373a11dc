// What is wrong with what is drawn on a picture, for the check that every
// text reads: texts that run into each other, run out of the picture or are
// smaller than the program draws text; lines, rings, boxes and filled shapes
// that cross a text's strokes, before or after it is printed.
#pragma once

#include <string>
#include <vector>

#include "platform/picturebox.h"

namespace ondrik::testing {

// A fault: the text it concerns and what is wrong with it, e.g.
// "crossed by dotted line #808080", "half on bar #00ff00", "covered by disc
// #ff0000", "runs into \"35\"", "under the background of \"LLJ\"", "runs out
// of the picture", "digits 5 px tall".
struct Fault {
  std::string text, what;
};

// Something laid over the picture after it was drawn (a snapshot's omega
// strip over the chart), by its name.
struct Overlay {
  PictureBox::DrawnShape shape;
  std::string name;
};

// The faults of a picture drawn while recording was on, each once. A shape
// counts where it is seen: not where a filled shape drawn later (or the
// text's own background) hides it. A filled shape under a text that holds
// all of its strokes is the text's backing, not a fault.
// Lines of the traces (data: in these colours, two pixels wide or more) are
// not to lie under a text's box: such a box hides "trace #rrggbb".
std::vector<Fault> Faults(const PictureBox& pic, const std::vector<Overlay>& over = {},
                          const std::vector<QRgb>& traces = {});

// "*" in a pattern stands for any run of characters.
bool Matches(const std::string& pattern, const std::string& s);

}  // namespace ondrik::testing
