#include "framework/core/PropertyStream.h"

#include "framework/core/Exceptions.h"

#include <cstdint>
#include <utility>

namespace fw {

namespace {

std::string HexByte(unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[byte >> 4], kHex[byte & 0x0F]};
}

// A name from a garbage stream may hold any byte and run long; keep messages printable.
std::string Printable(std::string_view bytes) {
    constexpr std::size_t kMaxShown = 40;
    std::string out;
    for (std::size_t i = 0; i < bytes.size() && i < kMaxShown; ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
            out += static_cast<char>(byte);
        } else {
            out += "\\x" + HexByte(byte);
        }
    }
    if (bytes.size() > kMaxShown) {
        out += "...";
    }
    return out;
}

// Reads one entry at a time so that a caller can apply each before the next is parsed.
class StreamReader {
public:
    StreamReader(std::string_view classFullName, std::string_view stream)
        : m_className(classFullName), m_stream(stream) {
        if (ClassRegistry::Instance().Find(classFullName) == nullptr) {
            Fail(0, "the class is not registered");
        }
    }

    bool AtEnd() const { return m_pos >= m_stream.size(); }

    PropertyEntry Next() {
        const std::size_t start = m_pos;
        const std::size_t blank = m_stream.find(' ', start);
        if (blank == std::string_view::npos) {
            Fail(start, "the name \"" + Printable(m_stream.substr(start)) +
                            "\" is not followed by a blank before the end of the stream");
        }
        PropertyEntry entry{std::string(m_stream.substr(start, blank - start)), start, {}, nullptr};
        entry.property = ClassRegistry::Instance().FindProperty(m_className, entry.name);
        if (entry.property == nullptr) {
            Fail(start, "no property \"" + Printable(entry.name) + "\" is declared by " +
                            m_className + " or its ancestors");
        }
        m_pos = blank + 1;
        entry.value = ReadValue(entry);
        return entry;
    }

private:
    [[noreturn]] void Fail(std::size_t offset, const std::string& what) const {
        throw UnsupportedFormatException("Property stream for " + m_className + ", entry at byte " +
                                         std::to_string(offset) + ": " + what);
    }

    std::string_view Take(const PropertyEntry& entry, std::size_t count, const char* what) {
        const std::size_t remaining = m_stream.size() - m_pos;
        if (count > remaining) {
            Fail(entry.offset, "the " + std::string(what) + " of property \"" + entry.name +
                                   "\" at byte " + std::to_string(m_pos) + " needs " +
                                   std::to_string(count) + " bytes but " +
                                   std::to_string(remaining) + " remain");
        }
        std::string_view bytes = m_stream.substr(m_pos, count);
        m_pos += count;
        return bytes;
    }

    static std::uint32_t BigEndian32(std::string_view bytes) {
        std::uint32_t value = 0;
        for (char c : bytes) {
            value = (value << 8) | static_cast<unsigned char>(c);
        }
        return value;
    }

    PropertyValue ReadValue(const PropertyEntry& entry) {
        const PropertyType type = entry.property->type;
        switch (type) {
        case PropertyType::Boolean: {
            const std::size_t at = m_pos;
            auto byte = static_cast<unsigned char>(Take(entry, 1, "Boolean value")[0]);
            if (byte > 1) {
                Fail(entry.offset, "the Boolean value of property \"" + entry.name + "\" at byte " +
                                       std::to_string(at) + " is " + HexByte(byte) +
                                       ", not 00 or 01");
            }
            return byte == 1;
        }
        case PropertyType::Int32:
            // Modular conversion (well defined since C++20) gives the two's complement value.
            return static_cast<Int32>(BigEndian32(Take(entry, 4, "Int32 value")));
        case PropertyType::Color: {
            std::string_view rgb = Take(entry, 3, "Color value");
            return RGB(static_cast<unsigned char>(rgb[0]), static_cast<unsigned char>(rgb[1]),
                       static_cast<unsigned char>(rgb[2]));
        }
        case PropertyType::String: {
            const std::size_t at = m_pos;
            const std::uint32_t length = BigEndian32(Take(entry, 4, "String length"));
            if (length > 0x7FFFFFFFu) {
                Fail(entry.offset, "the String length of property \"" + entry.name + "\" at byte " +
                                       std::to_string(at) + " is negative (" +
                                       std::to_string(static_cast<Int32>(length)) + ")");
            }
            return std::string(Take(entry, length, "String text"));
        }
        }
        Fail(entry.offset, "property \"" + entry.name + "\" has an unreadable type " +
                               std::to_string(static_cast<int>(type)));
    }

    std::string m_className;
    std::string_view m_stream;
    std::size_t m_pos = 0;
};

} // namespace

std::vector<PropertyEntry> ReadPropertyStream(std::string_view classFullName,
                                              std::string_view stream) {
    StreamReader reader(classFullName, stream);
    std::vector<PropertyEntry> entries;
    while (!reader.AtEnd()) {
        entries.push_back(reader.Next());
    }
    return entries;
}

void RuntimeMassPropertySetter(Object& target, std::string_view stream) {
    StreamReader reader(target.ClassFullName(), stream);
    while (!reader.AtEnd()) {
        PropertyEntry entry = reader.Next();
        if (!entry.property->set) {
            throw UnsupportedFormatException("Property \"" + entry.property->name + "\" of " +
                                             std::string(target.ClassFullName()) +
                                             " has no setter");
        }
        entry.property->set(target, entry.value);
    }
}

void _SetProperties(Object& target, std::string_view stream) {
    RuntimeMassPropertySetter(target, stream);
}

} // namespace fw
