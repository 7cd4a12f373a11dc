#include "platform/savefile.h"

#include <QSaveFile>
#include <QString>

namespace ondrik {

bool SaveFileReplacing(const std::string& path, const std::string& bytes, Effects& effects,
                       std::string* error, bool* denied) {
  QSaveFile file(QString::fromStdString(path));
  auto fail = [&](const QString& why) {
    if (error != nullptr) *error = path + ": " + why.toStdString();
    if (denied != nullptr) *denied = file.error() == QFileDevice::PermissionsError;
    file.cancelWriting();
    return false;
  };
  // Unbuffered: each write reaches the file system at once, so a full disk
  // shows in the write's own result rather than in a flush nobody checks.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(file.errorString());
  const long long size = static_cast<long long>(bytes.size());
  if (effects.WriteFile(file, bytes.data(), size) != size) {
    const QString why = file.error() != QFileDevice::NoError ? file.errorString()
                                                             : QStringLiteral("not every byte could be written (is the disk full?)");
    return fail(why);
  }
  if (!file.flush() || file.error() != QFileDevice::NoError) return fail(file.errorString());
  if (!file.commit()) {
    if (error != nullptr) *error = path + ": " + file.errorString().toStdString();
    if (denied != nullptr) *denied = file.error() == QFileDevice::PermissionsError;
    return false;
  }
  return true;
}

}  // namespace ondrik
