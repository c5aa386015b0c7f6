// The calendar window as designed, its double click and GetDate, and where GetDate places it.
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/ui/Runtime.h"
#include "framework/ui/Screen.h"
#include "pickers/PickerPlacement.h"
#include "tests/pickers/wCalTestFixture.h"
#include "tests/support/DesignedControls.h"

#include <QApplication>
#include <QCursor>
#include <QToolButton>

namespace {

using namespace wcal_test;

// ---------------------------------------------------------------------------------------------
// The window and its controls

TEST(wCalObject, AFreshObjectHasClearMarksAndNoDates) {
    wCal fresh;
    for (const auto& row : TA::CellSelect(fresh)) {
        for (Int32 mark : row) {
            EXPECT_EQ(mark, 0);
        }
    }
    EXPECT_EQ(TA::CellSelect(fresh).size(), 6u);
    EXPECT_EQ(TA::CellSelect(fresh)[0].size(), 7u);
    EXPECT_FALSE(TA::NoChange(fresh));
    EXPECT_EQ(TA::IntDate(fresh), nullptr);
    EXPECT_EQ(TA::OrigIntDate(fresh), nullptr);
    EXPECT_EQ(fresh.ClassFullName(), "wCal.wCal");
}

TEST_F(wCalTest, TheWindowIsBuiltFromItsDesign) {
    EXPECT_EQ(wCal::Instance(), cal);
    EXPECT_EQ(fw::_GetImplicitWindow("wCal.wCal"), cal);
    EXPECT_EQ(cal->Title(), "Calendar");
    EXPECT_EQ(cal->Width(), 194);
    EXPECT_EQ(cal->Height(), 207);
    EXPECT_EQ(cal->Frame(), 5);
    EXPECT_FALSE(cal->CloseButton());
    EXPECT_FALSE(cal->Resizeable());
    EXPECT_FALSE(cal->MinimizeButton());
    EXPECT_FALSE(cal->MaximizeButton());
    EXPECT_EQ(cal->BackColor(), fw::Color(0xFFFFFF));
    EXPECT_EQ(cal->MenuBar(), nullptr);
    EXPECT_FALSE(cal->NativeWidget()->windowFlags() & Qt::WindowCloseButtonHint);
    // A fixed size: the desktop cannot resize it.
    EXPECT_EQ(cal->NativeWidget()->minimumSize(), cal->NativeWidget()->maximumSize());

    // Creation order and tab order agree: btnToday comes last of the buttons in both.
    const std::vector<support::DesignedControl> designed = {
        {"puMonth", "PopupMenu", 11, 7, 80, 20},      {"puYear", "PopupMenu", 123, 7, 60, 20},
        {"lbCal", "Listbox", 11, 31, 172, 125},       {"btnLeft", "BevelButton", 11, 155, 22, 22},
        {"btnRight", "BevelButton", 53, 155, 22, 22}, {"btnToday", "BevelButton", 32, 155, 22, 22},
        {"lblDate", "Label", 11, 180, 172, 20},
    };
    ASSERT_NO_FATAL_FAILURE(support::ExpectDesignedControls(*cal, designed));
    for (fw::BevelButton* b : {&cal->btnLeft(), &cal->btnRight(), &cal->btnToday()}) {
        EXPECT_EQ(b->TextFont(), "System");
        EXPECT_TRUE(b->Bold());
        EXPECT_DOUBLE_EQ(b->TextSize(), 0.0);
    }
    EXPECT_EQ(cal->btnLeft().Caption(), "<");
    EXPECT_EQ(cal->btnRight().Caption(), ">");
    EXPECT_EQ(cal->btnToday().Caption(), "T");
    EXPECT_EQ(cal->puMonth().TextFont(), "SmallSystem");
    EXPECT_DOUBLE_EQ(cal->lbCal().TextSize(), 0.0);

    // As stored, until GetDate replaces them.
    ASSERT_EQ(cal->puMonth().ListCount(), 12);
    EXPECT_EQ(cal->puMonth().List(0), "January");
    EXPECT_EQ(cal->puMonth().List(11), "December");
    EXPECT_EQ(cal->puMonth().ListIndex(), 0);
    ASSERT_EQ(cal->puYear().ListCount(), 4);
    EXPECT_EQ(cal->puYear().List(0), "2010");
    EXPECT_EQ(cal->puYear().List(3), "2013");
    EXPECT_EQ(cal->puYear().ListIndex(), 0);
    EXPECT_EQ(cal->lblDate().Text(), "Untitled");
    EXPECT_EQ(cal->lblDate().TextColor(), fw::Color(0x0000FF));

    // The grid's Open turned the headings into one letter per column, all centred.
    fw::Listbox& grid = cal->lbCal();
    ASSERT_EQ(grid.ColumnCount(), 7);
    const char* letters[] = {"S", "M", "T", "W", "T", "F", "S"};
    for (Int32 c = 0; c < 7; ++c) {
        EXPECT_EQ(grid.Heading(c), letters[c]);
        EXPECT_EQ(grid.ColumnAlignment(c), 2);
    }
    EXPECT_EQ(grid.DefaultRowHeight(), 18);
    EXPECT_TRUE(grid.HasHeading());
    EXPECT_FALSE(grid.ScrollBarVertical());
}

TEST_F(wCalTest, TenBindingsAndNoneForTheLabel) {
    fw::Listbox& grid = cal->lbCal();
    EXPECT_TRUE(cal->puMonth().Change.IsBound());
    EXPECT_TRUE(cal->puYear().Change.IsBound());
    EXPECT_TRUE(grid.Open.IsBound());
    EXPECT_TRUE(grid.CellBackgroundPaint.IsBound());
    EXPECT_TRUE(grid.CellClick.IsBound());
    EXPECT_TRUE(grid.DoubleClick.IsBound());
    EXPECT_TRUE(grid.CellTextPaint.IsBound());
    EXPECT_TRUE(cal->btnLeft().Action.IsBound());
    EXPECT_TRUE(cal->btnRight().Action.IsBound());
    EXPECT_TRUE(cal->btnToday().Action.IsBound());
    EXPECT_FALSE(grid.Change.IsBound());
    EXPECT_FALSE(grid.CellAction.IsBound());
    EXPECT_FALSE(cal->puMonth().Open.IsBound());
    // The accessors check the class.
    EXPECT_THROW(cal->ControlAs<fw::Listbox>("lblDate"), fw::IllegalCastException);
}

// ---------------------------------------------------------------------------------------------
// Double-click and GetDate

TEST_F(wCalTest, DoubleClickOnADayTakesItAtMidnightAndCloses) {
    Prepare(NewDate(2011, 5, 15, 10, 0, 0));
    Grid g = G();
    // Off the days: the heading and an empty cell leave the window open.
    g.DoubleClick(QPoint(g.CellRect(1, 3).center().x(), 4));
    EXPECT_TRUE(cal->IsOpen());
    g.DoubleClick(g.CellRect(5, 5).center());
    EXPECT_TRUE(cal->IsOpen());
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), "2011-05-15 00:00:00");

    fw::DatePtr working = TA::IntDate(*cal);
    g.DoubleClick(g.Centre(31));
    EXPECT_FALSE(cal->IsOpen());
    EXPECT_EQ(TA::IntDate(*cal), working) << "the working date keeps its object";
    EXPECT_EQ(working->SQLDateTime(), "2011-05-31 00:00:00");
    EXPECT_EQ(fw::_GetImplicitWindow("wCal.wCal"), nullptr);
}

TEST_F(wCalTest, GetDateReturnsTheDoubleClickedDay) {
    const fw::DatePtr todayDate = Today();
    const fw::Date& today = *todayDate;
    QCursor::setPos(40, 30);
    fw::DatePtr given = NewDate(2011, 5, 15, 14, 30, 0);
    bool ran = false;
    fw::testing::OnNextModalWindow([&](fw::Window& window) {
        ran = true;
        auto& c = dynamic_cast<wCal&>(window);
        EXPECT_EQ(&c, cal.get());
        EXPECT_EQ(c.puMonth().Text(), "May");
        const Int32 first = 2011 - 15;
        const Int32 last = today.Year() + 30;
        EXPECT_EQ(c.puYear().ListCount(), last - first + 1);
        EXPECT_EQ(c.puYear().List(0), fw::Str(first));
        EXPECT_EQ(c.puYear().List(c.puYear().ListCount() - 1), fw::Str(last));
        EXPECT_EQ(c.puYear().Text(), "2011");
        EXPECT_EQ(TA::IntDate(c)->SQLDateTime(), "2011-05-15 00:00:00");
        EXPECT_EQ(TA::OrigIntDate(c)->SQLDateTime(), "2011-05-15 00:00:00");
        EXPECT_NE(TA::IntDate(c), TA::OrigIntDate(c));
        EXPECT_EQ(c.lblDate().Text(), fw::Date(2011, 5, 15).LongDate());
        EXPECT_EQ(c.Left(), 40);
        EXPECT_EQ(c.Top(), 30);
        Grid g{{c.lbCal()}};
        g.DoubleClick(g.Centre(20));
    });
    fw::DatePtr result = cal->GetDate(given, fw::Color(0xFFFFFF), 0, 0);
    EXPECT_TRUE(ran);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->SQLDateTime(), "2011-05-20 00:00:00");
    EXPECT_EQ(result, TA::IntDate(*cal));
    EXPECT_EQ(given->SQLDateTime(), "2011-05-15 14:30:00") << "the given date is not touched";
    EXPECT_FALSE(cal->IsOpen());

    // The next use builds a new window with nothing left of this one.
    std::shared_ptr<wCal> next = wCal::Instance();
    EXPECT_NE(next, cal);
    fw::testing::OnNextModalWindow([&](fw::Window& window) {
        auto& c = dynamic_cast<wCal&>(window);
        for (const auto& row : TA::CellSelect(c)) {
            for (Int32 mark : row) {
                EXPECT_EQ(mark, 0);
            }
        }
        Grid g{{c.lbCal()}};
        g.DoubleClick(g.Centre(1));
    });
    fw::DatePtr second = next->GetDate(result, fw::Color(0xFFFFFF), 0, 0);
    EXPECT_EQ(second->SQLDateTime(), "2011-05-01 00:00:00");
    EXPECT_NE(second, result);
    EXPECT_EQ(result->SQLDateTime(), "2011-05-20 00:00:00") << "an earlier result stays";
}

TEST_F(wCalTest, GetDateWithoutADateRaises) {
    EXPECT_THROW(cal->GetDate(nullptr, fw::Color(0xFFFFFF), 0, 0), fw::NilObjectException);
}

// ---------------------------------------------------------------------------------------------
// The picker placement

TEST(PickerPlacement, FiveStepsFromTheInputs) {
    struct Case {
        const char* what;
        Int32 x, y, mouseX, mouseY, width, height, areaW, areaH;
        Int32 left, top;
    };
    const Case cases[] = {
        {"at the mouse, pulled inside", 0, 0, 1000, 700, 194, 207, 1024, 748, 830, 541},
        {"both given and negative", -20, -20, 500, 500, 194, 207, 1024, 748, 0, -20},
        {"x at the mouse, y given", 0, 300, 120, 999, 194, 207, 1024, 748, 120, 300},
        {"y given, bottom pulled in", 0, 700, 120, 5, 194, 207, 1024, 748, 120, 541},
        {"inside already", 100, 50, 0, 0, 194, 207, 1024, 748, 100, 50},
        {"wider than the area", 0, 0, 10, 10, 1100, 207, 1024, 748, -76, 10},
        {"mouse left of screen 0", 0, 0, -300, 10, 194, 207, 1024, 748, 0, 10},
        {"time window at the right edge", 0, 0, 1020, 10, 155, 64, 1024, 748, 869, 10},
        {"no overflow far off", INT32_MAX, INT32_MAX, 0, 0, 194, 207, 1024, 748, 830, 541},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PickerPosition p =
            PickerPlacement(c.x, c.y, c.mouseX, c.mouseY, c.width, c.height, c.areaW, c.areaH);
        EXPECT_EQ(p.left, c.left);
        EXPECT_EQ(p.top, c.top);
    }
}

TEST_F(wCalTest, GetDatePlacesTheWindowInsideScreenZero) {
    const fw::Screen screen(0);
    QCursor::setPos(screen.AvailableWidth() - 10, screen.AvailableHeight() - 10);
    fw::testing::OnNextModalWindow([&](fw::Window& window) {
        EXPECT_EQ(window.Left(), screen.AvailableWidth() - 194);
        EXPECT_EQ(window.Top(), screen.AvailableHeight() - 207);
        window.Close();
    });
    cal->GetDate(NewDate(2011, 5, 15), fw::Color(0xFFFFFF), 0, 0);
    // Given coordinates win over the mouse.
    cal = wCal::Instance();
    fw::testing::OnNextModalWindow([&](fw::Window& window) {
        EXPECT_EQ(window.Left(), 0);
        EXPECT_EQ(window.Top(), 25);
        EXPECT_EQ(window.BackColor(), fw::Color(0xEEDDCC));
        window.Close();
    });
    cal->GetDate(NewDate(2011, 5, 15), fw::Color(0xEEDDCC), -5, 25);
}

} // namespace
