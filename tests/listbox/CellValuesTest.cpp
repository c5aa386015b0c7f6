#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "tests/support/ListBoxAccess.h"

#include <gtest/gtest.h>
#include <limits>
#include <utility>

using fw::Int32;
using fw::Variant;

namespace {

struct CellValues : ::testing::Test {
    TambrelListBox lb;
    fw::DatePtr date = std::make_shared<fw::Date>(1980, 2, 9, 14, 5, 7);

    void SetUp() override {
        lb.ColumnCount(11);
        lb.ColumnTypes = "b,c,t,a,d,i,n,p,s,m,x";
        lb.Event_Open();
    }
};

TEST_F(CellValues, ValueAndTextByKind) {
    struct Case {
        Int32 column;
        Variant value;
        std::string text;
        Variant::Type stored;
    };
    const Case cases[] = {
        {0, "Bye!", "Bye!", Variant::Type::String},
        {1, 1234.5, fw::Format(1234.5, lb.CurrencyFormat), Variant::Type::Double},
        {2, date, "09-02-1980", Variant::Type::Object},
        {3, date, "09-02-80 02:05 pm", Variant::Type::Object},
        {4, "Six", "Six", Variant::Type::String},
        {5, Int32{7}, fw::Format(7, "-#"), Variant::Type::Int32},
        {6, 2.5, fw::Format(2.5, "-#0.00"), Variant::Type::Double},
        {7, 99.0, "P", Variant::Type::Double},
        {8, "abc", "abc", Variant::Type::String},
        {9, date, "02:05pm", Variant::Type::Object},
    };
    lb.NewRow();
    lb.NewRow();
    ASSERT_EQ(lb.LastIndex(), 1);
    for (const Case& c : cases) {
        lb.SetValue(c.column, c.value);
    }
    for (const Case& c : cases) {
        EXPECT_EQ(lb.Cell(1, c.column), c.text) << c.column;
        EXPECT_EQ(lb.GetValue(1, c.column).GetType(), c.stored) << c.column;
        EXPECT_EQ(lb.Cell(0, c.column), "") << "row 0 untouched, column " << c.column;
    }
    // One Date stands in three cells, not copied.
    for (Int32 column : {2, 3, 9}) {
        EXPECT_EQ(lb.GetValue(1, column).ToObject(), date);
    }
    EXPECT_EQ(lb.GetValue(1, 5).ToInt32(), 7);
    // The check state is not touched.
    EXPECT_FALSE(lb.CellCheck(1, 0));
}

TEST_F(CellValues, PlainColumnChangesNothing) {
    lb.NewRow();
    lb.Cell(0, 10, "kept");
    lb.CellTag(0, 10, Variant("tag"));
    lb.SetValue(10, 5.0);
    lb.UpdateValue(0, 10, 6.0);
    EXPECT_EQ(lb.Cell(0, 10), "kept");
    EXPECT_EQ(lb.GetValue(0, 10).ToString(), "tag");
}

TEST_F(CellValues, DateOrItsSecondsShowTheSameText) {
    lb.DateFormat = "n, d mmm yyyy";
    lb.NewRow();
    lb.SetValue(2, date);
    lb.NewRow();
    lb.SetValue(2, date->TotalSeconds());
    EXPECT_EQ(lb.Cell(0, 2), "Sat, 9 Feb 1980");
    EXPECT_EQ(lb.Cell(1, 2), "Sat, 9 Feb 1980");
    EXPECT_EQ(lb.GetValue(0, 2).GetType(), Variant::Type::Object);
    EXPECT_EQ(lb.GetValue(1, 2).GetType(), Variant::Type::Double);
    EXPECT_EQ(lb.GetValue(1, 2).ToDouble(), date->TotalSeconds());
    // The date was only read.
    EXPECT_EQ(date->Hour(), 14);
}

TEST_F(CellValues, DateCellsWithoutAValueShowNothing) {
    struct Case {
        Variant value;
        Variant::Type stored;
    };
    const Case cases[] = {{Variant(), Variant::Type::Nil}, {"", Variant::Type::String}};
    lb.NewRow();
    for (const Case& c : cases) {
        for (Int32 column : {2, 3, 9}) {
            lb.SetValue(column, date);
            lb.SetValue(column, c.value);
            EXPECT_EQ(lb.Cell(0, column), "") << column;
            EXPECT_EQ(lb.GetValue(0, column).GetType(), c.stored) << column;
        }
    }
    // The first second of 1970 is a date like any other.
    lb.SetValue(3, 0.0);
    EXPECT_EQ(lb.Cell(0, 3), "01-01-70 12:00 am");
}

TEST_F(CellValues, PatternsAreReadWhenTheValueIsSet) {
    lb.NewRow();
    lb.SetValue(9, date);
    lb.TimeFormat = "HH:MM:SS";
    EXPECT_EQ(lb.Cell(0, 9), "02:05pm");
    lb.UpdateValue(0, 9, date);
    EXPECT_EQ(lb.Cell(0, 9), "14:05:07");
}

TEST_F(CellValues, UpdateValueActsOnItsRowOnly) {
    for (int i = 0; i < 3; ++i) {
        lb.NewRow();
        lb.SetValue(9, date);
    }
    auto other = std::make_shared<fw::Date>(1980, 2, 9, 0, 30, 0);
    lb.UpdateValue(1, 9, other);
    EXPECT_EQ(lb.Cell(0, 9), "02:05pm");
    EXPECT_EQ(lb.Cell(1, 9), "00:30am");
    EXPECT_EQ(lb.Cell(2, 9), "02:05pm");
    EXPECT_EQ(lb.GetValue(1, 9).ToObject(), other);
}

TEST_F(CellValues, NoEventIsRaised) {
    int raised = 0;
    lb.CellTextChanged.Bind([&](TambrelListBox&, std::string, Int32, Int32) { ++raised; },
                            "( TambrelListBox, String, Int32, Int32 )");
    lb.CellDropDownChanged.Bind([&](TambrelListBox&, Int32, Int32, std::string) { ++raised; },
                                "( TambrelListBox, Int32, Int32, String )");
    lb.NewRow();
    lb.SetValue(8, "x");
    lb.UpdateValue(0, 4, "Six");
    EXPECT_EQ(raised, 0);
}

TEST_F(CellValues, TablesGrowByRowAndKeepWhatTheyHold) {
    for (int i = 0; i < 8; ++i) {
        lb.NewRow();
    }
    lb.SetDropDownList(5, 4, "a,b");
    const auto& lists = TA::DropList(lb);
    EXPECT_EQ(lists.UBound1(), 5);
    EXPECT_EQ(lists.UBound2(), 11);
    for (Int32 r = 0; r < 5; ++r) {
        EXPECT_EQ(lists.At(r, 4), "");
    }
    lb.SetDropDownList(3, 4, "c");
    EXPECT_EQ(lists.UBound1(), 5);
    // Row-by-row growth as the demonstration does it keeps every earlier list.
    lb.SetDropDownList(6, 4, "d");
    lb.SetDropDownList(7, 0, "e");
    EXPECT_EQ(lists.UBound1(), 7);
    EXPECT_EQ(lists.At(5, 4), "a,b");
    EXPECT_EQ(lists.At(3, 4), "c");
    EXPECT_EQ(lists.At(6, 4), "d");
    EXPECT_EQ(lists.At(7, 0), "e");

    lb.SetPBMaxValue(2, 7, 170.0);
    lb.SetPBMaxValue(4, 7, 50.0);
    const auto& maxima = TA::PBMaxVals(lb);
    EXPECT_EQ(maxima.UBound1(), 4);
    EXPECT_EQ(maxima.UBound2(), 11);
    EXPECT_EQ(maxima.At(2, 7), 170.0);
    EXPECT_EQ(maxima.At(3, 7), 0.0);
    EXPECT_EQ(maxima.At(4, 7), 50.0);
}

TEST_F(CellValues, IndexesOutsideTheListRaise) {
    // No row yet: SetValue has no row to act on.
    EXPECT_THROW(lb.SetValue(8, "x"), fw::OutOfBoundsException);
    lb.NewRow();
    EXPECT_THROW(lb.SetValue(11, "x"), fw::OutOfBoundsException);
    EXPECT_THROW(lb.SetValue(-1, "x"), fw::OutOfBoundsException);
    EXPECT_THROW(lb.UpdateValue(1, 8, "x"), fw::OutOfBoundsException);
    EXPECT_THROW(lb.UpdateValue(-1, 8, "x"), fw::OutOfBoundsException);
    EXPECT_THROW(lb.GetValue(1, 0), fw::OutOfBoundsException);
    EXPECT_THROW(lb.GetValue(0, 11), fw::OutOfBoundsException);
    EXPECT_THROW(lb.SetDropDownList(1, 4, "a"), fw::OutOfBoundsException);
    EXPECT_THROW(lb.SetDropDownList(-1, 4, "a"), fw::OutOfBoundsException);
    EXPECT_THROW(lb.SetDropDownList(0, 11, "a"), fw::OutOfBoundsException);
    EXPECT_THROW(lb.SetPBMaxValue(2147483647, 7, 1.0), fw::OutOfBoundsException);
    EXPECT_THROW(lb.SetPBMaxValue(0, -1, 1.0), fw::OutOfBoundsException);
    // A column added after the last Reset has no kind yet.
    lb.ColumnCount(12);
    EXPECT_THROW(lb.SetValue(11, "x"), fw::OutOfBoundsException);
    EXPECT_EQ(TA::DropList(lb).UBound1(), -1);
}

// A date cell shows the date a new Date given the value's seconds would be, whatever the value.
TEST_F(CellValues, DateCellsShowTheDateOfTheValuesSeconds) {
    auto far = std::make_shared<fw::Date>(1970, 1, 1);
    far->TotalSeconds(1e300); // kept at the limit
    auto early = std::make_shared<fw::Date>(-40000, 1, 1, 23, 59, 59);
    const Variant values[] = {
        date,
        far,
        early,
        319212307.0,
        -1e300,
        std::numeric_limits<double>::quiet_NaN(),
        Int32{86399},
        "319212307",
        "not a number",
        true,
        fw::Currency::FromUnits(12345678),
    };
    lb.NewRow();
    for (const Variant& value : values) {
        auto d = std::make_shared<fw::Date>();
        d->TotalSeconds(value.ToDouble());
        lb.SetValue(2, value);
        lb.SetValue(3, value);
        lb.SetValue(9, value);
        EXPECT_EQ(lb.Cell(0, 2), TA::FormattedDate(lb, d, lb.DateFormat)) << value.ToDouble();
        EXPECT_EQ(lb.Cell(0, 3), TA::FormattedDate(lb, d, lb.DateTimeFormat)) << value.ToDouble();
        EXPECT_EQ(lb.Cell(0, 9), TA::FormattedTime(lb, d, lb.TimeFormat)) << value.ToDouble();
    }
    // Nothing, and an empty text, show nothing; an object other than a Date raises.
    for (const Variant& none : {Variant(), Variant("")}) {
        lb.SetValue(2, none);
        EXPECT_EQ(lb.Cell(0, 2), "");
    }
    const Variant other(std::shared_ptr<fw::Object>(std::make_shared<fw::DragItem>()));
    EXPECT_THROW(lb.SetValue(2, other), fw::TypeMismatchException);
}

// One text per different list, however many rows hold it.
TEST_F(CellValues, ChoiceListsAreKeptOncePerText) {
    const std::string list = "One,Two,Three,Four,Five,-,Six,-,Seven,Eight";
    for (Int32 r = 0; r < 50; ++r) {
        lb.NewRow();
        lb.SetDropDownList(r, 4, list);
    }
    const auto& lists = TA::DropList(lb);
    EXPECT_EQ(lists.DistinctCount(), 1u);

    // A list changed for one row only.
    lb.SetDropDownList(7, 4, "a,b");
    EXPECT_EQ(lists.DistinctCount(), 2u);
    for (Int32 r = 0; r < 50; ++r) {
        EXPECT_EQ(lists.At(r, 4), r == 7 ? "a,b" : list) << r;
    }
    lb.SetDropDownList(7, 4, list);
    EXPECT_EQ(lists.DistinctCount(), 1u); // "a,b" is let go
    lb.SetDropDownList(7, 4, "");
    EXPECT_EQ(lists.At(7, 4), "");

    // Rows removed leave the lists where they were set, as they always have.
    lb.RemoveRow(0);
    lb.RemoveRow(0);
    EXPECT_EQ(lists.At(0, 4), list);
    EXPECT_EQ(lists.At(7, 4), "");
    EXPECT_EQ(lists.UBound1(), 49);

    // Reset lets every list go; the next lists are kept as before.
    lb.Reset();
    EXPECT_EQ(lists.DistinctCount(), 0u);
    EXPECT_EQ(lists.UBound1(), -1);
    lb.NewRow();
    lb.NewRow();
    lb.SetDropDownList(1, 4, "x,y");
    EXPECT_EQ(lists.At(1, 4), "x,y");
    EXPECT_EQ(lists.At(0, 4), "");
    EXPECT_EQ(lists.DistinctCount(), 1u);
}

TEST_F(CellValues, ProgressMaximaOutsideTheListRaise) {
    lb.NewRow();
    lb.NewRow();
    lb.SetPBMaxValue(1, 7, 170.0);
    for (const auto& [row, column] : {std::pair{2, 7}, {-1, 7}, {0, 11}, {0, -1}}) {
        EXPECT_THROW(lb.SetPBMaxValue(row, column, 1.0), fw::OutOfBoundsException)
            << row << ", " << column;
    }
    const auto& maxima = TA::PBMaxVals(lb);
    EXPECT_EQ(maxima.At(1, 7), 170.0);
    EXPECT_EQ(maxima.At(0, 7), 0.0);
    EXPECT_EQ(maxima.At(1, 6), 0.0); // a column without maxima
    EXPECT_THROW(maxima.At(2, 7), fw::OutOfBoundsException);
    EXPECT_THROW(maxima.At(0, 12), fw::OutOfBoundsException);
}

TEST(SparseColumns, RedimKeepsValuesWhereTheyFitAndUnsetCellsReadAsNone) {
    SparseColumns<double> a;
    EXPECT_THROW(a.At(0, 0), fw::OutOfBoundsException);
    a.Redim(1, 2);
    a.Slot(1, 2) = 5;
    EXPECT_EQ(a.At(0, 0), 0.0);
    a.Redim(3, 4);
    EXPECT_EQ(a.At(1, 2), 5.0);
    EXPECT_EQ(a.At(3, 4), 0.0);
    a.Slot(3, 2) = 6;
    a.Redim(2, 4); // fewer rows: row 3 goes
    a.Redim(3, 4);
    EXPECT_EQ(a.At(3, 2), 0.0);
    EXPECT_EQ(a.At(1, 2), 5.0);
    a.Redim(3, 1); // fewer columns: column 2 goes
    a.Redim(3, 4);
    EXPECT_EQ(a.At(1, 2), 0.0);
    EXPECT_THROW(a.Slot(4, 0), fw::OutOfBoundsException);
    EXPECT_THROW(a.Redim(-2, 0), fw::OutOfBoundsException);
    a.Clear();
    EXPECT_EQ(a.UBound1(), -1);
    EXPECT_EQ(a.UBound2(), -1);
}

} // namespace
