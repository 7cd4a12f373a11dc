#pragma once
// Saving a file so that a failure mid-write cannot destroy the earlier copy,
// every byte going through Effects::WriteFile (saved::ReplaceFile tells the
// rest: the temporary file of its own, the sync, the rename, the turns).

#include <string>

#include "platform/effects.h"
#include "savedstate/safefile.h"

namespace ondrik {

// The bytes of a save, written through effects.
saved::WriteBytes WritesThrough(Effects& effects);

// Saves bytes as path; false, with "<path>: <the system's reason>" in *error
// (when given), when the file could not be saved whole. *denied (when given)
// tells whether the file system refused the file for want of permission.
bool SaveFileReplacing(const std::string& path, const std::string& bytes, Effects& effects,
                       std::string* error, bool* denied = nullptr);

}  // namespace ondrik
