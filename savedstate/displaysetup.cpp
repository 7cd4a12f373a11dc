#include "savedstate/displaysetup.h"

namespace ondrik::saved {

const std::vector<Item<DisplaySetup>>& DisplaySetupRecord() {
  static const std::vector<Item<DisplaySetup>> items = [] {
    Record<DisplaySetup> t;
    t.Box(2, ONDRIK_SAVED_FIELD(chkWindVector));
    t.WholeFlag(3, ONDRIK_SAVED_FIELD(ColorWinds));
    t.WholeFlag(4, ONDRIK_SAVED_FIELD(DigitalWinds));
    t.Box(5, ONDRIK_SAVED_FIELD(chkWindDigital));
    t.Box(6, ONDRIK_SAVED_FIELD(ChkOmega));
    t.WholeFlag(7, ONDRIK_SAVED_FIELD(gOmegaSmoothOn));
    t.Box(8, ONDRIK_SAVED_FIELD(chk10MWind));
    t.Box(9, ONDRIK_SAVED_ELEMENT(chkRH, 0));
    t.Box(10, ONDRIK_SAVED_ELEMENT(chkRH, 1));
    t.Box(11, ONDRIK_SAVED_FIELD(chkFP));
    t.Box(12, ONDRIK_SAVED_FIELD(chkWetBulb));
    t.Box(13, ONDRIK_SAVED_FIELD(chkInversions));
    t.Box(14, ONDRIK_SAVED_FIELD(chkSnowGrowth));
    t.Box(15, ONDRIK_SAVED_FIELD(chkHailGrowth));
    t.Box(16, ONDRIK_SAVED_FIELD(chksWSYMb));
    t.Box(17, ONDRIK_SAVED_FIELD(chkSkewT));
    t.Box(18, ONDRIK_SAVED_FIELD(chkLines));
    t.Box(19, ONDRIK_SAVED_FIELD(chkDryAdiabats));
    t.Box(20, ONDRIK_SAVED_FIELD(chkClouds));
    t.Whole(21, ONDRIK_SAVED_FIELD(VWPInterval), kWindSpacing);
    t.Whole(21, ONDRIK_SAVED_FIELD(VWPAutoInterval), kWindSpacing);
    t.Flag(21, ONDRIK_SAVED_FIELD(VWPAuto));
    t.Whole(22, ONDRIK_SAVED_FIELD(HeightScaleUnit), kHeightUnit);
    t.Whole(23, ONDRIK_SAVED_FIELD(gXferIndex), kXferIndex);
    t.Whole(24, ONDRIK_SAVED_FIELD(SkewTMin));
    t.Whole(24, ONDRIK_SAVED_FIELD(PlainTMin));
    t.Whole(24, ONDRIK_SAVED_FIELD(gChartTMin));
    t.Whole(25, ONDRIK_SAVED_FIELD(SkewTMax));
    t.Whole(25, ONDRIK_SAVED_FIELD(PlainTMax));
    t.Whole(25, ONDRIK_SAVED_FIELD(gChartTMax));
    t.Whole(26, ONDRIK_SAVED_FIELD(gChartTop), kPressure);
    t.Box(27, ONDRIK_SAVED_FIELD(chkLakeIndex));
    t.Whole(28, ONDRIK_SAVED_FIELD(vsbLakeF));
    t.Box(29, ONDRIK_SAVED_FIELD(chkMoistLakeIndex));
    t.Box(30, ONDRIK_SAVED_FIELD(chkLIC));
    t.Box(31, ONDRIK_SAVED_FIELD(chkLCL));
    t.Box(32, ONDRIK_SAVED_FIELD(chkECAPE));
    t.Box(33, ONDRIK_SAVED_FIELD(chkCCL));
    t.Box(34, ONDRIK_SAVED_FIELD(chkConvectiveTemp));
    t.Box(35, ONDRIK_SAVED_FIELD(chkWBZ));
    t.Box(36, ONDRIK_SAVED_FIELD(chkLFC));
    t.Box(37, ONDRIK_SAVED_FIELD(chkEQL));
    t.Box(38, ONDRIK_SAVED_FIELD(chkParcel));
    t.Box(39, ONDRIK_SAVED_FIELD(chkCINS));
    t.Whole(40, ONDRIK_SAVED_FIELD(ControlPanel), kControlPanel);
    for (int i = 0; i < kRadarTilts; ++i) t.Box(41 + i, ONDRIK_SAVED_ELEMENT(chkAngle, i));
    t.Box(46, ONDRIK_SAVED_FIELD(chkBrightBand));
    t.Box(47, ONDRIK_SAVED_FIELD(chkSigmaLevel));
    t.Box(48, ONDRIK_SAVED_FIELD(chkMeanFlow));
    t.Number(49, ONDRIK_SAVED_FIELD(SigmaLevelPressure), kLevelPressure);
    t.Number(50, ONDRIK_SAVED_ELEMENT(MeanFlowPressure, 0), kLevelPressure);
    t.Number(51, ONDRIK_SAVED_ELEMENT(MeanFlowPressure, 1), kLevelPressure);
    t.Whole(52, ONDRIK_SAVED_FIELD(RightPanel), kSidePanel).Also(kArchivePanelIndex);
    t.Box(53, ONDRIK_SAVED_FIELD(chkActiveReadout));
    t.Whole(53, ONDRIK_SAVED_FIELD(ReadoutUnit), kHeightUnit);
    t.Box(54, ONDRIK_SAVED_FIELD(chkIcing));
    t.Box(55, ONDRIK_SAVED_FIELD(chkMomentum));
    t.WholeFlag(56, ONDRIK_SAVED_FIELD(PrecipByThickness));
    t.Number(57, ONDRIK_SAVED_FIELD(gSRInflowDepth), kInflowTop);
    t.Number(58, ONDRIK_SAVED_FIELD(gSRInflowBottom), kInflowBottom);
    t.Box(59, ONDRIK_SAVED_FIELD(chkLayer2Layer));
    t.Number(60, ONDRIK_SAVED_FIELD(OmegaRange));
    t.Box(61, ONDRIK_SAVED_FIELD(chkCapeShearHistory));
    t.Box(62, ONDRIK_SAVED_FIELD(chkCapeShearVariability));
    t.Box(63, ONDRIK_SAVED_FIELD(chkIndcyBar));
    t.Box(63, ONDRIK_SAVED_FIELD(chkIndicyBox));
    t.Box(63, ONDRIK_SAVED_FIELD(chkIndcyCircle));
    return t.Done();
  }();
  return items;
}

ReadResult<DisplaySetup> ReadDisplaySetup(std::optional<std::string_view> text, const DisplaySetup& current) {
  ReadResult<DisplaySetup> r = ReadRecord(text, DisplaySetupRecord(), current, /*header=*/true);
  if (!r.Usable()) return r;
  DisplaySetup& s = r.value;
  RoundInflowLayer(s.gSRInflowDepth, s.gSRInflowBottom);
  CorrectOmegaRange(s.OmegaRange);
  return r;
}

std::string WriteDisplaySetup(const DisplaySetup& setup) {
  return HeaderLine() + WriteItems(DisplaySetupRecord(), setup);
}

}  // namespace ondrik::saved
