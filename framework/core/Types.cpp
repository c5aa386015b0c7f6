#include "framework/core/Types.h"

#include "framework/core/Format.h"

#include <cmath>
#include <limits>

namespace fw {

Int32 ToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // std::round rounds halves away from zero; the range test comes first so the cast below
    // never sees a value outside Int32.
    const double rounded = std::round(value);
    if (rounded >= static_cast<double>(std::numeric_limits<Int32>::max())) {
        return std::numeric_limits<Int32>::max();
    }
    if (rounded <= static_cast<double>(std::numeric_limits<Int32>::min())) {
        return std::numeric_limits<Int32>::min();
    }
    return static_cast<Int32>(rounded);
}

Currency Currency::FromDouble(double value) {
    if (std::isnan(value)) {
        return {};
    }
    constexpr Int64 maxUnits = std::numeric_limits<Int64>::max();
    constexpr Int64 minUnits = std::numeric_limits<Int64>::min();
    // Far enough beyond the range (about 9.22e14) that the digits below cannot overflow.
    if (value >= 1e15) {
        return FromUnits(maxUnits);
    }
    if (value <= -1e15) {
        return FromUnits(minUnits);
    }
    // Round the decimal value the user sees (1.00005 is 1.0001), not its binary neighbour.
    const std::string digits = detail::RoundedFixed(value, 4);
    std::uint64_t magnitude = 0; // at most 19 digits: fits
    bool negative = false;
    for (char c : digits) {
        if (c == '-') {
            negative = true;
        } else if (c >= '0' && c <= '9') {
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    if (!negative) {
        return FromUnits(magnitude > static_cast<std::uint64_t>(maxUnits)
                             ? maxUnits
                             : static_cast<Int64>(magnitude));
    }
    const std::uint64_t minMagnitude = static_cast<std::uint64_t>(maxUnits) + 1;
    if (magnitude >= minMagnitude) {
        return FromUnits(minUnits);
    }
    return FromUnits(-static_cast<Int64>(magnitude));
}

double Currency::ToDouble() const {
    // Below 2^53 the count is exact as a double and one division rounds once; above, the
    // whole part alone would already lose digits, so it is split first.
    constexpr Int64 exact = Int64{1} << 53;
    if (m_units >= -exact && m_units <= exact) {
        return static_cast<double>(m_units) / static_cast<double>(kScale);
    }
    const Int64 whole = m_units / kScale;
    const Int64 frac = m_units % kScale;
    return static_cast<double>(whole) + static_cast<double>(frac) / static_cast<double>(kScale);
}

} // namespace fw
