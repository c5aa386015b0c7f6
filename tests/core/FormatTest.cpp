#include "framework/core/Format.h"

#include <cfloat>
#include <gtest/gtest.h>
#include <limits>

using fw::Format;
using fw::Str;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Case {
    double value;
    const char* pattern;
    const char* text;
};

// Format and Str are one engine: every case holds for both.
void ExpectBoth(const Case& c) {
    EXPECT_EQ(Format(c.value, c.pattern), c.text)
        << "Format(" << c.value << ", \"" << c.pattern << "\")";
    EXPECT_EQ(Str(c.value, c.pattern), c.text) << "Str(" << c.value << ", \"" << c.pattern << "\")";
}

TEST(Format, DigitPlaceholders) {
    const Case cases[] = {
        {2, "00", "02"},         {14, "00", "14"},
        {123, "00", "123"},      {14, "##", "14"},
        {2, "##", "2"},          {0, "##", "0"},
        {1980, "####", "1980"},  {999, "####", "999"},
        {7, "#", "7"},           {0, "#", "0"},
        {33.333, "#", "33"},     {5, "##00", "05"},
        {14, "##00", "14"},      {0, "##00", "00"},
        {50, "##0", "50"},       {0, "##0", "0"},
        {123456, "#", "123456"}, {42, "0#", "42"},
        {4, "0#", "04"},         {4, "#0#", "04"},
        {0.3, "#", "0"},         {1e20, "#", "100000000000000000000"},
    };
    for (const Case& c : cases) {
        ExpectBoth(c);
    }
}

TEST(Format, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    const Case cases[] = {
        {12.7, "-#", "13"},
        {-12.7, "-#", "-13"},
        {12.5, "#", "13"},
        {-12.5, "-#", "-13"},
        {0.5, "#", "1"},
        {2.5, "0", "3"},
        {3.14159, "-#0.00", "3.14"},
        {-3.14159, "-#0.00", "-3.14"},
        {2.675, "0.00", "2.68"},
        {1.005, "0.00", "1.01"},
        {-1.005, "-0.00", "-1.01"},
        {0.125, "0.00", "0.13"},
        {9.995, "0.00", "10.00"},
        {999.5, "#,0", "1,000"},
        {0.045, "0.0", "0.0"},
        {1.45, "0.0", "1.5"},
        {8.345, "0.00", "8.35"},
        {0.285, "0.00", "0.29"},
    };
    for (const Case& c : cases) {
        ExpectBoth(c);
    }
}

TEST(Format, SignsWithOneSection) {
    const Case cases[] = {
        {42, "-000000", "000042"},
        {-42, "-000000", "-000042"},
        {-5, "#", "-5"},
        {-5, "00", "-05"},
        {-5, "$#", "$-5"},
        {-5, "#-", "5-"},
        {5, "+#", "+5"},
        {-5, "+#", "-5"},
        {0, "+#", "+0"},
        {-1234.5, "#,0.00", "-1,234.50"},
        {-0.001, "-#0.00", "0.00"},
        {-0.4, "#", "0"},
        {-5, "abc", "-abc"},
    };
    for (const Case& c : cases) {
        ExpectBoth(c);
    }
}

TEST(Format, SectionsAndEscapes) {
    const char* const currency = "#,0.00;(#,0.00);\\";       // 17 characters
    const char* const currencyBlank = "#,0.00;(#,0.00);\\ "; // 18 characters
    const char* const number = "#,0.00000;(#,0.00000);\\ ";
    const Case cases[] = {
        {-3.25, currency, "(3.25)"},
        {0, currency, ""},
        {1234.5, currency, "1,234.50"},
        {-2.3456, currency, "(2.35)"},
        {0.001, currency, ""}, // shows as zero, so the zero section applies
        {-0.004, currency, ""},
        {1234.5, currencyBlank, "1,234.50"},
        {0, currencyBlank, " "},
        {-1234567.891, currencyBlank, "(1,234,567.89)"},
        {-2.5, number, "(2.50000)"},
        {3.1415926, number, "3.14159"},
        {-5, "#;-#", "-5"},
        {-5, "#;#", "5"},
        {-5, "#;+#", "-5"},
        {-5, "#;", "-5"}, // an empty section stands for the first
        {0, "#;;", "0"},
        {0, "#;(#);zero", "zero"},
        {0, "#;(#);\\z\\e\\r\\o", "zero"},
        {5, "\\#0\\;", "#5;"},
        {5, "0\\", "5"},
        {5, "\\£0", "£5"},
        {5, "£0€", "£5€"},
        {5, "0 \\%", "5 %"},
        {7, "0;1;2;3", "7"},
    };
    for (const Case& c : cases) {
        ExpectBoth(c);
    }
}

TEST(Format, DecimalsGroupingAndPercent) {
    const Case cases[] = {
        {1234.5, "#,0.00", "1,234.50"},
        {1234567, "#,#", "1,234,567"},
        {123, "#,#", "123"},
        {0, "#,0.00", "0.00"},
        {0.5, "#.00", "0.50"},
        {0.5, ".00", "0.50"},
        {3, "0.0#", "3.0"},
        {3.14159, "0.0##", "3.142"},
        {3.1, "0.0##", "3.1"},
        {12.7, "-#.####", "12.7"},
        {12, "-#.####", "12"},
        {-3.5, "-#.########", "-3.5"},
        {0.25, "0%", "25%"},
        {0.256, "0.0%", "25.6%"},
        {-0.5, "#%", "-50%"},
        {1.5, "0.0.0", "1.5.0"}, // a second point is literal
        {1.5, "#.#.#", "1.5."},
    };
    for (const Case& c : cases) {
        ExpectBoth(c);
    }
}

TEST(Format, NonFiniteValuesNeverBreak) {
    for (const char* pattern : {"", "#", "-#0.00", "#,0.00;(#,0.00);\\"}) {
        ExpectBoth({kNaN, pattern, "NaN"});
        ExpectBoth({kInf, pattern, "Infinity"});
        ExpectBoth({-kInf, pattern, "-Infinity"});
    }
    const std::string huge = Format(DBL_MAX, "#,0.00");
    EXPECT_EQ(huge.substr(0, 6), "179,76");
    EXPECT_EQ(huge.substr(huge.size() - 3), ".00");
    EXPECT_EQ(Format(DBL_TRUE_MIN, "0.00"), "0.00");
    EXPECT_EQ(Format(5e-324, "0.00;(0.00);\\"), "");
}

TEST(Str, PlainText) {
    EXPECT_EQ(Str(fw::Int32{0}), "0");
    EXPECT_EQ(Str(fw::Int32{2013}), "2013");
    EXPECT_EQ(Str(fw::Int32{-7}), "-7");
    EXPECT_EQ(Str(std::numeric_limits<fw::Int32>::min()), "-2147483648");
    EXPECT_EQ(Str(12.5), "12.5");
    EXPECT_EQ(Str(0.1), "0.1");
    EXPECT_EQ(Str(3.0), "3");
    EXPECT_EQ(Str(-0.0), "0");
    EXPECT_EQ(Str(2.0, ""), "2");
    EXPECT_EQ(Format(2.5, ""), "2.5");
}


// Each pattern is parsed once and kept; more patterns than are kept, in turn and over again,
// still give each its own text.
TEST(Format, PatternsTakenInTurnEachGiveTheirOwnText) {
    std::vector<Case> cases = {
        {-1234.567, "#,0.00;(#,0.00);\\", "(1,234.57)"},
        {0, "#,0.00;(#,0.00);\\", ""},
        {42, "-#", "42"},
        {-42, "-#", "-42"},
        {2.5, "-#0.00", "2.50"},
        {7, "00", "07"},
        {0.25, "0%", "25%"},
    };
    // Patterns that differ only in the count of their placeholders.
    std::vector<std::string> patterns;
    for (int zeros = 1; zeros <= 24; ++zeros) {
        patterns.push_back(std::string(static_cast<std::size_t>(zeros), '0'));
    }
    for (int round = 0; round < 3; ++round) {
        for (const Case& c : cases) {
            ExpectBoth(c);
        }
        for (std::size_t i = 0; i < patterns.size(); ++i) {
            const std::size_t zeros = round == 1 ? patterns.size() - i : i + 1;
            EXPECT_EQ(Format(5, patterns[zeros - 1]), std::string(zeros - 1, '0') + "5");
        }
    }
}

} // namespace
