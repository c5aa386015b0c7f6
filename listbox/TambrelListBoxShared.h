#pragma once

#include "framework/core/Types.h"
#include "framework/core/Variant.h"

// Between the control's translation units.
namespace tambrel_listbox_detail {

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
