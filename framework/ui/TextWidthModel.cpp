#include "framework/ui/TextWidthModel.h"

#include "framework/core/OpenTypeLayout.h"
#include "framework/ui/Graphics.h"

#include <QByteArray>
#include <QChar>
#include <QFont>
#include <QRawFont>
#include <QtGlobal>
#include <array>
#include <bitset>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace fw {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
constexpr float kUnknownPair = std::numeric_limits<float>::quiet_NaN();
constexpr char32_t kNoChar = 0xFFFFFFFF;
// Longer texts are shaped: the text engine may cut very long runs into pieces shaped apart.
constexpr std::size_t kMaxSummedBytes = 1000;
// Code points are judged by blocks of this many, so that a new character seldom means
// judging the tables again.
constexpr char32_t kBlock = 128;
// Fonts kept at most; past that the others are forgotten.
constexpr std::size_t kFontsKept = 16;

// Whether shaping can treat the character as a glyph with an advance and pair kerning at
// most, in whatever font: Latin or common, left-to-right or neutral, no mark, control or
// format character, nothing outside the BMP.
bool Plain(char32_t c) {
    if (c >= 0x10000 || (c >= 0xD800 && c <= 0xDFFF) || c == 0x2044) {
        return false;
    }
    const QChar ch(static_cast<char16_t>(c));
    if (ch.script() != QChar::Script_Latin && ch.script() != QChar::Script_Common) {
        return false;
    }
    switch (ch.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
        return false;
    default:
        break;
    }
    switch (ch.direction()) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirWS:
    case QChar::DirON:
        return true;
    default:
        return false;
    }
}

bool LatinScript(char32_t c) {
    return c < 0x10000 && QChar(static_cast<char16_t>(c)).script() == QChar::Script_Latin;
}

// The code point at p, moving p past it; kNoChar for malformed UTF-8 and for anything
// outside the BMP (never summed).
char32_t DecodeNonAscii(const unsigned char*& p, const unsigned char* end) {
    const unsigned char b = *p;
    if (b >= 0xC2 && b <= 0xDF && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
        const char32_t c = (char32_t{b & 0x1Fu} << 6) | (p[1] & 0x3Fu);
        p += 2;
        return c;
    }
    if (b >= 0xE0 && b <= 0xEF && end - p >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
        const char32_t c =
            (char32_t{b & 0x0Fu} << 12) | (char32_t{p[1] & 0x3Fu} << 6) | (p[2] & 0x3Fu);
        if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) {
            return kNoChar;
        }
        p += 3;
        return c;
    }
    return kNoChar;
}

std::string Utf8(char32_t c) {
    return QString(QChar(static_cast<char16_t>(c))).toStdString();
}

std::uint64_t PairKey(char32_t a, char32_t b) {
    return (std::uint64_t{a} << 32) | b;
}

} // namespace

// What is known of one font at one resolution. Advances and kerning are measurements and
// stay; which characters and pairs may be summed is judged again when a text brings
// characters of a block not judged yet.
struct FontWidths {
    bool summing = true;
    QRawFont raw;
    QByteArray gsub, gpos, gdef, kern;
    bool aat = false;
    std::bitset<0x10000 / kBlock> judgedBlocks;
    std::vector<std::uint32_t> alphabet; // the glyphs of every plain character judged
    std::unordered_set<std::uint32_t> unsafeGlyphs;
    std::unordered_set<std::uint64_t> unsafePairs; // of glyphs

    struct Char {
        double measured = kUnknown; // the one-character text's width
        std::uint32_t glyph = 0;
        bool safe = false;
        bool latin = false;
    };
    std::array<Char, 256> latin1{};
    // Latin-1: the advance of a safe character whose width was measured, else NaN.
    std::array<double, 256> advance{};
    // Latin-1 pairs' kerning, NaN when not measured or not safe: in a text with a Latin
    // letter ([1]) and in one of common characters only ([0]), which the text engine shapes
    // as another script.
    std::vector<float> pairs[2];
    std::unordered_map<char32_t, Char> others;
    std::unordered_map<std::uint64_t, float> otherPairs[2];

    Char& At(char32_t c) { return c < 256 ? latin1[c] : others[c]; }
    // Judges the blocks from c's on, with every character judged before.
    void Judge(char32_t c, char32_t blocks = 1);
};

void FontWidths::Judge(char32_t c, char32_t blocks) {
    const char32_t first = c / kBlock * kBlock;
    for (char32_t b = 0; b < blocks; ++b) {
        judgedBlocks.set(c / kBlock + b);
    }
    for (char32_t d = first; d < first + blocks * kBlock; ++d) {
        Char& ch = At(d);
        ch.latin = LatinScript(d);
        if (!Plain(d) || !raw.supportsCharacter(static_cast<quint32>(d))) {
            continue;
        }
        const QChar q(static_cast<char16_t>(d));
        quint32 glyph = 0;
        int count = 1;
        if (!raw.glyphIndexesForChars(&q, 1, &glyph, &count) || count != 1 || glyph == 0) {
            continue;
        }
        ch.glyph = glyph;
        ch.safe = true; // until judged below
        alphabet.push_back(glyph);
    }
    const LayoutTables tables{std::string_view(gsub.constData(), gsub.size()),
                              std::string_view(gpos.constData(), gpos.size()),
                              std::string_view(gdef.constData(), gdef.size()),
                              std::string_view(kern.constData(), kern.size()), aat};
    PairwiseShaping judged = JudgePairwiseShaping(tables, alphabet);
    if (!judged.judged) {
        summing = false;
        return;
    }
    unsafeGlyphs = std::move(judged.unsafeGlyphs);
    unsafePairs.clear();
    for (const auto& [a, b] : judged.unsafePairs) {
        unsafePairs.insert(PairKey(a, b));
    }
    // What was safe may not be now: every character is looked at again and every pair is
    // measured again on first use.
    auto rejudge = [this](Char& ch) { ch.safe = ch.safe && unsafeGlyphs.count(ch.glyph) == 0; };
    for (char32_t d = 0; d < 256; ++d) {
        rejudge(latin1[d]);
        advance[d] = latin1[d].safe ? latin1[d].measured : kUnknown;
    }
    for (auto& [d, ch] : others) {
        rejudge(ch);
    }
    for (auto& table : pairs) {
        table.assign(256 * 256, kUnknownPair);
    }
    for (auto& table : otherPairs) {
        table.clear();
    }
}

namespace {

std::shared_ptr<FontWidths> FontFor(const Graphics& g, const QFont& font) {
    static std::map<std::string, std::shared_ptr<FontWidths>> fonts;
    const std::string key = g.MeasuringKey();
    auto found = fonts.find(key);
    if (found != fonts.end()) {
        return found->second;
    }
    if (fonts.size() >= kFontsKept) {
        fonts.clear();
    }
    auto f = std::make_shared<FontWidths>();
    f->raw = QRawFont::fromFont(font);
    f->gsub = f->raw.fontTable("GSUB");
    f->gpos = f->raw.fontTable("GPOS");
    f->gdef = f->raw.fontTable("GDEF");
    f->kern = f->raw.fontTable("kern");
    f->aat = !f->raw.fontTable("morx").isEmpty() || !f->raw.fontTable("mort").isEmpty() ||
             !f->raw.fontTable("kerx").isEmpty();
    f->advance.fill(kUnknown);
    f->summing = f->raw.isValid();
    if (f->summing) {
        f->Judge(0, 256 / kBlock); // Latin-1 at once
    }
    fonts.emplace(key, f);
    return f;
}

// An ASCII text whose characters and pairs are all in the tables: the same sums in the same
// order as Exact's own loops, without their branches per character. Nothing when the text has
// other bytes or something not in the tables (a NaN reaches the sum), which Exact's loops then
// measure or refuse as before.
std::optional<double> KnownAscii(const FontWidths& f, std::string_view text) {
    const auto* const p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    if (n == 0) {
        return std::nullopt;
    }
    const float* const latinPairs = f.pairs[1].data();
    unsigned bytes = p[0];
    unsigned latin = ((p[0] | 0x20u) - 'a') < 26;
    double advances = f.advance[p[0]];
    double kerning = 0;
    for (std::size_t i = 1; i < n; ++i) {
        const unsigned c = p[i];
        bytes |= c;
        latin |= ((c | 0x20u) - 'a') < 26;
        advances += f.advance[c];
        kerning += latinPairs[p[i - 1] << 8 | c];
    }
    if (bytes >= 0x80) {
        return std::nullopt;
    }
    double sum = advances + kerning;
    if (latin == 0 && !std::isnan(sum)) {
        const float* const commonPairs = f.pairs[0].data();
        kerning = 0;
        for (std::size_t i = 1; i < n; ++i) {
            kerning += commonPairs[p[i - 1] << 8 | p[i]];
        }
        sum = advances + kerning;
    }
    if (std::isnan(sum)) {
        return std::nullopt;
    }
    return sum;
}

const FontWidths::Char* SlowChar(FontWidths& f, const Graphics& g, char32_t c);
std::optional<double> SlowPair(FontWidths& f, const Graphics& g, char32_t a, char32_t b,
                               bool latin);

} // namespace

TextWidthModel::TextWidthModel(const Graphics& graphics)
    : m_graphics(graphics), m_font(FontFor(graphics, *graphics.m_font)) {}

TextWidthModel::~TextWidthModel() = default;

bool TextWidthModel::Summing() const {
    return m_font->summing;
}

void TextWidthModel::Distrust() {
    // Silent: the widths stay exact, only slower, and the application keeps no log.
    m_font->summing = false;
}

double TextWidthModel::Shaped(std::string_view text) {
    return m_graphics.StringWidth(std::string(text));
}

std::optional<double> TextWidthModel::Exact(std::string_view text) {
    FontWidths& f = *m_font;
    if (!f.summing || text.size() > kMaxSummedBytes) {
        return std::nullopt;
    }
    if (const std::optional<double> known = KnownAscii(f, text)) {
        return known;
    }
    // The kerning of the pair (a, b) in a Latin text or in common text; nothing when the pair
    // cannot be summed.
    const auto pairDelta = [&](char32_t a, char32_t b, bool inLatin) -> std::optional<float> {
        const float k = (a | b) < 256 ? f.pairs[inLatin ? 1 : 0][a << 8 | b] : kUnknownPair;
        if (!std::isnan(k)) {
            return k;
        }
        const std::optional<double> slow = SlowPair(f, m_graphics, a, b, inLatin);
        if (!slow) {
            return std::nullopt;
        }
        return static_cast<float>(*slow);
    };
    // One pass sums advances and the kerning a Latin text gets; a text without a Latin
    // letter sums its kerning again as common text.
    double advances = 0;
    double kerning = 0;
    bool latin = false;
    char32_t previous = kNoChar;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    while (p < end) {
        char32_t c = *p;
        double a = kUnknown;
        if (c < 0x80) {
            ++p;
            latin = latin || ((c | 0x20) - 'a' < 26);
            a = f.advance[c];
        } else {
            c = DecodeNonAscii(p, end);
            if (c == kNoChar) {
                return std::nullopt;
            }
            if (c < 256) {
                a = f.advance[c];
                latin = latin || f.latin1[c].latin;
            }
        }
        if (std::isnan(a)) {
            const FontWidths::Char* slow = SlowChar(f, m_graphics, c);
            if (slow == nullptr) {
                return std::nullopt;
            }
            a = slow->measured;
            latin = latin || slow->latin;
        }
        advances += a;
        if (previous != kNoChar) {
            const std::optional<float> k = pairDelta(previous, c, true);
            if (!k) {
                return std::nullopt;
            }
            kerning += *k;
        }
        previous = c;
    }
    if (latin || text.empty()) {
        return advances + kerning;
    }
    kerning = 0;
    previous = kNoChar;
    for (p = reinterpret_cast<const unsigned char*>(text.data()); p < end;) {
        const char32_t c = *p < 0x80 ? *p++ : DecodeNonAscii(p, end);
        if (previous != kNoChar) {
            const std::optional<float> k = pairDelta(previous, c, false);
            if (!k) {
                return std::nullopt;
            }
            kerning += *k;
        }
        previous = c;
    }
    return advances + kerning;
}

namespace {

// The character when it may be summed, measured; its block is judged first if need be.
const FontWidths::Char* SlowChar(FontWidths& f, const Graphics& g, char32_t c) {
    if (!f.judgedBlocks.test(c / kBlock)) {
        f.Judge(c);
        if (!f.summing) {
            return nullptr;
        }
    }
    FontWidths::Char& ch = f.At(c);
    if (!ch.safe) {
        return nullptr;
    }
    if (std::isnan(ch.measured)) {
        ch.measured = g.StringWidth(Utf8(c));
        if (c < 256) {
            f.advance[c] = ch.measured;
        }
    }
    return &ch;
}

// The pair's kerning in a text with a Latin letter or in one without, measured on first use;
// nothing when it may not be summed.
std::optional<double> SlowPair(FontWidths& f, const Graphics& g, char32_t a, char32_t b,
                               bool latin) {
    const bool latin1 = (a | b) < 256;
    if (!latin1) {
        const auto& kept = f.otherPairs[latin ? 1 : 0];
        const auto found = kept.find(PairKey(a, b));
        if (found != kept.end()) {
            return found->second;
        }
    }
    const FontWidths::Char& first = f.At(a);
    const FontWidths::Char& second = f.At(b);
    if (f.unsafePairs.count(PairKey(first.glyph, second.glyph)) != 0) {
        return std::nullopt;
    }
    // Both characters are safe and measured: the text's first pass came by them.
    double k = g.StringWidth(Utf8(a) + Utf8(b)) - first.measured - second.measured;
    if (latin && !first.latin && !second.latin) {
        // Two common characters kern as in a Latin text only after a Latin letter: the pair
        // is measured behind one that kerns with neither of them in a way not summed.
        k = std::numeric_limits<double>::quiet_NaN();
        for (char32_t x : {U'x', U'n', U'o', U'H', U'l'}) {
            const FontWidths::Char* lead = SlowChar(f, g, x);
            if (lead == nullptr || f.unsafePairs.count(PairKey(lead->glyph, first.glyph)) != 0) {
                continue;
            }
            k = g.StringWidth(Utf8(x) + Utf8(a) + Utf8(b)) - g.StringWidth(Utf8(x) + Utf8(a)) -
                second.measured;
            break;
        }
        if (std::isnan(k)) {
            return std::nullopt;
        }
    }
    const auto stored = static_cast<float>(k);
    if (static_cast<double>(stored) != k) {
        return std::nullopt;
    }
    if (latin1) {
        f.pairs[latin ? 1 : 0][a << 8 | b] = stored;
    } else {
        f.otherPairs[latin ? 1 : 0][PairKey(a, b)] = stored;
    }
    return k;
}

} // namespace

} // namespace fw
