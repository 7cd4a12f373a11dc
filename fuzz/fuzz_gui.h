// One GUI application for a fuzz target that draws (the picture box needs it
// to measure and draw text), on the offscreen platform. It is never
// destroyed: tearing Qt down among the other statics at exit is not safe.
#pragma once

#include <QGuiApplication>

namespace ondrik::fuzz {

inline void EnsureGuiApp() {
  if (QCoreApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "ondrik_fuzz";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);
}

}  // namespace ondrik::fuzz
