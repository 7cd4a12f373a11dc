// A real file system in trouble under a folder, for the tests of the
// programs' writers: in a child process with a mount namespace of its own (as
// root, or as a user through a user namespace), a small tmpfs is mounted over
// the folder, the earlier files are written, and then the file system is
// filled up (wholly, or all but a few pages) or made read-only before the
// save under test runs. Nothing mounted there reaches the test run.
#pragma once

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

namespace ondrik::testing {

enum class Trouble { FullDisk, AlmostFullDisk, ReadOnlyFolder };

// What an almost full disk still takes: a write of more fills it part-way.
inline constexpr long long kAlmostFullRoom = 8192;

inline const char* TroubleName(Trouble t) {
  switch (t) {
    case Trouble::FullDisk: return "full disk";
    case Trouble::AlmostFullDisk: return "almost full disk";
    case Trouble::ReadOnlyFolder: break;
  }
  return "read-only folder";
}

// What the child gives back.
inline constexpr int kTroublePassed = 0;
inline constexpr int kTroubleCannotMount = 77;  // no file system of its own here: skip
inline constexpr int kTroubleNotMade = 78;      // the disk could not be filled or made read-only
inline constexpr int kTroubleDied = 79;         // the child died or ran out of time

namespace detail {

inline bool WriteProcFile(const char* path, const std::string& text) {
  const int fd = open(path, O_WRONLY);
  if (fd < 0) return false;
  const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fd);
  return ok;
}

inline int InChild(const std::string& dir, Trouble trouble, const std::function<int()>& before,
                   const std::function<int()>& check) {
  const uid_t uid = getuid();
  const gid_t gid = getgid();
  if (unshare(CLONE_NEWNS) != 0) {
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return kTroubleCannotMount;
    WriteProcFile("/proc/self/setgroups", "deny");
    if (!WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return kTroubleCannotMount;
  }
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return kTroubleCannotMount;
  if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=256k") != 0) return kTroubleCannotMount;
  if (const int code = before(); code != kTroublePassed) return code;
  if (trouble != Trouble::ReadOnlyFolder) {
    const std::string filler = dir + "filler";
    std::FILE* f = std::fopen(filler.c_str(), "wb");
    const std::string block(4096, 'x');
    bool full = false;
    for (int i = 0; f != nullptr && i < 80 && !full; ++i)
      full = std::fwrite(block.data(), 1, block.size(), f) != block.size() || std::fflush(f) != 0;
    if (f != nullptr) std::fclose(f);
    if (!full) return kTroubleNotMade;
    if (trouble == Trouble::AlmostFullDisk) {
      struct stat st {};
      if (stat(filler.c_str(), &st) != 0 || truncate(filler.c_str(), st.st_size - kAlmostFullRoom) != 0)
        return kTroubleNotMade;
    }
  } else if (mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
    return kTroubleNotMade;
  }
  return check();
}

}  // namespace detail

// Runs before() on the fresh small file system over dir (it writes the
// earlier files), makes the trouble, then runs check(); each returns
// kTroublePassed or a code of its own (1..76) for what went wrong. Gives
// back the child's code: kTroubleCannotMount when no such file system can be
// had here, kTroubleDied when the child died or took longer than 30 s.
inline int WithTrouble(const std::string& dir, Trouble trouble, const std::function<int()>& before,
                       const std::function<int()>& check) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) return kTroubleCannotMount;
  if (pid == 0) {
    alarm(30);
    _exit(detail::InChild(dir, trouble, before, check));
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return kTroubleDied;
  return WIFEXITED(status) ? WEXITSTATUS(status) : kTroubleDied;
}

}  // namespace ondrik::testing
