#pragma once
// Folders of the program and case-insensitive file look-up (data files were
// named on a file system that ignores case).

#include <string>
#include <vector>

namespace ondrik {

// The executable's folder, ending in "/"; SetProgramFolder overrides it
// (tests), an empty path removes the override.
std::string ProgramFolder();
void SetProgramFolder(const std::string& path);

// Makes the program folder the current folder, first noting the folder the
// program was started from, which it returns (ending in "/").
std::string EnterProgramFolder();

// $APPDATA/Ondrik/ when APPDATA is set, else the XDG data folder
// ($XDG_DATA_HOME or ~/.local/share) /Ondrik/ (the rule of saved::FolderFor);
// a relative one is taken against the folder the program was started from,
// as any path given to it; created on demand; ends in "/".
std::string SavedStateFolder();

// The path of a file in a folder whatever the case of its name
// ("ondrik.cfg" finds "Ondrik.CFG"); "" when there is none.
std::string FindFileNoCase(const std::string& folder, const std::string& name);
// The same for several names, the folder listed at most once (a folder may
// hold thousands of other files).
std::vector<std::string> FindFilesNoCase(const std::string& folder, const std::vector<std::string>& names);

// Names of the files in a folder that match a pattern with * and ?,
// ignoring case, sorted by name ignoring case; "*.*" matches every name.
std::vector<std::string> ListFilesNoCase(const std::string& folder, const std::string& pattern);

// True when name matches the pattern (* any run, ? one character), ignoring case.
bool WildcardMatchNoCase(const std::string& pattern, const std::string& name);

}  // namespace ondrik
