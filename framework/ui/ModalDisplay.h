#pragma once

#include <functional>

class QEventLoop;
class QWidget;

namespace fw::detail {

// How long a window shown modally may take to appear before it is shown afresh, and how much
// longer before it is given up.
inline constexpr int kMapBoundMs = 2000;
inline constexpr int kGiveUpBoundMs = 6000;

// Shows a top-level widget. One that is already shown is first hidden and given a new native
// window: a reparenting window manager can lose the map of a window that was unmapped just
// before, and the window would then never appear.
void ShowFresh(QWidget& widget);

// Runs `loop` until the caller's end condition quits it, while `widget` (shown modal) is on the
// screen. A window that is not mapped in time is shown afresh once; one that still is not is
// given up through `giveUp`, which must end the loop: a modal loop never waits on a window
// that nobody can see.
void RunModalLoop(QWidget& widget, QEventLoop& loop, const std::function<void()>& giveUp);

// For a widget that runs its own modal loop (a pop-up menu): closes it if it is still not on the
// screen after the bound.
void CloseUnlessShownInTime(QWidget& widget);

} // namespace fw::detail
