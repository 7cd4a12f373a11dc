// Whether a printed text stands out from its ground: the strokes of a text
// small or thin, or of a dark colour on black, never reach their colour's
// strength, and a dark red on black reads as a grey smudge ("8.0" as
// "0.0"). The measure is of the pixels drawn: the contrast (as the web's
// accessibility rules reckon it, 1 to 21) between the ground round the ink
// and the strongest of the text's stroke pixels.
#pragma once

#include <QColor>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/picturebox.h"
#include "tests/common/text_check.h"

namespace ondrik::testing {

// The contrast of two pixels of a picture (0xAARRGGBB).
inline double PixelContrast(QRgb a, QRgb b) {
  return ondrik::Contrast(RGB(qRed(a), qGreen(a), qBlue(a)), RGB(qRed(b), qGreen(b), qBlue(b)));
}

// The least contrast at which a text reads at a glance, and the one the
// web's accessibility rules ask of small text: what texts on black reach in
// every colour the panels give them.
inline constexpr double kLeastContrast = kLeastTextContrast;
inline constexpr double kSmallTextContrast = 4.5;

struct TextContrast {
  std::string text;
  double contrast;
};

// Each text of the picture whose strongest stroke pixel stands less than
// `least` from its ground (the commonest colour in the pixel round its
// ink).
inline std::vector<TextContrast> FaintTexts(const PictureBox& pic, double least = kLeastContrast) {
  const QImage& img = pic.Image();
  const double s = pic.DeviceScale();
  std::vector<TextContrast> faint;
  for (const PictureBox::PrintedText& t : pic.PrintedTexts()) {
    const QRect in(QPoint(static_cast<int>(std::floor(t.ink.left() * s)), static_cast<int>(std::floor(t.ink.top() * s))),
                   QPoint(static_cast<int>(std::ceil(t.ink.right() * s)) - 1,
                          static_cast<int>(std::ceil(t.ink.bottom() * s)) - 1));
    const QRect out = in.adjusted(-1, -1, 1, 1);
    std::map<QRgb, int> counts;
    for (int y = out.top(); y <= out.bottom(); ++y)
      for (int x = out.left(); x <= out.right(); ++x)
        if (!in.contains(x, y) && img.rect().contains(x, y)) ++counts[img.pixel(x, y) & 0xFFFFFF];
    if (counts.empty()) continue;
    const QRgb ground =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    double best = 1;
    bool strokes = false;
    for (int y = 0; y < t.strokes.height(); ++y)
      for (int x = 0; x < t.strokes.width(); ++x) {
        if (qAlpha(t.strokes.pixel(x, y)) < text_check_detail::kStrokeAlpha) continue;
        const QPoint p = t.strokesAt + QPoint(x, y);
        if (!img.rect().contains(p)) continue;
        strokes = true;
        best = std::max(best, PixelContrast(img.pixel(p), ground));
      }
    if (strokes && best < least) faint.push_back({t.text, best});
  }
  return faint;
}

}  // namespace ondrik::testing
