#pragma once

// The list box's rows, columns and settings, shared by the list box and its native widget,
// with the few operations both sides need. Internal to the framework; no Qt here.

#include "framework/core/CompactText.h"
#include "framework/core/CompactVariant.h"
#include "framework/ui/Listbox.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace fw {

// 40 bytes; a text or string tag of up to 15 bytes takes no heap block.
struct ListCell {
    CompactText text;
    CompactVariant tag;
    Int32 type = 0;
    CheckBox::CheckedStates state = CheckBox::CheckedStates::Unchecked;
};

struct ListRow {
    std::vector<ListCell> cells; // always ColumnCount cells
    bool selected = false;
};

// One column's settings. fixedWidth, when not -1, is a width set through
// ListColumn.WidthActual and wins until the next ColumnWidths.
struct ColumnSettings {
    Int32 type = 0;
    Int32 alignment = 0;
    Int32 alignmentOffset = 0;
    Int32 fixedWidth = -1;
    Int32 actualWidth = 0; // computed by the layout
    Int32 left = 0;        // computed by the layout, from the first column's left edge
};

// Where row lands when rows first to first + count - 1 are removed: -1 when among them.
Int32 RowAfterRemoval(Int32 row, Int32 first, Int32 count);
// Where row lands when a row is inserted at inserted.
Int32 RowAfterInsertion(Int32 row, Int32 inserted);

// The cells whose texts changed, for Listbox::TakeTextChanges; nothing is noted until it is
// first asked for.
struct TextJournal {
    static constexpr std::size_t kCap = 4096; // past this, just everything
    bool on = false;
    bool everything = true;
    std::vector<std::pair<Int32, Int32>> cells;

    void Changed(Int32 row, Int32 column) {
        if (!on || everything) {
            return;
        }
        if (cells.size() >= kCap) {
            Everything();
            return;
        }
        cells.emplace_back(row, column);
    }
    void Everything() {
        if (on && !everything) {
            everything = true;
            std::vector<std::pair<Int32, Int32>>().swap(cells);
        }
    }
};

struct Listbox::State {
    std::vector<ListRow> rows;
    std::vector<ColumnSettings> columns;  // ColumnCount entries
    std::deque<ListColumn> columnObjects; // only grows, so references stay valid
    std::string columnWidths;
    std::vector<std::string> headings; // may hold more entries than there are columns
    std::string initialValue;
    Int32 lastIndex = -1;
    Int32 selectionType = 0;
    bool requiresSelection = false;
    bool columnsResizable = false;
    bool hasHeading = false;
    Int32 headingIndex = -1;
    Int32 defaultRowHeight = -1;
    Int32 gridLinesHorizontal = 0;
    Int32 gridLinesVertical = 0;
    bool border = true;
    bool useFocusRing = true;
    bool scrollBarVertical = true;
    bool scrollBarHorizontal = false;
    bool autoHideScrollbars = true;
    Int32 scrollWidth = -1;
    bool hierarchical = false;
    bool enableDrag = false;
    bool enableDragReorder = false;
    std::string dataSource;
    std::string dataField;
    TextJournal textChanges;

    // OutOfBoundsException for an index outside the list.
    void CheckRow(Int32 row) const;
    void CheckColumn(Int32 column) const;
    // Whether the cell exists; a handler may have removed it since it was found.
    bool HasCell(Int32 row, Int32 column) const;
    ListCell& Cell(Int32 row, Int32 column);
    // Sets a cell's text and notes the change for the text journal: every writer of a text
    // after the row was made goes through here.
    void SetText(Int32 row, Int32 column, const std::string& text) {
        Cell(row, column).text = text;
        textChanges.Changed(row, column);
    }
    const ListCell& Cell(Int32 row, Int32 column) const;

    // Selects rows first to last and no other; last below first clears the selection.
    // True when the selection changed.
    bool SelectOnly(Int32 first, Int32 last);
    bool ClearSelection() { return SelectOnly(0, -1); }
    // The first selected row, -1 when none.
    Int32 FirstSelected() const;

    // The column's type or the cell's makes it a check box or editable in place.
    bool IsCellOfType(Int32 row, Int32 column, Int32 type) const;
    // Checked becomes unchecked; unchecked and indeterminate become checked.
    void ToggleCheck(Int32 row, Int32 column);
};

} // namespace fw
