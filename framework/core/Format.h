#pragma once

#include "framework/core/Types.h"

#include <string>
#include <string_view>

namespace fw {

// One pattern engine for Format and Str. Sections "positive;negative;zero". Placeholders:
// "#" digit without leading zeros, "0" zero-padded digit, "." decimal point, "," grouping,
// "%" times 100, "-" the sign when negative, "+" the sign always, "\" makes the next character
// literal (a "\" ending a section stands for nothing); anything else is literal.
//
// Rounding is half away from zero on the shortest decimal text of the value (2.675 is 2.68),
// not on its binary neighbour. A value that rounds to zero in its section is shown as zero,
// without a sign and by the zero section when there is one. An empty section stands for the
// first one. NaN and infinities give "NaN", "Infinity" and "-Infinity". An empty pattern gives
// the plain decimal text.
std::string Format(double value, std::string_view pattern);
std::string Str(double value, std::string_view pattern);
// The plain decimal text.
std::string Str(Int32 value);
// The shortest text that reads back to the same Double ("0.1", "3", "1e+20").
std::string Str(double value);

namespace detail {
// value rounded half away from zero to `decimals` places, as "[-]digits.digits" with exactly
// `decimals` fractional digits (no point when 0) and no grouping. value must be finite.
std::string RoundedFixed(double value, int decimals);
} // namespace detail

} // namespace fw
