#include "framework/ui/Graphics.h"

#include "framework/core/Exceptions.h"
#include "framework/ui/Picture.h"
#include "framework/ui/RectControl.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using fw::Color;
using fw::Int32;
using fw::Picture;
using fw::RGB;

constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kBlue = RGB(0, 0, 255);

// The set of pixels of a colour, as (x, y).
std::set<std::pair<int, int>> PixelsOf(const Picture& picture, Color colour) {
    std::set<std::pair<int, int>> found;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.Pixel(x, y) == colour) {
                found.insert({x, y});
            }
        }
    }
    return found;
}

std::set<std::pair<int, int>> Rect(int x, int y, int width, int height) {
    std::set<std::pair<int, int>> cells;
    for (int j = y; j < y + height; ++j) {
        for (int i = x; i < x + width; ++i) {
            cells.insert({i, j});
        }
    }
    return cells;
}

TEST(PictureTest, NewPictureIsOpaqueWhiteWithPersistentGraphics) {
    Picture picture(7, 5, 32);
    EXPECT_EQ(picture.Width(), 7);
    EXPECT_EQ(picture.Height(), 5);
    EXPECT_EQ(PixelsOf(picture, kWhite).size(), 35u);
    EXPECT_EQ(qAlpha(picture.Image().pixel(3, 3)), 255);
    EXPECT_EQ(&picture.Graphics(), &picture.Graphics());
    EXPECT_EQ(picture.Graphics().Width(), 7);
    EXPECT_EQ(picture.Graphics().Height(), 5);
    EXPECT_THROW(picture.Pixel(7, 0), fw::OutOfBoundsException);
    EXPECT_THROW(picture.Pixel(0, -1), fw::OutOfBoundsException);
}

TEST(PictureTest, EmptyOrNegativeSizeDrawsNothingAndDoesNotFail) {
    Picture empty(-3, 0, 32);
    EXPECT_EQ(empty.Width(), 0);
    fw::Graphics& g = empty.Graphics();
    g.FillRect(0, 0, 10, 10);
    g.DrawLine(0, 0, 5, 5);
    g.DrawString("text", 0, 10);
    EXPECT_GT(g.StringWidth("text"), 0.0);
    EXPECT_THROW(Picture(100000, 1, 32), fw::OutOfBoundsException);
}

TEST(GraphicsTest, FillRectCoversExactlyWidthByHeight) {
    Picture picture(10, 10, 32);
    fw::Graphics& g = picture.Graphics();
    g.ForeColor(kRed);
    g.FillRect(2, 3, 4, 5);
    EXPECT_EQ(PixelsOf(picture, kRed), Rect(2, 3, 4, 5));
}

TEST(GraphicsTest, DrawRectFrameLiesInside) {
    struct Case {
        Int32 pen;
    } cases[] = {{1}, {2}};
    for (const Case& c : cases) {
        Picture picture(12, 12, 32);
        fw::Graphics& g = picture.Graphics();
        g.ForeColor(kBlue);
        g.PenWidth(c.pen);
        g.DrawRect(1, 2, 8, 6);
        std::set<std::pair<int, int>> expected = Rect(1, 2, 8, 6);
        for (const auto& inner : Rect(1 + c.pen, 2 + c.pen, 8 - 2 * c.pen, 6 - 2 * c.pen)) {
            expected.erase(inner);
        }
        EXPECT_EQ(PixelsOf(picture, kBlue), expected) << "pen " << c.pen;
    }
}

TEST(GraphicsTest, DrawLineIncludesBothEndPoints) {
    struct Case {
        Int32 x1, y1, x2, y2;
        std::set<std::pair<int, int>> pixels;
    } cases[] = {
        {2, 4, 6, 4, Rect(2, 4, 5, 1)},                 // horizontal, left to right
        {6, 4, 2, 4, Rect(2, 4, 5, 1)},                 // and right to left
        {3, 1, 3, 3, Rect(3, 1, 1, 3)},                 // vertical
        {5, 5, 5, 5, {{5, 5}}},                         // a single point
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}}, // diagonal
    };
    for (const Case& c : cases) {
        Picture picture(8, 8, 32);
        fw::Graphics& g = picture.Graphics();
        g.ForeColor(kRed);
        g.DrawLine(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(PixelsOf(picture, kRed), c.pixels)
            << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    }
}

TEST(GraphicsTest, NegativeOrZeroSizesDrawNothing) {
    Picture picture(10, 10, 32);
    fw::Graphics& g = picture.Graphics();
    g.ForeColor(kRed);
    g.FillRect(5, 5, -3, 4);
    g.FillRect(5, 5, 3, -4);
    g.DrawRect(5, 5, 0, 4);
    g.DrawRoundRect(5, 5, -1, 4, 3, 3);
    g.FillRoundRect(5, 5, 4, -1, 3, 3);
    EXPECT_TRUE(PixelsOf(picture, kRed).empty());
}

TEST(GraphicsTest, RoundRectStaysInsideAndRoundsItsCorners) {
    // The calendar's today mark: pen 2, arcs 20 by 20 on a whole cell.
    struct Case {
        Int32 pen, width, height, arc;
    } cases[] = {{1, 20, 14, 5}, {2, 24, 18, 20}};
    for (const Case& c : cases) {
        Picture picture(c.width + 4, c.height + 4, 32);
        fw::Graphics& g = picture.Graphics();
        g.ForeColor(kRed);
        g.PenWidth(c.pen);
        g.DrawRoundRect(2, 2, c.width, c.height, c.arc, c.arc);
        const auto red = PixelsOf(picture, kRed);
        ASSERT_FALSE(red.empty());
        for (const auto& [x, y] : red) {
            EXPECT_TRUE(x >= 2 && x < 2 + c.width && y >= 2 && y < 2 + c.height)
                << "pixel " << x << "," << y << " outside";
        }
        // The middles of the four edges are drawn, the corner pixels are not.
        const int midX = 2 + c.width / 2;
        const int midY = 2 + c.height / 2;
        EXPECT_TRUE(red.count({midX, 2}) && red.count({midX, 1 + c.height}) &&
                    red.count({2, midY}) && red.count({1 + c.width, midY}));
        EXPECT_FALSE(red.count({2, 2}) || red.count({1 + c.width, 1 + c.height}));
        // The inside stays white.
        EXPECT_EQ(picture.Pixel(midX, midY), kWhite);
    }
}

TEST(GraphicsTest, FillRoundRectFillsInsideOnly) {
    Picture picture(20, 20, 32);
    fw::Graphics& g = picture.Graphics();
    g.ForeColor(kBlue);
    g.FillRoundRect(3, 3, 12, 10, 6, 6);
    for (const auto& [x, y] : PixelsOf(picture, kBlue)) {
        EXPECT_TRUE(x >= 3 && x < 15 && y >= 3 && y < 13) << x << "," << y;
    }
    EXPECT_EQ(picture.Pixel(9, 8), kBlue);
    EXPECT_EQ(picture.Pixel(3, 3), kWhite);
}

TEST(GraphicsTest, DrawPictureAtItsOwnSizeAndOffsetIncludingNegative) {
    Picture source(3, 2, 32);
    source.Graphics().ForeColor(kRed);
    source.Graphics().FillRect(0, 0, 3, 2);
    source.Graphics().ForeColor(kBlue);
    source.Graphics().FillRect(0, 0, 1, 1); // marks the source's top-left pixel

    struct Case {
        Int32 x, y;
    } cases[] = {{4, 5}, {-1, -1}, {7, 0}};
    for (const Case& c : cases) {
        Picture target(8, 8, 32);
        target.Graphics().DrawPicture(source, c.x, c.y);
        std::set<std::pair<int, int>> expectedRed;
        std::set<std::pair<int, int>> expectedBlue;
        for (const auto& [x, y] : Rect(c.x, c.y, 3, 2)) {
            if (x < 0 || y < 0 || x >= 8 || y >= 8) {
                continue;
            }
            (x == c.x && y == c.y ? expectedBlue : expectedRed).insert({x, y});
        }
        EXPECT_EQ(PixelsOf(target, kRed), expectedRed) << "at " << c.x << "," << c.y;
        EXPECT_EQ(PixelsOf(target, kBlue), expectedBlue) << "at " << c.x << "," << c.y;
    }
}

TEST(GraphicsTest, DrawStringInkSitsOnTheBaselineAndCondensesWithinWidth) {
    Picture picture(200, 40, 32);
    fw::Graphics& g = picture.Graphics();
    g.ForeColor(RGB(0, 0, 0));
    const int baseline = 25;
    g.DrawString("HHHH", 10, baseline);
    int top = 1000, bottom = -1, left = 1000;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.Pixel(x, y).Red() < 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
            }
        }
    }
    ASSERT_GE(bottom, 0) << "nothing drawn";
    EXPECT_EQ(bottom, baseline - 1); // "H" stands on the baseline
    EXPECT_GE(left, 10);
    EXPECT_GE(top, baseline - g.TextAscent());

    // Condensed: the ink of a long text stays within x .. x + width.
    Picture narrow(200, 40, 32);
    fw::Graphics& n = narrow.Graphics();
    n.ForeColor(RGB(0, 0, 0));
    const std::string longText = "A rather long text that cannot fit in forty pixels";
    ASSERT_GT(n.StringWidth(longText), 40.0);
    n.DrawString(longText, 5, baseline, 40, true);
    int right = -1;
    for (int y = 0; y < narrow.Height(); ++y) {
        for (int x = 0; x < narrow.Width(); ++x) {
            if (narrow.Pixel(x, y).Red() < 128) {
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_LT(right, 5 + 40);
}

TEST(GraphicsTest, MeasuresInItsFont) {
    Picture picture(20, 20, 32);
    fw::Graphics& g = picture.Graphics();
    const double plain = g.StringWidth("WWWW");
    EXPECT_GT(plain, 0.0);
    EXPECT_DOUBLE_EQ(g.StringWidth(""), 0.0);
    EXPECT_EQ(g.StringWidth("££££"), 4 * g.StringWidth("£"));
    EXPECT_GT(g.TextHeight(), 0);
    EXPECT_GT(g.TextAscent(), 0);
    EXPECT_LE(g.TextAscent(), g.TextHeight());

    g.TextSize(30);
    EXPECT_GT(g.StringWidth("WWWW"), plain);
    EXPECT_GT(g.TextHeight(), 20);
    g.TextSize(0);
    EXPECT_DOUBLE_EQ(g.StringWidth("WWWW"), plain);
    g.Bold(true);
    EXPECT_TRUE(g.Bold());
    EXPECT_GE(g.StringWidth("WWWW"), plain);
}

TEST(FontTest, SystemFontsAndUnits) {
    const QFont app = QApplication::font();
    const QFont system = fw::MakeFont("System", 0, false, false, false);
    EXPECT_EQ(system.family(), app.family());
    EXPECT_DOUBLE_EQ(system.pointSizeF(), app.pointSizeF());

    const QFont small = fw::MakeFont("SmallSystem", 0, true, true, true);
    EXPECT_EQ(small.family(), app.family());
    EXPECT_DOUBLE_EQ(small.pointSizeF(), app.pointSizeF() - 2);
    EXPECT_TRUE(small.bold() && small.italic() && small.underline());

    EXPECT_DOUBLE_EQ(fw::MakeFont("System", 11, false, false, false).pointSizeF(), 11.0);
    EXPECT_EQ(fw::MakeFont("System", 14, false, false, false, fw::FontUnits::Pixel).pixelSize(),
              14);
    EXPECT_DOUBLE_EQ(
        fw::MakeFont("System", 1, false, false, false, fw::FontUnits::Inch).pointSizeF(), 72.0);
    // A named font keeps its name; fontconfig picks what stands in for it.
    EXPECT_EQ(fw::MakeFont("No Such Font Family", 0, false, false, false).family(),
              QString("No Such Font Family"));
}

// Sizes beyond what the font engine measures stop at one size, in every unit: heights and
// ascents stay positive, at a device pixel ratio of 1 and 2.
TEST(FontTest, HugeSizesStopAtOneSize) {
    const double inf = std::numeric_limits<double>::infinity();
    const QFont largest = fw::MakeFont("System", 1536, false, false, false);
    const QFont largestPixels =
        fw::MakeFont("System", 2048, false, false, false, fw::FontUnits::Pixel);
    QImage doubled(20, 20, QImage::Format_RGB32);
    doubled.setDevicePixelRatio(2);
    for (fw::FontUnits unit : {fw::FontUnits::Default, fw::FontUnits::Point, fw::FontUnits::Pixel,
                               fw::FontUnits::Inch, fw::FontUnits::Millimeter}) {
        for (double size : {2e4, 1e6, 1e12, inf}) {
            const QFont font = fw::MakeFont("System", size, false, false, false, unit);
            for (const QFontMetrics& fm : {QFontMetrics(font), QFontMetrics(font, &doubled)}) {
                EXPECT_GT(fm.ascent(), 0) << size;
                EXPECT_GT(fm.height(), fm.ascent()) << size;
                EXPECT_GT(fm.horizontalAdvance("W"), 0) << size;
            }
            const QFont& cap = unit == fw::FontUnits::Pixel ? largestPixels : largest;
            EXPECT_EQ(QFontMetrics(font).height(), QFontMetrics(cap).height())
                << static_cast<int>(unit) << " " << size;
        }
    }
    EXPECT_GT(QFontMetrics(largest).height(),
              QFontMetrics(fw::MakeFont("System", 1000, false, false, false)).height());
    const QFont nan = fw::MakeFont("System", std::nan(""), false, false, false);
    EXPECT_DOUBLE_EQ(nan.pointSizeF(), QApplication::font().pointSizeF());
}

} // namespace
