// Whole numbers from values read from files or computed from them.
//
// Converting a floating value to an integer type is undefined when the value
// is not finite or does not fit the type. Every such conversion of a value
// that comes from a file asks FitsInt first and takes its fall-back (no
// label, an empty text, a bound) otherwise.
#pragma once

#include <cmath>

namespace ondrik {

// True when v is finite and lies within the range of a 32-bit integer, so
// that a cast, std::lround or std::lrint of it is defined on every platform.
inline bool FitsInt(double v) { return std::isfinite(v) && v >= -2147483648.0 && v <= 2147483647.0; }

}  // namespace ondrik
