// TambrelListBox's public interface on fuzzed calls: column type, alignment and hidden-column
// codes, format patterns, values of every kind, drop-down lists, progress maxima, fonts and
// sizes, property streams, then measuring and painting (through the real list widget and
// cell by cell). Only the framework's own exceptions may come out of a call.
#include "framework/core/Exceptions.h"
#include "framework/core/PropertyStream.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Picture.h"
#include "fuzz/FuzzInput.h"
#include "listbox/TambrelListBox.h"
#include "tests/support/ListBoxAccess.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using fw::Int32;
using fw::Variant;

namespace {

constexpr Int32 kMaxRows = 40;
constexpr Int32 kMaxGrabPixels = 1200 * 900;

// A row or column index: mostly inside 0..count-1 or just outside, sometimes any Int32.
Int32 Index(FuzzInput& input, Int32 count) {
    const std::uint8_t b = input.Byte();
    if (b == 0xFF) {
        return input.Int32();
    }
    return static_cast<Int32>(b % (static_cast<unsigned>(count) + 2)) - 1;
}

double Number(FuzzInput& input) {
    const std::uint8_t kind = input.Byte() % 4;
    if (kind == 0) {
        return input.Double();
    }
    return static_cast<double>(input.Int32()) / (kind == 1 ? 1.0 : kind == 2 ? 100.0 : 1e4);
}

Variant Value(FuzzInput& input) {
    switch (input.Byte() % 8) {
    case 0:
        return {};
    case 1:
        return input.Bool();
    case 2:
        return input.Int32();
    case 3:
        return Number(input);
    case 4: {
        const std::int64_t high = input.Int32();
        const std::uint32_t low = static_cast<std::uint32_t>(input.Int32());
        return fw::Currency::FromUnits(
            static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low));
    }
    case 5: {
        auto d = std::make_shared<fw::Date>(1980, 2, 9, 14, 5, 7);
        d->TotalSeconds(Number(input) * (input.Bool() ? 86400.0 : 1.0));
        return d;
    }
    default:
        return input.String(24);
    }
}

double FontSize(FuzzInput& input) {
    const std::uint8_t kind = input.Byte();
    if (kind < 0xF0) {
        return kind % 48;
    }
    return input.Double();
}

std::string Pattern(FuzzInput& input) {
    static const char* const kPatterns[] = {
        "-#",         "#,0.00;(#,0.00);\\", "-#0.00", "dd-mm-yyyy", "HH:MMap",  "dd-mm-yy hh:tt ap",
        "ddd mmmm n", "hhh:mm:ss am/pm",    "0%",     "+#.##e0",    "\\$#,##0", "nn, yy",
    };
    const std::uint8_t kind = input.Byte();
    if (kind < 0x80) {
        return kPatterns[kind % std::size(kPatterns)];
    }
    return input.String(32);
}

void Paint(TambrelListBox& lb) {
    QWidget* widget = lb.NativeWidget();
    if (widget == nullptr || static_cast<std::int64_t>(lb.Width()) * lb.Height() > kMaxGrabPixels) {
        return;
    }
    const QImage image = widget->grab().toImage();
    (void)image;
}

void PaintCell(TambrelListBox& lb, FuzzInput& input) {
    const Int32 width = input.Byte() % 160;
    const Int32 height = input.Byte() % 48;
    const Int32 row = Index(input, lb.ListCount());
    const Int32 column = Index(input, lb.ColumnCount());
    fw::Picture picture(std::max(width, 1), std::max(height, 1), 32);
    fw::Graphics& g = picture.Graphics();
    lb.Event_CellBackgroundPaint(g, row, column);
    lb.Event_CellTextPaint(g, row, column, 0, height / 2);
}

void Step(TambrelListBox& lb, FuzzInput& input) {
    switch (input.Byte() % 24) {
    case 0:
        lb.ColumnCount(input.Byte() % 14);
        break;
    case 1:
        lb.ColumnTypes = input.String(40);
        break;
    case 2:
        lb.ColAlignment = input.String(40);
        break;
    case 3:
        lb.HideColumns = input.String(24);
        break;
    case 4: {
        std::string* const patterns[] = {&lb.IntegerFormat, &lb.CurrencyFormat, &lb.NumberFormat,
                                         &lb.DateFormat,    &lb.TimeFormat,     &lb.DateTimeFormat};
        *patterns[input.Byte() % 6] = Pattern(input);
        break;
    }
    case 5:
        lb.TableType = input.SmallInt32();
        break;
    case 6:
        lb.TextSize(FontSize(input));
        break;
    case 7:
        lb.Width(input.Bool() ? input.Byte() * 4 : input.Int32());
        lb.Height(input.Bool() ? input.Byte() * 2 : input.Int32());
        break;
    case 8:
        lb.Event_Open();
        break;
    case 9:
        lb.Reset();
        break;
    case 10:
        if (lb.ListCount() < kMaxRows) {
            lb.NewRow();
        }
        break;
    case 11: {
        const Int32 column = Index(input, lb.ColumnCount());
        lb.SetValue(column, Value(input));
        break;
    }
    case 12: {
        const Int32 row = Index(input, lb.ListCount());
        const Int32 column = Index(input, lb.ColumnCount());
        const Variant value = Value(input);
        const std::string before = lb.Cell(row, column);
        lb.UpdateValue(row, column, value);
        // A column with a kind keeps the value itself; a plain one is left alone.
        if (TambrelListBoxTestAccess::ColType(lb)[static_cast<std::size_t>(column)] != 0) {
            FUZZ_CHECK(lb.GetValue(row, column).GetType() == value.GetType());
        } else {
            FUZZ_CHECK(lb.Cell(row, column) == before);
        }
        break;
    }
    case 13: {
        const Int32 row = Index(input, lb.ListCount());
        const Int32 column = Index(input, lb.ColumnCount());
        lb.SetDropDownList(row, column, input.String(40));
        break;
    }
    case 14: {
        const Int32 row = Index(input, lb.ListCount());
        const Int32 column = Index(input, lb.ColumnCount());
        lb.SetPBMaxValue(row, column, Number(input));
        break;
    }
    case 15: {
        const Int32 row = Index(input, lb.ListCount());
        const Int32 column = Index(input, lb.ColumnCount());
        (void)lb.GetValue(row, column).ToString();
        break;
    }
    case 16:
        lb.ResizeColumns();
        break;
    case 17:
        Paint(lb);
        break;
    case 18:
        PaintCell(lb, input);
        break;
    case 19:
        fw::RuntimeMassPropertySetter(lb, input.String(120));
        break;
    case 20:
        lb.InitialValue(input.String(40));
        break;
    case 21:
        lb.DefaultRowHeight(input.SmallInt32());
        break;
    case 22: {
        const fw::Color colour = fw::RGB(input.Byte(), input.Byte(), input.Byte());
        fw::Color* const colours[] = {&lb.BackColor,      &lb.HighlightColor, &lb.TextColor,
                                      &lb.AlternateColor, &lb.BoxColor,       &lb.ProgBarColor};
        *colours[input.Byte() % 6] = colour;
        break;
    }
    default: {
        static const char* const kFonts[] = {"System", "SmallSystem", "DejaVu Sans", "Nonesuch"};
        lb.TextFont(kFonts[input.Byte() % 4]);
        lb.Bold(input.Bool());
        lb.Italic(input.Bool());
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt keeps the arguments; the fuzzer's own options are none of its business.
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    // Kept for the whole run: the fuzzer never returns from its loop to destroy it.
    new QApplication(qtArgc, qtArgv);
    fw::RegisterFrameworkClasses();
    TambrelListBox::RegisterClass();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    TambrelListBox lb;
    lb.Width(300);
    lb.Height(200);
    lb.ColumnCount(4);
    lb.ColumnTypes = "s,i,c,t";
    for (int steps = 0; steps < 200 && !input.Empty(); ++steps) {
        try {
            Step(lb, input);
        } catch (const fw::RuntimeException&) {
            // Refused as documented: a cell outside the list, a malformed stream, ...
        }
    }
    // Whatever the calls left, the list can still be measured and painted.
    try {
        lb.ResizeColumns();
    } catch (const fw::RuntimeException&) {
    }
    Paint(lb);
    return 0;
}
