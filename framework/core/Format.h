#pragma once

#include "framework/core/Types.h"

#include <string>
#include <string_view>

namespace fw {

// One pattern engine for Format and Str. Sections "positive;negative;zero". Placeholders:
// "#" digit without leading zeros, "0" zero-padded digit, "." decimal point, "," grouping,
// "%" times 100, "-" the sign when negative, "+" the sign always, "\" makes the next character
// literal (a "\" ending a section stands for nothing); anything else is literal.
std::string Format(double value, std::string_view pattern);
std::string Str(double value, std::string_view pattern);
// The plain decimal text.
std::string Str(Int32 value);
std::string Str(double value);

} // namespace fw
