#pragma once
// Pictures kept as hashes in a file of the source tree: each test draws its
// pictures, hashes them by name and compares them with the file, or writes
// the file anew when ONDRIK_WRITE_PICTURE_HASHES is set. The file's first
// line is the hash of a probe of printed text: where this machine's fonts
// draw text otherwise than where the file was written, the comparison is
// skipped rather than failed.
#include <gtest/gtest.h>

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QImage>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "platform/picturebox.h"

namespace ondrik::testing {

// The hash of pictures' pixels, one after the other, the same on every machine.
class PictureHash {
 public:
  void Add(const QImage& image) {
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    h_.addData(QByteArrayView(reinterpret_cast<const char*>(rgb.constBits()), rgb.sizeInBytes()));
  }
  std::string Hex() const { return h_.result().toHex().toStdString(); }

 private:
  QCryptographicHash h_{QCryptographicHash::Md5};
};

// The hash of two lines printed in white on black: one in the picture box's
// own face, one in the titles' face at `titleSize` (the faces a picture
// prints its texts in, which machines may draw otherwise).
inline std::string TextProbe(const std::string& line, const std::string& title, double titleSize) {
  PictureBox pic(400, 60);
  pic.BackColor = kBlack;
  pic.Cls();
  pic.ForeColor = kWhite;
  pic.Print(line);
  pic.FontName = "Lucida Console";
  pic.FontSize = titleSize;
  pic.Print(title);
  PictureHash h;
  h.Add(pic.Image());
  return h.Hex();
}

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
