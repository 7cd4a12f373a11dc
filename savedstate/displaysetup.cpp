#include "savedstate/displaysetup.h"

namespace ondrik::saved {

const std::vector<Item<DisplaySetup>>& DisplaySetupRecord() {
  static const std::vector<Item<DisplaySetup>> items = [] {
    Record<DisplaySetup> t;
    t.Box(2, SAVED_FIELD(chkWindVector));
    t.WholeFlag(3, SAVED_FIELD(ColorWinds));
    t.WholeFlag(4, SAVED_FIELD(DigitalWinds));
    t.Box(5, SAVED_FIELD(chkWindDigital));
    t.Box(6, SAVED_FIELD(ChkOmega));
    t.WholeFlag(7, SAVED_FIELD(gOmegaSmoothOn));
    t.Box(8, SAVED_FIELD(chk10MWind));
    t.Box(9, SAVED_ELEMENT(chkRH, 0));
    t.Box(10, SAVED_ELEMENT(chkRH, 1));
    t.Box(11, SAVED_FIELD(chkFP));
    t.Box(12, SAVED_FIELD(chkWetBulb));
    t.Box(13, SAVED_FIELD(chkInversions));
    t.Box(14, SAVED_FIELD(chkSnowGrowth));
    t.Box(15, SAVED_FIELD(chkHailGrowth));
    t.Box(16, SAVED_FIELD(chksWSYMb));
    t.Box(17, SAVED_FIELD(chkSkewT));
    t.Box(18, SAVED_FIELD(chkLines));
    t.Box(19, SAVED_FIELD(chkDryAdiabats));
    t.Box(20, SAVED_FIELD(chkClouds));
    t.Whole(21, SAVED_FIELD(VWPInterval), kWindSpacing);
    t.Whole(21, SAVED_FIELD(VWPAutoInterval), kWindSpacing);
    t.Flag(21, SAVED_FIELD(VWPAuto));
    t.Whole(22, SAVED_FIELD(HeightScaleUnit), kHeightUnit);
    t.Whole(23, SAVED_FIELD(gXferIndex), kXferIndex);
    t.Whole(24, SAVED_FIELD(SkewTMin));
    t.Whole(24, SAVED_FIELD(PlainTMin));
    t.Whole(24, SAVED_FIELD(gChartTMin));
    t.Whole(25, SAVED_FIELD(SkewTMax));
    t.Whole(25, SAVED_FIELD(PlainTMax));
    t.Whole(25, SAVED_FIELD(gChartTMax));
    t.Whole(26, SAVED_FIELD(gChartTop), kPressure);
    t.Box(27, SAVED_FIELD(chkLakeIndex));
    t.Whole(28, SAVED_FIELD(vsbLakeF));
    t.Box(29, SAVED_FIELD(chkMoistLakeIndex));
    t.Box(30, SAVED_FIELD(chkLIC));
    t.Box(31, SAVED_FIELD(chkLCL));
    t.Box(32, SAVED_FIELD(chkECAPE));
    t.Box(33, SAVED_FIELD(chkCCL));
    t.Box(34, SAVED_FIELD(chkConvectiveTemp));
    t.Box(35, SAVED_FIELD(chkWBZ));
    t.Box(36, SAVED_FIELD(chkLFC));
    t.Box(37, SAVED_FIELD(chkEQL));
    t.Box(38, SAVED_FIELD(chkParcel));
    t.Box(39, SAVED_FIELD(chkCINS));
    t.Whole(40, SAVED_FIELD(ControlPanel), kControlPanel);
    for (int i = 0; i < kRadarTilts; ++i) t.Box(41 + i, SAVED_ELEMENT(chkAngle, i));
    t.Box(46, SAVED_FIELD(chkBrightBand));
    t.Box(47, SAVED_FIELD(chkSigmaLevel));
    t.Box(48, SAVED_FIELD(chkMeanFlow));
    t.Number(49, SAVED_FIELD(SigmaLevelPressure), kLevelPressure);
    t.Number(50, SAVED_ELEMENT(MeanFlowPressure, 0), kLevelPressure);
    t.Number(51, SAVED_ELEMENT(MeanFlowPressure, 1), kLevelPressure);
    t.Whole(52, SAVED_FIELD(RightPanel), kSidePanel).Also(kArchivePanelIndex);
    t.Box(53, SAVED_FIELD(chkActiveReadout));
    t.Whole(53, SAVED_FIELD(ReadoutUnit), kHeightUnit);
    t.Box(54, SAVED_FIELD(chkIcing));
    t.Box(55, SAVED_FIELD(chkMomentum));
    t.WholeFlag(56, SAVED_FIELD(PrecipByThickness));
    t.Number(57, SAVED_FIELD(gSRInflowDepth), kInflowTop);
    t.Number(58, SAVED_FIELD(gSRInflowBottom), kInflowBottom);
    t.Box(59, SAVED_FIELD(chkLayer2Layer));
    t.Number(60, SAVED_FIELD(OmegaRange));
    t.Box(61, SAVED_FIELD(chkCapeShearHistory));
    t.Box(62, SAVED_FIELD(chkCapeShearVariability));
    t.Box(63, SAVED_FIELD(chkIndcyBar));
    t.Box(63, SAVED_FIELD(chkIndicyBox));
    t.Box(63, SAVED_FIELD(chkIndcyCircle));
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
