#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

// Takes typed values off the front of a fuzzer's input; once the input runs out every value
// is zero or empty, so a short input is still a whole (shorter) run.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_data(reinterpret_cast<const char*>(data)), m_size(size) {}

    bool Empty() const { return m_pos >= m_size; }
    std::size_t Remaining() const { return m_size - m_pos; }

    std::uint8_t Byte() { return Empty() ? 0 : static_cast<std::uint8_t>(m_data[m_pos++]); }

    bool Bool() { return (Byte() & 1) != 0; }

    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8) | Byte();
        }
        return static_cast<std::int32_t>(value);
    }

    // Mostly small values, which reach the interesting code, sometimes any Int32.
    std::int32_t SmallInt32() {
        const std::uint8_t kind = Byte();
        if (kind < 0xF0) {
            return static_cast<std::int32_t>(kind) - 8;
        }
        return Int32();
    }

    // Any bit pattern: NaNs, infinities and denormals included.
    double Double() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits = (bits << 8) | Byte();
        }
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A text of at most maxLength bytes, its length taken from the input.
    std::string String(std::size_t maxLength = 64) {
        const std::size_t length = std::min<std::size_t>(Byte(), maxLength);
        return Bytes(length);
    }

    std::string Bytes(std::size_t count) {
        count = std::min(count, Remaining());
        std::string text(m_data + m_pos, count);
        m_pos += count;
        return text;
    }

    std::string Rest() { return Bytes(Remaining()); }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// A broken property of the code under test: stops the run loudly in a fuzzer and in a replay.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            FuzzCheckFailed(#condition, __FILE__, __LINE__);                                       \
        }                                                                                          \
    } while (false)

[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file, int line);
