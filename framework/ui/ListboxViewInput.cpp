// The list box view's input: mouse, keys and focus.

#include "framework/ui/ListboxView.h"
#include "framework/ui/MenuItem.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace fw {

// Mouse -------------------------------------------------------------------------------------

void ListboxView::mousePressEvent(QMouseEvent* e) {
    CellPress(e, ToList(viewport(), e->position().toPoint()));
}

void ListboxView::mouseReleaseEvent(QMouseEvent* e) {
    MouseRelease(e, ToList(viewport(), e->position().toPoint()));
}

void ListboxView::mouseMoveEvent(QMouseEvent* e) {
    MouseMove(e, ToList(viewport(), e->position().toPoint()));
}

bool ListboxView::StartPress(QMouseEvent* e, const QPoint& p) {
    if (m_owner == nullptr) {
        return false;
    }
    if (!m_editing.Commit()) { // a click beside the editor ends the edit
        return false;
    }
    setFocus(Qt::MouseFocusReason);
    bool taken = false;
    if (!Raise(taken, [&](Listbox& owner) { return owner.Event_MouseDown(p.x(), p.y()); })) {
        return false;
    }
    m_pressTaken = taken;
    if (m_pressTaken) {
        return false;
    }
    if (e->button() == Qt::RightButton) {
        ShowContextMenu(p);
        return false;
    }
    return e->button() == Qt::LeftButton;
}

void ListboxView::CellPress(QMouseEvent* e, const QPoint& p) {
    if (!StartPress(e, p)) {
        return;
    }
    const Int32 row = RowAt(p.x(), p.y());
    const Int32 column = ColumnAt(p.x(), p.y());
    if (row < 0 || column < 0) {
        // A click in the empty area below the rows clears the selection.
        if (m_layout.rowsArea.contains(p) && !S().requiresSelection &&
            !(e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
            if (S().ClearSelection()) {
                Repaint();
                Raise([](Listbox& owner) { owner.Event_Change(); });
            }
        }
        return;
    }
    const QRect cell = CellRectInViewport(row, column).translated(m_layout.rowsArea.topLeft());
    const Int32 cx = p.x() - cell.left();
    const Int32 cy = p.y() - cell.top();
    bool handled = false;
    if (!Raise(handled,
               [&](Listbox& owner) { return owner.Event_CellClick(row, column, cx, cy); }) ||
        handled) {
        return;
    }
    // The framework's handling; the handler may have changed the list.
    if (!S().HasCell(row, column) || !SelectByClick(row, e->modifiers()) ||
        !S().HasCell(row, column)) {
        return;
    }
    if (S().IsCellOfType(row, column, ListCellType::CheckBox)) {
        S().ToggleCheck(row, column);
        Repaint();
        Raise([&](Listbox& owner) { owner.Event_CellAction(row, column); });
    } else if (S().IsCellOfType(row, column, ListCellType::Editable)) {
        m_editing.Open(row, column);
    }
}

bool ListboxView::SelectByClick(Int32 row, Qt::KeyboardModifiers modifiers) {
    auto& rows = S().rows;
    const bool multiple = S().selectionType == ListSelectionType::Multiple;
    bool changed = false;
    if (multiple && (modifiers & Qt::ControlModifier)) {
        ListRow& r = rows[static_cast<size_t>(row)];
        const bool onlyOne =
            r.selected && std::count_if(rows.begin(), rows.end(),
                                        [](const ListRow& x) { return x.selected; }) == 1;
        if (!(onlyOne && S().requiresSelection)) {
            r.selected = !r.selected;
            changed = true;
        }
        m_anchorRow = row;
    } else if (multiple && (modifiers & Qt::ShiftModifier) && m_anchorRow >= 0 &&
               m_anchorRow < static_cast<Int32>(rows.size())) {
        changed = S().SelectOnly(std::min(m_anchorRow, row), std::max(m_anchorRow, row));
    } else {
        changed = S().SelectOnly(row, row);
        m_anchorRow = row;
    }
    m_currentRow = row;
    if (!changed) {
        return true;
    }
    Repaint();
    return Raise([](Listbox& owner) { owner.Event_Change(); });
}

void ListboxView::HeadingPress(QMouseEvent* e, const QPoint& p) {
    if (!StartPress(e, p)) {
        return;
    }
    if (S().columnsResizable) {
        const Int32 divider = DividerAt(p);
        if (divider >= 0) {
            m_resizeColumn = divider;
            m_resizeStartX = p.x();
            m_resizeStartWidth = S().columns[static_cast<size_t>(divider)].actualWidth;
            return;
        }
    }
    const Int32 column = ColumnAt(p.x(), p.y());
    if (column < 0) {
        return;
    }
    bool handled = false;
    if (!Raise(handled, [&](Listbox& owner) { return owner.Event_HeaderPressed(column); }) ||
        handled || column >= static_cast<Int32>(S().columns.size())) {
        return;
    }
    // The list marks the heading and asks for the sort; it never sorts its rows itself.
    S().headingIndex = column;
    Repaint();
    Raise([&](Listbox& owner) { owner.Event_SortColumn(column); });
}

Int32 ListboxView::DividerAt(const QPoint& p) const {
    const Int32 x = p.x() - m_layout.contents.left() + m_hOffset;
    const auto& columns = S().columns;
    for (size_t c = 0; c < columns.size(); ++c) {
        const ColumnSettings& col = columns[c];
        if (col.actualWidth > 0 && std::abs(x - (col.left + col.actualWidth)) <= 3) {
            return static_cast<Int32>(c);
        }
    }
    return -1;
}

void ListboxView::MouseRelease(QMouseEvent*, const QPoint& p) {
    m_resizeColumn = -1;
    if (m_owner == nullptr || !m_pressTaken) {
        return;
    }
    m_pressTaken = false;
    Raise([&](Listbox& owner) { owner.Event_MouseUp(p.x(), p.y()); });
}

void ListboxView::MouseMove(QMouseEvent* e, const QPoint& p) {
    if (m_owner == nullptr) {
        return;
    }
    if (m_resizeColumn >= 0 && (e->buttons() & Qt::LeftButton) &&
        m_resizeColumn < static_cast<Int32>(S().columns.size())) {
        // Dragging a heading divider fixes that column's width.
        S().columns[static_cast<size_t>(m_resizeColumn)].fixedWidth =
            std::max(0, m_resizeStartWidth + p.x() - m_resizeStartX);
        m_layout.valid = false;
        ApplyLayout();
        return;
    }
    if (S().columnsResizable && e->buttons() == Qt::NoButton && m_header->geometry().contains(p) &&
        DividerAt(p) >= 0) {
        m_header->setCursor(Qt::SplitHCursor);
    } else {
        m_header->unsetCursor();
    }
    if (e->buttons() != Qt::NoButton) {
        if (m_pressTaken) {
            Raise([&](Listbox& owner) { owner.Event_MouseDrag(p.x(), p.y()); });
        }
        return;
    }
    Raise([&](Listbox& owner) { owner.Event_MouseMove(p.x(), p.y()); });
}

void ListboxView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        Raise([](Listbox& owner) { owner.Event_DoubleClick(); });
    }
}

void ListboxView::wheelEvent(QWheelEvent* e) {
    if (m_owner == nullptr) {
        return;
    }
    const QPoint p = ToList(viewport(), e->position().toPoint());
    auto notches = [](int angle) {
        if (angle == 0) {
            return 0;
        }
        const int n = -angle / 120;
        return n != 0 ? n : (angle > 0 ? -1 : 1);
    };
    const Int32 dx = notches(e->angleDelta().x());
    const Int32 dy = notches(e->angleDelta().y());
    bool handled = false;
    const bool alive = Raise(
        handled, [&](Listbox& owner) { return owner.Event_MouseWheel(p.x(), p.y(), dx, dy); });
    e->accept();
    if (!alive || handled) {
        return;
    }
    if (dy != 0) {
        SetTopRow(m_topRow + dy * QApplication::wheelScrollLines());
    }
    if (dx != 0) {
        SetHOffset(m_hOffset + dx * kHorizontalStep);
    }
}

void ListboxView::enterEvent(QEnterEvent* e) {
    QAbstractScrollArea::enterEvent(e);
    Raise([](Listbox& owner) { owner.Event_MouseEnter(); });
}

void ListboxView::leaveEvent(QEvent* e) {
    QAbstractScrollArea::leaveEvent(e);
    Raise([](Listbox& owner) { owner.Event_MouseExit(); });
}

void ListboxView::contextMenuEvent(QContextMenuEvent* e) {
    // A right press already showed the menu; only the keyboard's menu key comes here.
    if (e->reason() == QContextMenuEvent::Keyboard && m_owner != nullptr) {
        ShowContextMenu(ToList(viewport(), e->pos()));
    }
    e->accept();
}

void ListboxView::ShowContextMenu(const QPoint& p) {
    auto root = std::make_shared<MenuItem>();
    bool show = false;
    if (!Raise(show,
               [&](Listbox& owner) {
                   return owner.Event_ConstructContextualMenu(*root, p.x(), p.y());
               }) ||
        !show || root->Count() == 0) {
        return;
    }
    MenuItemPtr chosen;
    if (Raise([&](Listbox&) { chosen = root->PopUp(); }) && chosen) {
        Raise([&](Listbox& owner) { owner.Event_ContextualMenuAction(*chosen); });
    }
}

bool ListboxView::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Show && m_owner != nullptr && watched->isWidgetType() &&
        qobject_cast<QMenu*>(watched) != nullptr) {
        QWidget* focus = QApplication::focusWidget();
        if (focus == this || (focus != nullptr && focus == m_editing.Editor())) {
            Raise([](Listbox& owner) { owner.Event_EnableMenuItems(); });
        }
    }
    return QAbstractScrollArea::eventFilter(watched, e);
}

// Keyboard and focus ------------------------------------------------------------------------

std::string ListboxView::KeyText(const QKeyEvent* e) const {
    // The control characters the framework passes for keys without a text of their own.
    switch (e->key()) {
    case Qt::Key_Up:
        return std::string(1, '\x1e');
    case Qt::Key_Down:
        return std::string(1, '\x1f');
    case Qt::Key_Left:
        return std::string(1, '\x1c');
    case Qt::Key_Right:
        return std::string(1, '\x1d');
    case Qt::Key_Return:
        return std::string(1, '\r');
    case Qt::Key_Enter:
        return std::string(1, '\x03');
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return std::string(1, '\t');
    case Qt::Key_Escape:
        return std::string(1, '\x1b');
    case Qt::Key_Backspace:
        return std::string(1, '\x08');
    case Qt::Key_Delete:
        return std::string(1, '\x7f');
    case Qt::Key_Home:
        return std::string(1, '\x01');
    case Qt::Key_End:
        return std::string(1, '\x04');
    case Qt::Key_PageUp:
        return std::string(1, '\x0b');
    case Qt::Key_PageDown:
        return std::string(1, '\x0c');
    default:
        return e->text().toStdString();
    }
}

void ListboxView::keyPressEvent(QKeyEvent* e) {
    if (m_owner == nullptr) {
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    const std::string key = KeyText(e);
    // Keys that give no character (Shift alone, function keys) raise no KeyDown.
    bool handled = false;
    if (!key.empty() && !Raise(handled, [&](Listbox& owner) { return owner.Event_KeyDown(key); })) {
        return;
    }
    if (handled) {
        e->accept();
        return;
    }
    EnsureLayout();
    const Int32 page = std::max(1, m_layout.rowsArea.height() / m_layout.rowHeight);
    switch (e->key()) {
    case Qt::Key_Up:
        MoveSelection(-1, e->modifiers());
        break;
    case Qt::Key_Down:
        MoveSelection(1, e->modifiers());
        break;
    case Qt::Key_PageUp:
        SetTopRow(m_topRow - page);
        break;
    case Qt::Key_PageDown:
        SetTopRow(m_topRow + page);
        break;
    case Qt::Key_Home:
        SetTopRow(0);
        break;
    case Qt::Key_End:
        SetTopRow(m_layout.maxTopRow);
        break;
    case Qt::Key_Left:
        SetHOffset(m_hOffset - kHorizontalStep);
        break;
    case Qt::Key_Right:
        SetHOffset(m_hOffset + kHorizontalStep);
        break;
    default:
        e->ignore();
        return;
    }
    e->accept();
}

void ListboxView::MoveSelection(Int32 delta, Qt::KeyboardModifiers modifiers) {
    const auto count = static_cast<Int32>(S().rows.size());
    if (count == 0) {
        return;
    }
    Int32 from = m_currentRow;
    if (from < 0 || from >= count || !S().rows[static_cast<size_t>(from)].selected) {
        from = m_owner->ListIndex();
    }
    const Int32 to =
        from < 0 ? (delta > 0 ? 0 : count - 1) : std::clamp(from + delta, 0, count - 1);
    if (SelectByClick(to, modifiers & Qt::ShiftModifier) &&
        to < static_cast<Int32>(S().rows.size())) {
        EnsureRowVisible(to);
    }
}

void ListboxView::keyReleaseEvent(QKeyEvent* e) {
    if (m_owner == nullptr || e->isAutoRepeat()) {
        QAbstractScrollArea::keyReleaseEvent(e);
        return;
    }
    const std::string key = KeyText(e);
    if (!key.empty()) {
        Raise([&](Listbox& owner) { owner.Event_KeyUp(key); });
    }
}

void ListboxView::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    EditorFocusIn();
}

void ListboxView::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    EditorFocusOut();
}

void ListboxView::EditorFocusIn() {
    if (m_owner == nullptr || m_hasFocus) {
        return;
    }
    m_hasFocus = true;
    viewport()->update();
    Raise([](Listbox& owner) { owner.Event_GotFocus(); });
}

void ListboxView::EditorFocusOut() {
    if (m_owner == nullptr || !m_hasFocus) {
        return;
    }
    // Focus moving between the list and its own editor keeps the list focused.
    QWidget* focus = QApplication::focusWidget();
    if (focus == this || (focus != nullptr && focus == m_editing.Editor())) {
        return;
    }
    m_hasFocus = false;
    viewport()->update();
    Raise([](Listbox& owner) { owner.Event_LostFocus(); });
}

} // namespace fw
