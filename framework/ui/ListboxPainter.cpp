#include "framework/ui/ListboxPainter.h"

#include "framework/ui/ColumnLayout.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/ListboxView.h"
#include "framework/ui/QtConvert.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace fw {

namespace {

// Left of a check-box cell: the box, clear of a frame the list may draw 2 pixels in from the
// cell's edges; the text area begins right after it and the text's own margin keeps it clear.
constexpr int kCheckLeft = 6;
constexpr int kCheckSize = 12;
constexpr int kCheckArea = kCheckLeft + kCheckSize;
constexpr int kTextPadding = 3;

void DrawGridLine(QPainter& painter, const QRect& band, Int32 style, const QColor& color) {
    if (band.isEmpty()) {
        return;
    }
    if (style != GridLineStyle::ThinDotted) {
        painter.fillRect(band, color);
        return;
    }
    // Dotted: every other pixel along the band.
    if (band.width() >= band.height()) {
        for (int x = band.left() - (band.left() & 1); x <= band.right(); x += 2) {
            painter.fillRect(QRect(x, band.top(), 1, band.height()), color);
        }
    } else {
        for (int y = band.top() - (band.top() & 1); y <= band.bottom(); y += 2) {
            painter.fillRect(QRect(band.left(), y, band.width(), 1), color);
        }
    }
}

} // namespace

int GridLineWidth(Int32 style) {
    switch (style) {
    case GridLineStyle::ThinSolid:
    case GridLineStyle::ThinDotted:
        return 1;
    case GridLineStyle::Thick:
        return 2;
    default:
        return 0;
    }
}

Int32 ListboxPainter::TextX(const std::string& text, Int32 alignment, Int32 offset,
                            Int32 width) const {
    const QFontMetrics fm = m_view.fontMetrics();
    switch (alignment) {
    case ListAlignment::Center:
        return (width - fm.horizontalAdvance(QString::fromStdString(text))) / 2;
    case ListAlignment::Right:
        return width - fm.horizontalAdvance(QString::fromStdString(text)) - kTextPadding;
    case ListAlignment::Decimal: {
        // The decimal separator of every text stands at the same x; a text without one
        // ends there.
        const size_t dot = text.find('.');
        const std::string whole = dot == std::string::npos ? text : text.substr(0, dot);
        const Int64 x = static_cast<Int64>(width) + offset -
                        fm.horizontalAdvance(QString::fromStdString(whole));
        return static_cast<Int32>(std::clamp<Int64>(x, -kMaxColumnWidth, kMaxColumnWidth));
    }
    default:
        return kTextPadding;
    }
}

void ListboxPainter::PaintCells(QPainter& painter, const QRect& dirty) {
    m_view.EnsureLayout();
    if (m_view.Owner() == nullptr) {
        return;
    }
    const auto& s = m_view.S();
    const Int32 rh = m_view.m_layout.rowHeight;
    const int vline = GridLineWidth(s.gridLinesVertical);
    const int hline = GridLineWidth(s.gridLinesHorizontal);
    const QColor gridColor = m_view.palette().color(QPalette::Mid);
    const Int32 firstPos = std::max(0, dirty.top() / rh);
    const Int32 lastPos = std::max(0, dirty.bottom()) / rh;
    const Int32 right = m_view.m_layout.totalWidth - m_view.m_hOffset;

    // The area right of the last column.
    if (right <= dirty.right()) {
        painter.fillRect(QRect(right, dirty.top(), dirty.right() - right + 1, dirty.height()),
                         m_view.palette().color(QPalette::Base));
    }
    for (Int32 pos = firstPos; pos <= lastPos; ++pos) {
        const Int32 row = m_view.m_topRow + pos;
        const Int32 y = pos * rh;
        // Columns are read afresh: a handler may change them while the list paints.
        for (size_t c = 0; m_view.Owner() != nullptr && c < m_view.S().columns.size(); ++c) {
            const ColumnSettings col = m_view.S().columns[c];
            const Int32 x = col.left - m_view.m_hOffset;
            if (col.actualWidth <= 0 || x > dirty.right() || x + col.actualWidth <= dirty.left()) {
                continue;
            }
            PaintCell(painter, row, static_cast<Int32>(c),
                      QRect(x, y, std::max(0, col.actualWidth - vline), std::max(0, rh - hline)));
            if (vline > 0) {
                DrawGridLine(painter, QRect(x + col.actualWidth - vline, y, vline, rh),
                             m_view.S().gridLinesVertical, gridColor);
            }
        }
        if (m_view.Owner() == nullptr) {
            return;
        }
        if (hline > 0 && right > 0) {
            DrawGridLine(
                painter,
                QRect(-m_view.m_hOffset, y + rh - hline, m_view.m_layout.totalWidth, hline),
                m_view.S().gridLinesHorizontal, gridColor);
        }
    }
    if (m_view.S().useFocusRing && m_view.m_hasFocus) {
        const QRect ring = m_view.viewport()->rect();
        painter.setPen(Qt::NoPen);
        const QColor c = m_view.palette().color(QPalette::Highlight);
        painter.fillRect(QRect(ring.left(), ring.top(), ring.width(), 2), c);
        painter.fillRect(QRect(ring.left(), ring.bottom() - 1, ring.width(), 2), c);
        painter.fillRect(QRect(ring.left(), ring.top(), 2, ring.height()), c);
        painter.fillRect(QRect(ring.right() - 1, ring.top(), 2, ring.height()), c);
    }
}

void ListboxPainter::PaintCell(QPainter& painter, Int32 row, Int32 column, const QRect& cell) {
    if (cell.width() <= 0 || cell.height() <= 0) {
        return;
    }
    const QPalette& pal = m_view.palette();
    auto rowExists = [&] {
        return m_view.Owner() != nullptr && row < static_cast<Int32>(m_view.S().rows.size());
    };
    auto columnExists = [&] {
        return m_view.Owner() != nullptr && column < static_cast<Int32>(m_view.S().columns.size());
    };
    const bool selected = rowExists() && m_view.S().rows[static_cast<size_t>(row)].selected;
    const std::string& fontName = m_view.Owner()->TextFont();
    const double fontSize = m_view.Owner()->TextSize();
    auto useListFont = [&](Graphics& g) {
        if (fontName != "System" && !fontName.empty()) {
            g.TextFont(fontName);
        }
        if (fontSize > 0) {
            g.TextSize(fontSize);
        }
        if (m_view.Owner()->Bold()) {
            g.Bold(true);
        }
        if (m_view.Owner()->Italic()) {
            g.Italic(true);
        }
        if (m_view.Owner()->Underline()) {
            g.Underline(true);
        }
    };

    // Background.
    painter.save();
    painter.translate(cell.topLeft());
    painter.setClipRect(QRect(0, 0, cell.width(), cell.height()));
    {
        Graphics g(painter, cell.width(), cell.height());
        useListFont(g);
        bool painted = false;
        m_view.Raise(painted, [&](Listbox& owner) {
            return owner.Event_CellBackgroundPaint(g, row, column);
        });
        if (!painted) {
            const bool sel = rowExists() && m_view.S().rows[static_cast<size_t>(row)].selected;
            painter.fillRect(QRect(0, 0, cell.width(), cell.height()),
                             pal.color(sel ? QPalette::Highlight : QPalette::Base));
        }
    }
    painter.restore();
    if (!rowExists() || !columnExists()) {
        return;
    }

    // Text.
    bool checkBox = m_view.S().IsCellOfType(row, column, ListCellType::CheckBox);
    const int textLeft = checkBox ? kCheckArea : 0;
    const int textWidth = cell.width() - textLeft;
    if (textWidth > 0) {
        painter.save();
        painter.translate(cell.left() + textLeft, cell.top());
        painter.setClipRect(QRect(0, 0, textWidth, cell.height()));
        Graphics g(painter, textWidth, cell.height());
        useListFont(g);
        g.ForeColor(FromQColor(pal.color(selected ? QPalette::HighlightedText : QPalette::Text)));
        const ColumnSettings& col = m_view.S().columns[static_cast<size_t>(column)];
        const QFontMetrics fm = m_view.fontMetrics();
        const std::string text = m_view.S().Cell(row, column).text.Str();
        const Int32 x = TextX(text, col.alignment, col.alignmentOffset, textWidth);
        const Int32 y = (cell.height() - fm.height()) / 2 + fm.ascent();
        bool drawn = false;
        m_view.Raise(
            drawn, [&](Listbox& owner) { return owner.Event_CellTextPaint(g, row, column, x, y); });
        if (!drawn && !text.empty()) {
            // Inside a frame the list may draw 2 pixels in from the cell's edges, yet never
            // lower than the line of text.
            const int dy = std::clamp((cell.height() - fm.height()) / 2, 0, kTextPadding);
            painter.setClipRect(
                QRect(kTextPadding, dy, textWidth - 2 * kTextPadding, cell.height() - 2 * dy),
                Qt::IntersectClip);
            painter.setFont(m_view.font());
            painter.setPen(ToQColor(g.ForeColor()));
            painter.drawText(QPoint(x, y), QString::fromStdString(text));
        }
        painter.restore();
    }
    if (!rowExists() || !columnExists()) {
        return;
    }
    checkBox = m_view.S().IsCellOfType(row, column, ListCellType::CheckBox);
    if (checkBox) {
        painter.save();
        painter.setClipRect(cell);
        DrawCheckBox(painter,
                     QRect(cell.left() + kCheckLeft, cell.top() + (cell.height() - kCheckSize) / 2,
                           kCheckSize, kCheckSize),
                     m_view.S().Cell(row, column).state);
        painter.restore();
    }
}

void ListboxPainter::DrawCheckBox(QPainter& painter, const QRect& box,
                                  CheckBox::CheckedStates state) const {
    const QColor frame = m_view.palette().color(QPalette::Dark);
    const QColor mark = m_view.palette().color(QPalette::Text);
    painter.fillRect(box, m_view.palette().color(QPalette::Base));
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), frame);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), frame);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), frame);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), frame);
    if (state == CheckBox::CheckedStates::Indeterminate) {
        painter.fillRect(QRect(box.left() + 3, box.center().y() - 1, box.width() - 6, 2), mark);
    } else if (state == CheckBox::CheckedStates::Checked) {
        QPen pen(mark, 2);
        painter.setPen(pen);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QPointF a(box.left() + 2.5, box.top() + 6.0);
        const QPointF b(box.left() + 5.0, box.top() + 9.0);
        const QPointF c(box.left() + 9.5, box.top() + 3.0);
        painter.drawLine(a, b);
        painter.drawLine(b, c);
    }
}

void ListboxPainter::PaintHeading(QPainter& painter, const QRect& dirty) {
    if (m_view.Owner() == nullptr) {
        return;
    }
    m_view.EnsureLayout();
    const QPalette& pal = m_view.palette();
    const Int32 h = m_view.m_layout.headingHeight;
    painter.fillRect(dirty, pal.color(QPalette::Button));
    painter.setFont(m_view.font());
    const QFontMetrics fm = m_view.fontMetrics();
    const auto& s = m_view.S();
    for (size_t c = 0; c < s.columns.size(); ++c) {
        const ColumnSettings& col = s.columns[c];
        const Int32 x = col.left - m_view.m_hOffset;
        if (col.actualWidth <= 0 || x > dirty.right() || x + col.actualWidth <= dirty.left()) {
            continue;
        }
        const QRect r(x, 0, col.actualWidth, h);
        if (static_cast<Int32>(c) == s.headingIndex) {
            painter.fillRect(r, pal.color(QPalette::Button).darker(112));
        }
        painter.fillRect(QRect(r.right(), 0, 1, h), pal.color(QPalette::Mid));
        const QString text =
            QString::fromStdString(c < s.headings.size() ? s.headings[c] : std::string());
        const QRect textRect = r.adjusted(4, 0, -5, 0);
        const QString shown = fm.elidedText(text, Qt::ElideRight, std::max(0, textRect.width()));
        Qt::Alignment align = Qt::AlignLeft;
        if (col.alignment == ListAlignment::Center) {
            align = Qt::AlignHCenter;
        } else if (col.alignment == ListAlignment::Right ||
                   col.alignment == ListAlignment::Decimal) {
            align = Qt::AlignRight;
        }
        painter.setPen(pal.color(QPalette::ButtonText));
        painter.drawText(textRect, static_cast<int>(align | Qt::AlignVCenter), shown);
    }
    painter.fillRect(QRect(dirty.left(), h - 1, dirty.width(), 1), pal.color(QPalette::Mid));
}

} // namespace fw
