#pragma once

#include "framework/core/Types.h"
#include "framework/core/Variant.h"

// Between the control's translation units.
namespace tambrel_listbox_detail {

// The list box's ColumnAlignment codes this control sets and reads.
inline constexpr fw::Int32 kAlignDefault = 0;
inline constexpr fw::Int32 kAlignLeft = 1;
inline constexpr fw::Int32 kAlignCentre = 2;
inline constexpr fw::Int32 kAlignRight = 3;
inline constexpr fw::Int32 kAlignDecimal = 4;

// TableType 1 and 2 frame every cell.
inline bool HasFramedCells(fw::Int32 tableType) {
    return tableType == 1 || tableType == 2;
}

// A date, time or date-time cell holding this has no date: it shows and offers nothing.
inline bool IsNoDate(const fw::Variant& value) {
    return value.IsNil() ||
           (value.GetType() == fw::Variant::Type::String && value.ToString().empty());
}

} // namespace tambrel_listbox_detail
