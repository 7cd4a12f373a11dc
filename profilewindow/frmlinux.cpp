#include "profilewindow/frmlinux.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <functional>

namespace ondrik {

namespace {

constexpr const char* kCrLf = "\r\n";

// A sketch of a dialog: a title bar, tabs with one chosen, and the body.
QPixmap Sketch(const QString& title, const QStringList& tabs, int chosenTab,
               const std::function<void(QPainter&, const QRect&)>& body) {
  QPixmap pm(230, 250);
  pm.fill(QColor(235, 235, 235));
  QPainter p(&pm);
  p.setPen(QColor(90, 90, 90));
  p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
  p.fillRect(1, 1, pm.width() - 2, 20, QColor(60, 90, 150));
  p.setPen(Qt::white);
  p.drawText(QRect(6, 1, pm.width() - 12, 20), Qt::AlignVCenter, title);
  int x = 6;
  for (int i = 0; i < tabs.size(); ++i) {
    const int w = p.fontMetrics().horizontalAdvance(tabs[i]) + 10;
    p.fillRect(x, 26, w, 18, i == chosenTab ? QColor(250, 250, 250) : QColor(215, 215, 215));
    p.setPen(QColor(90, 90, 90));
    p.drawRect(x, 26, w, 18);
    p.drawText(QRect(x, 26, w, 18), Qt::AlignCenter, tabs[i]);
    x += w + 2;
  }
  const QRect area(6, 44, pm.width() - 12, pm.height() - 50);
  p.fillRect(area, QColor(250, 250, 250));
  p.drawRect(area);
  body(p, area.adjusted(6, 6, -6, -6));
  return pm;
}

QPixmap OverridesExample() {
  return Sketch("Wine configuration", {"Applications", "Libraries", "Graphics"}, 1, [](QPainter& p, const QRect& r) {
    p.setPen(Qt::black);
    p.drawText(r.left(), r.top() + 12, "New override for library:");
    p.drawRect(r.left(), r.top() + 18, 140, 18);
    p.drawText(r.left() + 4, r.top() + 32, "oleaut32");
    p.drawRect(r.left() + 150, r.top() + 18, 50, 18);
    p.drawText(QRect(r.left() + 150, r.top() + 18, 50, 18), Qt::AlignCenter, "Add");
    p.drawText(r.left(), r.top() + 58, "Existing overrides:");
    const QRect list(r.left(), r.top() + 64, r.width(), 80);
    p.fillRect(list, Qt::white);
    p.drawRect(list);
    p.fillRect(list.left() + 1, list.top() + 2, list.width() - 2, 16, QColor(190, 210, 240));
    p.drawText(list.left() + 4, list.top() + 14, "*oleaut32 (native, builtin)");
    p.drawRect(r.right() - 50, r.bottom() - 18, 50, 18);
    p.drawText(QRect(r.right() - 50, r.bottom() - 18, 50, 18), Qt::AlignCenter, "OK");
  });
}

QPixmap ConfigureWineExample() {
  return Sketch("Applications", {"Wine"}, 0, [](QPainter& p, const QRect& r) {
    const char* items[] = {"Browse C: Drive", "Configure Wine", "Uninstall Wine Software", "Wine Help"};
    int y = r.top();
    for (int i = 0; i < 4; ++i) {
      if (i == 1) p.fillRect(r.left(), y, r.width(), 22, QColor(190, 210, 240));
      p.setPen(Qt::black);
      p.drawRect(r.left() + 4, y + 4, 14, 14);
      p.drawText(r.left() + 26, y + 16, items[i]);
      y += 28;
    }
  });
}

QLabel* Text(QWidget* parent, const QString& text, const QRect& at, const char* name) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setWordWrap(true);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setGeometry(at);
  return l;
}

}  // namespace

QString frmLinux::Label1Text() {
  return QString("It looks like you are installing Ondrik onto a Linux Workstation using WINE.  ") +
         "To enable all capabilities under Linux, Ondrik is installing WINE-related libraries. " + kCrLf + kCrLf +
         kCrLf + "Here is what we need you to do to implement these Linux libraries:" + kCrLf + kCrLf +
         "1) Run the 'Configure Wine' application.  See the example to the right.";
}

QString frmLinux::Label2Text() {
  return QString("2) When the 'Wine configuration' form appears, click on the 'Libraries' tab.") + kCrLf + kCrLf +
         "3) In the 'New override for library' entry field, enter 'oleaut32' without the quotes." + kCrLf + kCrLf +
         "4) Click the 'Add' button.  Your 'Existing overrides' entry should look like the example to the left.";
}

QString frmLinux::Label3Text() {
  return QString("5) IF everything looks good, click on the 'Wine configuratorion' form 'OK' button.") + kCrLf +
         kCrLf + "Great!  Ondrik has been optimized for Linux.  You should not have to install these libraries again";
}

frmLinux::frmLinux(QWidget* parent) : QDialog(parent) {
  setObjectName("frmLinux");
  setWindowTitle("Linux Library Setup");
  setFixedSize(860, 420);
  auto* left = new QLabel(this);
  left->setObjectName("picOverrides");
  left->setPixmap(OverridesExample());
  left->setGeometry(12, 12, 230, 250);
  auto* right = new QLabel(this);
  right->setObjectName("picConfigureWine");
  right->setPixmap(ConfigureWineExample());
  right->setGeometry(618, 12, 230, 250);
  Text(this, Label1Text(), QRect(256, 12, 350, 170), "Label1");
  Text(this, Label2Text(), QRect(256, 186, 350, 130), "Label2");
  Text(this, Label3Text(), QRect(12, 320, 700, 70), "Label3");
  auto* ok = new QPushButton("Done", this);
  ok->setObjectName("btnOK");
  ok->setGeometry(748, 378, 100, 28);
  connect(ok, &QPushButton::clicked, this, [this] { btnOK_Click(); });
}

void frmLinux::btnOK_Click() { accept(); }

}  // namespace ondrik
