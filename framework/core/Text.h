#pragma once

#include "framework/core/Types.h"

#include <string>
#include <string_view>
#include <vector>

// The framework's text functions. Texts are UTF-8; every count and position is in characters
// (code points), not bytes.
namespace fw {

Int32 Len(std::string_view text);
std::string Left(std::string_view text, Int32 count);
std::string Right(std::string_view text, Int32 count);
// start counts from 1; a missing length takes the rest. A start below 1 raises
// OutOfBoundsException; a count or length below 1 gives "", one beyond the end takes the rest.
std::string Mid(std::string_view text, Int32 start);
std::string Mid(std::string_view text, Int32 start, Int32 length);
// 1-based position of find at or after start (a start of 0 or 1 searches from the beginning),
// 0 when absent or when find is empty; a negative start raises OutOfBoundsException.
Int32 InStr(std::string_view text, std::string_view find);
Int32 InStr(Int32 start, std::string_view text, std::string_view find);
std::string Replace(std::string_view text, std::string_view find, std::string_view with);
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with);
// Removes ASCII white space (blank, tab, CR, LF, VT, FF) at both ends.
std::string Trim(std::string_view text);
std::string Uppercase(std::string_view text);
std::string Lowercase(std::string_view text);
// The character of a code point; OutOfBoundsException for a surrogate or beyond U+10FFFF.
std::string Chr(Int32 codePoint);
// An empty text gives no entries; otherwise empty entries are kept. An empty delimiter gives
// the whole text as the one entry.
std::vector<std::string> Split(std::string_view text, std::string_view delimiter);
std::string Join(const std::vector<std::string>& parts, std::string_view delimiter);
// Equality ignoring ASCII letter case (the stream reader's name matching).
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The number at the start of a text (after blanks): sign, digits, decimals, an exponent only
// when digits follow it. 0 when there is none; never raises; saturates instead of infinity.
double Val(std::string_view text);

} // namespace fw
