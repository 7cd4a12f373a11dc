#include "savedstate/overviewlayout.h"

namespace ondrik::saved {

namespace {

constexpr Limits kColour{0, 0xFFFFFF};  // RGB; also kButtonFace

}  // namespace

const std::vector<Item<OverviewLayout>>& OverviewLayoutRecord() {
  static const std::vector<Item<OverviewLayout>> items = [] {
    Record<OverviewLayout> t;
    t.Box(2, ONDRIK_SAVED_ELEMENT(chkRH, 0));
    t.Box(3, ONDRIK_SAVED_ELEMENT(chkRH, 1));
    t.Box(4, ONDRIK_SAVED_FIELD(chkPrecip));
    t.Box(5, ONDRIK_SAVED_FIELD(chkPrecipAcumm));
    t.Box(6, ONDRIK_SAVED_FIELD(chkSnowFall));
    t.Box(7, ONDRIK_SAVED_FIELD(chkSnowAcumm));
    t.Box(8, ONDRIK_SAVED_FIELD(chkSnow));
    t.Box(9, ONDRIK_SAVED_FIELD(chkSnowRatio));
    t.Whole(10, ONDRIK_SAVED_FIELD(SnowTechnique), {0, 3});
    t.Box(11, ONDRIK_SAVED_FIELD(chk3HPresChange));
    t.Box(12, ONDRIK_SAVED_FIELD(chkSfcPres));
    t.Box(13, ONDRIK_SAVED_FIELD(chkWinds));
    t.Box(14, ONDRIK_SAVED_FIELD(chkVVTrend));
    t.Box(15, ONDRIK_SAVED_FIELD(chkMeanWind));
    t.Box(16, ONDRIK_SAVED_FIELD(chkVWP));
    t.Box(17, ONDRIK_SAVED_FIELD(chkVWPColor));
    t.Box(18, ONDRIK_SAVED_FIELD(chkInversions));
    t.Box(19, ONDRIK_SAVED_FIELD(chkLakeIndex));
    t.Box(20, ONDRIK_SAVED_FIELD(chkMoistLakeIndex));
    t.Box(21, ONDRIK_SAVED_FIELD(chkSfcTemp));
    t.Box(22, ONDRIK_SAVED_FIELD(chkSkinTemp));
    t.Box(23, ONDRIK_SAVED_FIELD(chkSfcDewPoint));
    t.Box(24, ONDRIK_SAVED_FIELD(chkWindChill));
    t.Box(25, ONDRIK_SAVED_FIELD(chkApparentTemp));
    t.Box(26, ONDRIK_SAVED_FIELD(chkTotalTotals));
    t.Box(27, ONDRIK_SAVED_FIELD(chkTQ));
    t.Box(28, ONDRIK_SAVED_FIELD(chkClouds));
    t.Box(29, ONDRIK_SAVED_FIELD(chkEvaporation));
    t.Box(30, ONDRIK_SAVED_FIELD(chkRunOff));
    t.Box(31, ONDRIK_SAVED_FIELD(chkHelicity));
    t.Box(32, ONDRIK_SAVED_FIELD(chkStormRelInflow));
    t.Box(33, ONDRIK_SAVED_FIELD(chkMBEspeed));
    t.Box(34, ONDRIK_SAVED_FIELD(chkTemperature));
    t.Box(35, ONDRIK_SAVED_FIELD(chkTheta));
    t.Box(36, ONDRIK_SAVED_FIELD(chkThetaE));
    t.Box(37, ONDRIK_SAVED_FIELD(chkDPD));
    t.Box(38, ONDRIK_SAVED_FIELD(chkECAPE));
    t.Whole(38, ONDRIK_SAVED_FIELD(ECAPELowestClass), {0, 5});
    t.Box(39, ONDRIK_SAVED_FIELD(chkEHailCape));
    t.Box(40, ONDRIK_SAVED_FIELD(chkRHContour));
    t.Box(41, ONDRIK_SAVED_FIELD(chkRHIcontour));
    t.Box(42, ONDRIK_SAVED_FIELD(chkWetBulb));
    t.Box(43, ONDRIK_SAVED_FIELD(chkVelocity));
    t.Box(44, ONDRIK_SAVED_FIELD(chkShearContour));
    t.Box(45, ONDRIK_SAVED_FIELD(chkLayertoLayer));
    t.Box(46, ONDRIK_SAVED_FIELD(ChkOmega));
    t.Box(47, ONDRIK_SAVED_FIELD(chkInstability));
    t.Box(48, ONDRIK_SAVED_FIELD(chkLayerShear));
    t.Box(49, ONDRIK_SAVED_FIELD(chkMixingRatio));
    t.Box(50, ONDRIK_SAVED_FIELD(chkMeanMixingRatio));
    t.Box(51, ONDRIK_SAVED_FIELD(chkCAPE));
    t.Box(52, ONDRIK_SAVED_FIELD(chkVentilation));
    t.Box(53, ONDRIK_SAVED_FIELD(chkDavisIndex));
    t.Box(54, ONDRIK_SAVED_FIELD(chkHainesIndex));
    t.Box(55, ONDRIK_SAVED_FIELD(chkMixingLayer));
    t.Box(56, ONDRIK_SAVED_FIELD(chkTransportWinds));
    t.Box(57, ONDRIK_SAVED_FIELD(chkTransportSpeed));
    t.Box(58, ONDRIK_SAVED_FIELD(chkWarmCloud));
    t.Box(59, ONDRIK_SAVED_FIELD(chkGridLeft));
    t.Box(60, ONDRIK_SAVED_FIELD(chkGridWind));
    t.Box(61, ONDRIK_SAVED_FIELD(chkGridLakeIndex));
    t.Box(62, ONDRIK_SAVED_FIELD(chkGridHeight));
    t.Box(63, ONDRIK_SAVED_FIELD(chkGridPrecip));
    t.Box(64, ONDRIK_SAVED_FIELD(chkGridWind));
    t.Box(65, ONDRIK_SAVED_FIELD(chkGridTemp));
    t.Number(66, ONDRIK_SAVED_FIELD(SfcPresBottom));
    t.Number(66, ONDRIK_SAVED_FIELD(SfcPresSpan), kPositive);
    t.Number(67, ONDRIK_SAVED_FIELD(gLICAxisTop), kPositive);
    t.Number(67, ONDRIK_SAVED_FIELD(gVisAxisTop), kPositive);
    t.Number(67, ONDRIK_SAVED_FIELD(gVentAxisTop), kPositive);
    t.Number(68, ONDRIK_SAVED_FIELD(DirTop));
    t.Number(68, ONDRIK_SAVED_FIELD(DirSpan), kPositive);
    t.Number(69, ONDRIK_SAVED_FIELD(IndexBottom));
    t.Number(69, ONDRIK_SAVED_FIELD(IndexSpan), kPositive);
    t.Whole(70, ONDRIK_SAVED_FIELD(VerticalUnit), kHeightUnit);
    t.Whole(71, ONDRIK_SAVED_FIELD(gXferIndex), kXferIndex);
    t.WholeFlag(72, ONDRIK_SAVED_FIELD(TenMeterBase));
    t.Number(73, ONDRIK_SAVED_FIELD(LogPSpan), kPositive);
    t.Number(74, ONDRIK_SAVED_FIELD(PrecipBottom));
    t.Number(74, ONDRIK_SAVED_FIELD(PrecipSpan), kPositive);
    t.Number(75, ONDRIK_SAVED_FIELD(TempBottom));
    t.Number(75, ONDRIK_SAVED_FIELD(TempSpan), kPositive);
    t.Whole(76, ONDRIK_SAVED_FIELD(RHLowestClass), {0, 9});
    t.Whole(77, ONDRIK_SAVED_FIELD(ContourIntervalIndex), {0, 3});
    t.Whole(78, ONDRIK_SAVED_FIELD(ControlPage), {0, 7});
    t.Flag(79, ONDRIK_SAVED_ELEMENT(optLayerShear, 0));
    t.Flag(80, ONDRIK_SAVED_ELEMENT(optLayerShear, 1));
    t.Number(81, ONDRIK_SAVED_FIELD(SigmaLevelPressure), kLevelPressure);
    t.Number(82, ONDRIK_SAVED_ELEMENT(MeanWindPressure, 0), kLevelPressure);
    t.Number(82, ONDRIK_SAVED_ELEMENT(MeanWindPressure, 1), kLevelPressure);
    t.Whole(83, ONDRIK_SAVED_FIELD(VWPInterval), kWindSpacing);
    t.Whole(83, ONDRIK_SAVED_FIELD(VWPAutoInterval), kWindSpacing);
    t.Flag(83, ONDRIK_SAVED_FIELD(VWPAuto));
    t.Whole(84, ONDRIK_SAVED_FIELD(WindColorIndex), {0, 3});
    t.WholeFlag(85, ONDRIK_SAVED_FIELD(CloudShadeMode));
    t.Whole(86, ONDRIK_SAVED_FIELD(HainesLevel), {1, 3});
    t.Constant(87, "9999", kLayoutMark);
    t.Box(88, ONDRIK_SAVED_FIELD(chkGridTime));
    t.Box(88, ONDRIK_SAVED_FIELD(chkNow));
    t.Box(89, ONDRIK_SAVED_FIELD(chkCursor));
    t.Box(90, ONDRIK_SAVED_FIELD(chkLIC));
    t.Box(90, ONDRIK_SAVED_FIELD(chkLIE));
    t.Box(91, ONDRIK_SAVED_FIELD(chkDeltaThetaE));
    t.Box(92, ONDRIK_SAVED_FIELD(chkIcing));
    t.Box(93, ONDRIK_SAVED_FIELD(chkVisibility));
    t.Box(94, ONDRIK_SAVED_FIELD(chkCloudBase));
    t.Box(95, ONDRIK_SAVED_FIELD(chkPrecipWater));
    t.Box(96, ONDRIK_SAVED_FIELD(chkSnowGrowth));
    t.Box(97, ONDRIK_SAVED_FIELD(chksWSYMb));
    t.Number(98, ONDRIK_SAVED_FIELD(gSRInflowDepth), kInflowTop);
    t.Number(99, ONDRIK_SAVED_FIELD(gSRInflowBottom), kInflowBottom);
    for (int i = 0; i < 6; ++i) t.Whole(100, ONDRIK_SAVED_ELEMENT(btnCAPEkm, i), kColour).Also(kButtonFace);
    t.Box(101, ONDRIK_SAVED_FIELD(chkHeights));
    t.Box(102, ONDRIK_SAVED_FIELD(chkELCIN));
    for (int i = 0; i < 3; ++i) t.Whole(103, ONDRIK_SAVED_ELEMENT(btnHeights, i), kColour).Also(kButtonFace);
    t.Box(104, ONDRIK_SAVED_FIELD(chkPIP));
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
