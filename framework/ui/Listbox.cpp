#include "framework/ui/Listbox.h"

#include "framework/ui/ColumnLayout.h"
#include "framework/ui/ListboxView.h"

#include <algorithm>
#include <string>

namespace fw {

namespace {

// Far more columns than any list shows; it keeps a mistyped count from exhausting memory.
constexpr Int32 kMaxColumns = 1024;

std::vector<std::string> SplitTabs(const std::string& text) {
    std::vector<std::string> out;
    if (text.empty()) {
        return out;
    }
    size_t start = 0;
    while (true) {
        const size_t tab = text.find('\t', start);
        out.push_back(
            text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) {
            break;
        }
        start = tab + 1;
    }
    return out;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// ListColumn

Int32 ListColumn::WidthActual() const {
    Listbox::State& s = *m_owner.m_state;
    s.CheckColumn(m_index);
    if (m_owner.m_view != nullptr) {
        m_owner.m_view->EnsureLayout();
    }
    return s.columns[static_cast<size_t>(m_index)].actualWidth;
}

void ListColumn::WidthActual(Int32 pixels) {
    Listbox::State& s = *m_owner.m_state;
    s.CheckColumn(m_index);
    s.columns[static_cast<size_t>(m_index)].fixedWidth =
        std::clamp<Int32>(pixels, 0, kMaxColumnWidth);
    m_owner.LayoutChanged();
}

// ---------------------------------------------------------------------------------------------
// Listbox

Listbox::Listbox()
    : RectControl(std::make_unique<ListboxView>()), m_state(std::make_unique<State>()) {
    m_state->columns.resize(1);
    m_view = static_cast<ListboxView*>(NativeWidget());
    m_view->Attach(this);
    m_view->FontChanged();
}

Listbox::~Listbox() {
    if (m_view != nullptr) {
        m_view->Detach();
    }
}

void Listbox::LayoutChanged() {
    if (m_view != nullptr) {
        m_view->InvalidateLayout();
    }
}

void Listbox::Repaint() {
    if (m_view != nullptr) {
        m_view->Repaint();
    }
}

// Rows and cells

void Listbox::AddRow(const std::vector<std::string>& texts) {
    AddRow();
    std::vector<ListCell>& cells = m_state->rows.back().cells;
    const size_t n = std::min(texts.size(), cells.size());
    for (size_t i = 0; i < n; ++i) {
        cells[i].text = texts[i];
    }
}

void Listbox::AddRow() {
    // Built in place: the cells get their one block, and nothing is copied.
    m_state->rows.emplace_back().cells.resize(m_state->columns.size());
    m_state->lastIndex = static_cast<Int32>(m_state->rows.size()) - 1;
    m_state->textChanges.Everything();
    LayoutChanged();
}

void Listbox::InsertRow(Int32 row, const std::string& text) {
    if (row != static_cast<Int32>(m_state->rows.size())) {
        m_state->CheckRow(row); // one past the last row adds at the end
    }
    ListRow newRow;
    newRow.cells.resize(m_state->columns.size());
    if (!newRow.cells.empty()) {
        newRow.cells[0].text = text;
    }
    m_state->rows.insert(m_state->rows.begin() + row, std::move(newRow));
    m_state->lastIndex = row;
    m_state->textChanges.Everything();
    if (m_view != nullptr) {
        m_view->RowInserted(row);
    }
    LayoutChanged();
}

void Listbox::RemoveRow(Int32 row) {
    m_state->CheckRow(row);
    if (m_view != nullptr) {
        m_view->RowsRemoved(row, 1);
    }
    const bool wasSelected = m_state->rows[static_cast<size_t>(row)].selected;
    m_state->rows.erase(m_state->rows.begin() + row);
    m_state->textChanges.Everything();
    if (m_state->lastIndex == row) {
        m_state->lastIndex = -1;
    } else if (m_state->lastIndex > row) {
        --m_state->lastIndex;
    }
    LayoutChanged();
    if (wasSelected) {
        Event_Change();
    }
}

void Listbox::DeleteAllRows() {
    if (m_view != nullptr) {
        m_view->RowsRemoved(0, static_cast<Int32>(m_state->rows.size()));
    }
    const bool hadSelection = m_state->FirstSelected() >= 0;
    std::vector<ListRow>().swap(m_state->rows);
    m_state->lastIndex = -1;
    m_state->textChanges.Everything();
    LayoutChanged();
    if (hadSelection) {
        Event_Change();
    }
}

Int32 Listbox::ListCount() const {
    return static_cast<Int32>(m_state->rows.size());
}

Int32 Listbox::LastIndex() const {
    return m_state->lastIndex;
}

std::string Listbox::Cell(Int32 row, Int32 column) const {
    return m_state->Cell(row, column).text.Str();
}

std::string_view Listbox::CellTextView(Int32 row, Int32 column) const {
    return m_state->Cell(row, column).text.View();
}

void Listbox::RowTextViews(Int32 row, std::span<const Int32> columns, std::string_view* out) const {
    m_state->CheckRow(row);
    const std::vector<ListCell>& cells = m_state->rows[static_cast<std::size_t>(row)].cells;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto column = static_cast<std::size_t>(columns[i]);
        if (column >= cells.size()) {
            m_state->CheckColumn(columns[i]);
        }
        out[i] = cells[column].text.View();
    }
}

void Listbox::Cell(Int32 row, Int32 column, const std::string& text) {
    m_state->SetText(row, column, text);
    Repaint();
}

Listbox::TextChanges Listbox::TakeTextChanges() {
    TextJournal& journal = m_state->textChanges;
    TextChanges taken;
    taken.everything = !journal.on || journal.everything;
    taken.cells.swap(journal.cells);
    journal.on = true;
    journal.everything = false;
    return taken;
}

Variant Listbox::CellTag(Int32 row, Int32 column) const {
    return m_state->Cell(row, column).tag.ToVariant();
}

void Listbox::CellTag(Int32 row, Int32 column, const Variant& tag) {
    m_state->Cell(row, column).tag = tag;
}

Int32 Listbox::CellType(Int32 row, Int32 column) const {
    return m_state->Cell(row, column).type;
}

void Listbox::CellType(Int32 row, Int32 column, Int32 type) {
    m_state->Cell(row, column).type = type;
    Repaint();
}

CheckBox::CheckedStates Listbox::CellState(Int32 row, Int32 column) const {
    return m_state->Cell(row, column).state;
}

void Listbox::CellState(Int32 row, Int32 column, CheckBox::CheckedStates state) {
    const auto value = static_cast<Int32>(state);
    if (value < 0 || value > 2) {
        throw OutOfBoundsException("Check-box state " + std::to_string(value) +
                                   " is none of 0 unchecked, 1 checked, 2 indeterminate");
    }
    m_state->Cell(row, column).state = state;
    Repaint();
}

bool Listbox::CellCheck(Int32 row, Int32 column) const {
    return m_state->Cell(row, column).state == CheckBox::CheckedStates::Checked;
}

void Listbox::CellCheck(Int32 row, Int32 column, bool checked) {
    CellState(row, column,
              checked ? CheckBox::CheckedStates::Checked : CheckBox::CheckedStates::Unchecked);
}

bool Listbox::Selected(Int32 row) const {
    m_state->CheckRow(row);
    return m_state->rows[static_cast<size_t>(row)].selected;
}

void Listbox::Selected(Int32 row, bool selected) {
    m_state->CheckRow(row);
    bool changed = false;
    if (selected && m_state->selectionType != ListSelectionType::Multiple) {
        changed = m_state->SelectOnly(row, row);
    } else {
        ListRow& r = m_state->rows[static_cast<size_t>(row)];
        changed = r.selected != selected;
        r.selected = selected;
    }
    if (changed) {
        Repaint();
        Event_Change();
    }
}

Int32 Listbox::ListIndex() const {
    return m_state->FirstSelected();
}

void Listbox::ListIndex(Int32 row) {
    if (row != -1) {
        m_state->CheckRow(row);
    }
    if (m_state->SelectOnly(row, row)) {
        Repaint();
        Event_Change();
    }
}

Int32 Listbox::SelectionType() const {
    return m_state->selectionType;
}

void Listbox::SelectionType(Int32 type) {
    m_state->selectionType = type;
}

bool Listbox::RequiresSelection() const {
    return m_state->requiresSelection;
}

void Listbox::RequiresSelection(bool value) {
    m_state->requiresSelection = value;
}

// Columns

Int32 Listbox::ColumnCount() const {
    return static_cast<Int32>(m_state->columns.size());
}

void Listbox::ColumnCount(Int32 count) {
    if (count < 0 || count > kMaxColumns) {
        throw OutOfBoundsException("Column count " + std::to_string(count) + " is outside 0 to " +
                                   std::to_string(kMaxColumns));
    }
    const auto n = static_cast<size_t>(count);
    if (n == m_state->columns.size()) {
        return;
    }
    if (m_view != nullptr && n < m_state->columns.size()) {
        m_view->Editing().ColumnsShrunk(count);
    }
    m_state->columns.resize(n);
    for (ListRow& row : m_state->rows) {
        row.cells.resize(n);
    }
    m_state->textChanges.Everything();
    if (m_state->headingIndex >= count) {
        m_state->headingIndex = -1;
    }
    LayoutChanged();
}

ListColumn& Listbox::Column(Int32 column) {
    m_state->CheckColumn(column);
    auto& objects = m_state->columnObjects;
    while (objects.size() <= static_cast<size_t>(column)) {
        objects.emplace_back(*this, static_cast<Int32>(objects.size()));
    }
    return objects[static_cast<size_t>(column)];
}

Int32 Listbox::ColumnType(Int32 column) const {
    m_state->CheckColumn(column);
    return m_state->columns[static_cast<size_t>(column)].type;
}

void Listbox::ColumnType(Int32 column, Int32 type) {
    m_state->CheckColumn(column);
    m_state->columns[static_cast<size_t>(column)].type = type;
    Repaint();
}

std::string Listbox::ColumnWidths() const {
    return m_state->columnWidths;
}

void Listbox::ColumnWidths(const std::string& widths) {
    m_state->columnWidths = widths;
    for (ColumnSettings& c : m_state->columns) {
        c.fixedWidth = -1;
    }
    LayoutChanged();
}

Int32 Listbox::ColumnAlignment(Int32 column) const {
    m_state->CheckColumn(column);
    return m_state->columns[static_cast<size_t>(column)].alignment;
}

void Listbox::ColumnAlignment(Int32 column, Int32 alignment) {
    m_state->CheckColumn(column);
    m_state->columns[static_cast<size_t>(column)].alignment = alignment;
    Repaint();
}

Int32 Listbox::ColumnAlignmentOffset(Int32 column) const {
    m_state->CheckColumn(column);
    return m_state->columns[static_cast<size_t>(column)].alignmentOffset;
}

void Listbox::ColumnAlignmentOffset(Int32 column, Int32 pixels) {
    m_state->CheckColumn(column);
    m_state->columns[static_cast<size_t>(column)].alignmentOffset = pixels;
    Repaint();
}

bool Listbox::ColumnsResizable() const {
    return m_state->columnsResizable;
}

void Listbox::ColumnsResizable(bool value) {
    m_state->columnsResizable = value;
}

// Headings

bool Listbox::HasHeading() const {
    return m_state->hasHeading;
}

void Listbox::HasHeading(bool value) {
    m_state->hasHeading = value;
    LayoutChanged();
}

std::string Listbox::InitialValue() const {
    return m_state->initialValue;
}

void Listbox::InitialValue(const std::string& text) {
    m_state->initialValue = text;
    m_state->headings = SplitTabs(text);
    Repaint();
}

std::string Listbox::Heading(Int32 column) const {
    m_state->CheckColumn(column);
    const auto& h = m_state->headings;
    return static_cast<size_t>(column) < h.size() ? h[static_cast<size_t>(column)] : std::string();
}

void Listbox::Heading(Int32 column, const std::string& text) {
    m_state->CheckColumn(column);
    auto& h = m_state->headings;
    if (h.size() <= static_cast<size_t>(column)) {
        h.resize(static_cast<size_t>(column) + 1);
    }
    h[static_cast<size_t>(column)] = text;
    Repaint();
}

Int32 Listbox::HeadingIndex() const {
    return m_state->headingIndex;
}

void Listbox::HeadingIndex(Int32 column) {
    if (column != -1) {
        m_state->CheckColumn(column);
    }
    m_state->headingIndex = column;
    Repaint();
}

// Look

Int32 Listbox::DefaultRowHeight() const {
    return m_state->defaultRowHeight;
}

void Listbox::DefaultRowHeight(Int32 pixels) {
    m_state->defaultRowHeight = pixels;
    LayoutChanged();
}

Int32 Listbox::GridLinesHorizontal() const {
    return m_state->gridLinesHorizontal;
}

void Listbox::GridLinesHorizontal(Int32 style) {
    m_state->gridLinesHorizontal = style;
    Repaint();
}

Int32 Listbox::GridLinesVertical() const {
    return m_state->gridLinesVertical;
}

void Listbox::GridLinesVertical(Int32 style) {
    m_state->gridLinesVertical = style;
    Repaint();
}

bool Listbox::Border() const {
    return m_state->border;
}

void Listbox::Border(bool value) {
    m_state->border = value;
    if (m_view != nullptr) {
        m_view->BorderChanged();
    }
}

bool Listbox::UseFocusRing() const {
    return m_state->useFocusRing;
}

void Listbox::UseFocusRing(bool value) {
    m_state->useFocusRing = value;
    Repaint();
}

bool Listbox::ScrollBarVertical() const {
    return m_state->scrollBarVertical;
}

void Listbox::ScrollBarVertical(bool value) {
    m_state->scrollBarVertical = value;
    LayoutChanged();
}

bool Listbox::ScrollBarHorizontal() const {
    return m_state->scrollBarHorizontal;
}

void Listbox::ScrollBarHorizontal(bool value) {
    m_state->scrollBarHorizontal = value;
    LayoutChanged();
}

bool Listbox::AutoHideScrollbars() const {
    return m_state->autoHideScrollbars;
}

void Listbox::AutoHideScrollbars(bool value) {
    m_state->autoHideScrollbars = value;
    LayoutChanged();
}

Int32 Listbox::ScrollPosition() const {
    if (m_view == nullptr) {
        return 0;
    }
    m_view->EnsureLayout();
    return m_view->TopRow();
}

void Listbox::ScrollPosition(Int32 row) {
    if (m_view != nullptr) {
        m_view->SetTopRow(row);
    }
}

Int32 Listbox::_ScrollWidth() const {
    return m_state->scrollWidth;
}

void Listbox::_ScrollWidth(Int32 value) {
    m_state->scrollWidth = value;
}

bool Listbox::Hierarchical() const {
    return m_state->hierarchical;
}

void Listbox::Hierarchical(bool value) {
    m_state->hierarchical = value;
}

bool Listbox::EnableDrag() const {
    return m_state->enableDrag;
}

void Listbox::EnableDrag(bool value) {
    m_state->enableDrag = value;
}

bool Listbox::EnableDragReorder() const {
    return m_state->enableDragReorder;
}

void Listbox::EnableDragReorder(bool value) {
    m_state->enableDragReorder = value;
}

const std::string& Listbox::DataSource() const {
    return m_state->dataSource;
}

void Listbox::DataSource(const std::string& value) {
    m_state->dataSource = value;
}

const std::string& Listbox::DataField() const {
    return m_state->dataField;
}

void Listbox::DataField(const std::string& value) {
    m_state->dataField = value;
}

// In-place editing

void Listbox::EditCell(Int32 row, Int32 column) {
    m_state->CheckRow(row);
    m_state->CheckColumn(column);
    if (m_view != nullptr) {
        m_view->Editing().Open(row, column);
    }
}

bool Listbox::IsEditing() const {
    return m_view != nullptr && m_view->Editing().Editor() != nullptr;
}

Int32 Listbox::RowFromXY(Int32 x, Int32 y) const {
    return m_view != nullptr ? m_view->RowAt(x, y) : -1;
}

Int32 Listbox::ColumnFromXY(Int32 x, Int32 y) const {
    return m_view != nullptr ? m_view->ColumnAt(x, y) : -1;
}

void Listbox::Invalidate() {
    Repaint();
}

void Listbox::FontChanged() {
    RectControl::FontChanged();
    if (m_view != nullptr) {
        m_view->FontChanged();
    }
}

} // namespace fw
