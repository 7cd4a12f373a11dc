#include "platform/busycursor.h"

#include <QApplication>
#include <QCursor>

namespace ondrik {

BusyCursor::~BusyCursor() {
  while (depth_ > 0) Set(false);
}

void BusyCursor::Set(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++depth_;
  } else if (depth_ > 0) {
    if (qApp != nullptr) QApplication::restoreOverrideCursor();
    --depth_;
  }
}

}  // namespace ondrik
