#pragma once
// Where the utility finds the files it works on: the program folder (its own
// executable's folder, where Ondrik and its configuration live) and Ondrik's
// saved-state folder, and a look-up of file names that ignores case.

#include <QString>
#include <QStringList>

namespace wexfold {

struct Folders {
  QString program;     // names without a folder are taken against this one
  QString savedState;  // Ondrik's per-user saved settings
};

// The executable's own folder, never the current folder.
QString ProgramFolder();

// $APPDATA/Ondrik when APPDATA is set, otherwise the XDG data folder
// ($XDG_DATA_HOME, else ~/.local/share) /Ondrik; the same folder Ondrik uses.
// A relative one is taken against the current folder. The folder is not
// made: the utility only deletes in it.
QString SavedStateFolder();

Folders DefaultFolders();

// The path of the file called name in folder whatever the case of its name
// ("ondrik.cfg" finds "Ondrik.CFG"; the exact case first); "" when there is
// no such file (folders are not files).
QString FindFileNoCase(const QString& folder, const QString& name);

// The paths of every file in folder called name in any letter case, the
// exact case first; none when there is no such file.
QStringList FindFilesNoCase(const QString& folder, const QString& name);

}  // namespace wexfold
