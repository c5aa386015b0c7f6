#pragma once

#include <optional>
#include <string_view>

// The values a number column's change event can carry.
enum class NumberRange { Double, Int32, Currency };

// The largest Double whose Currency does not saturate: Doubles are 1/8 apart there, and the
// next one, 922,337,203,685,477.625, lies beyond 922,337,203,685,477.5807.
inline constexpr double kLargestCurrencyDouble = 922337203685477.5;

// Reads a number typed into a number cell, accepting what the column shows for a number with
// its Format pattern: grouping commas between whole groups of three digits and, before the
// number in any order, blanks, one sign, one "(" for a negative amount and literal characters
// of the pattern (a currency sign, say). From the first digit (or point) on, the text reads
// as Val reads it, so "7.126xyz" is 7.126 and whatever follows the number is ignored. A text
// of blanks only is 0.
//
// Nothing when no number follows what may stand before one ("abc", "-", "$"), or when the
// number lies outside range: an Int32 event takes the nearest whole number, halves away from
// zero, which must fit in an Int32; a Currency event needs at most kLargestCurrencyDouble in
// magnitude.
std::optional<double> ReadNumberEntry(std::string_view text, std::string_view pattern,
                                      NumberRange range);
