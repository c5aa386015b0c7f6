#include "framework/core/CompactText.h"
#include "framework/core/CompactVariant.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <utility>

using fw::CompactText;
using fw::CompactVariant;
using fw::Currency;
using fw::Variant;

namespace {

// Texts around the inline limit, with NULs and bytes of every kind.
const std::string kTexts[] = {
    "",
    "a",
    std::string("\0", 1),
    "Bye!",
    std::string(14, 'x'),
    "Something here.",  // 15: the longest inline
    "Thu, 10 Dec 2026", // 16: the shortest on the heap
    std::string("ab\0cd\0ef\0gh\0ijk\0lm", 18),
    "This is a long string, 100000",
    std::string(100000, 'q'),
    "\xC2\xA3\xE2\x82\xAC \xF0\x9F\x98\x80 \xFF\xFE",
};

TEST(CompactText, HoldsEveryTextExactly) {
    for (const std::string& text : kTexts) {
        const CompactText t(text);
        EXPECT_EQ(t.View(), text);
        EXPECT_EQ(t.Str(), text);
        EXPECT_EQ(t.Size(), text.size());
        EXPECT_EQ(t.Empty(), text.empty());
        EXPECT_EQ(t.IsInline(), text.size() <= CompactText::kInlineCapacity) << text.size();
    }
    EXPECT_EQ(CompactText().View(), "");
}

TEST(CompactText, CopiesMovesAndAssignsBetweenEveryPair) {
    for (const std::string& a : kTexts) {
        for (const std::string& b : kTexts) {
            CompactText t(a);
            const CompactText source(b);
            t = source;
            EXPECT_EQ(t.View(), b);
            EXPECT_EQ(source.View(), b);
            EXPECT_TRUE(t == source);

            CompactText moved(a);
            CompactText from(b);
            moved = std::move(from);
            EXPECT_EQ(moved.View(), b);
            EXPECT_EQ(from.View(), ""); // NOLINT: a moved-from text is empty
            CompactText constructed(std::move(moved));
            EXPECT_EQ(constructed.View(), b);

            CompactText viewed(a);
            viewed = std::string_view(b);
            EXPECT_EQ(viewed.View(), b);
        }
    }
}

TEST(CompactText, AssignsFromItselfAndFromAViewOfItself) {
    for (const std::string& text : kTexts) {
        CompactText t(text);
        const CompactText& same = t;
        t = same;
        EXPECT_EQ(t.View(), text);
        CompactText& alias = t;
        t = std::move(alias);
        EXPECT_EQ(t.View(), text);
        t = t.View();
        EXPECT_EQ(t.View(), text);
        if (!text.empty()) {
            t = t.View().substr(1); // the tail of its own bytes
            EXPECT_EQ(t.View(), text.substr(1));
        }
    }
}

// A value equal to what a CompactVariant was made from: type, value and the same object.
void ExpectSame(const Variant& got, const Variant& want, const std::string& what) {
    ASSERT_EQ(got.GetType(), want.GetType()) << what;
    switch (want.GetType()) {
    case Variant::Type::Nil:
        break;
    case Variant::Type::Boolean:
        EXPECT_EQ(*got.GetIf<bool>(), *want.GetIf<bool>()) << what;
        break;
    case Variant::Type::Int32:
        EXPECT_EQ(*got.GetIf<fw::Int32>(), *want.GetIf<fw::Int32>()) << what;
        break;
    case Variant::Type::Double: {
        const double g = *got.GetIf<double>();
        const double w = *want.GetIf<double>();
        EXPECT_TRUE(std::memcmp(&g, &w, sizeof g) == 0) << what; // NaN and -0 too
        break;
    }
    case Variant::Type::Currency:
        EXPECT_EQ(got.GetIf<Currency>()->Units(), want.GetIf<Currency>()->Units()) << what;
        break;
    case Variant::Type::String:
        EXPECT_EQ(*got.GetIf<std::string>(), *want.GetIf<std::string>()) << what;
        break;
    case Variant::Type::Object:
        EXPECT_EQ(got.GetIf<std::shared_ptr<fw::Object>>()->get(),
                  want.GetIf<std::shared_ptr<fw::Object>>()->get())
            << what;
        break;
    }
}

std::vector<std::pair<std::string, Variant>> Values(const std::shared_ptr<fw::Date>& date) {
    std::vector<std::pair<std::string, Variant>> values = {
        {"nothing", Variant()},
        {"True", Variant(true)},
        {"False", Variant(false)},
        {"Int32 min", Variant(std::numeric_limits<fw::Int32>::min())},
        {"Int32 -1", Variant(fw::Int32{-1})},
        {"Double -0", Variant(-0.0)},
        {"Double NaN", Variant(std::numeric_limits<double>::quiet_NaN())},
        {"Double inf", Variant(-std::numeric_limits<double>::infinity())},
        {"Double 0.1", Variant(0.1)},
        {"Currency max", Variant(Currency::FromUnits(std::numeric_limits<fw::Int64>::max()))},
        {"Currency -1", Variant(Currency::FromUnits(-1))},
        {"Date", Variant(date)},
    };
    for (const std::string& text : kTexts) {
        values.emplace_back("String of " + std::to_string(text.size()), Variant(text));
    }
    return values;
}

TEST(CompactVariant, GivesBackEveryTypeAsStored) {
    const auto date = std::make_shared<fw::Date>(1980, 2, 9);
    for (const auto& [what, value] : Values(date)) {
        const CompactVariant v(value);
        EXPECT_EQ(v.GetType(), value.GetType()) << what;
        ExpectSame(v.ToVariant(), value, what);
    }
    EXPECT_EQ(CompactVariant().GetType(), Variant::Type::Nil);
}

TEST(CompactVariant, CopiesMovesAndAssignsBetweenEveryPair) {
    const auto date = std::make_shared<fw::Date>(1980, 2, 9);
    const auto values = Values(date);
    for (const auto& [whatA, a] : values) {
        for (const auto& [whatB, b] : values) {
            const std::string what = whatA + " <- " + whatB;
            CompactVariant t(a);
            const CompactVariant source(b);
            t = source;
            ExpectSame(t.ToVariant(), b, what);
            ExpectSame(source.ToVariant(), b, what);

            CompactVariant moved(a);
            CompactVariant from(b);
            moved = std::move(from);
            ExpectSame(moved.ToVariant(), b, what);
            EXPECT_EQ(from.GetType(), Variant::Type::Nil) << what; // NOLINT
            const CompactVariant constructed(std::move(moved));
            ExpectSame(constructed.ToVariant(), b, what);

            CompactVariant assigned(a);
            assigned = b;
            ExpectSame(assigned.ToVariant(), b, what);
        }
    }
}

TEST(CompactVariant, AssignsFromItselfAndFromWhatItGaveOut) {
    const auto date = std::make_shared<fw::Date>(1980, 2, 9);
    for (const auto& [what, value] : Values(date)) {
        CompactVariant v(value);
        const CompactVariant& same = v;
        v = same;
        ExpectSame(v.ToVariant(), value, what);
        CompactVariant& alias = v;
        v = std::move(alias);
        ExpectSame(v.ToVariant(), value, what);
        v = v.ToVariant();
        ExpectSame(v.ToVariant(), value, what);
    }
}

TEST(CompactVariant, HoldsAnObjectByReference) {
    auto date = std::make_shared<fw::Date>(1980, 2, 9);
    {
        CompactVariant v{Variant(date)};
        const CompactVariant copy(v);
        EXPECT_EQ(date.use_count(), 3);
        date->Year(1999);
        EXPECT_EQ(copy.ToVariant().ToDate()->Year(), 1999);
        EXPECT_EQ(v.ToVariant().ToDate(), date);
        v = Variant(fw::Int32{1});
        EXPECT_EQ(date.use_count(), 2);
    }
    EXPECT_EQ(date.use_count(), 1);
}

} // namespace
