// The window's native frame, its size limits and its place on the screen; how each Frame and
// Placement maps on this desktop is set out at the top of Window.cpp.

#include "framework/ui/Runtime.h"
#include "framework/ui/Window.h"
#include "framework/ui/WindowBorder.h"
#include "framework/ui/WindowWidget.h"

#include <QGuiApplication>
#include <QMargins>
#include <QMenuBar>
#include <QRect>
#include <QScreen>
#include <algorithm>

namespace fw {

namespace {

// The decorations the desktop last put around a decorated window: the best guess of a window's
// frame before it is shown.
QMargins g_knownFrameMargins;

Int32 ClampSize(Int32 value) {
    return std::clamp<Int32>(value, 0, QWIDGETSIZE_MAX);
}

} // namespace

// --- frame and size limits ---------------------------------------------------------------------

void Window::ApplyFlags() {
    Qt::WindowFlags flags;
    bool frameless = false;
    switch (m_frame) {
    case FrameMovableDialog:
    case FrameDialog:
    case FrameRoundedDialog:
        flags = Qt::Dialog;
        break;
    case FrameTool:
        flags = Qt::Tool;
        break;
    case FramePlainBox:
        flags = Qt::Dialog | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint;
        frameless = true;
        break;
    case FrameShadowedBox:
        flags = Qt::Dialog | Qt::FramelessWindowHint;
        frameless = true;
        break;
    default:
        flags = Qt::Window;
        break;
    }
    if (!frameless) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
        if (m_closeButton) {
            flags |= Qt::WindowCloseButtonHint;
        }
        if (m_minimizeButton) {
            flags |= Qt::WindowMinimizeButtonHint;
        }
        if (m_maximizeButton) {
            flags |= Qt::WindowMaximizeButtonHint;
        }
    }
    ShowWindowBorder(*m_widget, frameless);
    if (m_widget->windowFlags() == flags) {
        return;
    }
    const bool wasVisible = m_widget->isVisible();
    const QRect geometry = m_widget->geometry();
    m_widget->setWindowFlags(flags); // hides the widget
    m_widget->setGeometry(geometry);
    if (wasVisible) {
        m_widget->show();
    }
}

void Window::ApplySizeLimits() {
    const int bar = MenuBarHeight();
    if (!m_resizeable) {
        m_widget->setFixedSize(ClampSize(m_width), ClampSize(m_height + bar));
        return;
    }
    m_widget->setMinimumSize(ClampSize(m_minWidth), ClampSize(m_minHeight + bar));
    m_widget->setMaximumSize(ClampSize(std::max(m_maxWidth, m_minWidth)),
                             ClampSize(std::max(m_maxHeight, m_minHeight) + bar));
}

// --- the place on the screen -------------------------------------------------------------------

void Window::PlaceOnScreen() {
    if (m_widget->isVisible()) {
        return;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QMargins margins = IsDecorated() ? g_knownFrameMargins : QMargins();
    const bool centred = !m_positionSet && m_placement >= 1 && m_placement <= 3;
    FitSizeInto(area, margins);
    if (centred) {
        const int bar = MenuBarHeight();
        const int x = area.x() + (area.width() - m_width) / 2;
        const int y = area.y() + (area.height() - (m_height + bar)) / 2;
        m_left = x;
        m_top = y + bar;
        m_widget->setGeometry(x, y, m_width, m_height + bar);
    }
    if (centred || m_positionSet) {
        FitPositionInto(area, margins);
    }
    // Otherwise the desktop places it; HandleShownOnScreen checks the place it chose.
}

bool Window::IsDecorated() const {
    return m_frame != FramePlainBox && m_frame != FrameShadowedBox;
}

void Window::FitSizeInto(const QRect& area, const QMargins& margins) {
    const int bar = MenuBarHeight();
    const Int32 roomWidth = area.width() - margins.left() - margins.right();
    const Int32 roomHeight = area.height() - margins.top() - margins.bottom() - bar;
    // A window the user cannot resize keeps its size; it is only moved.
    const Int32 minWidth = m_resizeable ? std::max<Int32>(0, m_minWidth) : m_width;
    const Int32 minHeight = m_resizeable ? std::max<Int32>(0, m_minHeight) : m_height;
    const Int32 width = m_width > roomWidth ? std::max(roomWidth, minWidth) : m_width;
    const Int32 height = m_height > roomHeight ? std::max(roomHeight, minHeight) : m_height;
    ContentSizeChanged(width, height, false);
}

void Window::FitPositionInto(const QRect& area, const QMargins& margins) {
    const int bar = MenuBarHeight();
    const QRect frame = QRect(m_left, m_top - bar, m_width, m_height + bar).marginsAdded(margins);
    // A frame larger than the area keeps its top left corner (title, menus) on the screen.
    const int x = std::max(area.left(), std::min(frame.x(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.y(), area.bottom() + 1 - frame.height()));
    if (x == frame.x() && y == frame.y()) {
        return;
    }
    m_left = x + margins.left();
    m_top = y + margins.top() + bar;
    m_widget->setGeometry(m_left, m_top - bar, m_width, m_height + bar);
}

void Window::HandleShownOnScreen() {
    const QRect geometry = m_widget->geometry();
    const QRect frame = m_widget->frameGeometry();
    const QMargins margins(geometry.left() - frame.left(), geometry.top() - frame.top(),
                           frame.right() - geometry.right(), frame.bottom() - geometry.bottom());
    if (margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0) {
        return;
    }
    if (IsDecorated()) {
        g_knownFrameMargins = margins;
    }
    QScreen* screen = m_widget->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    m_left = geometry.x();
    m_top = geometry.y() + MenuBarHeight();
    FitSizeInto(area, margins);
    FitPositionInto(area, margins);
}

// --- sizes and locks ---------------------------------------------------------------------------

void Window::ContentSizeChanged(Int32 width, Int32 height, bool fromQt) {
    if (width == m_width && height == m_height) {
        return;
    }
    const Int32 dw = width - m_width;
    const Int32 dh = height - m_height;
    m_width = width;
    m_height = height;
    for (auto& control : m_controls) {
        control->FollowResize(dw, dh);
    }
    if (!fromQt) {
        ApplySizeLimits();
        m_widget->resize(m_width, m_height + MenuBarHeight());
    }
    if (m_built && !m_closed) {
        if (fromQt) {
            CallIntoSystem([this] { Event_Resized(); });
        } else {
            Event_Resized();
        }
    }
}

void Window::HandleResized() {
    ContentSizeChanged(m_widget->width(), std::max(0, m_widget->height() - MenuBarHeight()), true);
}

} // namespace fw
