#include "app/Window1.h"

#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "framework/core/Date.h"
#include "framework/core/Variant.h"
#include "framework/ui/testing/ModalTestSupport.h"

#include <QApplication>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

using fw::Int32;

// One freshly built main window per test, closed at the end.
class Window1Test : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Initialize(); }

    void SetUp() override {
        m_window = Window1::Instance();
        ASSERT_NE(m_window, nullptr);
    }
    void TearDown() override {
        if (m_window != nullptr && m_window->IsOpen()) {
            m_window->Close();
        }
        fw::testing::ClearModalAnswers();
        QApplication::processEvents();
    }

    TambrelListBox& List() { return m_window->lb1(); }

    std::shared_ptr<Window1> m_window;
};

TEST_F(Window1Test, OpenWindowIsTheImplicitInstance) {
    EXPECT_EQ(Window1::Instance(), m_window);
    EXPECT_EQ(fw::_GetImplicitWindow("Window1.Window1"), m_window);
    EXPECT_TRUE(m_window->IsOpen());
    EXPECT_EQ(&m_window->lb1(), &m_window->lb1());
}

TEST_F(Window1Test, DesignedPropertiesAreApplied) {
    EXPECT_EQ(m_window->Title(), "Untitled");
    EXPECT_EQ(m_window->Width(), 857);
    EXPECT_EQ(m_window->Height(), 447);
    EXPECT_TRUE(m_window->Visible());
    EXPECT_FALSE(m_window->MaximizeButton());
    EXPECT_EQ(m_window->MenuBar(), MenuBar1::Instance());

    TambrelListBox& list = List();
    EXPECT_EQ(list.Name(), "lb1");
    EXPECT_EQ(list.Index(), INT32_MIN);
    EXPECT_EQ(list.Left(), 20);
    EXPECT_EQ(list.Top(), 14);
    EXPECT_EQ(list.Width(), 817);
    EXPECT_EQ(list.Height(), 413);
    EXPECT_DOUBLE_EQ(list.TextSize(), 11.0);
    EXPECT_EQ(list.TextUnit(), fw::FontUnits::Default);
    EXPECT_EQ(list.TextFont(), "Verdana");
    EXPECT_EQ(list.TableType, 1);
    EXPECT_EQ(list.HighlightColor, fw::Color(0x8000FF));
    EXPECT_EQ(list.DateFormat, "n, d mmm yyyy");
    EXPECT_EQ(list.CurrencyFormat, "#,0.00;(#,0.00);\\");
    EXPECT_TRUE(list.ScrollBarVertical());
}

TEST_F(Window1Test, MenuItemAccessorsFindTheSharedBarsItems) {
    std::shared_ptr<MenuBar1> bar = MenuBar1::Instance();
    EXPECT_EQ(m_window->FileMenu(), bar->Child("FileMenu"));
    ASSERT_NE(m_window->FileQuit(), nullptr);
    EXPECT_EQ(m_window->FileQuit()->Name(), "FileQuit");
    struct Accessor {
        const char* name;
        fw::MenuItemPtr (Window1::*get)();
    };
    const Accessor accessors[] = {
        {"EditMenu", &Window1::EditMenu},
        {"EditSelectAll", &Window1::EditSelectAll},
        {"UntitledMenu0", &Window1::UntitledMenu0},
        {"EditClear", &Window1::EditClear},
        {"EditPaste", &Window1::EditPaste},
        {"EditCopy", &Window1::EditCopy},
        {"EditCut", &Window1::EditCut},
        {"UntitledMenu1", &Window1::UntitledMenu1},
        {"EditUndo", &Window1::EditUndo},
        {"FileMenu", &Window1::FileMenu},
    };
    for (const Accessor& accessor : accessors) {
        fw::MenuItemPtr item = (m_window.get()->*accessor.get)();
        ASSERT_NE(item, nullptr) << accessor.name;
        EXPECT_EQ(item->Name(), accessor.name);
    }
}

TEST_F(Window1Test, ColumnsAreSetUpAndColumnZeroIsHidden) {
    TambrelListBox& list = List();
    ASSERT_EQ(list.ColumnCount(), 11);
    EXPECT_TRUE(list.HasHeading());
    const char* headings[] = {"Key",      "No.",       "Long String",  "Currency ",
                              "Checkbox", "Drop Down", "Right String", "The Date",
                              "Time",     "DateTime",  "Progress"};
    for (Int32 c = 0; c < 11; ++c) {
        EXPECT_EQ(list.Heading(c), headings[c]) << c;
    }
    EXPECT_EQ(list.Column(0).WidthActual(), 0);
    for (Int32 c = 1; c < 11; ++c) {
        EXPECT_GT(list.Column(c).WidthActual(), 0) << c;
    }
}

// The list box's own Open ran before the window's: its reset would have removed the rows.
TEST_F(Window1Test, OpenFillsTwoHundredFiftyRowsOfEveryKind) {
    TambrelListBox& list = List();
    ASSERT_EQ(list.ListCount(), 250);
    for (Int32 r = 0; r < 250; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const Int32 i = r + 1;
        fw::Variant key = list.GetValue(r, 0);
        EXPECT_EQ(key.GetType(), fw::Variant::Type::Int32);
        EXPECT_EQ(key.ToInt32(), i);
        EXPECT_EQ(list.GetValue(r, 1).ToInt32(), i);
        EXPECT_EQ(list.Cell(r, 1), std::to_string(i));
        EXPECT_EQ(list.GetValue(r, 2).ToString(), "This is a long string, " + std::to_string(i));

        fw::Variant amount = list.GetValue(r, 3);
        EXPECT_EQ(amount.GetType(), fw::Variant::Type::Double);
        const double base = (i % 3 == 0) ? -i : i;
        EXPECT_GE(amount.ToDouble(), base);
        EXPECT_LT(amount.ToDouble(), base + 1);
        if (i % 3 == 0) {
            EXPECT_EQ(list.Cell(r, 3).substr(0, 1), "(") << list.Cell(r, 3);
        }

        EXPECT_EQ(list.GetValue(r, 4).ToString(), "Bye!");
        if (i % 8 == 0) {
            EXPECT_EQ(list.GetValue(r, 5).ToString(), "Six");
            EXPECT_EQ(list.Cell(r, 5), "Six");
        } else {
            EXPECT_TRUE(list.GetValue(r, 5).IsNil());
            EXPECT_EQ(list.Cell(r, 5), "");
        }
        EXPECT_EQ(list.GetValue(r, 6).ToString(), "Something here.");

        // Columns 7 to 9 share one Date of the row's own.
        std::shared_ptr<fw::Object> when = list.GetValue(r, 7).ToObject();
        ASSERT_NE(std::dynamic_pointer_cast<fw::Date>(when), nullptr);
        EXPECT_EQ(list.GetValue(r, 8).ToObject(), when);
        EXPECT_EQ(list.GetValue(r, 9).ToObject(), when);
        if (r > 0) {
            EXPECT_NE(list.GetValue(r - 1, 7).ToObject(), when);
        }

        fw::Variant progress = list.GetValue(r, 10);
        EXPECT_EQ(progress.GetType(), fw::Variant::Type::Double);
        EXPECT_GE(progress.ToDouble(), 0.0);
        EXPECT_LT(progress.ToDouble(), 170.0);
    }
}

TEST_F(Window1Test, ColumnsAreFittedAtOpenAndOnEveryResize) {
    TambrelListBox& list = List();
    // The stream leaves the widths empty; the fitting at open wrote them.
    std::string atOpen = list.ColumnWidths();
    EXPECT_NE(atOpen, "");
    EXPECT_EQ(atOpen.substr(0, 1), "0"); // the hidden key column

    // Too narrow for the texts: pixel widths and a horizontal scroll bar.
    m_window->Width(200);
    QApplication::processEvents();
    std::string narrow = list.ColumnWidths();
    EXPECT_EQ(narrow.find('%'), std::string::npos) << narrow;
    EXPECT_TRUE(list.ScrollBarHorizontal());

    // Wide enough: shares of the width, the last column taking the rest.
    m_window->Width(3000);
    QApplication::processEvents();
    std::string wide = list.ColumnWidths();
    EXPECT_NE(wide.find('%'), std::string::npos) << wide;
    EXPECT_EQ(wide.back(), '*');

    // The rows and values stay.
    EXPECT_EQ(list.ListCount(), 250);
    EXPECT_EQ(list.GetValue(249, 0).ToInt32(), 250);
}

TEST_F(Window1Test, CheckBoxChangeWritesTheCellText) {
    TambrelListBox& list = List();
    list.CellCheckBoxStateChange.Raise(list, 3, 4, true);
    EXPECT_EQ(list.Cell(3, 4), "Checked");
    list.CellCheckBoxStateChange.Raise(list, 3, 4, false);
    EXPECT_EQ(list.Cell(3, 4), "No!");
    // The value is left as the control set it.
    EXPECT_EQ(list.GetValue(3, 4).ToString(), "Bye!");
    EXPECT_EQ(list.Cell(4, 4), "Bye!");
}

TEST_F(Window1Test, DropDownSixPutsTheNineteenEightyDateIntoTheRow) {
    TambrelListBox& list = List();
    const std::string longStringBefore = list.Cell(7, 2);
    list.CellDropDownChanged.Raise(list, 7, 5, "Six");
    fw::DatePtr date = list.GetValue(7, 7).ToDate();
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->Year(), 1980);
    EXPECT_EQ(date->Month(), 2);
    EXPECT_EQ(date->Day(), 9);
    EXPECT_EQ(date->Hour(), 0);
    EXPECT_EQ(date->Minute(), 0);
    EXPECT_EQ(date->Second(), 0);
    // Its own Date now: the time and date-time cells keep the row's shared one.
    EXPECT_NE(list.GetValue(7, 8).ToObject(), date);
    EXPECT_EQ(list.Cell(7, 2), longStringBefore);
}

TEST_F(Window1Test, DropDownOtherChoiceIsCopiedIntoTheLongString) {
    TambrelListBox& list = List();
    list.UpdateValue(2, 5, "Three");
    list.CellDropDownChanged.Raise(list, 2, 5, "Three");
    EXPECT_EQ(list.GetValue(2, 2).ToString(), "Three");
    EXPECT_EQ(list.Cell(2, 2), "Three");

    // Dismissed without a choice on an empty drop-down cell: column 2 keeps its text.
    list.UpdateValue(0, 5, "");
    list.CellDropDownChanged.Raise(list, 0, 5, "");
    EXPECT_EQ(list.Cell(0, 2), "This is a long string, 1");
    EXPECT_EQ(list.GetValue(0, 2).ToString(), "This is a long string, 1");
    EXPECT_EQ(list.Cell(1, 2), "This is a long string, 2");
}

// The handlers of the edit events each show one message box with the new value.
TEST_F(Window1Test, EditHandlersReportTheNewValueInAMessageBox) {
    auto when = std::make_shared<fw::Date>(1980, 2, 9, 14, 5, 7);
    struct Case {
        std::function<void(TambrelListBox&)> raise;
        std::string text;
    };
    const Case cases[] = {
        {[](TambrelListBox& l) { l.CellTextChanged.Raise(l, "Hello", 4, 2); }, "New Text Hello"},
        {[](TambrelListBox& l) {
             l.CellCurrencyChanged.Raise(l, fw::Currency::FromDouble(1234.5), 4, 3);
         },
         "New Currency 1,234.50"},
        {[](TambrelListBox& l) {
             l.CellCurrencyChanged.Raise(l, fw::Currency::FromDouble(-1234.5), 4, 3);
         },
         "New Currency (1,234.50)"},
        {[](TambrelListBox& l) { l.CellNumberChanged.Raise(l, 3.14159265, 4, 3); },
         "New Number 3.14159"},
        {[](TambrelListBox& l) { l.CellNumberChanged.Raise(l, -1234.5, 4, 3); },
         "New Number (1,234.50000)"},
        {[](TambrelListBox& l) { l.CellIntegerChanged.Raise(l, 42, 4, 1); }, "New Integer 000042"},
        {[when](TambrelListBox& l) { l.CellDateChanged.Raise(l, when, 4, 7); },
         "New Date " + when->LongDate()},
        {[when](TambrelListBox& l) { l.CellTimeChanged.Raise(l, when, 4, 8); },
         "New Time " + when->LongTime()},
        {[](TambrelListBox& l) { l.DoubleClick.Raise(l, 5, 3); }, "5|3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::shared_ptr<fw::testing::MessageBoxRecord> box = fw::testing::ExpectMessageBox();
        c.raise(List());
        EXPECT_TRUE(box->answered);
        EXPECT_EQ(box->text, c.text);
    }
    // Reporting changed no cell.
    EXPECT_EQ(List().Cell(4, 2), "This is a long string, 5");
}

} // namespace
