#include "framework/ui/ListState.h"

#include "framework/core/Exceptions.h"

#include <algorithm>
#include <utility>

namespace fw {

namespace {

[[noreturn]] void ThrowOutOfBounds(const char* what, Int32 index, size_t count) {
    throw OutOfBoundsException(std::string(what) + " " + std::to_string(index) +
                               " is outside the list box (" + std::to_string(count) + " " + what +
                               (count == 1 ? "" : "s") + ")");
}

} // namespace

Int32 RowAfterRemoval(Int32 row, Int32 first, Int32 count) {
    if (row >= first + count) {
        return row - count;
    }
    return row >= first ? -1 : row;
}

Int32 RowAfterInsertion(Int32 row, Int32 inserted) {
    return row >= inserted ? row + 1 : row;
}

void Listbox::State::CheckRow(Int32 row) const {
    if (row < 0 || row >= static_cast<Int32>(rows.size())) {
        ThrowOutOfBounds("row", row, rows.size());
    }
}

void Listbox::State::CheckColumn(Int32 column) const {
    if (column < 0 || column >= static_cast<Int32>(columns.size())) {
        ThrowOutOfBounds("column", column, columns.size());
    }
}

bool Listbox::State::HasCell(Int32 row, Int32 column) const {
    return row >= 0 && row < static_cast<Int32>(rows.size()) && column >= 0 &&
           column < static_cast<Int32>(columns.size());
}

ListCell& Listbox::State::Cell(Int32 row, Int32 column) {
    return const_cast<ListCell&>(std::as_const(*this).Cell(row, column));
}

const ListCell& Listbox::State::Cell(Int32 row, Int32 column) const {
    CheckRow(row);
    CheckColumn(column);
    return rows[static_cast<size_t>(row)].cells[static_cast<size_t>(column)];
}

bool Listbox::State::SelectOnly(Int32 first, Int32 last) {
    bool changed = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto index = static_cast<Int32>(i);
        const bool want = index >= first && index <= last;
        if (rows[i].selected != want) {
            rows[i].selected = want;
            changed = true;
        }
    }
    return changed;
}

Int32 Listbox::State::FirstSelected() const {
    const auto it =
        std::find_if(rows.begin(), rows.end(), [](const ListRow& r) { return r.selected; });
    return it == rows.end() ? -1 : static_cast<Int32>(it - rows.begin());
}

bool Listbox::State::IsCellOfType(Int32 row, Int32 column, Int32 type) const {
    return columns[static_cast<size_t>(column)].type == type ||
           rows[static_cast<size_t>(row)].cells[static_cast<size_t>(column)].type == type;
}

void Listbox::State::ToggleCheck(Int32 row, Int32 column) {
    ListCell& cell = Cell(row, column);
    cell.state = cell.state == CheckBox::CheckedStates::Checked ? CheckBox::CheckedStates::Unchecked
                                                                : CheckBox::CheckedStates::Checked;
}

} // namespace fw
