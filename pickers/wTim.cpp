#include "pickers/wTim.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/PropertyStream.h"
#include "framework/core/Text.h"
#include "pickers/ControlCreation.h"
#include "pickers/Icons.h"
#include "pickers/PickerPlacement.h"
#include "pickers/Streams.h"

#include <string>

using fw::Int32;

namespace {

fw::Date& Deref(const fw::DatePtr& date, const char* what) {
    if (date == nullptr) {
        throw fw::NilObjectException(std::string("The time window has no ") + what);
    }
    return *date;
}

// Rows "00" to the last value, selecting the row of selected: row i holds the value i.
void FillTwoDigitRows(fw::PopupMenu& menu, Int32 last, Int32 selected) {
    menu.DeleteAllRows();
    for (Int32 i = 0; i <= last; ++i) {
        menu.AddRow(fw::Format(static_cast<double>(i), "00"));
        if (i == selected) {
            menu.ListIndex(i);
        }
    }
}

} // namespace

std::shared_ptr<wTim> wTim::Instance() {
    return fw::ImplicitInstance<wTim>("wTim.wTim");
}

void wTim::RegisterClass() {
    fw::ClassRegistry::Instance().Register(fw::ClassInfo{"wTim.wTim", "Window", {}});
}

void wTim::Layout() {
    fw::_SetProperties(*this, kWTimStream);
}

void wTim::CreateControls() {
    _CreateControls0();
}

void wTim::_CreateControls0() {
    CreateDesignedControl<fw::PopupMenu>(*this, "puHour", kPuHourStream);
    CreateDesignedControl<fw::PopupMenu>(*this, "puMin", kPuMinStream);
    CreateDesignedControl<fw::PopupMenu>(*this, "puSec", kPuSecStream);

    CreateDesignedControl<fw::BevelButton>(*this, "btnOK", kBtnOKStream);
    ControlAs<fw::BevelButton>("btnOK").Action.Bind(this, &wTim::btnOK_Action, "( BevelButton )");

    CreateDesignedControl<fw::BevelButton>(*this, "btnCancel", kBtnCancelStream);
    ControlAs<fw::BevelButton>("btnCancel")
        .Action.Bind(this, &wTim::btnCancel_Action, "( BevelButton )");
}

fw::PopupMenu& wTim::puHour() {
    return ControlAs<fw::PopupMenu>("puHour");
}

fw::PopupMenu& wTim::puMin() {
    return ControlAs<fw::PopupMenu>("puMin");
}

fw::PopupMenu& wTim::puSec() {
    return ControlAs<fw::PopupMenu>("puSec");
}

fw::BevelButton& wTim::btnOK() {
    return ControlAs<fw::BevelButton>("btnOK");
}

fw::BevelButton& wTim::btnCancel() {
    return ControlAs<fw::BevelButton>("btnCancel");
}

void wTim::btnOK_Action(fw::BevelButton&) {
    fw::Date& working = Deref(IntTime, "working date");
    const Int32 hour = fw::ToInt32(fw::Val(puHour().Text()));
    const Int32 minute = fw::ToInt32(fw::Val(puMin().Text()));
    const Int32 second = fw::ToInt32(fw::Val(puSec().Text()));
    working.Hour(hour);
    working.Minute(minute);
    working.Second(second);
    Close();
}

void wTim::btnCancel_Action(fw::BevelButton&) {
    Deref(IntTime, "working date").TotalSeconds(Deref(OrigIntTime, "given date").TotalSeconds());
    Close();
}

void wTim::Event_Open() {
    btnOK().Icon(Tick_18());
    btnCancel().Icon(X2_18());
}

fw::DatePtr wTim::GetTime(fw::DatePtr date, fw::Color colour, Int32 x, Int32 y) {
    if (date == nullptr) {
        throw fw::NilObjectException("GetTime was given no date");
    }
    OrigIntTime = std::make_shared<fw::Date>();
    IntTime = std::make_shared<fw::Date>();
    IntTime->TotalSeconds(date->TotalSeconds());
    OrigIntTime->TotalSeconds(IntTime->TotalSeconds());
    BackColor(colour);
    PlacePicker(*this, x, y);
    FillTwoDigitRows(puHour(), 23, IntTime->Hour());
    FillTwoDigitRows(puMin(), 59, IntTime->Minute());
    FillTwoDigitRows(puSec(), 59, IntTime->Second());
    ShowModal();
    return IntTime;
}
