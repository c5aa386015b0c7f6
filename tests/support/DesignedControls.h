#pragma once

#include "framework/core/Types.h"

#include <vector>

namespace fw {
class Window;
}

namespace support {

// A control as a window's design places it.
struct DesignedControl {
    const char* name;
    const char* className;
    fw::Int32 left, top, width, height;
};

// Expects the window's controls to be these, in creation order and in tab order, each where
// its design puts it, locked to the left and top only, with no control-array index and the
// default text unit.
void ExpectDesignedControls(const fw::Window& window, const std::vector<DesignedControl>& designed);

} // namespace support
