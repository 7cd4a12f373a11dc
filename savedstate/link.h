// Copying between the values of a saved file's struct and the program's, in
// either direction, by ONE list of links per file: the same list writes the
// file's values from the program's and puts them back.
//
// Qt-free.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

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

// A value the program sets through its control, whose handler keeps what
// depends on the value in step: set(value) runs only when the file's value
// differs, as a user's change of the control would.
template <class F, class W, class Set>
void LinkThrough(Way way, F& file, const W& window, Set&& set) {
  if (way == Way::ToFile) file = static_cast<F>(window);
  else if (static_cast<W>(file) != window) set(static_cast<W>(file));
}

// A switch the file holds as a Boolean and the program as -1 (on) or 0.
inline void LinkSwitch(Way way, bool& file, Integer& window) {
  if (way == Way::ToFile) file = window != 0;
  else window = file ? -1 : 0;
}

// Level bars are held in the files as the pressure (mb) of their level at
// hour 0 of the current dataset, so that a setup or layout carries over to
// a file whose levels lie elsewhere.
// The pressure of a level; without a loaded dataset or such a level the
// level number itself, which reads back as that level.
Single PressureOfLevel(Integer level);
// The level of the current dataset nearest a saved pressure (below 100 the
// level number); none when the dataset has no such level.
std::optional<Integer> LevelOfSavedPressure(Single p);

}  // namespace ondrik::saved
