#pragma once

#include "framework/core/ClassRegistry.h"
#include "framework/core/Object.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// One entry of a property stream: the name as stored, the byte offset where the entry starts,
// the decoded value and the declared property it selects.
struct PropertyEntry {
    std::string name;
    std::size_t offset;
    PropertyValue value;
    const PropertyInfo* property;
};

// Parses a whole stream for the class classFullName, typing each value by the property the
// registry finds for its name; applies nothing. Raises UnsupportedFormatException as below.
std::vector<PropertyEntry> ReadPropertyStream(std::string_view classFullName,
                                              std::string_view stream);

// Applies a property stream to target: entries of a name, one blank and a value encoded by the
// declared type (Boolean 1 byte, Int32 4 bytes big-endian, Color 3 bytes R G B, String a 4-byte
// big-endian byte count and UTF-8 bytes), in stream order. The end is the stream's byte length.
// A malformed stream raises UnsupportedFormatException naming the property and byte offset,
// after the entries before it were applied; nothing past the end is ever read.
void RuntimeMassPropertySetter(Object& target, std::string_view stream);

// The system's call: hands both on, unchanged, to RuntimeMassPropertySetter.
void _SetProperties(Object& target, std::string_view stream);

} // namespace fw
