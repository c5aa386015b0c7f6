#include "framework/ui/PopupMenu.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Runtime.h"

#include <QComboBox>
#include <string>
#include <vector>

namespace fw {

namespace {

// Rows are separated by CR; LF and CR LF are taken as well, for texts written in code.
std::vector<std::string> SplitRows(const std::string& rows) {
    std::vector<std::string> result;
    if (rows.empty()) {
        return result;
    }
    std::string row;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const char c = rows[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < rows.size() && rows[i + 1] == '\n') {
                ++i;
            }
            result.push_back(row);
            row.clear();
        } else {
            row += c;
        }
    }
    result.push_back(row);
    return result;
}

// Guards the combo box's own change signal while code changes the rows or the selection.
class CodeChange {
public:
    explicit CodeChange(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~CodeChange() { m_flag = m_old; }
    CodeChange(const CodeChange&) = delete;
    CodeChange& operator=(const CodeChange&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

} // namespace

PopupMenu::PopupMenu() : PopupMenu(std::make_unique<QComboBox>()) {}

PopupMenu::PopupMenu(std::unique_ptr<QComboBox> combo) : RectControl(std::move(combo)) {
    m_combo = static_cast<QComboBox*>(NativeWidget());
    m_combo->setEditable(false);
    m_callbacks = std::make_unique<QObject>();
    QObject::connect(m_combo, &QComboBox::currentIndexChanged, m_callbacks.get(), [this](int) {
        if (!m_settingFromCode) {
            m_requestedIndex = ListIndex();
            CallIntoSystem([this] { Event_Change(); });
        }
    });
}

// The combo box outlives this part of the object; dropping m_callbacks first cuts its calls
// back into it.
PopupMenu::~PopupMenu() {
    m_callbacks.reset();
}

std::string PopupMenu::InitialValue() const {
    std::string rows;
    for (int i = 0; i < m_combo->count(); ++i) {
        if (i > 0) {
            rows += '\r';
        }
        rows += m_combo->itemText(i).toStdString();
    }
    return rows;
}

void PopupMenu::InitialValue(const std::string& rows) {
    const Int32 before = ListIndex();
    {
        CodeChange guard(m_settingFromCode);
        m_combo->clear();
        for (const std::string& row : SplitRows(rows)) {
            m_combo->addItem(QString::fromStdString(row));
        }
        const bool inRows = m_requestedIndex >= 0 && m_requestedIndex < ListCount();
        Select(inRows ? m_requestedIndex : -1);
    }
    if (before >= 0 && ListIndex() != before) {
        Event_Change();
    }
}

Int32 PopupMenu::ListIndex() const {
    return m_combo->currentIndex();
}

void PopupMenu::ListIndex(Int32 index) {
    m_requestedIndex = index;
    {
        CodeChange guard(m_settingFromCode);
        Select(index >= 0 && index < ListCount() ? index : -1);
    }
    Event_Change();
}

std::string PopupMenu::Text() const {
    const int index = m_combo->currentIndex();
    return index < 0 ? std::string() : m_combo->itemText(index).toStdString();
}

std::string PopupMenu::List(Int32 index) const {
    CheckRow(index, "List");
    return m_combo->itemText(index).toStdString();
}

Int32 PopupMenu::ListCount() const {
    return m_combo->count();
}

void PopupMenu::AddRow(const std::string& text) {
    CodeChange guard(m_settingFromCode);
    const int before = m_combo->currentIndex();
    m_combo->addItem(QString::fromStdString(text));
    // A combo box selects its first row by itself; a pop-up menu does not.
    if (m_combo->currentIndex() != before) {
        Select(before);
    }
}

void PopupMenu::DeleteAllRows() {
    const Int32 before = ListIndex();
    {
        CodeChange guard(m_settingFromCode);
        m_combo->clear();
    }
    m_requestedIndex = -1;
    if (before >= 0) {
        Event_Change();
    }
}

void PopupMenu::RemoveRow(Int32 index) {
    CheckRow(index, "RemoveRow");
    const Int32 before = ListIndex();
    {
        CodeChange guard(m_settingFromCode);
        m_combo->removeItem(index);
        if (index == before) {
            Select(-1);
        } else if (index < before) {
            Select(before - 1); // the same row stays selected
        }
    }
    if (index == before) {
        m_requestedIndex = -1;
        Event_Change();
    }
}

void PopupMenu::Select(Int32 index) {
    m_combo->setCurrentIndex(index);
}

void PopupMenu::CheckRow(Int32 index, const char* what) const {
    if (index < 0 || index >= ListCount()) {
        throw OutOfBoundsException(std::string("PopupMenu.") + what + ": row " +
                                   std::to_string(index) + " is outside the " +
                                   std::to_string(ListCount()) + " rows");
    }
}

void RegisterPopupMenuClass() {
    using P = PopupMenu;
    ClassInfo info{"PopupMenu", "RectControl", {}};
    auto& p = info.properties;
    p.push_back(Property<P, bool>("Bold", [](P& c, bool v) { c.Bold(v); }));
    p.push_back(Property<P, bool>("Italic", [](P& c, bool v) { c.Italic(v); }));
    p.push_back(Property<P, bool>("Underline", [](P& c, bool v) { c.Underline(v); }));
    p.push_back(Property<P, Int32>("ListIndex", [](P& c, Int32 v) { c.ListIndex(v); }));
    p.push_back(
        Property<P, std::string>("DataField", [](P& c, const std::string& v) { c.DataField(v); }));
    p.push_back(Property<P, std::string>("DataSource",
                                         [](P& c, const std::string& v) { c.DataSource(v); }));
    p.push_back(Property<P, std::string>("InitialValue",
                                         [](P& c, const std::string& v) { c.InitialValue(v); }));
    p.push_back(
        Property<P, std::string>("TextFont", [](P& c, const std::string& v) { c.TextFont(v); }));
    ClassRegistry::Instance().Register(std::move(info));
}

} // namespace fw
