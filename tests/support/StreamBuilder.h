#pragma once

#include "framework/core/Types.h"

#include <cstdint>
#include <string>

namespace support {

// Builds a property stream in its stored encoding: each entry its name and one blank, then
// the value (a Boolean one byte, an Int32 four bytes big-endian, a colour its red, green and
// blue bytes, a string its length as an Int32 and then its bytes).
class StreamBuilder {
public:
    StreamBuilder& Bool(const std::string& name, bool value) {
        Name(name);
        m_bytes += static_cast<char>(value ? 1 : 0);
        return *this;
    }
    StreamBuilder& Int(const std::string& name, fw::Int32 value) {
        Name(name);
        BigEndian(static_cast<std::uint32_t>(value));
        return *this;
    }
    StreamBuilder& Rgb(const std::string& name, fw::Color value) {
        Name(name);
        m_bytes += static_cast<char>(value.Red());
        m_bytes += static_cast<char>(value.Green());
        m_bytes += static_cast<char>(value.Blue());
        return *this;
    }
    StreamBuilder& Str(const std::string& name, const std::string& value) {
        Name(name);
        BigEndian(static_cast<std::uint32_t>(value.size()));
        m_bytes += value;
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    void Name(const std::string& name) { m_bytes += name + ' '; }
    void BigEndian(std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            m_bytes += static_cast<char>((v >> shift) & 0xFF);
        }
    }
    std::string m_bytes;
};

} // namespace support
