#include "savedstate/history.h"

namespace ondrik::saved {

namespace {

constexpr int kExtent = 1;             // the group of the map extent
constexpr Limits kSpan{1, 32767};      // a whole-number span
constexpr Long kFarOffScreen = -100000;  // a window placed further off comes back to 0

bool ExtentOk(const HistoryFile& h, int) {
  return MapExtentUsable(h.gMapWest, h.gMapNorth, h.gMapEast, h.gMapSouth);
}

// Element k of the threshold table is row k % 26, column k / 26.
Single& Threshold(HistoryFile& h, int k) {
  return h.gIndexThresholds(k % kIndexThresholdRows, k / kIndexThresholdRows);
}

}  // namespace

const std::vector<Item<HistoryFile>>& HistoryRecord() {
  static const std::vector<Item<HistoryFile>> items = [] {
    Record<HistoryFile> t;
    t.Digits(2, ONDRIK_SAVED_FIELD(LakeTempF)).Defaulted();
    t.Whole(3, ONDRIK_SAVED_FIELD(PlainTMin));
    t.Whole(3, ONDRIK_SAVED_FIELD(PlainTMax));
    t.Whole(4, ONDRIK_SAVED_FIELD(SkewTMin));
    t.Whole(4, ONDRIK_SAVED_FIELD(SkewTMax));
    t.Whole(5, ONDRIK_SAVED_FIELD(gHistorySpare)).Defaulted();
    t.Whole(6, ONDRIK_SAVED_FIELD(gTempAxisBottom)).Defaulted();
    t.Whole(6, ONDRIK_SAVED_FIELD(gTempAxisSpan), kSpan).Defaulted();
    for (int r = 0; r < kIndexThresholdRows; ++r) {
      for (int c = 0; c < kIndexThresholdColumns; ++c) {
        t.Number(7 + r, "gIndexThresholds", r + kIndexThresholdRows * c, &Threshold).Joined();
        if (c < 4 || IndexThresholdTable::TwoSided(r)) t.Defaulted();
      }
    }
    t.Whole(33, ONDRIK_SAVED_FIELD(RestorePanel), kSidePanel).Also(kArchivePanelIndex);
    t.Whole(33, ONDRIK_SAVED_FIELD(RestoreControlPage), kControlPanel);
    t.Box(34, ONDRIK_SAVED_FIELD(chkLCL));
    t.Box(34, ONDRIK_SAVED_FIELD(chkECAPE));
    t.Box(34, ONDRIK_SAVED_FIELD(chkLFC));
    t.Box(34, ONDRIK_SAVED_FIELD(chkCCL));
    t.Box(34, ONDRIK_SAVED_FIELD(chkEQL));
    t.Box(34, ONDRIK_SAVED_FIELD(chkConvectiveTemp));
    t.Box(34, ONDRIK_SAVED_FIELD(chkParcel));
    t.Box(34, ONDRIK_SAVED_FIELD(chkWBZ));
    t.Box(35, ONDRIK_SAVED_FIELD(chkCINS));
    t.Box(36, ONDRIK_SAVED_FIELD(chkLakeIndex));
    t.Box(36, ONDRIK_SAVED_FIELD(chkMoistLakeIndex));
    t.Box(36, ONDRIK_SAVED_FIELD(chkLIC));
    t.Whole(37, ONDRIK_SAVED_FIELD(gChartTop), kPressure).Defaulted();
    t.Box(38, ONDRIK_SAVED_FIELD(chkLines)).Defaulted();
    t.Box(39, ONDRIK_SAVED_FIELD(chkDryAdiabats));
    t.Box(40, ONDRIK_SAVED_ELEMENT(chkRH, 0));
    t.Box(40, ONDRIK_SAVED_ELEMENT(chkRH, 1));
    t.Box(40, ONDRIK_SAVED_FIELD(chkFP));
    t.Whole(40, ONDRIK_SAVED_FIELD(HeightScaleUnit), kHeightUnit).Defaulted();
    t.Whole(41, ONDRIK_SAVED_FIELD(gXferIndex), kXferIndex).Defaulted();
    t.Box(42, ONDRIK_SAVED_FIELD(ChkOmega));
    t.WholeFlag(43, ONDRIK_SAVED_FIELD(gOmegaSmoothOn));
    t.Box(44, ONDRIK_SAVED_FIELD(chk10MWind));
    t.Box(44, ONDRIK_SAVED_FIELD(chkSnowGrowth));
    t.Box(44, ONDRIK_SAVED_FIELD(chkHailGrowth));
    t.Box(44, ONDRIK_SAVED_FIELD(chksWSYMb));
    t.Box(44, ONDRIK_SAVED_FIELD(chkMomentum));
    t.Number(45, ONDRIK_SAVED_FIELD(gLICAxisTop), kPositive).Defaulted();
    t.Number(45, ONDRIK_SAVED_FIELD(gVisAxisTop), kPositive).Defaulted();
    t.Number(45, ONDRIK_SAVED_FIELD(gVentAxisTop), kPositive).Defaulted();
    t.Box(46, ONDRIK_SAVED_FIELD(chkActiveReadout));
    t.Whole(46, ONDRIK_SAVED_FIELD(ReadoutUnit), kHeightUnit);
    t.Box(47, ONDRIK_SAVED_FIELD(chkSkewT));
    t.Box(47, ONDRIK_SAVED_FIELD(chkWindVector)).Defaulted();
    t.WholeFlag(48, ONDRIK_SAVED_FIELD(PrecipByThickness));
    t.Number(49, ONDRIK_SAVED_FIELD(gSRInflowDepth), kInflowTop).Defaulted();
    t.Number(50, ONDRIK_SAVED_FIELD(gSRInflowBottom), kInflowBottom).Defaulted();
    t.Whole(51, ONDRIK_SAVED_FIELD(VWPInterval), kWindSpacing).Defaulted();
    t.Whole(51, ONDRIK_SAVED_FIELD(VWPAutoInterval), kWindSpacing).Defaulted();
    t.Flag(51, ONDRIK_SAVED_FIELD(VWPAuto)).Defaulted();
    t.Box(52, ONDRIK_SAVED_FIELD(chkWindDigital)).Defaulted();
    t.WholeFlag(53, ONDRIK_SAVED_FIELD(ColorWinds)).Defaulted();
    t.WholeFlag(54, ONDRIK_SAVED_FIELD(DigitalWinds)).Defaulted();
    t.Whole(55, ONDRIK_SAVED_FIELD(hsbRate));
    t.Whole(56, ONDRIK_SAVED_FIELD(hsbDelay));
    t.Number(57, ONDRIK_SAVED_FIELD(gMapWest), kLongitude).Group(kExtent).Defaulted();
    t.Number(57, ONDRIK_SAVED_FIELD(gMapNorth), kLatitude).Group(kExtent).Defaulted();
    t.Number(57, ONDRIK_SAVED_FIELD(gMapEast), kLongitude).Group(kExtent).Defaulted();
    t.Number(57, ONDRIK_SAVED_FIELD(gMapSouth), kLatitude).Group(kExtent).Defaulted();
    t.Box(58, ONDRIK_SAVED_FIELD(chkLayer2Layer));
    for (int i = 0; i < 8; ++i) t.Whole(59, ONDRIK_SAVED_ELEMENT(gWindowGeometry, i), kInt32).Defaulted();
    t.Number(60, ONDRIK_SAVED_FIELD(OmegaRange));
    t.Box(61, ONDRIK_SAVED_FIELD(chkCapeShearHistory));
    t.Box(62, ONDRIK_SAVED_FIELD(chkCapeShearVariability));
    t.Flag(63, ONDRIK_SAVED_FIELD(gOverlayAll)).Defaulted();
    t.Box(64, ONDRIK_SAVED_FIELD(chkMapSelection));
    for (int i = 0; i < kMapLayers; ++i) t.Box(65, ONDRIK_SAVED_ELEMENT(chkMap, i));
    t.Box(66, ONDRIK_SAVED_FIELD(chkIndcyBar));
    t.Box(66, ONDRIK_SAVED_FIELD(chkIndicyBox));
    t.Box(66, ONDRIK_SAVED_FIELD(chkIndcyCircle));
    return t.Done();
  }();
  return items;
}

HistoryFile HistoryDefaults(const IndexThresholdTable& defaultThresholds) {
  HistoryFile h;
  h.gIndexThresholds = defaultThresholds;
  return h;
}

HistoryRead ReadHistory(std::optional<std::string_view> text, const HistoryFile& current,
                        const IndexThresholdTable& defaultThresholds) {
  const std::vector<Item<HistoryFile>>& items = HistoryRecord();
  std::vector<std::size_t> unread;
  HistoryRead r;
  static_cast<ReadResult<HistoryFile>&>(r) =
      ReadRecord(text, items, current, /*header=*/true, &ExtentOk, &unread);
  HistoryFile& h = r.value;

  // Defaults: of every value when the file could not be used or ends early,
  // else of the values not read.
  const HistoryFile defaults = HistoryDefaults(defaultThresholds);
  r.defaultsStep = !r.Usable() || r.truncated;
  if (r.defaultsStep) {
    for (const Item<HistoryFile>& item : items)
      if (item.defaulted) CopyValue(item, defaults, h);
  } else {
    for (std::size_t i : unread)
      if (items[i].defaulted) CopyValue(items[i], defaults, h);
  }

  CorrectInflowLayer(h.gSRInflowDepth, h.gSRInflowBottom);
  for (int i : {2, 3, 6, 7})  // Tops and Lefts
    if (h.gWindowGeometry[i] < kFarOffScreen) h.gWindowGeometry[i] = 0;
  CorrectOmegaRange(h.OmegaRange);
  return r;
}

std::string WriteHistory(const HistoryFile& history) { return HeaderLine() + WriteItems(HistoryRecord(), history); }

}  // namespace ondrik::saved
