// The profile window's chart controls: the one table of the chart's check
// boxes (which builds them and drives their clicks), the chart's buttons, the
// mouse over the chart and its readout, and the chart redraw.
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "chart/cursor.h"
#include "chart/windcolumn.h"
#include "core/guards.h"
#include "core/preciptype.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/convectionpage.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/snapshot.h"

namespace ondrik {

#define ONDRIK_OPT(f) [](ChartOptions& o) -> bool& { return o.f; }

// The grid's boxes in their order (columns of eight), then the boxes on pages.
const std::vector<ChartBoxRow>& frmProfile::ChartBoxes() {
  static const std::vector<ChartBoxRow> rows = {
    {"chkSkewT", "Skew T", ONDRIK_OPT(chkSkewT), "Skew T", nullptr, -1, 0, 0,
     &frmProfile::SkewBoundsFollowBox, kDrawChart},
    {"chkLines", "Heights", ONDRIK_OPT(chkLines), "Heights", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkDryAdiabats", "Dry Adiabats", ONDRIK_OPT(chkDryAdiabats), "Dry Adiabats", nullptr, -1, 0, 0,
     nullptr, kDrawChart},
    {"chkClouds", "Clouds", ONDRIK_OPT(chkClouds), "Clouds", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkLayer2Layer", "Layer to Layer Shear", ONDRIK_OPT(chkLayer2Layer), "Layer to Layer Shear", nullptr, -1, 0, 0,
     nullptr, kDrawChart},
    {"chkRH0", "Rel Humidity", ONDRIK_OPT(chkRH[0]), "", "chkRH1", -1, 0, 0, nullptr, kDrawChart, true},
    {"chkRH1", "Rel Humidity (Ice)", ONDRIK_OPT(chkRH[1]), "", "chkRH0", -1, 0, 0, nullptr, kDrawChart, true},
    {"chkInversions", "Inversions", ONDRIK_OPT(chkInversions), "Inversions", nullptr, -1, 0, 0, nullptr,
     kDrawChart | kDrawMap},
    {"chkWetBulb", "Wet Bulb", ONDRIK_OPT(chkWetBulb), "Wet Bulb", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkIcing", "Icing", ONDRIK_OPT(chkIcing), "Icing", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkFP", "FrostPoint", ONDRIK_OPT(chkFP), "", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkLCL", "LCL", ONDRIK_OPT(chkLCL), "LCL", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkLFC", "LFC", ONDRIK_OPT(chkLFC), "LFC", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkEQL", "Equilibrium Lvl", ONDRIK_OPT(chkEQL), "Equlibrium Lvl", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkWBZ", "Wet Bulb Zero", ONDRIK_OPT(chkWBZ), "Wet Bulb Zero", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkCCL", "CCL", ONDRIK_OPT(chkCCL), "CCL", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkConvectiveTemp", "ConvctTemp", ONDRIK_OPT(chkConvectiveTemp), "Convective Temp", nullptr, -1, 0, 0, nullptr,
     kDrawChart},
    {"chkParcel", "CAPE", ONDRIK_OPT(chkParcel), "CAPE", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkCINS", "CINS", ONDRIK_OPT(chkCINS), "CINS", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkMomentum", "Momentum Xfer", ONDRIK_OPT(chkMomentum), "Momentum Xfer", nullptr, -1, 0, 0,
     &frmProfile::TransferButtonsFollowBox, kDrawChart},
    {"chkSnowGrowth", "Snow Growth", ONDRIK_OPT(chkSnowGrowth), "Snow Growth", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chkHailGrowth", "Hail Growth", ONDRIK_OPT(chkHailGrowth), "", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"chk10MWind", "2M Tmp/10M Wnd", ONDRIK_OPT(chk10MWind), "2M Tmp/10M Wnd", nullptr, -1, 0, 0, nullptr, kDrawChart},
    {"ChkOmega", "Omega", ONDRIK_OPT(ChkOmega), "Omega", nullptr, -1, 0, 0,
     &frmProfile::OmegaStripFollowsBox, kDrawChart},
    {"chkWindVector", "Vector Winds", ONDRIK_OPT(chkWindVector), "Vector Winds", nullptr, -1, 0, 0,
     &frmProfile::ColorWindsFollowBox, kDrawChart},
    {"chkWindDigital", "Digital Winds", ONDRIK_OPT(chkWindDigital), "Digital Winds", nullptr, -1, 0, 0,
     &frmProfile::DigitalWindsFollowBox, kDrawChart},
    {"chkActiveReadout", "Active Read Out", ONDRIK_OPT(chkActiveReadout), "Active Read Out", nullptr, -1, 0, 0,
     &frmProfile::ReadoutFollowsBox, kDrawChart},
    {"chksWSYMb", "Bourgouin Precip Type", ONDRIK_OPT(chksWSYMb), "Bourgoiun", nullptr, -1, 0, 0,
     &frmProfile::OverviewFollowsTypeSource, kDrawChart},
    // The lake page: the captions are labels of the page beside the boxes.
    {"chkLakeIndex", "", ONDRIK_OPT(chkLakeIndex), "Lake Index", nullptr, 0, 200, 4, nullptr, kDrawChart},
    {"chkMoistLakeIndex", "", ONDRIK_OPT(chkMoistLakeIndex), "Moist Lake Index", nullptr, 0, 200, 24, nullptr, kDrawChart},
    {"chkLIC", "", ONDRIK_OPT(chkLIC), "LI CAPE", nullptr, 0, 200, 44, nullptr, kDrawChart},
    // The convection page: the next refresh draws the frame.
    {"chkECAPE", "Elevated CAPE", ONDRIK_OPT(chkECAPE), "Elevated CAPE", nullptr, 3, 6, 6, nullptr, kDrawNone},
  };
  return rows;
}

#undef ONDRIK_OPT

namespace {

int RowOfBox(const std::vector<ChartBoxRow>& rows, const char* name) {
  for (size_t i = 0; i < rows.size(); ++i)
    if (std::string_view(rows[i].name) == name) return static_cast<int>(i);
  return -1;
}

}  // namespace

void frmProfile::BuildChartBoxes() {
  for (const ChartBoxRow& row : ChartBoxes()) {
    QWidget* parent = frameLeft;
    if (row.page >= 0) {
      SidePanel* page = pages_.Find(row.page);
      if (page == nullptr || page->Widget() == nullptr)
        throw std::logic_error(std::string("no control page for the chart box ") + row.name);
      parent = page->Widget();
    }
    auto* box = new CheckBox(QString::fromUtf8(row.caption), parent);
    box->setObjectName(row.name);
    box->setFocusPolicy(Qt::TabFocus);
    if (row.page >= 0) box->setGeometry(row.x, row.y, row.caption[0] == '\0' ? 18 : 120, 18);
    box->onClick = [this, &row] { ChartBoxClicked(row); };
    chartBoxes_.push_back(box);
  }
}

// The click of every chart box: the topic first, then the option, the box it
// excludes, the controls that follow it, and the redraw.
void frmProfile::ChartBoxClicked(const ChartBoxRow& row) {
  const std::vector<ChartBoxRow>& rows = ChartBoxes();
  const int i = static_cast<int>(&row - rows.data());
  if (row.topic[0] != '\0') OpenTrainingLinks(row.topic);
  const bool on = chartBoxes_[static_cast<size_t>(i)]->Value() != 0;
  row.field(chart_.opt) = on;
  if (row.guarded && gLoadingState) return;
  if (row.unticks != nullptr && on) {
    const int other = RowOfBox(rows, row.unticks);
    if (other >= 0 && chartBoxes_[static_cast<size_t>(other)]->Value() != 0) {
      const LoadingStateGuard loading;
      chartBoxes_[static_cast<size_t>(other)]->SetValue(0);
    }
  }
  if (row.follow != nullptr) (this->*row.follow)();
  ChartOptionsChanged();
  if (row.redraw & kDrawChart) PlotProfile();
  if ((row.redraw & kDrawMap) && !gLoadingState) RedrawMap();
}

void frmProfile::IndexThresholdsChanged() {
  chart_.in.LayerShearT1 = gIndexThresholds(kRowLayerShear, 1);
  chart_.in.LayerShearT2 = gIndexThresholds(kRowLayerShear, 2);
}

void frmProfile::ChartOptionsChanged() {
  for (const PanelRegistry* r : {&panels_, &pages_})
    for (const auto& item : r->Items()) item.panel->ChartOptionsChanged();
}

void frmProfile::SkewBoundsFollowBox() {
  const ChartOptions& o = chart_.opt;
  gChartTMin = o.chkSkewT ? o.SkewTMin : o.PlainTMin;
  gChartTMax = o.chkSkewT ? o.SkewTMax : o.PlainTMax;
}

void frmProfile::OmegaStripFollowsBox() {
  picOmega->setVisible(chart_.opt.ChkOmega);
  btnOmegaFiltered->setVisible(chart_.opt.ChkOmega);
  DrawOmegaScale();
}

void frmProfile::ColorWindsFollowBox() { btnColorWinds->setVisible(chart_.opt.chkWindVector); }

void frmProfile::DigitalWindsFollowBox() { btnDigitalWinds->setVisible(chart_.opt.chkWindDigital); }

void frmProfile::TransferButtonsFollowBox() { frmXfer->setVisible(chart_.opt.chkMomentum); }

void frmProfile::OverviewFollowsTypeSource() { RedrawOverview(); }

void frmProfile::ReadoutFollowsBox() {
  const bool on = chart_.opt.chkActiveReadout;
  btnActiveReadOut->setVisible(on);
  const int u = chart_.opt.ReadoutUnit;
  if (u >= 0 && u < static_cast<int>(btnPHK.size())) SetUnderline(btnPHK[static_cast<size_t>(u)], on);
  if (!on) {
    ForgetReadout(chart_);
    ShowReadout();
  }
}

// The buttons' faces and captions as the options give them.
void frmProfile::ShowChartButtons() {
  const ChartOptions& o = chart_.opt;
  for (int i = 0; i < static_cast<int>(btnPHK.size()); ++i) {
    SetBold(btnPHK[static_cast<size_t>(i)], i == o.VerticalUnit);
    SetUnderline(btnPHK[static_cast<size_t>(i)], i == o.ReadoutUnit && o.chkActiveReadout);
  }
  for (int i = 0; i < static_cast<int>(btnXfer.size()); ++i) SetBold(btnXfer[static_cast<size_t>(i)], i == o.gXferIndex);
  btnVWPInterval->setText(QString::number(o.WindLevelStep));
  btnVWPIntervalA->setText("A" + QString::number(o.WindAutoSpacing));
  SetBold(btnVWPInterval, !o.WindAutoMode);
  SetBold(btnVWPIntervalA, o.WindAutoMode);
}

void frmProfile::SetChartOptions(const ChartOptions& options) {
  const LoadingStateGuard loading;
  // Every value first, so that the clicks of the boxes that change (which
  // show and hide what follows them) see the buttons' new state.
  chart_.opt = options;
  const std::vector<ChartBoxRow>& rows = ChartBoxes();
  for (size_t i = 0; i < rows.size(); ++i)
    chartBoxes_[i]->SetValue(rows[i].field(chart_.opt) ? 1 : 0);
  ShowChartButtons();
}

// ---- buttons ----

// The chart's bounds keep at least 5 degrees between them: a step that
// would bring them closer is not taken.
void frmProfile::TempBoundStep(bool leftBound, int delta) {
  ChartOptions& o = chart_.opt;
  const Integer lo = o.chkSkewT ? o.SkewTMin : o.PlainTMin;
  const Integer hi = o.chkSkewT ? o.SkewTMax : o.PlainTMax;
  if ((leftBound ? hi - (lo + delta) : hi + delta - lo) < kMinChartTempSpan) return;
  if (leftBound) {
    (o.chkSkewT ? o.SkewTMin : o.PlainTMin) += delta;
    gChartTMin += delta;
  } else {
    (o.chkSkewT ? o.SkewTMax : o.PlainTMax) += delta;
    gChartTMax += delta;
  }
  PlotProfile();
}

void frmProfile::btnPHK_Click(int index) {
  Integer& unit = chart_.opt.VerticalUnit;
  if (index != unit && index >= 0 && index < static_cast<int>(btnPHK.size())) {
    if (unit >= 0 && unit < static_cast<int>(btnPHK.size())) SetBold(btnPHK[static_cast<size_t>(unit)], false);
    unit = index;
    SetBold(btnPHK[static_cast<size_t>(index)], true);
    PlotProfile();
  }
  FocusHourBar();
}

void frmProfile::btnXfer_Click(int index) {
  Integer& step = chart_.opt.gXferIndex;
  if (index != step && index >= 0 && index < static_cast<int>(btnXfer.size())) {
    if (step >= 0 && step < static_cast<int>(btnXfer.size())) SetBold(btnXfer[static_cast<size_t>(step)], false);
    step = index;
    SetBold(btnXfer[static_cast<size_t>(index)], true);
    PlotProfile();
    RedrawOverview();  // its transport winds follow the step
  }
  FocusHourBar();
}

void frmProfile::btnVWPInterval_Click() {
  ChartOptions& o = chart_.opt;
  if (o.WindAutoMode) {
    o.WindAutoMode = false;
    SetBold(btnVWPIntervalA, false);
    SetBold(btnVWPInterval, true);
  } else {
    o.WindLevelStep = o.WindLevelStep % 3 + 1;
    btnVWPInterval->setText(QString::number(o.WindLevelStep));
  }
  FocusHourBar();
  PlotProfile();
}

void frmProfile::btnVWPIntervalA_Click() {
  ChartOptions& o = chart_.opt;
  if (o.WindAutoMode) {
    o.WindAutoSpacing = o.WindAutoSpacing % 3 + 1;
    btnVWPIntervalA->setText("A" + QString::number(o.WindAutoSpacing));
  } else {
    o.WindAutoMode = true;
    SetBold(btnVWPInterval, false);
    SetBold(btnVWPIntervalA, true);
  }
  FocusHourBar();
  PlotProfile();
}

void frmProfile::btnColorWinds_Click() {
  chart_.opt.ColorWindsBySpeed = !chart_.opt.ColorWindsBySpeed;
  PlotProfile();
}

void frmProfile::btnDigitalWinds_Click() {
  chart_.opt.DigitalWindDirections = !chart_.opt.DigitalWindDirections;
  PlotProfile();
}

void frmProfile::btnOmegaFiltered_Click() {
  chart_.opt.gOmegaSmoothOn = !chart_.opt.gOmegaSmoothOn;
  if (!gLoadingState) PlotProfile();
}

void frmProfile::btnActiveReadOut_Click() {
  Integer& u = chart_.opt.ReadoutUnit;
  if (u >= 0 && u < static_cast<int>(btnPHK.size())) SetUnderline(btnPHK[static_cast<size_t>(u)], false);
  u = (u + 1) % 3;
  if (u >= 0 && u < static_cast<int>(btnPHK.size())) SetUnderline(btnPHK[static_cast<size_t>(u)], true);
}

void frmProfile::picOmega_MouseUp(int button) {
  Single& range = chart_.opt.OmegaRange;
  if (picOmega->isVisible()) {
    if (button == 1)
      range *= 0.7F;
    else if (button == 2)
      range /= 0.7F;
  }
  DrawOmegaScale();
  PlotProfile();
}

void frmProfile::vbsElevatedPT_Change() {
  gElevatedLevel = vbsElevatedPT->Value();
  if (FileLoaded && gDatasetCount > 0) DecidePrecipType();
  DisplayHour();
  RedrawOverview();  // its types of the decided source and their snow
}

// ---- the chart ----

void frmProfile::PlotProfile() {
  if (gLoadingState || !FileLoaded) return;
  chart_.in.CurHour = CurHour;
  try {
    ::ondrik::PlotProfile(picData->Pic(), chart_);
  } catch (const std::exception& e) {
    // A drawing step that fails is skipped; the rest of the window stands.
    PrintMessageLine("the chart of hour " + std::to_string(CurHour) + " could not be drawn: " + e.what());
  }
  picData->update();
  ReadoutAfterRedraw();
  emit ChartDrawn();
}

void frmProfile::PlotProfileUnderSnapshotTitles(const SnapshotRequest& req) {
  const QSize strip = chart_.opt.ChkOmega ? QSize(picOmega->Pic().PixelWidth(), picOmega->Pic().PixelHeight()) : QSize();
  chart_.in.TopBandPx = SnapshotTitlesBottomPx(picData->Pic(), ::ondrik::SnapshotTitle(req.siteId, req.modelName, req.valid0),
                                               SnapshotValidLine(req.validCur), strip);
  PlotProfile();
  chart_.in.TopBandPx = 0;
}

void frmProfile::HighlightChartLevel(Integer L) {
  if (!FileLoaded || gLoadingState) return;
  HighlightLevelBand(picData->Pic(), gCurDataset, CurHour, L);
  picData->update();
}

void frmProfile::DrawOmegaScale() {
  ::ondrik::DrawOmegaScale(picOmega->Pic(), chart_);
  picOmega->update();
}

// Shows the readout labels and the elevated-parcel frame as the chart left them.
void frmProfile::ShowReadout() {
  const ChartCursor& c = chart_.cursor;
  const std::pair<QLabel*, const ChartCursor::ReadoutLabel*> labels[5] = {
      {lblActiveTemp, &c.lblActiveTemp},
      {lblActiveDP, &c.lblActiveDP},
      {lblActiveDir, &c.lblActiveDir},
      {lblActiveKts, &c.lblActiveKts},
      {lblActiveAxis, &c.lblActiveAxis}};
  for (const auto& [label, r] : labels) {
    if (!r->Visible) {
      label->setVisible(false);
      continue;
    }
    label->setText(QString::fromStdString(r->Caption));
    label->adjustSize();
    const int w = r->WidthPx > 0 ? static_cast<int>(r->WidthPx) : label->width();
    const int h = r->HeightPx > 0 ? static_cast<int>(r->HeightPx) : label->height();
    label->setGeometry(static_cast<int>(std::lround(r->LeftPx)), static_cast<int>(std::lround(r->TopPx)), w, h);
    label->setVisible(true);
  }
  if (convectionPage_ != nullptr) convectionPage_->ShowParcel(c.frameECAPE);
}

void frmProfile::ReadoutAfterRedraw() {
  // A snapshot's picture (drawn under its titles) takes nothing of the mouse.
  const bool snapshot = chart_.in.TopBandPx != 0;
  if (const std::optional<QPointF> at = picData->PointerAt(); at && FileLoaded && !gLoadingState && !snapshot) {
    chart_.in.CurHour = CurHour;
    try {
      ::ondrik::picData_MouseMove(picData->Pic(), chart_, 0, 0, picData->Pic().MappedX(at->x()),
                                  picData->Pic().MappedY(at->y()));
    } catch (const std::exception& e) {
      PrintMessageLine(std::string("chart readout failed: ") + e.what());
    }
    picData->update();
  }
  ShowReadout();
}

void frmProfile::picData_MouseDown(int button, int shift, double x, double y) {
  if (!FileLoaded || gLoadingState) return;
  ::ondrik::picData_MouseDown(picData->Pic(), chart_, button, shift, x, y);
}

void frmProfile::picData_MouseMove(int button, int shift, double x, double y) {
  if (!FileLoaded || gLoadingState) return;
  chart_.in.CurHour = CurHour;
  try {
    ::ondrik::picData_MouseMove(picData->Pic(), chart_, button, shift, x, y);
  } catch (const std::exception& e) {
    PrintMessageLine(std::string("chart readout failed: ") + e.what());
  }
  picData->update();
  ShowReadout();
}

void frmProfile::picData_MouseUp(int button, int shift, double x, double y) {
  if (!FileLoaded || gLoadingState) return;
  chart_.in.CurHour = CurHour;
  try {
    ::ondrik::picData_MouseUp(picData->Pic(), chart_, button, shift, x, y);
  } catch (const std::exception& e) {
    PrintMessageLine(std::string("chart zoom failed: ") + e.what());
  }
  picData->update();
  ReadoutAfterRedraw();
}

void frmProfile::ReadoutLabel_MouseUp(QLabel* label, int button) {
  if (!FileLoaded || gLoadingState) return;
  if (label != lblActiveTemp && label != lblActiveDP && label != lblActiveDir && label != lblActiveKts) return;
  chart_.in.CurHour = CurHour;
  try {
    ZoomProfile(picData->Pic(), chart_, button);
  } catch (const std::exception& e) {
    PrintMessageLine(std::string("chart zoom failed: ") + e.what());
  }
  picData->update();
  ReadoutAfterRedraw();
  emit ChartDrawn();
}

}  // namespace ondrik
