// The program Ondrik: the profile window runs the start-up and the program
// then lives in the window's event loop.
//
// A batch run ("-CLOSE" on the command line) needs no display: when none is
// available the program draws on Qt's offscreen platform. It loads the file
// of the command line, saves the snapshots asked for (one line per saved
// picture on standard output) and ends with a non-zero exit status when a
// load or a snapshot failed.
#include <QApplication>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/effects.h"
#include "overviewwindow/frmoverview.h"
#include "profilewindow/frmprofile.h"

namespace {

bool HasDisplay() {
  auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0';
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// "-CLOSE" in any letter case, as the command line's own options are found.
bool AsksToClose(const std::vector<std::string>& args) {
  for (std::string a : args) {
    for (char& c : a) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (a.find("-CLOSE") != std::string::npos) return true;
  }
  return false;
}

// A run outside a desktop session (a batch started by a script or a
// scheduler, a window on a display reached from elsewhere) may have no
// folder of the user's session for Qt's runtime files. It gets the one Qt
// would take itself, so that Qt has nothing to warn about before the
// program's own lines; a folder of that name that is not this user's alone
// is left to Qt to judge.
void GiveRuntimeFolder() {
  const char* given = std::getenv("XDG_RUNTIME_DIR");
  if (given != nullptr && *given != '\0') return;
  std::error_code ec;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  const passwd* user = ::getpwuid(::getuid());
  const std::string folder = (ec ? std::filesystem::path("/tmp") : temp).string() + "/runtime-" +
                             (user != nullptr ? std::string(user->pw_name) : std::to_string(::getuid()));
  ::mkdir(folder.c_str(), 0700);
  struct stat st {};
  if (::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
      (st.st_mode & 0777) == 0700)
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool platformChosen = platform != nullptr && *platform != '\0';
  if (!HasDisplay() && !platformChosen) {
    if (!AsksToClose(args)) {
      ondrik::PrintMessageLine(
          "no display (neither DISPLAY nor WAYLAND_DISPLAY is set). A run without a display is a batch run: give a "
          "profile file, -PROFILE= and -CLOSE, for example\n  Ondrik NAM_KOKC.ond -PROFILE=A0A12 -CLOSE");
      return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  GiveRuntimeFolder();

  // A run that ends by itself has nobody to click a message away: messages
  // go to standard error.
  if (AsksToClose(args)) ondrik::SetBatchMode(true);

  QApplication app(argc, argv);
  // The overview's layouts live in the saved-state folder.
  ondrik::SetLayoutSlots(&ondrik::FileLayoutSlots());
  ondrik::frmProfile window;
  // Form_Load ends the program itself on "-CLOSE" (with the batch's exit
  // status) and when the configuration cannot be read.
  if (!window.Form_Load(args)) return 1;
  return QApplication::exec();
}
