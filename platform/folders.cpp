#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/picturebox.h"
#include "savedstate/format.h"
#include "savedstate/listing.h"

namespace ondrik {

namespace {

std::mutex gFolderMutex;
std::string gProgramFolderOverride;
std::string gStartFolder;  // the current folder when the program started; "" until known

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string FromQ(const QString& s) { return s.toStdString(); }

QString DirOf(const std::string& folder) { return folder.empty() ? QStringLiteral(".") : ToQString(folder); }

std::string Join(const std::string& folder, const QString& name) {
  if (folder.empty()) return FromQ(name);
  return WithSlash(folder) + FromQ(name);
}

std::string GetEnv(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? std::string(v) : std::string();
}

}  // namespace

std::string ProgramFolder() {
  {
    std::lock_guard<std::mutex> lock(gFolderMutex);
    if (!gProgramFolderOverride.empty()) return gProgramFolderOverride;
  }
  if (QCoreApplication::instance() != nullptr) {
    return WithSlash(FromQ(QCoreApplication::applicationDirPath()));
  }
  const QFileInfo exe(QStringLiteral("/proc/self/exe"));
  const QString target = exe.symLinkTarget();
  if (!target.isEmpty()) return WithSlash(FromQ(QFileInfo(target).absolutePath()));
  return WithSlash(FromQ(QDir::currentPath()));
}

void SetProgramFolder(const std::string& path) {
  std::lock_guard<std::mutex> lock(gFolderMutex);
  gProgramFolderOverride = path.empty() ? std::string() : WithSlash(path);
}

std::string EnterProgramFolder() {
  const std::string start = WithSlash(FromQ(QDir::currentPath()));
  {
    std::lock_guard<std::mutex> lock(gFolderMutex);
    gStartFolder = start;
  }
  QDir::setCurrent(ToQString(ProgramFolder()));
  return start;
}

std::string SavedStateFolder() {
  std::string start;
  {
    std::lock_guard<std::mutex> lock(gFolderMutex);
    start = gStartFolder;
  }
  const QDir base(start.empty() ? QDir::currentPath() : ToQString(start));
  const std::string folder = WithSlash(FromQ(base.absoluteFilePath(ToQString(saved::FolderFor([](const char* name) {
    const std::string v = GetEnv(name);
    return v.empty() && std::string_view(name) == "HOME" ? FromQ(QDir::homePath()) : v;
  })))));
  QDir().mkpath(ToQString(folder));
  return folder;
}

namespace {

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Greedy match with back-tracking to the last star: linear in practice,
// never exponential. p and n are letter-case folded alike.
template <typename Text>
bool WildcardMatch(const Text& p, const Text& n) {
  using Index = decltype(p.size());
  Index pi = 0, ni = 0, mark = 0;
  bool starred = false;
  Index star = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      starred = true;
      mark = ni;
    } else if (starred) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

// Names alike whatever their letter case; names of plain ASCII (nearly all
// of them) are compared without turning them into QStrings.
bool SameNameNoCase(const std::string& a, const std::string& b) {
  if (IsAscii(a) && IsAscii(b))
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return LowerAscii(x) == LowerAscii(y);
           });
  return ToQString(a).compare(ToQString(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool WildcardMatchNoCase(const std::string& pattern, const std::string& name) {
  if (pattern == "*.*") return true;
  if (IsAscii(pattern) && IsAscii(name)) {
    std::string p = pattern, n = name;
    std::transform(p.begin(), p.end(), p.begin(), LowerAscii);
    std::transform(n.begin(), n.end(), n.begin(), LowerAscii);
    return WildcardMatch(p, n);
  }
  return WildcardMatch(ToQString(pattern).toCaseFolded(), ToQString(name).toCaseFolded());
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  return FindFilesNoCase(folder, {name}).front();
}

std::vector<std::string> FindFilesNoCase(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<std::string> found(names.size());
  const QDir dir(DirOf(folder));
  // Listed at most once, for the first name not there in its own case, and
  // then only when the folder changed since it was last listed.
  std::optional<saved::FolderEntries> entries;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    if (name.empty()) continue;
    if (name.find('/') != std::string::npos) {
      const std::string path = Join(folder, ToQString(name));
      if (QFileInfo(ToQString(path)).isFile()) found[i] = path;
      continue;
    }
    const QString want = ToQString(name);
    if (QFileInfo(dir, want).isFile()) {  // exact case first
      found[i] = Join(folder, want);
      continue;
    }
    if (!entries) entries = saved::ListFolder(folder);
    // Of several spellings the first by name.
    const std::string* best = nullptr;
    for (const saved::FolderEntry& e : *entries)
      if (e.file && SameNameNoCase(e.name, name) && (best == nullptr || e.name < *best)) best = &e.name;
    if (best != nullptr) found[i] = Join(folder, ToQString(*best));
  }
  return found;
}

std::vector<std::string> ListFilesNoCase(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> out;
  for (const saved::FolderEntry& e : saved::ListFolder(folder))
    if (e.file && !e.name.starts_with('.') && WildcardMatchNoCase(pattern, e.name)) out.push_back(e.name);
  // By name, letter case aside.
  std::vector<std::pair<QString, std::string>> keyed;
  keyed.reserve(out.size());
  for (std::string& n : out) keyed.emplace_back(ToQString(n).toLower(), std::move(n));
  std::sort(keyed.begin(), keyed.end());
  out.clear();
  for (auto& k : keyed) out.push_back(std::move(k.second));
  return out;
}

}  // namespace ondrik
