// The calendar's month and year pop-ups and its buttons, and Setup filling the pop-ups.
#include "framework/core/Format.h"
#include "tests/pickers/wCalTestFixture.h"

namespace {

using namespace wcal_test;

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

} // namespace
