#pragma once
// Pictures kept as hashes in a file of the source tree: each test draws its
// pictures, hashes them by name and compares them with the file, or writes
// the file anew when ONDRIK_WRITE_PICTURE_HASHES is set. The file's first
// line is the hash of a probe of printed text: where this machine's fonts
// draw text otherwise than where the file was written, the comparison is
// skipped rather than failed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

namespace ondrik::testing {

inline void ExpectPictureHashes(const std::string& hashFile, const std::string& probe,
                                const std::map<std::string, std::string>& hashes) {
  if (std::getenv("ONDRIK_WRITE_PICTURE_HASHES") != nullptr) {
    std::ofstream out(hashFile, std::ios::binary);
    out << "text " << probe << '\n';
    for (const auto& [name, hash] : hashes) out << name << ' ' << hash << '\n';
    ASSERT_TRUE(out.good()) << hashFile;
    GTEST_SKIP() << "written " << hashFile;
  }
  std::ifstream in(hashFile, std::ios::binary);
  ASSERT_TRUE(in.good()) << hashFile;
  std::map<std::string, std::string> kept;
  for (std::string name, hash; in >> name >> hash;) kept[name] = hash;
  if (kept["text"] != probe) GTEST_SKIP() << "text is drawn otherwise here than where the hashes were written";
  kept.erase("text");
  EXPECT_EQ(kept.size(), hashes.size());
  for (const auto& [name, hash] : hashes) EXPECT_EQ(hash, kept[name]) << name;
}

}  // namespace ondrik::testing
