#include "framework/core/OpenTypeReader.h"

#include <algorithm>

namespace fw::otl {

bool ReadStatus::Spend(std::size_t steps) {
    if (m_failed || steps > m_budget) {
        m_failed = true;
        m_budget = 0;
        return false;
    }
    m_budget -= steps;
    return true;
}

Table::Table(std::string_view bytes, ReadStatus& status)
    : m_data(reinterpret_cast<const unsigned char*>(bytes.data())), m_size(bytes.size()),
      m_status(&status) {
    if (m_data == nullptr) {
        // An empty view may carry no pointer; it is still a table, of no bytes.
        static const unsigned char none = 0;
        m_data = &none;
    }
}

void Table::Fail() const {
    if (m_status != nullptr) {
        m_status->Fail();
    }
}

bool Table::Has(std::size_t offset, std::size_t length) const {
    if (m_data == nullptr || offset > m_size || length > m_size - offset) {
        Fail();
        return false;
    }
    return true;
}

std::uint16_t Table::U16(std::size_t offset) const {
    if (!Has(offset, 2)) {
        return 0;
    }
    return static_cast<std::uint16_t>((m_data[offset] << 8) | m_data[offset + 1]);
}

std::uint32_t Table::U32(std::size_t offset) const {
    if (!Has(offset, 4)) {
        return 0;
    }
    return (std::uint32_t{m_data[offset]} << 24) | (std::uint32_t{m_data[offset + 1]} << 16) |
           (std::uint32_t{m_data[offset + 2]} << 8) | std::uint32_t{m_data[offset + 3]};
}

Table Table::At(std::uint32_t offset) const {
    if (offset == 0 || m_data == nullptr) {
        return Table(nullptr, 0, m_status);
    }
    if (offset >= m_size) {
        Fail();
        return Table(nullptr, 0, m_status);
    }
    return Table(m_data + offset, m_size - offset, m_status);
}

GlyphSet::GlyphSet(std::vector<std::uint32_t> glyphs) : m_glyphs(std::move(glyphs)) {
    std::sort(m_glyphs.begin(), m_glyphs.end());
    m_glyphs.erase(std::unique(m_glyphs.begin(), m_glyphs.end()), m_glyphs.end());
}

bool GlyphSet::Contains(std::uint32_t glyph) const {
    return std::binary_search(m_glyphs.begin(), m_glyphs.end(), glyph);
}

std::size_t GlyphSet::IndexOf(std::uint32_t glyph) const {
    return static_cast<std::size_t>(std::lower_bound(m_glyphs.begin(), m_glyphs.end(), glyph) -
                                    m_glyphs.begin());
}

std::pair<std::size_t, std::size_t> GlyphSet::Span(std::uint32_t first, std::uint32_t last) const {
    const auto begin = std::lower_bound(m_glyphs.begin(), m_glyphs.end(), first);
    const auto end = std::upper_bound(begin, m_glyphs.end(), last);
    return {static_cast<std::size_t>(begin - m_glyphs.begin()),
            static_cast<std::size_t>(end - m_glyphs.begin())};
}

bool Covers(const Table& coverage, const GlyphSet& glyphs) {
    bool any = false;
    ForEachCovered(coverage, glyphs, [&](std::uint32_t, std::uint32_t) { any = true; });
    return any;
}

std::vector<std::uint16_t> ClassesOf(const Table& classDef, const GlyphSet& glyphs) {
    std::vector<std::uint16_t> classes(glyphs.Glyphs().size(), 0);
    if (classDef.IsNull() || !classDef.Status().Spend(classes.size())) {
        return classes;
    }
    const std::uint16_t format = classDef.U16(0);
    if (format == 1) {
        const std::uint32_t start = classDef.U16(2);
        const std::uint16_t count = classDef.U16(4);
        if (count == 0 || !classDef.Has(6, 2u * count)) {
            return classes;
        }
        const auto [begin, end] = glyphs.Span(start, start + count - 1);
        for (std::size_t k = begin; k < end; ++k) {
            classes[k] = classDef.U16(6 + 2 * (glyphs.Glyphs()[k] - start));
        }
    } else if (format == 2) {
        const std::uint16_t count = classDef.U16(2);
        if (!classDef.Has(4, 6u * count) || !classDef.Status().Spend(count)) {
            return classes;
        }
        std::int32_t previousLast = -1;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = 4 + 6 * i;
            const std::uint16_t first = classDef.U16(at);
            const std::uint16_t last = classDef.U16(at + 2);
            if (first > last || first <= previousLast) {
                classDef.Status().Fail();
                return classes;
            }
            previousLast = last;
            const std::uint16_t value = classDef.U16(at + 4);
            const auto [begin, end] = glyphs.Span(first, last);
            std::fill(classes.begin() + begin, classes.begin() + end, value);
        }
    } else {
        classDef.Status().Fail();
    }
    return classes;
}

} // namespace fw::otl
