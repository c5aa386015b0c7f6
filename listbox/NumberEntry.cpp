#include "listbox/NumberEntry.h"

#include "framework/core/Text.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t CharLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(length, text.size() - i);
}

// The characters a Format pattern writes as they stand, but blanks and those that mean
// something to ReadNumberEntry.
std::vector<std::string_view> LiteralCharacters(std::string_view pattern) {
    std::vector<std::string_view> literals;
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (std::string_view("#0.,%-+;").find(c) != std::string_view::npos) {
            ++i;
            continue;
        }
        if (c == '\\') {
            if (++i == pattern.size()) {
                break; // a closing "\" stands for nothing
            }
        }
        const std::size_t length = CharLength(pattern, i);
        const std::string_view literal = pattern.substr(i, length);
        if (length > 1 || (!IsBlank(literal[0]) && !IsDigit(literal[0]) &&
                           std::string_view(".+-()").find(literal[0]) == std::string_view::npos)) {
            literals.push_back(literal);
        }
        i += length;
    }
    return literals;
}

bool Fits(double value, NumberRange range) {
    switch (range) {
    case NumberRange::Int32:
        // The Int32 conversion rounds halves away from zero.
        return value > -2147483648.5 && value < 2147483647.5;
    case NumberRange::Currency:
        return value >= -kLargestCurrencyDouble && value <= kLargestCurrencyDouble;
    case NumberRange::Double:
        break;
    }
    return true;
}

} // namespace

std::optional<double> ReadNumberEntry(std::string_view text, std::string_view pattern,
                                      NumberRange range) {
    if (fw::Trim(text).empty()) {
        return 0.0;
    }
    const std::vector<std::string_view> literals = LiteralCharacters(pattern);
    const std::size_t n = text.size();
    std::size_t i = 0;
    bool negative = false;
    bool signSeen = false;
    bool parenthesisSeen = false;
    while (i < n) {
        const char c = text[i];
        if (IsBlank(c)) {
            ++i;
        } else if (c == '(' && !parenthesisSeen) {
            parenthesisSeen = true;
            negative = true;
            ++i;
        } else if ((c == '-' || c == '+') && !signSeen) {
            signSeen = true;
            negative = negative || c == '-';
            ++i;
        } else {
            const std::string_view here = text.substr(i, CharLength(text, i));
            if (std::find(literals.begin(), literals.end(), here) == literals.end()) {
                break;
            }
            i += here.size();
        }
    }

    // The whole digits, without their grouping commas.
    std::string digits;
    while (i < n && IsDigit(text[i])) {
        digits += text[i++];
    }
    auto isDigitAt = [&](std::size_t k) { return k < n && IsDigit(text[k]); };
    if (!digits.empty() && digits.size() <= 3) {
        while (i < n && text[i] == ',' && isDigitAt(i + 1) && isDigitAt(i + 2) &&
               isDigitAt(i + 3) && !isDigitAt(i + 4)) {
            digits.append(text.substr(i + 1, 3));
            i += 4;
        }
    }
    if (digits.empty() && !(i < n && text[i] == '.' && isDigitAt(i + 1))) {
        return std::nullopt;
    }
    std::string number = negative ? "-" : "";
    number += digits;
    number += text.substr(i);
    const double value = fw::Val(number);
    if (!Fits(value, range)) {
        return std::nullopt;
    }
    return value;
}
