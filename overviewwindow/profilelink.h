// What the overview window asks of the profile window: the values it reads
// (at load, and the inputs of every redraw) and the few commands it gives.
// The profile window implements it; the overview never reaches into the
// profile window's controls.
#pragma once

#include <array>
#include <optional>
#include <string>

#include <QImage>
#include <QSize>

#include "core/loadui.h"
#include "overview/state.h"
#include "platform/picturebox.h"

class QImage;

namespace ondrik {

class ProfileLink {
 public:
  virtual ~ProfileLink() = default;

  // ---- reads ----
  // The caption, the hour bar's value, the model's and configuration's
  // values and the present time.
  virtual OverviewInputs Inputs() const = 0;
  // hsbHour: its ends and value (Min may exceed Max).
  struct HourBar {
    int min = 0, max = 0, value = 0;
  };
  virtual HourBar Hours() const = 0;
  // vsbEE (the position of the current dataset among the shown ones) and
  // whether the overlay button btnEnsemble shows.
  struct DatasetBar {
    int max = 1, value = 1;
    bool visible = false;
    bool ensembleVisible = false;
  };
  virtual DatasetBar Datasets() const = 0;
  // The dataset boxes chkefname(0..19) and the count of the datasets they
  // select (lblSelectEnsemble).
  struct DatasetBoxState {
    std::array<std::string, kDatasetBoxCount> caption{};
    std::array<int, kDatasetBoxCount> value{};
    std::string summary;
    bool summaryVisible = false;
  };
  virtual DatasetBoxState Boxes() const = 0;
  // The level bars: vsbSigmaLevel (Min, Max, Value) and the mean-flow layer
  // vsbMeanFlow (Min of the upper bar, the values of both).
  struct LevelBars {
    int sigmaMin = 24, sigmaMax = 3, sigmaValue = 4;
    int meanMin1 = 24;
    int meanValue0 = 3, meanValue1 = 3;
  };
  virtual LevelBars Levels() const = 0;
  // The lake temperature label (deg F).
  virtual std::string LakeTemperatureCaption() const = 0;
  // The training links of a help topic (nothing outside training mode).
  virtual void OpenTrainingLinks(const std::string& topic) = 0;

  // ---- commands ----
  // Each sets a control of the profile window as a user would, which runs
  // its handler when the value changes.
  virtual void SetHour(int value) = 0;                   // hsbHour
  virtual void SetDataset(int value) = 0;                // vsbEE
  virtual void SetDatasetBox(int index, int value) = 0;  // chkefname(index)
  // The Overlay button (btnEnsemble): every shown dataset drawn or the
  // current one only, in both windows.
  virtual void ToggleOverlay() = 0;
  // The dataset boxes were set together with the loading state raised: the
  // shown datasets follow them and both windows are drawn again.
  virtual void DatasetBoxesSet() = 0;
  virtual void SetBourgouin(int value) = 0;              // chksWSYMb
  virtual void SetElevatedLevel(int level) = 0;          // vbsElevatedPT
  virtual void btnXfer_Click(int index) = 0;             // the momentum-transfer step
  // The hodograph layer (top and bottom button indexes) through the
  // hodograph's buttons, then the profile window's refresh.
  virtual void SetHodoLayer(Single top, Single bottom) = 0;
  // The overview snapshot's title: site, model and the first valid time.
  virtual std::string SnapshotTitle() const = 0;
  // Saves the overview snapshot as a PNG in the snapshot folder, named for
  // the suffix ("" the interactive "ondrikoverview.png"); the path, or none
  // (the failure reported) when it could not be saved.
  virtual std::optional<std::string> SaveSnapshot(const QImage& image, const std::string& suffix) = 0;
  // The profile window comes forward with the focus on its hour bar.
  virtual void BringForward() = 0;
  // The site's local offset one hour less (-1) or more (+1), kept in the
  // time-zone table; false when the table could not keep it.
  virtual bool AdjustTimeZone(int /*delta*/) { return false; }
  // The smoothed omega drawn (shared with the profile chart).
  virtual void SetOmegaSmooth(bool /*on*/) {}
  // Training mode on or off (the logo pictures of both windows).
  virtual void ToggleTrainingMode() {}
  // The configured browser of Linux mode.
  virtual std::string BrowserPath() const { return {}; }
  // The profile chart as a picture within room (pixels): the chart as the
  // window draws it when it fits, else drawn anew at the size that fits
  // (nullptr: none).
  virtual const PictureBox* ChartPicture(QSize /*room*/) { return nullptr; }
};

}  // namespace ondrik
