// The control's editing of cells: the click that opens an editor, a picker or the choices,
// the end of an edit, and the change events they raise.
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Text.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/MsgBox.h"
#include "framework/ui/Screen.h"
#include "framework/ui/Window.h"
#include "listbox/NumberEntry.h"
#include "listbox/TambrelListBox.h"
#include "listbox/TambrelListBoxShared.h"
#include "pickers/wCal.h"
#include "pickers/wTim.h"

using fw::Color;
using fw::Format;
using fw::Int32;
using fw::Str;
using fw::Trim;
using fw::Variant;
using namespace tambrel_listbox_detail;

// ---------------------------------------------------------------------------------------------
// Editing and change events

bool TambrelListBox::Event_CellClick(Int32 row, Int32 column, Int32, Int32) {
    const Int32 kind = KindOf(column);
    if (kind == KindDropDown) {
        // Whatever goes wrong here, a missing list included, the click just ends: what was
        // stored so far stays.
        try {
            const std::string list = DropList.At(row, column);
            PopUpCellChoices(row, column, list);
            CellTag(row, column, Variant(Cell(row, column)));
            if (CellDropDownChanged.IsBound()) {
                CellDropDownChanged.Raise(*this, row, column, Cell(row, column));
            }
        } catch (...) {
        }
        return true;
    }
    if (column < 0 || column >= static_cast<Int32>(ColEdit.size()) ||
        !ColEdit[static_cast<std::size_t>(column)]) {
        return false;
    }
    auto valueAsDate = [&] {
        auto d = std::make_shared<fw::Date>();
        d->TotalSeconds(CellTag(row, column).ToDouble());
        return d;
    };
    std::string editing;
    switch (kind) {
    case KindCurrency:
        editing = Str(CellTag(row, column).ToDouble(), "-#.####");
        break;
    case KindInteger:
        editing = Str(CellTag(row, column).ToDouble(), "-#");
        break;
    case KindNumber:
        editing = Str(CellTag(row, column).ToDouble(), "-#.########");
        break;
    case KindString:
        editing = CellTag(row, column).ToString();
        break;
    case KindDateTime:
        editing = IsNoDate(CellTag(row, column)) ? "" : valueAsDate()->SQLDateTime();
        break;
    case KindDate:
    case KindTime: {
        fw::DatePtr d = valueAsDate();
        fw::DatePtr picked = kind == KindDate ? wCal::Instance()->GetDate(d, Color(0xFFFFFF), 0, 0)
                                              : wTim::Instance()->GetTime(d, Color(0xFFFFFF), 0, 0);
        if (!picked) {
            throw fw::NilObjectException("The picker returned no date");
        }
        // The picker's Date stays the picker's: the control keeps its own.
        d->TotalSeconds(picked->TotalSeconds());
        CellTag(row, column, Variant(d->TotalSeconds()));
        if (kind == KindDate) {
            Cell(row, column, FormattedDate(d, DateFormat));
            if (CellDateChanged.IsBound()) {
                CellDateChanged.Raise(*this, d, row, column);
            }
        } else {
            Cell(row, column, FormattedTime(d, TimeFormat));
            if (CellTimeChanged.IsBound()) {
                CellTimeChanged.Raise(*this, d, row, column);
            }
        }
        return true;
    }
    default:
        return false;
    }
    m_editStart = EditStart{row, column, Cell(row, column), CellType(row, column)};
    Cell(row, column, editing);
    CellType(row, column, 3);
    EditCell(row, column);
    return true;
}

void TambrelListBox::Event_CellAction(Int32 row, Int32 column) {
    std::optional<EditStart> start;
    if (m_editStart && m_editStart->row == row && m_editStart->column == column) {
        start = std::move(m_editStart);
        m_editStart.reset();
    }
    if (start && start->cancelled) {
        Cell(row, column, start->text);
        CellType(row, column, start->type);
        return;
    }
    switch (KindOf(column)) {
    case KindCheckBox:
        CellTag(row, column,
                Variant(CellState(row, column) == fw::CheckBox::CheckedStates::Checked));
        if (CellCheckBoxStateChange.IsBound()) {
            CellCheckBoxStateChange.Raise(*this, row, column, CellTag(row, column).ToBoolean());
        }
        break;
    case KindString:
        CellTag(row, column, Variant(Cell(row, column)));
        if (CellTextChanged.IsBound()) {
            CellTextChanged.Raise(*this, Cell(row, column), row, column);
        }
        break;
    case KindCurrency:
    case KindInteger:
    case KindNumber: {
        const Int32 kind = KindOf(column);
        const std::string& pattern = kind == KindCurrency  ? CurrencyFormat
                                     : kind == KindInteger ? IntegerFormat
                                                           : NumberFormat;
        const NumberRange range = kind == KindCurrency  ? NumberRange::Currency
                                  : kind == KindInteger ? NumberRange::Int32
                                                        : NumberRange::Double;
        const std::optional<double> read = ReadNumberEntry(Cell(row, column), pattern, range);
        if (!read) {
            Cell(row, column,
                 start ? start->text : Format(CellTag(row, column).ToDouble(), pattern));
            fw::MsgBox("Could not convert the number entered.");
            break;
        }
        const double value = *read;
        CellTag(row, column, Variant(value));
        Cell(row, column, Format(value, pattern));
        if (kind == KindCurrency) {
            if (CellCurrencyChanged.IsBound()) {
                CellCurrencyChanged.Raise(*this, CellTag(row, column).ToCurrency(), row, column);
            }
        } else if (kind == KindInteger) {
            if (CellIntegerChanged.IsBound()) {
                CellIntegerChanged.Raise(*this, CellTag(row, column).ToInt32(), row, column);
            }
        } else if (CellNumberChanged.IsBound()) {
            CellNumberChanged.Raise(*this, CellTag(row, column).ToDouble(), row, column);
        }
        break;
    }
    case KindDateTime: {
        // Nothing typed into an empty cell leaves it empty without a word.
        if (IsNoDate(CellTag(row, column)) && Trim(Cell(row, column)).empty()) {
            Cell(row, column, "");
            break;
        }
        auto d = std::make_shared<fw::Date>();
        try {
            d->SQLDateTime(Cell(row, column));
            CellTag(row, column, Variant(d->TotalSeconds()));
            Cell(row, column, FormattedDate(d, DateTimeFormat));
        } catch (const fw::UnsupportedFormatException&) {
            fw::MsgBox("Could not convert the date/time expression entered.");
            if (IsNoDate(CellTag(row, column))) {
                Cell(row, column, "");
            } else {
                d->TotalSeconds(CellTag(row, column).ToDouble());
                Cell(row, column, FormattedDate(d, DateTimeFormat));
            }
        }
        break;
    }
    default:
        break;
    }
}

void TambrelListBox::Event_DoubleClick() {
    // The double click carries no position: the mouse on the screen, less the window's
    // content area and the list's place in it, is the point in the list. Off the cells (the
    // heading, below the rows) a coordinate is -1.
    Int32 x = fw::System::MouseX() - Left();
    Int32 y = fw::System::MouseY() - Top();
    if (fw::Window* window = Window()) {
        x -= window->Left();
        y -= window->Top();
    }
    const Int32 row = RowFromXY(x, y);
    const Int32 column = ColumnFromXY(x, y);
    if (DoubleClick.IsBound()) {
        DoubleClick.Raise(*this, row, column);
    }
}

void TambrelListBox::PopUpCellChoices(Int32 row, Int32 column, const std::string& list) {
    auto root = std::make_shared<fw::MenuItem>();
    const std::string current = Cell(row, column);
    for (const std::string& entry : fw::Split(list, ",")) {
        auto item = std::make_shared<fw::MenuItem>(entry);
        if (entry != "-" && entry == current) {
            item->Checked(true);
        }
        root->Append(item);
    }
    fw::MenuItemPtr chosen = root->PopUp();
    if (chosen) {
        Cell(row, column, chosen->Text());
        CellTag(row, column, Variant(chosen->Text()));
    }
}
