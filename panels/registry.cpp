#include <QWidget>

#include "panels/panel.h"

namespace ondrik {

const std::vector<MapSite>& PanelHost::MapSites() const {
  static const std::vector<MapSite> none;
  return none;
}

const MapFeatureTable& PanelHost::MapFeatures() const {
  static const MapFeatureTable none;
  return none;
}

void PanelRegistry::Build(const std::vector<PanelEntry>& table, PanelHost& host, QWidget* parent) {
  for (const PanelEntry& e : table) {
    if (!e.make) continue;
    std::unique_ptr<SidePanel> p = e.make(host, parent);
    if (p == nullptr) continue;
    if (QWidget* w = p->Widget()) w->setVisible(false);
    if (QWidget* b = p->ButtonBar()) b->setVisible(false);
    Item item{e, std::move(p)};
    bool replaced = false;
    for (Item& old : items_) {
      if (old.entry.index == e.index) {
        old = std::move(item);
        replaced = true;
        break;
      }
    }
    if (!replaced) items_.push_back(std::move(item));
  }
}

SidePanel* PanelRegistry::Find(int index) const {
  for (const Item& i : items_)
    if (i.entry.index == index) return i.panel.get();
  return nullptr;
}

const PanelEntry* PanelRegistry::Entry(int index) const {
  for (const Item& i : items_)
    if (i.entry.index == index) return &i.entry;
  return nullptr;
}

bool PanelRegistry::Show(int index) {
  SidePanel* shown = Find(index);
  if (shown == nullptr) return false;
  for (const Item& i : items_) {
    if (i.panel.get() == shown) continue;
    if (QWidget* w = i.panel->Widget()) w->setVisible(false);
    if (QWidget* b = i.panel->ButtonBar()) b->setVisible(false);
    i.panel->Shown(false);
  }
  if (QWidget* w = shown->Widget()) w->setVisible(true);
  if (QWidget* b = shown->ButtonBar()) b->setVisible(true);
  shown->Shown(true);
  return true;
}

}  // namespace ondrik
