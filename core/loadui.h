// What loading a profile file does to the profile window's controls.
//
// The reader lives in the core library and has no windows. Every control the
// load touches goes through this interface, which the profile window
// implements. The reader calls the control methods only after the whole file
// has been read and the new data made current, so a file that fails to load
// leaves every control as it was. GetTimeZoneOffset is the one query asked
// while the file is still being read; it must not change what the window
// shows.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/store.h"

namespace ondrik {

inline constexpr int kDatasetBoxCount = 20;  // chkefname(0..19): 4 columns of 5

// Captions and visibility of the dataset check boxes. Box 5*(c-1)+(k-1)
// holds word k of title column c.
struct DatasetBoxes {
  std::array<std::string, kDatasetBoxCount> caption{};
  std::array<bool, kDatasetBoxCount> visible{};
};

// What a load does to the side panels' controls. The profile window passes
// each call on to every panel; a panel takes what concerns it.
class PanelLoadUi {
 public:
  virtual ~PanelLoadUi() = default;
  // The new file's data are current, before any control follows them: what
  // a panel keeps of the file shown before goes. Nothing is drawn.
  virtual void NewFileLoaded() {}
  // vsbSigmaLevel: Min, Max and Value (the value always lies between them).
  virtual void SetSigmaLevelBar(Integer /*min*/, Integer /*max*/, Integer /*value*/) {}
  // vsbMeanFlow(0) and vsbMeanFlow(1): their Min and Value.
  virtual void SetMeanFlowBars(Integer /*min0*/, Integer /*min1*/, Integer /*value0*/,
                               Integer /*value1*/) {}
  // btnHodoHeight_Click(index) and btnHodoBase_Click(index) of the hodograph.
  virtual void HodoHeightClick(Integer /*index*/) {}
  virtual void HodoBaseClick(Integer /*index*/) {}
  // Clears the map buffer to white and draws the map outlines again.
  virtual void RedrawMap() {}
};

class LoadUi : public PanelLoadUi {
 public:
  ~LoadUi() override = default;

  // Hours behind UTC of the site just read (west-positive longitude as
  // stored in gSiteLon). The window starts from the longitude rule
  // (TimeZoneOffsetOfLongitude), applies its time-zone table and the
  // configured correction, and remembers the table row it used. Asked once
  // per dataset while the file is read; the reader stores the answer of the
  // last dataset in gTZOffset.
  virtual Integer GetTimeZoneOffset(Single siteLat, Single siteLon) = 0;

  // Mouse pointer: the hourglass while a file loads (true), the default
  // pointer afterwards (false). Called in pairs, also around a failed load.
  virtual void SetBusyCursor(bool busy) = 0;
  // vbsElevatedPT: the elevated parcel returns to the surface (value 1).
  virtual void SetElevatedLevelBar(Integer value) = 0;
  // hsbHour: when its value is above valueLimit (the smallest last hour of
  // the loaded datasets) the value becomes valueLimit; then Max := lastHour
  // when timeLeftToRight, else Min := lastHour.
  virtual void SetHourBar(Integer lastHour, Integer valueLimit, bool timeLeftToRight) = 0;
  // btnEnsemble and vsbEE are visible only with more than one dataset.
  virtual void ShowEnsembleControls(bool visible) = 0;
  // The 20 dataset check boxes chkefname(0..19).
  virtual void SetDatasetBoxes(const DatasetBoxes& boxes) = 0;
  // chkefname_Click(0): apply the boxes to gDatasetShown and redraw both
  // windows. The last effect of a successful load is this redraw.
  virtual void DatasetsChanged() = 0;
  // The input focus goes to hsbHour.
  virtual void FocusHourBar() = 0;
};

// The longitude zone: whole hours behind UTC of a west-positive longitude
// (degrees), floor((lon + 7.5) / 15) east and west alike (75 W gives 5,
// 7.4 E gives 0, 10 E gives -1). A longitude that is not a number gives 0;
// the result never lies beyond kMaxZoneHours either way.
inline constexpr double kMaxZoneHours = 24;
inline Integer TimeZoneOffsetOfLongitude(Single siteLon) {
  const double zone = std::floor((static_cast<double>(siteLon) + 7.5) / 15.0);
  if (!std::isfinite(zone)) return 0;
  return static_cast<Integer>(std::clamp(zone, -kMaxZoneHours, kMaxZoneHours));
}

// A LoadUi that touches nothing; its time-zone offset is the longitude rule.
class NoLoadUi : public LoadUi {
 public:
  Integer GetTimeZoneOffset(Single /*siteLat*/, Single siteLon) override {
    return TimeZoneOffsetOfLongitude(siteLon);
  }
  void SetBusyCursor(bool) override {}
  void SetElevatedLevelBar(Integer) override {}
  void SetHourBar(Integer, Integer, bool) override {}
  void ShowEnsembleControls(bool) override {}
  void SetDatasetBoxes(const DatasetBoxes&) override {}
  void DatasetsChanged() override {}
  void FocusHourBar() override {}
};

}  // namespace ondrik
