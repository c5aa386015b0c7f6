#pragma once

// The list box's in-place editor: a frameless line edit over one cell, and the edit it belongs
// to (open, commit, cancel, and what becomes of it when rows or columns go). Internal to the
// framework.

#include "framework/core/Types.h"

#include <QLineEdit>
#include <QPointer>
#include <string>

namespace fw {

class ListboxView;

// The in-place editor: a frameless line edit over one cell.
class ListboxCellEditor : public QLineEdit {
public:
    ListboxCellEditor(ListboxView& view, QWidget* parent, Int32 row, Int32 column);

    Int32 row;
    Int32 column;
    bool done = false;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Ends the edit once the focus, away for a moment, lands on another widget of the window.
    void EndWhenFocusLandsElsewhere();

    ListboxView& m_view;
    QMetaObject::Connection m_focusWatch;
};

// At most one edit of a view is open at a time.
class ListboxEditing {
public:
    explicit ListboxEditing(ListboxView& view) : m_view(view) {}
    ~ListboxEditing();
    ListboxEditing(const ListboxEditing&) = delete;
    ListboxEditing& operator=(const ListboxEditing&) = delete;

    ListboxCellEditor* Editor() const { return m_editor; }
    // Ends an open edit, scrolls the cell into view and opens the editor on it, its whole text
    // selected and focused.
    void Open(Int32 row, Int32 column);
    // End the edit storing the typed text, or the text the cell had when the editor opened,
    // and raise CellAction. False when the list box or the view went away in it.
    bool Commit() { return End(true); }
    bool Cancel() { return End(false); }
    void Discard(); // closes without storing or raising anything
    void UpdateGeometry();
    // The editor follows its row; it closes with Discard when its row or column goes.
    void RowsRemoved(Int32 first, Int32 count);
    void RowInserted(Int32 row);
    void ColumnsShrunk(Int32 count);

private:
    bool End(bool keepTyped);
    // Hides the editor, keeps the keyboard focus in the list and deletes it later.
    void Close(ListboxCellEditor& editor);

    ListboxView& m_view;
    QPointer<ListboxCellEditor> m_editor;
    std::string m_original;
};

} // namespace fw
