#include "pickers/PickerPlacement.h"

#include "framework/ui/Screen.h"
#include "framework/ui/Window.h"

#include <cstdint>

using fw::Int32;

namespace {

// Edges far off screen must not overflow: the sums are formed wide and kept in range.
Int32 Narrow(std::int64_t value) {
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<Int32>(value);
}

} // namespace

PickerPosition PickerPlacement(Int32 x, Int32 y, Int32 mouseX, Int32 mouseY, Int32 width,
                               Int32 height, Int32 availableWidth, Int32 availableHeight) {
    PickerPosition place;
    place.left = x == 0 ? mouseX : x;
    place.top = y == 0 ? mouseY : y;
    if (place.left < 0) {
        place.left = 0;
    }
    if (std::int64_t(availableWidth) < std::int64_t(place.left) + width) {
        place.left = Narrow(std::int64_t(availableWidth) - width);
    }
    if (std::int64_t(availableHeight) < std::int64_t(place.top) + height) {
        place.top = Narrow(std::int64_t(availableHeight) - height);
    }
    return place;
}

void PlacePicker(fw::Window& window, Int32 x, Int32 y) {
    const fw::Screen screen(0);
    const Int32 mouseX = x == 0 ? fw::System::MouseX() : 0;
    const Int32 mouseY = y == 0 ? fw::System::MouseY() : 0;
    const PickerPosition place =
        PickerPlacement(x, y, mouseX, mouseY, window.Width(), window.Height(),
                        screen.AvailableWidth(), screen.AvailableHeight());
    window.Left(place.left);
    window.Top(place.top);
}
