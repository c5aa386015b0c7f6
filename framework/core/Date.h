#pragma once

#include "framework/core/Object.h"
#include "framework/core/Types.h"

#include <memory>
#include <string>

namespace fw {

// A local wall-clock date and time. TotalSeconds counts wall-clock seconds from
// 1970-01-01 00:00:00 with no time-zone arithmetic in between: a day is always 86400 seconds.
// Setting one field keeps the others and carries an out-of-range value over, as a calendar
// would (Day 31 of a 30-day month is the 1st of the next month, Month 13 January of the next
// year).
class Date : public Object {
public:
    Date(); // now, local time
    Date(Int32 year, Int32 month, Int32 day, Int32 hour = 0, Int32 minute = 0, Int32 second = 0);

    std::string_view ClassFullName() const override { return "Date"; }

    double TotalSeconds() const { return m_totalSeconds; }
    void TotalSeconds(double seconds);

    Int32 Year() const;
    void Year(Int32 value);
    Int32 Month() const; // 1..12
    void Month(Int32 value);
    Int32 Day() const; // 1..31
    void Day(Int32 value);
    Int32 Hour() const; // 0..23
    void Hour(Int32 value);
    Int32 Minute() const;
    void Minute(Int32 value);
    Int32 Second() const;
    void Second(Int32 value);
    Int32 DayOfWeek() const; // 1 Sunday .. 7 Saturday

    // Every field at once, each as its getter gives it.
    struct Parts {
        Int32 year, month, day, hour, minute, second, dayOfWeek;
    };
    Parts Breakdown() const;

    std::string LongDate() const;    // "Saturday, February 9, 1980"
    std::string LongTime() const;    // "2:05:07 PM"
    std::string SQLDateTime() const; // "1980-02-09 14:05:07"
    // Accepts "YYYY-MM-DD HH:MM:SS", "YYYY-MM-DD HH:MM" and "YYYY-MM-DD" with blanks around;
    // raises UnsupportedFormatException for anything else or a field out of range, leaving the
    // date unchanged.
    void SQLDateTime(const std::string& text);

private:
    double m_totalSeconds = 0;
};

using DatePtr = std::shared_ptr<Date>;

} // namespace fw
