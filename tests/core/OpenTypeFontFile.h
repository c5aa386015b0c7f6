#pragma once

// Reads an installed font file for the tests: its table directory and the glyphs its
// character map (format 4, the Basic Multilingual Plane) gives characters.

#include "framework/core/OpenTypeLayout.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>

namespace otltest {

class FontFile {
public:
    explicit FontFile(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        m_bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        const std::uint16_t count = U16(m_bytes, 4);
        for (std::uint16_t i = 0; i < count; ++i) {
            const std::size_t record = 12 + 16 * std::size_t{i};
            const std::uint32_t offset = U32(m_bytes, record + 8);
            const std::uint32_t length = U32(m_bytes, record + 12);
            if (offset <= m_bytes.size() && length <= m_bytes.size() - offset) {
                m_tables[m_bytes.substr(record, 4)] = std::string_view(m_bytes).substr(offset, length);
            }
        }
    }

    bool Loaded() const { return !m_tables.empty(); }

    std::string_view Table(const std::string& tag) const {
        const auto it = m_tables.find(tag);
        return it == m_tables.end() ? std::string_view() : it->second;
    }

    fw::LayoutTables Layout() const {
        return {Table("GSUB"), Table("GPOS"), Table("GDEF"), Table("kern"),
                !Table("morx").empty() || !Table("mort").empty() || !Table("kerx").empty()};
    }

    // The glyph of a character of the Basic Multilingual Plane; 0 when the font has none.
    std::uint32_t Glyph(char32_t ch) const {
        const std::string_view cmap = Table("cmap");
        const std::uint16_t count = U16(cmap, 2);
        for (std::uint16_t i = 0; i < count; ++i) {
            const std::size_t record = 4 + 8 * std::size_t{i};
            const std::uint16_t platform = U16(cmap, record);
            const std::uint16_t encoding = U16(cmap, record + 2);
            const std::string_view sub = cmap.substr(std::min<std::size_t>(U32(cmap, record + 4),
                                                                           cmap.size()));
            if (((platform == 3 && encoding == 1) || platform == 0) && U16(sub, 0) == 4) {
                return Format4(sub, ch);
            }
        }
        return 0;
    }

private:
    static std::uint16_t U16(std::string_view b, std::size_t at) {
        if (at + 2 > b.size()) {
            return 0;
        }
        return static_cast<std::uint16_t>((static_cast<unsigned char>(b[at]) << 8) |
                                          static_cast<unsigned char>(b[at + 1]));
    }
    static std::uint32_t U32(std::string_view b, std::size_t at) {
        return (std::uint32_t{U16(b, at)} << 16) | U16(b, at + 2);
    }

    static std::uint32_t Format4(std::string_view sub, char32_t ch) {
        const std::size_t segments = U16(sub, 6) / 2;
        const std::size_t ends = 14, starts = ends + 2 * segments + 2;
        const std::size_t deltas = starts + 2 * segments, rangeOffsets = deltas + 2 * segments;
        for (std::size_t s = 0; s < segments; ++s) {
            const std::uint16_t end = U16(sub, ends + 2 * s);
            const std::uint16_t start = U16(sub, starts + 2 * s);
            if (ch < start || ch > end) {
                continue;
            }
            const std::uint16_t delta = U16(sub, deltas + 2 * s);
            const std::uint16_t rangeOffset = U16(sub, rangeOffsets + 2 * s);
            if (rangeOffset == 0) {
                return static_cast<std::uint16_t>(ch + delta);
            }
            const std::size_t at = rangeOffsets + 2 * s + rangeOffset + 2 * (ch - start);
            const std::uint16_t glyph = U16(sub, at);
            return glyph == 0 ? 0 : static_cast<std::uint16_t>(glyph + delta);
        }
        return 0;
    }

    std::string m_bytes;
    std::map<std::string, std::string_view> m_tables;
};

} // namespace otltest
