// The property-stream reader and the mass property setter on any bytes: a stream is either
// read whole or refused with UnsupportedFormatException; what is read encodes back to the
// very bytes; the setter applies exactly what the reader reads, in order, and on a refusal
// exactly the entries before the bad one.
#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/core/PropertyStream.h"
#include "framework/core/Text.h"
#include "fuzz/FuzzInput.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Applied {
    std::string name;
    fw::PropertyValue value;
};

struct FuzzBase : fw::Object {
    std::string_view ClassFullName() const override { return "FuzzBase"; }
    std::vector<Applied> applied;
};

struct FuzzDerived : FuzzBase {
    std::string_view ClassFullName() const override { return "FuzzDerived"; }
};

template <class V> fw::PropertyInfo Recorded(const char* name) {
    return fw::Property<FuzzBase, V>(name, [name](FuzzBase& target, V value) {
        target.applied.push_back({name, fw::PropertyValue(std::move(value))});
    });
}

void RegisterClasses() {
    auto& registry = fw::ClassRegistry::Instance();
    registry.Register(
        fw::ClassInfo{"FuzzBase",
                      "",
                      {Recorded<bool>("Visible"), Recorded<fw::Int32>("Left"),
                       Recorded<fw::Color>("BackColor"), Recorded<std::string>("Caption")}});
    // Left again, as another type: the nearest declaration wins.
    registry.Register(fw::ClassInfo{
        "FuzzDerived",
        "FuzzBase",
        {Recorded<std::string>("left"), Recorded<fw::Int32>("Index"), Recorded<bool>("Enabled")}});
}

void Append32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

std::string Encode(const std::string& name, const fw::PropertyValue& value) {
    std::string out = name + ' ';
    if (const bool* b = std::get_if<bool>(&value)) {
        out += static_cast<char>(*b ? 1 : 0);
    } else if (const fw::Int32* i = std::get_if<fw::Int32>(&value)) {
        Append32(out, static_cast<std::uint32_t>(*i));
    } else if (const fw::Color* c = std::get_if<fw::Color>(&value)) {
        out += static_cast<char>(c->Red());
        out += static_cast<char>(c->Green());
        out += static_cast<char>(c->Blue());
    } else {
        const std::string& text = std::get<std::string>(value);
        Append32(out, static_cast<std::uint32_t>(text.size()));
        out += text;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    RegisterClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t which = input.Byte() % 3;
    const std::string stream = input.Rest();
    const char* className = which == 0 ? "FuzzBase" : which == 1 ? "FuzzDerived" : "Unknown";

    std::vector<fw::PropertyEntry> entries;
    std::string readError;
    try {
        entries = fw::ReadPropertyStream(className, stream);
    } catch (const fw::UnsupportedFormatException& e) {
        readError = e.Message();
        FUZZ_CHECK(!readError.empty());
    }
    if (readError.empty()) {
        std::string encoded;
        std::size_t offset = 0;
        for (const fw::PropertyEntry& entry : entries) {
            FUZZ_CHECK(entry.offset == offset);
            FUZZ_CHECK(entry.property != nullptr);
            FUZZ_CHECK(entry.property ==
                       fw::ClassRegistry::Instance().FindProperty(className, entry.name));
            encoded += Encode(entry.name, entry.value);
            offset = encoded.size();
        }
        FUZZ_CHECK(encoded == stream);
    }

    if (which == 2) {
        return 0; // no object of an unregistered class to apply to
    }
    FuzzDerived derived;
    FuzzBase base;
    FuzzBase& target = which == 0 ? base : derived;
    std::string applyError;
    try {
        fw::RuntimeMassPropertySetter(target, stream);
    } catch (const fw::UnsupportedFormatException& e) {
        applyError = e.Message();
    }
    FUZZ_CHECK(applyError == readError);
    // Applied under the declared spellings, so names compare ignoring case.
    std::string applied;
    for (const Applied& a : target.applied) {
        applied += Encode(a.name, a.value);
    }
    FUZZ_CHECK(applied.size() <= stream.size());
    FUZZ_CHECK(fw::EqualsIgnoreCase(applied, stream.substr(0, applied.size())));
    if (readError.empty()) {
        FUZZ_CHECK(applied.size() == stream.size());
        FUZZ_CHECK(target.applied.size() == entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            FUZZ_CHECK(target.applied[i].value == entries[i].value);
        }
    } else {
        // The refused entry is the one right after those applied.
        FUZZ_CHECK(applied.size() < stream.size());
        const std::string at = "entry at byte " + std::to_string(applied.size()) + ":";
        FUZZ_CHECK(readError.find(at) != std::string::npos);
    }
    return 0;
}
