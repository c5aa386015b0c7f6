#pragma once

#include "pickers/wCal.h"
#include "pickers/wTim.h"

#include <array>
#include <memory>

// Access to the pickers' private state and methods, for tests.
struct wCalTestAccess {
    static fw::DatePtr& IntDate(wCal& c) { return c.IntDate; }
    static fw::DatePtr& OrigIntDate(wCal& c) { return c.OrigIntDate; }
    static const std::array<std::array<fw::Int32, 7>, 6>& CellSelect(const wCal& c) {
        return c.CellSelect;
    }
    static bool NoChange(const wCal& c) { return c.NoChange; }
    static void Setup(wCal& c) { c.Setup(); }
    static void SetCal(wCal& c) { c.SetCal(); }
    static bool IsToday(wCal& c) { return c.IsToday(); }
    static void AddDay(wCal& c, fw::DatePtr& d, fw::Int32 n) { c.AddDay(d, n); }
    static void MinusDay(wCal& c, fw::DatePtr& d, fw::Int32 n) { c.MinusDay(d, n); }

    // GetDate's preparation without its placement and modal display: the working and given
    // dates from date at 00:00:00, then Setup.
    static void Prepare(wCal& c, const fw::Date& date) {
        c.IntDate = std::make_shared<fw::Date>();
        c.IntDate->TotalSeconds(date.TotalSeconds());
        c.IntDate->Hour(0);
        c.IntDate->Minute(0);
        c.IntDate->Second(0);
        c.OrigIntDate = std::make_shared<fw::Date>();
        c.OrigIntDate->TotalSeconds(c.IntDate->TotalSeconds());
        c.Setup();
    }
};

struct wTimTestAccess {
    static fw::DatePtr& IntTime(wTim& t) { return t.IntTime; }
    static fw::DatePtr& OrigIntTime(wTim& t) { return t.OrigIntTime; }
};
