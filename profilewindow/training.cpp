#include "profilewindow/training.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/folders.h"
#include "config/config.h"

namespace ondrik {

bool gTrainingMode = false;
std::array<Integer, kMaxHelpAreas + 1> gHelpAreaOpen{};
Long gHelpLeft = -9999;

// ---------------------------------------------------------------- the index

std::string TrainingTopicKey(const std::string& topic) { return ToUpperAscii(TrimBlanks(topic)); }

const TrainingEntry* TrainingIndex::Find(const std::string& key) const {
  for (int i = 1; i <= TrainingCount && i < static_cast<int>(entries.size()); ++i)
    if (entries[static_cast<size_t>(i)].topic == key) return &entries[static_cast<size_t>(i)];
  return nullptr;
}

TrainingIndex ParseTrainingIndex(const std::vector<std::string>& lines) {
  TrainingIndex t;
  bool readingPast = false;  // inside a topic beyond the last one kept
  for (const std::string& raw : lines) {
    const std::string line = TrimBlanks(raw);
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      if (t.TrainingCount >= kMaxTrainingTopics) {
        readingPast = true;
        continue;
      }
      // The name is the line without its first and last character.
      const std::string name = line.size() >= 2 ? line.substr(1, line.size() - 2) : "";
      t.entries.push_back({TrainingTopicKey(name), ""});
      ++t.TrainingCount;
      continue;
    }
    if (readingPast) continue;
    t.entries.back().targets += line + "|";
  }
  return t;
}

TrainingIndex ReadTrainingIndex(const std::string& programFolder) {
  std::vector<std::string> lines;
  const std::string path = FindFileNoCase(programFolder, "Ondrik.ref");
  if (path.empty() || !ReadTextLines(path, lines)) return {};
  return ParseTrainingIndex(lines);
}

std::vector<std::string> SplitTargets(const std::string& targets) {
  std::vector<std::string> out;
  std::size_t from = 0;
  for (std::size_t bar = targets.find('|'); bar != std::string::npos; bar = targets.find('|', from)) {
    out.push_back(targets.substr(from, bar - from));
    from = bar + 1;
  }
  return out;
}

// ---------------------------------------------------------------- targets

namespace {

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

// "scheme:" of two letters or more ("C:" is a drive).
bool HasScheme(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '+' || s[i] == '.' || s[i] == '-'))
    ++i;
  return i >= 2 && i < s.size() && s[i] == ':' && std::isalpha(static_cast<unsigned char>(s[0]));
}

std::string Extension(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return ToLowerAscii(path.substr(dot + 1));
}

bool IsProgramExtension(const std::string& ext) {
  static const char* const kPrograms[] = {"exe", "com", "bat", "cmd", "pif", "scr", "msi", "msc", "cpl",
                                          "vbs", "vbe", "js",  "jse", "wsf", "wsh", "ps1", "hta", "jar",
                                          "lnk", "reg", "sh",  "bash", "csh", "ksh", "zsh", "py", "pl",
                                          "rb",  "app", "desktop", "appimage", "run", "bin", "so", "dll"};
  return std::find(std::begin(kPrograms), std::end(kPrograms), ext) != std::end(kPrograms);
}

bool IsDocumentExtension(const std::string& ext) {
  static const char* const kDocuments[] = {"htm", "html", "pdf", "txt", "png", "jpg", "jpeg", "gif",
                                           "bmp", "svg",  "doc", "docx", "ppt", "pptx", "xls", "xlsx",
                                           "rtf", "odt",  "mp4", "avi", "wmv", "mov", "swf"};
  return std::find(std::begin(kDocuments), std::end(kDocuments), ext) != std::end(kDocuments);
}

// The entry of a folder named `name` whatever its case; "" when none.
std::string EntryNoCase(const std::string& folder, const std::string& name) {
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::path(folder) / name, ec)) return name;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (EqualsNoCase(entry, name)) return entry;
  }
  return "";
}

// The path with each folder and the name found whatever their case; parts
// that do not exist are kept as written (and nothing below a missing folder
// is looked for).
std::string FindPathNoCase(const std::string& path) {
  std::string done = !path.empty() && path[0] == '/' ? "/" : "";
  std::size_t from = done.size();
  bool lost = false;
  while (from <= path.size()) {
    auto slash = path.find('/', from);
    if (slash == std::string::npos) slash = path.size();
    const std::string part = path.substr(from, slash - from);
    if (!part.empty()) {
      const bool dots = part == "." || part == "..";
      const std::string found = dots || lost ? "" : EntryNoCase(done.empty() ? "." : done, part);
      lost = lost || (found.empty() && !dots);
      done += found.empty() ? part : found;
      if (slash < path.size()) done += "/";
    }
    from = slash + 1;
  }
  return done;
}

ResolvedTarget Refuse(const std::string& target, const std::string& why) {
  ResolvedTarget r;
  r.kind = ResolvedTarget::kRefused;
  r.reason = "\"" + target + "\" " + why;
  return r;
}

ResolvedTarget ResolvePlain(const std::string& target, const std::string& programFolder) {
  std::string t = TrimBlanks(target);
  if (t.empty()) return Refuse(target, "names no document");
  ResolvedTarget r;
  if (StartsWithNoCase(t, "http://") || StartsWithNoCase(t, "https://")) {
    r.kind = ResolvedTarget::kWebAddress;
    r.location = t;
    return r;
  }
  if (StartsWithNoCase(t, "www.")) {
    r.kind = ResolvedTarget::kWebAddress;
    r.location = "http://" + t;
    return r;
  }
  if (StartsWithNoCase(t, "file://")) {
    t = t.substr(7);
  } else if (HasScheme(t)) {
    return Refuse(target, "is neither a document nor a web address");
  }
  std::replace(t.begin(), t.end(), '\\', '/');
  const auto hash = t.find('#');
  if (hash != std::string::npos) {
    r.anchor = t.substr(hash + 1);
    t = t.substr(0, hash);
  }
  if (t.empty()) return Refuse(target, "names no document");
  const bool absolute = t[0] == '/' || (t.size() >= 2 && t[1] == ':');
  const std::string path = FindPathNoCase(absolute ? t : AddBackslash(programFolder) + t);
  const std::string ext = Extension(path);
  if (IsProgramExtension(ext)) return Refuse(target, "is a program, which training never starts");
  std::error_code ec;
  const auto st = std::filesystem::status(path, ec);
  if (!ec && std::filesystem::is_regular_file(st) && !IsDocumentExtension(ext)) {
    using std::filesystem::perms;
    if ((st.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) != perms::none)
      return Refuse(target, "is a program, which training never starts");
  }
  r.kind = ResolvedTarget::kDocument;
  r.location = path;
  return r;
}

}  // namespace

ResolvedTarget ResolveTrainingTarget(const std::string& target, const std::string& programFolder) {
  const auto bang = target.find('!');
  if (bang == std::string::npos) return ResolvePlain(target, programFolder);
  ResolvedTarget r = ResolvePlain(target.substr(bang + 1), programFolder);
  r.viaBrowser = r.kind != ResolvedTarget::kRefused;
  return r;
}

// ---------------------------------------------------------------- the outline

HelpOutline ParseHelpOutline(const std::vector<std::string>& lines) {
  HelpOutline o;
  bool readingPast = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (!line.empty() && line[0] == '>') {
      if (o.AreaCount() >= kMaxHelpAreas) {
        readingPast = true;
        continue;
      }
      o.areas.push_back(line.substr(1));
      continue;
    }
    // A caption and, on the next line, its target.
    std::string target;
    if (i + 1 < lines.size()) target = lines[++i];
    if (readingPast) continue;
    o.buttons.push_back({o.AreaCount(), line, target});
  }
  return o;
}

HelpLayout LayOutHelp(const HelpOutline& outline, const std::array<Integer, kMaxHelpAreas + 1>& open) {
  HelpLayout l;
  int top = kHelpFirstTop, left = kHelpLeft;
  std::size_t b = 0;
  const auto placeButtonsOf = [&](int area) {
    for (; b < outline.buttons.size() && outline.buttons[b].area == area; ++b) {
      if (area < 1 || open[static_cast<size_t>(area)] != 1) continue;
      l.buttons.push_back({static_cast<int>(b), left, top});
      left += kHelpButtonStep;
      if (left > kHelpRowEnd) {
        left = kHelpLeft;
        top += kHelpRowStep;
      }
    }
  };
  placeButtonsOf(0);
  for (int a = 1; a <= outline.AreaCount(); ++a) {
    if (left > kHelpLeft) {
      left = kHelpLeft;
      top += kHelpRowStep;
    }
    l.labels.push_back({a, kHelpLeft, top});
    top += kHelpLabelStep;
    placeButtonsOf(a);
  }
  if (left > kHelpLeft) top += kHelpRowStep;
  l.okTop = top + 100;
  l.height = top + 1000;
  return l;
}

}  // namespace ondrik
