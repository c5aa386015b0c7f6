// How the framework list box paints: background and text events, the selection, decimal
// alignment, and handlers that change the list while it paints.
#include "tests/ui/ListboxTestFixture.h"

#include <set>
#include <string>
#include <utility>

using fw::Int32;

namespace {

using listbox_test::ListboxTest;

TEST_F(ListboxTest, BackgroundPaintComesForRowPositionsBelowTheLastRow) {
    lb->ColumnCount(2);
    lb->AddRow({"a", "b"});
    lb->AddRow({"c", "d"});
    Show(202, 102); // five row positions of 20 pixels
    const QColor red(255, 0, 0);
    lb->onBackground = [](fw::Graphics& g, Int32 row, Int32) {
        if (row < 2) {
            return false;
        }
        g.ForeColor(fw::RGB(255, 0, 0));
        g.FillRect(0, 0, g.Width(), g.Height());
        return true;
    };
    const QImage img = Grab();
    std::set<std::pair<Int32, Int32>> seen;
    for (const auto& p : lb->backgrounds) {
        seen.insert({p.row, p.column});
        EXPECT_EQ(p.width, 100);
        EXPECT_EQ(p.height, 20);
    }
    for (Int32 row = 0; row < 5; ++row) {
        for (Int32 col = 0; col < 2; ++col) {
            EXPECT_TRUE(seen.count({row, col})) << row << "," << col;
        }
    }
    EXPECT_FALSE(seen.count({5, 0}));
    for (const auto& p : lb->texts) {
        EXPECT_LT(p.row, 2) << "no text paint for rows that do not exist";
    }
    EXPECT_EQ(img.pixelColor(150, 1 + 3 * 20 + 10), red); // row position 3, drawn by the handler
    EXPECT_EQ(img.pixelColor(150, 1 + 0 * 20 + 18), View()->palette().color(QPalette::Base));
}

TEST_F(ListboxTest, DefaultPaintingHighlightsSelectionAndUsesTheHandlersColour) {
    lb->ColumnCount(1);
    lb->AddRow({"MMMM"});
    lb->AddRow({"MMMM"});
    lb->ListIndex(1);
    Show(202, 62);
    lb->onText = [](fw::Graphics& g, Int32 row, Int32) {
        if (row == 0) {
            g.ForeColor(fw::RGB(0, 0, 255));
        }
        return false;
    };
    const QImage img = Grab();
    EXPECT_EQ(img.pixelColor(190, 1 + 20 + 10), View()->palette().color(QPalette::Highlight));
    bool blue = false;
    for (int x = 1; x < 60 && !blue; ++x) {
        for (int y = 1; y < 21 && !blue; ++y) {
            const QColor c = img.pixelColor(x, y);
            blue = c.blue() > 200 && c.red() < 80 && c.green() < 80;
        }
    }
    EXPECT_TRUE(blue) << "the framework drew the text in the ForeColor the handler left";
}

TEST_F(ListboxTest, DecimalAlignmentLinesUpTheSeparators) {
    const std::vector<std::string> texts = {"12.5", "1,234.25", "-3"};
    lb->ColumnCount(2);
    lb->ColumnWidths("200,*");
    lb->ColumnAlignment(0, 4);
    lb->ColumnAlignmentOffset(0, -30);
    lb->UseFocusRing(false);
    for (const auto& t : texts) {
        lb->AddRow({t, ""});
    }
    Show(302, 102);
    const QImage img = Grab();
    const QFontMetrics fm = View()->fontMetrics();
    std::vector<int> dotLine;
    for (const auto& p : lb->texts) {
        if (p.column != 0) {
            continue;
        }
        const std::string& t = texts[static_cast<size_t>(p.row)];
        const std::string whole = t.substr(0, t.find('.'));
        const int wholeWidth = fm.horizontalAdvance(QString::fromStdString(whole));
        EXPECT_EQ(p.x + wholeWidth, 200 - 30) << t;
        // Where the ink starts in the grabbed image.
        int inkLeft = -1;
        for (int x = 1; x < 201 && inkLeft < 0; ++x) {
            for (int y = 1 + p.row * 20; y < 1 + p.row * 20 + 19; ++y) {
                if (qGray(img.pixel(x, y)) < 140) {
                    inkLeft = x;
                    break;
                }
            }
        }
        ASSERT_GE(inkLeft, 0) << t;
        EXPECT_NEAR(inkLeft - 1, p.x, 2) << t;
        dotLine.push_back(inkLeft + wholeWidth);
    }
    ASSERT_EQ(dotLine.size(), 3u);
    EXPECT_NEAR(dotLine[0], dotLine[1], 2);
    EXPECT_NEAR(dotLine[0], dotLine[2], 2);
    EXPECT_NEAR(dotLine[0], 1 + 200 - 30, 2);
}

TEST_F(ListboxTest, PaintHandlersMayChangeTheListWhileItPaints) {
    lb->ColumnCount(3);
    for (int i = 0; i < 10; ++i) {
        lb->AddRow({"a", "b", "c"});
    }
    Show(302, 202);
    lb->onBackground = [this](fw::Graphics&, Int32 row, Int32 column) {
        if (row == 1 && column == 1) {
            lb->ColumnCount(1);
            lb->DeleteAllRows();
        }
        return false;
    };
    Grab();
    EXPECT_EQ(lb->ListCount(), 0);
    lb->onBackground = nullptr;
    const QImage img = Grab();
    EXPECT_EQ(img.pixelColor(150, 50), View()->palette().color(QPalette::Base));
}

} // namespace
