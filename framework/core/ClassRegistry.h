#pragma once

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/Types.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fw {

// The four stored encodings of a designed property.
enum class PropertyType { Boolean, Int32, Color, String };
using PropertyValue = std::variant<bool, Int32, Color, std::string>;

struct PropertyInfo {
    std::string name;
    PropertyType type;
    std::function<void(Object&, const PropertyValue&)> set;
};

struct ClassInfo {
    std::string fullName;
    std::string parentName; // "" for a root class
    std::vector<PropertyInfo> properties;
};

template <class V> constexpr PropertyType PropertyTypeOf();
template <> constexpr PropertyType PropertyTypeOf<bool>() {
    return PropertyType::Boolean;
}
template <> constexpr PropertyType PropertyTypeOf<Int32>() {
    return PropertyType::Int32;
}
template <> constexpr PropertyType PropertyTypeOf<Color>() {
    return PropertyType::Color;
}
template <> constexpr PropertyType PropertyTypeOf<std::string>() {
    return PropertyType::String;
}

// A declared property of class T whose stored value is a V; set(T&, V) applies it.
template <class T, class V, class F> PropertyInfo Property(std::string name, F set) {
    return PropertyInfo{
        name, PropertyTypeOf<V>(), [set, name](Object& target, const PropertyValue& value) {
            auto* typed = dynamic_cast<T*>(&target);
            if (typed == nullptr) {
                throw IllegalCastException("Property \"" + name + "\" does not belong to a " +
                                           std::string(target.ClassFullName()));
            }
            set(*typed, std::get<V>(value));
        }};
}

// The class tables: each class's full name, parent and declared properties.
class ClassRegistry {
public:
    static ClassRegistry& Instance();

    // Registering a name again replaces its entry.
    void Register(ClassInfo info);
    // Pointers returned stay valid until that class is registered again or Clear() runs.
    const ClassInfo* Find(std::string_view fullName) const;
    // The property of that name, ignoring letter case, declared by the class or an ancestor;
    // the nearest class's declaration wins. nullptr when none declares it.
    const PropertyInfo* FindProperty(std::string_view classFullName,
                                     std::string_view propertyName) const;
    // Whether the class is, or derives from, the class named ancestor. An unregistered class
    // is nothing, not even itself.
    bool IsA(std::string_view classFullName, std::string_view ancestorFullName) const;
    void Clear();

private:
    std::map<std::string, ClassInfo, std::less<>> m_classes;
};

} // namespace fw
