#pragma once

#include "framework/core/Event.h"
#include "framework/core/Types.h"
#include "framework/ui/RectControl.h"

#include <memory>
#include <string>

class QComboBox;
class QObject;

namespace fw {

// A pop-up menu of text rows, on a combo box. ListIndex is the selected row, -1 for none.
class PopupMenu : public RectControl {
public:
    PopupMenu();
    ~PopupMenu() override;

    std::string_view ClassFullName() const override { return "PopupMenu"; }

    // Raised when code sets ListIndex (whatever the value), when the user chooses a row, and
    // when removing rows changes the selection.
    Event<void(PopupMenu&)> Change{"( PopupMenu )"};
    Event<void(PopupMenu&)> Open{"( PopupMenu )"};
    Event<void(PopupMenu&)> Close{"( PopupMenu )"};
    virtual void Event_Change() { Change.Raise(*this); }
    void Event_Open() override { Open.Raise(*this); }
    void Event_Close() override { Close.Raise(*this); }

    // The rows as one text, separated by CR. Setting it replaces the rows and selects the row
    // ListIndex was last set to, when there is one.
    std::string InitialValue() const;
    void InitialValue(const std::string& rows);

    // The selected row, -1 for none. Setting an index outside the rows selects nothing.
    Int32 ListIndex() const;
    void ListIndex(Int32 index);
    // The selected row's text; "" when none is selected.
    std::string Text() const;
    // The text of row index; OutOfBoundsException outside the rows.
    std::string List(Int32 index) const;
    Int32 ListCount() const;

    // Appends a row; the selection stays as it is.
    void AddRow(const std::string& text);
    void DeleteAllRows();
    // OutOfBoundsException outside the rows.
    void RemoveRow(Int32 index);

    const std::string& DataField() const { return m_dataField; }
    void DataField(const std::string& value) { m_dataField = value; }
    const std::string& DataSource() const { return m_dataSource; }
    void DataSource(const std::string& value) { m_dataSource = value; }

    QComboBox* NativeComboBox() const { return m_combo; }

private:
    explicit PopupMenu(std::unique_ptr<QComboBox> combo);
    void Select(Int32 index);
    void CheckRow(Int32 index, const char* what) const;

    QComboBox* m_combo;
    std::unique_ptr<QObject> m_callbacks; // context of the combo box's connections
    Int32 m_requestedIndex = -1;
    bool m_settingFromCode = false;
    std::string m_dataField;
    std::string m_dataSource;
};

} // namespace fw
