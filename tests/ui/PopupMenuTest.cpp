// The pop-up menu control: its rows, its ListIndex and Change, and its stream.
#include "framework/ui/PopupMenu.h"

#include "framework/core/Exceptions.h"
#include "framework/core/PropertyStream.h"
#include "tests/support/StreamBuilder.h"
#include "tests/ui/ControlsTestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <vector>

using namespace fw;

namespace {

using namespace controls_test;
using support::StreamBuilder;

struct PopupFixture : ::testing::Test {
    void SetUp() override {
        popup.Change.Bind([this](PopupMenu& sender) { changes.push_back(sender.ListIndex()); },
                          "(PopupMenu)");
    }
    PopupMenu popup;
    std::vector<Int32> changes; // ListIndex seen by each Change
};

TEST_F(PopupFixture, InitialValueSplitsRowsAtCarriageReturns) {
    popup.InitialValue("2010\r2011\r2012\r2013");
    ASSERT_EQ(popup.ListCount(), 4);
    EXPECT_EQ(popup.List(0), "2010");
    EXPECT_EQ(popup.List(3), "2013");
    EXPECT_EQ(popup.InitialValue(), "2010\r2011\r2012\r2013");
    EXPECT_THROW(popup.List(4), OutOfBoundsException);
    EXPECT_THROW(popup.List(-1), OutOfBoundsException);
    EXPECT_THROW(popup.RemoveRow(4), OutOfBoundsException);

    // Setting it replaces the rows; an empty text is no rows at all.
    popup.InitialValue("a\rb");
    EXPECT_EQ(popup.ListCount(), 2);
    popup.InitialValue("");
    EXPECT_EQ(popup.ListCount(), 0);
}

TEST_F(PopupFixture, SettingListIndexRaisesChangeAndOutOfRangeSelectsNothing) {
    popup.InitialValue("Jan\rFeb\rMar");
    struct Case {
        Int32 set;
        Int32 selected;
        const char* text;
    };
    const Case cases[] = {{1, 1, "Feb"}, {1, 1, "Feb"}, {2, 2, "Mar"}, {3, -1, ""},
                          {-1, -1, ""},  {0, 0, "Jan"}, {99, -1, ""}};
    for (const Case& c : cases) {
        changes.clear();
        popup.ListIndex(c.set);
        EXPECT_EQ(popup.ListIndex(), c.selected) << "set " << c.set;
        EXPECT_EQ(popup.Text(), c.text) << "set " << c.set;
        EXPECT_EQ(changes, std::vector<Int32>{c.selected}) << "set " << c.set;
        EXPECT_EQ(popup.NativeComboBox()->currentIndex(), c.selected);
    }
}

TEST_F(PopupFixture, RowsChangeTheSelectionOnlyWhereTheSelectedRowGoes) {
    popup.AddRow("00");
    popup.AddRow("01");
    EXPECT_EQ(popup.ListIndex(), -1) << "adding rows selects none";
    EXPECT_TRUE(changes.empty());

    popup.ListIndex(1);
    popup.AddRow("02");
    EXPECT_EQ(popup.Text(), "01");
    popup.RemoveRow(0);
    EXPECT_EQ(popup.ListIndex(), 0);
    EXPECT_EQ(popup.Text(), "01") << "the selected row stays selected";
    changes.clear();
    popup.RemoveRow(0);
    EXPECT_EQ(popup.ListIndex(), -1);
    EXPECT_EQ(changes, std::vector<Int32>{-1});

    popup.ListIndex(0);
    changes.clear();
    popup.DeleteAllRows();
    EXPECT_EQ(popup.ListCount(), 0);
    EXPECT_EQ(popup.Text(), "");
    EXPECT_EQ(changes, std::vector<Int32>{-1});
}

TEST_F(PopupFixture, StreamSelectsItsDesignedRowThoughListIndexComesFirst) {
    RegisterControls();
    const StreamBuilder stream = StreamBuilder()
                                     .Str("DataField", "df")
                                     .Str("DataSource", "ds")
                                     .Bool("Bold", true)
                                     .Str("TextFont", "SmallSystem")
                                     .Int("ListIndex", 1)
                                     .Str("InitialValue", "January\rFebruary\rMarch");
    _SetProperties(popup, stream.Bytes());
    EXPECT_EQ(popup.ListCount(), 3);
    EXPECT_EQ(popup.ListIndex(), 1);
    EXPECT_EQ(popup.Text(), "February");
    EXPECT_EQ(popup.DataField(), "df");
    EXPECT_EQ(popup.DataSource(), "ds");
    EXPECT_TRUE(popup.Bold());
    EXPECT_TRUE(popup.NativeComboBox()->font().bold());
}

TEST_F(PopupFixture, UserChoiceRaisesChange) {
    popup.InitialValue("00\r01\r02\r03");
    popup.ListIndex(0);
    popup.Width(80);
    Host host(popup);
    QComboBox* combo = popup.NativeComboBox();
    changes.clear();

    // Choosing in the open list.
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }));
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(popup.ListIndex(), 2);
    EXPECT_EQ(popup.Text(), "02");
    EXPECT_EQ(changes, std::vector<Int32>{2});

    // A key on the closed menu.
    changes.clear();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(popup.ListIndex(), 1);
    EXPECT_EQ(changes, std::vector<Int32>{1});
}

TEST_F(PopupFixture, OpenAndCloseEventsAreRaisedThroughTheirHandlers) {
    int opened = 0;
    popup.Open.Bind([&](PopupMenu&) { ++opened; }, "( PopupMenu )");
    static_cast<RectControl&>(popup).Event_Open();
    EXPECT_EQ(opened, 1);
    EXPECT_THROW(popup.Close.Bind([](PopupMenu&) {}, "( Listbox )"), RuntimeException);
}

} // namespace
