#include "reset/effects.h"

#include <QApplication>
#include <QByteArray>
#include <QGuiApplication>
#include <QIODevice>
#include <QMessageBox>

#include <cstdio>

namespace wexfold {

namespace {

bool IsOffscreenName(const QString& name) {
  return name.startsWith(QLatin1String("offscreen")) || name.startsWith(QLatin1String("minimal"));
}

}  // namespace

bool IsOffscreen() {
  if (IsOffscreenName(qEnvironmentVariable("QT_QPA_PLATFORM"))) return true;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    return IsOffscreenName(QGuiApplication::platformName());
  }
  return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void QtEffects::Message(QWidget* parent, const QString& text, const QString& title) {
  if (IsOffscreen() || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
    std::fflush(stderr);
    return;
  }
  QMessageBox::warning(parent, title, text);
}

qint64 QtEffects::Write(QIODevice& file, const QByteArray& data) { return file.write(data); }

}  // namespace wexfold
