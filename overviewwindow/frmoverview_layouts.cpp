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

// The colour a line button shows while its line is on (the colour kept in
// the button's tag), as the file holds it: blue, green, red bytes.
// btnCAPEkm(0) "Eql", (3) .. (6), (7) "Hail"; btnHeights(1) "LCL", (2) "LFC", (3) "Eql".
constexpr std::array<int, 6> kCapeButtons{0, 3, 4, 5, 6, 7};
using saved::Link;
using saved::LinkSwitch;
using saved::LevelOfSavedPressure;
using saved::PressureOfLevel;
using saved::Way;

// The control name of a record item ("chkRH" element 0 is "chkRH0").
std::string ControlName(const saved::Item<SavedLayout>& item) {
  std::string name = item.name;
  if (item.index >= 0) name += std::to_string(item.index);
  return name;
}

// The items of the record that are boxes of the box table, with their rows.
template <class F>
void ForEachBox(F&& f) {
  for (const saved::Item<SavedLayout>& item : saved::OverviewLayoutRecord()) {
    if (item.kind != saved::Kind::Whole || item.limits.lo != saved::kBox.lo || item.limits.hi != saved::kBox.hi)
      continue;
    if (const OverviewRow* row = RowNamed(ControlName(item))) f(item, row->id);
  }
}

Integer& BoxValue(const saved::Item<SavedLayout>& item, SavedLayout& s) {
  return std::get<Integer& (*)(SavedLayout&, int)>(item.at)(s, item.index);
}

// A line button: on in the window, its colour (on) or the button face in the
// file.
void LinkLine(Way way, Long& file, bool& on, Color colour) {
  if (way == Way::ToFile) file = on ? static_cast<Long>(colour) : saved::kButtonFace;
  else on = file != saved::kButtonFace;
}

// What a layout file holds of a layout, one list for writing and reading.
void LinkLayout(Way w, SavedLayout& s, OverviewLayout& l) {
  OverviewOptions& o = l.opt;
  ForEachBox([&](const saved::Item<SavedLayout>& item, BoxId id) { Link(w, BoxValue(item, s), o.box[static_cast<size_t>(id)]); });
  Link(w, s.SnowTechnique, o.SnowTechnique);
  Link(w, s.ECAPELowestClass, o.ECAPELowestClass);
  Link(w, s.SfcPresBottom, l.SfcPresBottom);
  Link(w, s.SfcPresSpan, l.SfcPresSpan);
  Link(w, s.gLICAxisTop, l.LICAxisTop);
  Link(w, s.gVisAxisTop, l.VisAxisTop);
  Link(w, s.gVentAxisTop, l.VentAxisTop);
  Link(w, s.DirTop, l.DirTop);
  Link(w, s.DirSpan, l.DirSpan);
  Link(w, s.IndexBottom, l.IndexBottom);
  Link(w, s.IndexSpan, l.IndexSpan);
  Link(w, s.VerticalUnit, o.VerticalUnit);
  Link(w, s.gXferIndex, l.XferIndex);
  LinkSwitch(w, s.TenMeterBase, o.TenMeterBase);
  Link(w, s.LogPSpan, l.LogPSpan);
  Link(w, s.PrecipBottom, l.PrecipBottom);
  Link(w, s.PrecipSpan, l.PrecipSpan);
  Link(w, s.TempBottom, l.TempBottom);
  Link(w, s.TempSpan, l.TempSpan);
  Link(w, s.RHLowestClass, o.RHLowestClass);
  Link(w, s.ContourIntervalIndex, o.ContourIntervalIndex);
  Link(w, s.ControlPage, o.ControlPage);
  Link(w, s.optLayerShear, o.LayerShearOption);
  Link(w, s.SigmaLevelPressure, l.SigmaLevelPres);
  Link(w, s.MeanWindPressure, l.MeanWindPres);
  Link(w, s.VWPInterval, o.VWPInterval);
  Link(w, s.VWPAutoInterval, o.VWPAutoInterval);
  LinkSwitch(w, s.VWPAuto, o.VWPAuto);
  Link(w, s.WindColorIndex, o.WindColorIndex);
  LinkSwitch(w, s.CloudShadeMode, o.CloudShadeMode);
  Link(w, s.HainesLevel, o.HainesLevel);
  Link(w, s.gSRInflowDepth, l.SRInflowDepth);
  Link(w, s.gSRInflowBottom, l.SRInflowBottom);
  for (size_t i = 0; i < kCapeButtons.size(); ++i) {
    const int k = kCapeButtons[i];
    LinkLine(w, s.btnCAPEkm[i], o.CapeLineOn[static_cast<size_t>(k)], CapeLineColour(k));
  }
  for (size_t i = 0; i < s.btnHeights.size(); ++i)
    LinkLine(w, s.btnHeights[i], o.HeightLineOn[i + 1], HeightLineColour(static_cast<int>(i) + 1));
}

SavedLayout ToSaved(OverviewLayout l) {
  SavedLayout s;
  LinkLayout(Way::ToFile, s, l);
  return s;
}

// What the file holds over the current layout.
OverviewLayout FromSaved(SavedLayout s, const OverviewLayout& current) {
  OverviewLayout l = current;
  LinkLayout(Way::FromFile, s, l);
  return l;
}

class FileSlots : public OverviewLayoutSlots {
 public:
  bool Save(int slot, const OverviewLayout& layout) override {
    return WriteSavedFile(saved::LayoutFileName(slot), saved::WriteOverviewLayout(ToSaved(layout)));
  }
  std::optional<OverviewLayout> Recall(int slot) const override { return Recall(slot, OverviewLayout{}); }
  std::optional<OverviewLayout> Recall(int slot, const OverviewLayout& current) const override {
    const std::optional<std::string> text = ReadSavedFile(saved::LayoutFileName(slot));
    if (!text) return std::nullopt;
    const saved::ReadResult<SavedLayout> r = saved::ReadOverviewLayout(std::string_view(*text), ToSaved(current));
    if (!r.Usable()) return std::nullopt;
    return FromSaved(r.value, current);
  }
};

}  // namespace

OverviewLayoutSlots& FileLayoutSlots() {
  static FileSlots files;
  return files;
}

OverviewLayout frmOverView::CaptureLayout() const {
  OverviewLayout l = ondrik::CaptureLayout(state_);
  const OverviewInputs in = profile_.Inputs();
  l.XferIndex = in.XferIndex;
  l.SigmaLevelPres = PressureOfLevel(vsbSigmaLevel->Value());
  l.MeanWindPres = {PressureOfLevel(vsbMeanWind[0]->Value()), PressureOfLevel(vsbMeanWind[1]->Value())};
  l.SRInflowDepth = in.SRInflowDepth;
  l.SRInflowBottom = in.SRInflowBottom;
  return l;
}

bool frmOverView::btnSave_Click(int index) {
  const bool saved = TheLayoutSlots().Save(index, CaptureLayout());
  FocusScrollBar();
  return saved;
}

void frmOverView::btnRecall_Click(int index) { RecallMacro(index); }

// Every box and option of the layout, set as the user would with the
// loading state raised, so that their handlers keep the options in step but
// draw nothing; then the hodograph layer through the profile window's
// buttons and one redraw. What the layout does not hold stays as it is; a
// slot never saved, or a file refused, changes nothing and draws nothing.
bool frmOverView::RecallMacro(int index) {
  const std::optional<OverviewLayout> l = TheLayoutSlots().Recall(index, CaptureLayout());
  if (!l) return false;
  {
    const LoadingStateGuard loading;
    for (const OverviewRow& r : OverviewRows()) SetBox(r.id, l->opt.box[static_cast<size_t>(r.id)]);
    ApplyLayoutRanges(*l, state_);
    DisplayECAPELabels();
    if (l->XferIndex != profile_.Inputs().XferIndex && l->XferIndex >= 0 && l->XferIndex <= 3)
      profile_.btnXfer_Click(l->XferIndex);
    const Integer xfer = profile_.Inputs().XferIndex;
    for (int k = 0; k < 4; ++k) SetBold(btnXferO[static_cast<size_t>(k)], k == xfer);
    if (const auto v = LevelOfSavedPressure(l->SigmaLevelPres)) vsbSigmaLevel->SetValue(*v);
    for (size_t i = 0; i < 2; ++i)
      if (const auto v = LevelOfSavedPressure(l->MeanWindPres[i])) vsbMeanWind[i]->SetValue(*v);
    btnVWPInterval->setText(QString::number(state_.opt.VWPInterval));
    btnVWPIntervalA->setText("A" + QString::number(state_.opt.VWPAutoInterval));
    SetBold(btnVWPIntervalA, state_.opt.VWPAuto != 0);
    SetBold(btnVWPInterval, state_.opt.VWPAuto == 0);
    btnControl_Click(state_.opt.ControlPage);
    ShowOptions();
  }
  const OverviewInputs in = profile_.Inputs();
  if (l->SRInflowDepth != in.SRInflowDepth || l->SRInflowBottom != in.SRInflowBottom)
    profile_.SetHodoLayer(l->SRInflowDepth, l->SRInflowBottom);
  ShowHelicityLayer();
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

void frmOverView::ShowHelicityLayer() {
  const OverviewInputs in = profile_.Inputs();
  Box(kBoxHelicity)->setText(QString::fromStdString("Helicity " + NumberText(in.SRInflowBottom) + " - " +
                                                    NumberText(in.SRInflowDepth) + " km"));
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
