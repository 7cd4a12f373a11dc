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

#include "platform/picturebox.h"
#include "tests/common/text_check.h"

namespace ondrik::testing {

inline double RelativeLuminance(QRgb c) {
  const auto lin = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

inline double Contrast(QRgb a, QRgb b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The least contrast at which a text reads at a glance.
inline constexpr double kLeastContrast = 3;

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
        best = std::max(best, Contrast(img.pixel(p), ground));
      }
    if (strokes && best < least) faint.push_back({t.text, best});
  }
  return faint;
}

}  // namespace ondrik::testing
