// The overview's layouts: saving, recalling and the reset of the fields,
// and the layout files "Ondrik.SO<n>" of the saved-state folder.
//
// A layout file holds the boxes of the overview's box table under their
// control names (the file's record and the box table meet by name), the
// option values and axis ranges, the hodograph layer, and the CAPE-layer
// and height lines as the background colours of their buttons.
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <optional>
#include <string>
#include <string_view>

#include "core/guards.h"
#include "core/numberformat.h"
#include "core/shared.h"
#include "core/shear.h"
#include "overview/plotters.h"
#include "overviewwindow/frmoverview.h"
#include "platform/controls.h"
#include "platform/savedfiles.h"
#include "savedstate/link.h"
#include "savedstate/overviewlayout.h"

namespace ondrik {

namespace {

using SavedLayout = saved::OverviewLayout;
using saved::Link;
using saved::LinkSwitch;
using saved::LinkThrough;
using saved::Way;

// The CAPE-layer buttons in the order of the file: btnCAPEkm(0) "Eql",
// (3) .. (6), (7) "Hail"; the height lines are btnHeights(1) "LCL", (2)
// "LFC", (3) "Eql".
constexpr std::array<int, 6> kCapeButtons{0, 3, 4, 5, 6, 7};

// The control name of a record item ("chkRH" element 0 is "chkRH0").
std::string ControlName(const saved::Item<SavedLayout>& item) {
  std::string name = item.name;
  if (item.index >= 0) name += std::to_string(item.index);
  return name;
}

// The items of the record that are boxes of the box table, with their rows,
// in file order.
template <class F>
void ForEachBox(F&& f) {
  for (const saved::Item<SavedLayout>& item : saved::OverviewLayoutRecord()) {
    if (item.kind != saved::Kind::Whole || item.limits.lo != saved::kBox.lo || item.limits.hi != saved::kBox.hi)
      continue;
    if (const OverviewRow* row = RowNamed(ControlName(item))) f(item, *row);
  }
}

// A line button: on in the window, its colour (on) or the button face in
// the file; click(k) switches it.
template <class Click>
void LinkLine(Way way, Long& file, bool on, Color colour, Click&& click) {
  if (way == Way::ToFile) file = on ? static_cast<Long>(colour) : saved::kButtonFace;
  else if ((file != saved::kButtonFace) != on) click();
}

// A level bar held as the pressure of its level.
void LinkLevelBar(Way way, Single& file, ScrollBar& bar) {
  if (way == Way::ToFile) file = saved::PressureOfLevel(bar.Value());
  else if (const std::optional<Integer> level = saved::LevelOfSavedPressure(file)) bar.SetValue(*level);
}

// Selects an option button of a group from code (its click handler is the
// caller's to run).
template <size_t N>
void Check(const std::array<QRadioButton*, N>& group, Integer index) {
  if (index >= 0 && index < static_cast<Integer>(N)) group[static_cast<size_t>(index)]->setChecked(true);
}

class FileSlots : public OverviewLayoutSlots {
 public:
  using OverviewLayoutSlots::Recall;
  bool Save(int slot, const SavedLayout& layout) override {
    const std::string name = saved::LayoutFileName(slot), text = saved::WriteOverviewLayout(layout);
    return slot == saved::kScratchSlot ? WriteScratchFile(name, text) : WriteSavedFile(name, text);
  }
  // The scratch slot gives back what this process saved.
  std::optional<SavedLayout> Recall(int slot, const SavedLayout& current) const override {
    const std::string name = saved::LayoutFileName(slot);
    const std::optional<std::string> text =
        slot == saved::kScratchSlot ? ReadScratchFile(name) : ReadSavedFile(name);
    if (!text) return std::nullopt;
    const saved::ReadResult<SavedLayout> r = saved::ReadOverviewLayout(std::string_view(*text), current);
    if (!r.Usable()) return std::nullopt;
    return r.value;
  }
};

}  // namespace

OverviewLayoutSlots& FileLayoutSlots() {
  static FileSlots files;
  return files;
}

// The boxes of the file's lines first..last that are not grid boxes: each
// set as the user would, so that its handler keeps the options in step.
void frmOverView::LinkBoxes(Way w, SavedLayout& s, int first, int last) {
  ForEachBox([&](const saved::Item<SavedLayout>& item, const OverviewRow& row) {
    if (item.line < first || item.line > last || row.kind == BoxKind::Grid) return;
    LinkThrough(w, saved::IntOf(item, s), Box(row.id)->Value(), [&](int v) { SetBox(row.id, v); });
  });
}

// What a layout file holds, one list in the file's order for saving and
// recalling: every value linked to the control or field that holds it in
// the window. Recalling sets each value once, through its control, so
// that what depends on it (the index labels' factor, the snow ratio, the
// shear unit, the legends) is computed as a user's change would compute
// it. The grid boxes come last: they stand as saved, whichever grid the
// fields ticked on the way asked for. The hodograph layer waits in
// recalledLayer_ for the profile window's buttons.
void frmOverView::LinkLayout(Way w, SavedLayout& s) {
  OverviewOptions& o = state_.opt;
  OverviewFrame& f = state_.frame;
  LinkBoxes(w, s, 2, 9);
  LinkThrough(w, s.SnowTechnique, o.SnowTechnique, [this](Integer i) {
    Check(optSnowTechnique, i);
    optSnowTechnique_Click(i);
  });
  LinkBoxes(w, s, 11, 37);
  // The lowest elevated-CAPE class is taken before its box.
  LinkThrough(w, s.ECAPELowestClass, o.ECAPELowestClass, [this](Integer i) { lblECAPE_Click(i); });
  LinkBoxes(w, s, 38, 65);
  Link(w, s.SfcPresBottom, f.SfcPresBottom);
  Link(w, s.SfcPresSpan, f.SfcPresSpan);
  Link(w, s.gLICAxisTop, gLICAxisTop);
  Link(w, s.gVisAxisTop, gVisAxisTop);
  Link(w, s.gVentAxisTop, gVentAxisTop);
  Link(w, s.DirTop, f.DirTop);
  Link(w, s.DirSpan, f.DirSpan);
  Link(w, s.IndexBottom, f.IndexBottom);
  Link(w, s.IndexSpan, f.IndexSpan);
  LinkThrough(w, s.VerticalUnit, o.VerticalUnit, [this](Integer i) { btnPHK_Click(i); });
  LinkThrough(w, s.gXferIndex, profile_.Inputs().XferIndex, [this](Integer i) { btnXferO_Click(i); });
  LinkThrough(w, s.TenMeterBase, o.TenMeterBase != 0, [this](bool) { btnPressureBase_Click(); });
  Link(w, s.LogPSpan, f.LogPSpan);
  if (w == Way::FromFile) SetPlaneBottom(f, o.TenMeterBase != 0, gCurDataset);
  Link(w, s.PrecipBottom, f.PrecipBottom);
  Link(w, s.PrecipSpan, f.PrecipSpan);
  Link(w, s.TempBottom, f.TempBottom);
  Link(w, s.TempSpan, f.TempSpan);
  LinkThrough(w, s.RHLowestClass, o.RHLowestClass, [this](Integer i) {
    if (i >= 1) return lblRH_Click(i);
    state_.opt.RHLowestClass = i;  // no legend item: every class painted
    ShowRHLegend();
  });
  LinkThrough(w, s.ContourIntervalIndex, o.ContourIntervalIndex, [this](Integer i) {
    Check(chkCI, i);
    chkCI_Click(i);
  });
  LinkThrough(w, s.ControlPage, o.ControlPage, [this](Integer i) { btnControl_Click(i); });
  // Neither option chosen in the file: the choice stays.
  LinkThrough(w, s.optLayerShear, o.LayerShearOption, [this](std::array<bool, 2> v) {
    if (!v[0] && !v[1]) return;
    Check(optLayerShear, v[1] ? 1 : 0);
    optLayerShear_Click(v[1] ? 1 : 0);
  });
  LinkLevelBar(w, s.SigmaLevelPressure, *vsbSigmaLevel);
  LinkLevelBar(w, s.MeanWindPressure[0], *vsbMeanWind[0]);
  LinkLevelBar(w, s.MeanWindPressure[1], *vsbMeanWind[1]);
  Link(w, s.VWPInterval, o.VWPInterval);
  Link(w, s.VWPAutoInterval, o.VWPAutoInterval);
  LinkSwitch(w, s.VWPAuto, o.VWPAuto);
  LinkThrough(w, s.WindColorIndex, o.WindColorIndex, [this](Integer i) {
    Check(OptWindColor, i);
    OptWindColor_Click(i);
  });
  LinkThrough(w, s.CloudShadeMode, o.CloudShadeMode != 0, [this](bool) { btnClouds_Click(); });
  LinkThrough(w, s.HainesLevel, o.HainesLevel, [this](Integer i) { btnHaines_Click(i - 1); });
  LinkBoxes(w, s, 88, 97);
  const OverviewInputs in = profile_.Inputs();
  recalledLayer_ = {in.SRInflowDepth, in.SRInflowBottom};
  Link(w, s.gSRInflowDepth, recalledLayer_[0]);
  Link(w, s.gSRInflowBottom, recalledLayer_[1]);
  for (size_t i = 0; i < kCapeButtons.size(); ++i) {
    const int k = kCapeButtons[i];
    LinkLine(w, s.btnCAPEkm[i], o.CapeLineOn[static_cast<size_t>(k)], CapeLineColour(k), [this, k] { btnCAPEkm_Click(k); });
  }
  LinkBoxes(w, s, 101, 102);
  for (int k = 1; k <= 3; ++k)
    LinkLine(w, s.btnHeights[static_cast<size_t>(k - 1)], o.HeightLineOn[static_cast<size_t>(k)], HeightLineColour(k),
             [this, k] { btnHeights_Click(k); });
  LinkBoxes(w, s, 104, 104);
  ForEachBox([&](const saved::Item<SavedLayout>& item, const OverviewRow& row) {
    if (row.kind == BoxKind::Grid)
      LinkThrough(w, saved::IntOf(item, s), Box(row.id)->Value(), [&](int v) { SetBox(row.id, v); });
  });
}

SavedLayout frmOverView::CaptureLayout() {
  SavedLayout s;
  LinkLayout(Way::ToFile, s);
  return s;
}

bool frmOverView::btnSave_Click(int index) {
  const bool saved = TheLayoutSlots().Save(index, CaptureLayout());
  FocusScrollBar();
  return saved;
}

void frmOverView::btnRecall_Click(int index) { RecallMacro(index); }

// Every value of the layout through its control with the loading state
// raised, so that the handlers keep what depends on it in step but draw
// nothing; then the hodograph layer through the profile window's buttons
// and one redraw. What the layout does not hold stays as it is; a slot
// never saved, or a file refused, changes nothing and draws nothing.
bool frmOverView::RecallMacro(int index) {
  std::optional<SavedLayout> l = TheLayoutSlots().Recall(index, CaptureLayout());
  if (!l) return false;
  {
    const LoadingStateGuard loading;
    LinkLayout(Way::FromFile, *l);
    ShowOptions();
    DisplayECAPELabels();
  }
  const OverviewInputs in = profile_.Inputs();
  if (recalledLayer_[0] != in.SRInflowDepth || recalledLayer_[1] != in.SRInflowBottom)
    profile_.SetHodoLayer(recalledLayer_[0], recalledLayer_[1]);
  DrawTimeAxis();
  PlotData();
  return true;
}

// The layout buttons on the "Controls" page: save and recall F1 to F6,
// "Reset" and "Save SnapShot".
void frmOverView::BuildLayoutButtons() {
  QWidget* page = pnlControl[kPageControls];
  // Right of the height-axis buttons: a row to save and a row to recall.
  constexpr int xLabel = 344, x0 = xLabel + 44;
  const char* const rows[2][2] = {{"Save", "lblLayoutSave"}, {"Recall", "lblLayoutRecall"}};
  for (int r = 0; r < 2; ++r) {
    auto* l = new QLabel(rows[r][0], page);
    l->setObjectName(rows[r][1]);
    l->setGeometry(xLabel, 2 + r * 20, 42, 18);
  }
  for (int i = 0; i < 6; ++i) {
    const QString f = QString("F%1").arg(i + 1);
    QPushButton* save = MakeButton(page, f, QString("btnSave%1").arg(i));
    save->setToolTip("Save the layout " + f);
    save->setGeometry(x0 + i * 30, 2, 28, 18);
    connect(save, &QPushButton::clicked, this, [this, i] { btnSave_Click(i); });
    QPushButton* recall = MakeButton(page, f, QString("btnRecall%1").arg(i));
    recall->setToolTip("Recall the layout " + f);
    recall->setGeometry(x0 + i * 30, 22, 28, 18);
    connect(recall, &QPushButton::clicked, this, [this, i] { btnRecall_Click(i); });
  }
  QPushButton* reset = MakeButton(page, "Reset", "btnReset");
  reset->setGeometry(x0, 44, 88, 18);
  connect(reset, &QPushButton::clicked, this, [this] { btnReset_Click(); });
  QPushButton* snap = MakeButton(page, "Save SnapShot", "btnSnapshot");
  snap->setGeometry(x0 + 90, 44, 88, 18);
  connect(snap, &QPushButton::clicked, this, [this] { btnSnapshot_Click(); });
}

// "Reset": every field and strip off with one redraw; the grids, the plain
// options, the axis ranges and the option buttons stay.
void frmOverView::btnReset_Click() {
  {
    const LoadingStateGuard loading;
    for (const OverviewRow& r : OverviewRows()) {
      const bool field = (r.kind == BoxKind::Field || r.kind == BoxKind::Strip) && r.id != kBoxNow;
      if (field || r.id == kBoxVWPColor) SetBox(r.id, 0);
    }
    state_.opt.ECAPELowestClass = 0;
  }
  PlotData();
}

}  // namespace ondrik
