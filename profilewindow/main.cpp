// The program Ondrik: the profile window runs the start-up and the program
// then lives in the window's event loop.
//
// Without a display the program runs on Qt's offscreen platform: it starts,
// loads the first site of the first model, renders the window into a PNG
// file and ends. The file is named by "--png=<file>" or the environment
// variable ONDRIK_PNG (default "ondrik-window.png" in the folder the program
// was started from). "--png=<file>" with a display does the same.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/effects.h"
#include "profilewindow/frmprofile.h"

int main(int argc, char** argv) {
  const bool noDisplay = std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr;
  if (noDisplay && std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);

  QApplication app(argc, argv);
  const QString startFolder = QDir::currentPath();

  std::string png;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a.rfind("--png=", 0) == 0)
      png = a.substr(6);
    else
      args.push_back(a);
  }
  if (png.empty() && std::getenv("ONDRIK_PNG") != nullptr) png = std::getenv("ONDRIK_PNG");
  const bool snapshotRun = !png.empty() || ondrik::IsBatchOrOffscreen();
  if (snapshotRun && png.empty()) png = "ondrik-window.png";
  // Form_Load makes the program folder current; the PNG goes where the user started.
  if (!png.empty()) png = QFileInfo(QDir(startFolder), QString::fromStdString(png)).absoluteFilePath().toStdString();

  ondrik::frmProfile window;
  if (!window.Form_Load(args)) return 1;

  if (snapshotRun) {
    QApplication::processEvents();
    if (!window.SaveWindowPng(png)) {
      std::fprintf(stderr, "Ondrik: could not write %s\n", png.c_str());
      return 1;
    }
    std::printf("Ondrik: window saved to %s\n", png.c_str());
    return 0;
  }
  return QApplication::exec();
}
