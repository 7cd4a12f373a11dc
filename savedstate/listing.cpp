#include "savedstate/listing.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>

namespace ondrik::saved {

namespace {

namespace fs = std::filesystem;

// A change of the folder this recent may be followed by another that leaves
// its modification time as it is: file systems that keep the time to the
// nanosecond take it from a clock of a few milliseconds' step; those that
// keep whole seconds (or two) have a step of up to two seconds.
constexpr std::chrono::milliseconds kSettledFine{50};
constexpr std::chrono::seconds kSettledCoarse{2};
// Folders whose listings are kept, the latest used last.
constexpr std::size_t kKeptFolders = 16;

using Entries = std::vector<FolderEntry>;

struct Kept {
  dev_t dev = 0;
  ino_t ino = 0;
  timespec changed{};
  std::shared_ptr<const Entries> entries;
};

std::mutex gLock;
std::vector<Kept> gKept;
std::map<std::pair<dev_t, ino_t>, long> gListings;

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// Whether the change at `changed` lies a clock step or more before `now`.
bool Settled(const timespec& changed, const timespec& now) {
  using std::chrono::nanoseconds;
  using std::chrono::seconds;
  const nanoseconds step = changed.tv_nsec != 0 ? nanoseconds(kSettledFine) : nanoseconds(kSettledCoarse);
  return seconds(now.tv_sec - changed.tv_sec) + nanoseconds(now.tv_nsec - changed.tv_nsec) >= step;
}

std::shared_ptr<const Entries> Take(const fs::path& dir, const struct stat& st) {
  auto entries = std::make_shared<Entries>();
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    entries->push_back({it->path().filename().string(), it->is_regular_file(typeError)});
  }
  const std::lock_guard held(gLock);
  ++gListings[{st.st_dev, st.st_ino}];
  return entries;
}

}  // namespace

FolderEntries ListFolder(const std::string& folder) {
  const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
  struct stat before {};
  if (::stat(dir.c_str(), &before) != 0 || !S_ISDIR(before.st_mode))
    return FolderEntries(std::make_shared<const Entries>());
  const auto same = [&before](const Kept& k) { return k.dev == before.st_dev && k.ino == before.st_ino; };
  {
    const std::lock_guard held(gLock);
    const auto kept = std::find_if(gKept.begin(), gKept.end(), same);
    if (kept != gKept.end() && SameTime(kept->changed, before.st_mtim)) {
      std::rotate(kept, kept + 1, gKept.end());
      return FolderEntries(gKept.back().entries);
    }
  }
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::shared_ptr<const Entries> entries = Take(dir, before);
  // Kept only when the folder did not change while it was listed and its
  // last change has settled.
  struct stat after {};
  const bool keep = ::stat(dir.c_str(), &after) == 0 && after.st_dev == before.st_dev &&
                    after.st_ino == before.st_ino && SameTime(after.st_mtim, before.st_mtim) &&
                    Settled(before.st_mtim, now);
  const std::lock_guard held(gLock);
  std::erase_if(gKept, same);
  if (keep) {
    if (gKept.size() >= kKeptFolders) gKept.erase(gKept.begin());
    gKept.push_back({before.st_dev, before.st_ino, before.st_mtim, entries});
  }
  return FolderEntries(entries);
}

long FolderListings(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0) return 0;
  const std::lock_guard held(gLock);
  const auto it = gListings.find({st.st_dev, st.st_ino});
  return it == gListings.end() ? 0 : it->second;
}

}  // namespace ondrik::saved
