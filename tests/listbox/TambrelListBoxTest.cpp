#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/MenuItem.h"
#include "tests/support/ListBoxAccess.h"

#include <gtest/gtest.h>
#include <type_traits>

using fw::Color;
using fw::Int32;

namespace {

// A host can reach an event member only when the control leaves it open.
#define HAS_MEMBER(name)                                                                           \
    template <class T> constexpr bool Has##name = requires(T & t) {                                \
        t.name;                                                                                    \
    }

HAS_MEMBER(Open);
HAS_MEMBER(Close);
HAS_MEMBER(Change);
HAS_MEMBER(SortColumn);
HAS_MEMBER(HeaderPressed);
HAS_MEMBER(DoubleClick);
HAS_MEMBER(CellBackgroundPaint);
HAS_MEMBER(CellTextPaint);
HAS_MEMBER(CellClick);
HAS_MEMBER(CellAction);
HAS_MEMBER(CellGotFocus);
HAS_MEMBER(CellLostFocus);
HAS_MEMBER(CellKeyDown);
HAS_MEMBER(CollapseRow);
HAS_MEMBER(ExpandRow);
HAS_MEMBER(GotFocus);
HAS_MEMBER(LostFocus);
HAS_MEMBER(KeyDown);
HAS_MEMBER(KeyUp);
HAS_MEMBER(MouseDown);
HAS_MEMBER(MouseDrag);
HAS_MEMBER(MouseEnter);
HAS_MEMBER(MouseExit);
HAS_MEMBER(MouseMove);
HAS_MEMBER(MouseUp);
HAS_MEMBER(MouseWheel);
HAS_MEMBER(CompareRows);
HAS_MEMBER(ConstructContextualMenu);
HAS_MEMBER(ContextualMenuAction);
HAS_MEMBER(DragEnter);
HAS_MEMBER(DragExit);
HAS_MEMBER(DragOver);
HAS_MEMBER(DragReorderRows);
HAS_MEMBER(DragRow);
HAS_MEMBER(DropObject);
HAS_MEMBER(EnableMenuItems);
HAS_MEMBER(CellTextChange);

using L = TambrelListBox;
static_assert(HasClose<L> && HasChange<L> && HasSortColumn<L> && HasHeaderPressed<L>);
static_assert(!HasCellBackgroundPaint<L> && !HasCellTextPaint<L> && !HasCellClick<L> &&
              !HasCellAction<L> && !HasCellGotFocus<L> && !HasCellLostFocus<L> &&
              !HasCellKeyDown<L> && !HasCollapseRow<L> && !HasExpandRow<L> && !HasGotFocus<L> &&
              !HasLostFocus<L> && !HasKeyDown<L> && !HasKeyUp<L> && !HasMouseDown<L> &&
              !HasMouseDrag<L> && !HasMouseEnter<L> && !HasMouseExit<L> && !HasMouseMove<L> &&
              !HasMouseUp<L> && !HasMouseWheel<L> && !HasCompareRows<L> &&
              !HasConstructContextualMenu<L> && !HasContextualMenuAction<L> && !HasDragEnter<L> &&
              !HasDragExit<L> && !HasDragOver<L> && !HasDragReorderRows<L> && !HasDragRow<L> &&
              !HasDropObject<L> && !HasEnableMenuItems<L> && !HasCellTextChange<L>);
// Open and DoubleClick on this control are its own events.
static_assert(std::is_same_v<decltype(L::Open), fw::Event<void(L&)>>);
static_assert(std::is_same_v<decltype(L::DoubleClick), fw::Event<void(L&, Int32, Int32)>>);
// The list box itself keeps every event open.
static_assert(HasCellClick<fw::Listbox> && HasMouseDown<fw::Listbox>);

TEST(TambrelListBoxClass, DefaultsBeforeOpen) {
    TambrelListBox lb;
    EXPECT_EQ(lb.ClassFullName(), "TambrelListBox");
    EXPECT_EQ(lb.TableType, 0);
    EXPECT_EQ(lb.ColAlignment, "");
    EXPECT_EQ(lb.BackColor, Color(0xFFFFFF));
    EXPECT_EQ(lb.HighlightColor, Color(0xFF0000));
    EXPECT_EQ(lb.TextColor, Color(0x000000));
    EXPECT_EQ(lb.ColumnTypes, "");
    EXPECT_EQ(lb.IntegerFormat, "-#");
    EXPECT_EQ(lb.CurrencyFormat.size(), 17u);
    EXPECT_EQ(lb.CurrencyFormat, std::string("#,0.00;(#,0.00);") + '\\');
    EXPECT_EQ(lb.NumberFormat, "-#0.00");
    EXPECT_EQ(lb.DateFormat, "dd-mm-yyyy");
    EXPECT_EQ(lb.AlternateColor, Color(0xFFFFFF));
    EXPECT_EQ(lb.BoxColor, Color(0x000000));
    EXPECT_EQ(lb.TimeFormat, "HH:MMap");
    EXPECT_EQ(lb.DateTimeFormat, "dd-mm-yy hh:tt ap");
    EXPECT_EQ(lb.ProgBarColor, Color(0xFF0000));
    EXPECT_EQ(lb.HideColumns, "");

    EXPECT_TRUE(TA::NotOpen(lb));
    EXPECT_TRUE(TA::ColType(lb).empty());
    EXPECT_TRUE(TA::DropOrient(lb).empty());
    EXPECT_TRUE(TA::ColEdit(lb).empty());
    EXPECT_TRUE(TA::LongMonths(lb).empty());
    EXPECT_TRUE(TA::LongDayStr(lb).empty());
    EXPECT_EQ(TA::DropList(lb).UBound1(), -1);
    EXPECT_EQ(TA::DropList(lb).UBound2(), -1);
    EXPECT_EQ(TA::PBMaxVals(lb).UBound1(), -1);
}

TEST(TambrelListBoxClass, RegistersItsDesignedProperties) {
    TambrelListBox::RegisterClass();
    auto& registry = fw::ClassRegistry::Instance();
    const fw::ClassInfo* info = registry.Find("TambrelListBox");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->parentName, "Listbox");
    EXPECT_EQ(info->properties.size(), 16u);

    TambrelListBox lb;
    struct Case {
        const char* name;
        fw::PropertyValue value;
    };
    const Case cases[] = {
        {"TableType", Int32{1}},
        {"alternatecolor", Color(0x010203)},
        {"BackColor", Color(0x040506)},
        {"BoxColor", Color(0x7F7F7F)},
        {"HighlightColor", Color(0x8000FF)},
        {"ProgBarColor", Color(0xFFFF66)},
        {"TextColor", Color(0x004080)},
        {"ColAlignment", std::string("l,c")},
        {"ColumnTypes", std::string("i,se")},
        {"CurrencyFormat", std::string("#")},
        {"DateFormat", std::string("n, d mmm yyyy")},
        {"DateTimeFormat", std::string("dd")},
        {"HideColumns", std::string("0")},
        {"IntegerFormat", std::string("0")},
        {"NumberFormat", std::string("0.0")},
        {"TimeFormat", std::string("HH")},
    };
    for (const Case& c : cases) {
        const fw::PropertyInfo* p = registry.FindProperty("TambrelListBox", c.name);
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(p->type, static_cast<fw::PropertyType>(c.value.index())) << c.name;
        p->set(lb, c.value);
    }
    EXPECT_EQ(lb.TableType, 1);
    EXPECT_EQ(lb.AlternateColor, Color(0x010203));
    EXPECT_EQ(lb.BackColor, Color(0x040506));
    EXPECT_EQ(lb.BoxColor, Color(0x7F7F7F));
    EXPECT_EQ(lb.HighlightColor, Color(0x8000FF));
    EXPECT_EQ(lb.ProgBarColor, Color(0xFFFF66));
    EXPECT_EQ(lb.TextColor, Color(0x004080));
    EXPECT_EQ(lb.ColAlignment, "l,c");
    EXPECT_EQ(lb.ColumnTypes, "i,se");
    EXPECT_EQ(lb.CurrencyFormat, "#");
    EXPECT_EQ(lb.DateFormat, "n, d mmm yyyy");
    EXPECT_EQ(lb.DateTimeFormat, "dd");
    EXPECT_EQ(lb.HideColumns, "0");
    EXPECT_EQ(lb.IntegerFormat, "0");
    EXPECT_EQ(lb.NumberFormat, "0.0");
    EXPECT_EQ(lb.TimeFormat, "HH");
}

TEST(TambrelListBoxClass, EmptyHandlersReturnFalseAndLeaveTheByRefValue) {
    TambrelListBox lb;
    fw::Listbox& base = lb; // the framework calls the handlers through the list box
    Int32 result = 42;
    EXPECT_FALSE(base.Event_CompareRows(0, 1, 0, result));
    EXPECT_EQ(result, 42);
    EXPECT_FALSE(base.Event_CellKeyDown(0, 0, "a"));
    EXPECT_FALSE(base.Event_KeyDown("a"));
    EXPECT_FALSE(base.Event_MouseDown(1, 1));
    EXPECT_FALSE(base.Event_MouseWheel(1, 1, 0, 1));
    fw::MenuItem item;
    EXPECT_FALSE(base.Event_ConstructContextualMenu(item, 1, 1));
    EXPECT_FALSE(base.Event_ContextualMenuAction(item));
    fw::DragItem drag;
    EXPECT_FALSE(base.Event_DragEnter(drag, 0));
    EXPECT_FALSE(base.Event_DragOver(1, 1, drag, 0));
    EXPECT_FALSE(base.Event_DragReorderRows(0, 0));
    EXPECT_FALSE(base.Event_DragRow(drag, 0));
    // The void ones do nothing, also with no rows at all.
    base.Event_CellGotFocus(0, 0);
    base.Event_CellLostFocus(0, 0);
    base.Event_CollapseRow(0);
    base.Event_ExpandRow(0);
    base.Event_GotFocus();
    base.Event_LostFocus();
    base.Event_KeyUp("a");
    base.Event_MouseDrag(1, 1);
    base.Event_MouseEnter();
    base.Event_MouseExit();
    base.Event_MouseMove(1, 1);
    base.Event_MouseUp(1, 1);
    base.Event_DragExit(drag, 0);
    base.Event_DropObject(drag, 0);
    base.Event_EnableMenuItems();
    base.Event_CellTextChange(0, 0);
}

TEST(TambrelListBoxClass, OpenResetsThenRaisesOpenToABoundHost) {
    TambrelListBox lb;
    lb.ColumnCount(3);
    lb.ColumnTypes = "i,se";
    lb.NewRow(); // before Open: lost to its Reset
    lb.NewRow();

    Int32 rowsSeen = -1;
    std::size_t kindsSeen = 0;
    Int32 calls = 0;
    lb.Open.Bind(
        [&](TambrelListBox& sender) {
            ++calls;
            EXPECT_EQ(&sender, &lb);
            rowsSeen = sender.ListCount();
            kindsSeen = TA::ColType(sender).size();
            sender.NewRow(); // rows added from here on stay
        },
        "( TambrelListBox )");

    fw::Listbox& base = lb;
    base.Event_Open();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(rowsSeen, 0);
    EXPECT_EQ(kindsSeen, 3u);
    EXPECT_EQ(lb.ListCount(), 1);
    EXPECT_FALSE(TA::NotOpen(lb));
    EXPECT_EQ(lb.ColumnTypes, "I,SE");
    ASSERT_EQ(TA::LongMonths(lb).size(), 12u);
    EXPECT_EQ(TA::LongMonths(lb)[0], "January");
}

TEST(TambrelListBoxClass, OpenWithoutHandlerAndDefaults) {
    TambrelListBox lb;
    lb.ColumnCount(2);
    lb.Event_Open();
    EXPECT_FALSE(TA::NotOpen(lb));
    EXPECT_EQ(TA::ColType(lb), (std::vector<Int32>{9, 9}));
    EXPECT_EQ(TA::ColEdit(lb), (std::vector<bool>{false, false}));
    EXPECT_EQ(lb.ColumnAlignment(0), 1);
    EXPECT_EQ(lb.ColumnAlignment(1), 1);
}

// Open calls Reset through the virtual operations.
struct CountingListBox : TambrelListBox {
    int resets = 0;
    void Reset() override {
        ++resets;
        TambrelListBox::Reset();
    }
};

TEST(TambrelListBoxClass, OpenCallsAnOverriddenReset) {
    CountingListBox lb;
    lb.Event_Open();
    EXPECT_EQ(lb.resets, 1);
}

TEST(TambrelListBoxClass, OwnEventsCheckTheirSignatureLiterals) {
    TambrelListBox lb;
    EXPECT_NO_THROW(lb.CellDropDownChanged.Bind([](TambrelListBox&, Int32, Int32, std::string) {},
                                                "( TambrelListBox, Int32, Int32, String )"));
    EXPECT_NO_THROW(lb.DoubleClick.Bind([](TambrelListBox&, Int32, Int32) {},
                                        "( TambrelListBox, Int32, Int32 )"));
    EXPECT_THROW(lb.CellDateChanged.Bind([](TambrelListBox&, fw::DatePtr, Int32, Int32) {},
                                         "( TambrelListBox, Int32, Int32, Date )"),
                 fw::RuntimeException);
    const std::pair<const std::string*, const char*> literals[] = {
        {&lb.CellCheckBoxStateChange.Signature(), "( TambrelListBox, Int32, Int32, Boolean )"},
        {&lb.CellDateChanged.Signature(), "( TambrelListBox, Date, Int32, Int32 )"},
        {&lb.CellTimeChanged.Signature(), "( TambrelListBox, Date, Int32, Int32 )"},
        {&lb.CellTextChanged.Signature(), "( TambrelListBox, String, Int32, Int32 )"},
        {&lb.CellIntegerChanged.Signature(), "( TambrelListBox, Int32, Int32, Int32 )"},
        {&lb.CellCurrencyChanged.Signature(), "( TambrelListBox, Currency, Int32, Int32 )"},
        {&lb.CellNumberChanged.Signature(), "( TambrelListBox, Double, Int32, Int32 )"},
        {&lb.Open.Signature(), "( TambrelListBox )"},
    };
    for (const auto& [actual, expected] : literals) {
        EXPECT_EQ(*actual, expected);
    }
    // The four list box events left open bind as on any list box.
    EXPECT_NO_THROW(lb.Change.Bind([](fw::Listbox&) {}, "( Listbox )"));
    EXPECT_NO_THROW(lb.Close.Bind([](fw::Listbox&) {}, "( Listbox )"));
    EXPECT_NO_THROW(lb.SortColumn.Bind([](fw::Listbox&, Int32) { return false; },
                                       "( Listbox, Int32 ) as Boolean"));
    EXPECT_NO_THROW(lb.HeaderPressed.Bind([](fw::Listbox&, Int32) { return false; },
                                          "( Listbox, Int32 ) as Boolean"));
}

} // namespace
