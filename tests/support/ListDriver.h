#pragma once

#include "framework/core/Date.h"
#include "framework/core/Types.h"
#include "framework/ui/Listbox.h"

#include <QImage>
#include <QPoint>
#include <QRect>

class QLineEdit;
class QWidget;

// Support shared by the UI tests of the control, the pickers and the demonstration.
namespace support {

// Runs what is queued: events, then deferred deletions, then what those queued.
void Settle();

fw::DatePtr NewDate(fw::Int32 y, fw::Int32 m, fw::Int32 d, fw::Int32 h = 0, fw::Int32 mi = 0,
                    fw::Int32 s = 0);

// A list as the user sees it: list-relative points, cells found through the list's own hit
// testing, real clicks with the mouse really there (a double click's handler reads the mouse).
struct ListDriver {
    fw::Listbox& list;

    QWidget* View() const { return list.NativeWidget(); }
    // The cell's rectangle; empty for a cell the list does not show.
    QRect CellRect(fw::Int32 row, fw::Int32 column) const;
    // The middle of a cell the list shows.
    QPoint Centre(fw::Int32 row, fw::Int32 column) const;
    // The widget under the point: the in-place editor or the list itself.
    QWidget* Target(QPoint p) const;
    void Click(QPoint p) const;
    void Click(fw::Int32 row, fw::Int32 column) const { Click(Centre(row, column)); }
    void DoubleClick(QPoint p) const;
    // The visible in-place editor, or nullptr.
    QLineEdit* Editor() const;
    QImage Grab() const;
};

} // namespace support
