#pragma once

#include "framework/core/Object.h"
#include "framework/core/Types.h"
#include "framework/core/Variant.h"

#include <memory>
#include <string>
#include <vector>

class QMenuBar;
class QWidget;

namespace fw {

class MenuItem;
using MenuItemPtr = std::shared_ptr<MenuItem>;

// A menu item; its children make it a menu. A Text of "-" is a separator; the character
// after "&" is the access key. KeyboardShortcut "Cmd+Q" is Ctrl+Q on this desktop.
class MenuItem : public Object, public std::enable_shared_from_this<MenuItem> {
public:
    MenuItem();
    explicit MenuItem(const std::string& text, const Variant& tag = Variant());
    ~MenuItem() override;

    std::string_view ClassFullName() const override { return "MenuItem"; }

    const std::string& Name() const { return m_name; }
    void Name(const std::string& name) { m_name = name; }
    const std::string& Text() const { return m_text; }
    void Text(const std::string& text);
    const std::string& KeyboardShortcut() const { return m_shortcut; }
    void KeyboardShortcut(const std::string& shortcut);
    bool AutoEnable() const { return m_autoEnable; }
    void AutoEnable(bool value) { m_autoEnable = value; }
    bool Enabled() const { return m_enabled; }
    void Enabled(bool value);
    bool Checked() const { return m_checked; }
    void Checked(bool value);
    const Variant& Tag() const { return m_tag; }
    void Tag(const Variant& tag) { m_tag = tag; }
    bool IsSeparator() const { return m_text == "-"; }

    void Append(MenuItemPtr child);
    Int32 Count() const { return static_cast<Int32>(m_children.size()); }
    // The child at index (OutOfBoundsException outside), or the direct child of that name
    // (nullptr when none).
    MenuItemPtr Item(Int32 index) const;
    MenuItemPtr Child(const std::string& name) const;
    // The item of that name anywhere below this one, or nullptr.
    MenuItemPtr _Lookup(const std::string& name) const;
    const std::vector<MenuItemPtr>& Children() const { return m_children; }

    // Shows the children as a pop-up menu at the mouse; the chosen item, or nullptr when
    // the menu was dismissed. Runs a nested event loop.
    MenuItemPtr PopUp();

    // What choosing the item does when the system installed no handler. QuitMenuItem quits;
    // the items named EditUndo, EditCut, EditCopy, EditPaste, EditClear and EditSelectAll act
    // on the focused text field; any other item does nothing.
    virtual void Event_Action();

    // Whether the item can be chosen now: Enabled, and for an Edit item with AutoEnable, a
    // text field (that it may change, where it changes text) has the focus.
    bool IsEnabledNow() const;

private:
    friend class MenuBar;
    friend struct MenuBuilder;
    struct NativeActions; // the Qt actions that currently show this item
    NativeActions& Native() const;
    void UpdateNativeActions() const;

    std::string m_name;
    std::string m_text;
    std::string m_shortcut;
    bool m_autoEnable = true;
    bool m_enabled = true;
    bool m_checked = false;
    Variant m_tag;
    std::vector<MenuItemPtr> m_children;
    mutable std::unique_ptr<NativeActions> m_native;
};

// Choosing it ends the event loop.
class QuitMenuItem : public MenuItem {
public:
    using MenuItem::MenuItem;
    std::string_view ClassFullName() const override { return "QuitMenuItem"; }
    void Event_Action() override;
};

// A menu item whose children are the menus of a window's or the application's menu bar.
class MenuBar : public MenuItem {
public:
    using MenuItem::MenuItem;
    std::string_view ClassFullName() const override { return "MenuBar"; }

    // A native menu bar showing this bar's menus, owned by parent. The Edit items act on the
    // focused text field and are disabled where none has focus.
    QMenuBar* CreateNativeMenuBar(QWidget* parent) const;
};

using MenuBarPtr = std::shared_ptr<MenuBar>;

} // namespace fw
