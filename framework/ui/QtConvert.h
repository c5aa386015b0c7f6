#pragma once

#include "framework/core/Types.h"

#include <QColor>

namespace fw {

// The one conversion between the framework's colours and Qt's.
inline QColor ToQColor(Color c) {
    return QColor(c.Red(), c.Green(), c.Blue());
}

inline Color FromQColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

} // namespace fw
