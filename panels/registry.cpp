#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include "panels/panel.h"

namespace ondrik {

namespace {

// Hands a topic over when the left button goes down on the control; the
// control still gets the press.
class TopicClick : public QObject {
 public:
  TopicClick(QWidget* control, PanelHost& host, std::string topic)
      : QObject(control), host_(host), topic_(std::move(topic)) {
    control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
      host_.OpenTrainingLinks(topic_);
    return QObject::eventFilter(watched, event);
  }

 private:
  PanelHost& host_;
  std::string topic_;
};

QWidget* FindControl(QWidget* root, const std::string& name) {
  if (root == nullptr) return nullptr;
  const QString n = QString::fromStdString(name);
  if (root->objectName() == n) return root;
  return root->findChild<QWidget*>(n);
}

void ConnectTopics(const PanelEntry& e, SidePanel& p, PanelHost& host) {
  for (const TopicControl& t : e.topicControls) {
    QWidget* c = FindControl(p.Widget(), t.name);
    if (c == nullptr) c = FindControl(p.ButtonBar(), t.name);
    if (c != nullptr) new TopicClick(c, host, t.topic);
  }
}

}  // namespace

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

void PanelRegistry::ConnectTopicControls(PanelHost& host) {
  for (const Item& i : items_) ConnectTopics(i.entry, *i.panel, host);
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
