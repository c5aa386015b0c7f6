#include "pickers/wCal.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/PropertyStream.h"
#include "framework/core/Text.h"
#include "framework/ui/Screen.h"
#include "pickers/ControlCreation.h"
#include "pickers/PickerPlacement.h"
#include "pickers/Streams.h"

#include <algorithm>
#include <cstdint>
#include <string>

using fw::Int32;

namespace {

constexpr double kSecondsPerDay = 86400.0;

fw::Date& Deref(const fw::DatePtr& date, const char* what) {
    if (date == nullptr) {
        throw fw::NilObjectException(std::string("The calendar has no ") + what);
    }
    return *date;
}

// The year the year pop-up names. When the working year lies so far ahead that it is not in
// the list, no row is selected and the pop-up's text is empty; the working date's own year is
// then the one shown, never year 0.
Int32 YearShown(const fw::PopupMenu& years, const fw::Date& workingDate) {
    if (years.ListIndex() < 0 || years.ListIndex() >= years.ListCount()) {
        return workingDate.Year();
    }
    return fw::ToInt32(fw::Val(years.Text()));
}

Int32 DaysInMonth(Int32 year, Int32 month) {
    const fw::Date first(year, month, 1);
    fw::Date next(year, month, 1);
    next.Month(month + 1);
    return fw::ToInt32((next.TotalSeconds() - first.TotalSeconds()) / kSecondsPerDay);
}

} // namespace

wCal::wCal() {
    for (auto& row : CellSelect) {
        row.fill(0);
    }
    NoChange = false;
}

std::shared_ptr<wCal> wCal::Instance() {
    return fw::ImplicitInstance<wCal>("wCal.wCal");
}

void wCal::RegisterClass() {
    fw::ClassRegistry::Instance().Register(fw::ClassInfo{"wCal.wCal", "Window", {}});
}

void wCal::Layout() {
    fw::_SetProperties(*this, kWCalStream);
}

void wCal::CreateControls() {
    _CreateControls0();
}

void wCal::_CreateControls0() {
    CreateDesignedControl<fw::PopupMenu>(*this, "puMonth", kPuMonthStream);
    ControlAs<fw::PopupMenu>("puMonth").Change.Bind(this, &wCal::puMonth_Change, "( PopupMenu )");

    CreateDesignedControl<fw::PopupMenu>(*this, "puYear", kPuYearStream);
    ControlAs<fw::PopupMenu>("puYear").Change.Bind(this, &wCal::puYear_Change, "( PopupMenu )");

    CreateDesignedControl<fw::Listbox>(*this, "lbCal", kLbCalStream);
    ControlAs<fw::Listbox>("lbCal").Open.Bind(this, &wCal::lbCal_Open, "( Listbox )");
    ControlAs<fw::Listbox>("lbCal").CellBackgroundPaint.Bind(
        this, &wCal::lbCal_CellBackgroundPaint, "( Listbox, Graphics, Int32, Int32 ) as Boolean");
    ControlAs<fw::Listbox>("lbCal").CellClick.Bind(
        this, &wCal::lbCal_CellClick, "( Listbox, Int32, Int32, Int32, Int32 ) as Boolean");
    ControlAs<fw::Listbox>("lbCal").DoubleClick.Bind(this, &wCal::lbCal_DoubleClick, "( Listbox )");
    ControlAs<fw::Listbox>("lbCal").CellTextPaint.Bind(
        this, &wCal::lbCal_CellTextPaint,
        "( Listbox, Graphics, Int32, Int32, Int32, Int32 ) as Boolean");

    CreateDesignedControl<fw::BevelButton>(*this, "btnLeft", kBtnLeftStream);
    ControlAs<fw::BevelButton>("btnLeft").Action.Bind(this, &wCal::btnLeft_Action,
                                                      "( BevelButton )");

    CreateDesignedControl<fw::BevelButton>(*this, "btnRight", kBtnRightStream);
    ControlAs<fw::BevelButton>("btnRight")
        .Action.Bind(this, &wCal::btnRight_Action, "( BevelButton )");

    CreateDesignedControl<fw::BevelButton>(*this, "btnToday", kBtnTodayStream);
    ControlAs<fw::BevelButton>("btnToday")
        .Action.Bind(this, &wCal::btnToday_Action, "( BevelButton )");

    CreateDesignedControl<fw::Label>(*this, "lblDate", kLblDateStream);
}

fw::PopupMenu& wCal::puMonth() {
    return ControlAs<fw::PopupMenu>("puMonth");
}

fw::PopupMenu& wCal::puYear() {
    return ControlAs<fw::PopupMenu>("puYear");
}

fw::Listbox& wCal::lbCal() {
    return ControlAs<fw::Listbox>("lbCal");
}

fw::BevelButton& wCal::btnLeft() {
    return ControlAs<fw::BevelButton>("btnLeft");
}

fw::BevelButton& wCal::btnRight() {
    return ControlAs<fw::BevelButton>("btnRight");
}

fw::BevelButton& wCal::btnToday() {
    return ControlAs<fw::BevelButton>("btnToday");
}

fw::Label& wCal::lblDate() {
    return ControlAs<fw::Label>("lblDate");
}

void wCal::puMonth_Change(fw::PopupMenu&) {
    if (!NoChange) {
        DoChange();
    }
}

void wCal::puYear_Change(fw::PopupMenu&) {
    if (!NoChange) {
        DoChange();
    }
}

void wCal::lbCal_Open(fw::Listbox& sender) {
    sender.InitialValue(fw::ReplaceAll(sender.InitialValue(), ",", fw::Chr(9)));
    for (Int32 column = 0; column <= sender.ColumnCount() - 1; ++column) {
        sender.ColumnAlignment(column, 2);
    }
}

bool wCal::lbCal_CellBackgroundPaint(fw::Listbox& sender, fw::Graphics& g, Int32 row,
                                     Int32 column) {
    g.ForeColor(fw::Color(0xFFFFFF));
    g.FillRect(0, 0, g.Width(), g.Height());
    // Row positions below the last row: white, and nothing of them is read.
    if (row >= sender.ListCount()) {
        return true;
    }
    // Month, then year, then day: each test only when the one before held.
    const double year = IntDate != nullptr ? static_cast<double>(YearShown(puYear(), *IntDate))
                                           : fw::Val(puYear().Text());
    auto showsDate = [&](const fw::Date& d) {
        return puMonth().ListIndex() == d.Month() - 1 && year == static_cast<double>(d.Year()) &&
               fw::Val(sender.Cell(row, column)) == static_cast<double>(d.Day());
    };
    if (CellSelectAt(row, column) == 1) {
        g.ForeColor(fw::Color(0x66CCFF));
        g.FillRect(0, 0, g.Width(), g.Height());
        g.ForeColor(fw::Color(0x000000));
        g.DrawRect(0, 0, g.Width(), g.Height());
    } else if (OrigIntDate != nullptr && showsDate(*OrigIntDate)) {
        g.ForeColor(fw::Color(0xFFFF66));
        g.FillRect(0, 0, g.Width(), g.Height());
    } else if (showsDate(fw::Date())) {
        g.ForeColor(fw::Color(0xFF0000));
        g.PenWidth(2);
        g.DrawRoundRect(0, 0, g.Width(), g.Height(), 20, 20);
        g.PenWidth(1);
    }
    return true;
}

bool wCal::lbCal_CellClick(fw::Listbox& sender, Int32 row, Int32 column, Int32, Int32) {
    const std::string text = sender.Cell(row, column);
    if (text.empty()) {
        return false;
    }
    fw::Date& working = Deref(IntDate, "working date");
    ResetSelect();
    CellSelectAt(row, column) = 1;
    // The grid always shows the pop-ups' month (DoChange keeps them in step), so the day
    // exists in the working date's month and setting Day first carries nothing over.
    working.Day(fw::ToInt32(fw::Val(text)));
    working.Month(puMonth().ListIndex() + 1);
    working.Year(YearShown(puYear(), working));
    lblDate().Text(working.LongDate());
    Refresh(true);
    return false;
}

void wCal::lbCal_DoubleClick(fw::Listbox& sender) {
    // Window Left and Top are the content area's position on the screen, the grid's are its
    // place inside the content area: the mouse relative to the grid's top left corner.
    const Int32 x = fw::System::MouseX() - sender.Left() - Left();
    const Int32 y = fw::System::MouseY() - sender.Top() - Top();
    const Int32 row = sender.RowFromXY(x, y);
    const Int32 column = sender.ColumnFromXY(x, y);
    // The heading, the border and the space below the rows hold no day.
    if (row < 0 || row >= sender.ListCount() || column < 0 || column >= sender.ColumnCount()) {
        return;
    }
    const Int32 day = fw::ToInt32(fw::Val(sender.Cell(row, column)));
    if (day == 0) {
        return;
    }
    fw::Date& working = Deref(IntDate, "working date");
    const Int32 month = puMonth().ListIndex() + 1;
    const Int32 year = YearShown(puYear(), working);
    // TotalSeconds 0 is midnight on 1 January: Year and Month cannot move it off the 1st.
    working.TotalSeconds(0);
    working.Year(year);
    working.Month(month);
    working.Day(day);
    Close();
}

bool wCal::lbCal_CellTextPaint(fw::Listbox&, fw::Graphics& g, Int32, Int32 column, Int32, Int32) {
    const bool weekend = column == 0 || column == 6;
    g.ForeColor(fw::Color(weekend ? 0x999999 : 0x0000FF));
    return false;
}

void wCal::btnLeft_Action(fw::BevelButton&) {
    if (puMonth().ListIndex() == 0) {
        // January of the first listed year is as far back as the year list goes: the year
        // pop-up could not name the year before, so the button stays where it is.
        if (puYear().ListIndex() <= 0) {
            return;
        }
        puMonth().ListIndex(11);
        puYear().ListIndex(puYear().ListIndex() - 1);
    } else {
        puMonth().ListIndex(puMonth().ListIndex() - 1);
    }
    SetCal();
}

void wCal::btnRight_Action(fw::BevelButton&) {
    if (puMonth().ListIndex() == 11) {
        // Likewise December of the last listed year.
        if (puYear().ListIndex() < 0 || puYear().ListIndex() >= puYear().ListCount() - 1) {
            return;
        }
        puMonth().ListIndex(0);
        puYear().ListIndex(puYear().ListIndex() + 1);
    } else {
        puMonth().ListIndex(puMonth().ListIndex() + 1);
    }
    SetCal();
}

void wCal::btnToday_Action(fw::BevelButton&) {
    fw::Date today;
    today.Hour(0);
    today.Minute(0);
    today.Second(0);
    fw::Date& working = Deref(IntDate, "working date");
    working.TotalSeconds(today.TotalSeconds());
    puMonth().ListIndex(today.Month() - 1);
    for (Int32 i = 0; i <= puYear().ListCount() - 1; ++i) {
        if (fw::Val(puYear().List(i)) == static_cast<double>(today.Year())) {
            puYear().ListIndex(i);
        }
    }
    // On 29 February, the month change went through a year whose February is shorter and
    // left the 28th; once the pop-ups show today's month and year, today it is.
    if (puMonth().ListIndex() == today.Month() - 1 &&
        YearShown(puYear(), working) == today.Year()) {
        working.TotalSeconds(today.TotalSeconds());
    }
    SetCal();
}

fw::DatePtr wCal::GetDate(fw::DatePtr date, fw::Color colour, Int32 x, Int32 y) {
    if (date == nullptr) {
        throw fw::NilObjectException("GetDate was given no date");
    }
    OrigIntDate = std::make_shared<fw::Date>();
    IntDate = std::make_shared<fw::Date>();
    IntDate->TotalSeconds(date->TotalSeconds());
    IntDate->Hour(0);
    IntDate->Minute(0);
    IntDate->Second(0);
    OrigIntDate->TotalSeconds(IntDate->TotalSeconds());
    BackColor(colour);
    Setup();
    PlacePicker(*this, x, y);
    ShowModal();
    return IntDate;
}

void wCal::Setup() {
    fw::Date& working = Deref(IntDate, "working date");
    NoChange = true;
    puMonth().ListIndex(working.Month() - 1);
    const fw::Date now;
    const Int32 lastYear = now.Year() + 30;
    const Int32 firstYear = working.Year() - 15;
    puYear().DeleteAllRows();
    for (Int32 year = firstYear; year <= lastYear; ++year) {
        puYear().AddRow(fw::Str(year));
        if (year == working.Year()) {
            puYear().ListIndex(puYear().ListCount() - 1);
        }
    }
    ResetSelect();
    NoChange = false;
    SetCal();
}

void wCal::SetCal() {
    fw::Date& working = Deref(IntDate, "working date");
    fw::Listbox& grid = lbCal();
    ResetSelect();
    grid.DeleteAllRows();

    auto first = std::make_shared<fw::Date>();
    auto last = std::make_shared<fw::Date>();
    first->TotalSeconds(working.TotalSeconds());
    first->Day(1);
    last->TotalSeconds(first->TotalSeconds());
    if (last->Month() == 12) {
        last->Year(last->Year() + 1);
        last->Month(1);
    } else {
        last->Month(last->Month() + 1);
    }
    MinusDay(last, 1);
    const Int32 daySpan =
        fw::ToInt32((last->TotalSeconds() - first->TotalSeconds()) / kSecondsPerDay);
    const Int32 firstWeekday = first->DayOfWeek();

    std::array<Int32, 43> marker{};
    for (Int32 n = firstWeekday; n <= firstWeekday + daySpan; ++n) {
        marker.at(static_cast<std::size_t>(n)) = 1;
    }
    Int32 n = 1;
    Int32 d = 1;
    for (Int32 week = 0; week < 6; ++week) {
        grid.AddRow();
        for (Int32 column = 0; column <= 6; ++column) {
            if (marker.at(static_cast<std::size_t>(n)) == 1) {
                grid.Cell(grid.LastIndex(), column, fw::Str(d));
                ++d;
            }
            ++n;
        }
    }
    lblDate().Text(working.LongDate());
}

void wCal::AddDay(fw::DatePtr& d, Int32 n) {
    const std::int64_t seconds = std::int64_t(n) * 86400;
    if (seconds > INT32_MAX || seconds < INT32_MIN) {
        throw fw::OutOfBoundsException("Too many days to add: " + fw::Str(n));
    }
    fw::Date& date = Deref(d, "date to move");
    date.TotalSeconds(date.TotalSeconds() + static_cast<double>(static_cast<Int32>(seconds)));
}

void wCal::MinusDay(fw::DatePtr& d, Int32 n) {
    const std::int64_t seconds = std::int64_t(n) * 86400;
    if (seconds > INT32_MAX || seconds < INT32_MIN) {
        throw fw::OutOfBoundsException("Too many days to take off: " + fw::Str(n));
    }
    fw::Date& date = Deref(d, "date to move");
    date.TotalSeconds(date.TotalSeconds() - static_cast<double>(static_cast<Int32>(seconds)));
}

void wCal::DoChange() {
    fw::Date& working = Deref(IntDate, "working date");
    const Int32 month = puMonth().ListIndex() + 1;
    const Int32 year = YearShown(puYear(), working);
    // The working date's day, pulled back to the last day of a shorter chosen month (31 March
    // to February gives the 28th or 29th), so that the grid shows the pop-ups' month. The
    // fields go largest first: from TotalSeconds 0, the 1st of January, no step can carry
    // into another month.
    const Int32 day = std::min(working.Day(), DaysInMonth(year, month));
    auto picked = std::make_shared<fw::Date>();
    picked->TotalSeconds(0);
    picked->Year(year);
    picked->Month(month);
    picked->Day(day);
    working.TotalSeconds(picked->TotalSeconds());
    SetCal();
}

bool wCal::IsToday() {
    fw::Date today;
    today.Hour(0);
    today.Minute(0);
    today.Second(0);
    return Deref(OrigIntDate, "given date").TotalSeconds() == today.TotalSeconds();
}

void wCal::ResetSelect() {
    for (Int32 i = 0; i <= 5; ++i) {
        for (Int32 j = 0; j <= 6; ++j) {
            CellSelectAt(i, j) = 0;
        }
    }
}

Int32& wCal::CellSelectAt(Int32 row, Int32 column) {
    if (row < 0 || row > 5 || column < 0 || column > 6) {
        throw fw::OutOfBoundsException("No grid cell at row " + fw::Str(row) + ", column " +
                                       fw::Str(column));
    }
    return CellSelect[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}
