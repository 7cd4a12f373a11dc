// A row of texts fitted into its place on a picture: each text stays whole,
// inside its limits and apart from the others, and texts that fit where they
// were asked for stay there; a text printed at an edge moves in as far as its
// ink needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "panels/picturepanel.h"
#include "platform/picturetext.h"

namespace ondrik {
namespace {

struct Recording {
  Recording() { PictureBox::RecordPrintedTexts(true); }
  ~Recording() { PictureBox::RecordPrintedTexts(false); }
};

// A row too long for its limits at the smallest size that reads is told
// so, and drawn no smaller than that; on a picture of fine print it is.
TEST(PrintRow, NoSmallerThanTheFloorButInFinePrint) {
  Recording recording;
  for (const bool fine : {false, true}) {
    PictureBox pic(238, 60);
    pic.BackColor = kBlack;
    pic.Cls();
    UsePanelFont(pic);
    pic.Scale(0, 0, 100, 60);
    pic.FinePrint = fine;
    const std::vector<RowText> row = {{1, "XOver from 21 hours ago", kRed}, {30, "10 PM  Dec 10", kRed}};
    EXPECT_EQ(RowFits(pic, row, 0, 57), fine);
    PrintRow(pic, 20, row, 0, 57);
    ASSERT_EQ(pic.PrintedTexts().size(), 2u);
    for (const auto& t : pic.PrintedTexts())
      EXPECT_EQ(t.digitPx >= picturetext::kSmallestDigitPx, !fine) << t.text << (fine ? ", fine print" : "");
  }
}

TEST(PrintRow, TextsStayWholeInsideTheirLimitsAndApart) {
  Recording recording;
  const struct {
    const char* name;
    bool reversed;  // x runs from right to left
    double leftLimit, rightLimit;  // in the 0..100 scale (NaN: the picture's edge)
    std::vector<RowText> row;
    int firstStaysAt;  // -1: the first text may move
  } cases[] = {
      {"fits where asked", false, 0, NAN, {{5, "Sfc", kRed}, {40, "Boundary", kRed}}, 5},
      {"moves left as a whole", false, 0, NAN, {{60, "Boundary Layer", kRed}, {90, "max Wind", kRed}}, -1},
      {"only the last ones move", false, 41, NAN,
       {{42, "Sfc", kRed}, {62.8, "Boundary Layer", kRed}, {84, "max Wind", kRed}}, 42},
      {"narrower to fit a column", false, 0, 70,
       {{1, "XOver from 21 hours ago", kRed}, {30, "10 PM  Dec 10", kRed}}, -1},
      {"x running leftwards", true, 100, NAN, {{70, "Specific Humidity (g/kg)", kRed}}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PictureBox pic(238, 60);
    pic.BackColor = kBlack;
    pic.Cls();
    UsePanelFont(pic);
    if (c.reversed)
      pic.Scale(100, 0, 0, 60);
    else
      pic.Scale(0, 0, 100, 60);
    const double font = pic.FontSize;
    PrintRow(pic, 20, c.row, c.leftLimit, c.rightLimit);
    EXPECT_EQ(pic.FontSize, font);  // the picture's font is left as it was

    const auto& texts = pic.PrintedTexts();
    ASSERT_EQ(texts.size(), c.row.size());
    double from = pic.XToPixel(c.leftLimit), to = std::isnan(c.rightLimit) ? 238 : pic.XToPixel(c.rightLimit);
    if (from > to) std::swap(from, to);
    if (std::isnan(c.rightLimit) && c.reversed) from = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const QRectF& ink = texts[i].ink;
      EXPECT_GE(ink.left(), from - 0.5) << texts[i].text;
      EXPECT_LE(ink.right(), to + 0.5) << texts[i].text;
      EXPECT_GE(ink.height(), 5) << texts[i].text;  // still legible
      if (i > 0) {
        EXPECT_GE(ink.left(), texts[i - 1].ink.right() + 1) << texts[i].text;
      }
    }
    if (c.firstStaysAt >= 0) {
      EXPECT_NEAR(texts[0].ink.left(), pic.XToPixel(c.firstStaysAt), 2.0);
    }
  }
}

// A row with no room at the smallest size that reads takes as few lines
// as fit, broken between its texts, or between the words of a text too
// wide alone, into lines as even as may be, each text's later lines at its
// own place; a row that fits, or a word that fits nowhere, stays as it is.
TEST(WrapRow, FewestEvenLinesThatFit) {
  const struct {
    const char* name;
    double leftLimit, rightLimit;
    std::vector<RowText> row;
    std::vector<std::vector<std::string>> lines;
  } cases[] = {
      {"fits", 0, 100, {{1, "Sfc", kRed}, {20, "max Wind", kRed}}, {{"Sfc", "max Wind"}}},
      {"between its texts, even", 54.6, NAN,
       {{50, "-0.8°C", kRed}, {62, " 977 mb", kRed}, {79, "1.5°C", kRed}, {86, " 11  kts", kRed}},
       {{"-0.8°C", " 977 mb"}, {"1.5°C", " 11  kts"}}},
      {"a text between its words, even", 54.6, NAN, {{59, "Vertical Change of Humidity", kWhite}},
       {{"Vertical Change"}, {"of Humidity"}}},
      {"a value apart from its name", 40, 51.3, {{40, "T= 62.2", kRed}}, {{"T="}, {"62.2"}}},
      {"a word that fits nowhere", 40, 51.3, {{40, "Humidity", kRed}}, {{"Humidity"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PictureBox pic(238, 60);
    UsePanelFont(pic);
    pic.Scale(0, 0, 100, 60);
    const std::vector<std::vector<RowText>> lines = WrapRow(pic, c.row, c.leftLimit, c.rightLimit);
    std::vector<std::vector<std::string>> texts;
    for (const auto& l : lines) {
      texts.emplace_back();
      for (const RowText& t : l) {
        texts.back().push_back(t.text);
        // At the place of the text it is of.
        EXPECT_TRUE(std::any_of(c.row.begin(), c.row.end(), [&](const RowText& r) { return r.x == t.x; })) << t.text;
      }
      if (lines.size() > 1) {
        EXPECT_TRUE(RowFits(pic, l, c.leftLimit, c.rightLimit)) << l.front().text;
      }
    }
    EXPECT_EQ(texts, c.lines);
  }
}

// A row printed left of another on its line stands a picture pixel clear
// of it at any screen scale, moved or narrowed no more than that, whether
// its limit was near the other or far past it; a row on another line keeps
// its limit.
TEST(RightLimitBeside, KeepsRowsSideBySideAPicturePixelApart) {
  const Recording recording;
  for (const double scale : {1.0, 1.25, 1.5, 1.75, 2.0})
    for (const double closer : {-4.0, -1.5, -0.5, 0.0, 0.5, 1.5, 30.0, 150.0})
      for (const bool sameLine : {true, false}) {
        SCOPED_TRACE(testing::Message() << "scale " << scale << ", limit " << closer << " px on, same line " << sameLine);
        PictureBox pic(238, 60);
        pic.Resize(238, 60, scale);
        pic.BackColor = kBlack;
        pic.Cls();
        UsePanelFont(pic);
        pic.ScalePixels();
        const std::vector<RowText> right = {{60, "T= 49.5", kRed}}, left = {{40, "T= 42.9", kRed}};
        PrintRow(pic, sameLine ? 20 : 40, right, 60, 120);
        const std::vector<QRect> beside = RowInks(pic, sameLine ? 20 : 40, right, 60, 120);
        const double limit = 60 + closer;
        const double moved = RightLimitBeside(pic, 20, left, 0, limit, beside);
        PrintRow(pic, 20, left, 0, moved);
        const auto& texts = pic.PrintedTexts();
        ASSERT_EQ(texts.size(), 2U);
        const double apart = texts[0].ink.left() - texts[1].ink.right();
        if (!sameLine) {
          EXPECT_EQ(moved, limit);
        } else {
          EXPECT_GE(apart, 1 - 1e-9);
          // Moved by what it lacks, give or take a device pixel.
          if (moved != limit) {
            EXPECT_LT(apart, 1 + 2 / scale);
          }
        }
      }
}

// A text whose ink would touch an edge of the picture moves in until it
// stands a pixel inside, and one a pixel inside stays where it is: its ink
// measured in the face it is printed in, fine print too (smaller than a
// face is drawn elsewhere).
TEST(PrintAt, MovesInFromAnEdgeAsFarAsItsInkNeeds) {
  const Recording recording;
  const struct {
    bool finePrint;
    bool right;    // the edge: the right one, else the left
    double inkAt;  // picture pixels from the edge the ink is put at
  } cases[] = {{false, true, 1}, {false, true, 0}, {false, false, 1}, {false, false, -3},
               {true, true, 1},  {true, true, 0},  {true, false, 1},  {true, false, -3}};
  for (const auto& c : cases) {
    PictureBox pic(100, 40);
    pic.ScalePixels();
    pic.FontName = "DejaVu Sans Condensed";
    pic.FontSize = 3;
    pic.FinePrint = c.finePrint;
    const QRectF ink = pic.TextInkPx("-0.5");
    const double x = c.right ? 100 - c.inkAt - ink.right() : c.inkAt - ink.left();
    PrintAt(pic, x, 10, "-0.5", kWhite);
    ASSERT_EQ(pic.PrintedTexts().size(), 1u);
    const QRectF printed = pic.PrintedTexts().front().ink;
    EXPECT_DOUBLE_EQ(c.right ? 100 - printed.right() : printed.left(), 1)
        << (c.finePrint ? "fine print, " : "") << (c.right ? "right" : "left") << " edge, ink at " << c.inkAt;
  }
}

}  // namespace
}  // namespace ondrik
