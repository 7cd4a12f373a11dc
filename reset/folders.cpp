#include "reset/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace wexfold {

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

QString SavedStateFolder() {
  QString base = qEnvironmentVariable("APPDATA");
  if (base.isEmpty()) base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty()) {
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty()) home = QDir::homePath();
    base = home + QStringLiteral("/.local/share");
  }
  // A relative folder is taken against the current folder, once, at the start.
  return QDir(base).absoluteFilePath(QStringLiteral("Ondrik"));
}

Folders DefaultFolders() { return {ProgramFolder(), SavedStateFolder()}; }

QString FindFileNoCase(const QString& folder, const QString& name) {
  const QStringList found = FindFilesNoCase(folder, name);
  return found.isEmpty() ? QString() : found.front();
}

QStringList FindFilesNoCase(const QString& folder, const QString& name) {
  QStringList found;
  if (name.isEmpty() || folder.isEmpty()) return found;
  const QDir dir(folder);
  if (QFileInfo(dir, name).isFile()) found << dir.filePath(name);
  const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString& e : entries) {
    if (e != name && e.compare(name, Qt::CaseInsensitive) == 0) found << dir.filePath(e);
  }
  return found;
}

}  // namespace wexfold
