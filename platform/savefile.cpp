#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "savedstate/safefile.h"

namespace ondrik {

namespace {

// A file saved through a link replaces the file the link points to, and the
// link stays.
std::string FileBehind(const std::string& path) {
  const QFileInfo info(QString::fromStdString(path));
  const QString target = info.isSymLink() ? info.canonicalFilePath() : QString();
  return target.isEmpty() ? path : target.toStdString();
}

}  // namespace

bool SaveFileReplacing(const std::string& path, const std::string& bytes, Effects& effects,
                       std::string* error, bool* denied) {
  const std::string written = FileBehind(path);
  const std::filesystem::path target(written);
  const saved::SaveLock one(written);
  saved::RemoveStrayTemporaries(target.parent_path().string(), target.filename().string());
  const std::string temp = saved::TemporaryPathFor(written);
  int fd = -1;
  auto fail = [&](int code, const std::string& why) {
    if (error != nullptr) *error = path + ": " + why;
    if (denied != nullptr) *denied = code == EACCES || code == EPERM || code == EROFS;
    if (fd >= 0) {
      ::close(fd);
      ::unlink(temp.c_str());
    }
    return false;
  };
  auto failErrno = [&] {
    const int code = errno;
    return fail(code, std::strerror(code));
  };
  fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return failErrno();
  // A file saved before keeps who may read it.
  struct stat old {};
  if (::stat(written.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  {
    // Unbuffered: each write reaches the file system at once, so a full disk
    // shows in the write's own result rather than in a flush nobody checks.
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
      return fail(0, file.errorString().toStdString());
    const long long size = static_cast<long long>(bytes.size());
    if (effects.WriteFile(file, bytes.data(), size) != size) {
      const int code = errno;
      return fail(code, file.error() != QFileDevice::NoError
                            ? file.errorString().toStdString()
                            : "not every byte could be written (is the disk full?)");
    }
  }
  if (::fsync(fd) != 0) return failErrno();
  const int closed = ::close(fd);
  fd = -1;
  if (closed != 0 || std::rename(temp.c_str(), written.c_str()) != 0) {
    const int code = errno;
    ::unlink(temp.c_str());
    return fail(code, std::strerror(code));
  }
  return true;
}

}  // namespace ondrik
