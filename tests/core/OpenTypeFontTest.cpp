#include "framework/core/OpenTypeLayout.h"

#include "tests/core/OpenTypeFontFile.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace otltest;

namespace {

const std::string kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::vector<std::uint32_t> GlyphsOf(const FontFile& font, std::string_view text) {
    std::vector<std::uint32_t> glyphs;
    for (const char ch : text) {
        glyphs.push_back(font.Glyph(static_cast<unsigned char>(ch)));
    }
    return glyphs;
}

// DejaVu Sans makes "fi" a ligature, and its composition rule on i and j (for the dotless
// form under a mark) needs a combining mark after them, which the texts never hold.
TEST(OpenTypeLayoutFont, DejaVuSansLigatureIsAPairAndDottedIStaysSafe) {
    const FontFile font(kDejaVuSans);
    if (!font.Loaded()) {
        GTEST_SKIP() << kDejaVuSans << " is not installed";
    }
    const std::uint32_t f = font.Glyph('f'), i = font.Glyph('i');
    ASSERT_NE(f, 0u);
    ASSERT_NE(i, 0u);
    std::vector<std::uint32_t> glyphs =
        GlyphsOf(font, "This is a long string, 0123456789 Something here. Bye! ()-,.:");
    glyphs.push_back(f);
    const fw::PairwiseShaping result = fw::JudgePairwiseShaping(font.Layout(), glyphs);
    EXPECT_TRUE(result.judged);
    EXPECT_TRUE(result.unsafePairs.count({f, i}));
    EXPECT_FALSE(result.unsafeGlyphs.count(i));
}

} // namespace
