// The list's note of changed cell texts, which the control's column fitting takes.
#include "framework/ui/Listbox.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using fw::Int32;

namespace {

struct Noting : fw::Listbox {
    using fw::Listbox::CellTextView;
    using fw::Listbox::RowTextViews;
    using fw::Listbox::TakeTextChanges;
};

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A row's texts at once are CellTextView's, in the columns' order asked; a row or column
// outside the list is refused as there.
TEST(ListboxTextChanges, RowTextViewsAreTheCellsViews) {
    Noting lb;
    lb.ColumnCount(3);
    lb.AddRow({"a", "a text longer than fifteen bytes", ""});
    lb.AddRow({"c", "d", "e"});
    const std::vector<Int32> columns{2, 0, 1, 0};
    for (Int32 row = 0; row < 2; ++row) {
        std::vector<std::string_view> out(columns.size());
        lb.RowTextViews(row, columns, out.data());
        for (std::size_t i = 0; i < columns.size(); ++i) {
            EXPECT_EQ(out[i].data(), lb.CellTextView(row, columns[i]).data()) << row << i;
            EXPECT_EQ(out[i], lb.CellTextView(row, columns[i])) << row << i;
        }
    }
    std::string_view out[1];
    const std::vector<Int32> outside{3};
    EXPECT_ANY_THROW(lb.RowTextViews(0, outside, out));
    EXPECT_ANY_THROW(lb.RowTextViews(2, std::vector<Int32>{0}, out));
}

// Nothing is noted before the first take; then each take hands over the cells whose texts
// were set since the last one (by code or in the in-place editor), and rows or columns added,
// removed or moved make everything.
TEST(ListboxTextChanges, ListTheCellsSetSinceTheLastTake) {
    Noting lb;
    lb.DefaultRowHeight(20);
    lb.ColumnCount(2);
    lb.AddRow({"a", "b"});
    lb.AddRow({"c", "d"});
    lb.Cell(0, 0, "before");
    EXPECT_TRUE(lb.TakeTextChanges().everything);
    auto none = lb.TakeTextChanges();
    EXPECT_FALSE(none.everything);
    EXPECT_TRUE(none.cells.empty());

    lb.Cell(1, 0, "x");
    lb.CellTag(0, 0, fw::Variant(5));
    lb.Width(202);
    lb.Height(102);
    auto* view = static_cast<QAbstractScrollArea*>(lb.NativeWidget());
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    lb.EditCell(0, 1);
    Settle();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "typed");
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
    const auto changed = lb.TakeTextChanges();
    EXPECT_FALSE(changed.everything);
    EXPECT_EQ(changed.cells, (std::vector<std::pair<Int32, Int32>>{{1, 0}, {0, 1}}));
    EXPECT_EQ(lb.CellTextView(0, 1), "typed");

    const std::pair<const char*, std::function<void()>> moves[] = {
        {"AddRow", [&] { lb.AddRow({"e"}); }},
        {"InsertRow", [&] { lb.InsertRow(0, "i"); }},
        {"RemoveRow", [&] { lb.RemoveRow(0); }},
        {"ColumnCount", [&] { lb.ColumnCount(3); }},
        {"DeleteAllRows", [&] { lb.DeleteAllRows(); }},
    };
    for (const auto& [what, move] : moves) {
        move();
        EXPECT_TRUE(lb.TakeTextChanges().everything) << what;
        EXPECT_FALSE(lb.TakeTextChanges().everything) << what;
    }
    // Past a few thousand changes it keeps just everything.
    lb.AddRow({"a"});
    lb.TakeTextChanges();
    for (int i = 0; i < 5000; ++i) {
        lb.Cell(0, 0, std::to_string(i));
    }
    const auto many = lb.TakeTextChanges();
    EXPECT_TRUE(many.everything);
    EXPECT_TRUE(many.cells.empty());
}

} // namespace
