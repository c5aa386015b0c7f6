#include "pickers/wCal.h"

#include "framework/core/Date.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Picture.h"
#include "framework/ui/Runtime.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/ModalTestSupport.h"
#include "pickers/PickerPlacement.h"
#include "tests/support/ListDriver.h"
#include "tests/support/PickerAccess.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using fw::Int32;
using TA = wCalTestAccess;

using support::NewDate;
using support::Settle;

fw::DatePtr Today() {
    auto today = std::make_shared<fw::Date>();
    today->Hour(0);
    today->Minute(0);
    today->Second(0);
    return today;
}

void RegisterClasses() {
    fw::RegisterFrameworkClasses();
    wCal::RegisterClass();
    wTim::RegisterClass();
    fw::_InitPluginEntrypoints();
}

// The calendar's grid driven like a user: days found by their text.
struct Grid : support::ListDriver {
    using ListDriver::Centre;
    // The cell of that day in the grid, or (-1, -1).
    std::pair<Int32, Int32> Find(Int32 day) const {
        for (Int32 r = 0; r < list.ListCount(); ++r) {
            for (Int32 c = 0; c < list.ColumnCount(); ++c) {
                if (list.Cell(r, c) == fw::Str(day)) {
                    return {r, c};
                }
            }
        }
        return {-1, -1};
    }
    QPoint Centre(Int32 day) const {
        auto [r, c] = Find(day);
        return CellRect(r, c).center();
    }
};

class wCalTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterClasses(); }

    void SetUp() override {
        cal = wCal::Instance();
        ASSERT_NE(cal, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(cal->NativeWidget()));
    }
    void TearDown() override {
        if (cal != nullptr && cal->IsOpen()) {
            cal->Close();
        }
        fw::testing::ClearModalAnswers();
        Settle();
    }

    Grid G() { return Grid{{cal->lbCal()}}; }
    void Prepare(const fw::DatePtr& date) {
        TA::Prepare(*cal, *date);
        cal->Refresh(true);
        Settle();
    }
    // The grid's texts, row by row.
    std::vector<std::vector<std::string>> Texts() {
        std::vector<std::vector<std::string>> rows;
        fw::Listbox& list = cal->lbCal();
        for (Int32 r = 0; r < list.ListCount(); ++r) {
            rows.emplace_back();
            for (Int32 c = 0; c < list.ColumnCount(); ++c) {
                rows.back().push_back(list.Cell(r, c));
            }
        }
        return rows;
    }
    void ClickButton(fw::BevelButton& button) {
        QTest::mouseClick(button.NativeButton(), Qt::LeftButton);
        Settle();
    }

    std::shared_ptr<wCal> cal;
};

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

    struct Designed {
        const char* name;
        const char* className;
        Int32 left, top, width, height;
        const char* font;
    };
    const Designed designed[] = {
        {"puMonth", "PopupMenu", 11, 7, 80, 20, "SmallSystem"},
        {"puYear", "PopupMenu", 123, 7, 60, 20, "SmallSystem"},
        {"lbCal", "Listbox", 11, 31, 172, 125, "SmallSystem"},
        {"btnLeft", "BevelButton", 11, 155, 22, 22, "System"},
        {"btnRight", "BevelButton", 53, 155, 22, 22, "System"},
        {"btnToday", "BevelButton", 32, 155, 22, 22, "System"},
        {"lblDate", "Label", 11, 180, 172, 20, "SmallSystem"},
    };
    // Creation order and tab order agree: btnToday comes last of the buttons in both.
    ASSERT_EQ(cal->Controls().size(), 7u);
    for (Int32 i = 0; i < 7; ++i) {
        const Designed& d = designed[i];
        SCOPED_TRACE(d.name);
        const fw::RectControl& control = *cal->Controls()[static_cast<size_t>(i)];
        EXPECT_EQ(control.Name(), d.name);
        EXPECT_EQ(control.ClassFullName(), d.className);
        EXPECT_EQ(control.TabIndex(), i);
        EXPECT_EQ(control.Left(), d.left);
        EXPECT_EQ(control.Top(), d.top);
        EXPECT_EQ(control.Width(), d.width);
        EXPECT_EQ(control.Height(), d.height);
        EXPECT_EQ(control.Index(), INT32_MIN);
        EXPECT_TRUE(control.LockLeft() && control.LockTop());
        EXPECT_FALSE(control.LockRight() || control.LockBottom());
        EXPECT_EQ(control.TextUnit(), fw::FontUnits::Default);
    }
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
// The month grid

struct MonthCase {
    const char* what;
    Int32 year, month;
    Int32 firstColumn; // of day 1, in row 0
    Int32 days;
};

TEST_F(wCalTest, GridHoldsTheMonthInSixRowsSundayFirst) {
    const MonthCase cases[] = {
        {"31 days from a Saturday", 2011, 1, 6, 31},
        {"February from a Sunday", 2015, 2, 0, 28},
        {"December", 2011, 12, 4, 31},
        {"leap February", 2012, 2, 3, 29},
        {"common February", 2011, 2, 2, 28},
        {"30 days", 2011, 4, 5, 30},
    };
    for (const MonthCase& m : cases) {
        SCOPED_TRACE(m.what);
        Prepare(NewDate(m.year, m.month, 10, 14, 30, 0));
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), 6u);
        for (Int32 r = 0; r < 6; ++r) {
            for (Int32 c = 0; c < 7; ++c) {
                const Int32 day = 7 * r + c - m.firstColumn + 1;
                const std::string expected = day >= 1 && day <= m.days ? fw::Str(day) : "";
                EXPECT_EQ(texts[static_cast<size_t>(r)][static_cast<size_t>(c)], expected)
                    << "row " << r << " column " << c;
            }
        }
        EXPECT_EQ(cal->lblDate().Text(), fw::Date(m.year, m.month, 10).LongDate());
    }
    // The named corners of the two special months.
    Prepare(NewDate(2011, 1, 1));
    EXPECT_EQ(cal->lbCal().Cell(0, 6), "1");
    EXPECT_EQ(cal->lbCal().Cell(5, 0), "30");
    EXPECT_EQ(cal->lbCal().Cell(5, 1), "31");
    Prepare(NewDate(2015, 2, 1));
    EXPECT_EQ(cal->lbCal().Cell(3, 6), "28");
    for (Int32 c = 0; c < 7; ++c) {
        EXPECT_EQ(cal->lbCal().Cell(4, c), "");
        EXPECT_EQ(cal->lbCal().Cell(5, c), "");
    }
}

TEST_F(wCalTest, TimeOfDayDoesNotChangeTheGrid) {
    Prepare(NewDate(2011, 3, 31, 0, 0, 0));
    const auto midnight = Texts();
    Prepare(NewDate(2011, 3, 31, 23, 59, 59));
    EXPECT_EQ(Texts(), midnight);
}

TEST_F(wCalTest, ClickSelectsOneDayAndShowsItsDate) {
    Prepare(NewDate(2011, 5, 15));
    Grid g = G();
    g.Click(g.Centre(3));
    auto [row, column] = g.Find(3);
    const auto& marks = TA::CellSelect(*cal);
    for (Int32 r = 0; r < 6; ++r) {
        for (Int32 c = 0; c < 7; ++c) {
            EXPECT_EQ(marks[r][c], r == row && c == column ? 1 : 0);
        }
    }
    EXPECT_EQ(cal->lblDate().Text(), fw::Date(2011, 5, 3).LongDate());
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), "2011-05-03 00:00:00");
    EXPECT_TRUE(cal->IsOpen());

    g.Click(g.Centre(20));
    EXPECT_EQ(TA::CellSelect(*cal)[row][column], 0) << "a click marks one cell only";

    // An empty cell changes nothing.
    g.Click(g.CellRect(5, 6).center());
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), "2011-05-20 00:00:00");
    EXPECT_EQ(cal->lblDate().Text(), fw::Date(2011, 5, 20).LongDate());
    auto [r20, c20] = g.Find(20);
    EXPECT_EQ(TA::CellSelect(*cal)[r20][c20], 1);

    // Any month change clears the selection.
    ClickButton(cal->btnRight());
    for (const auto& marksRow : TA::CellSelect(*cal)) {
        for (Int32 mark : marksRow) {
            EXPECT_EQ(mark, 0);
        }
    }
}

TEST_F(wCalTest, PaintMarksSelectionGivenDateAndToday) {
    const fw::DatePtr todayDate = Today();
    const fw::Date& today = *todayDate;
    // The given date: another day of the current month.
    const Int32 givenDay = today.Day() == 1 ? 2 : 1;
    Prepare(NewDate(today.Year(), today.Month(), givenDay));
    Grid g = G();
    auto isRed = [](QColor c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; };
    auto topEdgeRed = [&](const QImage& img, const QRect& cell) {
        for (int y = cell.top(); y <= cell.top() + 2; ++y) {
            if (isRed(img.pixelColor(cell.center().x(), y))) {
                return true;
            }
        }
        return false;
    };
    const QRect givenCell = g.CellRect(g.Find(givenDay).first, g.Find(givenDay).second);
    const QRect todayCell = g.CellRect(g.Find(today.Day()).first, g.Find(today.Day()).second);
    QImage img = g.Grab();
    EXPECT_EQ(img.pixelColor(givenCell.topLeft() + QPoint(2, 2)), QColor(255, 255, 102));
    EXPECT_FALSE(topEdgeRed(img, givenCell));
    EXPECT_TRUE(topEdgeRed(img, todayCell)) << "today has a red frame";
    EXPECT_EQ(img.pixelColor(todayCell.topLeft()), QColor(255, 255, 255))
        << "the frame's corner is round, on white";

    // A selected cell is light blue with a black frame, the given date's cell included.
    g.Click(givenCell.center());
    img = g.Grab();
    EXPECT_EQ(img.pixelColor(givenCell.topLeft()), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(givenCell.topLeft() + QPoint(2, 2)), QColor(102, 204, 255));
    g.Click(todayCell.center());
    img = g.Grab();
    EXPECT_EQ(img.pixelColor(todayCell.topLeft() + QPoint(2, 2)), QColor(102, 204, 255));
    EXPECT_FALSE(topEdgeRed(img, todayCell)) << "selected comes before today";
    EXPECT_EQ(img.pixelColor(givenCell.topLeft() + QPoint(2, 2)), QColor(255, 255, 102));

    // The same day numbers in another month carry no mark.
    ClickButton(cal->btnRight());
    img = g.Grab();
    const QRect otherGiven = g.CellRect(g.Find(givenDay).first, g.Find(givenDay).second);
    const QRect otherToday = g.CellRect(g.Find(today.Day()).first, g.Find(today.Day()).second);
    EXPECT_EQ(img.pixelColor(otherGiven.topLeft() + QPoint(2, 2)), QColor(255, 255, 255));
    EXPECT_FALSE(topEdgeRed(img, otherToday));
}

TEST_F(wCalTest, GivenDateOnTodayIsYellowWithoutFrame) {
    const fw::DatePtr todayDate = Today();
    const fw::Date& today = *todayDate;
    Prepare(NewDate(today.Year(), today.Month(), today.Day(), 9, 0, 0));
    Grid g = G();
    const QRect cell = g.CellRect(g.Find(today.Day()).first, g.Find(today.Day()).second);
    const QImage img = g.Grab();
    EXPECT_EQ(img.pixelColor(cell.topLeft() + QPoint(2, 2)), QColor(255, 255, 102));
    EXPECT_EQ(img.pixelColor(cell.center().x(), cell.top()), QColor(255, 255, 102));
}

TEST_F(wCalTest, WeekendTextIsGreyWeekdaysBlue) {
    Prepare(NewDate(2011, 1, 20)); // far from today and not selected
    Grid g = G();
    const QImage img = g.Grab();
    // The most saturated ink of a cell: blue for weekdays; weekend ink has none.
    auto inkOf = [&](Int32 row, Int32 column) {
        const QRect cell = g.CellRect(row, column);
        QColor darkest(255, 255, 255);
        for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
            for (int x = cell.left() + 1; x < cell.right(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.lightness() < darkest.lightness()) {
                    darkest = c;
                }
            }
        }
        return darkest;
    };
    for (Int32 column = 0; column < 7; ++column) {
        SCOPED_TRACE(column);
        const QColor ink = inkOf(2, column);
        ASSERT_LT(ink.lightness(), 240) << "the cell shows a day";
        if (column == 0 || column == 6) {
            EXPECT_LT(std::abs(ink.red() - ink.blue()), 30);
            EXPECT_LT(std::abs(ink.green() - ink.blue()), 30);
        } else {
            EXPECT_GT(ink.blue() - ink.red(), 80);
            EXPECT_GT(ink.blue() - ink.green(), 80);
        }
    }
}

TEST_F(wCalTest, PaintBelowTheRowsIsWhiteAndReadsNothing) {
    Prepare(NewDate(2011, 1, 20));
    fw::Picture picture(24, 18);
    picture.Graphics().ForeColor(fw::Color(0x123456));
    picture.Graphics().FillRect(0, 0, 24, 18);
    // Row 6 has no mark: reading one would raise.
    EXPECT_TRUE(cal->lbCal_CellBackgroundPaint(cal->lbCal(), picture.Graphics(), 6, 3));
    EXPECT_EQ(picture.Pixel(0, 0), fw::Color(0xFFFFFF));
    EXPECT_EQ(picture.Pixel(23, 17), fw::Color(0xFFFFFF));
    // The text colour is chosen by column alone.
    EXPECT_FALSE(cal->lbCal_CellTextPaint(cal->lbCal(), picture.Graphics(), 9, 6, 0, 0));
    EXPECT_EQ(picture.Graphics().ForeColor(), fw::Color(0x999999));
    EXPECT_FALSE(cal->lbCal_CellTextPaint(cal->lbCal(), picture.Graphics(), 0, 3, 0, 0));
    EXPECT_EQ(picture.Graphics().ForeColor(), fw::Color(0x0000FF));
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
// Setup, the pop-ups and the buttons

// Records whether the pop-ups' Change came while Setup was filling them.
class RecordingCal : public wCal {
public:
    void puMonth_Change(fw::PopupMenu& sender) override {
        seen.push_back(TA::NoChange(*this));
        wCal::puMonth_Change(sender);
    }
    void puYear_Change(fw::PopupMenu& sender) override {
        seen.push_back(TA::NoChange(*this));
        wCal::puYear_Change(sender);
    }
    std::vector<bool> seen;
};

TEST(wCalSetup, FillingThePopupsNeverRebuildsTheDate) {
    RegisterClasses();
    auto c = std::make_shared<RecordingCal>();
    c->Constructor();
    c->seen.clear();
    TA::Prepare(*c, fw::Date(2011, 5, 15));
    ASSERT_FALSE(c->seen.empty());
    for (bool noChange : c->seen) {
        EXPECT_TRUE(noChange);
    }
    EXPECT_FALSE(TA::NoChange(*c));
    EXPECT_EQ(TA::IntDate(*c)->SQLDateTime(), "2011-05-15 00:00:00");
    // Outside Setup the same events do rebuild it.
    c->seen.clear();
    c->puMonth().ListIndex(6);
    ASSERT_EQ(c->seen.size(), 1u);
    EXPECT_FALSE(c->seen[0]);
    EXPECT_EQ(TA::IntDate(*c)->SQLDateTime(), "2011-07-15 00:00:00");
    c->Close();
}

TEST_F(wCalTest, YearListOutsideItsRange) {
    const Int32 current = Today()->Year();
    // More than 30 years ahead: not listed, nothing selected; the month still changes within
    // the working date's own year.
    Prepare(NewDate(current + 35, 3, 10));
    EXPECT_EQ(cal->puYear().ListIndex(), -1);
    EXPECT_EQ(cal->puYear().Text(), "");
    cal->puMonth().ListIndex(7);
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), fw::Date(current + 35, 8, 10).SQLDateTime());
    EXPECT_EQ(cal->lbCal().Cell(0, fw::Date(current + 35, 8, 1).DayOfWeek() - 1), "1");
    Grid g = G();
    g.Click(g.Centre(5));
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), fw::Date(current + 35, 8, 5).SQLDateTime());
    g.DoubleClick(g.Centre(6));
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), fw::Date(current + 35, 8, 6).SQLDateTime());
    cal = wCal::Instance();
    // More than 45 years ahead: an empty list.
    Prepare(NewDate(current + 46, 3, 10));
    EXPECT_EQ(cal->puYear().ListCount(), 0);
}

TEST_F(wCalTest, ChoosingAMonthKeepsTheDayAndFollowsThePopups) {
    Prepare(NewDate(2011, 5, 10));
    cal->puMonth().ListIndex(8);
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), "2011-09-10 00:00:00");
    EXPECT_EQ(cal->lbCal().Cell(0, 4), "1") << "September 2011 begins on a Thursday";
    // A day the chosen month lacks becomes that month's last day.
    Prepare(NewDate(2011, 3, 31));
    cal->puMonth().ListIndex(1);
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), "2011-02-28 00:00:00");
    EXPECT_EQ(cal->lblDate().Text(), fw::Date(2011, 2, 28).LongDate());
    EXPECT_EQ(G().Find(28), std::make_pair(4, 1));
    EXPECT_EQ(G().Find(29), std::make_pair(-1, -1));
    Prepare(NewDate(2012, 2, 29));
    cal->puYear().ListIndex(cal->puYear().ListIndex() - 1);
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), "2011-02-28 00:00:00");
    cal->puYear().ListIndex(cal->puYear().ListIndex() + 1);
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), "2012-02-28 00:00:00");
}

TEST_F(wCalTest, ButtonsStepThroughMonthsAndYears) {
    struct Step {
        const char* what;
        Int32 year, month;
        bool right;
        Int32 toYear, toMonth;
    };
    const Step steps[] = {
        {"left in January", 2011, 1, false, 2010, 12},
        {"right in December", 2011, 12, true, 2012, 1},
        {"left in May", 2011, 5, false, 2011, 4},
        {"right in May", 2011, 5, true, 2011, 6},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        Prepare(NewDate(s.year, s.month, 17));
        ClickButton(s.right ? cal->btnRight() : cal->btnLeft());
        EXPECT_EQ(cal->puMonth().ListIndex(), s.toMonth - 1);
        EXPECT_EQ(cal->puYear().Text(), fw::Str(s.toYear));
        EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(),
                  fw::Date(s.toYear, s.toMonth, 17).SQLDateTime());
        const Int32 firstColumn = fw::Date(s.toYear, s.toMonth, 1).DayOfWeek() - 1;
        EXPECT_EQ(cal->lbCal().Cell(0, firstColumn), "1");
        EXPECT_TRUE(cal->IsOpen());
    }
}

TEST_F(wCalTest, ButtonsStopAtTheEndsOfTheYearList) {
    const Int32 current = Today()->Year();
    // January of the first listed year (working year - 15).
    Prepare(NewDate(2011, 5, 17));
    cal->puYear().ListIndex(0);
    cal->puMonth().ListIndex(0);
    ASSERT_EQ(TA::IntDate(*cal)->SQLDateTime(), "1996-01-17 00:00:00");
    ClickButton(cal->btnLeft());
    EXPECT_EQ(cal->puYear().Text(), "1996");
    EXPECT_EQ(cal->puMonth().ListIndex(), 0);
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), "1996-01-17 00:00:00");
    // December of the last listed year (current year + 30).
    cal->puYear().ListIndex(cal->puYear().ListCount() - 1);
    cal->puMonth().ListIndex(11);
    ClickButton(cal->btnRight());
    EXPECT_EQ(cal->puYear().Text(), fw::Str(current + 30));
    EXPECT_EQ(cal->puMonth().ListIndex(), 11);
    EXPECT_EQ(TA::IntDate(*cal)->SQLDateTime(), fw::Date(current + 30, 12, 17).SQLDateTime());
    ClickButton(cal->btnLeft());
    EXPECT_EQ(cal->puMonth().ListIndex(), 10) << "within the list the buttons still work";
}

TEST_F(wCalTest, TodayButtonGoesToTodaysMonth) {
    const fw::DatePtr todayDate = Today();
    const fw::Date& today = *todayDate;
    Prepare(NewDate(1999, 3, 9));
    ClickButton(cal->btnToday());
    EXPECT_EQ(cal->puMonth().ListIndex(), today.Month() - 1);
    EXPECT_EQ(cal->puYear().Text(), fw::Str(today.Year()));
    EXPECT_EQ(TA::IntDate(*cal)->TotalSeconds(), today.TotalSeconds());
    EXPECT_EQ(cal->lbCal().Cell(0, fw::Date(today.Year(), today.Month(), 1).DayOfWeek() - 1), "1");
    EXPECT_EQ(cal->lblDate().Text(), today.LongDate());
}

// ---------------------------------------------------------------------------------------------
// Private helpers

TEST_F(wCalTest, IsTodayOnlyAtMidnightExactly) {
    const fw::DatePtr todayDate = Today();
    const fw::Date& today = *todayDate;
    Prepare(NewDate(today.Year(), today.Month(), today.Day()));
    EXPECT_TRUE(TA::IsToday(*cal));
    TA::OrigIntDate(*cal)->Second(1);
    EXPECT_FALSE(TA::IsToday(*cal));
    TA::OrigIntDate(*cal)->TotalSeconds(today.TotalSeconds() - 86400);
    EXPECT_FALSE(TA::IsToday(*cal));
}

TEST_F(wCalTest, DaysMoveTheSameObject) {
    fw::DatePtr d = NewDate(2011, 3, 1, 12, 0, 0);
    const fw::DatePtr same = d;
    TA::MinusDay(*cal, d, 1);
    EXPECT_EQ(d, same);
    EXPECT_EQ(d->SQLDateTime(), "2011-02-28 12:00:00");
    TA::AddDay(*cal, d, 366);
    EXPECT_EQ(d->SQLDateTime(), "2012-02-29 12:00:00");
    // n * 86400 must fit an Int32.
    EXPECT_THROW(TA::AddDay(*cal, d, 24856), fw::OutOfBoundsException);
    EXPECT_THROW(TA::MinusDay(*cal, d, -24856), fw::OutOfBoundsException);
    const double before = d->TotalSeconds();
    TA::AddDay(*cal, d, 24855);
    EXPECT_DOUBLE_EQ(d->TotalSeconds(), before + 24855.0 * 86400.0);
    fw::DatePtr none;
    EXPECT_THROW(TA::MinusDay(*cal, none, 1), fw::NilObjectException);
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
