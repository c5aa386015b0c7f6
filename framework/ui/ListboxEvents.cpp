// The list box's events and its designed properties.

#include "framework/core/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Listbox.h"
#include "framework/ui/MenuItem.h"

#include <string>

namespace fw {

// Events: each default raises the handler bound to the event of the same name.

void Listbox::Event_Open() {
    Open.Raise(*this);
}
void Listbox::Event_Close() {
    Close.Raise(*this);
}
void Listbox::Event_Change() {
    Change.Raise(*this);
}
bool Listbox::Event_CellBackgroundPaint(Graphics& g, Int32 row, Int32 column) {
    return CellBackgroundPaint.Raise(*this, g, row, column);
}
bool Listbox::Event_CellTextPaint(Graphics& g, Int32 row, Int32 column, Int32 x, Int32 y) {
    return CellTextPaint.Raise(*this, g, row, column, x, y);
}
bool Listbox::Event_CellClick(Int32 row, Int32 column, Int32 x, Int32 y) {
    return CellClick.Raise(*this, row, column, x, y);
}
void Listbox::Event_CellAction(Int32 row, Int32 column) {
    CellAction.Raise(*this, row, column);
}
void Listbox::Event_CellGotFocus(Int32 row, Int32 column) {
    CellGotFocus.Raise(*this, row, column);
}
void Listbox::Event_CellLostFocus(Int32 row, Int32 column) {
    CellLostFocus.Raise(*this, row, column);
}
bool Listbox::Event_CellKeyDown(Int32 row, Int32 column, std::string key) {
    return CellKeyDown.Raise(*this, row, column, std::move(key));
}
void Listbox::Event_CollapseRow(Int32 row) {
    CollapseRow.Raise(*this, row);
}
void Listbox::Event_ExpandRow(Int32 row) {
    ExpandRow.Raise(*this, row);
}
void Listbox::Event_GotFocus() {
    GotFocus.Raise(*this);
}
void Listbox::Event_LostFocus() {
    LostFocus.Raise(*this);
}
bool Listbox::Event_KeyDown(std::string key) {
    return KeyDown.Raise(*this, std::move(key));
}
void Listbox::Event_KeyUp(std::string key) {
    KeyUp.Raise(*this, std::move(key));
}
bool Listbox::Event_MouseDown(Int32 x, Int32 y) {
    return MouseDown.Raise(*this, x, y);
}
void Listbox::Event_MouseDrag(Int32 x, Int32 y) {
    MouseDrag.Raise(*this, x, y);
}
void Listbox::Event_MouseEnter() {
    MouseEnter.Raise(*this);
}
void Listbox::Event_MouseExit() {
    MouseExit.Raise(*this);
}
void Listbox::Event_MouseMove(Int32 x, Int32 y) {
    MouseMove.Raise(*this, x, y);
}
void Listbox::Event_MouseUp(Int32 x, Int32 y) {
    MouseUp.Raise(*this, x, y);
}
bool Listbox::Event_MouseWheel(Int32 x, Int32 y, Int32 deltaX, Int32 deltaY) {
    return MouseWheel.Raise(*this, x, y, deltaX, deltaY);
}
bool Listbox::Event_CompareRows(Int32 row1, Int32 row2, Int32 column, Int32& result) {
    return CompareRows.Raise(*this, row1, row2, column, result);
}
bool Listbox::Event_ConstructContextualMenu(MenuItem& base, Int32 x, Int32 y) {
    return ConstructContextualMenu.Raise(*this, base, x, y);
}
bool Listbox::Event_ContextualMenuAction(MenuItem& hitItem) {
    return ContextualMenuAction.Raise(*this, hitItem);
}
bool Listbox::Event_DragEnter(DragItem& item, Int32 action) {
    return DragEnter.Raise(*this, item, action);
}
void Listbox::Event_DragExit(DragItem& item, Int32 action) {
    DragExit.Raise(*this, item, action);
}
bool Listbox::Event_DragOver(Int32 x, Int32 y, DragItem& item, Int32 action) {
    return DragOver.Raise(*this, x, y, item, action);
}
bool Listbox::Event_DragReorderRows(Int32 newPosition, Int32 parentRow) {
    return DragReorderRows.Raise(*this, newPosition, parentRow);
}
bool Listbox::Event_DragRow(DragItem& item, Int32 row) {
    return DragRow.Raise(*this, item, row);
}
void Listbox::Event_DropObject(DragItem& item, Int32 action) {
    DropObject.Raise(*this, item, action);
}
void Listbox::Event_EnableMenuItems() {
    EnableMenuItems.Raise(*this);
}
void Listbox::Event_CellTextChange(Int32 row, Int32 column) {
    CellTextChange.Raise(*this, row, column);
}
void Listbox::Event_DoubleClick() {
    DoubleClick.Raise(*this);
}
bool Listbox::Event_SortColumn(Int32 column) {
    return SortColumn.Raise(*this, column);
}
bool Listbox::Event_HeaderPressed(Int32 column) {
    return HeaderPressed.Raise(*this, column);
}

// ---------------------------------------------------------------------------------------------
// Class registration: the designed properties of list boxes.

void RegisterListboxClass() {
    ClassInfo info;
    info.fullName = "Listbox";
    info.parentName = "RectControl";
    auto& p = info.properties;
    using L = Listbox;
    // Boolean
    p.push_back(
        Property<L, bool>("AutoHideScrollbars", [](L& l, bool v) { l.AutoHideScrollbars(v); }));
    p.push_back(Property<L, bool>("Bold", [](L& l, bool v) { l.Bold(v); }));
    p.push_back(Property<L, bool>("Border", [](L& l, bool v) { l.Border(v); }));
    p.push_back(Property<L, bool>("ColumnsResizable", [](L& l, bool v) { l.ColumnsResizable(v); }));
    p.push_back(Property<L, bool>("EnableDrag", [](L& l, bool v) { l.EnableDrag(v); }));
    p.push_back(
        Property<L, bool>("EnableDragReorder", [](L& l, bool v) { l.EnableDragReorder(v); }));
    p.push_back(Property<L, bool>("HasHeading", [](L& l, bool v) { l.HasHeading(v); }));
    p.push_back(Property<L, bool>("Hierarchical", [](L& l, bool v) { l.Hierarchical(v); }));
    p.push_back(Property<L, bool>("Italic", [](L& l, bool v) { l.Italic(v); }));
    p.push_back(
        Property<L, bool>("RequiresSelection", [](L& l, bool v) { l.RequiresSelection(v); }));
    p.push_back(
        Property<L, bool>("ScrollBarHorizontal", [](L& l, bool v) { l.ScrollBarHorizontal(v); }));
    p.push_back(
        Property<L, bool>("ScrollBarVertical", [](L& l, bool v) { l.ScrollBarVertical(v); }));
    p.push_back(Property<L, bool>("Underline", [](L& l, bool v) { l.Underline(v); }));
    p.push_back(Property<L, bool>("UseFocusRing", [](L& l, bool v) { l.UseFocusRing(v); }));
    // Int32
    p.push_back(Property<L, Int32>("_ScrollWidth", [](L& l, Int32 v) { l._ScrollWidth(v); }));
    p.push_back(Property<L, Int32>("ColumnCount", [](L& l, Int32 v) { l.ColumnCount(v); }));
    p.push_back(
        Property<L, Int32>("DefaultRowHeight", [](L& l, Int32 v) { l.DefaultRowHeight(v); }));
    p.push_back(
        Property<L, Int32>("GridLinesHorizontal", [](L& l, Int32 v) { l.GridLinesHorizontal(v); }));
    p.push_back(
        Property<L, Int32>("GridLinesVertical", [](L& l, Int32 v) { l.GridLinesVertical(v); }));
    p.push_back(Property<L, Int32>("HeadingIndex", [](L& l, Int32 v) { l.HeadingIndex(v); }));
    p.push_back(Property<L, Int32>("SelectionType", [](L& l, Int32 v) { l.SelectionType(v); }));
    // String
    p.push_back(Property<L, std::string>("ColumnWidths",
                                         [](L& l, const std::string& v) { l.ColumnWidths(v); }));
    p.push_back(
        Property<L, std::string>("DataField", [](L& l, const std::string& v) { l.DataField(v); }));
    p.push_back(Property<L, std::string>("DataSource",
                                         [](L& l, const std::string& v) { l.DataSource(v); }));
    p.push_back(Property<L, std::string>("InitialValue",
                                         [](L& l, const std::string& v) { l.InitialValue(v); }));
    p.push_back(
        Property<L, std::string>("TextFont", [](L& l, const std::string& v) { l.TextFont(v); }));
    ClassRegistry::Instance().Register(std::move(info));
}

} // namespace fw
