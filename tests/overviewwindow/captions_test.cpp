// Every caption of the windows shows whole, however it changed at run time:
// the text of each button, check box, option button and label fits the room
// the control gives it, and no control runs into another beside it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

// The caption of a control and the width its text has room for (none: a
// control without a caption of its own, or a label that wraps).
bool CaptionAndRoom(const QWidget* c, QString& caption, int& room) {
  QStyleOptionButton option;
  option.initFrom(c);
  const auto contents = [&](QStyle::SubElement e) { return c->style()->subElementRect(e, &option, c).width(); };
  if (const auto* b = qobject_cast<const QPushButton*>(c)) {
    caption = b->text(), room = contents(QStyle::SE_PushButtonContents);
  } else if (const auto* b = qobject_cast<const QCheckBox*>(c)) {
    caption = b->text(), room = contents(QStyle::SE_CheckBoxContents);
  } else if (const auto* b = qobject_cast<const QRadioButton*>(c)) {
    caption = b->text(), room = contents(QStyle::SE_RadioButtonContents);
  } else if (const auto* l = qobject_cast<const QLabel*>(c); l != nullptr && !l->wordWrap()) {
    caption = l->text(), room = l->contentsRect().width() - 2 * std::max(0, l->margin());
  } else {
    return false;
  }
  return !caption.isEmpty();
}

// What is wrong with the captions shown in a window, one line each.
std::set<std::string> Faults(QWidget* window) {
  std::set<std::string> faults;
  for (QWidget* c : window->findChildren<QWidget*>()) {
    QString caption;
    int room = 0;
    if (!c->isVisibleTo(window) || !CaptionAndRoom(c, caption, room)) continue;
    const std::string name = c->objectName().toStdString() + " \"" + caption.toStdString() + "\"";
    int need = 0;
    for (const QString& line : caption.split('\n')) need = std::max(need, c->fontMetrics().horizontalAdvance(line));
    if (need > room) faults.insert(name + " is cut: " + std::to_string(need) + " px in " + std::to_string(room));
    for (QWidget* o : c->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      QString other;
      int r = 0;
      if (o != c && o->isVisibleTo(window) && CaptionAndRoom(o, other, r) && o->geometry().intersects(c->geometry()))
        faults.insert(name + " runs into " + o->objectName().toStdString());
    }
  }
  return faults;
}

TEST_F(OverviewWindowTest, EveryCaptionShowsWholeWhateverItChangedTo) {
  frmProfile& w = Start();
  Open(w);
  const auto overview = [] { return Overview(); };
  const auto page = [&](int p) { Ctl<QAbstractButton>(*overview(), "btnControl", p)->click(); };
  const struct {
    const char* road;
    std::function<void()> change;
  } roads[] = {
      {"the overview's pages", [&] { for (int p = 0; p < kOverviewPageCount; ++p) page(p); }},
      {"both snowfall warnings",
       [&] {
         page(kPagePrecip);
         const std::set<QString> warnings = {"Don't Use This Operationally", "Left In to Demo Error"};
         std::set<QString> seen;
         for (int k = 0; k < 128 && seen != warnings; ++k) {
           CheckBox* box = Ctl<CheckBox>(*overview(), "chkSnowFall");
           box->SetValue(1 - box->Value());
           if (warnings.count(box->text())) seen.insert(box->text());
           for (const std::string& f : Faults(overview())) ADD_FAILURE() << box->text().toStdString() << ": " << f;
         }
         EXPECT_EQ(seen, warnings);
       }},
      {"the fixed snow ratio", [&] {
         Ctl<QAbstractButton>(*overview(), "optSnowTechnique", 3)->click();
         Ctl<ScrollBar>(*overview(), "hsbRatio")->SetValue(30);
       }},
      {"the helicity layers", [&] {
         page(kPageWind);
         for (int top = 1; top <= 10; ++top)
           for (int base = 0; base <= 3; ++base) w.HodoHeightClick(top), w.HodoBaseClick(base);
       }},
      {"the profile window's panels and pages", [&] {
         for (int i = 0; i < 9; ++i) w.btnDisplay_Click(i);
         for (int i = 0; i < 6; ++i) w.btnControl_Click(i);
       }},
      {"an ensemble at every hour", [&] {
         Ensemble(w);
         for (int i = 0; i < 9; ++i) {
           w.btnDisplay_Click(i);
           for (int h = 0; h <= gLastHour(1); h += 7) Ctl<ScrollBar>(w, "hsbHour")->SetValue(h);
         }
       }},
  };
  for (const auto& r : roads) {
    r.change();
    for (QWidget* window : {static_cast<QWidget*>(&w), static_cast<QWidget*>(overview())})
      for (const std::string& f : Faults(window)) ADD_FAILURE() << r.road << ": " << f;
  }
}

}  // namespace
}  // namespace ondrik
