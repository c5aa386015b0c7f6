#include "listbox/ColumnMeasure.h"

#include "framework/core/Format.h"
#include "framework/core/Text.h"

#include <algorithm>

using fw::Int32;

namespace {

// Measured widths are kept for this many distinct texts at most.
constexpr std::size_t kWidthLimit = 1u << 20;

} // namespace

const std::pair<const std::string, double>& ColumnMeasurer::Measured(const std::string& text,
                                                                     const MeasureText& measure) {
    auto found = m_widths.find(text);
    if (found == m_widths.end()) {
        found = m_widths.emplace(text, measure(text)).first;
    }
    return *found;
}

std::vector<Int32> ColumnMeasurer::Widths(const std::string& font,
                                          const std::vector<TextColumn>& columns, Int32 rows,
                                          const CellText& cellText, const MeasureText& measure) {
    if (m_font != font || m_widths.size() > kWidthLimit) {
        m_widths.clear();
        m_cells.clear();
        m_font = font;
    }
    // Rounding is monotonic, so the widest text gives the widest rounded measure: each column
    // keeps its widest text width and converts once.
    std::vector<double> widest;
    widest.reserve(columns.size());
    for (const TextColumn& c : columns) {
        widest.push_back(Measured(c.heading, measure).second);
        const auto index = static_cast<std::size_t>(c.column);
        if (m_cells.size() <= index) {
            m_cells.resize(index + 1);
        }
        m_cells[index].resize(static_cast<std::size_t>(std::max(rows, 0)));
    }
    for (Int32 r = 0; r < rows; ++r) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const Int32 column = columns[i].column;
            const std::string text = cellText(r, column);
            Seen& seen = m_cells[static_cast<std::size_t>(column)][static_cast<std::size_t>(r)];
            if (seen.text == nullptr || *seen.text != text) {
                const auto& entry = Measured(text, measure);
                seen.text = &entry.first;
                seen.width = entry.second;
            }
            widest[i] = std::max(widest[i], seen.width);
        }
    }
    std::vector<Int32> widths;
    widths.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        widths.push_back(fw::ToInt32(widest[i] + columns[i].extra));
    }
    return widths;
}

ColumnWidthsPlan PlanColumnWidths(const std::vector<Int32>& measured,
                                  const std::vector<bool>& hidden, bool verticalScrollBar,
                                  Int32 width) {
    fw::Int64 total = 0;
    for (Int32 w : measured) {
        total += w;
    }
    if (verticalScrollBar) {
        total += 16;
    }
    ColumnWidthsPlan plan;
    const std::size_t columns = measured.size();
    if (total >= width) {
        for (std::size_t c = 0; c < columns; ++c) {
            plan.widths += (c > 0 ? "," : "") + fw::Format(static_cast<double>(measured[c]), "#");
        }
        plan.horizontalScrollBar = true;
        return plan;
    }
    for (std::size_t c = 0; c < columns; ++c) {
        const bool last = c + 1 == columns;
        if (c < hidden.size() && hidden[c]) {
            plan.widths += last ? "0" : "0,";
        } else if (last) {
            plan.widths += "*";
        } else {
            // Only columns without a kind can leave the total at 0.
            const double share =
                total > 0 ? static_cast<double>(measured[c]) / static_cast<double>(total) * 100
                          : 0.0;
            plan.widths += fw::Format(share, "#") + "%,";
        }
    }
    return plan;
}
