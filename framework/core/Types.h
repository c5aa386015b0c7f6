#pragma once

#include <cstdint>
#include <string>

namespace fw {

using Int32 = std::int32_t;
using Int64 = std::int64_t;
using String = std::string; // UTF-8 text; every text function counts code points

// A 24-bit RGB colour: red in bits 16-23, green in 8-15, blue in 0-7.
struct Color {
    std::uint32_t value = 0;

    constexpr Color() = default;
    constexpr explicit Color(std::uint32_t rgb) : value(rgb & 0xFFFFFFu) {}

    constexpr int Red() const { return static_cast<int>((value >> 16) & 0xFF); }
    constexpr int Green() const { return static_cast<int>((value >> 8) & 0xFF); }
    constexpr int Blue() const { return static_cast<int>(value & 0xFF); }

    friend constexpr bool operator==(Color, Color) = default;
};

// Each component is taken modulo 256, as the byte it is stored in.
constexpr Color RGB(int red, int green, int blue) {
    return Color((static_cast<std::uint32_t>(red & 0xFF) << 16) |
                 (static_cast<std::uint32_t>(green & 0xFF) << 8) |
                 static_cast<std::uint32_t>(blue & 0xFF));
}

// Double to Int32: nearest whole number, halves away from zero, saturating at the Int32
// limits; NaN gives 0.
Int32 ToInt32(double value);

// A 64-bit count of 1/10,000 units.
class Currency {
public:
    static constexpr Int64 kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromUnits(Int64 units) {
        Currency c;
        c.m_units = units;
        return c;
    }
    // Rounds to the nearest unit, halves away from zero, saturating at the range; NaN gives 0.
    static Currency FromDouble(double value);

    constexpr Int64 Units() const { return m_units; }
    double ToDouble() const;

    friend constexpr bool operator==(Currency, Currency) = default;

private:
    Int64 m_units = 0;
};

} // namespace fw
