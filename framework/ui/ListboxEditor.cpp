#include "framework/ui/ListboxEditor.h"

#include "framework/ui/ListboxView.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace fw {

namespace {

constexpr int kEditorInset = 3;

} // namespace

// ---------------------------------------------------------------------------------------------
// ListboxCellEditor

ListboxCellEditor::ListboxCellEditor(ListboxView& view, QWidget* parent, Int32 row_, Int32 column_)
    : QLineEdit(parent), row(row_), column(column_), m_view(view) {
    setFrame(false);
    QObject::connect(this, &QLineEdit::textEdited, this, [this](const QString&) {
        if (!done) {
            const Int32 r = row;
            const Int32 c = column;
            m_view.Raise([&](Listbox& owner) { owner.Event_CellTextChange(r, c); });
        }
    });
}

bool ListboxCellEditor::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (!done) {
                const Int32 r = row;
                const Int32 c = column;
                const std::string text = m_view.KeyText(key);
                bool taken = false;
                if (m_view.Raise(
                        taken,
                        [&](Listbox& owner) { return owner.Event_CellKeyDown(r, c, text); }) &&
                    !taken) {
                    m_view.Editing().Commit();
                }
            }
            return true;
        }
    }
    return QLineEdit::event(e);
}

void ListboxCellEditor::keyPressEvent(QKeyEvent* e) {
    if (done || m_view.Owner() == nullptr) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const Int32 r = row;
    const Int32 c = column;
    const std::string text = m_view.KeyText(e);
    bool taken = false;
    if (!text.empty() &&
        !m_view.Raise(taken, [&](Listbox& owner) { return owner.Event_CellKeyDown(r, c, text); })) {
        return;
    }
    if (taken || done) {
        e->accept();
        return;
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        e->accept();
        m_view.Editing().Commit();
        return;
    case Qt::Key_Escape:
        e->accept();
        m_view.Editing().Cancel();
        return;
    default:
        QLineEdit::keyPressEvent(e);
    }
}

void ListboxCellEditor::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (!done) {
        const Int32 r = row;
        const Int32 c = column;
        if (m_view.Raise([&](Listbox& owner) { owner.Event_CellGotFocus(r, c); })) {
            m_view.EditorFocusIn();
        }
    }
}

void ListboxCellEditor::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (done) {
        return;
    }
    const Int32 r = row;
    const Int32 c = column;
    if (!m_view.Raise([&](Listbox& owner) { owner.Event_CellLostFocus(r, c); })) {
        return;
    }
    // A pop-up (the editor's own context menu, a menu of the menu bar), the menu bar itself
    // (a menu closed with Escape leaves it the keyboard) or another window taking the focus for
    // a moment does not end the edit; the focus landing elsewhere in this window does.
    const Qt::FocusReason reason = e->reason();
    if (!done) {
        if (reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason ||
            reason == Qt::ActiveWindowFocusReason) {
            EndWhenFocusLandsElsewhere();
        } else {
            m_view.Editing().Commit();
        }
    }
    m_view.EditorFocusOut();
}

void ListboxCellEditor::EndWhenFocusLandsElsewhere() {
    if (m_focusWatch) {
        return;
    }
    m_focusWatch =
        QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now == this || done) {
                QObject::disconnect(m_focusWatch);
                return;
            }
            if (now == nullptr || now->window() != window() || qobject_cast<QMenuBar*>(now) ||
                qobject_cast<QMenu*>(now)) {
                return; // still away for a moment
            }
            QObject::disconnect(m_focusWatch);
            m_view.Editing().Commit();
        });
}

// ---------------------------------------------------------------------------------------------
// ListboxEditing

ListboxEditing::~ListboxEditing() {
    if (m_editor) {
        m_editor->done = true;
    }
}

void ListboxEditing::Open(Int32 row, Int32 column) {
    if (m_view.Owner() == nullptr || (m_editor && !Commit())) {
        return;
    }
    auto& s = m_view.S();
    if (!s.HasCell(row, column)) {
        return; // the end of the previous edit removed the cell
    }
    m_view.EnsureRowVisible(row);
    const ColumnSettings& col = s.columns[static_cast<size_t>(column)];
    const Int32 shown = m_view.m_layout.rowsArea.width();
    if (col.left < m_view.m_hOffset) {
        m_view.SetHOffset(col.left);
    } else if (col.left + col.actualWidth > m_view.m_hOffset + shown) {
        m_view.SetHOffset(col.left + col.actualWidth - shown);
    }
    auto* editor = new ListboxCellEditor(m_view, m_view.viewport(), row, column);
    m_editor = editor;
    m_original = s.Cell(row, column).text.Str();
    editor->setFont(m_view.font());
    editor->setText(QString::fromStdString(m_original));
    editor->selectAll();
    UpdateGeometry();
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
}

void ListboxEditing::UpdateGeometry() {
    if (!m_editor || m_view.Owner() == nullptr ||
        !m_view.S().HasCell(m_editor->row, m_editor->column)) {
        return;
    }
    m_view.EnsureLayout();
    // Inside the cell, clear of a frame the list may draw 2 pixels in from its edges, and never
    // lower than a line of text.
    const QRect cell = m_view.CellRectInViewport(m_editor->row, m_editor->column);
    const int dx = std::min(kEditorInset, cell.width() / 4);
    const int dy =
        std::clamp((cell.height() - m_editor->fontMetrics().height() - 2) / 2, 0, kEditorInset);
    m_editor->setGeometry(cell.adjusted(dx, dy, -dx, -dy));
}

bool ListboxEditing::End(bool keepTyped) {
    ListboxCellEditor* editor = m_editor.data();
    if (m_view.Owner() == nullptr) {
        return false;
    }
    if (editor == nullptr || editor->done) {
        return true;
    }
    const Int32 row = editor->row;
    const Int32 column = editor->column;
    const std::string typed = editor->text().toStdString();
    auto& s = m_view.S();
    if (s.HasCell(row, column)) {
        s.SetText(row, column, keepTyped ? typed : m_original);
    }
    Close(*editor);
    return m_view.Raise([&](Listbox& owner) { owner.Event_CellAction(row, column); });
}

void ListboxEditing::Discard() {
    if (m_editor) {
        Close(*m_editor);
    }
}

void ListboxEditing::Close(ListboxCellEditor& editor) {
    editor.done = true;
    m_editor = nullptr;
    if (editor.hasFocus()) {
        m_view.setFocus(Qt::OtherFocusReason);
    }
    editor.hide();
    editor.deleteLater();
    m_view.Repaint();
}

void ListboxEditing::RowsRemoved(Int32 first, Int32 count) {
    if (!m_editor) {
        return;
    }
    const Int32 row = RowAfterRemoval(m_editor->row, first, count);
    if (row < 0) {
        Discard(); // its row is gone: nothing to store, nothing to report
    } else {
        m_editor->row = row;
    }
}

void ListboxEditing::RowInserted(Int32 row) {
    if (m_editor) {
        m_editor->row = RowAfterInsertion(m_editor->row, row);
    }
}

void ListboxEditing::ColumnsShrunk(Int32 count) {
    if (m_editor && m_editor->column >= count) {
        Discard();
    }
}

} // namespace fw
