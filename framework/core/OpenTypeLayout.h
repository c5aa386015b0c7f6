#pragma once

#include <cstdint>
#include <set>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace fw {

// A font's layout tables as stored in the font; empty when the font has none.
struct LayoutTables {
    std::string_view gsub;
    std::string_view gpos;
    std::string_view gdef;
    std::string_view kern;
    bool hasAatLayout = false; // a 'morx', 'mort' or 'kerx' table: shaped by other rules
};

// What a font's default shaping of Latin and common (script-neutral) characters can do to
// texts made of the given glyphs beyond giving each glyph its own advance and each adjacent
// pair its kerning.
struct PairwiseShaping {
    // False: the tables could not be judged; every text must be shaped.
    bool judged = false;
    // A text holding one of these glyphs must be shaped.
    std::unordered_set<std::uint32_t> unsafeGlyphs;
    // A text holding one of these pairs side by side (first, second) must be shaped.
    std::set<std::pair<std::uint32_t, std::uint32_t>> unsafePairs;
};

// glyphs: the nominal glyphs (from the character map) of every character the texts use. The
// caller never passes characters of U+2044 FRACTION SLASH, marks, controls or format characters.
PairwiseShaping JudgePairwiseShaping(const LayoutTables& tables,
                                     const std::vector<std::uint32_t>& glyphs);

} // namespace fw
