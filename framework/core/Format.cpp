#include "framework/core/Format.h"

#include "framework/core/RecentCompilations.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

namespace fw {

namespace {

// Decimal digits in place: a Double's shortest text has at most 17, and rounding adds at most
// one.
class Digits {
public:
    bool empty() const { return m_size == 0; }
    std::size_t size() const { return m_size; }
    char back() const { return m_data[m_size - 1]; }
    void pop_back() { --m_size; }
    void clear() { m_size = 0; }
    void operator+=(char c) {
        if (m_size < kCapacity) {
            m_data[m_size++] = c;
        }
    }
    void shrink(std::size_t size) {
        m_size = static_cast<unsigned char>(std::min<std::size_t>(size, m_size));
    }
    void push_front(char c) {
        if (m_size < kCapacity) {
            std::memmove(m_data + 1, m_data, m_size);
            m_data[0] = c;
            ++m_size;
        }
    }
    char& operator[](std::size_t i) { return m_data[i]; }
    char operator[](std::size_t i) const { return m_data[i]; }
    std::string_view view() const { return std::string_view(m_data, m_size); }

private:
    static constexpr std::size_t kCapacity = 24;
    char m_data[kCapacity];
    unsigned char m_size = 0;
};

// A finite number as 0.<digits> x 10^exponent; digits has no leading or trailing zeros and is
// empty for zero.
struct Decimal {
    bool negative = false;
    Digits digits;
    int exponent = 0;

    bool IsZero() const { return digits.empty(); }
};

void StripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    if (d.digits.empty()) {
        d.exponent = 0;
    }
}

// The shortest decimal that reads back to value: what the user typed or sees, which is what
// rounding must work on.
Decimal ToDecimal(double value) {
    Decimal d;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] != '.') {
            d.digits += text[i];
        }
    }
    int exp10 = 0;
    if (i < text.size()) {
        std::size_t k = i + 1;
        if (k < text.size() && text[k] == '+') {
            ++k;
        }
        std::from_chars(text.data() + k, text.data() + text.size(), exp10);
    }
    // d.ddd e X is 0.dddd e X+1.
    d.exponent = exp10 + 1;
    const std::size_t firstNonZero = d.digits.view().find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        d.digits.clear();
        d.exponent = 0;
        return d;
    }
    StripTrailingZeros(d);
    return d;
}

// Rounds the magnitude half away from zero to `fraction` places after the point.
void RoundToFraction(Decimal& d, int fraction) {
    if (d.IsZero()) {
        return;
    }
    const long keep = static_cast<long>(d.exponent) + fraction;
    if (keep >= static_cast<long>(d.digits.size())) {
        return;
    }
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.shrink(static_cast<std::size_t>(keep));
    if (up) {
        long i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.push_front('1');
            ++d.exponent;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    StripTrailingZeros(d);
}

// The digits before the point, without leading zeros ("" for a magnitude below 1).
std::string IntegerDigits(const Decimal& d) {
    if (d.IsZero() || d.exponent <= 0) {
        return {};
    }
    const auto count = static_cast<std::size_t>(d.exponent);
    std::string result(d.digits.view().substr(0, count));
    result.append(count - result.size(), '0');
    return result;
}

// The first `count` digits after the point.
std::string FractionDigits(const Decimal& d, int count) {
    std::string result;
    for (int p = 0; p < count; ++p) {
        const long index = static_cast<long>(d.exponent) + p;
        result += (index >= 0 && index < static_cast<long>(d.digits.size()))
                      ? d.digits[static_cast<std::size_t>(index)]
                      : '0';
    }
    return result;
}

enum class Mode { Format, Str };

enum class TokenKind { Hash, Zero, Point, Percent, Minus, Plus, Literal };

struct Token {
    TokenKind kind;
    std::string text; // Literal only
};

struct Section {
    std::vector<Token> tokens;
    bool grouping = false;
    int percent = 0;
    int integerPlaceholders = 0;
    int minIntegerDigits = 0; // from the leftmost integer "0" on
    int fractionPlaceholders = 0;
    int minFractionDigits = 0; // up to the rightmost fraction "0"
    bool hasSign = false;      // a "-" or "+" stands in it
    bool empty = true;         // nothing at all was written in it

    bool HasDigits() const { return integerPlaceholders + fractionPlaceholders > 0; }
};

std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    return std::min(length, text.size() - i);
}

std::vector<Section> ParseSections(std::string_view pattern) {
    std::vector<Section> sections(1);
    bool afterPoint = false;
    auto literal = [&](std::string_view text) {
        Section& s = sections.back();
        if (!s.tokens.empty() && s.tokens.back().kind == TokenKind::Literal) {
            s.tokens.back().text += text;
        } else {
            s.tokens.push_back({TokenKind::Literal, std::string(text)});
        }
    };
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        Section& s = sections.back();
        if (c == ';') {
            sections.emplace_back();
            afterPoint = false;
            ++i;
            continue;
        }
        s.empty = false;
        if (c == '\\') {
            ++i;
            if (i < pattern.size()) {
                const std::size_t length = Utf8Length(pattern, i);
                literal(pattern.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '#':
        case '0':
            if (afterPoint) {
                ++s.fractionPlaceholders;
                if (c == '0') {
                    s.minFractionDigits = s.fractionPlaceholders;
                }
            } else {
                ++s.integerPlaceholders;
                if (c == '0' && s.minIntegerDigits == 0) {
                    s.minIntegerDigits = -s.integerPlaceholders; // position, fixed below
                }
            }
            s.tokens.push_back({c == '#' ? TokenKind::Hash : TokenKind::Zero, {}});
            break;
        case '.':
            if (afterPoint) {
                literal(".");
            } else {
                afterPoint = true;
                s.tokens.push_back({TokenKind::Point, {}});
            }
            break;
        case ',':
            s.grouping = true;
            break;
        case '%':
            ++s.percent;
            s.tokens.push_back({TokenKind::Percent, {}});
            break;
        case '-':
            s.hasSign = true;
            s.tokens.push_back({TokenKind::Minus, {}});
            break;
        case '+':
            s.hasSign = true;
            s.tokens.push_back({TokenKind::Plus, {}});
            break;
        default: {
            const std::size_t length = Utf8Length(pattern, i);
            literal(pattern.substr(i, length));
            i += length;
            continue;
        }
        }
        ++i;
    }
    for (Section& s : sections) {
        // The leftmost integer "0" at position p (1-based) pads to the digits from p on.
        if (s.minIntegerDigits < 0) {
            s.minIntegerDigits = s.integerPlaceholders + s.minIntegerDigits + 1;
        }
    }
    return sections;
}

// The parsed sections of the last few patterns, per thread: the same few patterns format value
// after value. A reference stays good until the next call.
const std::vector<Section>& SectionsOf(std::string_view pattern) {
    thread_local RecentCompilations<std::vector<Section>, 16> kept;
    return kept.Of(pattern, [&] { return ParseSections(pattern); });
}

// Writes the magnitude of d (already rounded) by section s. sign is the text a "-" stands for;
// autoSign is placed before the first digit when the section has no sign of its own.
std::string Render(const Section& s, const Decimal& d, bool negative, bool autoSign, Mode mode) {
    const char pointChar = '.';
    const char groupChar = ',';
    (void)mode; // both modes write the same separators today

    std::string integer = IntegerDigits(d);
    const std::size_t minDigits =
        static_cast<std::size_t>(std::max(s.minIntegerDigits, s.HasDigits() ? 1 : 0));
    if (integer.size() < minDigits) {
        integer.insert(0, minDigits - integer.size(), '0');
    }
    std::string fraction = FractionDigits(d, s.fractionPlaceholders);
    std::size_t shownFraction = fraction.size();
    while (shownFraction > static_cast<std::size_t>(s.minFractionDigits) &&
           fraction[shownFraction - 1] == '0') {
        --shownFraction;
    }

    std::string out;
    bool signWritten = false;
    auto writeAutoSign = [&] {
        if (autoSign && !signWritten) {
            out += '-';
            signWritten = true;
        }
    };
    auto writeIntegerDigits = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            writeAutoSign();
            out += integer[i];
            const std::size_t fromRight = integer.size() - 1 - i;
            if (s.grouping && fromRight > 0 && fromRight % 3 == 0) {
                out += groupChar;
            }
        }
    };

    // Integer placeholder j (0-based) shows digit j + offset; the first one also shows every
    // digit beyond the placeholders.
    const long offset =
        static_cast<long>(integer.size()) - static_cast<long>(s.integerPlaceholders);
    int integerSeen = 0;
    int fractionSeen = 0;
    bool integerDone = s.integerPlaceholders > 0 ? false : !s.HasDigits();
    for (const Token& t : s.tokens) {
        switch (t.kind) {
        case TokenKind::Hash:
        case TokenKind::Zero:
            if (!integerDone) {
                const long index = offset + integerSeen;
                if (integerSeen == 0 && offset > 0) {
                    writeIntegerDigits(0, static_cast<std::size_t>(offset) + 1);
                } else if (index >= 0) {
                    writeIntegerDigits(static_cast<std::size_t>(index),
                                       static_cast<std::size_t>(index) + 1);
                }
                if (++integerSeen == s.integerPlaceholders) {
                    integerDone = true;
                }
            } else {
                if (static_cast<std::size_t>(fractionSeen) < shownFraction) {
                    out += fraction[static_cast<std::size_t>(fractionSeen)];
                }
                ++fractionSeen;
            }
            break;
        case TokenKind::Point:
            if (!integerDone) {
                // Only fraction placeholders: the integer digits stand before the point.
                writeIntegerDigits(0, integer.size());
                integerDone = true;
            }
            if (shownFraction > 0) {
                out += pointChar;
            }
            break;
        case TokenKind::Percent:
            out += '%';
            break;
        case TokenKind::Minus:
            if (negative) {
                out += '-';
            }
            break;
        case TokenKind::Plus:
            out += negative ? '-' : '+';
            break;
        case TokenKind::Literal:
            out += t.text;
            break;
        }
    }
    if (autoSign && !signWritten) {
        out.insert(0, 1, '-');
    }
    return out;
}

std::string PlainText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatEngine(double value, std::string_view pattern, Mode mode) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Infinity" : "-Infinity";
    }
    if (pattern.empty()) {
        return PlainText(value == 0 ? 0.0 : value);
    }
    const std::vector<Section>& sections = SectionsOf(pattern);
    auto pick = [&](std::size_t index) -> const Section& {
        return (index < sections.size() && !sections[index].empty) ? sections[index] : sections[0];
    };
    auto hasOwn = [&](std::size_t index) {
        return index < sections.size() && !sections[index].empty;
    };
    auto scaled = [](Decimal d, const Section& s) {
        if (!d.IsZero()) {
            d.exponent += 2 * s.percent;
        }
        RoundToFraction(d, s.fractionPlaceholders);
        return d;
    };

    const Decimal raw = ToDecimal(value);
    if (!raw.IsZero()) {
        const bool negative = raw.negative;
        const bool ownNegative = negative && hasOwn(1);
        const Section& s = pick(negative ? 1 : 0);
        const Decimal d = scaled(raw, s);
        if (!d.IsZero()) {
            // A section of its own shows the sign only where it has one; the first section
            // standing for both shows a negative number's minus before its first digit.
            const bool autoSign = negative && !ownNegative && !s.hasSign;
            return Render(s, d, negative, autoSign, mode);
        }
    }
    const Section& zero = pick(2);
    return Render(zero, Decimal{}, false, false, mode);
}

} // namespace

std::string Format(double value, std::string_view pattern) {
    return FormatEngine(value, pattern, Mode::Format);
}

std::string Str(double value, std::string_view pattern) {
    return FormatEngine(value, pattern, Mode::Str);
}

std::string Str(Int32 value) {
    return std::to_string(value);
}

std::string Str(double value) {
    return FormatEngine(value, {}, Mode::Str);
}

namespace detail {

std::string RoundedFixed(double value, int decimals) {
    Decimal d = ToDecimal(value);
    RoundToFraction(d, decimals);
    std::string integer = IntegerDigits(d);
    if (integer.empty()) {
        integer = "0";
    }
    std::string out = (d.negative && !d.IsZero()) ? "-" : "";
    out += integer;
    if (decimals > 0) {
        out += '.';
        out += FractionDigits(d, decimals);
    }
    return out;
}

} // namespace detail

} // namespace fw
