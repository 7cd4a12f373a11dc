#include "savedstate/safefile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace ondrik::saved {

namespace {

constexpr std::size_t kMaxReadBytes = 1 << 20;
constexpr std::string_view kTemporaryMark = ".ondrik-";
constexpr std::string_view kTemporaryEnd = ".tmp";

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

bool IsTemporaryName(std::string_view fileName) {
  if (!fileName.ends_with(kTemporaryEnd)) return false;
  fileName.remove_suffix(kTemporaryEnd.size());
  const std::size_t mark = fileName.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark == 0) return false;
  const std::string_view digits = fileName.substr(mark + kTemporaryMark.size());
  return !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void RemoveStrayTemporaries(const std::string& folder, std::string_view name) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string file = it->path().filename().string();
    if (!IsTemporaryName(file)) continue;
    if (!name.empty() && file.rfind(kTemporaryMark) != name.size()) continue;
    if (!name.empty() && !std::string_view(file).starts_with(name)) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
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
