#include "platform/savefile.h"

#include <cerrno>

namespace ondrik {

saved::WriteBytes WritesThrough(Effects& effects) {
  return [&effects](int fd, const char* data, long long size) { return effects.WriteFile(fd, data, size); };
}

bool SaveFileReplacing(const std::string& path, const std::string& bytes, Effects& effects,
                       std::string* error, bool* denied) {
  const saved::Replaced r = saved::ReplaceFile(path, bytes, WritesThrough(effects));
  if (r.ok) return true;
  if (error != nullptr) *error = r.detail;
  if (denied != nullptr) *denied = r.code == EACCES || r.code == EPERM || r.code == EROFS;
  return false;
}

}  // namespace ondrik
