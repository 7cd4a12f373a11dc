// The map (side panel "Map"): outline layers and the dots of the sites
// with data, over which the panel draws one overlay for the current dataset
// and hour: the radar bright band ("Bright Band"), else the wind at the
// sigma level ("Sigma Level"), else the mean wind of a layer ("Mean Wind"),
// with feature lines placed by the flow's direction and the travel times to
// the configured reference lines. A left click on a site's dot loads it;
// any other click zooms in (left button) or out about the click.
//
// Its button bar holds the two wind boxes (one at a time) and the button
// that shows the layer panel above the map (the layer boxes and "Bright
// Band"); the level bars of the wind boxes stand right of the map, the radar
// tilts under it while the bright band is shown; nothing covers it. The
// panel marks the sigma level, or else the mean-wind layer, beside the
// chart's wind column.
#pragma once

#include <array>
#include <optional>

#include "panels/mapdata.h"
#include "panels/panel.h"
#include "platform/picturebox.h"

class QFrame;
class QGridLayout;
class QLabel;
class QToolButton;

namespace ondrik {

class CheckBox;
class PictureBoxWidget;
class ScrollBar;

class MapPanel : public SidePanel {
 public:
  MapPanel(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  QWidget* ButtonBar() override;
  void Draw() override { RefreshMap(); }
  ChartMarks MarksFor(Integer D, Integer H) override;
  void SetSigmaLevelBar(Integer min, Integer max, Integer value) override;
  void SetMeanFlowBars(Integer min0, Integer min1, Integer value0, Integer value1) override;
  void RedrawMap() override;
  // The flows stored for the datasets of the file before go with it.
  void NewFileLoaded() override;
  void Capture(PanelSettings& into) const override;
  void Apply(const PanelSettings& from) override;

  // The map: the background copied to the picture and the overlay drawn.
  void RefreshMap();
  // The ticked layers and the site dots drawn into the background.
  void DrawMapOutlines();
  void picMap_MouseDown(int button, int shift, double x, double y);

  void chkMeanFlow_Click();
  void chkSigmaLevel_Click();
  void chkMap_Click(int index);
  void chkBrightBand_Click();
  void chkAngle_Click(int index);
  void vsbMeanFlow_Change(int index);
  void vsbSigmaLevel_Change();
  // The presets (panels/mappresets.cpp): buttons "1" to "4" of the two rows.
  static constexpr int kMapPresets = 4;
  void btnMapPresetSave_Click(int index);
  void btnMapPresetLoad_Click(int index);

  // What the last drawing left.
  const MapExtent& Extent() const { return extent_; }
  double MapMarkRadius() const { return markRadius_; }
  // The flow of the hour shown that the travel times of the dataset are
  // timed by: of the wind overlay that last drew for it, worked out for the
  // hour; none before the first, or where the hour's profile lacks its
  // levels.
  std::optional<Flow> StoredFlow(Integer D) const;
  // None when no travel times were printed (no flow stored).
  const std::optional<std::array<TravelTime, 2>>& TravelTimes() const { return travel_; }

 private:
  void BuildControls(QWidget* parent);
  void BuildPresetButtons(QGridLayout* grid, int row);
  void Layout();
  void LayerBoxClicked(CheckBox* box, CheckBox* other);
  void Redraw();
  // Gives both map pictures the extent; false when it has no width or height.
  bool SetMapExtent(const MapExtent& e);
  std::array<Integer, 2> MeanFlowLayer() const;
  void ApplyMapSettings(const PanelSettings& from);

  PanelHost& host_;
  QFrame* frameMap_;
  PictureBoxWidget* picMap_;
  QFrame* pnlMap_;
  CheckBox* chkMeanFlow_;
  CheckBox* chkSigmaLevel_;
  ScrollBar* vsbSigmaLevel_;
  QLabel* lblSigmaLevel_;
  std::array<ScrollBar*, 2> vsbMeanFlow_{};
  std::array<QLabel*, 2> lblMeanFlow_{};
  QLabel* lblThroughSigma_;  // "to" between the two bounds of the mean-wind layer
  QToolButton* btnMapSelection_;
  QFrame* pnlMapSelection_;
  std::array<CheckBox*, kMapLayerCount> chkMap_{};
  CheckBox* chkBrightBand_;
  QFrame* pnlBrightBand_;
  std::array<CheckBox*, 5> chkAngle_{};

  PictureBox picMapBuffer_;
  MapOutlines outlines_;
  MapExtent extent_;
  double markRadius_ = 0;
  // The wind overlay that drew each dataset's flow last, with its levels:
  // the travel times are worked out from it for the hour shown, so that
  // they never belong to another hour.
  struct FlowSource {
    bool sigma = false;
    Integer level = 0;               // the sigma level
    std::array<Integer, 2> layer{};  // the mean wind's levels
  };
  std::optional<Flow> FlowAt(Integer D, Integer H) const;
  std::array<std::optional<FlowSource>, kDatasetSlots> flowSource_{};
  std::optional<std::array<TravelTime, 2>> travel_;
};

}  // namespace ondrik
