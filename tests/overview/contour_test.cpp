// The contouring of time-height fields on constructed grids: edge crossings,
// the segments and labels of one value, the range of values, extremes, the
// class walk and the mixing ratio at a pressure.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/levels.h"
#include "overview/classes.h"
#include "overview/contour.h"

namespace ondrik {
namespace {

struct Recorder : ContourSink {
  struct Seg {
    Single x1, y1, x2, y2;
  };
  std::vector<Seg> segments;
  std::vector<std::pair<Single, Single>> labels;
  void Segment(Single x1, Single y1, Single x2, Single y2) override { segments.push_back({x1, y1, x2, y2}); }
  void Label(Single x, Single y) override { labels.emplace_back(x, y); }
};

// A grid of hours 0..last and levels 1..top with level k at y = k.
ContourGrid Grid(int last, int top, Single (*f)(int h, int k)) {
  ContourGrid g;
  g.lastHour = last;
  g.topLevel = top;
  for (int k = 0; k <= kMaxLevels; ++k) g.y[static_cast<size_t>(k)] = static_cast<Single>(k);
  for (int h = 0; h <= last; ++h)
    for (int k = 1; k <= top; ++k) g.At(h, k) = f(h, k);
  return g;
}

TEST(ContourTest, CrossingCountsTheLowerEndOnly) {
  struct Case {
    Single v, second, first;
    bool crossed;
    Single f;
  } cases[] = {{10, 10, 20, true, 0}, {10, 20, 10, true, 1},  {20, 10, 20, false, 0}, {15, 10, 20, true, 0.5f},
               {5, 10, 20, false, 0}, {10, 10, 10, false, 0}, {12, 20, 10, true, 0.8f}};
  for (const Case& c : cases) {
    const Crossing x = ContourCrossing(c.v, c.second, c.first);
    EXPECT_EQ(x.crossed, c.crossed) << c.v << " " << c.second << " " << c.first;
    if (c.crossed) {
      EXPECT_FLOAT_EQ(x.f, c.f);
    }
  }
  EXPECT_FALSE(ContourCrossing(std::nanf(""), 0, 1).crossed);
}

TEST(ContourTest, OneValueTracedWithSegmentsAndLabels) {
  // A field rising with the hour: the contour 1.5 is a vertical line at
  // hour 1.5 through every row, entering each cell at its top; no label
  // (it never leaves through the earlier-hour side after the top).
  Recorder r;
  TraceContour(Grid(3, 4, [](int h, int) { return static_cast<Single>(h); }), 1.5f, 4, r);
  ASSERT_EQ(r.segments.size(), 3u);
  for (const auto& s : r.segments) {
    EXPECT_FLOAT_EQ(s.x1, 1.5f);
    EXPECT_FLOAT_EQ(s.x2, 1.5f);
  }
  EXPECT_TRUE(r.labels.empty());

  // Level rising with the hour (k = h + 0.5): in each cell the line enters
  // through the earlier-hour side and leaves through the top, where the
  // value is printed.
  Recorder diag;
  TraceContour(Grid(3, 4, [](int h, int k) { return static_cast<Single>(k - h + 10); }), 10.5f, 4, diag);
  ASSERT_FALSE(diag.segments.empty());
  ASSERT_FALSE(diag.labels.empty());
  for (const auto& [x, y] : diag.labels) EXPECT_FLOAT_EQ(y - x, 0.5f);
  for (const auto& seg : diag.segments) EXPECT_FLOAT_EQ(seg.y1 - seg.x1, 0.5f);

  // A saddle: corners 0, 10, 0, 10 round the cell give two separate lines.
  Recorder saddle;
  TraceContour(Grid(1, 2, [](int h, int k) { return static_cast<Single>((h + k) % 2 == 0 ? 10 : 0); }), 5, 2, saddle);
  EXPECT_EQ(saddle.segments.size(), 2u);
  EXPECT_TRUE(saddle.labels.empty());

  // One hour or one level draws nothing.
  Recorder none;
  TraceContour(Grid(0, 4, [](int, int k) { return static_cast<Single>(k); }), 2.5f, 4, none);
  TraceContour(Grid(3, 1, [](int h, int) { return static_cast<Single>(h); }), 1.5f, 1, none);
  EXPECT_TRUE(none.segments.empty());
}

TEST(ContourTest, RangeOfValuesAndExtremes) {
  std::vector<Single> v = ContourValues({-17.3f, 22.6f}, 5);
  ASSERT_FALSE(v.empty());
  EXPECT_FLOAT_EQ(v.front(), -20);
  EXPECT_FLOAT_EQ(v.back(), 25);
  EXPECT_EQ(v.size(), 10u);
  // A hostile value neither overflows nor stalls the redraw.
  v = ContourValues({-1e30f, 1e30f}, 1);
  EXPECT_EQ(static_cast<int>(v.size()), kMaxContourValues);
  EXPECT_EQ(ContourValues({0, 0}, 0).size(), 3u);  // an interval of 0 counts as 1

  // The range starts from 999 and -999.
  const ValueRange r = FieldRange(Grid(2, 3, [](int, int) { return Single{2000}; }));
  EXPECT_FLOAT_EQ(r.min, 999);
  EXPECT_FLOAT_EQ(r.max, 2000);

  // A peak at (2, 3) and a hole at (1, 2); the bottom level and the edges
  // have no mark (not all four neighbours are real).
  const ContourGrid g = Grid(4, 5, [](int h, int k) {
    if (h == 2 && k == 3) return Single{50};
    if (h == 1 && k == 2) return Single{-50};
    if (k == 1) return Single{100};
    return Single{0};
  });
  const std::vector<Extreme> e = FieldExtremes(g);
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].hour, 1);
  EXPECT_EQ(e[0].level, 2);
  EXPECT_FALSE(e[0].maximum);
  EXPECT_EQ(e[1].hour, 2);
  EXPECT_EQ(e[1].level, 3);
  EXPECT_TRUE(e[1].maximum);
}

TEST(ContourTest, ClassWalkStopsAtTheLastClass) {
  const ClassTable& w = WindSpeedClasses();
  struct Case {
    Single v;
    int cls;
  } cases[] = {{-5, 1}, {0, 1}, {9.9f, 1}, {10, 2}, {59, 6}, {60, 7}, {998, 7}, {999, 7}, {1e9f, 7}};
  for (const Case& c : cases) EXPECT_EQ(w.ClassOf(c.v), c.cls) << c.v;
  EXPECT_EQ(w.ClassOf(std::nanf("")), 1);
  EXPECT_EQ(w.ColourOf(999), RGB(255, 0, 255));
  // Two equal thresholds: the first of the two is never taken.
  EXPECT_EQ(ThetaEClasses().ClassOf(330), 6);
  EXPECT_EQ(ThetaEClasses().ClassOf(329.9f), 4);
  // The ice table has ten classes; the layer-shear table comes from the index table.
  EXPECT_EQ(IceHumidityClasses().ClassOf(200), 10);
  const ClassTable l = LayerShearClasses({100, 200, 250});
  EXPECT_EQ(l.ClassOf(150), 1);
  EXPECT_EQ(l.ClassOf(260), 3);
  // Scaling works on a copy.
  const ClassTable s = l.Scaled(0.1f);
  EXPECT_FLOAT_EQ(s.threshold[2], 20);
  EXPECT_FLOAT_EQ(l.threshold[2], 200);
}

// A node whose value or basis is missing holds no value, also in a scaled
// grid (a tenth of -9999 is no longer taken for missing); no value counts in
// the range, and no contour runs to it.
TEST(ContourTest, MissingValuesAreNoNodes) {
  gDatasetCount = 1;
  gLastHour(1) = 1;
  std::array<Single, kMaxLevels + 1> y{};
  for (int k = 0; k <= kMaxLevels; ++k) y[static_cast<size_t>(k)] = static_cast<Single>(k);
  struct Case {
    Single value, basis;
    Single scale;
    bool none;
    Single height = 2;  // of the node's level on the plane
  } cases[] = {{12, 20, 1, false},      {12, 20, 0.1f, false},     {kMissing, 20, 1, true},
               {kMissing, 20, 0.1f, true}, {-10049, 20, 1, true},  {12, kMissing, 1, true},
               {12, kMissing, 0.1f, true}, {-9990, 20, 1, false},  {std::nanf(""), 20, 1, true},
               {12, 20, 1, true, std::nanf("")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " on " + std::to_string(c.basis) + " x" + std::to_string(c.scale) +
                 " at " + std::to_string(c.height));
    y[2] = c.height;
    for (int h = 0; h <= 1; ++h)
      for (int k = 1; k <= 3; ++k) {
        gTemp(1, h, k) = 20;
        gDewpt(1, h, k) = static_cast<Single>(10 * k);
      }
    gDewpt(1, 1, 2) = c.value;
    gTemp(1, 1, 2) = c.basis;
    const ContourGrid g = MakeContourGrid(Store().gDewpt, 1, 3, y, c.scale, &Store().gTemp);
    EXPECT_EQ(std::isnan(g.At(1, 2)), c.none);
    const ValueRange r = FieldRange(g);
    EXPECT_FLOAT_EQ(r.min, (c.none ? 10 : std::min<Single>(10, c.value)) * c.scale);
    // The grid's two cells both have the node as a corner.
    for (const Single v : {10.5f, 15.0f, 25.0f}) {
      Recorder rec;
      TraceContour(g, v * c.scale, 3, rec);
      EXPECT_EQ(rec.segments.empty(), c.none) << v;
      for (const Recorder::Seg& s : rec.segments)
        EXPECT_TRUE(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2)) << v;
    }
  }
  gDatasetCount = 0;
}

TEST(ContourTest, MixingRatioAtPressureNeedsTwoLevelsAroundIt) {
  gDatasetCount = 1;
  gCurDataset = 1;
  gLastHour(1) = 0;
  gNumLevels(1) = 3;
  const Single pres[] = {1000, 1000, 900, 800};
  for (int k = 0; k <= 3; ++k) {
    gPres(1, 0, k) = pres[k];
    gRH(1, 0, k) = 50;
    gMixRatioSat(1, 0, k) = static_cast<Single>(2 * k);
  }
  const Single mid = InterpAtPressure(0, std::sqrt(1000.0f * 900.0f));  // halfway in ln p
  EXPECT_NEAR(mid, 1.5f, 1e-4);
  EXPECT_NEAR(InterpAtPressure(0, 800.0001f), 3.0f, 1e-3);
  EXPECT_NEAR(InterpAtPressure(0, 1000), 1.0f, 1e-6);  // at the first level, with the one above
  for (Single p : {1000.5f, 1100.0f, 800.0f, 100.0f}) EXPECT_TRUE(IsMissing(InterpAtPressure(0, p))) << p;
  EXPECT_TRUE(IsMissing(InterpAtPressure(1, 950)));  // no such hour
  gDatasetCount = 0;
}

}  // namespace
}  // namespace ondrik
