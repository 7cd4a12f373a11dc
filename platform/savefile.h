#pragma once
// Saving a file so that a failure mid-write cannot destroy the earlier copy.
//
// The bytes go unbuffered into a temporary file beside the target (named by
// saved::TemporaryPathFor), through Effects::WriteFile; every write is
// checked, and only a file that took every byte, synced to the disk,
// replaces the target (by rename). Any failure (a folder that does not
// exist, a full disk, a refused rename) removes the temporary file and leaves
// the earlier file as it was. Temporary files of the target that an earlier
// save left behind (its program killed mid-save) are removed first; those of
// saves still in progress are left alone, and saves of one file in this
// process run one after the other.

#include <string>

#include "platform/effects.h"

namespace ondrik {

// Saves bytes as path; false, with the file and the system's reason in
// *error (when given), when the file could not be saved whole. *denied (when given)
// tells whether the file system refused the file for want of permission.
bool SaveFileReplacing(const std::string& path, const std::string& bytes, Effects& effects,
                       std::string* error, bool* denied = nullptr);

}  // namespace ondrik
