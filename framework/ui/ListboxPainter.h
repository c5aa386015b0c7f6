#pragma once

// Paints a list box view's cells, check boxes, grid lines and heading. Internal to the
// framework.

#include "framework/core/Types.h"
#include "framework/ui/Listbox.h"

#include <QRect>
#include <string>

class QPainter;

namespace fw {

class ListboxView;

// The width of a grid line of a GridLineStyle.
int GridLineWidth(Int32 style);

// Painting raises the paint events, whose handlers may change the list or end it: every step
// reads the list afresh and stops when the list box is gone.
class ListboxPainter {
public:
    explicit ListboxPainter(ListboxView& view) : m_view(view) {}

    void PaintCells(QPainter& painter, const QRect& dirty);
    void PaintHeading(QPainter& painter, const QRect& dirty);

private:
    void PaintCell(QPainter& painter, Int32 row, Int32 column, const QRect& cell);
    void DrawCheckBox(QPainter& painter, const QRect& box, CheckBox::CheckedStates state) const;
    Int32 TextX(const std::string& text, Int32 alignment, Int32 offset, Int32 width) const;

    ListboxView& m_view;
};

} // namespace fw
