// The placement of texts: every text handed over is printed, clear of the
// data and of the other texts where its movement finds room, smaller where
// only that fits, and as a last resort over the data; at the screen scales
// the program is used at.
#include "platform/textplace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/picturetext.h"
#include "tests/common/text_check.h"

namespace ondrik {
namespace {

using Move = TextPlacement::Move;
using Ground = TextPlacement::Ground;
using Text = TextPlacement::Text;

constexpr Color kTrace = RGB(255, 0, 0);
constexpr Color kGrid = RGB(0, 0, 255);

// Where a text ends up, against where it was meant to stand.
enum class Went { Stays, AlongItsRow, OffItsRow, Smaller, LastResort, LeftOut };

Text At(double x, double y, const std::string& s, Move move = Move::Fixed) {
  Text t;
  t.text = s;
  t.x = x;
  t.y = y;
  t.fontName = "Arial";
  t.fontSize = 8;
  t.colour = kWhite;
  t.move = move;
  return t;
}

// A black picture of 200 x 100 picture pixels on a screen of this scale.
PictureBox Blank(double scale) {
  PictureBox pic(200, 100);
  pic.Resize(200, 100, scale);
  pic.BackColor = kBlack;
  pic.Cls();
  return pic;
}

// A data line across the picture (picture pixels), two pixels wide.
void Trace(PictureBox& p, double x1, double y1, double x2, double y2) {
  p.DrawWidth = 2;
  p.Line(x1, y1, x2, y2, kTrace);
  p.DrawWidth = 1;
}

struct Case {
  const char* name;
  // The data, drawn while the placement listens, in picture pixels of a
  // 200 x 100 picture.
  std::function<void(PictureBox&)> data;
  // The texts, in order; each one's fate.
  std::vector<Text> texts;
  std::vector<Went> went;  // empty: any fate, but for the first, which stays
  std::function<void(TextPlacement&)> more = {};  // rooms held, marks handed over
  // Of a crowd: how many go to the last resort, at least and at most.
  int fewestLastResorts = 0, mostLastResorts = 0;
};

std::vector<Case> Cases() {
  Text row = At(40, 40, " 850 ", Move::AlongRow);
  row.lo = 0;
  row.hi = 150;
  Text near = At(60, 44, "<LFC", Move::Nearest);
  near.reach = 40;
  Text title = At(20, 10, "NAM 12Z KOKC", Move::Region);
  title.region = QRectF(0, 0, 200, 100);
  Text narrow = At(60, 40, "Likely", Move::AlongRow);  // between two lines 30 pixels apart
  narrow.lo = 52;
  narrow.hi = 56;
  Text rim = near;
  rim.ground = Ground::Rim;
  Text mine = At(60, 44, "-10", Move::Fixed);
  mine.tag = 1;
  Text among = At(20, 40, " 5 ", Move::AmongPlaces);
  among.places = {{20, 40}, {120, 40}};
  // A contour's value: each place beside its own stretch of the line; the
  // second place stands free but far from its point.
  Text byPoints = among;
  byPoints.labels = TextPlacement::Labels::Point;
  byPoints.places = {{20, 40}, {120, 40}, {160, 40}};
  byPoints.placesOf = {{25, 45}, {60, 45}, {165, 45}};
  byPoints.of = byPoints.placesOf.front();
  Text edge = At(190, 95, "9999", Move::Fixed);
  Text spare = At(60, 40, "<LCL");
  spare.leaveOut = TextPlacement::LeaveOut::UnlessClear;
  Text mark = At(60, 40, "X");
  mark.leaveOut = TextPlacement::LeaveOut::RatherThanOverText;
  // A level's marker (its row at y 50) and a point's value (its point
  // under it), each free to go to the nearest free place.
  Text level = near;
  level.labels = TextPlacement::Labels::Row;
  level.of = QPointF(0, 50);
  Text value = At(60, 40, "25.7", Move::Nearest);
  value.reach = 40;
  value.labels = TextPlacement::Labels::Point;
  value.of = QPointF(70, 56);
  Text beside = At(58, 40, "1000", Move::AlongRow);  // where "-50" ends
  beside.lo = 0;
  beside.hi = 150;
  std::vector<Text> crowd;
  for (int i = 0; i < 26; ++i) {
    Text t = At(90, 45, std::to_string(10 + i), Move::Nearest);
    t.reach = 40;
    crowd.push_back(t);
  }
  return {
      {"alone on an empty picture", [](PictureBox&) {}, {row}, {Went::Stays}},
      {"a grid line under its box is no data",
       [](PictureBox& p) {
         const DataMarksGuard none(p, nullptr);
         p.Line(0, 46, 199, 46, kGrid);
       },
       {row},
       {Went::Stays}},
      {"along its row off a trace", [](PictureBox& p) { Trace(p, 55, 0, 55, 99); }, {row}, {Went::AlongItsRow}},
      {"off its row where a trace runs along it", [](PictureBox& p) { Trace(p, 0, 50, 199, 50); }, {near},
       {Went::OffItsRow}},
      {"the title where the traces leave room",
       [](PictureBox& p) {
         for (int x = 10; x < 200; x += 20) Trace(p, x, 0, x, 60);
       },
       {title},
       {Went::OffItsRow}},
      {"smaller where only that fits",
       [](PictureBox& p) {
         Trace(p, 50, 0, 50, 99);
         Trace(p, 86, 0, 86, 99);
       },
       {narrow},
       {Went::Smaller}},
      {"over the data as a last resort", [](PictureBox& p) { Trace(p, 0, 44, 199, 44); }, {At(60, 40, "<LCL")},
       {Went::LastResort}},
      {"a second text in the same place moves", [](PictureBox&) {}, {near, near}, {Went::Stays, Went::AlongItsRow}},
      {"under a band laid over the top",
       [](PictureBox&) {},
       {[] {
         Text t = At(60, 2, " 25 ", Move::Nearest);
         t.reach = 20;
         return t;
       }()},
       {Went::OffItsRow},
       [](TextPlacement& p) { p.Hold(QRectF(0, 0, 200, 12)); }},
      {"on its own line, not on another's",
       [](PictureBox&) {},
       {mine, [&] {
          Text t = mine;
          t.tag = 0;
          t.move = Move::Nearest;
          t.reach = 30;
          t.x = 20;
          return t;
        }()},
       {Went::Stays, Went::OffItsRow},
       [](TextPlacement& p) {
         const int tag = p.NewTag();
         p.Segment({0, 50}, {199, 50}, 2, tag);
         p.Segment({0, 50}, {199, 50}, 2, tag);
       }},
      {"on a rim, off a dot beside its strokes",
       [](PictureBox& p) {
         p.FillTransparent = false;
         p.FillColor = kTrace;
         p.Circle(82, 50, 2, kTrace);
       },
       {rim},
       {Went::AlongItsRow}},
      {"at the first free one of its places", [](PictureBox& p) { Trace(p, 30, 0, 30, 99); }, {among},
       {Went::AlongItsRow}},
      {"at the first free place that stands by its point", [](PictureBox& p) { Trace(p, 30, 0, 30, 99); },
       {byPoints}, {Went::AlongItsRow}},
      {"moved inside from the edge", [](PictureBox&) {}, {edge}, {Went::Stays}},
      // Texts that may be left out: one only where it stands clear, one
      // over the data but not over another text.
      {"one that may be left out, where it stands clear", [](PictureBox&) {}, {spare}, {Went::Stays}},
      {"one that may be left out, over the data", [](PictureBox& p) { Trace(p, 0, 44, 199, 44); }, {spare},
       {Went::LeftOut}},
      {"a mark over the data", [](PictureBox& p) { Trace(p, 0, 44, 199, 44); }, {mark}, {Went::LastResort}},
      {"a mark over another text", [](PictureBox&) {}, {At(55, 38, "9999"), mark}, {Went::Stays, Went::LeftOut}},
      // What a text labels bounds its moves, its last resort's too.
      {"a level's text along its row off a trace", [](PictureBox& p) { Trace(p, 62, 0, 62, 99); }, {level},
       {Went::AlongItsRow}},
      {"a level's text stays on its row where a trace runs along it", [](PictureBox& p) { Trace(p, 0, 50, 199, 50); },
       {level}, {Went::LastResort}},
      {"a point's text off its row, by its point", [](PictureBox& p) { Trace(p, 0, 46, 199, 46); }, {value},
       {Went::OffItsRow}},
      {"a point's text over the data rather than away from its point",
       [](PictureBox& p) {
         for (int y = 30; y <= 80; y += 4) Trace(p, 0, y, 199, y);
       },
       {value}, {Went::LastResort}},
      {"two numbers on a row keep a blank apart", [](PictureBox&) {}, {At(40, 40, "-50"), beside},
       {Went::Stays, Went::AlongItsRow}},
      // Room for a few rows between two bands of traces: the rest over
      // them, apart.
      {"every one of a crowd is printed",
       [](PictureBox& p) {
         for (int y = 0; y < 100; y += 6)
           if (y <= 30 || y >= 62) Trace(p, 0, y, 199, y);
       },
       crowd, {}, {}, 0, 20},
  };
}

TEST(TextPlacementTest, PrintsEveryTextClearOfTheDataWhereItsMovementFindsRoom) {
  PictureBox::RecordPrintedTexts(true);
  for (const double scale : {1.0, 1.75, 2.75}) {
    for (const Case& c : Cases()) {
      SCOPED_TRACE(::testing::Message() << c.name << ", scale " << scale);
      PictureBox pic = Blank(scale);
      TextPlacement place;
      place.Begin(pic);
      if (c.more) c.more(place);
      {
        const DataMarksGuard data(pic, &place);
        c.data(pic);
      }
      for (const Text& t : c.texts) place.Add(t);
      place.PrintAll(pic);
      ASSERT_EQ(place.Results().size(), c.texts.size());
      int lastResorts = 0, leftOut = 0;
      testing::Checks checks{.apart = true};
      for (std::size_t i = 0; i < c.texts.size(); ++i) {
        const Text& t = c.texts[i];
        const TextPlacement::Placed& p = place.Results()[i];
        if (!p.leftOut) checks.present.push_back({t.text, 1, p.ink});
        Went went = Went::Stays;
        if (p.leftOut)
          went = Went::LeftOut;
        else if (p.lastResort)
          went = Went::LastResort;
        else if (t.move == Move::Fixed)  // moved inside only
          went = p.fontSize < t.fontSize ? Went::Smaller : Went::Stays;
        else if (p.lastResort)
          went = Went::LastResort;
        else if (p.fontSize < t.fontSize)
          went = Went::Smaller;
        else if (std::fabs(p.at.y() - t.y) > 1)
          went = Went::OffItsRow;
        else if (std::fabs(p.at.x() - t.x) > 1)
          went = Went::AlongItsRow;
        const Went meant = i < c.went.size() ? c.went[i] : i == 0 ? Went::Stays : went;
        EXPECT_EQ(static_cast<int>(went), static_cast<int>(meant)) << "text " << i << " \"" << t.text << "\"";
        EXPECT_EQ(p.ground, p.lastResort ? t.lastResortGround : t.ground) << "text " << i;
        lastResorts += p.lastResort;
        leftOut += p.leftOut;
      }
      if (c.went.empty()) {
        EXPECT_GE(lastResorts, c.fewestLastResorts);
        EXPECT_LE(lastResorts, c.mostLastResorts);
      }
      checks.lastResorts = lastResorts;
      // All there, none over the data but those of the last resort, none
      // smaller than the floor, none at the edge.
      std::string faults;
      int shown = 0;
      for (const testing::Fault& f : testing::Faults(pic, checks))
        if (++shown <= 10) faults += "  \"" + f.text + "\" " + f.what + "\n";
      EXPECT_EQ(faults, "");
      for (const auto& t : pic.PrintedTexts())
        EXPECT_GE(t.digitPx * scale + 1e-6, picturetext::kSmallestDigitPx) << t.text;
      EXPECT_EQ(pic.PrintedTexts().size() + static_cast<size_t>(leftOut), c.texts.size());
    }
  }
  PictureBox::RecordPrintedTexts(false);
}

// A text that stands over another as a last resort goes under it: the one
// that found its place clear is printed after it and stays whole.
TEST(TextPlacementTest, ALastResortOverATextGoesUnderIt) {
  PictureBox::RecordPrintedTexts(true);
  PictureBox pic = Blank(1);
  TextPlacement place;
  place.Begin(pic);
  place.Add(At(60, 40, " 850 "));
  place.Add(At(62, 40, " 700 "));
  place.PrintAll(pic);
  ASSERT_EQ(pic.PrintedTexts().size(), 2u);
  EXPECT_TRUE(place.Results()[1].lastResort);
  EXPECT_EQ(pic.PrintedTexts()[0].text, " 700 ");
  EXPECT_EQ(pic.PrintedTexts()[1].text, " 850 ");
  PictureBox::RecordPrintedTexts(false);
}

// The lines of one label move as one: where the second's place is taken
// both move by the same, where no place is clear both stand over the data
// as they were meant to, each in its own place to the other.
TEST(TextPlacementTest, LinesThatMoveAsOneKeepTheirPlacesToEachOther) {
  PictureBox::RecordPrintedTexts(true);
  const struct {
    const char* name;
    std::function<void(PictureBox&)> data;
    bool moved, lastResort;
  } cases[] = {
      {"free", [](PictureBox&) {}, false, false},
      {"a trace through the second's place", [](PictureBox& p) { Trace(p, 66, 50, 66, 99); }, true, false},
      {"traces across both rows", [](PictureBox& p) { Trace(p, 0, 44, 199, 44), Trace(p, 0, 56, 199, 56); }, false,
       true},
  };
  for (const double scale : {1.0, 1.75}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.name << ", scale " << scale);
      PictureBox pic = Blank(scale);
      TextPlacement place;
      place.Begin(pic);
      {
        const DataMarksGuard data(pic, &place);
        c.data(pic);
      }
      std::vector<Text> label = {At(60, 40, "Wintry", Move::AlongRow), At(64, 52, "Mix", Move::AlongRow)};
      for (Text& t : label) {
        t.lo = 0;
        t.hi = 150;
        t.together = 1;
        place.Add(t);
      }
      place.Add(At(150, 80, "R"));  // on its own after them
      place.PrintAll(pic);
      const auto& r = place.Results();
      ASSERT_EQ(r.size(), 3u);
      const QPointF by0 = r[0].at - QPointF(label[0].x, label[0].y), by1 = r[1].at - QPointF(label[1].x, label[1].y);
      EXPECT_NEAR(by0.x(), by1.x(), 1e-9);
      EXPECT_NEAR(by0.y(), by1.y(), 1e-9);
      EXPECT_EQ(std::hypot(by0.x(), by0.y()) > 0.5, c.moved);
      EXPECT_EQ(r[0].lastResort, c.lastResort);
      EXPECT_EQ(r[1].lastResort, c.lastResort);
      EXPECT_FALSE(r[2].lastResort);
    }
  }
  PictureBox::RecordPrintedTexts(false);
}

// The pieces of a line drawn after the texts keep out of their rooms, the
// same however many texts pile up inside the room (a text printed over
// others where nothing else holds it).
TEST(TextPlacementTest, ALineDrawnAfterTheTextsKeepsOutOfTheirRooms) {
  PictureBox pic(200, 100);
  pic.BackColor = kBlack;
  pic.Cls();
  for (const int piled : {0, 1, 50}) {
    SCOPED_TRACE(piled);
    TextPlacement place;
    place.Begin(pic);
    place.Add(At(60, 40, " 850 "));
    const TextPlacement::Placed p = place.PlaceNow();
    for (int i = 0; i < piled; ++i) {
      place.Add(At(60 + i % 3, 40, i % 2 == 0 ? " 850 " : "8"));
      place.PlaceNow();
    }
    const struct {
      QLineF line;
      int pieces;
    } cases[] = {{QLineF(0, 45, 199, 45), 2}, {QLineF(0, 80, 199, 80), 1}, {QLineF(70, 0, 70, 99), 2},
                 {QLineF(0, 45, 62, 45), 1}};
    for (const auto& c : cases) {
      std::vector<QLineF> out;
      place.ClearOfTexts(c.line, 1, out);
      EXPECT_EQ(static_cast<int>(out.size()), c.pieces) << c.line.x1() << "," << c.line.y1();
      for (const QLineF& l : out)
        for (double t = 0; t <= 1; t += 0.05)
          for (const TextPlacement::Placed& q : place.Results())
            EXPECT_FALSE(q.ink.adjusted(-1, -1, 1, 1).contains(l.pointAt(t))) << c.line.x1() << "," << c.line.y1();
    }
  }
}

// Whether a room is clear: of the data (but a line of its own tag), of the
// texts placed and of the rooms held.
TEST(TextPlacementTest, TellsWhetherARoomIsClear) {
  PictureBox pic(200, 100);
  TextPlacement place;
  place.Begin(pic);
  place.Segment({0, 50}, {199, 50}, 2);  // a trace
  const int own = place.NewTag();
  place.Segment({100, 0}, {100, 99}, 1, own);  // a contour
  place.Hold(QRectF(150, 0, 50, 12));
  place.Add(At(20, 10, " 850 "));
  const QRectF text = place.PlaceNow().ink;
  const struct {
    const char* name;
    QRectF room;
    int tag;
    bool clear;
  } cases[] = {{"on nothing", {20, 70, 20, 10}, 0, true},
               {"on the trace", {20, 45, 20, 10}, 0, false},
               {"beside the trace, by its pen", {20, 53, 20, 10}, 0, true},
               {"on another's contour", {95, 70, 10, 10}, 0, false},
               {"on its own contour", {95, 70, 10, 10}, own, true},
               {"on a text", text, 0, false},
               {"in the room held", {160, 2, 10, 5}, 0, false}};
  for (const auto& c : cases) EXPECT_EQ(place.Clear(c.room, c.tag), c.clear) << c.name;
}

}  // namespace
}  // namespace ondrik
