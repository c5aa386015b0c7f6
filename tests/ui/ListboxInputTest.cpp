// The framework list box driven by the mouse and the keyboard: selection, check boxes, the
// in-place editor, the heading, scrolling, the contextual menu and exceptions from handlers.
#include "framework/ui/MenuItem.h"
#include "tests/ui/ListboxTestFixture.h"

#include <QScrollBar>
#include <QWheelEvent>
#include <string>
#include <utility>

using fw::Int32;

namespace {

using listbox_test::ListboxTest;

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

} // namespace
