// How an edit ends through the real list widget: numbers typed as the column shows them or
// refused, Escape, date-time cells without a value, and backing out of a drop-down pop-up.
#include "app/Startup.h"
#include "app/Window1.h"
#include "framework/core/Date.h"
#include "framework/core/Format.h"
#include "framework/ui/Window.h"
#include "framework/ui/testing/ModalTestSupport.h"
#include "tests/support/ListBoxAccess.h"
#include "tests/support/ListDriver.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using fw::Int32;
using fw::Variant;

namespace {

using support::ListDriver;
using support::Settle;

enum Col : Int32 { kInteger, kNumber, kCurrency, kString, kDateTime, kDrop, kFixed };

class HostWindow : public fw::Window {
public:
    void CreateControls() override {
        auto& lb = static_cast<TambrelListBox&>(_AddControl("lb1", __New<TambrelListBox>()));
        lb.Left(10);
        lb.Top(10);
        lb.Width(760);
        lb.Height(160);
        lb.ColumnCount(7);
        lb.HasHeading(true);
        lb.ColumnTypes = "IE,NE,CE,SE,AE,D,S";
        lb.DefaultRowHeight(24);
    }
    void Event_Open() override {
        auto& lb = ControlAs<TambrelListBox>("lb1");
        lb.NewRow();
        lb.SetValue(kInteger, 12.7);
        lb.SetValue(kNumber, 2.5);
        lb.SetValue(kCurrency, 1.73482917);
        lb.SetValue(kString, "abc");
        lb.SetValue(kDateTime, Variant(std::make_shared<fw::Date>(2011, 5, 15, 14, 30, 0)));
        lb.SetValue(kDrop, "Blue");
        lb.SetValue(kFixed, "fixed");
        lb.NewRow(); // row 1 holds no values
        lb.SetDropDownList(0, kDrop, "Red,Blue");
        lb.SetDropDownList(1, kDrop, "Red,Blue");
    }
};

// A cell's value as a test compares it: its kind, its text and, for an object, which one.
struct ValueSeen {
    Variant::Type type;
    std::string text;
    std::shared_ptr<fw::Object> object;

    explicit ValueSeen(const Variant& v)
        : type(v.GetType()), text(v.ToString()),
          object(v.GetType() == Variant::Type::Object ? v.ToObject() : nullptr) {}
    bool operator==(const ValueSeen&) const = default;
};

struct EditEnd : ::testing::Test {
    std::shared_ptr<HostWindow> window;
    TambrelListBox* lb = nullptr;
    std::vector<std::string> log;

    static void SetUpTestSuite() { Initialize(); }

    void SetUp() override {
        window = std::make_shared<HostWindow>();
        window->Width(780);
        window->Height(180);
        window->Constructor();
        lb = &window->ControlAs<TambrelListBox>("lb1");
        Settle();
        auto& l = *lb;
        auto cell = [](Int32 r, Int32 c) { return " " + fw::Str(r) + " " + fw::Str(c); };
        l.CellIntegerChanged.Bind(
            [this, cell](TambrelListBox&, Int32 v, Int32 r, Int32 c) {
                log.push_back("Integer " + fw::Str(v) + cell(r, c));
            },
            "( TambrelListBox, Int32, Int32, Int32 )");
        l.CellNumberChanged.Bind(
            [this, cell](TambrelListBox&, double v, Int32 r, Int32 c) {
                log.push_back("Number " + fw::Str(v) + cell(r, c));
            },
            "( TambrelListBox, Double, Int32, Int32 )");
        l.CellCurrencyChanged.Bind(
            [this, cell](TambrelListBox&, fw::Currency v, Int32 r, Int32 c) {
                log.push_back("Currency " + fw::Str(v.ToDouble()) + cell(r, c));
            },
            "( TambrelListBox, Currency, Int32, Int32 )");
        l.CellTextChanged.Bind(
            [this, cell](TambrelListBox&, std::string v, Int32 r, Int32 c) {
                log.push_back("Text '" + v + "'" + cell(r, c));
            },
            "( TambrelListBox, String, Int32, Int32 )");
        l.CellDropDownChanged.Bind(
            [this, cell](TambrelListBox&, Int32 r, Int32 c, std::string v) {
                log.push_back("DropDown '" + v + "'" + cell(r, c));
            },
            "( TambrelListBox, Int32, Int32, String )");
    }
    void TearDown() override {
        fw::testing::ClearModalAnswers();
        window->Close();
        Settle();
    }

    ListDriver Driver() const { return ListDriver{*lb}; }

    // Clicks the cell and types into its editor; the caller ends the edit.
    QLineEdit* Type(Int32 row, Int32 column, const std::string& typed) {
        Driver().Click(row, column);
        QLineEdit* editor = Driver().Editor();
        EXPECT_NE(editor, nullptr) << "no editor on column " << column;
        if (editor != nullptr) {
            if (typed.empty()) {
                QTest::keyClick(editor, Qt::Key_Delete);
            } else {
                QTest::keyClicks(editor, QString::fromStdString(typed));
            }
        }
        return editor;
    }
    void Enter(Int32 row, Int32 column, const std::string& typed) {
        if (QLineEdit* editor = Type(row, column, typed)) {
            QTest::keyClick(editor, Qt::Key_Return);
            Settle();
        }
        EXPECT_FALSE(lb->IsEditing());
    }
};

TEST_F(EditEnd, NumbersAreReadAsTheColumnShowsThem) {
    struct Case {
        Col column;
        std::string typed;
        double value;
        std::string text;
        std::string event;
    };
    const Case cases[] = {
        {kCurrency, "1,234.5", 1234.5, "1,234.50", "Currency 1234.5 0 2"},
        {kCurrency, " (12.50) ", -12.5, "(12.50)", "Currency -12.5 0 2"},
        {kCurrency, "", 0.0, "", "Currency 0 0 2"},
        {kInteger, "1,234", 1234.0, "1234", "Integer 1234 0 0"},
        {kInteger, "-2,147,483,648", -2147483648.0, "-2147483648", "Integer -2147483648 0 0"},
        {kNumber, "(3.5)", -3.5, "-3.50", "Number -3.5 0 1"},
        {kNumber, "7.126xyz", 7.126, "7.13", "Number 7.126 0 1"},
    };
    for (const Case& c : cases) {
        log.clear();
        Enter(0, c.column, c.typed);
        EXPECT_EQ(lb->GetValue(0, c.column).GetType(), Variant::Type::Double) << c.typed;
        EXPECT_EQ(lb->GetValue(0, c.column).ToDouble(), c.value) << c.typed;
        EXPECT_EQ(lb->Cell(0, c.column), c.text) << c.typed;
        EXPECT_EQ(log, std::vector<std::string>{c.event}) << c.typed;
    }
}

TEST_F(EditEnd, NumbersItCannotReadOrReportAreRefused) {
    struct Case {
        Col column;
        std::string typed;
    };
    const Case cases[] = {
        {kCurrency, "abc"}, {kCurrency, "99999999999999999999"},
        {kCurrency, "$5"},  {kInteger, "3000000000"},
        {kInteger, "-"},    {kNumber, "x1"},
    };
    // A text the host wrote itself is kept as exactly.
    lb->Cell(0, kNumber, "two and a half");
    for (const Case& c : cases) {
        log.clear();
        const ValueSeen value(lb->GetValue(0, c.column));
        const std::string text = lb->Cell(0, c.column);
        auto message = fw::testing::ExpectMessageBox();
        Enter(0, c.column, c.typed);
        EXPECT_TRUE(message->answered) << c.typed;
        EXPECT_EQ(message->text, "Could not convert the number entered.") << c.typed;
        EXPECT_EQ(ValueSeen(lb->GetValue(0, c.column)), value) << c.typed;
        EXPECT_EQ(lb->Cell(0, c.column), text) << c.typed;
        EXPECT_TRUE(log.empty()) << c.typed;
    }
    EXPECT_EQ(lb->Cell(0, kNumber), "two and a half");
}

TEST_F(EditEnd, EscapeLeavesTheCellAsItWasBeforeTheClick) {
    struct Case {
        Int32 row;
        Col column;
    };
    const Case cases[] = {{0, kInteger},  {0, kNumber},   {0, kCurrency}, {0, kString},
                          {0, kDateTime}, {1, kDateTime}, {1, kInteger}};
    auto escape = [&](const Case& c, const char* what) {
        SCOPED_TRACE(std::string(what) + " row " + fw::Str(c.row) + " column " + fw::Str(c.column));
        log.clear();
        const ValueSeen value(lb->GetValue(c.row, c.column));
        const std::string text = lb->Cell(c.row, c.column);
        const Int32 type = lb->CellType(c.row, c.column);
        QLineEdit* editor = Type(c.row, c.column, "999");
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(lb->CellType(c.row, c.column), 3);
        QTest::keyClick(editor, Qt::Key_Escape);
        Settle();
        EXPECT_FALSE(lb->IsEditing());
        EXPECT_EQ(ValueSeen(lb->GetValue(c.row, c.column)), value);
        EXPECT_EQ(lb->Cell(c.row, c.column), text);
        EXPECT_EQ(lb->CellType(c.row, c.column), type);
        EXPECT_TRUE(log.empty());
    };
    for (const Case& c : cases) {
        escape(c, "never edited");
    }
    // A cell edited once stays editable in place.
    Enter(0, kString, "edited");
    Enter(0, kInteger, "5");
    escape({0, kString}, "edited before");
    escape({0, kInteger}, "edited before");
    EXPECT_EQ(lb->CellType(0, kString), 3);
}

TEST_F(EditEnd, TabAndAClickElsewhereStillStoreAfterAnEscape) {
    QLineEdit* editor = Type(0, kInteger, "8");
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    Settle();

    editor = Type(0, kInteger, "9");
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    Settle();
    EXPECT_EQ(lb->GetValue(0, kInteger).ToDouble(), 9.0);

    ASSERT_NE(Type(0, kString, "typed"), nullptr);
    Driver().Click(0, kFixed);
    EXPECT_FALSE(lb->IsEditing());
    EXPECT_EQ(lb->GetValue(0, kString).ToString(), "typed");
    EXPECT_EQ(log, (std::vector<std::string>{"Integer 9 0 0", "Text 'typed' 0 3"}));
}

TEST_F(EditEnd, EmptyDateTimeCellOffersNothingAndStaysEmpty) {
    for (const Variant& empty : {Variant(), Variant("")}) {
        SCOPED_TRACE(empty.IsNil() ? "nothing" : "empty text");
        lb->UpdateValue(1, kDateTime, empty);
        EXPECT_EQ(lb->Cell(1, kDateTime), "");

        // Nothing typed: no message, still empty.
        Driver().Click(1, kDateTime);
        ASSERT_NE(Driver().Editor(), nullptr);
        EXPECT_EQ(Driver().Editor()->text().toStdString(), "");
        QTest::keyClick(Driver().Editor(), Qt::Key_Return);
        Settle();
        EXPECT_EQ(lb->Cell(1, kDateTime), "");
        EXPECT_EQ(ValueSeen(lb->GetValue(1, kDateTime)), ValueSeen(empty));

        auto message = fw::testing::ExpectMessageBox();
        Enter(1, kDateTime, "no date");
        EXPECT_TRUE(message->answered);
        EXPECT_EQ(message->text, "Could not convert the date/time expression entered.");
        EXPECT_EQ(lb->Cell(1, kDateTime), "");
        EXPECT_EQ(ValueSeen(lb->GetValue(1, kDateTime)), ValueSeen(empty));
    }
    const auto typed = std::make_shared<fw::Date>(2012, 1, 2, 3, 4, 5);
    Enter(1, kDateTime, "2012-01-02 03:04:05");
    EXPECT_EQ(lb->GetValue(1, kDateTime).ToDouble(), typed->TotalSeconds());
    EXPECT_EQ(lb->Cell(1, kDateTime), TA::FormattedDate(*lb, typed, lb->DateTimeFormat));
    EXPECT_TRUE(log.empty());
}

TEST_F(EditEnd, BackingOutOfAnEmptyDropDownStillReports) {
    fw::testing::AnswerNextPopupMenu(-1);
    Driver().Click(1, kDrop);
    EXPECT_EQ(fw::testing::PendingModalAnswers(), 0);
    EXPECT_EQ(lb->Cell(1, kDrop), "");
    EXPECT_EQ(lb->GetValue(1, kDrop).GetType(), Variant::Type::String);
    EXPECT_EQ(log, std::vector<std::string>{"DropDown '' 1 5"});
}

// The demonstration's drop-down handler keeps a row's "Long String" when the pop-up of an
// empty cell is left without a choice, and still copies a choice.
TEST(DemonstrationDropDown, BackingOutOfAnEmptyCellKeepsTheLongString) {
    Initialize();
    std::shared_ptr<Window1> window = Window1::Instance();
    ASSERT_NE(window, nullptr);
    TambrelListBox& lb = window->lb1();
    window->Width(1800);
    Settle();
    ListDriver driver{lb};
    ASSERT_EQ(lb.Cell(0, 5), "");
    const std::string longString = lb.Cell(0, 2);
    ASSERT_EQ(longString, "This is a long string, 1");

    fw::testing::AnswerNextPopupMenu(-1);
    driver.Click(0, 5);
    EXPECT_EQ(fw::testing::PendingModalAnswers(), 0);
    EXPECT_EQ(lb.Cell(0, 2), longString);
    EXPECT_EQ(lb.GetValue(0, 2).ToString(), longString);

    fw::testing::AnswerNextPopupMenu(2);
    driver.Click(0, 5);
    EXPECT_EQ(lb.Cell(0, 2), "Three");
    window->Close();
    Settle();
}

} // namespace
