// The program Wexfold: Ondrik's reset utility. It works on the files in its
// own folder (Ondrik's program folder) and in Ondrik's saved-state folder.
#include <QApplication>

#include <cstdio>

#include "reset/effects.h"
#include "reset/folders.h"
#include "reset/frnwexfold.h"

int main(int argc, char** argv) {
  const bool display = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (!display && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fprintf(stderr,
                 "Wexfold: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); the reset utility "
                 "is a window and needs one.\n");
    return 2;
  }
  QApplication app(argc, argv);
  wexfold::QtEffects effects;
  wexfold::frnWexfold window(effects, wexfold::DefaultFolders());
  window.show();
  return QApplication::exec();
}
