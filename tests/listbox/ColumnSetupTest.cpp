#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Text.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Picture.h"
#include "framework/ui/testing/ModalTestSupport.h"
#include "app/Startup.h"
#include "app/Window1.h"
#include "tests/support/ListBoxAccess.h"
#include "tests/support/ListDriver.h"

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

using fw::Int32;

namespace {

// Measures as the control does: an off-screen picture carrying the list's font.
struct Measure {
    fw::Picture picture{20, 20, 32};
    explicit Measure(const fw::Listbox& lb) {
        fw::Graphics& g = picture.Graphics();
        g.TextFont(lb.TextFont());
        g.TextSize(lb.TextSize());
        g.Bold(lb.Bold());
        g.Italic(lb.Italic());
        g.Underline(lb.Underline());
    }
    double Width(const std::string& text) { return picture.Graphics().StringWidth(text); }
    Int32 Height() { return picture.Graphics().TextHeight(); }
};

// An opened control with the given columns and codes.
struct Opened : TambrelListBox {
    Opened(Int32 columns, const std::string& types, const std::string& alignment = "",
           const std::string& hide = "") {
        ColumnCount(columns);
        ColumnTypes = types;
        ColAlignment = alignment;
        HideColumns = hide;
        Event_Open();
    }
};

const std::string kDemoHeadings = "Key,No.,Long String,Currency ,Checkbox,Drop Down,Right "
                                  "String,The Date,Time,DateTime,Progress";

TEST(ColumnSetup, DemonstrationColumns) {
    Opened lb(11, "i,i,se,ce,b,d,s,te,me,ae,p", "l,c,l,d3,c,c,r,c,c,c,c");
    EXPECT_EQ(lb.ColumnTypes, "I,I,SE,CE,B,D,S,TE,ME,AE,P");
    EXPECT_EQ(lb.ColAlignment, "l,c,l,d3,c,c,r,c,c,c,c");
    EXPECT_EQ(TA::ColType(lb), (std::vector<Int32>{6, 6, 9, 2, 1, 5, 9, 3, 10, 4, 8}));
    EXPECT_EQ(TA::ColEdit(lb), (std::vector<bool>{false, false, true, true, false, false, false,
                                                  true, true, true, false}));
    EXPECT_EQ(TA::DropOrient(lb),
              (std::vector<std::string>{"", "", "", "", "", "L", "", "", "", "", ""}));
    EXPECT_EQ(lb.ColumnType(4), 2);
    EXPECT_EQ(lb.ColumnType(3), 0);

    const std::vector<Int32> alignments{1, 2, 1, 4, 2, 2, 3, 2, 2, 2, 2};
    for (Int32 c = 0; c < 11; ++c) {
        EXPECT_EQ(lb.ColumnAlignment(c), alignments[static_cast<std::size_t>(c)]) << c;
    }
    fw::Picture p(10, 10, 32);
    p.Graphics().TextFont(lb.TextFont());
    p.Graphics().TextSize(lb.TextSize());
    const Int32 w8 = fw::ToInt32(p.Graphics().StringWidth("8"));
    EXPECT_EQ(lb.ColumnAlignmentOffset(3), -(3 * w8) - 4);
}

TEST(ColumnSetup, TypeCodes) {
    struct Case {
        const char* types;
        Int32 columns;
        std::vector<Int32> kinds;
        std::vector<bool> editable;
        std::vector<std::string> orient;
    };
    const Case cases[] = {
        {"", 3, {9, 9, 9}, {false, false, false}, {"", "", ""}},
        {"I,N", 4, {6, 7, 9, 9}, {false, false, false, false}, {"", "", "", ""}},
        {"i,i,i,i,i,i,i,i,i,i,i,n,n", 11, std::vector<Int32>(11, 6), std::vector<bool>(11, false),
         std::vector<std::string>(11, "")},
        {" se , s,x,", 4, {9, 9, 0, 0}, {true, false, false, false}, {"", "", "", ""}},
        {"d,dl,dr,de", 4, {5, 5, 5, 5}, {false, false, false, false}, {"L", "L", "R", "R"}},
        {"be,pe,te,me,ae,ce,ne,ie",
         8,
         {1, 8, 3, 10, 4, 2, 7, 6},
         {false, false, true, true, true, true, true, true},
         std::vector<std::string>(8, "")},
        {"t,m,a,c,n,i,p,b",
         8,
         {3, 10, 4, 2, 7, 6, 8, 1},
         std::vector<bool>(8, false),
         std::vector<std::string>(8, "")},
    };
    for (const Case& c : cases) {
        Opened lb(c.columns, c.types);
        EXPECT_EQ(TA::ColType(lb), c.kinds) << c.types;
        EXPECT_EQ(TA::ColEdit(lb), c.editable) << c.types;
        EXPECT_EQ(TA::DropOrient(lb), c.orient) << c.types;
        EXPECT_EQ(lb.ColumnTypes, fw::Uppercase(c.types));
    }
}

TEST(ColumnSetup, AlignmentCodes) {
    struct Case {
        const char* types;
        const char* alignment;
        std::vector<Int32> expected;
    };
    const Case cases[] = {
        {"s,d,s,s", "", {1, 2, 1, 1}}, {"s,s,s,s,s", "L,,R", {1, 0, 3, 1, 1}},
        {"d,s", "r,r", {2, 3}},        {"s,s,s,s,s", " f , l ,C,r,d", {0, 1, 2, 3, 4}},
        {"s,s", "c,c,c,c", {2, 2}},
    };
    for (const Case& c : cases) {
        Opened lb(static_cast<Int32>(c.expected.size()), c.types, c.alignment);
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(lb.ColumnAlignment(static_cast<Int32>(i)), c.expected[i])
                << c.alignment << " column " << i;
        }
    }
}

TEST(ColumnSetup, DecimalOffsetsFollowTheWidthOfAnEight) {
    Opened lb(3, "s,s,s", "d,d2,D10");
    fw::Picture p(10, 10, 32);
    p.Graphics().TextFont(lb.TextFont());
    p.Graphics().TextSize(lb.TextSize());
    const Int32 w8 = fw::ToInt32(p.Graphics().StringWidth("8"));
    ASSERT_GT(w8, 0);
    EXPECT_EQ(lb.ColumnAlignmentOffset(0), -4);
    EXPECT_EQ(lb.ColumnAlignmentOffset(1), -(2 * w8) - 4);
    EXPECT_EQ(lb.ColumnAlignmentOffset(2), -(10 * w8) - 4);
    for (Int32 c = 0; c < 3; ++c) {
        EXPECT_EQ(lb.ColumnAlignment(c), 4);
    }
}

TEST(ColumnSetup, DecimalOffsetOfAHugeDigitCountSaturates) {
    Opened lb(1, "s", "d99999999999");
    EXPECT_EQ(lb.ColumnAlignment(0), 4);
    EXPECT_EQ(lb.ColumnAlignmentOffset(0), std::numeric_limits<Int32>::min());
}

TEST(ColumnSetup, HideColumns) {
    struct Case {
        const char* hide;
        std::vector<bool> hidden;
    };
    const Case cases[] = {
        {"", {false, false, false, false}},
        {"0", {true, false, false, false}},
        {" 1 , 3 ", {false, true, false, true}},
        {"2,x", {true, false, true, false}}, // no number names column 0
    };
    for (const Case& c : cases) {
        Opened lb(4, "s,s,s,s", "", c.hide);
        for (std::size_t i = 0; i < c.hidden.size(); ++i) {
            EXPECT_EQ(lb.Column(static_cast<Int32>(i)).WidthActual() == 0, c.hidden[i])
                << "\"" << c.hide << "\" column " << i;
        }
    }
}

TEST(ColumnSetup, HiddenIndexOutsideTheColumnsRaisesOutOfReset) {
    for (const char* hide : {"4", "-1", "1,99"}) {
        TambrelListBox lb;
        lb.ColumnCount(4);
        lb.ColumnTypes = "s,s,s,d";
        lb.ColAlignment = "r,r,r,r";
        lb.HideColumns = hide;
        EXPECT_THROW(lb.Event_Open(), fw::OutOfBoundsException) << hide;
        // The later steps did not run: no alignment set, no row height computed.
        EXPECT_NE(lb.ColumnAlignment(0), 3) << hide;
        EXPECT_EQ(lb.DefaultRowHeight(), -1) << hide;
        EXPECT_FALSE(TA::NotOpen(lb));
    }
}

TEST(ColumnSetup, RowHeight) {
    struct Case {
        Int32 tableType;
        const char* types;
        Int32 preset;
        Int32 added; // to the text height; -1: the preset stays
    };
    const Case cases[] = {
        {1, "s,p", -1, 12 + 4}, {0, "s,s", -1, 6}, {2, "p,p,p", -1, 16},
        {7, "s", -1, 0},        {1, "p", 25, -1},
    };
    for (const Case& c : cases) {
        TambrelListBox lb;
        lb.ColumnCount(Int32(fw::Split(c.types, ",").size()));
        lb.ColumnTypes = c.types;
        lb.TableType = c.tableType;
        lb.DefaultRowHeight(c.preset);
        lb.Event_Open();
        const Int32 h = Measure(lb).Height();
        EXPECT_EQ(lb.DefaultRowHeight(), c.added < 0 ? c.preset : h + c.added)
            << c.tableType << " " << c.types;
    }
}

TEST(ColumnSetup, LaterResetsTakeNothingBack) {
    TambrelListBox lb;
    lb.ColumnCount(4);
    lb.ColumnTypes = "b,s,s,s";
    lb.ColAlignment = "l,d2,r,c";
    lb.HideColumns = "3";
    lb.InitialValue("A,B,C,D");
    lb.Event_Open();
    const Int32 height = lb.DefaultRowHeight();
    const Int32 offset = lb.ColumnAlignmentOffset(1);
    EXPECT_EQ(lb.InitialValue(), "A\tB\tC\tD");

    lb.ColumnTypes = "s,s,s,p";
    lb.ColAlignment = "l,l,?,c";
    lb.HideColumns = "";
    lb.TableType = 2;
    lb.Reset();
    EXPECT_EQ(lb.ColumnType(0), 2);                 // stays a check-box column
    EXPECT_EQ(lb.Column(3).WidthActual(), 0);       // stays hidden
    EXPECT_EQ(lb.ColumnAlignment(2), 3);            // unknown code: unchanged
    EXPECT_EQ(lb.ColumnAlignmentOffset(1), offset); // offset stays on a left column
    EXPECT_EQ(lb.DefaultRowHeight(), height);       // no new height
    EXPECT_EQ(lb.InitialValue(), "A\tB\tC\tD");
    EXPECT_EQ(TA::ColType(lb), (std::vector<Int32>{9, 9, 9, 8}));
}

TEST(ColumnSetup, HeadingsAndResetEmptiesRowsAndTables) {
    TambrelListBox lb;
    lb.ColumnCount(11);
    lb.ColumnTypes = "i,i,se,ce,b,d,s,te,me,ae,p";
    lb.InitialValue(kDemoHeadings);
    lb.Event_Open();
    const std::vector<std::string> headings = fw::Split(kDemoHeadings, ",");
    for (Int32 c = 0; c < 11; ++c) {
        EXPECT_EQ(lb.Heading(c), headings[static_cast<std::size_t>(c)]);
    }
    lb.NewRow();
    lb.SetDropDownList(0, 5, "a,b");
    lb.SetPBMaxValue(0, 10, 170.0);
    lb.Reset();
    EXPECT_EQ(lb.ListCount(), 0);
    EXPECT_EQ(TA::DropList(lb).UBound1(), -1);
    EXPECT_EQ(TA::DropList(lb).UBound2(), -1);
    EXPECT_EQ(TA::PBMaxVals(lb).UBound1(), -1);
    EXPECT_EQ(TA::PBMaxVals(lb).UBound2(), -1);
    EXPECT_EQ(TA::ColType(lb).size(), 11u);
}

// ---------------------------------------------------------------------------------------------
// ResizeColumns

TEST(ResizeColumns, DoesNothingBeforeOpen) {
    TambrelListBox lb;
    lb.ColumnCount(2);
    lb.ColumnWidths("10,20");
    lb.ScrollBarHorizontal(false);
    lb.Width(1);
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), "10,20");
    EXPECT_FALSE(lb.ScrollBarHorizontal());
}

// Columns with fixed measures: a progress bar 75, an empty-headed check box 29, drop-down 32
// and string 14.
struct Fixed : Opened {
    explicit Fixed(const std::string& hide = "") : Opened(5, "s,p,d,b,s", "", hide) {
        InitialValue("");
    }
};

TEST(ResizeColumns, PercentageForm) {
    // total = 14 + 75 + 32 + 29 + 14 = 164 (+16)
    auto pct = [](double measured, double total) {
        return fw::Format(measured / total * 100, "#");
    };
    const std::string all180 =
        pct(14, 180) + "%," + pct(75, 180) + "%," + pct(32, 180) + "%," + pct(29, 180) + "%,*";
    const std::string hidden0 =
        "0," + pct(75, 166) + "%," + pct(32, 166) + "%," + pct(29, 166) + "%,*";
    const std::string hiddenLast =
        pct(14, 166) + "%," + pct(75, 166) + "%," + pct(32, 166) + "%," + pct(29, 166) + "%,0";
    const std::string noBar =
        pct(14, 164) + "%," + pct(75, 164) + "%," + pct(32, 164) + "%," + pct(29, 164) + "%,*";
    const struct {
        const char* hide;
        bool bar;
        Int32 width;
        std::string expected;
    } cases[] = {
        {"", true, 400, all180},      {"", true, 181, all180}, {"0", true, 400, hidden0},
        {"4", true, 400, hiddenLast}, {"", false, 165, noBar},
    };
    for (const auto& c : cases) {
        Fixed lb(c.hide);
        lb.ScrollBarVertical(c.bar);
        lb.ScrollBarHorizontal(false);
        lb.Width(c.width);
        lb.ResizeColumns();
        EXPECT_EQ(lb.ColumnWidths(), c.expected) << c.hide << " " << c.width;
        EXPECT_FALSE(lb.ScrollBarHorizontal());
    }
}

TEST(ResizeColumns, PixelFormWhenTheTotalReachesTheWidth) {
    auto px = [](double w) { return fw::Format(w, "#"); };
    for (Int32 width : {180, 100}) {
        Fixed lb;
        lb.ScrollBarVertical(true);
        lb.Width(width); // 164 + 16 = 180: equal is not less
        lb.ResizeColumns();
        EXPECT_EQ(lb.ColumnWidths(), "14,75,32,29,14") << width;
        EXPECT_TRUE(lb.ScrollBarHorizontal());
    }
    Fixed hidden("1");
    hidden.ScrollBarVertical(false);
    hidden.Width(50);
    hidden.ResizeColumns();
    EXPECT_EQ(hidden.ColumnWidths(), "14," + px(0) + ",32,29,14");

    // Once on, a later percentage form leaves the horizontal bar on.
    Fixed lb;
    lb.Width(100);
    lb.ResizeColumns();
    lb.Width(1000);
    lb.ResizeColumns();
    EXPECT_TRUE(lb.ScrollBarHorizontal());
    EXPECT_EQ(fw::Right(lb.ColumnWidths(), 1), "*");
}

TEST(ResizeColumns, MeasuresHeadingsAndCellTextsByKind) {
    Opened lb(4, "s,b,d,p", "", "");
    lb.InitialValue("Heading wider than cells\tB\tC\tProgress heading that is long");
    lb.Reset();
    lb.NewRow();
    lb.SetValue(0, "a");
    lb.SetValue(1, "Check");
    lb.SetValue(2, "x");
    lb.SetValue(3, 99.0);
    lb.NewRow();
    lb.SetValue(1, "A much wider check-box text");
    lb.SetValue(2, "Drop");
    lb.NewRow();
    lb.SetValue(2, "y");
    // Narrower than the texts (the pixel form), wide enough that no column lies at width 0.
    lb.ScrollBarVertical(false);
    lb.Width(400);
    lb.ResizeColumns();

    Measure m(lb);
    auto w = [&](const std::string& text, double extra) {
        return fw::ToInt32(m.Width(text) + extra);
    };
    const std::string expected =
        std::to_string(w("Heading wider than cells", 14)) + "," +
        std::to_string(std::max(w("A much wider check-box text", 29), w("B", 29))) + "," +
        std::to_string(std::max(w("Drop", 32), w("C", 32))) + ",75";
    EXPECT_EQ(lb.ColumnWidths(), expected);
}

// Every call sees the texts as they are now, however they were changed in between.
TEST(ResizeColumns, EachCallMeasuresTheCurrentTexts) {
    Opened lb(2, "s,d");
    lb.InitialValue(""); // empty headings measure below every text
    lb.ScrollBarVertical(false);
    lb.Width(60);
    for (int i = 0; i < 3; ++i) {
        lb.NewRow();
        lb.SetValue(0, "abc");
        lb.SetValue(1, "x");
    }
    Measure m(lb);
    auto px = [&](const std::string& text, double extra) {
        return std::to_string(fw::ToInt32(m.Width(text) + extra));
    };
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), px("abc", 14) + "," + px("x", 32));

    lb.Cell(1, 0, "a far wider text than before");
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), px("a far wider text than before", 14) + "," + px("x", 32));

    lb.Cell(1, 0, "abc");
    lb.UpdateValue(2, 1, "Seven");
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), px("abc", 14) + "," + px("Seven", 32));

    lb.RemoveRow(2);
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), px("abc", 14) + "," + px("x", 32));

    lb.DeleteAllRows();
    lb.NewRow();
    lb.SetValue(0, "abcdefghijklmnop");
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), px("abcdefghijklmnop", 14) + "," + px("", 32));
}

TEST(ResizeColumns, FollowsAFontChange) {
    Opened lb(1, "s");
    lb.InitialValue("Some heading text");
    lb.Width(100);
    lb.ResizeColumns();
    const std::string before = lb.ColumnWidths();
    lb.TextSize(40);
    lb.ResizeColumns();
    Measure m(lb);
    EXPECT_EQ(lb.ColumnWidths(), std::to_string(fw::ToInt32(m.Width("Some heading text") + 14)));
    EXPECT_NE(lb.ColumnWidths(), before);
}

// "System" and "SmallSystem" follow the desktop's font: when it changes, the next call gives
// what a list that never measured before gives.
TEST(ResizeColumns, FollowsTheDesktopFontOfASystemList) {
    struct RestoreAppFont {
        QFont saved = QApplication::font();
        ~RestoreAppFont() { QApplication::setFont(saved); }
    } restore;
    const QFont original = QApplication::font();
    QFont serif("DejaVu Serif");
    serif.setPointSizeF(original.pointSizeF() + 5);
    QFont larger = original;
    larger.setPointSizeF(original.pointSizeF() * 2);
    QFont pixels = original;
    pixels.setPixelSize(30);

    auto build = [](const std::string& font) {
        auto lb = std::make_unique<Opened>(2, "s,d");
        lb->TextFont(font);
        lb->InitialValue("Heading\tChoice");
        for (const char* text : {"A cell text", "Another, longer cell text", "x"}) {
            lb->NewRow();
            lb->SetValue(0, text);
            lb->SetValue(1, text);
        }
        lb->ScrollBarVertical(false);
        lb->Width(50); // the pixel form: the measured widths themselves
        return lb;
    };
    for (const std::string font : {"System", "SmallSystem"}) {
        auto lb = build(font);
        lb->ResizeColumns();
        const std::string before = lb->ColumnWidths();
        for (const QFont& desktop : {serif, larger, pixels, original}) {
            QApplication::setFont(desktop);
            lb->ResizeColumns();
            auto fresh = build(font);
            fresh->ResizeColumns();
            EXPECT_EQ(lb->ColumnWidths(), fresh->ColumnWidths())
                << font << " " << desktop.toString().toStdString();
            Measure m(*lb);
            EXPECT_EQ(lb->ColumnWidths(),
                      std::to_string(fw::ToInt32(m.Width("Another, longer cell text") + 14)) + "," +
                          std::to_string(fw::ToInt32(m.Width("Another, longer cell text") + 32)));
            if (desktop != original) {
                EXPECT_NE(lb->ColumnWidths(), before) << font << " the font did change";
            }
        }
        EXPECT_EQ(lb->ColumnWidths(), before) << font;
    }
}

TEST(ResizeColumns, ColumnsAddedAfterResetAreNotMeasured) {
    Opened lb(2, "s,s");
    lb.InitialValue("A\tB");
    lb.ColumnCount(4);
    lb.Width(40);
    lb.ScrollBarVertical(false);
    EXPECT_NO_THROW(lb.ResizeColumns());
    Measure m(lb);
    EXPECT_EQ(lb.ColumnWidths(), std::to_string(fw::ToInt32(m.Width("A") + 14)) + "," +
                                     std::to_string(fw::ToInt32(m.Width("B") + 14)) + "," +
                                     fw::Format(0, "#") + "," + fw::Format(0, "#"));
}

// The widths kept from call to call follow every change: after the demonstration's fill, after
// one cell grows past its column's widest and shrinks back, a text with ligatures, an edit in
// place and a removed row, each call gives what measuring every heading and cell with
// StringWidth gives.
TEST(ResizeColumns, KeptWidthsFollowEveryChangedCell) {
    Initialize();
    TambrelListBox& lb = Window1::Instance()->lb1();
    support::Settle();
    // Its columns "i,i,se,ce,b,d,s,te,me,ae,p": check box, drop-down and progress bar apart.
    const double extras[] = {14, 14, 14, 14, 29, 32, 14, 14, 14, 14, -1};
    ASSERT_EQ(lb.ColumnCount(), 11);
    auto everyCell = [&] {
        Measure m(lb);
        std::vector<Int32> measured(11, 0);
        std::vector<bool> hidden(11, false);
        for (Int32 c = 0; c < 11; ++c) {
            hidden[c] = lb.Column(c).WidthActual() == 0;
            if (hidden[c] || extras[c] < 0) {
                measured[c] = hidden[c] ? 0 : 75;
                continue;
            }
            double widest = m.Width(lb.Heading(c));
            for (Int32 r = 0; r < lb.ListCount(); ++r) {
                widest = std::max(widest, m.Width(lb.Cell(r, c)));
            }
            measured[c] = fw::ToInt32(widest + extras[c]);
        }
        return PlanColumnWidths(measured, hidden, lb.ScrollBarVertical(), lb.Width()).widths;
    };
    lb.ResizeColumns();
    const std::string filled = lb.ColumnWidths();
    EXPECT_EQ(filled, everyCell());

    lb.UpdateValue(17, 6, "Something far, far wider than every other text of the list");
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), everyCell());
    EXPECT_NE(lb.ColumnWidths(), filled);
    lb.UpdateValue(17, 6, "x");
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), everyCell());
    EXPECT_EQ(lb.ColumnWidths(), filled);

    lb.UpdateValue(3, 2, "The office's affluent fjord, fi fl ffi ffl, and a long string, 9");
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), everyCell());

    support::ListDriver view{lb};
    view.Click(view.Centre(0, 2));
    QLineEdit* editor = view.Editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, " and more typed in place, far wider than what it was");
    auto told = fw::testing::ExpectMessageBox(); // the demonstration tells the new text
    QTest::keyClick(editor, Qt::Key_Return);
    support::Settle();
    EXPECT_TRUE(fw::testing::WaitForModalAnswers());
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), everyCell());

    lb.RemoveRow(0);
    lb.ResizeColumns();
    EXPECT_EQ(lb.ColumnWidths(), everyCell());
}

} // namespace
