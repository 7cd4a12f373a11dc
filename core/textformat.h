// Numbers as the program writes them in files and on pictures.
#pragma once

#include <string>

namespace ondrik {

// A number as a print list writes it: a sign character (blank when not
// negative), the shortest text that reads back as the same single-precision
// value, and one trailing blank (" 850 ", "-97.6 ").
std::string PrintNumber(double value);

// A value with a fixed number of decimals ("0.000000" is 6, "0.00" is 2),
// halves rounded away from zero, a minus sign for negatives, never "-0.00".
std::string FormatFixed(double value, int decimals);

}  // namespace ondrik
