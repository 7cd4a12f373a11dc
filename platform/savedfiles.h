#pragma once
// The saved-settings files in the saved-state folder, read and written as
// the windows need them: a missing file reads as none, a save goes through
// a temporary file that replaces the old copy only once it was written
// whole, and a save that fails tells the user (a message; on standard error
// in batch runs) and leaves the old copy as it was.

#include <optional>
#include <string>

namespace ondrik {

// The whole text of the saved file name ("Ondrik.hst", "Ondrik.SP3"); none
// when there is no such file.
std::optional<std::string> ReadSavedFile(const std::string& name);

// Saves text as the saved file name, making the folder when it is missing;
// false, after a message naming the file, when it could not be saved.
bool WriteSavedFile(const std::string& name, const std::string& text);

// A scratch slot's file carries a window's state across one action: saved,
// then recalled at once to draw the window again. Every Ondrik that uses the
// folder writes the same file, so another one (a batch run beside the
// forecaster's window) may write its own in between; the recall therefore
// takes the text this process saved last, never the file. The file is
// written all the same, as WriteSavedFile does (false, after its message,
// when it could not be), for whoever reads it.
bool WriteScratchFile(const std::string& name, const std::string& text);
// What this process last saved as name; none before its first save.
std::optional<std::string> ReadScratchFile(const std::string& name);

}  // namespace ondrik
