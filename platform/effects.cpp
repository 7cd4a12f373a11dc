#include "platform/effects.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "platform/picturebox.h"
#include "savedstate/safefile.h"

namespace ondrik {

namespace {

std::atomic<bool> gBatch{false};
Effects* gInstalled = nullptr;

QStringList ToArgs(const std::vector<std::string>& args) {
  QStringList list;
  for (const std::string& a : args) list << ToQString(a);
  return list;
}

// A URL has a scheme of two letters or more ("C:/..." is a path).
bool LooksLikeUrl(const QString& s) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return scheme.match(s).hasMatch();
}

bool IsOffscreenName(const QString& name) {
  return name.startsWith(QLatin1String("offscreen")) || name.startsWith(QLatin1String("minimal"));
}

}  // namespace

void PrintMessageLine(const std::string& text) {
  // Each line of a text of several lines carries the name, so that every
  // line on standard error tells whose it is; line ends of either kind (a
  // box's "\r\n" too) end a line, an empty line keeps the name alone.
  std::string out;
  std::string_view rest = text;
  do {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    out += kProgramName;
    out += line.empty() ? ":" : ": ";
    out += line;
    out += '\n';
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  } while (!rest.empty());
  std::cerr << out << std::flush;
}

Effects& TheEffects() {
  static QtEffects qtEffects;
  return gInstalled != nullptr ? *gInstalled : qtEffects;
}

void SetEffects(Effects* e) { gInstalled = e; }

void SetBatchMode(bool batch) { gBatch = batch; }
bool IsBatchMode() { return gBatch; }

bool IsBatchOrOffscreen() {
  if (gBatch) return true;
  const QString env = qEnvironmentVariable("QT_QPA_PLATFORM");
  if (IsOffscreenName(env)) return true;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    return IsOffscreenName(QGuiApplication::platformName());
  }
  // No GUI application yet: a display is needed for one.
  return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// ---------------------------------------------------------------------------
// Qt implementation

namespace {

// The standard-error line of a box: its title only when it is not the
// program's own.
std::string BoxLine(const std::string& title, const std::string& text) {
  return title.empty() || title == kProgramName ? text : title + ": " + text;
}

bool NoBoxes() {
  return IsBatchOrOffscreen() || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr;
}

QMessageBox::Icon BoxIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtEffects::Message(const std::string& text, const std::string& title, MsgIcon icon) {
  if (NoBoxes()) {
    PrintMessageLine(BoxLine(title, text));
    return;
  }
  QMessageBox box(BoxIcon(icon), ToQString(title), ToQString(text), QMessageBox::Ok);
  box.exec();
}

bool QtEffects::Confirm(const std::string& text, const std::string& title, MsgIcon icon) {
  if (NoBoxes()) {
    PrintMessageLine(BoxLine(title, text) + " (answered Cancel)");
    return false;
  }
  QMessageBox box(BoxIcon(icon), ToQString(title), ToQString(text), QMessageBox::Ok | QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

bool QtEffects::Ask(const std::string& text, const std::string& title) {
  if (NoBoxes()) {
    PrintMessageLine(BoxLine(title, text) + " (answered No)");
    return false;
  }
  return QMessageBox::question(nullptr, ToQString(title), ToQString(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

bool QtEffects::OpenDocument(const std::string& pathOrUrl) {
  if (pathOrUrl.empty()) return false;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
  const QString s = ToQString(pathOrUrl);
  QUrl url;
  if (LooksLikeUrl(s)) {
    url = QUrl(s);
  } else if (s.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
    url = QUrl(QStringLiteral("http://") + s);
  } else {
    url = QUrl::fromLocalFile(s);
  }
  if (!url.isValid()) return false;
  return QDesktopServices::openUrl(url);
}

bool QtEffects::StartProgram(const std::string& program, const std::vector<std::string>& args,
                             bool /*hidden: programs started here have no console window to hide*/) {
  if (program.empty()) return false;
  return QProcess::startDetached(ToQString(program), ToArgs(args));
}

bool QtEffects::StartProgramAndWait(const std::string& program, const std::vector<std::string>& args,
                                    bool /*hidden*/, int timeoutMs) {
  if (program.empty()) return false;
  // Never wait without a limit: a non-positive time-out waits not at all.
  const int limit = timeoutMs > 0 ? timeoutMs : 0;
  QProcess proc;
  proc.setProcessChannelMode(QProcess::ForwardedChannels);
  proc.setStandardInputFile(QProcess::nullDevice());
  QElapsedTimer clock;
  clock.start();
  proc.start(ToQString(program), ToArgs(args));
  if (!proc.waitForStarted(std::max(limit, 1))) {
    // Could not start (missing program), or not even started in time.
    if (proc.state() != QProcess::NotRunning) {
      proc.kill();
      proc.waitForFinished(1000);
    }
    return false;
  }
  const int left = static_cast<int>(std::max<qint64>(0, limit - clock.elapsed()));
  if (proc.state() == QProcess::NotRunning || proc.waitForFinished(left)) return true;
  if (proc.state() == QProcess::NotRunning) return true;
  proc.kill();  // timed out: stop it so that it does not outlive the wait unnoticed
  proc.waitForFinished(1000);
  return false;
}

void QtEffects::EndProgram(int exitCode) {
  if (QCoreApplication::instance() != nullptr && QThread::currentThread()->loopLevel() > 0) {
    QCoreApplication::exit(exitCode);
    return;
  }
  std::exit(exitCode);
}

long long QtEffects::WriteFile(int fd, const char* data, long long size) {
  return saved::WriteAllBytes(fd, data, size);
}

// ---------------------------------------------------------------------------
// Fake for tests

void FakeEffects::Message(const std::string& text, const std::string& title, MsgIcon icon) {
  messages.push_back({text, title, icon});
}

bool FakeEffects::Ask(const std::string& text, const std::string& title) {
  questions.push_back({text, title, MsgIcon::Question});
  return answer;
}

bool FakeEffects::Confirm(const std::string& text, const std::string& title, MsgIcon icon) {
  questions.push_back({text, title, icon});
  return answer;
}

bool FakeEffects::OpenDocument(const std::string& pathOrUrl) {
  documents.push_back(pathOrUrl);
  return openResult;
}

bool FakeEffects::StartProgram(const std::string& program, const std::vector<std::string>& args,
                               bool hidden) {
  programs.push_back({program, args, hidden, false, 0});
  return startResult;
}

bool FakeEffects::StartProgramAndWait(const std::string& program,
                                      const std::vector<std::string>& args, bool hidden,
                                      int timeoutMs) {
  programs.push_back({program, args, hidden, true, timeoutMs});
  return startAndWaitResult;
}

void FakeEffects::EndProgram(int exitCode) { endCalls.push_back(exitCode); }

long long FakeEffects::WriteFile(int fd, const char* data, long long size) {
  if (diskSpace < 0) return saved::WriteAllBytes(fd, data, size);
  const long long fits = std::min(size, diskSpace);
  const long long written = fits > 0 ? saved::WriteAllBytes(fd, data, fits) : 0;
  if (written < 0) return -1;
  diskSpace -= written;
  if (written == size) return written;
  errno = ENOSPC;
  return -1;
}

}  // namespace ondrik
