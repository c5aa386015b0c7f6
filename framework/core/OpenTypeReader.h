#pragma once

// Bounds-checked reading of a font's layout tables (big-endian fields at offsets, sub-tables
// found through offsets) and their coverage and class tables tested against a set of glyphs.
// A read out of range never touches memory outside the bytes: it gives zero and marks the
// whole reading failed.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace fw::otl {

// Shared by every view into the tables of one reading: the first failure, and a bound on the
// work a malformed font can cause (arrays of offsets that all point at one large table).
class ReadStatus {
public:
    explicit ReadStatus(std::size_t budget) : m_budget(budget) {}
    bool Failed() const { return m_failed; }
    void Fail() { m_failed = true; }
    // Takes steps of work from the budget; false, and failed, once it is spent.
    bool Spend(std::size_t steps);

private:
    bool m_failed = false;
    std::size_t m_budget;
};

// A view of one table or sub-table. A null view stands for a zero offset.
class Table {
public:
    Table() = default;
    Table(std::string_view bytes, ReadStatus& status);

    bool IsNull() const { return m_data == nullptr; }
    // Fails the reading unless length bytes are there from offset.
    bool Has(std::size_t offset, std::size_t length) const;
    std::uint16_t U16(std::size_t offset) const;
    std::uint32_t U32(std::size_t offset) const;
    // The sub-table an Offset16 / Offset32 field at field points to: null for zero.
    Table At16(std::size_t field) const { return At(U16(field)); }
    Table At32(std::size_t field) const { return At(U32(field)); }
    ReadStatus& Status() const { return *m_status; }

private:
    Table(const unsigned char* data, std::size_t size, ReadStatus* status)
        : m_data(data), m_size(size), m_status(status) {}
    Table At(std::uint32_t offset) const;
    void Fail() const;

    const unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
    ReadStatus* m_status = nullptr;
};

// The glyphs of the texts, sorted, each once.
class GlyphSet {
public:
    explicit GlyphSet(std::vector<std::uint32_t> glyphs);
    const std::vector<std::uint32_t>& Glyphs() const { return m_glyphs; }
    bool Contains(std::uint32_t glyph) const;
    // Position of glyph in Glyphs(); only for a glyph the set contains.
    std::size_t IndexOf(std::uint32_t glyph) const;
    // Positions [begin, end) of the glyphs in first..last.
    std::pair<std::size_t, std::size_t> Span(std::uint32_t first, std::uint32_t last) const;

private:
    std::vector<std::uint32_t> m_glyphs;
};

// Calls visit(glyph, coverageIndex) for every glyph of the set a coverage table lists (each
// entry tested, so an unsorted table still yields every listed glyph). A null coverage lists
// none; an unknown format fails the reading.
template <class Visit>
void ForEachCovered(const Table& coverage, const GlyphSet& glyphs, Visit&& visit) {
    if (coverage.IsNull()) {
        return;
    }
    const std::uint16_t format = coverage.U16(0);
    const std::uint16_t count = coverage.U16(2);
    if (format == 1) {
        if (!coverage.Has(4, 2u * count) || !coverage.Status().Spend(count)) {
            return;
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint16_t glyph = coverage.U16(4 + 2 * i);
            if (glyphs.Contains(glyph)) {
                visit(glyph, i);
            }
        }
    } else if (format == 2) {
        if (!coverage.Has(4, 6u * count) || !coverage.Status().Spend(count)) {
            return;
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = 4 + 6 * i;
            const std::uint16_t first = coverage.U16(at);
            const std::uint16_t last = coverage.U16(at + 2);
            const std::uint32_t startIndex = coverage.U16(at + 4);
            if (first > last) {
                continue;
            }
            const auto [begin, end] = glyphs.Span(first, last);
            if (!coverage.Status().Spend(end - begin)) {
                return;
            }
            for (std::size_t k = begin; k < end; ++k) {
                const std::uint32_t glyph = glyphs.Glyphs()[k];
                visit(glyph, startIndex + (glyph - first));
            }
        }
    } else {
        coverage.Status().Fail();
    }
}

// Whether a coverage table lists any glyph of the set.
bool Covers(const Table& coverage, const GlyphSet& glyphs);

// The class a class-definition table gives each glyph of the set, in the order of
// glyphs.Glyphs(); 0 for a glyph it does not list, and for every glyph of a null table.
// Ranges out of order (which a binary search could read either way) fail the reading.
std::vector<std::uint16_t> ClassesOf(const Table& classDef, const GlyphSet& glyphs);

} // namespace fw::otl
