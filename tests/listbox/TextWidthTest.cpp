// Summed text widths against shaped ones: every installed font family in four styles at two
// sizes, over texts that kern, form ligatures, carry marks, run right to left, need other
// fonts, and the demonstration's own texts.
#include "app/Startup.h"
#include "app/Window1.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Picture.h"
#include "framework/ui/TextWidthModel.h"

#include <QFontDatabase>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <vector>

using fw::Int32;

namespace {

// clang-format off
const std::vector<std::string> kPlain = {
    "AVAWAY", "To.", "Ty,", "LT", "Yes, WAVE", "0123456789", "1,234.56", "-42", "$ 12.00",
    "10/12/2026", "09:30:45", "Hello, world!", "(a) [b] {c}", "a b  c", "\xc2\xa3 5",
    "caf\xc3\xa9 na\xc3\xafve \xc3\x86sir", "\xc2\xa0nbsp", "",
    "\xe2\x80\x9cquoted\xe2\x80\x9d \xe2\x80\x94 dash \xe2\x82\xac", "\xc5\x93uvre \xc4\xb1",
};
// Summed or shaped as the font's tables tell.
const std::vector<std::string> kLigatures = {
    "office", "affluent", "fjord", "ffi", "ffl", "Th", "fi fl",
};
// Shaped in any font.
const std::vector<std::string> kShaped = {
    "e\xcc\x81", "n\xcc\x83" "a",                                 // combining marks
    "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d abc",                        // Hebrew
    "\xd9\x85\xd8\xb1\xd8\xad\xd8\xa8\xd8\xa7",                    // Arabic
    "\xe4\xb8\xad\xe6\x96\x87 \xe6\xbc\xa2\xe5\xad\x97",           // CJK
    "\xf0\x9f\x91\x8d\xf0\x9f\x8f\xbd",                            // emoji with skin tone
    "\xf0\x9f\x91\xa9\xe2\x80\x8d\xf0\x9f\x92\xbb",                // ZWJ sequence
    "a\tb", "\t", "soft\xc2\xadhyphen", "1\xe2\x81\x84" "2", "x\xe2\x81\x84y",
    "\xff\xfe invalid", "\xc3", "\xed\xa0\x80", // malformed UTF-8 and an encoded surrogate
};
// clang-format on

// Printable ASCII and Latin-1, fixed seed.
std::vector<std::string> RandomTexts(int count) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> length(1, 24);
    std::uniform_int_distribution<int> pick(0, 95 + 96 - 1);
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        std::u16string text;
        for (int n = length(random); n > 0; --n) {
            const int k = pick(random);
            text += static_cast<char16_t>(k < 95 ? 0x20 + k : 0xA0 + (k - 95));
        }
        texts.push_back(QString::fromStdU16String(text).toStdString());
    }
    return texts;
}

// Every distinct text of the demonstration's list (of its first rows rows), headings included.
std::vector<std::string> DemoTexts(Int32 rows = 1 << 30) {
    Initialize();
    TambrelListBox& lb = Window1::Instance()->lb1();
    std::set<std::string> texts;
    for (Int32 c = 0; c < lb.ColumnCount(); ++c) {
        texts.insert(lb.Heading(c));
        for (Int32 r = 0; r < std::min(rows, lb.ListCount()); ++r) {
            texts.insert(lb.Cell(r, c));
        }
    }
    return {texts.begin(), texts.end()};
}

struct Surface {
    fw::Picture picture{20, 20, 32};
    fw::Graphics& g = picture.Graphics();
    Surface(const std::string& family, double size, bool bold, bool italic) {
        g.TextFont(family);
        g.TextSize(size);
        g.Bold(bold);
        g.Italic(italic);
    }
};

TEST(TextWidthModel, SummedWidthsAreShapedWidthsInEveryInstalledFont) {
    std::vector<std::string> texts = kPlain;
    texts.insert(texts.end(), kLigatures.begin(), kLigatures.end());
    texts.insert(texts.end(), kShaped.begin(), kShaped.end());
    const std::vector<std::string> demo = DemoTexts(12);
    texts.insert(texts.end(), demo.begin(), demo.end());
    const std::vector<std::string> random = RandomTexts(150);
    texts.insert(texts.end(), random.begin(), random.end());

    QStringList families = QFontDatabase::families();
    ASSERT_GE(families.size(), 5) << "scripts/install-deps.sh installs the fonts";
    families = families.mid(0, 64);
    int summed = 0;
    for (const QString& family : families) {
        for (int style = 0; style < 4; ++style) {
            for (double size : {9.0, 14.5}) {
                Surface s(family.toStdString(), size, style & 1, style & 2);
                fw::TextWidthModel model(s.g);
                for (const std::string& text : texts) {
                    const std::optional<double> exact = model.Exact(text);
                    if (exact) {
                        ++summed;
                        ASSERT_EQ(*exact, s.g.StringWidth(text))
                            << family.toStdString() << " " << size << " style " << style << " \""
                            << text << "\"";
                    }
                }
            }
        }
    }
    EXPECT_GT(summed, 0);
}

// In DejaVu Sans (what "Verdana" becomes here) the plain texts and the demonstration's are
// summed, not shaped; marks, other scripts, other fonts' characters, controls, format
// characters and malformed UTF-8 are shaped in any font.
TEST(TextWidthModel, PlainTextsAreSummedInDejaVuSans) {
    for (const char* family : {"DejaVu Sans", "Verdana"}) {
        Surface s(family, 11, false, false);
        fw::TextWidthModel model(s.g);
        ASSERT_TRUE(model.Summing()) << family;
        std::vector<std::string> texts = kPlain;
        const std::vector<std::string> demo = DemoTexts();
        texts.insert(texts.end(), demo.begin(), demo.end());
        for (const std::string& text : texts) {
            const std::optional<double> exact = model.Exact(text);
            ASSERT_TRUE(exact.has_value()) << family << " \"" << text << "\"";
            EXPECT_EQ(*exact, s.g.StringWidth(text)) << family << " \"" << text << "\"";
        }
        for (const std::string& text : kShaped) {
            EXPECT_FALSE(model.Exact(text).has_value()) << family << " \"" << text << "\"";
        }
        EXPECT_TRUE(model.Summing()) << family;
    }
}

} // namespace
