// Numbers as the overview writes them on its pictures and captions.
#pragma once

#include <string>
#include <string_view>

namespace ondrik {

// A number by a format pattern: "0" is a digit always shown, "#" a digit
// shown only when significant, "." the decimal point; characters before and
// after the digits are written as they stand ("##K" of 5 is "5K", ".00" of
// 0.05 is ".05", "00" of -5 is "-05"). The integer digits always appear in
// full; the value is rounded half away from zero to the decimals shown.
std::string FormatNumber(double v, std::string_view pattern);

// The plain text of a single-precision number: up to 7 significant digits,
// no exponent for ordinary sizes ("24", "7.5", "-0.25").
std::string NumberText(double v);

// A number as printed on a picture: a blank where a minus sign would stand,
// the plain text, then a blank (" 5 ", "-20 ").
std::string PrintedNumber(double v);

}  // namespace ondrik
