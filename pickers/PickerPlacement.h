#pragma once

#include "framework/core/Types.h"

namespace fw {
class Window;
}

// Where a picker window goes, shared by the calendar and the time window.
struct PickerPosition {
    fw::Int32 left = 0;
    fw::Int32 top = 0;
};

// The placement as a function of its inputs, for a window of width by height:
// 1. left = mouseX when x is 0, else x;
// 2. top = mouseY when y is 0, else y (independent of step 1);
// 3. a negative left becomes 0;
// 4. when availableWidth < left + width, left = availableWidth - width;
// 5. when availableHeight < top + height, top = availableHeight - height.
// Nothing else: top is never tested against 0, and left is not tested again after step 4, so
// a window wider than the area ends with a negative left.
PickerPosition PickerPlacement(fw::Int32 x, fw::Int32 y, fw::Int32 mouseX, fw::Int32 mouseY,
                               fw::Int32 width, fw::Int32 height, fw::Int32 availableWidth,
                               fw::Int32 availableHeight);

// Places window by PickerPlacement with the mouse position and the available width and height
// of screen 0 (taken as coordinates, whatever screen the mouse is on).
void PlacePicker(fw::Window& window, fw::Int32 x, fw::Int32 y);
