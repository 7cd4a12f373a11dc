// The overview pictures of the shipped files, with every field and strip
// ticked, stay what they were when tests/overview/shipped_pictures.md5 was
// written: a change of a computation or a drawing meant for bad input must
// leave ordinary files' pictures alone, pixel for pixel.
//
// The hashes hold where text is drawn as it was when they were written (the
// first line, a probe of printed texts, tells): elsewhere the test is
// skipped. After a change that is meant to alter the pictures, write the
// file anew with ONDRIK_WRITE_PICTURE_HASHES=1 and look at the pictures
// (ONDRIK_KEEP_PNG=1 keeps them in the test folder).
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "overview/boxes.h"
#include "tests/common/picture_hashes.h"
#include "tests/overview/overview_test_util.h"

namespace ondrik {
namespace {

const std::string kHashFile = std::string(ONDRIK_DATA_DIR) + "/../tests/overview/shipped_pictures.md5";

std::string Md5(const std::initializer_list<const QImage*> images) {
  testing::PictureHash h;
  for (const QImage* i : images) h.Add(*i);
  return h.Hex();
}

// Printed texts in the faces the overview prints with.
std::string TextProbe() { return testing::TextProbe(" 25 -40 X N 0.5 1000 mb 12z Tu 6p", "SREF ARW CTL 12Z #arw_ctl", 10); }

void TickEverything(OverviewOptions& o) {
  o = OverviewOptions{};
  for (const OverviewRow& r : OverviewRows())
    if (r.kind == BoxKind::Field || r.kind == BoxKind::Strip) o.box[static_cast<size_t>(r.id)] = 1;
  o.box[kBoxRH1] = 0;  // the two humidity fills are one field
  o.box[kBoxGridHeight] = o.box[kBoxGridTime] = o.box[kBoxCursor] = 1;
}

TEST(ShippedPicturesTest, EveryFieldAndStripDrawsAsBefore) {
  const char* files[] = {"NAM_KOKC.ond", "NAM_KBOS.ond", "NAM_KDEN.ond", "NAM_KMSP.ond", "RUC_KOKC.ond",
                         "RUC_KBOS.ond", "RUC_KDEN.ond", "RUC_KMSP.ond", "GFS_KOKC.ond", "GFS_KBOS.ond",
                         "GFS_KDEN.ond", "GFS_KMSP.ond", "SREF_KOKC.ond"};
  std::map<std::string, std::string> hashes;  // picture name -> hash
  for (const char* file : files) {
    OverviewState s;
    ASSERT_TRUE(testing::LoadShipped(file, s, "X"));
    s.in.HourValue = 12;
    testing::OverviewPictures pics;
    OverviewDraw d = pics.Draw(s);
    for (const bool overlay : {false, true}) {
      if (overlay && gDatasetCount < 2) continue;
      gOverlayAll = overlay;
      for (const Integer interval : {1, 5}) {
        TickEverything(s.opt);
        s.opt.ContourInterval = interval;
        PlotData(d);
        const std::string name =
            std::string(file) + (overlay ? "-overlay" : "") + "-interval" + std::to_string(interval);
        hashes[name] = Md5({&pics.rh.Image(), &pics.left.Image(), &pics.right.Image()});
        if (std::getenv("ONDRIK_KEEP_PNG") != nullptr) pics.Save("shipped-" + name + ".png");
      }
    }
    gOverlayAll = false;
  }

  const std::string probe = TextProbe();
  testing::ExpectPictureHashes(kHashFile, probe, hashes);
}

}  // namespace
}  // namespace ondrik
