#include "savedstate/safefile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "savedstate/temporary.h"

namespace ondrik::saved {

namespace {

constexpr std::size_t kMaxReadBytes = 1 << 20;

// A file saved through a link replaces the file the link points to; a link
// that points nowhere is replaced itself.
std::string FileBehind(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  const std::filesystem::path target = std::filesystem::canonical(path, ec);
  return ec ? path : target.string();
}

}  // namespace

std::string SaveFailedMessage(std::string_view what, const std::string& path, const std::string& detail) {
  std::error_code ec;
  const bool previous = std::filesystem::is_regular_file(path, ec);
  return std::string(what) + " could not be saved (" + detail + ")" + (previous ? "; the previous copy is kept." : ".");
}

long long WriteAllBytes(int fd, const char* data, long long size) {
  long long written = 0;
  while (written < size) {
    const ssize_t n = ::write(fd, data + written, static_cast<std::size_t>(size - written));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    // A write that takes nothing has nowhere left to put the bytes.
    if (n == 0) {
      errno = ENOSPC;
      return -1;
    }
    written += n;
  }
  return written;
}

Replaced ReplaceFile(const std::string& path, std::string_view bytes, const WriteBytes& write) {
  const auto failed = [&path](int code) {
    return Replaced{false, code, path + ": " + std::generic_category().message(code)};
  };
  const std::string target = FileBehind(path);
  const SaveTurn turn(target);
  int code = 0;
  std::optional<TemporaryFile> temp = TemporaryFile::Create(target, code);
  if (!temp) return failed(code);
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(temp->Descriptor(), old.st_mode & 07777);
  const long long size = static_cast<long long>(bytes.size());
  errno = 0;
  if (write(temp->Descriptor(), bytes.data(), size) != size) return failed(errno != 0 ? errno : EIO);
  if (::fsync(temp->Descriptor()) != 0 || !temp->RenameOver(target)) return failed(errno);
  return {true, 0, {}};
}

SaveResult WriteFileSafely(const std::string& path, std::string_view text, const WriteBytes& write) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty() && !fs::is_directory(folder, ec)) {
    fs::create_directories(folder, ec);
    if (ec)
      return {false, SaveFailedMessage("The settings", path, path + ": its folder cannot be made: " + ec.message())};
  }
  const Replaced r = ReplaceFile(path, text, write);
  if (r.ok) return {true, {}};
  return {false, SaveFailedMessage("The settings", path, r.detail)};
}

std::optional<std::string> ReadFileText(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Read to the file's end, not to a size measured before: a file that grew
  // or shrank meanwhile is read as it now stands.
  std::string text;
  char chunk[1 << 14];
  while (text.size() < kMaxReadBytes) {
    in.read(chunk, static_cast<std::streamsize>(std::min(sizeof chunk, kMaxReadBytes - text.size())));
    text.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (!in) break;
  }
  if (in.bad()) return std::nullopt;
  return text;
}

}  // namespace ondrik::saved
