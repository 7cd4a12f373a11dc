// Reading and writing the saved files themselves.
//
// A file is written whole to a temporary file beside it, every write and the
// sync to the disk checked, and only then renamed over the old file, so a
// failure at any point (a full disk, a folder that cannot be written) leaves
// the previous copy as it was and is reported with the system's reason.
//
// Qt-free.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ondrik::saved {

// What a save did; message says why it failed, naming the file.
struct SaveResult {
  bool ok = false;
  std::string message;
};

// The one wording of a failed save of the file at path: what ("The
// settings", "The profile snapshot") and the detail ("<file>: <the system's
// reason>"), and that the previous copy is kept when there is one (a failed
// save never touches the file it was to replace).
std::string SaveFailedMessage(std::string_view what, const std::string& path, const std::string& detail);

// Writes size bytes of data to the open file fd: the number written, or -1
// with errno set to the system's reason. WriteAllBytes writes to the file
// system itself, again after a write that took only part of the bytes, so
// that a disk that fills part-way through shows as a full disk.
using WriteBytes = std::function<long long(int fd, const char* data, long long size)>;
long long WriteAllBytes(int fd, const char* data, long long size);

// What replacing a file gave: on failure the system's error number and
// "<path>: <the system's reason>".
struct Replaced {
  bool ok = false;
  int code = 0;
  std::string detail;
};

// Saves bytes as path: written through write into a temporary file of its
// own beside it (see temporary.h), synced to the disk, then renamed over
// path. A path that is a link replaces the file the link points to, and the
// link stays; a file saved before keeps who may read it. Any failure removes
// the temporary file and leaves the earlier file as it was. Saves of one
// file in one process take turns; saves of it by others (another Ondrik,
// another machine) run beside them, and the later whole copy wins.
Replaced ReplaceFile(const std::string& path, std::string_view bytes, const WriteBytes& write = WriteAllBytes);

// Writes a saved-settings text to path, making the folder when it is
// missing; message in the one wording, "The settings could not be saved
// (...)", when it fails. write is where the bytes go (tests pass one that
// fails).
SaveResult WriteFileSafely(const std::string& path, std::string_view text, const WriteBytes& write = WriteAllBytes);

// The whole text of a file (at most 1 MiB of it, far more than any saved file
// holds); nothing when it cannot be opened or read.
std::optional<std::string> ReadFileText(const std::string& path);

}  // namespace ondrik::saved
