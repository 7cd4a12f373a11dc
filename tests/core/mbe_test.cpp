#include "core/mbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "sounding.h"

namespace ondrik {
namespace {

using testing::Level;
using testing::SetSounding;

// Westerly 40 kt through the cloud layer; below it the wind backs to
// southerly, fastest (50 kt) at 900 mb.
std::vector<Level> JetSounding() {
  return {
      {1000, 20, 15, 160, 20, 100},  {950, 18, 14, 170, 35, 550},
      {900, 16, 12, 180, 50, 1000},  {870, 15, 10, 190, 45, 1250},
      {850, 14, 8, 270, 40, 1450},   {700, 4, -4, 270, 40, 3000},
      {500, -12, -20, 270, 40, 5600}, {300, -40, -48, 270, 40, 9200},
      {250, -50, -58, 270, 90, 10400},
  };
}

TEST(MbeVectors, CloudLayerJetAndBothPropagationVectors) {
  SetSounding(1, 30, JetSounding());

  ComputeMBEVectors(1, 30, 0, false);
  // Cloud layer: the levels from 850 to 300 mb, all 40 kt from the west;
  // the 250 mb level lies above the layer.
  EXPECT_NEAR(gCloudLayerU(1, 30), 40.0f, 1e-3);
  EXPECT_NEAR(gCloudLayerV(1, 30), 0.0f, 1e-3);
  EXPECT_NEAR(gCloudLayerSpd(1, 30), 40.0f, 1e-3);
  EXPECT_NEAR(gCloudLayerDir(1, 30), 270.0f, 1e-2);
  // Jet: 50 kt from the south at 900 mb; the level above (870 mb) was still
  // searched, so the jet is certain.
  EXPECT_EQ(gLLJPres(1, 30), 900.0f);
  EXPECT_EQ(gLLJSpd(1, 30), 50.0f);
  EXPECT_EQ(gLLJDir(1, 30), 180.0f);
  EXPECT_EQ(gLLJUncertain(1, 30), 0);
  EXPECT_NEAR(gLLJU(1, 30), 0.0f, 1e-4);
  EXPECT_NEAR(gLLJV(1, 30), 50.0f, 1e-4);
  // Upwind vector (40, -50): towards the south-east, from 360 - atan(40/50).
  EXPECT_NEAR(gMbeU(1, 30), 40.0f, 1e-3);
  EXPECT_NEAR(gMbeV(1, 30), -50.0f, 1e-3);
  EXPECT_NEAR(gMbeSpd(1, 30), std::sqrt(4100.0f), 1e-3);
  EXPECT_NEAR(gMbeDir(1, 30), 360.0 - std::atan(0.8) * 180 / M_PI, 1e-2);
  EXPECT_EQ(gMbeDone(1, 30), -1);

  // Forward propagation: cloud-layer wind plus the upwind vector.
  ComputeMBEVectors(1, 30, 0, true);
  EXPECT_NEAR(gMbeU(1, 30), 80.0f, 1e-3);
  EXPECT_NEAR(gMbeV(1, 30), -50.0f, 1e-3);
  EXPECT_NEAR(gMbeU(1, 30) - gCloudLayerU(1, 30), gMbeUpwindU(1, 30), 1e-3);
  EXPECT_NEAR(gMbeV(1, 30) - gCloudLayerV(1, 30), gMbeUpwindV(1, 30), 1e-3);
  EXPECT_NEAR(gMbeUpwindDir(1, 30), 360.0 - std::atan(0.8) * 180 / M_PI, 1e-2);
  EXPECT_NEAR(gMbeSpd(1, 30), std::sqrt(8900.0f), 1e-3);

  // A jet level given by the caller: taken as it is, never uncertain.
  ComputeMBEVectors(1, 30, 2, false);
  EXPECT_EQ(gLLJPres(1, 30), 950.0f);
  EXPECT_EQ(gLLJSpd(1, 30), 35.0f);
  EXPECT_EQ(gLLJUncertain(1, 30), 0);
}

TEST(MbeVectors, JetAtTopOfSearchAndGuards) {
  // Fastest wind at 850 mb, whose next level (700 mb) is above 800 mb: a
  // stronger wind may lie higher.
  std::vector<Level> s = JetSounding();
  s[4].wspd = 60;
  SetSounding(1, 31, s);
  ComputeMBEVectors(1, 31, 0, false);
  EXPECT_EQ(gLLJPres(1, 31), 850.0f);
  EXPECT_EQ(gLLJUncertain(1, 31), -1);

  // Wind never faster than at level 1: level 1 is the jet, and certain.
  for (Level& l : s) l.wspd = 10;
  s[0].wspd = 30;
  SetSounding(1, 32, s);
  ComputeMBEVectors(1, 32, 0, false);
  EXPECT_EQ(gLLJPres(1, 32), 1000.0f);
  EXPECT_EQ(gLLJUncertain(1, 32), 0);

  // A profile ending below 800 mb with its fastest wind at the top level.
  SetSounding(1, 33, {{1000, 20, 15, 180, 10, 100}, {900, 16, 12, 180, 30, 1000}});
  EXPECT_NO_THROW(ComputeMBEVectors(1, 33, 0, false));
  EXPECT_EQ(gLLJPres(1, 33), 900.0f);
  EXPECT_EQ(gLLJUncertain(1, 33), -1);
  // No level between 850 and 300 mb: the cloud-layer wind is calm.
  EXPECT_EQ(gCloudLayerU(1, 33), 0.0f);
  EXPECT_EQ(gCloudLayerV(1, 33), 0.0f);
  EXPECT_EQ(gCloudLayerDir(1, 33), 360.0f);
  // The MBE vector is then the reverse of the jet: 30 kt from the north.
  EXPECT_NEAR(gMbeDir(1, 33), 360.0f, 1e-3);
  EXPECT_NEAR(gMbeSpd(1, 33), 30.0f, 1e-3);

  // A jet level outside the profile is held inside it.
  EXPECT_NO_THROW(ComputeMBEVectors(1, 33, 67, false));
  EXPECT_EQ(gLLJPres(1, 33), 900.0f);

  // An hour beyond the dataset changes nothing.
  gLastHour(1) = 33;
  gMbeDone(1, 34) = 0;
  ComputeMBEVectors(1, 34, 0, false);
  EXPECT_EQ(gMbeDone(1, 34), 0);
}

}  // namespace
}  // namespace ondrik
