#include "app/Window1.h"

#include "app/MenuBar1.h"
#include "app/Streams.h"
#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/PropertyStream.h"
#include "framework/core/Random.h"
#include "framework/ui/MsgBox.h"

using fw::Int32;

namespace {

constexpr std::string_view kChoices = "One,Two,Three,Four,Five,-,Six,-,Seven,Eight";

// The messages' patterns end in a backslash and a blank, unlike the control's own
// CurrencyFormat, which ends in the backslash.
constexpr std::string_view kCurrencyMessagePattern = "#,0.00;(#,0.00);\\ ";
constexpr std::string_view kNumberMessagePattern = "#,0.00000;(#,0.00000);\\ ";
static_assert(kCurrencyMessagePattern.size() == 18);
static_assert(kNumberMessagePattern.size() == 24);

} // namespace

std::shared_ptr<Window1> Window1::Instance() {
    return fw::ImplicitInstance<Window1>("Window1.Window1");
}

void Window1::RegisterClass() {
    fw::ClassRegistry::Instance().Register(fw::ClassInfo{"Window1.Window1", "Window", {}});
}

void Window1::Layout() {
    MenuBar(MenuBar1::Instance());
    fw::_SetProperties(*this, kWindow1Stream);
}

void Window1::CreateControls() {
    _CreateControls0();
}

void Window1::_CreateControls0() {
    std::unique_ptr<TambrelListBox> made = __New<TambrelListBox>();
    TambrelListBox& control = *made;
    _AddControl("lb1", std::move(made));
    control.TextSize(11.0);
    control.TextUnit(fw::FontUnits::Default);
    fw::_SetProperties(control, kLb1Stream);

    control.CellDropDownChanged.Bind(this, &Window1::lb1_CellDropDownChanged,
                                     "( TambrelListBox, Int32, Int32, String )");
    control.CellCheckBoxStateChange.Bind(this, &Window1::lb1_CellCheckBoxStateChange,
                                         "( TambrelListBox, Int32, Int32, Boolean )");
    control.CellCurrencyChanged.Bind(this, &Window1::lb1_CellCurrencyChanged,
                                     "( TambrelListBox, Currency, Int32, Int32 )");
    control.CellNumberChanged.Bind(this, &Window1::lb1_CellNumberChanged,
                                   "( TambrelListBox, Double, Int32, Int32 )");
    control.CellIntegerChanged.Bind(this, &Window1::lb1_CellIntegerChanged,
                                    "( TambrelListBox, Int32, Int32, Int32 )");
    control.CellTextChanged.Bind(this, &Window1::lb1_CellTextChanged,
                                 "( TambrelListBox, String, Int32, Int32 )");
    control.CellDateChanged.Bind(this, &Window1::lb1_CellDateChanged,
                                 "( TambrelListBox, Date, Int32, Int32 )");
    control.CellTimeChanged.Bind(this, &Window1::lb1_CellTimeChanged,
                                 "( TambrelListBox, Date, Int32, Int32 )");
    control.DoubleClick.Bind(this, &Window1::lb1_DoubleClick, "( TambrelListBox, Int32, Int32 )");
}

TambrelListBox& Window1::lb1() {
    return ControlAs<TambrelListBox>("lb1");
}

void Window1::lb1_CellDropDownChanged(TambrelListBox& listBox, Int32 row, Int32 column,
                                      std::string value) {
    if (value == "Six") {
        listBox.UpdateValue(row, 7, std::make_shared<fw::Date>(1980, 2, 9, 0, 0, 0));
    } else {
        // An empty cell's pop-up left without a choice has nothing to copy: the row's text
        // stays.
        std::string chosen = listBox.GetValue(row, column).ToString();
        if (!chosen.empty()) {
            listBox.UpdateValue(row, 2, chosen);
        }
    }
}

void Window1::lb1_CellCheckBoxStateChange(TambrelListBox& listBox, Int32 row, Int32 column,
                                          bool value) {
    listBox.Cell(row, column, value ? "Checked" : "No!");
}

void Window1::lb1_CellCurrencyChanged(TambrelListBox&, fw::Currency value, Int32, Int32) {
    fw::MsgBox("New Currency " + fw::Format(value.ToDouble(), kCurrencyMessagePattern));
}

void Window1::lb1_CellNumberChanged(TambrelListBox&, double value, Int32, Int32) {
    fw::MsgBox("New Number " + fw::Format(value, kNumberMessagePattern));
}

void Window1::lb1_CellIntegerChanged(TambrelListBox&, Int32 value, Int32, Int32) {
    fw::MsgBox("New Integer " + fw::Format(static_cast<double>(value), "-000000"));
}

void Window1::lb1_CellTextChanged(TambrelListBox&, std::string value, Int32, Int32) {
    fw::MsgBox("New Text " + value);
}

void Window1::lb1_CellDateChanged(TambrelListBox&, fw::DatePtr value, Int32, Int32) {
    if (value == nullptr) {
        throw fw::NilObjectException("CellDateChanged came without a date");
    }
    fw::MsgBox("New Date " + value->LongDate());
}

void Window1::lb1_CellTimeChanged(TambrelListBox&, fw::DatePtr value, Int32, Int32) {
    if (value == nullptr) {
        throw fw::NilObjectException("CellTimeChanged came without a date");
    }
    fw::MsgBox("New Time " + value->LongTime());
}

void Window1::lb1_DoubleClick(TambrelListBox&, Int32 row, Int32 column) {
    fw::MsgBox(fw::Str(row) + "|" + fw::Str(column));
}

fw::MenuItemPtr Window1::MenuItemNamed(const std::string& name) const {
    std::shared_ptr<fw::MenuBar> bar = MenuBar();
    if (bar == nullptr) {
        throw fw::NilObjectException("The window has no menu bar");
    }
    return bar->_Lookup(name);
}

fw::MenuItemPtr Window1::EditMenu() {
    return MenuItemNamed("EditMenu");
}
fw::MenuItemPtr Window1::EditSelectAll() {
    return MenuItemNamed("EditSelectAll");
}
fw::MenuItemPtr Window1::UntitledMenu0() {
    return MenuItemNamed("UntitledMenu0");
}
fw::MenuItemPtr Window1::EditClear() {
    return MenuItemNamed("EditClear");
}
fw::MenuItemPtr Window1::EditPaste() {
    return MenuItemNamed("EditPaste");
}
fw::MenuItemPtr Window1::EditCopy() {
    return MenuItemNamed("EditCopy");
}
fw::MenuItemPtr Window1::EditCut() {
    return MenuItemNamed("EditCut");
}
fw::MenuItemPtr Window1::UntitledMenu1() {
    return MenuItemNamed("UntitledMenu1");
}
fw::MenuItemPtr Window1::EditUndo() {
    return MenuItemNamed("EditUndo");
}
fw::MenuItemPtr Window1::FileMenu() {
    return MenuItemNamed("FileMenu");
}

std::shared_ptr<fw::QuitMenuItem> Window1::FileQuit() {
    return std::dynamic_pointer_cast<fw::QuitMenuItem>(MenuItemNamed("FileQuit"));
}

void Window1::Event_Open() {
    lb1().Reset();
    for (Int32 i = 1; i <= 250; ++i) {
        lb1().NewRow();
        lb1().SetValue(0, i);
        lb1().SetValue(1, i);
        lb1().SetValue(2, "This is a long string, " + fw::Str(i));
        // The integer is negated before the random part is added: -3 + Rnd() for i = 3.
        double amount = (i % 3 == 0) ? -i + fw::Rnd() : i + fw::Rnd();
        lb1().SetValue(3, amount);
        lb1().SetValue(4, "Bye!");
        lb1().SetDropDownList(lb1().LastIndex(), 5, std::string(kChoices));
        if (i % 8 == 0) {
            lb1().SetValue(5, "Six");
        }
        lb1().SetValue(6, "Something here.");
        // The three cells of a row share one Date.
        auto now = std::make_shared<fw::Date>();
        lb1().SetValue(7, now);
        lb1().SetValue(8, now);
        lb1().SetValue(9, now);
    }
    for (Int32 j = 0; j <= lb1().ListCount() - 1; ++j) {
        lb1().SetPBMaxValue(j, 10, 170.0);
        lb1().UpdateValue(j, 10, fw::Rnd() * 170.0);
    }
    lb1().ResizeColumns();
}

void Window1::Event_Resized() {
    lb1().ResizeColumns();
}
