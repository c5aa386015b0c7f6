#pragma once

// The list box's native widget and the data both sides share. Internal to the framework.

#include "framework/ui/ListState.h"
#include "framework/ui/ListboxEditor.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QScrollBar>
#include <functional>
#include <string>
#include <vector>

namespace fw {

class ListboxView;

// The heading row above the viewport.
class ListboxHeader : public QWidget {
public:
    explicit ListboxHeader(ListboxView& view);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    ListboxView& m_view;
};

// One custom-painted scroll area. Rows scroll by whole rows (the vertical scroll bar's value
// is the top row); columns scroll by pixels. Only the visible cells are painted.
class ListboxView : public QAbstractScrollArea {
public:
    ListboxView();
    ~ListboxView() override;

    void Attach(Listbox* owner);
    void Detach();
    Listbox* Owner() const { return m_owner; }

    // Raises an event of the list box at the exception boundary. False when there was no list
    // box, or when the list box or this view went away during the handler: the caller must
    // then stop touching either.
    bool Raise(const std::function<void(Listbox&)>& handler);
    // The same for a Boolean event; answer is False when the handler raised.
    bool Raise(bool& answer, const std::function<bool(Listbox&)>& handler);

    // Layout: column widths, scroll bars, ranges. Cheap to ask for; recomputed when dirty.
    void InvalidateLayout();
    void EnsureLayout();
    void BorderChanged();
    void FontChanged();
    void Repaint();

    Int32 RowHeight() const;
    Int32 HeadingHeight() const;
    Int32 TopRow() const { return m_topRow; }
    void SetTopRow(Int32 row);
    void EnsureRowVisible(Int32 row);
    Int32 MaxTopRow() const;

    // List-relative points (the widget's top-left corner is 0, 0).
    Int32 RowAt(Int32 x, Int32 y);
    Int32 ColumnAt(Int32 x, Int32 y);

    ListboxEditing& Editing() { return m_editing; }
    void RowsRemoved(Int32 first, Int32 count); // rows first .. first+count-1 are gone
    void RowInserted(Int32 row);

    // Used by the heading widget and the editor.
    void HeadingPress(QMouseEvent* event, const QPoint& listPos);
    void MouseRelease(QMouseEvent* event, const QPoint& listPos);
    void MouseMove(QMouseEvent* event, const QPoint& listPos);
    void EditorFocusIn();
    void EditorFocusOut();
    std::string KeyText(const QKeyEvent* event) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ListboxPainter;
    friend class ListboxEditing;

    static constexpr int kHorizontalStep = 20; // pixels a sideways scroll step moves

    struct Layout {
        bool valid = false;
        Int32 rowHeight = 16;
        Int32 headingHeight = 0;
        QRect contents; // inside the border, list-relative
        QRect rowsArea; // the viewport, list-relative
        bool vbar = false;
        bool hbar = false;
        Int32 totalWidth = 0;
        Int32 maxTopRow = 0;
        Int32 maxHOffset = 0;
    };

    Listbox::State& S() const;
    void ApplyLayout();
    void PostLayoutRequest();
    QRect CellRectInViewport(Int32 row, Int32 column) const;
    QPoint ToList(const QWidget* from, const QPoint& pos) const;
    // What every press does first: ends an edit, takes the focus, raises MouseDown and shows
    // the contextual menu on a right click. True when a left-button press goes on.
    bool StartPress(QMouseEvent* event, const QPoint& listPos);
    void CellPress(QMouseEvent* event, const QPoint& listPos);
    // False when the list box or this view went away in the Change it raised.
    bool SelectByClick(Int32 row, Qt::KeyboardModifiers modifiers);
    void MoveSelection(Int32 delta, Qt::KeyboardModifiers modifiers);
    void ShowContextMenu(const QPoint& listPos);
    void SetHOffset(Int32 offset);
    // Moves a scroll position to value within 0 to max, with its scroll bar and the editor;
    // false when it stays.
    bool Scroll(Int32& position, Int32 value, const Int32& max, QScrollBar* bar);

    Listbox* m_owner = nullptr;
    ListboxHeader* m_header = nullptr;
    ListboxEditing m_editing{*this};
    Layout m_layout;
    Int32 m_topRow = 0;
    Int32 m_hOffset = 0;
    Int32 m_anchorRow = -1;    // where a Shift range starts
    Int32 m_currentRow = -1;   // the row the arrow keys move from
    bool m_pressTaken = false; // MouseDown returned True: MouseDrag and MouseUp follow
    bool m_layoutPosted = false;
    bool m_applyingLayout = false;
    Int32 DividerAt(const QPoint& listPos) const; // the column whose right edge is there
    Int32 m_resizeColumn = -1;                    // a heading divider being dragged
    Int32 m_resizeStartX = 0;
    Int32 m_resizeStartWidth = 0;
    bool m_hasFocus = false; // the list or its editor has the keyboard focus
};

} // namespace fw
