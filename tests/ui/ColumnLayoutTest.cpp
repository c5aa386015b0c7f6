#include "framework/ui/ColumnLayout.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using fw::ColumnLayout;
using fw::Int32;

namespace {

std::vector<Int32> Widths(const ColumnLayout& layout) {
    std::vector<Int32> out;
    for (const fw::ColumnSpan& s : layout.Spans()) {
        out.push_back(s.width);
    }
    return out;
}

std::vector<Int32> Free(size_t columns) {
    return std::vector<Int32>(columns, -1);
}

struct FormCase {
    const char* widths;
    std::vector<Int32> fixed;
    Int32 inner;
    std::vector<Int32> expected;
};

TEST(ColumnLayoutTest, EveryFormOfColumnWidths) {
    const std::vector<FormCase> cases = {
        {"100,50%,*", Free(3), 300, {100, 150, 50}},
        {"0,*", Free(2), 300, {0, 300}},
        {"", Free(3), 300, {100, 100, 100}},        // no entry: every column shares
        {"60", Free(3), 300, {60, 120, 120}},       // missing entries share what is left
        {"50,,*", Free(3), 300, {50, 0, 250}},      // a blank entry hides its column
        {" 40 ,\t*", Free(2), 300, {40, 260}},      // blanks around entries
        {"400,200,*", Free(3), 300, {400, 200, 0}}, // wider than the list: "*" gets nothing
        {"12.7,abc", Free(2), 300, {13, 0}},        // the leading number, rounded; none is 0
        {"2000000000,-5", Free(2), 300, {fw::kMaxColumnWidth, 0}},
        {"*,*,*", {-1, 0, 40}, 300, {260, 0, 40}}, // a width set on a column wins
        {"*,*", Free(0), 300, {}},
    };
    for (const FormCase& c : cases) {
        const ColumnLayout layout(c.widths, c.fixed, c.inner);
        EXPECT_EQ(Widths(layout), c.expected) << '"' << c.widths << '"';
        Int32 left = 0;
        for (const fw::ColumnSpan& s : layout.Spans()) {
            EXPECT_EQ(s.left, left) << c.widths;
            left += s.width;
        }
        EXPECT_EQ(layout.TotalWidth(), left) << c.widths;
    }
}

// A list 253 pixels wide has 251 inside its border: 33% of that is 82.83 pixels.
TEST(ColumnLayoutTest, PercentagesAreRoundedNotTruncated) {
    EXPECT_EQ(Widths(ColumnLayout("33%,*", Free(2), 251)), (std::vector<Int32>{83, 168}));
    EXPECT_EQ(Widths(ColumnLayout("50%,*", Free(2), 301)), (std::vector<Int32>{151, 150}));

    fw::ScrollArea area;
    area.width = 251;
    area.height = 100;
    EXPECT_EQ(Widths(fw::LayOutList("33%,*", Free(2), area).columns),
              (std::vector<Int32>{83, 168}));
}

// The calendar's grid is seven "*" columns: the spare pixels of any width go one each to the
// first columns, so that the columns cover the whole width and a double click anywhere in it
// finds a day.
TEST(ColumnLayoutTest, StarColumnsShareTheSparePixelsLeavingNoStrip) {
    for (const char* widths : {"", "*,*,*,*,*,*,*"}) {
        for (Int32 inner = 140; inner <= 147; ++inner) {
            const ColumnLayout layout(widths, Free(7), inner);
            const std::vector<Int32> w = Widths(layout);
            const Int32 share = inner / 7;
            const Int32 spare = inner % 7;
            for (Int32 c = 0; c < 7; ++c) {
                EXPECT_EQ(w[static_cast<size_t>(c)], share + (c < spare ? 1 : 0))
                    << "column " << c << " of \"" << widths << "\" across " << inner;
            }
            EXPECT_EQ(layout.TotalWidth(), inner) << "a strip is left across " << inner;
        }
    }
}

struct BarCase {
    const char* what;
    Int32 width, height;
    fw::Int64 rowsHeight;
    bool vertical, horizontal, autoHide;
    const char* widths;
    bool vbar, hbar;
    Int32 innerWidth, innerHeight;
};

TEST(ColumnLayoutTest, ScrollBarsShowWhenNeededAndMakeRoomForEachOther) {
    const std::vector<BarCase> cases = {
        {"all fits", 200, 100, 100, true, true, true, "*", false, false, 200, 100},
        {"rows too tall", 200, 100, 101, true, true, true, "*", true, false, 185, 100},
        {"columns too wide", 200, 100, 50, true, true, true, "300", false, true, 200, 85},
        // The horizontal bar leaves the rows too little height; the vertical bar then shows.
        {"one bar brings the other", 200, 100, 90, true, true, true, "300", true, true, 185, 85},
        // The vertical bar narrows the columns until they no longer fit.
        {"narrowed columns", 200, 100, 101, true, true, true, "190", true, true, 185, 85},
        {"columns wide, no bar allowed", 200, 100, 90, true, false, true, "300", false, false, 200,
         100},
        {"rows tall, no bar allowed", 200, 100, 500, false, true, true, "*", false, false, 200,
         100},
        {"always shown", 200, 100, 0, true, true, false, "*", true, true, 185, 85},
        {"too small for a bar", 10, 10, 500, true, true, false, "*", true, true, 0, 0},
    };
    for (const BarCase& c : cases) {
        fw::ScrollArea area;
        area.width = c.width;
        area.height = c.height;
        area.rowsHeight = c.rowsHeight;
        area.barExtent = 15;
        area.scrollBarVertical = c.vertical;
        area.scrollBarHorizontal = c.horizontal;
        area.autoHideScrollbars = c.autoHide;
        const fw::ListGeometry g = fw::LayOutList(c.widths, Free(1), area);
        EXPECT_EQ(g.vbar, c.vbar) << c.what;
        EXPECT_EQ(g.hbar, c.hbar) << c.what;
        EXPECT_EQ(g.innerWidth, c.innerWidth) << c.what;
        EXPECT_EQ(g.innerHeight, c.innerHeight) << c.what;
    }
}

} // namespace
