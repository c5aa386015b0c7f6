// The calendar's month grid: which days it holds and how it paints them, and the private
// date helpers behind it.
#include "framework/core/Format.h"
#include "framework/ui/Picture.h"
#include "tests/pickers/wCalTestFixture.h"

#include <QAbstractScrollArea>
#include <QImage>

namespace {

using namespace wcal_test;

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

} // namespace
