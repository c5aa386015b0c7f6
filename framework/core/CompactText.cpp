#include "framework/core/CompactText.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace fw {

namespace {

// Bytes 8-14 hold a heap text's length, least significant first.
constexpr std::size_t kLengthBytes = 7;
constexpr std::uint64_t kMaxLength = (std::uint64_t{1} << (8 * kLengthBytes)) - 1;

} // namespace

void CompactText::Init(std::string_view text) {
    if (text.size() <= kInlineCapacity) {
        std::memcpy(m_bytes, text.data(), text.size());
        SetInlineSize(text.size());
        return;
    }
    if (text.size() > kMaxLength) {
        throw std::length_error("CompactText: text too long");
    }
    char* data = new char[text.size()];
    std::memcpy(data, text.data(), text.size());
    std::memcpy(m_bytes, &data, sizeof data);
    std::uint64_t length = text.size();
    for (std::size_t i = 0; i < kLengthBytes; ++i) {
        m_bytes[8 + i] = static_cast<unsigned char>(length & 0xFF);
        length >>= 8;
    }
    m_bytes[kMarker] = kHeap;
}

void CompactText::Release() noexcept {
    if (!IsInline()) {
        delete[] HeapData();
        SetInlineSize(0);
    }
}

CompactText::CompactText(CompactText&& other) noexcept {
    std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
    other.SetInlineSize(0);
}

CompactText& CompactText::operator=(const CompactText& other) {
    if (this != &other) {
        *this = other.View();
    }
    return *this;
}

CompactText& CompactText::operator=(CompactText&& other) noexcept {
    if (this != &other) {
        Release();
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.SetInlineSize(0);
    }
    return *this;
}

CompactText& CompactText::operator=(std::string_view text) {
    if (text.size() <= kInlineCapacity && IsInline()) {
        // memmove: the text may lie in these very bytes.
        std::memmove(m_bytes, text.data(), text.size());
        SetInlineSize(text.size());
        return *this;
    }
    // The new text is complete before the old one goes, which may be what it views.
    CompactText made(text);
    Release();
    std::memcpy(m_bytes, made.m_bytes, sizeof m_bytes);
    made.SetInlineSize(0);
    return *this;
}

} // namespace fw
