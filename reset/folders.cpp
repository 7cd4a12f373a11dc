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
  return QDir(base).filePath(QStringLiteral("Ondrik"));
}

Folders DefaultFolders() { return {ProgramFolder(), SavedStateFolder()}; }

QString FindFileNoCase(const QString& folder, const QString& name) {
  if (name.isEmpty() || folder.isEmpty()) return {};
  const QDir dir(folder);
  if (QFileInfo(dir, name).isFile()) return dir.filePath(name);
  const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString& e : entries) {
    if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
  }
  return {};
}

}  // namespace wexfold
