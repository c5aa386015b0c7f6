#pragma once

#include "framework/core/Date.h"
#include "framework/core/Types.h"
#include "framework/ui/BevelButton.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Label.h"
#include "framework/ui/Listbox.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/Window.h"

#include <array>
#include <memory>
#include <string_view>

// The calendar picker: a month pop-up, a year pop-up, a seven-column month grid, three
// navigation buttons and a label with the working date. GetDate shows it modally at the mouse
// and returns the day the user double-clicked; that double-click is its only way to close.
class wCal : public fw::Window {
public:
    wCal();

    std::string_view ClassFullName() const override { return "wCal.wCal"; }

    // The open calendar, or a new one, built and opened.
    static std::shared_ptr<wCal> Instance();

    static void RegisterClass();

    // Applies the window's designed properties.
    void Layout() override;
    void CreateControls() override;
    // Hidden from the designer. Creates the seven controls, applies their designed properties
    // and binds their events.
    virtual void _CreateControls0();

    // The controls, looked up by name on every call.
    virtual fw::PopupMenu& puMonth();
    virtual fw::PopupMenu& puYear();
    virtual fw::Listbox& lbCal();
    virtual fw::BevelButton& btnLeft();
    virtual fw::BevelButton& btnRight();
    virtual fw::BevelButton& btnToday();
    virtual fw::Label& lblDate();

    virtual void puMonth_Change(fw::PopupMenu& sender);
    virtual void puYear_Change(fw::PopupMenu& sender);
    virtual void lbCal_Open(fw::Listbox& sender);
    virtual bool lbCal_CellBackgroundPaint(fw::Listbox& sender, fw::Graphics& g, fw::Int32 row,
                                           fw::Int32 column);
    virtual bool lbCal_CellClick(fw::Listbox& sender, fw::Int32 row, fw::Int32 column, fw::Int32 x,
                                 fw::Int32 y);
    virtual void lbCal_DoubleClick(fw::Listbox& sender);
    virtual bool lbCal_CellTextPaint(fw::Listbox& sender, fw::Graphics& g, fw::Int32 row,
                                     fw::Int32 column, fw::Int32 x, fw::Int32 y);
    virtual void btnLeft_Action(fw::BevelButton& sender);
    virtual void btnRight_Action(fw::BevelButton& sender);
    virtual void btnToday_Action(fw::BevelButton& sender);

    // Shows the calendar modally on the month of date, with colour as background, placed at
    // (x, y) or at the mouse where a coordinate is 0, and returns the double-clicked day at
    // 00:00:00. The result is the window's own Date; the window is closed by then.
    virtual fw::DatePtr GetDate(fw::DatePtr date, fw::Color colour, fw::Int32 x, fw::Int32 y);

private:
    friend struct wCalTestAccess;

    void Setup();
    void SetCal();
    void AddDay(fw::DatePtr& d, fw::Int32 n);
    void MinusDay(fw::DatePtr& d, fw::Int32 n);
    void DoChange();
    bool IsToday();
    void ResetSelect();

    // The mark of one grid cell; OutOfBoundsException outside rows 0-5 and columns 0-6.
    fw::Int32& CellSelectAt(fw::Int32 row, fw::Int32 column);

    // The working date.
    fw::DatePtr IntDate;
    // The given date at 00:00:00.
    fw::DatePtr OrigIntDate;
    // The selection mark of each cell of the grid, by row (0-5) and column (0-6); 1 selected.
    std::array<std::array<fw::Int32, 7>, 6> CellSelect;
    // True while Setup fills the pop-ups, so that their Change does not rebuild the date.
    bool NoChange;
};
