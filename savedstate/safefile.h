// Reading and writing the saved-settings files themselves.
//
// A file is written whole to a temporary file beside it (named so that it
// can never be taken for anything else), every write and the
// final flush checked, and only then renamed over the old file, so a failure
// at any point (a full disk, a folder that cannot be written) leaves the
// previous copy as it was. The folder is made when it is missing.
//
// Qt-free.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ondrik::saved {

// What a save did; message says why it failed, naming the file.
struct SaveResult {
  bool ok = false;
  std::string message;
};

// The file a save writes into. Write and Close report success; after a
// failure the writer stops and throws the temporary file away.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(std::string_view bytes) = 0;
  // Flushes and closes; false when anything written did not reach the file.
  virtual bool Close() = 0;
  // The system's reason for the last failure ("No space left on device").
  virtual std::string Error() const = 0;
};

// Opens a file for writing, replacing it; null when it cannot be made.
using OpenOutput = std::function<std::unique_ptr<OutputFile>(const std::string& path, std::string& error)>;

// The ordinary file of the file system.
std::unique_ptr<OutputFile> OpenFileForOutput(const std::string& path, std::string& error);

// The temporary file a save writes before it replaces path:
// "<path>.ondrik-<process number>.tmp". Every save of the program names its
// temporary file so, and nothing else does.
std::string TemporaryPathFor(const std::string& path);

// True for a file name of that form: "<name>.ondrik-<digits>.tmp".
bool IsTemporaryName(std::string_view fileName);

// Held for the whole of one save of path: saves of one file in this process
// (the batch's picture threads, two windows) share the temporary file's
// name, so they run one after the other and the later whole copy wins.
class SaveLock {
 public:
  explicit SaveLock(const std::string& path);
  ~SaveLock();
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

 private:
  std::string key_;
};

// Removes from folder the temporary files that a save cut short (a kill
// between writing and renaming) left behind: all of them, or only those of
// the file called name when one is given. A temporary file is left behind
// only when the process named in it has ended (no such process runs, or the
// one of that number started after the file was last written) and it was
// last written minimumAge ago or more: a save in progress, of this program or
// of another one (another Ondrik, a batch run, one on another machine that
// shares the folder), is never touched. Files of any other name are never
// touched either; what cannot be removed stays.
inline constexpr std::chrono::seconds kStrayTemporaryAge{60};
void RemoveStrayTemporaries(const std::string& folder, std::string_view name = {},
                            std::chrono::seconds minimumAge = kStrayTemporaryAge);

// Writes text to path through its temporary file, line by line, then renames
// it over path. open is where the temporary file is opened (tests pass one
// that fails).
SaveResult WriteFileSafely(const std::string& path, std::string_view text, const OpenOutput& open = OpenFileForOutput);

// The whole text of a file (at most 1 MiB of it, far more than any saved file
// holds); nothing when it cannot be opened or read.
std::optional<std::string> ReadFileText(const std::string& path);

}  // namespace ondrik::saved
