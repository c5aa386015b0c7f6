#pragma once

// The 1-pixel edge of a window that the desktop draws no frame around. Internal to the
// framework.

class QWidget;

namespace fw {

// Shows or hides the edge along the inside of a top-level widget, above its children.
void ShowWindowBorder(QWidget& window, bool shown);

} // namespace fw
