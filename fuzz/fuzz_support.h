// What the fuzz targets share: a folder of the process for the files the
// readers are given (they read from paths), quiet effects, the count of
// subscripts out of range, and the checks that turn a broken promise of a
// reader into a finding. Included by the one file of each target.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/effects.h"

namespace ondrik::fuzz {

// A folder of this process, in memory (/dev/shm) where there is one; removed
// when the process ends normally, and the folders of processes that ended
// otherwise (a finding, a stop) when the next one starts. Ends in "/".
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path base = "/dev/shm";
    if (!fs::is_directory(base, ec) || access(base.c_str(), W_OK) != 0) base = fs::temp_directory_path();
    const std::string prefix = "ondrik-fuzz-";
    for (const auto& e : fs::directory_iterator(base, ec)) {
      const std::string name = e.path().filename().string();
      if (name.rfind(prefix, 0) != 0) continue;
      const std::string pid = name.substr(prefix.size());
      if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos) continue;
      if (kill(static_cast<pid_t>(std::stol(pid)), 0) != 0 && errno == ESRCH) fs::remove_all(e.path(), ec);
    }
    const fs::path dir = base / (prefix + std::to_string(getpid()));
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    static const std::string kept = dir.string();
    std::atexit([] {
      std::error_code e;
      std::filesystem::remove_all(kept, e);
    });
    return dir.string() + "/";
  }();
  return folder;
}

// Writes the bytes to the file `name` of the scratch folder; returns its path.
inline std::string WriteInputFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchFolder() + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) {
    std::fprintf(stderr, "fuzz: cannot write %s\n", path.c_str());
    std::abort();
  }
  return path;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Messages and program starts are recorded, never shown; the record is
// emptied on every call so that it does not grow from input to input.
inline FakeEffects& QuietEffects() {
  static FakeEffects* effects = [] {
    auto* e = new FakeEffects;
    SetEffects(e);
    return e;
  }();
  effects->messages.clear();
  effects->documents.clear();
  effects->programs.clear();
  effects->endCalls.clear();
  return *effects;
}

[[noreturn]] inline void Finding(const char* file, int line, const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz finding at %s:%d: %s\n%s\n", file, line, what, detail.c_str());
  std::abort();
}

// Subscripts out of range. The store throws for them and the chart skips a
// drawing step that throws, so they would go unseen: every fuzz target is
// linked with the store's SubscriptOutOfRange wrapped (fuzz/CMakeLists.txt),
// and the wrapper below counts them before throwing as before.
inline int gSubscriptErrors = 0;
inline std::string gLastSubscriptError;

}  // namespace ondrik::fuzz

extern "C" [[noreturn]] void __real__ZN6ondrik19SubscriptOutOfRangeEPKc(const char* what);
extern "C" [[noreturn]] void __wrap__ZN6ondrik19SubscriptOutOfRangeEPKc(const char* what) {
  ++ondrik::fuzz::gSubscriptErrors;
  ondrik::fuzz::gLastSubscriptError = what;
  __real__ZN6ondrik19SubscriptOutOfRangeEPKc(what);
}

// A promise of the code under test; when it is broken the run stops with the
// condition and the detail text.
#define FUZZ_CHECK(cond, detail)                                                    \
  do {                                                                              \
    if (!(cond)) ::ondrik::fuzz::Finding(__FILE__, __LINE__, #cond, (detail));      \
  } while (false)
