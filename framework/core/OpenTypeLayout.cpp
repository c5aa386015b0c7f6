#include "framework/core/OpenTypeLayout.h"

#include "framework/core/OpenTypeReader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <unordered_map>

namespace fw {

namespace {

using otl::ForEachCovered;
using otl::GlyphSet;
using otl::ReadStatus;
using otl::Table;

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

enum class Kind { Substitution, Positioning };

// The classes a class-definition table gives the glyphs of the texts.
class GlyphClasses {
public:
    GlyphClasses(const Table& classDef, const GlyphSet& glyphs)
        : m_glyphs(&glyphs), m_classes(otl::ClassesOf(classDef, glyphs)) {
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

    bool Step(std::size_t steps = 1) { return m_status.Spend(steps); }
    void Unsafe(const Table& coverage) {
        ForEachCovered(coverage, m_glyphs,
                       [&](std::uint32_t glyph, std::uint32_t) { m_result.unsafeGlyphs.insert(glyph); });
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
            if (!otl::Covers(t.At16(offset + 2 * i), m_glyphs)) {
                return false;
            }
        }
        return true;
    }

    const GlyphSet& m_glyphs;
    ReadStatus& m_status;
    PairwiseShaping& m_result;
};

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

// Sequence context (substitution 5, positioning 7): a rule can fire when every glyph it
// asks for can be one of the texts'; then the glyphs it starts on are unsafe.
template <class Fires>
void Judge::UnsafeWhereRulesFire(const Table& coverage, const GlyphClasses* inputClasses,
                                 Fires&& fires) {
    std::unordered_map<std::uint16_t, bool> byClass;
    ForEachCovered(coverage, m_glyphs, [&](std::uint32_t glyph, std::uint32_t index) {
        bool fire = false;
        if (inputClasses == nullptr) {
            fire = fires(index);
        } else {
            const std::uint16_t c = inputClasses->Of(glyph);
            auto it = byClass.find(c);
            if (it == byClass.end()) {
                it = byClass.emplace(c, fires(c)).first;
            }
            fire = it->second;
        }
        if (fire) {
            m_result.unsafeGlyphs.insert(glyph);
        }
    });
}

void Judge::Context(const Table& sub) {
    if (!Format(sub, 3)) {
        return;
    }
    const std::uint16_t format = sub.U16(0);
    if (format == 3) {
        const std::uint16_t inputCount = sub.U16(2);
        if (inputCount == 0) {
            m_status.Fail();
            return;
        }
        if (AllCovered(sub, 6, inputCount)) {
            Unsafe(sub.At16(6));
        }
        return;
    }
    const std::size_t setsAt = format == 1 ? 6 : 8;
    const std::uint16_t setCount = sub.U16(setsAt - 2);
    if (!sub.Has(setsAt, 2u * setCount)) {
        return;
    }
    // Whether some rule of the rule set at index can match texts of these glyphs.
    const auto fires = [&](std::uint32_t index, const GlyphClasses* classes) {
        if (index >= setCount) {
            return false;
        }
        const Table set = sub.At16(setsAt + 2 * index);
        if (set.IsNull()) {
            return false;
        }
        const std::uint16_t count = set.U16(0);
        if (!set.Has(2, 2u * count) || !Step(count)) {
            return false;
        }
        for (std::uint16_t k = 0; k < count && !m_status.Failed(); ++k) {
            const Table rule = set.At16(2 + 2 * k);
            if (rule.IsNull()) {
                continue;
            }
            const std::uint16_t glyphCount = rule.U16(0);
            const std::size_t rest = glyphCount == 0 ? 0 : glyphCount - 1u;
            if (classes == nullptr ? AllGlyphs(rule, 4, rest) : AllClasses(rule, 4, rest, *classes)) {
                return true;
            }
        }
        return false;
    };
    if (format == 1) {
        UnsafeWhereRulesFire(sub.At16(2), nullptr,
                             [&](std::uint32_t index) { return fires(index, nullptr); });
        return;
    }
    const GlyphClasses classes(sub.At16(4), m_glyphs);
    UnsafeWhereRulesFire(sub.At16(2), &classes,
                         [&](std::uint32_t c) { return fires(c, &classes); });
}

// Chained sequence context (substitution 6, positioning 8): as Context, with the glyphs
// before and after the input asked for as well.
void Judge::ChainContext(const Table& sub) {
    if (!Format(sub, 3)) {
        return;
    }
    const std::uint16_t format = sub.U16(0);
    if (format == 3) {
        const std::size_t backtrackCount = sub.U16(2);
        const std::size_t inputAt = 4 + 2 * backtrackCount;
        const std::size_t inputCount = sub.U16(inputAt);
        const std::size_t lookaheadAt = inputAt + 2 + 2 * inputCount;
        const std::size_t lookaheadCount = sub.U16(lookaheadAt);
        if (m_status.Failed()) {
            return;
        }
        if (inputCount == 0) {
            m_status.Fail();
            return;
        }
        if (AllCovered(sub, 4, backtrackCount) && AllCovered(sub, inputAt + 2, inputCount) &&
            AllCovered(sub, lookaheadAt + 2, lookaheadCount)) {
            Unsafe(sub.At16(inputAt + 2));
        }
        return;
    }
    const std::size_t setsAt = format == 1 ? 6 : 12;
    const std::uint16_t setCount = sub.U16(setsAt - 2);
    if (!sub.Has(setsAt, 2u * setCount)) {
        return;
    }
    struct Classes {
        GlyphClasses backtrack, input, lookahead;
    };
    // Reads the three sequences of a rule: backtrack, input after its first glyph, lookahead.
    const auto ruleFires = [&](const Table& rule, const Classes* classes) {
        std::size_t at = 0;
        for (int part = 0; part < 3; ++part) {
            std::size_t count = rule.U16(at);
            if (part == 1) {
                count = count == 0 ? 0 : count - 1;
            }
            const bool ok =
                classes == nullptr
                    ? AllGlyphs(rule, at + 2, count)
                    : AllClasses(rule, at + 2, count,
                                 part == 0   ? classes->backtrack
                                 : part == 1 ? classes->input
                                             : classes->lookahead);
            if (!ok) {
                return false;
            }
            at += 2 + 2 * count;
        }
        return true;
    };
    const auto fires = [&](std::uint32_t index, const Classes* classes) {
        if (index >= setCount) {
            return false;
        }
        const Table set = sub.At16(setsAt + 2 * index);
        if (set.IsNull()) {
            return false;
        }
        const std::uint16_t count = set.U16(0);
        if (!set.Has(2, 2u * count) || !Step(count)) {
            return false;
        }
        for (std::uint16_t k = 0; k < count && !m_status.Failed(); ++k) {
            const Table rule = set.At16(2 + 2 * k);
            if (!rule.IsNull() && ruleFires(rule, classes)) {
                return true;
            }
        }
        return false;
    };
    if (format == 1) {
        UnsafeWhereRulesFire(sub.At16(2), nullptr,
                             [&](std::uint32_t index) { return fires(index, nullptr); });
        return;
    }
    const Classes classes{GlyphClasses(sub.At16(4), m_glyphs), GlyphClasses(sub.At16(6), m_glyphs),
                          GlyphClasses(sub.At16(8), m_glyphs)};
    UnsafeWhereRulesFire(sub.At16(2), &classes.input,
                         [&](std::uint32_t c) { return fires(c, &classes); });
}

void Judge::ReverseChain(const Table& sub) {
    if (!Format(sub, 1)) {
        return;
    }
    const std::size_t backtrackCount = sub.U16(4);
    const std::size_t lookaheadAt = 6 + 2 * backtrackCount;
    const std::size_t lookaheadCount = sub.U16(lookaheadAt);
    if (!m_status.Failed() && AllCovered(sub, 6, backtrackCount) &&
        AllCovered(sub, lookaheadAt + 2, lookaheadCount)) {
        Unsafe(sub.At16(2));
    }
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

} // namespace

PairwiseShaping JudgePairwiseShaping(const LayoutTables& tables,
                                     const std::vector<std::uint32_t>& glyphs) {
    PairwiseShaping result;
    if (tables.hasAatLayout) {
        return result;
    }
    const GlyphSet glyphSet(glyphs);
    ReadStatus status(kWorkBudget);
    Judge judge(glyphSet, status, result);
    if (!tables.gdef.empty()) {
        judge.GlyphDefinitions(tables.gdef);
    }
    if (!tables.gsub.empty() && !status.Failed()) {
        judge.Layout(tables.gsub, Kind::Substitution);
    }
    if (!tables.gpos.empty() && !status.Failed()) {
        judge.Layout(tables.gpos, Kind::Positioning);
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
