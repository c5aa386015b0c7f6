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

} // namespace
