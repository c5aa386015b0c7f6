#include "framework/ui/MenuItem.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Text.h"
#include "framework/ui/ModalDisplay.h"
#include "framework/ui/Runtime.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <map>
#include <vector>

namespace fw {

struct MenuItem::NativeActions {
    std::vector<QPointer<QAction>> actions;

    void Add(QAction* action) {
        std::erase_if(actions, [](const QPointer<QAction>& a) { return a.isNull(); });
        actions.emplace_back(action);
    }

    template <class F> void ForEach(F&& f) {
        std::erase_if(actions, [](const QPointer<QAction>& a) { return a.isNull(); });
        for (const auto& action : actions) {
            f(*action);
        }
    }
};

namespace {

// "Cmd" is the command key of the menus; on this desktop that is Ctrl. "Option" is Alt.
QKeySequence ToKeySequence(const std::string& shortcut) {
    if (shortcut.empty()) {
        return {};
    }
    // Split at '+' but keep a trailing "+" as the key itself ("Cmd++").
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i < shortcut.size(); ++i) {
        const char c = shortcut[i];
        if (c == '+' && !part.empty()) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    std::string portable;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string token = Trim(parts[i]);
        const bool isKey = i + 1 == parts.size();
        if (!isKey) {
            const std::string lower = Lowercase(token);
            if (lower == "cmd" || lower == "command" || lower == "ctrl" || lower == "control") {
                token = "Ctrl";
            } else if (lower == "option" || lower == "opt" || lower == "alt") {
                token = "Alt";
            } else if (lower == "shift") {
                token = "Shift";
            }
        }
        if (!portable.empty()) {
            portable += '+';
        }
        portable += token;
    }
    const QKeySequence sequence =
        QKeySequence::fromString(QString::fromStdString(portable), QKeySequence::PortableText);
    // An unreadable shortcut gives none rather than a half-read one.
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) {
        return {};
    }
    return sequence;
}

enum class EditCommand { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

EditCommand EditCommandOf(const std::string& name) {
    static const std::map<std::string, EditCommand, std::less<>> commands = {
        {"EditUndo", EditCommand::Undo},   {"EditCut", EditCommand::Cut},
        {"EditCopy", EditCommand::Copy},   {"EditPaste", EditCommand::Paste},
        {"EditClear", EditCommand::Clear}, {"EditSelectAll", EditCommand::SelectAll},
    };
    const auto it = commands.find(name);
    return it == commands.end() ? EditCommand::None : it->second;
}

// The text field with the keyboard focus, as one of the three kinds the Edit items know.
struct FocusedField {
    QLineEdit* line = nullptr;
    QTextEdit* text = nullptr;
    QPlainTextEdit* plain = nullptr;

    static FocusedField Find() {
        FocusedField field;
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            return field;
        }
        field.line = qobject_cast<QLineEdit*>(focus);
        field.text = qobject_cast<QTextEdit*>(focus);
        field.plain = qobject_cast<QPlainTextEdit*>(focus);
        return field;
    }
    bool Exists() const { return line != nullptr || text != nullptr || plain != nullptr; }
    bool ReadOnly() const {
        return line != nullptr ? line->isReadOnly()
                               : (text != nullptr ? text->isReadOnly()
                                                  : (plain != nullptr && plain->isReadOnly()));
    }
};

bool CanRun(EditCommand command, const FocusedField& field) {
    if (!field.Exists()) {
        return false;
    }
    switch (command) {
    case EditCommand::Copy:
    case EditCommand::SelectAll:
        return true;
    case EditCommand::Undo:
    case EditCommand::Cut:
    case EditCommand::Paste:
    case EditCommand::Clear:
        return !field.ReadOnly();
    case EditCommand::None:
        break;
    }
    return false;
}

// Delete removes the selection only, never the character at the cursor.
void DeleteSelection(QLineEdit* e) {
    if (e->hasSelectedText()) {
        e->del();
    }
}

template <class TextEdit> void DeleteSelection(TextEdit* e) {
    QTextCursor cursor = e->textCursor();
    cursor.removeSelectedText();
    e->setTextCursor(cursor);
}

void Run(EditCommand command, const FocusedField& field) {
    if (!CanRun(command, field)) {
        return;
    }
    auto runOn = [command](auto* e) {
        switch (command) {
        case EditCommand::Undo:
            e->undo();
            break;
        case EditCommand::Cut:
            e->cut();
            break;
        case EditCommand::Copy:
            e->copy();
            break;
        case EditCommand::Paste:
            e->paste();
            break;
        case EditCommand::Clear:
            DeleteSelection(e);
            break;
        case EditCommand::SelectAll:
            e->selectAll();
            break;
        case EditCommand::None:
            break;
        }
    };
    if (field.line != nullptr) {
        runOn(field.line);
    } else if (field.text != nullptr) {
        runOn(field.text);
    } else if (field.plain != nullptr) {
        runOn(field.plain);
    }
}

// What one built menu needs to keep: its items, to refresh their enabled state.
using Shown = std::vector<std::pair<QPointer<QAction>, std::weak_ptr<MenuItem>>>;

void Refresh(const Shown& shown) {
    for (const auto& [action, weak] : shown) {
        const MenuItemPtr item = weak.lock();
        if (action.isNull() || !item) {
            continue;
        }
        action->setEnabled(item->IsEnabledNow());
    }
}

} // namespace

MenuItem::MenuItem() = default;

MenuItem::MenuItem(const std::string& text, const Variant& tag) : m_text(text), m_tag(tag) {}

MenuItem::~MenuItem() = default;

MenuItem::NativeActions& MenuItem::Native() const {
    if (!m_native) {
        m_native = std::make_unique<NativeActions>();
    }
    return *m_native;
}

void MenuItem::UpdateNativeActions() const {
    if (!m_native) {
        return;
    }
    m_native->ForEach([this](QAction& action) {
        action.setText(QString::fromStdString(m_text));
        action.setShortcut(ToKeySequence(m_shortcut));
        action.setCheckable(m_checked);
        action.setChecked(m_checked);
        action.setEnabled(IsEnabledNow());
    });
}

void MenuItem::Text(const std::string& text) {
    m_text = text;
    UpdateNativeActions();
}

void MenuItem::KeyboardShortcut(const std::string& shortcut) {
    m_shortcut = shortcut;
    UpdateNativeActions();
}

void MenuItem::Enabled(bool value) {
    m_enabled = value;
    UpdateNativeActions();
}

void MenuItem::Checked(bool value) {
    m_checked = value;
    UpdateNativeActions();
}

void MenuItem::Append(MenuItemPtr child) {
    if (!child) {
        throw NilObjectException("MenuItem.Append: the item to append is nil");
    }
    // A menu inside itself would make every walk of the tree endless.
    std::vector<const MenuItem*> pending{child.get()};
    while (!pending.empty()) {
        const MenuItem* item = pending.back();
        pending.pop_back();
        if (item == this) {
            throw RuntimeException("MenuItem.Append: an item cannot be appended inside itself");
        }
        for (const MenuItemPtr& c : item->m_children) {
            pending.push_back(c.get());
        }
    }
    m_children.push_back(std::move(child));
}

MenuItemPtr MenuItem::Item(Int32 index) const {
    if (index < 0 || index >= Count()) {
        throw OutOfBoundsException("MenuItem.Item: index " + std::to_string(index) +
                                   " is outside the " + std::to_string(Count()) + " items");
    }
    return m_children[static_cast<std::size_t>(index)];
}

MenuItemPtr MenuItem::Child(const std::string& name) const {
    for (const MenuItemPtr& child : m_children) {
        if (EqualsIgnoreCase(child->m_name, name)) {
            return child;
        }
    }
    return nullptr;
}

MenuItemPtr MenuItem::_Lookup(const std::string& name) const {
    // Breadth first: the nearest item of that name wins.
    std::vector<const MenuItem*> level{this};
    while (!level.empty()) {
        std::vector<const MenuItem*> next;
        for (const MenuItem* item : level) {
            for (const MenuItemPtr& child : item->m_children) {
                if (EqualsIgnoreCase(child->m_name, name)) {
                    return child;
                }
                next.push_back(child.get());
            }
        }
        level = std::move(next);
    }
    return nullptr;
}

bool MenuItem::IsEnabledNow() const {
    if (!m_enabled) {
        return false;
    }
    const EditCommand command = EditCommandOf(m_name);
    if (command == EditCommand::None || !m_autoEnable) {
        return true;
    }
    return CanRun(command, FocusedField::Find());
}

void MenuItem::Event_Action() {
    const EditCommand command = EditCommandOf(m_name);
    if (command != EditCommand::None) {
        Run(command, FocusedField::Find());
    }
}

void QuitMenuItem::Event_Action() {
    Quit(0);
}

// Fills menu with the children of item, submenus included. Each action that can be chosen is
// recorded in shown (and in chosen, when given); with connectActions, triggering it raises the
// item's Event_Action.
struct MenuBuilder {
    static void Build(QWidget& menu, const MenuItem& item, Shown& shown,
                      std::map<QAction*, MenuItemPtr>* chosen, bool connectActions) {
        for (const MenuItemPtr& child : item.Children()) {
            const QString text = QString::fromStdString(child->Text());
            if (child->IsSeparator()) {
                auto* separator = new QAction(&menu);
                separator->setSeparator(true);
                menu.addAction(separator);
                continue;
            }
            if (child->Count() > 0) {
                auto* sub = new QMenu(text, &menu);
                Build(*sub, *child, shown, chosen, connectActions);
                sub->menuAction()->setEnabled(child->Enabled());
                menu.addAction(sub->menuAction());
                child->Native().Add(sub->menuAction());
                continue;
            }
            auto* action = new QAction(text, &menu);
            action->setShortcut(ToKeySequence(child->KeyboardShortcut()));
            action->setCheckable(child->Checked());
            action->setChecked(child->Checked());
            action->setEnabled(child->IsEnabledNow());
            menu.addAction(action);
            child->Native().Add(action);
            shown.emplace_back(action, child);
            if (chosen != nullptr) {
                (*chosen)[action] = child;
            }
            if (connectActions) {
                std::weak_ptr<MenuItem> weak = child;
                QObject::connect(action, &QAction::triggered, action, [weak, action] {
                    const MenuItemPtr target = weak.lock();
                    if (!target) {
                        return;
                    }
                    // A checkable action flips itself; the item's Checked decides.
                    action->setChecked(target->Checked());
                    if (target->IsEnabledNow()) {
                        CallIntoSystem([target] { target->Event_Action(); });
                    }
                });
            }
        }
    }
};

namespace {

// Each menu below root refreshes the enabled state of every item when it opens.
void RefreshOnOpen(QMenu& root, QObject& context, const Shown& shown) {
    for (QMenu* menu : root.findChildren<QMenu*>()) {
        QObject::connect(menu, &QMenu::aboutToShow, &context, [&shown] { Refresh(shown); });
    }
}

} // namespace

MenuItemPtr MenuItem::PopUp() {
    if (m_children.empty()) {
        return nullptr;
    }
    // On the heap and guarded: the window it belongs to may go while the menu is open.
    QPointer<QMenu> menu = new QMenu(QApplication::activeWindow());
    Shown shown;
    std::map<QAction*, MenuItemPtr> chosen;
    MenuBuilder::Build(*menu, *this, shown, &chosen, false);
    RefreshOnOpen(*menu, *menu, shown);
    detail::CloseUnlessShownInTime(*menu);
    QAction* action = menu->exec(QCursor::pos());
    const bool stillThere = !menu.isNull();
    delete menu.data();
    if (!stillThere) {
        return nullptr;
    }
    const auto it = chosen.find(action);
    return it == chosen.end() ? nullptr : it->second;
}

QMenuBar* MenuBar::CreateNativeMenuBar(QWidget* parent) const {
    auto* bar = new QMenuBar(parent);
    auto shown = std::make_shared<Shown>();
    MenuBuilder::Build(*bar, *this, *shown, nullptr, true);
    // Focus changes refresh the bar as well, so that the Edit items' shortcuts follow the
    // focused field.
    for (QMenu* menu : bar->findChildren<QMenu*>()) {
        QObject::connect(menu, &QMenu::aboutToShow, bar, [shown] { Refresh(*shown); });
    }
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QObject::connect(app, &QApplication::focusChanged, bar,
                         [shown](QWidget*, QWidget*) { Refresh(*shown); });
    }
    return bar;
}

} // namespace fw
