#include "framework/ui/ColumnLayout.h"

#include "framework/core/Text.h"

#include <algorithm>
#include <string>

namespace fw {

ColumnLayout::ColumnLayout(std::string_view widths, const std::vector<Int32>& fixed,
                           Int32 innerWidth) {
    const std::vector<std::string> entries = Split(widths, ",");
    m_spans.resize(fixed.size());
    std::vector<bool> star(fixed.size(), false);
    Int64 fixedSum = 0;
    Int64 stars = 0;
    for (size_t c = 0; c < fixed.size(); ++c) {
        Int32 width = 0;
        if (fixed[c] >= 0) {
            width = fixed[c];
        } else if (c >= entries.size()) {
            star[c] = true; // a missing entry shares what is left
        } else {
            const std::string e = Trim(entries[c]);
            if (e.empty()) {
                width = 0; // a blank entry hides its column, like "0"
            } else if (e.back() == '*') {
                star[c] = true;
            } else if (e.back() == '%') {
                width =
                    ToInt32(Val(std::string_view(e).substr(0, e.size() - 1)) * innerWidth / 100.0);
            } else {
                width = ToInt32(Val(e));
            }
        }
        if (star[c]) {
            ++stars;
            continue;
        }
        m_spans[c].width = std::clamp<Int32>(width, 0, kMaxColumnWidth);
        fixedSum += m_spans[c].width;
    }
    if (stars > 0) {
        const Int64 left = std::max<Int64>(0, innerWidth - fixedSum);
        const Int64 share = left / stars;
        Int64 extra = left % stars;
        for (size_t c = 0; c < fixed.size(); ++c) {
            if (star[c]) {
                m_spans[c].width = static_cast<Int32>(share + (extra > 0 ? 1 : 0));
                extra = std::max<Int64>(0, extra - 1);
            }
        }
    }
    Int32 x = 0;
    for (ColumnSpan& span : m_spans) {
        span.left = x;
        x += span.width;
    }
    m_totalWidth = x;
}

ListGeometry LayOutList(std::string_view widths, const std::vector<Int32>& fixed,
                        const ScrollArea& area) {
    const Int32 w0 = std::max(0, area.width);
    const Int32 h0 = std::max(0, area.height);
    const Int32 ext = area.barExtent;
    ListGeometry g;
    g.vbar = area.scrollBarVertical && (!area.autoHideScrollbars || area.rowsHeight > h0);
    g.innerWidth = std::max(0, w0 - (g.vbar ? ext : 0));
    g.columns = ColumnLayout(widths, fixed, g.innerWidth);
    g.hbar = area.scrollBarHorizontal &&
             (!area.autoHideScrollbars || g.columns.TotalWidth() > g.innerWidth);
    g.innerHeight = std::max(0, h0 - (g.hbar ? ext : 0));
    // The horizontal bar may leave the rows too little height; the vertical bar it then
    // needs narrows the columns, which may call for the horizontal bar after all.
    if (!g.vbar && area.scrollBarVertical && area.rowsHeight > g.innerHeight) {
        g.vbar = true;
        g.innerWidth = std::max(0, w0 - ext);
        g.columns = ColumnLayout(widths, fixed, g.innerWidth);
        if (!g.hbar && area.scrollBarHorizontal && g.columns.TotalWidth() > g.innerWidth) {
            g.hbar = true;
            g.innerHeight = std::max(0, h0 - ext);
        }
    }
    return g;
}

} // namespace fw
