#include "listbox/ColumnMeasure.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

using fw::Int32;

namespace {

// Texts measure one pixel and a half per character, two more for each "W" when shaped; Exact
// knows texts without "!" (and, when wrong, leaves out the "W"s). Every measurement is
// counted.
struct FakeWidths : fw::TextWidths {
    bool wrong = false;
    bool distrusted = false;
    std::map<std::string, int> exact, shaped;

    static double Width(std::string_view text, bool withW) {
        double w = 1.5 * static_cast<double>(text.size());
        for (char c : text) {
            w += c == 'W' && withW ? 2 : 0;
        }
        return w;
    }
    std::optional<double> Exact(std::string_view text) override {
        ++exact[std::string(text)];
        if (distrusted || text.find('!') != std::string_view::npos) {
            return std::nullopt;
        }
        return Width(text, !wrong);
    }
    double Shaped(std::string_view text) override {
        ++shaped[std::string(text)];
        return Width(text, true);
    }
    void Distrust() override { distrusted = true; }
    int Calls() const {
        int n = 0;
        for (const auto* counts : {&exact, &shaped}) {
            for (const auto& [text, calls] : *counts) {
                n += calls;
            }
        }
        return n;
    }
    void Forget() { exact.clear(), shaped.clear(); }
};

// A list of texts by row, then column, with the changes since the last measurement.
struct Table {
    Table(std::vector<std::vector<std::string>> texts, std::vector<TextColumn> measured)
        : cells(std::move(texts)), columns(std::move(measured)) {}
    std::vector<std::vector<std::string>> cells;
    std::vector<TextColumn> columns;
    bool everything = true;
    ColumnMeasurer::CellChanges changed;
    ColumnMeasurer measurer;
    FakeWidths widths;

    void Set(Int32 row, Int32 column, const std::string& text) {
        cells[row][column] = text;
        changed.emplace_back(row, column);
    }
    std::vector<Int32> Widths(const std::string& font = "font") {
        const auto result = measurer.Widths(
            font, columns, static_cast<Int32>(cells.size()),
            [this](Int32 r, Int32 c) { return std::string_view(cells[r][c]); }, everything, changed,
            widths);
        everything = false;
        changed.clear();
        return result;
    }
    // What measuring every text anew gives.
    std::vector<Int32> Fresh() const {
        std::vector<Int32> result;
        for (const TextColumn& c : columns) {
            double widest = FakeWidths::Width(c.heading, true);
            for (const auto& row : cells) {
                widest = std::max(widest, FakeWidths::Width(row[c.column], true));
            }
            result.push_back(fw::ToInt32(widest + c.extra));
        }
        return result;
    }
};

TEST(ColumnMeasurer, WidestTextPlusExtraRoundedOnce) {
    Table t({{"abc", "x"}, {"abcdefg", "xyz"}}, {{0, 14, "Name"}, {1, 29, "Q"}});
    // 7 * 1.5 + 14 = 24.5 and 3 * 1.5 + 29 = 33.5: rounded as the framework rounds.
    EXPECT_EQ(t.Widths(), (std::vector<Int32>{fw::ToInt32(24.5), fw::ToInt32(33.5)}));
    // An equal text below another is measured once.
    Table same({{"same"}, {"same"}, {"same"}, {"other"}}, {{0, 0, ""}});
    same.Widths();
    EXPECT_EQ(same.widths.exact["same"], 1);
}

TEST(ColumnMeasurer, ARepeatMeasuresOnlyTheHeadings) {
    Table t({{"ab", "WW"}, {"abcd", "x"}}, {{0, 0, "H"}, {1, 0, "I"}});
    const auto first = t.Widths();
    t.widths.Forget();
    EXPECT_EQ(t.Widths(), first);
    EXPECT_EQ(t.widths.Calls(), 2);
    EXPECT_EQ(t.widths.shaped["H"], 1);
    EXPECT_EQ(t.widths.shaped["I"], 1);
}

// One cell at a time grows past the widest, shrinks one of several at the widest, shrinks the
// last at the widest: each gives what measuring all gives, measuring only that cell (besides
// the headings and shaping a new widest to confirm it).
TEST(ColumnMeasurer, ChangedCellsKeepTheWidestAndItsCount) {
    Table t({{"aaaa", "b"}, {"cccc", "d"}, {"ee", "f"}}, {{0, 0, ""}, {1, 0, ""}});
    t.Widths();
    const struct {
        Int32 row;
        const char* text;
    } steps[] = {{2, "eeeeee"}, {2, "ee"},  {0, "a"},  {1, "c"},  {1, "cccccc"},
                 {1, "ccc!"},   {0, "WW"},  {0, ""},   {1, ""},   {2, ""},
                 {2, "xyz"},    {0, "xyz"}, {2, "xy"}, {0, "xy"}, {1, "xyz"}};
    for (const auto& step : steps) {
        t.Set(step.row, 0, step.text);
        t.widths.Forget();
        EXPECT_EQ(t.Widths(), t.Fresh()) << step.row << " " << step.text;
        EXPECT_EQ(t.widths.exact.size(), 1u) << step.text;
        EXPECT_LE(t.widths.Calls(), 5) << step.text;
    }
    EXPECT_FALSE(t.widths.distrusted);
}

TEST(ColumnMeasurer, StructuralChangesFontsAndColumnsMeasureAllAgain) {
    Table t({{"ab", "c"}, {"abc", "d"}}, {{0, 0, ""}, {1, 0, ""}});
    t.Widths();
    auto measuredAll = [&](const char* what) {
        EXPECT_EQ(t.widths.exact["abc"], 1) << what;
        EXPECT_EQ(t.widths.exact["d"], 1) << what;
        t.widths.Forget();
    };
    t.widths.Forget();
    t.everything = true;
    t.Widths();
    measuredAll("everything");
    t.Widths("another font");
    measuredAll("font");
    t.cells.push_back({"x", "y"});
    EXPECT_EQ(t.Widths("another font"), t.Fresh());
    measuredAll("rows");
    // A column left out is forgotten, and measured in full when it comes back.
    t.columns = {{1, 0, ""}};
    t.Widths("another font");
    t.widths.Forget();
    t.cells[1][0] = "abcdefgh"; // not reported: the column was not measured
    t.columns = {{0, 0, ""}, {1, 0, ""}};
    EXPECT_EQ(t.Widths("another font"), t.Fresh());
    EXPECT_EQ(t.widths.exact["abcdefgh"], 1);
    EXPECT_EQ(t.widths.exact["d"], 0);
}

// Exact that is wrong for a font is caught by shaping the widest cell: the font is distrusted
// and every text shaped.
TEST(ColumnMeasurer, AWrongSumIsCaughtAndEverythingShaped) {
    Table t({{"abc"}, {"WWWW"}, {"ab"}}, {{0, 0, ""}});
    t.widths.wrong = true;
    EXPECT_EQ(t.Widths(), t.Fresh());
    EXPECT_TRUE(t.widths.distrusted);
    EXPECT_EQ(t.widths.shaped["abc"], 1);
    EXPECT_EQ(t.widths.shaped["ab"], 1);
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
