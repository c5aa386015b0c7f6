#include "framework/core/OpenTypeLayout.h"

#include "tests/core/OpenTypeTestTables.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

using namespace fw;
using namespace otltest;

namespace {

// The texts' glyphs: a, b, c, f, i, l. kMark and kOther are glyphs of the font no text holds.
constexpr std::uint16_t a = 1, b = 2, c = 3, f = 10, i = 11, l = 12;
constexpr std::uint16_t kMark = 50, kOther = 60;
const std::vector<std::uint32_t> kGlyphs = {a, b, c, f, i, l};

using Pairs = std::set<std::pair<std::uint32_t, std::uint32_t>>;
using Glyphs = std::unordered_set<std::uint32_t>;

struct Tables {
    std::string gsub, gpos, gdef, kern;
    bool aat = false;
    LayoutTables View() const { return {gsub, gpos, gdef, kern, aat}; }
};

Tables Gsub(const Node& table) { return {table.Bytes(), "", "", ""}; }
Tables Gpos(const Node& table) { return {"", table.Bytes(), "", ""}; }
Tables Kern(const Node& table) { return {"", "", "", table.Bytes()}; }

// A version 0 kerning table of one subtable with the given coverage field and no pairs.
Node KernTable(std::uint16_t coverage) {
    return Node().U16(0).U16(1).U16(0).U16(14).U16(coverage).U16(0).U16(0).U16(0).U16(0);
}

struct Case {
    const char* name;
    Tables tables;
    bool judged;
    Glyphs glyphs;
    Pairs pairs;
};

// A class definition listing every glyph of the texts (class 2) and the mark (class 1).
Node AllListed() { return Ranges({{a, l, 2}, {kMark, kMark, 1}}); }

std::vector<Case> Cases() {
    const LookupSpec single{1, 0, {SingleSubst({a, kOther})}};
    std::vector<Case> cases = {
        {"no tables", {}, true, {}, {}},
        {"aat layout", {"", "", "", "", true}, false, {}, {}},
        {"ligature: the pair of its first two glyphs",
         Gsub(OneLookup("liga", {4, 0x0008, {LigatureSubst(f, {{i}, {f, l}, {kOther}})}})),
         true, {}, {{f, i}, {f, f}}},
        {"ligature skipping ligatures: the first glyph",
         Gsub(OneLookup("liga", {4, 0x0004, {LigatureSubst(f, {{i}})}})), true, {f}, {}},
        {"ligature of one glyph", Gsub(OneLookup("liga", {4, 0, {LigatureSubst(f, {{}})}})),
         true, {f}, {}},
        {"single substitution", Gsub(OneLookup("ccmp", single)), true, {a}, {}},
        {"feature off by default", Gsub(OneLookup("dlig", single)), true, {}, {}},
        {"feature the shaper turns on for fonts that name it", Gsub(OneLookup("Buzz", single)),
         true, {a}, {}},
        {"fraction features", Gsub(OneLookup("frac", single)), true, {}, {}},
        {"required feature whatever its tag",
         Gsub(Layout({{"latn", {}, 0}}, {{"dlig", {0}}}, {single})), true, {a}, {}},
        {"language system", Gsub(Layout({{"latn", {0}, 0xFFFF, true}}, {{"liga", {0}}}, {single})),
         true, {a}, {}},
        {"other script beside latn",
         Gsub(Layout({{"latn", {}}, {"cyrl", {0}}}, {{"ccmp", {0}}}, {single})), true, {}, {}},
        {"no text script: every script",
         Gsub(Layout({{"cyrl", {0}}}, {{"ccmp", {0}}}, {single})), true, {a}, {}},
        {"chain whose lookahead needs another glyph",
         Gsub(OneLookup("ccmp", {6, 0, {ChainCoverages({}, {Coverage({i})}, {Coverage({kMark})})}})),
         true, {}, {}},
        {"chain whose positions all hold text glyphs",
         Gsub(OneLookup("calt", {6, 0, {ChainCoverages({Coverage({b})}, {Coverage({i, kOther})},
                                                         {Coverage({kMark, c})})}})),
         true, {i}, {}},
        {"class 0 held by glyphs the class definition leaves out",
         Gsub(OneLookup("calt", {6, 0, {ChainClasses(Coverage({i}), Node(), Ranges({{i, i, 1}}),
                                                       Ranges({{kMark, kMark, 1}}), 1,
                                                       {{}, {}, {0}})}})),
         true, {i}, {}},
        {"class 0 when every glyph is listed",
         Gsub(OneLookup("calt", {6, 0, {ChainClasses(Coverage({i}), Node(), Ranges({{i, i, 1}}),
                                                       AllListed(), 1, {{}, {}, {0}})}})),
         true, {}, {}},
        {"class rule asking for a class only the mark has",
         Gsub(OneLookup("calt", {6, 0, {ChainClasses(Coverage({i}), AllListed(), Node(), Node(),
                                                       0, {{1}, {}, {}})}})),
         true, {}, {}},
        {"context of glyphs",
         Gsub(OneLookup("calt", {5, 0, {Node().U16(1).Off16(Coverage({a, b})).U16(2)
                                            .Off16(Node().U16(1).Off16(Node().U16(2).U16(0).U16(c)))
                                            .Off16(Node().U16(1).Off16(
                                                Node().U16(2).U16(0).U16(kMark)))}})),
         true, {a}, {}},
        {"context of coverages",
         Gpos(OneLookup("kern", {7, 0, {Node().U16(3).U16(2).U16(0).Off16(Coverage({c}))
                                            .Off16(Coverage({kOther, l}))}})),
         true, {c}, {}},
        {"reverse chain",
         Gsub(OneLookup("calt", {8, 0, {Node().U16(1).Off16(Coverage({a, b})).U16(0).U16(1)
                                            .Off16(Coverage({kMark})).U16(0)}})),
         true, {}, {}},
        {"extension of a substitution",
         Gsub(OneLookup("liga", {7, 0, {Extension(1, SingleSubst({b}))}})), true, {b}, {}},
        {"extension of an extension",
         Gsub(OneLookup("liga", {7, 0, {Extension(7, Extension(1, SingleSubst({b})))}})), false, {},
         {}},
        {"pair kerning", Gpos(OneLookup("kern", {2, 0x0008, {PairAdjust(f, i, 4, 0)}})), true, {},
         {}},
        {"pair adjusting the second glyph", Gpos(OneLookup("kern", {2, 0, {PairAdjust(f, i, 4, 4)}})),
         true, {f}, {}},
        {"pair kerning skipping base glyphs",
         Gpos(OneLookup("kern", {2, 0x0002, {PairAdjust(f, i, 4, 0)}})), true, {f}, {}},
        {"extension of a positioning",
         Gpos(OneLookup("kern", {9, 0, {Extension(2, PairAdjust(f, i, 0, 4))}})), true, {f}, {}},
        {"single adjustment", Gpos(OneLookup("kern", {1, 0, {Node().U16(1).Off16(Coverage({a}))
                                                                 .U16(4).U16(5)}})),
         true, {}, {}},
        {"mark to base: the marks, not the bases",
         Gpos(OneLookup("mark", {4, 0, {Node().U16(1).Off16(Coverage({kMark, c}))
                                            .Off16(Coverage({b})).U16(0).U16(0).U16(0)}})),
         true, {c}, {}},
        {"mark to mark: the attaching marks",
         Gpos(OneLookup("mkmk", {6, 0, {Node().U16(1).Off16(Coverage({a}))
                                            .Off16(Coverage({b})).U16(0).U16(0).U16(0)}})),
         true, {a}, {}},
        {"cursive", Gpos(OneLookup("curs", {3, 0, {Node().U16(1).Off16(Coverage({l})).U16(0)}})),
         true, {l}, {}},
        {"mark glyph class", {"", "", Node().U16(1).U16(0).Off16(Ranges({{a, b, 1}, {c, c, 3}}))
                                          .Bytes(), ""},
         true, {c}, {}},
        {"unknown lookup type", Gsub(OneLookup("liga", {9, 0, {SingleSubst({a})}})), false, {}, {}},
        {"unknown format", Gsub(OneLookup("liga", {1, 0, {Node().U16(3).Off16(Coverage({a}))}})),
         false, {}, {}},
        {"lookup index out of range", Gsub(Layout({{"latn", {0}}}, {{"liga", {1}}}, {single})), false,
         {}, {}},
        {"feature variations",
         {Node().U16(1).U16(1).U16(0).U16(0).U16(0).U32(14).U32(0).Bytes(), "", "", ""}, false, {},
         {}},
        {"kerning of pairs", Kern(KernTable(0x0001)), true, {}, {}},
        {"kerning by class", Kern(KernTable(0x0201)), true, {}, {}},
        {"cross-stream kerning", Kern(KernTable(0x0005)), false, {}, {}},
        {"minimum kerning", Kern(KernTable(0x0003)), false, {}, {}},
        {"vertical kerning", Kern(KernTable(0x0000)), false, {}, {}},
        {"kerning state machine", Kern(KernTable(0x0101)), false, {}, {}},
        {"kerning of the other vendor", Kern(Node().U32(0x00010000).U32(0)), false, {}, {}},
    };
    return cases;
}

TEST(OpenTypeLayout, JudgesEachKindOfLookup) {
    for (const Case& test : Cases()) {
        SCOPED_TRACE(test.name);
        const PairwiseShaping result = JudgePairwiseShaping(test.tables.View(), kGlyphs);
        EXPECT_EQ(result.judged, test.judged);
        EXPECT_EQ(result.unsafeGlyphs, test.glyphs);
        EXPECT_EQ(result.unsafePairs, test.pairs);
    }
}

// Every lookup of the cases above in one GSUB and one GPOS.
Tables Everything() {
    Tables all;
    std::vector<LookupSpec> substitutions = {
        {4, 0, {LigatureSubst(f, {{i}, {f, l}})}},
        {6, 0, {ChainCoverages({Coverage({b})}, {Coverage({i})}, {Coverage({c})}),
                ChainClasses(Coverage({i}), Node(), Ranges({{i, i, 1}}), Ranges({{kMark, kMark, 1}}),
                             1, {{}, {}, {0}})}},
        {7, 0, {Extension(1, SingleSubst({b}))}},
        {8, 0, {Node().U16(1).Off16(Coverage({a})).U16(0).U16(1).Off16(Coverage({c})).U16(0)}},
    };
    all.gsub = Layout({{"latn", {0}}, {"DFLT", {0}, 0, true}}, {{"liga", {0, 1, 2, 3}}},
                      substitutions)
                   .Bytes();
    all.gpos = Layout({{"latn", {0}}}, {{"kern", {0, 1, 2}}},
                      {{2, 0, {PairAdjust(f, i, 4, 0), PairAdjust(l, i, 4, 4)}},
                       {9, 0, {Extension(5, Node().U16(1).Off16(Ranges({{a, b, 0}}))
                                                .Off16(Coverage({kMark})).U16(0).U16(0).U16(0))}},
                       {7, 0, {Node().U16(3).U16(1).U16(0).Off16(Coverage({c}))}}})
                   .Bytes();
    all.gdef = Node().U16(1).U16(0).Off16(Ranges({{kMark, kMark, 3}})).Bytes();
    all.kern = KernTable(0x0001).Bytes();
    return all;
}

TEST(OpenTypeLayout, EverythingTogether) {
    const PairwiseShaping result = JudgePairwiseShaping(Everything().View(), kGlyphs);
    EXPECT_TRUE(result.judged);
    EXPECT_EQ(result.unsafeGlyphs, (Glyphs{a, b, c, i, l}));
    EXPECT_EQ(result.unsafePairs, (Pairs{{f, i}, {f, f}}));
}

// Cut short or with any byte changed, the tables are either not judged or judged as far as
// what is left of them tells, and never read out of range (the sanitizer build checks that).
TEST(OpenTypeLayout, MalformedTablesAreNeverReadOutOfRange) {
    const Tables whole = Everything();
    const PairwiseShaping full = JudgePairwiseShaping(whole.View(), kGlyphs);
    const std::pair<std::string Tables::*, std::string_view LayoutTables::*> tables[] = {
        {&Tables::gsub, &LayoutTables::gsub},
        {&Tables::gpos, &LayoutTables::gpos},
        {&Tables::gdef, &LayoutTables::gdef},
        {&Tables::kern, &LayoutTables::kern}};
    for (const auto& [table, view] : tables) {
        const std::string& bytes = whole.*table;
        for (std::size_t size = 1; size < bytes.size(); ++size) {
            // A heap block of exactly the bytes left, so a read past them is caught.
            const std::vector<char> left(bytes.begin(), bytes.begin() + size);
            LayoutTables cut = whole.View();
            cut.*view = std::string_view(left.data(), left.size());
            const PairwiseShaping result = JudgePairwiseShaping(cut, kGlyphs);
            if (result.judged) {
                EXPECT_EQ(result.unsafeGlyphs, full.unsafeGlyphs) << size;
                EXPECT_EQ(result.unsafePairs, full.unsafePairs) << size;
            }
        }
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            for (const char value : {'\x00', '\x01', '\x7F', '\xFF'}) {
                std::vector<char> changed(bytes.begin(), bytes.end());
                changed[at] = value;
                LayoutTables tables = whole.View();
                tables.*view = std::string_view(changed.data(), changed.size());
                const PairwiseShaping result = JudgePairwiseShaping(tables, kGlyphs);
                for (const std::uint32_t glyph : result.unsafeGlyphs) {
                    EXPECT_NE(std::find(kGlyphs.begin(), kGlyphs.end(), glyph), kGlyphs.end()) << at;
                }
                if (!result.judged) {
                    EXPECT_TRUE(result.unsafeGlyphs.empty() && result.unsafePairs.empty()) << at;
                }
            }
        }
    }
}

} // namespace
