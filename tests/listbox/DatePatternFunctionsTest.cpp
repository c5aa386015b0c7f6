#include "listbox/DatePatterns.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

DayMonthNameLists ListsOf(const DayMonthNames& names) {
    return {names.longMonths, names.shortMonths, names.longDays, names.shortDays};
}

// 9 February 1980 14:05:07, a Saturday.
const fw::Date kSaturday(1980, 2, 9, 14, 5, 7);

TEST(DatePatternFunctions, WriteTheWorkedExamplesWithoutAControl) {
    const DayMonthNames english = *DayMonthNamesOf("E");
    EXPECT_EQ(FormatDatePattern(kSaturday, "dd-mm-yyyy", ListsOf(english)), "09-02-1980");
    EXPECT_EQ(FormatDatePattern(kSaturday, "dd-mm-yy hh:tt ap", ListsOf(english)),
              "09-02-80 02:05 pm");
    EXPECT_EQ(FormatDatePattern(kSaturday, "nn, ddd mmmm yyyy", ListsOf(english)),
              "Saturday, 9th February 1980");
    EXPECT_EQ(FormatTimePattern(kSaturday, "HH:MMap"), "02:05pm");
    EXPECT_EQ(FormatTimePattern(kSaturday, "hh:mm:ss"), "14:05:07");
}

TEST(DatePatternFunctions, NamesComeFromTheListsGiven) {
    DayMonthNames names;
    for (int i = 1; i <= 12; ++i) {
        names.longMonths.push_back("Month" + std::to_string(i));
        names.shortMonths.push_back("M" + std::to_string(i));
    }
    for (int i = 1; i <= 7; ++i) {
        names.longDays.push_back("Weekday" + std::to_string(i));
        names.shortDays.push_back("W" + std::to_string(i));
    }
    EXPECT_EQ(FormatDatePattern(kSaturday, "nn mmmm", ListsOf(names)), "Weekday7 Month2");
    EXPECT_EQ(FormatDatePattern(kSaturday, "n mmm", ListsOf(names)), "W7 M2");
}

TEST(DatePatternFunctions, ANameMissingFromItsListRaises) {
    const DayMonthNames none;
    for (const char* pattern : {"mmmm", "mmm", "nn", "n"}) {
        EXPECT_THROW(FormatDatePattern(kSaturday, pattern, ListsOf(none)), std::out_of_range)
            << pattern;
    }
    // Numbers need no names.
    EXPECT_EQ(FormatDatePattern(kSaturday, "ddd mm yy", ListsOf(none)), "9th 02 80");
}

TEST(DatePatternFunctions, LanguagesAndTheirListSizes) {
    for (const char* language : {"E", "S"}) {
        const std::optional<DayMonthNames> names = DayMonthNamesOf(language);
        ASSERT_TRUE(names) << language;
        EXPECT_EQ(names->longMonths.size(), 12u);
        EXPECT_EQ(names->shortMonths.size(), 12u);
        EXPECT_EQ(names->longDays.size(), 7u);
        EXPECT_EQ(names->shortDays.size(), 7u);
    }
    EXPECT_EQ(DayMonthNamesOf("S")->longMonths[7], "Augosto");
    for (const char* other : {"F", "e", "", "EE"}) {
        EXPECT_FALSE(DayMonthNamesOf(other)) << other;
    }
}

// What a call gives: its text, or the exception it raised.
template <class F> std::string Outcome(F&& write) {
    try {
        return "text " + write();
    } catch (const std::out_of_range& e) {
        return std::string("out_of_range ") + e.what();
    }
}

const char* const kDatePatterns[] = {
    "dd-mm-yyyy",
    "dd-mm-yy hh:tt ap",
    "n, d mmm yyyy",
    "nn, ddd mmmm yyyy",
    "d/m/y",
    "hh:tt:ss",
    "hhh:ttt:sss ap ap",
    "Dd-mM-yYyY",
    "mmmmm yyyyy ddddd nnn",
    "yy",
    "myym",
    "mm yy mm",
    "$d",
    "%n",
    "@y£m",
    "^h&t*s",
    "\xC2"
    "d\xA3",
    "d\x01m",
    "a p ap pa",
    "h ap",
    "",
    "x",
    "dd dd dd",
    "ss tt hh",
    "mmmm d nn",
    "mmm ddd n",
    "mmmm dd n",
};
const char* const kTimePatterns[] = {
    "HH:MMap", "hh:mm:ss", "h:m:s",    "hhh:mmm:sss", "AMPM hh", "hh AM/PM",
    "am h",    "h pm",     "h:mm A/P", "ap hh:mm",    "mm:ss",   "@h",
    "$s\x01",  "",         "hmshms",   "AMAM h",      "PMAP h",
};

// Dates at the edges: midnight and noon, years of one to eight digits, before year 0, the
// limits a Date keeps its seconds in.
std::vector<double> EdgeDates() {
    std::vector<double> dates = {0.0,
                                 43200.0,
                                 319212307.0,
                                 -62135596800.0,
                                 -62198755200.0,
                                 -61851600000.0,
                                 -59011459200.0,
                                 1e15,
                                 -1e15,
                                 253402300799.0,
                                 -0.5,
                                 86399.99};
    for (const int year : {1, 9, 10, 99, 100, 999, 1000, 2026}) {
        dates.push_back(fw::Date(year, 12, 31, 23, 59, 59).TotalSeconds());
        dates.push_back(fw::Date(year, 1, 1, 0, 0, 0).TotalSeconds());
        dates.push_back(fw::Date(year, 6, 13, 12, 30, 5).TotalSeconds());
    }
    return dates;
}

// Names that stand in a pattern's shape, and names that cannot: empty, placeholder
// characters, bytes beyond ASCII, the shape's own stand-in byte.
std::vector<DayMonthNames> NameSets() {
    std::vector<DayMonthNames> sets = {*DayMonthNamesOf("E"), *DayMonthNamesOf("S")};
    for (const char* odd : {"", "$", "%%", "\xC2\xA3", "@^&*", "\x01", "d", "\xC2"}) {
        DayMonthNames names = *DayMonthNamesOf("E");
        for (auto* list :
             {&names.longMonths, &names.shortMonths, &names.longDays, &names.shortDays}) {
            list->assign(list->size(), odd);
        }
        sets.push_back(names);
    }
    sets.push_back(DayMonthNames{}); // every name missing
    return sets;
}

TEST(DatePatternFunctions, ShapesWriteWhatTheReplacingWritersWrite) {
    const std::vector<double> dates = EdgeDates();
    for (const DayMonthNames& names : NameSets()) {
        for (const double seconds : dates) {
            fw::Date d(1970, 1, 1);
            d.TotalSeconds(seconds);
            // Every pattern in turn, so that each shape is made, kept and taken again.
            for (int round = 0; round < 2; ++round) {
                for (const char* pattern : kDatePatterns) {
                    EXPECT_EQ(
                        Outcome([&] { return FormatDatePattern(d, pattern, ListsOf(names)); }),
                        Outcome(
                            [&] { return detail::WriteDatePattern(d, pattern, ListsOf(names)); }))
                        << pattern << " at " << d.TotalSeconds();
                }
            }
        }
    }
    for (const double seconds : dates) {
        fw::Date d(1970, 1, 1);
        d.TotalSeconds(seconds);
        for (const char* pattern : kTimePatterns) {
            EXPECT_EQ(FormatTimePattern(d, pattern), detail::WriteTimePattern(d, pattern))
                << pattern << " at " << d.TotalSeconds();
        }
    }
}

} // namespace
