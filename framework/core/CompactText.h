#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace fw {

class CompactVariant;

// A text in 16 bytes, for stores that keep many: up to 15 bytes stand inline, a longer text
// takes one heap block of exactly its length. Any bytes, NULs included.
class CompactText {
public:
    static constexpr std::size_t kInlineCapacity = 15;

    CompactText() noexcept { SetInlineSize(0); }
    explicit CompactText(std::string_view text) { Init(text); }
    CompactText(const CompactText& other) { Init(other.View()); }
    CompactText(CompactText&& other) noexcept;
    CompactText& operator=(const CompactText& other);
    CompactText& operator=(CompactText&& other) noexcept;
    // The text may be a view of this one's own.
    CompactText& operator=(std::string_view text);
    ~CompactText() { Release(); }

    std::string_view View() const noexcept {
        return IsInline() ? std::string_view(reinterpret_cast<const char*>(m_bytes), InlineSize())
                          : std::string_view(HeapData(), HeapSize());
    }
    std::string Str() const { return std::string(View()); }
    std::size_t Size() const noexcept { return IsInline() ? InlineSize() : HeapSize(); }
    bool Empty() const noexcept { return Size() == 0; }
    // Whether the text stands in the 16 bytes, with no heap block.
    bool IsInline() const noexcept { return m_bytes[kMarker] != kHeap; }

    friend bool operator==(const CompactText& a, const CompactText& b) noexcept {
        return a.View() == b.View();
    }

private:
    friend class CompactVariant;

    // The last byte tells the form: 0 to 15 the length of an inline text, kHeap a heap text
    // (bytes 0-7 its address, 8-14 its length). CompactVariant uses the values above 15 that
    // are not kHeap for its other kinds.
    static constexpr std::size_t kMarker = 15;
    static constexpr unsigned char kHeap = 0x80;

    void Init(std::string_view text);
    void Release() noexcept;
    void SetInlineSize(std::size_t size) noexcept {
        m_bytes[kMarker] = static_cast<unsigned char>(size);
    }
    std::size_t InlineSize() const noexcept { return m_bytes[kMarker]; }
    const char* HeapData() const noexcept {
        const char* data = nullptr;
        std::memcpy(&data, m_bytes, sizeof data);
        return data;
    }
    std::size_t HeapSize() const noexcept {
        std::uint64_t length = 0;
        for (std::size_t i = 15; i-- > 8;) {
            length = (length << 8) | m_bytes[i];
        }
        return static_cast<std::size_t>(length);
    }

    alignas(8) unsigned char m_bytes[16];
};

static_assert(sizeof(CompactText) == 16);

} // namespace fw
