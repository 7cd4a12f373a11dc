// A fresh, empty folder for a test under the build's test-tmp folder.
#pragma once

#include <gtest/gtest.h>

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

// <test-tmp>/<group>/<suite>.<test>/<name>, its folder made: a file of the
// running test's own. CTest runs the tests at once, each in a process of
// its own, so that two of them writing one file would read each other's
// half-written copy.
inline std::filesystem::path OwnTestFile(const std::string& group, const std::string& name) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string test = info == nullptr ? "none" : std::string(info->test_suite_name()) + "." + info->name();
  std::string safe;
  for (const char c : test) safe += (c == '/' ? '_' : c);
  const std::filesystem::path dir = std::filesystem::path(ONDRIK_TEST_TMP) / group / safe;
  std::filesystem::create_directories(dir);
  return dir / name;
}

}  // namespace ondrik::testing
