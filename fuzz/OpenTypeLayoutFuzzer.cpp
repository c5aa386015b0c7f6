// JudgePairwiseShaping on any bytes as a font's layout tables: never reads outside them, and
// what it calls unsafe is always made of the glyphs it was given.
#include "framework/core/OpenTypeLayout.h"
#include "fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    std::vector<std::uint32_t> glyphs(input.Byte() % 48);
    for (std::uint32_t& glyph : glyphs) {
        // Mostly small ids, which the tables' small numbers reach.
        glyph = input.Byte();
        if (glyph >= 0xF0) {
            glyph = (glyph << 8) | input.Byte();
        }
    }
    // Each table in a heap block of its own exact size, so a read past its end is caught.
    std::vector<char> tables[4];
    for (auto& table : tables) {
        const std::size_t length = (std::size_t{input.Byte()} << 8) | input.Byte();
        const std::string bytes = input.Bytes(length);
        table.assign(bytes.begin(), bytes.end());
    }
    const auto view = [](const std::vector<char>& t) { return std::string_view(t.data(), t.size()); };
    fw::LayoutTables layout{view(tables[0]), view(tables[1]), view(tables[2]), view(tables[3]),
                            (flags & 0x80) != 0};

    const fw::PairwiseShaping result = fw::JudgePairwiseShaping(layout, glyphs);
    const auto given = [&](std::uint32_t glyph) {
        return std::find(glyphs.begin(), glyphs.end(), glyph) != glyphs.end();
    };
    if (!result.judged) {
        FUZZ_CHECK(result.unsafeGlyphs.empty() && result.unsafePairs.empty());
    }
    FUZZ_CHECK(!layout.hasAatLayout || !result.judged);
    for (const std::uint32_t glyph : result.unsafeGlyphs) {
        FUZZ_CHECK(given(glyph));
    }
    for (const auto& [first, second] : result.unsafePairs) {
        FUZZ_CHECK(given(first) && given(second));
    }
    // The same tables and glyphs in another order: the same judgement.
    std::reverse(glyphs.begin(), glyphs.end());
    const fw::PairwiseShaping again = fw::JudgePairwiseShaping(layout, glyphs);
    FUZZ_CHECK(again.judged == result.judged && again.unsafeGlyphs == result.unsafeGlyphs &&
               again.unsafePairs == result.unsafePairs);
    return 0;
}
