#include "framework/core/OpenTypeLayout.h"

#include "tests/core/OpenTypeFontFile.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace otltest;

namespace {

const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";

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
    const FontFile font(kDejaVu + "DejaVuSans.ttf");
    if (!font.Loaded()) {
        GTEST_SKIP() << "DejaVu Sans is not installed";
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

std::string Ascii() {
    std::string text;
    for (char ch = ' '; ch < 127; ++ch) {
        text += ch;
    }
    return text;
}

// Of the printable ASCII characters, only the ligatures' first pairs need shaping.
TEST(OpenTypeLayoutFont, AsciiOfInstalledFontsNeedsShapingOnlyAtLigatures) {
    const struct {
        std::string path;
        std::set<std::string> pairs;
    } fonts[] = {
        {kDejaVu + "DejaVuSans.ttf", {"ff", "fi", "fl"}},
        {kDejaVu + "DejaVuSans-Bold.ttf", {"ff", "fi", "fl"}},
        {kDejaVu + "DejaVuSerif.ttf", {"ff", "fi", "fl"}},
        // "Nr" starts the ligature of "Nr." (the numero sign).
        {"/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf", {"Nr", "ff", "fi", "fl"}},
    };
    const std::string ascii = Ascii();
    for (const auto& [path, pairs] : fonts) {
        SCOPED_TRACE(path);
        const FontFile font(path);
        if (!font.Loaded()) {
            continue; // not every font is installed everywhere
        }
        const std::vector<std::uint32_t> glyphs = GlyphsOf(font, ascii);
        const fw::PairwiseShaping result = fw::JudgePairwiseShaping(font.Layout(), glyphs);
        EXPECT_TRUE(result.judged);
        EXPECT_TRUE(result.unsafeGlyphs.empty());
        std::map<std::uint32_t, char> character;
        for (std::size_t k = 0; k < ascii.size(); ++k) {
            character.emplace(glyphs[k], ascii[k]);
        }
        std::set<std::string> named;
        for (const auto& [first, second] : result.unsafePairs) {
            named.insert({character[first], character[second]});
        }
        EXPECT_EQ(named, pairs);
    }
}

// A real font's tables cut short anywhere: never read past the end, judged only when the
// cut left everything the judgement reads.
TEST(OpenTypeLayoutFont, CutTablesOfARealFont) {
    const FontFile font(kDejaVu + "DejaVuSans.ttf");
    if (!font.Loaded()) {
        GTEST_SKIP() << "DejaVu Sans is not installed";
    }
    const fw::LayoutTables whole = font.Layout();
    const std::vector<std::uint32_t> glyphs = GlyphsOf(font, Ascii());
    const fw::PairwiseShaping full = fw::JudgePairwiseShaping(whole, glyphs);
    for (std::string_view fw::LayoutTables::*table :
         {&fw::LayoutTables::gsub, &fw::LayoutTables::gpos, &fw::LayoutTables::gdef}) {
        const std::string_view bytes = whole.*table;
        for (std::size_t size = 1; size < bytes.size(); size += 1 + size / 16) {
            const std::vector<char> left(bytes.begin(), bytes.begin() + size);
            fw::LayoutTables cut = whole;
            cut.*table = std::string_view(left.data(), left.size());
            const fw::PairwiseShaping result = fw::JudgePairwiseShaping(cut, glyphs);
            if (result.judged) {
                EXPECT_EQ(result.unsafeGlyphs, full.unsafeGlyphs) << size;
                EXPECT_EQ(result.unsafePairs, full.unsafePairs) << size;
            }
        }
    }
}

} // namespace
