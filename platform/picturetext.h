#pragma once
// Text for the picture box: the faces the program names mapped to installed
// ones that stay legible small, fonts at the picture's device resolution, and
// texts measured and drawn once in each font and colour.

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QStaticText>

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/color.h"

namespace ondrik::picturetext {

// The smallest height in picture pixels of the digits of any text, whatever
// face it names: below it digits run together (7 and T, 3 and 8, 0, 6 and
// 8, the point of 0.98). Each face has its size for it (DejaVu Sans,
// DejaVu Sans Mono and DejaVu Sans Condensed 9 pixels): the height of the
// rows the drawn digits' strokes take.
inline constexpr double kSmallestDigitPx = 7;
// Narrower than the other faces at the same height: where a row of texts
// does not fit, they may take it, down to its floor.
inline constexpr const char* kCondensedFace = "DejaVu Sans Condensed";
// A pixel of a drawn text this much covered (of 255) is of its strokes.
inline constexpr int kStrokeAlpha = 96;

// The installed family a requested face is drawn in: the Windows faces ("MS
// Sans Serif", "Small Fonts", "Tahoma", "Arial", "Courier New", "Lucida
// Console" and the like) become DejaVu Sans or DejaVu Sans Mono, a face
// installed here is drawn as named, anything else in DejaVu Sans.
std::string FamilyFor(const std::string& requested);

// A picture of a text in one colour, on a transparent ground, and the
// smallest rectangle holding every pixel of it that is not transparent
// (empty when none is): drawing that part alone sets the same pixels.
struct DrawnPicture {
  QImage image;
  QRect inked;
};

// The smallest rectangle holding every pixel of a picture that is not
// wholly transparent.
QRect InkedPart(const QImage& image);

struct FontEntry;
// A text of a font, as the texts of all fonts stand in order of their last
// use.
struct TextOfFont {
  FontEntry* font;
  const std::string* text;
};
using TextsByUse = std::list<TextOfFont>;

// A text laid out in a font: its advance and its ink, in device pixels
// from the top-left corner of its line.
struct LaidOutText {
  double width = 0;
  QRectF ink;
  bool laidOut = false;  // measured in the font (a GUI application was there)
  QStaticText text;
  // The text drawn in each colour it was printed in, on a transparent
  // picture kPad pixels larger on every side.
  std::unordered_map<Color, DrawnPicture> drawn;
  TextsByUse::iterator use;  // its place in the order of use
};
inline constexpr int kPad = 3;

struct FontEntry {
  QFont font;
  bool measured = false;          // by the font, not estimated
  double ascent = 0, height = 0;  // device pixels
  double digitHeight = 0;         // of the digits' strokes, device pixels
  std::unordered_map<std::string, LaidOutText> texts;
};
// Before a new text is laid out, the texts of all fonts that were used
// longest ago are let go while they number this many or their pictures hold
// this many bytes: each hour of a forecast prints numbers of its own, and
// those of every hour met would pile up. The bytes hold many times what the
// busiest panel prints in an hour on a screen of scale 2.75 (some 2 MB), so
// the texts a picture prints every hour stay drawn, whatever the others
// print in between.
inline constexpr std::size_t kMaxTexts = 16384;
inline constexpr std::size_t kMaxDrawnBytes = std::size_t{32} << 20;
// The bytes the pictures of the texts kept hold now.
std::size_t DrawnBytes();

// The font of a face at a size in points (at 96 dots per inch) for a
// picture drawn at deviceScale device pixels per picture pixel, never so
// small that its digits stand less than kSmallestDigitPx tall; fine print:
// as small as asked.
const FontEntry& FontFor(const std::string& name, double sizePt, bool bold, double deviceScale,
                         bool finePrint = false);
// A face at a size (points, as FontFor takes them).
struct FaceSize {
  std::string name;
  double pt = 0;
};
// The faces and sizes a text tries where its own is too wide: its face in
// its size, then smaller by whole screen pixels down to the face's floor,
// then the condensed face so.
std::vector<FaceSize> SizesDownToFloor(const std::string& name, double sizePt, bool bold, double deviceScale);

// A text measured and laid out in a font.
const LaidOutText& TextIn(const FontEntry& font, const std::string& text);
// The picture of a text in a colour (its top-left corner at (kPad, kPad)).
const DrawnPicture& DrawnText(const FontEntry& font, const LaidOutText& t, Color c);

}  // namespace ondrik::picturetext
