#include "framework/core/Text.h"

#include "framework/core/Exceptions.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace fw {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Byte length of the character starting at text[i]. A malformed sequence counts as one
// character per byte, so every text has a well-defined length and no function reads past
// its end.
std::size_t CharLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return 1;
    }
    if (i + length > text.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) {
            return 1;
        }
    }
    // Overlong forms, surrogates and code points beyond U+10FFFF are malformed too.
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
        return 1;
    }
    return length;
}

// Byte offset of the character with 0-based index `index`, or text.size() when the text has
// fewer characters.
std::size_t ByteOffset(std::string_view text, Int64 index) {
    std::size_t offset = 0;
    while (index > 0 && offset < text.size()) {
        offset += CharLength(text, offset);
        --index;
    }
    return offset;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Byte offset of the first occurrence of find that starts on a character boundary at or after
// byte `from`, or npos.
std::size_t FindAtBoundary(std::string_view text, std::string_view find, std::size_t from) {
    if (find.empty()) {
        return std::string_view::npos;
    }
    for (std::size_t i = from; i < text.size(); i += CharLength(text, i)) {
        if (text.size() - i >= find.size() &&
            std::memcmp(text.data() + i, find.data(), find.size()) == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

Int32 CharIndexOfByte(std::string_view text, std::size_t byteOffset) {
    Int32 index = 0;
    for (std::size_t i = 0; i < byteOffset; i += CharLength(text, i)) {
        ++index;
    }
    return index;
}

} // namespace

Int32 Len(std::string_view text) {
    Int32 count = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        ++count;
    }
    return count;
}

std::string Left(std::string_view text, Int32 count) {
    if (count <= 0) {
        return {};
    }
    return std::string(text.substr(0, ByteOffset(text, count)));
}

std::string Right(std::string_view text, Int32 count) {
    if (count <= 0) {
        return {};
    }
    const Int32 length = Len(text);
    if (count >= length) {
        return std::string(text);
    }
    return std::string(text.substr(ByteOffset(text, length - count)));
}

std::string Mid(std::string_view text, Int32 start) {
    if (start < 1) {
        throw OutOfBoundsException("Mid: start " + std::to_string(start) +
                                   " is before the first character");
    }
    return std::string(text.substr(ByteOffset(text, Int64{start} - 1)));
}

std::string Mid(std::string_view text, Int32 start, Int32 length) {
    if (start < 1) {
        throw OutOfBoundsException("Mid: start " + std::to_string(start) +
                                   " is before the first character");
    }
    if (length <= 0) {
        return {};
    }
    const std::size_t from = ByteOffset(text, Int64{start} - 1);
    const std::string_view rest = text.substr(from);
    return std::string(rest.substr(0, ByteOffset(rest, length)));
}

Int32 InStr(std::string_view text, std::string_view find) {
    return InStr(1, text, find);
}

Int32 InStr(Int32 start, std::string_view text, std::string_view find) {
    if (start < 0) {
        throw OutOfBoundsException("InStr: start " + std::to_string(start) +
                                   " is before the first character");
    }
    const std::size_t from = ByteOffset(text, start <= 1 ? 0 : Int64{start} - 1);
    const std::size_t at = FindAtBoundary(text, find, from);
    if (at == std::string_view::npos) {
        return 0;
    }
    return CharIndexOfByte(text, at) + 1;
}

std::string Replace(std::string_view text, std::string_view find, std::string_view with) {
    const std::size_t at = FindAtBoundary(text, find, 0);
    if (at == std::string_view::npos) {
        return std::string(text);
    }
    std::string result(text.substr(0, at));
    result += with;
    result += text.substr(at + find.size());
    return result;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
    std::string result;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = FindAtBoundary(text, find, from);
        if (at == std::string_view::npos) {
            break;
        }
        result += text.substr(from, at - from);
        result += with;
        from = at + find.size();
    }
    result += text.substr(from);
    return result;
}

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

std::string Uppercase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = AsciiUpper(c);
    }
    return result;
}

std::string Lowercase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = AsciiLower(c);
    }
    return result;
}

std::string Chr(Int32 codePoint) {
    if (codePoint < 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        throw OutOfBoundsException("Chr: " + std::to_string(codePoint) + " is no character");
    }
    const auto cp = static_cast<std::uint32_t>(codePoint);
    std::string result;
    if (cp < 0x80) {
        result += static_cast<char>(cp);
    } else if (cp < 0x800) {
        result += static_cast<char>(0xC0 | (cp >> 6));
        result += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        result += static_cast<char>(0xE0 | (cp >> 12));
        result += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        result += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        result += static_cast<char>(0xF0 | (cp >> 18));
        result += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        result += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        result += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return result;
}

std::vector<std::string> Split(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> parts;
    if (text.empty()) {
        return parts;
    }
    if (delimiter.empty()) {
        parts.emplace_back(text);
        return parts;
    }
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = FindAtBoundary(text, delimiter, from);
        if (at == std::string_view::npos) {
            break;
        }
        parts.emplace_back(text.substr(from, at - from));
        from = at + delimiter.size();
    }
    parts.emplace_back(text.substr(from));
    return parts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view delimiter) {
    std::string result;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            result += delimiter;
        }
        result += parts[i];
    }
    return result;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

double Val(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    auto isDigit = [&](std::size_t k) {
        return k < text.size() && text[k] >= '0' && text[k] <= '9';
    };

    // The digits of the mantissa, without the point, and the power of ten of its first digit.
    std::string mantissa;
    Int64 intDigits = 0;
    while (isDigit(i)) {
        mantissa += text[i++];
        ++intDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (isDigit(i)) {
            mantissa += text[i++];
        }
    }
    if (mantissa.empty()) {
        return 0.0;
    }
    Int64 exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t k = i + 1;
        bool expNegative = false;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) {
            expNegative = text[k] == '-';
            ++k;
        }
        if (isDigit(k)) {
            // Saturate far beyond any double so a huge exponent cannot overflow the counter.
            while (isDigit(k)) {
                if (exponent < 1'000'000) {
                    exponent = exponent * 10 + (text[k] - '0');
                }
                ++k;
            }
            if (expNegative) {
                exponent = -exponent;
            }
        }
    }

    const std::size_t firstNonZero = mantissa.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        return negative ? -0.0 : 0.0;
    }
    // The number is 0.<significant digits> x 10^magnitude.
    const Int64 magnitude = intDigits - static_cast<Int64>(firstNonZero) + exponent;
    if (magnitude > DBL_MAX_10_EXP + 1) {
        return negative ? -DBL_MAX : DBL_MAX;
    }
    if (magnitude < DBL_MIN_10_EXP - DBL_DIG - 2) {
        return negative ? -0.0 : 0.0;
    }
    const std::string normal =
        "0." + mantissa.substr(firstNonZero) + "e" + std::to_string(magnitude);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        value = magnitude > 0 ? DBL_MAX : 0.0;
    } else if (std::isinf(value)) {
        value = DBL_MAX;
    }
    return negative ? -value : value;
}

} // namespace fw
