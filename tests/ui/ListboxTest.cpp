#include "framework/ui/Listbox.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/PropertyStream.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/testing/ModalTestSupport.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

using fw::Int32;

namespace {

// Records the paint events and lets a test answer them.
class Probe : public fw::Listbox {
public:
    struct Paint {
        Int32 row, column, width, height, x, y;
    };
    std::vector<Paint> backgrounds;
    std::vector<Paint> texts;
    std::function<bool(fw::Graphics&, Int32, Int32)> onBackground;
    std::function<bool(fw::Graphics&, Int32, Int32)> onText;

    bool Event_CellBackgroundPaint(fw::Graphics& g, Int32 row, Int32 column) override {
        backgrounds.push_back({row, column, g.Width(), g.Height(), 0, 0});
        return onBackground ? onBackground(g, row, column) : false;
    }
    bool Event_CellTextPaint(fw::Graphics& g, Int32 row, Int32 column, Int32 x, Int32 y) override {
        texts.push_back({row, column, g.Width(), g.Height(), x, y});
        return onText ? onText(g, row, column) : false;
    }
};

class ListboxTest : public ::testing::Test {
public:
    void TearDown() override { fw::testing::ClearModalAnswers(); }

    void SetUp() override {
        lb = std::make_unique<Probe>();
        lb->DefaultRowHeight(20);
    }

    QAbstractScrollArea* View() const {
        return static_cast<QAbstractScrollArea*>(lb->NativeWidget());
    }
    QWidget* Viewport() const { return View()->viewport(); }

    void Show(Int32 width, Int32 height) {
        lb->Width(width);
        lb->Height(height);
        View()->show();
        View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(View()));
        Settle();
    }

    static void Settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QImage Grab() {
        Settle();
        lb->backgrounds.clear();
        lb->texts.clear();
        return View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // A list-relative point, in the widget that receives mouse events there.
    void Click(QPoint listPoint, Qt::KeyboardModifiers mods = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton) {
        QWidget* target = View()->childAt(listPoint);
        if (target == nullptr) {
            target = View();
        }
        QTest::mouseClick(target, button, mods, target->mapFrom(View(), listPoint));
        Settle();
    }

    // Cell (row, column) of a list without heading: border 1, rows 20 pixels high.
    QPoint CellPoint(Int32 row, Int32 column, Int32 dx = 5, Int32 dy = 5) {
        Int32 x = 1;
        for (Int32 c = 0; c < column; ++c) {
            x += lb->Column(c).WidthActual();
        }
        return {x + dx, 1 + row * 20 + dy};
    }

    static QLineEdit* FocusedEditor() {
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }

    std::unique_ptr<Probe> lb;
};

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

TEST_F(ListboxTest, ClicksSelectRowsAndRaiseChange) {
    lb->ColumnCount(2);
    for (int i = 0; i < 4; ++i) {
        lb->AddRow({"a", "b"});
    }
    int changes = 0;
    std::vector<std::vector<Int32>> clicks;
    lb->Change.Bind([&](fw::Listbox&) { ++changes; }, "( Listbox )");
    lb->CellClick.Bind(
        [&](fw::Listbox&, Int32 r, Int32 c, Int32 x, Int32 y) {
            clicks.push_back({r, c, x, y});
            return false;
        },
        "( Listbox, Int32, Int32, Int32, Int32 ) as Boolean");
    Show(202, 102);
    Click(CellPoint(2, 1, 7, 4));
    EXPECT_EQ(lb->ListIndex(), 2);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], (std::vector<Int32>{2, 1, 7, 4}));

    lb->SelectionType(1);
    Click(CellPoint(0, 0), Qt::ControlModifier);
    EXPECT_TRUE(lb->Selected(0));
    EXPECT_TRUE(lb->Selected(2));
    Click(CellPoint(3, 0), Qt::ShiftModifier);
    for (Int32 r = 0; r < 4; ++r) {
        EXPECT_TRUE(lb->Selected(r)) << r;
    }
    Click(CellPoint(1, 0));
    EXPECT_EQ(lb->ListIndex(), 1);
    EXPECT_FALSE(lb->Selected(3));

    // A handled click leaves the selection to the handler.
    lb->CellClick.Bind([](fw::Listbox&, Int32, Int32, Int32, Int32) { return true; },
                       "( Listbox, Int32, Int32, Int32, Int32 ) as Boolean");
    const int before = changes;
    Click(CellPoint(3, 0));
    EXPECT_EQ(lb->ListIndex(), 1);
    EXPECT_EQ(changes, before);

    // Setters raise Change too, only when the selection changes.
    lb->ListIndex(1);
    EXPECT_EQ(changes, before);
    lb->Selected(3, true);
    EXPECT_EQ(changes, before + 1);
}

TEST_F(ListboxTest, ClickOnCheckBoxCellTogglesItAndRaisesCellAction) {
    lb->ColumnCount(3);
    lb->ColumnWidths("100,100,*");
    lb->ColumnType(1, 2);
    lb->AddRow({"a", "Bye!", ""});
    lb->AddRow({"b", "c", ""});
    lb->CellType(1, 0, 2); // a check box by cell type
    std::vector<std::pair<Int32, Int32>> actions;
    lb->CellAction.Bind(
        [&](fw::Listbox&, Int32 r, Int32 c) {
            actions.push_back({r, c});
        },
        "( Listbox, Int32, Int32 )");
    Show(302, 102);
    Click(CellPoint(0, 1, 40, 10));
    EXPECT_EQ(lb->CellState(0, 1), fw::CheckBox::CheckedStates::Checked);
    EXPECT_TRUE(lb->CellCheck(0, 1));
    Click(CellPoint(0, 1, 8, 10));
    EXPECT_EQ(lb->CellState(0, 1), fw::CheckBox::CheckedStates::Unchecked);
    lb->CellState(1, 0, fw::CheckBox::CheckedStates::Indeterminate);
    Click(CellPoint(1, 0));
    EXPECT_EQ(lb->CellState(1, 0), fw::CheckBox::CheckedStates::Checked);
    Click(CellPoint(1, 2)); // a plain cell
    EXPECT_EQ((actions), (std::vector<std::pair<Int32, Int32>>{{0, 1}, {0, 1}, {1, 0}}));

    // The framework draws the box whatever the paint handlers return.
    lb->onBackground = [](fw::Graphics& g, Int32, Int32) {
        g.ForeColor(fw::RGB(255, 255, 0));
        g.FillRect(0, 0, g.Width(), g.Height());
        return true;
    };
    lb->onText = [](fw::Graphics&, Int32, Int32) { return true; };
    const QImage img = Grab();
    const QPoint boxCorner = CellPoint(1, 0, 6, 4); // 12-pixel box at x 6, centred in 20
    EXPECT_NE(img.pixelColor(boxCorner + QPoint(1, 1)), QColor(255, 255, 0));
    EXPECT_EQ(img.pixelColor(boxCorner - QPoint(1, 0)), QColor(255, 255, 0));
    EXPECT_EQ(img.pixelColor(CellPoint(1, 0, 60, 10)), QColor(255, 255, 0));
}

TEST_F(ListboxTest, EditCellStoresTypedTextOnReturnAndRaisesCellActionOnce) {
    lb->ColumnCount(2);
    lb->AddRow({"old", "x"});
    lb->AddRow({"second", "y"});
    int actions = 0;
    std::string textAtAction;
    lb->CellAction.Bind(
        [&](fw::Listbox& l, Int32 r, Int32 c) {
            ++actions;
            textAtAction = l.Cell(r, c);
        },
        "( Listbox, Int32, Int32 )");
    Show(202, 102);

    lb->EditCell(0, 0);
    Settle();
    QLineEdit* editor = FocusedEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(lb->IsEditing());
    EXPECT_EQ(editor->text(), "old");
    EXPECT_EQ(editor->selectedText(), "old");
    // In the viewport, inside the cell: 3 pixels in from its sides, centred on its height.
    const QRect cell(0, 0, lb->Column(0).WidthActual(), 20);
    EXPECT_EQ(editor->geometry().left(), 3);
    EXPECT_EQ(editor->geometry().right(), cell.right() - 3);
    EXPECT_EQ(editor->geometry().top(), cell.bottom() - editor->geometry().bottom());
    EXPECT_GE(editor->height(), editor->fontMetrics().height());
    QTest::keyClicks(editor, "new text");
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
    EXPECT_EQ(lb->Cell(0, 0), "new text");
    EXPECT_EQ(textAtAction, "new text");
    EXPECT_FALSE(lb->IsEditing());
    Click(CellPoint(1, 1)); // a focus change after the end is no second end
    EXPECT_EQ(actions, 1);

    // Escape keeps the text the cell had.
    lb->EditCell(1, 0);
    Settle();
    editor = FocusedEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "typed");
    QTest::keyClick(editor, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(lb->Cell(1, 0), "second");
    EXPECT_EQ(actions, 2);

    // Tab ends the edit and stores; so does a click elsewhere.
    lb->EditCell(1, 1);
    Settle();
    QTest::keyClicks(FocusedEditor(), "tabbed");
    QTest::keyClick(FocusedEditor(), Qt::Key_Tab);
    Settle();
    EXPECT_EQ(lb->Cell(1, 1), "tabbed");
    EXPECT_EQ(actions, 3);
    lb->EditCell(0, 1);
    Settle();
    QTest::keyClicks(FocusedEditor(), "clicked");
    Click(CellPoint(1, 0));
    EXPECT_EQ(lb->Cell(0, 1), "clicked");
    EXPECT_EQ(actions, 4);
}

TEST_F(ListboxTest, EditorNeverOutlivesItsRow) {
    lb->ColumnCount(2);
    for (int i = 0; i < 3; ++i) {
        lb->AddRow({"r" + std::to_string(i), "x"});
    }
    int actions = 0;
    lb->CellAction.Bind([&](fw::Listbox&, Int32, Int32) { ++actions; },
                        "( Listbox, Int32, Int32 )");
    Show(202, 102);

    lb->EditCell(2, 0);
    Settle();
    QTest::keyClicks(FocusedEditor(), "moved");
    lb->RemoveRow(0); // the edited row moves up and keeps its editor
    EXPECT_TRUE(lb->IsEditing());
    QTest::keyClick(FocusedEditor(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(lb->Cell(1, 0), "moved");
    EXPECT_EQ(actions, 1);

    lb->EditCell(1, 1);
    Settle();
    QTest::keyClicks(FocusedEditor(), "lost");
    lb->RemoveRow(1);
    EXPECT_FALSE(lb->IsEditing());
    lb->EditCell(0, 1);
    Settle();
    lb->ColumnCount(1);
    EXPECT_FALSE(lb->IsEditing());
    lb->EditCell(0, 0);
    Settle();
    lb->DeleteAllRows();
    EXPECT_FALSE(lb->IsEditing());
    Settle();
    EXPECT_EQ(actions, 1) << "a removed row's edit is dropped, not reported";
    EXPECT_TRUE(Viewport()->findChildren<QLineEdit*>().isEmpty());
}

TEST_F(ListboxTest, EditorMovesWithScrolling) {
    for (int i = 0; i < 50; ++i) {
        lb->AddRow({std::to_string(i)});
    }
    Show(202, 102);
    lb->EditCell(10, 0); // scrolled into view first
    Settle();
    ASSERT_NE(FocusedEditor(), nullptr);
    const Int32 top = lb->ScrollPosition();
    EXPECT_LE(top, 10);
    const int inset = FocusedEditor()->y() - (10 - top) * 20;
    EXPECT_GE(inset, 0);
    EXPECT_LE(inset, 3);
    lb->ScrollPosition(top + 2);
    Settle();
    EXPECT_EQ(FocusedEditor()->y(), (10 - top - 2) * 20 + inset);
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

TEST_F(ListboxTest, HeadingClickRaisesHeaderPressedAndSortColumnWithoutSorting) {
    lb->ColumnCount(2);
    lb->HasHeading(true);
    lb->InitialValue("Name\tValue");
    lb->AddRow({"b", "2"});
    lb->AddRow({"a", "1"});
    std::vector<std::string> log;
    bool handleHeader = false;
    lb->HeaderPressed.Bind(
        [&](fw::Listbox&, Int32 c) {
            log.push_back("header " + std::to_string(c));
            return handleHeader;
        },
        "( Listbox, Int32 ) as Boolean");
    lb->SortColumn.Bind(
        [&](fw::Listbox&, Int32 c) {
            log.push_back("sort " + std::to_string(c));
            return false;
        },
        "( Listbox, Int32 ) as Boolean");
    Show(202, 102);
    Click(QPoint(150, 3));
    EXPECT_EQ(log, (std::vector<std::string>{"header 1", "sort 1"}));
    EXPECT_EQ(lb->HeadingIndex(), 1);
    EXPECT_EQ(lb->Cell(0, 0), "b") << "the list never sorts itself";
    EXPECT_EQ(lb->ListIndex(), -1);
    handleHeader = true;
    Click(QPoint(20, 3));
    EXPECT_EQ(log.back(), "header 0");
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(ListboxTest, DraggingAHeadingDividerResizesOnlyWhenColumnsResizable) {
    lb->ColumnCount(2);
    lb->ColumnWidths("80,*");
    lb->HasHeading(true);
    lb->InitialValue("A\tB");
    Show(202, 102);
    QWidget* heading = View()->childAt(QPoint(40, 3));
    ASSERT_NE(heading, nullptr);
    auto drag = [&](int fromX, int toX) {
        const QPoint from = heading->mapFrom(View(), QPoint(fromX, 3));
        const QPoint to = heading->mapFrom(View(), QPoint(toX, 3));
        QTest::mousePress(heading, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(heading, to);
        QTest::mouseRelease(heading, Qt::LeftButton, Qt::NoModifier, to);
        Settle();
    };
    drag(81, 111);
    EXPECT_EQ(lb->Column(0).WidthActual(), 80);
    lb->ColumnsResizable(true);
    drag(81, 111);
    EXPECT_EQ(lb->Column(0).WidthActual(), 110);
    EXPECT_EQ(lb->Column(1).WidthActual(), 90);
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

TEST_F(ListboxTest, KeysAndWheelScrollAndMoveTheSelection) {
    for (int i = 0; i < 100; ++i) {
        lb->AddRow({std::to_string(i)});
    }
    std::vector<std::string> keys;
    lb->KeyDown.Bind(
        [&](fw::Listbox&, std::string k) {
            keys.push_back(k);
            return k == "q";
        },
        "( Listbox, String ) as Boolean");
    Show(202, 102); // five rows visible
    lb->ScrollPosition(1000);
    EXPECT_EQ(lb->ScrollPosition(), 95);
    lb->ScrollPosition(0);
    lb->ListIndex(3);
    View()->setFocus();
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(View(), Qt::Key_Down);
    }
    EXPECT_EQ(lb->ListIndex(), 7);
    EXPECT_EQ(lb->ScrollPosition(), 3) << "the selected row is kept in view";
    QTest::keyClick(View(), Qt::Key_End);
    EXPECT_EQ(lb->ScrollPosition(), 95);
    QTest::keyClick(View(), Qt::Key_PageUp);
    EXPECT_EQ(lb->ScrollPosition(), 90);
    QTest::keyClick(View(), Qt::Key_Home);
    EXPECT_EQ(lb->ScrollPosition(), 0);
    QTest::keyClick(View(), Qt::Key_Q);
    ASSERT_GE(keys.size(), 5u);
    EXPECT_EQ(keys[0], std::string(1, '\x1f'));
    EXPECT_EQ(keys.back(), "q");
    EXPECT_EQ(View()->verticalScrollBar()->maximum(), 95);
    // The viewport Qt laid out is the rows' area the list computed.
    EXPECT_EQ(Viewport()->width(), lb->Column(0).WidthActual());
    EXPECT_EQ(Viewport()->height(), 100);

    std::vector<Int32> wheel;
    lb->MouseWheel.Bind(
        [&](fw::Listbox&, Int32 x, Int32 y, Int32 dx, Int32 dy) {
            wheel = {x, y, dx, dy};
            return false;
        },
        "( Listbox, Int32, Int32, Int32, Int32 ) as Boolean");
    const QPoint at(30, 30);
    QWheelEvent event(QPointF(Viewport()->mapFrom(View(), at)), QPointF(View()->mapToGlobal(at)),
                      QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(Viewport(), &event);
    EXPECT_EQ(wheel, (std::vector<Int32>{30, 30, 0, 1}));
    EXPECT_EQ(lb->ScrollPosition(), QApplication::wheelScrollLines());
}

TEST_F(ListboxTest, MouseDownTakenByTheHandlerSuppressesTheCellClick) {
    lb->AddRow({"a"});
    std::vector<std::string> log;
    lb->MouseDown.Bind(
        [&](fw::Listbox&, Int32 x, Int32 y) {
            log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
            return true;
        },
        "( Listbox, Int32, Int32 ) as Boolean");
    lb->MouseUp.Bind([&](fw::Listbox&, Int32, Int32) { log.push_back("up"); },
                     "( Listbox, Int32, Int32 )");
    lb->CellClick.Bind(
        [&](fw::Listbox&, Int32, Int32, Int32, Int32) {
            log.push_back("cell");
            return false;
        },
        "( Listbox, Int32, Int32, Int32, Int32 ) as Boolean");
    Show(202, 102);
    Click(QPoint(12, 8));
    EXPECT_EQ(log, (std::vector<std::string>{"down 12,8", "up"}));
    EXPECT_EQ(lb->ListIndex(), -1);
}

TEST_F(ListboxTest, RightClickBuildsAndPopsUpTheContextualMenu) {
    lb->AddRow({"a"});
    std::vector<std::string> log;
    lb->ConstructContextualMenu.Bind(
        [&](fw::Listbox&, fw::MenuItem& base, Int32 x, Int32 y) {
            log.push_back("construct " + std::to_string(x) + "," + std::to_string(y));
            base.Append(std::make_shared<fw::MenuItem>("Copy"));
            base.Append(std::make_shared<fw::MenuItem>("Paste"));
            return true;
        },
        "( Listbox, MenuItem, Int32, Int32 ) as Boolean");
    lb->ContextualMenuAction.Bind(
        [&](fw::Listbox&, fw::MenuItem& item) {
            log.push_back("chose " + item.Text());
            return true;
        },
        "( Listbox, MenuItem ) as Boolean");
    lb->EnableMenuItems.Bind([&](fw::Listbox&) { log.push_back("enable"); }, "( Listbox )");
    Show(202, 102);
    fw::testing::AnswerNextPopupMenu(1);
    Click(QPoint(30, 9), Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(fw::testing::WaitForModalAnswers());
    EXPECT_EQ(log, (std::vector<std::string>{"construct 30,9", "enable", "chose Paste"}));
}

TEST_F(ListboxTest, AnExceptionFromAHandlerReachesTheBoundaryNotQt) {
    lb->AddRow({"a"});
    lb->CellClick.Bind(
        [](fw::Listbox& l, Int32, Int32, Int32, Int32) -> bool {
            (void)l.Cell(5, 0);
            return true;
        },
        "( Listbox, Int32, Int32, Int32, Int32 ) as Boolean");
    Show(202, 102);
    auto box = fw::testing::ExpectMessageBox();
    Click(CellPoint(0, 0));
    EXPECT_TRUE(fw::testing::WaitForModalAnswers());
    EXPECT_TRUE(box->answered);
    EXPECT_NE(box->text.find("OutOfBoundsException"), std::string::npos) << box->text;
    EXPECT_EQ(lb->ListIndex(), 0) << "a handler that raised counts as unhandled";
}

TEST_F(ListboxTest, DesignedPropertiesOfTheCalendarGridApply) {
    fw::RegisterListboxClass();
    // The list-box entries of a stored stream, in stored order: the headings come before the
    // column count.
    std::string stream;
    auto name = [&](const char* n) {
        stream += n;
        stream += ' ';
    };
    auto boolean = [&](const char* n, bool v) {
        name(n);
        stream += static_cast<char>(v ? 1 : 0);
    };
    auto int32 = [&](const char* n, Int32 v) {
        name(n);
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 24; shift >= 0; shift -= 8) {
            stream += static_cast<char>((u >> shift) & 0xFF);
        }
    };
    auto text = [&](const char* n, const std::string& v) {
        int32(n, static_cast<Int32>(v.size()));
        stream += v;
    };
    text("DataField", "");
    text("DataSource", "");
    boolean("AutoHideScrollbars", true);
    boolean("ColumnsResizable", false);
    int32("SelectionType", 0);
    boolean("RequiresSelection", false);
    boolean("EnableDragReorder", false);
    boolean("EnableDrag", false);
    boolean("Hierarchical", false);
    boolean("Underline", false);
    boolean("Italic", false);
    boolean("Bold", false);
    text("TextFont", "SmallSystem");
    int32("_ScrollWidth", -1);
    int32("DefaultRowHeight", 18);
    int32("GridLinesVertical", 1);
    int32("GridLinesHorizontal", 1);
    boolean("ScrollBarVertical", false);
    boolean("ScrollbarHorizontal", false);
    int32("HeadingIndex", -1);
    text("InitialValue", "S,M,T,W,T,F,S");
    boolean("UseFocusRing", false);
    boolean("HasHeading", true);
    text("ColumnWidths", "");
    int32("ColumnCount", 7);
    boolean("Border", true);
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
