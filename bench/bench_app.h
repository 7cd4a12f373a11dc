// The one application of a benchmark run: pictures need a GUI application
// to measure and draw text, panels a widget one. Made on the offscreen
// platform by the first benchmark file that asks, and never destroyed
// (tearing Qt down among the other statics at exit is not safe).
#pragma once

#include <QApplication>

namespace ondrik::bench {

inline void EnsureApp() {
  if (QCoreApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "ondrik_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace ondrik::bench
