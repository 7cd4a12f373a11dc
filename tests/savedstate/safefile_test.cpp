// Saving never destroys the previous copy: a write that fails at any point,
// a folder that cannot be made and a full file system all leave the old file
// as it was and no temporary file behind. Saves of one file by several
// writers at once (threads, processes, processes whose numbers coincide) all
// succeed, and only the temporaries of saves that can no longer finish are
// ever removed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "../common/small_fs.h"
#include "../common/temp_folder.h"
#include "savedstate/history.h"
#include "savedstate/safefile.h"
#include "savedstate/temporary.h"

namespace ondrik::saved {
namespace {

namespace fs = std::filesystem;

std::string Folder(const std::string& name) { return ondrik::testing::TempFolderIn("savedstate", name); }

std::set<std::string> Names(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

std::string Reason(int code) { return std::generic_category().message(code); }

// Takes room bytes and then fails with the system's error code, as a disk
// that fills up (or breaks) part-way does.
WriteBytes FailingAfter(long long room, int code) {
  return [room, code](int fd, const char* data, long long size) -> long long {
    const long long fits = std::min(room, size);
    if (fits > 0 && WriteAllBytes(fd, data, fits) != fits) return -1;
    if (fits == size) return size;
    errno = code;
    return -1;
  };
}

TEST(SafeFile, AFailedWriteKeepsTheOldCopyAndSaysWhy) {
  const std::string dir = Folder("interrupted");
  const std::string path = dir + kHistoryFileName;
  ASSERT_TRUE(WriteFileSafely(path, "old copy\r\n").ok);
  const std::string text = WriteHistory(HistoryFile{});
  const long long size = static_cast<long long>(text.size());
  for (const int code : {ENOSPC, EDQUOT, EIO}) {
    for (const long long room : {0LL, 1LL, size / 2, size - 1}) {
      SCOPED_TRACE(Reason(code) + ", " + std::to_string(room) + " bytes written");
      const SaveResult r = WriteFileSafely(path, text, FailingAfter(room, code));
      EXPECT_FALSE(r.ok);
      // The one wording: the file and the system's own reason.
      EXPECT_EQ(r.message, "The settings could not be saved (" + path + ": " + Reason(code) +
                               "); the previous copy is kept.");
      EXPECT_EQ(ReadFileText(path), "old copy\r\n");
      EXPECT_EQ(Names(dir), std::set<std::string>{kHistoryFileName});  // no temporary file left
    }
  }
  ASSERT_TRUE(WriteFileSafely(path, text).ok);
  EXPECT_EQ(ReadFileText(path), text);
  EXPECT_EQ(Names(dir), std::set<std::string>{kHistoryFileName});
}

// A failed save says that the previous copy is kept only when there is one.
TEST(SafeFile, AFailedSaveNamesThePreviousCopyOnlyWhenThereIsOne) {
  const std::string dir = Folder("previous");
  std::ofstream(dir + "earlier") << "old";
  fs::create_directories(dir + "folder");
  fs::create_symlink(dir + "earlier", dir + "link");
  fs::create_symlink(dir + "nowhere", dir + "dangling");
  const struct {
    const char* name;
    bool kept;
  } cases[] = {{"earlier", true}, {"link", true}, {"never", false}, {"folder", false}, {"dangling", false},
               {"nofolder/never", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SaveResult r = WriteFileSafely(dir + c.name, "new", FailingAfter(1, ENOSPC));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.starts_with("The settings could not be saved (" + dir + c.name + ": ")) << r.message;
    EXPECT_TRUE(r.message.ends_with(c.kept ? "); the previous copy is kept." : ").")) << r.message;
  }
  EXPECT_EQ(ReadFileText(dir + "earlier"), "old");
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
  EXPECT_EQ(Names(dir + "taken"), std::set<std::string>{kHistoryFileName});
  // A name so long that no temporary file fits beside it.
  fs::create_directories(dir + "long");
  const std::string longName = dir + "long/" + std::string(250, 'n');
  std::ofstream(longName) << "old";
  r = WriteFileSafely(longName, "new");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(Reason(ENAMETOOLONG)), std::string::npos) << r.message;
  EXPECT_EQ(ReadFileText(longName), "old");

  EXPECT_FALSE(ReadFileText(dir + "missing"));
  EXPECT_FALSE(ReadFileText(dir + "taken"));
  // A file is read to its end, whatever size was measured before: this one
  // measures 0 bytes and holds more.
  if (fs::is_regular_file("/proc/self/status")) {
    EXPECT_NE(ReadFileText("/proc/self/status").value_or("").find("Name:"), std::string::npos);
  }
}

TEST(SafeFile, AFullFileSystemKeepsTheOldCopy) {
  const std::string dir = Folder("fullfs");
  const std::string path = dir + kHistoryFileName;
  const std::string old = "#    13.4.2\r\n 40 \r\n";
  const std::string text = WriteHistory(HistoryFile{});
  enum : int { kFirstSaveFailed = 1, kSaveOnFullDiskSucceeded, kOldCopyChanged, kTemporaryLeft, kNoReason,
               kSaveAfterFreeingFailed };
  const int code = ondrik::testing::WithTrouble(
      dir, ondrik::testing::Trouble::FullDisk,
      [&] { return WriteFileSafely(path, old).ok ? ondrik::testing::kTroublePassed : int{kFirstSaveFailed}; },
      [&] {
        const SaveResult r = WriteFileSafely(path, text);
        if (r.ok) return int{kSaveOnFullDiskSucceeded};
        if (ReadFileText(path) != old) return int{kOldCopyChanged};
        if (Names(dir) != std::set<std::string>{kHistoryFileName, "filler"}) return int{kTemporaryLeft};
        if (r.message.find(Reason(ENOSPC)) == std::string::npos) return int{kNoReason};
        fs::remove(dir + "filler");
        if (!WriteFileSafely(path, text).ok || ReadFileText(path) != text) return int{kSaveAfterFreeingFailed};
        return ondrik::testing::kTroublePassed;
      });
  if (code == ondrik::testing::kTroubleCannotMount) GTEST_SKIP() << "no small file system can be mounted here";
  EXPECT_EQ(code, ondrik::testing::kTroublePassed);
}

// ---- saves of several writers at once ----

timespec Now() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  return t;
}

// Moves the file times of the file open as fd by shift.
void ShiftTimes(int fd, std::chrono::seconds shift) {
  timespec t = Now();
  t.tv_sec += static_cast<time_t>(shift.count());
  const timespec times[2] = {t, t};
  futimens(fd, times);
}

// A temporary of target made as a save makes it, its file times moved by
// shift, in a child process that keeps it open and locked (live) or ends at
// once without removing it, as a save that was killed does.
struct Writer {
  pid_t pid = -1;
  std::string path;
};

Writer StartWriter(const std::string& target, std::chrono::seconds shift, bool live) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    close(pipeEnds[0]);
    int code = 0;
    std::optional<TemporaryFile> temp = TemporaryFile::Create(target, code);
    if (temp) ShiftTimes(temp->Descriptor(), shift);
    const std::string path = temp ? temp->Path() : "";
    if (write(pipeEnds[1], path.data(), path.size()) < 0) _exit(1);
    close(pipeEnds[1]);
    if (live) pause();
    _exit(0);  // no destructor runs: the file stays
  }
  close(pipeEnds[1]);
  Writer w{pid, {}};
  char buffer[512];
  for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
    w.path.append(buffer, static_cast<std::size_t>(n));
  close(pipeEnds[0]);
  if (!live) waitpid(pid, nullptr, 0);
  return w;
}

// A start looks at every temporary of its folder: one whose writer still
// holds its lock stays, whatever its file time says; one that no one holds
// goes once its time lies a minute or more from the file system's present,
// behind or ahead. The process numbers in old names count for nothing.
TEST(SafeFile, OnlyTemporariesOfEndedSavesAreRemoved) {
  using std::chrono::seconds;
  const std::string dir = Folder("strays");
  const std::string target = dir + kHistoryFileName;
  const seconds twoMinutes(120);
  enum class Kind { LiveWriter, EndedWriter, ThisProcess, PlainFile };
  const struct {
    const char* what;
    Kind kind;
    seconds shift;
    std::string name;  // of a plain file
    bool removed;
  } cases[] = {
      {"held by a live writer, its time two minutes behind", Kind::LiveWriter, -twoMinutes, "", false},
      {"held by a live writer, its time two minutes ahead", Kind::LiveWriter, twoMinutes, "", false},
      {"held by another save of this process, two minutes behind", Kind::ThisProcess, -twoMinutes, "", false},
      {"its writer ended, two minutes behind", Kind::EndedWriter, -twoMinutes, "", true},
      {"its writer ended, two minutes ahead (a clock set back)", Kind::EndedWriter, twoMinutes, "", true},
      {"its writer ended a moment ago", Kind::EndedWriter, seconds(0), "", false},
      {"named after process 1", Kind::PlainFile, -twoMinutes, "Ondrik.hst.ondrik-1.tmp", true},
      {"named after this process", Kind::PlainFile, -twoMinutes,
       "Ondrik.hst.ondrik-" + std::to_string(getpid()) + ".tmp", true},
      {"named after no process", Kind::PlainFile, -twoMinutes, "Ondrik.SP2.ondrik-99999999999999999999.tmp", true},
      {"a name that only looks alike", Kind::PlainFile, -twoMinutes, "Ondrik.hst.ondrik-12a.tmp", false},
      {"another name", Kind::PlainFile, -twoMinutes, "Ondrik.hst.tmp", false},
      {"a file of the user's named as the old versions' were", Kind::PlainFile, -twoMinutes,
       "notes.ondrik-2026.tmp", false},
      {"a file of the user's named as a save's is", Kind::PlainFile, -twoMinutes, "notes.ondrik-Ab3dE6g8iJ.tmp", false},
      {"beside a name that only begins as a saved one", Kind::PlainFile, -twoMinutes, "Ondrik.SP.ondrik-1.tmp", false},
      {"beside the configuration, in other letter case", Kind::PlainFile, -twoMinutes, "ONDRIK.CFG.ondrik-7.tmp", true},
  };
  std::vector<pid_t> live;
  std::vector<TemporaryFile> ours;
  std::vector<std::string> paths;
  for (const auto& c : cases) {
    std::string path;
    if (c.kind == Kind::LiveWriter || c.kind == Kind::EndedWriter) {
      const Writer w = StartWriter(target, c.shift, c.kind == Kind::LiveWriter);
      if (c.kind == Kind::LiveWriter) live.push_back(w.pid);
      path = w.path;
    } else if (c.kind == Kind::ThisProcess) {
      int code = 0;
      std::optional<TemporaryFile> temp = TemporaryFile::Create(target, code);
      ASSERT_TRUE(temp) << Reason(code);
      ShiftTimes(temp->Descriptor(), c.shift);
      path = temp->Path();
      ours.push_back(std::move(*temp));
    } else {
      path = dir + c.name;
      std::ofstream(path) << "half a history";
      fs::last_write_time(path, fs::file_time_type::clock::now() + c.shift);
    }
    ASSERT_TRUE(fs::exists(path)) << c.what;
    paths.push_back(path);
  }
  RemoveStrayTemporaries(dir);
  std::set<std::string> left;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(!fs::exists(paths[i]), cases[i].removed) << cases[i].what;
    if (!cases[i].removed) left.insert(fs::path(paths[i]).filename().string());
  }
  EXPECT_EQ(Names(dir), left);  // and the file that read the clock is gone
  for (const pid_t pid : live) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
}

// How the writers of the saves at once are made.
enum class Writers {
  Processes,            // two processes, two threads each
  ProcessNumberSpaces,  // the same, each process in a process-number space of its own, both numbered 1
  SameNames,            // the same, every thread drawing the same names for its temporaries
};

constexpr int kSkipped = 77;

// Each of two threads saves its own text over path, times times; the number
// of failed saves.
int SaveOver(const std::string& path, const std::vector<std::string>& texts, int times, bool sameNames) {
  std::vector<int> failed(texts.size(), 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < texts.size(); ++t)
    threads.emplace_back([&, t] {
      if (sameNames) SeedTemporaryNames(7);
      for (int i = 0; i < times; ++i) failed[t] += WriteFileSafely(path, texts[t]).ok ? 0 : 1;
    });
  for (std::thread& t : threads) t.join();
  int sum = 0;
  for (const int f : failed) sum += f;
  return std::min(sum, 76);
}

// Runs save in a new process-number space, as its process 1.
int AsProcessOne(const std::function<int()>& save) {
  const uid_t uid = getuid();
  const gid_t gid = getgid();
  if (unshare(CLONE_NEWPID) != 0) {
    if (unshare(CLONE_NEWUSER | CLONE_NEWPID) != 0) return kSkipped;
    // The same user inside as outside, so that the files stay the test's.
    using ondrik::testing::detail::WriteProcFile;
    WriteProcFile("/proc/self/setgroups", "deny");
    if (!WriteProcFile("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1") ||
        !WriteProcFile("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1"))
      return kSkipped;
  }
  const pid_t pid = fork();
  if (pid < 0) return kSkipped;
  if (pid == 0) _exit(getpid() == 1 ? save() : kSkipped);
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return 76;
  return WEXITSTATUS(status);
}

// Two processes of two threads each save one file over and over while it is
// read: every save succeeds, every read finds one writer's whole copy, and
// no temporary file is left.
class SavesAtOnce : public ::testing::TestWithParam<Writers> {};

TEST_P(SavesAtOnce, AllSucceed) {
  const Writers writers = GetParam();
  {
    const std::string dir = Folder("together" + std::to_string(static_cast<int>(writers)));
    const std::string path = dir + kHistoryFileName;
    // The texts of each process's two threads.
    std::vector<std::vector<std::string>> texts(2);
    std::set<std::string> whole;
    for (int i = 0; i < 4; ++i) {
      texts[static_cast<std::size_t>(i / 2)].push_back(std::string(64 * 1024, static_cast<char>('a' + i)) + "\r\n");
      whole.insert(texts[static_cast<std::size_t>(i / 2)].back());
    }
    ASSERT_TRUE(WriteFileSafely(path, *whole.begin()).ok);
    std::vector<pid_t> children;
    for (int p = 0; p < 2; ++p) {
      std::fflush(nullptr);
      const pid_t pid = fork();
      ASSERT_GE(pid, 0);
      if (pid == 0) {
        const auto save = [&] {
          return SaveOver(path, texts[static_cast<std::size_t>(p)], 50, writers == Writers::SameNames);
        };
        _exit(writers == Writers::ProcessNumberSpaces ? AsProcessOne(save) : save());
      }
      children.push_back(pid);
    }
    int torn = 0, reads = 0;
    std::vector<int> codes;
    while (codes.size() < children.size()) {
      torn += whole.contains(ReadFileText(path).value_or("")) ? 0 : 1;
      ++reads;
      for (pid_t& pid : children) {
        int status = 0;
        if (pid > 0 && waitpid(pid, &status, WNOHANG) == pid) {
          codes.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 76);
          pid = -1;
        }
      }
    }
    if (codes == std::vector<int>{kSkipped, kSkipped})
      GTEST_SKIP() << "no process-number space of its own can be had here (unshare is not permitted)";
    EXPECT_EQ(codes, std::vector<int>(2, 0)) << "failed saves of each process";
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
    EXPECT_TRUE(whole.contains(ReadFileText(path).value_or("")));
    EXPECT_EQ(Names(dir), std::set<std::string>{kHistoryFileName});
  }
}

INSTANTIATE_TEST_SUITE_P(SafeFile, SavesAtOnce,
                         ::testing::Values(Writers::Processes, Writers::ProcessNumberSpaces, Writers::SameNames),
                         [](const ::testing::TestParamInfo<Writers>& info) {
                           switch (info.param) {
                             case Writers::Processes: return std::string("ProcessesAndThreads");
                             case Writers::ProcessNumberSpaces: return std::string("TwoProcessNumberSpaces");
                             case Writers::SameNames: break;
                           }
                           return std::string("WritersDrawingTheSameNames");
                         });

// Saves of one file in one process take turns whatever the path's spelling.
TEST(SafeFile, EverySpellingOfAFileTakesTheSameTurn) {
  const std::string dir = Folder("turns");
  fs::create_directories(dir + "real/sub");
  fs::create_directories(dir + "other");
  fs::create_directory_symlink(dir + "real", dir + "link");
  const std::string key = SaveTurnKey(dir + "real/x");
  const struct {
    std::string path;
    bool same;
  } cases[] = {
      {"real/x", true},  {"link/x", true},  {"real/./x", true}, {"real/sub/../x", true}, {"link/../real/x", true},
      {"real//x", true}, {"real/y", false}, {"other/x", false}, {"real/X", false},       {"real/sub/x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(SaveTurnKey(dir + c.path) == key, c.same) << c.path;
}

}  // namespace
}  // namespace ondrik::saved
