#pragma once
// Colours as the drawing code names them, free of Qt so that tables of
// colours can live in computations: 0x00BBGGRR (red in the low byte).

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ondrik {

using Color = std::uint32_t;
constexpr Color RGB(int r, int g, int b) {
  return static_cast<Color>(r & 0xFF) | (static_cast<Color>(g & 0xFF) << 8) |
         (static_cast<Color>(b & 0xFF) << 16);
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// The plain colours that drawing code names most often.
inline constexpr Color kBlack = RGB(0, 0, 0);
inline constexpr Color kWhite = RGB(255, 255, 255);
inline constexpr Color kRed = RGB(255, 0, 0);
inline constexpr Color kYellow = RGB(255, 255, 0);
inline constexpr Color kGreen = RGB(0, 255, 0);
inline constexpr Color kBlue = RGB(0, 0, 255);
inline constexpr Color kCyan = RGB(0, 255, 255);

// How light a colour looks, from 0 (black) to 1 (white), and the contrast
// of two colours, from 1 (the same) to 21 (black and white), as the web's
// accessibility rules reckon them.
inline double RelativeLuminance(Color c) {
  const auto linear = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(RedOf(c)) + 0.7152 * linear(GreenOf(c)) + 0.0722 * linear(BlueOf(c));
}
inline double Contrast(Color a, Color b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The least contrast with its ground at which a text reads at a glance.
inline constexpr double kLeastTextContrast = 3;

// A text's colour where it reads on its ground, else the nearest to it that
// does: mixed with black or with white, whichever needs the less of it.
inline Color ReadableOn(Color text, Color ground, double least = kLeastTextContrast) {
  if (Contrast(text, ground) >= least) return text;
  const auto mix = [&](int to, double t) {
    const auto one = [&](int v) { return static_cast<int>(std::lround(v + (to - v) * t)); };
    return RGB(one(RedOf(text)), one(GreenOf(text)), one(BlueOf(text)));
  };
  constexpr int kSteps = 100;
  for (int k = 1; k <= kSteps; ++k) {
    const double t = static_cast<double>(k) / kSteps;
    const Color darker = mix(0, t), lighter = mix(255, t);
    const double d = Contrast(darker, ground), l = Contrast(lighter, ground);
    if (d >= least || l >= least) return d >= l ? darker : lighter;
  }
  return Contrast(kBlack, ground) >= Contrast(kWhite, ground) ? kBlack : kWhite;
}

}  // namespace ondrik
