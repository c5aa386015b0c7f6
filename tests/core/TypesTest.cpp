#include "framework/core/Types.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>

using fw::Currency;
using fw::Int32;
using fw::Int64;

namespace {

constexpr Int32 kMax = std::numeric_limits<Int32>::max();
constexpr Int32 kMin = std::numeric_limits<Int32>::min();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ToInt32, RoundsHalvesAwayFromZeroAndSaturates) {
    struct Case {
        double in;
        Int32 out;
    };
    const Case cases[] = {
        {0.0, 0},
        {-0.0, 0},
        {0.4999999, 0},
        {0.5, 1},
        {1.5, 2},
        {2.5, 3},
        {-0.5, -1},
        {-2.5, -3},
        {12.7, 13},
        {-12.7, -13},
        {27.958, 28},
        {29.04, 29},
        {2147483646.6, kMax},
        {2147483647.0, kMax},
        {2147483647.4, kMax},
        {1e300, kMax},
        {kInf, kMax},
        {-2147483648.0, kMin},
        {-2147483648.6, kMin},
        {-kInf, kMin},
        {kNaN, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fw::ToInt32(c.in), c.out) << c.in;
    }
}

TEST(Currency, FromDoubleRoundsTheDecimalValueAndSaturates) {
    constexpr Int64 kMax64 = std::numeric_limits<Int64>::max();
    constexpr Int64 kMin64 = std::numeric_limits<Int64>::min();
    struct Case {
        double in;
        Int64 units;
    };
    const Case cases[] = {
        {0.0, 0},
        {1.0, 10000},
        {1.23456, 12346},
        {-1.23456, -12346},
        {1.00005, 10001}, // the binary value lies just below the half
        {-1.00005, -10001},
        {0.00004, 0},
        {-0.00004, 0},
        {123456789.1234, 1234567891234},
        {922337203685477.0, 9223372036854770000},
        {922337203685477.6, kMax64},
        {-922337203685477.6, kMin64},
        {9.3e14, kMax64},
        {1e300, kMax64},
        {kInf, kMax64},
        {-1e300, kMin64},
        {-kInf, kMin64},
        {kNaN, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Currency::FromDouble(c.in).Units(), c.units) << c.in;
    }
}

TEST(Currency, ToDoubleGivesTheNearestDouble) {
    EXPECT_EQ(Currency::FromUnits(12345).ToDouble(), 1.2345);
    EXPECT_EQ(Currency::FromUnits(-10001).ToDouble(), -1.0001);
    EXPECT_EQ(Currency::FromDouble(3.14).ToDouble(), 3.14);
    EXPECT_NEAR(Currency::FromUnits(std::numeric_limits<Int64>::max()).ToDouble(), 9.2233720368e14,
                1e5);
}

TEST(Color, RgbPacksRedHigh) {
    EXPECT_EQ(fw::RGB(0x12, 0x34, 0x56).value, 0x123456u);
    const fw::Color c = fw::RGB(255, 128, 1);
    EXPECT_EQ(c.Red(), 255);
    EXPECT_EQ(c.Green(), 128);
    EXPECT_EQ(c.Blue(), 1);
}

TEST(Exceptions, CarryTheirClassNameAndMessage) {
    try {
        throw fw::UnsupportedFormatException("bad text");
    } catch (const fw::RuntimeException& e) {
        EXPECT_STREQ(e.ClassName(), "UnsupportedFormatException");
        EXPECT_EQ(e.Message(), "bad text");
        EXPECT_STREQ(e.what(), "bad text");
    }
    EXPECT_STREQ(fw::NilObjectException().ClassName(), "NilObjectException");
    EXPECT_STREQ(fw::OutOfBoundsException().ClassName(), "OutOfBoundsException");
    EXPECT_STREQ(fw::RuntimeException().ClassName(), "RuntimeException");
}

TEST(Rnd, IsInUnitIntervalAndRepeatsForASeed) {
    fw::SeedRnd(42);
    std::vector<double> first;
    std::set<double> distinct;
    for (int i = 0; i < 1000; ++i) {
        const double r = fw::Rnd();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        first.push_back(r);
        distinct.insert(r);
    }
    EXPECT_GT(distinct.size(), 990u);
    fw::SeedRnd(42);
    for (double r : first) {
        ASSERT_EQ(fw::Rnd(), r);
    }
}

} // namespace
