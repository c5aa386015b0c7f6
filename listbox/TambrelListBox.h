#pragma once

#include "framework/core/Date.h"
#include "framework/core/Event.h"
#include "framework/core/Types.h"
#include "framework/core/Variant.h"
#include "framework/ui/Listbox.h"
#include "listbox/CellTables.h"
#include "listbox/ColumnMeasure.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fw {
class Graphics;
class MenuItem;
} // namespace fw

struct TambrelListBoxTestAccess;

// A list box whose columns have kinds (integer, number, currency, text, check box, drop-down,
// date, time, date-time, progress bar, plain). Each cell keeps its value in the cell tag apart
// from the text shown, and the text is formatted from the value by the column's kind.
// Rows and columns outside the list or the per-cell tables raise fw::OutOfBoundsException.
class TambrelListBox : public fw::Listbox {
public:
    std::string_view ClassFullName() const override { return "TambrelListBox"; }

    // Declares "TambrelListBox" (parent "Listbox") and its designed properties.
    static void RegisterClass();

    // Properties. Each takes effect the next time the code that reads it runs: the column
    // codes and TableType's row height at the next Reset, the colours at the next painting,
    // the patterns at the next formatting of a value.
    fw::Int32 TableType = 0; // 0 no frames, 1 rounded frames, 2 square frames
    std::string ColAlignment;
    fw::Color BackColor{0xFFFFFF};      // odd rows
    fw::Color HighlightColor{0xFF0000}; // selected rows
    fw::Color TextColor{0x000000};
    std::string ColumnTypes;
    std::string IntegerFormat = "-#";
    std::string CurrencyFormat = "#,0.00;(#,0.00);\\";
    std::string NumberFormat = "-#0.00";
    std::string DateFormat = "dd-mm-yyyy";
    fw::Color AlternateColor{0xFFFFFF}; // even rows
    fw::Color BoxColor{0x000000};       // cell frames
    std::string TimeFormat = "HH:MMap";
    std::string DateTimeFormat = "dd-mm-yy hh:tt ap";
    fw::Color ProgBarColor{0xFF0000};
    std::string HideColumns;

    // Handlers of the list box's events.
    void Event_Open() override;
    bool Event_CellBackgroundPaint(fw::Graphics& g, fw::Int32 row, fw::Int32 column) override;
    bool Event_CellTextPaint(fw::Graphics& g, fw::Int32 row, fw::Int32 column, fw::Int32 x,
                             fw::Int32 y) override;
    bool Event_CellClick(fw::Int32 row, fw::Int32 column, fw::Int32 x, fw::Int32 y) override;
    void Event_CellAction(fw::Int32 row, fw::Int32 column) override;
    void Event_CellGotFocus(fw::Int32 row, fw::Int32 column) override;
    void Event_CellLostFocus(fw::Int32 row, fw::Int32 column) override;
    bool Event_CellKeyDown(fw::Int32 row, fw::Int32 column, std::string key) override;
    void Event_CollapseRow(fw::Int32 row) override;
    void Event_ExpandRow(fw::Int32 row) override;
    void Event_GotFocus() override;
    void Event_LostFocus() override;
    bool Event_KeyDown(std::string key) override;
    void Event_KeyUp(std::string key) override;
    bool Event_MouseDown(fw::Int32 x, fw::Int32 y) override;
    void Event_MouseDrag(fw::Int32 x, fw::Int32 y) override;
    void Event_MouseEnter() override;
    void Event_MouseExit() override;
    void Event_MouseMove(fw::Int32 x, fw::Int32 y) override;
    void Event_MouseUp(fw::Int32 x, fw::Int32 y) override;
    bool Event_MouseWheel(fw::Int32 x, fw::Int32 y, fw::Int32 deltaX, fw::Int32 deltaY) override;
    bool Event_CompareRows(fw::Int32 row1, fw::Int32 row2, fw::Int32 column,
                           fw::Int32& result) override;
    bool Event_ConstructContextualMenu(fw::MenuItem& base, fw::Int32 x, fw::Int32 y) override;
    bool Event_ContextualMenuAction(fw::MenuItem& hitItem) override;
    bool Event_DragEnter(fw::DragItem& item, fw::Int32 action) override;
    void Event_DragExit(fw::DragItem& item, fw::Int32 action) override;
    bool Event_DragOver(fw::Int32 x, fw::Int32 y, fw::DragItem& item, fw::Int32 action) override;
    bool Event_DragReorderRows(fw::Int32 newPosition, fw::Int32 parentRow) override;
    bool Event_DragRow(fw::DragItem& item, fw::Int32 row) override;
    void Event_DropObject(fw::DragItem& item, fw::Int32 action) override;
    void Event_EnableMenuItems() override;
    void Event_CellTextChange(fw::Int32 row, fw::Int32 column) override;
    void Event_DoubleClick() override;

    // Fits the column widths to the heading and cell texts; does nothing before Open.
    virtual void ResizeColumns();
    // Empties the per-column and per-cell tables and all rows, then sets the columns up again
    // from InitialValue, ColumnTypes, HideColumns, ColAlignment and the row-height rule.
    virtual void Reset();
    // Adds an empty row at the end; SetValue fills it.
    virtual void NewRow();
    // Stores a value in the row added last and sets the cell's text from it.
    virtual void SetValue(fw::Int32 column, const fw::Variant& value);
    // The comma-separated choices of a drop-down cell; "-" is a separator.
    virtual void SetDropDownList(fw::Int32 row, fw::Int32 column, const std::string& list);
    virtual fw::Variant GetValue(fw::Int32 row, fw::Int32 column);
    // As SetValue, on the given row.
    virtual void UpdateValue(fw::Int32 row, fw::Int32 column, const fw::Variant& value);
    // The maximum of a progress-bar cell: the bar shows value / maximum.
    virtual void SetPBMaxValue(fw::Int32 row, fw::Int32 column, double max);

    // Events of the control. Open and DoubleClick replace the list box's events of those
    // names for a host of this control.
    fw::Event<void(TambrelListBox&)> Open{"( TambrelListBox )"};
    fw::Event<void(TambrelListBox&, fw::Int32, fw::Int32, bool)> CellCheckBoxStateChange{
        "( TambrelListBox, Int32, Int32, Boolean )"};
    fw::Event<void(TambrelListBox&, fw::Int32, fw::Int32, std::string)> CellDropDownChanged{
        "( TambrelListBox, Int32, Int32, String )"};
    fw::Event<void(TambrelListBox&, fw::DatePtr, fw::Int32, fw::Int32)> CellDateChanged{
        "( TambrelListBox, Date, Int32, Int32 )"};
    fw::Event<void(TambrelListBox&, fw::DatePtr, fw::Int32, fw::Int32)> CellTimeChanged{
        "( TambrelListBox, Date, Int32, Int32 )"};
    fw::Event<void(TambrelListBox&, std::string, fw::Int32, fw::Int32)> CellTextChanged{
        "( TambrelListBox, String, Int32, Int32 )"};
    fw::Event<void(TambrelListBox&, fw::Int32, fw::Int32, fw::Int32)> CellIntegerChanged{
        "( TambrelListBox, Int32, Int32, Int32 )"};
    fw::Event<void(TambrelListBox&, fw::Currency, fw::Int32, fw::Int32)> CellCurrencyChanged{
        "( TambrelListBox, Currency, Int32, Int32 )"};
    fw::Event<void(TambrelListBox&, double, fw::Int32, fw::Int32)> CellNumberChanged{
        "( TambrelListBox, Double, Int32, Int32 )"};
    fw::Event<void(TambrelListBox&, fw::Int32, fw::Int32)> DoubleClick{
        "( TambrelListBox, Int32, Int32 )"};

private:
    friend struct TambrelListBoxTestAccess;

    // Column kinds held in ColType.
    enum Kind : fw::Int32 {
        KindPlain = 0,
        KindCheckBox = 1,
        KindCurrency = 2,
        KindDate = 3,
        KindDateTime = 4,
        KindDropDown = 5,
        KindInteger = 6,
        KindNumber = 7,
        KindProgressBar = 8,
        KindString = 9,
        KindTime = 10,
    };

    // The list box events handled here are closed to hosts (Open and DoubleClick are hidden
    // by the control's own events above).
    using fw::Listbox::CellAction;
    using fw::Listbox::CellBackgroundPaint;
    using fw::Listbox::CellClick;
    using fw::Listbox::CellGotFocus;
    using fw::Listbox::CellKeyDown;
    using fw::Listbox::CellLostFocus;
    using fw::Listbox::CellTextChange;
    using fw::Listbox::CellTextPaint;
    using fw::Listbox::CollapseRow;
    using fw::Listbox::CompareRows;
    using fw::Listbox::ConstructContextualMenu;
    using fw::Listbox::ContextualMenuAction;
    using fw::Listbox::DragEnter;
    using fw::Listbox::DragExit;
    using fw::Listbox::DragOver;
    using fw::Listbox::DragReorderRows;
    using fw::Listbox::DragRow;
    using fw::Listbox::DropObject;
    using fw::Listbox::EnableMenuItems;
    using fw::Listbox::ExpandRow;
    using fw::Listbox::GotFocus;
    using fw::Listbox::KeyDown;
    using fw::Listbox::KeyUp;
    using fw::Listbox::LostFocus;
    using fw::Listbox::MouseDown;
    using fw::Listbox::MouseDrag;
    using fw::Listbox::MouseEnter;
    using fw::Listbox::MouseExit;
    using fw::Listbox::MouseMove;
    using fw::Listbox::MouseUp;
    using fw::Listbox::MouseWheel;

    void SetColumnOrientation();
    fw::Color OppositeColor(fw::Color colour);
    void SetInitialValue();
    void SetDefaultRowHeight();
    void SetColumnTypes();
    void DrawLeftArrow(fw::Graphics& g, fw::Color colour);
    void DrawRightArrow(fw::Graphics& g, fw::Color colour);
    void DrawDownArrow(fw::Graphics& g, const std::string& side, fw::Color colour);
    // Pops up the drop-down cell's choices at the mouse; a chosen entry becomes the cell's
    // text and value.
    void PopUpCellChoices(fw::Int32 row, fw::Int32 column, const std::string& list);
    // WriteString's alignment codes.
    enum TextPlace : fw::Int32 { PlaceLeft = 0, PlaceCentre = 1, PlaceRight = 2 };
    // Where a column's text stands for its ColumnAlignment code; nothing for a code that
    // draws no text here (decimal alignment is drawn by the list box).
    static std::optional<TextPlace> TextPlaceOf(fw::Int32 columnAlignment);
    void WriteString(fw::Graphics& g, const std::string& text, fw::Int32 alignment);
    std::string FormattedDate(const fw::DatePtr& d, const std::string& pattern);
    std::string FormattedDate(const fw::Date& d, const std::string& pattern);
    void SetupDaysMonths(const std::string& language);
    std::string FormattedTime(const fw::DatePtr& d, const std::string& pattern);
    std::string FormattedTime(const fw::Date& d, const std::string& pattern);
    void SetHiddenColumns();

    // The kind of a column, plain for a column that has none since the last Reset.
    fw::Int32 KindOf(fw::Int32 column) const;
    // Raises OutOfBoundsException for a cell outside the list.
    void CheckCell(fw::Int32 row, fw::Int32 column) const;

    std::vector<fw::Int32> ColType;
    std::vector<std::string> DropOrient;
    ChoiceLists DropList;
    std::vector<bool> ColEdit;
    std::vector<std::string> LongDayStr;
    std::vector<std::string> LongMonths;
    std::vector<std::string> ShortDayStr;
    std::vector<std::string> ShortMonths;
    bool NotOpen = true;
    SparseColumns<double> PBMaxVals;

    // The cell a click opened the editor on, as it was before the click: an edit cancelled
    // with Escape or refused as no number puts it back.
    struct EditStart {
        fw::Int32 row = -1;
        fw::Int32 column = -1;
        std::string text;
        fw::Int32 type = 0;
        bool cancelled = false;
    };
    std::optional<EditStart> m_editStart;

    // Keeps the width of each cell ResizeColumns measured.
    ColumnMeasurer m_measurer;
};
