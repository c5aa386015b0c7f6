#include "framework/ui/ListboxView.h"

#include "framework/core/Types.h"
#include "framework/ui/ColumnLayout.h"
#include "framework/ui/ListboxPainter.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Runtime.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace fw {

namespace {

constexpr int kEditorInset = 3;
constexpr int kHorizontalStep = 20;
// Keeps pixel arithmetic far from overflow, whatever a program sets.
constexpr Int32 kMaxRowHeight = 10000;

QEvent::Type LayoutEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// ListboxHeader

ListboxHeader::ListboxHeader(ListboxView& view) : QWidget(&view), m_view(view) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ListboxHeader::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    ListboxPainter(m_view).PaintHeading(painter, e->rect());
}

void ListboxHeader::mousePressEvent(QMouseEvent* e) {
    m_view.HeadingPress(e, mapTo(&m_view, e->position().toPoint()));
}

void ListboxHeader::mouseReleaseEvent(QMouseEvent* e) {
    m_view.MouseRelease(e, mapTo(&m_view, e->position().toPoint()));
}

void ListboxHeader::mouseMoveEvent(QMouseEvent* e) {
    m_view.MouseMove(e, mapTo(&m_view, e->position().toPoint()));
}

// ---------------------------------------------------------------------------------------------
// ListboxView

ListboxView::ListboxView() {
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_header = new ListboxHeader(*this);
    m_header->hide();
    QObject::connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
                     [this](int value) { SetTopRow(value); });
    QObject::connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
                     [this](int value) { SetHOffset(value); });
    if (QCoreApplication::instance() != nullptr) {
        // To raise EnableMenuItems when a menu opens while the list has the focus.
        QCoreApplication::instance()->installEventFilter(this);
    }
}

ListboxView::~ListboxView() {
    if (m_owner != nullptr) {
        m_owner->m_view = nullptr;
    }
}

void ListboxView::Attach(Listbox* owner) {
    m_owner = owner;
    BorderChanged();
}

void ListboxView::Detach() {
    // No event reaches the list box once it is going, not even from closing the editor.
    m_owner = nullptr;
    m_editing.Discard();
}

Listbox::State& ListboxView::S() const {
    return *m_owner->m_state;
}

bool ListboxView::Raise(const std::function<void(Listbox&)>& handler) {
    if (m_owner == nullptr) {
        return false;
    }
    Listbox& owner = *m_owner;
    const QPointer<ListboxView> self(this);
    CallIntoSystem([&] { handler(owner); });
    return self && m_owner != nullptr;
}

bool ListboxView::Raise(bool& answer, const std::function<bool(Listbox&)>& handler) {
    answer = false;
    return Raise([&](Listbox& owner) { answer = handler(owner); });
}

// Layout ----------------------------------------------------------------------------------------

void ListboxView::InvalidateLayout() {
    m_layout.valid = false;
    PostLayoutRequest();
}

void ListboxView::PostLayoutRequest() {
    if (m_layoutPosted || QCoreApplication::instance() == nullptr) {
        return;
    }
    m_layoutPosted = true;
    QCoreApplication::postEvent(this, new QEvent(LayoutEventType()));
}

void ListboxView::FontChanged() {
    if (m_editing.Editor() != nullptr) {
        m_editing.Editor()->setFont(font());
    }
    InvalidateLayout();
    ApplyLayout();
}

void ListboxView::BorderChanged() {
    if (m_owner == nullptr) {
        return;
    }
    setFrameStyle(S().border ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    InvalidateLayout();
    ApplyLayout();
}

void ListboxView::Repaint() {
    viewport()->update();
    m_header->update();
}

Int32 ListboxView::RowHeight() const {
    const Int32 set = m_owner != nullptr ? S().defaultRowHeight : -1;
    return set >= 1 ? std::min(set, kMaxRowHeight) : fontMetrics().height() + 4;
}

Int32 ListboxView::HeadingHeight() const {
    return (m_owner != nullptr && S().hasHeading) ? fontMetrics().height() + 2 : 0;
}

void ListboxView::EnsureLayout() {
    if (m_layout.valid || m_owner == nullptr) {
        return;
    }
    Listbox::State& s = S();
    Layout& L = m_layout;
    L.rowHeight = RowHeight();
    L.headingHeight = HeadingHeight();
    L.contents = contentsRect();
    ScrollArea area;
    area.width = L.contents.width();
    area.height = L.contents.height() - L.headingHeight;
    area.rowsHeight = static_cast<Int64>(s.rows.size()) * L.rowHeight;
    area.barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    area.scrollBarVertical = s.scrollBarVertical;
    area.scrollBarHorizontal = s.scrollBarHorizontal;
    area.autoHideScrollbars = s.autoHideScrollbars;
    std::vector<Int32> fixed;
    fixed.reserve(s.columns.size());
    for (const ColumnSettings& col : s.columns) {
        fixed.push_back(col.fixedWidth);
    }
    const ListGeometry g = LayOutList(s.columnWidths, fixed, area);
    for (size_t c = 0; c < s.columns.size(); ++c) {
        s.columns[c].left = g.columns.Spans()[c].left;
        s.columns[c].actualWidth = g.columns.Spans()[c].width;
    }
    L.totalWidth = g.columns.TotalWidth();
    L.vbar = g.vbar;
    L.hbar = g.hbar;
    L.rowsArea =
        QRect(L.contents.left(), L.contents.top() + L.headingHeight, g.innerWidth, g.innerHeight);
    const Int32 fullRows = std::max(1, g.innerHeight / L.rowHeight);
    L.maxTopRow = std::max<Int32>(0, static_cast<Int32>(s.rows.size()) - fullRows);
    L.maxHOffset = s.scrollBarHorizontal ? std::max(0, L.totalWidth - g.innerWidth) : 0;
    m_topRow = std::clamp(m_topRow, 0, L.maxTopRow);
    m_hOffset = std::clamp(m_hOffset, 0, L.maxHOffset);
    L.valid = true;
}

Int32 ListboxView::MaxTopRow() const {
    return m_layout.maxTopRow;
}

void ListboxView::ApplyLayout() {
    if (m_owner == nullptr || m_applyingLayout) {
        return;
    }
    m_applyingLayout = true;
    EnsureLayout();
    const Layout L = m_layout;
    setVerticalScrollBarPolicy(L.vbar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(L.hbar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setViewportMargins(0, L.headingHeight, 0, 0);
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, L.maxTopRow);
    v->setPageStep(std::max(1, L.rowsArea.height() / L.rowHeight));
    v->setSingleStep(1);
    v->setValue(m_topRow);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, L.maxHOffset);
    h->setPageStep(std::max(1, L.rowsArea.width()));
    h->setSingleStep(kHorizontalStep);
    h->setValue(m_hOffset);
    m_header->setGeometry(L.contents.left(), L.contents.top(), L.rowsArea.width(), L.headingHeight);
    m_header->setVisible(L.headingHeight > 0);
    m_applyingLayout = false;
    m_editing.UpdateGeometry();
    Repaint();
}

bool ListboxView::event(QEvent* e) {
    if (e->type() == LayoutEventType()) {
        m_layoutPosted = false;
        ApplyLayout();
        return true;
    }
    switch (e->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
        m_layout.valid = false;
        ApplyLayout();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::event(e);
}

void ListboxView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    if (!m_applyingLayout) {
        m_layout.valid = false;
        ApplyLayout();
    }
}

void ListboxView::showEvent(QShowEvent* e) {
    QAbstractScrollArea::showEvent(e);
    m_layout.valid = false;
    ApplyLayout();
}

// Scrolling ---------------------------------------------------------------------------------

void ListboxView::SetTopRow(Int32 row) {
    if (m_owner == nullptr) {
        return;
    }
    EnsureLayout();
    row = std::clamp(row, 0, m_layout.maxTopRow);
    if (row == m_topRow) {
        return;
    }
    m_topRow = row;
    if (!m_applyingLayout) {
        verticalScrollBar()->setValue(row);
    }
    m_editing.UpdateGeometry();
    viewport()->update();
}

void ListboxView::SetHOffset(Int32 offset) {
    if (m_owner == nullptr) {
        return;
    }
    EnsureLayout();
    offset = std::clamp(offset, 0, m_layout.maxHOffset);
    if (offset == m_hOffset) {
        return;
    }
    m_hOffset = offset;
    if (!m_applyingLayout) {
        horizontalScrollBar()->setValue(offset);
    }
    m_editing.UpdateGeometry();
    Repaint();
}

void ListboxView::EnsureRowVisible(Int32 row) {
    EnsureLayout();
    const Int32 visible = std::max(1, m_layout.rowsArea.height() / m_layout.rowHeight);
    if (row < m_topRow) {
        SetTopRow(row);
    } else if (row >= m_topRow + visible) {
        SetTopRow(row - visible + 1);
    }
}

// Hit testing -------------------------------------------------------------------------------

Int32 ListboxView::RowAt(Int32 x, Int32 y) {
    if (m_owner == nullptr) {
        return -1;
    }
    EnsureLayout();
    const QRect& area = m_layout.rowsArea;
    if (!area.contains(x, y)) {
        return -1; // the heading, the border, a scroll bar or outside the list
    }
    const Int64 row = m_topRow + static_cast<Int64>(y - area.top()) / m_layout.rowHeight;
    return row < static_cast<Int64>(S().rows.size()) ? static_cast<Int32>(row) : -1;
}

Int32 ListboxView::ColumnAt(Int32 x, Int32 y) {
    if (m_owner == nullptr) {
        return -1;
    }
    EnsureLayout();
    const QRect& area = m_layout.rowsArea;
    const QRect heading(area.left(), m_layout.contents.top(), area.width(), m_layout.headingHeight);
    if (!area.contains(x, y) && !heading.contains(x, y)) {
        return -1;
    }
    const Int32 cx = x - area.left() + m_hOffset;
    const auto& columns = S().columns;
    for (size_t c = 0; c < columns.size(); ++c) {
        const ColumnSettings& col = columns[c];
        if (col.actualWidth > 0 && cx >= col.left && cx < col.left + col.actualWidth) {
            return static_cast<Int32>(c);
        }
    }
    return -1;
}

QRect ListboxView::CellRectInViewport(Int32 row, Int32 column) const {
    const ColumnSettings& col = S().columns[static_cast<size_t>(column)];
    const int vline = GridLineWidth(S().gridLinesVertical);
    const int hline = GridLineWidth(S().gridLinesHorizontal);
    const Int64 y = static_cast<Int64>(row - m_topRow) * m_layout.rowHeight;
    return QRect(col.left - m_hOffset, static_cast<int>(std::clamp<Int64>(y, -(1 << 24), 1 << 24)),
                 std::max(0, col.actualWidth - vline), std::max(0, m_layout.rowHeight - hline));
}

QPoint ListboxView::ToList(const QWidget* from, const QPoint& pos) const {
    return from->mapTo(this, pos);
}

// Painting ----------------------------------------------------------------------------------

void ListboxView::paintEvent(QPaintEvent* e) {
    QPainter painter(viewport());
    if (m_owner == nullptr) {
        painter.fillRect(e->rect(), palette().color(QPalette::Base));
        return;
    }
    ListboxPainter(*this).PaintCells(painter, e->rect());
}

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
    if (S().IsCellOfType(row, column, 2)) {
        S().ToggleCheck(row, column);
        Repaint();
        Raise([&](Listbox& owner) { owner.Event_CellAction(row, column); });
    } else if (S().IsCellOfType(row, column, 3)) {
        m_editing.Open(row, column);
    }
}

bool ListboxView::SelectByClick(Int32 row, Qt::KeyboardModifiers modifiers) {
    auto& rows = S().rows;
    const bool multiple = S().selectionType == 1;
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

void ListboxView::RowsRemoved(Int32 first, Int32 count) {
    m_anchorRow = RowAfterRemoval(m_anchorRow, first, count);
    m_currentRow = RowAfterRemoval(m_currentRow, first, count);
    m_editing.RowsRemoved(first, count);
    InvalidateLayout();
}

void ListboxView::RowInserted(Int32 row) {
    m_anchorRow = RowAfterInsertion(m_anchorRow, row);
    m_currentRow = RowAfterInsertion(m_currentRow, row);
    m_editing.RowInserted(row);
    InvalidateLayout();
}

} // namespace fw
