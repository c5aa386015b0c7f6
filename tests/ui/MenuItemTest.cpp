#include "framework/ui/MenuItem.h"

#include "framework/core/Exceptions.h"
#include "framework/ui/Listbox.h"
#include "framework/ui/Window.h"
#include "framework/ui/testing/ModalTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace fw;

namespace {

MenuItemPtr Make(const std::string& name, const std::string& text,
                 const std::string& shortcut = "") {
    auto item = std::make_shared<MenuItem>();
    item->Name(name);
    item->Text(text);
    item->KeyboardShortcut(shortcut);
    return item;
}

// An item that counts its Event_Action, as a system subclass handling Action would.
class CountingItem : public MenuItem {
public:
    int actions = 0;
    void Event_Action() override { ++actions; }
};

// The menu bar of the demonstration application, built the same way.
std::shared_ptr<MenuBar> MakeAppMenuBar() {
    auto bar = std::make_shared<MenuBar>();
    bar->Append(Make("FileMenu", "&File"));
    auto quit = std::make_shared<QuitMenuItem>();
    quit->Name("FileQuit");
    quit->Text("&Quit");
    quit->KeyboardShortcut("Cmd+Q");
    bar->Child("FileMenu")->Append(quit);
    bar->Append(Make("EditMenu", "&Edit"));
    struct Row {
        const char* name;
        const char* text;
        const char* shortcut;
    };
    const Row edit[] = {
        {"EditUndo", "&Undo", "Cmd+Z"},   {"UntitledMenu1", "-", ""},
        {"EditCut", "Cu&t", "Cmd+X"},     {"EditCopy", "&Copy", "Cmd+C"},
        {"EditPaste", "&Paste", "Cmd+V"}, {"EditClear", "&Delete", ""},
        {"UntitledMenu0", "-", ""},       {"EditSelectAll", "Select &All", "Cmd+A"},
    };
    for (const Row& row : edit) {
        bar->Child("EditMenu")->Append(Make(row.name, row.text, row.shortcut));
    }
    return bar;
}

// Acts on the pop-up menu as soon as it is open, from inside its modal loop.
void WhenMenuOpens(std::function<void(QMenu&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr || !menu->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(*menu);
    });
    timer->start();
}

void ClickAction(QMenu& menu, QAction* action) {
    ASSERT_NE(action, nullptr);
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
}

TEST(MenuItem, ChildFindsDirectChildrenAndLookupSearchesTheWholeTree) {
    auto bar = MakeAppMenuBar();
    ASSERT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Item(0), bar->Child("FileMenu"));
    EXPECT_EQ(bar->Child("FileMenu")->Count(), 1);
    EXPECT_EQ(bar->Child("EditMenu")->Count(), 8);
    EXPECT_EQ(bar->Child("EditCopy"), nullptr) << "not a direct child";
    const MenuItemPtr copy = bar->_Lookup("EditCopy");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Text(), "&Copy");
    EXPECT_EQ(copy, bar->Child("EditMenu")->Item(3));
    EXPECT_EQ(bar->_Lookup("FileQuit")->ClassFullName(), "QuitMenuItem");
    EXPECT_EQ(bar->_Lookup("Nothing"), nullptr);
    EXPECT_TRUE(bar->_Lookup("UntitledMenu0")->IsSeparator());
    EXPECT_THROW(bar->Item(2), OutOfBoundsException);
    EXPECT_THROW(bar->Item(-1), OutOfBoundsException);
}

TEST(MenuItem, AppendRefusesNilAndItemsInsideThemselves) {
    auto root = Make("Root", "");
    auto menu = Make("Menu", "&Menu");
    root->Append(menu);
    EXPECT_THROW(root->Append(nullptr), NilObjectException);
    EXPECT_THROW(menu->Append(menu), RuntimeException);
    EXPECT_THROW(menu->Append(root), RuntimeException);
    EXPECT_EQ(menu->Count(), 0);
    EXPECT_EQ(root->Count(), 1);
}

struct PopUpFixture : ::testing::Test {
    void SetUp() override {
        root = std::make_shared<MenuItem>();
        for (const char* text : {"One", "-", "Two & Co", "Three"}) {
            root->Append(std::make_shared<MenuItem>(text));
        }
        root->Item(3)->Checked(true);
        QCursor::setPos(100, 100);
    }
    MenuItemPtr root;
};

TEST_F(PopUpFixture, ReturnsTheChosenItem) {
    fw::testing::AnswerNextPopupMenu(3);
    EXPECT_EQ(root->PopUp(), root->Item(3));
    fw::testing::AnswerNextPopupMenu(2);
    EXPECT_EQ(root->PopUp(), root->Item(2));

    // By keyboard: the first Down lands on the first item.
    WhenMenuOpens([](QMenu& menu) {
        QTest::keyClick(&menu, Qt::Key_Down);
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    EXPECT_EQ(root->PopUp(), root->Item(0));
}

TEST_F(PopUpFixture, DismissingOrClickingASeparatorChoosesNothing) {
    fw::testing::AnswerNextPopupMenu(-1);
    EXPECT_EQ(root->PopUp(), nullptr);
    fw::testing::AnswerNextPopupMenu(1); // the separator
    EXPECT_EQ(root->PopUp(), nullptr);
    EXPECT_EQ(fw::testing::PendingModalAnswers(), 0);

    // The same click by hand, on the separator's own place.
    WhenMenuOpens([&](QMenu& menu) {
        QAction* separator = menu.actions().at(1);
        ASSERT_TRUE(separator->isSeparator());
        ClickAction(menu, separator);
        if (menu.isVisible()) {
            QTest::keyClick(&menu, Qt::Key_Escape);
        }
    });
    EXPECT_EQ(root->PopUp(), nullptr);

    EXPECT_EQ(std::make_shared<MenuItem>()->PopUp(), nullptr) << "no children, no menu";
}

TEST_F(PopUpFixture, CheckedItemsShowAMarkAndTextsKeepTheirAccessKeys) {
    std::vector<std::pair<QString, bool>> seen;
    WhenMenuOpens([&](QMenu& menu) {
        for (QAction* action : menu.actions()) {
            if (!action->isSeparator()) {
                seen.emplace_back(action->text(), action->isCheckable() && action->isChecked());
            }
        }
        QTest::keyClick(&menu, Qt::Key_Escape);
    });
    root->PopUp();
    const std::vector<std::pair<QString, bool>> expected = {
        {"One", false}, {"Two & Co", false}, {"Three", true}};
    EXPECT_EQ(seen, expected);
}

TEST(MenuBar, NativeBarShowsMenusTextsAndShortcuts) {
    auto bar = MakeAppMenuBar();
    QWidget window;
    QMenuBar* native = bar->CreateNativeMenuBar(&window);
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->parent(), &window);
    const QList<QAction*> menus = native->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Edit");
    QMenu* file = menus[0]->menu();
    QMenu* edit = menus[1]->menu();
    ASSERT_TRUE(file && edit);
    ASSERT_EQ(file->actions().size(), 1);
    EXPECT_EQ(file->actions()[0]->text(), "&Quit");
    EXPECT_EQ(file->actions()[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    const QList<QAction*> items = edit->actions();
    ASSERT_EQ(items.size(), 8);
    const char* texts[] = {"&Undo", "", "Cu&t", "&Copy", "&Paste", "&Delete", "", "Select &All"};
    const QKeySequence keys[] = {QKeySequence::fromString("Ctrl+Z"),
                                 {},
                                 QKeySequence::fromString("Ctrl+X"),
                                 QKeySequence::fromString("Ctrl+C"),
                                 QKeySequence::fromString("Ctrl+V"),
                                 {},
                                 {},
                                 QKeySequence::fromString("Ctrl+A")};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(items[i]->isSeparator(), i == 1 || i == 6) << i;
        if (!items[i]->isSeparator()) {
            EXPECT_EQ(items[i]->text(), texts[i]) << i;
        }
        EXPECT_EQ(items[i]->shortcut(), keys[i]) << i;
    }

    // The bar follows later changes of its items.
    bar->_Lookup("EditCopy")->Text("&Copy it");
    EXPECT_EQ(items[3]->text(), "&Copy it");
}

TEST(MenuBar, ShortcutTranslation) {
    const std::pair<const char*, QKeySequence> cases[] = {
        {"Cmd+Q", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"Cmd+Shift+Z", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {"Option+F4", QKeySequence(Qt::ALT | Qt::Key_F4)},
        {"", QKeySequence()},
        {"Cmd+NoSuchKey", QKeySequence()},
    };
    for (const auto& [text, expected] : cases) {
        auto bar = std::make_shared<MenuBar>();
        bar->Append(Make("M", "M"));
        bar->Child("M")->Append(Make("I", "I", text));
        EXPECT_EQ(bar->_Lookup("I")->KeyboardShortcut(), text);
        QWidget window;
        QMenuBar* native = bar->CreateNativeMenuBar(&window);
        EXPECT_EQ(native->actions()[0]->menu()->actions()[0]->shortcut(), expected) << text;
    }
}

// A window with the application's menu bar, a text field and a button.
struct EditFixture : ::testing::Test {
    void SetUp() override {
        bar = MakeAppMenuBar();
        auto* layout = new QVBoxLayout(&window);
        native = bar->CreateNativeMenuBar(&window);
        layout->setMenuBar(native);
        field = new QLineEdit(&window);
        button = new QPushButton("B", &window);
        button->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(field);
        layout->addWidget(button);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QAction* Action(const char* name) {
        QMenu* edit = native->actions()[1]->menu();
        const MenuItemPtr item = bar->_Lookup(name);
        const int index = [&] {
            const auto& children = bar->Child("EditMenu")->Children();
            for (std::size_t i = 0; i < children.size(); ++i) {
                if (children[i] == item) {
                    return static_cast<int>(i);
                }
            }
            return -1;
        }();
        return edit->actions().at(index);
    }
    void Focus(QWidget* widget) {
        widget->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return widget->hasFocus(); }));
    }

    std::shared_ptr<MenuBar> bar;
    QWidget window;
    QMenuBar* native = nullptr;
    QLineEdit* field = nullptr;
    QPushButton* button = nullptr;
};

TEST_F(EditFixture, EditItemsAreEnabledOnlyWhileATextFieldHasFocus) {
    const char* names[] = {"EditUndo",  "EditCut",   "EditCopy",
                           "EditPaste", "EditClear", "EditSelectAll"};
    Focus(button);
    for (const char* name : names) {
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
        EXPECT_FALSE(bar->_Lookup(name)->IsEnabledNow()) << name;
    }
    Focus(field);
    for (const char* name : names) {
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    }
    field->setReadOnly(true);
    bar->_Lookup("EditPaste")->Enabled(true); // any refresh
    EXPECT_FALSE(bar->_Lookup("EditPaste")->IsEnabledNow());
    EXPECT_TRUE(bar->_Lookup("EditCopy")->IsEnabledNow());
    EXPECT_TRUE(Action("EditSelectAll")->isEnabled());
}

TEST_F(EditFixture, CopyPasteDeleteAndSelectAllActOnTheFocusedField) {
    Focus(field);
    field->setText("hello world");
    field->setSelection(0, 5);
    QApplication::clipboard()->clear();
    Action("EditCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "hello");

    field->setCursorPosition(field->text().size());
    Action("EditPaste")->trigger();
    EXPECT_EQ(field->text(), "hello worldhello");

    Action("EditSelectAll")->trigger();
    EXPECT_EQ(field->selectedText(), "hello worldhello");
    field->setSelection(0, 6);
    Action("EditClear")->trigger();
    EXPECT_EQ(field->text(), "worldhello");
    Action("EditUndo")->trigger();
    EXPECT_EQ(field->text(), "hello worldhello");

    // Chosen while no field has focus, they change nothing.
    Focus(button);
    Action("EditPaste")->trigger();
    bar->_Lookup("EditPaste")->Event_Action();
    EXPECT_EQ(field->text(), "hello worldhello");
}

TEST_F(EditFixture, ShortcutsReachTheItemsWhileATextFieldHasFocus) {
    auto counting = std::make_shared<CountingItem>();
    counting->Name("Custom");
    counting->Text("&Custom");
    counting->KeyboardShortcut("Cmd+K");
    bar->Child("FileMenu")->Append(counting);
    delete native;
    native = bar->CreateNativeMenuBar(&window);
    static_cast<QVBoxLayout*>(window.layout())->setMenuBar(native);
    native->show();

    Focus(field);
    QTest::keyClick(field, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(counting->actions, 1);
    Focus(button);
    QTest::keyClick(button, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(counting->actions, 2);

    // Disabled, the item is not reached.
    counting->Enabled(false);
    QTest::keyClick(button, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(counting->actions, 2);

    // Ctrl+A in the field selects its text through the field or the item alike.
    Focus(field);
    field->setText("abc");
    field->deselect();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), "abc");
}

// The list box's in-place editor is a text field like any other for the menus.
class ListWindow : public Window {
public:
    std::shared_ptr<fw::MenuBar> bar = MakeAppMenuBar();
    void Layout() override {
        MenuBar(bar);
        Width(300);
        Height(200);
    }
    void CreateControls() override {
        auto& list = static_cast<Listbox&>(_AddControl("lb", std::make_unique<Listbox>()));
        list.Width(280);
        list.Height(150);
        list.ColumnCount(2);
        list.AddRow(std::vector<std::string>{"cell", "x"});
    }
};

TEST(MenuBar, ShortcutsAndEditItemsWorkInTheListBoxEditor) {
    auto window = std::make_shared<ListWindow>();
    auto counting = std::make_shared<CountingItem>();
    counting->Name("Custom");
    counting->Text("&Custom");
    counting->KeyboardShortcut("Cmd+K");
    window->bar->Child("FileMenu")->Append(counting);
    window->Constructor();
    QApplication::setActiveWindow(window->NativeWidget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->NativeWidget()));

    window->ControlAs<Listbox>("lb").EditCell(0, 0);
    QLineEdit* editor = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return editor != nullptr;
    }));
    EXPECT_TRUE(window->bar->_Lookup("EditCopy")->IsEnabledNow());

    QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(counting->actions, 1);

    editor->selectAll();
    QApplication::clipboard()->clear();
    window->bar->_Lookup("EditCopy")->Event_Action();
    EXPECT_EQ(QApplication::clipboard()->text(), "cell");
    window->Close();
}

// A menu of the bar opened during an edit and closed with Escape leaves the edit open with its
// text; the focus landing elsewhere in the window ends it.
TEST(MenuBar, AMenuClosedWithEscapeLeavesTheEditOpen) {
    auto window = std::make_shared<ListWindow>();
    window->Constructor();
    QApplication::setActiveWindow(window->NativeWidget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->NativeWidget()));
    window->ControlAs<Listbox>("lb").EditCell(0, 0);
    QPointer<QLineEdit> editor;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return editor != nullptr;
    }));
    editor->setText("typed");

    auto* bar = window->NativeWidget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QAction* edit = bar->actions().back();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(edit).center());
    QMenu* menu = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return menu != nullptr;
    }));
    QTest::keyClick(menu, Qt::Key_Escape);
    QTest::qWait(50);
    ASSERT_FALSE(editor.isNull());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "typed");

    // Back from the bar, the edit goes on; a click on the list itself ends it.
    QApplication::setActiveWindow(window->NativeWidget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->NativeWidget()));
    editor->setFocus(Qt::MouseFocusReason);
    QTest::qWait(20);
    ASSERT_FALSE(editor.isNull());
    window->ControlAs<Listbox>("lb").NativeWidget()->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor.isNull() || !editor->isVisible(); }));
    EXPECT_EQ(window->ControlAs<Listbox>("lb").Cell(0, 0), "typed");
    window->Close();
}

TEST(QuitMenuItem, ChoosingItEndsTheRunningEventLoop) {
    auto bar = MakeAppMenuBar();
    QWidget window;
    QMenuBar* native = bar->CreateNativeMenuBar(&window);
    QAction* quit = native->actions()[0]->menu()->actions()[0];

    // The application's own loop, as the runtime runs it; it ends by Quit alone.
    bool timedOut = false;
    QTimer::singleShot(0, quit, [quit] { quit->trigger(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    guard.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
}

} // namespace
