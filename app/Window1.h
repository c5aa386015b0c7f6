#pragma once

#include "framework/core/Date.h"
#include "framework/core/Types.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Window.h"
#include "listbox/TambrelListBox.h"

#include <memory>
#include <string>
#include <string_view>

// The main window: one TambrelListBox, lb1, filled with 250 demonstration rows, under the
// shared menu bar. Its handlers report each edit in a message box or write into cells of the
// same row.
class Window1 : public fw::Window {
public:
    std::string_view ClassFullName() const override { return "Window1.Window1"; }

    // The open instance, or a new one, built and opened.
    static std::shared_ptr<Window1> Instance();

    static void RegisterClass();

    // Sets the menu bar, then applies the window's designed properties.
    void Layout() override;
    void CreateControls() override;
    // Creates lb1, sets its properties and binds its events.
    virtual void _CreateControls0();
    // The control named "lb1", looked up on every call.
    virtual TambrelListBox& lb1();

    virtual void lb1_CellDropDownChanged(TambrelListBox& listBox, fw::Int32 row, fw::Int32 column,
                                         std::string value);
    virtual void lb1_CellCheckBoxStateChange(TambrelListBox& listBox, fw::Int32 row,
                                             fw::Int32 column, bool value);
    virtual void lb1_CellCurrencyChanged(TambrelListBox& listBox, fw::Currency value, fw::Int32 row,
                                         fw::Int32 column);
    virtual void lb1_CellNumberChanged(TambrelListBox& listBox, double value, fw::Int32 row,
                                       fw::Int32 column);
    virtual void lb1_CellIntegerChanged(TambrelListBox& listBox, fw::Int32 value, fw::Int32 row,
                                        fw::Int32 column);
    virtual void lb1_CellTextChanged(TambrelListBox& listBox, std::string value, fw::Int32 row,
                                     fw::Int32 column);
    virtual void lb1_CellDateChanged(TambrelListBox& listBox, fw::DatePtr value, fw::Int32 row,
                                     fw::Int32 column);
    virtual void lb1_CellTimeChanged(TambrelListBox& listBox, fw::DatePtr value, fw::Int32 row,
                                     fw::Int32 column);
    virtual void lb1_DoubleClick(TambrelListBox& listBox, fw::Int32 row, fw::Int32 column);

    // The items of the window's menu bar, by name.
    virtual fw::MenuItemPtr EditMenu();
    virtual fw::MenuItemPtr EditSelectAll();
    virtual fw::MenuItemPtr UntitledMenu0();
    virtual fw::MenuItemPtr EditClear();
    virtual fw::MenuItemPtr EditPaste();
    virtual fw::MenuItemPtr EditCopy();
    virtual fw::MenuItemPtr EditCut();
    virtual fw::MenuItemPtr UntitledMenu1();
    virtual fw::MenuItemPtr EditUndo();
    virtual fw::MenuItemPtr FileMenu();
    virtual std::shared_ptr<fw::QuitMenuItem> FileQuit();

    // Fills lb1 with the demonstration rows.
    void Event_Open() override;
    // Fits the columns to the new width.
    void Event_Resized() override;

private:
    fw::MenuItemPtr MenuItemNamed(const std::string& name) const;
};
