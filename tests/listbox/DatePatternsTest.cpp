#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Text.h"
#include "tests/support/ListBoxAccess.h"

#include <gtest/gtest.h>

using fw::Int32;

namespace {

fw::DatePtr At(Int32 hour, Int32 minute, Int32 second = 7, Int32 day = 9) {
    return std::make_shared<fw::Date>(1980, 2, day, hour, minute, second);
}

struct Case {
    const char* pattern;
    Int32 hour;
    Int32 minute;
    const char* text;
};

TEST(FormattedDate, Patterns) {
    const Case cases[] = {
        // Worked examples, 9 February 1980 14:05:07, a Saturday.
        {"dd-mm-yyyy", 14, 5, "09-02-1980"},
        {"dd-mm-yy hh:tt ap", 14, 5, "09-02-80 02:05 pm"},
        {"n, d mmm yyyy", 14, 5, "Sat, 9 Feb 1980"},
        {"nn, ddd mmmm yyyy", 14, 5, "Saturday, 9th February 1980"},
        {"d/m/y", 14, 5, "9/2/@"},
        {"hh:tt:s", 14, 5, "14:05:*"},
        // Letters in either case.
        {"DD-MM-YYYY", 14, 5, "09-02-1980"},
        {"Dd-mM-yYyY", 14, 5, "09-02-1980"},
        // The 12-hour clock of a date pattern.
        {"dd-mm-yy hh:tt ap", 0, 30, "09-02-80 12:30 am"},
        {"dd-mm-yy hh:tt ap", 12, 5, "09-02-80 12:05 pm"},
        {"dd-mm-yy hh:tt ap", 11, 59, "09-02-80 11:59 am"},
        {"dd-mm-yy hh:tt ap", 23, 0, "09-02-80 11:00 pm"},
        {"ap hh", 13, 0, "pm 01"},
        {"h ap", 1, 0, "1 am"},
        // Without AP: the 24-hour hour and no marker.
        {"hh:tt", 14, 5, "14:05"},
        {"hh:tt", 0, 30, "00:30"},
        {"h", 9, 0, "9"},
        // A second token of a part, and the rest of a longer run, stay as placeholders.
        {"dd/dd", 14, 5, "09/$$"},
        {"mmmmm", 14, 5, "February£"},
        {"hhh", 14, 5, "14^"},
        {"hh:tt ap ap", 14, 5, "02:05 pm ±"},
        {"ss", 14, 5, "07"},
        // Placeholders written into the pattern count like their letters.
        {"%", 14, 5, "Sat"},
        // Other characters stay, upper-cased; A and P alone are letters.
        {"x a p", 14, 5, "X A P"},
        {"", 14, 5, ""},
    };
    TambrelListBox lb;
    for (const Case& c : cases) {
        EXPECT_EQ(TA::FormattedDate(lb, At(c.hour, c.minute), c.pattern), c.text) << c.pattern;
    }
}

TEST(FormattedDate, OrdinalDays) {
    TambrelListBox lb;
    const char* expected[] = {"1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",
                              "9th",  "10th", "11th", "12th", "13th", "14th", "15th", "16th",
                              "17th", "18th", "19th", "20th", "21st", "22nd", "23rd", "24th",
                              "25th", "26th", "27th", "28th", "29th", "30th", "31st"};
    for (Int32 day = 1; day <= 31; ++day) {
        auto d = std::make_shared<fw::Date>(1980, 1, day);
        EXPECT_EQ(TA::FormattedDate(lb, d, "ddd"), expected[day - 1]) << day;
    }
}

TEST(FormattedDate, EveryMonthAndWeekday) {
    TambrelListBox lb;
    const char* longMonths[] = {"January",   "February", "March",    "April",
                                "May",       "June",     "July",     "August",
                                "September", "October",  "November", "December"};
    const char* shortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (Int32 m = 1; m <= 12; ++m) {
        auto d = std::make_shared<fw::Date>(1980, m, 1);
        EXPECT_EQ(TA::FormattedDate(lb, d, "mmmm"), longMonths[m - 1]);
        EXPECT_EQ(TA::FormattedDate(lb, d, "mmm"), shortMonths[m - 1]);
        EXPECT_EQ(TA::FormattedDate(lb, d, "mm"), (m < 10 ? "0" : "") + std::to_string(m));
        EXPECT_EQ(TA::FormattedDate(lb, d, "m"), std::to_string(m));
        // One month token per pattern: the longest present, first occurrence.
        EXPECT_EQ(TA::FormattedDate(lb, d, "m mmm"), std::string("£ ") + shortMonths[m - 1]);
    }
    // 3 to 9 February 1980 run from Sunday to Saturday.
    const char* days[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                          "Thursday", "Friday", "Saturday"};
    for (Int32 i = 0; i < 7; ++i) {
        auto d = std::make_shared<fw::Date>(1980, 2, 3 + i);
        EXPECT_EQ(TA::FormattedDate(lb, d, "nn"), days[i]);
        EXPECT_EQ(TA::FormattedDate(lb, d, "n"), std::string(days[i]).substr(0, 3));
    }
}

TEST(FormattedDate, YearsBelowAThousand) {
    TambrelListBox lb;
    auto d = std::make_shared<fw::Date>(1980, 2, 9);
    d->Year(987);
    const std::string four = fw::Format(987, "####");
    EXPECT_EQ(TA::FormattedDate(lb, d, "yyyy"), four);
    EXPECT_EQ(TA::FormattedDate(lb, d, "yy"), fw::Mid(four, 3, 2));
}

TEST(FormattedDate, FillsEmptyNameListsAndFollowsTheLanguage) {
    TambrelListBox lb;
    EXPECT_TRUE(TA::LongMonths(lb).empty());
    EXPECT_EQ(TA::FormattedDate(lb, At(14, 5), "mmmm"), "February");
    EXPECT_EQ(TA::LongMonths(lb).size(), 12u);

    TA::SetupDaysMonths(lb, "S");
    EXPECT_EQ(TA::FormattedDate(lb, At(14, 5), "mmmm"), "Febrero");
    EXPECT_EQ(TA::FormattedDate(lb, At(14, 5), "nn"), "Sabado");
    EXPECT_EQ(TA::FormattedDate(lb, At(14, 5), "n, ddd mmm"), "Sab, 9th Feb");
    EXPECT_EQ(TA::LongMonths(lb)[7], "Augosto");
    EXPECT_EQ(TA::ShortMonths(lb)[7], "Ago");
    EXPECT_EQ(TA::LongDayStr(lb)[3], "Miercoles");
    EXPECT_EQ(TA::ShortDayStr(lb)[3], "Mie");

    for (const char* other : {"F", "e", ""}) {
        TA::SetupDaysMonths(lb, other);
        EXPECT_EQ(TA::FormattedDate(lb, At(14, 5), "mmmm"), "Febrero") << other;
    }
    TA::SetupDaysMonths(lb, "E");
    EXPECT_EQ(TA::FormattedDate(lb, At(14, 5), "mmmm nn"), "February Saturday");
    EXPECT_EQ(TA::ShortDayStr(lb),
              (std::vector<std::string>{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
}

TEST(FormattedDate, NilDateRaises) {
    TambrelListBox lb;
    EXPECT_THROW(TA::FormattedDate(lb, nullptr, "dd"), fw::NilObjectException);
    EXPECT_THROW(TA::FormattedTime(lb, nullptr, "HH"), fw::NilObjectException);
}

TEST(FormattedTime, Patterns) {
    const Case cases[] = {
        {"HH:MMap", 14, 5, "02:05pm"},
        {"HH:MMap", 0, 30, "00:30am"},
        {"HH:MMap", 12, 5, "12:05pm"},
        {"HH:MMap", 11, 5, "11:05am"},
        {"HH:MMap", 23, 59, "11:59pm"},
        {"HH:MM AM/PM", 14, 5, "02:05 pm"},
        {"HH:MM A/P", 14, 5, "02:05 pm"},
        {"HH:MM AMPM", 9, 5, "09:05 am"},
        {"HH:MM AM", 14, 5, "02:05 pm"},
        {"HH:MM PM", 9, 5, "09:05 am"},
        {"ap HH:MM", 14, 5, " 02:05pm"},
        // 24-hour mode without a marker.
        {"HH:MM", 14, 5, "14:05"},
        {"HH:MM:SS", 0, 0, "00:00:07"},
        {"HHH:MM", 14, 5, "14:05"},
        {"HHH:MM", 5, 5, "05:05"},
        {"H:M:S", 14, 5, "14:5:7"},
        {"H:Mam", 14, 5, "2:5pm"},
        {"hh:mm:ss", 14, 5, "14:05:07"},
        // Letters that are no time letters stay, upper-cased.
        {"HH dt yn", 14, 5, "14 DT YN"},
        {"HHHH", 14, 5, "14@"},
        {"HH:MM AP AP", 14, 5, "02:05  APpm"},
    };
    TambrelListBox lb;
    for (const Case& c : cases) {
        EXPECT_EQ(TA::FormattedTime(lb, At(c.hour, c.minute), c.pattern), c.text) << c.pattern;
    }
}

TEST(FormattedTime, TwelveHourTable) {
    // hour: FormattedDate with AP, FormattedTime with a marker.
    struct Row {
        Int32 hour;
        const char* date;
        const char* time;
    };
    const Row rows[] = {
        {0, "12 am", "00 am"},  {1, "01 am", "01 am"},  {11, "11 am", "11 am"},
        {12, "12 pm", "12 pm"}, {13, "01 pm", "01 pm"}, {23, "11 pm", "11 pm"},
    };
    TambrelListBox lb;
    for (const Row& r : rows) {
        EXPECT_EQ(TA::FormattedDate(lb, At(r.hour, 0), "hh ap"), r.date) << r.hour;
        EXPECT_EQ(TA::FormattedTime(lb, At(r.hour, 0), "HH AM/PM"), r.time) << r.hour;
    }
}

TEST(FormattedTime, ZeroUnderASingleLetterIsTheFrameworksFormat) {
    TambrelListBox lb;
    EXPECT_EQ(TA::FormattedTime(lb, At(0, 0, 0), "H|M|S"),
              fw::Format(0, "#") + "|" + fw::Format(0, "#") + "|" + fw::Format(0, "#"));
    EXPECT_EQ(TA::FormattedDate(lb, At(0, 0, 0), "h"), fw::Format(0, "##"));
}

} // namespace
