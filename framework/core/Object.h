#pragma once

#include <string_view>

namespace fw {

// Root of the framework's class tree. ClassFullName() is the name under which the class is
// registered with the class registry ("Listbox", "wCal.wCal").
class Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    virtual std::string_view ClassFullName() const { return "Object"; }
};

} // namespace fw
