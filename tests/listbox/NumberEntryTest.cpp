#include "listbox/NumberEntry.h"

#include "framework/core/Format.h"
#include "framework/core/Types.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr const char* kCurrency = "#,0.00;(#,0.00);\\";
constexpr const char* kInteger = "-#";
constexpr const char* kNumber = "-#0.00";
constexpr const char* kDollars = "\\$#,0.00;(\\$#,0.00)";

const std::optional<double> kRefused;

TEST(NumberEntry, ReadsWhatTheColumnShows) {
    struct Case {
        const char* text;
        const char* pattern;
        NumberRange range;
        std::optional<double> value;
    };
    using R = NumberRange;
    const Case cases[] = {
        // Blanks only are 0, as before.
        {"", kCurrency, R::Currency, 0.0},
        {" \t ", kNumber, R::Double, 0.0},
        // Grouping, only between whole groups of three; a comma that is none ends the number.
        {"1,234.5", kCurrency, R::Currency, 1234.5},
        {"12,345,678.9", kCurrency, R::Currency, 12345678.9},
        {"1,234", kInteger, R::Int32, 1234.0},
        {"1,2", kCurrency, R::Currency, 1.0},
        {"1,2345", kCurrency, R::Currency, 1.0},
        {"1234,567", kCurrency, R::Currency, 1234.0},
        {"1,234,5", kCurrency, R::Currency, 1234.0},
        {",123", kCurrency, R::Currency, kRefused},
        // Parentheses and signs, blanks around and between.
        {"(12.50)", kCurrency, R::Currency, -12.5},
        {"  (1,234.50)  ", kCurrency, R::Currency, -1234.5},
        {"(12.50", kCurrency, R::Currency, -12.5},
        {"(3.5)", kNumber, R::Double, -3.5},
        {"-(5)", kCurrency, R::Currency, -5.0},
        {"+5", kNumber, R::Double, 5.0},
        {"- 5", kNumber, R::Double, -5.0},
        {"--5", kNumber, R::Double, kRefused},
        {"((5))", kCurrency, R::Currency, kRefused},
        // From the first digit on, as Val reads.
        {"7.126xyz", kNumber, R::Double, 7.126},
        {" 3.25abc ", kNumber, R::Double, 3.25},
        {".5", kNumber, R::Double, 0.5},
        {"-.5", kNumber, R::Double, -0.5},
        {"5.", kNumber, R::Double, 5.0},
        {"1e3", kNumber, R::Double, 1000.0},
        {"1,234e2", kNumber, R::Double, 123400.0},
        {"12.7", kInteger, R::Int32, 12.7},
        // No number at the start.
        {"abc", kCurrency, R::Currency, kRefused},
        {"x5", kNumber, R::Double, kRefused},
        {"-", kInteger, R::Int32, kRefused},
        {"(", kCurrency, R::Currency, kRefused},
        {".", kNumber, R::Double, kRefused},
        {"$5", kCurrency, R::Currency, kRefused}, // no "$" in this pattern
        // The pattern's own literal characters may stand before the number.
        {"$1,234.50", kDollars, R::Currency, 1234.5},
        {"($12.50)", kDollars, R::Currency, -12.5},
        {"-$5", kDollars, R::Currency, -5.0},
        {"$ 5", kDollars, R::Currency, 5.0},
        {"$", kDollars, R::Currency, kRefused},
        {"\xE2\x82\xAC"
         "5",
         "#,0.00 \xE2\x82\xAC", R::Currency, 5.0},
        {"12.50 kr", "#,0.00 \\k\\r", R::Currency, 12.5},
        {"kr12.50", "#,0.00 \\k\\r", R::Currency, 12.5},
        // A literal digit of the pattern is still a digit.
        {"15", "\\1#", R::Double, 15.0},
        // Int32: the nearest whole number must fit.
        {"2147483647", kInteger, R::Int32, 2147483647.0},
        {"2147483647.4", kInteger, R::Int32, 2147483647.4},
        {"2147483647.5", kInteger, R::Int32, kRefused},
        {"-2147483648.4", kInteger, R::Int32, -2147483648.4},
        {"-2147483648.5", kInteger, R::Int32, kRefused},
        {"3,000,000,000", kInteger, R::Int32, kRefused},
        {"99999999999999999999", kInteger, R::Int32, kRefused},
        // Currency: within its range; a Double has no limit but its own.
        {"922,337,203,685,477.5", kCurrency, R::Currency, 922337203685477.5},
        {"(922,337,203,685,477.50)", kCurrency, R::Currency, -922337203685477.5},
        {"922337203685477.6", kCurrency, R::Currency, kRefused},
        {"99999999999999999999", kCurrency, R::Currency, kRefused},
        {"99999999999999999999", kNumber, R::Double, 1e20},
        {"1e999", kNumber, R::Double, std::numeric_limits<double>::max()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadNumberEntry(c.text, c.pattern, c.range), c.value)
            << '"' << c.text << "\" by \"" << c.pattern << '"';
    }
}

TEST(NumberEntry, WhatFormatShowsReadsBackToTheSameText) {
    struct Column {
        const char* pattern;
        NumberRange range;
    };
    const Column columns[] = {{kCurrency, NumberRange::Currency},
                              {kInteger, NumberRange::Int32},
                              {kNumber, NumberRange::Double},
                              {kDollars, NumberRange::Currency},
                              {"#,0.00000;(#,0.00000);\\ ", NumberRange::Double}};
    const double values[] = {
        0.0,    1.0,        -1.0,           1234.5,     -1234.5,       0.004,
        -0.004, 1000000.25, -987654321.125, 1.73482917, -2147483648.0, 922337203685477.5};
    for (const Column& column : columns) {
        for (double value : values) {
            if (column.range == NumberRange::Int32 && std::abs(value) > 1e10) {
                continue;
            }
            const std::string shown = fw::Format(value, column.pattern);
            const std::optional<double> read = ReadNumberEntry(shown, column.pattern, column.range);
            ASSERT_TRUE(read.has_value()) << '"' << shown << "\" by " << column.pattern;
            EXPECT_EQ(fw::Format(*read, column.pattern), shown) << column.pattern;
        }
    }
}

TEST(NumberEntry, LargestCurrencyDoubleIsWhereCurrencyStartsToSaturate) {
    const auto units = [](double v) { return fw::Currency::FromDouble(v).Units(); };
    const double beyond = std::nextafter(kLargestCurrencyDouble, 2 * kLargestCurrencyDouble);
    EXPECT_LT(units(kLargestCurrencyDouble), std::numeric_limits<fw::Int64>::max());
    EXPECT_GT(units(-kLargestCurrencyDouble), std::numeric_limits<fw::Int64>::min());
    EXPECT_EQ(units(beyond), std::numeric_limits<fw::Int64>::max());
    EXPECT_EQ(units(-beyond), std::numeric_limits<fw::Int64>::min());
}

} // namespace
