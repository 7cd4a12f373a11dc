// Whether anything drawn on a picture crosses or touches the ink of a text
// printed on it. A text alone leaves the pixels right round its ink as its
// ground, and inside its ink only its colour blended over that ground; a
// line, a ring, the edge of a bar or a fill that crosses it, or touches it
// without a pixel between, leaves other pixels there.
#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/picturebox.h"

namespace ondrik::testing {

namespace ink_detail {

inline double Distance(QRgb a, QRgb b) {
  const double r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), l = qBlue(a) - qBlue(b);
  return std::sqrt(r * r + g * g + l * l);
}

// How far c lies from the blends of `over` on `ground` (and stronger ones: the
// commonest colour of a text's ink may be a blend itself).
inline double FromBlend(QRgb c, QRgb ground, QRgb over) {
  const double d[3] = {double(qRed(over) - qRed(ground)), double(qGreen(over) - qGreen(ground)),
                       double(qBlue(over) - qBlue(ground))};
  const double p[3] = {double(qRed(c) - qRed(ground)), double(qGreen(c) - qGreen(ground)),
                       double(qBlue(c) - qBlue(ground))};
  const double dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  const double a = dd > 0 ? std::max((p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) / dd, 0.0) : 0.0;
  const double e[3] = {p[0] - a * d[0], p[1] - a * d[1], p[2] - a * d[2]};
  return std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
}

// The device pixels of a rectangle in picture pixels, grown by `grow` device pixels.
inline QRect DevicePixels(const QRectF& r, double scale, int grow) {
  return QRect(QPoint(static_cast<int>(std::floor(r.left() * scale)) - grow,
                      static_cast<int>(std::floor(r.top() * scale)) - grow),
               QPoint(static_cast<int>(std::ceil(r.right() * scale)) - 1 + grow,
                      static_cast<int>(std::ceil(r.bottom() * scale)) - 1 + grow));
}

// The commonest colour of the pixels.
inline QRgb Commonest(const std::vector<QRgb>& pixels) {
  std::map<QRgb, int> counts;
  for (QRgb c : pixels) ++counts[c];
  return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

}  // namespace ink_detail

// The texts of the picture that something drawn crosses or touches, one
// line each; texts `skip` names are not looked at. Pixels in or next to the
// ink of another text, and outside the picture, are passed over.
inline std::vector<std::string> CrossedTexts(
    const PictureBox& pic, const std::function<bool(const PictureBox::PrintedText&)>& skip = nullptr) {
  using namespace ink_detail;
  constexpr double kNear = 24;  // colour distance within which two pixels are alike
  std::vector<std::string> faults;
  const QImage& img = pic.Image();
  const double s = pic.DeviceScale();
  const auto& texts = pic.PrintedTexts();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (skip && skip(texts[i])) continue;
    const QRect in = DevicePixels(texts[i].ink, s, 0), out = in.adjusted(-1, -1, 1, 1);
    std::vector<QRect> others;
    for (std::size_t j = 0; j < texts.size(); ++j)
      if (j != i && !(texts[j].text == texts[i].text && texts[j].ink == texts[i].ink))
        others.push_back(DevicePixels(texts[j].ink, s, 1));
    const auto usable = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < img.width() && y < img.height() &&
             std::none_of(others.begin(), others.end(), [&](const QRect& o) { return o.contains(x, y); });
    };
    // The ground: what most of the ring round the ink shows.
    std::vector<QRgb> ring, inside;
    for (int y = out.top(); y <= out.bottom(); ++y)
      for (int x = out.left(); x <= out.right(); ++x) {
        if (!usable(x, y)) continue;
        const bool edge = y == out.top() || y == out.bottom() || x == out.left() || x == out.right();
        (edge ? ring : inside).push_back(img.pixel(x, y) & 0xFFFFFF);
      }
    if (ring.empty()) continue;
    const QRgb ground = Commonest(ring);
    long strayRing = 0, strayInside = 0;
    QRgb stray = ground;
    for (QRgb c : ring)
      if (Distance(c, ground) > kNear) ++strayRing, stray = c;
    // The text's colour: the commonest one inside that is not the ground.
    std::vector<QRgb> inks;
    for (QRgb c : inside)
      if (Distance(c, ground) > kNear) inks.push_back(c);
    if (!inks.empty()) {
      const QRgb ink = Commonest(inks);
      for (QRgb c : inside)
        if (FromBlend(c, ground, ink) > kNear) ++strayInside, stray = c;
    }
    if (strayRing + strayInside > 1) {  // one pixel: a line's soft edge at the gap
      char buf[128];
      std::snprintf(buf, sizeof buf, "\": %ld pixels of #%06X round its ink, %ld inside, on #%06X", strayRing,
                    static_cast<unsigned>(stray), strayInside, static_cast<unsigned>(ground));
      faults.push_back("\"" + texts[i].text + buf);
    }
  }
  return faults;
}

// The texts whose glyphs something drawn over them changes: each text of
// `marked` that `plain` (the same drawing without some marks) printed in the
// same place must show the same strokes, the strong pixels of its ink.
inline std::vector<std::string> CoveredGlyphs(const PictureBox& plain, const PictureBox& marked) {
  using namespace ink_detail;
  std::vector<std::string> faults;
  const QImage& a = plain.Image();
  const QImage& b = marked.Image();
  const double s = plain.DeviceScale();
  for (const auto& t : marked.PrintedTexts()) {
    const auto& pt = plain.PrintedTexts();
    if (std::none_of(pt.begin(), pt.end(), [&](const auto& u) { return u.text == t.text && u.ink == t.ink; }))
      continue;
    const QRect in = DevicePixels(t.ink, s, 0).intersected(a.rect());
    if (in.isEmpty()) continue;
    std::vector<QRgb> ring;
    const QRect out = in.adjusted(-1, -1, 1, 1).intersected(a.rect());
    for (int y = out.top(); y <= out.bottom(); ++y)
      for (int x = out.left(); x <= out.right(); ++x)
        if (!in.contains(x, y)) ring.push_back(a.pixel(x, y) & 0xFFFFFF);
    const QRgb ground = ring.empty() ? a.pixel(in.topLeft()) & 0xFFFFFF : Commonest(ring);
    double strongest = 0;
    for (int y = in.top(); y <= in.bottom(); ++y)
      for (int x = in.left(); x <= in.right(); ++x) strongest = std::max(strongest, Distance(a.pixel(x, y), ground));
    long changed = 0;
    for (int y = in.top(); y <= in.bottom(); ++y)
      for (int x = in.left(); x <= in.right(); ++x)
        if (Distance(a.pixel(x, y), ground) > 0.75 * strongest && Distance(a.pixel(x, y), b.pixel(x, y)) > 24) ++changed;
    if (changed > 0) faults.push_back("\"" + t.text + "\": " + std::to_string(changed) + " pixels of its strokes covered");
  }
  return faults;
}

// One line each.
inline std::string Lines(const std::vector<std::string>& v) {
  std::string s;
  for (const std::string& l : v) s += "  " + l + "\n";
  return s;
}

}  // namespace ondrik::testing
