#pragma once

#include "framework/core/Date.h"
#include "framework/core/Types.h"
#include "framework/ui/BevelButton.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/Window.h"

#include <memory>
#include <string_view>

// The time picker: hour, minute and second pop-ups with OK and Cancel buttons. GetTime shows it
// modally at the mouse and returns the given date with the chosen time (OK) or with its own
// time (Cancel or the close box).
class wTim : public fw::Window {
public:
    std::string_view ClassFullName() const override { return "wTim.wTim"; }

    // The open time window, or a new one, built and opened.
    static std::shared_ptr<wTim> Instance();

    static void RegisterClass();

    // Applies the window's designed properties.
    void Layout() override;
    void CreateControls() override;
    // Hidden from the designer. Creates the five controls, applies their designed properties
    // and binds the buttons' events.
    virtual void _CreateControls0();

    // The controls, looked up by name on every call.
    virtual fw::PopupMenu& puHour();
    virtual fw::PopupMenu& puMin();
    virtual fw::PopupMenu& puSec();
    virtual fw::BevelButton& btnOK();
    virtual fw::BevelButton& btnCancel();

    virtual void btnOK_Action(fw::BevelButton& sender);
    virtual void btnCancel_Action(fw::BevelButton& sender);

    // Puts the tick and cross icons on the buttons; a missing picture leaves its button bare.
    void Event_Open() override;

    // Shows the window modally with date's time selected, with colour as background, placed at
    // (x, y) or at the mouse where a coordinate is 0. Returns the window's own Date: date's day
    // with the chosen time after OK, date itself after Cancel or the close box.
    virtual fw::DatePtr GetTime(fw::DatePtr date, fw::Color colour, fw::Int32 x, fw::Int32 y);

private:
    friend struct wTimTestAccess;

    // The given date and time, kept for Cancel.
    fw::DatePtr OrigIntTime;
    // The working date, returned by GetTime.
    fw::DatePtr IntTime;
};
