#include "framework/core/ClassRegistry.h"

#include "framework/core/Text.h"

#include <cstddef>

namespace fw {

ClassRegistry& ClassRegistry::Instance() {
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::Register(ClassInfo info) {
    std::string key = info.fullName;
    m_classes.insert_or_assign(std::move(key), std::move(info));
}

const ClassInfo* ClassRegistry::Find(std::string_view fullName) const {
    auto it = m_classes.find(fullName);
    return it == m_classes.end() ? nullptr : &it->second;
}

// A parent chain that loops back on itself (a registration mistake) must not hang a lookup:
// no chain is longer than the number of registered classes.
const PropertyInfo* ClassRegistry::FindProperty(std::string_view classFullName,
                                                std::string_view propertyName) const {
    const ClassInfo* info = Find(classFullName);
    for (std::size_t steps = 0; info != nullptr && steps < m_classes.size(); ++steps) {
        for (const PropertyInfo& property : info->properties) {
            if (EqualsIgnoreCase(property.name, propertyName)) {
                return &property;
            }
        }
        info = info->parentName.empty() ? nullptr : Find(info->parentName);
    }
    return nullptr;
}

bool ClassRegistry::IsA(std::string_view classFullName, std::string_view ancestorFullName) const {
    const ClassInfo* info = Find(classFullName);
    for (std::size_t steps = 0; info != nullptr && steps < m_classes.size(); ++steps) {
        if (info->fullName == ancestorFullName) {
            return true;
        }
        info = info->parentName.empty() ? nullptr : Find(info->parentName);
    }
    return false;
}

void ClassRegistry::Clear() {
    m_classes.clear();
}

} // namespace fw
