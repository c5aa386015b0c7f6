#include "listbox/TambrelListBox.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Text.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/MsgBox.h"
#include "framework/ui/Picture.h"
#include "framework/ui/Screen.h"
#include "framework/ui/Window.h"
#include "listbox/NumberEntry.h"
#include "pickers/wCal.h"
#include "pickers/wTim.h"

#include <cmath>
#include <cstdlib>
#include <limits>

using fw::Color;
using fw::Format;
using fw::Graphics;
using fw::InStr;
using fw::Int32;
using fw::Picture;
using fw::Replace;
using fw::ReplaceAll;
using fw::Str;
using fw::ToInt32;
using fw::Trim;
using fw::Uppercase;
using fw::Variant;

namespace {

constexpr Color kWhite{0xFFFFFF};
constexpr Color kBlack{0x000000};
constexpr Color kArrowLight{0xCCCCCC};
constexpr Color kArrowDark{0x7F7F7F};

// Measured widths are kept for this many distinct texts at most.
constexpr std::size_t kWidthCacheLimit = 1u << 20;

void UseFontOf(Graphics& g, const fw::Listbox& list, bool withStyle) {
    g.TextFont(list.TextFont());
    g.TextSize(list.TextSize());
    g.Bold(list.Bold());
    if (withStyle) {
        g.Italic(list.Italic());
        g.Underline(list.Underline());
    }
}

bool HasFramedCells(Int32 tableType) {
    return tableType == 1 || tableType == 2;
}

// A date, time or date-time cell holding this has no date: it shows and offers nothing.
bool IsNoDate(const Variant& value) {
    return value.IsNil() || (value.GetType() == Variant::Type::String && value.ToString().empty());
}

// A segment table row: the pixels x1 to x2 of row y.
struct Segment {
    Int32 y;
    Int32 x1;
    Int32 x2;
};

void DrawArrowPicture(Graphics& g, Int32 width, Int32 height, Color background,
                      const std::vector<Segment>& light, const std::vector<Segment>& dark, Int32 x,
                      Int32 y) {
    Picture p(width, height, 32);
    Graphics& pg = p.Graphics();
    pg.ForeColor(background);
    pg.FillRect(0, 0, pg.Width(), pg.Height());
    pg.ForeColor(kArrowLight);
    for (const Segment& s : light) {
        pg.DrawLine(s.x1, s.y, s.x2, s.y);
    }
    pg.ForeColor(kArrowDark);
    for (const Segment& s : dark) {
        pg.DrawLine(s.x1, s.y, s.x2, s.y);
    }
    g.DrawPicture(p, x, y);
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

    Picture picture(20, 20, 32);
    Graphics& g = picture.Graphics();
    UseFontOf(g, *this, true);

    WidthCache& cache = m_widthCache;
    std::string font = g.MeasuringKey();
    if (cache.font != font || cache.widths.size() > kWidthCacheLimit) {
        cache.widths.clear();
        cache.cells.clear();
        cache.font = std::move(font);
    }
    auto measure = [&](const std::string& text) -> const std::pair<const std::string, double>& {
        auto found = cache.widths.find(text);
        if (found == cache.widths.end()) {
            found = cache.widths.emplace(text, g.StringWidth(text)).first;
        }
        return *found;
    };

    // The columns to measure and what each adds to a text's width. A column that has no
    // kind since the last Reset is not measured.
    struct Measured {
        Int32 column;
        double extra;
        double widest; // the widest text so far
    };
    std::vector<Measured> texts;
    for (Int32 c = 0; c < columns; ++c) {
        if (c >= static_cast<Int32>(ColType.size()) || Column(c).WidthActual() == 0) {
            continue;
        }
        const Int32 kind = ColType[static_cast<std::size_t>(c)];
        if (kind == KindProgressBar) {
            measured[static_cast<std::size_t>(c)] = 75;
            continue;
        }
        const double extra = kind == KindCheckBox ? 29 : kind == KindDropDown ? 32 : 14;
        texts.push_back({c, extra, measure(Heading(c)).second});
    }

    // Rounding is monotonic, so the widest text gives the widest rounded measure: each column
    // keeps its widest text width and converts once.
    const Int32 rows = ListCount();
    if (cache.cells.size() < static_cast<std::size_t>(columns)) {
        cache.cells.resize(static_cast<std::size_t>(columns));
    }
    for (const Measured& m : texts) {
        cache.cells[static_cast<std::size_t>(m.column)].resize(static_cast<std::size_t>(rows));
    }
    for (Int32 r = 0; r < rows; ++r) {
        for (Measured& m : texts) {
            const std::string text = Cell(r, m.column);
            WidthCache::Seen& seen =
                cache.cells[static_cast<std::size_t>(m.column)][static_cast<std::size_t>(r)];
            if (seen.text == nullptr || *seen.text != text) {
                const auto& entry = measure(text);
                seen.text = &entry.first;
                seen.width = entry.second;
            }
            m.widest = std::max(m.widest, seen.width);
        }
    }
    for (const Measured& m : texts) {
        measured[static_cast<std::size_t>(m.column)] = ToInt32(m.widest + m.extra);
    }

    fw::Int64 total = 0;
    for (Int32 w : measured) {
        total += w;
    }
    if (ScrollBarVertical()) {
        total += 16;
    }

    std::string widths;
    if (total < Width()) {
        for (Int32 c = 0; c < columns; ++c) {
            const bool last = c == columns - 1;
            const bool hidden = Column(c).WidthActual() == 0;
            if (hidden) {
                widths += last ? "0" : "0,";
            } else if (last) {
                widths += "*";
            } else {
                // Only columns without a kind can leave the total at 0.
                const double share =
                    total > 0 ? static_cast<double>(measured[static_cast<std::size_t>(c)]) /
                                    static_cast<double>(total) * 100
                              : 0.0;
                widths += Format(share, "#") + "%,";
            }
        }
        ColumnWidths(widths);
    } else {
        for (Int32 w : measured) {
            widths += Format(static_cast<double>(w), "#") + ",";
        }
        ColumnWidths(fw::Left(widths, fw::Len(widths) - 1));
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
            ColumnAlignment(i, 2);
            continue;
        }
        const std::string& entry = entries[static_cast<std::size_t>(i)];
        const std::string first = fw::Left(entry, 1);
        if (first == "F") {
            ColumnAlignment(i, 0);
        } else if (first == "D") {
            ColumnAlignment(i, 4);
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
        } else if (first == "L") {
            ColumnAlignment(i, 1);
        } else if (first == "R") {
            ColumnAlignment(i, 3);
        } else if (first == "C") {
            ColumnAlignment(i, 2);
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
// Cell painting

bool TambrelListBox::Event_CellBackgroundPaint(Graphics& g, Int32 row, Int32 column) {
    const Color stripe = row % 2 == 0 ? AlternateColor : BackColor;
    g.ForeColor(stripe);
    g.FillRect(0, 0, g.Width(), g.Height());
    if (row < 0 || column < 0 || row >= ListCount() || column >= ColumnCount()) {
        return true;
    }
    const bool selected = Selected(row);
    if (selected) {
        g.ForeColor(HighlightColor);
        g.FillRect(0, 0, g.Width(), g.Height());
    }
    g.ForeColor(BoxColor);
    if (selected) {
        g.ForeColor(OppositeColor(g.ForeColor()));
    }
    if (TableType == 1) {
        g.DrawRoundRect(2, 2, g.Width() - 4, g.Height() - 4, 5, 5);
    } else if (TableType == 2) {
        g.DrawRect(2, 2, g.Width() - 4, g.Height() - 4);
    }

    const Int32 kind = KindOf(column);
    if (kind == KindDropDown) {
        const Color arrowBack = selected ? HighlightColor : stripe;
        if (!Cell(row, column).empty()) {
            DrawRightArrow(g, arrowBack);
            DrawLeftArrow(g, arrowBack);
        } else {
            const auto c = static_cast<std::size_t>(column);
            DrawDownArrow(g, c < DropOrient.size() ? DropOrient[c] : std::string(), arrowBack);
        }
    } else if (kind == KindProgressBar) {
        g.ForeColor(kWhite);
        g.FillRect(4, 4, g.Width() - 8, g.Height() - 8);
        g.ForeColor(selected ? kWhite : kBlack);
        g.DrawRect(4, 4, g.Width() - 8, g.Height() - 8);
    }
    return true;
}

bool TambrelListBox::Event_CellTextPaint(Graphics& g, Int32 row, Int32 column, Int32, Int32) {
    if (row < 0 || row >= ListCount() || column < 0 || column >= ColumnCount()) {
        return false;
    }
    const bool selected = Selected(row);
    g.ForeColor(TextColor);
    if (selected) {
        g.ForeColor(OppositeColor(g.ForeColor()));
    }
    const Int32 alignment = ColumnAlignment(column);
    if (alignment == 4) {
        return false;
    }
    if (KindOf(column) == KindProgressBar) {
        if (row > PBMaxVals.UBound1() || column > PBMaxVals.UBound2()) {
            return true;
        }
        const double v = CellTag(row, column).ToDouble();
        const double m = PBMaxVals.At(row, column);
        double f = v / m;
        if (f > 1) {
            f = 1;
        }
        // A cell without a usable maximum gets an empty well rather than "NaN%".
        if (m == 0 || !std::isfinite(f)) {
            return true;
        }
        g.ForeColor(ProgBarColor);
        const Int32 barWidth = ToInt32((g.Width() - 6) * f);
        if (barWidth > 0 && g.Height() - 10 > 0) {
            g.FillRect(1, 5, barWidth, g.Height() - 10);
        }
        g.ForeColor(TextColor);
        WriteString(g, Str(f * 100, "##0") + "%", 1);
        return true;
    }
    const std::string text = Cell(row, column);
    if (alignment == 0 || alignment == 1) {
        WriteString(g, text, 0);
    } else if (alignment == 2) {
        WriteString(g, text, 1);
    } else if (alignment == 3) {
        WriteString(g, text, 2);
    }
    return true;
}

Color TambrelListBox::OppositeColor(Color colour) {
    return fw::RGB(255 - colour.Red(), 255 - colour.Green(), 255 - colour.Blue());
}

void TambrelListBox::WriteString(Graphics& g, const std::string& text, Int32 alignment) {
    const Int32 y = ToInt32((g.Height() - g.TextHeight()) / 2.0 + g.TextAscent() + 1);
    Int32 x = 0;
    if (alignment == 0) {
        x = HasFramedCells(TableType) ? 3 : 0;
    } else if (alignment == 1) {
        x = ToInt32((g.Width() - g.StringWidth(text)) / 2);
        if (x < 3) {
            x = 3;
        }
    } else if (alignment == 2) {
        x = ToInt32(g.Width() - g.StringWidth(text) - (HasFramedCells(TableType) ? 4 : 2));
        if (x < 3) {
            x = 3;
        }
    }
    g.DrawString(text, x, y, g.Width(), true);
}

// ---------------------------------------------------------------------------------------------
// Drop-down arrows

void TambrelListBox::DrawLeftArrow(Graphics& g, Color colour) {
    std::vector<Segment> light;
    std::vector<Segment> dark;
    for (Int32 y = 0; y <= 12; ++y) {
        light.push_back({y, std::abs(6 - y), 8});
        if (y >= 1 && y <= 11) {
            dark.push_back({y, std::abs(6 - y) + 1, 7});
        }
    }
    DrawArrowPicture(g, 9, 13, colour, light, dark, g.Width() - 16,
                     ToInt32((g.Height() - 13) / 2.0));
}

void TambrelListBox::DrawRightArrow(Graphics& g, Color colour) {
    std::vector<Segment> light;
    std::vector<Segment> dark;
    for (Int32 y = 0; y <= 12; ++y) {
        light.push_back({y, 0, 8 - std::abs(6 - y)});
        if (y >= 1 && y <= 11) {
            dark.push_back({y, 1, 7 - std::abs(6 - y)});
        }
    }
    DrawArrowPicture(g, 9, 13, colour, light, dark, 7, ToInt32((g.Height() - 13) / 2.0));
}

void TambrelListBox::DrawDownArrow(Graphics& g, const std::string& side, Color colour) {
    static const std::vector<Segment> light = {{2, 0, 10}, {3, 0, 10}, {4, 0, 10}, {5, 1, 9},
                                               {6, 2, 8},  {7, 3, 7},  {8, 4, 6},  {9, 5, 5}};
    static const std::vector<Segment> dark = {{3, 1, 9}, {4, 1, 9}, {5, 2, 8},
                                              {6, 3, 7}, {7, 4, 6}, {8, 5, 5}};
    const Int32 x = Uppercase(side) == "L" ? 6 : g.Width() - 17;
    DrawArrowPicture(g, 11, 11, colour, light, dark, x, ToInt32((g.Height() - 11) / 2.0));
}

// ---------------------------------------------------------------------------------------------
// Cell values

void TambrelListBox::NewRow() {
    AddRow(std::vector<std::string>{""});
}

void TambrelListBox::SetValue(Int32 column, const Variant& value) {
    TambrelListBox::UpdateValue(LastIndex(), column, value);
}

void TambrelListBox::SetDropDownList(Int32 row, Int32 column, const std::string& list) {
    CheckCell(row, column);
    if (DropList.UBound1() < row) {
        DropList.Redim(row, ColumnCount());
    }
    DropList.At(row, column) = list;
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
    auto dateOf = [&value] {
        auto d = std::make_shared<fw::Date>();
        d->TotalSeconds(value.ToDouble());
        return d;
    };
    std::string text;
    switch (kind) {
    case KindCheckBox:
    case KindDropDown:
    case KindString:
        text = value.ToString();
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
    Cell(row, column, text);
}

void TambrelListBox::SetPBMaxValue(Int32 row, Int32 column, double max) {
    CheckCell(row, column);
    if (PBMaxVals.UBound1() < row) {
        PBMaxVals.Redim(row, ColumnCount());
    }
    PBMaxVals.At(row, column) = max;
}

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

// ---------------------------------------------------------------------------------------------
// Date and time patterns

std::string TambrelListBox::FormattedDate(const fw::DatePtr& d, const std::string& pattern) {
    if (!d) {
        throw fw::NilObjectException("FormattedDate of a nil Date");
    }
    if (LongMonths.size() < 12) {
        SetupDaysMonths("E");
    }
    std::string text = Uppercase(pattern);
    text = ReplaceAll(text, "Y", "@");
    text = ReplaceAll(text, "M", "£");
    text = ReplaceAll(text, "D", "$");
    text = ReplaceAll(text, "N", "%");
    text = ReplaceAll(text, "H", "^");
    text = ReplaceAll(text, "T", "&");
    text = ReplaceAll(text, "S", "*");
    text = ReplaceAll(text, "AP", "±");

    auto has = [&text](std::string_view token) { return InStr(0, text, token) > 0; };
    auto put = [&text](std::string_view token, const std::string& with) {
        text = Replace(text, token, with);
    };

    Int32 h = d->Hour();
    const bool twelveHour = has("±");
    put("±", h >= 12 ? "pm" : "am");
    if (twelveHour) {
        if (h > 12) {
            h -= 12;
        } else if (h == 0) {
            h = 12;
        }
    }

    if (has("^^")) {
        put("^^", Format(h, "00"));
    } else if (has("^")) {
        put("^", Format(h, "##"));
    }
    if (has("&&")) {
        put("&&", Format(d->Minute(), "00"));
    }
    if (has("**")) {
        put("**", Format(d->Second(), "00"));
    }

    const Int32 year = d->Year();
    if (has("@@@@")) {
        put("@@@@", Format(year, "####"));
    } else if (has("@@")) {
        put("@@", fw::Mid(Format(year, "####"), 3, 2));
    }

    const Int32 month = d->Month();
    if (has("££££")) {
        put("££££", LongMonths.at(static_cast<std::size_t>(month - 1)));
    } else if (has("£££")) {
        put("£££", ShortMonths.at(static_cast<std::size_t>(month - 1)));
    } else if (has("££")) {
        put("££", Format(month, "00"));
    } else if (has("£")) {
        put("£", Str(month));
    }

    const Int32 day = d->Day();
    if (has("$$$")) {
        const std::string digits = Str(day);
        std::string suffix = "th";
        if (day < 10 || day > 13) {
            const std::string last = fw::Right(digits, 1);
            if (last == "1") {
                suffix = "st";
            } else if (last == "2") {
                suffix = "nd";
            } else if (last == "3") {
                suffix = "rd";
            }
        }
        put("$$$", digits + suffix);
    } else if (has("$$")) {
        put("$$", Format(day, "00"));
    } else if (has("$")) {
        put("$", Str(day));
    }

    const auto weekday = static_cast<std::size_t>(d->DayOfWeek() - 1);
    if (has("%%")) {
        put("%%", LongDayStr.at(weekday));
    } else if (has("%")) {
        put("%", ShortDayStr.at(weekday));
    }
    return text;
}

void TambrelListBox::SetupDaysMonths(const std::string& language) {
    if (language == "E") {
        LongMonths = {"January", "February", "March",     "April",   "May",      "June",
                      "July",    "August",   "September", "October", "November", "December"};
        ShortMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        LongDayStr = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
        ShortDayStr = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    } else if (language == "S") {
        LongMonths = {"Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
                      "Julio", "Augosto", "Septiembre", "Octubre", "Noviembre", "Diciembre"};
        ShortMonths = {"Ene", "Feb", "Mar", "Abr", "May", "Jun",
                       "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
        LongDayStr = {"Domingo", "Lunes", "Martes", "Miercoles", "Jueves", "Viernes", "Sabado"};
        ShortDayStr = {"Dom", "Lun", "Mar", "Mie", "Jue", "Vie", "Sab"};
    }
}

std::string TambrelListBox::FormattedTime(const fw::DatePtr& d, const std::string& pattern) {
    if (!d) {
        throw fw::NilObjectException("FormattedTime of a nil Date");
    }
    std::string text = Uppercase(pattern);
    auto has = [&text](std::string_view token) { return InStr(0, text, token) > 0; };
    auto put = [&text](std::string_view token, const std::string& with) {
        text = Replace(text, token, with);
    };

    bool twelveHour = false;
    for (std::string_view marker : {"AMPM", "AM/PM", "AM", "PM", "AP", "A/P"}) {
        if (has(marker)) {
            put(marker, "");
            twelveHour = true;
            break;
        }
    }
    text = ReplaceAll(text, "H", "@");
    text = ReplaceAll(text, "M", "£");
    text = ReplaceAll(text, "S", "$");

    Int32 h = d->Hour();
    if (twelveHour) {
        if (h > 12) {
            h -= 12;
            text += "pm";
        } else if (h == 12) {
            text += "pm";
        } else {
            text += "am";
        }
    }

    if (has("@@@")) {
        put("@@@", Format(h, "##00"));
    } else if (has("@@")) {
        put("@@", Format(h, "00"));
    } else if (has("@")) {
        put("@", Format(h, "#"));
    }
    const Int32 minute = d->Minute();
    if (has("££")) {
        put("££", Format(minute, "00"));
    } else if (has("£")) {
        put("£", Format(minute, "#"));
    }
    const Int32 second = d->Second();
    if (has("$$")) {
        put("$$", Format(second, "00"));
    } else if (has("$")) {
        put("$", Format(second, "#"));
    }
    return text;
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
