// The number patterns (Format, Str), Val and the text functions on any value and any bytes.
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Text.h"
#include "framework/core/Types.h"
#include "fuzz/FuzzInput.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t cp = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

void CheckNumbers(double value, const std::string& pattern) {
    const std::string formatted = fw::Format(value, pattern);
    const std::string str = fw::Str(value, pattern);
    FUZZ_CHECK(formatted == str);
    if (IsValidUtf8(pattern)) {
        FUZZ_CHECK(IsValidUtf8(formatted));
    }
    FUZZ_CHECK(fw::Format(value, "") == fw::Str(value));

    // The plain text reads back to the same number.
    if (std::isfinite(value)) {
        const double back = fw::Val(fw::Str(value));
        FUZZ_CHECK(back == value);
        FUZZ_CHECK(std::signbit(back) == std::signbit(value) || value == 0);
    }

    const fw::Int32 asInt = fw::ToInt32(value);
    if (std::isfinite(value) && std::fabs(value) < 2e9) {
        FUZZ_CHECK(std::fabs(static_cast<double>(asInt) - value) <= 0.5);
    }
    const fw::Currency money = fw::Currency::FromDouble(value);
    if (std::isfinite(value) && std::fabs(value) < 1e14) {
        FUZZ_CHECK(std::fabs(money.ToDouble() - value) <= 0.00005 + std::fabs(value) * 1e-15);
    }

    if (std::isfinite(value) && std::fabs(value) < 1e300) {
        const int decimals = static_cast<int>(pattern.size() % 24);
        const std::string fixed = fw::detail::RoundedFixed(value, decimals);
        const double rounded = fw::Val(fixed);
        FUZZ_CHECK(std::fabs(rounded - value) <=
                   0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(value) * 1e-15);
    }
}

void CheckText(const std::string& text, const std::string& other, fw::Int32 a, fw::Int32 b) {
    const fw::Int32 length = fw::Len(text);
    FUZZ_CHECK(length >= 0 && static_cast<std::size_t>(length) <= text.size());

    const fw::Int32 n = a < 0 ? a : a % (length + 2);
    const std::string left = fw::Left(text, n);
    const std::string right = fw::Right(text, n);
    FUZZ_CHECK(fw::Len(left) == std::clamp(n, 0, length));
    FUZZ_CHECK(fw::Len(right) == std::clamp(n, 0, length));
    if (n >= 0) {
        FUZZ_CHECK(left + fw::Mid(text, n + 1) == text);
        FUZZ_CHECK(fw::Left(text, length - n) + right == text || n > length);
    }
    try {
        const std::string mid = fw::Mid(text, a, b);
        FUZZ_CHECK(fw::Len(mid) <= std::max(b, 0));
        FUZZ_CHECK(a >= 1);
    } catch (const fw::OutOfBoundsException&) {
        FUZZ_CHECK(a < 1);
    }

    try {
        const fw::Int32 at = fw::InStr(a, text, other);
        FUZZ_CHECK(a >= 0);
        FUZZ_CHECK(at >= 0 && at <= length);
        if (at > 0) {
            FUZZ_CHECK(fw::Mid(text, at).compare(0, other.size(), other) == 0);
            FUZZ_CHECK(at >= a);
        }
    } catch (const fw::OutOfBoundsException&) {
        FUZZ_CHECK(a < 0);
    }

    const auto parts = fw::Split(text, other);
    FUZZ_CHECK(fw::Join(parts, other) == text);
    if (!other.empty() && fw::InStr(text, other) == 0) {
        FUZZ_CHECK(parts.size() == (text.empty() ? 0u : 1u));
    }
    const std::string once = fw::Replace(text, other, "");
    const std::string all = fw::ReplaceAll(text, other, "");
    FUZZ_CHECK(once.size() <= text.size() && all.size() <= once.size());
    FUZZ_CHECK(fw::ReplaceAll(text, other, other) == text);

    const std::string trimmed = fw::Trim(text);
    FUZZ_CHECK(fw::Trim(trimmed) == trimmed);
    FUZZ_CHECK(fw::Uppercase(text).size() == text.size());
    FUZZ_CHECK(fw::EqualsIgnoreCase(fw::Uppercase(text), fw::Lowercase(text)));

    const double number = fw::Val(text);
    FUZZ_CHECK(std::isfinite(number));

    try {
        const std::string character = fw::Chr(a);
        FUZZ_CHECK(fw::Len(character) == 1);
        FUZZ_CHECK(IsValidUtf8(character));
    } catch (const fw::OutOfBoundsException&) {
        FUZZ_CHECK(a < 0 || a > 0x10FFFF || (a >= 0xD800 && a <= 0xDFFF));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t mode = input.Byte();
    // Mostly short decimal numbers, which reach the rounding code, sometimes any bit pattern.
    const double value =
        (mode & 1) != 0 ? input.Double()
                        : static_cast<double>(input.Int32()) / std::pow(10.0, input.Byte() % 12);
    const fw::Int32 a = input.SmallInt32();
    const fw::Int32 b = input.SmallInt32();
    const std::string other = input.String(8);
    const std::string text = input.Rest();
    CheckNumbers(value, text);
    CheckText(text, other, a, b);
    return 0;
}
