// Finding a control of a window or panel by its object name in tests.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

#include <stdexcept>

namespace ondrik::testing {

// A control by its object name (with an index for the control arrays:
// "chkefname", 6 is "chkefname6"); a missing one fails the test.
template <typename T>
T* Ctl(const QWidget& w, const QString& name) {
  T* c = w.findChild<T*>(name);
  if (c == nullptr) {
    ADD_FAILURE() << "no control " << name.toStdString();
    throw std::runtime_error("no control " + name.toStdString());
  }
  return c;
}
template <typename T>
T* Ctl(const QWidget& w, const QString& name, int index) {
  return Ctl<T>(w, name + QString::number(index));
}

}  // namespace ondrik::testing
