// The framework list box's rows, columns, widths, headings, hit testing and designed
// properties.
#include "framework/core/ClassRegistry.h"
#include "framework/core/PropertyStream.h"
#include "framework/ui/FrameworkClasses.h"
#include "tests/support/StreamBuilder.h"
#include "tests/ui/ListboxTestFixture.h"

#include <limits>
#include <string>
#include <utility>

using fw::Int32;

namespace {

using listbox_test::ListboxTest;
using listbox_test::Probe;

template <class F> void ExpectOutOfBounds(F f, const char* what) {
    EXPECT_THROW(f(), fw::OutOfBoundsException) << what;
}

TEST_F(ListboxTest, EveryIndexOutsideTheListRaisesOutOfBounds) {
    lb->ColumnCount(2);
    lb->AddRow({"a", "b"});
    ListboxTest* t = this;
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"Cell row -1", [t] { (void)t->lb->Cell(-1, 0); }},
        {"Cell row past end", [t] { (void)t->lb->Cell(1, 0); }},
        {"Cell column past end", [t] { (void)t->lb->Cell(0, 2); }},
        {"Cell set", [t] { t->lb->Cell(0, -1, "x"); }},
        {"CellTag", [t] { (void)t->lb->CellTag(3, 0); }},
        {"CellType", [t] { t->lb->CellType(0, 5, 3); }},
        {"CellState", [t] { (void)t->lb->CellState(2, 0); }},
        {"CellCheck", [t] { t->lb->CellCheck(0, 9, true); }},
        {"Selected", [t] { (void)t->lb->Selected(1); }},
        {"ListIndex", [t] { t->lb->ListIndex(1); }},
        {"ListIndex -2", [t] { t->lb->ListIndex(-2); }},
        {"Column", [t] { (void)t->lb->Column(2); }},
        {"ColumnType", [t] { t->lb->ColumnType(-1, 2); }},
        {"ColumnAlignment", [t] { (void)t->lb->ColumnAlignment(2); }},
        {"ColumnAlignmentOffset", [t] { t->lb->ColumnAlignmentOffset(7, 1); }},
        {"Heading", [t] { (void)t->lb->Heading(2); }},
        {"HeadingIndex", [t] { t->lb->HeadingIndex(2); }},
        {"RemoveRow", [t] { t->lb->RemoveRow(1); }},
        {"InsertRow", [t] { t->lb->InsertRow(2, "x"); }},
        {"EditCell", [t] { t->lb->EditCell(0, 2); }},
        {"ColumnCount -1", [t] { t->lb->ColumnCount(-1); }},
    };
    for (const auto& [what, call] : cases) {
        ExpectOutOfBounds(call, what);
    }
    // A column object outlives a shrink of the column count, and then says so.
    fw::ListColumn& second = lb->Column(1);
    lb->ColumnCount(1);
    EXPECT_THROW((void)second.WidthActual(), fw::OutOfBoundsException);
    EXPECT_EQ(lb->Cell(0, 0), "a");
}

TEST_F(ListboxTest, ExtremeSizesAndOffsetsPaintWithoutOverflow) {
    lb->ColumnCount(3);
    lb->ColumnWidths("2000000000,99999999999%,*");
    lb->ColumnAlignment(0, 4);
    lb->ColumnAlignmentOffset(0, std::numeric_limits<Int32>::min());
    lb->ScrollBarHorizontal(true);
    for (int i = 0; i < 3; ++i) {
        lb->AddRow({"1.5", "b", "c"});
    }
    Show(202, 102);
    lb->DefaultRowHeight(std::numeric_limits<Int32>::max());
    lb->Column(1).WidthActual(std::numeric_limits<Int32>::max());
    lb->ScrollPosition(std::numeric_limits<Int32>::min());
    lb->EditCell(2, 2);
    Grab();
    EXPECT_FALSE(lb->texts.empty());
    EXPECT_EQ(lb->RowFromXY(10, 10), lb->ScrollPosition()); // one row fills the list
    EXPECT_EQ(lb->ScrollPosition(), 2);                     // the edited one
    EXPECT_EQ(lb->DefaultRowHeight(), std::numeric_limits<Int32>::max());
}

TEST_F(ListboxTest, RowsAndColumnCountKeepCellsWhereTheyFit) {
    lb->ColumnCount(3);
    lb->AddRow({"a", "b", "c", "dropped"});
    lb->AddRow();
    EXPECT_EQ(lb->ListCount(), 2);
    EXPECT_EQ(lb->LastIndex(), 1);
    lb->CellTag(0, 1, fw::Variant(Int32(7)));
    lb->InsertRow(0, "first");
    EXPECT_EQ(lb->LastIndex(), 0);
    EXPECT_EQ(lb->Cell(0, 0), "first");
    EXPECT_EQ(lb->Cell(1, 2), "c");

    lb->ColumnCount(2);
    lb->ColumnCount(3);
    EXPECT_EQ(lb->Cell(1, 0), "a");
    EXPECT_EQ(lb->CellTag(1, 1).ToInt32(), 7);
    EXPECT_EQ(lb->Cell(1, 2), ""); // it did not fit in between

    lb->RemoveRow(0);
    EXPECT_EQ(lb->Cell(0, 0), "a");
    lb->DeleteAllRows();
    EXPECT_EQ(lb->ListCount(), 0);
    EXPECT_EQ(lb->LastIndex(), -1);
}

TEST_F(ListboxTest, InitialValueGivesTabSeparatedHeadings) {
    lb->InitialValue("S,M,T");
    lb->ColumnCount(3);
    EXPECT_EQ(lb->Heading(0), "S,M,T"); // commas are no separators
    EXPECT_EQ(lb->Heading(1), "");
    lb->InitialValue("Key\tNo.\tName");
    EXPECT_EQ(lb->Heading(0), "Key");
    EXPECT_EQ(lb->Heading(2), "Name");
    lb->Heading(1, "Number");
    EXPECT_EQ(lb->Heading(1), "Number");
    EXPECT_EQ(lb->InitialValue(), "Key\tNo.\tName");
}

TEST_F(ListboxTest, DefaultRowHeightReadsBackWhatWasSet) {
    Probe fresh;
    EXPECT_EQ(fresh.DefaultRowHeight(), -1);
    fresh.DefaultRowHeight(25);
    EXPECT_EQ(fresh.DefaultRowHeight(), 25);
}

struct WidthCase {
    const char* widths;
    Int32 columns;
    Int32 listWidth; // inner width is 2 less (border)
    std::vector<Int32> expected;
};

TEST_F(ListboxTest, ColumnWidthsFormsGiveWidthsAtTwoListWidths) {
    const std::vector<WidthCase> cases = {
        {"100,50%,*", 3, 302, {100, 150, 50}},
        {"100,50%,*", 3, 402, {100, 200, 100}},
        {"0,*", 2, 302, {0, 300}},
        {"0,*", 2, 202, {0, 200}},
        {"", 3, 302, {100, 100, 100}},   // no entry: every column shares
        {"60", 3, 302, {60, 120, 120}},  // missing entries share what is left
        {"50,,*", 3, 302, {50, 0, 250}}, // a blank entry hides its column
        {"25%,25%,*,*", 4, 402, {100, 100, 100, 100}},
        {"400,200", 2, 302, {400, 200}}, // wider than the list
    };
    Show(302, 200);
    for (const WidthCase& c : cases) {
        lb->ColumnCount(c.columns);
        lb->ColumnWidths(c.widths);
        lb->Width(c.listWidth);
        Settle();
        for (Int32 i = 0; i < c.columns; ++i) {
            EXPECT_EQ(lb->Column(i).WidthActual(), c.expected[static_cast<size_t>(i)])
                << c.widths << " column " << i << " at width " << c.listWidth;
        }
    }
}

TEST_F(ListboxTest, WidthActualFixesOrHidesAColumnUntilTheNextColumnWidths) {
    lb->ColumnCount(3);
    for (int i = 0; i < 3; ++i) {
        lb->AddRow({"a", "b", "c"});
    }
    Show(302, 100);
    lb->Column(1).WidthActual(0);
    EXPECT_EQ(lb->Column(1).WidthActual(), 0);
    EXPECT_EQ(lb->Column(0).WidthActual(), 150);
    Grab();
    for (const auto& p : lb->backgrounds) {
        EXPECT_NE(p.column, 1) << "a hidden column is never painted";
    }
    for (const auto& p : lb->texts) {
        EXPECT_NE(p.column, 1);
    }
    EXPECT_FALSE(lb->backgrounds.empty());
    EXPECT_EQ(lb->ColumnFromXY(152, 10), 2); // the hidden column takes no point
    EXPECT_EQ(lb->ColumnFromXY(150, 10), 0);

    lb->Column(0).WidthActual(40);
    EXPECT_EQ(lb->Column(0).WidthActual(), 40);
    EXPECT_EQ(lb->Column(2).WidthActual(), 260);
    lb->ColumnWidths("*,*,*");
    EXPECT_EQ(lb->Column(1).WidthActual(), 100);
}

TEST_F(ListboxTest, RowAndColumnFromXYAtCornersOnTheHeadingAndOutside) {
    lb->ColumnCount(3);
    lb->ColumnWidths("50,100,*");
    lb->HasHeading(true);
    lb->InitialValue("A\tB\tC");
    for (int i = 0; i < 3; ++i) {
        lb->AddRow({"a", "b", "c"});
    }
    Show(302, 152);
    Int32 headingBottom = 1;
    while (lb->RowFromXY(10, headingBottom) == -1 && headingBottom < 100) {
        ++headingBottom;
    }
    ASSERT_GT(headingBottom, 1) << "the heading takes room";
    const Int32 top = headingBottom; // row 0's first pixel row
    struct Case {
        Int32 x, y, row, column;
    };
    const std::vector<Case> cases = {
        {0, 0, -1, -1},                                 // the border
        {10, 1, -1, 0},                                 // the heading: no row, but a column
        {60, top - 1, -1, 1},                           // the heading's last pixel row
        {1, top, 0, 0},                                 // first cell's top-left corner
        {50, top + 19, 0, 0},                           // its bottom-right corner
        {51, top + 20, 1, 1},                           // next cell's corner
        {151, top + 40, 2, 2},   {300, top + 59, 2, 2}, // last cell's bottom-right corner
        {100, top + 60, -1, 1},                         // below the last row
        {301, top + 10, -1, -1},                        // the right border
        {400, top + 10, -1, -1},                        // outside
        {-5, top, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lb->RowFromXY(c.x, c.y), c.row) << c.x << "," << c.y;
        EXPECT_EQ(lb->ColumnFromXY(c.x, c.y), c.column) << c.x << "," << c.y;
    }
}

TEST_F(ListboxTest, DesignedPropertiesOfTheCalendarGridApply) {
    fw::RegisterListboxClass();
    // The list-box entries of a stored stream, in stored order: the headings come before the
    // column count.
    const std::string stream = support::StreamBuilder()
                                   .Str("DataField", "")
                                   .Str("DataSource", "")
                                   .Bool("AutoHideScrollbars", true)
                                   .Bool("ColumnsResizable", false)
                                   .Int("SelectionType", 0)
                                   .Bool("RequiresSelection", false)
                                   .Bool("EnableDragReorder", false)
                                   .Bool("EnableDrag", false)
                                   .Bool("Hierarchical", false)
                                   .Bool("Underline", false)
                                   .Bool("Italic", false)
                                   .Bool("Bold", false)
                                   .Str("TextFont", "SmallSystem")
                                   .Int("_ScrollWidth", -1)
                                   .Int("DefaultRowHeight", 18)
                                   .Int("GridLinesVertical", 1)
                                   .Int("GridLinesHorizontal", 1)
                                   .Bool("ScrollBarVertical", false)
                                   .Bool("ScrollbarHorizontal", false)
                                   .Int("HeadingIndex", -1)
                                   .Str("InitialValue", "S,M,T,W,T,F,S")
                                   .Bool("UseFocusRing", false)
                                   .Bool("HasHeading", true)
                                   .Str("ColumnWidths", "")
                                   .Int("ColumnCount", 7)
                                   .Bool("Border", true)
                                   .Bytes();
    fw::Listbox grid;
    fw::RuntimeMassPropertySetter(grid, stream);
    EXPECT_EQ(grid.ColumnCount(), 7);
    EXPECT_EQ(grid.DefaultRowHeight(), 18);
    EXPECT_EQ(grid.GridLinesVertical(), 1);
    EXPECT_FALSE(grid.ScrollBarVertical());
    EXPECT_FALSE(grid.UseFocusRing());
    EXPECT_TRUE(grid.HasHeading());
    EXPECT_EQ(grid.TextFont(), "SmallSystem");
    EXPECT_EQ(grid.InitialValue(), "S,M,T,W,T,F,S");
    EXPECT_EQ(grid.HeadingIndex(), -1);
    EXPECT_EQ(grid._ScrollWidth(), -1);
    grid.InitialValue("S\tM\tT\tW\tT\tF\tS");
    EXPECT_EQ(grid.Heading(6), "S");
}

} // namespace
