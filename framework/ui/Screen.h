#pragma once

#include "framework/core/Types.h"

namespace fw {

// One screen of the desktop, as it is when the object is made: Screen(0) is the main screen.
// The available area leaves out panels and docks.
class Screen {
public:
    // OutOfBoundsException when there is no screen of that index.
    explicit Screen(Int32 index);

    Int32 Left() const { return m_left; }
    Int32 Top() const { return m_top; }
    Int32 Width() const { return m_width; }
    Int32 Height() const { return m_height; }
    Int32 AvailableLeft() const { return m_availableLeft; }
    Int32 AvailableTop() const { return m_availableTop; }
    Int32 AvailableWidth() const { return m_availableWidth; }
    Int32 AvailableHeight() const { return m_availableHeight; }

private:
    Int32 m_left = 0;
    Int32 m_top = 0;
    Int32 m_width = 0;
    Int32 m_height = 0;
    Int32 m_availableLeft = 0;
    Int32 m_availableTop = 0;
    Int32 m_availableWidth = 0;
    Int32 m_availableHeight = 0;
};

// The number of screens.
Int32 ScreenCount();

// The mouse position, in desktop coordinates.
class System {
public:
    static Int32 MouseX();
    static Int32 MouseY();
};

} // namespace fw
