// Whether anything drawn on a picture crosses or touches the ink of a text
// printed on it: a text alone leaves the pixels right round its ink as its
// ground, of one colour; a line, a ring, the edge of a bar or a fill that
// crosses it, or touches it without a pixel between, leaves others there.
#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/picturebox.h"

namespace ondrik::testing {

namespace ink_detail {

inline double Distance(QRgb a, QRgb b) {
  return std::hypot(qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b));
}

// The device pixels of a text's ink (picture pixels), grown by `grow`.
inline QRect DevicePixels(const QRectF& r, double scale, int grow) {
  return QRect(QPoint(static_cast<int>(std::floor(r.left() * scale)) - grow,
                      static_cast<int>(std::floor(r.top() * scale)) - grow),
               QPoint(static_cast<int>(std::ceil(r.right() * scale)) - 1 + grow,
                      static_cast<int>(std::ceil(r.bottom() * scale)) - 1 + grow));
}

// The pixels one pixel round the rectangle, inside the image, that `skip` lets be.
inline std::vector<QRgb> Ring(const QImage& img, const QRect& in, const std::function<bool(int, int)>& skip) {
  std::vector<QRgb> ring;
  const QRect out = in.adjusted(-1, -1, 1, 1);
  for (int y = out.top(); y <= out.bottom(); ++y)
    for (int x = out.left(); x <= out.right(); ++x)
      if (!in.contains(x, y) && img.rect().contains(x, y) && !skip(x, y)) ring.push_back(img.pixel(x, y) & 0xFFFFFF);
  return ring;
}

inline QRgb Commonest(const std::vector<QRgb>& pixels) {
  std::map<QRgb, int> counts;
  for (QRgb c : pixels) ++counts[c];
  return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

}  // namespace ink_detail

// The texts of the picture that something drawn crosses or touches, or
// that its edge cuts, one line each (a lone pixel, a line's soft edge at
// the gap, passes); texts
// `skip` names are not looked at. Pixels in or next to the ink of another
// text are passed over.
inline std::vector<std::string> CrossedTexts(
    const PictureBox& pic, const std::function<bool(const PictureBox::PrintedText&)>& skip = nullptr) {
  using namespace ink_detail;
  std::vector<std::string> faults;
  const QImage& img = pic.Image();
  const double s = pic.DeviceScale();
  const auto& texts = pic.PrintedTexts();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (skip && skip(texts[i])) continue;
    if (!img.rect().contains(DevicePixels(texts[i].ink, s, 0))) faults.push_back("\"" + texts[i].text + "\" cut");
    std::vector<QRect> others;
    for (std::size_t j = 0; j < texts.size(); ++j)
      if (j != i && !(texts[j].text == texts[i].text && texts[j].ink == texts[i].ink))
        others.push_back(DevicePixels(texts[j].ink, s, 1));
    const std::vector<QRgb> ring = Ring(img, DevicePixels(texts[i].ink, s, 0), [&](int x, int y) {
      return std::any_of(others.begin(), others.end(), [&](const QRect& o) { return o.contains(x, y); });
    });
    if (ring.empty()) continue;
    const QRgb ground = Commonest(ring);
    const auto stray = std::count_if(ring.begin(), ring.end(), [&](QRgb c) { return Distance(c, ground) > 24; });
    if (stray > 1)
      faults.push_back("\"" + texts[i].text + "\": " + std::to_string(stray) + " pixels round its ink not its ground");
  }
  return faults;
}

// The texts whose strokes something drawn over them changes: each text of
// `marked` that `plain` (the same drawing without some marks) printed in the
// same place must show the same strong pixels of its ink.
inline std::vector<std::string> CoveredGlyphs(const PictureBox& plain, const PictureBox& marked) {
  using namespace ink_detail;
  std::vector<std::string> faults;
  const QImage& a = plain.Image();
  const QImage& b = marked.Image();
  for (const auto& t : marked.PrintedTexts()) {
    const auto& pt = plain.PrintedTexts();
    if (std::none_of(pt.begin(), pt.end(), [&](const auto& u) { return u.text == t.text && u.ink == t.ink; }))
      continue;
    const QRect in = DevicePixels(t.ink, plain.DeviceScale(), 0).intersected(a.rect());
    const std::vector<QRgb> ring = Ring(a, in, [](int, int) { return false; });
    if (in.isEmpty() || ring.empty()) continue;
    const QRgb ground = Commonest(ring);
    double strongest = 0;
    for (int y = in.top(); y <= in.bottom(); ++y)
      for (int x = in.left(); x <= in.right(); ++x) strongest = std::max(strongest, Distance(a.pixel(x, y), ground));
    long changed = 0;
    for (int y = in.top(); y <= in.bottom(); ++y)
      for (int x = in.left(); x <= in.right(); ++x)
        changed += Distance(a.pixel(x, y), ground) > 0.75 * strongest && Distance(a.pixel(x, y), b.pixel(x, y)) > 24;
    if (changed > 0)
      faults.push_back("\"" + t.text + "\": " + std::to_string(changed) + " pixels of its strokes covered");
  }
  return faults;
}

inline std::string Lines(const std::vector<std::string>& v) {
  std::string s;
  for (const std::string& l : v) s += "  " + l + "\n";
  return s;
}

}  // namespace ondrik::testing
