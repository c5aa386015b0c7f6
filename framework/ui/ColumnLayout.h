#pragma once

// The list box's column geometry, apart from any widget: the ColumnWidths forms, hidden
// columns and whether scroll bars are needed. No Qt here, so it can be tested alone.

#include "framework/core/Types.h"

#include <string_view>
#include <vector>

namespace fw {

// Bounds that keep pixel arithmetic far from overflow, whatever a program sets.
inline constexpr Int32 kMaxColumnWidth = 1000000;

// One column's place, from the first column's left edge; a width of 0 hides it.
struct ColumnSpan {
    Int32 left = 0;
    Int32 width = 0;
};

// The columns laid out across one inner width.
class ColumnLayout {
public:
    ColumnLayout() = default;
    // fixed[c] >= 0 is a width set on the column itself and wins over the text; -1 takes the
    // text's entry. Percentages are of innerWidth, rounded; "*" columns share what is left,
    // the spare pixels going one each to the first of them.
    ColumnLayout(std::string_view widths, const std::vector<Int32>& fixed, Int32 innerWidth);

    const std::vector<ColumnSpan>& Spans() const { return m_spans; }
    Int32 TotalWidth() const { return m_totalWidth; }

private:
    std::vector<ColumnSpan> m_spans;
    Int32 m_totalWidth = 0;
};

// What decides the scroll bars: the list's inside (less border and heading), the rows' height
// and the settings.
struct ScrollArea {
    Int32 width = 0;
    Int32 height = 0;
    Int64 rowsHeight = 0;
    Int32 barExtent = 0; // a scroll bar's thickness
    bool scrollBarVertical = true;
    bool scrollBarHorizontal = false;
    bool autoHideScrollbars = true;
};

struct ListGeometry {
    ColumnLayout columns;
    bool vbar = false;
    bool hbar = false;
    Int32 innerWidth = 0;  // the rows' area, less a shown vertical scroll bar
    Int32 innerHeight = 0; // less a shown horizontal scroll bar
};

// Lays the columns out and decides the scroll bars: a bar that auto-hides shows only when
// rows or columns do not fit, and one bar taking room can make the other needed.
ListGeometry LayOutList(std::string_view widths, const std::vector<Int32>& fixed,
                        const ScrollArea& area);

} // namespace fw
