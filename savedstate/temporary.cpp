#include "savedstate/temporary.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "savedstate/listing.h"
#include "savedstate/ownfiles.h"

namespace ondrik::saved {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".ondrik-";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::string_view kNameLetters = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::size_t kRandomLength = 10;
// Names already taken are drawn again; this many in a row means something
// else is wrong.
constexpr int kNameAttempts = 100;
// A cleaner holds a temporary's lock only while it looks at the file: a
// writer that meets it waits for it this long at most.
constexpr int kLockAttempts = 2000;
constexpr std::chrono::milliseconds kLockPause{1};

// The random parts of this thread's names. A process made by fork starts
// with a copy of its parent's: it draws anew.
struct NameDraw {
  std::mt19937_64 engine;
  pid_t drawnBy = -1;
};

NameDraw& Draw() {
  thread_local NameDraw draw;
  return draw;
}

std::uint64_t FreshSeed() {
  std::uint64_t seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  seed ^= std::hash<std::thread::id>{}(std::this_thread::get_id()) + static_cast<std::uint64_t>(::getpid());
  try {
    std::random_device device;
    seed ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // No random device: the clock, the thread and the process still differ.
  }
  return seed;
}

std::string RandomPart() {
  NameDraw& draw = Draw();
  if (draw.drawnBy != ::getpid()) {
    draw.engine.seed(FreshSeed());
    draw.drawnBy = ::getpid();
  }
  std::uniform_int_distribution<std::size_t> letter(0, kNameLetters.size() - 1);
  std::string part(kRandomLength, '0');
  for (char& c : part) c = kNameLetters[letter(draw.engine)];
  return part;
}

// Takes the writer's lock; false when the file system carries none.
bool TakeLock(int fd) {
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
    if (errno != EAGAIN && errno != EACCES && errno != EINTR) return false;
    std::this_thread::sleep_for(kLockPause);
  }
  return false;
}

// Whether someone holds the lock of the temporary open as fd; while it is
// free, this opener holds it until it closes fd.
LockState TestLock(int fd) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) return LockState::Free;
  return errno == EAGAIN || errno == EACCES ? LockState::Held : LockState::Unknown;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

void RemoveIfStray(const fs::path& path, const timespec& now, std::chrono::seconds minimumAge) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat opened {}, named {};
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
      IsStray(TestLock(fd), opened.st_mtim, now, minimumAge) && ::lstat(path.c_str(), &named) == 0 &&
      SameFile(opened, named))
    ::unlink(path.c_str());
  ::close(fd);
}

struct Turns {
  std::mutex lock;
  std::condition_variable freed;
  std::set<std::string> busy;
};

Turns& TheTurns() {
  static Turns turns;
  return turns;
}

}  // namespace

std::optional<TemporaryFile> TemporaryFile::Create(const std::string& target, int& code) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string path = target + std::string(kTemporaryMark) + RandomPart() + std::string(kTemporaryEnd);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      code = errno;
      return std::nullopt;
    }
    TemporaryFile temp(std::move(path), fd);
    temp.locked_ = TakeLock(fd);
    // A cleaner that judged the file before the lock was taken may have
    // removed it: then the name is no longer this file's.
    struct stat opened {}, named {};
    if (::fstat(fd, &opened) == 0 && ::lstat(temp.path_.c_str(), &named) == 0 && SameFile(opened, named))
      return std::optional<TemporaryFile>(std::move(temp));
    temp.renamed_ = true;  // nothing of ours to remove
  }
  code = EEXIST;
  return std::nullopt;
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : path_(std::move(other.path_)),
      fd_(std::exchange(other.fd_, -1)),
      locked_(other.locked_),
      renamed_(other.renamed_) {}

TemporaryFile::~TemporaryFile() {
  if (fd_ < 0) return;
  if (!renamed_) ::unlink(path_.c_str());
  ::close(fd_);
}

bool TemporaryFile::RenameOver(const std::string& target) {
  if (::rename(path_.c_str(), target.c_str()) != 0) return false;
  renamed_ = true;
  return true;
}

bool IsTemporaryName(std::string_view fileName) {
  if (!fileName.ends_with(kTemporaryEnd)) return false;
  fileName.remove_suffix(kTemporaryEnd.size());
  const std::size_t mark = fileName.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark == 0) return false;
  const std::string_view part = fileName.substr(mark + kTemporaryMark.size());
  const auto in = [](std::string_view letters) {
    return [letters](char c) { return letters.find(c) != std::string_view::npos; };
  };
  const bool numbered = !part.empty() && std::all_of(part.begin(), part.end(), in(kNameLetters.substr(0, 10)));
  const bool drawn = part.size() == kRandomLength && std::all_of(part.begin(), part.end(), in(kNameLetters));
  // Beside a file the program saves, never beside a file of the user's.
  return (numbered || drawn) && IsOwnFileName(fileName.substr(0, mark));
}

bool IsStray(LockState lock, const timespec& written, const timespec& now, std::chrono::seconds minimumAge) {
  if (lock == LockState::Held) return false;
  using std::chrono::nanoseconds;
  using std::chrono::seconds;
  const nanoseconds apart = seconds(now.tv_sec - written.tv_sec) + nanoseconds(now.tv_nsec - written.tv_nsec);
  return (apart < nanoseconds(0) ? -apart : apart) >= minimumAge;
}

void RemoveStrayTemporaries(const std::string& folder, std::chrono::seconds minimumAge) {
  const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
  std::vector<fs::path> found;
  // The listing the other look-ups of start-up in this folder use again.
  for (const FolderEntry& e : ListFolder(folder))
    if (IsTemporaryName(e.name)) found.push_back(dir / e.name);
  if (found.empty()) return;
  // The file system's present time: that of a file made there now.
  int code = 0;
  const std::optional<TemporaryFile> clock = TemporaryFile::Create((dir / kClockFileName).string(), code);
  struct stat now {};
  if (!clock || ::fstat(clock->Descriptor(), &now) != 0) return;
  for (const fs::path& path : found) RemoveIfStray(path, now.st_mtim, minimumAge);
}

void StrayCleaner::Clean(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.empty() ? "." : folder.c_str(), &st) == 0 && seen_.insert({st.st_dev, st.st_ino}).second)
    RemoveStrayTemporaries(folder);
}

std::string SaveTurnKey(const std::string& path) {
  const fs::path p(path);
  const fs::path folder = p.parent_path().empty() ? fs::path(".") : p.parent_path();
  struct stat st {};
  if (!p.filename().empty() && ::stat(folder.c_str(), &st) == 0)
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + "/" + p.filename().string();
  std::error_code ec;
  const fs::path absolute = fs::absolute(p, ec);
  return (ec ? p : absolute).lexically_normal().string();
}

SaveTurn::SaveTurn(const std::string& path) : key_(SaveTurnKey(path)) {
  Turns& t = TheTurns();
  std::unique_lock held(t.lock);
  t.freed.wait(held, [&] { return !t.busy.contains(key_); });
  t.busy.insert(key_);
}

SaveTurn::~SaveTurn() {
  Turns& t = TheTurns();
  {
    const std::lock_guard held(t.lock);
    t.busy.erase(key_);
  }
  t.freed.notify_all();
}

void SeedTemporaryNames(std::uint64_t seed) {
  NameDraw& draw = Draw();
  draw.engine.seed(seed);
  draw.drawnBy = ::getpid();
}

}  // namespace ondrik::saved
