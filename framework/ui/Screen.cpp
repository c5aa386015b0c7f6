#include "framework/ui/Screen.h"

#include "framework/core/Exceptions.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <string>

namespace fw {

Screen::Screen(Int32 index) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (index < 0 || index >= screens.size()) {
        throw OutOfBoundsException("There is no screen " + std::to_string(index) + " (" +
                                   std::to_string(screens.size()) + " screens)");
    }
    // The primary screen comes first in Qt's list.
    const QScreen* screen = screens[index];
    const QRect whole = screen->geometry();
    const QRect available = screen->availableGeometry();
    m_left = whole.x();
    m_top = whole.y();
    m_width = whole.width();
    m_height = whole.height();
    m_availableLeft = available.x();
    m_availableTop = available.y();
    m_availableWidth = available.width();
    m_availableHeight = available.height();
}

Int32 ScreenCount() {
    return static_cast<Int32>(QGuiApplication::screens().size());
}

Int32 System::MouseX() {
    return QCursor::pos().x();
}

Int32 System::MouseY() {
    return QCursor::pos().y();
}

} // namespace fw
