#include "framework/core/Text.h"

#include "framework/core/Exceptions.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>

using namespace fw;

namespace {

// "£" is two bytes, "€" three, "𝄞" four: counts must be in characters.
const std::string kPounds = "££££";
const std::string kMixed = "a£€𝄞b";

TEST(Text, LenCountsCodePoints) {
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Len("abc"), 3);
    EXPECT_EQ(Len(kPounds), 4);
    EXPECT_EQ(Len(kMixed), 5);
    // Malformed bytes count one each and are never read past.
    EXPECT_EQ(Len("\xC2"), 1);
    EXPECT_EQ(Len("a\xE2\x82"), 3);
    EXPECT_EQ(Len("\xFF\xFE"), 2);
}

TEST(Text, LeftRightMidCountCharacters) {
    EXPECT_EQ(Left(kMixed, 2), "a£");
    EXPECT_EQ(Left(kMixed, 0), "");
    EXPECT_EQ(Left(kMixed, -3), "");
    EXPECT_EQ(Left(kMixed, 99), kMixed);
    EXPECT_EQ(Right(kMixed, 2), "𝄞b");
    EXPECT_EQ(Right("1980", 1), "0");
    EXPECT_EQ(Right(kMixed, 99), kMixed);
    EXPECT_EQ(Right(kMixed, 0), "");
    EXPECT_EQ(Mid(kMixed, 2, 2), "£€");
    EXPECT_EQ(Mid(kMixed, 3), "€𝄞b");
    EXPECT_EQ(Mid("1980", 3, 2), "80");
    EXPECT_EQ(Mid("999", 3, 2), "9");
    EXPECT_EQ(Mid("99", 3, 2), "");
    EXPECT_EQ(Mid(kMixed, 9), "");
    EXPECT_EQ(Mid(kMixed, 2, 0), "");
    EXPECT_EQ(Mid(kMixed, 2, -1), "");
    EXPECT_THROW(Mid(kMixed, 0), OutOfBoundsException);
    EXPECT_THROW(Mid(kMixed, -5, 2), OutOfBoundsException);
}

TEST(Text, InStrGivesCharacterPositions) {
    EXPECT_EQ(InStr("$$-££-@@", "££"), 4);
    EXPECT_EQ(InStr(0, "$$-££-@@", "@@"), 7);
    EXPECT_EQ(InStr(0, "$$-££-@@", "£££"), 0);
    EXPECT_EQ(InStr(kPounds, "£"), 1);
    EXPECT_EQ(InStr(2, kPounds, "££"), 2);
    EXPECT_EQ(InStr(4, kPounds, "££"), 0);
    EXPECT_EQ(InStr(99, kPounds, "£"), 0);
    EXPECT_EQ(InStr("abc", ""), 0);
    // "£" is C2 A3: a lone A3 byte must not match inside it.
    EXPECT_EQ(InStr(kPounds, "\xA3"), 0);
    EXPECT_THROW(InStr(-1, "abc", "a"), OutOfBoundsException);
}

TEST(Text, ReplaceFirstAndAll) {
    EXPECT_EQ(Replace("$$-££-££", "££", "02"), "$$-02-££");
    EXPECT_EQ(Replace("abc", "x", "y"), "abc");
    EXPECT_EQ(Replace("abc", "", "y"), "abc");
    EXPECT_EQ(ReplaceAll("DD-MM-YYYY", "M", "£"), "DD-££-YYYY");
    EXPECT_EQ(ReplaceAll(kPounds, "££", "x"), "xx");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("S,M,T", ",", Chr(9)), "S\tM\tT");
    EXPECT_EQ(ReplaceAll("abc", "", "-"), "abc");
}

TEST(Text, TrimUppercaseChr) {
    EXPECT_EQ(Trim("  12.5 \t\r\n"), "12.5");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(" a b "), "a b");
    EXPECT_EQ(Uppercase("dd-mm-yy hh:tt ap £é"), "DD-MM-YY HH:TT AP £é");
    EXPECT_EQ(Lowercase("ABC£"), "abc£");
    EXPECT_EQ(Chr(9), "\t");
    EXPECT_EQ(Chr(0xA3), "£");
    EXPECT_EQ(Chr(0x20AC), "€");
    EXPECT_EQ(Chr(0x1D11E), "𝄞");
    EXPECT_THROW(Chr(-1), OutOfBoundsException);
    EXPECT_THROW(Chr(0xD800), OutOfBoundsException);
    EXPECT_THROW(Chr(0x110000), OutOfBoundsException);
}

TEST(Text, SplitKeepsEmptyEntriesButNotForEmptyText) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Split("", ","), V{});
    EXPECT_EQ(Split("a,,b", ","), (V{"a", "", "b"}));
    EXPECT_EQ(Split(",", ","), (V{"", ""}));
    EXPECT_EQ(Split("One,-,Two", ","), (V{"One", "-", "Two"}));
    EXPECT_EQ(Split("a£b£", "£"), (V{"a", "b", ""}));
    EXPECT_EQ(Split("abc", ""), V{"abc"});
    EXPECT_EQ(Join(V{"a", "", "b"}, ","), "a,,b");
}

TEST(Text, EqualityIgnoringCase) {
    EXPECT_TRUE(EqualsIgnoreCase("TextFont", "textfont"));
    EXPECT_FALSE(EqualsIgnoreCase("Text", "Texts"));
    EXPECT_FALSE(EqualsIgnoreCase("£", "¢"));
}

TEST(Val, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* in;
        double out;
    };
    const Case cases[] = {
        {"  12.5abc", 12.5}, {"-3e2", -300},    {"1e", 1},
        {"1e+", 1},          {"2E-1x", 0.2},    {"", 0},
        {"abc", 0},          {"-", 0},          {".", 0},
        {".5", 0.5},         {"5.", 5},         {"+7", 7},
        {"\t-0.25", -0.25},  {"1,234", 1},      {"12 34", 12},
        {"0012", 12},        {"3.14.15", 3.14}, {"1e-400", 0},
        {"- 5", 0},          {"1980", 1980},    {"0.000000000000000000000000000000123e30", 0.123},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Val(c.in), c.out) << c.in;
    }
}

TEST(Val, SaturatesInsteadOfInfinity) {
    EXPECT_EQ(Val("1e999"), DBL_MAX);
    EXPECT_EQ(Val("-1e999"), -DBL_MAX);
    EXPECT_EQ(Val("1.8e308"), DBL_MAX);
    EXPECT_EQ(Val("1e99999999999999999999999"), DBL_MAX);
    EXPECT_EQ(Val(std::string(400, '9')), DBL_MAX);
    EXPECT_EQ(Val("1.7976931348623157e308"), DBL_MAX);
    EXPECT_FALSE(std::isnan(Val("nan")));
    EXPECT_EQ(Val("inf"), 0);
}

} // namespace
