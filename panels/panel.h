// The one interface of the profile window's side panels and control pages.
//
// A panel owns its picture or frame and whatever controls it carries, draws
// for the current dataset (gCurDataset) at the window's hour, and talks to
// the window only through PanelHost. The window builds its panels from a
// table (caption, topic, factory) and never looks inside them: it shows the
// chosen one, asks it to draw, passes it the chart's events and, for saved
// state, lets every panel capture and apply its own settings.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "core/loadui.h"
#include "core/store.h"
#include "panels/mapdata.h"
#include "panels/settings.h"

class QWidget;

namespace ondrik {

struct Config;

// What a panel may ask of the window that hosts it.
class PanelHost {
 public:
  virtual ~PanelHost() = default;
  // The hour shown (the value of hsbHour once DisplayHour has run).
  virtual Integer Hour() const = 0;
  // The chart's options, inputs and the dataset its last redraw showed.
  virtual const ChartState& Chart() const = 0;
  // The configuration read at start-up.
  virtual const Config& Settings() const = 0;
  // Hands a help topic to the training-link opener.
  virtual void OpenTrainingLinks(const std::string& topic) = 0;
  // Gives the input focus back to the hour scroll bar.
  virtual void FocusHourBar() = 0;
  // Redraws the chart (nothing while the loading state is raised).
  virtual void RedrawChart() = 0;
  // The window's whole refresh: labels, side panel, control page, chart.
  virtual void DisplayHour() = 0;
  // The winds, storm motion or helicity layer were edited on the panel shown:
  // whatever else shows a result of them is drawn again. While a drag goes
  // on (finished false) only what is quick to draw; at its end everything.
  virtual void WindsEdited(bool /*finished*/) {}
  // Redraws the overview when it is open (a setting of a panel changed what
  // its strips show, as the lake temperature does).
  virtual void RedrawOverview() {}
  // Marks level L of the current dataset and hour across the chart (a
  // second call for the same level takes the mark away; the next redraw
  // clears it). The Data panel's listing calls it for a clicked row.
  virtual void HighlightChartLevel(Integer /*L*/) {}

  // ---- for the map ----
  // The sites with data of the chosen model (the site list's map pass).
  virtual const std::vector<MapSite>& MapSites() const;
  // Selects a row of the site list, which loads that site's file.
  virtual void SelectSiteRow(int /*row*/) {}
  // The lookup table read at start-up.
  virtual const MapFeatureTable& MapFeatures() const;
  // gSigmaLevelStep of the chosen model: levels between the sigma level
  // and the neighbours its turn of wind is taken from.
  virtual Integer SigmaLevelStep() const { return 0; }
  // The precipitation-type panel's view, kept by the window: the thickness
  // nomogram (true) or the energy method. Setting it does the window's part
  // of the switch (the elevated-level bar shows only with the energy method,
  // whose trail is at most 6 hours) and draws nothing.
  virtual bool ThicknessView() const = 0;
  virtual void SetThicknessView(bool thickness) = 0;
  // The number of earlier hours the precipitation-type panel trails behind
  // the current one (the number on the window's trail button; 0 none).
  virtual int TrailHours() const = 0;
};

// A side panel or control page. Everything but the widget is optional.
//
// The load's effects on panels (PanelLoadUi) come to every panel after a file
// has been read and made current.
class SidePanel : public PanelLoadUi {
 public:
  ~SidePanel() override = default;

  // The picture or frame shown while the panel is chosen.
  virtual QWidget* Widget() = 0;
  // The panel's own row of buttons under it, shown and hidden with it.
  virtual QWidget* ButtonBar() { return nullptr; }
  // Draws for gCurDataset at host.Hour(). Panels that only hold controls
  // draw nothing.
  virtual void Draw() {}
  // Shown or hidden by the panel switch.
  virtual void Shown(bool /*visible*/) {}
  // Once at start-up, after the configuration has been read.
  virtual void Start() {}
  // A chart option changed (a box or button of the chart).
  virtual void ChartOptionsChanged() {}

  // ---- the chart's events while the panel is shown ----
  // The panel follows the cursor over the chart even without the readout.
  virtual bool WantsCursorLevel() const { return false; }
  virtual void CursorLevel(Integer /*D*/, Integer /*H*/, Integer /*L*/) {}
  // A click on the chart; true when the panel took it (no zoom then).
  virtual bool TakeChartClick() { return false; }
  // Levels (and a label) marked beside the wind column for dataset D, hour H.
  virtual ChartMarks MarksFor(Integer /*D*/, Integer /*H*/) { return {}; }

  // ---- saved state ----
  virtual void Capture(PanelSettings& /*into*/) const {}
  virtual void Apply(const PanelSettings& /*from*/) {}
};

// A control of a panel whose click only hands a help topic over: found by
// its object name in the panel's widget or button bar.
struct TopicControl {
  std::string name;
  std::string topic;
};

// One row of a panel table: the index the window's handlers, history and
// setups use, the button's caption ("" for a panel without a button), the
// help topic its button hands over ("" for none) and how to make it.
struct PanelEntry {
  using Factory = std::function<std::unique_ptr<SidePanel>(PanelHost& host, QWidget* parent)>;
  int index = 0;
  std::string caption;
  std::string topic;
  Factory make;
  // Control pages only: opening the page refreshes the window.
  bool refreshWhenOpened = false;
  // Controls of the panel that carry a topic and do nothing else.
  std::vector<TopicControl> topicControls = {};
};

// The panels of one kind (side panels or control pages), made from a table
// and found by index.
class PanelRegistry {
 public:
  PanelRegistry() = default;
  PanelRegistry(const PanelRegistry&) = delete;
  PanelRegistry& operator=(const PanelRegistry&) = delete;

  // Makes every panel of the table; a later row with the same index
  // replaces an earlier one.
  void Build(const std::vector<PanelEntry>& table, PanelHost& host, QWidget* parent);
  // From here on a click on a topic control of a row hands its topic to
  // host.OpenTrainingLinks (before the control's own handling). Called once
  // the window has named the panels' widgets.
  void ConnectTopicControls(PanelHost& host);

  // The panel and its table row by index; null when the index has none.
  SidePanel* Find(int index) const;
  const PanelEntry* Entry(int index) const;
  // Every panel, in table order.
  struct Item {
    PanelEntry entry;
    std::unique_ptr<SidePanel> panel;
  };
  const std::vector<Item>& Items() const { return items_; }

  // Shows the panel of `index` (with its button bar) and hides every other;
  // an index without a panel changes nothing. False in that case.
  bool Show(int index);

 private:
  std::vector<Item> items_;
};

}  // namespace ondrik
