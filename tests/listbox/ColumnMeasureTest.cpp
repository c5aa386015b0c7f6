#include "listbox/ColumnMeasure.h"

#include <gtest/gtest.h>
#include <map>

using fw::Int32;

namespace {

// Texts measure one pixel and a half per character; every measurement is counted.
struct Measuring {
    std::map<std::string, int> calls;
    ColumnMeasurer::MeasureText Fn() {
        return [this](const std::string& text) {
            ++calls[text];
            return 1.5 * static_cast<double>(text.size());
        };
    }
};

TEST(ColumnMeasurer, WidestTextPlusExtraRoundedOnce) {
    std::vector<std::vector<std::string>> cells = {{"abc", "x"}, {"abcdefg", "xyz"}};
    Measuring m;
    ColumnMeasurer measurer;
    const std::vector<TextColumn> columns = {{0, 14, "Name"}, {1, 29, "Q"}};
    const auto widths = measurer.Widths(
        "font", columns, 2, [&](Int32 r, Int32 c) { return cells[r][c]; }, m.Fn());
    // 7 * 1.5 + 14 = 24.5 and 3 * 1.5 + 29 = 33.5: rounded as the framework rounds.
    EXPECT_EQ(widths, (std::vector<Int32>{fw::ToInt32(24.5), fw::ToInt32(33.5)}));
}

TEST(ColumnMeasurer, MeasuresATextOnceUntilTheFontChanges) {
    std::vector<std::string> cells = {"same", "same", "other"};
    Measuring m;
    ColumnMeasurer measurer;
    const std::vector<TextColumn> columns = {{0, 0, "same"}};
    auto cell = [&](Int32 r, Int32) { return cells[r]; };
    measurer.Widths("font", columns, 3, cell, m.Fn());
    measurer.Widths("font", columns, 3, cell, m.Fn());
    EXPECT_EQ(m.calls["same"], 1);
    EXPECT_EQ(m.calls["other"], 1);

    cells[2] = "changed";
    EXPECT_EQ(measurer.Widths("font", columns, 3, cell, m.Fn()),
              std::vector<Int32>{fw::ToInt32(1.5 * 7)});
    EXPECT_EQ(m.calls["changed"], 1);

    measurer.Widths("bigger font", columns, 3, cell, m.Fn());
    EXPECT_EQ(m.calls["same"], 2);
}

TEST(PlanColumnWidths, Cases) {
    struct Case {
        std::vector<Int32> measured;
        std::vector<bool> hidden;
        bool verticalScrollBar;
        Int32 width;
        const char* widths;
        bool horizontal;
    };
    const Case cases[] = {
        // Shares of the total in percent, the last column takes the rest.
        {{50, 50, 100}, {false, false, false}, false, 300, "25%,25%,*", false},
        {{50, 50, 100}, {false, true, false}, false, 300, "25%,0,*", false},
        {{50, 100, 0}, {false, false, true}, false, 300, "33%,67%,0", false},
        // A vertical scroll bar counts 16 pixels.
        {{100, 100}, {false, false}, false, 201, "50%,*", false},
        // Not fitting: the measured widths and a horizontal scroll bar.
        {{100, 100}, {false, false}, true, 216, "100,100", true},
        {{100, 100}, {false, false}, false, 200, "100,100", true},
        // Nothing measured.
        {{0, 0}, {false, false}, false, 100, "0%,*", false},
        {{}, {}, false, 100, "", false},
    };
    for (const Case& c : cases) {
        const ColumnWidthsPlan plan =
            PlanColumnWidths(c.measured, c.hidden, c.verticalScrollBar, c.width);
        EXPECT_EQ(plan.widths, c.widths) << c.width;
        EXPECT_EQ(plan.horizontalScrollBar, c.horizontal) << c.width;
    }
}

} // namespace
