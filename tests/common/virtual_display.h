// A virtual X server of a test's own, for the runs of the program on a
// display. The server takes a free display number itself and tells it
// (-displayfd), so that no other server on the machine is met by guessing a
// number; the display is handed out only once it accepts a connection, and
// is looked at again before each use, so that a program is never started on
// a server that is not ready, or no longer there (another program starting
// servers of its own beside the test). A server that tells no number, or
// whose display takes no connection in time, is ended and another started.
#pragma once

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

namespace ondrik::testing {

// Whether X display number (":<n>" or "<n>") on this machine completes the
// X protocol's connection setup within wait: it answers the setup request of
// a client without authorisation with success, as a client of the program
// would be answered. The abstract socket is tried before the file one, as
// the X client library does.
inline bool AcceptsConnection(QString display, std::chrono::milliseconds wait = std::chrono::milliseconds(1000)) {
  if (display.startsWith(':')) display.remove(0, 1);
  const std::string path = "/tmp/.X11-unix/X" + display.toStdString();
  for (const bool abstract : {true, false}) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t at = abstract ? 1 : 0;
    if (at + path.size() + 1 > sizeof address.sun_path) return false;
    std::memcpy(address.sun_path + at, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + at + path.size() + (abstract ? 0 : 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool accepted = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
      // Little-endian, protocol 11.0, no authorisation name or data.
      const unsigned char setup[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
      pollfd answer{fd, POLLIN, 0};
      unsigned char status = 0;
      accepted = ::send(fd, setup, sizeof setup, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof setup) &&
                 ::poll(&answer, 1, static_cast<int>(wait.count())) == 1 && ::read(fd, &status, 1) == 1 &&
                 status == 1;
    }
    ::close(fd);
    if (accepted) return true;
  }
  return false;
}

class VirtualDisplay {
 public:
  // server: the X server program (Xvfb where the machine has it); none
  // where it has no such program.
  explicit VirtualDisplay(QString server = QStandardPaths::findExecutable("Xvfb")) : server_(std::move(server)) {}
  ~VirtualDisplay() { Stop(); }
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // Whether the machine has a server to start.
  bool Available() const { return !server_.isEmpty(); }

  // ":<n>" of a display of this test's own server that accepts a connection
  // now; "" when none could be had, with the reason in Problem().
  QString Usable() {
    if (!Available()) {
      problem_ = "no X server program";
      return {};
    }
    if (!name_.isEmpty() && process_.state() == QProcess::Running && AcceptsConnection(name_)) return name_;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      Stop();
      if (Start()) return name_;
    }
    return {};
  }
  const QString& Problem() const { return problem_; }

 private:
  static constexpr int kAttempts = 3;
  static constexpr std::chrono::seconds kReadyWithin{20};

  bool Start() {
    const auto deadline = std::chrono::steady_clock::now() + kReadyWithin;
    const auto left = [&] {
      return static_cast<int>(
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
    };
    // The server takes the first free display number and writes it, with a
    // line end, to its standard output.
    process_.start(server_, {"-displayfd", "1", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"});
    if (!process_.waitForStarted(left())) {
      problem_ = "the X server did not start: " + process_.errorString();
      return false;
    }
    QString number;
    while (number.isEmpty() && left() > 0 && process_.state() == QProcess::Running) {
      if (!process_.canReadLine()) process_.waitForReadyRead(std::min(left(), 100));
      while (number.isEmpty() && process_.canReadLine()) {
        const QString line = QString::fromLatin1(process_.readLine()).trimmed();
        bool isNumber = false;
        line.toUInt(&isNumber);
        if (isNumber) number = line;
      }
    }
    if (number.isEmpty()) {
      problem_ = "the X server told no display number";
      return false;
    }
    while (left() > 0 && process_.state() == QProcess::Running) {
      if (AcceptsConnection(number, std::chrono::milliseconds(std::min(left(), 1000)))) {
        name_ = ":" + number;
        return true;
      }
      QThread::msleep(50);
    }
    problem_ = "display :" + number + " took no connection";
    return false;
  }

  void Stop() {
    name_.clear();
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) process_.kill();
    process_.waitForFinished(5000);
  }

  QString server_;
  QProcess process_;
  QString name_;
  QString problem_;
};

}  // namespace ondrik::testing
