// The map panel's four presets "MapPreset.M<n>": the extent and the five
// outline layers, saved and loaded by the two rows of buttons on the layer
// panel.
#include <QFrame>
#include <QGridLayout>
#include <QPushButton>

#include <optional>
#include <string>
#include <string_view>

#include "core/guards.h"
#include "panels/map.h"
#include "platform/controls.h"
#include "platform/savedfiles.h"
#include "savedstate/mappreset.h"

namespace ondrik {

namespace {

// The files hold the layers from "Country" to "Canada", the panel the other
// way round.
constexpr size_t BoxOfFile(size_t i) { return kMapLayerCount - 1 - i; }

}  // namespace

void MapPanel::BuildPresetButtons(QGridLayout* grid, int row) {
  for (int n = 0; n < kMapPresets; ++n) {
    const QString caption = QString::number(n + 1);
    auto* load = new QPushButton(caption, pnlMapSelection_);
    load->setObjectName(QString("btnMapPresetLoad%1").arg(n));
    load->setToolTip("Load the map preset " + caption);
    load->setFocusPolicy(Qt::NoFocus);
    load->setFixedSize(22, 18);
    QObject::connect(load, &QPushButton::clicked, load, [this, n] { btnMapPresetLoad_Click(n); });
    auto* save = new QPushButton(caption, pnlMapSelection_);
    save->setObjectName(QString("btnMapPresetSave%1").arg(n));
    save->setToolTip("Save the map as preset " + caption);
    save->setFocusPolicy(Qt::NoFocus);
    save->setFixedSize(22, 18);
    QObject::connect(save, &QPushButton::clicked, save, [this, n] { btnMapPresetSave_Click(n); });
    grid->addWidget(load, row, n);
    grid->addWidget(save, row + 1, n);
  }
}

void MapPanel::btnMapPresetSave_Click(int index) {
  saved::MapPreset p;
  p.gMapWest = extent_.west;
  p.gMapNorth = extent_.north;
  p.gMapEast = extent_.east;
  p.gMapSouth = extent_.south;
  for (size_t i = 0; i < p.chkMap.size(); ++i) p.chkMap[i] = chkMap_[BoxOfFile(i)]->Value();
  WriteSavedFile(saved::MapPresetFileName(index), saved::WriteMapPreset(p));
}

// A preset never saved changes nothing. A short or bad file sets the boxes
// it holds and the extent only when all four of its values make one; the
// map is drawn once, after the loading state is given back.
void MapPanel::btnMapPresetLoad_Click(int index) {
  const std::optional<std::string> text = ReadSavedFile(saved::MapPresetFileName(index));
  if (!text) return;
  saved::MapPreset current;
  current.gMapWest = extent_.west;
  current.gMapNorth = extent_.north;
  current.gMapEast = extent_.east;
  current.gMapSouth = extent_.south;
  for (size_t i = 0; i < current.chkMap.size(); ++i) current.chkMap[i] = chkMap_[BoxOfFile(i)]->Value();
  const saved::ReadResult<saved::MapPreset> r = saved::ReadMapPreset(std::string_view(*text), current);
  if (!r.Usable()) return;
  const saved::MapPreset& p = r.value;
  {
    const LoadingStateGuard loading;
    SetMapExtent({p.gMapWest, p.gMapNorth, p.gMapEast, p.gMapSouth});
    for (size_t i = 0; i < p.chkMap.size(); ++i) chkMap_[BoxOfFile(i)]->SetValue(p.chkMap[i]);
  }
  if (gLoadingState) return;
  RedrawMap();
  RefreshMap();
}

}  // namespace ondrik
