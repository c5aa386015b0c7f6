#include "framework/core/CompactVariant.h"

#include <cstring>
#include <new>

namespace fw {

namespace {

template <class T> void Put(unsigned char* bytes, const T& value) {
    static_assert(sizeof(T) <= 8);
    std::memcpy(bytes, &value, sizeof value);
}

template <class T> T Get(const unsigned char* bytes) {
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

void CompactVariant::Init(const Variant& value) {
    if (const auto* text = value.GetIf<std::string>()) {
        new (&m_text) CompactText(*text);
        return;
    }
    SetKind(kNil);
    unsigned char* bytes = m_raw.bytes;
    if (const auto* b = value.GetIf<bool>()) {
        Put(bytes, *b);
        SetKind(kBoolean);
    } else if (const auto* i = value.GetIf<Int32>()) {
        Put(bytes, *i);
        SetKind(kInt32);
    } else if (const auto* d = value.GetIf<double>()) {
        Put(bytes, *d);
        SetKind(kDouble);
    } else if (const auto* c = value.GetIf<Currency>()) {
        Put(bytes, c->Units());
        SetKind(kCurrency);
    } else if (const auto* o = value.GetIf<std::shared_ptr<Object>>()) {
        Put(bytes, new std::shared_ptr<Object>(*o));
        SetKind(kObject);
    }
}

void CompactVariant::CopyFrom(const CompactVariant& other) {
    if (other.IsText()) {
        new (&m_text) CompactText(other.m_text);
    } else if (other.Kind() == kObject) {
        Put(m_raw.bytes, new std::shared_ptr<Object>(*other.Box()));
        SetKind(kObject);
    } else {
        m_raw = other.m_raw;
    }
}

void CompactVariant::Release() noexcept {
    if (IsText()) {
        m_text.~CompactText();
    } else if (Kind() == kObject) {
        delete Box();
    }
    SetKind(kNil);
}

std::shared_ptr<Object>* CompactVariant::Box() const noexcept {
    return Get<std::shared_ptr<Object>*>(m_raw.bytes);
}

CompactVariant::CompactVariant(const CompactVariant& other) {
    CopyFrom(other);
}

CompactVariant::CompactVariant(CompactVariant&& other) noexcept {
    // Every kind moves as its bytes: the heap block changes hands.
    m_raw = other.m_raw;
    other.SetKind(kNil);
}

CompactVariant& CompactVariant::operator=(const CompactVariant& other) {
    if (this != &other) {
        CompactVariant copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CompactVariant& CompactVariant::operator=(CompactVariant&& other) noexcept {
    if (this != &other) {
        Release();
        m_raw = other.m_raw;
        other.SetKind(kNil);
    }
    return *this;
}

CompactVariant& CompactVariant::operator=(const Variant& value) {
    // Made first: the value may be one this very store gave out.
    CompactVariant made(value);
    *this = std::move(made);
    return *this;
}

Variant::Type CompactVariant::GetType() const noexcept {
    switch (Kind()) {
    case kNil:
        return Variant::Type::Nil;
    case kBoolean:
        return Variant::Type::Boolean;
    case kInt32:
        return Variant::Type::Int32;
    case kDouble:
        return Variant::Type::Double;
    case kCurrency:
        return Variant::Type::Currency;
    case kObject:
        return Variant::Type::Object;
    default:
        return Variant::Type::String;
    }
}

Variant CompactVariant::ToVariant() const {
    const unsigned char* bytes = m_raw.bytes;
    switch (Kind()) {
    case kNil:
        return Variant();
    case kBoolean:
        return Variant(Get<bool>(bytes));
    case kInt32:
        return Variant(Get<Int32>(bytes));
    case kDouble:
        return Variant(Get<double>(bytes));
    case kCurrency:
        return Variant(Currency::FromUnits(Get<Int64>(bytes)));
    case kObject:
        return Variant(*Box());
    default:
        return Variant(m_text.Str());
    }
}

} // namespace fw
