#pragma once

// The judge of one font's layout tables, shared by the units that read its kinds of lookup.
// Internal to OpenTypeLayout.

#include "framework/core/OpenTypeLayout.h"
#include "framework/core/OpenTypeReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace fw::otl {

enum class Kind { Substitution, Positioning };

// The classes a class-definition table gives the glyphs of the texts.
class GlyphClasses {
public:
    GlyphClasses(const Table& classDef, const GlyphSet& glyphs)
        : m_glyphs(&glyphs), m_classes(ClassesOf(classDef, glyphs)) {
        for (const std::uint16_t c : m_classes) {
            if (c >= m_present.size()) {
                m_present.resize(std::size_t{c} + 1, false);
            }
            m_present[c] = true;
        }
    }
    // Whether some glyph of the texts is of class c (class 0: some glyph the table leaves out).
    bool Holds(std::uint16_t c) const { return c < m_present.size() && m_present[c]; }
    std::uint16_t Of(std::uint32_t glyph) const { return m_classes[m_glyphs->IndexOf(glyph)]; }

private:
    const GlyphSet* m_glyphs;
    std::vector<std::uint16_t> m_classes;
    std::vector<bool> m_present;
};

class Judge {
public:
    Judge(const GlyphSet& glyphs, ReadStatus& status, PairwiseShaping& result)
        : m_glyphs(glyphs), m_status(status), m_result(result) {}

    void Layout(std::string_view bytes, Kind kind);
    void GlyphDefinitions(std::string_view bytes);
    void Kerning(std::string_view bytes);

private:
    std::vector<bool> ReachableLookups(const Table& table, std::uint16_t lookupCount);
    void TakeLangSys(const Table& langSys, const Table& features, std::vector<bool>& wanted);
    void Lookup(const Table& lookup, Kind kind);
    void Subtable(const Table& sub, std::uint16_t type, std::uint16_t flag, Kind kind);
    void Ligatures(const Table& sub, std::uint16_t flag);
    void Context(const Table& sub);
    void ChainContext(const Table& sub);
    void ReverseChain(const Table& sub);

    // Marks the covered glyphs whose rule set can fire. fires takes the rule set's index: the
    // glyph's coverage index (format 1) or, asked once per class, its class in inputClasses
    // (format 2).
    template <class Fires>
    void UnsafeWhereRulesFire(const Table& coverage, const GlyphClasses* inputClasses,
                              Fires&& fires);

    // Whether some rule of the rule set at index (of setCount, their offsets from setsAt in
    // sub) can match texts of these glyphs; ruleFires tells for one rule.
    template <class RuleFires>
    bool SomeRuleFires(const Table& sub, std::size_t setsAt, std::uint16_t setCount,
                       std::uint32_t index, RuleFires&& ruleFires);

    bool Step(std::size_t steps = 1) { return m_status.Spend(steps); }
    void Unsafe(const Table& coverage) {
        ForEachCovered(coverage, m_glyphs, [&](std::uint32_t glyph, std::uint32_t) {
            m_result.unsafeGlyphs.insert(glyph);
        });
    }
    bool Format(const Table& sub, std::uint16_t last) {
        const std::uint16_t format = sub.U16(0);
        if (format < 1 || format > last) {
            m_status.Fail();
            return false;
        }
        return true;
    }
    // Whether the count glyph ids at offset are all glyphs of the texts.
    bool AllGlyphs(const Table& t, std::size_t offset, std::size_t count) {
        if (!t.Has(offset, 2 * count) || !Step(count)) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (!m_glyphs.Contains(t.U16(offset + 2 * i))) {
                return false;
            }
        }
        return true;
    }
    bool AllClasses(const Table& t, std::size_t offset, std::size_t count,
                    const GlyphClasses& classes) {
        if (!t.Has(offset, 2 * count) || !Step(count)) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (!classes.Holds(t.U16(offset + 2 * i))) {
                return false;
            }
        }
        return true;
    }
    bool AllCovered(const Table& t, std::size_t offset, std::size_t count) {
        if (!t.Has(offset, 2 * count)) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (!Covers(t.At16(offset + 2 * i), m_glyphs)) {
                return false;
            }
        }
        return true;
    }

    const GlyphSet& m_glyphs;
    ReadStatus& m_status;
    PairwiseShaping& m_result;
};

} // namespace fw::otl
