#include "framework/ui/PluginEntryPoints.h"

#include "framework/ui/BevelButton.h"

#include <algorithm>
#include <string>

namespace fw {

namespace {

PluginEntryPointTable g_table{};
bool g_filled = false;

const char* KindName(PluginEntryPoint::Kind kind) {
    return kind == PluginEntryPoint::Kind::Getter ? "getter" : "setter";
}

void Append(std::size_t& next, std::span<const PluginEntryPoint> entries) {
    if (entries.size() > g_table.size() - next) {
        throw RuntimeException("The plug-in entry-point table has room for " +
                               std::to_string(g_table.size()) + " entries only");
    }
    std::copy(entries.begin(), entries.end(), g_table.begin() + static_cast<long>(next));
    next += entries.size();
}

} // namespace

void PluginEntryPoint::Check(Kind wanted, EntryPointType wantedType) const {
    if (function == nullptr || kind != wanted || type != wantedType) {
        throw RuntimeException("The plug-in entry point \"" + std::string(name) + "\" is not a " +
                               KindName(wanted) + " of the value type asked for");
    }
}

void InitPluginEntrypointTable() {
    if (g_filled) {
        return;
    }
    std::size_t next = 0;
    Append(next, BevelButton::_PluginEntryPoints());
    g_filled = true;
    BevelButton::_ResolvePluginEntryPoints();
}

const PluginEntryPoint& LookupPluginEntryPoint(std::string_view name) {
    InitPluginEntrypointTable();
    for (const PluginEntryPoint& entry : g_table) {
        if (!entry.IsEmpty() && entry.name == name) {
            return entry;
        }
    }
    throw RuntimeException("There is no plug-in entry point named \"" + std::string(name) + "\"");
}

const PluginEntryPointTable& PluginEntryPoints() {
    InitPluginEntrypointTable();
    return g_table;
}

} // namespace fw
