#include "framework/core/Variant.h"

#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>
#include <limits>

using fw::Currency;
using fw::Date;
using fw::Variant;

namespace {

class Other : public fw::Object {
public:
    std::string_view ClassFullName() const override { return "Other"; }
};

TEST(Variant, HoldsEachTypeAsGiven) {
    EXPECT_EQ(Variant().GetType(), Variant::Type::Nil);
    EXPECT_EQ(Variant(true).GetType(), Variant::Type::Boolean);
    EXPECT_EQ(Variant(fw::Int32{3}).GetType(), Variant::Type::Int32);
    EXPECT_EQ(Variant(3.5).GetType(), Variant::Type::Double);
    EXPECT_EQ(Variant(Currency::FromUnits(1)).GetType(), Variant::Type::Currency);
    EXPECT_EQ(Variant("Bye!").GetType(), Variant::Type::String);
    EXPECT_EQ(Variant(std::string("x")).GetType(), Variant::Type::String);
    EXPECT_EQ(Variant(std::make_shared<Date>(1980, 2, 9)).GetType(), Variant::Type::Object);
    EXPECT_TRUE(Variant(std::shared_ptr<Date>()).IsNil());
}

TEST(Variant, ObjectsAreSharedNotCopied) {
    auto date = std::make_shared<Date>(1980, 2, 9);
    const Variant v(date);
    EXPECT_EQ(v.ToDate().get(), date.get());
    date->Year(1999);
    EXPECT_EQ(v.ToDate()->Year(), 1999);
}

TEST(Variant, ConversionTable) {
    const auto date = std::make_shared<Date>(1980, 2, 9, 14, 5, 7);
    struct Case {
        const char* what;
        Variant value;
        std::string text;
        double number;
        fw::Int32 int32;
        bool boolean;
    };
    const Case cases[] = {
        {"nothing", Variant(), "", 0, 0, false},
        {"True", Variant(true), "True", 1, 1, true},
        {"False", Variant(false), "False", 0, 0, false},
        {"Int32", Variant(fw::Int32{-42}), "-42", -42, -42, true},
        {"Int32 0", Variant(fw::Int32{0}), "0", 0, 0, false},
        {"Double 0.1", Variant(0.1), "0.1", 0.1, 0, true},
        {"Double 3", Variant(3.0), "3", 3, 3, true},
        {"Double 12.7", Variant(12.7), "12.7", 12.7, 13, true},
        {"Double -2.5", Variant(-2.5), "-2.5", -2.5, -3, true},
        {"Double 1/3", Variant(1.0 / 3), "0.3333333333333333", 1.0 / 3, 0, true},
        {"Double 0", Variant(0.0), "0", 0, 0, false},
        {"Double 1e20", Variant(1e20), "1e+20", 1e20, std::numeric_limits<fw::Int32>::max(), true},
        {"Currency", Variant(Currency::FromUnits(-12345)), "-1.2345", -1.2345, -1, true},
        {"Currency whole", Variant(Currency::FromUnits(30000)), "3", 3, 3, true},
        {"String number", Variant("  12.5abc"), "  12.5abc", 12.5, 13, false},
        {"String true", Variant("tRUE"), "tRUE", 0, 0, true},
        {"String empty", Variant(""), "", 0, 0, false},
        {"Date", Variant(date), "1980-02-09 14:05:07", 318953107, 318953107, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.value.ToString(), c.text);
        EXPECT_EQ(c.value.ToDouble(), c.number);
        EXPECT_EQ(c.value.ToInt32(), c.int32);
        if (c.value.GetType() != Variant::Type::Object) {
            EXPECT_EQ(c.value.ToBoolean(), c.boolean);
        }
    }
}

TEST(Variant, DoubleTextReadsBackToTheSameValue) {
    for (double v : {0.1, 0.2 + 0.1, 1.0 / 7, 123456.789, 1e-7, -2.5e300, 5e-324}) {
        const std::string text = Variant(v).ToString();
        EXPECT_EQ(Variant(text).ToDouble(), v) << text;
    }
    EXPECT_EQ(Variant(std::numeric_limits<double>::quiet_NaN()).ToString(), "NaN");
    EXPECT_EQ(Variant(-std::numeric_limits<double>::infinity()).ToString(), "-Infinity");
}

TEST(Variant, ToCurrency) {
    EXPECT_EQ(Variant(fw::Int32{7}).ToCurrency().Units(), 70000);
    EXPECT_EQ(Variant(1.00005).ToCurrency().Units(), 10001);
    EXPECT_EQ(Variant("2.5").ToCurrency().Units(), 25000);
    EXPECT_EQ(Variant(Currency::FromUnits(3)).ToCurrency().Units(), 3);
    EXPECT_EQ(Variant(std::numeric_limits<double>::quiet_NaN()).ToCurrency().Units(), 0);
}

TEST(Variant, ConversionsThatCannotApplyRaise) {
    const Variant other(std::shared_ptr<fw::Object>(std::make_shared<Other>()));
    EXPECT_THROW(other.ToDouble(), fw::TypeMismatchException);
    EXPECT_THROW(other.ToInt32(), fw::TypeMismatchException);
    EXPECT_THROW(other.ToString(), fw::TypeMismatchException);
    EXPECT_THROW(other.ToBoolean(), fw::TypeMismatchException);
    EXPECT_THROW(other.ToDate(), fw::TypeMismatchException);
    EXPECT_NO_THROW(other.ToObject());
    EXPECT_THROW(Variant().ToDate(), fw::NilObjectException);
    EXPECT_THROW(Variant().ToObject(), fw::NilObjectException);
    EXPECT_THROW(Variant(3.0).ToDate(), fw::TypeMismatchException);
    EXPECT_THROW(Variant("1980-02-09").ToObject(), fw::TypeMismatchException);
    try {
        other.ToDouble();
    } catch (const fw::RuntimeException& e) {
        EXPECT_NE(e.Message().find("Other"), std::string::npos) << e.Message();
    }
}

} // namespace
