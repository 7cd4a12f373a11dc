// The temporary file a save writes before it replaces its file, and the
// removal of those that saves cut short left behind.
//
// A temporary lies beside its file as "<name>.ondrik-<random>.tmp". It is
// made exclusively (a name that exists is never opened again, whoever made
// it), so no two writers share one, whatever their machine or process number.
// Its writer holds an advisory lock on it from its making to its rename: an
// open file description lock (F_OFD_SETLK). Such locks are seen by every
// process on the machine, and on other machines where the file system
// carries locks; unlike the classic per-process record locks they are not
// lost when the process closes another descriptor of the file, and a test
// from the same process sees them too.
//
// A temporary is a stray only when no one holds its lock and its file time
// lies a minute or more from the file system's present time, which the
// cleaner takes from a file it has just made there (never from this
// machine's clock, which a file server's need not match). The age stands in
// where the file system carries no locks, and protects a writer that could
// not take one.
//
// Qt-free.
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace ondrik::saved {

class TemporaryFile {
 public:
  // A new temporary beside target (a path), open for writing and locked;
  // none, with the system's error number in code, when none can be made.
  static std::optional<TemporaryFile> Create(const std::string& target, int& code);
  // Closes it, which gives up the lock; removes the file unless it was
  // renamed.
  ~TemporaryFile();
  TemporaryFile(TemporaryFile&& other) noexcept;
  TemporaryFile& operator=(TemporaryFile&&) = delete;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Descriptor() const { return fd_; }
  const std::string& Path() const { return path_; }
  // False on a file system that carries no locks.
  bool Locked() const { return locked_; }
  // Renames it over target, the lock still held; false (errno set) when the
  // system refuses.
  bool RenameOver(const std::string& target);

 private:
  TemporaryFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  std::string path_;
  int fd_ = -1;
  bool locked_ = false;
  bool renamed_ = false;
};

// True for a name a temporary of one of the program's saves is given:
// "<name>.ondrik-<random>.tmp", or "<name>.ondrik-<digits>.tmp" as earlier
// versions named them after their process, where name is one of the files
// the program saves (ownfiles.h). A file of the user's named alike
// ("notes.ondrik-2026.tmp") is not one.
bool IsTemporaryName(std::string_view fileName);

// The state of a temporary's lock as another opener finds it.
enum class LockState { Held, Free, Unknown };  // Unknown: the file system carries no locks

// Whether a temporary whose lock is in that state, last written at written,
// is a stray when the file system's clock reads now: never while held,
// otherwise once written lies minimumAge or more from now, before it (an
// ended save) or after it (a clock set back since).
inline constexpr std::chrono::seconds kStrayTemporaryAge{60};
bool IsStray(LockState lock, const timespec& written, const timespec& now,
             std::chrono::seconds minimumAge = kStrayTemporaryAge);

// Removes the strays among the temporaries in folder. Files of any other
// name are never touched; what cannot be opened, judged or removed stays.
void RemoveStrayTemporaries(const std::string& folder, std::chrono::seconds minimumAge = kStrayTemporaryAge);
// Removes the strays of every folder given to it, once per folder however
// it is spelt (a start-up looks in every folder it saves into, some of them
// the same).
class StrayCleaner {
 public:
  void Clean(const std::string& folder);

 private:
  std::set<std::pair<dev_t, ino_t>> seen_;
};

// Saves of one file in one process take turns: the key of a file is its
// folder's identity on the file system and its name, so that every spelling
// of one file (a link to its folder, "..", a relative path) has one key.
std::string SaveTurnKey(const std::string& path);
class SaveTurn {
 public:
  explicit SaveTurn(const std::string& path);
  ~SaveTurn();
  SaveTurn(const SaveTurn&) = delete;
  SaveTurn& operator=(const SaveTurn&) = delete;

 private:
  std::string key_;
};

// Tests: from here on this thread draws the random parts of temporary names
// from seed, so that two processes can be made to draw the same names.
void SeedTemporaryNames(std::uint64_t seed);

}  // namespace ondrik::saved
