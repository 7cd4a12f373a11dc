// The picture box's texts: where they are printed, their measures and
// fonts, and the pictures of their strokes.
#include "platform/picturebox.h"
#include "platform/picturetext.h"
#include "tests/platform/picturebox_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace ondrik {
namespace {

using testpic::At;
using testpic::BlackPicture;
using testpic::Extent;
using testpic::Painted;

TEST(PictureBoxTest, PrintPlacesTextAndMovesTheCurrentPoint) {
  PictureBox pic = BlackPicture(200, 100);
  pic.ForeColor = kWhite;
  pic.FontName = "Arial";
  pic.FontSize = 10;
  const double w = pic.TextWidth("Hi");
  const double h = pic.TextHeight("Hi");
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);

  pic.CurrentX = 10;
  pic.CurrentY = 20;
  pic.Print("Hi", false);  // trailing semicolon: stay on the line
  EXPECT_NEAR(pic.CurrentX, 10 + w, 1e-9);
  EXPECT_DOUBLE_EQ(pic.CurrentY, 20);
  Extent e = Painted(pic);
  ASSERT_GT(e.count, 5);
  EXPECT_GE(e.left, 10);
  EXPECT_GE(e.top, 20);
  EXPECT_LE(e.right, 10 + w + 1);
  EXPECT_LE(e.bottom, 20 + h + 1);

  pic.Print("there");  // ends the line
  EXPECT_DOUBLE_EQ(pic.CurrentX, 0);
  EXPECT_NEAR(pic.CurrentY, 20 + h, 1e-9);

  // In a scale whose y grows upwards the next line is lower, i.e. smaller y;
  // the text height stays positive.
  PictureBox up = BlackPicture(200, 100);
  up.Scale(-5, 10, 15, 0);
  up.ForeColor = kWhite;
  const double hu = up.TextHeight("9");
  EXPECT_GT(hu, 0);
  EXPECT_NEAR(hu, PictureBox(200, 100).TextHeight("9") * 10.0 / 100.0, 1e-9);
  up.CurrentX = 0;
  up.CurrentY = 8;
  up.Print("9");
  EXPECT_DOUBLE_EQ(up.CurrentX, -5);
  EXPECT_NEAR(up.CurrentY, 8 - hu, 1e-9);

  // FontTransparent false paints the text box in BackColor first; the pen
  // mode does not apply to text, so printing twice in XOR mode keeps it.
  PictureBox boxed = BlackPicture(200, 100);
  boxed.BackColor = RGB(0, 0, 255);
  boxed.ForeColor = kWhite;
  boxed.FontTransparent = false;
  boxed.Mode = DrawMode::XorPen;
  boxed.CurrentX = 50;
  boxed.CurrentY = 40;
  boxed.Print("00");
  boxed.CurrentX = 50;
  boxed.CurrentY = 40;
  boxed.Print("00");
  EXPECT_EQ(At(boxed, 50, 40), RGB(0, 0, 255));
  EXPECT_EQ(At(boxed, 49, 40), kBlack);
  int white = 0;  // antialiased: the strokes' pixels are white or nearly
  for (int y = 40; y < 40 + h; ++y)
    for (int x = 50; x < 50 + boxed.TextWidth("00"); ++x) white += (At(boxed, x, y) & 0xFF) > 160;
  EXPECT_GT(white, 5);
}

TEST(PictureBoxTest, TextMeasuresAndFonts) {
  PictureBox pic(400, 200);
  pic.FontSize = 12;
  const double one = pic.TextWidth("0");
  EXPECT_GT(one, 0);
  EXPECT_NEAR(pic.TextWidth("0000"), 4 * one, 1.0);
  EXPECT_DOUBLE_EQ(pic.TextWidth(""), 0);
  EXPECT_GT(pic.TextWidth("WWWW"), pic.TextWidth("iiii"));  // proportional font

  // User units: twice the units across, twice the width in units.
  pic.Scale(0, 0, 800, 200);
  EXPECT_NEAR(pic.TextWidth("0"), 2 * one, 1e-9);
  pic.FontSize = 24;
  EXPECT_GT(pic.TextWidth("0"), 3 * one);

  // 12 pt at 96 dpi is 16 px: a line of text is about that high.
  pic.ScalePixels();
  pic.FontSize = 12;
  EXPECT_GE(pic.TextHeight("9"), 14);
  EXPECT_LE(pic.TextHeight("9"), 24);

  // The Windows faces and missing ones are drawn in installed faces,
  // monospace for Courier, never below the size their digits stay distinct at.
  EXPECT_EQ(InstalledFontFamily("No Such Font 123"), "DejaVu Sans");
  EXPECT_EQ(InstalledFontFamily("MS Sans Serif"), "DejaVu Sans");
  EXPECT_EQ(InstalledFontFamily("courier new"), "DejaVu Sans Mono");
  pic.FontName = "Small Fonts";
  pic.FontSize = 4;
  const double smallest = pic.TextHeight("9");
  pic.FontSize = 7;
  EXPECT_DOUBLE_EQ(pic.TextHeight("9"), smallest);
  // Named as installed or not, every face draws its digits at least the
  // smallest legible height of the screen's pixels, on a scaled screen too,
  // where a face that reads already is not made larger (a table fitted to
  // its picture at one scale fits at the others); fine print as small as
  // asked.
  PictureBox::RecordPrintedTexts(true);
  for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
    pic.Resize(50, 50, scale);
    for (const char* named : {"DejaVu Sans", "DejaVu Sans Condensed", "DejaVu Sans Mono", "Small Fonts", "No Such Font"}) {
      for (const bool fine : {false, true}) {
        pic.FontName = named;
        pic.FinePrint = fine;
        pic.FontSize = 4;
        pic.Cls();
        pic.Print("0123456789");
        ASSERT_EQ(pic.PrintedTexts().size(), 1u);
        const double digits = pic.PrintedTexts().front().digitPx * scale;  // screen pixels
        // The rows the drawn digits' strokes take, as counted in the record.
        const QImage& strokes = pic.PrintedTexts().front().strokes;
        int rows = 0;
        for (int y = 0; y < strokes.height(); ++y) {
          bool ink = false;
          for (int x = 0; x < strokes.width() && !ink; ++x) ink = qAlpha(strokes.pixel(x, y)) >= picturetext::kStrokeAlpha;
          rows += ink;
        }
        EXPECT_EQ(rows, std::lround(digits)) << named << " at " << scale << (fine ? ", fine print" : "");
        if (fine) {
          if (scale == 1) {
            EXPECT_LT(digits, picturetext::kSmallestDigitPx) << named;
          }
        } else {
          EXPECT_GE(digits, picturetext::kSmallestDigitPx) << named << " at " << scale;
        }
        // Six points (8 picture pixels) read at every scale from 1.25 on:
        // drawn at their own size.
        pic.FontSize = 6;
        if (scale > 1 && !fine) {
          EXPECT_EQ(pic.CurrentFont().pixelSize(), std::lround(8 * scale)) << named;
        }
      }
    }
  }
  pic.Resize(50, 50, 1);
  PictureBox::RecordPrintedTexts(false);
  pic.FinePrint = false;
  pic.FontSize = 7;
  pic.FontName = "Courier New";
  EXPECT_NEAR(pic.TextWidth("iiii"), pic.TextWidth("WWWW"), 1e-9);

  // Latin-1 bytes (as in the data files) and UTF-8 both come through.
  EXPECT_EQ(ToQString("\xB0" "C"), QString::fromUtf8("\xC2\xB0" "C"));
  EXPECT_EQ(ToQString("\xC2\xB0" "C"), QString::fromUtf8("\xC2\xB0" "C"));
}

// The pictures of the texts stay within their budget however many
// different texts are printed (each forecast hour prints numbers of its
// own); those let go are the least recently used, so a text printed between
// the others keeps its picture, and a text printed again after it was let go
// looks as it did.
TEST(PictureBoxTest, TextPicturesStayWithinTheirBudget) {
  constexpr double kSizePt = 72;  // some 200 kB a picture: the budget is soon reached
  auto printed = [](const std::string& text) {
    PictureBox pic(120, 40);
    pic.BackColor = kWhite;
    pic.Cls();
    pic.FontName = "Arial";
    pic.FontSize = kSizePt;
    pic.ForeColor = RGB(200, 0, 0);
    pic.CurrentX = 5;
    pic.CurrentY = 5;
    pic.Print(text);
    return pic.Image().copy();
  };
  const picturetext::FontEntry& font = picturetext::FontFor("Arial", kSizePt, false, 1.0);
  const auto keptKey = [&font] {
    return picturetext::DrawnText(font, picturetext::TextIn(font, "Total"), RGB(200, 0, 0)).image.cacheKey();
  };
  const QImage first = printed("-12.5");
  printed("Total");
  const qint64 kept = keptKey();
  std::size_t largest = 0;
  for (int i = 0; i < 400; ++i) {
    printed(std::to_string(i * 7) + ".5");
    if (i % 8 == 0) printed("Total");
    largest = std::max(largest, picturetext::DrawnBytes());
  }
  EXPECT_GT(largest, picturetext::kMaxDrawnBytes / 2);  // the budget was reached
  EXPECT_LE(largest, picturetext::kMaxDrawnBytes + (std::size_t{1} << 20));
  EXPECT_EQ(keptKey(), kept);
  EXPECT_EQ(printed("-12.5"), first);
}

// Only the part of a text's or a ring's picture that is not transparent is
// drawn: the part must hold every pixel with any cover, however faint.
TEST(PictureBoxTest, TheInkedPartHoldsEveryPixelThatIsNotTransparent) {
  struct Case {
    const char* name;
    std::vector<QPoint> set;  // pixels of a 9 x 7 picture given some alpha
    int alpha;
    QRect expected;
  };
  const Case cases[] = {
      {"nothing", {}, 255, QRect()},
      {"one pixel", {{4, 3}}, 255, QRect(4, 3, 1, 1)},
      {"the corners", {{0, 0}, {8, 6}}, 255, QRect(0, 0, 9, 7)},
      {"a faint edge", {{2, 5}, {7, 1}}, 1, QRect(QPoint(2, 1), QPoint(7, 5))},
      {"the last column", {{8, 2}, {8, 4}}, 40, QRect(QPoint(8, 2), QPoint(8, 4))},
      {"the last pixel alone", {{8, 6}}, 1, QRect(8, 6, 1, 1)},
      {"wider row by row", {{4, 1}, {2, 2}, {6, 3}, {0, 5}, {8, 5}}, 255, QRect(QPoint(0, 1), QPoint(8, 5))},
      {"empty rows between", {{5, 0}, {3, 6}}, 1, QRect(QPoint(3, 0), QPoint(5, 6))},
  };
  for (const Case& c : cases) {
    QImage img(9, 7, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    for (const QPoint& at : c.set) img.setPixel(at, qRgba(c.alpha, 0, 0, c.alpha));
    EXPECT_EQ(picturetext::InkedPart(img), c.expected) << c.name;
  }
  // Colour without cover is no ink.
  QImage clear(6, 3, QImage::Format_ARGB32);
  clear.fill(qRgba(255, 255, 255, 0));
  EXPECT_EQ(picturetext::InkedPart(clear), QRect());
  clear.setPixel(1, 2, qRgba(255, 255, 255, 1));
  EXPECT_EQ(picturetext::InkedPart(clear), QRect(1, 2, 1, 1));
  QImage opaque(5, 4, QImage::Format_RGB32);
  opaque.fill(Qt::black);
  EXPECT_EQ(picturetext::InkedPart(opaque), QRect(0, 0, 5, 4));
}

}  // namespace
}  // namespace ondrik
