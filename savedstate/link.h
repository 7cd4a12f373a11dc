// Copying between the values of a saved file's struct and the program's, in
// either direction, by ONE list of links per file: the same list writes the
// file's values from the program's and puts them back.
//
// Qt-free.
#pragma once

#include <array>
#include <cstddef>

#include "core/store.h"

namespace ondrik::saved {

// The way a list of links copies: the program's values into a file's, or
// back. A box is 0 or 1 in a file and a bool in the window.
enum class Way { ToFile, FromFile };

template <class F, class W>
void Link(Way way, F& file, W& window) {
  if (way == Way::ToFile) file = static_cast<F>(window);
  else window = static_cast<W>(file);
}
template <class F, class W, std::size_t N>
void Link(Way way, std::array<F, N>& file, std::array<W, N>& window) {
  for (std::size_t i = 0; i < N; ++i) Link(way, file[i], window[i]);
}

// A switch the file holds as a Boolean and the program as -1 (on) or 0.
inline void LinkSwitch(Way way, bool& file, Integer& window) {
  if (way == Way::ToFile) file = window != 0;
  else window = file ? -1 : 0;
}

}  // namespace ondrik::saved
