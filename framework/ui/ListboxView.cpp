#include "framework/ui/ListboxView.h"

#include "framework/core/Types.h"
#include "framework/ui/ColumnLayout.h"
#include "framework/ui/ListboxPainter.h"
#include "framework/ui/Runtime.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <string>

namespace fw {

namespace {

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
    // Hidden, nothing inside would paint: a list filled before it is shown pays no updates.
    if (!isVisible()) {
        return;
    }
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

bool ListboxView::Scroll(Int32& position, Int32 value, const Int32& max, QScrollBar* bar) {
    if (m_owner == nullptr) {
        return false;
    }
    EnsureLayout(); // max is read after it
    value = std::clamp(value, 0, max);
    if (value == position) {
        return false;
    }
    position = value;
    if (!m_applyingLayout) {
        bar->setValue(value);
    }
    m_editing.UpdateGeometry();
    return true;
}

void ListboxView::SetTopRow(Int32 row) {
    if (Scroll(m_topRow, row, m_layout.maxTopRow, verticalScrollBar())) {
        viewport()->update();
    }
}

void ListboxView::SetHOffset(Int32 offset) {
    if (Scroll(m_hOffset, offset, m_layout.maxHOffset, horizontalScrollBar())) {
        Repaint(); // the heading scrolls too
    }
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
