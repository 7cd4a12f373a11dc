// Numbers as the pictures and captions show them: pattern formatting
// ("0", "00", "0.00", ".000", "#,##0", "#.0mb ", "##K" ...), right-aligned
// columns, a number printed as an item of a print list, and a number's
// plain text. Qt-free.
#pragma once

#include <string>
#include <string_view>


namespace ondrik {

// The value formatted with a pattern of digit places: "0" always shows a
// digit, "#" only a significant one, "." is the decimal point, "," among the
// integer places groups thousands; other characters stand as they are before
// and after the digit places. Rounds halves away from zero; a value that
// rounds to zero has no minus sign. A decimal point with only "#" places
// after it stays when they are all empty (5 in "0.#" is "5."). "--" for a
// value that is not finite.
std::string Format(double value, std::string_view pattern);

// Format(value, pattern) right-aligned in a field of `width` characters. A
// text longer than the field is not cut: the field widens to hold it.
std::string FormatRight(double value, std::string_view pattern, int width);

// A number as an item of a print list: its shortest decimal form (at most
// seven significant digits, no zero before the point: ".5"), a leading blank
// where a minus sign would stand and one trailing blank (" 5 ", "-.25 ");
// " -- " for a value that is not finite.
std::string NumberItem(double value);

// The plain text of a single-precision number: up to 7 significant digits,
// no exponent for ordinary sizes ("24", "7.5", "-0.25").
std::string NumberText(double value);

}  // namespace ondrik
