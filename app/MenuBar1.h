#pragma once

#include "framework/ui/MenuItem.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The application's one menu bar: File (Quit) and Edit (Undo, Cut, Copy, Paste, Delete,
// Select All). The application object and the main window show the same instance.
class MenuBar1 : public fw::MenuBar {
public:
    std::string_view ClassFullName() const override { return "MenuBar1"; }

    // Builds both menus; run once by Instance() on the new object.
    virtual void Constructor();
    // The File menu.
    virtual void Untitled0();
    // The Edit menu.
    virtual void Untitled1();

    // The shared instance, created on first use.
    static std::shared_ptr<MenuBar1> Instance();
    // nullptr until the first use and again after shut-down.
    static std::shared_ptr<MenuBar1> _implicitInstance;

    static void RegisterClass();

private:
    // Makes one item complete; a shortcut left out stays untouched.
    static void SetUp(fw::MenuItem& item, const std::string& name, const std::string& text,
                      const std::optional<std::string>& shortcut);
    // The menu of that name in this bar, looked up again on every call.
    fw::MenuItemPtr Menu(const std::string& name) const;
};
