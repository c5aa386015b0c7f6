#pragma once

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/Types.h"
#include "framework/ui/RectControl.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace fw {

class Picture;

// The value types an entry point passes. Each entry records its own, so a call through a
// mismatched type is refused instead of jumping through a wrongly typed pointer.
enum class EntryPointType : std::uint8_t {
    Boolean,
    Int32,
    Double,
    Color,
    String,
    FontUnits,
    Picture
};

template <class V> constexpr EntryPointType EntryPointTypeOf();
template <> constexpr EntryPointType EntryPointTypeOf<bool>() {
    return EntryPointType::Boolean;
}
template <> constexpr EntryPointType EntryPointTypeOf<Int32>() {
    return EntryPointType::Int32;
}
template <> constexpr EntryPointType EntryPointTypeOf<double>() {
    return EntryPointType::Double;
}
template <> constexpr EntryPointType EntryPointTypeOf<Color>() {
    return EntryPointType::Color;
}
template <> constexpr EntryPointType EntryPointTypeOf<std::string>() {
    return EntryPointType::String;
}
template <> constexpr EntryPointType EntryPointTypeOf<FontUnits>() {
    return EntryPointType::FontUnits;
}
template <> constexpr EntryPointType EntryPointTypeOf<std::shared_ptr<Picture>>() {
    return EntryPointType::Picture;
}

// One entry of the plug-in table: a property accessor of a plug-in control, named
// "<Class>.<Property>.Get" or "<Class>.<Property>.Set". The function pointer is stored
// type-erased; Get/Set check the recorded kind and value type before calling it.
struct PluginEntryPoint {
    enum class Kind : std::uint8_t { Getter, Setter };

    std::string_view name;
    Kind kind = Kind::Getter;
    EntryPointType type = EntryPointType::Int32;
    // A getter is V (*)(const Object&), a setter void (*)(Object&, const V&).
    void (*function)() = nullptr;

    bool IsEmpty() const { return function == nullptr; }

    template <class V> V Get(const Object& target) const {
        Check(Kind::Getter, EntryPointTypeOf<V>());
        return reinterpret_cast<V (*)(const Object&)>(function)(target);
    }
    template <class V> void Set(Object& target, const V& value) const {
        Check(Kind::Setter, EntryPointTypeOf<V>());
        reinterpret_cast<void (*)(Object&, const V&)>(function)(target, value);
    }

    template <class V>
    static PluginEntryPoint Getter(std::string_view name, V (*get)(const Object&)) {
        return {name, Kind::Getter, EntryPointTypeOf<V>(), reinterpret_cast<void (*)()>(get)};
    }
    template <class V>
    static PluginEntryPoint Setter(std::string_view name, void (*set)(Object&, const V&)) {
        return {name, Kind::Setter, EntryPointTypeOf<V>(), reinterpret_cast<void (*)()>(set)};
    }

private:
    void Check(Kind wanted, EntryPointType wantedType) const;
};

// The table has room for this many entries; the plug-in controls fill it from the start.
inline constexpr std::size_t kPluginEntryPointCount = 70;
using PluginEntryPointTable = std::array<PluginEntryPoint, kPluginEntryPointCount>;

// Fills the table with every plug-in control's entries and resolves each control's entries by
// name. Called by the runtime's _InitPluginEntrypoints; calling it again changes nothing.
void InitPluginEntrypointTable();

// The entry of that name ("BevelButton.Icon.Set"); RuntimeException for a name not in the
// table. Fills the table first if nobody has yet.
const PluginEntryPoint& LookupPluginEntryPoint(std::string_view name);

// The whole table (entries past the filled ones are empty).
const PluginEntryPointTable& PluginEntryPoints();

} // namespace fw
