#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <mutex>
#include <optional>
#include <string_view>

#include "platform/picturebox.h"
#include "savedstate/format.h"

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

bool WildcardMatchNoCase(const std::string& pattern, const std::string& name) {
  const QString p = ToQString(pattern).toCaseFolded();
  const QString n = ToQString(name).toCaseFolded();
  if (p == QLatin1String("*.*")) return true;
  // Greedy match with back-tracking to the last star: linear in practice,
  // never exponential.
  qsizetype pi = 0, ni = 0, star = -1, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == u'?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == u'*') {
      star = pi++;
      mark = ni;
    } else if (star >= 0) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == u'*') ++pi;
  return pi == p.size();
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  return FindFilesNoCase(folder, {name}).front();
}

std::vector<std::string> FindFilesNoCase(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<std::string> found(names.size());
  const QDir dir(DirOf(folder));
  std::optional<QStringList> entries;  // listed once, for the first name not there in its own case
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
    if (!entries) entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& e : *entries) {
      if (e.compare(want, Qt::CaseInsensitive) == 0) {
        found[i] = Join(folder, e);
        break;
      }
    }
  }
  return found;
}

std::vector<std::string> ListFilesNoCase(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> out;
  const QDir dir(DirOf(folder));
  if (!dir.exists()) return out;
  const QStringList entries = dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
  for (const QString& e : entries) {
    const std::string n = FromQ(e);
    if (WildcardMatchNoCase(pattern, n)) out.push_back(n);
  }
  return out;
}

}  // namespace ondrik
