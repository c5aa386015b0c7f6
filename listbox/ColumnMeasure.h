#pragma once

#include "framework/core/Types.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// A column whose texts set its width: the widest of its heading and cell texts plus extra.
struct TextColumn {
    fw::Int32 column;
    double extra;
    std::string heading;
};

// Measures the texts of columns, keeping every width while the font they are measured in stays
// the same: a text's width depends on nothing else, so each kept width is exactly what a fresh
// measurement gives. Per cell, the text last seen there and its width save the look-up when
// the cell has not changed.
class ColumnMeasurer {
public:
    using MeasureText = std::function<double(const std::string&)>;
    using CellText = std::function<std::string(fw::Int32 row, fw::Int32 column)>;

    // The whole-pixel width of each column, in the order given. font names the measuring
    // surface's font (its MeasuringKey): a different one forgets every width kept.
    std::vector<fw::Int32> Widths(const std::string& font, const std::vector<TextColumn>& columns,
                                  fw::Int32 rows, const CellText& cellText,
                                  const MeasureText& measure);

private:
    const std::pair<const std::string, double>& Measured(const std::string& text,
                                                         const MeasureText& measure);

    struct Seen {
        const std::string* text = nullptr; // a key of m_widths
        double width = 0;
    };
    std::string m_font;
    std::unordered_map<std::string, double> m_widths;
    std::vector<std::vector<Seen>> m_cells; // by column, then row
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
