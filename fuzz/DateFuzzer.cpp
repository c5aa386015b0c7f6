// Date on any sequence of field setters, seconds and SQLDateTime texts: every field stays in
// its range, every text can be made, and what SQLDateTime reads it gives back.
#include "framework/core/Date.h"
#include "framework/core/Exceptions.h"
#include "fuzz/FuzzInput.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr double kLimitSeconds = 1e15; // the range Date keeps its seconds in

bool IsLeapYear(fw::Int64 year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

fw::Int32 DaysInMonth(fw::Int64 year, fw::Int32 month) {
    static constexpr fw::Int32 days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

void CheckFields(const fw::Date& d) {
    const double seconds = d.TotalSeconds();
    FUZZ_CHECK(std::isfinite(seconds));
    FUZZ_CHECK(std::fabs(seconds) <= kLimitSeconds);
    const fw::Int32 month = d.Month();
    FUZZ_CHECK(month >= 1 && month <= 12);
    FUZZ_CHECK(d.Day() >= 1 && d.Day() <= DaysInMonth(d.Year(), month));
    FUZZ_CHECK(d.Hour() >= 0 && d.Hour() <= 23);
    FUZZ_CHECK(d.Minute() >= 0 && d.Minute() <= 59);
    FUZZ_CHECK(d.Second() >= 0 && d.Second() <= 59);
    FUZZ_CHECK(d.DayOfWeek() >= 1 && d.DayOfWeek() <= 7);
    FUZZ_CHECK(!d.LongDate().empty());
    FUZZ_CHECK(!d.LongTime().empty());

    // The fields make the same moment again (the fraction of a second aside).
    const fw::Date again(d.Year(), month, d.Day(), d.Hour(), d.Minute(), d.Second());
    FUZZ_CHECK(again.TotalSeconds() == std::floor(seconds));

    // Within four-digit years the SQL text reads back to the same second.
    const std::string sql = d.SQLDateTime();
    if (d.Year() >= 0 && d.Year() <= 9999) {
        FUZZ_CHECK(sql.size() == 19);
        fw::Date read(2000, 1, 1);
        read.SQLDateTime(sql);
        FUZZ_CHECK(read.TotalSeconds() == std::floor(seconds));
    }
}

// Years near the present, where the calendar's rules all show, and sometimes any Int32.
fw::Int32 Year(FuzzInput& input) {
    const fw::Int32 value = input.SmallInt32();
    return value >= -8 && value < 0xF0 ? value + 1970 : value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    fw::Date d(1980, 2, 9, 14, 5, 7);
    for (int steps = 0; steps < 64 && !input.Empty(); ++steps) {
        const std::uint8_t op = input.Byte();
        switch (op % 10) {
        case 0: {
            const std::string text = input.String(40);
            const double before = d.TotalSeconds();
            try {
                d.SQLDateTime(text);
            } catch (const fw::UnsupportedFormatException&) {
                FUZZ_CHECK(d.TotalSeconds() == before);
            }
            break;
        }
        case 1:
            d.TotalSeconds(input.Double());
            break;
        case 2:
            d.TotalSeconds(static_cast<double>(input.Int32()) * 86400.0 / 7.0);
            break;
        case 3:
            d.Year(Year(input));
            break;
        case 4:
            d.Month(input.SmallInt32());
            break;
        case 5:
            d.Day(input.SmallInt32());
            break;
        case 6:
            d.Hour(input.SmallInt32());
            break;
        case 7:
            d.Minute(input.SmallInt32());
            break;
        case 8:
            d.Second(input.SmallInt32());
            break;
        default: {
            const fw::Int32 year = Year(input);
            const fw::Int32 month = input.SmallInt32();
            const fw::Int32 day = input.SmallInt32();
            const fw::Int32 hour = input.SmallInt32();
            const fw::Int32 minute = input.SmallInt32();
            const fw::Int32 second = input.SmallInt32();
            d.TotalSeconds(fw::Date(year, month, day, hour, minute, second).TotalSeconds());
            break;
        }
        }
        CheckFields(d);
    }
    return 0;
}
