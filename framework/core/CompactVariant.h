#pragma once

#include "framework/core/CompactText.h"
#include "framework/core/Variant.h"

namespace fw {

// A Variant in 16 bytes, for stores that keep many. It gives back a Variant equal to the one
// it was made from: the same type and value, an object the same shared object. Strings of up
// to 15 bytes stand inline; longer strings and objects take one heap block.
class CompactVariant {
public:
    CompactVariant() noexcept { SetKind(kNil); }
    explicit CompactVariant(const Variant& value) { Init(value); }
    CompactVariant(const CompactVariant& other);
    CompactVariant(CompactVariant&& other) noexcept;
    CompactVariant& operator=(const CompactVariant& other);
    CompactVariant& operator=(CompactVariant&& other) noexcept;
    CompactVariant& operator=(const Variant& value);
    ~CompactVariant() { Release(); }

    Variant::Type GetType() const noexcept;
    Variant ToVariant() const;

private:
    // The last byte: a CompactText's own marker for a String, one of these for the rest.
    static constexpr unsigned char kNil = 0xF0;
    static constexpr unsigned char kBoolean = 0xF1;
    static constexpr unsigned char kInt32 = 0xF2;
    static constexpr unsigned char kDouble = 0xF3;
    static constexpr unsigned char kCurrency = 0xF4;
    static constexpr unsigned char kObject = 0xF5; // bytes 0-7: a heap-held shared_ptr

    struct Raw {
        alignas(8) unsigned char bytes[16];
    };

    unsigned char Kind() const noexcept { return m_raw.bytes[CompactText::kMarker]; }
    void SetKind(unsigned char kind) noexcept { m_raw.bytes[CompactText::kMarker] = kind; }
    bool IsText() const noexcept { return Kind() < kNil; }
    void Init(const Variant& value);
    void CopyFrom(const CompactVariant& other);
    void Release() noexcept;
    std::shared_ptr<Object>* Box() const noexcept;

    union {
        CompactText m_text; // when IsText()
        Raw m_raw;
    };
};

static_assert(sizeof(CompactVariant) == 16);

} // namespace fw
