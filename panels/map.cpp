#include "panels/map.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QToolButton>

#include <cmath>
#include <cstdlib>
#include <vector>

#include <algorithm>

#include "core/guards.h"
#include "panels/mapdraw.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/pictureboxwidget.h"
#include "config/config.h"

namespace ondrik {

namespace {

constexpr int kBar = 17;          // width of a level bar
constexpr int kLabelHeight = 14;  // the level labels above the bars
constexpr int kTiltHeight = 20;   // the tilt boxes along the bottom

// The radar tilts: the caption is the elevation in degrees; the box's text
// colour is its ring's colour.
struct TiltRow {
  const char* caption;
  Color color;
};
constexpr std::array<TiltRow, 5> kTilts = {{{"0.5", kBlack}, {"1.5", kBlack}, {"2.4", kBlack}, {"3.4", kBlack},
                                            {"4.4", kBlack}}};

// The map fills what its frame leaves beside the level bars, under the layer
// panel and over the tilts.
class MapFrame : public QFrame {
 public:
  using QFrame::QFrame;
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QFrame::resizeEvent(e);
    if (onResize) onResize();
  }
};

QFrame* FramedPanel(QWidget* parent, const char* name) {
  auto* p = new QFrame(parent);
  p->setObjectName(name);
  p->setFrameShape(QFrame::Box);
  p->setAutoFillBackground(true);
  p->setVisible(false);
  return p;
}

CheckBox* MakeBox(const QString& caption, const QString& name, QWidget* parent) {
  auto* b = new CheckBox(caption, parent);
  b->setObjectName(name);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

QLabel* LevelLabel(const QString& name, QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setAlignment(Qt::AlignCenter);
  QFont f = l->font();
  f.setPointSizeF(7);
  l->setFont(f);
  return l;
}

}  // namespace

MapPanel::MapPanel(PanelHost& host, QWidget* parent)
    : host_(host), outlines_([](const std::string& name) { return FindFileNoCase(ProgramFolder(), name); }) {
  BuildControls(parent);
  PictureBox& pic = picMap_->Pic();
  picMapBuffer_.BackColor = kWhite;
  picMapBuffer_.Resize(pic.PixelWidth(), pic.PixelHeight());
  pic.BackColor = kWhite;
  pic.FontName = "Arial";
  pic.FontSize = 7;
  SetMapExtent(extent_);
  // The boxes start as a first run has them, before their clicks draw.
  ApplyMapSettings(PanelSettings{});

  chkMeanFlow_->onClick = [this] { chkMeanFlow_Click(); };
  chkSigmaLevel_->onClick = [this] { chkSigmaLevel_Click(); };
  vsbSigmaLevel_->onChange = [this] { vsbSigmaLevel_Change(); };
  for (int i = 0; i < 2; ++i) vsbMeanFlow_[static_cast<size_t>(i)]->onChange = [this, i] { vsbMeanFlow_Change(i); };
  for (int i = 0; i < kMapLayerCount; ++i) chkMap_[static_cast<size_t>(i)]->onClick = [this, i] { chkMap_Click(i); };
  chkBrightBand_->onClick = [this] { chkBrightBand_Click(); };
  for (int j = 0; j < static_cast<int>(kTilts.size()); ++j)
    chkAngle_[static_cast<size_t>(j)]->onClick = [this, j] { chkAngle_Click(j); };
  QObject::connect(btnMapSelection_, &QToolButton::toggled, pnlMapSelection_, [this] { Layout(); });
  picMap_->onMouseDown = [this](int button, int shift, double x, double y) { picMap_MouseDown(button, shift, x, y); };
  picMap_->onResize = [this] {
    // The background follows the picture's size.
    picMapBuffer_.Resize(picMap_->Pic().PixelWidth(), picMap_->Pic().PixelHeight(), picMap_->Pic().DeviceScale());
    RedrawMap();
    RefreshMap();
  };
  Layout();
}

void MapPanel::BuildControls(QWidget* parent) {
  auto* frame = new MapFrame(parent);
  frameMap_ = frame;
  frameMap_->setObjectName("frameMap");
  picMap_ = new PictureBoxWidget(frameMap_);
  picMap_->setObjectName("picMap");
  vsbSigmaLevel_ = new ScrollBar(Qt::Vertical, frameMap_);
  vsbSigmaLevel_->setObjectName("vsbSigmaLevel");
  vsbSigmaLevel_->setToolTip("Sigma level");
  lblSigmaLevel_ = LevelLabel("lblSigmaLevel", frameMap_);
  for (size_t i = 0; i < 2; ++i) {
    auto* b = new ScrollBar(Qt::Vertical, frameMap_);
    b->setObjectName(QString("vsbMeanFlow%1").arg(i));
    b->setToolTip(i == 0 ? "Mean wind: bottom" : "Mean wind: top");
    b->SetMax(1);  // level 1 at the bottom end; the load sets the top
    vsbMeanFlow_[i] = b;
    lblMeanFlow_[i] = LevelLabel(QString("lblMeanFlow%1").arg(i), frameMap_);
  }
  lblThroughSigma_ = LevelLabel("lblThroughSigma", frameMap_);
  lblThroughSigma_->setText("to");

  // The layer panel above the map: the outline layers and the bright band,
  // and beside them the presets.
  pnlMapSelection_ = FramedPanel(frameMap_, "pnlMapSelection");
  auto* grid = new QGridLayout(pnlMapSelection_);
  grid->setContentsMargins(3, 1, 3, 1);
  grid->setSpacing(0);
  grid->setHorizontalSpacing(4);
  for (int i = 0; i < kMapLayerCount; ++i) {
    chkMap_[static_cast<size_t>(i)] =
        MakeBox(kMapLayerCaptions[static_cast<size_t>(i)], QString("chkMap%1").arg(i), pnlMapSelection_);
    grid->addWidget(chkMap_[static_cast<size_t>(i)], i % 3, i / 3);
  }
  chkBrightBand_ = MakeBox("Bright Band", "chkBrightBand", pnlMapSelection_);
  grid->addWidget(chkBrightBand_, 2, 1);
  // The presets: load (upper row) and save (lower row).
  auto* presets = new QGridLayout;
  presets->setSpacing(1);
  BuildPresetButtons(presets, 0);
  grid->addLayout(presets, 0, 2, 3, 1, Qt::AlignRight | Qt::AlignVCenter);
  pnlMapSelection_->adjustSize();

  // The tilts under the map while the bright band is shown.
  pnlBrightBand_ = FramedPanel(frameMap_, "pnlBrightBand");
  auto* row = new QHBoxLayout(pnlBrightBand_);
  row->setContentsMargins(3, 0, 3, 0);
  row->setSpacing(2);
  for (size_t j = 0; j < kTilts.size(); ++j) {
    CheckBox* b = MakeBox(kTilts[j].caption, QString("chkAngle%1").arg(j), pnlBrightBand_);
    QPalette pal = b->palette();
    pal.setColor(QPalette::WindowText, ToQColor(kTilts[j].color));
    b->setPalette(pal);
    chkAngle_[j] = b;
    row->addWidget(b);
  }
  pnlBrightBand_->adjustSize();

  frame->onResize = [this] { Layout(); };

  pnlMap_ = new QFrame(parent);
  pnlMap_->setObjectName("pnlMap");
  chkMeanFlow_ = MakeBox("Mean Wind", "chkMeanFlow", pnlMap_);
  chkSigmaLevel_ = MakeBox("Sigma Level", "chkSigmaLevel", pnlMap_);
  chkMeanFlow_->setGeometry(2, 2, 88, 18);
  chkSigmaLevel_->setGeometry(92, 2, 94, 18);
  btnMapSelection_ = new QToolButton(pnlMap_);
  btnMapSelection_->setObjectName("btnMapSelection");
  btnMapSelection_->setText("Layers");
  btnMapSelection_->setToolTip("Map layers and the radar bright band");
  btnMapSelection_->setCheckable(true);
  btnMapSelection_->setFocusPolicy(Qt::TabFocus);
  btnMapSelection_->setGeometry(188, 1, 48, 20);
}

// Nothing lies over the map: the open layer panel takes the frame's top,
// the tilts its bottom, the level bars of the ticked wind box a column at
// its right; the map keeps its extent in the room that is left.
void MapPanel::Layout() {
  const bool sigma = chkSigmaLevel_->Value() != 0, mean = !sigma && chkMeanFlow_->Value() != 0;
  const bool layers = btnMapSelection_->isChecked(), band = chkBrightBand_->Value() != 0;
  vsbSigmaLevel_->setVisible(sigma);
  lblSigmaLevel_->setVisible(sigma);
  for (size_t i = 0; i < 2; ++i) {
    vsbMeanFlow_[i]->setVisible(mean);
    lblMeanFlow_[i]->setVisible(mean);
  }
  lblThroughSigma_->setVisible(mean);
  pnlMapSelection_->setVisible(layers);
  pnlBrightBand_->setVisible(band);

  const int w = frameMap_->width(), h = frameMap_->height();
  const int top = layers ? pnlMapSelection_->sizeHint().height() : 0;
  const int bottom = band ? kTiltHeight : 0;
  const int bars = mean ? 3 * kBar + 1 : sigma ? kBar + 1 : 0;
  pnlMapSelection_->setGeometry(0, 0, w, top);
  pnlBrightBand_->setGeometry(0, h - bottom, w, bottom);
  picMap_->setGeometry(0, top, std::max(1, w - bars), std::max(1, h - top - bottom));
  // The sigma bar shares the right edge with the mean wind's top bar; the
  // labels stand above the bars, and "to" joins the mean wind's two labels.
  const int x1 = w - kBar, x0 = x1 - 2 * kBar;
  const int barTop = top + kLabelHeight, barHeight = std::max(1, h - bottom - barTop);
  vsbSigmaLevel_->setGeometry(x1, barTop, kBar, barHeight);
  lblSigmaLevel_->setGeometry(x1, top, kBar, kLabelHeight);
  vsbMeanFlow_[0]->setGeometry(x0, barTop, kBar, barHeight);
  lblMeanFlow_[0]->setGeometry(x0, top, kBar, kLabelHeight);
  vsbMeanFlow_[1]->setGeometry(x1, barTop, kBar, barHeight);
  lblMeanFlow_[1]->setGeometry(x1, top, kBar, kLabelHeight);
  lblThroughSigma_->setGeometry(x0 + kBar, top, kBar, kLabelHeight);
}

QWidget* MapPanel::Widget() { return frameMap_; }
QWidget* MapPanel::ButtonBar() { return pnlMap_; }

// ---- the map ----

bool MapPanel::SetMapExtent(const MapExtent& e) {
  if (!UsableExtent(e)) return false;
  extent_ = e;
  ScaleToExtent(picMapBuffer_, e);
  ScaleToExtent(picMap_->Pic(), e);
  return true;
}

void MapPanel::RedrawMap() {
  ClearMap(picMapBuffer_);
  DrawMapOutlines();
}

void MapPanel::DrawMapOutlines() {
  std::array<bool, kMapLayerCount> ticked{};
  for (size_t i = 0; i < ticked.size(); ++i) ticked[i] = chkMap_[i]->Value() != 0;
  std::optional<MapPoint> current;
  if (gDatasetCount >= 1) current = MapPoint{gSiteLon(1), gSiteLat(1)};
  markRadius_ = ondrik::DrawMapOutlines(picMapBuffer_, ticked, outlines_, current, host_.MapSites());
}

void MapPanel::RefreshMap() {
  if (gLoadingState) return;
  PictureBox& pic = picMap_->Pic();
  if (picMapBuffer_.PixelWidth() != pic.PixelWidth() || picMapBuffer_.PixelHeight() != pic.PixelHeight() ||
      picMapBuffer_.DeviceScale() != pic.DeviceScale()) {
    picMapBuffer_.Resize(pic.PixelWidth(), pic.PixelHeight(), pic.DeviceScale());
    RedrawMap();
  }
  pic.CopyPicture(picMapBuffer_);
  // The mouse reads longitude and latitude of the map shown.
  pic.KeepMapping(extent_.west, extent_.north, extent_.east, extent_.south);
  pic.Mode = DrawMode::CopyPen;
  pic.DrawWidth = 1;
  pic.FillTransparent = true;
  travel_.reset();
  const Integer D = gCurDataset, H = host_.Hour();
  const bool drawable = host_.Chart().in.FileLoaded && D >= 1 && D <= gDatasetCount && H >= 0 && H <= gLastHour(D);
  if (drawable) {
    const MapFeatureTable& features = host_.MapFeatures();
    if (chkBrightBand_->Value() != 0) {
      std::vector<BeamTilt> tilts;
      for (size_t j = 0; j < kTilts.size(); ++j)
        if (chkAngle_[j]->Value() != 0)
          tilts.push_back({std::strtod(chkAngle_[j]->text().toStdString().c_str(), nullptr), kTilts[j].color});
      PlotBeamFreezingLevel(pic, D, H, tilts);
    } else {
      std::optional<Flow> flow;
      std::optional<FlowSource>& source = flowSource_[static_cast<size_t>(D)];
      if (chkSigmaLevel_->Value() != 0) {
        flow = DrawMapSigmaWind(pic, features, D, H, vsbSigmaLevel_->Value(), host_.SigmaLevelStep());
        if (flow) source = FlowSource{.sigma = true, .level = vsbSigmaLevel_->Value()};
      } else if (chkMeanFlow_->Value() != 0) {
        const std::array<Integer, 2> layer = MeanFlowLayer();
        flow = DrawMapMeanFlow(pic, features, D, H, layer[0], layer[1], gIndexThresholds(kRowLesMapRms, 1),
                               gIndexThresholds(kRowLesMapRms, 2));
        if (flow) source = FlowSource{.layer = layer};
      }
      // Travel times only for a flow some overlay of the dataset has drawn,
      // and only of the hour shown.
      if (!flow) flow = FlowAt(D, H);
      if (flow) {
        const Config& cfg = host_.Settings();
        std::array<ReferenceLine, 2> lines;
        for (size_t i = 0; i < 2; ++i)
          lines[i] = {cfg.gMapLineBearing[i + 1], cfg.gMapLineDist[i + 1], cfg.gMapLineMaxDist[i + 1]};
        travel_ = PrintMapTravelTimes(pic, lines, *flow);
      }
    }
  }
  picMap_->update();
}

void MapPanel::NewFileLoaded() {
  flowSource_.fill(std::nullopt);
  travel_.reset();
}

std::optional<Flow> MapPanel::FlowAt(Integer D, Integer H) const {
  if (D < 1 || D >= kDatasetSlots || D > gDatasetCount || H < 0 || H > gLastHour(D)) return std::nullopt;
  const std::optional<FlowSource>& source = flowSource_[static_cast<size_t>(D)];
  if (!source) return std::nullopt;
  if (source->sigma) return SigmaLevelFlow(D, H, source->level);
  const std::optional<MeanFlow> mean = LayerMeanFlow(D, H, source->layer[0], source->layer[1]);
  return mean ? std::optional<Flow>(mean->flow) : std::nullopt;
}

std::optional<Flow> MapPanel::StoredFlow(Integer D) const { return FlowAt(D, host_.Hour()); }

void MapPanel::picMap_MouseDown(int button, int /*shift*/, double x, double y) {
  if (button == 1) {
    for (const MapSite& s : host_.MapSites()) {
      if (std::fabs(x - s.lon) < markRadius_ && std::fabs(y - s.lat) < markRadius_) {
        host_.SelectSiteRow(s.row);
        return;
      }
    }
  }
  if (!SetMapExtent(ZoomedExtent(extent_, x, y, button))) return;
  RedrawMap();
  RefreshMap();
}

// ---- boxes and bars ----

void MapPanel::chkMeanFlow_Click() { LayerBoxClicked(chkMeanFlow_, chkSigmaLevel_); }
void MapPanel::chkSigmaLevel_Click() { LayerBoxClicked(chkSigmaLevel_, chkMeanFlow_); }

// The two boxes exclude each other; their bars follow them always, the
// redraw only outside a bulk change.
void MapPanel::LayerBoxClicked(CheckBox* box, CheckBox* other) {
  if (box->Value() != 0 && other->Value() != 0) {
    const LoadingStateGuard loading;
    other->SetValue(0);
  }
  Layout();
  Redraw();
}

namespace {

bool InBarRange(const ScrollBar& bar, int v) {
  return v >= std::min<int>(bar.Min, bar.Max) && v <= std::max<int>(bar.Min, bar.Max);
}

}  // namespace

// The two bars never hold the same level: the one moved steps on (bar 0 one
// level lower, bar 1 one higher); at the end of its range the other moves.
void MapPanel::vsbMeanFlow_Change(int index) {
  const size_t i = static_cast<size_t>(index), other = 1 - i;
  ScrollBar& bar = *vsbMeanFlow_[i];
  const int v = bar.Value();
  if (!gLoadingState && v == vsbMeanFlow_[other]->Value()) {
    const int away = v + 2 * index - 1;
    if (InBarRange(bar, away)) {
      bar.SetValue(away);  // runs this handler again
      return;
    }
    const int otherAway = v - (2 * index - 1);
    if (InBarRange(*vsbMeanFlow_[other], otherAway)) {
      const LoadingStateGuard loading;
      vsbMeanFlow_[other]->SetValue(otherAway);
    }
  }
  lblMeanFlow_[i]->setText(QString::number(bar.Value()));
  Redraw();
}

void MapPanel::Redraw() {
  if (gLoadingState) return;
  host_.RedrawChart();
  RefreshMap();
}

// A layer ticked by the user whose file is missing is drawn as nothing, and
// the user is told why.
void MapPanel::chkMap_Click(int index) {
  if (gLoadingState) return;
  RedrawMap();
  RefreshMap();
  if (chkMap_[static_cast<size_t>(index)]->Value() != 0 && outlines_.Layer(index) == nullptr)
    TheEffects().Message(MapLayerFileName(index) + " is missing from the program folder " + ProgramFolder() +
                             ", so the " + kMapLayerCaptions[static_cast<size_t>(index)] +
                             " layer has nothing to draw.",
                         "Map", MsgIcon::Information);
}

void MapPanel::chkBrightBand_Click() {
  Layout();
  RefreshMap();
}

void MapPanel::chkAngle_Click(int /*index*/) { RefreshMap(); }

void MapPanel::vsbSigmaLevel_Change() {
  lblSigmaLevel_->setText(QString::number(vsbSigmaLevel_->Value()));
  Redraw();
}

std::array<Integer, 2> MapPanel::MeanFlowLayer() const {
  return {vsbMeanFlow_[0]->Value(), vsbMeanFlow_[1]->Value()};
}

ChartMarks MapPanel::MarksFor(Integer, Integer) {
  ChartMarks m;
  if (chkSigmaLevel_->Value() != 0) {
    m.levels[0] = vsbSigmaLevel_->Value();
    m.levelCount = 1;
  } else if (chkMeanFlow_->Value() != 0) {
    m.levels = MeanFlowLayer();
    m.levelCount = 2;
  }
  return m;
}

void MapPanel::SetSigmaLevelBar(Integer min, Integer max, Integer value) {
  vsbSigmaLevel_->SetRange(min, max);
  vsbSigmaLevel_->SetValue(value);
  lblSigmaLevel_->setText(QString::number(vsbSigmaLevel_->Value()));
}

void MapPanel::SetMeanFlowBars(Integer min0, Integer min1, Integer value0, Integer value1) {
  vsbMeanFlow_[0]->SetMin(min0);
  vsbMeanFlow_[1]->SetMin(min1);
  vsbMeanFlow_[0]->SetValue(value0);
  vsbMeanFlow_[1]->SetValue(value1);
  for (size_t i = 0; i < 2; ++i) lblMeanFlow_[i]->setText(QString::number(vsbMeanFlow_[i]->Value()));
}

// ---- saved state ----

void MapPanel::Capture(PanelSettings& into) const {
  into.chkSigmaLevel = chkSigmaLevel_->Value() != 0;
  into.chkMeanFlow = chkMeanFlow_->Value() != 0;
  into.SigmaLevel = vsbSigmaLevel_->Value();
  into.MeanFlowLevels = {vsbMeanFlow_[0]->Value(), vsbMeanFlow_[1]->Value()};
  into.mapExtent = extent_;
  for (size_t i = 0; i < chkMap_.size(); ++i) into.chkMap[i] = chkMap_[i]->Value() != 0;
  into.MapSelectionShown = btnMapSelection_->isChecked();
  into.chkBrightBand = chkBrightBand_->Value() != 0;
  for (size_t j = 0; j < chkAngle_.size(); ++j) into.chkAngle[j] = chkAngle_[j]->Value() != 0;
}

void MapPanel::Apply(const PanelSettings& from) {
  {
    const LoadingStateGuard loading;
    chkSigmaLevel_->SetValue(from.chkSigmaLevel ? 1 : 0);
    chkMeanFlow_->SetValue(from.chkMeanFlow ? 1 : 0);
    vsbSigmaLevel_->SetValue(from.SigmaLevel);
    vsbMeanFlow_[0]->SetValue(from.MeanFlowLevels[0]);
    vsbMeanFlow_[1]->SetValue(from.MeanFlowLevels[1]);
    ApplyMapSettings(from);
  }
  Layout();
  RedrawMap();
  RefreshMap();
}

void MapPanel::ApplyMapSettings(const PanelSettings& from) {
  SetMapExtent(from.mapExtent);
  for (size_t i = 0; i < chkMap_.size(); ++i) chkMap_[i]->SetValue(from.chkMap[i] ? 1 : 0);
  btnMapSelection_->setChecked(from.MapSelectionShown);
  chkBrightBand_->SetValue(from.chkBrightBand ? 1 : 0);
  for (size_t j = 0; j < chkAngle_.size(); ++j) chkAngle_[j]->SetValue(from.chkAngle[j] ? 1 : 0);
}

}  // namespace ondrik
