#include "listbox/TambrelListBox.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Text.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Picture.h"
#include "framework/ui/TextWidthModel.h"
#include "listbox/ColumnMeasure.h"
#include "listbox/DatePatterns.h"
#include "listbox/TambrelListBoxShared.h"

#include <algorithm>
#include <limits>

using fw::Color;
using fw::Format;
using fw::Graphics;
using fw::Int32;
using fw::Picture;
using fw::ReplaceAll;
using fw::ToInt32;
using fw::Trim;
using fw::Uppercase;
using fw::Variant;
using namespace tambrel_listbox_detail;

namespace {

void UseFontOf(Graphics& g, const fw::Listbox& list, bool withStyle) {
    g.TextFont(list.TextFont());
    g.TextSize(list.TextSize());
    g.Bold(list.Bold());
    if (withStyle) {
        g.Italic(list.Italic());
        g.Underline(list.Underline());
    }
}

// The column alignment a ColAlignment entry's first letter asks for; nothing for a letter
// that asks for none, which leaves the column as it is.
std::optional<Int32> ColumnAlignmentOfLetter(const std::string& letter) {
    if (letter == "F") {
        return fw::ListAlignment::Default;
    }
    if (letter == "L") {
        return fw::ListAlignment::Left;
    }
    if (letter == "C") {
        return fw::ListAlignment::Center;
    }
    if (letter == "R") {
        return fw::ListAlignment::Right;
    }
    if (letter == "D") {
        return fw::ListAlignment::Decimal;
    }
    return std::nullopt;
}

} // namespace

void TambrelListBox::RegisterClass() {
    using fw::Property;
    using T = TambrelListBox;
    using S = std::string;
    fw::ClassInfo info{"TambrelListBox", "Listbox", {}};
    info.properties = {
        Property<T, Int32>("TableType", [](T& t, Int32 v) { t.TableType = v; }),
        Property<T, S>("ColAlignment", [](T& t, const S& v) { t.ColAlignment = v; }),
        Property<T, Color>("BackColor", [](T& t, Color v) { t.BackColor = v; }),
        Property<T, Color>("HighlightColor", [](T& t, Color v) { t.HighlightColor = v; }),
        Property<T, Color>("TextColor", [](T& t, Color v) { t.TextColor = v; }),
        Property<T, S>("ColumnTypes", [](T& t, const S& v) { t.ColumnTypes = v; }),
        Property<T, S>("IntegerFormat", [](T& t, const S& v) { t.IntegerFormat = v; }),
        Property<T, S>("CurrencyFormat", [](T& t, const S& v) { t.CurrencyFormat = v; }),
        Property<T, S>("NumberFormat", [](T& t, const S& v) { t.NumberFormat = v; }),
        Property<T, S>("DateFormat", [](T& t, const S& v) { t.DateFormat = v; }),
        Property<T, Color>("AlternateColor", [](T& t, Color v) { t.AlternateColor = v; }),
        Property<T, Color>("BoxColor", [](T& t, Color v) { t.BoxColor = v; }),
        Property<T, S>("TimeFormat", [](T& t, const S& v) { t.TimeFormat = v; }),
        Property<T, S>("DateTimeFormat", [](T& t, const S& v) { t.DateTimeFormat = v; }),
        Property<T, Color>("ProgBarColor", [](T& t, Color v) { t.ProgBarColor = v; }),
        Property<T, S>("HideColumns", [](T& t, const S& v) { t.HideColumns = v; }),
    };
    fw::ClassRegistry::Instance().Register(std::move(info));
}

// ---------------------------------------------------------------------------------------------
// Handled list box events

void TambrelListBox::Event_Open() {
    NotOpen = false;
    SetupDaysMonths("E");
    Reset();
    if (Open.IsBound()) {
        Open.Raise(*this);
    }
}

void TambrelListBox::Event_CellGotFocus(Int32, Int32) {}
void TambrelListBox::Event_CellLostFocus(Int32, Int32) {}
bool TambrelListBox::Event_CellKeyDown(Int32 row, Int32 column, std::string key) {
    // Escape makes the framework end the edit with the text the editor opened on, and the
    // end of the edit then puts the cell back instead of reading that text.
    if (key == "\x1b") {
        if (!m_editStart || m_editStart->row != row || m_editStart->column != column) {
            m_editStart = EditStart{row, column, Cell(row, column), CellType(row, column)};
        }
        m_editStart->cancelled = true;
    }
    return false;
}
void TambrelListBox::Event_CollapseRow(Int32) {}
void TambrelListBox::Event_ExpandRow(Int32) {}
void TambrelListBox::Event_GotFocus() {}
void TambrelListBox::Event_LostFocus() {}
bool TambrelListBox::Event_KeyDown(std::string) {
    return false;
}
void TambrelListBox::Event_KeyUp(std::string) {}
bool TambrelListBox::Event_MouseDown(Int32, Int32) {
    return false;
}
void TambrelListBox::Event_MouseDrag(Int32, Int32) {}
void TambrelListBox::Event_MouseEnter() {}
void TambrelListBox::Event_MouseExit() {}
void TambrelListBox::Event_MouseMove(Int32, Int32) {}
void TambrelListBox::Event_MouseUp(Int32, Int32) {}
bool TambrelListBox::Event_MouseWheel(Int32, Int32, Int32, Int32) {
    return false;
}
bool TambrelListBox::Event_CompareRows(Int32, Int32, Int32, Int32&) {
    return false;
}
bool TambrelListBox::Event_ConstructContextualMenu(fw::MenuItem&, Int32, Int32) {
    return false;
}
bool TambrelListBox::Event_ContextualMenuAction(fw::MenuItem&) {
    return false;
}
bool TambrelListBox::Event_DragEnter(fw::DragItem&, Int32) {
    return false;
}
void TambrelListBox::Event_DragExit(fw::DragItem&, Int32) {}
bool TambrelListBox::Event_DragOver(Int32, Int32, fw::DragItem&, Int32) {
    return false;
}
bool TambrelListBox::Event_DragReorderRows(Int32, Int32) {
    return false;
}
bool TambrelListBox::Event_DragRow(fw::DragItem&, Int32) {
    return false;
}
void TambrelListBox::Event_DropObject(fw::DragItem&, Int32) {}
void TambrelListBox::Event_EnableMenuItems() {}
void TambrelListBox::Event_CellTextChange(Int32, Int32) {}

// ---------------------------------------------------------------------------------------------
// Column sizing

void TambrelListBox::ResizeColumns() {
    if (NotOpen) {
        return;
    }
    const Int32 columns = ColumnCount();
    std::vector<Int32> measured(static_cast<std::size_t>(std::max(columns, 0)), 0);
    std::vector<bool> hidden(measured.size(), false);

    // A column that has no kind since the last Reset is not measured.
    std::vector<TextColumn> texts;
    for (Int32 c = 0; c < columns; ++c) {
        hidden[static_cast<std::size_t>(c)] = Column(c).WidthActual() == 0;
        if (c >= static_cast<Int32>(ColType.size()) || hidden[static_cast<std::size_t>(c)]) {
            continue;
        }
        const Int32 kind = ColType[static_cast<std::size_t>(c)];
        if (kind == KindProgressBar) {
            measured[static_cast<std::size_t>(c)] = 75;
            continue;
        }
        const double extra = kind == KindCheckBox ? 29 : kind == KindDropDown ? 32 : 14;
        texts.push_back({c, extra, Heading(c)});
    }

    Picture picture(20, 20, 32);
    Graphics& g = picture.Graphics();
    UseFontOf(g, *this, true);
    fw::TextWidthModel model(g);
    const TextChanges changes = TakeTextChanges();
    const std::vector<Int32> widths = m_measurer.Widths(
        g.MeasuringKey(), texts, ListCount(),
        [this](Int32 r, Int32 c) { return CellTextView(r, c); },
        [this](Int32 r, std::span<const Int32> c, std::string_view* out) {
            RowTextViews(r, c, out);
        },
        changes.everything, changes.cells, model);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        measured[static_cast<std::size_t>(texts[i].column)] = widths[i];
    }

    const ColumnWidthsPlan plan = PlanColumnWidths(measured, hidden, ScrollBarVertical(), Width());
    ColumnWidths(plan.widths);
    if (plan.horizontalScrollBar) {
        ScrollBarHorizontal(true);
    }
}

// ---------------------------------------------------------------------------------------------
// Column set-up

void TambrelListBox::SetColumnOrientation() {
    std::vector<std::string> entries = fw::Split(ColAlignment, ",");
    for (std::string& entry : entries) {
        entry = Trim(Uppercase(entry));
        if (entry.empty()) {
            entry = "F";
        }
    }
    const Int32 columns = ColumnCount();
    entries.resize(static_cast<std::size_t>(std::max(columns, 0)), "L");

    for (Int32 i = 0; i < columns; ++i) {
        if (KindOf(i) == KindDropDown) {
            ColumnAlignment(i, fw::ListAlignment::Center);
            continue;
        }
        const std::string& entry = entries[static_cast<std::size_t>(i)];
        const std::optional<Int32> alignment = ColumnAlignmentOfLetter(fw::Left(entry, 1));
        if (!alignment) {
            continue;
        }
        ColumnAlignment(i, *alignment);
        if (*alignment == fw::ListAlignment::Decimal) {
            const Int32 n = ToInt32(fw::Val(fw::Right(entry, fw::Len(entry) - 1)));
            Picture picture(10, 10, 32);
            Graphics& g = picture.Graphics();
            UseFontOf(g, *this, false);
            const Int32 w8 = ToInt32(g.StringWidth("8"));
            // Absurd digit counts saturate instead of overflowing.
            const fw::Int64 offset = -(static_cast<fw::Int64>(n) * w8) - 4;
            ColumnAlignmentOffset(i, static_cast<Int32>(std::clamp<fw::Int64>(
                                         offset, std::numeric_limits<Int32>::min(),
                                         std::numeric_limits<Int32>::max())));
        }
    }
}

void TambrelListBox::SetInitialValue() {
    InitialValue(ReplaceAll(InitialValue(), ",", fw::Chr(9)));
}

void TambrelListBox::SetDefaultRowHeight() {
    if (DefaultRowHeight() != -1) {
        return;
    }
    Picture picture(20, 20, 32);
    Graphics& g = picture.Graphics();
    UseFontOf(g, *this, true);
    Int32 h = g.TextHeight();
    if (TableType == 0) {
        h += 6;
    } else if (HasFramedCells(TableType)) {
        h += 12;
    }
    for (Int32 kind : ColType) {
        if (kind == KindProgressBar) {
            h += 4;
            break;
        }
    }
    DefaultRowHeight(std::max<Int32>(1, h));
}

void TambrelListBox::SetColumnTypes() {
    ColumnTypes = Uppercase(ColumnTypes);
    std::vector<std::string> entries = fw::Split(ColumnTypes, ",");
    entries.resize(static_cast<std::size_t>(std::max(ColumnCount(), 0)), "S");
    for (std::string& entry : entries) {
        entry = Trim(entry);
    }
    ColType.assign(entries.size(), KindPlain);
    DropOrient.assign(entries.size(), "");
    ColEdit.assign(entries.size(), false);

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        ColEdit[i] = false;
        const std::string first = fw::Left(entry, 1);
        const std::string last = fw::Right(entry, 1);
        Int32 editableKind = -1;
        if (first == "I") {
            editableKind = KindInteger;
        } else if (first == "S") {
            editableKind = KindString;
        } else if (first == "C") {
            editableKind = KindCurrency;
        } else if (first == "N") {
            editableKind = KindNumber;
        } else if (first == "D") {
            ColType[i] = KindDropDown;
            DropOrient[i] = (last == "L" || last == "D") ? "L" : "R";
        } else if (first == "B") {
            ColType[i] = KindCheckBox;
            ColumnType(static_cast<Int32>(i), 2);
        } else if (first == "T") {
            editableKind = KindDate;
        } else if (first == "M") {
            editableKind = KindTime;
        } else if (first == "A") {
            editableKind = KindDateTime;
        } else if (first == "P") {
            ColType[i] = KindProgressBar;
        }
        if (editableKind >= 0) {
            ColType[i] = editableKind;
            ColEdit[i] = last == "E";
        }
    }
}

void TambrelListBox::Reset() {
    ColType.clear();
    DropOrient.clear();
    DropList.Clear();
    ColEdit.clear();
    PBMaxVals.Clear();
    m_editStart.reset();
    DeleteAllRows();
    SetInitialValue();
    SetColumnTypes();
    SetHiddenColumns();
    SetColumnOrientation();
    SetDefaultRowHeight();
}

void TambrelListBox::SetHiddenColumns() {
    const std::vector<std::string> entries = fw::Split(HideColumns, ",");
    for (const std::string& entry : entries) {
        const Int32 index = ToInt32(fw::Val(Trim(entry)));
        Column(index).WidthActual(0);
    }
}

// ---------------------------------------------------------------------------------------------
// Cell values

void TambrelListBox::NewRow() {
    AddRow();
}

void TambrelListBox::SetValue(Int32 column, const Variant& value) {
    TambrelListBox::UpdateValue(LastIndex(), column, value);
}

void TambrelListBox::SetDropDownList(Int32 row, Int32 column, const std::string& list) {
    CheckCell(row, column);
    if (DropList.UBound1() < row) {
        DropList.Redim(row, ColumnCount());
    }
    DropList.Set(row, column, list);
}

Variant TambrelListBox::GetValue(Int32 row, Int32 column) {
    return CellTag(row, column);
}

void TambrelListBox::UpdateValue(Int32 row, Int32 column, const Variant& value) {
    if (column < 0 || column >= static_cast<Int32>(ColType.size())) {
        throw fw::OutOfBoundsException("Column " + std::to_string(column) + " has no kind");
    }
    const Int32 kind = ColType[static_cast<std::size_t>(column)];
    if (kind == KindPlain) {
        return;
    }
    CellTag(row, column, value);
    // The date a value stands for, as a new Date given its seconds would be: a Date itself,
    // whose seconds always read back unchanged, or one on the stack.
    std::optional<fw::Date> made;
    auto dateOf = [&value, &made]() -> const fw::Date& {
        if (const auto* object = value.GetIf<std::shared_ptr<fw::Object>>()) {
            if (const auto* date = dynamic_cast<const fw::Date*>(object->get())) {
                return *date;
            }
        }
        made.emplace(1970, 1, 1);
        made->TotalSeconds(value.ToDouble());
        return *made;
    };
    std::string text;
    const std::string* shown = &text;
    switch (kind) {
    case KindCheckBox:
    case KindDropDown:
    case KindString:
        if (const auto* held = value.GetIf<std::string>()) {
            shown = held; // no copy on the way to the cell
        } else {
            text = value.ToString();
        }
        break;
    case KindCurrency:
        text = Format(value.ToDouble(), CurrencyFormat);
        break;
    case KindInteger:
        text = Format(value.ToDouble(), IntegerFormat);
        break;
    case KindNumber:
        text = Format(value.ToDouble(), NumberFormat);
        break;
    case KindDate:
        text = IsNoDate(value) ? "" : FormattedDate(dateOf(), DateFormat);
        break;
    case KindDateTime:
        text = IsNoDate(value) ? "" : FormattedDate(dateOf(), DateTimeFormat);
        break;
    case KindTime:
        text = IsNoDate(value) ? "" : FormattedTime(dateOf(), TimeFormat);
        break;
    case KindProgressBar:
        text = "P";
        break;
    default:
        return;
    }
    Cell(row, column, *shown);
}

void TambrelListBox::SetPBMaxValue(Int32 row, Int32 column, double max) {
    CheckCell(row, column);
    if (PBMaxVals.UBound1() < row) {
        PBMaxVals.Redim(row, ColumnCount());
    }
    PBMaxVals.Slot(row, column) = max;
}

// ---------------------------------------------------------------------------------------------
// Date and time patterns

std::string TambrelListBox::FormattedDate(const fw::DatePtr& d, const std::string& pattern) {
    if (!d) {
        throw fw::NilObjectException("FormattedDate of a nil Date");
    }
    return FormattedDate(*d, pattern);
}

std::string TambrelListBox::FormattedDate(const fw::Date& d, const std::string& pattern) {
    if (LongMonths.size() < 12) {
        SetupDaysMonths("E");
    }
    return FormatDatePattern(d, pattern, {LongMonths, ShortMonths, LongDayStr, ShortDayStr});
}

void TambrelListBox::SetupDaysMonths(const std::string& language) {
    if (std::optional<DayMonthNames> names = DayMonthNamesOf(language)) {
        LongMonths = std::move(names->longMonths);
        ShortMonths = std::move(names->shortMonths);
        LongDayStr = std::move(names->longDays);
        ShortDayStr = std::move(names->shortDays);
    }
}

std::string TambrelListBox::FormattedTime(const fw::DatePtr& d, const std::string& pattern) {
    if (!d) {
        throw fw::NilObjectException("FormattedTime of a nil Date");
    }
    return FormatTimePattern(*d, pattern);
}

std::string TambrelListBox::FormattedTime(const fw::Date& d, const std::string& pattern) {
    return FormatTimePattern(d, pattern);
}

void TambrelListBox::CheckCell(Int32 row, Int32 column) const {
    if (row < 0 || row >= ListCount() || column < 0 || column >= ColumnCount()) {
        throw fw::OutOfBoundsException("Cell (" + std::to_string(row) + ", " +
                                       std::to_string(column) + ") is not in the list");
    }
}

Int32 TambrelListBox::KindOf(Int32 column) const {
    if (column < 0 || column >= static_cast<Int32>(ColType.size())) {
        return KindPlain;
    }
    return ColType[static_cast<std::size_t>(column)];
}
