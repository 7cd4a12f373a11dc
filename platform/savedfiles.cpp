#include "platform/savedfiles.h"

#include <map>
#include <mutex>

#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/savefile.h"
#include "savedstate/safefile.h"

namespace ondrik {

std::optional<std::string> ReadSavedFile(const std::string& name) {
  const std::string folder = SavedStateFolder();
  std::string path = FindFileNoCase(folder, name);
  if (path.empty()) path = folder + name;
  return saved::ReadFileText(path);
}

bool WriteSavedFile(const std::string& name, const std::string& text) {
  const saved::SaveResult r = saved::WriteFileSafely(SavedStateFolder() + name, text, WritesThrough(TheEffects()));
  if (!r.ok) TheEffects().Message(r.message, kProgramName, MsgIcon::Warning);
  return r.ok;
}

namespace {

// The scratch texts this process saved, by the path of their file.
struct ScratchTexts {
  std::mutex lock;
  std::map<std::string, std::string> byPath;
};

ScratchTexts& Scratch() {
  static ScratchTexts texts;
  return texts;
}

}  // namespace

bool WriteScratchFile(const std::string& name, const std::string& text) {
  {
    ScratchTexts& s = Scratch();
    const std::lock_guard<std::mutex> held(s.lock);
    s.byPath[SavedStateFolder() + name] = text;
  }
  return WriteSavedFile(name, text);
}

std::optional<std::string> ReadScratchFile(const std::string& name) {
  ScratchTexts& s = Scratch();
  const std::lock_guard<std::mutex> held(s.lock);
  const auto it = s.byPath.find(SavedStateFolder() + name);
  if (it == s.byPath.end()) return std::nullopt;
  return it->second;
}

}  // namespace ondrik
