#include "framework/core/OpenTypeJudge.h"

#include <unordered_map>

namespace fw::otl {

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

template <class RuleFires>
bool Judge::SomeRuleFires(const Table& sub, std::size_t setsAt, std::uint16_t setCount,
                          std::uint32_t index, RuleFires&& ruleFires) {
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
        if (!rule.IsNull() && ruleFires(rule)) {
            return true;
        }
    }
    return false;
}

// Sequence context (substitution 5, positioning 7): a rule can fire when every glyph it
// asks for can be one of the texts'; then the glyphs it starts on are unsafe.
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
        return SomeRuleFires(sub, setsAt, setCount, index, [&](const Table& rule) {
            const std::uint16_t glyphCount = rule.U16(0);
            const std::size_t rest = glyphCount == 0 ? 0 : glyphCount - 1u;
            return classes == nullptr ? AllGlyphs(rule, 4, rest)
                                      : AllClasses(rule, 4, rest, *classes);
        });
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
            const bool ok = classes == nullptr ? AllGlyphs(rule, at + 2, count)
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
        return SomeRuleFires(sub, setsAt, setCount, index,
                             [&](const Table& rule) { return ruleFires(rule, classes); });
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

} // namespace fw::otl
