// The map's data and computations: the lookup table and outline readers,
// feature lines by direction, flows and their verdicts, travel times, the
// radar beam and the texts.
#include "panels/mapdata.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/levels.h"

namespace ondrik {
namespace {

// "k, a1, b1, .. a4, b4" with every point number equal to k / 10 + c.
std::string Row(int k) {
  std::string s = std::to_string(k);
  for (int c = 1; c <= 8; ++c) s += ", " + std::to_string(k / 10 + c);
  return s + "\n";
}
std::string Rows(int from, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += Row(from + 10 * i);
  return s;
}

TEST(MapLookupTable, GroupsRowsAndTheirEnds) {
  const struct {
    const char* name;
    std::string text;
    std::vector<int> rows;  // per group
  } cases[] = {
      {"two groups", Rows(230, 3) + "-1\n" + Rows(260, 2) + "-1\n", {3, 2}},
      {"keys of 0 are skipped", "0\n" + Row(230) + "0, 0\n" + Row(240) + "-1\n", {2}},
      {"a negative first key is a group without rows", "-1\n" + Row(230) + "-5\n", {0, 1}},
      {"the end of the file ends the group", Rows(230, 2), {2}},
      {"an item that is not a number ends the reading", Row(230) + "x\n" + Row(240) + "-1\n", {1}},
      {"a row cut short is left out", Row(230) + "240, 1, 2, 3", {1}},
      {"rows past 30 are read past", Rows(10, 35) + "-1\n" + Row(230), {30, 1}},
      {"groups past 10 are read past", [] {
         std::string s;
         for (int g = 0; g < 12; ++g) s += Row(100 + g) + "-1\n";
         return s;
       }(), std::vector<int>(10, 1)},
      {"nothing", "\n\n", {}},
      // Stored as infinities they would match a flow of any direction above them.
      {"a row with a number no single-precision value holds is read past",
       Row(230) + "1e39, 1, 2, 3, 4, 5, 6, 7, 8\n" + Row(240) + "250, 1, 2, 3, -4e38, 5, 6, 7, 8\n-1\n", {2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const MapFeatureTable t = ParseLookupTable(c.text);
    ASSERT_EQ(t.gMapFeatCount, static_cast<Integer>(c.rows.size()));
    for (size_t g = 1; g <= c.rows.size(); ++g) EXPECT_EQ(t.gMapFeatRows[g], c.rows[g - 1]) << "group " << g;
  }
  // A row's key and points: A the first, B the second number of each pair.
  const MapFeatureTable t = ParseLookupTable(Rows(230, 2) + "-1\n");
  EXPECT_EQ(t.gMapFeatDir[1][2], 240);
  EXPECT_EQ(t.gMapFeatPtsA[1][2][1], 25);
  EXPECT_EQ(t.gMapFeatPtsB[1][2][1], 26);
  EXPECT_EQ(t.gMapFeatPtsB[1][2][4], 32);
  // The groups past 10 leave the tenth as it was.
  std::string twelve;
  for (int g = 0; g < 12; ++g) twelve += Row(100 + g) + "-1\n";
  EXPECT_EQ(ParseLookupTable(twelve).gMapFeatDir[10][1], 109);
  EXPECT_EQ(ReadLookupTable("/no/such/Ondrik.Dat").gMapFeatCount, 0);
}

TEST(MapOutlineFiles, BreaksStartNewLines) {
  const OutlineLayer l = ParseOutlines("9999,9999\n40,-100\n41,-101\n9999,9999\n30,-90\n1000,0\n5,6\n");
  ASSERT_EQ(l.lines.size(), 3u);
  EXPECT_EQ(l.lines[0].count, 2u);
  EXPECT_EQ(l.lines[1].count, 1u);  // a dot
  EXPECT_EQ(l.lines[2].first, 3u);
  // x is minus the east-positive longitude.
  const std::vector<double> first(l.Points(l.lines[0]).begin(), l.Points(l.lines[0]).end());
  EXPECT_EQ(first, (std::vector<double>{100, 40, 101, 41}));
  EXPECT_EQ(l.lines[0].minX, 100);
  EXPECT_EQ(l.lines[0].maxY, 41);
  // Without a break at the start the first point begins a line; a bad item
  // or a half record ends the reading.
  EXPECT_EQ(ParseOutlines("1,-2\n3,-4\n").lines.size(), 1u);
  EXPECT_EQ(ParseOutlines("1,-2\nnorth,-4\n5,-6\n").xy.size(), 2u);
  EXPECT_EQ(ParseOutlines("1,-2\n3").xy.size(), 2u);
  EXPECT_FALSE(ReadOutlineFile("/no/such/Map_CWA.dat"));
}

TEST(MapOutlineFiles, TheShippedFilesReadWhole) {
  const std::string data = ONDRIK_DATA_DIR;
  MapOutlines outlines([&](const std::string& name) { return name == "Map_CWA.dat" ? "" : data + "/" + name; });
  EXPECT_EQ(outlines.Layer(1), nullptr);  // no file
  for (int layer : {2, 3, 4}) {
    const OutlineLayer* l = outlines.Layer(layer);
    ASSERT_NE(l, nullptr) << layer;
    EXPECT_EQ(outlines.Layer(layer), l);  // read once
    EXPECT_GT(l->lines.size(), 100u);
  }
  const MapFeatureTable t = ReadLookupTable(data + "/Ondrik.Dat");
  EXPECT_EQ(t.gMapFeatCount, 9);
  for (int g = 1; g <= t.gMapFeatCount; ++g) {
    EXPECT_GE(t.gMapFeatRows[g], 2) << g;
    for (int r = 2; r <= t.gMapFeatRows[g]; ++r) EXPECT_GT(t.gMapFeatDir[g][r], t.gMapFeatDir[g][r - 1]);
  }
}

TEST(MapFeatureLines, InterpolatedBetweenTheRowsOfTheDirection) {
  // Group 1: rows at 230, 250, 270; group 2 has one row; group 3 has two
  // rows of one direction.
  const MapFeatureTable t = ParseLookupTable(Row(230) + Row(250) + Row(270) + "-1\n" + Row(230) + "-1\n" + Row(230) +
                                             Row(230) + Row(250) + "-1\n");
  const struct {
    int g;
    double d;
    bool drawn;
    double x1;  // longitude of point 1 (B of pair 1: k / 10 + 2)
  } cases[] = {
      {1, 230, true, 25}, {1, 240, true, 26}, {1, 250, true, 27}, {1, 265, true, 28.5}, {1, 270, true, 29},
      {1, 229.9, false, 0}, {1, 270.1, false, 0}, {2, 230, false, 0}, {3, 230, true, 25}, {3, 240, true, 26},
      {4, 240, false, 0},
  };
  for (const auto& c : cases) {
    std::array<MapPoint, kMapFeaturePoints> line;
    EXPECT_EQ(FeatureLine(t, c.g, c.d, line), c.drawn) << c.g << " " << c.d;
    if (!c.drawn) continue;
    EXPECT_NEAR(line[0].x, c.x1, 1e-4) << c.g << " " << c.d;
    EXPECT_NEAR(line[3].y, c.x1 + 5, 1e-4);  // A of pair 4: k / 10 + 7
  }
}

TEST(MapFlows, MeanShearAndVerdicts) {
  auto mean = [](std::vector<double> d, std::vector<double> s) { return MeanFlowOf(d, s); };
  MeanFlow m = mean({270, 270}, {10, 20});
  EXPECT_NEAR(m.flow.dir, 270, 1e-6);
  EXPECT_NEAR(m.flow.spd, 15, 1e-9);
  EXPECT_NEAR(m.rms, 5, 1e-9);
  m = mean({180, 200}, {20, 20});
  EXPECT_NEAR(m.flow.dir, 190, 1e-3);
  EXPECT_NEAR(std::cos(mean({10, 350}, {10, 10}).flow.dir * std::numbers::pi / 180), 1, 1e-9);  // 0 or 360
  // A calm layer and an empty one have a flow of their own, not NaN.
  for (const MeanFlow& calm : {mean({200, 30}, {0, 0}), mean({}, {})}) {
    EXPECT_EQ(calm.flow.dir, 0);
    EXPECT_EQ(calm.flow.spd, 0);
    EXPECT_EQ(calm.rms, 0);
  }
  EXPECT_EQ(RmsVerdict(8, 8, 16), FlowVerdict::Uniform);
  EXPECT_EQ(RmsVerdict(8.1, 8, 16), FlowVerdict::Mixed);
  EXPECT_EQ(RmsVerdict(16.1, 8, 16), FlowVerdict::Varied);

  const struct {
    double upper, lower, shear;
    FlowVerdict verdict;
  } shears[] = {
      {200, 10, -170, FlowVerdict::Varied}, {30, 10, 20, FlowVerdict::Mixed}, {31, 10, 21, FlowVerdict::Varied},
      {10, 350, 20, FlowVerdict::Mixed},    {90, 90, 0, FlowVerdict::Uniform}, {80, 90, -10, FlowVerdict::Uniform},
  };
  for (const auto& s : shears) {
    EXPECT_DOUBLE_EQ(DirectionalShear(s.upper, s.lower), s.shear) << s.upper << " " << s.lower;
    EXPECT_EQ(ShearVerdict(s.shear), s.verdict) << s.shear;
  }
}

TEST(MapTravelTimes, DistanceAlongTheFlowCappedAndTimed) {
  const ReferenceLine line{270.001, 100, 300};
  TravelTime t = TravelTimeTo(line, 0, 20);  // across the line
  EXPECT_NEAR(t.dist, 100, 1e-3);
  EXPECT_NEAR(t.hours, 5, 1e-4);
  EXPECT_NEAR(TravelTimeTo(line, 240.001, 20).dist, 200, 0.01);  // 30 degrees off
  EXPECT_EQ(TravelTimeTo(line, 270.001, 20).dist, 300);            // parallel: the cap
  EXPECT_EQ(TravelTimeTo(line, 265, 20).dist, 300);                // beyond the cap
  EXPECT_NEAR(TravelTimeTo(line, 0, 0).hours, 1000, 0.01);         // no slower than 0.1 kt
}

TEST(MapRadarBeam, RangesAndFreezingLevel) {
  double a = 0;
  EXPECT_TRUE(ArcCos(0.5, a));
  EXPECT_NEAR(a, std::acos(0.5), 1e-9);
  EXPECT_FALSE(ArcCos(1, a));
  EXPECT_FALSE(ArcCos(-1.2, a));
  // Near the radar the beam climbs as d tan(tilt) + d^2 / 2R (R four thirds
  // of the earth's radius): 3 km at 4.4 degrees some 38 km (20.4 nm) out.
  const std::optional<double> r = BeamRangeNm(4.4, 3, 0);
  ASSERT_TRUE(r);
  const double tanE = std::tan(4.4 * std::numbers::pi / 180), R = 4.0 / 3 * 6374;
  EXPECT_NEAR(*r, (std::sqrt(tanE * tanE + 2 * 3 / R) - tanE) * R * 0.539593, 0.05);
  EXPECT_EQ(BeamRangeNm(0.5, 6, 0), kBeamMaxRangeNm);
  EXPECT_FALSE(BeamRangeNm(0.5, 0.1, 0.5));  // well below the site
  EXPECT_LT(*BeamRangeNm(4.4, 0.29, 0.3), 0);       // under the beam at the site
  EXPECT_NEAR(LonDegreesPerNm(60), 1 / 30.0, 1e-5);

  // A warm layer aloft over cold air: the top of the warm layer counts.
  gNumLevels(1) = 5;
  const Single pres[] = {1000, 900, 800, 700, 600}, warmAloft[] = {-2, 3, 1, -5, -10};
  for (int L = 1; L <= 5; ++L) {
    gPres(1, 0, L) = pres[L - 1];
    gTemp(1, 0, L) = warmAloft[L - 1];
  }
  const std::optional<double> h = FreezingLevelKm(1, 0);
  ASSERT_TRUE(h);
  EXPECT_NEAR(*h, StdHeightFtOfPressure(800 - 100.0f / 6) / 3281, 1e-4);
  gTemp(1, 0, 5) = 0.5f;  // the top is warm: nothing above it to cross to
  EXPECT_FALSE(FreezingLevelKm(1, 0));
  for (int L = 1; L <= 5; ++L) gTemp(1, 0, L) = -1;
  EXPECT_FALSE(FreezingLevelKm(1, 0));
}

TEST(MapExtents, ZoomAboutTheClick) {
  const MapExtent e;  // 120, 53, 69, 22
  MapExtent z = ZoomedExtent(e, 100, 40, 1);
  EXPECT_FLOAT_EQ(z.west, 100 + 25.5f * 0.7f);
  EXPECT_FLOAT_EQ(z.east, 100 - 25.5f * 0.7f);
  EXPECT_FLOAT_EQ(z.north, 40 + 15.5f * 0.7f);
  EXPECT_FLOAT_EQ(z.south, 40 - 15.5f * 0.7f);
  z = ZoomedExtent(ZoomedExtent(e, 100, 40, 1), 100, 40, 2);  // out again
  EXPECT_NEAR(z.west, 125.5, 1e-4);
  EXPECT_NEAR(ZoomedExtent(e, 185, 40, 2).west + ZoomedExtent(e, 185, 40, 2).east, -350, 1e-3);  // about -175
  EXPECT_NEAR(ZoomedExtent(e, -190, 40, 1).east + ZoomedExtent(e, -190, 40, 1).west, 340, 1e-3);
  EXPECT_TRUE(UsableExtent(e));
  EXPECT_FALSE(UsableExtent({10, 5, 10, 0}));
  EXPECT_FALSE(UsableExtent({NAN, 5, 10, 0}));
}

TEST(MapTexts, NumberFormats) {
  EXPECT_EQ(FormatThousands(12741.4), "12,741");
  EXPECT_EQ(FormatThousands(999.5), "1,000");
  EXPECT_EQ(FormatThousands(1234567), "1,234,567");
  EXPECT_EQ(FormatThousands(0.2), "");
  EXPECT_EQ(FormatDegrees(-170), "-170\xC2\xB0");
  EXPECT_EQ(FormatDegrees(20.5), "21\xC2\xB0");
  EXPECT_EQ(FormatDegrees(0), "\xC2\xB0");
}

}  // namespace
}  // namespace ondrik
