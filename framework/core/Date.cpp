#include "framework/core/Date.h"

#include "framework/core/Exceptions.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace fw {

namespace {

constexpr Int64 kSecondsPerDay = 86400;
// About 31 million years either side of 1970: every field stays far inside Int32 and every
// intermediate inside Int64; values beyond are clamped, never undefined.
constexpr double kLimitSeconds = 1e15;

Int64 FloorDiv(Int64 a, Int64 b) {
    Int64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Proleptic Gregorian calendar, days counted from 1970-01-01 (day 0). Works in 400-year eras
// so it holds for any year, not only the range a time_t covers.
Int64 DaysFromCivil(Int64 year, Int64 month, Int64 day) {
    year -= month <= 2 ? 1 : 0;
    const Int64 era = FloorDiv(year, 400);
    const Int64 yearOfEra = year - era * 400;
    const Int64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const Int64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Civil {
    Int64 year;
    Int32 month;
    Int32 day;
};

Civil CivilFromDays(Int64 days) {
    days += 719468;
    const Int64 era = FloorDiv(days, 146097);
    const Int64 dayOfEra = days - era * 146097;
    const Int64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const Int64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const Int64 mp = (5 * dayOfYear + 2) / 153;
    const auto day = static_cast<Int32>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const auto month = static_cast<Int32>(mp < 10 ? mp + 3 : mp - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool IsLeapYear(Int64 year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

Int32 DaysInMonth(Int64 year, Int32 month) {
    static constexpr Int32 days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

double Clamp(double seconds) {
    if (std::isnan(seconds)) {
        return 0;
    }
    if (seconds > kLimitSeconds) {
        return kLimitSeconds;
    }
    if (seconds < -kLimitSeconds) {
        return -kLimitSeconds;
    }
    return seconds;
}

// Wall-clock seconds of the given fields, any of them out of range: a month beyond 12 moves
// into the next years, a day beyond the month's length into the next months, and so on.
double Compose(Int64 year, Int64 month, Int64 day, Int64 hour, Int64 minute, Int64 second) {
    year += FloorDiv(month - 1, 12);
    month -= 12 * FloorDiv(month - 1, 12);
    // Keep the year where the day-number arithmetic cannot overflow; the result is clamped.
    if (year > 100'000'000) {
        year = 100'000'000;
    } else if (year < -100'000'000) {
        year = -100'000'000;
    }
    const Int64 days = DaysFromCivil(year, month, 1) + (day - 1);
    const Int64 seconds = hour * 3600 + minute * 60 + second;
    return Clamp(static_cast<double>(days) * kSecondsPerDay + static_cast<double>(seconds));
}

struct Fields {
    Int64 year;
    Int32 month, day, hour, minute, second;
    Int64 days; // day number from 1970-01-01
    double fraction;
};

Fields Split(double totalSeconds) {
    const double whole = std::floor(totalSeconds);
    const auto seconds = static_cast<Int64>(whole);
    const Int64 days = FloorDiv(seconds, kSecondsPerDay);
    const Int64 ofDay = seconds - days * kSecondsPerDay;
    const Civil c = CivilFromDays(days);
    return {c.year,
            c.month,
            c.day,
            static_cast<Int32>(ofDay / 3600),
            static_cast<Int32>(ofDay / 60 % 60),
            static_cast<Int32>(ofDay % 60),
            days,
            totalSeconds - whole};
}

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads exactly `width` digits at text[pos].
bool ReadDigits(std::string_view text, std::size_t& pos, std::size_t width, Int32& value) {
    if (pos + width > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t k = 0; k < width; ++k) {
        const char c = text[pos + k];
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    pos += width;
    return true;
}

bool ReadChar(std::string_view text, std::size_t& pos, char expected) {
    if (pos < text.size() && text[pos] == expected) {
        ++pos;
        return true;
    }
    return false;
}

} // namespace

Date::Date() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        m_totalSeconds = static_cast<double>(now);
        return;
    }
    m_totalSeconds = Compose(Int64{local.tm_year} + 1900, Int64{local.tm_mon} + 1, local.tm_mday,
                             local.tm_hour, local.tm_min, local.tm_sec);
}

Date::Date(Int32 year, Int32 month, Int32 day, Int32 hour, Int32 minute, Int32 second)
    : m_totalSeconds(Compose(year, month, day, hour, minute, second)) {}

void Date::TotalSeconds(double seconds) {
    m_totalSeconds = Clamp(seconds);
}

Int32 Date::Year() const {
    return static_cast<Int32>(Split(m_totalSeconds).year);
}
Int32 Date::Month() const {
    return Split(m_totalSeconds).month;
}
Int32 Date::Day() const {
    return Split(m_totalSeconds).day;
}
Int32 Date::Hour() const {
    return Split(m_totalSeconds).hour;
}
Int32 Date::Minute() const {
    return Split(m_totalSeconds).minute;
}
Int32 Date::Second() const {
    return Split(m_totalSeconds).second;
}

Int32 Date::DayOfWeek() const {
    // Day 0, 1970-01-01, was a Thursday (5).
    const Int64 days = Split(m_totalSeconds).days;
    return static_cast<Int32>((days + 4) % 7 + 7) % 7 + 1;
}

Date::Parts Date::Breakdown() const {
    const Fields f = Split(m_totalSeconds);
    return {static_cast<Int32>(f.year),
            f.month,
            f.day,
            f.hour,
            f.minute,
            f.second,
            static_cast<Int32>((f.days + 4) % 7 + 7) % 7 + 1};
}

// Each setter rebuilds the seconds from all fields, so a value out of range carries over;
// the fraction of a second is kept.
void Date::Year(Int32 value) {
    const Fields f = Split(m_totalSeconds);
    m_totalSeconds = Clamp(Compose(value, f.month, f.day, f.hour, f.minute, f.second) + f.fraction);
}

void Date::Month(Int32 value) {
    const Fields f = Split(m_totalSeconds);
    m_totalSeconds = Clamp(Compose(f.year, value, f.day, f.hour, f.minute, f.second) + f.fraction);
}

void Date::Day(Int32 value) {
    const Fields f = Split(m_totalSeconds);
    m_totalSeconds =
        Clamp(Compose(f.year, f.month, value, f.hour, f.minute, f.second) + f.fraction);
}

void Date::Hour(Int32 value) {
    const Fields f = Split(m_totalSeconds);
    m_totalSeconds = Clamp(Compose(f.year, f.month, f.day, value, f.minute, f.second) + f.fraction);
}

void Date::Minute(Int32 value) {
    const Fields f = Split(m_totalSeconds);
    m_totalSeconds = Clamp(Compose(f.year, f.month, f.day, f.hour, value, f.second) + f.fraction);
}

void Date::Second(Int32 value) {
    const Fields f = Split(m_totalSeconds);
    m_totalSeconds = Clamp(Compose(f.year, f.month, f.day, f.hour, f.minute, value) + f.fraction);
}

std::string Date::LongDate() const {
    const Fields f = Split(m_totalSeconds);
    const Int32 dayOfWeek = DayOfWeek();
    return std::string(kDayNames[dayOfWeek - 1]) + ", " + kMonthNames[f.month - 1] + " " +
           std::to_string(f.day) + ", " + std::to_string(f.year);
}

std::string Date::LongTime() const {
    const Fields f = Split(m_totalSeconds);
    const Int32 hour12 = f.hour % 12 == 0 ? 12 : f.hour % 12;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, f.minute, f.second,
                  f.hour < 12 ? "AM" : "PM");
    return buffer;
}

std::string Date::SQLDateTime() const {
    const Fields f = Split(m_totalSeconds);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%04lld-%02d-%02d %02d:%02d:%02d", f.year < 0 ? "-" : "",
                  static_cast<long long>(f.year < 0 ? -f.year : f.year), f.month, f.day, f.hour,
                  f.minute, f.second);
    return buffer;
}

void Date::SQLDateTime(const std::string& text) {
    const std::string_view t(text);
    std::size_t begin = 0;
    std::size_t end = t.size();
    while (begin < end && IsBlank(t[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(t[end - 1])) {
        --end;
    }
    const std::string_view s = t.substr(begin, end - begin);

    Int32 year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::size_t pos = 0;
    bool ok = ReadDigits(s, pos, 4, year) && ReadChar(s, pos, '-') &&
              ReadDigits(s, pos, 2, month) && ReadChar(s, pos, '-') && ReadDigits(s, pos, 2, day);
    if (ok && pos < s.size()) {
        // A time follows after blanks: HH:MM, optionally :SS.
        std::size_t timePos = pos;
        while (timePos < s.size() && IsBlank(s[timePos])) {
            ++timePos;
        }
        ok = timePos > pos;
        pos = timePos;
        ok = ok && ReadDigits(s, pos, 2, hour) && ReadChar(s, pos, ':') &&
             ReadDigits(s, pos, 2, minute);
        if (ok && pos < s.size()) {
            ok = ReadChar(s, pos, ':') && ReadDigits(s, pos, 2, second);
        }
        ok = ok && pos == s.size();
    }
    ok = ok && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month) &&
         hour <= 23 && minute <= 59 && second <= 59;
    if (!ok) {
        throw UnsupportedFormatException("\"" + text +
                                         "\" is not a date and time of the form "
                                         "YYYY-MM-DD HH:MM:SS, YYYY-MM-DD HH:MM or YYYY-MM-DD");
    }
    m_totalSeconds = Compose(year, month, day, hour, minute, second);
}

} // namespace fw
