// The check of printed texts itself: what it finds on small made pictures,
// and what it leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/picturebox.h"
#include "tests/common/text_check.h"

namespace ondrik {
namespace {

using testing::Fault;
using testing::Overlay;

// The check itself: it finds a line through a text, a bar half under one
// or laid over it, texts that run together (one under the other too, when
// asked), pixels drawn beside a text outside the record, data under a
// text's box or rim or the box laid under it (but data cleared before the
// box was drawn), texts printed as a last resort beyond those allowed
// and texts a picture must show that it does not show whole; and leaves a
// text on its own backing (over what was drawn before it) or half on the
// picture's ground alone, and a data line through a text printed as a last
// resort.
void PrintAt(PictureBox& p, double x, double y, const std::string& text) {
  p.CurrentX = x;
  p.CurrentY = y;
  p.Print(text);
}

// Shapes drawn while it is a picture's DataMarks are data marks.
struct DataSink : PictureBox::MarkSink {
  void Mark(const PictureBox::DrawnShape&, double) override {}
};

// A data line down through a text printed at (20, 20).
void DataLine(PictureBox& p) {
  DataSink sink;
  const DataMarksGuard data(p, &sink);
  p.Line(24, 0, 24, 59, kRed);
}

// "7" under "8.5", the top of its ink on the row after the bottom of the
// other's.
void PrintUnder(PictureBox& p) {
  PrintAt(p, 20, 20, "8.5");
  PrintAt(p, 20, p.PixelToY(p.YToPixel(20) + p.TextInkPx("8.5").bottom() - p.TextInkPx("7").top()), "7");
}

// "8.5" at (20, 20) as a text that labels something: a row `by` picture
// pixels below the middle of its ink, or a point that far right of its ink.
void Labelled(PictureBox& p, PictureBox::TextLabel::Kind kind, double by) {
  const QRectF ink = p.TextInkPx("8.5").translated(20, 20);
  p.Label = {.kind = kind,
             .at = kind == PictureBox::TextLabel::Kind::Row ? QPointF(0, ink.center().y() + by)
                                                            : QPointF(ink.right() + by, ink.center().y())};
  PrintAt(p, 20, 20, "8.5");
}

// "8.5" and then "7" on its row, their inks `gap` picture pixels apart.
void Beside(PictureBox& p, double gap) {
  p.Label = {.kind = PictureBox::TextLabel::Kind::Place, .within = QRectF(0, 0, 100, 60)};
  PrintAt(p, 20, 20, "8.5");
  PrintAt(p, 20 + p.TextInkPx("8.5").right() + gap - p.TextInkPx("7").left(), 20, "7");
}

TEST(PrintedTextCheck, FindsWhatCrossesATextAndNothingElse) {
  using Kind = PictureBox::TextLabel::Kind;
  const struct {
    const char* name;
    void (*draw)(PictureBox&);
    std::vector<std::string> faults;
    bool apart = false;
    double scale = 1;  // of the screen
    QRect over{};      // picture pixels a picture laid over it covers
    std::vector<testing::Expected> present{};
    int lastResorts = 0;
  } cases[] = {
      {"alone", [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"); }, {}},
      {"line through", [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"), p.Line(0, 26, 99, 26, kWhite); },
       {"\"8.5\" crossed by line #ffffff"}},
      {"line beside", [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"), p.Line(0, 40, 99, 40, kWhite); }, {}},
      {"on its backing", [](PictureBox& p) { p.Line(0, 26, 99, 26, kWhite), p.Box(15, 15, 60, 40, kBlue, true), PrintAt(p, 20, 20, "8.5"); },
       {}},
      {"half on a bar", [](PictureBox& p) { p.Box(0, 0, 24, 99, kGreen, true), PrintAt(p, 20, 20, "8.5"); },
       {"\"8.5\" half on bar #00ff00"}},
      {"under a disc", [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"), p.FillTransparent = false, p.Circle(24, 26, 3, kRed); },
       {"\"8.5\" covered by disc #000000"}},
      {"run together", [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"), PrintAt(p, 20 + p.TextWidth("8.5"), 20, "7"); },
       {"\"8.5\" runs into \"7\""}},
      {"half on the picture's ground", [](PictureBox& p) { p.Box(0, 0, 24, 99, kBlack, true), PrintAt(p, 20, 20, "8.5"); },
       {}},
      {"on a ground over a disc on a bar",
       [](PictureBox& p) {
         p.Box(0, 0, 24, 99, kGreen, true), p.FillTransparent = false, p.FillColor = kRed, p.Circle(30, 26, 4, kRed);
         p.Box(15, 15, 60, 40, kGreen, true), PrintAt(p, 20, 20, "8.5");
       },
       {}},
      {"pixels beside it not drawn as shapes",
       [](PictureBox& p) {
         PrintAt(p, 20, 20, "8.5");
         for (int y = 0; y < 60; ++y) p.Image().setPixel(19, y, qRgb(255, 255, 255));
       },
       {"\"8.5\" touched by pixels round its ink"}},
      {"box over a trace", [](PictureBox& p) { p.DrawWidth = 2, p.Line(24, 0, 24, 59, kRed), p.FontTransparent = false, PrintAt(p, 20, 20, "8.5"); },
       {"\"8.5\" hides trace #ff0000"}},
      {"box beside a trace", [](PictureBox& p) { p.DrawWidth = 2, p.Line(80, 0, 80, 59, kRed), p.FontTransparent = false, PrintAt(p, 20, 20, "8.5"); },
       {}},
      {"thin line of its colour", [](PictureBox& p) { p.Line(24, 0, 24, 59, kRed), p.FontTransparent = false, PrintAt(p, 20, 20, "8.5"); },
       {}},
      {"one under the other", PrintUnder, {}},
      {"one under the other, kept apart", PrintUnder, {"\"8.5\" runs into \"7\""}, true},
      {"a picture laid beside it, on a finer screen", [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"); }, {}, false, 2,
       QRect(45, 0, 30, 60)},
      {"a picture laid over it, on a finer screen", [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"); },
       {"\"8.5\" covered by the picture", "\"8.5\" not printed"}, false, 2, QRect(30, 0, 30, 60), {{"8.5"}}},
      {"a box over a data line", [](PictureBox& p) { DataLine(p), p.FontTransparent = false, PrintAt(p, 20, 20, "8.5"); },
       {"\"8.5\" hides line #ff0000"}},
      {"a box over the same line drawn as no data",
       [](PictureBox& p) { p.Line(24, 0, 24, 59, kRed), p.FontTransparent = false, PrintAt(p, 20, 20, "8.5"); }, {}},
      {"on a box laid under it over a data line",
       [](PictureBox& p) { DataLine(p), p.Box(15, 15, 60, 40, kBlue, true), PrintAt(p, 20, 20, "8.5"); },
       {"\"8.5\" hides line #ff0000"}},
      {"on a box laid under it over a data line cleared before",
       [](PictureBox& p) {
         DataLine(p), p.Box(0, 0, 99, 59, kBlack, true), p.Box(15, 15, 60, 40, kBlue, true), PrintAt(p, 20, 20, "8.5");
       },
       {}},
      {"a box beside a data line",
       [](PictureBox& p) { DataLine(p), p.FontTransparent = false, PrintAt(p, 60, 20, "8.5"); }, {}},
      {"a rim over a data line", [](PictureBox& p) { DataLine(p), p.TextOutline = kBlack, PrintAt(p, 20, 20, "8.5"); },
       {"\"8.5\" hides line #ff0000", "\"8.5\" crossed by line #ff0000"}},
      {"a last resort over a data line, one allowed",
       [](PictureBox& p) { DataLine(p), p.LastResort = true, PrintAt(p, 20, 20, "8.5"); }, {}, false, 1, {}, {}, 1},
      {"a last resort over a data line, none allowed",
       [](PictureBox& p) { DataLine(p), p.LastResort = true, PrintAt(p, 20, 20, "8.5"); },
       {"\"\" printed as a last resort: 1 texts, at most 0"}},
      {"a last resort crossed by a line drawn after it",
       [](PictureBox& p) { p.LastResort = true, PrintAt(p, 20, 20, "8.5"), p.Line(0, 26, 99, 26, kWhite); },
       {"\"8.5\" crossed by line #ffffff"}, false, 1, {}, {}, 1},
      {"every text it must show", [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"), PrintAt(p, 60, 20, " 850 "); }, {},
       false, 1, {}, {{"8.5"}, {"*850*"}, {"8.5", 1, QRectF(0, 0, 40, 60)}}},
      {"a text it must show that is left out", [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"); },
       {"\"7\" not printed", "\"8.5\" printed 1 of 2 times", "\"8.5\" not printed"}, false, 1, {},
       {{"7"}, {"8.5", 2}, {"8.5", 1, QRectF(60, 0, 40, 60)}}},
      {"a text it must show that runs out of the picture", [](PictureBox& p) { PrintAt(p, 90, 20, "8.5"); },
       {"\"8.5\" runs out of the picture", "\"8.5\" not printed"}, false, 1, {}, {{"8.5"}}},
      {"a text it must show on two lines", [](PictureBox& p) { PrintAt(p, 20, 10, "8.5 "), PrintAt(p, 24, 21, "kts"); },
       {}, false, 1, {}, {{"8.5 kts"}, {"8.5*"}}},
      {"a text it must show on two lines apart", [](PictureBox& p) { PrintAt(p, 20, 10, "8.5"), PrintAt(p, 60, 40, "kts"); },
       {"\"8.5 kts\" not printed"}, false, 1, {}, {{"8.5 kts"}}},
      // Where it stands to what it labels, and to the text beside it.
      {"on its row", [](PictureBox& p) { Labelled(p, Kind::Row, 1); }, {}},
      {"off its row", [](PictureBox& p) { Labelled(p, Kind::Row, 10); }, {"\"8.5\" stands 10 px off its row"}},
      {"by its point", [](PictureBox& p) { Labelled(p, Kind::Point, 8); }, {}},
      {"away from its point", [](PictureBox& p) { Labelled(p, Kind::Point, 30); },
       {"\"8.5\" stands 30 px from its point"}},
      {"outside its place",
       [](PictureBox& p) {
         p.Label = {.kind = Kind::Place, .within = QRectF(60, 0, 40, 60)};
         PrintAt(p, 20, 20, "8.5");
       },
       {"\"8.5\" stands outside its place"}},
      {"a blank apart", [](PictureBox& p) { Beside(p, p.TextWidthPx(" ")); }, {}},
      {"closer than a blank", [](PictureBox& p) { Beside(p, 1.5); }, {"\"8.5\" closer than a blank to \"7\""}},
      {"a last resort over a text at its own place",
       [](PictureBox& p) { PrintAt(p, 20, 20, "8.5"), p.LastResort = true, PrintAt(p, 22, 20, "1"); },
       {"\"8.5\" over \"1\" at its own place"}, false, 1, {}, {}, 1},
      {"a last resort over a text after it moved",
       [](PictureBox& p) {
         PrintAt(p, 20, 20, "8.5"), p.LastResort = true;
         p.Label = {.kind = Kind::Place, .within = QRectF(0, 0, 100, 60), .moved = QPointF(-10, 0)};
         PrintAt(p, 22, 20, "1");
       },
       {"\"8.5\" runs into \"1\""}, false, 1, {}, {}, 1},
  };
  PictureBox::RecordPrintedTexts(true);
  for (const auto& c : cases) {
    PictureBox pic(100, 60);
    pic.Resize(100, 60, c.scale);
    pic.BackColor = kBlack;
    pic.Cls();
    pic.ForeColor = kWhite;
    c.draw(pic);
    std::vector<Overlay> over;
    if (!c.over.isEmpty()) over.push_back(testing::Covering(c.over, c.scale, "the picture"));
    std::vector<std::string> found;
    for (const Fault& f :
         testing::Faults(pic, {.over = over, .traces = {qRgb(255, 0, 0)}, .round = true, .apart = c.apart,
                               .present = c.present, .lastResorts = c.lastResorts}))
      found.push_back("\"" + f.text + "\" " + f.what);
    EXPECT_EQ(found, c.faults) << c.name;
  }
  PictureBox::RecordPrintedTexts(false);
}

// A measure of device pixels kept in picture pixels (a text's ink, its
// box) is looked at over the device pixels it came from, not a pixel more,
// whatever the screen's scale.
TEST(PrintedTextCheck, TakesMeasuresBackToTheirDevicePixels) {
  for (const double scale : {1.0, 1.25, 1.5, 1.75, 2.0})
    for (int at = 0; at < 1000; ++at) {
      const QRect device(at, at, 31, 10);
      const QRectF picture(at / scale, at / scale, 31 / scale, 10 / scale);
      ASSERT_EQ(testing::DevicePixels(picture, scale, 0), device) << "at " << at << ", scale " << scale;
    }
}

// A text whose ground reaches a device pixel round its ink, at any screen
// scale and any place, is on its ground; one whose ground stops at its ink
// on one side is touched.
TEST(PrintedTextCheck, JudgesThePixelsRoundATextInDevicePixels) {
  const struct {
    double scale;
    int past;  // device pixels of ground right of the ink
    bool touched;
  } cases[] = {{1.25, 1, false}, {1.5, 1, false}, {1.75, 1, false}, {2, 1, false}, {1.25, 0, true}, {1.75, 0, true}};
  PictureBox::RecordPrintedTexts(true);
  for (const auto& c : cases)
    for (int column = 4; column < 200; ++column) {
      PictureBox pic;
      pic.Resize(200, 40, c.scale);
      pic.BackColor = kBlack;
      pic.Cls();
      pic.ForeColor = kBlack;
      const double x = column / c.scale;
      const QRectF ink = pic.TextInkAt(x, 20, "250");
      const QRect ground(QPoint(static_cast<int>(std::floor(ink.left())) - 1, static_cast<int>(std::floor(ink.top())) - 1),
                         QPoint(static_cast<int>(std::ceil(ink.right())) - 1 + c.past, static_cast<int>(std::ceil(ink.bottom()))));
      for (int y = ground.top(); y <= ground.bottom(); ++y)
        for (int gx = ground.left(); gx <= ground.right(); ++gx) pic.Image().setPixel(gx, y, qRgb(255, 255, 0));
      PrintAt(pic, pic.PixelToX(x), pic.PixelToY(20), "250");
      const std::vector<Fault> faults = testing::Faults(pic, {.round = true});
      EXPECT_EQ(faults.size(), c.touched ? 1U : 0U) << c.scale << " at " << x << ": " << testing::FaultLines(pic);
    }
  PictureBox::RecordPrintedTexts(false);
}

}  // namespace
}  // namespace ondrik
