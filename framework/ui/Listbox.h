#pragma once

#include "framework/core/Event.h"
#include "framework/core/Object.h"
#include "framework/core/Types.h"
#include "framework/core/Variant.h"
#include "framework/ui/RectControl.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fw {

class Graphics;
class MenuItem;
class ListboxView;

// CheckBox.CheckedStates
struct CheckBox {
    enum class CheckedStates : Int32 { Unchecked = 0, Checked = 1, Indeterminate = 2 };
};

// The codes the list box's Int32 settings take.
namespace ListCellType { // ColumnType and CellType
inline constexpr Int32 Default = 0;
inline constexpr Int32 CheckBox = 2;
inline constexpr Int32 Editable = 3; // a click opens the in-place editor
} // namespace ListCellType

namespace ListAlignment {           // ColumnAlignment
inline constexpr Int32 Default = 0; // left
inline constexpr Int32 Left = 1;
inline constexpr Int32 Center = 2;
inline constexpr Int32 Right = 3;
inline constexpr Int32 Decimal = 4;
} // namespace ListAlignment

namespace GridLineStyle { // GridLinesHorizontal and GridLinesVertical; any other value is None
inline constexpr Int32 None = 0;
inline constexpr Int32 ThinSolid = 1;
inline constexpr Int32 ThinDotted = 2;
inline constexpr Int32 Thick = 3; // 2 pixels
} // namespace GridLineStyle

namespace ListSelectionType { // SelectionType
inline constexpr Int32 Single = 0;
inline constexpr Int32 Multiple = 1;
} // namespace ListSelectionType

// What a drag carries; the list box raises no drag events.
class DragItem : public Object {
public:
    std::string_view ClassFullName() const override { return "DragItem"; }
};

class Listbox;

// One column of a list box.
class ListColumn {
public:
    ListColumn(Listbox& owner, Int32 index) : m_owner(owner), m_index(index) {}
    // The column's actual width in pixels; 0 hides it.
    Int32 WidthActual() const;
    void WidthActual(Int32 pixels);

private:
    Listbox& m_owner;
    Int32 m_index;
};

// The framework's list box: rows of cells, each with a text and a Variant tag, columns with
// widths and alignment, a heading row, per-cell painting and an in-place editor.
//
// Storage: a vector of rows, each holding ColumnCount cells (text, tag, cell type, check
// state) and its selection flag. AddRow is amortised O(1), DeleteAllRows and RemoveRow O(n).
// Changing ColumnCount keeps every cell that still fits. Every row and column index is
// checked: outside the list raises OutOfBoundsException.
//
// Columns: ColumnWidths is a comma-separated list, one entry per column: pixels ("120"), a
// share of the list's inner width ("25%"; the inner width excludes the border and a shown
// vertical scroll bar), "*" a share of the width left over after the other entries, "0"
// hidden. A blank entry ("100,,*") hides its column like "0"; a missing entry (fewer entries
// than columns, or an empty text) counts as "*". Widths are recomputed whenever the list
// resizes. ListColumn.WidthActual(px) fixes that column's width until the next ColumnWidths
// text, which replaces every width; 0 hides it. Columns wider than the list scroll sideways
// only when ScrollBarHorizontal is True. A hidden column is never painted and takes no point.
// ColumnsResizable lets the user drag a heading divider, which fixes that column's width.
//
// Alignment: 0 default (left), 1 left, 2 centre, 3 right, 4 decimal. Decimal alignment puts
// the first "." of each text at x = column width + ColumnAlignmentOffset; a text without "."
// ends there. Left and right texts keep 3 pixels from the cell's edge. ColumnType(c) 2 or
// CellType 2 make check-box cells: a 12-pixel box 6 pixels from the cell's left edge, centred
// vertically, the text to its right;
// a click anywhere in such a cell toggles it (indeterminate becomes checked), then raises
// CellAction. ColumnType or CellType 3: a click opens the in-place editor.
//
// Headings: HasHeading shows a heading row (text height + 2 pixels). InitialValue holds the
// headings separated by tabs only (commas are text); setting it replaces every Heading(c),
// and headings are kept apart from ColumnCount, so the order of the two does not matter.
// A click on a heading raises HeaderPressed; unless that returns True, HeadingIndex becomes
// the column and SortColumn is raised. The list never sorts its rows itself (CompareRows is
// not raised).
//
// Rows: DefaultRowHeight -1 (or any value below 1) means text height + 4 pixels; any other
// value is every row's height. The getter returns what was set.
//
// Painting: for every visible cell position, row positions past the last row included down
// to the bottom of the list, Event_CellBackgroundPaint gets a Graphics of the cell's size
// (grid lines excluded) with its origin at the cell's corner, in the list's font; False
// lets the framework fill the base colour, or the highlight on a selected row. Then, for
// rows that exist, Event_CellTextPaint gets a Graphics of the text area (the cell, less the
// box of a check-box cell) whose ForeColor is the text colour (highlighted text on selected
// rows), and the framework's text position (x, baseline y); False lets the framework draw
// the text at that position in the column's alignment, in the ForeColor the handler left,
// clipped 3 pixels in from the text area's sides (and from its top and bottom where the line
// of text leaves room), so that it stays inside a frame drawn in the cell.
// Check boxes are drawn by the framework whatever the handlers return. GridLinesHorizontal/
// Vertical: 0 none, 1 thin solid, 2 thin dotted, 3 thick (2 pixels); others none. Border
// draws a 1-pixel frame; UseFocusRing a 2-pixel highlight inside it while the list has the
// focus.
//
// Scrolling: rows scroll by whole rows; ScrollPosition is the top row, clamped to the rows
// that exist (so ScrollPosition(ListCount()) shows the end). AutoHideScrollbars shows a
// scroll bar only when needed. The wheel scrolls by the desktop's wheel lines; PageUp,
// PageDown, Home and End scroll; Up and Down move the selection and keep it in view.
//
// Selection: SelectionType 0 single, 1 multiple (Ctrl toggles, Shift extends). A click in
// the empty area below the rows clears the selection unless RequiresSelection. Change is
// raised on every change of the selection, by the user or by the Selected, ListIndex,
// RemoveRow and DeleteAllRows calls; not when nothing changed.
//
// Mouse: coordinates are relative to the list's top-left corner. MouseDown comes first;
// True means the handler took the press: no cell click or heading press follows, and
// MouseDrag and MouseUp are raised for it (only then). Otherwise CellClick(row, column, x, y)
// with x, y inside the cell; False lets the framework select and toggle as above. The
// second press of a double click raises DoubleClick (in the rows' area) and nothing else.
// A right press raises ConstructContextualMenu with a new root MenuItem; when it returns
// True and the root has items they pop up, and a chosen item is passed to
// ContextualMenuAction. MouseMove is raised with no button down, MouseEnter and MouseExit
// when the pointer enters or leaves the list.
//
// Keys: KeyDown/KeyUp get the key's text; keys without one get the control characters
// Up 30, Down 31, Left 28, Right 29, Return 13, Enter 3, Tab 9, Escape 27, Backspace 8,
// Delete 127, Home 1, End 4, PageUp 11, PageDown 12. KeyDown True stops the list's own
// handling. GotFocus/LostFocus follow the keyboard focus of the list and its editor
// together. EnableMenuItems is raised when a menu opens while the list has the focus.
//
// In-place editor: EditCell scrolls the cell into view and opens a frameless line edit inside
// it, 3 pixels in from its sides and up to 3 from its top and bottom as the text's height
// allows, so that a frame drawn in the cell stays in sight; the whole text selected and
// focused. CellKeyDown sees each key first (True swallows
// it). Return, Enter, Tab or the focus going elsewhere ends the edit storing the typed
// text; Escape ends it putting back the text the cell had when the editor opened; each end
// raises CellAction once. The editor follows scrolling and row insertion or removal; when its
// row or column is removed it closes without storing or raising anything. CellGotFocus,
// CellLostFocus and CellTextChange report the editor's focus and typing. The Edit menu's
// commands work in it as in any focused text field.
//
// Not raised: the drag and drop events (DragEnter ... DropObject), CollapseRow and
// ExpandRow (the list is flat), CompareRows (it never sorts).
class Listbox : public RectControl {
public:
    Listbox();
    ~Listbox() override;

    std::string_view ClassFullName() const override { return "Listbox"; }

    // Rows and cells
    void AddRow(const std::vector<std::string>& texts);
    void AddRow(); // an empty row
    void InsertRow(Int32 row, const std::string& text);
    void RemoveRow(Int32 row);
    void DeleteAllRows();
    Int32 ListCount() const;
    Int32 LastIndex() const; // the row added last, -1 when none
    std::string Cell(Int32 row, Int32 column) const;
    void Cell(Int32 row, Int32 column, const std::string& text);
    Variant CellTag(Int32 row, Int32 column) const;
    void CellTag(Int32 row, Int32 column, const Variant& tag);
    Int32 CellType(Int32 row, Int32 column) const; // 0 default, 2 check box, 3 editable in place
    void CellType(Int32 row, Int32 column, Int32 type);
    CheckBox::CheckedStates CellState(Int32 row, Int32 column) const;
    void CellState(Int32 row, Int32 column, CheckBox::CheckedStates state);
    bool CellCheck(Int32 row, Int32 column) const;
    void CellCheck(Int32 row, Int32 column, bool checked);
    bool Selected(Int32 row) const;
    void Selected(Int32 row, bool selected);
    Int32 ListIndex() const; // the first selected row, -1 when none
    void ListIndex(Int32 row);
    Int32 SelectionType() const; // 0 single, 1 multiple
    void SelectionType(Int32 type);
    bool RequiresSelection() const;
    void RequiresSelection(bool value);

    // Columns
    Int32 ColumnCount() const;
    void ColumnCount(Int32 count); // cells are kept where they still fit
    ListColumn& Column(Int32 column);
    Int32 ColumnType(Int32 column) const; // 0 default, 2 check box, 3 editable in place
    void ColumnType(Int32 column, Int32 type);
    // Comma-separated: pixels, "n%" of the list's width, "*" the width left over, "0" hidden.
    std::string ColumnWidths() const;
    void ColumnWidths(const std::string& widths);
    Int32 ColumnAlignment(Int32 column) const; // 0 default, 1 left, 2 centre, 3 right, 4 decimal
    void ColumnAlignment(Int32 column, Int32 alignment);
    Int32 ColumnAlignmentOffset(Int32 column) const;
    void ColumnAlignmentOffset(Int32 column, Int32 pixels);
    bool ColumnsResizable() const;
    void ColumnsResizable(bool value);

    // Headings
    bool HasHeading() const;
    void HasHeading(bool value);
    std::string InitialValue() const; // tab-separated headings
    void InitialValue(const std::string& text);
    std::string Heading(Int32 column) const;
    void Heading(Int32 column, const std::string& text);
    Int32 HeadingIndex() const;
    void HeadingIndex(Int32 column);

    // Look
    Int32 DefaultRowHeight() const; // -1 = the framework's height for the font
    void DefaultRowHeight(Int32 pixels);
    Int32 GridLinesHorizontal() const;
    void GridLinesHorizontal(Int32 style);
    Int32 GridLinesVertical() const;
    void GridLinesVertical(Int32 style);
    bool Border() const;
    void Border(bool value);
    bool UseFocusRing() const;
    void UseFocusRing(bool value);
    bool ScrollBarVertical() const;
    void ScrollBarVertical(bool value);
    bool ScrollBarHorizontal() const;
    void ScrollBarHorizontal(bool value);
    bool AutoHideScrollbars() const;
    void AutoHideScrollbars(bool value);
    Int32 ScrollPosition() const; // the top visible row
    void ScrollPosition(Int32 row);
    Int32 _ScrollWidth() const;
    void _ScrollWidth(Int32 value);
    bool Hierarchical() const;
    void Hierarchical(bool value);
    bool EnableDrag() const;
    void EnableDrag(bool value);
    bool EnableDragReorder() const;
    void EnableDragReorder(bool value);
    const std::string& DataSource() const;
    void DataSource(const std::string& value);
    const std::string& DataField() const;
    void DataField(const std::string& value);

    // In-place editing
    void EditCell(Int32 row, Int32 column);
    bool IsEditing() const;

    // Points relative to the list's top-left corner; -1 off the cells.
    Int32 RowFromXY(Int32 x, Int32 y) const;
    Int32 ColumnFromXY(Int32 x, Int32 y) const;

    void Invalidate();

    // Events. Each Event_ method is what the framework calls; its default raises the handler
    // bound to the event of the same name (a Boolean event with no handler yields False).
    Event<void(Listbox&)> Open{"( Listbox )"};
    Event<void(Listbox&)> Close{"( Listbox )"};
    Event<void(Listbox&)> Change{"( Listbox )"};
    Event<bool(Listbox&, Graphics&, Int32, Int32)> CellBackgroundPaint{
        "( Listbox, Graphics, Int32, Int32 ) as Boolean"};
    Event<bool(Listbox&, Graphics&, Int32, Int32, Int32, Int32)> CellTextPaint{
        "( Listbox, Graphics, Int32, Int32, Int32, Int32 ) as Boolean"};
    Event<bool(Listbox&, Int32, Int32, Int32, Int32)> CellClick{
        "( Listbox, Int32, Int32, Int32, Int32 ) as Boolean"};
    Event<void(Listbox&, Int32, Int32)> CellAction{"( Listbox, Int32, Int32 )"};
    Event<void(Listbox&, Int32, Int32)> CellGotFocus{"( Listbox, Int32, Int32 )"};
    Event<void(Listbox&, Int32, Int32)> CellLostFocus{"( Listbox, Int32, Int32 )"};
    Event<bool(Listbox&, Int32, Int32, std::string)> CellKeyDown{
        "( Listbox, Int32, Int32, String ) as Boolean"};
    Event<void(Listbox&, Int32)> CollapseRow{"( Listbox, Int32 )"};
    Event<void(Listbox&, Int32)> ExpandRow{"( Listbox, Int32 )"};
    Event<void(Listbox&)> GotFocus{"( Listbox )"};
    Event<void(Listbox&)> LostFocus{"( Listbox )"};
    Event<bool(Listbox&, std::string)> KeyDown{"( Listbox, String ) as Boolean"};
    Event<void(Listbox&, std::string)> KeyUp{"( Listbox, String )"};
    Event<bool(Listbox&, Int32, Int32)> MouseDown{"( Listbox, Int32, Int32 ) as Boolean"};
    Event<void(Listbox&, Int32, Int32)> MouseDrag{"( Listbox, Int32, Int32 )"};
    Event<void(Listbox&)> MouseEnter{"( Listbox )"};
    Event<void(Listbox&)> MouseExit{"( Listbox )"};
    Event<void(Listbox&, Int32, Int32)> MouseMove{"( Listbox, Int32, Int32 )"};
    Event<void(Listbox&, Int32, Int32)> MouseUp{"( Listbox, Int32, Int32 )"};
    Event<bool(Listbox&, Int32, Int32, Int32, Int32)> MouseWheel{
        "( Listbox, Int32, Int32, Int32, Int32 ) as Boolean"};
    Event<bool(Listbox&, Int32, Int32, Int32, Int32&)> CompareRows{
        "( Listbox, Int32, Int32, Int32, ByRef Int32 ) as Boolean"};
    Event<bool(Listbox&, MenuItem&, Int32, Int32)> ConstructContextualMenu{
        "( Listbox, MenuItem, Int32, Int32 ) as Boolean"};
    Event<bool(Listbox&, MenuItem&)> ContextualMenuAction{"( Listbox, MenuItem ) as Boolean"};
    Event<bool(Listbox&, DragItem&, Int32)> DragEnter{"( Listbox, DragItem, Int32 ) as Boolean"};
    Event<void(Listbox&, DragItem&, Int32)> DragExit{"( Listbox, DragItem, Int32 )"};
    Event<bool(Listbox&, Int32, Int32, DragItem&, Int32)> DragOver{
        "( Listbox, Int32, Int32, DragItem, Int32 ) as Boolean"};
    Event<bool(Listbox&, Int32, Int32)> DragReorderRows{"( Listbox, Int32, Int32 ) as Boolean"};
    Event<bool(Listbox&, DragItem&, Int32)> DragRow{"( Listbox, DragItem, Int32 ) as Boolean"};
    Event<void(Listbox&, DragItem&, Int32)> DropObject{"( Listbox, DragItem, Int32 )"};
    Event<void(Listbox&)> EnableMenuItems{"( Listbox )"};
    Event<void(Listbox&, Int32, Int32)> CellTextChange{"( Listbox, Int32, Int32 )"};
    Event<void(Listbox&)> DoubleClick{"( Listbox )"};
    Event<bool(Listbox&, Int32)> SortColumn{"( Listbox, Int32 ) as Boolean"};
    Event<bool(Listbox&, Int32)> HeaderPressed{"( Listbox, Int32 ) as Boolean"};

    void Event_Open() override;
    void Event_Close() override;
    virtual void Event_Change();
    virtual bool Event_CellBackgroundPaint(Graphics& g, Int32 row, Int32 column);
    virtual bool Event_CellTextPaint(Graphics& g, Int32 row, Int32 column, Int32 x, Int32 y);
    virtual bool Event_CellClick(Int32 row, Int32 column, Int32 x, Int32 y);
    virtual void Event_CellAction(Int32 row, Int32 column);
    virtual void Event_CellGotFocus(Int32 row, Int32 column);
    virtual void Event_CellLostFocus(Int32 row, Int32 column);
    virtual bool Event_CellKeyDown(Int32 row, Int32 column, std::string key);
    virtual void Event_CollapseRow(Int32 row);
    virtual void Event_ExpandRow(Int32 row);
    virtual void Event_GotFocus();
    virtual void Event_LostFocus();
    virtual bool Event_KeyDown(std::string key);
    virtual void Event_KeyUp(std::string key);
    virtual bool Event_MouseDown(Int32 x, Int32 y);
    virtual void Event_MouseDrag(Int32 x, Int32 y);
    virtual void Event_MouseEnter();
    virtual void Event_MouseExit();
    virtual void Event_MouseMove(Int32 x, Int32 y);
    virtual void Event_MouseUp(Int32 x, Int32 y);
    virtual bool Event_MouseWheel(Int32 x, Int32 y, Int32 deltaX, Int32 deltaY);
    virtual bool Event_CompareRows(Int32 row1, Int32 row2, Int32 column, Int32& result);
    virtual bool Event_ConstructContextualMenu(MenuItem& base, Int32 x, Int32 y);
    virtual bool Event_ContextualMenuAction(MenuItem& hitItem);
    virtual bool Event_DragEnter(DragItem& item, Int32 action);
    virtual void Event_DragExit(DragItem& item, Int32 action);
    virtual bool Event_DragOver(Int32 x, Int32 y, DragItem& item, Int32 action);
    virtual bool Event_DragReorderRows(Int32 newPosition, Int32 parentRow);
    virtual bool Event_DragRow(DragItem& item, Int32 row);
    virtual void Event_DropObject(DragItem& item, Int32 action);
    virtual void Event_EnableMenuItems();
    virtual void Event_CellTextChange(Int32 row, Int32 column);
    virtual void Event_DoubleClick();
    virtual bool Event_SortColumn(Int32 column);
    virtual bool Event_HeaderPressed(Int32 column);
    // The list box handles CreatePane itself: it has its one pane and makes no other.
    virtual void Event_CreatePane() {}

protected:
    void FontChanged() override;

    // The cell's text without a copy; valid until the cell or the rows change.
    std::string_view CellTextView(Int32 row, Int32 column) const;
    // CellTextView for the columns given of one row, into out (as many as columns): a pass
    // over many rows finds each row once.
    void RowTextViews(Int32 row, std::span<const Int32> columns, std::string_view* out) const;
    // Which cells' texts changed since the last call. everything: rows or columns were added,
    // removed or moved, or more texts changed than are listed. The first call only starts the
    // bookkeeping (none before it) and says everything.
    struct TextChanges {
        bool everything = true;
        std::vector<std::pair<Int32, Int32>> cells; // (row, column), in the order of change
    };
    TextChanges TakeTextChanges();

private:
    friend class ListboxView;
    friend class ListColumn;
    struct State; // the rows, columns and settings; shared with the native widget
    void LayoutChanged();
    void Repaint();

    std::unique_ptr<State> m_state;
    ListboxView* m_view = nullptr; // the native widget; cleared if Qt destroys it first
};

} // namespace fw
