// The control's painting of its cells and of the drop-down arrows.
#include "framework/core/Format.h"
#include "framework/core/Text.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Picture.h"
#include "listbox/TambrelListBox.h"
#include "listbox/TambrelListBoxShared.h"

#include <cmath>
#include <cstdlib>

using fw::Color;
using fw::Graphics;
using fw::Int32;
using fw::Picture;
using fw::Str;
using fw::ToInt32;
using fw::Uppercase;
using namespace tambrel_listbox_detail;

namespace {

constexpr Color kWhite{0xFFFFFF};
constexpr Color kBlack{0x000000};
constexpr Color kArrowLight{0xCCCCCC};
constexpr Color kArrowDark{0x7F7F7F};

// A segment table row: the pixels x1 to x2 of row y.
struct Segment {
    Int32 y;
    Int32 x1;
    Int32 x2;
};

void DrawArrowPicture(Graphics& g, Int32 width, Int32 height, Color background,
                      const std::vector<Segment>& light, const std::vector<Segment>& dark, Int32 x,
                      Int32 y) {
    Picture p(width, height, 32);
    Graphics& pg = p.Graphics();
    pg.ForeColor(background);
    pg.FillRect(0, 0, pg.Width(), pg.Height());
    pg.ForeColor(kArrowLight);
    for (const Segment& s : light) {
        pg.DrawLine(s.x1, s.y, s.x2, s.y);
    }
    pg.ForeColor(kArrowDark);
    for (const Segment& s : dark) {
        pg.DrawLine(s.x1, s.y, s.x2, s.y);
    }
    g.DrawPicture(p, x, y);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Cell painting

bool TambrelListBox::Event_CellBackgroundPaint(Graphics& g, Int32 row, Int32 column) {
    const Color stripe = row % 2 == 0 ? AlternateColor : BackColor;
    g.ForeColor(stripe);
    g.FillRect(0, 0, g.Width(), g.Height());
    if (row < 0 || column < 0 || row >= ListCount() || column >= ColumnCount()) {
        return true;
    }
    const bool selected = Selected(row);
    if (selected) {
        g.ForeColor(HighlightColor);
        g.FillRect(0, 0, g.Width(), g.Height());
    }
    g.ForeColor(BoxColor);
    if (selected) {
        g.ForeColor(OppositeColor(g.ForeColor()));
    }
    if (TableType == 1) {
        g.DrawRoundRect(2, 2, g.Width() - 4, g.Height() - 4, 5, 5);
    } else if (TableType == 2) {
        g.DrawRect(2, 2, g.Width() - 4, g.Height() - 4);
    }

    const Int32 kind = KindOf(column);
    if (kind == KindDropDown) {
        const Color arrowBack = selected ? HighlightColor : stripe;
        if (!Cell(row, column).empty()) {
            DrawRightArrow(g, arrowBack);
            DrawLeftArrow(g, arrowBack);
        } else {
            const auto c = static_cast<std::size_t>(column);
            DrawDownArrow(g, c < DropOrient.size() ? DropOrient[c] : std::string(), arrowBack);
        }
    } else if (kind == KindProgressBar) {
        g.ForeColor(kWhite);
        g.FillRect(4, 4, g.Width() - 8, g.Height() - 8);
        g.ForeColor(selected ? kWhite : kBlack);
        g.DrawRect(4, 4, g.Width() - 8, g.Height() - 8);
    }
    return true;
}

bool TambrelListBox::Event_CellTextPaint(Graphics& g, Int32 row, Int32 column, Int32, Int32) {
    if (row < 0 || row >= ListCount() || column < 0 || column >= ColumnCount()) {
        return false;
    }
    const bool selected = Selected(row);
    g.ForeColor(TextColor);
    if (selected) {
        g.ForeColor(OppositeColor(g.ForeColor()));
    }
    const Int32 alignment = ColumnAlignment(column);
    if (alignment == fw::ListAlignment::Decimal) {
        return false;
    }
    if (KindOf(column) == KindProgressBar) {
        if (row > PBMaxVals.UBound1() || column > PBMaxVals.UBound2()) {
            return true;
        }
        const double v = CellTag(row, column).ToDouble();
        const double m = PBMaxVals.At(row, column);
        double f = v / m;
        if (f > 1) {
            f = 1;
        }
        // A cell without a usable maximum gets an empty well rather than "NaN%".
        if (m == 0 || !std::isfinite(f)) {
            return true;
        }
        g.ForeColor(ProgBarColor);
        const Int32 barWidth = ToInt32((g.Width() - 6) * f);
        if (barWidth > 0 && g.Height() - 10 > 0) {
            g.FillRect(1, 5, barWidth, g.Height() - 10);
        }
        g.ForeColor(TextColor);
        WriteString(g, Str(f * 100, "##0") + "%", PlaceCentre);
        return true;
    }
    if (const std::optional<TextPlace> place = TextPlaceOf(alignment)) {
        WriteString(g, Cell(row, column), *place);
    }
    return true;
}

std::optional<TambrelListBox::TextPlace> TambrelListBox::TextPlaceOf(Int32 columnAlignment) {
    switch (columnAlignment) {
    case fw::ListAlignment::Default:
    case fw::ListAlignment::Left:
        return PlaceLeft;
    case fw::ListAlignment::Center:
        return PlaceCentre;
    case fw::ListAlignment::Right:
        return PlaceRight;
    default:
        return std::nullopt;
    }
}

Color TambrelListBox::OppositeColor(Color colour) {
    return fw::RGB(255 - colour.Red(), 255 - colour.Green(), 255 - colour.Blue());
}

void TambrelListBox::WriteString(Graphics& g, const std::string& text, Int32 alignment) {
    const Int32 y = ToInt32((g.Height() - g.TextHeight()) / 2.0 + g.TextAscent() + 1);
    Int32 x = 0;
    if (alignment == PlaceLeft) {
        x = HasFramedCells(TableType) ? 3 : 0;
    } else if (alignment == PlaceCentre) {
        x = ToInt32((g.Width() - g.StringWidth(text)) / 2);
        if (x < 3) {
            x = 3;
        }
    } else if (alignment == PlaceRight) {
        x = ToInt32(g.Width() - g.StringWidth(text) - (HasFramedCells(TableType) ? 4 : 2));
        if (x < 3) {
            x = 3;
        }
    }
    g.DrawString(text, x, y, g.Width(), true);
}

// ---------------------------------------------------------------------------------------------
// Drop-down arrows

void TambrelListBox::DrawLeftArrow(Graphics& g, Color colour) {
    std::vector<Segment> light;
    std::vector<Segment> dark;
    for (Int32 y = 0; y <= 12; ++y) {
        light.push_back({y, std::abs(6 - y), 8});
        if (y >= 1 && y <= 11) {
            dark.push_back({y, std::abs(6 - y) + 1, 7});
        }
    }
    DrawArrowPicture(g, 9, 13, colour, light, dark, g.Width() - 16,
                     ToInt32((g.Height() - 13) / 2.0));
}

void TambrelListBox::DrawRightArrow(Graphics& g, Color colour) {
    std::vector<Segment> light;
    std::vector<Segment> dark;
    for (Int32 y = 0; y <= 12; ++y) {
        light.push_back({y, 0, 8 - std::abs(6 - y)});
        if (y >= 1 && y <= 11) {
            dark.push_back({y, 1, 7 - std::abs(6 - y)});
        }
    }
    DrawArrowPicture(g, 9, 13, colour, light, dark, 7, ToInt32((g.Height() - 13) / 2.0));
}

void TambrelListBox::DrawDownArrow(Graphics& g, const std::string& side, Color colour) {
    static const std::vector<Segment> light = {{2, 0, 10}, {3, 0, 10}, {4, 0, 10}, {5, 1, 9},
                                               {6, 2, 8},  {7, 3, 7},  {8, 4, 6},  {9, 5, 5}};
    static const std::vector<Segment> dark = {{3, 1, 9}, {4, 1, 9}, {5, 2, 8},
                                              {6, 3, 7}, {7, 4, 6}, {8, 5, 5}};
    const Int32 x = Uppercase(side) == "L" ? 6 : g.Width() - 17;
    DrawArrowPicture(g, 11, 11, colour, light, dark, x, ToInt32((g.Height() - 11) / 2.0));
}
