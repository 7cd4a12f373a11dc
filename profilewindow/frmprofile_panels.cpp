// The profile window's side panels and control pages (switching, the chart's
// events for the panel shown, their settings).
#include <QPushButton>

#include <algorithm>

#include "platform/controls.h"

#include "core/shared.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/paneltable.h"

namespace ondrik {

// ---- side panels and control pages ----

void frmProfile::btnDisplay_Click(int index) {
  if (RightPanel != kArchivePanel) PreviousPanel = RightPanel;
  if (const PanelEntry* e = panels_.Entry(index); e != nullptr && !e->topic.empty())
    OpenTrainingLinks(e->topic);
  for (const auto& [i, button] : btnDisplay) SetBold(button, false);
  RightPanel = index;
  for (const auto& [i, button] : btnDisplay)
    if (i == index) SetBold(button, true);
  // The new panel is drawn before it shows.
  DisplayHour();
  panels_.Show(index);
  FocusHourBar();
}

void frmProfile::ShowPanelAgain(int index) {
  // The lists keep their entries until the next "Archive" click; a run
  // that has not filled them yet fills them as the click does.
  if (index == kArchivePanel && archive_.lblModel.empty())
    btnSelect_Click();
  else
    btnDisplay_Click(index);
}

void frmProfile::btnControl_Click(int index) {
  if (const PanelEntry* e = pages_.Entry(index); e != nullptr && !e->topic.empty()) OpenTrainingLinks(e->topic);
  SidePanel* opened = nullptr;
  if (index == ControlPanel) {
    ControlPanel = kNoControlPage;  // a click on the open page closes it
  } else {
    ControlPanel = index;
    opened = pages_.Find(index);
  }
  const auto& items = pages_.Items();
  for (size_t i = 0; i < items.size(); ++i) {
    const bool open = items[i].panel.get() == opened;
    SetBold(btnControl[i], open);
    if (QWidget* w = items[i].panel->Widget()) w->setVisible(open);
    items[i].panel->Shown(open);
  }
  FocusHourBar();
  if (const PanelEntry* e = pages_.Entry(ControlPanel); e != nullptr && e->refreshWhenOpened) DisplayHour();
}

PanelSettings frmProfile::CapturePanelSettings() const {
  PanelSettings s;
  for (const PanelRegistry* r : {&panels_, &pages_})
    for (const auto& item : r->Items()) item.panel->Capture(s);
  return s;
}

void frmProfile::ApplyPanelSettings(const PanelSettings& settings) {
  for (const PanelRegistry* r : {&panels_, &pages_})
    for (const auto& item : r->Items()) item.panel->Apply(settings);
}

// The precipitation-type panel's view is the window's: the elevated-level
// bar serves only the energy method, whose trail is at most 6 hours.
void frmProfile::SetThicknessView(bool thickness) {
  ShowThickness = thickness;
  vbsElevatedPT->setVisible(!thickness);
  if (!thickness && TrailHours() > 6) btnTails->setText("6");
}

int frmProfile::TrailHours() const { return std::max(0, btnTails->text().toInt()); }

// An edit of the winds on the side panel: the open control page (the storm
// matrix reads the storm motion and helicity) at once, the overview when the
// edit is done.
void frmProfile::WindsEdited(bool finished) {
  if (!FileLoaded || gLoadingState) return;
  if (SidePanel* page = pages_.Find(ControlPanel)) page->Draw();
  if (finished) RedrawOverview();
}

// ---- the chart's events go to the side panel shown ----

bool frmProfile::WantsCursorLevel() const {
  const SidePanel* p = ShownPanel();
  return p != nullptr && p->WantsCursorLevel();
}

void frmProfile::CursorLevel(Integer D, Integer H, Integer L) {
  if (SidePanel* p = ShownPanel()) p->CursorLevel(D, H, L);
}

bool frmProfile::TakeChartClick() {
  SidePanel* p = ShownPanel();
  return p != nullptr && p->TakeChartClick();
}

ChartMarks frmProfile::MarksFor(Integer D, Integer H) {
  SidePanel* p = ShownPanel();
  return p != nullptr ? p->MarksFor(D, H) : ChartMarks{};
}

}  // namespace ondrik
