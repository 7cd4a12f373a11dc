// A profile file written by the sample-data generator (ONDRIK_GENDATA) into
// the temporary folder, once per run: the path, or "" when it could not be
// written.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace ondrik::bench {

// option: the generator's option ("--max", "--missing"); name: the file's name.
inline std::string GeneratedFile(const std::string& option, const std::string& name) {
  const std::filesystem::path p = std::filesystem::temp_directory_path() / name;
  const std::string command = std::string("\"") + ONDRIK_GENDATA + "\" " + option + " \"" + p.string() + "\" >/dev/null";
  return std::system(command.c_str()) == 0 ? p.string() : std::string();
}

}  // namespace ondrik::bench
