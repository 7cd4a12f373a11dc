// Saving never destroys the previous copy: a write that fails at any point,
// a folder that cannot be made and a full file system all leave the old file
// as it was and no temporary file behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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

}  // namespace
}  // namespace ondrik::saved
