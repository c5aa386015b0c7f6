#include "framework/core/OpenTypeLayout.h"

#include "framework/core/OpenTypeJudge.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <unordered_map>

namespace fw {

namespace {

// Far above what any real font needs (DejaVu Sans takes well under a million steps), low
// enough that a malformed font is given up on in a fraction of a second.
constexpr std::size_t kWorkBudget = std::size_t{1} << 24;

constexpr std::uint16_t kIgnoreBaseOrLigatures = 0x0002 | 0x0004;
constexpr std::uint16_t kNoFeature = 0xFFFF;

constexpr std::uint32_t Tag(const char (&name)[5]) {
    return (std::uint32_t(std::uint8_t(name[0])) << 24) |
           (std::uint32_t(std::uint8_t(name[1])) << 16) |
           (std::uint32_t(std::uint8_t(name[2])) << 8) | std::uint32_t(std::uint8_t(name[3]));
}

// The features shaping turns on by themselves for Latin and common text, with the four the
// shaper also turns on for fonts that address it by name. frac, numr and dnom act only around
// a fraction slash, which the texts judged here never hold.
bool IsOnByDefault(std::uint32_t tag) {
    static constexpr std::array<std::uint32_t, 23> tags = {
        Tag("ccmp"), Tag("locl"), Tag("rlig"), Tag("rclt"), Tag("calt"), Tag("clig"),
        Tag("liga"), Tag("kern"), Tag("mark"), Tag("mkmk"), Tag("curs"), Tag("dist"),
        Tag("abvm"), Tag("blwm"), Tag("ltra"), Tag("ltrm"), Tag("rvrn"), Tag("rand"),
        Tag("trak"), Tag("Harf"), Tag("HARF"), Tag("Buzz"), Tag("BUZZ")};
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

bool IsTextScript(std::uint32_t tag) {
    return tag == Tag("latn") || tag == Tag("DFLT") || tag == Tag("dflt");
}

} // namespace

namespace otl {

void Judge::Layout(std::string_view bytes, Kind kind) {
    const Table table(bytes, m_status);
    if (table.U16(0) != 1) {
        m_status.Fail();
        return;
    }
    // Feature variations swap lookups by the font's variation axes; not followed here.
    if (table.U16(2) >= 1 && table.U32(10) != 0) {
        m_status.Fail();
        return;
    }
    const Table lookups = table.At16(8);
    const std::uint16_t lookupCount = lookups.IsNull() ? 0 : lookups.U16(0);
    const std::vector<bool> reachable = ReachableLookups(table, lookupCount);
    if (!lookups.IsNull() && !lookups.Has(2, 2u * lookupCount)) {
        return;
    }
    for (std::uint16_t i = 0; i < lookupCount && !m_status.Failed(); ++i) {
        if (reachable[i]) {
            const Table lookup = lookups.At16(2 + 2 * i);
            if (!lookup.IsNull()) {
                Lookup(lookup, kind);
            }
        }
    }
}

std::vector<bool> Judge::ReachableLookups(const Table& table, std::uint16_t lookupCount) {
    std::vector<bool> reachable(lookupCount, false);
    const Table scripts = table.At16(4);
    const Table features = table.At16(6);
    const std::uint16_t scriptCount = scripts.IsNull() ? 0 : scripts.U16(0);
    const std::uint16_t featureCount = features.IsNull() ? 0 : features.U16(0);
    if (!scripts.IsNull() && !scripts.Has(2, 6u * scriptCount)) {
        return reachable;
    }
    if (!features.IsNull() && !features.Has(2, 6u * featureCount)) {
        return reachable;
    }
    bool anyTextScript = false;
    for (std::uint16_t i = 0; i < scriptCount; ++i) {
        anyTextScript = anyTextScript || IsTextScript(scripts.U32(2 + 6 * i));
    }
    // A font with lookups but none of the scripts the texts resolve to: count them all.
    const bool everyScript = !anyTextScript && lookupCount > 0;
    std::vector<bool> wanted(featureCount, false);
    for (std::uint16_t i = 0; i < scriptCount && !m_status.Failed(); ++i) {
        if (!everyScript && !IsTextScript(scripts.U32(2 + 6 * i))) {
            continue;
        }
        const Table script = scripts.At16(2 + 6 * i + 4);
        if (script.IsNull()) {
            continue;
        }
        const Table defaultLangSys = script.At16(0);
        if (!defaultLangSys.IsNull()) {
            TakeLangSys(defaultLangSys, features, wanted);
        }
        const std::uint16_t langSysCount = script.U16(2);
        if (!script.Has(4, 6u * langSysCount) || !Step(langSysCount)) {
            return reachable;
        }
        for (std::uint16_t k = 0; k < langSysCount; ++k) {
            const Table langSys = script.At16(4 + 6 * k + 4);
            if (!langSys.IsNull()) {
                TakeLangSys(langSys, features, wanted);
            }
        }
    }
    for (std::uint16_t f = 0; f < featureCount && !m_status.Failed(); ++f) {
        if (!wanted[f]) {
            continue;
        }
        const Table feature = features.At16(2 + 6 * f + 4);
        if (feature.IsNull()) {
            continue;
        }
        const std::uint16_t count = feature.U16(2);
        if (!feature.Has(4, 2u * count) || !Step(count)) {
            return reachable;
        }
        for (std::uint16_t k = 0; k < count; ++k) {
            const std::uint16_t index = feature.U16(4 + 2 * k);
            if (index >= lookupCount) {
                m_status.Fail();
                return reachable;
            }
            reachable[index] = true;
        }
    }
    return reachable;
}

void Judge::TakeLangSys(const Table& langSys, const Table& features, std::vector<bool>& wanted) {
    const std::uint16_t required = langSys.U16(2);
    const std::uint16_t count = langSys.U16(4);
    if (!langSys.Has(6, 2u * count) || !Step(count + 1)) {
        return;
    }
    if (required != kNoFeature) {
        if (required >= wanted.size()) {
            m_status.Fail();
            return;
        }
        wanted[required] = true; // whatever its tag
    }
    for (std::uint16_t k = 0; k < count; ++k) {
        const std::uint16_t index = langSys.U16(6 + 2 * k);
        if (index >= wanted.size()) {
            m_status.Fail();
            return;
        }
        if (IsOnByDefault(features.U32(2 + 6 * index))) {
            wanted[index] = true;
        }
    }
}

void Judge::Lookup(const Table& lookup, Kind kind) {
    const std::uint16_t type = lookup.U16(0);
    const std::uint16_t flag = lookup.U16(2);
    const std::uint16_t count = lookup.U16(4);
    if (!lookup.Has(6, 2u * count) || !Step(count)) {
        return;
    }
    const std::uint16_t extension = kind == Kind::Substitution ? 7 : 9;
    for (std::uint16_t i = 0; i < count && !m_status.Failed(); ++i) {
        Table sub = lookup.At16(6 + 2 * i);
        if (sub.IsNull()) {
            continue;
        }
        std::uint16_t subType = type;
        if (type == extension) {
            subType = sub.U16(2);
            if (sub.U16(0) != 1 || subType == extension) {
                m_status.Fail();
                return;
            }
            sub = sub.At32(4);
            if (sub.IsNull()) {
                continue;
            }
        }
        Subtable(sub, subType, flag, kind);
    }
}

void Judge::Subtable(const Table& sub, std::uint16_t type, std::uint16_t flag, Kind kind) {
    if (kind == Kind::Substitution) {
        switch (type) {
        case 1: // single
            if (Format(sub, 2)) {
                Unsafe(sub.At16(2));
            }
            return;
        case 2: // multiple
        case 3: // alternate
            if (Format(sub, 1)) {
                Unsafe(sub.At16(2));
            }
            return;
        case 4:
            Ligatures(sub, flag);
            return;
        case 5:
            Context(sub);
            return;
        case 6:
            ChainContext(sub);
            return;
        case 8:
            ReverseChain(sub);
            return;
        default:
            m_status.Fail();
            return;
        }
    }
    switch (type) {
    case 1: // single adjustment: the glyph measured alone carries it
        Format(sub, 2);
        return;
    case 2: // pair adjustment: the kerning of the pair, unless it moves the second glyph too
            // (which takes that glyph out of the next pair) or skips glyphs between the two
        if (Format(sub, 2) && (sub.U16(6) != 0 || (flag & kIgnoreBaseOrLigatures) != 0)) {
            Unsafe(sub.At16(2));
        }
        return;
    case 3: // cursive
        if (Format(sub, 1)) {
            Unsafe(sub.At16(2));
        }
        return;
    case 4: // mark to base
    case 5: // mark to ligature
    case 6: // mark to mark
        // Attachment acts on the glyph of the first coverage, moving it onto one before it;
        // the bases, ligatures and marks it attaches to are left as they are.
        if (Format(sub, 1)) {
            Unsafe(sub.At16(2));
        }
        return;
    case 7:
        Context(sub);
        return;
    case 8:
        ChainContext(sub);
        return;
    default:
        m_status.Fail();
        return;
    }
}

void Judge::Ligatures(const Table& sub, std::uint16_t flag) {
    if (!Format(sub, 1)) {
        return;
    }
    const std::uint16_t setCount = sub.U16(4);
    if (!sub.Has(6, 2u * setCount)) {
        return;
    }
    ForEachCovered(sub.At16(2), m_glyphs, [&](std::uint32_t first, std::uint32_t index) {
        if (index >= setCount || m_status.Failed()) {
            return;
        }
        const Table set = sub.At16(6 + 2 * index);
        if (set.IsNull()) {
            return;
        }
        const std::uint16_t count = set.U16(0);
        if (!set.Has(2, 2u * count) || !Step(count)) {
            return;
        }
        for (std::uint16_t k = 0; k < count; ++k) {
            const Table ligature = set.At16(2 + 2 * k);
            if (ligature.IsNull()) {
                continue;
            }
            const std::uint16_t components = ligature.U16(2);
            if (components <= 1) {
                // A ligature of one glyph replaces that glyph wherever it stands.
                m_result.unsafeGlyphs.insert(first);
                continue;
            }
            if (!AllGlyphs(ligature, 4, components - 1u)) {
                continue;
            }
            if ((flag & kIgnoreBaseOrLigatures) != 0) {
                // Glyphs skipped between the components: no longer a matter of neighbours.
                m_result.unsafeGlyphs.insert(first);
            } else {
                m_result.unsafePairs.emplace(first, ligature.U16(4));
            }
        }
    });
}

void Judge::GlyphDefinitions(std::string_view bytes) {
    const Table table(bytes, m_status);
    if (table.U16(0) != 1) {
        m_status.Fail();
        return;
    }
    const GlyphClasses classes(table.At16(4), m_glyphs);
    constexpr std::uint16_t kMark = 3;
    for (const std::uint32_t glyph : m_glyphs.Glyphs()) {
        if (classes.Of(glyph) == kMark) {
            m_result.unsafeGlyphs.insert(glyph);
        }
    }
}

// The old kerning table: pairs only, horizontal, added to the advances. Anything else
// (cross-stream, minimum values, state machines, the other vendor's layout) is not judged.
void Judge::Kerning(std::string_view bytes) {
    const Table table(bytes, m_status);
    if (table.U16(0) != 0) {
        m_status.Fail();
        return;
    }
    const std::uint16_t count = table.U16(2);
    std::size_t at = 4;
    for (std::uint16_t i = 0; i < count && Step(); ++i) {
        if (!table.Has(at, 6)) {
            return;
        }
        const std::uint16_t length = table.U16(at + 2);
        const std::uint16_t coverage = table.U16(at + 4);
        const std::uint16_t format = coverage >> 8;
        const bool horizontal = (coverage & 0x1) != 0;
        const bool minimum = (coverage & 0x2) != 0;
        const bool crossStream = (coverage & 0x4) != 0;
        if ((format != 0 && format != 2) || !horizontal || minimum || crossStream) {
            m_status.Fail();
            return;
        }
        // The length of the last subtable is not trusted: large pair lists overflow it.
        if (i + 1 < count) {
            if (length < 6) {
                m_status.Fail();
                return;
            }
            at += length;
        }
    }
}

} // namespace otl

PairwiseShaping JudgePairwiseShaping(const LayoutTables& tables,
                                     const std::vector<std::uint32_t>& glyphs) {
    PairwiseShaping result;
    if (tables.hasAatLayout) {
        return result;
    }
    const otl::GlyphSet glyphSet(glyphs);
    otl::ReadStatus status(kWorkBudget);
    otl::Judge judge(glyphSet, status, result);
    if (!tables.gdef.empty()) {
        judge.GlyphDefinitions(tables.gdef);
    }
    if (!tables.gsub.empty() && !status.Failed()) {
        judge.Layout(tables.gsub, otl::Kind::Substitution);
    }
    if (!tables.gpos.empty() && !status.Failed()) {
        judge.Layout(tables.gpos, otl::Kind::Positioning);
    }
    if (!tables.kern.empty() && !status.Failed()) {
        judge.Kerning(tables.kern);
    }
    if (status.Failed()) {
        return PairwiseShaping{};
    }
    result.judged = true;
    return result;
}

} // namespace fw
