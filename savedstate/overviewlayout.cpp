#include "savedstate/overviewlayout.h"

namespace ondrik::saved {

namespace {

constexpr Limits kColour{0, 0xFFFFFF};  // RGB; also kButtonFace

}  // namespace

const std::vector<Item<OverviewLayout>>& OverviewLayoutRecord() {
  static const std::vector<Item<OverviewLayout>> items = [] {
    Record<OverviewLayout> t;
    t.Box(2, SAVED_ELEMENT(chkRH, 0));
    t.Box(3, SAVED_ELEMENT(chkRH, 1));
    t.Box(4, SAVED_FIELD(chkPrecip));
    t.Box(5, SAVED_FIELD(chkPrecipAcumm));
    t.Box(6, SAVED_FIELD(chkSnowFall));
    t.Box(7, SAVED_FIELD(chkSnowAcumm));
    t.Box(8, SAVED_FIELD(chkSnow));
    t.Box(9, SAVED_FIELD(chkSnowRatio));
    t.Whole(10, SAVED_FIELD(SnowTechnique), {0, 3});
    t.Box(11, SAVED_FIELD(chk3HPresChange));
    t.Box(12, SAVED_FIELD(chkSfcPres));
    t.Box(13, SAVED_FIELD(chkWinds));
    t.Box(14, SAVED_FIELD(chkVVTrend));
    t.Box(15, SAVED_FIELD(chkMeanWind));
    t.Box(16, SAVED_FIELD(chkVWP));
    t.Box(17, SAVED_FIELD(chkVWPColor));
    t.Box(18, SAVED_FIELD(chkInversions));
    t.Box(19, SAVED_FIELD(chkLakeIndex));
    t.Box(20, SAVED_FIELD(chkMoistLakeIndex));
    t.Box(21, SAVED_FIELD(chkSfcTemp));
    t.Box(22, SAVED_FIELD(chkSkinTemp));
    t.Box(23, SAVED_FIELD(chkSfcDewPoint));
    t.Box(24, SAVED_FIELD(chkWindChill));
    t.Box(25, SAVED_FIELD(chkApparentTemp));
    t.Box(26, SAVED_FIELD(chkTotalTotals));
    t.Box(27, SAVED_FIELD(chkTQ));
    t.Box(28, SAVED_FIELD(chkClouds));
    t.Box(29, SAVED_FIELD(chkEvaporation));
    t.Box(30, SAVED_FIELD(chkRunOff));
    t.Box(31, SAVED_FIELD(chkHelicity));
    t.Box(32, SAVED_FIELD(chkStormRelInflow));
    t.Box(33, SAVED_FIELD(chkMBEspeed));
    t.Box(34, SAVED_FIELD(chkTemperature));
    t.Box(35, SAVED_FIELD(chkTheta));
    t.Box(36, SAVED_FIELD(chkThetaE));
    t.Box(37, SAVED_FIELD(chkDPD));
    t.Box(38, SAVED_FIELD(chkECAPE));
    t.Whole(38, SAVED_FIELD(ECAPELowestClass), {0, 5});
    t.Box(39, SAVED_FIELD(chkEHailCape));
    t.Box(40, SAVED_FIELD(chkRHContour));
    t.Box(41, SAVED_FIELD(chkRHIcontour));
    t.Box(42, SAVED_FIELD(chkWetBulb));
    t.Box(43, SAVED_FIELD(chkVelocity));
    t.Box(44, SAVED_FIELD(chkShearContour));
    t.Box(45, SAVED_FIELD(chkLayertoLayer));
    t.Box(46, SAVED_FIELD(ChkOmega));
    t.Box(47, SAVED_FIELD(chkInstability));
    t.Box(48, SAVED_FIELD(chkLayerShear));
    t.Box(49, SAVED_FIELD(chkMixingRatio));
    t.Box(50, SAVED_FIELD(chkMeanMixingRatio));
    t.Box(51, SAVED_FIELD(chkCAPE));
    t.Box(52, SAVED_FIELD(chkVentilation));
    t.Box(53, SAVED_FIELD(chkDavisIndex));
    t.Box(54, SAVED_FIELD(chkHainesIndex));
    t.Box(55, SAVED_FIELD(chkMixingLayer));
    t.Box(56, SAVED_FIELD(chkTransportWinds));
    t.Box(57, SAVED_FIELD(chkTransportSpeed));
    t.Box(58, SAVED_FIELD(chkWarmCloud));
    t.Box(59, SAVED_FIELD(chkGridLeft));
    t.Box(60, SAVED_FIELD(chkGridWind));
    t.Box(61, SAVED_FIELD(chkGridLakeIndex));
    t.Box(62, SAVED_FIELD(chkGridHeight));
    t.Box(63, SAVED_FIELD(chkGridPrecip));
    t.Box(64, SAVED_FIELD(chkGridWind));
    t.Box(65, SAVED_FIELD(chkGridTemp));
    t.Number(66, SAVED_FIELD(SfcPresBottom));
    t.Number(66, SAVED_FIELD(SfcPresSpan), kPositive);
    t.Number(67, SAVED_FIELD(gLICAxisTop), kPositive);
    t.Number(67, SAVED_FIELD(gVisAxisTop), kPositive);
    t.Number(67, SAVED_FIELD(gVentAxisTop), kPositive);
    t.Number(68, SAVED_FIELD(DirTop));
    t.Number(68, SAVED_FIELD(DirSpan), kPositive);
    t.Number(69, SAVED_FIELD(IndexBottom));
    t.Number(69, SAVED_FIELD(IndexSpan), kPositive);
    t.Whole(70, SAVED_FIELD(VerticalUnit), kHeightUnit);
    t.Whole(71, SAVED_FIELD(gXferIndex), kXferIndex);
    t.WholeFlag(72, SAVED_FIELD(TenMeterBase));
    t.Number(73, SAVED_FIELD(LogPSpan), kPositive);
    t.Number(74, SAVED_FIELD(PrecipBottom));
    t.Number(74, SAVED_FIELD(PrecipSpan), kPositive);
    t.Number(75, SAVED_FIELD(TempBottom));
    t.Number(75, SAVED_FIELD(TempSpan), kPositive);
    t.Whole(76, SAVED_FIELD(RHLowestClass), {0, 9});
    t.Whole(77, SAVED_FIELD(ContourIntervalIndex), {0, 3});
    t.Whole(78, SAVED_FIELD(ControlPage), {0, 7});
    t.Flag(79, SAVED_ELEMENT(optLayerShear, 0));
    t.Flag(80, SAVED_ELEMENT(optLayerShear, 1));
    t.Number(81, SAVED_FIELD(SigmaLevelPressure), kLevelPressure);
    t.Number(82, SAVED_ELEMENT(MeanWindPressure, 0), kLevelPressure);
    t.Number(82, SAVED_ELEMENT(MeanWindPressure, 1), kLevelPressure);
    t.Whole(83, SAVED_FIELD(VWPInterval), kWindSpacing);
    t.Whole(83, SAVED_FIELD(VWPAutoInterval), kWindSpacing);
    t.Flag(83, SAVED_FIELD(VWPAuto));
    t.Whole(84, SAVED_FIELD(WindColorIndex), {0, 3});
    t.WholeFlag(85, SAVED_FIELD(CloudShadeMode));
    t.Whole(86, SAVED_FIELD(HainesLevel), {1, 3});
    t.Constant(87, "9999", kLayoutMark);
    t.Box(88, SAVED_FIELD(chkGridTime));
    t.Box(88, SAVED_FIELD(chkNow));
    t.Box(89, SAVED_FIELD(chkCursor));
    t.Box(90, SAVED_FIELD(chkLIC));
    t.Box(90, SAVED_FIELD(chkLIE));
    t.Box(91, SAVED_FIELD(chkDeltaThetaE));
    t.Box(92, SAVED_FIELD(chkIcing));
    t.Box(93, SAVED_FIELD(chkVisibility));
    t.Box(94, SAVED_FIELD(chkCloudBase));
    t.Box(95, SAVED_FIELD(chkPrecipWater));
    t.Box(96, SAVED_FIELD(chkSnowGrowth));
    t.Box(97, SAVED_FIELD(chksWSYMb));
    t.Number(98, SAVED_FIELD(gSRInflowDepth), kInflowTop);
    t.Number(99, SAVED_FIELD(gSRInflowBottom), kInflowBottom);
    for (int i = 0; i < 6; ++i) t.Whole(100, SAVED_ELEMENT(btnCAPEkm, i), kColour).Also(kButtonFace);
    t.Box(101, SAVED_FIELD(chkHeights));
    t.Box(102, SAVED_FIELD(chkELCIN));
    for (int i = 0; i < 3; ++i) t.Whole(103, SAVED_ELEMENT(btnHeights, i), kColour).Also(kButtonFace);
    t.Box(104, SAVED_FIELD(chkPIP));
    return t.Done();
  }();
  return items;
}

ReadResult<OverviewLayout> ReadOverviewLayout(std::optional<std::string_view> text,
                                              const OverviewLayout& current) {
  ReadResult<OverviewLayout> r = ReadRecord(text, OverviewLayoutRecord(), current, /*header=*/true);
  if (r.Usable()) RoundInflowLayer(r.value.gSRInflowDepth, r.value.gSRInflowBottom);
  return r;
}

std::string WriteOverviewLayout(const OverviewLayout& layout) {
  return HeaderLine() + WriteItems(OverviewLayoutRecord(), layout);
}

}  // namespace ondrik::saved
