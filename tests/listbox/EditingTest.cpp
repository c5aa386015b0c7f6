// Editing cells through the real list widget: clicks, typing, the pop-up of choices, the
// pickers and the change events they raise.
#include "app/Startup.h"
#include "app/Window1.h"
#include "framework/core/Date.h"
#include "framework/core/Format.h"
#include "framework/ui/Window.h"
#include "framework/ui/testing/ModalTestSupport.h"
#include "tests/support/ListBoxAccess.h"
#include "tests/support/ListDriver.h"
#include "tests/support/PickerAccess.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using fw::Int32;
using fw::Variant;

namespace {

using support::NewDate;
using support::Settle;
using ListView = support::ListDriver;

// Columns: check box, drop-down, integer, number, currency, string, date-time, date, time
// (all editable but the first two), then a string and a date that are not editable.
constexpr const char* kColumnTypes = "B,D,IE,NE,CE,SE,AE,TE,ME,S,T";
enum Col : Int32 {
    kCheck,
    kDrop,
    kInteger,
    kNumber,
    kCurrency,
    kString,
    kDateTime,
    kDate,
    kTime,
    kFixedString,
    kFixedDate
};

class HostWindow : public fw::Window {
public:
    void CreateControls() override {
        auto& lb = static_cast<TambrelListBox&>(_AddControl("lb1", __New<TambrelListBox>()));
        lb.Left(12);
        lb.Top(20);
        lb.Width(880);
        lb.Height(200);
        lb.ColumnCount(11);
        lb.HasHeading(true);
        lb.ColumnTypes = kColumnTypes;
        lb.DefaultRowHeight(24);
    }
    void Event_Open() override {
        auto& lb = ControlAs<TambrelListBox>("lb1");
        for (Int32 r = 0; r < 4; ++r) {
            lb.NewRow();
            lb.SetValue(kCheck, false);
            lb.SetValue(kDrop, "Blue");
            lb.SetValue(kInteger, 7.0);
            lb.SetValue(kNumber, 2.5);
            lb.SetValue(kCurrency, 1.25);
            lb.SetValue(kString, "abc");
            lb.SetValue(kDateTime, Variant(NewDate(2011, 5, 15, 14, 30, 0)));
            lb.SetValue(kDate, Variant(NewDate(2011, 5, 15, 14, 30, 0)));
            lb.SetValue(kTime, Variant(NewDate(2011, 5, 15, 14, 30, 7)));
            lb.SetValue(kFixedString, "fixed");
            lb.SetValue(kFixedDate, Variant(NewDate(2011, 5, 15)));
        }
        lb.SetDropDownList(0, kDrop, "Red,-,Blue");
        lb.SetDropDownList(1, kDrop, "");
        lb.SetDropDownList(2, kDrop, "Red, Blue");
        // Row 3 lies beyond the stored lists.
    }
};

struct Editing : ::testing::Test {
    std::shared_ptr<HostWindow> window;
    TambrelListBox* lb = nullptr;
    std::vector<std::string> log;

    static void SetUpTestSuite() { Initialize(); }

    void SetUp() override {
        window = std::make_shared<HostWindow>();
        window->Width(920);
        window->Height(260);
        window->Constructor();
        window->Left(50);
        window->Top(70);
        lb = &window->ControlAs<TambrelListBox>("lb1");
        Settle();
        BindAll();
    }
    void TearDown() override {
        fw::testing::ClearModalAnswers();
        window->Close();
        Settle();
    }

    ListView View() const { return ListView{*lb}; }

    static std::string DateText(const fw::DatePtr& d) { return d ? d->SQLDateTime() : "nil"; }

    void BindAll() {
        auto& l = *lb;
        l.CellCheckBoxStateChange.Bind(
            [this](TambrelListBox&, Int32 r, Int32 c, bool v) {
                log.push_back("CheckBox " + fw::Str(r) + " " + fw::Str(c) +
                              (v ? " True" : " False"));
            },
            "( TambrelListBox, Int32, Int32, Boolean )");
        l.CellDropDownChanged.Bind(
            [this](TambrelListBox&, Int32 r, Int32 c, std::string v) {
                log.push_back("DropDown " + fw::Str(r) + " " + fw::Str(c) + " '" + v + "'");
            },
            "( TambrelListBox, Int32, Int32, String )");
        l.CellDateChanged.Bind(
            [this](TambrelListBox&, fw::DatePtr v, Int32 r, Int32 c) {
                log.push_back("Date " + DateText(v) + " " + fw::Str(r) + " " + fw::Str(c));
                lastDate = v;
            },
            "( TambrelListBox, Date, Int32, Int32 )");
        l.CellTimeChanged.Bind(
            [this](TambrelListBox&, fw::DatePtr v, Int32 r, Int32 c) {
                log.push_back("Time " + DateText(v) + " " + fw::Str(r) + " " + fw::Str(c));
                lastDate = v;
            },
            "( TambrelListBox, Date, Int32, Int32 )");
        l.CellTextChanged.Bind(
            [this](TambrelListBox&, std::string v, Int32 r, Int32 c) {
                log.push_back("Text '" + v + "' " + fw::Str(r) + " " + fw::Str(c));
            },
            "( TambrelListBox, String, Int32, Int32 )");
        l.CellIntegerChanged.Bind(
            [this](TambrelListBox&, Int32 v, Int32 r, Int32 c) {
                log.push_back("Integer " + fw::Str(v) + " " + fw::Str(r) + " " + fw::Str(c));
            },
            "( TambrelListBox, Int32, Int32, Int32 )");
        l.CellCurrencyChanged.Bind(
            [this](TambrelListBox&, fw::Currency v, Int32 r, Int32 c) {
                lastCurrency = v;
                log.push_back("Currency " + fw::Str(r) + " " + fw::Str(c));
            },
            "( TambrelListBox, Currency, Int32, Int32 )");
        l.CellNumberChanged.Bind(
            [this](TambrelListBox&, double v, Int32 r, Int32 c) {
                log.push_back("Number " + fw::Str(v) + " " + fw::Str(r) + " " + fw::Str(c));
            },
            "( TambrelListBox, Double, Int32, Int32 )");
        l.DoubleClick.Bind(
            [this](TambrelListBox&, Int32 r, Int32 c) {
                log.push_back("DoubleClick " + fw::Str(r) + " " + fw::Str(c));
            },
            "( TambrelListBox, Int32, Int32 )");
    }

    // Clicks the cell, checks the editor opened on editingText, types and presses Return.
    void Edit(Int32 row, Int32 column, const std::string& editingText, const std::string& typed) {
        View().Click(View().Centre(row, column));
        QLineEdit* editor = View().Editor();
        ASSERT_NE(editor, nullptr) << "no editor on column " << column;
        EXPECT_EQ(editor->text().toStdString(), editingText);
        EXPECT_EQ(lb->CellType(row, column), 3);
        if (typed.empty()) {
            QTest::keyClick(editor, Qt::Key_Delete);
        } else {
            QTest::keyClicks(editor, QString::fromStdString(typed));
        }
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
        EXPECT_FALSE(lb->IsEditing());
    }

    // Runs inspect on the next pop-up menu, then dismisses it with Escape.
    static void InspectNextPopup(std::function<void(QMenu&)> inspect, bool* seen) {
        auto* timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [timer, inspect, seen] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                timer->stop();
                timer->deleteLater();
                *seen = true;
                inspect(*menu);
                QTest::keyClick(menu, Qt::Key_Escape);
            }
        });
        timer->start();
    }

    fw::DatePtr lastDate;
    fw::Currency lastCurrency;
};

TEST_F(Editing, CheckBoxTogglesByTheFrameworkAndStoresBooleans) {
    EXPECT_FALSE(lb->Event_CellClick(0, kCheck, 0, 0));
    View().Click(View().Centre(0, kCheck));
    EXPECT_EQ(lb->CellState(0, kCheck), fw::CheckBox::CheckedStates::Checked);
    EXPECT_EQ(lb->GetValue(0, kCheck).GetType(), Variant::Type::Boolean);
    EXPECT_TRUE(lb->GetValue(0, kCheck).ToBoolean());
    View().Click(View().Centre(0, kCheck));
    EXPECT_FALSE(lb->GetValue(0, kCheck).ToBoolean());
    // The indeterminate state counts as unchecked.
    lb->CellTag(1, kCheck, Variant(true));
    lb->CellState(1, kCheck, fw::CheckBox::CheckedStates::Indeterminate);
    lb->Event_CellAction(1, kCheck);
    EXPECT_EQ(lb->GetValue(1, kCheck).GetType(), Variant::Type::Boolean);
    EXPECT_FALSE(lb->GetValue(1, kCheck).ToBoolean());
    EXPECT_EQ(log, (std::vector<std::string>{"CheckBox 0 0 True", "CheckBox 0 0 False",
                                             "CheckBox 1 0 False"}));
}

TEST_F(Editing, ClicksOnCellsThatAreNotEditableChangeNothing) {
    for (Int32 column : {kFixedString, kFixedDate}) {
        const std::string text = lb->Cell(0, column);
        EXPECT_FALSE(lb->Event_CellClick(0, column, 0, 0)) << column;
        View().Click(View().Centre(0, column));
        EXPECT_EQ(View().Editor(), nullptr) << column;
        EXPECT_EQ(lb->CellType(0, column), 0) << column;
        EXPECT_EQ(lb->Cell(0, column), text) << column;
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(Editing, PopUpShowsTheChoicesWithSeparatorAndCheckMark) {
    struct Shown {
        std::string text;
        bool separator;
        bool checked;
    };
    struct Case {
        Int32 row;
        std::vector<Shown> items;
    };
    const Case cases[] = {
        {0, {{"Red", false, false}, {"", true, false}, {"Blue", false, true}}},
        // The blank stays part of the entry, so it does not match the text "Blue".
        {2, {{"Red", false, false}, {" Blue", false, false}}},
    };
    for (const Case& c : cases) {
        log.clear();
        lb->CellTag(c.row, kDrop, Variant(5.0));
        std::vector<Shown> seenItems;
        bool seen = false;
        InspectNextPopup(
            [&](QMenu& menu) {
                for (QAction* action : menu.actions()) {
                    seenItems.push_back({action->isSeparator() ? "" : action->text().toStdString(),
                                         action->isSeparator(), action->isChecked()});
                }
            },
            &seen);
        View().Click(View().Centre(c.row, kDrop));
        ASSERT_TRUE(seen) << c.row;
        ASSERT_EQ(seenItems.size(), c.items.size()) << c.row;
        for (std::size_t i = 0; i < c.items.size(); ++i) {
            EXPECT_EQ(seenItems[i].text, c.items[i].text) << c.row << " " << i;
            EXPECT_EQ(seenItems[i].separator, c.items[i].separator) << c.row << " " << i;
            EXPECT_EQ(seenItems[i].checked, c.items[i].checked) << c.row << " " << i;
        }
        // Dismissed: the text stays, the value becomes that text, the event still comes.
        EXPECT_EQ(lb->Cell(c.row, kDrop), "Blue");
        EXPECT_EQ(lb->GetValue(c.row, kDrop).GetType(), Variant::Type::String);
        EXPECT_EQ(lb->GetValue(c.row, kDrop).ToString(), "Blue");
        EXPECT_EQ(log, std::vector<std::string>{"DropDown " + fw::Str(c.row) + " 1 'Blue'"});
    }
}

TEST_F(Editing, DropDownClicks) {
    struct Case {
        const char* what;
        Int32 row;
        int answer; // menu index to click, -1 Escape, -2 no menu expected
        std::string text;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"choice", 0, 0, "Red", {"DropDown 0 1 'Red'"}},
        {"separator chooses nothing", 0, 1, "Red", {"DropDown 0 1 'Red'"}},
        {"choice again", 0, 2, "Blue", {"DropDown 0 1 'Blue'"}},
        {"empty list shows no items", 1, -2, "Blue", {"DropDown 1 1 'Blue'"}},
        {"row beyond the lists", 3, -2, "Blue", {}},
    };
    for (const Case& c : cases) {
        log.clear();
        const Variant before = lb->GetValue(c.row, kDrop);
        lb->CellTag(c.row, kDrop, Variant(5.0));
        if (c.answer >= -1) {
            fw::testing::AnswerNextPopupMenu(c.answer);
        }
        View().Click(View().Centre(c.row, kDrop));
        EXPECT_EQ(fw::testing::PendingModalAnswers(), 0) << c.what;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << c.what;
        EXPECT_EQ(lb->Cell(c.row, kDrop), c.text) << c.what;
        EXPECT_EQ(log, c.log) << c.what;
        if (c.log.empty()) {
            EXPECT_EQ(lb->GetValue(c.row, kDrop).ToDouble(), 5.0) << c.what;
        } else {
            EXPECT_EQ(lb->GetValue(c.row, kDrop).GetType(), Variant::Type::String) << c.what;
            EXPECT_EQ(lb->GetValue(c.row, kDrop).ToString(), c.text) << c.what;
        }
        (void)before;
    }
    EXPECT_TRUE(lb->Event_CellClick(3, kDrop, 0, 0));
}

TEST_F(Editing, ExceptionsOfTheDropDownHandlerAreSwallowed) {
    lb->CellDropDownChanged.Bind(
        [](TambrelListBox&, Int32, Int32, std::string) -> void {
            throw std::runtime_error("host failed");
        },
        "( TambrelListBox, Int32, Int32, String )");
    fw::testing::AnswerNextPopupMenu(0);
    bool handled = false;
    EXPECT_NO_THROW(handled = lb->Event_CellClick(0, kDrop, 0, 0));
    EXPECT_TRUE(handled);
    EXPECT_EQ(lb->Cell(0, kDrop), "Red");
    EXPECT_EQ(lb->GetValue(0, kDrop).ToString(), "Red");
}

TEST_F(Editing, EndOfEditByKind) {
    struct Case {
        Col column;
        std::string editingText;
        std::string typed;
        Variant value;
        std::string text;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {kInteger, "7", "12.7", 12.7, "13", {"Integer 13 0 2"}},
        {kInteger, "13", " -4 ", -4.0, "-4", {"Integer -4 0 2"}},
        {kNumber, "2.5", "", 0.0, "0.00", {"Number 0 0 3"}},
        {kNumber, "0", " 3.25abc ", 3.25, "3.25", {"Number 3.25 0 3"}},
        {kCurrency, "1.25", "1234.5678", 1234.5678, "1,234.57", {"Currency 0 4"}},
        {kString,
         "abc",
         "  two words  ",
         "  two words  ",
         "  two words  ",
         {"Text '  two words  ' 0 5"}},
    };
    for (const Case& c : cases) {
        log.clear();
        Edit(0, c.column, c.editingText, c.typed);
        const Variant value = lb->GetValue(0, c.column);
        EXPECT_EQ(value.GetType(), c.value.GetType()) << c.typed;
        EXPECT_EQ(value.ToString(), c.value.ToString()) << c.typed;
        EXPECT_EQ(lb->Cell(0, c.column), c.text) << c.typed;
        EXPECT_EQ(log, c.log) << c.typed;
        EXPECT_EQ(lb->CellType(0, c.column), 3) << c.typed;
    }
    EXPECT_EQ(lastCurrency, Variant(1234.5678).ToCurrency());
}

TEST_F(Editing, DateTimeEditShowsTheMessageForUnreadableText) {
    const std::string before = lb->Cell(0, kDateTime);
    auto message = fw::testing::ExpectMessageBox();
    Edit(0, kDateTime, "2011-05-15 14:30:00", "no date");
    EXPECT_TRUE(message->answered);
    EXPECT_EQ(message->text, "Could not convert the date/time expression entered.");
    EXPECT_EQ(lb->Cell(0, kDateTime), before);
    EXPECT_EQ(lb->GetValue(0, kDateTime).ToDouble(), NewDate(2011, 5, 15, 14, 30)->TotalSeconds());

    const fw::DatePtr typed = NewDate(2012, 1, 2, 3, 4, 5);
    Edit(0, kDateTime, "2011-05-15 14:30:00", "2012-01-02 03:04:05");
    EXPECT_EQ(lb->GetValue(0, kDateTime).GetType(), Variant::Type::Double);
    EXPECT_EQ(lb->GetValue(0, kDateTime).ToDouble(), typed->TotalSeconds());
    EXPECT_EQ(lb->Cell(0, kDateTime), TA::FormattedDate(*lb, typed, lb->DateTimeFormat));
    EXPECT_NE(lb->Cell(0, kDateTime), before);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(lb->CellType(0, kDateTime), 3);
}

TEST_F(Editing, DateCellThroughTheCalendar) {
    for (const Int32 day : {20, 15}) {
        log.clear();
        fw::DatePtr pickerDate;
        fw::testing::OnNextModalWindow([&](fw::Window& window) {
            auto& cal = dynamic_cast<wCal&>(window);
            pickerDate = wCalTestAccess::IntDate(cal);
            ListView grid{cal.lbCal()};
            for (Int32 r = 0; r < cal.lbCal().ListCount(); ++r) {
                for (Int32 c = 0; c < cal.lbCal().ColumnCount(); ++c) {
                    if (cal.lbCal().Cell(r, c) == fw::Str(day)) {
                        grid.DoubleClick(grid.Centre(r, c));
                        return;
                    }
                }
            }
            ADD_FAILURE() << "no day " << day;
            window.Close();
        });
        View().Click(View().Centre(0, kDate));
        EXPECT_TRUE(fw::testing::WaitForModalAnswers());
        const fw::DatePtr expected = NewDate(2011, 5, day);
        EXPECT_EQ(lb->GetValue(0, kDate).GetType(), Variant::Type::Double);
        EXPECT_EQ(lb->GetValue(0, kDate).ToDouble(), expected->TotalSeconds());
        EXPECT_EQ(lb->Cell(0, kDate), TA::FormattedDate(*lb, expected, lb->DateFormat));
        EXPECT_EQ(log, std::vector<std::string>{"Date " + expected->SQLDateTime() + " 0 7"});
        ASSERT_NE(lastDate, nullptr);
        EXPECT_NE(lastDate, pickerDate);
        EXPECT_EQ(lb->CellType(0, kDate), 0);
    }
}

TEST_F(Editing, TimeCellThroughTheTimeWindow) {
    struct Case {
        bool ok;
        Int32 hour;
        fw::DatePtr expected;
    };
    // Cancel gives back the time the cell had, whatever the pop-ups show.
    const Case cases[] = {{true, 9, NewDate(2011, 5, 15, 9, 5, 0)},
                          {false, 1, NewDate(2011, 5, 15, 9, 5, 0)}};
    for (const Case& c : cases) {
        log.clear();
        fw::testing::OnNextModalWindow([&](fw::Window& window) {
            auto& tim = dynamic_cast<wTim&>(window);
            tim.puHour().ListIndex(c.hour);
            tim.puMin().ListIndex(5);
            tim.puSec().ListIndex(0);
            QTest::mouseClick(c.ok ? tim.btnOK().NativeButton() : tim.btnCancel().NativeButton(),
                              Qt::LeftButton);
            Settle();
        });
        View().Click(View().Centre(0, kTime));
        EXPECT_TRUE(fw::testing::WaitForModalAnswers());
        EXPECT_EQ(lb->GetValue(0, kTime).GetType(), Variant::Type::Double);
        EXPECT_EQ(lb->GetValue(0, kTime).ToDouble(), c.expected->TotalSeconds());
        EXPECT_EQ(lb->Cell(0, kTime), TA::FormattedTime(*lb, c.expected, lb->TimeFormat));
        EXPECT_EQ(log, std::vector<std::string>{"Time " + c.expected->SQLDateTime() + " 0 8"});
    }
}

TEST_F(Editing, DoubleClickReportsTheCellUnderTheMouse) {
    EXPECT_EQ(window->Left(), 50);
    EXPECT_EQ(window->Top(), 70);
    for (Int32 row : {1, 3}) {
        log.clear();
        View().DoubleClick(View().Centre(row, kFixedString));
        EXPECT_EQ(log, std::vector<std::string>{"DoubleClick " + fw::Str(row) + " 9"});
    }
    // Below the rows there is no row.
    log.clear();
    const QPoint cell = View().Centre(3, kFixedString);
    View().DoubleClick(QPoint(cell.x(), lb->Height() - 10));
    EXPECT_EQ(log, std::vector<std::string>{"DoubleClick -1 9"});
    // The heading raises no double click at all.
    log.clear();
    View().DoubleClick(QPoint(cell.x(), 5));
    EXPECT_EQ(log, std::vector<std::string>{});
}

TEST_F(Editing, WithoutHandlersTheValuesAreStillStored) {
    auto fresh = std::make_shared<HostWindow>();
    fresh->Constructor();
    auto& l = fresh->ControlAs<TambrelListBox>("lb1");
    Settle();
    ListView view{l};
    view.Click(view.Centre(0, kInteger));
    ASSERT_NE(view.Editor(), nullptr);
    QTest::keyClicks(view.Editor(), "42");
    QTest::keyClick(view.Editor(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(l.GetValue(0, kInteger).ToDouble(), 42.0);
    fw::testing::AnswerNextPopupMenu(0);
    view.Click(view.Centre(0, kDrop));
    EXPECT_EQ(l.GetValue(0, kDrop).ToString(), "Red");
    fresh->Close();
    Settle();
}

// The demonstration window's handlers see the stored state and answer with their messages.
TEST(DemonstrationEditing, EndToEnd) {
    Initialize();
    std::shared_ptr<Window1> window = Window1::Instance();
    ASSERT_NE(window, nullptr);
    TambrelListBox& lb = window->lb1();
    // Wide enough to show every column.
    window->Width(1800);
    Settle();
    ListView view{lb};

    // A drop-down choice other than "Six" is copied into the text column; "Six" puts
    // 9 February 1980 into the date column.
    fw::testing::AnswerNextPopupMenu(1);
    view.Click(view.Centre(0, 5));
    EXPECT_EQ(lb.Cell(0, 5), "Two");
    EXPECT_EQ(lb.Cell(0, 2), "Two");
    fw::testing::AnswerNextPopupMenu(6);
    view.Click(view.Centre(0, 5));
    EXPECT_EQ(lb.Cell(0, 2), "Two");
    EXPECT_EQ(lb.Cell(0, 7), TA::FormattedDate(lb, NewDate(1980, 2, 9), lb.DateFormat));
    EXPECT_EQ(fw::testing::PendingModalAnswers(), 0);

    // The check box's text follows its state.
    view.Click(view.Centre(1, 4));
    EXPECT_EQ(lb.Cell(1, 4), "Checked");
    view.Click(view.Centre(1, 4));
    EXPECT_EQ(lb.Cell(1, 4), "No!");

    auto type = [&](Int32 row, Int32 column, const char* text) {
        view.Click(view.Centre(row, column));
        QLineEdit* editor = view.Editor();
        ASSERT_NE(editor, nullptr) << column;
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
    };
    auto message = fw::testing::ExpectMessageBox();
    type(1, 2, "hello there");
    EXPECT_EQ(message->text, "New Text hello there");
    message = fw::testing::ExpectMessageBox();
    type(1, 3, "12.5");
    EXPECT_EQ(message->text.rfind("New Currency ", 0), 0u) << message->text;
    EXPECT_EQ(lb.GetValue(1, 3).ToDouble(), 12.5);

    // A date-time text it cannot read gets the list box's own message only.
    message = fw::testing::ExpectMessageBox();
    type(1, 9, "never");
    EXPECT_EQ(message->text, "Could not convert the date/time expression entered.");

    message = fw::testing::ExpectMessageBox();
    fw::testing::OnNextModalWindow([](fw::Window& w) {
        QTest::mouseClick(dynamic_cast<wTim&>(w).btnCancel().NativeButton(), Qt::LeftButton);
        Settle();
    });
    view.Click(view.Centre(1, 8));
    EXPECT_TRUE(fw::testing::WaitForModalAnswers());
    EXPECT_EQ(message->text.rfind("New Time ", 0), 0u) << message->text;

    message = fw::testing::ExpectMessageBox();
    view.DoubleClick(view.Centre(2, 6));
    EXPECT_TRUE(fw::testing::WaitForModalAnswers());
    EXPECT_EQ(message->text, "2|6");
    window->Close();
    Settle();
}

} // namespace
