#pragma once

#include "framework/core/TextWidths.h"
#include "framework/core/Types.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A column whose texts set its width: the widest of its heading and cell texts plus extra.
struct TextColumn {
    fw::Int32 column;
    double extra;
    std::string heading;
};

// Measures the texts of columns and keeps one width per cell, so that the next call measures
// only the cells whose texts changed. Widths are exact: each is what shaping the text gives,
// found by fw::TextWidths without shaping where the font allows it; the widest cell of each
// column is shaped anyway to confirm it.
class ColumnMeasurer {
public:
    using CellText = std::function<std::string_view(fw::Int32 row, fw::Int32 column)>;
    // The texts of one row in the columns given, into out (as many as columns).
    using RowTexts = std::function<void(fw::Int32 row, std::span<const fw::Int32> columns,
                                        std::string_view* out)>;
    using CellChanges = std::vector<std::pair<fw::Int32, fw::Int32>>; // (row, column)

    // The whole-pixel width of each column, in the order given. font names the measuring
    // surface's font (its MeasuringKey): a different one forgets every width kept, as do a
    // different row count and everything. Otherwise changed lists every cell whose text may
    // differ from the last call's.
    std::vector<fw::Int32> Widths(const std::string& font, const std::vector<TextColumn>& columns,
                                  fw::Int32 rows, const CellText& cellText, bool everything,
                                  const CellChanges& changed, fw::TextWidths& widths);
    // The same, with rowTexts giving what cellText gives a row at a time, for the passes over
    // every row.
    std::vector<fw::Int32> Widths(const std::string& font, const std::vector<TextColumn>& columns,
                                  fw::Int32 rows, const CellText& cellText,
                                  const RowTexts& rowTexts, bool everything,
                                  const CellChanges& changed, fw::TextWidths& widths);

private:
    struct Column {
        std::vector<float> cells; // by row
        double widest = 0;        // of the cells; -infinity without rows
        fw::Int32 atWidest = 0;   // how many cells are that wide
        fw::Int32 widestRow = -1; // one of them, -1 when not known
        bool kept = false;        // cells and the widest hold for the texts as they are
        bool confirmed = false;   // the text at widestRow was shaped and gave widest
    };
    void MeasureAll(const std::vector<std::size_t>& columns, fw::Int32 rows,
                    const RowTexts& rowTexts, fw::TextWidths& widths);
    void Update(Column& column, fw::Int32 row, double width);
    static void Rescan(Column& column);

    std::string m_font;
    fw::Int32 m_rows = -1;
    std::vector<Column> m_columns; // by column index
};

// The ColumnWidths list for measured widths in a list width pixels wide. When they fit, every
// shown column but the last gets its share of the total in percent and the last takes the rest
// ("*"); otherwise every column gets its measured width and the list needs a horizontal
// scroll bar. A vertical scroll bar takes 16 pixels of the total.
struct ColumnWidthsPlan {
    std::string widths;
    bool horizontalScrollBar = false;
};
ColumnWidthsPlan PlanColumnWidths(const std::vector<fw::Int32>& measured,
                                  const std::vector<bool>& hidden, bool verticalScrollBar,
                                  fw::Int32 width);
