// A fresh, empty folder for a test under the build's test-tmp folder.
#pragma once

#include <filesystem>
#include <string>

namespace ondrik::testing {

// <test-tmp>/<group>_<name>/, emptied; the path ends in "/".
inline std::string TempFolderIn(const std::string& group, const std::string& name) {
  const std::filesystem::path p = std::filesystem::path(ONDRIK_TEST_TMP) / (group + "_" + name);
  std::filesystem::remove_all(p);
  std::filesystem::create_directories(p);
  return p.string() + "/";
}

}  // namespace ondrik::testing
