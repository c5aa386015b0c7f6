#include "framework/core/Date.h"

#include "framework/core/Exceptions.h"

#include <ctime>
#include <gtest/gtest.h>
#include <limits>

using fw::Date;
using fw::Int32;

namespace {

struct Ymdhms {
    Int32 year, month, day, hour, minute, second;
};

void ExpectFields(const Date& d, const Ymdhms& f) {
    EXPECT_EQ(d.Year(), f.year);
    EXPECT_EQ(d.Month(), f.month);
    EXPECT_EQ(d.Day(), f.day);
    EXPECT_EQ(d.Hour(), f.hour);
    EXPECT_EQ(d.Minute(), f.minute);
    EXPECT_EQ(d.Second(), f.second);
}

TEST(Date, FieldsTextsAndSecondsOfAKnownDate) {
    const Date d(1980, 2, 9, 14, 5, 7);
    ExpectFields(d, {1980, 2, 9, 14, 5, 7});
    EXPECT_EQ(d.TotalSeconds(), 318953107.0);
    EXPECT_EQ(d.DayOfWeek(), 7);
    EXPECT_EQ(d.LongDate(), "Saturday, February 9, 1980");
    EXPECT_EQ(d.LongTime(), "2:05:07 PM");
    EXPECT_EQ(d.SQLDateTime(), "1980-02-09 14:05:07");
}

TEST(Date, ZeroIsMidnightOnTheFirstOfJanuary1970) {
    Date d(2000, 6, 15, 10, 0, 0);
    d.TotalSeconds(0.0);
    ExpectFields(d, {1970, 1, 1, 0, 0, 0});
    EXPECT_EQ(d.DayOfWeek(), 5);
    d.TotalSeconds(-0.5); // fractions floor into the previous second
    ExpectFields(d, {1969, 12, 31, 23, 59, 59});
}

TEST(Date, DayNumbersHoldFarOutsideTheTimeTRange) {
    struct Case {
        Ymdhms fields;
        double seconds;
        Int32 dayOfWeek;
    };
    const Case cases[] = {
        {{1, 1, 1, 0, 0, 0}, -62135596800.0, 2},
        {{9999, 12, 31, 0, 0, 0}, 253402214400.0, 6},
        {{1901, 12, 13, 20, 45, 52}, -2147483648.0, 6},
        {{2038, 1, 19, 3, 14, 8}, 2147483648.0, 3},
    };
    for (const Case& c : cases) {
        const auto& f = c.fields;
        const Date d(f.year, f.month, f.day, f.hour, f.minute, f.second);
        EXPECT_EQ(d.TotalSeconds(), c.seconds) << f.year;
        EXPECT_EQ(d.DayOfWeek(), c.dayOfWeek) << f.year;
        Date back(2000, 1, 1);
        back.TotalSeconds(c.seconds);
        ExpectFields(back, f);
    }
    // Every day of five millennia reads back as the day it was made from, one day apart.
    Date previous(-2000, 1, 1);
    for (Int32 year = -2000; year <= 3000; year += 7) {
        for (Int32 month = 1; month <= 12; ++month) {
            const Date d(year, month, 1, 12, 0, 0);
            ASSERT_EQ(d.Year(), year);
            ASSERT_EQ(d.Month(), month);
            ASSERT_EQ(d.Day(), 1);
            Date dayBefore(year, month, 0, 12, 0, 0);
            ASSERT_EQ(d.TotalSeconds() - dayBefore.TotalSeconds(), 86400.0);
            ASSERT_EQ(d.DayOfWeek() % 7, (dayBefore.DayOfWeek() + 1) % 7);
        }
    }
}

TEST(Date, DayOfWeekAndLeapYears) {
    struct Case {
        Int32 year, month, day, dayOfWeek;
    };
    const Case cases[] = {{2000, 1, 1, 7},  {1900, 1, 1, 2},  {1582, 10, 15, 6},
                          {2024, 2, 29, 5}, {1600, 2, 29, 3}, {2013, 5, 12, 1}};
    for (const Case& c : cases) {
        const Date d(c.year, c.month, c.day);
        EXPECT_EQ(d.DayOfWeek(), c.dayOfWeek) << c.year;
        EXPECT_EQ(d.Day(), c.day) << c.year; // a leap day in the list must exist
    }
    // Not leap years: the 29th of February is the 1st of March.
    for (Int32 year : {1900, 2100, 2023, 1700}) {
        const Date d(year, 2, 29);
        EXPECT_EQ(d.Month(), 3) << year;
        EXPECT_EQ(d.Day(), 1) << year;
    }
}

TEST(Date, FieldSettersKeepTheOthersAndCarryOver) {
    struct Case {
        const char* what;
        void (*set)(Date&);
        Ymdhms expected;
    };
    const Case cases[] = {
        {"Day 31 of April", [](Date& d) { d.Month(4), d.Day(31); }, {1980, 5, 1, 14, 5, 7}},
        {"Month 13", [](Date& d) { d.Month(13); }, {1981, 1, 9, 14, 5, 7}},
        {"Month 0", [](Date& d) { d.Month(0); }, {1979, 12, 9, 14, 5, 7}},
        {"Month -13", [](Date& d) { d.Month(-13); }, {1978, 11, 9, 14, 5, 7}},
        {"Day 0", [](Date& d) { d.Day(0); }, {1980, 1, 31, 14, 5, 7}},
        {"Day 30 of February", [](Date& d) { d.Day(30); }, {1980, 3, 1, 14, 5, 7}},
        {"Day 366", [](Date& d) { d.Month(1), d.Day(367); }, {1981, 1, 1, 14, 5, 7}},
        {"Hour 24", [](Date& d) { d.Hour(24); }, {1980, 2, 10, 0, 5, 7}},
        {"Minute -1", [](Date& d) { d.Minute(-1); }, {1980, 2, 9, 13, 59, 7}},
        {"Second 60", [](Date& d) { d.Second(60); }, {1980, 2, 9, 14, 6, 0}},
        {"Year of a leap day", [](Date& d) { d.Day(29), d.Year(1981); }, {1981, 3, 1, 14, 5, 7}},
        {"Year 10000", [](Date& d) { d.Year(10000); }, {10000, 2, 9, 14, 5, 7}},
        {"Hour 0 Minute 0 Second 0",
         [](Date& d) { d.Hour(0), d.Minute(0), d.Second(0); },
         {1980, 2, 9, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Date d(1980, 2, 9, 14, 5, 7);
        c.set(d);
        ExpectFields(d, c.expected);
    }
}

TEST(Date, MonthLengthByDayCounting) {
    // The month grid's way: the first of the next month minus one day of 86400 seconds.
    struct Case {
        Int32 year, month, length;
    };
    const Case cases[] = {{1980, 2, 29}, {1900, 2, 28}, {2000, 2, 29}, {2013, 12, 31},
                          {2013, 4, 30}, {2013, 3, 31}, {2013, 10, 31}};
    for (const Case& c : cases) {
        Date first(c.year, c.month, 1);
        Date last(2000, 1, 1);
        last.TotalSeconds(first.TotalSeconds());
        if (last.Month() == 12) {
            last.Year(last.Year() + 1);
            last.Month(1);
        } else {
            last.Month(last.Month() + 1);
        }
        last.TotalSeconds(last.TotalSeconds() - 86400.0);
        EXPECT_EQ((last.TotalSeconds() - first.TotalSeconds()) / 86400.0, c.length - 1)
            << c.year << "-" << c.month;
    }
}

TEST(Date, LongTimeUsesTheTwelveHourClock) {
    struct Case {
        Int32 hour, minute, second;
        const char* text;
    };
    const Case cases[] = {{0, 0, 0, "12:00:00 AM"},
                          {0, 30, 5, "12:30:05 AM"},
                          {11, 59, 59, "11:59:59 AM"},
                          {12, 5, 0, "12:05:00 PM"},
                          {23, 1, 2, "11:01:02 PM"}};
    for (const Case& c : cases) {
        EXPECT_EQ(Date(2001, 1, 1, c.hour, c.minute, c.second).LongTime(), c.text);
    }
    EXPECT_EQ(Date(2013, 5, 12).LongDate(), "Sunday, May 12, 2013");
    EXPECT_EQ(Date(1, 1, 1).LongDate(), "Monday, January 1, 1");
}

TEST(Date, SQLDateTimeAcceptsItsThreeForms) {
    struct Case {
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {"1980-02-09 14:05:07", "1980-02-09 14:05:07"},
        {"  1980-02-09 14:05:07 \t", "1980-02-09 14:05:07"},
        {"1980-02-09 14:05", "1980-02-09 14:05:00"},
        {"1980-02-09", "1980-02-09 00:00:00"},
        {"\t2000-02-29\t", "2000-02-29 00:00:00"},
        {"0001-01-01 00:00:00", "0001-01-01 00:00:00"},
        {"9999-12-31 23:59:59", "9999-12-31 23:59:59"},
        {"1980-02-09  14:05:07", "1980-02-09 14:05:07"},
    };
    for (const Case& c : cases) {
        Date d(2010, 7, 7, 7, 7, 7);
        d.SQLDateTime(c.text);
        EXPECT_EQ(d.SQLDateTime(), c.stored) << c.text;
        Date again(2010, 7, 7);
        again.SQLDateTime(d.SQLDateTime());
        EXPECT_EQ(again.TotalSeconds(), d.TotalSeconds()) << c.text;
    }
}

TEST(Date, SQLDateTimeRejectsOtherTextsAndKeepsTheDate) {
    const char* const rejects[] = {
        "",
        "   ",
        "abc",
        "1980-13-01",
        "1980-00-10",
        "1980-02-30",
        "1900-02-29",
        "1980-02-00",
        "1980-02-09 24:00:00",
        "1980-02-09 14:60",
        "1980-02-09 14:05:60",
        "1980-2-9",
        "80-02-09",
        "1980/02/09",
        "1980-02-09T14:05:07",
        "1980-02-09 14",
        "1980-02-09 14:05:",
        "1980-02-09 14:05:07 x",
        "1980-02-09x",
        "1980-02-09 14:05:07.5",
        "-1980-02-09",
        "1980-02-09 -1:05",
    };
    for (const char* text : rejects) {
        Date d(1980, 2, 9, 14, 5, 7);
        try {
            d.SQLDateTime(text);
            ADD_FAILURE() << "accepted \"" << text << "\"";
        } catch (const fw::UnsupportedFormatException& e) {
            EXPECT_NE(e.Message().find(std::string("\"") + text + "\""), std::string::npos)
                << e.Message();
        }
        EXPECT_EQ(d.TotalSeconds(), 318953107.0) << text;
    }
}

TEST(Date, ExtremeSecondsNeverBreakTheFields) {
    const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             1e300,
                             -1e300,
                             1e15};
    for (double v : values) {
        Date d(2000, 1, 1);
        d.TotalSeconds(v);
        EXPECT_GE(d.Month(), 1);
        EXPECT_LE(d.Month(), 12);
        EXPECT_GE(d.Day(), 1);
        EXPECT_LE(d.Day(), 31);
        EXPECT_FALSE(d.LongDate().empty());
        EXPECT_FALSE(d.SQLDateTime().empty());
        d.Year(std::numeric_limits<Int32>::max());
        d.Day(std::numeric_limits<Int32>::min());
        d.Second(std::numeric_limits<Int32>::max());
        EXPECT_GE(d.Hour(), 0);
        EXPECT_LE(d.Hour(), 23);
    }
    Date d(2000, 1, 1);
    d.TotalSeconds(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(d.TotalSeconds(), 0.0);
}

TEST(Date, NewDateHoldsTheLocalWallClockNow) {
    auto wallClock = [] {
        const std::time_t now = std::time(nullptr);
        std::tm t{};
        localtime_r(&now, &t);
        return Date(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec)
            .TotalSeconds();
    };
    const double before = wallClock();
    const Date now;
    const double after = wallClock();
    EXPECT_GE(now.TotalSeconds(), before);
    EXPECT_LE(now.TotalSeconds(), after);
}


TEST(Date, BreakdownGivesWhatEachGetterGives) {
    for (const double seconds :
         {0.0, -1.0, 86399.5, 319212307.0, -62135596800.0, 1e15, -1e15, 253402300799.0, -0.25}) {
        fw::Date d(1970, 1, 1);
        d.TotalSeconds(seconds);
        const fw::Date::Parts p = d.Breakdown();
        EXPECT_EQ(p.year, d.Year()) << seconds;
        EXPECT_EQ(p.month, d.Month()) << seconds;
        EXPECT_EQ(p.day, d.Day()) << seconds;
        EXPECT_EQ(p.hour, d.Hour()) << seconds;
        EXPECT_EQ(p.minute, d.Minute()) << seconds;
        EXPECT_EQ(p.second, d.Second()) << seconds;
        EXPECT_EQ(p.dayOfWeek, d.DayOfWeek()) << seconds;
    }
}

} // namespace
