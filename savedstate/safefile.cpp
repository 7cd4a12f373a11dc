#include "savedstate/safefile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <mutex>
#include <set>
#include <sstream>
#include <system_error>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ondrik::saved {

namespace {

constexpr std::size_t kMaxReadBytes = 1 << 20;
constexpr std::string_view kTemporaryMark = ".ondrik-";
constexpr std::string_view kTemporaryEnd = ".tmp";
// How far the clock of the process table and the files' times may disagree.
constexpr double kClockSlack = 2;

class StdioFile : public OutputFile {
 public:
  explicit StdioFile(std::FILE* f) : f_(f) {}
  ~StdioFile() override {
    if (f_ != nullptr) std::fclose(f_);
  }
  bool Write(std::string_view bytes) override {
    if (std::fwrite(bytes.data(), 1, bytes.size(), f_) == bytes.size()) return true;
    error_ = std::strerror(errno);
    return false;
  }
  bool Close() override {
    const bool flushed = std::fflush(f_) == 0;
    if (!flushed) error_ = std::strerror(errno);
    const bool closed = std::fclose(f_) == 0;
    if (!closed && flushed) error_ = std::strerror(errno);
    f_ = nullptr;
    return flushed && closed;
  }
  std::string Error() const override { return error_; }

 private:
  std::FILE* f_;
  std::string error_;
};

SaveResult Failed(const std::string& path, const std::string& reason) {
  return {false, "The settings could not be saved to " + path + " (" + reason + "); the previous copy is kept."};
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) {
  return path + std::string(kTemporaryMark) + std::to_string(static_cast<long long>(getpid())) +
         std::string(kTemporaryEnd);
}

namespace {

// The process number a temporary file's name carries; none for other names.
std::optional<long long> WriterOf(std::string_view fileName) {
  if (!fileName.ends_with(kTemporaryEnd)) return std::nullopt;
  fileName.remove_suffix(kTemporaryEnd.size());
  const std::size_t mark = fileName.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark == 0) return std::nullopt;
  const std::string_view digits = fileName.substr(mark + kTemporaryMark.size());
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  long long pid = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  // A number too large for any process names none that runs.
  return ec == std::errc() && end == digits.data() + digits.size() ? pid : -1;
}

// When the system started, in seconds since the epoch; none when the
// process table cannot tell.
std::optional<double> BootTime() {
  std::ifstream in("/proc/stat");
  for (std::string line; std::getline(in, line);)
    if (line.starts_with("btime ")) return std::strtod(line.c_str() + 6, nullptr);
  return std::nullopt;
}

// Whether process pid, which exists, is no longer the one that wrote a file
// last written at written (seconds since the epoch): it has ended and waits
// to be reaped, or it started after the file was written (the number was
// given to a new process). False when the process table cannot tell.
bool StartedAfterOrEnded(long long pid, double written) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return false;
  // "pid (name) state ppid ...": the name may hold blanks and brackets.
  const std::size_t close = line.rfind(')');
  if (close == std::string::npos) return false;
  std::istringstream fields(line.substr(close + 1));
  std::string state, skipped;
  fields >> state;
  if (state == "Z" || state == "X") return true;
  // The start time (in clock ticks after boot) is the 19th field after the state.
  for (int i = 0; i < 18; ++i) fields >> skipped;
  unsigned long long ticks = 0;
  const std::optional<double> boot = BootTime();
  const long perSecond = sysconf(_SC_CLK_TCK);
  if (!(fields >> ticks) || !boot || perSecond <= 0) return false;
  return *boot + static_cast<double>(ticks) / static_cast<double>(perSecond) > written + kClockSlack;
}

// True when the temporary file at path, named after process pid, is left
// over from a save that can no longer finish.
// A younger file may be a save in progress of a process that this one cannot
// ask about (one on another machine that shares the folder).
bool IsStray(const std::filesystem::path& path, long long pid, std::chrono::seconds minimumAge) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (std::time(nullptr) - st.st_mtime < minimumAge.count()) return false;
  // kill(0) and negative numbers name groups of processes, never a writer.
  if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return true;
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return true;
  const double written = static_cast<double>(st.st_mtim.tv_sec) + static_cast<double>(st.st_mtim.tv_nsec) * 1e-9;
  return StartedAfterOrEnded(pid, written);
}

std::mutex& BusyMutex() {
  static std::mutex m;
  return m;
}
std::condition_variable& BusyFreed() {
  static std::condition_variable c;
  return c;
}
std::set<std::string>& BusyPaths() {
  static std::set<std::string> paths;
  return paths;
}

}  // namespace

bool IsTemporaryName(std::string_view fileName) { return WriterOf(fileName).has_value(); }

SaveLock::SaveLock(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  key_ = (ec ? std::filesystem::path(path) : absolute).lexically_normal().string();
  std::unique_lock lock(BusyMutex());
  BusyFreed().wait(lock, [this] { return !BusyPaths().contains(key_); });
  BusyPaths().insert(key_);
}

SaveLock::~SaveLock() {
  {
    const std::lock_guard lock(BusyMutex());
    BusyPaths().erase(key_);
  }
  BusyFreed().notify_all();
}

void RemoveStrayTemporaries(const std::string& folder, std::string_view name, std::chrono::seconds minimumAge) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string file = it->path().filename().string();
    const std::optional<long long> writer = WriterOf(file);
    if (!writer) continue;
    if (!name.empty() && file.rfind(kTemporaryMark) != name.size()) continue;
    if (!name.empty() && !std::string_view(file).starts_with(name)) continue;
    std::error_code ignored;
    if (IsStray(it->path(), *writer, minimumAge)) fs::remove(it->path(), ignored);
  }
}

std::unique_ptr<OutputFile> OpenFileForOutput(const std::string& path, std::string& error) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    error = std::strerror(errno);
    return nullptr;
  }
  return std::make_unique<StdioFile>(f);
}

SaveResult WriteFileSafely(const std::string& path, std::string_view text, const OpenOutput& open) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path target(path);
  if (target.has_parent_path() && !fs::is_directory(target.parent_path(), ec)) {
    fs::create_directories(target.parent_path(), ec);
    if (ec) return Failed(path, "the folder cannot be made: " + ec.message());
  }
  const SaveLock one(path);
  RemoveStrayTemporaries(target.parent_path().string(), target.filename().string());
  const std::string temp = TemporaryPathFor(path);
  std::string error;
  std::unique_ptr<OutputFile> out = open(temp, error);
  if (!out) return Failed(path, error.empty() ? "the file cannot be made" : error);

  bool ok = true;
  for (std::size_t start = 0; ok && start < text.size();) {
    const std::size_t eol = text.find('\n', start);
    const std::size_t end = eol == std::string_view::npos ? text.size() : eol + 1;
    ok = out->Write(text.substr(start, end - start));
    start = end;
  }
  ok = ok && out->Close();
  if (ok) {
    fs::rename(temp, target, ec);
    if (!ec) return {true, ""};
    error = ec.message();
  } else {
    error = out->Error();
  }
  out.reset();
  fs::remove(temp, ec);
  return Failed(path, error.empty() ? "it cannot be written" : error);
}

std::optional<std::string> ReadFileText(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  std::ifstream in(path, std::ios::binary);
  if (ec || !in) return std::nullopt;
  std::string text(static_cast<std::size_t>(std::min<std::uintmax_t>(size, kMaxReadBytes)), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) return std::nullopt;
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

}  // namespace ondrik::saved
