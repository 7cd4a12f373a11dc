// Saving never destroys the previous copy: a write that fails at any point,
// a folder that cannot be made and a full file system all leave the old file
// as it was and no temporary file behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "../common/temp_folder.h"
#include "savedstate/history.h"
#include "savedstate/safefile.h"

namespace ondrik::saved {
namespace {

namespace fs = std::filesystem;

std::string Folder(const char* name) { return ondrik::testing::TempFolderIn("savedstate", name); }

std::size_t FilesIn(const std::string& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// Writes through to the real file, but write number failAt fails after half
// of it reached the file; with failAt < 0 the close fails instead.
class FailingFile : public OutputFile {
 public:
  FailingFile(std::unique_ptr<OutputFile> real, int failAt) : real_(std::move(real)), failAt_(failAt) {}
  bool Write(std::string_view bytes) override {
    if (writes_++ != failAt_) return real_->Write(bytes);
    real_->Write(bytes.substr(0, bytes.size() / 2));
    return false;
  }
  bool Close() override { return real_->Close() && failAt_ >= 0; }
  std::string Error() const override { return "No space left on device"; }

 private:
  std::unique_ptr<OutputFile> real_;
  int failAt_;
  int writes_ = 0;
};

TEST(SafeFile, AFailedWriteKeepsTheOldCopy) {
  const std::string dir = Folder("interrupted");
  const std::string path = dir + kHistoryFileName;
  ASSERT_TRUE(WriteFileSafely(path, "old copy\r\n").ok);
  const std::string text = WriteHistory(HistoryFile{});
  for (int failAt = -1; failAt < 66; ++failAt) {
    SCOPED_TRACE(failAt);
    int writes = 0;
    const SaveResult r = WriteFileSafely(path, text, [&](const std::string& p, std::string& error) {
      ++writes;
      return std::make_unique<FailingFile>(OpenFileForOutput(p, error), failAt);
    });
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("No space left on device"), std::string::npos) << r.message;
    EXPECT_EQ(ReadFileText(path), "old copy\r\n");
    EXPECT_EQ(FilesIn(dir), 1u);  // no temporary file left
    EXPECT_EQ(writes, 1);
  }
  ASSERT_TRUE(WriteFileSafely(path, text).ok);
  EXPECT_EQ(ReadFileText(path), text);
  EXPECT_EQ(FilesIn(dir), 1u);
}

TEST(SafeFile, FoldersAndFilesThatCannotBeUsed) {
  const std::string dir = Folder("folders");
  // A missing folder is made.
  const std::string nested = dir + "a/b/Ondrik/" + SetupFileName(2);
  ASSERT_TRUE(WriteFileSafely(nested, "x\r\n").ok);
  EXPECT_EQ(ReadFileText(nested), "x\r\n");
  // A folder that cannot be made: its parent is a file.
  std::ofstream(dir + "plain") << "file";
  SaveResult r = WriteFileSafely(dir + "plain/Ondrik/Ondrik.hst", "x");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("folder"), std::string::npos) << r.message;
  // A target that is a folder is not replaced, and the temporary file goes.
  fs::create_directories(dir + "taken/" + kHistoryFileName);
  r = WriteFileSafely(dir + "taken/" + kHistoryFileName, "x");
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(fs::is_directory(dir + "taken/" + kHistoryFileName));
  EXPECT_EQ(FilesIn(dir + "taken"), 1u);

  EXPECT_FALSE(ReadFileText(dir + "missing"));
  EXPECT_FALSE(ReadFileText(dir + "taken"));
}

// ---- a real full file system ----

enum FullDisk : int {
  kPassed = 0,
  kCannotMount = 77,
  kFirstSaveFailed = 1,
  kDiskNeverFilled,
  kSaveOnFullDiskSucceeded,
  kOldCopyChanged,
  kTemporaryLeft,
  kNoReason,
  kSaveAfterFreeingFailed,
};

bool WriteProcFile(const char* path, const std::string& text) {
  const int fd = open(path, O_WRONLY);
  if (fd < 0) return false;
  const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fd);
  return ok;
}

// In a mount namespace of its own (as root, or as a user through a user
// namespace), a 64 KiB tmpfs over dir, the old copy saved, the rest filled.
int FullDiskScenario(const std::string& dir) {
  const uid_t uid = getuid();
  const gid_t gid = getgid();
  if (unshare(CLONE_NEWNS) != 0) {
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return kCannotMount;
    WriteProcFile("/proc/self/setgroups", "deny");
    if (!WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return kCannotMount;
  }
  // Nothing mounted here may reach the namespace of the test run.
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return kCannotMount;
  if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0) return kCannotMount;

  const std::string path = dir + kHistoryFileName;
  const std::string old = "#    13.4.2\r\n 40 \r\n";
  if (!WriteFileSafely(path, old).ok) return kFirstSaveFailed;
  const std::string filler = dir + "filler";
  {
    std::FILE* f = std::fopen(filler.c_str(), "wb");
    const std::string block(4096, 'x');
    bool full = false;
    for (int i = 0; f != nullptr && i < 64 && !full; ++i)
      full = std::fwrite(block.data(), 1, block.size(), f) != block.size() || std::fflush(f) != 0;
    if (f != nullptr) std::fclose(f);
    if (!full) return kDiskNeverFilled;
  }
  const std::string text = WriteHistory(HistoryFile{});
  const SaveResult r = WriteFileSafely(path, text);
  if (r.ok) return kSaveOnFullDiskSucceeded;
  if (ReadFileText(path) != old) return kOldCopyChanged;
  if (fs::exists(TemporaryPathFor(path))) return kTemporaryLeft;
  if (r.message.find("No space left on device") == std::string::npos) return kNoReason;
  fs::remove(filler);
  if (!WriteFileSafely(path, text).ok || ReadFileText(path) != text) return kSaveAfterFreeingFailed;
  return kPassed;
}

TEST(SafeFile, AFullFileSystemKeepsTheOldCopy) {
  const std::string dir = Folder("fullfs");
  std::fflush(nullptr);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) _exit(FullDiskScenario(dir));
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  const int code = WEXITSTATUS(status);
  if (code == kCannotMount) GTEST_SKIP() << "no small file system can be mounted here";
  EXPECT_EQ(code, kPassed);
}

// ---- saves of several processes and threads ----

// A child process that runs until it is killed, or one that has ended.
pid_t StartChild(bool runs) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (runs) pause();
    _exit(0);
  }
  return pid;
}

// Only the temporary file of a save that can no longer finish is removed:
// its process has ended (or waits to be reaped, or its number now belongs to
// a process started later) and the file is old enough not to be a save of a
// machine that shares the folder.
TEST(SafeFile, OnlyTemporariesOfEndedSavesAreRemoved) {
  using std::chrono::seconds;
  const std::string dir = Folder("strays");
  const pid_t live = StartChild(true);
  const pid_t zombie = StartChild(false);
  const pid_t ended = StartChild(false);
  ASSERT_GT(live, 0);
  ASSERT_GT(zombie, 0);
  ASSERT_GT(ended, 0);
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, static_cast<id_t>(zombie), &info, WEXITED | WNOWAIT), 0);
  ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
  const std::string self = std::to_string(getpid());
  const struct {
    const char* what;
    std::string writer;
    seconds writtenAgo, minimumAge;
    bool removed;
  } cases[] = {
      {"a live process's save", std::to_string(live), seconds(0), seconds(0), false},
      {"this process's own save", self, seconds(0), seconds(0), false},
      {"an ended process's", std::to_string(ended), seconds(0), seconds(0), true},
      {"a process's that waits to be reaped", std::to_string(zombie), seconds(0), seconds(0), true},
      {"an earlier process's of this one's number", self, seconds(3600), seconds(0), true},
      {"an ended process's, younger than a minute", std::to_string(ended), seconds(10), kStrayTemporaryAge, false},
      {"an ended process's, a minute old", std::to_string(ended), seconds(61), kStrayTemporaryAge, true},
      {"a number no process has", "99999999999999999999", seconds(61), kStrayTemporaryAge, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string temp = dir + "Ondrik.hst.ondrik-" + c.writer + ".tmp";
    std::ofstream(temp) << "half a history";
    fs::last_write_time(temp, fs::file_time_type::clock::now() - c.writtenAgo);
    RemoveStrayTemporaries(dir, {}, c.minimumAge);
    EXPECT_EQ(!fs::exists(temp), c.removed);
    fs::remove(temp);
  }
  kill(live, SIGKILL);
  waitpid(live, nullptr, 0);
  waitpid(zombie, nullptr, 0);
}

// Two processes and several threads save one file over and over, each
// process clearing strays before its saves as a start does: every save
// succeeds, the file is always one writer's whole copy, and no temporary
// file is left.
TEST(SafeFile, SavesOfOneFileAtOnceAllSucceed) {
  const std::string dir = Folder("together");
  const std::string path = dir + kHistoryFileName;
  auto text = [](int writer) { return std::string(64 * 1024, static_cast<char>('a' + writer)) + "\r\n"; };
  auto saveMany = [&](int writer, int times) {
    int failed = 0;
    for (int i = 0; i < times; ++i) {
      RemoveStrayTemporaries(dir, {}, std::chrono::seconds(0));
      failed += WriteFileSafely(path, text(writer)).ok ? 0 : 1;
    }
    return failed;
  };
  std::vector<pid_t> children;
  for (int writer = 0; writer < 2; ++writer) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) _exit(saveMany(writer, 100) == 0 ? 0 : 1);
    children.push_back(pid);
  }
  std::vector<int> failed(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back([&, t] { failed[static_cast<std::size_t>(t)] = saveMany(2 + t, 50); });
  for (std::thread& t : threads) t.join();
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a process's save failed";
  }
  EXPECT_EQ(failed, std::vector<int>(4, 0));
  std::set<std::string> whole;
  for (int writer = 0; writer < 6; ++writer) whole.insert(text(writer));
  EXPECT_TRUE(whole.contains(ReadFileText(path).value_or("")));
  EXPECT_EQ(FilesIn(dir), 1u);
}

}  // namespace
}  // namespace ondrik::saved
