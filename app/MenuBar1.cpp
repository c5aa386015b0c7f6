#include "app/MenuBar1.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"

using fw::MenuItem;
using fw::QuitMenuItem;

std::shared_ptr<MenuBar1> MenuBar1::_implicitInstance;

std::shared_ptr<MenuBar1> MenuBar1::Instance() {
    if (_implicitInstance == nullptr) {
        auto bar = std::make_shared<MenuBar1>();
        bar->Constructor();
        _implicitInstance = std::move(bar);
    }
    return _implicitInstance;
}

void MenuBar1::RegisterClass() {
    fw::ClassRegistry::Instance().Register(fw::ClassInfo{"MenuBar1", "MenuBar", {}});
}

void MenuBar1::Constructor() {
    Untitled0();
    Untitled1();
}

void MenuBar1::SetUp(MenuItem& item, const std::string& name, const std::string& text,
                     const std::optional<std::string>& shortcut) {
    item.Name(name);
    item.AutoEnable(true);
    item.Text(text);
    if (shortcut.has_value()) {
        item.KeyboardShortcut(*shortcut);
    }
}

fw::MenuItemPtr MenuBar1::Menu(const std::string& name) const {
    fw::MenuItemPtr menu = Child(name);
    if (menu == nullptr) {
        throw fw::NilObjectException("The menu bar has no menu named \"" + name + "\"");
    }
    return menu;
}

void MenuBar1::Untitled0() {
    auto fileMenu = std::make_shared<MenuItem>();
    SetUp(*fileMenu, "FileMenu", "&File", "");
    Append(fileMenu);

    auto fileQuit = std::make_shared<QuitMenuItem>();
    SetUp(*fileQuit, "FileQuit", "&Quit", "Cmd+Q");
    Menu("FileMenu")->Append(fileQuit);
}

void MenuBar1::Untitled1() {
    auto editMenu = std::make_shared<MenuItem>();
    SetUp(*editMenu, "EditMenu", "&Edit", "");
    Append(editMenu);

    struct Item {
        const char* name;
        const char* text;
        std::optional<std::string> shortcut;
    };
    const Item items[] = {
        {"EditUndo", "&Undo", "Cmd+Z"},       {"UntitledMenu1", "-", std::nullopt},
        {"EditCut", "Cu&t", "Cmd+X"},         {"EditCopy", "&Copy", "Cmd+C"},
        {"EditPaste", "&Paste", "Cmd+V"},     {"EditClear", "&Delete", ""},
        {"UntitledMenu0", "-", std::nullopt}, {"EditSelectAll", "Select &All", "Cmd+A"},
    };
    for (const Item& entry : items) {
        auto item = std::make_shared<MenuItem>();
        SetUp(*item, entry.name, entry.text, entry.shortcut);
        Menu("EditMenu")->Append(item);
    }
}
