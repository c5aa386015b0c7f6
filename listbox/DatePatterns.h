#pragma once

#include "framework/core/Date.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

// The month and weekday names a date pattern writes, January and Sunday first.
struct DayMonthNames {
    std::vector<std::string> longMonths;
    std::vector<std::string> shortMonths;
    std::vector<std::string> longDays;
    std::vector<std::string> shortDays;
};

// The built-in names of a language: "E" English, "S" Spanish; nothing for any other code.
std::optional<DayMonthNames> DayMonthNamesOf(const std::string& language);

// The name lists one formatting reads; a name beyond a list's end raises std::out_of_range.
struct DayMonthNameLists {
    std::span<const std::string> longMonths;
    std::span<const std::string> shortMonths;
    std::span<const std::string> longDays;
    std::span<const std::string> shortDays;
};

// The date written by a date pattern: Y year, M month, D day, N weekday, H hour, T minute,
// S second, AP the 12-hour clock's "am" or "pm", letters in either case. Each part's longest
// run present is replaced once, first occurrence; everything else stays, upper-cased.
std::string FormatDatePattern(const fw::Date& d, const std::string& pattern,
                              const DayMonthNameLists& names);

// The time written by a time pattern: H hour, M minute, S second; one of the markers AMPM,
// AM/PM, AM, PM, AP or A/P anywhere selects the 12-hour clock and appends "am" or "pm".
std::string FormatTimePattern(const fw::Date& d, const std::string& pattern);

namespace detail {
// The two writers themselves, replacing placeholder runs one by one in the text. The functions
// above give what these give, faster; kept for comparing the two.
std::string WriteDatePattern(const fw::Date& d, const std::string& pattern,
                             const DayMonthNameLists& names);
std::string WriteTimePattern(const fw::Date& d, const std::string& pattern);
} // namespace detail
