#include "framework/core/Format.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Picture.h"
#include "tests/support/ListBoxAccess.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using fw::Color;
using fw::Int32;

namespace {

constexpr Color kLight{0xCCCCCC};
constexpr Color kDark{0x7F7F7F};
constexpr Color kWhite{0xFFFFFF};
constexpr Color kBlack{0x000000};
constexpr Color kCanvas{0x123456}; // what a picture holds before the control paints

// The arrow tables as drawn: for each row, the light segment and the dark one (x2 < x1: none).
struct Row {
    Int32 l1, l2, d1, d2;
};
const Row kLeftArrow[13] = {{6, 8, 1, 0}, {5, 8, 6, 7}, {4, 8, 5, 7}, {3, 8, 4, 7}, {2, 8, 3, 7},
                            {1, 8, 2, 7}, {0, 8, 1, 7}, {1, 8, 2, 7}, {2, 8, 3, 7}, {3, 8, 4, 7},
                            {4, 8, 5, 7}, {5, 8, 6, 7}, {6, 8, 1, 0}};
const Row kRightArrow[13] = {{0, 2, 1, 0}, {0, 3, 1, 2}, {0, 4, 1, 3}, {0, 5, 1, 4}, {0, 6, 1, 5},
                             {0, 7, 1, 6}, {0, 8, 1, 7}, {0, 7, 1, 6}, {0, 6, 1, 5}, {0, 5, 1, 4},
                             {0, 4, 1, 3}, {0, 3, 1, 2}, {0, 2, 1, 0}};
const Row kDownArrow[11] = {{1, 0, 1, 0},  {1, 0, 1, 0}, {0, 10, 1, 0}, {0, 10, 1, 9},
                            {0, 10, 1, 9}, {1, 9, 2, 8}, {2, 8, 3, 7},  {3, 7, 4, 6},
                            {4, 6, 5, 5},  {5, 5, 1, 0}, {1, 0, 1, 0}};

Color Expected(const Row* table, Int32 x, Int32 y, Color background) {
    const Row& r = table[y];
    if (x >= r.d1 && x <= r.d2) {
        return kDark;
    }
    if (x >= r.l1 && x <= r.l2) {
        return kLight;
    }
    return background;
}

// Checks a whole picture: the arrow of table at (ax, ay), size w x h, and outside canvas.
void ExpectArrow(const fw::Picture& p, const Row* table, Int32 w, Int32 h, Int32 ax, Int32 ay,
                 Color background, Color outside) {
    for (Int32 y = 0; y < p.Height(); ++y) {
        for (Int32 x = 0; x < p.Width(); ++x) {
            const Int32 px = x - ax;
            const Int32 py = y - ay;
            const bool inside = px >= 0 && px < w && py >= 0 && py < h;
            const Color want = inside ? Expected(table, px, py, background) : outside;
            ASSERT_EQ(p.Pixel(x, y), want) << "pixel " << x << "," << y;
        }
    }
}

std::unique_ptr<fw::Picture> Canvas(Int32 w, Int32 h, Color c = kCanvas) {
    auto p = std::make_unique<fw::Picture>(w, h, 32);
    p->Graphics().ForeColor(c);
    p->Graphics().FillRect(0, 0, w, h);
    return p;
}

bool SameImage(const fw::Picture& a, const fw::Picture& b) {
    return a.Image().convertToFormat(QImage::Format_RGB32) ==
           b.Image().convertToFormat(QImage::Format_RGB32);
}

TEST(DropDownArrows, EachTableAtItsPosition) {
    TambrelListBox lb;
    const Color back{0x336699};
    {
        auto p = Canvas(60, 27);
        TA::DrawLeftArrow(lb, p->Graphics(), back);
        ExpectArrow(*p, kLeftArrow, 9, 13, 60 - 16, 7, back, kCanvas);
    }
    {
        auto p = Canvas(60, 27);
        TA::DrawRightArrow(lb, p->Graphics(), back);
        ExpectArrow(*p, kRightArrow, 9, 13, 7, 7, back, kCanvas);
    }
    for (const char* side : {"L", "l"}) {
        auto p = Canvas(60, 27);
        TA::DrawDownArrow(lb, p->Graphics(), side, back);
        ExpectArrow(*p, kDownArrow, 11, 11, 6, 8, back, kCanvas);
    }
    for (const char* side : {"R", "", "x", "LL"}) {
        auto p = Canvas(60, 27);
        TA::DrawDownArrow(lb, p->Graphics(), side, back);
        ExpectArrow(*p, kDownArrow, 11, 11, 60 - 17, 8, back, kCanvas);
    }
}

TEST(DropDownArrows, SmallCellsGetNoAdjustment) {
    TambrelListBox lb;
    const Color back{0x336699};
    // 10 x 9: the left arrow goes to x = -6, y = -2; the down arrow to x = -7, y = -1.
    {
        auto p = Canvas(10, 9);
        TA::DrawLeftArrow(lb, p->Graphics(), back);
        ExpectArrow(*p, kLeftArrow, 9, 13, -6, -2, back, kCanvas);
    }
    {
        auto p = Canvas(10, 9);
        TA::DrawDownArrow(lb, p->Graphics(), "R", back);
        ExpectArrow(*p, kDownArrow, 11, 11, -7, -1, back, kCanvas);
    }
    // An even height leaves a half, rounded to the nearest: (26 - 13) / 2 = 6.5 gives 7.
    {
        auto p = Canvas(30, 26);
        TA::DrawRightArrow(lb, p->Graphics(), back);
        ExpectArrow(*p, kRightArrow, 9, 13, 7, 7, back, kCanvas);
    }
}

TEST(CellPainting, OppositeColor) {
    TambrelListBox lb;
    const std::pair<Color, Color> cases[] = {
        {Color(0x000000), Color(0xFFFFFF)},
        {Color(0x7F7F7F), Color(0x808080)},
        {Color(0x004080), Color(0xFFBF7F)},
        {Color(0xFFFFFF), Color(0x000000)},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(TA::OppositeColor(lb, in), out);
    }
}

struct Painting : ::testing::Test {
    TambrelListBox lb;
    const Color even{0xE0F0E0};
    const Color odd{0xF0E0F0};
    const Color highlight{0x8000FF};
    const Color box{0x7F7F7F};
    const Color text{0x004080};
    const Color bar{0xFFFF66};

    void SetUp() override {
        lb.ColumnCount(4);
        lb.ColumnTypes = "s,d,p,dr";
        lb.ColAlignment = "l,c,c,c";
        lb.AlternateColor = even;
        lb.BackColor = odd;
        lb.HighlightColor = highlight;
        lb.BoxColor = box;
        lb.TextColor = text;
        lb.ProgBarColor = bar;
        lb.Event_Open();
        for (int i = 0; i < 3; ++i) {
            lb.NewRow();
        }
    }

    std::unique_ptr<fw::Picture> Background(Int32 row, Int32 column, Int32 w = 106, Int32 h = 27) {
        auto p = Canvas(w, h);
        EXPECT_TRUE(lb.Event_CellBackgroundPaint(p->Graphics(), row, column));
        return p;
    }
};

TEST_F(Painting, StripesAlsoBelowTheLastRow) {
    lb.TableType = 2;
    for (Int32 row = 0; row < 8; ++row) {
        for (Int32 column : {0, 5}) {
            auto p = Background(row, column);
            const Color stripe = row % 2 == 0 ? even : odd;
            EXPECT_EQ(p->Pixel(0, 0), stripe) << row;
            EXPECT_EQ(p->Pixel(50, 13), stripe) << row;
            // A frame only inside the list.
            const bool framed = row < 3 && column < 4;
            EXPECT_EQ(p->Pixel(2, 13), framed ? box : stripe) << row << "," << column;
        }
    }
}

TEST_F(Painting, FramesByTableType) {
    struct Case {
        Int32 tableType;
        bool frame;
    };
    for (const Case c : {Case{0, false}, Case{1, true}, Case{2, true}, Case{3, false}}) {
        lb.TableType = c.tableType;
        auto p = Background(0, 0);
        // Middle of each side of the frame at 2,2 .. W-3,H-3.
        const Color want = c.frame ? box : even;
        EXPECT_EQ(p->Pixel(2, 13), want) << c.tableType;
        EXPECT_EQ(p->Pixel(103, 13), want) << c.tableType;
        EXPECT_EQ(p->Pixel(53, 2), want) << c.tableType;
        EXPECT_EQ(p->Pixel(53, 24), want) << c.tableType;
        EXPECT_EQ(p->Pixel(1, 13), even);
        EXPECT_EQ(p->Pixel(104, 13), even);
        EXPECT_EQ(p->Pixel(3, 13), even);
        if (c.tableType == 2) {
            EXPECT_EQ(p->Pixel(2, 2), box); // square corner
        }
        if (c.tableType == 1) {
            EXPECT_EQ(p->Pixel(2, 2), even); // rounded corner
        }
    }
}

TEST_F(Painting, SelectedRow) {
    lb.TableType = 2;
    lb.Selected(1, true);
    auto p = Background(1, 0);
    EXPECT_EQ(p->Pixel(0, 0), highlight);
    EXPECT_EQ(p->Pixel(50, 13), highlight);
    EXPECT_EQ(p->Pixel(2, 13), TA::OppositeColor(lb, box));
    // The text colour is inverted too.
    auto t = Canvas(106, 27);
    lb.Event_CellTextPaint(t->Graphics(), 1, 0, 0, 0);
    EXPECT_EQ(t->Graphics().ForeColor(), TA::OppositeColor(lb, text));
    auto u = Canvas(106, 27);
    lb.Event_CellTextPaint(u->Graphics(), 0, 0, 0, 0);
    EXPECT_EQ(u->Graphics().ForeColor(), text);
}

TEST_F(Painting, DropDownCells) {
    // With text: both side arrows on the stripe; empty: one down arrow on the column's side.
    lb.UpdateValue(0, 1, "Six");
    auto withText = Background(0, 1);
    auto right = Canvas(106, 27, even);
    TA::DrawRightArrow(lb, right->Graphics(), even);
    TA::DrawLeftArrow(lb, right->Graphics(), even);
    EXPECT_TRUE(SameImage(*withText, *right));

    auto emptyLeft = Background(1, 1);
    auto down = Canvas(106, 27, odd);
    TA::DrawDownArrow(lb, down->Graphics(), "L", odd);
    EXPECT_TRUE(SameImage(*emptyLeft, *down));

    auto emptyRight = Background(1, 3);
    auto downRight = Canvas(106, 27, odd);
    TA::DrawDownArrow(lb, downRight->Graphics(), "R", odd);
    EXPECT_TRUE(SameImage(*emptyRight, *downRight));

    // On a selected row the pictures blend into the highlight.
    lb.Selected(2, true);
    auto selected = Background(2, 1);
    EXPECT_EQ(selected->Pixel(6, 8), highlight); // row 0 of the down arrow keeps its background
    EXPECT_EQ(selected->Pixel(6 + 5, 8 + 9), kLight);
    EXPECT_EQ(selected->Pixel(6 + 5, 8 + 8), kDark);
}

TEST_F(Painting, ProgressWell) {
    auto p = Background(0, 2);
    EXPECT_EQ(p->Pixel(4, 13), kBlack);
    EXPECT_EQ(p->Pixel(101, 13), kBlack);
    EXPECT_EQ(p->Pixel(50, 4), kBlack);
    EXPECT_EQ(p->Pixel(50, 22), kBlack);
    EXPECT_EQ(p->Pixel(5, 13), kWhite);
    EXPECT_EQ(p->Pixel(3, 13), even);
    lb.Selected(1, true);
    auto s = Background(1, 2);
    EXPECT_EQ(s->Pixel(4, 13), kWhite); // white frame on a selected row
    EXPECT_EQ(s->Pixel(3, 13), highlight);
}

// The bar is g.Width - 6 = 100 pixels wide at f = 1, from x = 1 on rows 5 to g.Height - 6.
TEST_F(Painting, ProgressBarsAndLabels) {
    struct Case {
        double value;
        double max;
        Int32 width;       // of the bar, 0 for none
        const char* label; // nullptr: none
    };
    const Case cases[] = {
        {0, 170, 0, "0%"},
        {85, 170, 50, "50%"},
        {170, 170, 100, "100%"},
        {300, 170, 100, "100%"},
        {17, 170, 10, "10%"},
        {-85, 170, 0, "-50%"},
        {50, 0, 0, nullptr},
        {0, 0, 0, nullptr},
        {-5, 0, 0, nullptr},
        {std::numeric_limits<double>::quiet_NaN(), 170, 0, nullptr},
        {-std::numeric_limits<double>::infinity(), 170, 0, nullptr},
    };
    for (const Case& c : cases) {
        lb.SetPBMaxValue(0, 2, c.max);
        lb.UpdateValue(0, 2, c.value);
        EXPECT_EQ(lb.Cell(0, 2), "P");
        auto p = Background(0, 2);
        EXPECT_TRUE(lb.Event_CellTextPaint(p->Graphics(), 0, 2, 0, 0));

        auto want = Background(0, 2);
        if (c.width > 0) {
            want->Graphics().ForeColor(bar);
            want->Graphics().FillRect(1, 5, c.width, 27 - 10);
        }
        if (c.label != nullptr) {
            want->Graphics().ForeColor(text);
            TA::WriteString(lb, want->Graphics(), c.label, 1);
        }
        EXPECT_TRUE(SameImage(*p, *want)) << c.value << "/" << c.max;
        if (c.width < 100) {
            EXPECT_NE(p->Pixel(1 + c.width, 5), bar) << c.value;
        }
        if (c.width > 0) {
            EXPECT_EQ(p->Pixel(c.width, 5), bar) << c.value;
        }
    }
}

TEST_F(Painting, ProgressCellWithoutMaximumPaintsNoBarOrLabel) {
    lb.UpdateValue(2, 2, 50.0); // no SetPBMaxValue for any row
    auto p = Background(2, 2);
    auto want = Background(2, 2);
    EXPECT_TRUE(lb.Event_CellTextPaint(p->Graphics(), 2, 2, 0, 0));
    EXPECT_TRUE(SameImage(*p, *want));
    // A selected row's label stays in the plain text colour.
    lb.SetPBMaxValue(1, 2, 100);
    lb.UpdateValue(1, 2, 50.0);
    lb.Selected(1, true);
    auto s = Background(1, 2);
    lb.Event_CellTextPaint(s->Graphics(), 1, 2, 0, 0);
    EXPECT_EQ(s->Graphics().ForeColor(), text);
}

TEST_F(Painting, TextHandlerLeavesRowsPastTheEndAndDecimalColumnsToTheFramework) {
    auto p = Canvas(50, 20);
    EXPECT_FALSE(lb.Event_CellTextPaint(p->Graphics(), 3, 0, 0, 0));
    EXPECT_FALSE(lb.Event_CellTextPaint(p->Graphics(), 99, 0, 0, 0));
    lb.ColAlignment = "d2,c,d,c";
    lb.Reset();
    lb.NewRow();
    lb.SetPBMaxValue(0, 2, 10);
    lb.UpdateValue(0, 2, 5.0);
    lb.UpdateValue(0, 0, "1.5");
    auto q = Canvas(50, 20);
    EXPECT_FALSE(lb.Event_CellTextPaint(q->Graphics(), 0, 0, 0, 0));
    EXPECT_FALSE(lb.Event_CellTextPaint(q->Graphics(), 0, 2, 0, 0)); // a decimal progress column
    EXPECT_EQ(q->Graphics().ForeColor(), text);
    EXPECT_TRUE(SameImage(*q, *Canvas(50, 20)));
}

// WriteString against the framework's DrawString at the positions the margins give.
TEST_F(Painting, TextMarginsByTableType) {
    const std::string narrow = "Abc";
    const std::string wide = "A text that is much wider than the cell";
    for (Int32 tableType : {0, 1, 2}) {
        lb.TableType = tableType;
        const bool framed = tableType != 0;
        for (Int32 alignment : {0, 1, 2}) {
            for (const std::string& s : {narrow, wide}) {
                auto got = Canvas(90, 27, kWhite);
                got->Graphics().ForeColor(text);
                TA::WriteString(lb, got->Graphics(), s, alignment);

                auto want = Canvas(90, 27, kWhite);
                fw::Graphics& g = want->Graphics();
                g.ForeColor(text);
                const double sw = g.StringWidth(s);
                Int32 x = 0;
                if (alignment == 0) {
                    x = framed ? 3 : 0;
                } else if (alignment == 1) {
                    x = std::max(3, fw::ToInt32((90 - sw) / 2));
                } else {
                    x = std::max(3, fw::ToInt32(90 - sw - (framed ? 4 : 2)));
                }
                const Int32 y = fw::ToInt32((27 - g.TextHeight()) / 2.0 + g.TextAscent() + 1);
                g.DrawString(s, x, y, 90, true);
                EXPECT_TRUE(SameImage(*got, *want))
                    << "type " << tableType << " align " << alignment << " " << s;
            }
        }
    }
}

TEST_F(Painting, TextCellsFollowTheColumnAlignment) {
    lb.ColumnCount(4);
    lb.ColumnTypes = "s,s,s,s";
    lb.ColAlignment = "f,l,c,r";
    lb.Reset();
    lb.NewRow();
    const Int32 writeAlignment[] = {0, 0, 1, 2};
    for (Int32 column = 0; column < 4; ++column) {
        lb.UpdateValue(0, column, "Text");
        auto got = Canvas(80, 27, kWhite);
        EXPECT_TRUE(lb.Event_CellTextPaint(got->Graphics(), 0, column, 0, 0));
        auto want = Canvas(80, 27, kWhite);
        want->Graphics().ForeColor(text);
        TA::WriteString(lb, want->Graphics(), "Text", writeAlignment[column]);
        EXPECT_TRUE(SameImage(*got, *want)) << column;
    }
}

} // namespace
