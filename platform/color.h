#pragma once
// Colours as the drawing code names them, free of Qt so that tables of
// colours can live in computations: 0x00BBGGRR (red in the low byte).

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

}  // namespace ondrik
