#include "app/Streams.h"

namespace {

// One entry per line: the name with its blank, then the value bytes. Strings are a 4-byte
// big-endian byte count followed by their text.
// clang-format off
constexpr char kWindow1Bytes[] =
    "Placement " "\x00\x00\x00\x02"
    "Width " "\x00\x00\x03\x59"
    "Height " "\x00\x00\x01\xBF"
    "MinWidth " "\x00\x00\x00\x40"
    "MinHeight " "\x00\x00\x00\x40"
    "MaxWidth " "\x00\x00\x7D\x00"
    "MaxHeight " "\x00\x00\x7D\x00"
    "Frame " "\x00\x00\x00\x00"
    "Composite " "\x01"
    "HasBackColor " "\x01"
    "BackColor " "\xFF\xFF\xFF"
    "Title " "\x00\x00\x00\x08" "Untitled"
    "Visible " "\x01"
    "FullScreen " "\x01"
    "MenuBarVisible " "\x01"
    "CloseButton " "\x01"
    "Resizeable " "\x01"
    "LiveResize " "\x01"
    "MaximizeButton " "\x00"
    "MinimizeButton " "\x01"
    "MacProcID " "\x00\x00\x00\x00";

constexpr char kLb1Bytes[] =
    "Name " "\x00\x00\x00\x03" "lb1"
    "Index " "\x80\x00\x00\x00"
    "Left " "\x00\x00\x00\x14"
    "Top " "\x00\x00\x00\x0E"
    "Width " "\x00\x00\x03\x31"
    "Height " "\x00\x00\x01\x9D"
    "LockLeft " "\x01"
    "LockTop " "\x01"
    "LockRight " "\x01"
    "LockBottom " "\x01"
    "TabPanelIndex " "\x00\x00\x00\x00"
    "TabIndex " "\x00\x00\x00\x01"
    "TabStop " "\x01"
    "TableType " "\x00\x00\x00\x01"
    "Visible " "\x01"
    "HelpTag " "\x00\x00\x00\x00"
    "AutoDeactivate " "\x01"
    "Enabled " "\x01"
    "Border " "\x01"
    "BackColor " "\xFF\xFF\xFF"
    "AlternateColor " "\xFF\xFF\xFF"
    "HighlightColor " "\x80\x00\xFF"
    "BoxColor " "\x7F\x7F\x7F"
    "ProgBarColor " "\xFF\xFF\x66"
    "ColumnCount " "\x00\x00\x00\x0B"
    "ColumnWidths " "\x00\x00\x00\x00"
    "HideColumns " "\x00\x00\x00\x01" "0"
    "ColumnTypes " "\x00\x00\x00\x1A" "i,i,se,ce,b,d,s,te,me,ae,p"
    "ColAlignment " "\x00\x00\x00\x16" "l,c,l,d3,c,c,r,c,c,c,c"
    "HasHeading " "\x01"
    "UseFocusRing " "\x00"
    "InitialValue " "\x00\x00\x00\x5D" "Key,No.,Long String,Currency ,Checkbox,Drop Down,Right String,The Date,Time,DateTime,Progress"
    "HeadingIndex " "\xFF\xFF\xFF\xFF"
    "ScrollbarHorizontal " "\x00"
    "ScrollBarVertical " "\x01"
    "GridLinesHorizontal " "\x00\x00\x00\x00"
    "GridLinesVertical " "\x00\x00\x00\x00"
    "DefaultRowHeight " "\xFF\xFF\xFF\xFF"
    "_ScrollWidth " "\xFF\xFF\xFF\xFF"
    "TextColor " "\x00\x40\x80"
    "TextFont " "\x00\x00\x00\x07" "Verdana"
    "Bold " "\x00"
    "Italic " "\x00"
    "Underline " "\x00"
    "InitialParent " "\x00\x00\x00\x00"
    "Hierarchical " "\x00"
    "EnableDrag " "\x00"
    "EnableDragReorder " "\x00"
    "RequiresSelection " "\x00"
    "SelectionType " "\x00\x00\x00\x00"
    "ColumnsResizable " "\x00"
    "AutoHideScrollbars " "\x01"
    "DataSource " "\x00\x00\x00\x00"
    "DataField " "\x00\x00\x00\x00"
    "DateFormat " "\x00\x00\x00\x0D" "n, d mmm yyyy"
    "TimeFormat " "\x00\x00\x00\x07" "HH:MMap"
    "DateTimeFormat " "\x00\x00\x00\x11" "dd-mm-yy hh:tt ap"
    "IntegerFormat " "\x00\x00\x00\x02" "-#"
    "CurrencyFormat " "\x00\x00\x00\x11" "#,0.00;(#,0.00);\\"
    "NumberFormat " "\x00\x00\x00\x06" "-#0.00";

// clang-format on

// The literal's own terminator is not part of the stream.
static_assert(sizeof(kWindow1Bytes) - 1 == kWindow1StreamLength);
static_assert(sizeof(kLb1Bytes) - 1 == kLb1StreamLength);

} // namespace

const std::string_view kWindow1Stream(kWindow1Bytes, kWindow1StreamLength);
const std::string_view kLb1Stream(kLb1Bytes, kLb1StreamLength);
