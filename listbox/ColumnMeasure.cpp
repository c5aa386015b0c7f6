#include "listbox/ColumnMeasure.h"

#include "framework/core/Format.h"
#include "framework/core/Text.h"

#include <algorithm>
#include <limits>
#include <optional>

using fw::Int32;

namespace {

constexpr double kNone = -std::numeric_limits<double>::infinity();

double Measure(std::string_view text, fw::TextWidths& widths) {
    const std::optional<double> exact = widths.Exact(text);
    return exact ? *exact : widths.Shaped(text);
}

} // namespace

std::vector<Int32> ColumnMeasurer::Widths(const std::string& font,
                                          const std::vector<TextColumn>& columns, Int32 rows,
                                          const CellText& cellText, bool everything,
                                          const CellChanges& changed, fw::TextWidths& widths) {
    const RowTexts rowTexts = [&cellText](Int32 row, std::span<const Int32> wanted,
                                          std::string_view* out) {
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            out[i] = cellText(row, wanted[i]);
        }
    };
    return Widths(font, columns, rows, cellText, rowTexts, everything, changed, widths);
}

std::vector<Int32> ColumnMeasurer::Widths(const std::string& font,
                                          const std::vector<TextColumn>& columns, Int32 rows,
                                          const CellText& cellText, const RowTexts& rowTexts,
                                          bool everything, const CellChanges& changed,
                                          fw::TextWidths& widths) {
    rows = std::max(rows, 0);
    if (m_font != font || m_rows != rows || everything) {
        for (Column& column : m_columns) {
            column.kept = false;
        }
        m_font = font;
        m_rows = rows;
    } else {
        for (const auto& [row, c] : changed) {
            const auto index = static_cast<std::size_t>(c);
            if (row >= 0 && row < rows && c >= 0 && index < m_columns.size() &&
                m_columns[index].kept) {
                Update(m_columns[index], row, Measure(cellText(row, c), widths));
            }
        }
    }
    // Columns not measured now lose their widths: their cells are not followed meanwhile.
    std::vector<bool> wanted;
    for (const TextColumn& c : columns) {
        const auto index = static_cast<std::size_t>(c.column);
        if (m_columns.size() <= index) {
            m_columns.resize(index + 1);
        }
        if (wanted.size() <= index) {
            wanted.resize(index + 1);
        }
        wanted[index] = true;
    }
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (i >= wanted.size() || !wanted[i]) {
            m_columns[i] = Column{};
        }
    }

    // The widest cell of each column is shaped: if that differs from what Exact gave, Exact
    // is wrong for this font, and the second round shapes every text.
    for (int round = 0; round < 2; ++round) {
        std::vector<std::size_t> fresh;
        for (const TextColumn& c : columns) {
            const auto index = static_cast<std::size_t>(c.column);
            Column& column = m_columns[index];
            if (!column.kept && std::find(fresh.begin(), fresh.end(), index) == fresh.end()) {
                fresh.push_back(index);
            } else if (column.kept && column.atWidest == 0) {
                Rescan(column);
            }
        }
        MeasureAll(fresh, rows, rowTexts, widths);
        bool distrusted = false;
        for (const TextColumn& c : columns) {
            Column& column = m_columns[static_cast<std::size_t>(c.column)];
            if (column.confirmed || rows == 0) {
                continue;
            }
            if (column.widestRow < 0) {
                const auto at = std::find(column.cells.begin(), column.cells.end(),
                                          static_cast<float>(column.widest));
                column.widestRow = static_cast<Int32>(at - column.cells.begin());
            }
            if (column.widestRow >= rows) {
                Rescan(column);
            }
            const double shaped = widths.Shaped(cellText(column.widestRow, c.column));
            column.confirmed = true;
            if (shaped != column.widest) {
                distrusted = true;
            }
        }
        if (!distrusted) {
            break;
        }
        widths.Distrust();
        for (Column& column : m_columns) {
            column.kept = false;
        }
    }

    // Rounding is monotonic, so the widest text gives the widest rounded measure: each column
    // converts once.
    std::vector<Int32> result;
    result.reserve(columns.size());
    for (const TextColumn& c : columns) {
        const Column& column = m_columns[static_cast<std::size_t>(c.column)];
        const double widest = std::max(widths.Shaped(c.heading), column.widest);
        result.push_back(fw::ToInt32(widest + c.extra));
    }
    return result;
}

void ColumnMeasurer::MeasureAll(const std::vector<std::size_t>& columns, Int32 rows,
                                const RowTexts& rowTexts, fw::TextWidths& widths) {
    if (columns.empty()) {
        return;
    }
    // Row by row, as the list stores its cells; a text equal to the one above it in its
    // column (the texts are views into the list, which nothing changes meanwhile) takes that
    // one's width.
    struct Pass {
        Column* column;
        std::string_view last;
        double lastWidth = kNone;
        bool exact = true;
    };
    std::vector<Pass> passes;
    std::vector<Int32> indices;
    for (std::size_t index : columns) {
        Column& column = m_columns[index];
        column = Column{};
        // Filled row by row below: zeroing them first would be one more pass over them.
        column.cells.reserve(static_cast<std::size_t>(rows));
        column.widest = kNone;
        passes.push_back({&column, {}});
        indices.push_back(static_cast<Int32>(index));
    }
    // The next row's texts are asked for, and their characters fetched, a row ahead: the
    // cells lie apart in memory, and waiting for each in turn would take most of the time.
    std::vector<std::string_view> next(passes.size());
    auto fetch = [&](Int32 r) {
        rowTexts(r, indices, next.data());
        for (const std::string_view text : next) {
            __builtin_prefetch(text.data());
        }
    };
    std::vector<std::string_view> texts(passes.size());
    if (rows > 0) {
        fetch(0);
    }
    for (Int32 r = 0; r < rows; ++r) {
        texts.swap(next);
        if (r + 1 < rows) {
            fetch(r + 1);
        }
        for (std::size_t i = 0; i < passes.size(); ++i) {
            Pass& p = passes[i];
            const std::string_view text = texts[i];
            double w = p.lastWidth;
            if (r == 0 || text != p.last) {
                w = Measure(text, widths);
                p.last = text;
                p.lastWidth = w;
            }
            Column& column = *p.column;
            const auto stored = static_cast<float>(w);
            column.cells.push_back(stored);
            p.exact = p.exact && static_cast<double>(stored) == w;
            if (w > column.widest) {
                column.widest = w;
                column.atWidest = 1;
                column.widestRow = r;
            } else if (w == column.widest) {
                ++column.atWidest;
            }
        }
    }
    for (Pass& p : passes) {
        p.column->kept = p.exact;
    }
}

void ColumnMeasurer::Update(Column& column, Int32 row, double width) {
    float& slot = column.cells[static_cast<std::size_t>(row)];
    const double old = slot;
    const auto stored = static_cast<float>(width);
    slot = stored;
    if (static_cast<double>(stored) != width) {
        column.kept = false;
        return;
    }
    if (row == column.widestRow) {
        column.confirmed = false;
    }
    if (width > column.widest) {
        column.widest = width;
        column.atWidest = 1;
        column.widestRow = row;
        return;
    }
    if (old == column.widest) {
        --column.atWidest;
    }
    if (width == column.widest) {
        ++column.atWidest;
    } else if (row == column.widestRow) {
        column.widestRow = -1;
    }
}

void ColumnMeasurer::Rescan(Column& column) {
    column.widest = kNone;
    column.atWidest = 0;
    column.widestRow = -1;
    column.confirmed = false;
    for (std::size_t r = 0; r < column.cells.size(); ++r) {
        const double w = column.cells[r];
        if (w > column.widest) {
            column.widest = w;
            column.atWidest = 1;
            column.widestRow = static_cast<Int32>(r);
        } else if (w == column.widest) {
            ++column.atWidest;
        }
    }
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
