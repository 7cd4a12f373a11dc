// The print format of the program's own text files (configuration, time-zone
// table, saved settings): numbers as the BASIC Print statement writes them,
// and its 14-column print zones.
//
// Qt-free.
#pragma once

#include <cstddef>
#include <string>

namespace ondrik {

inline constexpr std::size_t kPrintZoneWidth = 14;  // zones start at columns 1, 15, 29, ...

// A single-precision number: a sign place (blank when not negative, else
// "-"), the shortest decimal of at most 7 significant digits that gives the
// value back (no zero before the point below 1; an exponent "E+nn" beyond
// that range), and one trailing blank: " 3 ", " .5 ", "-.4 ", " 1.25 ".
// Values that are not finite give " NaN " or " Inf ", which no reader takes.
std::string PrintNumber(double value);

// A whole number with the same sign place and trailing blank: " 34 ", "-1 ".
std::string PrintInteger(long long value);

// Pads a line with blanks to the start of the next print zone.
void PadToPrintZone(std::string& line);

// A value with a fixed number of decimals ("0.000000" is 6, "0.00" is 2),
// halves rounded away from zero, a minus sign for negatives, never "-0.00".
std::string FormatFixed(double value, int decimals);

}  // namespace ondrik
