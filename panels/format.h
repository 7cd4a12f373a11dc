// Number texts of the text panels: pattern formatting as the panels' texts
// give it ("0", "0.00", ".000", "#,##0", "#.0mb ", "0.#" ...), the column
// routine FormatRight, a number printed as an item of a print list, and the
// two time patterns of the fog panel. Qt-free.
#pragma once

#include <string>
#include <string_view>

#include "core/datetime.h"

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
// where a minus sign would stand and one trailing blank (" 5 ", "-.25 ").
std::string NumberItem(double value);

// The hour of a time of day, "h AMPM" ("3 PM", "12 AM"), and its date,
// "  mmm d" ("  Mar 5").
std::string FormatHourAmPm(const DateTime& t);
std::string FormatMonthDay(const DateTime& t);

}  // namespace ondrik
